// The sound editor window: controls, loading on opening, edits by button, save and close.
#include "janelas/som/formgravador.h"
#include "logica/som/som_editado.h"
#include "support/apoio.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstFormGravador : public QObject {
    Q_OBJECT

private slots:
    void abreEditaSalva() {
        QTemporaryDir pasta;
        const QString antes = QDir::currentPath();
        QDir::setCurrent(pasta.path());
        {
            SomEditado tom;
            tom.nAmostras = 3 * taxaEditor;
            for (int i = 0; i < tom.nAmostras; ++i)
                tom.defineAmostra(i, qint16(i % 2 ? 1001 : -1001));
            QCOMPARE(gravaWav("tom.wav", tom), TResultadoGravacao::gravado);
            QFile("OUTRO.WAV").open(QIODevice::WriteOnly);
            QDir().mkdir("pasta.wav");
        }
        RespostasDeDialogo avisos;
        TFormGravador f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Gravador de som"));
        for (const char* nome :
             {"combo_nomeArq", "b_carrega", "l_status", "l_duracao", "Image1", "b_play", "b_stop",
              "b_record", "b_menosVolume", "b_maisVol50", "b_fadeOut", "b_cortaInicio",
              "b_cortaFim", "b_salva", "b_limpaSom"})
            QVERIFY2(f.findChild<QWidget*>(nome), nome);
        QCOMPARE(f.b_maisVol50->text(), QStringLiteral("volume +"));
        for (QPushButton* glifo : {f.b_play, f.b_stop, f.b_record})
            QVERIFY2(!glifo->accessibleName().isEmpty(), qPrintable(glifo->objectName()));
        QVERIFY(!f.som());
        f.combo_nomeArq->setEditText("tom.wav");
        f.show();
        QVERIFY(f.som());
        QTRY_COMPARE(f.som()->nAmostras, 3 * taxaEditor);
        QCOMPARE(f.l_duracao->text(), QStringLiteral("3 seg."));
        QCOMPARE(f.l_status->text(), QString());
        QCOMPARE(f.combo_nomeArq->count(), 2); // files only, any letter case
        // The waveform: a red middle line and black samples.
        const QImage& onda = f.Image1->figura;
        QCOMPARE(onda.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(onda.pixelColor(onda.width() / 2, 28), QColor(Qt::black));
        QCOMPARE(onda.pixelColor(onda.width() / 2, 10), QColor(Qt::white));
        f.grab().save(QStringLiteral(ZELVANA_BUILD_DIR "/formgravador.png"));

        f.b_cortaInicio->click();
        f.b_maisVol50->click();
        QCOMPARE(f.som()->nAmostras, 3 * taxaEditor - 1000);
        QCOMPARE(f.som()->amostra(0), qint16(-1201));
        // A message box of the window's own keeps the store.
        f.combo_nomeArq->setEditText("OUTRO.WAV");
        avisos.ok();
        f.b_carrega->click();
        QCOMPARE(avisos.erros.last(),
                 QStringLiteral("O formato de gravação deste som não foi reconhecido"));
        QVERIFY(f.som());
        QCOMPARE(f.som()->nAmostras, 3 * taxaEditor - 1000);
        f.b_limpaSom->click();
        QCOMPARE(f.l_duracao->text(), QStringLiteral("0 seg."));
        // An empty sound is never saved: it would leave its item mute.
        f.combo_nomeArq->setEditText("tom.wav");
        const QByteArray tom = leArquivo("tom.wav");
        avisos.ok();
        f.b_salva->click();
        QCOMPARE(avisos.erros.last(),
                 QStringLiteral("O som está vazio: grave ou carregue um som antes de salvar."));
        QVERIFY(f.isVisible());
        QCOMPARE(leArquivo("tom.wav"), tom);

        f.b_carrega->click();
        f.combo_nomeArq->setEditText("nao/existe.wav");
        avisos.ok();
        f.b_salva->click();
        QCOMPARE(avisos.erros.last(), QStringLiteral("Erro ao abrir o espaço para gravação"));
        QVERIFY(f.isVisible());
        f.combo_nomeArq->setEditText("novo.wav");
        const qsizetype errosAntes = avisos.erros.size();
        avisos.ok();
        f.b_salva->click();
        // Success is told as information, not under a warning sign.
        QCOMPARE(avisos.infos.last(), QStringLiteral("Arquivo gravado"));
        QCOMPARE(avisos.erros.size(), errosAntes);
        QVERIFY(!f.isVisible());
        QVERIFY(!f.som()); // closing releases the store
        QCOMPARE(leArquivo("novo.wav"), tom);
        QDir::setCurrent(antes);
    }
};

QTEST_MAIN(TstFormGravador)
#include "tst_formgravador.moc"
