// The start window's flows, offscreen, with every dialog answered by the test.
#include "app/about_box.h"
#include "app/form_quick_msg.h"
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/form_prog.h"
#include "nucleo/prvars.h"
#include "plataforma/pastas.h"
#include "plataforma/unidades.h"
#include "support/apoio.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

// Counts the about box's showings and closes it at once.
class ContaSobre : public QObject {
public:
    int vezes = 0;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            ++vezes;
            QTimer::singleShot(0, static_cast<QDialog*>(alvo), &QDialog::accept);
        }
        return false;
    }
};

const QString comecarPeloVocabulario =
    "Começar pelo vocabulário inicial?\r\n\r\nSim: pranchas prontas, com figuras e fala, para "
    "mudar à vontade.\r\nNão: um projeto vazio.";

class TstInicio : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    TformSelInic* w = nullptr;

private slots:
    void initTestCase() {
        // The user's folders of this test live in a folder of its own.
        qputenv("HOME", casa.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        criaJanelas();
        w = janelas.formSelInic;
    }
    void cleanupTestCase() { destroiJanelas(); }
    void init() {
        pastaProjeto.clear();
        limpaPranchas(projeto);
        projetoSalvo = false;
        w->rg_ondeBotoes->button(0)->setChecked(true);
    }

    void janelaComoDescrita() {
        QCOMPARE(w->windowTitle(), QString("Zelvana "));
        QCOMPARE(w->size(), QSize(609, 553));
        QCOMPARE(w->Label1->text(), QString("Zelvana - v 1.4a"));
        QCOMPARE(w->l_pasta->text(), QString("[nenhuma pasta de pranchas está selecionada]"));
        QCOMPARE(w->rg_onde->title(), QString("Onde"));
        // The project buttons in the blue panel, top to bottom, and which start enabled.
        const QList<QPair<QPushButton*, QString>> ordem{{w->b_criarProjeto, "Criar Projeto"},
                                                        {w->b_escolherPasta, "Escolher Pasta"},
                                                        {w->b_editar, "Editar"},
                                                        {w->b_salvar, "Salvar"},
                                                        {w->b_imprimir, "Imprimir"},
                                                        {w->b_configurar, "Configurar"},
                                                        {w->b_executar, "Executar"},
                                                        {w->b_exportar, "Exportar Projeto"},
                                                        {w->b_importar, "Importar Modelo"}};
        int y = -1;
        for (const auto& [b, texto] : ordem) {
            QCOMPARE(b->text(), texto);
            QCOMPARE(b->parentWidget(), w->p_projeto);
            QVERIFY(b->y() > y);
            y = b->y();
            const bool ativo =
                texto == "Criar Projeto" || texto == "Escolher Pasta" || texto == "Executar";
            QCOMPARE(b->isEnabled(), ativo);
        }
        QCOMPARE(w->p_projeto->palette().color(QPalette::Window), QColor(0x10, 0x90, 0xFF));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
    }

    void lugaresDosProjetos() {
        const auto botoes = w->rg_ondeBotoes->buttons();
        QVERIFY(botoes.size() >= 3);
        QCOMPARE(w->rg_ondeBotoes->button(0)->text(), QString("Minhas pranchas"));
        QCOMPARE(w->rg_ondeBotoes->button(1)->text(), QString("Área de trabalho"));
        QCOMPARE(w->rg_ondeBotoes->button(int(botoes.size()) - 1)->text(), QString("Outro lugar"));
        QCOMPARE(textoDaUnidade("E", "PENDRIVE"), QString("Drive E [PENDRIVE]"));
        QCOMPARE(textoDaUnidade("E", ""), QString("Drive E"));

        const QString minhas = w->pastaOnde();
        QVERIFY(minhas.endsWith("/Minhas Pranchas"));
        QVERIFY(QFileInfo(minhas).isDir()); // created when missing
        w->rg_ondeBotoes->button(int(botoes.size()) - 1)->setChecked(true);
        QCOMPARE(w->pastaOnde(), QFileInfo(pastaAreaDeTrabalho()).absolutePath());
        // A selection past the end after a rebuild stays inside the list.
        QTest::mouseClick(w->b_renovar, Qt::LeftButton);
        QVERIFY(w->rg_ondeBotoes->checkedButton());
        QCOMPARE(w->rg_ondeBotoes->checkedButton()->text(), QString("Outro lugar"));
    }

    void nomesRecusadosECriacaoCancelada() {
        // Before any project: a refused name is asked again, and a cancel leaves nothing on.
        RespostasDeDialogo dialogos;
        pastaProjeto.clear();
        projeto.pranchas = {TPrancha{}};
        const QString alvo = w->pastaOnde() + "/Cancelado";
        QDir(alvo).removeRecursively();
        dialogos.texto("../fora").ok().texto("  ").ok().texto("Cancelado").ok().cancela();
        QTest::mouseClick(w->b_criarProjeto, Qt::LeftButton);
        QCOMPARE(dialogos.pendentes(), 0);
        QCOMPARE(dialogos.erros, (QStringList{"O nome do projeto não pode conter \"/\" nem \"\\\".",
                                              "Informe um nome para o projeto."}));
        QVERIFY(!QFileInfo(QFileInfo(w->pastaOnde()).path() + "/fora").exists());
        QVERIFY(!QFileInfo::exists(alvo)); // the folder made for it is taken back
        QVERIFY(pastaProjeto.isEmpty());
        QCOMPARE(projeto.nPranchas(), 1);
        for (QPushButton* b : {w->b_editar, w->b_salvar, w->b_imprimir, w->b_configurar,
                               w->b_exportar, w->b_importar})
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
    }

    void criarProjetoEscola() {
        RespostasDeDialogo dialogos;
        const QString alvo = w->pastaOnde() + "/Escola";
        QDir(alvo).removeRecursively();
        projeto.pranchas.append(TPrancha{});
        projeto.falando = projeto.sintetizando = false;
        dialogos.texto("Escola").ok().pasta(alvo).nao(); // empty, not the starter vocabulary
        QTest::mouseClick(w->b_criarProjeto, Qt::LeftButton);
        QCOMPARE(dialogos.perguntas,
                 (QStringList{"Informe o nome do seu projeto", "Escolha a pasta do projeto",
                              comecarPeloVocabulario}));
        QCOMPARE(QDir(alvo).entryList(QDir::Files), QStringList{});
        QVERIFY(QFileInfo(alvo).isDir());
        QCOMPARE(pastaProjeto, alvo);
        QCOMPARE(QDir::currentPath(), alvo);
        QCOMPARE(w->l_pasta->text(), alvo);
        QVERIFY(w->l_pasta->textInteractionFlags() & Qt::TextSelectableByMouse); // to be copied
        QCOMPARE(projeto.nPranchas(), 0);
        QVERIFY(projeto.falando && projeto.sintetizando); // a new project speaks
        QVERIFY(!projetoSalvo);
        QVERIFY(w->b_editar->isEnabled() && w->b_importar->isEnabled());
        QCOMPARE(dialogos.infos, QStringList{"Dê clique duplo na pasta desejada para confirmar"});
    }

    void criarProjetoDoVocabularioInicial() {
        const QString alvo = w->pastaOnde() + "/Ana";
        QDir(alvo).removeRecursively();
        {
            RespostasDeDialogo dialogos;
            dialogos.texto("Ana").ok().pasta(alvo).sim();
            QTest::mouseClick(w->b_criarProjeto, Qt::LeftButton);
            QCOMPARE(dialogos.perguntas.value(2), comecarPeloVocabulario);
            QCOMPARE(dialogos.pendentes(), 0);
        }
        QCOMPARE(pastaProjeto, alvo);
        // Every file is copied, so the copy is the author's to change; the boards are read.
        QCOMPARE(QDir(alvo).entryList(QDir::Files),
                 QDir(pastaDoPrograma() + "/vocabulario_inicial").entryList(QDir::Files));
        QVERIFY(QFile::exists(alvo + "/banana.jpg"));
        QCOMPARE(projeto.pranchaInicial, "PRINCIPAL");
        QCOMPARE(projeto.pranchaSocorro, "SOCORRO");
        QVERIFY(projeto.falando && projeto.sintetizando);
        QVERIFY(projeto.nPranchas() >= 13);
        QVERIFY(w->b_editar->isEnabled());

        // Into a folder that already holds boards: they are kept as the backup a save keeps.
        QFile pra(alvo + "/pranchas.pra");
        QVERIFY(pra.open(QIODevice::WriteOnly | QIODevice::Truncate));
        pra.write("[MINHA]\r\nMODELO=1X1\r\nTITULO=minha\r\n1=oi\r\n");
        pra.close();
        limpaPranchas(projeto);
        projeto.pranchaInicial.clear();
        RespostasDeDialogo dialogos;
        dialogos.texto("Ana").ok().pasta(alvo).sim();
        QTest::mouseClick(w->b_criarProjeto, Qt::LeftButton);
        QCOMPARE(dialogos.erros, QStringList{"O diretório de projeto não pode ser criado, reuse ou "
                                             "editore o nome"});
        QCOMPARE(dialogos.pendentes(), 0);
        QCOMPARE(projeto.pranchaInicial, "PRINCIPAL");
        QVERIFY(projeto.nPranchas() >= 13);
        QFile bak(alvo + "/pranchas.bak");
        QVERIFY(bak.open(QIODevice::ReadOnly));
        QVERIFY(bak.readAll().startsWith("[MINHA]"));
    }

    void executarSemPranchasEsqueceAPasta() {
        RespostasDeDialogo avisos;
        QTemporaryDir vazia;
        QFile f(vazia.path() + "/pranchas.pra");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        pastaProjeto = vazia.path();
        w->b_executar->click();
        QCOMPARE(avisos.rapidas, QStringList{"Não existem pranchas neste projeto"});
        QVERIFY(pastaProjeto.isEmpty());
    }

    void mensagensSemPasta() {
        RespostasDeDialogo avisos;
        // The buttons are disabled without a folder; their handlers still refuse.
        avisos.ok().ok().ok();
        w->b_editarClick();
        w->b_salvarClick();
        w->b_imprimirClick();
        QCOMPARE(avisos.erros, (QStringList{"Pasta do projeto não foi definida",
                                            "Pasta do projeto não foi definida",
                                            "Você ainda não selecionou nenhuma pasta, não posso "
                                            "imprimir"}));
    }

    void fecharPerguntaSoSemSalvar() {
        QTemporaryDir pasta;
        RespostasDeDialogo avisos;
        pastaProjeto = pasta.path();
        w->habilitaBotoes();
        QTest::mouseClick(w->b_editar, Qt::LeftButton);
        QCloseEvent fecha;
        avisos.nao();
        QApplication::sendEvent(w, &fecha);
        QVERIFY(!fecha.isAccepted()); // answered No: stays open
        QCOMPARE(avisos.perguntas, QStringList{"Tem certeza de quer vai terminar?  Já salvou ?"});
        QTest::mouseClick(w->b_salvar, Qt::LeftButton);
        QVERIFY(QFile::exists(pasta.path() + "/pranchas.pra"));
        QCOMPARE(avisos.rapidas, QStringList{"Pranchas gravadas"});
        QCloseEvent denovo;
        QApplication::sendEvent(w, &denovo);
        QVERIFY(denovo.isAccepted());
        QCOMPARE(avisos.perguntas.size(), 1);
    }

    void pastaDaLinhaDeComando() {
        RespostasDeDialogo avisos;
        avisos.ok();
        QVERIFY(!w->abrePastaDaLinhaDeComando("/nao/existe/mesmo"));
        QVERIFY(pastaProjeto.isEmpty());
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros[0].contains("/nao/existe/mesmo"));
    }

    // The about box greets a start window opened by itself; a folder named on the command line
    // goes straight to the editor without it holding the first clicks.
    void sobreSoSemPastaNaLinhaDeComando() {
        ContaSobre conta;
        janelas.aboutBox->installEventFilter(&conta);
        for (const bool comPasta : {false, true}) {
            conta.vezes = 0;
            TformSelInic inicio;
            if (comPasta) {
                RespostasDeDialogo avisos;
                avisos.ok(); // a folder without a board file
                QVERIFY(inicio.abrePastaDaLinhaDeComando(casa.path()));
            }
            inicio.show();
            QTest::qWait(50);
            QCOMPARE(conta.vezes, comPasta ? 0 : 1);
        }
        janelas.aboutBox->removeEventFilter(&conta);
        if (janelas.formProg) janelas.formProg->hide();
    }

    void mensagemRapidaFechaSozinha() {
        TformQuickMsg q;
        QElapsedTimer t;
        t.start();
        q.mostra("Pranchas gravadas", 300);
        QVERIFY(t.elapsed() >= 290);
        QVERIFY(t.elapsed() < 3000);
        QVERIFY(!q.isVisible());
        QCOMPARE(q.Label1->text(), QString("Pranchas gravadas"));
        QCOMPARE(q.width(), 457);

        // A long path widens the window until the whole text fits.
        const QString longo = "Sem impressora: a prancha foi salva em " + QString(25, 'x') + ".pdf";
        q.mostra(longo, 10);
        QCOMPARE(q.Label1->text(), longo);
        QVERIFY(q.Label1->fontMetrics().horizontalAdvance(longo) <= q.Label1->width());
    }

    void sobreArmadoFechaSozinhoSemArmarFicaAberto() {
        TAboutBox caixa;
        caixa.ativaFechamentoAutomatico();
        QElapsedTimer t;
        t.start();
        caixa.exec();
        QVERIFY(t.elapsed() >= 4900);
        bool aindaAberta = false;
        QTimer::singleShot(5500, &caixa, [&] {
            aindaAberta = caixa.isVisible();
            caixa.b_OK->click();
        });
        caixa.exec();
        QVERIFY(aindaAberta);
    }
};

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
