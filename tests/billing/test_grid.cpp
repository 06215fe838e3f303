// The ids behind the rows picked on a grid, for lists with and without a key.
#include <gtest/gtest.h>

#include "billing/grid.h"
#include "host/dataset.h"
#include "host/grid.h"
#include "host/querysql.h"
#include "tests/support/testdb.h"

namespace zmk {
namespace {

class Rejilla : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* nombre : {"Ana", "Blas", "Carla"})
            t_.db().ExecuteSQL(
                QStringLiteral("INSERT INTO T01Alumnos (NombreT01) VALUES ('%1')").arg(nombre));
    }
    TZMKDBGrid& Abre(const QString& sql, bool soloLectura) {
        consulta_ = std::make_unique<TQuerySQL>(t_.db().GetTSQLDataSet(sql, soloLectura));
        consulta_->DataSet().Open();
        grid_ = std::make_unique<TZMKDBGrid>(*consulta_);
        return *grid_;
    }
    test::TestDatabase t_;
    std::unique_ptr<TQuerySQL> consulta_;
    std::unique_ptr<TZMKDBGrid> grid_;
};

TEST_F(Rejilla, SelectedRowsOfAKeyedListAreFoundByKeyInTheOrderChosen) {
    TZMKDBGrid& grid = Abre(QStringLiteral("SELECT * FROM T01Alumnos ORDER BY NombreT01"), false);
    ASSERT_FALSE(grid.DataSet().KeyField().isEmpty());
    grid.SetSelectedKeys({3, 1, 99});
    QList<int> ids;
    EXPECT_EQ(GetIDsDelDBGrid(grid, QStringLiteral("IDAlumnoT01"), msgSeleccionados, ids), 2);
    EXPECT_EQ(ids, (QList<int>{3, 1}));
    EXPECT_EQ(grid.DataSet().RecNo(), 1);
}

TEST_F(Rejilla, SelectedRowsOfAListWithoutKeyAreItsRecordNumbers) {
    // A query's list: descending order, so record numbers and ids differ.
    TZMKDBGrid& grid = Abre(
        QStringLiteral("SELECT IDAlumnoT01, NombreT01 FROM T01Alumnos ORDER BY NombreT01 DESC"),
        true);
    ASSERT_TRUE(grid.DataSet().KeyField().isEmpty());
    grid.DataSet().SetRecNo(2);
    grid.SetSelectedKeys({1, 3, 4, 0});
    QList<int> ids;
    EXPECT_EQ(GetIDsDelDBGrid(grid, QStringLiteral("IDAlumnoT01"), msgSeleccionados, ids), 2);
    EXPECT_EQ(ids, (QList<int>{3, 1}));
    EXPECT_EQ(grid.DataSet().RecNo(), 2);
}

}  // namespace
}  // namespace zmk
