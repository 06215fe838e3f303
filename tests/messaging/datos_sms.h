#pragma once
// Students with phones on a screen's grid, for the SMS tests.
#include <QString>
#include <memory>

#include "host/grid.h"
#include "host/querysql.h"
#include "messaging/agendasms.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class AlumnosSMS {
  public:
    // Ana (valid phone, code 7), Blas (invalid phone), Carla (valid, with both parents' phones).
    AlumnosSMS() {
        Inserta("Ana Gil", "600 111 222", 7, "", "");
        Inserta("Blas Roca", "555123456", 8, "", "");
        Inserta("Carla Pons", "+34 611-222-333", 9, "699000111", "722333444");
        consulta_ = std::make_unique<TQuerySQL>(t.db().GetTSQLDataSet(
            QStringLiteral("SELECT * FROM T01Alumnos ORDER BY IDAlumnoT01"), false));
        consulta_->DataSet().Open();
        grid = std::make_unique<TZMKDBGrid>(*consulta_);
    }
    static TOrigenAgenda Origen() {
        return {QStringLiteral("T01Alumnos"), QStringLiteral("IDAlumnoT01"),
                QStringLiteral("NombreCompletoT01"), QStringLiteral("Telf1T01"),
                QStringLiteral("CodigoT01, EMailT01")};
    }
    TestDatabase t;
    std::unique_ptr<TZMKDBGrid> grid;

  private:
    void Inserta(const char* nombre, const char* telefono, int codigo, const char* padre,
                 const char* madre) {
        t.db().Prepared(QStringLiteral("INSERT INTO T01Alumnos (NombreCompletoT01, Telf1T01, "
                                       "CodigoT01, TelfPadreT01, TelfMadreT01) VALUES (?,?,?,?,?)"),
                        {QString::fromUtf8(nombre), QString::fromUtf8(telefono), codigo,
                         QString::fromUtf8(padre), QString::fromUtf8(madre)});
    }
    std::unique_ptr<TQuerySQL> consulta_;
};

}  // namespace zmk::test
