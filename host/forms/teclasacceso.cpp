#include "host/forms/teclasacceso.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace zmk {

namespace {

// The access key of a caption: the character after a single "&" ("&&" is a literal "&").
QChar TeclaDeAcceso(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

void AsignaEnAcciones(const QList<QAction*>& actions, bool submenus) {
    QStringList captions;
    for (QAction* a : actions) captions << a->text();
    const QStringList nuevos = ConTeclasDeAcceso(captions);
    for (int i = 0; i < actions.size(); ++i) {
        QAction* a = actions[i];
        if (a->isSeparator()) continue;
        if (nuevos[i] != captions[i]) a->setText(nuevos[i]);
        if (QMenu* sub = a->menu(); sub && submenus) AsignaTeclasDeAcceso(*sub);
    }
}

}  // namespace

QStringList ConTeclasDeAcceso(const QStringList& captions, const QString& ocupadas) {
    QSet<QChar> usadas;
    for (QChar c : ocupadas) usadas.insert(c.toLower());
    for (const QString& c : captions) {
        const QChar tecla = TeclaDeAcceso(c);
        if (!tecla.isNull()) usadas.insert(tecla);
    }
    QStringList result;
    for (const QString& caption : captions) {
        if (!TeclaDeAcceso(caption).isNull() || caption.isEmpty()) {
            result << caption;
            continue;
        }
        QString marcado = caption;
        for (int i = 0; i < caption.size(); ++i) {
            const QChar c = caption[i].toLower();
            if (!c.isLetterOrNumber() || usadas.contains(c)) continue;
            usadas.insert(c);
            marcado.insert(i, QLatin1Char('&'));
            break;
        }
        result << marcado;
    }
    return result;
}

QString TeclasDeAccesoDe(const QMenuBar& bar) {
    QString teclas;
    for (QAction* a : bar.actions()) {
        const QChar tecla = TeclaDeAcceso(a->text());
        if (!tecla.isNull()) teclas += tecla;
    }
    return teclas;
}

void AsignaTeclasDeAcceso(QMenuBar& bar) {
    AsignaEnAcciones(bar.actions(), false);
}

void AsignaTeclasDeAcceso(QMenu& menu) {
    AsignaEnAcciones(menu.actions(), true);
}

}  // namespace zmk
