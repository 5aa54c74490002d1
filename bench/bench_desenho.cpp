// Drawing a 6 x 8 board of 48 distinct photographs at 1920 x 1080, against decoding the same
// files at their cell size alone; then the same board in a run on a 1920 x 1080 screen, reached
// by a click on another board, from the click to its pixels: a board new to the run (its files
// changed since it was last drawn) and a board seen before. Prints medians in milliseconds.
//   build/bench/bench_desenho        (on its own offscreen screen of 1920 x 1080)
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "clique.h"
#include "desenho/desenho.h"
#include "janelas/execucao/form_executa.h"
#include "medidas.h"

namespace {

// Gradients with noise compress roughly like a photograph.
void geraFoto(const QString& arquivo, quint32 semente) {
    QRandomGenerator rng(semente);
    QImage im(1000, 1000, QImage::Format_RGB32);
    const int a = rng.bounded(256), b = rng.bounded(256);
    for (int y = 0; y < 1000; ++y) {
        auto* linha = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < 1000; ++x) {
            const int ruido = rng.bounded(48);
            linha[x] = qRgb((x * 255 / 999 + a + ruido) & 255, (y * 255 / 999 + ruido) & 255,
                            ((x + y) * 127 / 999 + b + ruido) & 255);
        }
    }
    im.save(arquivo, "JPG", 85);
}

// A later time on every photo: the next drawing must read them again.
void mudaFotos(int n, int volta) {
    for (int i = 0; i < n; ++i) {
        QFile f(QStringLiteral("foto%1.jpg").arg(i));
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(QDateTime::currentDateTime().addSecs(volta),
                          QFileDevice::FileModificationTime);
    }
}

void imprime(const char* nome, const std::vector<double>& v) {
    std::printf("%-44s", nome);
    for (double x : v)
        std::printf(" %5.1f", x);
    std::printf("   mediana %.1f ms\n", mediana(v));
}

// From a click on the one item of VOLTA, whose link leads to the photo board, to that board's
// pixels; odd rounds after the photos changed on disk, even ones with the board seen before.
void medeExecucao(const TItemArray& fotos, int voltas) {
    limpaPranchas(projeto);
    projeto.falando = false;
    projeto.sintetizando = false;
    projeto.tempoHisterese = 0;
    projeto.tempoVarredura = 0;
    projeto.tempoAutoClique = 0;
    projeto.tempoSocorro = 0;
    TPrancha p;
    p.nome = p.titulo = QStringLiteral("FOTOS");
    p.nColunas = 8;
    p.nLinhas = 6;
    p.itens = fotos;
    for (TItem& it : p.itens)
        it.link = QStringLiteral("VOLTA");
    TPrancha v;
    v.nome = v.titulo = QStringLiteral("VOLTA");
    v.nColunas = v.nLinhas = 1;
    TItem voltar;
    voltar.rotulo = QStringLiteral("voltar");
    voltar.semFigura = true;
    voltar.link = QStringLiteral("FOTOS");
    v.itens = {voltar};
    projeto.pranchas = {p, v};

    QElapsedTimer relogio;
    relogio.start();
    MarcaTroca marca(relogio);
    qApp->installEventFilter(&marca);
    std::vector<double> nova, revista;
    TFormExecuta runner;
    if (!runner.preparaExecucao(QStringLiteral("VOLTA"))) return;
    runner.show();
    const auto pronta = [&](const QString& titulo) {
        return esperaAte(
            [&] {
                return runner.isActiveWindow() && runner.graf().criada &&
                       runner.graf().labelTitulo && runner.graf().labelTitulo->texto == titulo &&
                       !runner.motor().ocupado && runner.motor().pendente < 0;
            },
            10000, 5);
    };
    QRandomGenerator acaso(7);
    for (int k = 0; k < 2 * voltas; ++k) {
        if (!pronta(QStringLiteral("VOLTA"))) break;
        if (k % 2 == 0) mudaFotos(int(fotos.size()), k + 1);
        espera(100 + int(acaso.bounded(200))); // at any moment of the run's 200 ms tick
        marca.aguarda(QStringLiteral("FOTOS"));
        clica(runner.graf().itensGraf[0].painel);
        if (!esperaAte([&] { return marca.pixels >= 0; }, 10000)) break;
        (k % 2 == 0 ? nova : revista).push_back(marca.pixels - marca.soltura);
        if (!pronta(QStringLiteral("FOTOS"))) break;
        espera(100 + int(acaso.bounded(200)));
        clica(runner.graf().itensGraf[0].painel);
    }
    runner.close();
    qApp->removeEventFilter(&marca);
    std::printf("execução 1920x1080, clique -> pixels da prancha de 48 fotos (ms):\n");
    imprime("  prancha nova (fotos mudadas no disco)", nova);
    imprime("  prancha vista antes", revista);
}

} // namespace

int main(int argc, char** argv) {
    // A screen of 1920 x 1080 of its own, unless a platform is chosen.
    QTemporaryDir config;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QFile tela(config.filePath(QStringLiteral("tela.json")));
        if (tela.open(QIODevice::WriteOnly))
            tela.write(R"({"screens": [{"name": "tela", "x": 0, "y": 0, "width": 1920,)"
                       R"( "height": 1080, "logicalDpi": 96, "logicalBase": 96, "dpr": 1}]})");
        tela.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + tela.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    QTemporaryDir pasta;
    const QString antes = QDir::currentPath();
    QDir::setCurrent(pasta.path());
    TItemArray itens;
    for (int i = 0; i < 48; ++i) {
        const QString nome = QStringLiteral("foto%1").arg(i);
        geraFoto(nome + QStringLiteral(".jpg"), 1000 + i);
        TItem it;
        it.rotulo = nome;
        it.cor = 0xE0E0E0;
        it.dimMoldura = TDimMoldura::fina;
        itens.append(it);
    }
    const QSize tamanho(1920, 1080);
    QWidget superficie;
    superficie.resize(tamanho);

    // The picture areas as the drawing lays them out.
    std::vector<QSize> areas;
    {
        TPranchaGraf graf;
        desenhaPranchaGraf(graf, QStringLiteral("Fotografias"), 8, 6, 0xFFFFFF, itens, &superficie);
        for (const TItemGraf& it : graf.itensGraf)
            areas.push_back(it.imagem->size());
        liberaPranchaGraf(graf);
    }

    std::vector<double> desenho, revisto, decodificacao;
    QImage destino(tamanho, QImage::Format_RGB32);
    for (int volta = 0; volta < 9; ++volta) {
        // Drawn again with its files unchanged, then after they changed (read again).
        for (const bool mudadas : {false, true}) {
            if (mudadas) mudaFotos(48, volta + 1);
            QElapsedTimer t;
            t.start();
            TPranchaGraf graf;
            desenhaPranchaGraf(graf, QStringLiteral("Fotografias"), 8, 6, 0xFFFFFF, itens,
                               &superficie);
            {
                QPainter p(&destino);
                pintaPranchaGraf(p, graf);
            }
            (mudadas ? desenho : revisto).push_back(t.nsecsElapsed() / 1e6);
            liberaPranchaGraf(graf);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 48; ++i) {
            QImageReader leitor(QStringLiteral("foto%1.jpg").arg(i));
            const QSize s = leitor.size().scaled(areas[i], Qt::KeepAspectRatio);
            leitor.setScaledSize(s);
            const QImage im = leitor.read();
            if (im.isNull()) return 1;
        }
        decodificacao.push_back(t.nsecsElapsed() / 1e6);
    }
    const double md = mediana(desenho), mc = mediana(decodificacao);
    std::printf("desenho 6x8 em 1920x1080 (fotos mudadas no disco): mediana %.1f ms\n", md);
    std::printf("desenho 6x8 em 1920x1080 (fotos iguais, de novo): mediana %.1f ms\n",
                mediana(revisto));
    std::printf("decodificacao das 48 figuras no tamanho da celula (uma thread): mediana %.1f ms\n",
                mc);
    std::printf("razao: %.2f\n", md / mc);
    medeExecucao(itens, argc > 1 ? std::max(1, std::atoi(argv[1])) : 10);
    QDir::setCurrent(antes);
    return 0;
}
