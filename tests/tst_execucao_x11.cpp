// The runner in a real X session, where the pointer is global: scanning moves it cell by cell.
#include "model/prvars.h"
#include "runner/form_executa.h"
#include "support/apoio.h"

#include <QCursor>
#include <QScreen>
#include <QtTest>

class TesteExecucaoX11 : public QObject {
    Q_OBJECT

private slots:
    void varreduraMoveOPonteiro() {
        GravaAvisos avisos;
        limpaPranchas(projeto);
        projeto = TProjeto();
        TPrancha p;
        p.nome = "UM";
        p.nColunas = 3;
        p.nLinhas = 1;
        for (int i = 0; i < 3; ++i) {
            TItem it;
            it.rotulo = QString::number(i);
            it.semFigura = true;
            p.itens << it;
        }
        p.itens[1].semRotulo = true; // no label, no picture: never highlighted
        p.nItens = 3;
        projeto.pranchas << p;
        projeto.nPranchas = 1;
        projeto.tempoVarredura = 300;

        TFormExecuta runner;
        QVERIFY(runner.preparaExecucao("UM"));
        runner.show();
        QVERIFY(QTest::qWaitForWindowActive(&runner));
        QTRY_VERIFY(runner.graf().criada);
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
};

QTEST_MAIN(TesteExecucaoX11)
#include "tst_execucao_x11.moc"
