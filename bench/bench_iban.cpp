// Speed of IBAN validation: 1,000,000 IBANs (Spanish and foreign, valid and not) through
// ValidarIBAN, which should take well under a second.
#include <QRandomGenerator>
#include <QStringList>
#include <chrono>
#include <cstdio>

#include "core/bancos.h"

#ifdef ESCOLIA_GOOGLE_BENCHMARK
#include <benchmark/benchmark.h>
#endif

namespace {

constexpr int kIBANs = 1'000'000;

QString Digitos(QRandomGenerator& rng, int n) {
    QString s;
    for (int i = 0; i < n; ++i) s += QChar(u'0' + rng.bounded(10));
    return s;
}

// About nine in ten valid; the rest with one character changed.
QStringList GenerarIBANs() {
    QRandomGenerator rng(2016);
    QStringList ibans;
    ibans.reserve(kIBANs);
    for (int i = 0; i < kIBANs; ++i) {
        QString iban;
        if (i % 4 == 3) {
            iban = zmk::CalcularIBAN(QStringLiteral("DE"), Digitos(rng, 18), true);
        } else {
            const QString eo = Digitos(rng, 8), cuenta = Digitos(rng, 10);
            iban = zmk::CalcularIBAN(
                QStringLiteral("ES"),
                eo + zmk::DigitosControlCCC(eo.left(4), eo.mid(4), cuenta) + cuenta, true);
        }
        if (i % 10 == 9) iban[5 + rng.bounded(10)] = u'7';
        ibans << iban;
    }
    return ibans;
}

int ValidarTodos(const QStringList& ibans) {
    int validos = 0;
    for (const QString& iban : ibans) validos += zmk::ValidarIBAN(iban) == 0;
    return validos;
}

}  // namespace

#ifdef ESCOLIA_GOOGLE_BENCHMARK

static void BM_ValidarIBAN_1M(benchmark::State& state) {
    static const QStringList ibans = GenerarIBANs();
    for (auto _ : state) benchmark::DoNotOptimize(ValidarTodos(ibans));
    state.SetItemsProcessed(state.iterations() * kIBANs);
}
BENCHMARK(BM_ValidarIBAN_1M)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

#else

int main() {
    const QStringList ibans = GenerarIBANs();
    const auto inicio = std::chrono::steady_clock::now();
    const int validos = ValidarTodos(ibans);
    const std::chrono::duration<double> segundos = std::chrono::steady_clock::now() - inicio;
    std::printf("ValidarIBAN: %d IBANs (%d valid) in %.3f s\n", kIBANs, validos, segundos.count());
    return 0;
}

#endif
