// escolia-cli's company-list, file-version and upgrade commands, run in-process.
#include <QTextStream>

#include "cli/cmd_empresas.h"
#include "cli/commands.h"
#include "core/empresasacciones.h"
#include "tests/core/test_versiones_datos.h"

namespace zmk::test {
namespace {

class EmpresasCli : public EntornoBD {
  protected:
    int Run(const QString& name, const QStringList& args) {
        cli::RegisterEmpresasCommands();
        out_.clear();
        QString err;
        QTextStream out(&out_), errs(&err), in(stdin);
        cli::CliContext ctx{QString(), std::nullopt, args, &out, &errs, &in};
        const int status = cli::RunCommand(name, ctx);
        out.flush();
        return status;
    }
    QString out_;
};

TEST_F(EmpresasCli, ListsAddsAndRemovesEntries) {
    const QString ini = Path(QStringLiteral("x.INI"));
    const QString file = ArchivoVersion(4, QStringLiteral("a.MDB"));
    EXPECT_EQ(Run(QStringLiteral("company"), {QStringLiteral("add"), QStringLiteral("Academia"),
                                              file, QStringLiteral("--ini"), ini}),
              0);
    EXPECT_EQ(out_, QStringLiteral("BDEmpresa1\n"));
    Run(QStringLiteral("company"), {QStringLiteral("list"), QStringLiteral("--ini"), ini});
    EXPECT_EQ(out_, QStringLiteral("0\tBDEmpresa1\tAcademia\t-1\t") + file + u'\n');
    Run(QStringLiteral("company"),
        {QStringLiteral("remove"), QStringLiteral("0"), QStringLiteral("--ini"), ini});
    Run(QStringLiteral("company"), {QStringLiteral("list"), QStringLiteral("--ini"), ini});
    EXPECT_TRUE(out_.isEmpty());
    EXPECT_THROW(Run(QStringLiteral("company"),
                     {QStringLiteral("remove"), QStringLiteral("0"), QStringLiteral("--ini"), ini}),
                 cli::UsageError);
}

TEST_F(EmpresasCli, ReadsVersionsAndUpgradesWithTheMastersItBuilds) {
    const QString v3 = ArchivoVersion(3, QStringLiteral("v3.MDB"));
    const QString masters = Path(QStringLiteral("masters"));
    Run(QStringLiteral("dbfile"), {QStringLiteral("version"), v3});
    EXPECT_EQ(out_, QStringLiteral("ZMK Escolia EXT\t3\tZMKEscoExtV3\n"));
    const QString dest = Path(QStringLiteral("nueva.MDB"));
    EXPECT_EQ(Run(QStringLiteral("dbfile"),
                  {QStringLiteral("upgrade"), v3, dest, QStringLiteral("--masters"), masters}),
              0);
    EXPECT_EQ(out_.trimmed().toInt(), ConsultasImportacion(4).size());
    EXPECT_EQ(CompruebaVersion(dest, 4, false, false), 4);
    EXPECT_FALSE(TDataBaseZMK::Open(dest)->TableExists(QStringLiteral("TZMKImportVersions")));
}

TEST_F(EmpresasCli, AFailedSelectionMarksTheEntryForRereading) {
    QSettings ini(Path(QStringLiteral("x.INI")), QSettings::IniFormat);
    TEmpresasBD empresas(ini);
    const QString otra = ArchivoVersion(4, QStringLiteral("otra.MDB"));
    Ejecuta(otra, {QStringLiteral("UPDATE TZMKVersionInfo SET NombreAplicacion = 'ZMK Otro'")});
    TDataBaseEntry e{QStringLiteral("Otra"), 4, otra, QString(), QString()};
    empresas.DataBases().Add(e);
    EXPECT_TRUE(Error([&] {
                    SeleccionaEmpresa(empresas, 0);
                }).startsWith(QStringLiteral("El archivo NO PERTENECE")));
    EXPECT_EQ(empresas.DataBases().Entry(0).version, -1);
    EXPECT_EQ(Error([&] { SeleccionaEmpresa(empresas, -1); }),
              QStringLiteral("No hay ninguna Base de Datos seleccionada"));
}

}  // namespace
}  // namespace zmk::test
