// The runner's windows with their real timers at short intervals.
#include "janelas/execucao/dicas_exec.h"
#include "janelas/execucao/execucao_programa.h"
#include "janelas/execucao/form_executa.h"
#include "janelas/execucao/imprime_tela.h"
#include "janelas/execucao/sel_executa.h"
#include "logica/execucao/comando_item.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TPrancha prancha(const QString& nome, const QString& link) {
    TPrancha p;
    p.nome = nome;
    p.titulo = nome;
    p.nColunas = 2;
    p.nLinhas = 2;
    for (int i = 0; i < 4; ++i) {
        TItem it;
        it.rotulo = nome + QString::number(i);
        it.semFigura = true;
        it.link = link;
        p.itens << it;
    }
    return p;
}

void projetoDeDuasPranchas() {
    limpaPranchas(projeto);
    projeto = TProjeto();
    projeto.pranchas << prancha("UM", "DOIS") << prancha("DOIS", "#ANTERIOR");
}

} // namespace

class TesteExecucaoJanelas : public QObject {
    Q_OBJECT

private slots:
    void cliqueSegueLinkEVarreduraAnda() {
        RespostasDeDialogo avisos;
        projetoDeDuasPranchas();
        projeto.tempoVarredura = 60;
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        const QRect tela = runner.screen()->availableGeometry();
        QVERIFY(runner.frameGeometry().contains(tela));
        QCOMPARE(runner.motor().pranchaAtual, 0);

        // Scanning walks the shown cells with the red frame.
        QTRY_VERIFY(runner.Shape1->isVisible());
        const QRect primeira = runner.Shape1->geometry();
        QTRY_VERIFY(runner.Shape1->isVisible() && runner.Shape1->geometry() != primeira);

        QWidget* celula = runner.graf().itensGraf[0].painel;
        QVERIFY(celula);
        QTest::mouseClick(celula, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(runner.motor().pranchaAtual, 1);
        QTRY_COMPARE(runner.graf().labelTitulo->texto, QString("DOIS"));
        QTRY_VERIFY(!runner.motor().ocupado);

        celula = runner.graf().itensGraf[3].painel;
        QTest::mouseClick(celula, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(runner.graf().labelTitulo->texto, QString("UM"));
        QVERIFY(avisos.erros.isEmpty());

        runner.close();
        QVERIFY(!runner.isVisible());
        QVERIFY(!runner.TimerSerializacao->isActive());
        QVERIFY(!runner.TimerVarredura->isActive());
    }

    // The board changes the moment the item's output ends, not at the next tick (made an hour
    // here); with "Troca a prancha sem esperar a fala" it comes while the output goes on, and
    // the run still waits for the output before it takes clicks again.
    void pranchaTrocaQuandoASaidaAcaba() {
        RespostasDeDialogo avisos;
        bool falando = false;
        QStringList dito;
        MotoresSaida falsos;
        falsos.fala = [&](const QString& t) {
            dito << t;
            falando = true;
        };
        falsos.falando = [&] { return falando; };
        falsos.cala = [&] { falando = false; };
        falsos.toca = [](const QString&) {};
        falsos.para = [] {};
        falsos.tocando = [] { return false; };
        const MotoresSaida antigos = usaMotoresSaida(falsos);
        projetoDeDuasPranchas();
        projeto.sintetizando = true;
        projeto.pranchas[1].itens[0].fala = "voltar"; // spoken: no recording of that name
        for (const bool semEsperar : {false, true}) {
            projeto.acesso.trocaSemEsperar = semEsperar;
            TFormExecuta runner;
            QVERIFY(abreExecucao(runner, "UM"));
            runner.TimerSerializacao->setInterval(3600 * 1000);
            // Nothing to say: the next board is drawn by the click itself.
            QTest::mouseClick(runner.graf().itensGraf[0].painel, Qt::LeftButton, {}, QPoint(5, 5));
            QVERIFY(mostraPrancha(runner, "DOIS"));
            QTRY_VERIFY(!runner.motor().ocupado);

            dito.clear();
            QTest::mouseClick(runner.graf().itensGraf[0].painel, Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(dito, QStringList{"voltar"});
            QCOMPARE(mostraPrancha(runner, "UM"), semEsperar);
            QTest::qWait(50);
            QVERIFY(falando && runner.motor().ocupado);
            QCOMPARE(mostraPrancha(runner, "UM"), semEsperar);
            falando = false;
            QTRY_VERIFY(mostraPrancha(runner, "UM") && !runner.motor().ocupado);
            runner.close();
        }
        projeto.acesso.trocaSemEsperar = false;
        usaMotoresSaida(antigos);
        QVERIFY(avisos.erros.isEmpty());
    }

    void teclasEDicas() {
        RespostasDeDialogo avisos;
        projetoDeDuasPranchas();
        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "DOIS"));
        QTest::keyClick(&runner, '+');
        QCOMPARE(runner.TimerVarredura->interval(), 1000);
        QTRY_VERIFY(runner.TimerVarredura->isActive());

        bool dicasAbertas = false;
        noProximoModal([&](QWidget* w) {
            dicasAbertas = w->windowTitle() == QStringLiteral("Zelvana - Dicas");
            // Scanning stays stopped while the tips are open.
            dicasAbertas = dicasAbertas && !runner.TimerVarredura->isActive();
            w->findChild<QPushButton*>("b_ok")->click();
        });
        QTest::keyClick(&runner, '?');
        QVERIFY(dicasAbertas);
        QTRY_VERIFY(runner.TimerVarredura->isActive());
        QTest::keyClick(&runner, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(!runner.isVisible());
    }

    void inicioInexistente() {
        RespostasDeDialogo avisos;
        projetoDeDuasPranchas();
        TFormExecuta runner;
        avisos.ok();
        QVERIFY(!runner.preparaExecucao("TRES"));
        QCOMPARE(avisos.erros, QStringList{"Prancha TRES não foi encontrada"});
    }

    void selecaoDaPranchaInicial() {
        projetoDeDuasPranchas();
        TFormSelExecuta sel;
        QCOMPARE(sel.windowTitle(), QString("Zelvana - Executar"));
        noProximoModal([](QWidget* w) { w->close(); }); // the close box keeps the text
        QCOMPARE(sel.escolhe(), QString("UM"));
        QCOMPARE(sel.combo_pranchaInicial->count(), 2);
        noProximoModal([](QWidget* w) {
            w->findChild<QComboBox*>("combo_pranchaInicial")->setEditText("DOIS");
            w->findChild<QPushButton*>("b_ok")->click();
        });
        QCOMPARE(sel.escolhe(), QString("DOIS"));
        noProximoModal([](QWidget* w) { w->findChild<QPushButton*>("b_cancelar")->click(); });
        QCOMPARE(sel.escolhe(), QString());

        TformDicasExec dicas;
        QCOMPARE(dicas.windowTitle(), QString("Zelvana - Dicas"));
        const QStringList linhas = dicas.Memo1->toPlainText().split('\n');
        QCOMPARE(linhas.size(), 8);
        QCOMPARE(linhas.first(), QString("espaço     Para/inicia varredura"));
        QCOMPARE(linhas.last(), QString("alt+F4     termina a execução"));
    }

    void imprimeSemImpressoraGravaPdf() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a default printer exists here");
        QTemporaryDir casa;
        qputenv("XDG_DESKTOP_DIR", casa.path().toUtf8());
        const QByteArray casaAntes = qgetenv("HOME");
        qputenv("HOME", casa.path().toUtf8());
        RespostasDeDialogo avisos;
        QWidget janela;
        janela.resize(300, 200);
        const QString pdf = imprimeTela(&janela);
        qputenv("HOME", casaAntes);
        QVERIFY(!pdf.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);
        QProcess info;
        info.start("pdfinfo", {pdf});
        if (info.waitForFinished(10000) && info.exitCode() == 0) {
            const QString texto = info.readAllStandardOutput();
            QVERIFY2(texto.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(texto));
            const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(texto);
            QVERIFY(m.hasMatch());
            QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble()); // landscape
        }
        QCOMPARE(avisos.rapidas.size(), 1);
        QVERIFY(avisos.rapidas.first().contains(pdf));
    }

    void programaSemShell() {
        const ComandoItem c = separaComando("  \"/bin/echo\"  a \"b c\" ; touch x ");
        QCOMPARE(c.programa, QString("/bin/echo"));
        QCOMPARE(c.parametros, (QStringList{"a", "b c", ";", "touch", "x"}));
        QCOMPARE(separaComando("notas.txt").programa, QString("notas.txt"));
        QCOMPARE(separaComando("\"sem fim").programa, QString("\"sem fim"));

        QTemporaryDir dir;
        const QString alvo = dir.filePath("injetado");
        const QString anterior = QDir::currentPath();
        QDir::setCurrent(dir.path());
        bool resposta = false, veio = false;
        abreSemShell("sh -c 'touch " + alvo + "'", [&](bool ok) {
            resposta = ok;
            veio = true;
        });
        QTRY_VERIFY(veio);
        QVERIFY(!resposta); // no program is named "sh -c ..."
        veio = false;
        abreSemShell("\"true\" ; touch " + alvo, [&](bool ok) {
            resposta = ok;
            veio = true;
        });
        QTRY_VERIFY(veio);
        QVERIFY(resposta);
        QTest::qWait(200);
        QVERIFY(!QFile::exists(alvo));
        veio = false;
        abreSemShell("nao-existe.doc", [&](bool ok) {
            resposta = ok;
            veio = true;
        });
        QTRY_VERIFY(veio);
        QVERIFY(!resposta);
        QDir::setCurrent(anterior);
    }
};

QTEST_MAIN(TesteExecucaoJanelas)
#include "tst_execucao_janelas.moc"
