// A run driven by the eye tracker in a real X session: a gaze source of the test's own serves
// the line protocol on 127.0.0.1:3491, its gaze points bring the pointer over an item, "GN"
// selects it, the item is heard on the null sink and its linked board drawn. Closing the run
// ends the link at once, and the next run connects again.
#include "janelas/execucao/form_executa.h"
#include "logica/execucao/tobii.h"
#include "nucleo/avisos.h"
#include "nucleo/prvars.h"
#include "plataforma/sensor_escolha.h"
#include "support/apoio.h"
#include "support/execucao_apoio.h"
#include "support/execucao_ouvida.h"
#include "support/servidor_olhar.h"

#include <QCursor>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Port 3491 may be held a moment by another run of these tests on the same machine.
bool escutaNaPortaDoSensor(ServidorOlhar& s) {
    QElapsedTimer t;
    t.start();
    while (!s.escuta(3491)) {
        if (t.elapsed() > 30000) return false;
        QTest::qWait(200);
    }
    return true;
}

// A stream of gaze points at one place, as when the eyes rest there.
void olhaPara(ServidorOlhar& servidor, QPoint alvo) {
    for (int i = 0; i < 150; ++i) {
        servidor.envia("GP " + QByteArray::number(alvo.x()) + " " + QByteArray::number(alvo.y()));
        QTest::qWait(5);
    }
}

QPoint centroDoItem(TFormExecuta& runner, int i) {
    return runner.Panel1->mapToGlobal(runner.graf().itensGraf[i].painel->geometry().center());
}

} // namespace

class TesteTobiiX11 : public QObject {
    Q_OBJECT
    PastaComTom pasta;

private slots:
    void initTestCase() {
        QVERIFY(pasta.ok());
        limpaPranchas(projeto);
        projeto = TProjeto();
        projeto.pranchas << umaLinha("UM", "Primeira", {"um", "dois", "três"})
                         << umaLinha("DOIS", "Segunda", {"um", "dois"});
        projeto.pranchas[0].itens[2].som = "tom660.wav";
        projeto.pranchas[0].itens[2].link = "DOIS";
        projeto.tempoVarredura = 0;
        projeto.tempoHisterese = 0; // the red frame follows the pointer
        projeto.acionaTobii = true;
    }
    void cleanupTestCase() { encerraTobii(); }

    void olharConduzAExecucao() {
        if (const QString falta = faltaParaOuvir(false); !falta.isEmpty()) QSKIP(qPrintable(falta));
        RespostasDeDialogo avisos;
        ServidorOlhar servidor;
        QVERIFY(escutaNaPortaDoSensor(servidor));
        const EnderecoTobii padrao = enderecoTobii();
        QCOMPARE(padrao.porta, quint16(3491));

        TFormExecuta runner;
        QVERIFY(abreExecucao(runner, "UM"));
        QTRY_COMPARE(servidor.recebidas, (QList<QByteArray>{"E+", "G+", "H+"}));
        QVERIFY(tobiiAtivo());

        // The eyes rest on the third item: the pointer creeps there and stops just short.
        const QPoint alvo = centroDoItem(runner, 2);
        const QRect celula(
            runner.Panel1->mapToGlobal(runner.graf().itensGraf[2].painel->geometry().topLeft()),
            runner.graf().itensGraf[2].painel->size());
        olhaPara(servidor, alvo);
        QTRY_VERIFY_WITH_TIMEOUT(celula.contains(QCursor::pos()), 5000);
        QTRY_VERIFY(qAbs(QCursor::pos().x() - alvo.x()) < 20 &&
                    qAbs(QCursor::pos().y() - alvo.y()) < 20);
        QTRY_VERIFY(runner.Shape1->isVisible()); // hovering shows the red frame around it
        QCOMPARE(runner.motor().pranchaAtual, 0);

        QElapsedTimer relogio;
        relogio.start();
        Escuta escuta(relogio);
        QVERIFY(escuta.ok());
        QTest::qWait(200);
        servidor.envia("GN");
        QTRY_COMPARE_WITH_TIMEOUT(runner.motor().pranchaAtual, 1, 5000);
        QTRY_VERIFY(mostraPrancha(runner, "Segunda"));
        const QString falta = faltaOTomTocado(escuta);
        QVERIFY2(falta.isEmpty(), qPrintable(falta));

        // Closing the run ends the link at once: the socket closed, the reader joined.
        QElapsedTimer fim;
        fim.start();
        const qint64 antes = servidor.relogio.elapsed();
        runner.close();
        QVERIFY2(fim.elapsed() < 200, qPrintable(QString::number(fim.elapsed())));
        QVERIFY(!tobiiAtivo());
        QTRY_VERIFY(servidor.desconexaoEm >= 0);
        QVERIFY(servidor.desconexaoEm - antes < 200);

        // The next run connects again, with one reader.
        TFormExecuta outra;
        QVERIFY(abreExecucao(outra, "UM"));
        QTRY_COMPARE(servidor.conexoes, 2);
        QTRY_COMPARE(servidor.recebidas.size(), 6);
        // A new link starts again from the top-left corner.
        olhaPara(servidor, centroDoItem(outra, 2));
        QTRY_VERIFY(qAbs(QCursor::pos().x() - alvo.x()) < 20 &&
                    qAbs(QCursor::pos().y() - alvo.y()) < 20);
        servidor.envia("GN");
        QTRY_COMPARE(outra.motor().pranchaAtual, 1);
        outra.close();
        QVERIFY(avisos.erros.isEmpty());
    }

    void semNadaEscutandoAExecucaoSegue() {
        RespostasDeDialogo avisos;
        avisos.ok();
        defineEnderecoTobii({"127.0.0.1", portaFechada(), QDir(pasta.path()).filePath("TobiiVex")});
        TFormExecuta runner;
        QElapsedTimer t;
        t.start();
        QVERIFY(runner.preparaExecucao("UM"));
        QVERIFY(t.elapsed() < 200);
        runner.show();
        QTRY_COMPARE(avisos.erros, QStringList{textoSemTobiiVex});
        QTRY_VERIFY(runner.graf().criada);
        QTest::qWait(1500);
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(!tobiiAtivo());
        t.restart();
        runner.close();
        QVERIFY(t.elapsed() < 200);
    }

    void companheiroMudoAvisaEAExecucaoSegue() {
        // A companion that starts but never listens: the message comes a second into the run,
        // a real message box that someone answers.
        const QString mudo = QDir(pasta.path()).filePath("TobiiVex");
        QFile f(mudo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nexec sleep 3\n");
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner));
        defineEnderecoTobii({"127.0.0.1", portaFechada(), mudo});

        QWidget inicial; // the run is started from a main window, as the start window does
        inicial.resize(400, 300);
        inicial.show();
        inicial.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&inicial));
        TFormExecuta runner(&inicial);

        RespostasDeDialogo guarda; // puts the test's handlers back afterwards
        QStringList mensagens;
        Avisos respondidos = instalaAvisos({});
        respondidos.erro = [&](const QString& texto) {
            mensagens << texto;
            QMessageBox caixa(QMessageBox::Warning, "Zelvana", texto, QMessageBox::Ok, &runner);
            QTimer::singleShot(0, &caixa, [&caixa] {
                if (!QTest::qWaitForWindowActive(&caixa)) qWarning("a mensagem não ganhou o foco");
                QTest::qWait(300);
                caixa.accept();
            });
            caixa.exec();
        };
        instalaAvisos(respondidos);

        QVERIFY(runner.preparaExecucao("UM"));
        runner.show();
        QVERIFY(QTest::qWaitForWindowActive(&runner));
        QTRY_VERIFY(runner.graf().criada);
        QTRY_COMPARE_WITH_TIMEOUT(mensagens, QStringList{textoSemTobiiVex}, 5000);
        // Back in front, also where no window manager gives the focus back, and on with the
        // mouse.
        QTRY_COMPARE(QApplication::activeWindow(), &runner);
        QTest::mouseClick(runner.graf().itensGraf[2].painel, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(runner.motor().pranchaAtual, 1, 5000);
        QCOMPARE(mensagens.size(), 1);
        runner.close();
    }

    void quiosqueComSensorGuardado() {
        // A communicator's computer: the switch was ticked once there, and "--executar" (a new
        // process, nothing in memory) connects to the gaze source.
        ServidorOlhar servidor;
        QVERIFY(escutaNaPortaDoSensor(servidor));
        QTemporaryDir casa;
        const QByteArray casaAntes = qgetenv("HOME");
        qputenv("HOME", casa.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        const QString nomeAntes = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName("Zelvana"); // the program's configuration folder
        const bool guardou = guardaSensorDeOlhos(true);
        QCoreApplication::setApplicationName(nomeAntes);
        qputenv("HOME", casaAntes);
        QVERIFY(guardou);

        QProcess zelvana;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("HOME", casa.path());
        ambiente.remove("XDG_CONFIG_HOME");
        zelvana.setProcessEnvironment(ambiente);
        zelvana.start(ZELVANA_BUILD_DIR "/src/app/zelvana",
                      {"--executar", ZELVANA_BUILD_DIR "/src/app/exemplo"});
        QVERIFY(zelvana.waitForStarted(5000));
        const bool ligou = QTest::qWaitFor([&] { return servidor.recebidas.size() >= 3; }, 15000);
        zelvana.kill();
        zelvana.waitForFinished(5000);
        QVERIFY2(ligou, zelvana.readAllStandardError().constData());
        QCOMPARE(servidor.recebidas, (QList<QByteArray>{"E+", "G+", "H+"}));
    }
};

QTEST_MAIN(TesteTobiiX11)
#include "tst_tobii_x11.moc"
