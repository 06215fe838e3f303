#include "maintenance/grupsdest.h"

#include <QFileInfo>

#include "host/errors.h"

namespace zmk {

void TGrupsDest::Add(int grupo, const QString& directorio) {
    if (grupo < 1) throw EZMKError(QStringLiteral("El grupo debe ser superior a 0"));
    if (Defined(grupo)) throw EZMKError(QStringLiteral("El grupo ya existe"));
    if (directorio.isEmpty() || !QFileInfo(directorio).isDir())
        throw EZMKError(QStringLiteral("El directorio del grupo ") + QString::number(grupo) +
                        QStringLiteral(" no existe o no es válido:") + u'\n' + directorio);
    groups_.push_back({grupo, directorio});
}

QString TGrupsDest::Directory(int grupo) const {
    const TGrupDest* g = Find(grupo);
    return g ? g->directorio : QString();
}

void TGrupsDest::Assign(const TGrupsDest& other) {
    if (&other == this) return;
    Clear();
    for (const TGrupDest& g : other.groups_) Add(g.grupo, g.directorio);
}

const TGrupDest* TGrupsDest::Find(int grupo) const {
    for (const TGrupDest& g : groups_)
        if (g.grupo == grupo) return &g;
    return nullptr;
}

}  // namespace zmk
