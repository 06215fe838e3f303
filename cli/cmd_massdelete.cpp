#include "cli/cmd_massdelete.h"

#include "cli/commands.h"
#include "rules/borradomasivo.h"

namespace zmk::cli {

namespace {

int RunMassDelete(CliContext& ctx) {
    if (ctx.args.size() != 1)
        throw UsageError{QStringLiteral("mass-delete necesita la lista de casillas")};
    TCasillasBorrado casillas;
    const QStringList claves = ctx.args.first().split(u',', Qt::SkipEmptyParts);
    if (claves.isEmpty())
        throw UsageError{QStringLiteral("mass-delete necesita la lista de casillas")};
    // Every key word is checked before anything is asked or deleted.
    QList<int> elegidas;
    for (const QString& clave : claves) {
        const int casilla = CasillaDeClave(clave);
        if (casilla < 0)
            throw UsageError{QStringLiteral("Casilla desconocida: ") + clave.trimmed()};
        elegidas << casilla;
    }
    OpenDefaultDatabase(ctx);
    // Clicked one by one as on the form: forced boxes follow, the teachers' question is asked.
    for (int casilla : elegidas)
        if (!casillas.Marcada(casilla)) casillas.Click(casilla, true);
    const QStringList marcadas = casillas.Claves();
    if (marcadas.isEmpty()) {
        *ctx.err << "No se ha borrado nada: ninguna casilla quedó marcada\n";
        return kExitFailed;
    }
    EjecutarBorradoMasivo(casillas);
    *ctx.out << "Borrado: " << marcadas.join(u',') << '\n';
    return kExitOk;
}

}  // namespace

void RegisterMassDeleteCommand() {
    QStringList claves;
    for (int i = 0; i < kNumCasillasBorrado; ++i)
        claves << QLatin1String(DatosCasillaBorrado(i).clave);
    RegisterCommand(QStringLiteral("mass-delete"),
                    QStringLiteral("mass-delete CASILLA,...   borrado masivo del centro actual; "
                                   "casillas: ") +
                        claves.join(u','),
                    RunMassDelete);
}

}  // namespace zmk::cli
