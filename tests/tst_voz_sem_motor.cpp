// A machine whose speech engine has no data: choosing the voice says there is no synthesizer.
#include "janelas/configuracao/form_config_exec.h"
#include "logica/execucao/voz.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TesteVozSemMotor : public QObject {
    Q_OBJECT
    QTemporaryDir dados;

private slots:
    void initTestCase() {
        // An engine data folder with nothing in it, before the engine is ever started.
        QVERIFY(QDir(dados.path()).mkpath("espeak-ng-data"));
        qputenv("ESPEAK_DATA_PATH", dados.path().toLocal8Bit());
    }

    void escolherVozAvisaQueNaoHaSintetizador() {
        RespostasDeDialogo avisos;
        TFormConfigExec janela;
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));
        bool abriuJanela = false; // had a window of voices opened, close it so nothing hangs
        QTimer::singleShot(0, [&abriuJanela] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                abriuJanela = true;
                m->close();
            }
        });
        avisos.ok();
        QTest::mouseClick(janela.b_sint, Qt::LeftButton);
        QCOMPARE(avisos.erros, QStringList{textoSemSintetizador});
        QTest::qWait(20);
        QVERIFY(!abriuJanela);
    }
};

QTEST_MAIN(TesteVozSemMotor)
#include "tst_voz_sem_motor.moc"
