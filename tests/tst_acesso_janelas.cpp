// The ways to select in their windows: "Mais opções…" of the execution settings, the two switches
// pressed as keys and mouse buttons in a run, the frame's edges on a red board, and the message
// bar reached by switches, mouse and keys.
#include "desenho/contraste.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/configuracao/form_config_acesso.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/execucao/faixa_mensagem.h"
#include "janelas/execucao/form_executa.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
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
            // Timed scanning's select switch: no key and any button, as runs always were.
            QCOMPARE(a->c_teclaVarredura->currentText(), QString("Nenhuma"));
            QCOMPARE(a->c_botaoVarredura->currentText(), QString("Qualquer"));
            QVERIFY(a->c_teclaVarredura->isEnabled());
            a->c_teclaVarredura->setCurrentIndex(a->c_teclaVarredura->findText("Enter"));
            QCOMPARE(nomeAcessivel(a->e_pausaPrimeiro), QString("Pausa a mais no primeiro item"));
            QCOMPARE(legendaDe(a->c_botaoSeleciona), QString("botão do mouse"));

            clica(a->rg_modoVarredura->entrada(1));
            // On its short caption: a check box takes clicks on its text, not beyond.
            QTest::mouseClick(a->cb_barraMensagem, Qt::LeftButton, {}, QPoint(8, 8));
            escreve(a->e_pausaPrimeiro, "700");
            escreve(a->e_voltasVarredura, " 3 ");
            clica(a->cb_passoAPasso);
            QVERIFY(a->c_teclaAvanca->isEnabled());
            QVERIFY(!a->c_botaoVarredura->isEnabled());
            a->c_teclaAvanca->setCurrentIndex(a->c_teclaAvanca->findText("F5"));
            a->c_botaoAvanca->setCurrentIndex(a->c_botaoAvanca->findText("Nenhum"));
            clica(a->cb_progressoPermanencia);
            QVERIFY(!a->cb_trocaSemEsperar->isChecked());
            clica(a->cb_trocaSemEsperar);
            clica(a->b_ok);
            visto = true;
        });
        clica(w.b_maisOpcoes);
        QVERIFY(visto);
        QVERIFY(avisos.erros.isEmpty());
        // Confirmed there, stored by the settings window's own OK.
        QCOMPARE(projeto.acesso, TOpcoesAcesso());
        clica(w.b_ok);
        const TOpcoesAcesso& o = projeto.acesso;
        QCOMPARE(o.modoVarredura, TModoVarredura::linhaColuna);
        QCOMPARE(o.pausaPrimeiro, 700);
        QCOMPARE(o.voltasVarredura, 3);
        QVERIFY(o.passoAPasso && o.progressoPermanencia && o.barraMensagem && o.trocaSemEsperar);
        QCOMPARE(o.avanca.tecla, int(Qt::Key_F5));
        QCOMPARE(o.avanca.botao, int(Qt::NoButton));
        QCOMPARE(o.seleciona.tecla, int(Qt::Key_Return));
        QCOMPARE(o.selecionaVarredura.tecla, int(Qt::Key_Return));
        QCOMPARE(o.selecionaVarredura.botao, qualquerBotao);

        // A refused OK keeps the window open and stores nothing; Cancelar leaves all as it was.
        const TOpcoesAcesso antes = projeto.acesso;
        w.show();
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
                 (QStringList{"Dados numéricos inválidos, confira: Pausa a mais no primeiro item "
                              "deve estar entre 0 e 60000 ms",
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

        // A switch held down moves once: X's repeats, marked or not, are a release and a press.
        QTest::keyPress(&runner, Qt::Key_Space);
        QVERIFY(destacada(runner, 1));
        for (const bool marcada : {true, false}) {
            QKeyEvent solta(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", marcada);
            QKeyEvent aperta(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", marcada);
            QApplication::sendEvent(&runner, &solta);
            QApplication::sendEvent(&runner, &aperta);
            QTest::qWait(TeclasSeguradas::janelaDeRepeticao + 20);
        }
        QVERIFY(destacada(runner, 1));
        QTest::keyRelease(&runner, Qt::Key_Space);
        QTest::qWait(TeclasSeguradas::janelaDeRepeticao + 20);
        QKeyEvent perdida(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(&runner, &perdida); // a repeat is never a new press
        QVERIFY(destacada(runner, 1));
        QTest::keyRelease(&runner, Qt::Key_Space);
        QTest::qWait(TeclasSeguradas::janelaDeRepeticao + 20);
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
        QTRY_VERIFY(destacada(runner, 0));
        // The title strip counts as the background: a press there is a switch press too.
        QTest::mouseClick(runner.graf().labelTitulo, Qt::RightButton, {}, QPoint(5, 5));
        QVERIFY(destacada(runner, 1));
        QVERIFY(avisos.erros.isEmpty());
        runner.close();
    }

    void molduraSeDestacaDoQueHaAtras() {
        // The band's colour against the board around the cell and the cell itself, read from
        // the pixels drawn: red board and cells (the help board), white ones, a red cell on a
        // white board.
        const struct {
            TColor prancha, celula;
            QColor faixa;
        } casos[] = {{0x0000FF, 0x0000FF, Qt::yellow},
                     {0xFFFFFF, 0xFFFFFF, Qt::red},
                     {0xFFFFFF, 0x0000FF, Qt::black}};
        for (const auto& caso : casos) {
            projetoDeDuas();
            projeto.pranchas[0].cor = caso.prancha;
            for (TItem& it : projeto.pranchas[0].itens)
                it.cor = caso.celula;
            projeto.acesso.passoAPasso = true; // the highlight stays put while we look
            TFormExecuta runner;
            QVERIFY(abreExecucao(runner, "UM"));
            QTRY_VERIFY(runner.Shape1->isVisible());
            const QRect celula = runner.graf().itensGraf[0].painel->geometry();
            QCOMPARE(runner.Shape1->geometry(), celula.adjusted(-12, -12, 12, 12));
            const QImage tela = runner.Panel1->grab().toImage();
            const int y = celula.center().y();
            const int x0 = runner.Shape1->geometry().left();
            const QColor fundo(tela.pixel(x0 - 3, y)), dentro(tela.pixel(celula.center()));
            QCOMPARE(fundo, corDeTColor(caso.prancha));
            QCOMPARE(dentro, corDeTColor(caso.celula));
            // The 10 px band, black outside it and white inside.
            QCOMPARE(QColor(tela.pixel(x0, y)), QColor(Qt::black));
            QCOMPARE(QColor(tela.pixel(x0 + 13, y)), QColor(Qt::white));
            for (const int x : {x0 + 2, x0 + 7, x0 + 11}) {
                const QColor faixa(tela.pixel(x, y));
                QCOMPARE(faixa, caso.faixa);
                QVERIFY(razaoDeContraste(faixa, fundo) >= 3.0);
                QVERIFY(razaoDeContraste(faixa, dentro) >= 3.0);
            }
            runner.close();
        }
    }

    // The message bar in a run by two switches and rows: the bar is the first row, its cells
    // are framed where they lie above the board, and selecting them acts on the message; the
    // entries are a list for screen readers; Ctrl+C copies the message and Backspace takes
    // its last entry out.
    void barraDeMensagemPorLinhasComDuasChaves() {
        RespostasDeDialogo avisos;
        limpaPranchas(projeto);
        projeto = TProjeto();
        projeto.pranchas << umaLinha("FRASE", "Frase", {"eu", "quero", "água"});
        projeto.acesso.passoAPasso = true;
        projeto.acesso.modoVarredura = TModoVarredura::linhaColuna;
        projeto.acesso.barraMensagem = true;
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "FRASE"));
        FaixaMensagem* faixa = runner.faixa();
        QVERIFY(faixa && faixa->isVisible());
        QCOMPARE(faixa->height(), medidaDaTela().altura / 6);
        QCOMPARE(runner.Panel1->geometry().top(), faixa->geometry().bottom() + 1);
        const auto linhaEm = [&](int r) {
            return runner.motor().destaque().tipo == Destaque::Tipo::linha &&
                   runner.motor().destaque().indice == r;
        };
        QTRY_VERIFY(linhaEm(0)); // the bar first
        QRect celulas;
        for (int c = 0; c < 3; ++c)
            celulas |=
                faixa->retanguloCelula(c).translated(faixa->pos()).adjusted(-10, -10, 10, 10);
        QCOMPARE(runner.Shape1->geometry(), celulas.adjusted(-2, -2, 2, 2));
        QTest::keyClick(&runner, Qt::Key_Space);
        QVERIFY(linhaEm(1));
        QTest::keyClick(&runner, Qt::Key_Return); // the board's row
        QTRY_VERIFY(destacada(runner, 0));
        QTest::keyClick(&runner, Qt::Key_Return); // "eu"
        QTRY_VERIFY(linhaEm(0));
        QCOMPARE(faixa->entradasDesenhadas().size(), 1);
        QCOMPARE(nomeAcessivel(faixa->entradasDesenhadas()[0].painel), QString("eu"));
        QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(faixa->lista());
        QCOMPARE(lista->role(), QAccessible::List);
        QCOMPARE(lista->text(QAccessible::Name), QString("Mensagem"));
        QCOMPARE(nomeAcessivel(faixa->celula(2).painel), QString("Limpar"));

        QTest::keyClick(&runner, Qt::Key_Return); // the bar's row
        QTRY_VERIFY(destacada(runner, 3));        // Falar, after the board's three cells
        QTest::keyClick(&runner, Qt::Key_Space);
        QVERIFY(destacada(runner, 4));
        const QRect apagar = faixa->retanguloCelula(1).translated(faixa->pos());
        QCOMPARE(runner.Shape1->geometry(), apagar.adjusted(-12, -12, 12, 12));
        QTest::keyClick(&runner, Qt::Key_Return); // Apagar
        QTRY_COMPARE(faixa->entradasDesenhadas().size(), 0);
        QTRY_VERIFY(linhaEm(0));

        // A click on an item and on a bar cell, as the mouse would.
        projeto.acesso.passoAPasso = false;
        projeto.acesso.modoVarredura = TModoVarredura::linear;
        runner.close();
        QVERIFY(abreExecucao(runner, "FRASE"));
        for (const int i : {1, 2}) {
            QTest::mouseClick(runner.graf().itensGraf[i].painel, Qt::LeftButton);
            QTRY_VERIFY(!runner.motor().ocupado);
        }
        QTest::keyClick(&runner, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("quero água"));
        QTest::keyClick(&runner, Qt::Key_Backspace);
        QCOMPARE(faixa->entradasDesenhadas().size(), 1);
        QTest::mouseClick(faixa->celula(2).painel, Qt::LeftButton); // Limpar
        QTRY_COMPARE(faixa->entradasDesenhadas().size(), 0);
        QVERIFY(avisos.erros.isEmpty());
        runner.close();

        // Off, the run is the board alone, as it always was.
        projeto.acesso.barraMensagem = false;
        TFormExecuta semBarra;
        QVERIFY(abreExecucao(semBarra, "FRASE"));
        QVERIFY(!semBarra.faixa());
        QCOMPARE(semBarra.Panel1->geometry(), semBarra.rect());
        QCOMPARE(semBarra.Shape1->parentWidget(), semBarra.Panel1);
        semBarra.close();
    }
};

QTEST_MAIN(TesteAcessoJanelas)
#include "tst_acesso_janelas.moc"
