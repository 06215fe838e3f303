#include "core/datosempresa.h"

#include <exception>

#include "core/parametrosapp.h"
#include "host/parametres.h"

namespace zmk {

namespace {
const QString kReloadKey = QStringLiteral("PublicaDatosEmpresa");
const QString kIlegible = QStringLiteral("?");
}  // namespace

const std::array<TDatoEmpresa, kDatosEmpresa>& DatosEmpresa() {
    static const std::array<TDatoEmpresa, kDatosEmpresa> datos{{
        {"EmpresaNombre", "Nombre de la empresa", "PRMAEmpresaNombre"},
        {"EmpresaDireccion", "Dirección de la empresa", "PRMAEmpresaDireccion"},
        {"EmpresaPoblacion", "Población de la empresa", "PRMAEmpresaPoblacion"},
        {"EmpresaCP", "Código Postal de la empresa", "PRMAEmpresaCP"},
        {"EmpresaCIF", "CIF de la empresa", "PRMAEmpresaCIF"},
        {"EmpresaTelefonos", "Telefonos y faxes de la empresa", "PRMAEmpresaTelefonos"},
        {"EmpresaLogo", "Logotipo de la empresa", "PRMAEmpresaLogo"},
        {"EmpresaInfRM", "Datos de la inscripción en el registro mercantil", "PRMAEmpresaInfRM"},
        {"EmpresaNISS", "Número de inscripción en la Seguridad Social(código cuenta de cotización)",
         "PRMAEmpresaNISS"},
    }};
    return datos;
}

void PublicaDatosEmpresa() {
    for (const TDatoEmpresa& d : DatosEmpresa()) {
        // Without a usable database the values still get published, as "?".
        try {
            ParametrosApp().DefineParametro(QString::fromUtf8(d.opcion),
                                            QString::fromUtf8(d.descripcion), QString(), tpTexto);
        } catch (const std::exception&) {
        }
    }
    QStringList valores = LeeDatosEmpresa();
    for (int i = 0; i < kDatosEmpresa; ++i)
        Parametres().SetParametreValue(QString::fromUtf8(DatosEmpresa()[i].publicado), valores[i]);
}

void RegisterDatosEmpresa() {
    ParametrosApp().AddReloadHandler(kReloadKey, PublicaDatosEmpresa);
}

void UnregisterDatosEmpresa() {
    ParametrosApp().RemoveReloadHandler(kReloadKey);
}

QStringList LeeDatosEmpresa() {
    QStringList valores;
    for (const TDatoEmpresa& d : DatosEmpresa())
        valores << ParametrosApp().AsString(QString::fromUtf8(d.opcion), kIlegible);
    return valores;
}

void GuardaDatosEmpresa(const QStringList& valores) {
    for (int i = 0; i < kDatosEmpresa && i < valores.size(); ++i)
        ParametrosApp().SetValue(QString::fromUtf8(DatosEmpresa()[i].opcion), valores[i]);
    PublicaDatosEmpresa();
}

}  // namespace zmk
