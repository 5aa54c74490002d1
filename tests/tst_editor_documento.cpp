// The editor's project document without any window: each operation, the selection it leaves
// and the signals, in order, that the editor's lists follow.
#include "logica/editor/documento_projeto.h"
#include "nucleo/nomes.h"
#include "support/apoio.h"

#include <QtTest>
#include <functional>
#include <utility>

namespace {
// The project with boards named by `nomes`, each with items "<board>0".."<board>n-1".
TProjeto projetoCom(const QStringList& nomes, int itensPorPrancha = 0) {
    TProjeto p;
    for (const QString& nome : nomes) {
        TPrancha b;
        b.nome = b.titulo = nome;
        b.nColunas = b.nLinhas = 3;
        for (int j = 0; j < itensPorPrancha; ++j) {
            TItem it;
            it.rotulo = nome + QString::number(j);
            b.itens << it;
        }
        p.pranchas << b;
    }
    return p;
}

// Every signal of the document, in the order it came.
struct Sinais {
    explicit Sinais(DocumentoProjeto& d) {
        QObject::connect(&d, &DocumentoProjeto::pranchasMudaram, [this] { vistos << "pranchas"; });
        QObject::connect(&d, &DocumentoProjeto::pranchaMudou,
                         [this](int i) { vistos << QString("prancha %1").arg(i); });
        QObject::connect(&d, &DocumentoProjeto::itensMudaram,
                         [this](int i) { vistos << QString("itens %1").arg(i); });
        QObject::connect(&d, &DocumentoProjeto::selecaoMudou,
                         [this](int i) { vistos << QString("selecao %1").arg(i); });
    }
    // What came since the last call.
    QStringList tira() { return std::exchange(vistos, {}); }
    QStringList vistos;
};
} // namespace

class TstEditorDocumento : public QObject {
    Q_OBJECT
private slots:
    void recarregaEscolheAPrimeira() {
        TProjeto p = projetoCom({"A", "B"});
        DocumentoProjeto d(p);
        Sinais s(d);
        QCOMPARE(d.pranchaSelecionada(), -1);
        d.recarrega();
        QCOMPARE(s.tira(), (QStringList{"pranchas", "selecao 0"}));
        QCOMPARE(d.pranchaSelecionada(), 0);
        d.selecionaPrancha(1);
        d.selecionaItem(0); // B has no items
        QCOMPARE(d.itemSelecionado(), -1);
        QCOMPARE(s.tira(), QStringList{"selecao 1"});

        // Replaced from outside with fewer boards: the old selection no longer counts.
        p = projetoCom({"X"});
        QCOMPARE(d.pranchaSelecionada(), -1);
        d.selecionaPrancha(5);
        QCOMPARE(s.tira(), QStringList{"selecao -1"});
        p = TProjeto{};
        d.recarrega();
        QCOMPARE(s.tira(), (QStringList{"pranchas", "selecao -1"}));
    }

    void insereAbaixoDaSelecao() {
        TProjeto p;
        DocumentoProjeto d(p);
        Sinais s(d);
        QCOMPARE(d.insereItem("sem prancha"), -1);
        QVERIFY(s.tira().isEmpty());

        QCOMPARE(d.inserePrancha("A"), 0);
        QCOMPARE(s.tira(), (QStringList{"pranchas", "selecao 0"}));
        QCOMPARE(d.inserePrancha("C"), 1);
        d.selecionaPrancha(0);
        QCOMPARE(d.inserePrancha("B"), 1);
        d.selecionaPrancha(-1);
        QCOMPARE(d.inserePrancha(" topo "), 0);
        QCOMPARE(nomesDasPranchas(p), (QStringList{" topo ", "A", "B", "C"}));
        QCOMPARE(p.pranchas[0].nColunas, 3); // a fresh record
        QCOMPARE(d.pranchaSelecionada(), 0);
        s.tira();

        d.selecionaPrancha(2);
        QCOMPARE(d.insereItem("x"), 0);
        QCOMPARE(d.insereItem("z"), 1);
        d.selecionaItem(0);
        QCOMPARE(d.insereItem("y"), 1);
        QCOMPARE(d.itemSelecionado(), 1);
        d.selecionaItem(-1);
        QCOMPARE(d.insereItem("w"), 0);
        QCOMPARE(rotulosDosItens(p.pranchas[2]), (QStringList{"w", "x", "y", "z"}));
        QCOMPARE(p.pranchas[2].nItens(), 4);
        QCOMPARE(p.pranchas[2].nLinhas * p.pranchas[2].nColunas, 9); // the grid stays
        QCOMPARE(s.tira(), (QStringList{"selecao 2", "itens 2", "itens 2", "itens 2", "itens 2"}));
    }

    void duplicaASelecao() {
        TProjeto p = projetoCom({"A", "B"}, 2);
        p.pranchas[0].cor = 0x00FF00;
        p.pranchas[0].itens[1].som = "b.wav";
        DocumentoProjeto d(p);
        Sinais s(d);
        QCOMPARE(d.duplicaPrancha("nada"), -1); // nothing selected
        QCOMPARE(d.duplicaItem("nada"), -1);
        QVERIFY(s.tira().isEmpty());
        QCOMPARE(p.nPranchas(), 2);

        d.recarrega();
        d.selecionaItem(1);
        s.tira();
        QCOMPARE(d.duplicaPrancha("A2"), 1);
        QCOMPARE(s.tira(), (QStringList{"pranchas", "selecao 1"}));
        QCOMPARE(nomesDasPranchas(p), (QStringList{"A", "A2", "B"}));
        QCOMPARE(p.pranchas[1].titulo, QString("A2"));
        QCOMPARE(p.pranchas[1].cor, 0x00FF00);
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"A0", "A1"}));
        QCOMPARE(d.itemSelecionado(), -1);
        QCOMPARE(d.duplicaItem("nada"), -1);

        d.selecionaItem(1);
        QCOMPARE(d.duplicaItem("copia"), 2);
        QCOMPARE(s.tira(), QStringList{"itens 1"});
        QCOMPARE(d.itemSelecionado(), 2);
        const TItem& c = p.pranchas[1].itens[2];
        QCOMPARE(c.rotulo, QString("copia"));
        QCOMPARE(c.figura, QString("A1")); // the source had no picture name
        QCOMPARE(c.som, QString("b.wav"));
        QCOMPARE(p.pranchas[0].nItens(), 2); // the original board is untouched
    }

    void removeEDeixaASeguinte() {
        TProjeto p = projetoCom({"A", "B", "C"}, 3);
        p.pranchaInicial = "C";
        DocumentoProjeto d(p);
        Sinais s(d);
        QVERIFY(!d.removePrancha());
        QVERIFY(!d.removeItem());
        QVERIFY(s.tira().isEmpty());

        d.selecionaPrancha(1);
        d.selecionaItem(1);
        QVERIFY(d.removeItem());
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"B0", "B2"}));
        QCOMPARE(d.itemSelecionado(), 1); // the next one
        QVERIFY(d.removeItem());
        QCOMPARE(d.itemSelecionado(), -1); // it was the last
        QCOMPARE(p.pranchas[1].nItens(), 1);
        QCOMPARE(s.tira(), (QStringList{"selecao 1", "itens 1", "itens 1"}));

        QVERIFY(d.removePrancha());
        QCOMPARE(nomesDasPranchas(p), (QStringList{"A", "C"}));
        QCOMPARE(d.pranchaSelecionada(), 1);
        QVERIFY(d.removePrancha());
        QCOMPARE(d.pranchaSelecionada(), -1); // it was the last
        QCOMPARE(p.nPranchas(), 1);
        QCOMPARE(p.pranchaInicial, QString("C")); // names elsewhere are not followed
        QCOMPARE(s.tira(), (QStringList{"pranchas", "selecao 1", "pranchas", "selecao -1"}));

        d.selecionaPrancha(0);
        d.removeTodasAsPranchas();
        QCOMPARE(p.nPranchas(), 0);
        QVERIFY(p.pranchas.isEmpty());
        QCOMPARE(p.pranchaInicial, QString("C"));
        QCOMPARE(d.pranchaSelecionada(), -1);
        QCOMPARE(s.tira(), (QStringList{"selecao 0", "pranchas", "selecao -1"}));
    }

    void moveELevaASelecao() {
        TProjeto p = projetoCom({"A", "B", "C"}, 3);
        DocumentoProjeto d(p);
        Sinais s(d);
        QVERIFY(!d.sobePrancha() && !d.descePrancha()); // nothing selected
        QVERIFY(!d.sobeItem() && !d.desceItem());
        d.selecionaPrancha(0);
        QVERIFY(!d.sobePrancha());
        QVERIFY(!d.sobeItem() && !d.desceItem()); // a board but no item
        s.tira();

        // The moved board keeps being edited, with the same item selected.
        d.selecionaItem(2);
        QVERIFY(d.descePrancha());
        QVERIFY(d.descePrancha());
        QVERIFY(!d.descePrancha());
        QCOMPARE(nomesDasPranchas(p), (QStringList{"B", "C", "A"}));
        QCOMPARE(d.pranchaSelecionada(), 2);
        QCOMPARE(d.itemSelecionado(), 2);
        QCOMPARE(s.tira(), (QStringList{"pranchas", "pranchas"}));
        QVERIFY(d.sobePrancha());
        QCOMPARE(nomesDasPranchas(p), (QStringList{"B", "A", "C"}));
        QCOMPARE(s.tira(), QStringList{"pranchas"});

        QVERIFY(!d.desceItem()); // already the last
        QVERIFY(d.sobeItem());
        QVERIFY(d.sobeItem());
        QVERIFY(!d.sobeItem());
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"A2", "A0", "A1"}));
        QCOMPARE(d.itemSelecionado(), 0);
        QVERIFY(d.desceItem());
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"A0", "A2", "A1"}));
        QCOMPARE(d.itemSelecionado(), 1);
        QCOMPARE(s.tira(), (QStringList{"itens 1", "itens 1", "itens 1"}));
    }

    // What a property dialog gives back becomes the record, however it was closed.
    void guardaDoDialogo() {
        TProjeto p = projetoCom({"A", "B"}, 2);
        p.pranchas[1].link = "A";
        DocumentoProjeto d(p);
        Sinais s(d);
        d.selecionaPrancha(0);
        d.selecionaItem(1);
        s.tira();

        TPrancha valores = p.pranchas[0];
        valores.nome = "Casa ";
        valores.titulo = "Minha casa";
        valores.nColunas = 2;
        valores.nLinhas = 5;
        valores.cor = 0x0000FF;
        valores.som = "casa.wav";
        valores.fala = "casa";
        valores.link = "B";
        valores.itens.clear(); // a board's dialog never changes its items
        QVERIFY(d.guardaPrancha(0, valores));
        QCOMPARE(s.tira(), QStringList{"prancha 0"});
        const TPrancha& a = p.pranchas[0];
        QCOMPARE(a.nome, QString("Casa ")); // as typed
        QCOMPARE(a.titulo, QString("Minha casa"));
        QCOMPARE(a.nColunas, 2);
        QCOMPARE(a.nLinhas, 5);
        QCOMPARE(a.cor, 0x0000FF);
        QCOMPARE(a.som, QString("casa.wav"));
        QCOMPARE(a.fala, QString("casa"));
        QCOMPARE(a.link, QString("B"));
        QCOMPARE(rotulosDosItens(a), (QStringList{"A0", "A1"}));
        QCOMPARE(a.nItens(), 2);
        QCOMPARE(p.pranchas[1].link, QString("A")); // a rename is not followed
        QCOMPARE(d.pranchaSelecionada(), 0);
        QCOMPARE(d.itemSelecionado(), 1);

        TItem item = p.pranchas[1].itens[0];
        item.rotulo = "";
        item.figura = "bola.jpg";
        item.semFigura = true;
        item.posTexto = TPosVertical::meio;
        item.dimMoldura = TDimMoldura::grossa;
        item.executar = "calc";
        QVERIFY(d.guardaItem(1, 0, item));
        QCOMPARE(s.tira(), QStringList{"itens 1"});
        const TItem& b0 = p.pranchas[1].itens[0];
        QCOMPARE(b0.rotulo, QString("bola")); // kept hidden, as the file will hold it
        QVERIFY(b0.semRotulo);
        QCOMPARE(b0.figura, QString("bola.jpg"));
        QVERIFY(b0.semFigura);
        QCOMPARE(b0.posTexto, TPosVertical::meio);
        QCOMPARE(b0.dimMoldura, TDimMoldura::grossa);
        QCOMPARE(b0.executar, QString("calc"));
        QCOMPARE(p.pranchas[1].nItens(), 2);
        QCOMPARE(d.itemSelecionado(), 1); // storing does not move the selection

        // Out of range: nothing stored, nothing told.
        QVERIFY(!d.guardaPrancha(-1, valores));
        QVERIFY(!d.guardaPrancha(2, valores));
        QVERIFY(!d.guardaItem(0, 2, item));
        QVERIFY(!d.guardaItem(2, 0, item));
        QVERIFY(!d.guardaItem(0, -1, item));
        QVERIFY(s.tira().isEmpty());
        QCOMPARE(p.nPranchas(), 2);
        QCOMPARE(p.pranchas[0].itens[1].rotulo, QString("A1"));
    }

    // Each change is one step: undone, the project is as before, field by field; redone, as
    // after; the clean state follows the history; a change from outside clears it.
    void desfazEFazDeNovoCadaMudanca() {
        TProjeto p = projetoCom({"A", "B", "C"}, 3);
        DocumentoProjeto d(p);
        QUndoStack& h = d.historico();
        d.recarrega();
        h.setClean();
        TPrancha valores = p.pranchas[0];
        valores.titulo = "outro";
        TItem item = p.pranchas[0].itens[0];
        item.fala = "fala";
        const QList<std::pair<QString, std::function<void()>>> mudancas{
            {"Nova prancha", [&] { d.inserePrancha("N"); }},
            {"Duplicar prancha", [&] { d.duplicaPrancha("D"); }},
            {"Novo item", [&] { d.insereItem("i"); }},
            {"Duplicar item", [&] { d.selecionaItem(0), d.duplicaItem("j"); }},
            {"Remover item", [&] { d.selecionaItem(0), d.removeItem(); }},
            {"Mover item", [&] { d.selecionaItem(0), d.desceItem(); }},
            {"Mover prancha", [&] { d.descePrancha(); }},
            {"Editar prancha", [&] { d.guardaPrancha(0, valores); }},
            {"Editar item", [&] { d.guardaItem(0, 0, item); }},
            {"Autoria", [&] { d.guardaAutoria("Ana", "hoje", "info"); }},
            {"Configurações de execução",
             [&] {
                 TProjeto v = p;
                 v.tempoVarredura = 1234;
                 v.pranchaSocorro = "C";
                 v.acesso.passoAPasso = true;
                 d.guardaConfiguracao(v);
             }},
            {"Transcrever rascunho",
             [&] {
                 TProjeto t = p;
                 t.pranchas << t.pranchas[1];
                 t.pranchas.last().nome = "T";
                 t.pranchaInicial = "T";
                 d.substituiPorTranscrito(t);
             }},
            {"Remover prancha", [&] { d.removePrancha(); }},
            {"Remover todas as pranchas", [&] { d.removeTodasAsPranchas(); }},
        };
        for (const auto& [nome, faz] : mudancas) {
            d.selecionaPrancha(0);
            const TProjeto antes = p;
            faz();
            const TProjeto depois = p;
            QVERIFY2(!(depois == antes), qPrintable(nome));
            QCOMPARE(h.undoText(), nome);
            QVERIFY(!h.isClean());
            h.undo();
            QVERIFY2(p == antes, qPrintable(nome));
            QVERIFY(h.isClean()); // back where it was saved: nothing unsaved
            h.redo();
            QVERIFY2(p == depois, qPrintable(nome));
            h.undo();
        }
        // Nothing changed, nothing recorded.
        const int nPassos = h.count();
        d.selecionaPrancha(0);
        d.sobePrancha();
        QVERIFY(!d.guardaItem(9, 0, item));
        QCOMPARE(h.count(), nPassos);

        // A window working on the project itself is one step, however much it changed.
        const TProjeto antes = p;
        {
            const DocumentoProjeto::Passo passo(d, "Transcrever rascunho");
            p.pranchas << p.pranchas[0] << p.pranchas[1];
            d.inserePrancha("dentro"); // inside it: no step of its own
            d.recarrega();
        }
        QCOMPARE(h.undoText(), QString("Transcrever rascunho"));
        h.undo();
        QVERIFY(p == antes);
        // The files it brought into the folder go with it, and come back with it.
        QTemporaryDir pasta;
        QVERIFY(escreveArquivo(pasta.filePath("velha.jpg"), "v"));
        {
            const DocumentoProjeto::Passo passo(d, "Transcrever rascunho", pasta.path());
            QVERIFY(escreveArquivo(pasta.filePath("casa.jpg"), "figura"));
            QVERIFY(escreveArquivo(pasta.filePath("pranchas.pra"), "o projeto"));
        }
        QVERIFY(p == antes); // a step for the files alone
        h.undo();
        QVERIFY(!QFileInfo::exists(pasta.filePath("casa.jpg")));
        QVERIFY(QFileInfo::exists(pasta.filePath("velha.jpg")));
        QVERIFY(QFileInfo::exists(pasta.filePath("pranchas.pra")));
        h.redo();
        QCOMPARE(leArquivo(pasta.filePath("casa.jpg")), QByteArray("figura"));
        h.undo();
        // A cancelled dialog takes out what it brought in, and leaves no step.
        const int passos = h.count();
        {
            DocumentoProjeto::Passo passo(d, "Editar item", pasta.path());
            QVERIFY(escreveArquivo(pasta.filePath("gravado.wav"), "som"));
            passo.descartaArquivosNovos();
        }
        QVERIFY(!QFileInfo::exists(pasta.filePath("gravado.wav")));
        QVERIFY(QFileInfo::exists(pasta.filePath("velha.jpg")));
        QCOMPARE(h.count(), passos);

        // Saving keeps the history; 150 steps are all kept.
        for (int k = 0; k < 150; ++k)
            d.inserePrancha(QString::number(k));
        h.setClean();
        while (h.canUndo())
            h.undo();
        QVERIFY(p == antes);
        QVERIFY(!h.isClean());
        // Replaced from outside (a load): undoing past it would lose it, so the history goes.
        p = projetoCom({"X"});
        d.recarrega();
        QVERIFY(!h.canUndo() && !h.canRedo());
    }
};

QTEST_GUILESS_MAIN(TstEditorDocumento)
#include "tst_editor_documento.moc"
