// Transcribing a scratchpad of 100 boards x 20 items (2,100 lines) into an empty project
// against the full pictogram library: the transcription alone, then with its pictures copied
// into the project folder, for a text of everyday words (the core vocabulary, repeated across
// boards as real boards repeat them) and for a text whose every item is a different picture.
// Build: cmake -S . -B build -DZELVANA_BENCH=ON && cmake --build build --target bench_transcricao
// Run:   build/bench/bench_transcricao [library folder, default build/src/app/ARASAAC_mini]
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/rascunho/transcricao.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Each board: a link to the next board, 18 words, and "voltar".
QStringList texto(const QStringList& palavras, int passo) {
    QStringList linhas;
    int k = 0;
    for (int b = 0; b < 100; ++b) {
        linhas << QStringLiteral("[prancha %1]").arg(b);
        linhas << QStringLiteral("prancha %1").arg((b + 1) % 100);
        for (int i = 0; i < 18; ++i)
            linhas << palavras[(k++ * passo) % palavras.size()];
        linhas << QStringLiteral("voltar");
    }
    return linhas;
}

// Milliseconds of the middle one of `vezes` runs of `f`; `prepara` runs untimed before each.
double mediana(int vezes, const std::function<void()>& f,
               const std::function<void()>& prepara = {}) {
    std::vector<double> t;
    for (int i = 0; i < vezes; ++i) {
        if (prepara) prepara();
        QElapsedTimer r;
        r.start();
        f();
        t.push_back(r.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// The core vocabulary's words that have a picture in the library.
QStringList vocabularioBasico(const FigurasDaBiblioteca& figuras) {
    QFile f(QStringLiteral(ZELVANA_SOURCE_DIR "/data/core_vocab_pt_BR.tsv"));
    QStringList r;
    if (!f.open(QIODevice::ReadOnly)) return r;
    for (const QByteArray& linha : f.readAll().split('\n')) {
        const QString palavra = QString::fromUtf8(linha.split('\t').value(0)).trimmed();
        if (!palavra.isEmpty() && !palavra.startsWith(u'#') && figuras.nomes.contains(palavra))
            r << palavra;
    }
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString pasta = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                   : QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/../src/app/ARASAAC_mini");
    usaBibliotecaFiguras(QDir::cleanPath(pasta));
    const FigurasDaBiblioteca figuras = figurasDaBiblioteca();
    if (figuras.nomes.size() < 1000) {
        std::fprintf(stderr, "biblioteca pequena demais em %s (%lld figuras)\n",
                     qPrintable(bibliotecaFiguras()), qlonglong(figuras.nomes.size()));
        return 1;
    }
    const QStringList basico = vocabularioBasico(figuras);
    if (basico.size() < 100) {
        std::fprintf(stderr, "vocabulário básico não encontrado\n");
        return 1;
    }
    const QStringList cotidiano = texto(basico, 1);
    const QStringList variado = texto(figuras.nomes, 7);
    const ConfigRascunho config;

    int nFiguras = 0;
    const double soTranscricao = mediana(15, [&] {
        auto t = transcreveRascunho(TProjeto{}, variado, config, figuras, true);
        nFiguras = int(t->figuras.size());
    });

    std::unique_ptr<QTemporaryDir> projeto;
    int nCopias = 0;
    auto comCopias = [&](const QStringList& linhas) {
        return mediana(
            7,
            [&] {
                auto t = transcreveRascunho(TProjeto{}, linhas, config, figuras, true);
                nCopias = int(t->figuras.size());
                if (!copiaFigurasDaBiblioteca(t->figuras, projeto->path()).isEmpty())
                    std::fprintf(stderr, "cópia falhou\n");
            },
            [&] { projeto = std::make_unique<QTemporaryDir>(); });
    };
    const double tempoCotidiano = comCopias(cotidiano);
    const int copiasCotidiano = nCopias;
    const double tempoVariado = comCopias(variado);

    std::printf("%lld linhas, %lld figuras na biblioteca\n", qlonglong(variado.size()),
                qlonglong(figuras.nomes.size()));
    std::printf("transcrição sem cópias (%d figuras): mediana %.1f ms\n", nFiguras, soTranscricao);
    std::printf("vocabulário básico, %d figuras copiadas: mediana %.1f ms\n", copiasCotidiano,
                tempoCotidiano);
    std::printf("cada item uma figura, %d figuras copiadas: mediana %.1f ms\n", nCopias,
                tempoVariado);
    return 0;
}
