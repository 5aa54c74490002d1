// Drawing a 6 x 8 board of 48 distinct photographs at 1920 x 1080, against decoding the same
// files at their cell size alone. Prints medians in milliseconds and their ratio.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desenho/desenho.h"
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

} // namespace

int main(int argc, char** argv) {
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

    std::vector<double> desenho, decodificacao;
    QImage destino(tamanho, QImage::Format_RGB32);
    for (int volta = 0; volta < 9; ++volta) {
        QElapsedTimer t;
        t.start();
        TPranchaGraf graf;
        desenhaPranchaGraf(graf, QStringLiteral("Fotografias"), 8, 6, 0xFFFFFF, itens, &superficie);
        {
            QPainter p(&destino);
            pintaPranchaGraf(p, graf);
        }
        desenho.push_back(t.nsecsElapsed() / 1e6);
        liberaPranchaGraf(graf);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        t.restart();
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
    std::printf("desenho 6x8 em 1920x1080: mediana %.1f ms\n", md);
    std::printf("decodificacao das 48 figuras no tamanho da celula (uma thread): mediana %.1f ms\n",
                mc);
    std::printf("razao: %.2f\n", md / mc);
    QDir::setCurrent(antes);
    return 0;
}
