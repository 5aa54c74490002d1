// Load and save of a 1,000-board project of 16 items each, in memory (the codec alone) and on
// disk (what the program does), against merely reading and writing the same bytes.
// Build: cmake -S . -B build-bench -G Ninja -DZELVANA_BENCH=ON -DZELVANA_TESTS=OFF \
//          -DCMAKE_BUILD_TYPE=Release && cmake --build build-bench --target bench_boardfile
// Run:   build-bench/bench/bench_boardfile [ROUNDS]
#include "medidas.h"
#include "nucleo/avisos.h"
#include "nucleo/pranchas_arquivo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

TProjeto geraProjeto() {
    TProjeto p;
    p.nome = "Pranchas";
    p.autor = "Bancada";
    p.data = "01/01/2026 12:00:00";
    p.pranchas.resize(1000);
    for (int i = 0; i < 1000; ++i) {
        TPrancha& pr = p.pranchas[i];
        pr.nome = QString("PRANCHA %1").arg(i);
        pr.titulo = QString("Prancha número %1").arg(i);
        pr.nLinhas = 4;
        pr.nColunas = 4;
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

// Wall and CPU milliseconds of one run. The ratio is taken on the wall clock; the CPU time
// (this thread's) shows the work itself when the machine is shared.
struct Tempo {
    double parede;
    double cpu;
};

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Tempo mede(const std::function<void()>& f) {
    QElapsedTimer r;
    const double c = cpuMs();
    r.start();
    f();
    return {r.nsecsElapsed() / 1e6, cpuMs() - c};
}

// Runs the raw operation and ours one after the other, `vezes` times, so both see the same
// machine and the same state of the memory allocator; prints the medians and their ratio.
void par(const char* nome, const char* bruto, int vezes, const std::function<void()>& operacaoBruta,
         const std::function<void()>& nossa) {
    std::vector<double> b, n, cb, cn;
    for (int i = 0; i < vezes; ++i) {
        const Tempo tb = mede(operacaoBruta);
        const Tempo tn = mede(nossa);
        b.push_back(tb.parede);
        n.push_back(tn.parede);
        cb.push_back(tb.cpu);
        cn.push_back(tn.cpu);
    }
    const double mb = mediana(b);
    const double mn = mediana(n);
    std::printf("%-16s %7.2f ms   %-10s %6.2f ms   ratio %.3f   (cpu %.2f ms / %.2f ms)\n", nome,
                mn, bruto, mb, mb / mn, mediana(cn), mediana(cb));
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

// The least any save that survives a power cut does: the bytes written and brought to disk, and
// the folder entry too. What ours adds to it is the text itself and the check read back.
void gravaBrutoSincronizado(const QString& caminho, const QByteArray& bytes) {
    QFile g(caminho);
    g.open(QIODevice::WriteOnly);
    g.write(bytes);
    g.flush();
    ::fsync(g.handle());
    g.close();
    const int pasta = ::open(QFile::encodeName(QFileInfo(caminho).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY);
    ::fsync(pasta);
    ::close(pasta);
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
        volatile qint32 n = lePranchas(bytes, agora).projeto.nPranchas();
        (void)n;
    });
    par("load from disk", "raw read", vezes, lidoBruto, [&] { carregaPranchas(dir.path()); });
    par("save in memory", "raw write", vezes, gravadoBruto, [&] {
        volatile qsizetype n = textoPranchas(original).bytes.size();
        (void)n;
    });
    par("save to disk", "raw write", vezes, gravadoBruto,
        [&] { gravaPranchas(dir.path(), "pranchas.pra"); });
    par(
        "save to disk", "raw synced", vezes,
        [&] { gravaBrutoSincronizado(dir.filePath("bruto.pra"), bytes); },
        [&] { gravaPranchas(dir.path(), "pranchas.pra"); });
    // what was saved must have loaded back (the loaded list keeps a spare entry after [CONFIG])
    return projeto.pranchas.mid(0, projeto.nPranchas()) == original.pranchas ? 0 : 1;
}
