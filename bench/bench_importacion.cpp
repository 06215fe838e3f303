// Speed of the student import from an .xlsx: a workbook of 10,000 students with every default
// column (texts with accents, a birth date formatted as a date, NIF and IBAN) is written with
// libxlsxwriter, then read and imported into an empty centre through the form's logic, as
// escolia-cli import students does, committed. The target is under 3 seconds in all.
// Usage: bench_importacion [STUDENTS]   (10000 by default)
#include <xlsxwriter.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

#include "core/centroactual.h"
#include "core/strings.h"
#include "host/app.h"
#include "host/database.h"
#include "host/prompt.h"
#include "rules/formimportacion.h"
#include "schema/schema.h"
#include "subsystems/subsystems.h"

using namespace zmk;

namespace {

const char* const kColumnas[] = {"Codigo",
                                 "Nombre",
                                 "Apellidos",
                                 "NIF",
                                 "Direccion",
                                 "Poblacion",
                                 "CP",
                                 "Provincia",
                                 "Telf1",
                                 "Telf2",
                                 "Fax",
                                 "TelfPadre",
                                 "NombrePadre",
                                 "DNIPadre",
                                 "TelfMadre",
                                 "NombreMadre",
                                 "DNIMadre",
                                 "Sexo",
                                 "eMail",
                                 "FechaNacimiento",
                                 "CCCNombreTitular",
                                 "IBAN",
                                 "Comentarios"};

std::string Nif(int numero) {
    static const char letras[] = "TRWAGMYFPDXBNJZSQVHLCKE";
    return QString::asprintf("%08d%c", numero, letras[numero % 23]).toStdString();
}

void EscribeLibro(const QString& archivo, int alumnos) {
    lxw_workbook* libro = workbook_new(archivo.toUtf8().constData());
    lxw_worksheet* hoja = workbook_add_worksheet(libro, "Alumnos");
    lxw_format* fecha = workbook_add_format(libro);
    format_set_num_format(fecha, "dd/mm/yyyy");
    int c = 0;
    for (const char* columna : kColumnas)
        worksheet_write_string(hoja, 0, lxw_col_t(c++), columna, nullptr);
    for (int i = 1; i <= alumnos; ++i) {
        const lxw_row_t f = lxw_row_t(i);
        const std::string n = std::to_string(i);
        const std::string nif = Nif(10000000 + i);
        worksheet_write_number(hoja, f, 0, 1000 + i, nullptr);
        worksheet_write_string(hoja, f, 1, ("Núria " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 2, ("Peña Muñoz " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 3, nif.c_str(), nullptr);
        worksheet_write_string(hoja, f, 4, ("Calle Mayor, " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 5, "Castelló de la Plana", nullptr);
        worksheet_write_number(hoja, f, 6, 12001 + i % 7, nullptr);
        worksheet_write_string(hoja, f, 7, "Castellón", nullptr);
        worksheet_write_number(hoja, f, 8, 964000000 + i, nullptr);
        worksheet_write_number(hoja, f, 9, 600000000 + i, nullptr);
        worksheet_write_string(hoja, f, 10, "", nullptr);
        worksheet_write_string(hoja, f, 11, "611 222 333", nullptr);
        worksheet_write_string(hoja, f, 12, ("Josep " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 13, Nif(20000000 + i).c_str(), nullptr);
        worksheet_write_string(hoja, f, 14, "622 333 444", nullptr);
        worksheet_write_string(hoja, f, 15, ("Carmen " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 16, Nif(30000000 + i).c_str(), nullptr);
        worksheet_write_string(hoja, f, 17, i % 2 ? "H" : "M", nullptr);
        worksheet_write_string(hoja, f, 18, ("alumno" + n + "@example.com").c_str(), nullptr);
        lxw_datetime nacimiento = {2005 + i % 12, 1 + i % 12, 1 + i % 28, 0, 0, 0};
        worksheet_write_datetime(hoja, f, 19, &nacimiento, fecha);
        worksheet_write_string(hoja, f, 20, ("Josep " + n).c_str(), nullptr);
        worksheet_write_string(hoja, f, 21, i % 3 ? "ES9121000418450200051332" : "", nullptr);
        worksheet_write_string(hoja, f, 22, "Alumno importado de la hoja de cálculo", nullptr);
    }
    if (workbook_close(libro) != LXW_NO_ERROR)
        throw EZMKError(QStringLiteral("No se pudo escribir el libro"));
}

int Entero(TDataBaseZMK& db, const QString& sql) {
    QSqlQuery q = db.Query(sql);
    return q.next() ? q.value(0).toInt() : 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    schema::InstallFieldTypeResolver();
    RegisterDefaultProgramStrings();
    RegisterAllProcedureBodies();
    const int alumnos = argc > 1 ? std::atoi(argv[1]) : 10000;
    double lectura = 0, total = 0;
    try {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empresa.db"));
        const QString libro = dir.filePath(QStringLiteral("alumnos.xlsx"));
        schema::CreateCompanyDatabase(path);
        EscribeLibro(libro, alumnos);
        ZMKApp().SetDefaultDB(TDataBaseZMK::Open(path));
        SetPromptService(std::make_unique<TScriptedPrompt>());
        TDataBaseZMK& db = DefaultDB();
        for (const char* sql :
             {"INSERT INTO T20Centros (IDCentroT20, NombreCentroT20, ActivoT20) VALUES (1,'C',1)",
              "INSERT INTO T17FormasCobro (UsaNorma19T17) VALUES (0)",
              "INSERT INTO T17FormasCobro (UsaNorma19T17) VALUES (1)"})
            db.ExecuteSQL(QString::fromUtf8(sql));
        FijaCentroActual(1);

        QElapsedTimer t;
        t.start();
        TFormImportacion form;
        if (!form.AbrirOrigen(libro)) throw EZMKError(QStringLiteral("El libro no tiene hojas"));
        lectura = double(t.nsecsElapsed()) / 1e9;
        static_cast<TScriptedPrompt&>(Prompt()).Push(QStringLiteral("yes"));
        const int importados = form.Importar(TRegistrosAImportar::Todos, 0, {});
        total = double(t.nsecsElapsed()) / 1e9;
        std::printf("Importados %d alumnos (%d en la base de datos)\n", importados,
                    Entero(db, QStringLiteral("SELECT COUNT(*) FROM T01Alumnos")));
        ZMKApp().SetDefaultDB(nullptr);
    } catch (const EZMKError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf(
        "Lectura del .xlsx: %.3f s; importación: %.3f s; en total %.3f s (objetivo: "
        "menos de 3 s)\n",
        lectura, total - lectura, total);
    return total < 3.0 ? 0 : 1;
}
