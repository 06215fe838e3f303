#pragma once
// A company file made from the schema, with one active centre (1), for escolia-cli's tests: each
// command runs on that file with that centre current.
#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>

#include "schema/schema.h"
#include "tests/support/testdb.h"

namespace zmk::test {

class CliEmpresa : public ::testing::Test {
  protected:
    void SetUp() override {
        db = dir.filePath(QStringLiteral("empresa.db"));
        schema::CreateCompanyDatabase(db);
        ASSERT_EQ(Run({"sql",
                       "INSERT INTO T20Centros (IDCentroT20, NombreCentroT20, ActivoT20) "
                       "VALUES (1, 'C', 1)"})
                      .status,
                  0);
    }
    CliResult Run(const QStringList& args) {
        return RunCli(QStringList{"--db", db, "--centre", "1"} + args);
    }

    QTemporaryDir dir;
    QString db;
};

}  // namespace zmk::test
