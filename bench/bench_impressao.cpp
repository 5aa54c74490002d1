// Printing a project of 100 boards of 4 × 4 items with pictures to a PDF, each board drawn at
// 1280 × 1024: pages per second (median of 5 jobs) and the memory the process holds while the
// job runs, early and late in the job (it must not grow with the number of boards).
//   QT_QPA_PLATFORM=offscreen build/bench/bench_impressao [BOARDS]
#include "../tests/support/pranchas_com_figuras.h"
#include "desenho/saida_impressa.h"
#include "desenho/trabalho_impressao.h"
#include "medidas.h"
#include "nucleo/pranchas_arquivo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    QTemporaryDir pasta;
    definePastaProjeto(pasta.path());
    montaPranchasComFiguras(pasta.path(), n);
    QList<int> todas;
    for (int k = 0; k < n; ++k)
        todas << k;
    const QString pdf = pasta.filePath("pranchas.pdf");

    std::vector<double> paginasPorSegundo;
    long inicioMax = 0, fimMax = 0;
    for (int rodada = 0; rodada < 5; ++rodada) {
        QPrinter impressora(QPrinter::HighResolution);
        preparaImpressora(impressora, "bench");
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(pdf);
        TrabalhoDeImpressao trabalho(impressora, todas, QSize(1280, 1024));
        QElapsedTimer t;
        t.start();
        if (!trabalho.comeca()) return 1;
        while (!trabalho.acabou()) {
            if (!trabalho.imprimeProxima()) return 1;
            const long rss = memoriaKb("VmRSS:");
            if (trabalho.feitas() <= n / 10) inicioMax = std::max(inicioMax, rss);
            if (trabalho.feitas() > n - n / 10) fimMax = std::max(fimMax, rss);
        }
        if (!trabalho.termina()) return 1;
        paginasPorSegundo.push_back(n * 1000.0 / double(t.elapsed()));
        std::printf("job %d: %.1f pages/s, PDF %.1f MB\n", rodada + 1, paginasPorSegundo.back(),
                    QFileInfo(pdf).size() / 1e6);
    }
    std::printf(
        "%d boards: median %.1f pages/s; RSS max over the first tenth of the pages %ld KiB, "
        "over the last tenth %ld KiB; peak (VmHWM) %ld KiB\n",
        n, mediana(paginasPorSegundo), inicioMax, fimMax, memoriaKb("VmHWM:"));
    return 0;
}
