#include "classroom/boletines.h"
#include "classroom/dsnotas.h"
#include "classroom/faltas.h"
#include "classroom/funcionesnotas.h"
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
}

void UnregisterClassroomProcedures() {
    frUnRegisterFunctionLibrary<TfrZMKEscoliaFunctionLibrary>();
    ZMKDataSource_UnRegisterCreateClass(TZMKDS_Notas::kNombre);
}

}  // namespace zmk
