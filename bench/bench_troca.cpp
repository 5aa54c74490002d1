// Open Board Format exchange at scale: a project of 100 boards and 1,500 pictures (generated
// here, never committed) exported to an .obz and imported from it by the program's command line,
// each five times, process start included. Prints the medians, the package's size and the
// largest resident memory any of those processes reached.
//   build-bench/bench/bench_troca [PRANCHAS] [FIGURAS]
#include "medidas.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/pranchas_formato.h"
#include "nucleo/prvars.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int vezes = 5;
constexpr int linhas = 3, colunas = 5;

// A picture about the size of a pictogram: shapes on a coloured ground, with noise so it does
// not compress to nothing.
QByteArray figura(int n, QRandomGenerator& acaso) {
    QImage img(300, 300, QImage::Format_RGB32);
    img.fill(QColor::fromHsv(n * 37 % 360, 60, 240));
    QPainter p(&img);
    for (int k = 0; k < 12; ++k) {
        p.setBrush(QColor::fromHsv(int(acaso.bounded(360)), 200, 200));
        p.drawEllipse(int(acaso.bounded(250)), int(acaso.bounded(250)), 60, 60);
    }
    p.end();
    for (int k = 0; k < 3000; ++k)
        img.setPixel(int(acaso.bounded(300)), int(acaso.bounded(300)), acaso.generate());
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG", 85);
    return b;
}

bool geraProjeto(const QString& pasta, int nPranchas, int nFiguras) {
    QRandomGenerator acaso(31);
    QList<QPair<QString, QByteArray>> arquivos;
    for (int f = 0; f < nFiguras; ++f)
        arquivos.append({pasta + QStringLiteral("/f%1.jpg").arg(f), figura(f, acaso)});
    TProjeto p =
        lePranchas(QByteArrayLiteral("[CONFIG]\r\n"), QDateTime::currentDateTime()).projeto;
    limpaPranchas(p);
    int f = 0;
    for (int i = 0; i < nPranchas; ++i) {
        TPrancha b;
        b.nome = QStringLiteral("P%1").arg(i + 1);
        b.titulo = b.nome;
        b.nLinhas = linhas;
        b.nColunas = colunas;
        b.itens.resize(linhas * colunas);
        for (int k = 0; k < b.itens.size(); ++k) {
            TItem& it = b.itens[k];
            it.rotulo = QStringLiteral("item %1.%2").arg(i + 1).arg(k + 1);
            it.figura = QStringLiteral("f%1.jpg").arg(f++ % nFiguras);
            it.fala = it.rotulo;
        }
        b.itens[0].link = QStringLiteral("P%1").arg((i + 1) % nPranchas + 1);
        p.pranchas.append(b);
    }
    p.pranchaInicial = QStringLiteral("P1");
    arquivos.append({pasta + QStringLiteral("/pranchas.pra"), textoPranchas(p).bytes});
    return gravaArquivosSeguros(arquivos).isEmpty();
}

// Milliseconds from starting the program to its end; -1 when it failed.
double roda(const QString& programa, const QStringList& args) {
    QElapsedTimer t;
    t.start();
    QProcess z;
    z.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    z.start(programa, args);
    if (!z.waitForFinished(600000) || z.exitStatus() != QProcess::NormalExit || z.exitCode() != 0) {
        std::fprintf(stderr, "falhou: %s\n%s", qPrintable(args.join(u' ')),
                     z.readAllStandardOutput().constData());
        return -1;
    }
    return double(t.nsecsElapsed()) / 1e6;
}

long picoDosFilhosKb() {
    rusage uso{};
    getrusage(RUSAGE_CHILDREN, &uso);
    return uso.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int nPranchas = args.value(1, QStringLiteral("100")).toInt();
    const int nFiguras = args.value(2, QStringLiteral("1500")).toInt();
    const QString programa =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../src/app/zelvana");
    QTemporaryDir dir;
    const QString projeto = dir.filePath(QStringLiteral("projeto"));
    QDir().mkpath(projeto);
    if (!geraProjeto(projeto, nPranchas, nFiguras)) return 1;
    const QString obz = dir.filePath(QStringLiteral("p.obz"));
    std::printf("%d pranchas, %d figuras (%lld MB no projeto)\n", nPranchas, nFiguras, [&] {
        qint64 t = 0;
        for (const QFileInfo& i : QDir(projeto).entryInfoList(QDir::Files))
            t += i.size();
        return t / (1024 * 1024);
    }());

    std::vector<double> exporta, importa;
    for (int k = 0; k < vezes; ++k) {
        const double ms = roda(programa, {QStringLiteral("--exportar-obz"), projeto, obz});
        if (ms < 0) return 1;
        exporta.push_back(ms);
    }
    const long picoExporta = picoDosFilhosKb();
    for (int k = 0; k < vezes; ++k) {
        const QString destino = dir.filePath(QStringLiteral("importado%1").arg(k));
        const double ms = roda(programa, {QStringLiteral("--importar-obz"), obz, destino});
        if (ms < 0) return 1;
        importa.push_back(ms);
        QDir(destino).removeRecursively();
    }
    std::printf("pacote: %lld MB\n", QFileInfo(obz).size() / (1024 * 1024));
    std::printf("exportar (mediana de %d): %.0f ms\n", vezes, mediana(exporta));
    std::printf("importar (mediana de %d): %.0f ms\n", vezes, mediana(importa));
    std::printf("memória residente máxima: exportar %ld MB, exportar e importar %ld MB\n",
                picoExporta / 1024, picoDosFilhosKb() / 1024);
    return 0;
}
