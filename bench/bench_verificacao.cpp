// The project check on a 10,000-board project of 4 × 4 boards, its file look-ups included:
// a folder of 1,000 pictures and 100 sounds that the items name, listed once per check.
// Build: cmake -S . -B build -DZELVANA_BENCH=ON && cmake --build build --target bench_verificacao
// Run:   QT_QPA_PLATFORM=offscreen build/bench/bench_verificacao
#include "logica/som/cabecalho_wav.h"
#include "logica/verificacao/verifica_projeto.h"
#include "nucleo/prvars.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int nPranchas = 10000;
constexpr int nFiguras = 1000;
constexpr int nSons = 100;

void geraPasta(const QString& pasta) {
    QImage figura(200, 200, QImage::Format_RGB32);
    for (int k = 0; k < nFiguras; ++k) {
        figura.fill(QColor::fromHsv(k % 360, 200, 220));
        figura.save(pasta + QString("/figura %1.jpg").arg(k), "JPEG", 90);
    }
    QByteArray wav(tamCabecalhoWav + 22050, '\0');
    montaCabecalhoWav(wav.data(), 22050, 8, 22050, 1);
    for (int k = 0; k < nSons; ++k) {
        QFile f(pasta + QString("/som %1.wav").arg(k));
        f.open(QIODevice::WriteOnly);
        f.write(wav);
    }
}

TProjeto geraProjeto() {
    TProjeto p;
    p.sintetizando = true;
    p.tempoHisterese = 1000;
    p.tempoSocorro = 3000;
    p.pranchaInicial = "PRANCHA 0";
    p.pranchaSocorro = "PRANCHA 1";
    p.pranchas.resize(nPranchas);
    for (int i = 0; i < nPranchas; ++i) {
        TPrancha& b = p.pranchas[i];
        b.nome = QString("PRANCHA %1").arg(i);
        b.titulo = QString("Prancha número %1").arg(i);
        b.nLinhas = b.nColunas = 4;
        b.fala = b.titulo;
        b.itens.resize(16);
        for (int n = 0; n < 16; ++n) {
            TItem& it = b.itens[n];
            it.rotulo = QString("item %1 de %2").arg(n + 1).arg(i);
            it.figura = QString("figura %1.jpg").arg((i * 16 + n) % nFiguras);
            if (n % 4 == 0) it.som = QString("som %1").arg((i + n) % nSons);
            it.fala = QString("Eu quero a coisa número %1 da prancha %2").arg(n).arg(i);
            it.link =
                n == 15 ? QString("#ANTERIOR") : QString("PRANCHA %1").arg((i + n + 1) % nPranchas);
        }
    }
    return p;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    geraPasta(dir.path());
    const TProjeto p = geraProjeto();
    std::vector<double> tempos;
    int achados = -1;
    for (int vez = 0; vez < 7; ++vez) {
        QElapsedTimer relogio;
        relogio.start();
        achados = int(verificaProjeto(p, dir.path()).size());
        tempos.push_back(relogio.nsecsElapsed() / 1e6);
    }
    std::sort(tempos.begin(), tempos.end());
    std::printf("check of %d boards x 16 items, %d pictures, %d sounds: %d findings\n", nPranchas,
                nFiguras, nSons, achados);
    std::printf("median %.1f ms   min %.1f ms   max %.1f ms\n", tempos[tempos.size() / 2],
                tempos.front(), tempos.back());
    return 0;
}
