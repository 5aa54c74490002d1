// The runner in a real X session, where the pointer is global: scanning moves it cell by cell,
// and a click made from outside the process is heard on the null sink and follows the link.
#include "janelas/execucao/form_executa.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"
#include "support/execucao_ouvida.h"

#include <QCursor>
#include <QProcess>
#include <QScreen>
#include <QtTest>

class TesteExecucaoX11 : public QObject {
    Q_OBJECT

private slots:
    void varreduraMoveOPonteiro() {
        RespostasDeDialogo avisos;
        limpaPranchas(projeto);
        projeto = TProjeto();
        projeto.pranchas << umaLinha("UM", "", {"0", "1", "2"});
        projeto.pranchas[0].itens[1].semRotulo = true; // no label, no picture: never highlighted
        projeto.tempoVarredura = 300;

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QVERIFY(runner.frameGeometry().contains(runner.screen()->availableGeometry()));

        auto celulaSobPonteiro = [&] {
            return itemNoPonto(runner.graf(), runner.Panel1->mapFromGlobal(QCursor::pos()));
        };
        QList<int> visitadas;
        QElapsedTimer t;
        t.start();
        while (visitadas.size() < 4 && t.elapsed() < 5000) {
            QTest::qWait(20);
            const int c = runner.Shape1->isVisible() ? celulaSobPonteiro() : -1;
            if (c >= 0 && (visitadas.isEmpty() || visitadas.last() != c)) visitadas << c;
        }
        QCOMPARE(visitadas, (QList<int>{0, 2, 0, 2}));
        const QRect cel = runner.graf().itensGraf[visitadas.last()].painel->geometry();
        QCOMPARE(runner.Panel1->mapFromGlobal(QCursor::pos()), cel.topLeft() + QPoint(46, 46));
        runner.close();
    }

    void cliqueDeForaTocaESegueOLink() {
        if (const QString falta = faltaParaOuvir(true); !falta.isEmpty()) QSKIP(qPrintable(falta));
        PastaComTom pasta;
        QVERIFY(pasta.ok());

        RespostasDeDialogo avisos;
        limpaPranchas(projeto);
        projeto = TProjeto();
        projeto.falando = false;
        projeto.pranchas << umaLinha("UM", "Primeira", {"um", "dois"})
                         << umaLinha("DOIS", "Segunda", {"um", "dois"});
        projeto.pranchas[0].itens[0].som = "tom660.wav";
        projeto.pranchas[0].itens[0].link = "DOIS";

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        const QRect cel = runner.graf().itensGraf[0].painel->geometry();
        const QPoint alvo = runner.Panel1->mapToGlobal(cel.center());

        QElapsedTimer relogio;
        relogio.start();
        Escuta escuta(relogio);
        QVERIFY(escuta.ok());
        QTest::qWait(200);
        QProcess xdotool;
        xdotool.start("xdotool", {"mousemove", QString::number(alvo.x()), QString::number(alvo.y()),
                                  "click", "1"});
        QVERIFY(xdotool.waitForFinished(5000));
        QCOMPARE(xdotool.exitCode(), 0);

        QTRY_COMPARE_WITH_TIMEOUT(runner.motor().pranchaAtual, 1, 5000);
        QTRY_VERIFY(mostraPrancha(runner, "Segunda"));
        const QString falta = faltaOTomTocado(escuta);
        QVERIFY2(falta.isEmpty(), qPrintable(falta));
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }
};

QTEST_MAIN(TesteExecucaoX11)
#include "tst_execucao_x11.moc"
