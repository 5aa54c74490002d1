// The pictogram library: naming rules and the files the build produced.
#include "desenho.h"
#include "nomes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

class TestFiguras : public QObject {
    Q_OBJECT
private slots:
    void nomes() {
        QCOMPARE(nomeDeArquivo(QStringLiteral("a\u0301gua")), QStringLiteral("\u00e1gua"));
        QVERIFY(nomeDeArquivo(QStringLiteral("av\u00f3")) !=
                nomeDeArquivo(QStringLiteral("av\u00f4")));
        QCOMPARE(nomeDeArquivo(QStringLiteral("bandeira: Brasil")),
                 QStringLiteral("bandeira Brasil"));
        QCOMPARE(nomeDeArquivo(QStringLiteral("a/b\\c|d<e>f?g*h\"")), QStringLiteral("abcdefgh"));
        QCOMPARE(nomeDeArquivo(QStringLiteral("fim. ")), QStringLiteral("fim"));
        QCOMPARE(nomeDeArquivo(QStringLiteral("nul")), QStringLiteral("nul_"));
        QVERIFY(nomeDeArquivo(QStringLiteral("?*")).isEmpty());
    }
    void precedenciaEColisao() {
        const QList<Palavra> voc{
            {QStringLiteral("casa"), QStringLiteral("A"), Origem::vocabulario}};
        const Montagem m =
            montaBiblioteca(voc, {{QStringLiteral("casa"), QStringLiteral("B"), Origem::cldr},
                                  {QStringLiteral("Casa"), QStringLiteral("C"), Origem::cldr}});
        QCOMPARE(m.figuras.size(), 2);
        QCOMPARE(m.erros.size(), 1);
        for (const Figura& f : m.figuras)
            if (f.arquivo == QLatin1String("casa.jpg")) QCOMPARE(f.emoji, QStringLiteral("A"));
    }
    void arquivosProduzidos() {
        const QDir dir(QStringLiteral(ZELVANA_BUILD_DIR "/src/app/ARASAAC_mini"));
        for (const char* p : {"casa", "\u00e1gua", "banheiro", "comer"})
            QVERIFY2(dir.exists(QString::fromUtf8(p) + ".jpg"), p);
        const QStringList jpgs = dir.entryList({QStringLiteral("*.jpg")});
        QVERIFY(jpgs.size() > 2000);
        for (const QString& n : jpgs) {
            QFile f(dir.filePath(n));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray b = f.readAll();
            const int sof = b.indexOf(QByteArray("\xFF\xC0", 2));
            QVERIFY2(sof > 0 && b.indexOf(QByteArray("\xFF\xC2", 2)) < 0, qPrintable(n));
            QCOMPARE((uchar(b[sof + 5]) << 8) | uchar(b[sof + 6]), 200);
            QCOMPARE((uchar(b[sof + 7]) << 8) | uchar(b[sof + 8]), 200);
            QCOMPARE(int(uchar(b[sof + 9])), 3);
            QVERIFY2(temDesenho(QImage::fromData(b)), qPrintable(n));
        }
    }
};

QTEST_GUILESS_MAIN(TestFiguras)
#include "tst_figuras.moc"
