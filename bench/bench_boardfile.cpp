// Load and save of a 1,000-board project against merely reading and writing its bytes.
// Build: cmake -S . -B build -DZELVANA_BENCH=ON && cmake --build build --target bench_boardfile
#include "model/avisos.h"
#include "model/pranchas_arquivo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void geraProjeto() {
    projeto = TProjeto();
    projeto.nome = "Pranchas";
    projeto.autor = "Bancada";
    projeto.data = "01/01/2026 12:00:00";
    projeto.nPranchas = 1000;
    projeto.pranchas.resize(1000);
    for (int i = 0; i < 1000; ++i) {
        TPrancha& p = projeto.pranchas[i];
        p.nome = QString("PRANCHA %1").arg(i);
        p.titulo = QString("Prancha número %1").arg(i);
        p.nLinhas = 4;
        p.nColunas = 4;
        p.nItens = 16;
        p.cor = 65535;
        p.itens.resize(16);
        for (int n = 0; n < 16; ++n) {
            TItem& it = p.itens[n];
            it.rotulo = QString("item %1 de %2").arg(n + 1).arg(i);
            it.figura = QString("figura_%1_%2.jpg").arg(i).arg(n);
            it.link = QString("PRANCHA %1").arg((i + n + 1) % 1000);
            it.fala = QString("Eu quero a coisa número %1 da prancha %2, por favor").arg(n).arg(i);
            it.cor = n % 2 ? 0xFF0000 : 0x00FFC080;
        }
    }
}

double mediana(int vezes, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer r;
        r.start();
        f();
        t.push_back(r.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    instalaAvisos(
        {[](const QString&) {}, [](const QString&, int) {}, [](const QString&) { return false; }});
    QTemporaryDir dir;
    geraProjeto();
    const int vezes = 9;
    const double grava = mediana(vezes, [&] { gravaPranchas(dir.path(), "pranchas.pra"); });
    const QString caminho = dir.filePath("pranchas.pra");
    QFile f(caminho);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    f.close();
    const double carrega = mediana(vezes, [&] { carregaPranchas(dir.path()); });
    const double leBruto = mediana(vezes, [&] {
        QFile g(caminho);
        g.open(QIODevice::ReadOnly);
        volatile qsizetype n = g.readAll().size();
        (void)n;
    });
    const double gravaBruto = mediana(vezes, [&] {
        QFile g(dir.filePath("bruto.pra"));
        g.open(QIODevice::WriteOnly);
        g.write(bytes);
    });
    std::printf("file: %lld bytes, %d boards x 16 items\n", static_cast<long long>(bytes.size()),
                projeto.nPranchas);
    std::printf("load  median %.2f ms   raw read  %.2f ms   ratio raw/load  %.3f\n", carrega,
                leBruto, leBruto / carrega);
    std::printf("save  median %.2f ms   raw write %.2f ms   ratio raw/save  %.3f\n", grava,
                gravaBruto, gravaBruto / grava);
    return 0;
}
