// The editor window and the full preview: commands on the project, the preview's messages,
// the JPEG file and the printed page.
#include "comum/janelas.h"
#include "editor/form_prog.h"
#include "editor/operacoes_projeto.h"
#include "editor/visualiza_form.h"
#include "model/pranchas_arquivo.h"
#include "platform/dialogos.h"
#include "platform/pastas.h"
#include "render/imprime_prancha_pagina.h"
#include "render/jpg_prancha.h"
#include "runner/fila_saida.h"
#include "support/apoio.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// Start-of-frame markers: C0 baseline, C2 progressive. Gives the marker and components.
int marcadorSof(const QByteArray& d, int& componentes) {
    for (int i = 2; i + 9 < d.size(); ++i)
        if (uchar(d[i]) == 0xFF && (uchar(d[i + 1]) == 0xC0 || uchar(d[i + 1]) == 0xC2)) {
            componentes = uchar(d[i + 9]);
            return uchar(d[i + 1]);
        }
    return -1;
}
// The first quantisation table's first value, 3 for quality 90 in the standard scaling.
int primeiroQuantizador(const QByteArray& d) {
    const int i = d.indexOf("\xFF\xDB");
    return i < 0 ? -1 : uchar(d[i + 5]);
}
} // namespace

class TstEditorJanelas : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MotoresSaida motores;
    QStringList tocados;

private slots:
    void initTestCase() {
        pastaProjeto = copiaDadosDeTeste(dir);
        qputenv("HOME", dir.path().toUtf8());
        motores = usaMotoresSaida(MotoresSaida{
            [this](const QString& t) { tocados << "fala:" + t; }, [] { return false; }, [] {},
            [this](const QString& c) { tocados << "som:" + QFileInfo(c).fileName(); }, [] {},
            [] { return false; }});
    }
    void cleanupTestCase() { usaMotoresSaida(motores); }

    void comandosDoEditor() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        TFormProg f;
        RespostasDeDialogo nomes;
        nomes.texto("A").texto("B");
        QStringList menus;
        for (const QAction* a : f.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&Arquivo", "&Rascunhar", "&Configurar", "&Visualizar",
                                     "A&juda", "&Selecionar"}));
        f.FormActivate();
        QVERIFY(f.b_insAbaixo->isEnabled());
        QVERIFY(!f.b_remover->isEnabled());
        f.b_insAbaixoClick();
        f.b_insAbaixoClick(); // below A
        QCOMPARE(projeto.nPranchas, 2);
        QCOMPARE(f.lb_pranchas->count(), 2);
        QCOMPARE(f.lb_pranchas->item(1)->text(), QString("B"));
        QVERIFY(f.b_remover->isEnabled());
        QVERIFY(f.b_insAbaixoItem->isEnabled());
        QVERIFY(!f.b_removerItem->isEnabled());

        nomes.texto("x").texto("y");
        f.b_insAbaixoItemClick();
        f.b_insAbaixoItemClick();
        QCOMPARE(projeto.pranchas[1].nItens, 2);
        QCOMPARE(f.lb_itens->count(), 2);
        QVERIFY(f.b_removerItem->isEnabled());
        nomes.texto("copia");
        f.b_duplicarItemClick(); // y selected
        QCOMPARE(projeto.pranchas[1].itens[2].figura, QString("y"));
        nomes.cancela();
        f.b_duplicarItemClick(); // cancelled
        QCOMPARE(projeto.pranchas[1].nItens, 3);
        QCOMPARE(nomes.pendentes(), 0);

        f.b_paraCimaClick();
        QCOMPARE(projeto.pranchas[0].nome, QString("B"));
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->count(), 3); // still the same board

        f.lb_pranchas->setCurrentRow(1);
        f.b_removerClick(); // the last of the list
        QCOMPARE(projeto.nPranchas, 1);
        QCOMPARE(f.lb_pranchas->currentRow(), -1);
        QCOMPARE(f.lb_itens->count(), 0);
        QVERIFY(!f.graf.criada);

        avisos.resposta = false;
        f.Removertodasaspranchas1Click();
        QCOMPARE(avisos.rapidas, QStringList{"Ufa! Ainda bem..."});
        QCOMPARE(projeto.nPranchas, 1);
        avisos.resposta = true;
        f.Removertodasaspranchas1Click();
        QCOMPARE(projeto.nPranchas, 0);
        QCOMPARE(f.lb_pranchas->count(), 0);
    }

    void sairSemSalvarSemArquivoNaoGrava() {
        GravaAvisos avisos(true);
        QTemporaryDir vazio;
        pastaProjeto = vazio.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "Z");
        TFormProg f;
        f.Terminar1Click();
        QCOMPARE(projeto.nPranchas, 0);
        QVERIFY(QDir(vazio.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!projetoSalvo); // closing clears it
        pastaProjeto = dir.path();
    }

    void sairDaEdicaoDeixaNoveItens() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "grade");
        for (int j = 0; j < 12; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, QString::number(j));
        TFormProg f;
        f.FormActivate();
        QCOMPARE(f.lb_itens->count(), 12);
        f.b_sair1Click();
        QVERIFY(projetoSalvo);
        QCOMPARE(projeto.pranchas[0].nItens, 9);

        // A save that fails keeps the edits in memory.
        QTemporaryDir soLeitura;
        pastaProjeto = soLeitura.path() + "/nao/existe";
        projetoSalvo = false;
        insereItemNaPrancha(projeto.pranchas[0], 8, "novo");
        f.b_sair1Click();
        QVERIFY(!projetoSalvo);
        QCOMPARE(projeto.pranchas[0].nItens, 10);
        QVERIFY(!avisos.erros.isEmpty());
        pastaProjeto = dir.path();
    }

    // The sample project in the editor; with ZELVANA_CAPTURA set, the picture is kept there.
    void projetoDeExemploNoEditor() {
        GravaAvisos avisos(true);
        QTemporaryDir exemplo;
        const QString origem = QString(ZELVANA_SOURCE_DIR) + "/data/exemplo";
        if (!QFileInfo::exists(origem + "/pranchas.pra")) QSKIP("no sample project");
        for (const QString& nome : QDir(origem).entryList(QDir::Files))
            QFile::copy(origem + "/" + nome, exemplo.path() + "/" + nome);
        pastaProjeto = exemplo.path();
        QDir::setCurrent(pastaProjeto);
        carregaPranchas(pastaProjeto);
        QVERIFY(projeto.nPranchas > 0);
        TFormProg f;
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_COMPARE(f.lb_pranchas->count(), projeto.nPranchas);
        QCOMPARE(f.lb_itens->count(), projeto.pranchas[0].nItens);
        QTRY_VERIFY(f.graf.criada);
        const QString captura = qEnvironmentVariable("ZELVANA_CAPTURA");
        if (!captura.isEmpty()) f.grab().save(captura + "/editor.png");
        f.close();
        pastaProjeto = dir.path();
        QDir::setCurrent(dir.path());
    }

    // Coming back from a modal dialog keeps the selection; from another window it does not.
    void ativacaoDepoisDeDialogo() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        for (const char* nome : {"A", "B", "C"})
            inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
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
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        f.close();
    }

    void mensagensDaVisualizacao() {
        GravaAvisos avisos(true);
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
        solta(0);
        QCOMPARE(avisos.infos, (QStringList{"Executaria calc", "Desvio não programado no item 0"}));
        b.link = "outra";
        avisos.infos.clear();
        tocados.clear();
        solta(1);
        QCOMPARE(avisos.infos, QStringList{"Desviaria para outra"});
        paraTudo();

        // JPEG on the desktop, silent.
        QDir(dir.path() + "/Desktop").removeRecursively(); // a fresh account has none yet
        avisos.infos.clear();
        tocados.clear();
        modoSilencioso = true;
        v.gravaJpg();
        QVERIFY(!tocados.join(" ").contains("casa.wav"));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(avisos.infos, QStringList{"casa.jpg gravado na Área de Trabalho"});
        QCOMPARE(QImage(pastaAreaDeTrabalho() + "/casa.jpg").size(), v.Panel1->size());
        QTest::keyClick(&v, Qt::Key_Escape);
        QVERIFY(!v.isVisible());
        janelas.formVisualiza = nullptr;
    }

    void jpgTamanhoQualidadeBaseline() {
        QImage imagem(320, 200, QImage::Format_ARGB32);
        imagem.fill(Qt::red);
        const QString caminho = dir.path() + "/t.jpg";
        QString erro;
        QVERIFY(gravaImagemJpg(imagem, caminho, erro));
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray d = f.readAll();
        int comp = 0;
        QCOMPARE(marcadorSof(d, comp), 0xC0);
        QCOMPARE(comp, 3);
        QCOMPARE(primeiroQuantizador(d), 3);
        QCOMPARE(QImage(caminho).size(), QSize(320, 200));
        QVERIFY(!gravaImagemJpg(imagem, dir.path() + "/nao/existe/x.jpg", erro));
        QVERIFY(erro.contains("x.jpg"));
    }

    void linhaDeComando() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        pastaProjeto = dir.path();
        inserePranchaNoProjeto(projeto, -1, "casa");
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QString saida = dir.path() + "/cmd.jpg";
        QCOMPARE(exportaJpgLinhaDeComando({dir.path(), "casa", saida, "640x480"}), 0);
        QCOMPARE(QImage(saida).size(), QSize(640, 480));
        QCOMPARE(exportaJpgLinhaDeComando({dir.path(), "casa", saida}), 0);
        QCOMPARE(QImage(saida).size(), QSize(1024, 768));
        QVERIFY(exportaJpgLinhaDeComando({dir.path(), "nenhuma", saida}) != 0);
        QVERIFY(exportaJpgLinhaDeComando({dir.path(), "casa", saida, "grande"}) != 0);
        QVERIFY(exportaJpgLinhaDeComando({dir.path()}) != 0);
    }

    // Started from anywhere, the command finds the pictures in the project folder, and writes
    // a relative output name where it was started.
    void linhaDeComandoDeOutraPasta() {
        GravaAvisos avisos(true);
        QTemporaryDir proj, fora;
        QImage azul(200, 200, QImage::Format_RGB32);
        azul.fill(Qt::blue);
        QVERIFY(azul.save(proj.filePath("azul.jpg"), "jpeg", 95));
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TPrancha& b = projeto.pranchas[0];
        b.nLinhas = b.nColunas = b.nItens = 1;
        b.itens.resize(1);
        b.itens[0].rotulo = "azul";
        QVERIFY(gravaPranchas(proj.path(), "pranchas.pra"));
        const QString antes = QDir::currentPath();
        QDir::setCurrent(fora.path());
        const int status = exportaJpgLinhaDeComando({proj.path(), "casa", "saida.jpg", "400x300"});
        QDir::setCurrent(antes);
        QCOMPARE(status, 0);
        const QImage r(fora.filePath("saida.jpg"));
        QVERIFY(!r.isNull());
        int azuis = 0;
        for (int y = 0; y < r.height(); y += 4)
            for (int x = 0; x < r.width(); x += 4) {
                const QColor c = r.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 60 && c.green() < 60) ++azuis;
            }
        QVERIFY2(azuis > (r.width() / 4) * (r.height() / 4) / 5,
                 qPrintable(QString::number(azuis)));
    }

    void impressaoNumaPaginaPaisagem() {
        QCOMPARE(retanguloDeImpressao(800, 800), QRect(QPoint(30, 35), QPoint(759, 749)));
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TformVisualiza v;
        v.selecionaPrancha(0);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const QString pdf = dir.path() + "/p.pdf";
        RespostasDeDialogo dialogo;
        dialogo.impressora([pdf](QPrinter& impressora) {
            impressora.setOutputFormat(QPrinter::PdfFormat);
            impressora.setOutputFileName(pdf);
        });
        v.imprimePrancha();
        QCOMPARE(dialogo.pendentes(), 0);
        QVERIFY(avisos.erros.isEmpty());
        QProcess info;
        info.start("pdfinfo", {pdf});
        if (!info.waitForFinished(10000) || info.exitCode() != 0) QSKIP("pdfinfo not available");
        const QString texto = info.readAllStandardOutput();
        QVERIFY2(texto.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(texto));
        const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(texto);
        QVERIFY(m.hasMatch());
        QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());
    }
};

QTEST_MAIN(TstEditorJanelas)
#include "tst_editor_janelas.moc"
