// Form-state rules: run on every change of the data set's state and whenever another record
// becomes current (the data change without a field).
#include "rules/reglasformulario.h"

#include <QStringList>
#include <cstdio>

#include "host/controls.h"
#include "host/datarules.h"
#include "host/errors.h"
#include "host/library.h"
#include "host/parametres.h"
#include "host/prompt.h"
#include "rules/comunes.h"
#include "rules/fuentesdatos.h"
#include "rules/reglasestado.h"

namespace zmk {

namespace {

using namespace fuente;

TZMKForm* FormularioActual() {
    return Parametres().AsObject<TZMKForm>(QStringLiteral("PRMIP_ZMKFORM"));
}

bool Editando(const TDataSet& ds) {
    return ds.State() == TDataSetState::Edit || ds.State() == TDataSetState::Insert;
}

bool Vinculado(const TZMKControl& control, const QString& campo) {
    return control.HasDataField() && control.DataField().compare(campo, Qt::CaseInsensitive) == 0;
}

// The data-entry controls: those inside the entry panel, at any depth, bound to a field.
void ParaCadaControlDeDatos(TZMKForm& form, const std::function<void(TZMKControl&)>& fn) {
    TZMKControl* panel = form.FindComponent(QStringLiteral("PControlsEntradaDades"));
    if (!panel) return;
    panel->ForEachDescendant([&](TZMKControl& c) {
        if (c.HasDataField()) fn(c);
    });
}

// Every control of the form bound to one of the fields.
void HabilitarVinculados(TZMKForm& form, const QStringList& campos, bool habilitar) {
    form.ForEachDescendant([&](TZMKControl& c) {
        for (const QString& campo : campos)
            if (Vinculado(c, campo)) c.SetEnabled(habilitar);
    });
}

bool Flag(TDataSet& ds, const QString& campo) {
    TField* f = ds.FindField(campo);
    return f && f->AsBoolean();
}

struct TAltaBaja {
    int fuente;
    TClaseRegistro clase;
    const char* flag;
};

constexpr TAltaBaja kAltaBaja[] = {
    {kCentros, TClaseRegistro::Centro, "ActivoT20"},
    {kCursos, TClaseRegistro::Curso, "ActivoT03"},
    {kGrupos, TClaseRegistro::Grupo, "ActivoT05"},
    {kMatriculas, TClaseRegistro::Matricula, "ActivaT02"},
    {kAlumnos, TClaseRegistro::Alumno, "ActivoT01"},
    {kProfesores, TClaseRegistro::Profesor, "ActivoT04"},
};

void PanelDatosCobro(TZMKForm& form, TDataSet& ds) {
    TZMKControl* panel = form.FindComponent(QStringLiteral("ZMKpnlDatosCobroMatricula"));
    if (!panel || !form.FindComponent(QStringLiteral("ZMKdbcbDatosCobroEnMatricula"))) return;
    panel->SetVisible(Flag(ds, QStringLiteral("DatosCobroEnMatriculaT02")));
}

void EstadoAltaBaja(const TAltaBaja& tipo, TDataSet& ds) {
    TZMKForm* form = FormularioActual();
    if (!form) return;
    const bool activo = Flag(ds, QString::fromLatin1(tipo.flag));
    const TDataSetState estado = ds.State();
    const bool insertando = estado == TDataSetState::Insert;
    if (TZMKControl* boton = form->FindComponent(QStringLiteral("ZMKsbAltaBaja"))) {
        boton->SetCaption(CaptionAltaBaja(tipo.clase, activo));
        boton->SetEnabled(!Editando(ds) && estado != TDataSetState::SetKey);
    }
    ParaCadaControlDeDatos(*form, [&](TZMKControl& c) { c.SetEnabled(activo || insertando); });
    if (tipo.clase == TClaseRegistro::Alumno) {
        // The number is given on post.
        if (TZMKControl* codigo = form->FindComponent(QStringLiteral("ZMKdbeCodigoAlumno")))
            codigo->SetEnabled(!insertando);
    }
    if (tipo.clase == TClaseRegistro::Matricula) PanelDatosCobro(*form, ds);
}

void EstadoIncidencia(TDataSet& ds) {
    TZMKForm* form = FormularioActual();
    if (!form) return;
    const bool automatica = Flag(ds, QStringLiteral("AutomaticaT11"));
    // An automatic incidence keeps what the program wrote; only its text and resolution change.
    const QStringList editables{QStringLiteral("IncidenciaT11"), QStringLiteral("ResueltaT11"),
                                QStringLiteral("IDTipoIncidenciaT11")};
    ParaCadaControlDeDatos(*form, [&](TZMKControl& c) {
        bool habilitar = !automatica;
        for (const QString& campo : editables)
            if (Vinculado(c, campo)) habilitar = true;
        c.SetEnabled(habilitar);
    });
    HabilitarVinculados(*form, {QStringLiteral("AutomaticaT11")}, false);
}

void BotonQuitarEnlace(TZMKForm& form, TDataSet& ds) {
    if (TZMKControl* boton = form.FindComponent(QStringLiteral("ZMKsbQuitarEnlaceConcepto"))) {
        TField* concepto = ds.FindField(QStringLiteral("IDConceptoMatriculaT16"));
        boton->SetEnabled(!Editando(ds) && concepto && !concepto->IsNull());
    }
}

void EstadoLineaFactura(TDataSet& ds) {
    TZMKForm* form = FormularioActual();
    if (!form) return;
    TField* matricula = ds.FindField(QStringLiteral("IDMatriculaT16"));
    // A line without enrolment is typed by hand; one made from an enrolment keeps its data.
    HabilitarVinculados(*form,
                        {QStringLiteral("CodigoCentroT16"), QStringLiteral("NombreCentroT16"),
                         QStringLiteral("CodigoCursoT16"), QStringLiteral("DescrCursoT16"),
                         QStringLiteral("CodigoGrupoT16"), QStringLiteral("DescrGrupoT16"),
                         QStringLiteral("NMatriculaT16"), QStringLiteral("NombreAlumnoT16")},
                        !matricula || matricula->IsNull());
    HabilitarVinculados(*form,
                        {QStringLiteral("CodConceptoT16"), QStringLiteral("DescConceptoT16"),
                         QStringLiteral("BaseImponibleT16"), QStringLiteral("ImporteBaseT16"),
                         QStringLiteral("ImporteIvaIncluidoT16"), QStringLiteral("TPCDtoT16"),
                         QStringLiteral("TPCIvaT16"), QStringLiteral("UnidadesT16")},
                        true);
    BotonQuitarEnlace(*form, ds);
}

void CambioDatosCobroMatricula(const TProcCall&) {
    TZMKForm* form = FormularioActual();
    if (!form) return;
    const QString campo = QStringLiteral("DatosCobroEnMatriculaT02");
    TZMKControl* casilla = form->FindComponent(QStringLiteral("ZMKdbcbDatosCobroEnMatricula"));
    TDataSet* ds = Parametres().AsObject<TDataSet>(QStringLiteral("PRMIP_DATASET"));
    if (!casilla || !ds || !Vinculado(*casilla, campo)) return;
    // The list query is usually this very data set, whose current value is the one just typed:
    // the box is compared with the value the record had before the edit.
    const QVariant antes = ds->FieldByName(campo).OldValue();
    const bool guardado = antes.isValid() && !antes.isNull() && antes.toBool();
    if (Flag(*ds, campo) && !guardado) {
        const TMsgButton respuesta = Pregunta(
            QStringLiteral("ATENCIÓN:\n\nLos datos de cobro en la matrícula solamente se suelen "
                           "introducir\nen ciertos casos especiales.\nNormalmente la mejor opción "
                           "es tenerlos en la ficha del alumno.\n\n¿Seguro que quiere introducir "
                           "datos de cobro específicos para esta matrícula?"),
            {TMsgButton::Yes, TMsgButton::No}, TMsgIcon::Warning, TMsgButton::No);
        if (respuesta != TMsgButton::Yes && Editando(*ds)) ds->FieldByName(campo).SetValue(false);
    }
    for (const TAltaBaja& tipo : kAltaBaja)
        if (tipo.clase == TClaseRegistro::Matricula) EstadoAltaBaja(tipo, *ds);
}

}  // namespace

void MostrarControl(const QString& nombre, bool visible) {
    TZMKForm* form = FormularioActual();
    if (!form) {
        std::fputc('\a', stderr);
        return;
    }
    if (TZMKControl* control = form->FindComponent(nombre)) {
        control->SetVisible(visible);
        return;
    }
    Informa(QStringLiteral("Frm: ") + form->Name() + QStringLiteral(" - TZMKForm"));
}

void RegisterReglasFormulario() {
    for (const TAltaBaja& tipo : kAltaBaja) {
        AddDataRule(TDataEvent::StateChange, tipo.fuente,
                    [tipo](TDataSet& ds) { EstadoAltaBaja(tipo, ds); });
        AddDataChangeRule(tipo.fuente, [tipo](TDataSet& ds, TField* campo) {
            if (!campo) EstadoAltaBaja(tipo, ds);
        });
    }
    AddDataRule(TDataEvent::StateChange, kIncidencias, EstadoIncidencia);
    AddDataChangeRule(kIncidencias, [](TDataSet& ds, TField* campo) {
        if (!campo) EstadoIncidencia(ds);
    });
    AddDataChangeRule(kFacturasCue, [](TDataSet& ds, TField* campo) {
        if (!campo) EstadoLineaFactura(ds);
    });
    AddDataRule(TDataEvent::StateChange, kFacturasCue, [](TDataSet& ds) {
        if (TZMKForm* form = FormularioActual()) BotonQuitarEnlace(*form, ds);
    });
    SetProcedureBody(QStringLiteral("CAMBIO_DATOS_COBRO_MATRICULA"), CambioDatosCobroMatricula);
}

}  // namespace zmk
