"""The classroom screens (bulletins, grades, absences) and the read-only queries."""
from appfile_parts import *  # noqa: F401,F403 (the screens are written in their terms)


def classroom_and_query_screens(s, invoice_columns):
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
        "sql": ("SELECT *, %s FROM T15FacturasCab WHERE IDCentroT15 = %s AND "
                "CobradaT15 = FALSE AND DevueltaT15 = FALSE ORDER BY FechaT15, NumeroT15"
                % (INVOICE_STATE, CENTRE)),
        "columns": invoice_columns[:6] + [col("FechaDevolucionT15", "Devuelta el", DATE, 90),
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
