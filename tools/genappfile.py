#!/usr/bin/env python3
"""Writes resources/escolia.zmk, the application file: the menu tree and every data screen.

Run from the repository root after changing a screen here; commit both files.
"""
import json
import os
import sys

MONEY = "money"
DATE = "date"
DATETIME = "datetime"
TIME = "time"
CENTRE = ":PRMIDCentroActual"


def col(field, title, fmt=None, width=0, lookup=None):
    c = {"field": field, "title": title}
    if fmt:
        c["format"] = fmt
    if width:
        c["width"] = width
    if lookup:
        c["format"] = "lookup"
        c["lookup"] = lookup
    return c


MONEY_FIELDS = ("Importe", "BaseImponible", "PrecioUnitario")


def ed(name, field, label, kind="edit", editor=None):
    # Amounts are typed and shown with the decimal comma and two decimals.
    if kind == "edit" and field.startswith(MONEY_FIELDS):
        kind = "money"
    c = {"name": name, "type": kind, "field": field, "label": label}
    if editor:
        # A "..." button opens the data-source plug-in of that name on the value.
        c["editor"] = editor
    return c


def lk(name, field, label, lookup, where=None):
    c = {"name": name, "type": "lookup", "field": field, "label": label, "lookup": lookup}
    if where:
        c["filter"] = where
    return c


def chk(name, field, label, procedure=None):
    c = {"name": name, "type": "check", "field": field, "label": label}
    if procedure:
        c["procedure"] = procedure
    return c


def btn(name, label, procedure=None, **params):
    c = {"name": name, "type": "button", "label": label}
    if procedure:
        c["procedure"] = procedure
    if params:
        c["params"] = params
    return c


def panel(name, label, *children):
    return {"name": name, "type": "panel", "label": label, "children": list(children)}


def action(caption, procedure, shortcut=None, **params):
    b = {"caption": caption, "procedure": procedure, "params": params}
    if shortcut:
        b["shortcut"] = shortcut
    return b


def detail(screen, master, field):
    return {"screen": screen, "masterField": master, "detailField": field}


# Lookups over other tables.
FORMA_COBRO = "T17FormasCobro:IDFormaCobroT17:DescFormaCobroT17"
SERIE = "T18Series:IDSerieT18:SerieT18"
TARIFA = "T07TarifasPrecios:IDTarifaPreciosT07:DescrTarifaT07"
PROFESOR = "T04Profesores:IDProfesorT04:NombreCompletoT04"
CURSO = "T03Cursos:IDCursoT03:DescripcionT03"
GRUPO = "T05Grupos:IDGrupoT05:NombreT05"
ALUMNO = "T01Alumnos:IDAlumnoT01:NombreCompletoT01"
# An enrolment is known by its number, its student and its group; listed by student. Look-ups
# reach other tables through subqueries (a list over one table stays editable).
ALUMNO_DE_MATRICULA = "(SELECT NombreCompletoT01 FROM T01Alumnos WHERE IDAlumnoT01 = IDAlumnoT02)"
MATRICULA = ("T02Matriculas:IDMatriculaT02:"
             "NMatriculaT02 || ' - ' || COALESCE(" + ALUMNO_DE_MATRICULA + ", '') || ' (' || "
             "COALESCE((SELECT NombreT05 FROM T05Grupos WHERE IDGrupoT05 = IDGrupoT02), '') || ')':"
             + ALUMNO_DE_MATRICULA + ", CAST(NMatriculaT02 AS INTEGER), NMatriculaT02")
# A concept's enrolment, group and course, whichever of them owns it.
GRUPO_DE_CONCEPTO = ("COALESCE(IDGrupoT14, (SELECT IDGrupoT02 FROM T02Matriculas "
                     "WHERE IDMatriculaT02 = IDMatriculaT14))")
CURSO_DE_CONCEPTO = ("(SELECT DescripcionT03 FROM T03Cursos WHERE IDCursoT03 = COALESCE(IDCursoT14, "
                     "(SELECT IDCursoT05 FROM T05Grupos WHERE IDGrupoT05 = " + GRUPO_DE_CONCEPTO + ")))")
CONCEPTO_CURSO = "T14ConceptosMatricula:IDConceptoMatriculaT14:" + CURSO_DE_CONCEPTO
CONCEPTO_GRUPO = ("T14ConceptosMatricula:IDConceptoMatriculaT14:(SELECT NombreT05 FROM T05Grupos "
                  "WHERE IDGrupoT05 = " + GRUPO_DE_CONCEPTO + ")")
CONCEPTO_ALUMNO = ("T14ConceptosMatricula:IDConceptoMatriculaT14:(SELECT NombreCompletoT01 FROM "
                   "T01Alumnos WHERE IDAlumnoT01 = (SELECT IDAlumnoT02 FROM T02Matriculas WHERE "
                   "IDMatriculaT02 = IDMatriculaT14))")
# A bulletin is known by its number and its course.
BOLETIN = ("T24BoletinesNotas:IDBoletinNotasT24:IDBoletinNotasT24 || ' - ' || "
           "COALESCE((SELECT DescripcionT03 FROM T03Cursos WHERE IDCursoT03 = IDCursoT24), ''):"
           "IDBoletinNotasT24")
TIPO_IVA = "T22TiposIva:TPCIvaT22:DescripcionT22"
TIPO_INCIDENCIA = "T12TipoIncidencias:IDTipoIncidenciaT12:DescripcionT12"
FORMATO_BOLETIN = "T23FormatosBoletinesNotas:IDFormatoBoletinNotasT23:DescripcionT23"


def bank(suffix, mandate=True, owner_nif=True):
    """The bank fields of a person, with the BIC search and the mandate data next to them."""
    t = suffix
    items = [
        ed("ZMKdbeTitular" + t, "CCCNombreTitular" + t, "Titular de la cuenta"),
    ]
    if owner_nif:
        items.append(ed("ZMKdbeNIFTitular" + t, "NIFTitularCuenta" + t, "NIF del titular"))
    items += [
        ed("ZMKdbeIBAN" + t, "IBAN" + t, "Código IBAN"),
        ed("ZMKdbeBIC" + t, "BIC" + t, "BIC"),
        btn("ZMKsbBuscarBIC" + t, "Buscar BIC", "BuscarCodigoBIC",
            PRME01="IBAN" + t, PRME02="BIC" + t),
    ]
    if mandate:
        items += [
            ed("ZMKdbeReferenciaMandato" + t, "ReferenciaMandato" + t, "Referencia del mandato"),
            ed("ZMKdbeFechaMandato" + t, "FechaMandato" + t, "Fecha del mandato", DATE),
            btn("ZMKsbMandato" + t, "Generar datos del mandato", "GeneraDatosMandato",
                PRME01="ReferenciaMandato" + t, PRME02="FechaMandato" + t),
        ]
    return items


def sms(table, key, name, phone, extra):
    return action("Enviar SMS...", "FormularioEnviarSMS", PRME01=table, PRME02=key, PRME03=name,
                  PRME04=phone, PRME05=extra)


MONTHS = ["Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
          "Septiembre", "Octubre", "Noviembre", "Diciembre"]
DAYS = [("Lunes", "Lunes"), ("Martes", "Martes"), ("Miercoles", "Miércoles"),
        ("Jueves", "Jueves"), ("Viernes", "Viernes"), ("Sabado", "Sábado")]


def concept_form(owners=False):
    """The concept form; owners adds the course, group and enrolment boxes for the list of all
    concepts (under a course, group or enrolment the master gives the owner)."""
    amounts = [
        ed("ZMKdbeImporteBase", "ImporteBaseT14", "Importe base"),
        ed("ZMKdbeUnidades", "UnidadesT14", "Unidades"),
        ed("ZMKdbeTPCDto", "TPCDtoT14", "% Descuento"),
        ed("ZMKdbeBaseImponible", "BaseImponibleT14", "Base imponible"),
        lk("ZMKdblTPCIva", "TPCIvaT14", "% IVA", TIPO_IVA),
        ed("ZMKdbeImporteIvaIncluido", "ImporteIvaIncluidoT14", "Importe IVA incluido"),
    ]
    months = [chk("ZMKdbcbCobrar" + m, "Cobrar%sT14" % m, m) for m in MONTHS]
    owner = []
    if owners:
        owner = [lk("ZMKdblCurso", "IDCursoT14", "Curso", CURSO, "IDCentroT03 = " + CENTRE),
                 lk("ZMKdblGrupo", "IDGrupoT14", "Grupo", GRUPO, "IDCentroT05 = " + CENTRE),
                 lk("ZMKdblMatricula", "IDMatriculaT14", "Matrícula", MATRICULA,
                    "IDCentroT02 = " + CENTRE)]
    return [
        {"name": "ZMKlblTipoConcepto", "type": "label", "label": ""},
        panel("PControlsEntradaDades", "Concepto",
              *owner,
              ed("ZMKdbeConcepto", "ConceptoT14", "Concepto", editor="TEXTO_CONCEPTO"),
              lk("ZMKdblTarifa", "IDTarifaPreciosT14", "Tarifa", TARIFA,
                 "IDCentroT07 = " + CENTRE),
              ed("ZMKdbeFechaAlta", "FechaAltaT14", "Fecha de alta", DATE),
              ed("ZMKdbeNOrden", "NOrdenT14", "Orden"),
              panel("ZMKpnlImportes", "Importes", *amounts),
              panel("ZMKpnlMeses", "Meses a cobrar", *months),
              chk("ZMKdbcbEsCuota", "EsCuotaT14", "Es cuota"),
              chk("ZMKcbConceptoActivo", "ActivoT14", "Activo"),
              ed("ZMKdbeComentarios", "ComentariosT14", "Comentarios", "memo")),
        btn("ZMKsbDuplicar", "Duplicar"),
    ]


CONCEPT_COLUMNS = [
    col("ConceptoT14", "Concepto", width=260),
    col("ImporteBaseT14", "Importe", MONEY, 90),
    col("UnidadesT14", "Uds.", width=50),
    col("TPCDtoT14", "% Dto.", width=60),
    col("BaseImponibleT14", "Base imponible", MONEY, 100),
    col("TPCIvaT14", "% IVA", width=60),
    col("ImporteIvaIncluidoT14", "Total", MONEY, 90),
    col("EsCuotaT14", "Cuota", width=50),
    col("ActivoT14", "Activo", width=50),
]


def screens():
    s = {}
    s["centros"] = {
        "caption": "Centros", "table": "T20Centros", "dataSource": 251,
        "sql": "SELECT * FROM T20Centros ORDER BY CodigoCentroT20",
        "columns": [col("CodigoCentroT20", "Código", width=80),
                    col("NombreCentroT20", "Nombre", width=240),
                    col("PoblacionT20", "Población", width=160),
                    col("Telf1T20", "Teléfono", width=110), col("ActivoT20", "Activo")],
        "form": [
            panel("PControlsEntradaDades", "Centro",
                  ed("ZMKdbeCodigoCentro", "CodigoCentroT20", "Código"),
                  ed("ZMKdbeNombreCentro", "NombreCentroT20", "Nombre"),
                  ed("ZMKdbeCIF", "CIFT20", "CIF"),
                  ed("ZMKdbeDireccion", "DireccionT20", "Dirección"),
                  ed("ZMKdbeCP", "CPT20", "Código postal"),
                  ed("ZMKdbePoblacion", "PoblacionT20", "Población"),
                  ed("ZMKdbeProvincia", "ProvinciaT20", "Provincia"),
                  ed("ZMKdbeTelf1", "Telf1T20", "Teléfono 1"),
                  ed("ZMKdbeTelf2", "Telf2T20", "Teléfono 2"),
                  ed("ZMKdbeFax", "FaxT20", "Fax"),
                  ed("ZMKdbeEMail", "EMailT20", "eMail")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVO_CENTRO"),
        ],
        "buttons": [action("Centro actual", "MUESTRA_CENTRO_ACTUAL")],
    }
    s["alumnos"] = {
        "caption": "Alumnos", "table": "T01Alumnos", "dataSource": 3,
        "sql": "SELECT * FROM T01Alumnos WHERE IDCentroT01 = %s ORDER BY NombreCompletoT01" % CENTRE,
        "columns": [col("CodigoT01", "Código", width=70),
                    col("NombreCompletoT01", "Nombre completo", width=260),
                    col("NIFT01", "NIF", width=100), col("Telf1T01", "Teléfono", width=110),
                    col("PoblacionT01", "Población", width=140),
                    col("IDFormaCobroT01", "Forma de cobro", width=140, lookup=FORMA_COBRO),
                    col("IBANT01", "IBAN", width=230), col("ActivoT01", "Activo")],
        "form": [
            panel("PControlsEntradaDades", "Alumno",
                  ed("ZMKdbeCodigoAlumno", "CodigoT01", "Código"),
                  ed("ZMKdbeNombre", "NombreT01", "Nombre"),
                  ed("ZMKdbeApellidos", "ApellidosT01", "Apellidos"),
                  ed("ZMKdbeNIF", "NIFT01", "NIF"),
                  ed("ZMKdbeFechaNac", "FechaNacT01", "Fecha nacimiento", DATE),
                  ed("ZMKdbeSexo", "SexoT01", "Sexo"),
                  ed("ZMKdbeDomicilio", "DomicilioT01", "Dirección"),
                  ed("ZMKdbeCP", "CPPoblacionT01", "Código postal"),
                  ed("ZMKdbePoblacion", "PoblacionT01", "Población"),
                  ed("ZMKdbeProvincia", "ProvinciaT01", "Provincia"),
                  ed("ZMKdbeTelf1", "Telf1T01", "Teléfono 1"),
                  ed("ZMKdbeTelf2", "Telf2T01", "Teléfono 2"),
                  ed("ZMKdbeEMail", "EMailT01", "eMail"),
                  panel("ZMKpnlPadres", "Padres",
                        ed("ZMKdbeNombrePadre", "NombrePadreT01", "Padre"),
                        ed("ZMKdbeDNIPadre", "DNIPadreT01", "DNI del padre"),
                        ed("ZMKdbeTelfPadre", "TelfPadreT01", "Teléfono del padre"),
                        ed("ZMKdbeNombreMadre", "NombreMadreT01", "Madre"),
                        ed("ZMKdbeDNIMadre", "DNIMadreT01", "DNI de la madre"),
                        ed("ZMKdbeTelfMadre", "TelfMadreT01", "Teléfono de la madre")),
                  panel("ZMKpnlDatosCobro", "Datos de cobro",
                        lk("ZMKdblFormaCobro", "IDFormaCobroT01", "Forma de cobro", FORMA_COBRO),
                        *bank("T01")),
                  ed("ZMKdbeComentarios", "ComentariosT01", "Comentarios", "memo")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVO_ALUMNO"),
        ],
        "buttons": [
            action("Facturar alumnos...", "AUTOFACTURAR", PRME01=1),
            sms("T01Alumnos", "IDAlumnoT01", "NombreCompletoT01", "Telf1T01",
                "CodigoT01, EMailT01"),
        ],
        "details": [detail("matriculas_alumno", "IDAlumnoT01", "IDAlumnoT02"),
                    detail("incidencias_alumno", "IDAlumnoT01", "IDAlumnoT11"),
                    detail("facturas_alumno", "IDAlumnoT01", "IDAlumnoT15")],
    }
    s["profesores"] = {
        "caption": "Profesores", "table": "T04Profesores", "dataSource": 5,
        "sql": "SELECT * FROM T04Profesores WHERE IDCentroT04 = %s ORDER BY NombreCompletoT04" % CENTRE,
        "columns": [col("CodigoT04", "Código", width=70),
                    col("NombreCompletoT04", "Nombre completo", width=260),
                    col("NIFT04", "NIF", width=100), col("Telf1T04", "Teléfono", width=110),
                    col("EMailT04", "eMail", width=200), col("ActivoT04", "Activo")],
        "form": [
            panel("PControlsEntradaDades", "Profesor",
                  ed("ZMKdbeCodigo", "CodigoT04", "Código"),
                  ed("ZMKdbeNombre", "NombreT04", "Nombre"),
                  ed("ZMKdbeApellidos", "ApellidosT04", "Apellidos"),
                  ed("ZMKdbeNIF", "NIFT04", "NIF"),
                  ed("ZMKdbeDomicilio", "DomicilioT04", "Dirección"),
                  ed("ZMKdbeCP", "CPT04", "Código postal"),
                  ed("ZMKdbePoblacion", "PoblacionT04", "Población"),
                  ed("ZMKdbeProvincia", "ProvinciaT04", "Provincia"),
                  ed("ZMKdbeTelf1", "Telf1T04", "Teléfono 1"),
                  ed("ZMKdbeTelf2", "Telf2T04", "Teléfono 2"),
                  ed("ZMKdbeEMail", "EMailT04", "eMail"),
                  panel("ZMKpnlDatosBancarios", "Datos bancarios",
                        *bank("T04", owner_nif=False)),
                  ed("ZMKdbeComentarios", "ComentariosT04", "Comentarios", "memo")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVO_PROFESOR"),
        ],
        "buttons": [sms("T04Profesores", "IDProfesorT04", "NombreCompletoT04", "Telf1T04",
                        "CodigoT04, EMailT04")],
        "details": [detail("grupos_profesor", "IDProfesorT04", "IDProfesorT05")],
    }
    s["cursos"] = {
        "caption": "Cursos", "table": "T03Cursos", "dataSource": 110,
        "sql": "SELECT * FROM T03Cursos WHERE IDCentroT03 = %s ORDER BY CodigoT03" % CENTRE,
        "columns": [col("CodigoT03", "Código", width=80),
                    col("DescripcionT03", "Descripción", width=260),
                    col("InicioCursoT03", "Inicio", DATE, 90), col("FinCursoT03", "Fin", DATE, 90),
                    col("TotalHorasT03", "Horas", width=60), col("ActivoT03", "Activo")],
        "form": [
            panel("PControlsEntradaDades", "Curso",
                  ed("ZMKdbeCodigo", "CodigoT03", "Código"),
                  ed("ZMKdbeDescripcion", "DescripcionT03", "Descripción"),
                  ed("ZMKdbeInicio", "InicioCursoT03", "Inicio del curso", DATE),
                  ed("ZMKdbeFin", "FinCursoT03", "Fin del curso", DATE),
                  ed("ZMKdbeTotalHoras", "TotalHorasT03", "Total de horas"),
                  ed("ZMKdbeImporteColab", "ImporteColabT03", "Importe colaboración"),
                  ed("ZMKdbeComentarios", "ComentariosT03", "Comentarios", "memo")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVO_CURSO"),
            btn("ZMKsbDuplicarCurso", "Duplicar curso...", "DUPLICAR_CURSO"),
        ],
        "details": [detail("grupos_curso", "IDCursoT03", "IDCursoT05"),
                    detail("conceptos_curso", "IDCursoT03", "IDCursoT14")],
    }
    # The screen lays these out as a timetable: a row per day, morning and afternoon from-to.
    timetable = []
    for key, day in DAYS:
        for part, part_label in (("M", "Mañana"), ("T", "Tarde")):
            timetable.append(ed("ZMKdbe%s%sHI" % (key, part), "%s%sHIT05" % (key, part),
                                "%s %s, de" % (day, part_label), TIME))
            timetable.append(ed("ZMKdbe%s%sHF" % (key, part), "%s%sHFT05" % (key, part),
                                "%s %s, a" % (day, part_label), TIME))
    s["grupos"] = {
        "caption": "Grupos", "table": "T05Grupos", "dataSource": 14,
        "sql": "SELECT * FROM T05Grupos WHERE IDCentroT05 = %s ORDER BY CodigoT05" % CENTRE,
        "columns": [col("CodigoT05", "Código", width=80), col("NombreT05", "Nombre", width=220),
                    col("IDCursoT05", "Curso", width=180, lookup=CURSO),
                    col("IDProfesorT05", "Profesor", width=200, lookup=PROFESOR),
                    col("DescrHorarioT05", "Horario", width=200), col("ActivoT05", "Activo")],
        "form": [
            panel("PControlsEntradaDades", "Grupo",
                  ed("ZMKdbeCodigo", "CodigoT05", "Código"),
                  ed("ZMKdbeNombre", "NombreT05", "Nombre"),
                  lk("ZMKdblCurso", "IDCursoT05", "Curso", CURSO, "IDCentroT03 = " + CENTRE),
                  lk("ZMKdblProfesor", "IDProfesorT05", "Profesor", PROFESOR,
                     "IDCentroT04 = " + CENTRE),
                  ed("ZMKdbeDiasHoras", "DiasHorasTxtT05", "Días y horas"),
                  ed("ZMKdbeDescrHorario", "DescrHorarioT05", "Descripción del horario"),
                  panel("ZMKpnlHorario", "Horario", *timetable),
                  ed("ZMKdbeComentarios", "ComentariosT05", "Comentarios", "memo")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVA_CLASE"),
            btn("ZMKsbDuplicarGrupo", "Duplicar grupo...", "DUPLICAR_GRUPO"),
        ],
        "buttons": [action("Hoja de asistencia...", "HOJA_ASISTENCIA_GRUPO"),
                    action("Resumen de faltas...", "RESUMEN_FALTAS")],
        "details": [detail("matriculas_grupo", "IDGrupoT05", "IDGrupoT02"),
                    detail("conceptos_grupo", "IDGrupoT05", "IDGrupoT14")],
    }
    enrolment_columns = [
        col("NMatriculaT02", "Nº matrícula", width=90),
        col("IDAlumnoT02", "Alumno", width=240, lookup=ALUMNO),
        col("IDGrupoT02", "Grupo", width=180, lookup=GRUPO),
        col("FechaAltaT02", "Alta", DATE, 90), col("FechaBajaT02", "Baja", DATE, 90),
        col("CursoEscolarT02", "Curso escolar", width=90), col("ActivaT02", "Activa")]
    s["matriculas"] = {
        "caption": "Matrículas", "table": "T02Matriculas", "dataSource": 186,
        "sql": "SELECT * FROM T02Matriculas WHERE IDCentroT02 = %s ORDER BY NMatriculaT02" % CENTRE,
        "columns": enrolment_columns,
        "form": [
            panel("PControlsEntradaDades", "Matrícula",
                  ed("ZMKdbeNMatricula", "NMatriculaT02", "Nº matrícula"),
                  lk("ZMKdblAlumno", "IDAlumnoT02", "Alumno", ALUMNO, "IDCentroT01 = " + CENTRE),
                  lk("ZMKdblGrupo", "IDGrupoT02", "Grupo", GRUPO, "IDCentroT05 = " + CENTRE),
                  ed("ZMKdbeFechaAlta", "FechaAltaT02", "Fecha de alta", DATE),
                  ed("ZMKdbeFechaBaja", "FechaBajaT02", "Fecha de baja", DATE),
                  ed("ZMKdbeCursoEscolar", "CursoEscolarT02", "Curso escolar"),
                  chk("ZMKdbcbDatosCobroEnMatricula", "DatosCobroEnMatriculaT02",
                      "Datos de cobro en la matrícula", "CAMBIO_DATOS_COBRO_MATRICULA"),
                  panel("ZMKpnlDatosCobroMatricula", "Datos de cobro de la matrícula",
                        lk("ZMKdblFormaCobro", "IDFormaCobroT02", "Forma de cobro", FORMA_COBRO),
                        *bank("T02")),
                  ed("ZMKdbeComentarios", "ComentariosT02", "Comentarios", "memo")),
            btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVA_MATRICULA"),
        ],
        "details": [detail("conceptos_matricula", "IDMatriculaT02", "IDMatriculaT14"),
                    detail("faltas_matricula", "IDMatriculaT02", "IDMatriculaT26"),
                    detail("notas_matricula", "IDMatriculaT02", "IDMatriculaT25")],
    }
    # Detail lists shown under their masters.
    enrolment_form = [panel("PControlsEntradaDades", "Matrícula",
                            ed("ZMKdbeNMatricula", "NMatriculaT02", "Nº matrícula"),
                            lk("ZMKdblAlumno", "IDAlumnoT02", "Alumno", ALUMNO,
                               "IDCentroT01 = " + CENTRE),
                            lk("ZMKdblGrupo", "IDGrupoT02", "Grupo", GRUPO,
                               "IDCentroT05 = " + CENTRE),
                            ed("ZMKdbeFechaAlta", "FechaAltaT02", "Fecha de alta", DATE)),
                      btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVA_MATRICULA")]
    s["matriculas_alumno"] = {
        "caption": "Matrículas", "table": "T02Matriculas", "dataSource": 186,
        "sql": "SELECT * FROM T02Matriculas WHERE IDAlumnoT02 = :MASTER ORDER BY NMatriculaT02",
        "columns": enrolment_columns, "form": enrolment_form,
    }
    s["matriculas_grupo"] = dict(s["matriculas_alumno"])
    s["matriculas_grupo"]["sql"] = (
        "SELECT * FROM T02Matriculas WHERE IDGrupoT02 = :MASTER ORDER BY NMatriculaT02")
    incidence_columns = [col("DiaHoraT11", "Fecha", DATETIME, 120),
                         col("IDTipoIncidenciaT11", "Tipo", width=140, lookup=TIPO_INCIDENCIA),
                         col("TituloT11", "Título", width=260),
                         col("AutomaticaT11", "Automática", width=70),
                         col("ResueltaT11", "Resuelta", width=70)]
    incidence_form = [panel("PControlsEntradaDades", "Incidencia",
                            ed("ZMKdbeTitulo", "TituloT11", "Título"),
                            lk("ZMKdblTipo", "IDTipoIncidenciaT11", "Tipo", TIPO_INCIDENCIA),
                            ed("ZMKdbeDiaHora", "DiaHoraT11", "Fecha y hora", DATETIME),
                            lk("ZMKdblAlumno", "IDAlumnoT11", "Alumno", ALUMNO,
                               "IDCentroT01 = " + CENTRE),
                            lk("ZMKdblGrupo", "IDGrupoT11", "Grupo", GRUPO,
                               "IDCentroT05 = " + CENTRE),
                            lk("ZMKdblProfesor", "IDProfesorT11", "Profesor", PROFESOR,
                               "IDCentroT04 = " + CENTRE),
                            ed("ZMKdbeIncidencia", "IncidenciaT11", "Incidencia", "memo"),
                            chk("ZMKdbcbAutomatica", "AutomaticaT11", "Automática"),
                            chk("ZMKdbcbResuelta", "ResueltaT11", "Resuelta"),
                            ed("ZMKdbeDiaHoraResolucion", "DiaHoraResolucionT11",
                               "Resuelta el", DATETIME))]
    s["incidencias"] = {
        "caption": "Incidencias", "table": "T11Incidencias", "dataSource": 193,
        "sql": "SELECT * FROM T11Incidencias WHERE IDCentroT11 = %s ORDER BY DiaHoraT11 DESC" % CENTRE,
        "columns": incidence_columns + [col("IDAlumnoT11", "Alumno", width=220, lookup=ALUMNO)],
        "form": incidence_form,
    }
    s["incidencias_alumno"] = {
        "caption": "Incidencias", "table": "T11Incidencias", "dataSource": 193,
        "sql": "SELECT * FROM T11Incidencias WHERE IDAlumnoT11 = :MASTER ORDER BY DiaHoraT11 DESC",
        "columns": incidence_columns, "form": incidence_form,
    }
    s["tiposincidencias"] = {
        "caption": "Tipos de incidencias", "table": "T12TipoIncidencias",
        "sql": "SELECT * FROM T12TipoIncidencias ORDER BY DescripcionT12",
        "columns": [col("DescripcionT12", "Descripción", width=300)],
        "form": [panel("PControlsEntradaDades", "Tipo de incidencia",
                       ed("ZMKdbeDescripcion", "DescripcionT12", "Descripción"))],
    }
    s["conceptos"] = {
        "caption": "Conceptos de matrícula", "table": "T14ConceptosMatricula",
        "dataSource": 242, "colours": 203,
        # A concept belongs to a course, a group or an enrolment; the list shows every row's
        # course, group and student through its owner (an enrolment's group and course).
        "sql": ("SELECT * FROM T14ConceptosMatricula WHERE IDCentroT14 = %s "
                "ORDER BY IDCursoT14, IDGrupoT14, IDMatriculaT14, NOrdenT14" % CENTRE),
        "columns": [col("IDConceptoMatriculaT14", "Curso", width=160, lookup=CONCEPTO_CURSO),
                    col("IDConceptoMatriculaT14", "Grupo", width=140, lookup=CONCEPTO_GRUPO),
                    col("IDConceptoMatriculaT14", "Alumno", width=200, lookup=CONCEPTO_ALUMNO),
                    col("IDMatriculaT14", "Matrícula", width=260, lookup=MATRICULA)]
        + CONCEPT_COLUMNS,
        "form": concept_form(owners=True),
    }
    # Billing by concept takes the concepts and their students from the rows of the list, so the
    # list carries the enrolment's student beside each concept an enrolment pays.
    s["conceptos_facturar"] = {
        "caption": "Conceptos a facturar", "table": "T14ConceptosMatricula", "colours": 203,
        "readOnly": True,
        "sql": ("SELECT C.*, M.IDAlumnoT02 AS IDAlumnoT01, M.NMatriculaT02 "
                "FROM T14ConceptosMatricula C "
                "JOIN T02Matriculas M ON M.IDMatriculaT02 = C.IDMatriculaT14 "
                "WHERE C.IDCentroT14 = %s AND C.ActivoT14 = TRUE AND M.ActivaT02 = TRUE "
                "ORDER BY M.NMatriculaT02, C.NOrdenT14" % CENTRE),
        "columns": [col("NMatriculaT02", "Matrícula", width=80),
                    col("IDAlumnoT01", "Alumno", width=220, lookup=ALUMNO)]
        + CONCEPT_COLUMNS[:-1]
        + [col("Cobrar%sT14" % m, m[:3], width=40) for m in MONTHS],
        "buttons": [action("Filtrar por mes...", "FILTRO_MES_FACTURAR"),
                    action("Facturar conceptos...", "AUTOFACTURAR", PRME01=2)],
    }
    for key, caption, where, colours in (
            ("conceptos_curso", "Conceptos del curso",
             "IDCursoT14 = :MASTER AND IDGrupoT14 IS NULL AND IDMatriculaT14 IS NULL", 203),
            ("conceptos_grupo", "Conceptos del grupo",
             "IDGrupoT14 = :MASTER AND IDMatriculaT14 IS NULL", 368),
            ("conceptos_matricula", "Conceptos de la matrícula", "IDMatriculaT14 = :MASTER", 203)):
        s[key] = {
            "caption": caption, "table": "T14ConceptosMatricula", "dataSource": 242,
            "colours": colours,
            "sql": "SELECT * FROM T14ConceptosMatricula WHERE %s ORDER BY NOrdenT14" % where,
            "columns": CONCEPT_COLUMNS, "form": concept_form(),
        }
    s["grupos_curso"] = {
        "caption": "Grupos del curso", "table": "T05Grupos", "dataSource": 14,
        "sql": "SELECT * FROM T05Grupos WHERE IDCursoT05 = :MASTER ORDER BY CodigoT05",
        "columns": [col("CodigoT05", "Código", width=80), col("NombreT05", "Nombre", width=220),
                    col("IDProfesorT05", "Profesor", width=200, lookup=PROFESOR),
                    col("DescrHorarioT05", "Horario", width=200), col("ActivoT05", "Activo")],
        "form": [panel("PControlsEntradaDades", "Grupo",
                       ed("ZMKdbeCodigo", "CodigoT05", "Código"),
                       ed("ZMKdbeNombre", "NombreT05", "Nombre"),
                       lk("ZMKdblProfesor", "IDProfesorT05", "Profesor", PROFESOR,
                          "IDCentroT04 = " + CENTRE)),
                 btn("ZMKsbAltaBaja", "Dar de Baja", "CAMBIO_ACTIVA_CLASE")],
    }
    s["grupos_profesor"] = dict(s["grupos_curso"])
    s["grupos_profesor"].update({
        "caption": "Grupos del profesor",
        "sql": "SELECT * FROM T05Grupos WHERE IDProfesorT05 = :MASTER ORDER BY CodigoT05",
        "columns": [col("CodigoT05", "Código", width=80), col("NombreT05", "Nombre", width=220),
                    col("IDCursoT05", "Curso", width=200, lookup=CURSO),
                    col("DescrHorarioT05", "Horario", width=200), col("ActivoT05", "Activo")],
        "form": [], "readOnly": True,
    })
    s["tarifas"] = {
        "caption": "Tarifas de precios", "table": "T07TarifasPrecios", "dataSource": 88,
        "sql": "SELECT * FROM T07TarifasPrecios WHERE IDCentroT07 = %s ORDER BY CodigoTarifaT07" % CENTRE,
        "columns": [col("CodigoTarifaT07", "Código", width=80),
                    col("DescrTarifaT07", "Descripción", width=260),
                    col("ImporteSinIVAT07", "Importe sin IVA", MONEY, 110),
                    col("TPCIvaT07", "% IVA", width=60),
                    col("ImporteConIVAT07", "Importe con IVA", MONEY, 110)],
        "form": [panel("PControlsEntradaDades", "Tarifa",
                       ed("ZMKdbeCodigo", "CodigoTarifaT07", "Código"),
                       ed("ZMKdbeDescripcion", "DescrTarifaT07", "Descripción"),
                       ed("ZMKdbeImporteSinIVA", "ImporteSinIVAT07", "Importe sin IVA"),
                       lk("ZMKdblTPCIva", "TPCIvaT07", "% IVA", TIPO_IVA),
                       ed("ZMKdbeImporteConIVA", "ImporteConIVAT07", "Importe con IVA"))],
    }
    s["formascobro"] = {
        "caption": "Formas de cobro", "table": "T17FormasCobro", "dataSource": 213,
        "sql": "SELECT * FROM T17FormasCobro ORDER BY CodFormaCobroT17",
        "columns": [col("CodFormaCobroT17", "Código", width=80),
                    col("DescFormaCobroT17", "Descripción", width=240),
                    col("UsaNorma19T17", "Domiciliación", width=90),
                    col("IBANT17", "IBAN", width=230), col("BICT17", "BIC", width=100)],
        "form": [panel("PControlsEntradaDades", "Forma de cobro",
                       ed("ZMKdbeCodigo", "CodFormaCobroT17", "Código"),
                       ed("ZMKdbeDescripcion", "DescFormaCobroT17", "Descripción"),
                       chk("ZMKdbcbUsaNorma19", "UsaNorma19T17", "Cobro por domiciliación"),
                       panel("ZMKpnlPresentador", "Presentador y acreedor",
                             ed("ZMKdbeNombrePresentador", "NombrePresentadorT17", "Nombre"),
                             ed("ZMKdbeNIFPresentador", "NIFPresentadorT17", "NIF"),
                             ed("ZMKdbeSufijo", "SufijoT17", "Sufijo"),
                             ed("ZMKdbeAgencia", "AgenciaT17", "Entidad"),
                             ed("ZMKdbeOficina", "OficinaT17", "Oficina"),
                             ed("ZMKdbeLocalidad", "LocalidadExpedT17", "Localidad"),
                             ed("ZMKdbeIBAN", "IBANT17", "Código IBAN"),
                             ed("ZMKdbeBIC", "BICT17", "BIC"),
                             btn("ZMKsbBuscarBIC", "Buscar BIC", "BuscarCodigoBIC",
                                 PRME01="IBANT17", PRME02="BICT17"),
                             ed("ZMKdbeAcreedorPais", "AcreedorPaisT17", "País del acreedor"),
                             ed("ZMKdbeAcreedorId", "AcreedorIdentificadorT17",
                                "Identificador del acreedor")))],
    }
    s["series"] = {
        "caption": "Series de facturas", "table": "T18Series",
        "sql": "SELECT * FROM T18Series ORDER BY SerieT18",
        "columns": [col("SerieT18", "Serie", width=100),
                    col("NSiguienteFacturaT18", "Siguiente número", width=120),
                    col("ActivaT18", "Activa")],
        "form": [panel("PControlsEntradaDades", "Serie",
                       ed("ZMKdbeSerie", "SerieT18", "Serie"),
                       ed("ZMKdbeNSiguiente", "NSiguienteFacturaT18", "Siguiente número"),
                       chk("ZMKdbcbActiva", "ActivaT18", "Activa"))],
    }
    s["tiposiva"] = {
        "caption": "Tipos de IVA", "table": "T22TiposIva", "dataSource": 222,
        "sql": "SELECT * FROM T22TiposIva ORDER BY TPCIvaT22",
        "columns": [col("TPCIvaT22", "% IVA", width=80),
                    col("DescripcionT22", "Descripción", width=260),
                    col("TextoLegalT22", "Texto legal en la factura", width=360)],
        "form": [panel("PControlsEntradaDades", "Tipo de IVA",
                       ed("ZMKdbeTPCIva", "TPCIvaT22", "% IVA"),
                       ed("ZMKdbeDescripcion", "DescripcionT22", "Descripción"),
                       ed("ZMKdbeTextoLegal", "TextoLegalT22", "Texto legal en la factura",
                          "memo"))],
    }
    invoice_columns = [col("SerieT15", "Serie", width=60), col("NumeroT15", "Número", width=80),
                       col("FechaT15", "Fecha", DATE, 90), col("NombreT15", "Cliente", width=240),
                       col("ImporteTotalT15", "Total", MONEY, 100),
                       col("CobradaT15", "Cobrada", width=60),
                       col("FechaCobroT15", "Cobrada el", DATE, 90),
                       col("DevueltaT15", "Devuelta", width=60),
                       # On the copy a return creates: the receipt presented again after it.
                       col("FechaDevolucionT15", "Devuelta el", DATE, 90)]
    s["facturas"] = {
        "caption": "Facturas", "table": "T15FacturasCab", "dataSource": 198, "colours": 208,
        # Billing by student reads the students from the rows as IDAlumnoT01.
        "sql": ("SELECT *, IDAlumnoT15 AS IDAlumnoT01 FROM T15FacturasCab WHERE IDCentroT15 = %s "
                "ORDER BY FechaT15 DESC, NumeroT15 DESC" % CENTRE),
        "columns": invoice_columns,
        "form": [
            panel("PControlsEntradaDades", "Factura",
                  lk("ZMKdblSerie", "IDSerieT15", "Serie", SERIE),
                  ed("ZMKdbeNumero", "NumeroT15", "Número"),
                  ed("ZMKdbeFecha", "FechaT15", "Fecha", DATE),
                  lk("ZMKdblAlumno", "IDAlumnoT15", "Alumno", ALUMNO, "IDCentroT01 = " + CENTRE),
                  ed("ZMKdbeNombre", "NombreT15", "Nombre"),
                  ed("ZMKdbeNIF", "NIFT15", "NIF"),
                  ed("ZMKdbeDireccion", "DireccionT15", "Dirección"),
                  ed("ZMKdbeCP", "CPT15", "Código postal"),
                  ed("ZMKdbePoblacion", "PoblacionT15", "Población"),
                  ed("ZMKdbeProvincia", "ProvinciaT15", "Provincia"),
                  panel("ZMKpnlCobro", "Cobro",
                        lk("ZMKdblFormaCobro", "IDFormaCobroT15", "Forma de cobro", FORMA_COBRO),
                        ed("ZMKdbeTitular", "CCCNombreTitularT15", "Titular de la cuenta"),
                        ed("ZMKdbeIBAN", "IBANT15", "Código IBAN"),
                        ed("ZMKdbeBIC", "BICT15", "BIC"),
                        chk("ZMKdbcbCobrada", "CobradaT15", "Cobrada"),
                        ed("ZMKdbeFechaCobro", "FechaCobroT15", "Fecha de cobro", DATE),
                        chk("ZMKdbcbDevuelta", "DevueltaT15", "Devuelta"),
                        ed("ZMKdbeFechaDevolucion", "FechaDevolucionT15", "Fecha de devolución",
                           DATE)),
                  panel("ZMKpnlTotales", "Totales",
                        ed("ZMKdbeImporteBases", "ImporteBasesImponiblesT15", "Bases imponibles"),
                        ed("ZMKdbeImporteIvas", "ImporteIvasT15", "IVA"),
                        ed("ZMKdbeImporteTotal", "ImporteTotalT15", "Total")),
                  ed("ZMKdbeComentarios", "ComentariosT15", "Comentarios", "memo")),
        ],
        "buttons": [action("Acciones sobre las facturas...", "FUNCIONES_FACTURAS"),
                    action("Filtrar por mes...", "FILTRO_MES_FACTURAR"),
                    action("Facturar alumnos...", "AUTOFACTURAR", PRME01=1)],
        "details": [detail("lineas_factura", "IDFacturaCabT15", "IDFacturaCabT16")],
    }
    s["facturas_alumno"] = {
        "caption": "Facturas", "table": "T15FacturasCab", "dataSource": 198, "colours": 209,
        "sql": ("SELECT * FROM T15FacturasCab WHERE IDAlumnoT15 = :MASTER "
                "ORDER BY FechaT15 DESC, NumeroT15 DESC"),
        "columns": invoice_columns, "form": [], "readOnly": True,
    }
    s["lineas_factura"] = {
        "caption": "Líneas de la factura", "table": "T16FacturasCue", "dataSource": 199,
        "sql": "SELECT * FROM T16FacturasCue WHERE IDFacturaCabT16 = :MASTER ORDER BY NOrdenT16",
        "columns": [col("NOrdenT16", "Nº", width=40),
                    col("NombreAlumnoT16", "Alumno", width=180),
                    col("DescConceptoT16", "Concepto", width=240),
                    col("NMesFacturadoT16", "Mes", width=40),
                    col("AnyoFacturadoT16", "Año", width=50),
                    col("ImporteBaseT16", "Importe", MONEY, 90),
                    col("UnidadesT16", "Uds.", width=50), col("TPCDtoT16", "% Dto.", width=60),
                    col("BaseImponibleT16", "Base imponible", MONEY, 100),
                    col("TPCIvaT16", "% IVA", width=60),
                    col("ImporteIvaIncluidoT16", "Total", MONEY, 90)],
        "form": [
            panel("PControlsEntradaDades", "Línea",
                  ed("ZMKdbeNOrden", "NOrdenT16", "Orden"),
                  ed("ZMKdbeCodigoCentro", "CodigoCentroT16", "Centro"),
                  ed("ZMKdbeNombreCentro", "NombreCentroT16", "Nombre del centro"),
                  ed("ZMKdbeCodigoCurso", "CodigoCursoT16", "Curso"),
                  ed("ZMKdbeDescrCurso", "DescrCursoT16", "Descripción del curso"),
                  ed("ZMKdbeCodigoGrupo", "CodigoGrupoT16", "Grupo"),
                  ed("ZMKdbeDescrGrupo", "DescrGrupoT16", "Descripción del grupo"),
                  ed("ZMKdbeNMatricula", "NMatriculaT16", "Nº matrícula"),
                  ed("ZMKdbeNombreAlumno", "NombreAlumnoT16", "Alumno"),
                  ed("ZMKdbeCodConcepto", "CodConceptoT16", "Código del concepto"),
                  ed("ZMKdbeDescConcepto", "DescConceptoT16", "Concepto", "memo"),
                  ed("ZMKdbeNMes", "NMesFacturadoT16", "Mes facturado"),
                  ed("ZMKdbeAnyo", "AnyoFacturadoT16", "Año facturado"),
                  ed("ZMKdbeImporteBase", "ImporteBaseT16", "Importe base"),
                  ed("ZMKdbeUnidades", "UnidadesT16", "Unidades"),
                  ed("ZMKdbeTPCDto", "TPCDtoT16", "% Descuento"),
                  ed("ZMKdbeBaseImponible", "BaseImponibleT16", "Base imponible"),
                  lk("ZMKdblTPCIva", "TPCIvaT16", "% IVA", TIPO_IVA),
                  ed("ZMKdbeImporteIvaIncluido", "ImporteIvaIncluidoT16",
                     "Importe IVA incluido")),
            btn("ZMKsbQuitarEnlaceConcepto", "Quitar el enlace con el concepto",
                "FACTURA_CUE_QUITA_MATRICULA"),
        ],
    }
    s["liquidaciones"] = {
        "caption": "Liquidaciones", "table": "T27LiquidacionesCab", "dataSource": 348,
        "sql": ("SELECT * FROM T27LiquidacionesCab WHERE IDCentroT27 = %s "
                "ORDER BY FechaLiquidacionT27 DESC, NLiquidacionT27 DESC" % CENTRE),
        "columns": [col("NLiquidacionT27", "Nº", width=60),
                    col("FechaLiquidacionT27", "Fecha", DATE, 90),
                    col("DescrLiquidacionT27", "Descripción", width=240),
                    col("NombreT27", "Centro", width=220),
                    col("ImporteLiquidadoT27", "Importe", MONEY, 100)],
        "form": [panel("PControlsEntradaDades", "Liquidación",
                       ed("ZMKdbeNLiquidacion", "NLiquidacionT27", "Número"),
                       ed("ZMKdbeFecha", "FechaLiquidacionT27", "Fecha", DATE),
                       ed("ZMKdbeDescr", "DescrLiquidacionT27", "Descripción"),
                       ed("ZMKdbeCodigo", "CodigoT27", "Código del centro"),
                       ed("ZMKdbeNombre", "NombreT27", "Centro"),
                       ed("ZMKdbeCIF", "CIFT27", "NIF"),
                       ed("ZMKdbeDireccion", "DireccionT27", "Dirección"),
                       ed("ZMKdbeCP", "CPT27", "Código postal"),
                       ed("ZMKdbePoblacion", "PoblacionT27", "Población"),
                       ed("ZMKdbeProvincia", "ProvinciaT27", "Provincia"),
                       ed("ZMKdbeTelf1", "Telf1T27", "Teléfono 1"),
                       ed("ZMKdbeTelf2", "Telf2T27", "Teléfono 2"),
                       ed("ZMKdbeFax", "FaxT27", "Fax"),
                       ed("ZMKdbeEMail", "EMailT27", "eMail"),
                       ed("ZMKdbeImporte", "ImporteLiquidadoT27", "Importe liquidado"),
                       ed("ZMKdbeComentarios", "ComentariosT27", "Comentarios", "memo"))],
        "buttons": [action("Generar liquidaciones...", "GENERAR_LIQUIDACIONES")],
        "details": [detail("lineas_liquidacion", "IDLiquidacionCabT27", "IDLiquidacionCabT28")],
    }
    s["lineas_liquidacion"] = {
        "caption": "Líneas de la liquidación", "table": "T28LiquidacionesCue", "dataSource": 349,
        "sql": "SELECT * FROM T28LiquidacionesCue WHERE IDLiquidacionCabT28 = :MASTER",
        "columns": [col("CodigoT28", "Código", width=80),
                    col("DescripcionT28", "Descripción", width=280),
                    col("PrecioUnitarioT28", "Precio", MONEY, 90),
                    col("UnidadesT28", "Unidades", width=70),
                    col("ImporteLineaT28", "Importe", MONEY, 100)],
        "form": [panel("PControlsEntradaDades", "Línea",
                       ed("ZMKdbeCodigo", "CodigoT28", "Código"),
                       ed("ZMKdbeDescripcion", "DescripcionT28", "Descripción"),
                       ed("ZMKdbePrecio", "PrecioUnitarioT28", "Precio unitario"),
                       ed("ZMKdbeUnidades", "UnidadesT28", "Unidades"),
                       ed("ZMKdbeImporte", "ImporteLineaT28", "Importe"))],
    }

    def grade_concepts(t):
        fields = []
        for i in range(1, 9):
            fields += [ed("ZMKdbeNombreConc%d" % i, "NombreConc%d%s" % (i, t), "Concepto %d" % i),
                       ed("ZMKdbeFormatoConc%d" % i, "FormatoConc%d%s" % (i, t), "Formato %d" % i),
                       ed("ZMKdbeValoresConc%d" % i, "ValoresConc%d%s" % (i, t), "Valores %d" % i,
                          editor="MATRICULAS_MODIFICA_NOTAS")]
        return fields

    s["boletines"] = {
        "caption": "Boletines de notas", "table": "T24BoletinesNotas", "dataSource": 296,
        "sql": ("SELECT * FROM T24BoletinesNotas WHERE IDCursoT24 IN (SELECT IDCursoT03 FROM "
                "T03Cursos WHERE IDCentroT03 = %s) ORDER BY IDBoletinNotasT24" % CENTRE),
        "columns": [col("IDCursoT24", "Curso", width=240, lookup=CURSO),
                    col("NombreConc1T24", "Concepto 1", width=140),
                    col("NombreConc2T24", "Concepto 2", width=140),
                    col("BloqueadoT24", "Bloqueado")],
        "form": [panel("PControlsEntradaDades", "Boletín",
                       lk("ZMKdblCurso", "IDCursoT24", "Curso", CURSO, "IDCentroT03 = " + CENTRE),
                       chk("ZMKdbcbBloqueado", "BloqueadoT24", "Bloqueado"),
                       panel("ZMKpnlConceptosNota", "Conceptos de la nota",
                             *grade_concepts("T24"))),
                 btn("ZMKsbBloquearBoletin", "Bloquear el Boletin", "CAMBIO_BLOQUEADO_BOLETIN")],
        "buttons": [action("Importar formato...", "IMPORTAR_FORMATO_BOLETIN"),
                    action("Hoja de notas del grupo...", "HOJA_NOTAS_GRUPO")],
        "details": [detail("notas_boletin", "IDBoletinNotasT24", "IDBoletinNotasT25")],
    }
    grade_columns = [col("ValorConc%dT25" % i, "Nota %d" % i, width=70) for i in range(1, 9)]
    grade_fields = [ed("ZMKdbcbValorConc%d" % i, "ValorConc%dT25" % i, "Nota %d" % i)
                    for i in range(1, 9)]
    # Every concept of the record, its values chosen from menus.
    grade_tree = {"name": "ZMKArbolAsignacionNotas", "type": "TZMKArbolAsignacionNotas",
                  "label": "Asignación de notas", "params": {"Nota": 0}}
    s["notas_boletin"] = {
        "caption": "Notas", "table": "T25NotasBoletin", "dataSource": 300,
        "sql": "SELECT * FROM T25NotasBoletin WHERE IDBoletinNotasT25 = :MASTER",
        "columns": [col("IDMatriculaT25", "Matrícula", width=280, lookup=MATRICULA)]
        + grade_columns,
        "form": [panel("PControlsEntradaDades", "Notas",
                       lk("ZMKdblMatricula", "IDMatriculaT25", "Matrícula", MATRICULA,
                          "IDCentroT02 = " + CENTRE),
                       *grade_fields),
                 grade_tree],
    }
    s["notas_matricula"] = {
        "caption": "Notas", "table": "T25NotasBoletin", "dataSource": 300,
        "sql": "SELECT * FROM T25NotasBoletin WHERE IDMatriculaT25 = :MASTER",
        "columns": [col("IDBoletinNotasT25", "Boletín", width=260, lookup=BOLETIN)]
        + grade_columns,
        "form": [panel("PControlsEntradaDades", "Notas", *grade_fields), grade_tree],
    }
    s["formatosboletines"] = {
        "caption": "Formatos de boletines de notas", "table": "T23FormatosBoletinesNotas",
        "sql": "SELECT * FROM T23FormatosBoletinesNotas ORDER BY DescripcionT23",
        "columns": [col("DescripcionT23", "Descripción", width=260),
                    col("NombreConc1T23", "Concepto 1", width=140),
                    col("NombreConc2T23", "Concepto 2", width=140)],
        "form": [panel("PControlsEntradaDades", "Formato",
                       ed("ZMKdbeDescripcion", "DescripcionT23", "Descripción"),
                       panel("ZMKpnlConceptosNota", "Conceptos de la nota",
                             *grade_concepts("T23")))],
    }
    absence_columns = [col("FechaFaltaT26", "Fecha", DATE, 90),
                       col("DHInicioFaltaT26", "Desde", TIME, 60),
                       col("DHFinalFaltaT26", "Hasta", TIME, 60),
                       col("JustificadaT26", "Justificada", width=80),
                       col("ResueltaT26", "Resuelta", width=70)]
    absence_form = [panel("PControlsEntradaDades", "Falta",
                          ed("ZMKdbeFecha", "FechaFaltaT26", "Fecha", DATE),
                          ed("ZMKdbeInicio", "DHInicioFaltaT26", "Desde", TIME),
                          ed("ZMKdbeFinal", "DHFinalFaltaT26", "Hasta", TIME),
                          chk("ZMKdbcbJustificada", "JustificadaT26", "Justificada"),
                          chk("ZMKdbcbResuelta", "ResueltaT26", "Resuelta"))]
    s["faltas_matricula"] = {
        "caption": "Faltas de asistencia", "table": "T26FaltasAsistencia", "dataSource": 302,
        "sql": ("SELECT * FROM T26FaltasAsistencia WHERE IDMatriculaT26 = :MASTER "
                "ORDER BY FechaFaltaT26 DESC, DHInicioFaltaT26"),
        "columns": absence_columns, "form": absence_form,
    }
    # The absence procedures take the enrolment under the cursor of this list.
    s["faltas"] = {
        "caption": "Faltas de asistencia", "table": "T02Matriculas", "readOnly": True,
        "sql": ("SELECT M.*, G.CodigoT05, G.NombreT05, A.NombreCompletoT01 FROM T02Matriculas M "
                "JOIN T05Grupos G ON G.IDGrupoT05 = M.IDGrupoT02 "
                "JOIN T01Alumnos A ON A.IDAlumnoT01 = M.IDAlumnoT02 "
                "WHERE M.IDCentroT02 = %s AND M.ActivaT02 = TRUE "
                "ORDER BY G.CodigoT05, A.NombreCompletoT01" % CENTRE),
        "columns": [col("CodigoT05", "Grupo", width=80),
                    col("NombreT05", "Nombre del grupo", width=220),
                    col("NMatriculaT02", "Nº matrícula", width=90),
                    col("NombreCompletoT01", "Alumno", width=260)],
        "form": [panel("ZMKpnlFechaFaltas", "Fecha de las faltas",
                       {"name": "ZMKdtpFechaAsignacionFaltas", "type": "date",
                        "label": "Fecha"})],
        "buttons": [action("Nueva falta...", "FALTAS_NUEVA_FALTA"),
                    action("Borrar falta...", "FALTAS_BORRA_FALTA"),
                    action("Resumen de faltas...", "RESUMEN_FALTAS")],
        "details": [detail("faltas_matricula", "IDMatriculaT02", "IDMatriculaT26")],
    }
    # Queries: read-only lists over SQL.
    s["consulta_pendientes"] = {
        "caption": "Facturas pendientes de cobro", "table": "T15FacturasCab", "dataSource": 208,
        "readOnly": True,
        "sql": ("SELECT * FROM T15FacturasCab WHERE IDCentroT15 = %s AND "
                "CobradaT15 = FALSE AND DevueltaT15 = FALSE ORDER BY FechaT15, NumeroT15" % CENTRE),
        "columns": invoice_columns[:5] + [col("FechaDevolucionT15", "Devuelta el", DATE, 90),
                                          col("TipoPagoT15", "Tipo de pago", width=120)],
    }
    s["consulta_devueltas"] = {
        "caption": "Facturas devueltas", "table": "T15FacturasCab", "dataSource": 209,
        "readOnly": True,
        "sql": ("SELECT * FROM T15FacturasCab WHERE IDCentroT15 = %s AND DevueltaT15 = TRUE "
                "ORDER BY FechaDevolucionT15 DESC" % CENTRE),
        "columns": invoice_columns[:5] + [
            col("FechaDevolucionT15", "Devuelta el", DATE, 90),
            col("Norma19CodMotivoDevT15", "Motivo", width=80)],
    }
    s["consulta_sinbanco"] = {
        "caption": "Alumnos sin datos bancarios", "table": "T01Alumnos", "readOnly": True,
        "sql": ("SELECT IDAlumnoT01, CodigoT01, NombreCompletoT01, NIFT01, Telf1T01, EMailT01, "
                "IDFormaCobroT01 FROM T01Alumnos WHERE IDCentroT01 = %s AND ActivoT01 = TRUE AND "
                "(IBANT01 IS NULL OR TRIM(IBANT01) = '') ORDER BY NombreCompletoT01" % CENTRE),
        "columns": [col("CodigoT01", "Código", width=70),
                    col("NombreCompletoT01", "Nombre completo", width=260),
                    col("NIFT01", "NIF", width=100), col("Telf1T01", "Teléfono", width=110),
                    col("EMailT01", "eMail", width=200),
                    col("IDFormaCobroT01", "Forma de cobro", width=140, lookup=FORMA_COBRO)],
    }
    s["consulta_matriculasgrupo"] = {
        "caption": "Matrículas por grupo", "table": "T05Grupos", "readOnly": True,
        "sql": ("SELECT G.IDGrupoT05, G.CodigoT05, G.NombreT05, C.DescripcionT03, "
                "SUM(CASE WHEN M.ActivaT02 = TRUE THEN 1 ELSE 0 END) AS Activas, "
                "COUNT(M.IDMatriculaT02) AS Total FROM T05Grupos G "
                "JOIN T03Cursos C ON C.IDCursoT03 = G.IDCursoT05 "
                "LEFT JOIN T02Matriculas M ON M.IDGrupoT02 = G.IDGrupoT05 "
                "WHERE G.IDCentroT05 = %s GROUP BY G.IDGrupoT05, G.CodigoT05, G.NombreT05, "
                "C.DescripcionT03 ORDER BY C.DescripcionT03, G.CodigoT05" % CENTRE),
        "columns": [col("DescripcionT03", "Curso", width=200), col("CodigoT05", "Grupo", width=80),
                    col("NombreT05", "Nombre", width=220), col("Activas", "Activas", width=70),
                    col("Total", "Total", width=70)],
    }
    for screen in s.values():
        screen.setdefault("form", [])
    return s


def nodes():
    n = []

    def node(id_, parent, kind, caption, screen=None):
        d = {"id": id_, "parent": parent, "kind": kind, "caption": caption}
        if screen:
            d["screen"] = screen
        n.append(d)

    node(391, 0, 5, "Tablas")
    node(11342, 391, 4, "Centros", "centros")
    node(11780, 391, 4, "Alumnos=Ctrl+Shift+A", "alumnos")
    node(11778, 391, 4, "Cursos=Ctrl+Shift+C", "cursos")
    node(11779, 391, 4, "Grupos=Ctrl+Shift+G", "grupos")
    node(11782, 391, 4, "Matrículas=Ctrl+Shift+M", "matriculas")
    node(5, 391, 4, "Profesores", "profesores")
    node(242, 391, 4, "Conceptos de matrícula", "conceptos")
    node(88, 391, 4, "Tarifas de precios", "tarifas")
    node(213, 391, 4, "Formas de cobro", "formascobro")
    node(11343, 391, 4, "Series de facturas", "series")
    node(11344, 391, 4, "Tipos de IVA", "tiposiva")
    node(11345, 391, 4, "Tipos de incidencias", "tiposincidencias")
    node(193, 391, 4, "Incidencias", "incidencias")
    node(10722, 0, 5, "Facturación")
    node(10723, 10722, 4, "Facturas=Ctrl+Shift+F", "facturas")
    node(10724, 10722, 4, "Conceptos a facturar", "conceptos_facturar")
    node(348, 10722, 4, "Liquidaciones", "liquidaciones")
    node(11161, 0, 5, "Histórico")
    node(296, 11161, 4, "Boletines de notas", "boletines")
    node(11632, 11161, 4, "Formatos de boletines de notas", "formatosboletines")
    node(303, 11161, 4, "Faltas de asistencia", "faltas")
    node(11335, 0, 5, "Consultas")
    node(11336, 11335, 4, "Facturas pendientes de cobro", "consulta_pendientes")
    node(11337, 11335, 4, "Facturas devueltas", "consulta_devueltas")
    node(11338, 11335, 4, "Alumnos sin datos bancarios", "consulta_sinbanco")
    node(11339, 11335, 4, "Matrículas por grupo", "consulta_matriculasgrupo")
    return n


def texts_of(app):
    """Every text of the application file a user reads, in order, without menu shortcuts."""
    found = []

    def add(text):
        text = (text or "").split("=")[0].strip()
        if text and text not in found:
            found.append(text)

    def control(c):
        add(c.get("label"))
        for child in c.get("children", []):
            control(child)

    for n in app["nodes"]:
        add(n.get("caption"))
    for s in app["screens"].values():
        add(s.get("caption"))
        for c in s.get("columns", []):
            add(c.get("title"))
        for c in s.get("form", []):
            control(c)
        for b in s.get("buttons", []):
            add(b.get("caption"))
    return found


def language_files(app):
    """resources/lang/application.<code>.lng for each language: the texts keyed by Spanish."""
    import apptexts
    table = {es: (en, ca) for es, en, ca in apptexts.TEXTS}
    missing = [t for t in texts_of(app) if t not in table]
    if missing:
        sys.exit("texts without translation in tools/apptexts.py: " + ", ".join(missing))
    files = {}
    for code, column, language in (("en", 0, "English"), ("ca", 1, "Catalan")):
        lines = ["; ZMK-Escolia: the texts of the application file's screens (%s), written by" % language,
                 "; tools/genappfile.py from tools/apptexts.py; appended to the program's language file.",
                 "", "[Application.Texts]"]
        lines += ["%s=%s" % (es, table[es][column]) for es in texts_of(app)]
        files["application.%s.lng" % code] = "\n".join(lines) + "\n"
    return files


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    app = {"application": "ZMK-Escolia 2014 EXTENDED", "title": "ZMK-Escolia v16", "version": 2, "nodes": nodes(), "screens": screens()}
    outputs = {os.path.join(root, "resources", "escolia.zmk"): json.dumps(app, ensure_ascii=False, indent=1) + "\n"}
    for name, text in language_files(app).items():
        outputs[os.path.join(root, "resources", "lang", name)] = text
    if len(sys.argv) > 1 and sys.argv[1] == "--check":
        for path, text in outputs.items():
            with open(path, encoding="utf-8") as f:
                if f.read() != text:
                    print("%s differs from what tools/genappfile.py writes" % path)
                    sys.exit(1)
        return
    for path, text in outputs.items():
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
