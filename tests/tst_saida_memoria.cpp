// WAV recordings of other forms than the recorder's, played from memory (or, for those a sink
// cannot take, by the media player), heard on the null sink's monitor.
// Run with scripts/com-servicos.sh.
#include "logica/execucao/fila_saida.h"
#include "plataforma/audio.h"
#include "support/apoio.h"
#include "support/escuta.h"

#include <QtEndian>
#include <QtTest>

namespace {

// A sine tone of `ms` at `hz` in the given PCM form; `dadosDeclarados` (bytes) when the header
// is to claim more than the file holds.
bool gravaTomEm(const QString& caminho, int taxa, int bits, int canais, double hz, int ms,
                quint32 dadosDeclarados = 0) {
    const int quadros = taxa * ms / 1000;
    QByteArray dados;
    for (int i = 0; i < quadros; ++i) {
        const double v = 0.4 * std::sin(2 * M_PI * hz * i / taxa);
        for (int c = 0; c < canais; ++c) {
            if (bits == 8) {
                dados += char(quint8(128 + v * 127));
            } else {
                const qint32 s = qint32(v * ((1 << (bits - 1)) - 1));
                char b[4];
                qToLittleEndian(s, b);
                dados += QByteArray(b, bits / 8);
            }
        }
    }
    return gravaWavPcm(caminho, taxa, bits, canais, dados, dadosDeclarados);
}

} // namespace

class TstSaidaMemoria : public QObject {
    Q_OBJECT
    PastaAtual pasta;
    QElapsedTimer relogio;

    // Plays the file through the queue as a run would and gives what was heard.
    QString ouveTom(const QString& nome, double hz, int ms) {
        Escuta escuta(relogio);
        if (!escuta.ok()) return QStringLiteral("sem escuta");
        QTest::qWait(100);
        enfileiraSom(nome);
        QElapsedTimer t;
        t.start();
        while (!saidaLivre() && t.elapsed() < 10000)
            QTest::qWait(20);
        QTest::qWait(300);
        escuta.drena();
        return escuta.faltaOTom(hz, ms / 10 - 10);
    }

private slots:
    void initTestCase() {
        if (!saidaDeAudioDisponivel())
            QSKIP("sem servidor de som: rode com scripts/com-servicos.sh");
        relogio.start();
        QVERIFY(pasta.ok());
    }
    void cleanupTestCase() { paraTudo(); }
    void init() { paraTudo(); }

    void formasDeWavOuvidasComoTal_data() {
        QTest::addColumn<int>("taxa");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("canais");
        QTest::newRow("8 bits estéreo a 44100") << 44100 << 8 << 2;
        QTest::newRow("16 bits estéreo a 48000") << 48000 << 16 << 2;
        QTest::newRow("8 bits mono a 11025") << 11025 << 8 << 1;
        QTest::newRow("24 bits, pelo tocador de mídia") << 44100 << 24 << 1;
    }
    void formasDeWavOuvidasComoTal() {
        QFETCH(int, taxa);
        QFETCH(int, bits);
        QFETCH(int, canais);
        QVERIFY(gravaTomEm("forma.wav", taxa, bits, canais, 660, 800));
        const QString falta = ouveTom("forma", 660, 800);
        QVERIFY2(falta.isEmpty(), qPrintable(falta));
    }

    // From the moment it starts until its end a recording counts as playing, so nothing else
    // starts over it; then the queue is free.
    void tocandoDoInicioAoFim() {
        QVERIFY(gravaTomEm("meio.wav", 22050, 16, 1, 440, 500));
        tocaArquivo("meio.wav");
        QVERIFY(midiaTocando());
        QTest::qWait(300);
        QVERIFY(midiaTocando());
        QTRY_VERIFY_WITH_TIMEOUT(!midiaTocando(), 3000);
        paraMidia();
        QVERIFY(!midiaTocando());
    }

    // A recording whose header claims ten seconds but holds one plays that second and frees the
    // queue after it, not after the ten.
    void gravacaoCortadaNaoPrendeAFila() {
        QVERIFY(gravaTomEm("cortada.wav", 22050, 16, 1, 440, 1000, 441000));
        const QString falta = ouveTom("cortada", 440, 1000);
        QVERIFY2(falta.isEmpty(), qPrintable(falta));
        enfileiraSom("cortada");
        QVERIFY(!saidaLivre());
        QTRY_VERIFY_WITH_TIMEOUT(saidaLivre(), 4000);
    }
};

QTEST_MAIN(TstSaidaMemoria)
#include "tst_saida_memoria.moc"
