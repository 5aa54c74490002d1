// The editor's record operations on the project and its button enabling.
#include "desenho/desenho.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
TProjeto projetoCom(int nPranchas) {
    TProjeto p;
    for (int i = 0; i < nPranchas; ++i)
        inserePranchaNoProjeto(p, i - 1, QString("P%1").arg(i));
    return p;
}
} // namespace

class TstEditorRegistros : public QObject {
    Q_OBJECT
private slots:
    void novaPranchaNoProjetoVazio() {
        TProjeto p;
        QCOMPARE(inserePranchaNoProjeto(p, -1, "Casa"), 0);
        QCOMPARE(p.nPranchas(), 1);
        const TPrancha& b = p.pranchas[0];
        QCOMPARE(b.nome, QString("Casa"));
        QCOMPARE(b.titulo, QString("Casa"));
        QCOMPARE(b.nColunas, 3);
        QCOMPARE(b.nLinhas, 3);
        QCOMPARE(b.cor, semCor);
        QCOMPARE(b.nItens(), 0);
        QVERIFY(b.itens.isEmpty());
    }
    void posicaoDeInsercaoDaPrancha() {
        TProjeto p = projetoCom(5);
        QCOMPARE(inserePranchaNoProjeto(p, 2, " nova "), 3);
        QCOMPARE(p.pranchas[3].nome, QString(" nova ")); // taken as typed
        QCOMPARE(p.pranchas[4].nome, QString("P3"));
        QCOMPARE(inserePranchaNoProjeto(p, -1, "topo"), 0);
        QCOMPARE(p.pranchas[1].nome, QString("P0"));
        QCOMPARE(p.nPranchas(), 7);
        QCOMPARE(p.pranchas.size(), 7);
    }
    void posicaoECamposDoNovoItem() {
        TPrancha b;
        QCOMPARE(insereItemNaPrancha(b, -1, "a"), 0);
        QCOMPARE(insereItemNaPrancha(b, 0, "c"), 1);
        b.itens[1].semRotulo = b.itens[1].semFigura = b.itens[1].deslocHoriz = true;
        b.itens[1].dimMoldura = TDimMoldura::grossa;
        QCOMPARE(insereItemNaPrancha(b, 0, "b"), 1); // between a and c
        QCOMPARE(insereItemNaPrancha(b, 2, "d"), 3); // last selected: appended
        QCOMPARE(b.nItens(), 4);
        const TItem& n = b.itens[1];
        QCOMPARE(n.rotulo, QString("b"));
        QVERIFY(!n.semRotulo && !n.semFigura && !n.deslocHoriz);
        QCOMPARE(n.dimMoldura, TDimMoldura::sem);
        QCOMPARE(n.posTexto, TPosVertical::cima);
        QCOMPARE(n.dimTexto, 36);
        QCOMPARE(n.cor, semCor);
        QVERIFY(n.figura.isEmpty() && n.som.isEmpty() && n.executar.isEmpty());
        QCOMPARE(b.itens[2].rotulo, QString("c"));
    }
    void duplicaItemSemFiguraLevaORotulo() {
        TPrancha b;
        insereItemNaPrancha(b, -1, "água");
        b.itens[0].som = "agua.wav";
        b.itens[0].dimTexto = 20;
        b.itens[0].semRotulo = true;
        const int q = insereItemNaPrancha(b, 0, "copia");
        copiaItemAnterior(b, q);
        QCOMPARE(b.itens[1].rotulo, QString("copia"));
        QCOMPARE(b.itens[1].figura, QString("água"));
        QCOMPARE(b.itens[1].som, QString("agua.wav"));
        QCOMPARE(b.itens[1].dimTexto, 20);
        QVERIFY(b.itens[1].semRotulo);
        b.itens[0].figura = "copo.jpg";
        copiaItemAnterior(b, 1);
        QCOMPARE(b.itens[1].figura, QString("copo.jpg"));
    }
    void duplicaPranchaCopiaItensMasNaoONome() {
        TProjeto p = projetoCom(1);
        p.pranchas[0].nColunas = 4;
        p.pranchas[0].som = "s.wav";
        insereItemNaPrancha(p.pranchas[0], -1, "x");
        const int d = inserePranchaNoProjeto(p, 0, "Dup");
        copiaPranchaAnterior(p, d);
        QCOMPARE(p.pranchas[1].nome, QString("Dup"));
        QCOMPARE(p.pranchas[1].titulo, QString("Dup"));
        QCOMPARE(p.pranchas[1].nColunas, 4);
        QCOMPARE(p.pranchas[1].som, QString("s.wav"));
        QCOMPARE(p.pranchas[1].nItens(), 1);
        p.pranchas[1].itens[0].rotulo = "mudou";
        QCOMPARE(p.pranchas[0].itens[0].rotulo, QString("x")); // a copy, not shared
    }
    void moverERemover() {
        TProjeto p = projetoCom(3);
        QVERIFY(!trocaPranchas(p, 0, -1));
        QVERIFY(!trocaPranchas(p, 2, 3));
        QVERIFY(trocaPranchas(p, 1, 2));
        QCOMPARE(p.pranchas[2].nome, QString("P1"));
        QVERIFY(removePranchaDoProjeto(p, 2)); // the last board
        QCOMPARE(p.nPranchas(), 2);
        QVERIFY(!removePranchaDoProjeto(p, 2));
        p.pranchaInicial = "P0";
        removeTodasAsPranchas(p);
        QCOMPARE(p.nPranchas(), 0);
        QVERIFY(p.pranchas.isEmpty());
        QCOMPARE(p.pranchaInicial, QString("P0"));
    }
    void habilitacaoDosBotoes() {
        EstadoBotoes e = estadoBotoes(0, 0, false);
        QVERIFY(e.novaPrancha && !e.comandosPrancha && e.novoItem && !e.comandosItem);
        e = estadoBotoes(2, 0, true);
        QVERIFY(e.comandosPrancha && e.novoItem && !e.comandosItem);
        e = estadoBotoes(2, 3, true);
        QVERIFY(e.comandosPrancha && e.novoItem && e.comandosItem);
        e = estadoBotoes(2, 3, false);
        QVERIFY(!e.novoItem && e.comandosItem);
    }
    void dozeItensNaGradeTresPorTres() {
        QTemporaryDir dir;
        pastaProjeto = copiaDadosDeTeste(dir);
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "Grande");
        for (int j = 0; j < 12; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, QString("i%1").arg(j));
        QCOMPARE(projeto.pranchas[0].nItens(), 12);
        QWidget sup;
        sup.resize(600, 400);
        TPranchaGraf graf;
        const TPrancha& b = projeto.pranchas[0];
        desenhaPranchaGraf(graf, b.titulo, b.nColunas, b.nLinhas, b.cor, b.itens, &sup);
        int desenhados = 0;
        for (const TItemGraf& g : graf.itensGraf)
            desenhados += g.criado ? 1 : 0;
        QCOMPARE(desenhados, 9);
        liberaPranchaGraf(graf);

        // Two saves: the backup keeps the file of before the first.
        QFile antes(pastaProjeto + "/pranchas.pra");
        QVERIFY(antes.open(QIODevice::WriteOnly));
        antes.write("[Projeto]\nnome=antigo\n");
        antes.close();
        QVERIFY(salvarProjeto());
        QVERIFY(salvarProjeto());
        QFile bak(pastaProjeto + "/pranchas.bak");
        QVERIFY(bak.open(QIODevice::ReadOnly));
        QVERIFY(bak.readAll().contains("antigo"));
        carregaPranchas(pastaProjeto);
        QCOMPARE(projeto.nPranchas(), 1);
        QCOMPARE(projeto.pranchas[0].nItens(), 9);
    }

    // The library is listed once: ".jpg" in any case, names kept as written, upper-cased with
    // their accents for the comparisons; what is added later is seen at the next start.
    void bibliotecaDeFiguras() {
        QTemporaryDir pasta;
        for (const char* n : {"casa.jpg", "Água.JPG", "foto.jpeg", "bola.png", "avó.jpg"})
            QVERIFY(QFile(pasta.filePath(QString::fromUtf8(n))).open(QIODevice::WriteOnly));
        usaBibliotecaFiguras(pasta.path());
        QCOMPARE(bibliotecaFiguras(), pasta.path());
        QStringList nomes = listaFiguras();
        nomes.sort();
        QCOMPARE(nomes, (QStringList{"avó", "casa", "Água"}));
        QVERIFY(listaFigurasMaiusculas().contains("AVÓ"));
        QVERIFY(listaFigurasMaiusculas().contains("ÁGUA"));
        QCOMPARE(listaFiguras().size(), listaFigurasMaiusculas().size());
        QVERIFY(QFile(pasta.filePath("nova.jpg")).open(QIODevice::WriteOnly));
        QCOMPARE(listaFiguras().size(), 3);
        usaBibliotecaFiguras({});
    }
};

QTEST_MAIN(TstEditorRegistros)
#include "tst_editor_registros.moc"
