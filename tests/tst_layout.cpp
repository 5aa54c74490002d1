// Layout arithmetic and the drawing of boards on offscreen surfaces.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include "desenho/desenho.h"
#include "desenho/figuras_recentes.h"
#include "desenho/geometria.h"
#include "desenho/legenda.h"

namespace {

TItem item(const QString& rotulo, TColor cor = 0x00FF00) {
    TItem it;
    it.rotulo = rotulo;
    it.cor = cor;
    return it;
}

// A folder made current for the test's lifetime.
struct PastaAtual {
    QTemporaryDir dir;
    QString antes = QDir::currentPath();
    PastaAtual() { QDir::setCurrent(dir.path()); }
    ~PastaAtual() { QDir::setCurrent(antes); }
    void foto(const QString& nome, QSize tam, QColor cor) {
        QImage im(tam, QImage::Format_RGB32);
        im.fill(cor);
        QVERIFY(im.save(dir.filePath(nome), "JPG"));
    }
};

} // namespace

class TstLayout : public QObject {
    Q_OBJECT
private slots:
    void arredondamento();
    void celulas();
    void molduraLegendaArea();
    void ajuste();
    void legendaNaoPerdeLetras();
    void wildcards();
    void desenhoPixels();
    void figuraDanificada();
    void precedenciaEVazio();
    void widgetIgualImagem();
    void figurasRecentesNuncaVelhas();
};

void TstLayout::arredondamento() {
    QCOMPARE(arredondaPar(5, 2), 2);
    QCOMPARE(arredondaPar(7, 2), 4);
    QCOMPARE(arredondaPar(-5, 2), -2);
    QCOMPARE(arredondaPar(10, 3), 3);
    QCOMPARE(arredondaPar(11, 3), 4);
    QCOMPARE(pixelsDaFonte(36, 96), 48);
    QCOMPARE(pixelsDaFonte(3, 96), 4); // 3.5 goes up here, unlike N
    QCOMPARE(pontosDaFonte(400, 36, 1080), 13);
}

void TstLayout::celulas() {
    QCOMPARE(calculaCelula(0, 1000, 800, 1, 1, 0, false), QRect(QPoint(100, 80), QPoint(900, 720)));
    QCOMPARE(calculaCelula(0, 1000, 800, 1, 1, 0, false).width(), 801);
    const QRect r0 = calculaCelula(0, 700, 700, 2, 1, 40, false);
    const QRect r1 = calculaCelula(1, 700, 700, 2, 1, 40, false);
    QCOMPARE(r0.top(), 40);
    QCOMPARE(r0.bottom(), 335);
    QCOMPARE(r1.top(), 370);
    QCOMPARE(r1.bottom(), 665);
    // Gap rounding: W*10/100/nc = 2.5 goes to 2, 3.5 goes to 4.
    QCOMPARE(calculaCelula(0, 25, 100, 1, 1, 0, false).left(), 2);
    QCOMPARE(calculaCelula(0, 35, 100, 1, 1, 0, false).left(), 4);
    // A shift on the last column runs past the right edge.
    QCOMPARE(calculaCelula(2, 900, 600, 1, 3, 0, false), QRect(QPoint(610, 60), QPoint(870, 540)));
    const QRect desloc = calculaCelula(2, 900, 600, 1, 3, 0, true);
    QCOMPARE(desloc, QRect(QPoint(740, 60), QPoint(1000, 540)));
    QVERIFY(desloc.right() > 900);
    QVERIFY(calculaCelula(0, 100, 100, 0, 3, 0, false).isNull());
}

void TstLayout::molduraLegendaArea() {
    QCOMPARE(larguraMoldura(TDimMoldura::grossa, 200), 12);
    QCOMPARE(larguraMoldura(TDimMoldura::media, 200), 4);
    QCOMPARE(larguraMoldura(TDimMoldura::fina, 200), 1);
    QCOMPARE(larguraMoldura(TDimMoldura::sem, 200), 0);
    QCOMPARE(alturaLegenda(120, 20), 22);
    QCOMPARE(caixaLegenda(TPosVertical::baixo, 200, 120, 4, 22), QRect(4, 94, 192, 22));
    QCOMPARE(caixaLegenda(TPosVertical::meio, 200, 120, 4, 22), QRect(4, 49, 192, 22));
    QCOMPARE(caixaLegenda(TPosVertical::cima, 200, 120, 4, 22), QRect(4, 4, 192, 22));
    // m = 3; area 7..; 200-14 wide, 120-14 high, minus the label.
    QCOMPARE(areaFigura(TPosVertical::baixo, 200, 120, 4, 22), QRect(7, 7, 186, 84));
    QCOMPARE(areaFigura(TPosVertical::cima, 200, 120, 4, 22), QRect(7, 29, 186, 84));
    QCOMPARE(areaFigura(TPosVertical::meio, 200, 120, 4, 22), QRect(7, 7, 186, 106));
    QCOMPARE(areaFigura(TPosVertical::baixo, 200, 120, 4, 0), QRect(7, 7, 186, 106));
}

void TstLayout::ajuste() {
    QCOMPARE(ajustaFigura(QSize(1000, 500), QSize(200, 200)), QRect(0, 50, 200, 100));
    QCOMPARE(ajustaFigura(QSize(1000, 500), QSize(200, 50)), QRect(50, 0, 100, 50));
    QCOMPARE(ajustaFigura(QSize(300, 900), QSize(200, 200)), QRect(67, 0, 66, 200));
    QCOMPARE(ajustaFigura(QSize(100, 100), QSize(300, 200)), QRect(50, 0, 200, 200));
    QCOMPARE(ajustaFigura(QSize(100, 100), QSize(0, 200)), QRect());
}

// Every line as wide as its box at most, and every line's ink (descenders too) inside it.
void TstLayout::legendaNaoPerdeLetras() {
    QFont f(QStringLiteral("Arial Narrow"));
    f.setBold(true);
    f.setPixelSize(30);
    LegendaAjustada a;
    const auto cabe = [&](const QString& texto, QSize caixa) {
        a = ajustaLegenda(texto, f, caixa);
        QFont g = f;
        g.setPixelSize(a.pixels);
        const QFontMetrics m(g);
        QCOMPARE(a.linhas.join(u' '), texto);
        for (int i = 0; i < a.linhas.size(); ++i) {
            const QRect tinta = m.tightBoundingRect(a.linhas[i]);
            const int base = a.primeiraBase + i * a.passo;
            QVERIFY2(m.horizontalAdvance(a.linhas[i]) <= caixa.width(), qPrintable(texto));
            QVERIFY2(base + tinta.top() >= 0 && base + tinta.bottom() < caixa.height(),
                     qPrintable(texto));
        }
    };
    // A label that fits is drawn as it always was.
    QVERIFY(ajustaLegenda(QStringLiteral("CASA"), f, QSize(200, 32)).comoSempre);
    // Descenders in a box one font size high: same size, raised just enough.
    cabe(QStringLiteral("g1 jpq"), QSize(200, 30));
    QVERIFY(!a.comoSempre);
    QCOMPARE(a.pixels, 30);
    // Too wide: a little shrinks on one line; much goes to two lines above the floor size.
    cabe(QStringLiteral("comer"), QSize(60, 32));
    QCOMPARE(a.linhas.size(), 1);
    QVERIFY(a.pixels < 30);
    QVERIFY(legendaEmDuasLinhas(QStringLiteral("I want to talk to you"), f, 120));
    cabe(QStringLiteral("I want to talk to you"), QSize(120, 64));
    QCOMPARE(a.linhas.size(), 2);
    QVERIFY(a.pixels >= int(30 * pisoDaLegenda) - 1);
    cabe(QStringLiteral("Pneumoultramicroscópico"), QSize(60, 32)); // one word: only smaller
}

void TstLayout::wildcards() {
    PastaAtual pasta;
    pasta.foto(QStringLiteral("casa.jpg"), QSize(10, 10), Qt::red);
    pasta.foto(QStringLiteral("bola"), QSize(10, 10), Qt::red);
    QCOMPARE(resolveFigura(QStringLiteral("bola"), QStringLiteral("x")), QStringLiteral("bola"));
    QCOMPARE(resolveFigura(QStringLiteral("casa"), QStringLiteral("x")),
             QStringLiteral("casa.jpg"));
    QCOMPARE(resolveFigura(QString(), QStringLiteral("casa")), QStringLiteral("casa.jpg"));
    // A label ending in "?" finds the picture named without it.
    QCOMPARE(resolveFigura(QString(), QStringLiteral("casa?")), QStringLiteral("casa.jpg"));
    QCOMPARE(resolveFigura(QStringLiteral("ca*"), QString()), QStringLiteral("ca"));
    QCOMPARE(resolveFigura(QStringLiteral("nada"), QStringLiteral("nada")), QString());
    QCOMPARE(resolveFigura(QString(), QStringLiteral("c?sa")), QStringLiteral("csa.jpg"));
}

void TstLayout::desenhoPixels() {
    PastaAtual pasta;
    pasta.foto(QStringLiteral("azul.jpg"), QSize(400, 100), QColor(0, 0, 255));
    TItemArray itens{item(QStringLiteral("azul"), 0x00FF00)};
    itens[0].dimMoldura = TDimMoldura::grossa;
    itens[0].semRotulo = true;
    const QImage im = desenhaPranchaImagem(QString(), 1, 1, 0x0000FF, itens, QSize(1000, 800));
    QCOMPARE(im.pixelColor(50, 50), QColor(255, 0, 0));  // board colour in the gap
    QCOMPARE(im.pixelColor(100, 80), QColor(Qt::black)); // frame (48 px for a 801 px cell)
    QCOMPARE(im.pixelColor(147, 400), QColor(Qt::black));
    QCOMPARE(im.pixelColor(148 + 20, 150), QColor(0, 255, 0)); // item colour above the picture
    const QColor centro = im.pixelColor(500, 400);
    QVERIFY2(centro.blue() > 200 && centro.red() < 60 && centro.green() < 60,
             qPrintable(centro.name()));
}

void TstLayout::figuraDanificada() {
    PastaAtual pasta;
    QFile f(pasta.dir.filePath(QStringLiteral("ruim.jpg")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("\xFF\xD8\xFF\xE0 not really a jpeg");
    f.close();
    // A real picture cut short, as a copy interrupted by a pulled pen drive leaves it: the
    // decoder still hands back a mostly grey picture, which must not be drawn.
    QImage inteira(300, 300, QImage::Format_RGB32);
    inteira.fill(Qt::blue);
    QVERIFY(inteira.save(pasta.dir.filePath(QStringLiteral("inteira.jpg")), "jpeg", 90));
    QFile cheia(pasta.dir.filePath(QStringLiteral("inteira.jpg")));
    QVERIFY(cheia.open(QIODevice::ReadOnly));
    const QByteArray bytes = cheia.readAll();
    QFile cortada(pasta.dir.filePath(QStringLiteral("cortada.jpg")));
    QVERIFY(cortada.open(QIODevice::WriteOnly));
    cortada.write(bytes.left(bytes.size() / 3));
    cortada.close();
    TItemArray itens{item(QStringLiteral("ruim")), item(QStringLiteral("falta")),
                     item(QStringLiteral("cortada")), item(QStringLiteral("inteira"))};
    QWidget sup;
    sup.resize(800, 400);
    TPranchaGraf graf;
    desenhaPranchaGraf(graf, QStringLiteral("T"), 4, 1, 0xFFFFFF, itens, &sup);
    QVERIFY(graf.criada);
    QCOMPARE(graf.itensGraf.size(), 4);
    for (int n = 0; n < 3; ++n) {
        const TItemGraf& it = graf.itensGraf.at(n);
        QVERIFY(it.criado);
        QVERIFY2(it.imagem->figura.isNull(), qPrintable(itens.at(n).rotulo));
        QCOMPARE(it.legenda->texto.isEmpty(), false);
    }
    QVERIFY(!graf.itensGraf.at(3).imagem->figura.isNull());
    liberaPranchaGraf(graf);
    QVERIFY(!graf.criada);
    QVERIFY(graf.itensGraf.isEmpty());
}

void TstLayout::precedenciaEVazio() {
    TItemArray itens{item(QStringLiteral("a")), item(QStringLiteral("b")),
                     item(QStringLiteral("c"))};
    itens[0].deslocHoriz = true;
    itens[2].semRotulo = itens[2].semFigura = true;
    QWidget sup;
    sup.resize(900, 600);
    TPranchaGraf graf;
    desenhaPranchaGraf(graf, QString(), 2, 2, 0xFFFFFF, itens, &sup);
    QCOMPARE(graf.itensGraf.size(), 4);
    QVERIFY(!graf.itensGraf[3].criado); // beyond the item array
    QVERIFY(graf.itensGraf[2].vazio);
    QVERIFY(graf.itensGraf[2].painel->isHidden());
    const QRect c1 = graf.itensGraf[1].painel->geometry();
    // Shifted item 0 covers the left half of item 1, in drawing and in hit-testing.
    const QPoint sobreposto(c1.left() + 5, c1.center().y());
    QCOMPARE(itemNoPonto(graf, sobreposto), 0);
    QCOMPARE(sup.childAt(sobreposto)->parentWidget() == graf.itensGraf[0].painel ||
                 sup.childAt(sobreposto) == graf.itensGraf[0].painel,
             true);
    QCOMPARE(itemNoPonto(graf, QPoint(c1.right() - 2, c1.center().y())), 1);
    const QRect c2 = graf.itensGraf[2].painel->geometry();
    QCOMPARE(itemNoPonto(graf, c2.center()), -1);
    QCOMPARE(itemNoPonto(graf, QPoint(1, 1)), -1);

    int pressionado = -2, solto = -2;
    for (int i = 0; i < graf.itensGraf.size(); ++i)
        ligaEventosItem(
            graf.itensGraf[i], i,
            [&](QWidget* e, QMouseEvent*) { pressionado = indiceDoControle(e); },
            [&](QWidget* e, QMouseEvent*) { solto = indiceDoControle(e); });
    QWidget* alvo = sup.childAt(QPoint(c1.right() - 2, c1.top() + 3)); // the frame lets it through
    QVERIFY(alvo);
    QTest::mousePress(alvo, Qt::LeftButton, {},
                      alvo->mapFrom(&sup, QPoint(c1.right() - 2, c1.top() + 3)));
    QTest::mouseRelease(alvo, Qt::LeftButton, {},
                        alvo->mapFrom(&sup, QPoint(c1.right() - 2, c1.top() + 3)));
    QCOMPARE(pressionado, 1);
    QCOMPARE(solto, 1);
    QCOMPARE(indiceDoControle(graf.itensGraf[1].moldura), -1);
    QCOMPARE(indiceDoControle(graf.labelTitulo), -1);
    QCOMPARE(graf.itensGraf[1].painel->accessibleName(), QStringLiteral("b"));
    liberaPranchaGraf(graf);
}

void TstLayout::widgetIgualImagem() {
    PastaAtual pasta;
    pasta.foto(QStringLiteral("f.jpg"), QSize(300, 200), QColor(200, 30, 30));
    TItemArray itens;
    for (int i = 0; i < 6; ++i) {
        TItem it = item(QStringLiteral("f"), TColor(0x40A0F0 + i * 16));
        it.posTexto = TPosVertical(i % 3);
        it.dimMoldura = TDimMoldura(i % 4);
        itens.append(it);
    }
    itens[4].deslocHoriz = true;
    QWidget sup;
    sup.resize(640, 480);
    TPranchaGraf graf;
    desenhaPranchaGraf(graf, QStringLiteral("Título"), 3, 2, 0xC0FFC0, itens, &sup);
    const QImage doWidget = sup.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage pintada(sup.size(), QImage::Format_RGB32);
    {
        QPainter p(&pintada);
        pintaPranchaGraf(p, graf);
    }
    QCOMPARE(doWidget.size(), pintada.size());
    QVERIFY(doWidget == pintada);
    const QImage avulsa =
        desenhaPranchaImagem(QStringLiteral("Título"), 3, 2, 0xC0FFC0, itens, sup.size());
    QVERIFY(avulsa == pintada);
    QVERIFY(QFontInfo(graf.labelTitulo->fonte).family().contains(QStringLiteral("Narrow")));
    QVERIFY(graf.labelTitulo->fonte.bold());
    if (!qEnvironmentVariableIsEmpty("ZELVANA_GUARDA_DESENHO"))
        pintada.save(qEnvironmentVariable("ZELVANA_GUARDA_DESENHO"));
    liberaPranchaGraf(graf);
}

// A board drawn again takes its picture from memory; a file changed since (same size, a later
// time; or another size) is read again, and another cell size decodes anew.
void TstLayout::figurasRecentesNuncaVelhas() {
    PastaAtual pasta;
    const QString caminho = pasta.dir.filePath(QStringLiteral("cor.bmp"));
    const auto grava = [&](QColor cor, QSize tam) {
        QImage im(tam, QImage::Format_RGB32);
        im.fill(cor);
        QVERIFY(im.save(caminho, "BMP"));
    };
    const auto corNoCentro = [](const FiguraLida& f) {
        return f.imagem.pixelColor(f.imagem.rect().center());
    };
    grava(Qt::red, QSize(200, 100));
    const FiguraLida a = leFiguraRecente(QStringLiteral("cor.bmp"), QSize(100, 100));
    QCOMPARE(corNoCentro(a), QColor(Qt::red));
    QVERIFY(bytesFigurasRecentes() >= a.imagem.sizeInBytes());
    QCOMPARE(leFiguraRecente(QStringLiteral("cor.bmp"), QSize(100, 100)).imagem.cacheKey(),
             a.imagem.cacheKey());
    const FiguraLida outraArea = leFiguraRecente(QStringLiteral("cor.bmp"), QSize(50, 50));
    QCOMPARE(outraArea.imagem.size(), QSize(50, 25));

    QFile arquivo(caminho);
    const QDateTime antes = QFileInfo(caminho).lastModified();
    grava(Qt::blue, QSize(200, 100)); // the same bytes long
    QVERIFY(arquivo.open(QIODevice::ReadWrite));
    QVERIFY(arquivo.setFileTime(antes.addMSecs(1), QFileDevice::FileModificationTime));
    arquivo.close();
    QCOMPARE(corNoCentro(leFiguraRecente(QStringLiteral("cor.bmp"), QSize(100, 100))),
             QColor(Qt::blue));

    grava(Qt::green, QSize(202, 100)); // longer, with the time put back
    QVERIFY(arquivo.open(QIODevice::ReadWrite));
    QVERIFY(arquivo.setFileTime(antes.addMSecs(1), QFileDevice::FileModificationTime));
    arquivo.close();
    const FiguraLida c = leFiguraRecente(QStringLiteral("cor.bmp"), QSize(100, 100));
    QCOMPARE(corNoCentro(c), QColor(Qt::green));
    // Through the drawing too: a board drawn again shows the file as it is now.
    TItemArray itens{item(QStringLiteral("x"))};
    itens[0].figura = QStringLiteral("cor.bmp");
    itens[0].semRotulo = true;
    QCOMPARE(desenhaPranchaImagem(QString(), 1, 1, 0xFFFFFF, itens, QSize(400, 400))
                 .pixelColor(200, 200),
             QColor(Qt::green));
    grava(Qt::yellow, QSize(202, 100));
    QVERIFY(arquivo.open(QIODevice::ReadWrite));
    QVERIFY(arquivo.setFileTime(antes.addMSecs(2), QFileDevice::FileModificationTime));
    arquivo.close();
    QCOMPARE(desenhaPranchaImagem(QString(), 1, 1, 0xFFFFFF, itens, QSize(400, 400))
                 .pixelColor(200, 200),
             QColor(Qt::yellow));
}

QTEST_MAIN(TstLayout)
#include "tst_layout.moc"
