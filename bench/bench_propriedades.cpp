// The property dialogs as the author feels them: the picker refiltering its list at each key
// on a library of 20,000 names, and the item dialog opened on an item of a 20 x 20 board,
// from the call to the first paint of the item's picture. Prints medians in milliseconds.
//   scripts/com-servicos.sh BUILD_BENCH/bench/bench_propriedades
#include "desenho/desenho.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/sel_figura.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "medidas.h"
#include "nucleo/pranchas_arquivo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Word-like names with accents, as a library named in Portuguese has them.
QString palavra(QRandomGenerator& rng) {
    static const QStringList silabas = {
        QStringLiteral("ca"), QStringLiteral("sa"), QStringLiteral("bo"),  QStringLiteral("la"),
        QStringLiteral("me"), QStringLiteral("ni"), QStringLiteral("ção"), QStringLiteral("pé"),
        QStringLiteral("tu"), QStringLiteral("ra"), QStringLiteral("gua"), QStringLiteral("lhe"),
        QStringLiteral("ma"), QStringLiteral("do"), QStringLiteral("ví"),  QStringLiteral("xo"),
        QStringLiteral("fe"), QStringLiteral("ri"), QStringLiteral("zã"),  QStringLiteral("po")};
    QString p;
    const int n = 2 + rng.bounded(3);
    for (int k = 0; k < n; ++k)
        p += silabas[rng.bounded(int(silabas.size()))];
    return p;
}

// Gradients with noise compress roughly like a photograph.
void foto(const QString& arquivo, int lado) {
    QImage im(lado, lado, QImage::Format_RGB32);
    QRandomGenerator rng(lado);
    for (int y = 0; y < lado; ++y) {
        auto* linha = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < lado; ++x)
            linha[x] = qRgb(x * 255 / lado, y * 255 / lado, rng.bounded(64));
    }
    im.save(arquivo, "JPG", 85);
}

void refiltro() {
    QTemporaryDir pasta;
    QRandomGenerator rng(14);
    QStringList nomes;
    while (nomes.size() < 20000) {
        const QString n = palavra(rng) + QString::number(nomes.size());
        QFile(pasta.filePath(n + QStringLiteral(".jpg"))).open(QIODevice::WriteOnly);
        nomes << n;
    }
    usaBibliotecaFiguras(pasta.path());
    TformSelFigura seletor;
    // The library is listed once, at the first use.
    QElapsedTimer t;
    t.start();
    const int listadas = int(listaFiguras().size());
    const double listagem = t.nsecsElapsed() / 1e6;

    // The first letters typed also put the library in alphabetical order, once.
    t.restart();
    seletor.e_iniciais->setText(QStringLiteral("ca"));
    const double primeiro = t.nsecsElapsed() / 1e6;
    seletor.e_iniciais->clear();

    std::vector<double> umaLetra, duasLetras, mais;
    size_t maiorLista = 0;
    for (int k = 0; k < 300; ++k) {
        const QString alvo = nomes[rng.bounded(int(nomes.size()))];
        for (int n = 1; n <= 6 && n <= alvo.size(); ++n) {
            t.restart();
            seletor.e_iniciais->setText(alvo.left(n));
            const double ms = t.nsecsElapsed() / 1e6;
            (n == 1 ? umaLetra : n == 2 ? duasLetras : mais).push_back(ms);
            maiorLista = std::max(maiorLista, size_t(seletor.l_arquivos->count()));
        }
    }
    std::vector<double> todas = umaLetra;
    todas.insert(todas.end(), duasLetras.begin(), duasLetras.end());
    todas.insert(todas.end(), mais.begin(), mais.end());
    std::printf("biblioteca de %d nomes: listada em %.1f ms, primeiro refiltro (com a ordem "
                "alfabetica) %.1f ms, uma vez\n",
                listadas, listagem, primeiro);
    std::printf("refiltro por tecla: mediana %.3f ms (1 letra %.3f, 2 letras %.3f, 3 ou mais "
                "%.3f; maior lista %zu nomes; %zu teclas)\n",
                mediana(todas), mediana(umaLetra), mediana(duasLetras), mediana(mais), maiorLista,
                todas.size());
}

// Notes the first paint of the item's picture in the dialog.
class PrimeiraPintura : public QObject {
public:
    bool pintou = false;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override {
        if (e->type() == QEvent::Paint && qobject_cast<ImagemGraf*>(alvo)) pintou = true;
        return false;
    }
};

void dialogoDeItem(int ladoDaFoto) {
    QTemporaryDir pasta;
    definePastaProjeto(pasta.path());
    for (int k = 0; k < 20; ++k)
        foto(pasta.filePath(QStringLiteral("foto%1.jpg").arg(k)), ladoDaFoto);
    projeto = TProjeto{};
    inserePranchaNoProjeto(projeto, -1, QStringLiteral("grande"));
    TPrancha& b = projeto.pranchas[0];
    b.nColunas = b.nLinhas = 20;
    for (int j = 0; j < 400; ++j) {
        insereItemNaPrancha(b, j - 1, QStringLiteral("item %1").arg(j));
        b.itens[j].figura = QStringLiteral("foto%1.jpg").arg(j % 20);
        b.itens[j].dimMoldura = TDimMoldura::fina;
    }
    DocumentoProjeto doc(projeto);
    TformConfigItem dialogo(doc);
    PrimeiraPintura pintura;
    qApp->installEventFilter(&pintura);
    std::vector<double> tempos;
    for (int k = 0; k < 41; ++k) {
        QElapsedTimer t;
        t.start();
        pintura.pintou = false;
        dialogo.carregaItem(0, (k * 37) % 400);
        dialogo.show();
        while (!pintura.pintou)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        tempos.push_back(t.nsecsElapsed() / 1e6);
        dialogo.hide();
        QCoreApplication::processEvents();
    }
    qApp->removeEventFilter(&pintura);
    std::printf("dialogo de item num quadro 20 x 20, fotos de %d x %d: primeira pintura da "
                "previa, mediana %.1f ms (primeira abertura %.1f ms)\n",
                ladoDaFoto, ladoDaFoto, mediana(tempos), tempos.front());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString antes = QDir::currentPath();
    refiltro();
    dialogoDeItem(200);
    dialogoDeItem(1600);
    QDir::setCurrent(antes);
    return 0;
}
