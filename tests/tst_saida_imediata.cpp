// A choice in a run is played without waiting for the runner's next tick, in the same order as
// before; what the window plays is recorded, not heard.
#include "janelas/execucao/form_executa.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

namespace {

void criaArquivo(const QString& nome) {
    QFile f(nome);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

// Two boards: an item that plays two recordings and links to the second board, whose own
// sound plays when it is shown.
void projetoComSons() {
    limpaPranchas(projeto);
    projeto = TProjeto();
    TPrancha um = umaLinha("UM", "UM", {"a", "b"});
    um.itens[0].som = "clique";
    um.itens[0].fala = "depois";
    um.itens[0].link = "DOIS";
    TPrancha dois = umaLinha("DOIS", "DOIS", {"c"});
    dois.som = "chegada";
    projeto.pranchas << um << dois;
}

// The queue's players replaced by a record of what was started and stopped; a recording plays
// until the test says it ended.
struct SaidaSimulada {
    QStringList tocados;
    bool tocando = false;
    MotoresSaida anteriores;
    SaidaSimulada() {
        anteriores =
            usaMotoresSaida(MotoresSaida{[](const QString&) {}, [] { return false; }, [] {},
                                         [this](const QString& c) {
                                             tocados << QFileInfo(c).fileName();
                                             tocando = true;
                                         },
                                         [this] {
                                             tocados << QStringLiteral("parou");
                                             tocando = false;
                                         },
                                         [this] { return tocando; }});
    }
    ~SaidaSimulada() { usaMotoresSaida(anteriores); }
};

} // namespace

class TstSaidaImediata : public QObject {
    Q_OBJECT
    PastaAtual pasta;

private slots:
    void initTestCase() {
        QVERIFY(pasta.ok());
        criaArquivo("clique.wav");
        criaArquivo("depois.wav");
        criaArquivo("chegada.wav");
    }

    void cliqueTocaSemEsperarOTique() {
        RespostasDeDialogo avisos;
        SaidaSimulada saida;
        projetoComSons();
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QVERIFY(saida.tocados.isEmpty());
        // No tick may pump the queue: only the click itself can start its sound.
        runner.TimerSerializacao->stop();
        QTest::mouseClick(runner.graf().itensGraf[0].painel, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(saida.tocados, QStringList{"clique.wav"});
        // The second recording waits for the first, as before.
        QCOMPARE(filaSaida, QStringList{"depois"});
        runner.motor().tickSerializacao();
        QCOMPARE(saida.tocados.size(), 1);
        saida.tocando = false;
        runner.motor().tickSerializacao();
        QCOMPARE(saida.tocados, QStringList({"clique.wav", "parou", "depois.wav"}));
        QVERIFY(mostraPrancha(runner, "UM"));
        // The board follows when the queue is free; its own sound starts as it is drawn.
        saida.tocando = false;
        runner.motor().tickSerializacao();
        QVERIFY(mostraPrancha(runner, "DOIS"));
        QCOMPARE(saida.tocados.mid(3), QStringList({"parou", "chegada.wav"}));
        QVERIFY(filaSaida.isEmpty());
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }
};

QTEST_MAIN(TstSaidaImediata)
#include "tst_saida_imediata.moc"
