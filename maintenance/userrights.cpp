#include "maintenance/userrights.h"

namespace zmk {

TUserRightsProvider::TUserRightsProvider(TTablesUserRights rights, bool administrator)
    : rights_(std::move(rights)), administrator_(administrator) {}

bool TUserRightsProvider::Allows(const QString& table, TTableRight right) const {
    if (administrator_) return true;
    switch (right) {
        case TTableRight::View:
            return rights_.Allows(table, TTableUserRights::Ver);
        case TTableRight::Add:
            return rights_.Allows(table, TTableUserRights::Anadir);
        case TTableRight::Modify:
            return rights_.Allows(table, TTableUserRights::Modificar);
        case TTableRight::Delete:
            return rights_.Allows(table, TTableUserRights::Borrar);
    }
    return false;
}

const QStringList& ProgramTables() {
    static const QStringList tables{
        QStringLiteral("T01Alumnos=Alumnos"),
        QStringLiteral("T02Matriculas=Matrículas"),
        QStringLiteral("T03Cursos=Cursos"),
        QStringLiteral("T04Profesores=Profesores"),
        QStringLiteral("T05Grupos=Grupos"),
        QStringLiteral("T07TarifasPrecios=Tarifas de precios"),
        QStringLiteral("T14ConceptosMatricula=Conceptos de matrícula"),
        QStringLiteral("T15FacturasCab=Cabecera de las facturas"),
        QStringLiteral("T16FacturasCue=Cuerpo de las facturas"),
        QStringLiteral("T17FormasCobro=Formas de cobro"),
        QStringLiteral("T18Series=Series de facturas"),
        QStringLiteral("T20Centros=Centros"),
        QStringLiteral("T22TiposIva=Tipos de IVA"),
        QStringLiteral("T11Incidencias=Incidencias"),
        QStringLiteral("T12TipoIncidencias=Tipos de incidencias"),
        QStringLiteral("T27LiquidacionesCab=Cabecera de las liquidaciones"),
        QStringLiteral("T28LiquidacionesCue=Cuerpo de las liquidaciones"),
        QStringLiteral("T24BoletinesNotas=Boletines de notas"),
        QStringLiteral("T23FormatosBoletinesNotas=Formato de los boletines de notas"),
        QStringLiteral("T25NotasBoletin=Notas de los boletines"),
        QStringLiteral("T26FaltasAsistencia=Faltas de asistencia")};
    return tables;
}

QString ProgramTableCaption(const QString& table) {
    for (const QString& entry : ProgramTables()) {
        const int eq = entry.indexOf(u'=');
        if (entry.left(eq).compare(table, Qt::CaseInsensitive) == 0) return entry.mid(eq + 1);
    }
    return table;
}

}  // namespace zmk
