#include "classroom/boletines.h"
#include "classroom/dsnotas.h"
#include "classroom/faltas.h"
#include "classroom/funcionesnotas.h"
#include "classroom/hojaasistencia.h"
#include "classroom/hojanotas.h"
#include "host/app.h"
#include "host/datarules.h"
#include "host/library.h"

namespace zmk {

void RegisterClassroomProcedures() {
    ZMKDataSource_RegisterClassName(
        TZMKDS_Notas::kNombre,
        [](const QString& name) -> std::unique_ptr<TCustomZMKDataSourceAbstract> {
            if (name.compare(TZMKDS_Notas::kNombre, Qt::CaseInsensitive) != 0) return nullptr;
            return std::make_unique<TZMKDS_Notas>();
        });
    ZMKDataSource_AddImageBitmapFromOtherClass(TZMKDS_Notas::kNombre, QStringLiteral("SEARCH"));
    frRegisterFunctionLibrary<TfrZMKEscoliaFunctionLibrary>();
    AddDataRule(TDataEvent::BeforePost, kAnyDataSource, NormalizarCamposNota);
    RegisterBoletinesRules();
    RegisterFaltasRules();
    SetProcedureBody(QStringLiteral("FALTAS_NUEVA_FALTA"),
                     [](const TProcCall&) { FaltasAsistencia(false); });
    SetProcedureBody(QStringLiteral("FALTAS_BORRA_FALTA"),
                     [](const TProcCall&) { FaltasAsistencia(true); });
    // The class sheets, beside the library's entries.
    TProcedureZMK& registro = ZMKApp().Procedures();
    registro.RegisterProcedure(QStringLiteral("HOJA_NOTAS_GRUPO"),
                               QStringLiteral("Notas de un grupo en un boletín\nPRME01 : grupo"),
                               [](const TProcCall&) { HojaNotasGrupo(); });
    registro.RegisterProcedure(QStringLiteral("HOJA_ASISTENCIA_GRUPO"),
                               QStringLiteral("Faltas de asistencia de un grupo en un día"),
                               [](const TProcCall&) { HojaAsistenciaGrupo(); });
    registro.RegisterProcedure(QStringLiteral("RESUMEN_FALTAS"),
                               QStringLiteral("Faltas de cada matrícula en un periodo"),
                               [](const TProcCall&) { ResumenFaltasGrupo(); });
}

void UnregisterClassroomProcedures() {
    for (const char* p : {"RESUMEN_FALTAS", "HOJA_ASISTENCIA_GRUPO", "HOJA_NOTAS_GRUPO"})
        ZMKApp().Procedures().UnregisterProcedure(QString::fromLatin1(p));
    frUnRegisterFunctionLibrary<TfrZMKEscoliaFunctionLibrary>();
    ZMKDataSource_UnRegisterCreateClass(TZMKDS_Notas::kNombre);
}

}  // namespace zmk
