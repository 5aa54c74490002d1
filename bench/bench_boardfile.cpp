// Load and save of a 1,000-board project of 16 items each, in memory (the codec alone) and on
// disk (what the program does), against merely reading and writing the same bytes.
// Build: cmake -S . -B build-bench -G Ninja -DZELVANA_BENCH=ON -DZELVANA_TESTS=OFF \
//          -DCMAKE_BUILD_TYPE=Release && cmake --build build-bench --target bench_boardfile
// Run:   build-bench/bench/bench_boardfile [ROUNDS]
#include "model/avisos.h"
#include "model/pranchas_arquivo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

TProjeto geraProjeto() {
    TProjeto p;
    p.nome = "Pranchas";
    p.autor = "Bancada";
    p.data = "01/01/2026 12:00:00";
    p.nPranchas = 1000;
    p.pranchas.resize(1000);
    for (int i = 0; i < 1000; ++i) {
        TPrancha& pr = p.pranchas[i];
        pr.nome = QString("PRANCHA %1").arg(i);
        pr.titulo = QString("Prancha número %1").arg(i);
        pr.nLinhas = 4;
        pr.nColunas = 4;
        pr.nItens = 16;
        pr.cor = 65535;
        pr.itens.resize(16);
        for (int n = 0; n < 16; ++n) {
            TItem& it = pr.itens[n];
            it.rotulo = QString("item %1 de %2").arg(n + 1).arg(i);
            it.figura = QString("figura_%1_%2.jpg").arg(i).arg(n);
            it.link = QString("PRANCHA %1").arg((i + n + 1) % 1000);
            it.fala = QString("Eu quero a coisa número %1 da prancha %2, por favor").arg(n).arg(i);
            it.cor = n % 2 ? 0xFF0000 : 0x00FFC080;
        }
    }
    return p;
}

double mediana(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

double ms(const std::function<void()>& f) {
    QElapsedTimer r;
    r.start();
    f();
    return r.nsecsElapsed() / 1e6;
}

// Runs the raw operation and ours one after the other, `vezes` times, so both see the same
// machine and the same state of the memory allocator; prints both medians and their ratio.
void par(const char* nome, const char* bruto, int vezes, const std::function<void()>& operacaoBruta,
         const std::function<void()>& nossa) {
    std::vector<double> b;
    std::vector<double> n;
    for (int i = 0; i < vezes; ++i) {
        b.push_back(ms(operacaoBruta));
        n.push_back(ms(nossa));
    }
    const double mb = mediana(b);
    const double mn = mediana(n);
    std::printf("%-16s %7.2f ms   %-10s %6.2f ms   ratio %.3f\n", nome, mn, bruto, mb, mb / mn);
}

QByteArray leBruto(const QString& caminho) {
    QFile g(caminho);
    g.open(QIODevice::ReadOnly);
    return g.readAll();
}

void gravaBruto(const QString& caminho, const QByteArray& bytes) {
    QFile g(caminho);
    g.open(QIODevice::WriteOnly);
    g.write(bytes);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    instalaAvisos(
        {[](const QString&) {}, [](const QString&, int) {}, [](const QString&) { return false; }});
    const int vezes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir dir;
    const QString caminho = dir.filePath("pranchas.pra");
    const TProjeto original = geraProjeto();
    projeto = original;
    const QByteArray bytes = textoPranchas(original).bytes;
    gravaBruto(caminho, bytes);
    const QDateTime agora = QDateTime::currentDateTime();

    std::printf("file: %lld bytes, 1000 boards x 16 items, medians of %d pairs\n",
                static_cast<long long>(bytes.size()), vezes);
    const auto lidoBruto = [&] {
        volatile qsizetype n = leBruto(caminho).size();
        (void)n;
    };
    const auto gravadoBruto = [&] { gravaBruto(dir.filePath("bruto.pra"), bytes); };
    par("load in memory", "raw read", vezes, lidoBruto, [&] {
        volatile qint32 n = lePranchas(bytes, agora).projeto.nPranchas;
        (void)n;
    });
    par("load from disk", "raw read", vezes, lidoBruto, [&] { carregaPranchas(dir.path()); });
    par("save in memory", "raw write", vezes, gravadoBruto, [&] {
        volatile qsizetype n = textoPranchas(original).bytes.size();
        (void)n;
    });
    par("save to disk", "raw write", vezes, gravadoBruto,
        [&] { gravaPranchas(dir.path(), "pranchas.pra"); });
    // what was saved must have loaded back (the loaded list keeps a spare entry after [CONFIG])
    return projeto.pranchas.mid(0, projeto.nPranchas) == original.pranchas ? 0 : 1;
}
