#!/usr/bin/env python3
"""Writes resources/escolia.zmk, the application file: the menu tree and every data screen.

Run from the repository root after changing a screen here; commit both files.
"""
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from appfile_screens_billing import billing_screens  # noqa: E402
from appfile_screens_classroom import classroom_and_query_screens  # noqa: E402
from appfile_screens_teaching import teaching_screens  # noqa: E402


def screens():
    s = {}
    teaching_screens(s)
    invoice_columns = billing_screens(s)
    classroom_and_query_screens(s, invoice_columns)
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


# The data screens' own toolbar (host/forms/screen.cpp), the same on every screen.
SCREEN_TOOLBAR = ["Nuevo", "Modificar", "Aceptar", "Cancelar", "Borrar", "Refrescar", "Exportar",
                  "Imprimir", "Buscar", "Filtrar"]


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
    for text in SCREEN_TOOLBAR:
        add(text)
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
