// With no audio server there is no microphone: recording refuses at once, says so, and leaves
// the previous recording as it was.
#include "janelas/som/formgravador.h"
#include "logica/som/captura_wav.h"
#include "support/apoio.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstCapturaSemSom : public QObject {
    Q_OBJECT

private slots:
    void recusaSemServidor() {
        QTemporaryDir pasta;
        const QString nome = pasta.filePath("x.wav");
        QElapsedTimer relogio;
        relogio.start();
        const int r = iniciaGravacao(nome, 22050, 16, 1, 4, 4096);
        QCOMPARE(r, semMicrofone);
        QCOMPARE(mensagemDoInicio(r), QStringLiteral("Nenhum microfone encontrado"));
        QVERIFY(!gravacaoAberta());
        QVERIFY(!QFile::exists(nome));
        QVERIFY(coletaBuffers()); // nothing open: nothing to write, nothing failed
        QVERIFY(terminaGravacao() != FimDaGravacao::gravada);
        QVERIFY2(relogio.elapsed() < 10000, "the refusal must not wait on a server");
    }

    // The recorder says why nothing records and never trades the item's sound for silence.
    void gravadorSemMicrofone() {
        QTemporaryDir pasta;
        const QString nome = pasta.filePath("voz.wav");
        {
            SomEditado voz;
            voz.nAmostras = taxaEditor;
            QCOMPARE(gravaWav(nome, voz), TResultadoGravacao::gravado);
        }
        const QByteArray antes = leArquivo(nome);
        RespostasDeDialogo avisos;
        TFormGravador f;
        f.combo_nomeArq->setEditText(nome);
        f.show();
        QTRY_COMPARE(f.som()->nAmostras, taxaEditor);
        avisos.ok();
        f.b_record->click();
        QCOMPARE(avisos.erros, QStringList{"Nenhum microfone encontrado"});
        QVERIFY(!f.gravando());
        QCOMPARE(f.l_status->text(), QString());
        f.b_stop->click();
        f.b_limpaSom->click();
        avisos.ok();
        f.b_salva->click();
        QCOMPARE(avisos.erros.last(), mensagemDaGravacao(TResultadoGravacao::semSom));
        QVERIFY(avisos.infos.isEmpty()); // no "Arquivo gravado"
        QVERIFY(f.isVisible());
        QCOMPARE(leArquivo(nome), antes);
        QCOMPARE(avisos.pendentes(), 0);
    }
};

int main(int argc, char** argv) {
    // Nothing listens here: the check of the input must fail, not hang.
    qputenv("PULSE_SERVER", "unix:/nonexistent/zelvana/native");
    QApplication app(argc, argv);
    TstCapturaSemSom t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_captura_semsom.moc"
