// The execution settings window: its controls, what activation reads, what OK stores and
// corrects, and the two doors to it (the start window, modal; the editor, beside it).
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "janelas/comum/janelas.h"
#include "janelas/configuracao/form_config_acesso.h"
#include "janelas/configuracao/form_config_exec.h"
#include "janelas/configuracao/form_voz.h"
#include "janelas/editor/form_prog.h"
#include "logica/editor/documento_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"
#include "plataforma/sensor_escolha.h"
#include "support/apoio.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

TPrancha prancha(const QString& nome) {
    TPrancha p;
    p.nome = nome;
    p.nColunas = 1;
    p.nLinhas = 1;
    p.itens << TItem();
    return p;
}

void projetoDeTres() {
    limpaPranchas(projeto);
    projeto = TProjeto();
    projeto.pranchas << prancha("INICIO") << prancha("COMER") << prancha("SOCORRO");
    projeto.falando = false;
    projeto.sintetizando = true;
    projeto.falaVarredura = true;
    projeto.acionaTobii = false;
    projeto.tempoVarredura = 2500;
    projeto.tempoHisterese = 700;
    projeto.tempoSocorro = 4000;
    projeto.tempoAutoClique = 0;
    projeto.pranchaInicial = "COMER";
    projeto.pranchaSocorro = "NAO EXISTE";
}

QStringList itensDe(const QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i)
        r << c->itemText(i);
    return r;
}

void clica(QWidget* w) {
    QVERIFY2(w && w->isEnabled() && w->isVisible(), w ? qPrintable(w->objectName()) : "?");
    QTest::mouseClick(w, Qt::LeftButton);
}

void escreve(QLineEdit* e, const QString& texto) {
    e->selectAll();
    QTest::keyClicks(e, texto);
}

} // namespace

class TesteConfigExec : public QObject {
    Q_OBJECT
    TFormConfigExec* w = nullptr;
    QTemporaryDir casa; // the computer's own settings of this test

    bool abre() {
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }

    // "Mais opções…" opened from the window, step scanning ticked, OK.
    void ligaPassoAPassoEmMaisOpcoes() {
        noProximoModal([](QWidget* m) {
            auto* mais = qobject_cast<TFormConfigAcesso*>(m);
            QVERIFY(mais);
            mais->cb_passoAPasso->setChecked(true);
            QTest::mouseClick(mais->b_ok, Qt::LeftButton);
        });
        clica(w->b_maisOpcoes);
    }

private slots:
    void initTestCase() {
        qputenv("HOME", casa.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        criaJanelas();
        w = janelas.formConfigExec;
        QVERIFY(w);
    }
    void cleanupTestCase() { destroiJanelas(); }
    void init() {
        projetoDeTres();
        documentoProjeto().recarrega();
    }
    void cleanup() {
        w->hide();
        if (janelas.formProg) janelas.formProg->hide();
    }

    void janelaComoDescrita() {
        QCOMPARE(w->windowTitle(), QString("Configura Execução"));
        QCOMPARE(w->size(), QSize(497, 546));
        QCOMPARE(w->b_ok->text(), QString("OK"));
        QCOMPARE(w->b_sint->text(), QString("Escolher o sintetizador de voz (quando instalado)"));
        const QList<QPair<QCheckBox*, QString>> caixas{
            {w->cb_falaClicados, "Fala itens clicados"},
            {w->cb_sintetNaoGrav, "Sintetiza sons não gravados."},
            {w->cb_falaVarredura, "Fala rótulos durante a varredura"},
            {w->cb_acionaTobii, "Aciona o sensor de olhos"}};
        for (const auto& [caixa, texto] : caixas)
            QCOMPARE(caixa->text(), texto);
        // The four times on the sky-blue panel, each named by its label and followed by "ms".
        const QList<QPair<QLineEdit*, QString>> tempos{{w->e_varredura, "Varredura"},
                                                       {w->e_histerese, "Ignora cliques múltiplos"},
                                                       {w->e_socorro, "Clique para socorro"},
                                                       {w->e_autoClique, "Tempo de auto-clique"}};
        for (const auto& [caixa, texto] : tempos) {
            QCOMPARE(caixa->parentWidget(), w->Panel1);
            QCOMPARE(QAccessible::queryAccessibleInterface(caixa)->text(QAccessible::Name), texto);
        }
        QStringList rotulos;
        for (const QLabel* l : w->Panel1->findChildren<QLabel*>())
            rotulos << l->text();
        QCOMPARE(rotulos.count("ms"), 4);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(w->c_pranchaInicial)->text(QAccessible::Name),
            QString("Prancha inicial"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(w->c_pranchaSocorro)->text(QAccessible::Name),
            QString("Prancha de Socorro"));
        QVERIFY(w->c_pranchaInicial->isEditable() && w->c_pranchaSocorro->isEditable());
    }

    void ativacaoLeOProjeto() {
        projeto.acionaTobii = true;
        QVERIFY(abre());
        QVERIFY(!w->cb_falaClicados->isChecked());
        QVERIFY(w->cb_sintetNaoGrav->isChecked());
        QVERIFY(w->cb_falaVarredura->isChecked());
        QVERIFY(w->cb_acionaTobii->isChecked());
        QCOMPARE(w->e_varredura->text(), QString("2500"));
        QCOMPARE(w->e_histerese->text(), QString("700"));
        QCOMPARE(w->e_socorro->text(), QString("4000"));
        QCOMPARE(w->e_autoClique->text(), QString("0"));
        const QStringList nomes{"INICIO", "COMER", "SOCORRO"};
        QCOMPARE(itensDe(w->c_pranchaInicial), nomes);
        QCOMPARE(itensDe(w->c_pranchaSocorro), nomes);
        QCOMPARE(w->c_pranchaInicial->currentText(), QString("COMER"));
        QCOMPARE(w->c_pranchaSocorro->currentText(), QString("NAO EXISTE"));
    }

    void okGuardaTudoEFecha() {
        RespostasDeDialogo avisos;
        QVERIFY(abre());
        clica(w->cb_falaClicados);
        clica(w->cb_falaVarredura);
        clica(w->cb_acionaTobii);
        w->c_pranchaInicial->setEditText("OUTRA QUALQUER");
        w->c_pranchaSocorro->setCurrentIndex(2);
        escreve(w->e_varredura, " 1500 ");
        escreve(w->e_histerese, "0");
        escreve(w->e_socorro, "2001");
        escreve(w->e_autoClique, "0");
        clica(w->b_ok);
        QVERIFY(avisos.erros.isEmpty());
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(projeto.falando);
        QVERIFY(!projeto.falaVarredura);
        QVERIFY(projeto.sintetizando);
        QVERIFY(projeto.acionaTobii);
        QCOMPARE(projeto.pranchaInicial, QString("OUTRA QUALQUER")); // stored as typed
        QCOMPARE(projeto.pranchaSocorro, QString("SOCORRO"));
        QCOMPARE(projeto.tempoVarredura, 1500);
        QCOMPARE(projeto.tempoHisterese, 0);
        QCOMPARE(projeto.tempoSocorro, 2001);
        QCOMPARE(projeto.tempoAutoClique, 0);
    }

    void sensorDeOlhosNaoVaiParaOArquivo() {
        RespostasDeDialogo avisos;
        QTemporaryDir pasta;
        QVERIFY(gravaPranchas(pasta.path(), "sem.pra"));
        QVERIFY(abre());
        clica(w->cb_acionaTobii);
        clica(w->b_ok);
        QVERIFY(projeto.acionaTobii);
        QVERIFY(gravaPranchas(pasta.path(), "com.pra"));
        QFile sem(pasta.filePath("sem.pra")), com(pasta.filePath("com.pra"));
        QVERIFY(sem.open(QIODevice::ReadOnly) && com.open(QIODevice::ReadOnly));
        QCOMPARE(com.readAll(), sem.readAll());
        // Loading a project leaves the switch as it was: it belongs to this computer, which
        // keeps it for the next starts.
        QVERIFY(QFile::copy(pasta.filePath("com.pra"), pasta.filePath("pranchas.pra")));
        carregaPranchas(pasta.path());
        QCOMPARE(projeto.nPranchas(), 3);
        QVERIFY(projeto.acionaTobii);
        QVERIFY(arquivoSensorDeOlhos().startsWith(casa.path()));
        QVERIFY(sensorDeOlhosGuardado());
        QVERIFY(abre());
        clica(w->cb_acionaTobii);
        clica(w->b_ok);
        QVERIFY(!projeto.acionaTobii && !sensorDeOlhosGuardado());
        QVERIFY(avisos.erros.isEmpty());
    }

    void numeroInvalidoDeixaAJanelaAberta() {
        RespostasDeDialogo avisos;
        QVERIFY(abre());
        escreve(w->e_varredura, "3000");
        escreve(w->e_histerese, "150");
        escreve(w->e_socorro, "1,5");
        escreve(w->e_autoClique, "800");
        clica(w->cb_acionaTobii);
        avisos.ok();
        clica(w->b_ok);
        QCOMPARE(avisos.erros, QStringList{"Dados numéricos inválidos, confira: Clique para "
                                           "socorro deve estar entre 0 e 120000 ms"});
        QTest::qWait(50);
        QVERIFY(w->isVisible());
        // What was typed stays to be corrected; nothing is stored, not even the boxes before
        // the bad one.
        QCOMPARE(w->e_socorro->text(), QString("1,5"));
        QCOMPARE(w->e_histerese->text(), QString("150"));
        QCOMPARE(projeto.tempoVarredura, 2500);
        QCOMPARE(projeto.tempoHisterese, 700);
        QCOMPARE(projeto.tempoSocorro, 4000);
        QCOMPARE(projeto.tempoAutoClique, 0);
        QVERIFY(!projeto.acionaTobii);
        // A whole number outside the box's range is refused the same way, naming the box.
        escreve(w->e_socorro, "4000");
        escreve(w->e_autoClique, "10001");
        avisos.ok();
        clica(w->b_ok);
        QCOMPARE(avisos.erros.value(1), QString("Dados numéricos inválidos, confira: Tempo de "
                                                "auto-clique deve estar entre 0 e 10000 ms"));
        QVERIFY(w->isVisible());
        QCOMPARE(projeto.tempoAutoClique, 0);
    }

    void temposIncoerentesSaoCorrigidosNaTela() {
        RespostasDeDialogo avisos;
        QVERIFY(abre());
        escreve(w->e_varredura, "300");
        escreve(w->e_histerese, "150");
        escreve(w->e_socorro, "2400");
        escreve(w->e_autoClique, "800");
        avisos.ok();
        clica(w->b_ok);
        QCOMPARE(avisos.erros,
                 QStringList{"Tempos incoerentes: mudei para valores coerentes (em ms)"});
        QTest::qWait(50);
        QVERIFY(w->isVisible());
        QCOMPARE(w->e_varredura->text(), QString("2000"));
        QCOMPARE(w->e_histerese->text(), QString("1000"));
        QCOMPARE(w->e_socorro->text(), QString("3000"));
        QCOMPARE(w->e_autoClique->text(), QString("0"));
        QCOMPARE(projeto.tempoVarredura, 2500); // stored by the next OK, as shown
        clica(w->b_ok);                         // now coherent: it closes
        QCOMPARE(projeto.tempoVarredura, 2000);
        QCOMPARE(projeto.tempoSocorro, 3000);
        QCOMPARE(avisos.erros.size(), 1);
        QTRY_VERIFY(!w->isVisible());
    }

    void voltaDaMensagemMantemODigitado() {
        // Real message boxes: the window is activated again when one closes, and must not read
        // the project over what the author typed.
        instalaAvisosDeTela();
        QVERIFY(abre());
        escreve(w->e_varredura, "4500");
        escreve(w->e_socorro, "dois");
        noProximoModal([](QWidget* m) {
            QVERIFY(qobject_cast<QMessageBox*>(m));
            QVERIFY(qobject_cast<QMessageBox*>(m)->text().startsWith(
                "Dados numéricos inválidos, confira: Clique para socorro"));
            m->close();
        });
        clica(w->b_ok);
        w->activateWindow(); // as the window manager gives the focus back
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::qWait(50);
        QCOMPARE(w->e_socorro->text(), QString("dois"));
        QCOMPARE(w->e_varredura->text(), QString("4500"));
    }

    void fecharPelaBarraNaoGuarda() {
        RespostasDeDialogo avisos;
        QVERIFY(abre());
        escreve(w->e_varredura, "9000");
        clica(w->cb_acionaTobii);
        // "Mais opções…" confirmed inside it is let go too: the window's Cancel is the whole
        // window's.
        ligaPassoAPassoEmMaisOpcoes();
        QVERIFY(!projeto.acesso.passoAPasso); // stored only by the window's own OK
        w->close();
        QCOMPARE(projeto.tempoVarredura, 2500);
        QVERIFY(!projeto.acionaTobii);
        QVERIFY(!projeto.acesso.passoAPasso);
        for (const bool esc : {false, true}) {
            QVERIFY(abre());
            escreve(w->e_varredura, "9000");
            esc ? QTest::keyClick(w, Qt::Key_Escape) : clica(w->b_cancela);
            QVERIFY(!w->isVisible());
            QCOMPARE(projeto.tempoVarredura, 2500);
        }
        // And the next showing reads the project again.
        QVERIFY(abre());
        QCOMPARE(w->e_varredura->text(), QString("2500"));
    }

    void configurarDaJanelaInicialEModal() {
        RespostasDeDialogo avisos;
        TformSelInic* inicio = janelas.formSelInic; // not shown: no about box in the way
        inicio->habilitaBotoes();
        projetoSalvo = true;
        bool modal = false;
        noProximoModal([&](QWidget* m) {
            modal = m == w;
            escreve(w->e_varredura, "300");
            clica(w->b_ok); // the scanning time is corrected and the window stays
            QCOMPARE(w->e_varredura->text(), QString("2000"));
            QVERIFY(w->isVisible());
            clica(w->b_ok);
        });
        avisos.ok();
        QTest::mouseClick(inicio->b_configurar, Qt::LeftButton);
        QVERIFY(modal);
        QVERIFY(!w->isVisible());
        QCOMPARE(avisos.erros,
                 QStringList{"Tempos incoerentes: mudei para valores coerentes (em ms)"});
        QCOMPARE(projeto.tempoVarredura, 2000);
        QVERIFY(!projetoSalvo);
    }

    void editorAbreAoLado() {
        TFormProg* editor = janelas.formProg;
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        auto* botao = editor->findChild<QToolButton*>("ConfigBtn");
        clica(botao);
        QTRY_VERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(editor->isEnabled());
        w->hide();

        QAction* execucao = nullptr;
        for (QAction* a : editor->menuBar()->findChildren<QAction*>())
            if (a->text() == "&Execução") execucao = a;
        QVERIFY(execucao && execucao->isEnabled());
        execucao->trigger();
        QTRY_VERIFY(w->isVisible());
        QVERIFY(!QApplication::activeModalWidget());

        // Open beside the editor, "Configurar" of the start window still shows it modally.
        bool modal = false;
        noProximoModal([&](QWidget* m) {
            modal = m == w;
            w->close();
        });
        janelas.formSelInic->habilitaBotoes();
        janelas.formSelInic->b_configurarClick();
        QVERIFY(modal);
    }

    // The settings are one step of the project's history, and the editor and this window
    // follow the document without being activated.
    void desfazerESinaisDoDocumento() {
        RespostasDeDialogo avisos;
        const TProjeto antes = projeto;
        QVERIFY(abre());
        escreve(w->e_varredura, "3000");
        clica(w->cb_falaClicados);
        ligaPassoAPassoEmMaisOpcoes();
        clica(w->b_ok);
        TProjeto depois = antes;
        depois.tempoVarredura = 3000;
        depois.falando = true;
        depois.acesso.passoAPasso = true;
        QCOMPARE(projeto, depois);

        // The editor, never shown nor activated since, offers to undo it by name.
        QUndoStack& historico = documentoProjeto().historico();
        QCOMPARE(historico.count(), 1);
        QAction* desfazer = nullptr;
        for (QAction* a : janelas.formProg->findChildren<QAction*>())
            if (a->text().startsWith("Desfazer")) desfazer = a;
        QVERIFY(desfazer);
        QCOMPARE(desfazer->text(), QString("Desfazer Configurações de execução"));
        QVERIFY(!historico.isClean());
        w->mostraNaoModal(); // open beside the editor while it undoes
        desfazer->trigger();
        QCOMPARE(projeto, antes);
        QVERIFY(historico.isClean());
        QCOMPARE(w->e_varredura->text(), QString("2500"));
        QVERIFY(!w->cb_falaClicados->isChecked());
        historico.redo();
        QCOMPARE(projeto, depois);
        QCOMPARE(w->e_varredura->text(), QString("3000"));

        // A board renamed in the editor is in the open window's lists at once.
        TPrancha comer = projeto.pranchas[1];
        comer.nome = "ALMOCO";
        QVERIFY(documentoProjeto().guardaPrancha(1, comer));
        QCOMPARE(itensDe(w->c_pranchaInicial), (QStringList{"INICIO", "ALMOCO", "SOCORRO"}));
        QCOMPARE(janelas.formProg->lb_pranchas->item(1)->text(), QString("ALMOCO"));
        QVERIFY(avisos.erros.isEmpty());
    }

    void vozAbreAJanelaDeVozes() {
        RespostasDeDialogo avisos;
        QVERIFY(abre());
        QString aberta;
        noProximoModal([&](QWidget* m) {
            auto* voz = qobject_cast<TFormVoz*>(m);
            if (voz) aberta = voz->c_voz->itemData(0).toString();
            m->close();
        });
        clica(w->b_sint);
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(aberta, QString("pt-br"));
    }
};

QTEST_MAIN(TesteConfigExec)
#include "tst_config_exec.moc"
