// From the pump that starts an entry (saidaLivre) to its first sample heard on the null sink's
// monitor, for a recording and for speech; prints the medians of 20.
//   scripts/com-servicos.sh build/bench/bench_saida
#include "../tests/support/escuta.h"
#include "platform/audio.h"
#include "runner/fila_saida.h"
#include "runner/voz.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
void espera(int ms) {
    QEventLoop laco;
    QTimer::singleShot(ms, &laco, &QEventLoop::quit);
    laco.exec();
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : (v[v.size() / 2] + v[(v.size() - 1) / 2]) / 2;
}

// One entry: queue it, start it with one pump, listen, return the latency in ms.
double mede(const QString& entrada, bool fala, const QElapsedTimer& relogio, Escuta& escuta) {
    espera(150);
    escuta.drena();
    const int antes = escuta.nJanelas();
    if (fala)
        enfileiraFala(entrada);
    else
        enfileiraSom(entrada);
    const double inicio = relogio.elapsed();
    saidaLivre();
    QElapsedTimer t;
    t.start();
    while (!saidaLivre() && t.elapsed() < 5000)
        espera(20);
    espera(200);
    escuta.drena();
    const int j = escuta.primeiraSoando(antes);
    if (qEnvironmentVariableIsSet("DEPURA"))
        std::fprintf(stderr, "livre em %lld ms, janelas %d -> %d\n", t.elapsed(), antes,
                     escuta.nJanelas());
    if (j < 0) return -1;
    // Within the first window, find the first loud sample.
    int i = j * Escuta::janela;
    while (i < (j + 1) * Escuta::janela && std::abs(escuta.amostras[i]) < 300)
        ++i;
    return escuta.instante(i) - inicio;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!saidaDeAudioDisponivel()) {
        std::fprintf(stderr, "sem saída de som: rode com scripts/com-servicos.sh\n");
        return 1;
    }
    QTemporaryDir pasta;
    QDir::setCurrent(pasta.path());
    gravaTom("tom.wav", 440, 300);
    iniciaVoz(true);
    QElapsedTimer relogio;
    relogio.start();
    Escuta escuta(relogio);
    std::vector<double> gravacao, fala;
    for (int k = 0; k < 20; ++k) {
        gravacao.push_back(mede("tom", false, relogio, escuta));
        fala.push_back(mede("Bom dia", true, relogio, escuta));
    }
    for (double& v : gravacao)
        std::printf("%.0f ", v);
    std::printf("\n");
    for (double& v : fala)
        std::printf("%.0f ", v);
    std::printf("\nmediana gravação: %.0f ms\nmediana fala: %.0f ms\n", mediana(gravacao),
                mediana(fala));
    std::printf("com a espera de um tique de 200 ms: gravação %.0f ms, fala %.0f ms (pior caso)\n",
                mediana(gravacao) + 200, mediana(fala) + 200);
    encerraVoz();
    return 0;
}
