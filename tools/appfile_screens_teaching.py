"""The screens of the teaching data and its settings: centres, students, teachers, courses, groups,
enrolments, incidences, concepts, tariffs, payment methods, series and VAT types."""
from appfile_parts import *  # noqa: F401,F403 (the screens are written in their terms)


def teaching_screens(s):
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
