"""The building blocks of the application file: columns, fields, buttons, look-ups and the
forms several screens share. Used by tools/genappfile.py and tools/appfile_screens*.py.
"""

MONEY = "money"
DATE = "date"
DATETIME = "datetime"
TIME = "time"
CENTRE = ":PRMIDCentroActual"
# An invoice's state in words, for the lists; the copy a return leaves pending is named as the
# returned receipt presented again.
INVOICE_STATE = ("CASE WHEN DevueltaT15 = TRUE THEN 'Devuelta' WHEN CobradaT15 = TRUE THEN 'Cobrada' "
                 "WHEN FechaDevolucionT15 IS NOT NULL THEN 'Pendiente: recibo devuelto presentado "
                 "de nuevo' ELSE 'Pendiente' END AS EstadoFacturaT15")


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
