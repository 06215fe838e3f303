#include "messaging/agendasms.h"

#include "core/sqlhelpers.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/dataset.h"
#include "host/errors.h"
#include "host/grid.h"
#include "host/prompt.h"

namespace zmk {

namespace {

const QString kCampoNombre = QStringLiteral("FFIELDNAMENOMBRE");

}  // namespace

bool EsMovilValido(const QString& text) {
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isDigit() && c.unicode() < 128)
            kept += c;
        else if (i == 0 && c == QLatin1Char('+'))
            kept += c;
    }
    if (kept.size() <= 8) return false;
    static const QStringList kPrefijos = {QStringLiteral("6"),     QStringLiteral("7"),
                                          QStringLiteral("346"),   QStringLiteral("347"),
                                          QStringLiteral("00346"), QStringLiteral("00347")};
    return kPrefijos.contains(kept.left(kept.size() - 8));
}

QVector<TTelefonoAgenda> TelefonosDeTabla(const TOrigenAgenda& origen) {
    if (origen.tabla.compare(QLatin1String("T01Alumnos"), Qt::CaseInsensitive) == 0)
        return {
            {origen.campoTelefono, QStringLiteral("Alumno"), QString()},
            {QStringLiteral("TelfPadreT01"), QStringLiteral("Padre"), QStringLiteral(" - padre")},
            {QStringLiteral("TelfMadreT01"), QStringLiteral("Madre"), QStringLiteral(" - madre")}};
    return {{origen.campoTelefono, QString(), QString()}};
}

int TAgendaSMS::CargarDeGrid(TZMKDBGrid& grid, const TOrigenAgenda& origen, TModoSeleccionGrid modo,
                             const QVector<TTelefonoAgenda>& telefonos) {
    QList<int> ids;
    GetIDsDelDBGrid(grid, origen.campoId, modo, ids);
    CargarIds(origen, ids, telefonos);
    return int(ids.size());
}

void TAgendaSMS::CargarIds(const TOrigenAgenda& origen, const QList<int>& ids,
                           const QVector<TTelefonoAgenda>& telefonosElegidos) {
    Limpiar();
    if (ids.isEmpty()) return;
    QVector<TTelefonoAgenda> telefonos = telefonosElegidos;
    if (telefonos.isEmpty()) telefonos = {{origen.campoTelefono, QString(), QString()}};
    QStringList listaIds;
    for (int id : ids) listaIds << ValorSQL(id);
    QString sql = QStringLiteral("SELECT ") + origen.campoId + u',' + origen.campoNombre +
                  QStringLiteral(" AS ") + kCampoNombre + u',' + telefonos.first().campo;
    for (qsizetype k = 1; k < telefonos.size(); ++k) sql += u',' + telefonos[k].campo;
    if (!origen.camposExtra.trimmed().isEmpty()) sql += u',' + origen.camposExtra;
    sql += QStringLiteral(" FROM ") + origen.tabla + u'\n' + QStringLiteral(" WHERE ") +
           origen.campoId + QStringLiteral(" IN (") + listaIds.join(u',') + u')' + u'\n' +
           QStringLiteral(" ORDER BY ") + origen.campoNombre;
    std::unique_ptr<TDataSet> ds = DefaultDB().GetTSQLDataSet(sql, true);
    ds->Open();
    const QStringList nombres = ds->FieldNames();
    // The first columns are the id, the name and the phones; the rest are the fields offered.
    const int primerCampo = 2 + int(telefonos.size());
    for (ds->First(); !ds->Eof(); ds->Next()) {
        QVector<QString> valores(columnas_.size());
        for (int f = primerCampo; f < nombres.size(); ++f) {
            const QVariant v = ds->ValueAt(ds->RecNo() - 1, f);
            if (!v.isValid() || v.isNull()) continue;
            int col = Columna(nombres[f]);
            if (col < 0) {
                columnas_ << nombres[f];
                col = int(columnas_.size()) - 1;
                for (auto& fila : celdas_) fila.resize(columnas_.size());
                valores.resize(columnas_.size());
            }
            valores[col] = ds->FieldByName(nombres[f]).AsString();
        }
        const int id = ds->ValueAt(ds->RecNo() - 1, 0).toInt();
        const QString nombre = ds->FieldByName(kCampoNombre).AsString();
        for (qsizetype k = 0; k < telefonos.size(); ++k) {
            const QString telefono = ds->ValueAt(ds->RecNo() - 1, 2 + int(k)).toString();
            // A parent without a phone is no candidate; the record's own phone always is.
            if (k > 0 && telefono.trimmed().isEmpty()) continue;
            TDatosAgenda d;
            d.id = id;
            d.name = nombre + telefonos[k].sufijo;
            d.phone = telefono;
            d.valid = EsMovilValido(telefono.trimmed());
            d.selected = d.valid;
            datos_ << d;
            celdas_ << valores;
        }
    }
    for (auto& fila : celdas_) fila.resize(columnas_.size());
}

void TAgendaSMS::Limpiar() {
    datos_.clear();
    columnas_.clear();
    celdas_.clear();
}

void TAgendaSMS::AnadirNumero(const QString& text) {
    if (!EsMovilValido(text)) throw EZMKError(SharedStringFmt(2138, {text}));
    for (const TDatosAgenda& d : datos_)
        if (d.phone.compare(text, Qt::CaseInsensitive) == 0)
            throw EZMKError(SharedStringFmt(2137, {text}));
    datos_ << TDatosAgenda{0, text, text, true, true};
    celdas_ << QVector<QString>(columnas_.size());
}

void TAgendaSMS::QuitarNumero(int index) {
    if (index < 0 || index >= datos_.size()) return;
    datos_.remove(index);
    celdas_.remove(index);
}

bool TAgendaSMS::Marcar(int index, bool selected) {
    if (index < 0 || index >= datos_.size()) return false;
    TDatosAgenda& d = datos_[index];
    if (selected && !d.valid &&
        !PreguntaSiNo(SharedString(2130), TMsgIcon::Question, TMsgButton::Yes))
        selected = false;
    d.selected = selected;
    return selected;
}

QString TAgendaSMS::Texto(int index) const {
    const TDatosAgenda& d = datos_.at(index);
    const QString texto = d.name + QStringLiteral(" (") + d.phone + u')';
    return d.valid ? texto : QStringLiteral("ERROR ->") + texto;
}

int TAgendaSMS::NumSeleccionados() const {
    return int(Seleccionados().size());
}

QVector<int> TAgendaSMS::Seleccionados() const {
    QVector<int> filas;
    for (int i = 0; i < datos_.size(); ++i)
        if (datos_[i].selected) filas << i;
    return filas;
}

QVector<TDestinatari> TAgendaSMS::Destinatarios() const {
    QVector<TDestinatari> destinos;
    for (int i : Seleccionados()) destinos << TDestinatari{datos_[i].phone, datos_[i].name};
    return destinos;
}

QString TAgendaSMS::Celda(int columna, int fila) const {
    if (fila < 0 || fila >= celdas_.size() || columna < 0 || columna >= celdas_[fila].size())
        return QString();
    return celdas_[fila][columna];
}

}  // namespace zmk
