// The ways to select in their windows: "Mais opções…" of the execution settings, the two switches
// pressed as keys and mouse buttons in a run, and the frame's edges on a red board.
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/configuracao/form_config_acesso.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/execucao/form_executa.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

void clica(QWidget* w) {
    QVERIFY2(w && w->isEnabled() && w->isVisible(), w ? qPrintable(w->objectName()) : "?");
    QTest::mouseClick(w, Qt::LeftButton);
}

void escreve(QLineEdit* e, const QString& texto) {
    e->selectAll();
    QTest::keyClicks(e, texto);
}

QString nomeAcessivel(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

// The text of the label that names a control for screen readers, empty without one.
QString legendaDe(QWidget* w) {
    const auto rel = QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label);
    return rel.isEmpty() ? QString() : rel.first().first->text(QAccessible::Name);
}

// A failed check inside a modal window's handler leaves it: the window must not stay open.
struct FechaAoSair {
    QWidget* janela;
    ~FechaAoSair() {
        if (janela->isVisible()) janela->close();
    }
};

// UM links every item to DOIS; on DOIS only item 1 leads back.
void projetoDeDuas() {
    limpaPranchas(projeto);
    projeto = TProjeto();
    projeto.pranchas << umaLinha("UM", "Primeira", {"a", "b", "c", "d"})
                     << umaLinha("DOIS", "Segunda", {"e", "f", "g", "h"});
    for (TItem& it : projeto.pranchas[0].itens)
        it.link = "DOIS";
    projeto.pranchas[1].itens[1].link = "UM";
    projeto.nPranchas = 2;
    projeto.falando = false;
    projeto.tempoHisterese = 0;
}

bool destacada(TFormExecuta& r, int celula) {
    return r.motor().destaque().tipo == Destaque::Tipo::celula &&
           r.motor().destaque().indice == celula;
}

} // namespace

class TesteAcessoJanelas : public QObject {
    Q_OBJECT

private slots:
    void init() {
        limpaPranchas(projeto);
        projeto = TProjeto();
    }

    void maisOpcoesNumaJanelaPropria() {
        RespostasDeDialogo avisos;
        TFormConfigExec w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(497, 546)); // the described window keeps its layout
        QVERIFY(!w.b_maisOpcoes->geometry().intersects(w.b_ok->geometry()));

        bool visto = false;
        noProximoModal([&](QWidget* janela) {
            const FechaAoSair fecha{janela};
            auto* a = qobject_cast<TFormConfigAcesso*>(janela);
            QVERIFY(a);
            QCOMPARE(a->windowTitle(), QString("Mais opções de acesso"));
            // Read from the project: everything off, space and Enter the switches' keys.
            QCOMPARE(a->rg_modoVarredura->itemIndex(), 0);
            QCOMPARE(a->c_teclaAvanca->currentText(), QString("Espaço"));
            QCOMPARE(a->c_teclaSeleciona->currentText(), QString("Enter"));
            QVERIFY(!a->c_teclaAvanca->isEnabled()); // the switches belong to step scanning
            QCOMPARE(nomeAcessivel(a->e_pausaPrimeiro), QString("Pausa a mais no primeiro item"));
            QCOMPARE(legendaDe(a->c_botaoSeleciona), QString("botão do mouse"));

            clica(a->rg_modoVarredura->entrada(1));
            escreve(a->e_pausaPrimeiro, "700");
            escreve(a->e_voltasVarredura, " 3 ");
            clica(a->cb_passoAPasso);
            QVERIFY(a->c_teclaAvanca->isEnabled());
            a->c_teclaAvanca->setCurrentIndex(a->c_teclaAvanca->findText("F5"));
            a->c_botaoAvanca->setCurrentIndex(a->c_botaoAvanca->findText("Nenhum"));
            clica(a->cb_progressoPermanencia);
            clica(a->b_ok);
            visto = true;
        });
        clica(w.b_maisOpcoes);
        QVERIFY(visto);
        QVERIFY(avisos.erros.isEmpty());
        const TOpcoesAcesso& o = projeto.acesso;
        QCOMPARE(o.modoVarredura, TModoVarredura::linhaColuna);
        QCOMPARE(o.pausaPrimeiro, 700);
        QCOMPARE(o.voltasVarredura, 3);
        QVERIFY(o.passoAPasso && o.progressoPermanencia);
        QCOMPARE(o.avanca.tecla, int(Qt::Key_F5));
        QCOMPARE(o.avanca.botao, int(Qt::NoButton));
        QCOMPARE(o.seleciona.tecla, int(Qt::Key_Return));

        // A refused OK keeps the window open and stores nothing; Cancelar leaves all as it was.
        const TOpcoesAcesso antes = projeto.acesso;
        bool aindaAberta = false;
        noProximoModal([&](QWidget* janela) {
            const FechaAoSair fecha{janela};
            auto* a = static_cast<TFormConfigAcesso*>(janela);
            QCOMPARE(a->rg_modoVarredura->itemIndex(), 1); // read from the project
            escreve(a->e_pausaPrimeiro, "1,5");
            clica(a->rg_modoVarredura->entrada(0));
            clica(a->b_ok);
            aindaAberta = a->isVisible();
            a->c_teclaSeleciona->setCurrentIndex(a->c_teclaSeleciona->findText("F5"));
            escreve(a->e_pausaPrimeiro, "0");
            clica(a->b_ok);
            clica(a->b_cancela);
        });
        avisos.ok().ok();
        clica(w.b_maisOpcoes);
        QVERIFY(aindaAberta);
        QCOMPARE(avisos.erros,
                 (QStringList{"Dados numéricos inválidos, confira",
                              "A chave que avança e a que seleciona precisam ser diferentes"}));
        QCOMPARE(projeto.acesso, antes);
    }

    void duasChavesPorTeclasEBotoes() {
        RespostasDeDialogo avisos;
        projetoDeDuas();
        projeto.acesso.passoAPasso = true;
        projeto.tempoVarredura = 2000; // stepping has no timer, whatever this says
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QTRY_VERIFY(destacada(runner, 0));
        QVERIFY(runner.Shape1->isVisible());
        QVERIFY(!runner.TimerVarredura->isActive());

        QTest::keyClick(&runner, Qt::Key_Space);
        QVERIFY(destacada(runner, 1));
        QKeyEvent repete(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(&runner, &repete); // a switch held down moves once
        QVERIFY(destacada(runner, 1));
        QTest::keyClick(&runner, Qt::Key_Space);
        QVERIFY(destacada(runner, 2));
        QTest::keyClick(&runner, Qt::Key_Enter); // the keypad's Enter is the same switch
        QTRY_VERIFY(mostraPrancha(runner, "Segunda"));
        QTRY_VERIFY(destacada(runner, 0));

        // The mouse: the right button moves, the left selects the highlight wherever it lands.
        QWidget* ultima = runner.graf().itensGraf[3].painel;
        QTest::mouseClick(ultima, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(destacada(runner, 1));
        QTest::mouseClick(ultima, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_VERIFY(mostraPrancha(runner, "Primeira")); // item 1 of DOIS leads back
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }

    void molduraComBordasSobreVermelho() {
        projetoDeDuas();
        projeto.pranchas[0].cor = 0x0000FF; // red board
        for (TItem& it : projeto.pranchas[0].itens)
            it.cor = 0x0000FF;
        projeto.tempoVarredura = 5000;
        projeto.acesso.passoAPasso = true; // the highlight stays put while we look
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QTRY_VERIFY(runner.Shape1->isVisible());
        const QRect celula = runner.graf().itensGraf[0].painel->geometry();
        // The 10 px red band around the cell, black outside it and white inside.
        QCOMPARE(runner.Shape1->geometry(), celula.adjusted(-12, -12, 12, 12));
        const QImage tela = runner.Panel1->grab().toImage();
        const int y = celula.center().y();
        const int x0 = runner.Shape1->geometry().left();
        QCOMPARE(QColor(tela.pixel(x0, y)), QColor(Qt::black));
        QCOMPARE(QColor(tela.pixel(x0 + 2, y)), QColor(Qt::red));
        QCOMPARE(QColor(tela.pixel(x0 + 11, y)), QColor(Qt::red));
        QCOMPARE(QColor(tela.pixel(x0 + 13, y)), QColor(Qt::white));
        runner.close();
    }
};

QTEST_MAIN(TesteAcessoJanelas)
#include "tst_acesso_janelas.moc"
