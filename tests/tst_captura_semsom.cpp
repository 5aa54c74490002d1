// With no audio server, recording refuses at once and leaves no file behind.
#include "logica/som/captura_wav.h"

#include <QElapsedTimer>
#include <QFile>
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
        QVERIFY(r > 0);
        QVERIFY(!gravacaoAberta());
        QVERIFY(!QFile::exists(nome));
        QVERIFY(coletaBuffers()); // nothing open: nothing to write, nothing failed
        QVERIFY(!terminaGravacao());
        QVERIFY2(relogio.elapsed() < 10000, "the refusal must not wait on a server");
    }
};

int main(int argc, char** argv) {
    // Nothing listens here: the check of the input must fail, not hang.
    qputenv("PULSE_SERVER", "unix:/nonexistent/zelvana/native");
    QCoreApplication app(argc, argv);
    TstCapturaSemSom t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_captura_semsom.moc"
