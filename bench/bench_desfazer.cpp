// Undo and redo on a large project: a 1,000-board project of 6 x 8 boards, each step one
// ordinary edit (an item stored from its dialog, a board added, a board removed), undone and
// redone; and the memory 100 such steps keep. Prints medians in milliseconds.
//   BUILD_BENCH/bench/bench_desfazer [PRANCHAS]
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "medidas.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace {

TProjeto projetoGrande(int nPranchas) {
    TProjeto p;
    for (int i = 0; i < nPranchas; ++i) {
        TPrancha b;
        b.nome = b.titulo = QStringLiteral("PRANCHA %1").arg(i);
        b.nLinhas = 6;
        b.nColunas = 8;
        for (int j = 0; j < 48; ++j) {
            TItem it;
            it.rotulo = QStringLiteral("item %1 %2").arg(i).arg(j);
            it.figura = it.rotulo + QStringLiteral(".jpg");
            it.fala = it.rotulo;
            it.link = QStringLiteral("PRANCHA %1").arg((i + j) % nPranchas);
            b.itens << it;
        }
        p.pranchas << b;
    }
    return p;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int nPranchas = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    TProjeto p = projetoGrande(nPranchas);
    DocumentoProjeto d(p);
    d.recarrega();
    const long antes = memoriaKb("VmRSS:");

    std::vector<double> desfazer, refazer;
    QElapsedTimer t;
    for (int k = 0; k < 100; ++k) {
        const int i = (k * 37) % nPranchas;
        d.selecionaPrancha(i);
        switch (k % 3) {
        case 0: {
            TItem it = p.pranchas[i].itens[k % 48];
            it.rotulo += QStringLiteral(" editado");
            d.guardaItem(i, k % 48, it);
            break;
        }
        case 1:
            d.inserePrancha(QStringLiteral("NOVA %1").arg(k));
            break;
        default:
            d.removePrancha();
            break;
        }
    }
    const long depois = memoriaKb("VmRSS:");
    for (int k = 0; k < 100; ++k) {
        t.start();
        d.historico().undo();
        desfazer.push_back(t.nsecsElapsed() / 1e6);
    }
    for (int k = 0; k < 100; ++k) {
        t.start();
        d.historico().redo();
        refazer.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("projeto de %d pranchas de 48 itens, 100 passos\n", nPranchas);
    std::printf("desfazer: mediana %.3f ms (máximo %.3f)\n", mediana(desfazer),
                *std::max_element(desfazer.begin(), desfazer.end()));
    std::printf("refazer:  mediana %.3f ms (máximo %.3f)\n", mediana(refazer),
                *std::max_element(refazer.begin(), refazer.end()));
    std::printf("memória dos 100 passos: %.1f MB\n", (depois - antes) / 1024.0);
    return 0;
}
