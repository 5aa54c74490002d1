// The full preview: opened three ways, its messages and JPEG, its printed page; and the focus the
// editor and the preview get back after a message.
#include "desenho/imprime_prancha_pagina.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/visualiza_form.h"
#include "logica/editor/operacoes_projeto.h"
#include "plataforma/pastas.h"
#include "support/editor_apoio.h"

#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

class TstEditorVisualizacao : public QObject, ProjetoDoEditor {
    Q_OBJECT

private slots:
    // The full preview opens modally from the tool bar, the menu and a click on the drawing.
    void visualizacaoDeTresManeiras() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TformVisualiza v;
        janelas.formVisualiza = &v;
        TFormProg f;
        QVERIFY(abre(f));
        QStringList abertas;
        const auto fechaAVisualizacao = [&](QWidget* w) {
            abertas << w->objectName();
            w->close();
        };
        noProximoModal(fechaAVisualizacao);
        clica(rapido(f, "VisuBtn"));
        noProximoModal(fechaAVisualizacao);
        QVERIFY(aciona(f, "Visualizar"));
        noProximoModal(fechaAVisualizacao);
        QTest::mouseClick(f.p_previewPrancha, Qt::LeftButton);
        QCOMPARE(abertas, QStringList(3, "formVisualiza"));
        QCOMPARE(v.pranchaVisualizada, 0);
        janelas.formVisualiza = nullptr;
        f.close();
    }

    // Coming back from a modal dialog keeps the selection; from another window it does not.
    void ativacaoDepoisDeDialogo() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        for (const char* nome : {"A", "B", "C"})
            inserePranchaNoProjeto(projeto, projeto.nPranchas() - 1, nome);
        TFormProg f;
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTRY_COMPARE(f.lb_pranchas->count(), 3);
        f.lb_pranchas->setCurrentRow(2);
        QCOMPARE(f.lb_pranchas->currentRow(), 2);

        auto caixaPorCima = [](QWidget* sobre) {
            QMessageBox caixa(QMessageBox::Question, "Zelvana", "?", QMessageBox::No, sobre);
            QTimer::singleShot(0, &caixa, [&caixa] {
                caixa.activateWindow(); // as a window manager would give it the focus
                QTimer::singleShot(300, &caixa, &QWidget::close);
            });
            caixa.exec();
            sobre->activateWindow();
            return QTest::qWaitForWindowActive(sobre);
        };
        QVERIFY(caixaPorCima(&f));
        QCOMPARE(f.lb_pranchas->currentRow(), 2);
        QVERIFY(f.graf.criada);

        // The preview keeps its board over a message and does not play the board again.
        projeto.sintetizando = true; // a missing recording is spoken, so it shows up
        projeto.pranchas[2].som = "c.wav";
        TformVisualiza v;
        v.selecionaPrancha(2);
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QTRY_VERIFY(tocados.join(" ").contains("c.wav"));
        tocados.clear();
        QVERIFY(caixaPorCima(&v));
        QVERIFY(v.findChildren<ElementoGraf*>().size() > 0);
        QTest::qWait(300);
        QVERIFY(!tocados.join(" ").contains("c.wav"));
        v.close();

        QWidget outra;
        outra.show();
        outra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&outra));
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        // Back from another window the editor keeps its place: its lists follow the project's
        // changes, not the activation; the preview let go meanwhile is drawn again.
        QCOMPARE(f.lb_pranchas->currentRow(), 2);
        QVERIFY(f.graf.criada);
        f.close();
    }

    void mensagensDaVisualizacao() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TPrancha& b = projeto.pranchas[0];
        projeto.sintetizando = true; // a missing recording is spoken, so it shows up
        b.som = "casa.wav";
        insereItemNaPrancha(b, -1, "um");
        insereItemNaPrancha(b, 0, "dois");
        b.itens[0].executar = "calc";
        b.itens[1].som = "dois.wav";
        TformVisualiza v;
        janelas.formVisualiza = &v;
        v.selecionaPrancha(0);
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QTRY_VERIFY(v.findChildren<ElementoGraf*>().size() > 0);
        tocados.clear();
        v.resize(700, 500); // a redraw plays the board sound again
        QTRY_VERIFY(tocados.join(" ").contains("casa.wav"));
        auto solta = [&](int n) {
            ElementoGraf* alvo = nullptr;
            for (ElementoGraf* e : v.findChildren<ElementoGraf*>())
                if (indiceDoControle(e) == n && !qobject_cast<MolduraGraf*>(e)) alvo = e;
            QVERIFY(alvo);
            QTest::mousePress(alvo, Qt::LeftButton);
            QTest::mouseRelease(alvo, Qt::LeftButton);
        };
        avisos.ok().ok();
        solta(0);
        QCOMPARE(avisos.infos, (QStringList{"Executaria calc", "Desvio não programado no item 0"}));
        b.link = "outra";
        avisos.infos.clear();
        tocados.clear();
        avisos.ok();
        solta(1);
        QCOMPARE(avisos.infos, QStringList{"Desviaria para outra"});
        paraTudo();

        // JPEG on the desktop, silent.
        QDir(dir.path() + "/Desktop").removeRecursively(); // a fresh account has none yet
        avisos.infos.clear();
        tocados.clear();
        modoSilencioso = true;
        avisos.ok();
        v.gravaJpg();
        QVERIFY(!tocados.join(" ").contains("casa.wav"));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(avisos.infos, QStringList{"casa.jpg gravado na Área de Trabalho"});
        QCOMPARE(QImage(pastaAreaDeTrabalho() + "/casa.jpg").size(), v.Panel1->size());
        // Any board name gives a plain file on the desktop; one there is replaced only after
        // asking.
        const QStringList nomes{"a/b", "", " .oculta"},
            arquivos{"a_b.jpg", "prancha.jpg", "oculta.jpg"};
        for (int k = 0; k < nomes.size(); ++k) {
            b.nome = nomes[k];
            avisos.ok();
            v.gravaJpg();
            QVERIFY2(QFileInfo::exists(pastaAreaDeTrabalho() + "/" + arquivos[k]),
                     qPrintable(arquivos[k]));
        }
        escreveArquivo(pastaAreaDeTrabalho() + "/oculta.jpg", "minha");
        avisos.nao();
        v.gravaJpg();
        QCOMPARE(avisos.perguntas.last(),
                 QString("oculta.jpg já existe na Área de Trabalho. Substituir?"));
        QCOMPARE(leArquivo(pastaAreaDeTrabalho() + "/oculta.jpg"), QByteArray("minha"));
        QVERIFY(avisos.erros.isEmpty());
        b.nome = "casa";
        modoSilencioso = false; // a global: later tests expect the preview to sound
        QTest::keyClick(&v, Qt::Key_Escape);
        QVERIFY(!v.isVisible());
        janelas.formVisualiza = nullptr;
    }

    void impressaoNumaPaginaPaisagem() {
        QCOMPARE(retanguloDeImpressao(800, 800), QRect(QPoint(30, 35), QPoint(759, 749)));
        RespostasDeDialogo dialogo;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TformVisualiza v;
        v.selecionaPrancha(0);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const QString pdf = dir.path() + "/p.pdf";
        dialogo
            .impressora([pdf](QPrinter& impressora) {
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
            })
            .ok(); // where the page went
        v.imprimePrancha();
        QCOMPARE(dialogo.pendentes(), 0);
        QVERIFY(dialogo.erros.isEmpty());
        QProcess info;
        info.start("pdfinfo", {pdf});
        if (!info.waitForFinished(10000) || info.exitCode() != 0) QSKIP("pdfinfo not available");
        const QString texto = info.readAllStandardOutput();
        QVERIFY2(texto.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(texto));
        const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(texto);
        QVERIFY(m.hasMatch());
        QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());
    }

    // Without a window manager nothing gives the focus back when a message closes; the window
    // behind must be active again, or a run would never draw its board.
    void mensagemDevolveOFoco() {
        const Avisos antes = instalaAvisos({});
        instalaDialogosDeTela([](const QString&, int) {});
        QWidget janela;
        janela.resize(300, 200);
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        noProximoModal([](QWidget* caixa) {
            QVERIFY(caixa->isVisible());
            QTimer::singleShot(200, caixa, &QWidget::close);
        });
        avisoErro("Prancha LUA não foi encontrada");
        QTRY_VERIFY(janela.isActiveWindow());
        instalaAvisos(antes);
    }
};

QTEST_MAIN(TstEditorVisualizacao)
#include "tst_editor_visualizacao.moc"
