// The scratchpad and its settings window as the author uses them: the buttons, the duplicate
// question, the pictures copied into the project, the settings taking effect, and the editor
// opening the scratchpad and showing what it added.
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/form_prog.h"
#include "janelas/rascunho/form_config_rascunho.h"
#include "janelas/rascunho/form_rascunho.h"
#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "logica/rascunho/config_rascunho.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {

const QString perguntaDuplicata = "Atenção, há pranchas em duplicata\r\nPosso atualizar, "
                                  "agregando itens novos aos existentes? ";

void gravaFigura(const QString& caminho, Qt::GlobalColor cor) {
    QImage figura(8, 8, QImage::Format_RGB32);
    figura.fill(cor);
    QVERIFY(figura.save(caminho, "JPG"));
}

void clica(QWidget* w, Qt::MouseButton botao = Qt::LeftButton) {
    QVERIFY2(w && w->isVisible() && w->isEnabled(), w ? qPrintable(w->objectName()) : "?");
    QTest::mouseClick(w, botao, {}, w->rect().center());
}

// On the mark of a check box or radio button, where the author clicks.
void marca(QAbstractButton* b) {
    QVERIFY2(b && b->isVisible(), b ? qPrintable(b->text()) : "?");
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

// What the window system sends on a right click or the menu key.
void pedeMenu(QWidget* w, QContextMenuEvent::Reason motivo) {
    QContextMenuEvent e(motivo, w->rect().center(), w->mapToGlobal(w->rect().center()));
    QApplication::sendEvent(w, &e);
}

} // namespace

class TstRascunhoJanelas : public QObject {
    Q_OBJECT
    QTemporaryDir biblioteca;
    QTemporaryDir pastas;
    std::unique_ptr<TformConfigRascunho> config;
    std::unique_ptr<TFormRascunho> rascunho;

    TFormRascunho& abreRascunho(const QString& texto) {
        rascunho->MemoRascunho->setPlainText(texto);
        rascunho->show();
        return *rascunho;
    }

private slots:
    void initTestCase() {
        gravaFigura(biblioteca.filePath("casa.jpg"), Qt::red);
        gravaFigura(biblioteca.filePath("casas.jpg"), Qt::green);
        gravaFigura(biblioteca.filePath("mesa.jpg"), Qt::blue);
        gravaFigura(biblioteca.filePath("panela.jpg"), Qt::yellow);
        gravaFigura(biblioteca.filePath("sumida.jpg"), Qt::black);
        usaBibliotecaFiguras(biblioteca.path());
        config = std::make_unique<TformConfigRascunho>();
        rascunho = std::make_unique<TFormRascunho>();
        janelas.formConfigRascunho = config.get();
        janelas.formRascunho = rascunho.get();
    }
    void cleanupTestCase() {
        janelas = Janelas{};
        rascunho.reset();
        config.reset();
    }
    void init() {
        novaPastaDeProjeto(pastas);
        projeto = TProjeto{};
    }
    void cleanup() {
        rascunho->hide();
        config->hide();
        configRascunho = ConfigRascunho{};
        config->FormCreate();
    }

    // First, before any test has touched the settings.
    void configuracoesDeUmaExecucaoNova() {
        const ConfigRascunho& c = configRascunho;
        QCOMPARE(c.corPranchaDefault, semCor);
        QVERIFY(!c.geraSomPranchaAuto && c.geraFalaPranchaAuto);
        QCOMPARE(c.corItemDefault, semCor);
        QVERIFY(c.geraLinkItemAuto && c.incluiFiguraItemAuto && c.geraFalaItemAuto);
        QVERIFY(!c.geraSomItemAuto);
        QCOMPARE(c.posTextoDefault, TPosVertical::cima);
        QCOMPARE(c.dimTextoDefault, 36);
        QCOMPARE(c.dimMolduraDefault, TDimMoldura::fina);

        TformConfigRascunho& w = *config;
        QCOMPARE(w.windowTitle(), QString("Zelvana - Configurações da  transcrição do rascunho"));
        w.show();
        QCOMPARE(w.size(), QSize(655, 448));
        QCOMPARE(w.palette().color(QPalette::Window), QColor(0xFF, 0xCC, 0xCC));
        QCOMPARE(w.g_pranchas->title(), QString("PRANCHAS"));
        QCOMPARE(w.g_itens->title(), QString("ITENS"));
        QCOMPARE(w.g_pranchas->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
        QCOMPARE(w.g_itens->font().pixelSize(), 19);
        QCOMPARE(w.sh_corPranchaDefault->cor(), semCor);
        QCOMPARE(w.sh_corItemDefault->cor(), semCor);
        QCOMPARE(w.sh_corItemDefault->size(), QSize(57, 25));
        QVERIFY(!w.sh_corItemDefault->accessibleName().isEmpty());
        QVERIFY(!w.cb_geraSomPranchaAuto->isChecked());
        QVERIFY(w.cb_geraFalaPranchaAuto->isChecked());
        QVERIFY(w.cb_geraLinkItemAuto->isChecked());
        QVERIFY(w.cb_incluiFiguraItemAuto->isChecked());
        QVERIFY(!w.cb_geraSomItemAuto->isChecked());
        QVERIFY(w.cb_geraFalaItemAuto->isChecked());
        QCOMPARE(w.cb_geraLinkItemAuto->text(), QString("Descobre ligações com outras pranchas"));
        QCOMPARE(w.r_postexto->entrada(w.r_postexto->itemIndex())->text(), QString("EM CIMA"));
        QCOMPARE(w.r_letras->entrada(w.r_letras->itemIndex())->text(), QString("MÉDIAS"));
        QCOMPARE(w.r_margem->entrada(w.r_margem->itemIndex())->text(), QString("FINA"));
        QCOMPARE(w.r_letras->palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x40));
        QCOMPARE(w.r_margem->palette().color(QPalette::Window), QColor(0x10, 0x90, 0xFF));

        TFormRascunho& r = *rascunho;
        QCOMPARE(r.windowTitle(), QString("Zelvana - Rascunho"));
        r.show();
        QCOMPARE(r.size(), QSize(457, 485));
        QCOMPARE(r.palette().color(QPalette::Window), QColor(0xFF, 0xCC, 0xCC));
        QCOMPARE(r.MemoRascunho->font().pixelSize(), 16);
        QVERIFY(r.MemoRascunho->font().bold());
        QVERIFY(!r.MemoRascunho->accessibleName().isEmpty());
        QCOMPARE(r.b_transcrever->text(), QString("&Transcrever"));
    }

    void corDaPranchaComQualquerBotao() {
        config->show();
        RespostasDeDialogo respostas;
        respostas.cor(QColor(0xFF, 0, 0)).cancela();
        clica(config->sh_corPranchaDefault);
        QCOMPARE(config->sh_corPranchaDefault->cor(), TColor(0x0000FF));
        clica(config->sh_corPranchaDefault, Qt::RightButton);
        QCOMPARE(respostas.pendentes(), 0);
        QCOMPARE(config->sh_corPranchaDefault->cor(), TColor(0x0000FF));
        clica(config->b_configure);
        QCOMPARE(configRascunho.corPranchaDefault, TColor(0x0000FF));

        abreRascunho("[casa]\nmesa");
        clica(rascunho->b_transcrever);
        QCOMPARE(projeto.pranchas[0].cor, TColor(0x0000FF));
        QCOMPARE(projeto.pranchas[0].itens[0].cor, semCor);
    }

    void corDoItemSoPeloMenu() {
        config->show();
        RespostasDeDialogo respostas;
        // A left click asks nothing: an unexpected question would stop the test here.
        clica(config->sh_corItemDefault);
        QVERIFY(respostas.perguntas.isEmpty());
        respostas.cor(QColor(0, 0xFF, 0)).cor(QColor(0, 0, 0xFF));
        pedeMenu(config->sh_corItemDefault, QContextMenuEvent::Mouse);
        QCOMPARE(config->sh_corItemDefault->cor(), TColor(0x00FF00));
        pedeMenu(config->sh_corItemDefault, QContextMenuEvent::Keyboard);
        QCOMPARE(respostas.pendentes(), 0);
        QCOMPARE(config->sh_corItemDefault->cor(), TColor(0xFF0000));
    }

    // GRANDES, no picture, a frame, labels at the bottom and sound names, as the next
    // transcription's items show them.
    void configureValeParaATranscricao() {
        config->show();
        marca(config->r_letras->entrada(2));
        marca(config->r_margem->entrada(3));
        marca(config->r_postexto->entrada(0));
        marca(config->cb_incluiFiguraItemAuto);
        marca(config->cb_geraSomItemAuto);
        marca(config->cb_geraFalaPranchaAuto);
        clica(config->b_configure);
        QVERIFY(!config->isVisible());
        QCOMPARE(config->result(), int(QDialog::Accepted));

        abreRascunho("[casa]\nmesa");
        clica(rascunho->b_transcrever);
        const TItem& mesa = projeto.pranchas[0].itens[0];
        QCOMPARE(mesa.dimTexto, 72);
        QCOMPARE(mesa.dimMoldura, TDimMoldura::grossa);
        QCOMPARE(mesa.posTexto, TPosVertical::baixo);
        QVERIFY(mesa.figura.isEmpty());
        QVERIFY(mesa.semFigura);
        QCOMPARE(mesa.som, QString("mesa.wav"));
        QVERIFY(projeto.pranchas[0].fala.isEmpty());
        // Names only: no sound file and no picture appear.
        QCOMPARE(QDir(pastaProjeto).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void fecharPelaBarraNaoGuarda() {
        config->show();
        marca(config->cb_geraFalaItemAuto);
        config->close();
        QVERIFY(configRascunho.geraFalaItemAuto);
        // The next opening shows the change, and a later Configure stores it.
        config->show();
        QVERIFY(!config->cb_geraFalaItemAuto->isChecked());
        clica(config->b_configure);
        QVERIFY(!configRascunho.geraFalaItemAuto);
    }

    void transcreverCopiaAsFiguras() {
        QFile propria(pastaProjeto + "/mesa.jpg");
        QVERIFY(propria.open(QIODevice::WriteOnly));
        propria.write("minha mesa");
        propria.close();
        const QString texto = "[casa]\nmesa\ncadeira\ncasa\nvoltar\n[cozinha]\npanela\ncasa";
        TFormRascunho& r = abreRascunho(texto);
        RespostasDeDialogo avisos;
        clica(r.b_transcrever);
        QVERIFY(!r.isVisible());
        QCOMPARE(r.result(), int(QDialog::Accepted));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"casa", "cozinha"}));
        QCOMPARE(rotulosDosItens(projeto.pranchas[0]),
                 (QStringList{"mesa", "cadeira", "casa", "voltar"}));
        QCOMPARE(projeto.pranchas[0].itens[0].figura, QString("mesa.jpg"));
        QCOMPARE(projeto.pranchas[0].itens[2].link, QString("casa"));
        QCOMPARE(projeto.pranchas[0].itens[3].link, QString("#ANTERIOR"));
        QCOMPARE(projeto.pranchaInicial, QString("casa"));
        // The author's own mesa.jpg stays; the others come from the library, byte for byte.
        QCOMPARE(leArquivo(pastaProjeto + "/mesa.jpg"), QByteArray("minha mesa"));
        QCOMPARE(leArquivo(pastaProjeto + "/casa.jpg"), leArquivo(biblioteca.filePath("casa.jpg")));
        QCOMPARE(leArquivo(pastaProjeto + "/panela.jpg"),
                 leArquivo(biblioteca.filePath("panela.jpg")));
        QVERIFY(!QFile::exists(pastaProjeto + "/cadeira.jpg"));
        // The text stays for the next opening.
        QCOMPARE(r.MemoRascunho->toPlainText(), texto);
    }

    // From the editor a transcription is one step: Ctrl+Z takes out its boards and the
    // pictures it copied, and only those; Ctrl+Shift+Z brings them back.
    void doEditorSeDesfazInteira() {
        QFile propria(pastaProjeto + "/mesa.jpg");
        QVERIFY(propria.open(QIODevice::WriteOnly));
        propria.write("minha mesa");
        propria.close();
        inserePranchaNoProjeto(projeto, -1, "sala");
        documentoProjeto().recarrega();
        const TProjeto antes = projeto;
        TFormProg editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        RespostasDeDialogo avisos;
        noProximoModal([](QWidget* m) {
            auto* r = qobject_cast<TFormRascunho*>(m);
            QVERIFY(r);
            r->MemoRascunho->setPlainText("[casa]\nmesa\ncasa\n[cozinha]\npanela");
            QTest::mouseClick(r->b_transcrever, Qt::LeftButton);
        });
        editor.Rascunhar1Click();
        const TProjeto depois = projeto;
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"sala", "casa", "cozinha"}));
        QCOMPARE(editor.lb_pranchas->count(), 3);
        QVERIFY(QFile::exists(pastaProjeto + "/casa.jpg"));
        QVERIFY(QFile::exists(pastaProjeto + "/panela.jpg"));

        editor.activateWindow(); // as the window manager gives it back after the scratchpad
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(projeto == antes);
        QCOMPARE(editor.lb_pranchas->count(), 1);
        QVERIFY(!QFile::exists(pastaProjeto + "/casa.jpg"));
        QVERIFY(!QFile::exists(pastaProjeto + "/panela.jpg"));
        QCOMPARE(leArquivo(pastaProjeto + "/mesa.jpg"), QByteArray("minha mesa"));

        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(projeto == depois);
        QCOMPARE(editor.lb_pranchas->count(), 3);
        QCOMPARE(leArquivo(pastaProjeto + "/panela.jpg"),
                 leArquivo(biblioteca.filePath("panela.jpg")));
        QVERIFY(avisos.erros.isEmpty());
    }

    void figuraQueNaoCopiaEAvisada() {
        QVERIFY(listaFiguras().contains("sumida"));
        // The library changed after it was listed.
        QVERIFY(QFile::remove(biblioteca.filePath("sumida.jpg")));
        RespostasDeDialogo avisos;
        avisos.ok();
        clica(abreRascunho("[x]\nsumida\nmesa").b_transcrever);
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros[0].contains("sumida.jpg"));
        QVERIFY(!avisos.erros[0].contains("mesa.jpg"));
        QVERIFY(QFile::exists(pastaProjeto + "/mesa.jpg"));
        QCOMPARE(projeto.pranchas[0].itens[0].figura, QString("sumida.jpg"));
        QVERIFY(!rascunho->isVisible());
    }

    void duplicataCancelarEOk() {
        const QString texto = "[casa]\nmesa\n[cozinha]\npanela";
        clica(abreRascunho(texto).b_transcrever);
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"casa", "cozinha"}));

        RespostasDeDialogo respostas;
        respostas.cancela();
        abreRascunho(texto + "\nfogão");
        clica(rascunho->b_transcrever);
        QCOMPARE(respostas.perguntas, QStringList{perguntaDuplicata});
        QVERIFY(rascunho->isVisible());
        QCOMPARE(rotulosDosItens(projeto.pranchas[1]), QStringList{"panela"});

        respostas.ok();
        clica(rascunho->b_transcrever);
        QVERIFY(!rascunho->isVisible());
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"casa", "cozinha"}));
        QCOMPARE(rotulosDosItens(projeto.pranchas[0]), QStringList{"mesa"});
        QCOMPARE(rotulosDosItens(projeto.pranchas[1]), (QStringList{"panela", "fogão"}));
    }

    // The box itself, as shown when no test answers: a warning, OK and Cancel.
    void caixaOkCancela() {
        for (const auto botao : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::NoButton}) {
            bool vista = false;
            noProximoModal([&](QWidget* w) {
                auto* c = qobject_cast<QMessageBox*>(w);
                QVERIFY(c);
                vista = c->text() == perguntaDuplicata && c->icon() == QMessageBox::Warning &&
                        c->standardButtons() == (QMessageBox::Ok | QMessageBox::Cancel);
                if (botao == QMessageBox::NoButton)
                    c->close();
                else
                    clica(c->button(botao));
            });
            QCOMPARE(perguntaOkCancela(perguntaDuplicata), botao == QMessageBox::Ok);
            QVERIFY(vista);
        }
    }

    void limpar() {
        TFormRascunho& r = abreRascunho("[casa]\nmesa");
        RespostasDeDialogo avisos;
        avisos.nao();
        clica(r.b_limpar);
        QCOMPARE(avisos.perguntas, QStringList{"Quer mesmo limpar?"});
        QCOMPARE(r.MemoRascunho->toPlainText(), QString("[casa]\nmesa"));
        avisos.sim();
        clica(r.b_limpar);
        QVERIFY(r.MemoRascunho->toPlainText().isEmpty());
        clica(r.b_fechar);
        QVERIFY(!r.isVisible());
        QCOMPARE(projeto.nPranchas(), 0);
    }

    // One line of the text is one item, however the memo wraps it on screen.
    void linhasComoDigitadas() {
        const QString longa = QString("palavra ").repeated(40).trimmed();
        TFormRascunho& r = abreRascunho("[p]\n" + longa);
        QTRY_VERIFY(r.MemoRascunho->document()->lastBlock().layout()->lineCount() > 1);
        clica(r.b_transcrever);
        QCOMPARE(rotulosDosItens(projeto.pranchas[0]), QStringList{longa});
    }

    void configurarAbreAsConfiguracoes() {
        TFormRascunho& r = abreRascunho({});
        bool aberta = false;
        noProximoModal([&](QWidget* w) {
            aberta = w == config.get();
            clica(config->b_configure);
        });
        clica(r.b_configurar);
        QVERIFY(aberta);
        QVERIFY(r.isVisible());
    }

    // The menu entry and the tool button open the scratchpad; the editor then lists what it
    // added.
    void editorAbreORascunho() {
        TFormProg editor;
        editor.show();
        noProximoModal([](QWidget* w) {
            QCOMPARE(w, janelas.formRascunho);
            janelas.formRascunho->MemoRascunho->setPlainText("[sala]\nsofá\n[quarto]\ncama");
            clica(janelas.formRascunho->b_transcrever);
        });
        QAction* entrada = nullptr;
        for (QAction* a : editor.menuBar()->actions())
            if (a->text() == "&Rascunhar") entrada = a;
        QVERIFY(entrada && entrada->isEnabled());
        entrada->trigger();
        QStringList lista;
        for (int k = 0; k < editor.lb_pranchas->count(); ++k)
            lista << editor.lb_pranchas->item(k)->text();
        QCOMPARE(lista, (QStringList{"sala", "quarto"}));
        QCOMPARE(editor.lb_itens->count(), 1);

        bool aberto = false;
        noProximoModal([&](QWidget* w) {
            aberto = w == janelas.formRascunho;
            clica(janelas.formRascunho->b_fechar);
        });
        clica(editor.findChild<QToolButton*>("SpeedButton1"));
        QVERIFY(aberto);
        QCOMPARE(editor.lb_pranchas->count(), 2);
    }
};

QTEST_MAIN(TstRascunhoJanelas)
#include "tst_rascunho_janelas.moc"
