// Rows and columns and the dwell ring in a real X session, where the pointer is global: two
// presses from outside the process select a cell and it is heard on the null sink; the ring
// fills while the pointer rests on a cell and goes when it leaves.
#include "janelas/execucao/form_executa.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"
#include "support/execucao_ouvida.h"

#include <QCursor>
#include <QKeyEvent>
#include <QProcess>
#include <QtTest>

namespace {

bool xdotool(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), argumentos);
    return p.waitForFinished(5000) && p.exitCode() == 0;
}

// Two rows of three, as the sample's first board: "brincar" is the third cell of the first row.
void projetoDeBrincar() {
    limpaPranchas(projeto);
    projeto = TProjeto();
    projeto.pranchas << umaLinha("INICIO", "Olá",
                                 {"oi", "comer", "brincar", "sentir", "banheiro", "socorro"})
                     << umaLinha("BRINCAR", "Vamos brincar", {"bola", "voltar"});
    TPrancha& inicio = projeto.pranchas[0];
    inicio.nColunas = 3;
    inicio.nLinhas = 2;
    inicio.itens[2].som = "tom660.wav";
    inicio.itens[2].link = "BRINCAR";
    projeto.falando = false;
    projeto.tempoHisterese = 0;
}

// Counts the presses of one key that reach a window, repeats included.
struct ContaTeclas : QObject {
    ContaTeclas(QWidget* janela, int tecla) : tecla(tecla) { janela->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == tecla) ++apertos;
        return false;
    }
    int tecla;
    int apertos = 0;
};

} // namespace

class TesteAcessoX11 : public QObject {
    Q_OBJECT

private slots:
    void linhaEColunaComDuasPressoes() {
        if (const QString falta = faltaParaOuvir(true); !falta.isEmpty()) QSKIP(qPrintable(falta));
        PastaComTom pasta;
        QVERIFY(pasta.ok());
        RespostasDeDialogo avisos;
        projetoDeBrincar();
        projeto.tempoVarredura = 700;
        projeto.acesso.modoVarredura = TModoVarredura::linhaColuna;

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "INICIO"));
        auto destaque = [&](Destaque::Tipo t, int i) {
            return runner.motor().destaque().tipo == t && runner.motor().destaque().indice == i;
        };
        QElapsedTimer relogio;
        relogio.start();
        Escuta escuta(relogio);
        QVERIFY(escuta.ok());

        // The first row is highlighted and the pointer rests in its first cell: press.
        QTRY_VERIFY_WITH_TIMEOUT(destaque(Destaque::Tipo::linha, 0), 5000);
        const QRect linha = runner.Shape1->geometry();
        QVERIFY(linha.contains(runner.graf().itensGraf[2].painel->geometry()));
        QVERIFY(xdotool({"click", "1"}));
        // Its cells one by one; at "brincar", press again.
        QTRY_VERIFY_WITH_TIMEOUT(destaque(Destaque::Tipo::celula, 2), 5000);
        QCOMPARE(itemNoPonto(runner.graf(), runner.Panel1->mapFromGlobal(QCursor::pos())), 2);
        QVERIFY(xdotool({"click", "1"}));

        QTRY_VERIFY_WITH_TIMEOUT(mostraPrancha(runner, "Vamos brincar"), 5000);
        const QString falta = faltaOTomTocado(escuta);
        QVERIFY2(falta.isEmpty(), qPrintable(falta));
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }

    void anelDaPermanenciaEnche() {
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) QSKIP("xdotool ausente");
        RespostasDeDialogo avisos;
        projetoDeBrincar();
        projeto.tempoVarredura = 0;
        projeto.tempoAutoClique = 1600;
        projeto.acesso.progressoPermanencia = true;

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "INICIO"));
        QVERIFY(runner.TimerProgresso->isActive());
        QVERIFY(runner.TimerProgresso->interval() <= 50); // at least 20 drawings a second
        QVERIFY(!runner.anelPermanencia->isVisible());
        const QRect celula = runner.graf().itensGraf[4].painel->geometry();
        const QPoint centro = runner.Panel1->mapToGlobal(celula.center());
        QVERIFY(xdotool({"mousemove", QString::number(centro.x()), QString::number(centro.y())}));

        QTRY_VERIFY_WITH_TIMEOUT(runner.anelPermanencia->isVisible(), 3000);
        QVERIFY(celula.contains(runner.anelPermanencia->geometry()));
        const double antes = runner.anelPermanencia->fracao();
        QTRY_VERIFY(runner.anelPermanencia->fracao() > antes + 0.1); // filling
        QVERIFY(runner.anelPermanencia->fracao() < 1.0);
        // Off the cell, onto the title: the ring goes.
        const QPoint fora = runner.Panel1->mapToGlobal(QPoint(5, 5));
        QVERIFY(xdotool({"mousemove", QString::number(fora.x()), QString::number(fora.y())}));
        QTRY_VERIFY_WITH_TIMEOUT(!runner.anelPermanencia->isVisible(), 1000);
        QCOMPARE(runner.motor().pranchaAtual, 0);
        runner.close();
    }

    void teclaSeguradaUmPassoESocorro() {
        // X repeats a held key; holding the switch must still count once.
        if (QStandardPaths::findExecutable("xdotool").isEmpty()) QSKIP("xdotool ausente");
        RespostasDeDialogo avisos;
        projetoDeBrincar();
        projeto.pranchas << umaLinha("SOCORRO", "Socorro", {"ajuda"});
        projeto.pranchas.last().cor = 0x0000FF;
        projeto.tempoSocorro = 3000;
        projeto.pranchaSocorro = "SOCORRO";
        projeto.acesso.passoAPasso = true;

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "INICIO"));
        auto celula = [&] {
            const Destaque& d = runner.motor().destaque();
            return d.tipo == Destaque::Tipo::celula ? d.indice : -1;
        };
        QTRY_COMPARE(celula(), 0);
        auto segura = [](const char* tecla, int ms) {
            QVERIFY(xdotool({"keydown", tecla}));
            QTest::qWait(ms);
            QVERIFY(xdotool({"keyup", tecla}));
            QTest::qWait(300);
        };
        // X does repeat the held key: more than one press reaches the window.
        ContaTeclas espacos(&runner, Qt::Key_Space);
        segura("space", 2000);
        QVERIFY2(espacos.apertos > 10, qPrintable(QString::number(espacos.apertos)));
        QCOMPARE(celula(), 1);
        segura("Return", 3500); // past the help time: the help board, not the item
        QTRY_VERIFY_WITH_TIMEOUT(mostraPrancha(runner, "Socorro"), 5000);
        QCOMPARE(runner.motor().pranchaAtual, 2);
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }
};

QTEST_MAIN(TesteAcessoX11)
#include "tst_acesso_x11.moc"
