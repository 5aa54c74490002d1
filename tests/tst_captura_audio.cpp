// A real recording from the default input while a 1 kHz tone plays into the null sink.
#include "janelas/som/formgravador.h"
#include "logica/som/captura_wav.h"
#include "logica/som/som_editado.h"
#include "logica/som/toca_memoria.h"
#include "support/montagens.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMediaDevices>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace {
QByteArray leTudo(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstCapturaAudio : public QObject {
    Q_OBJECT

private slots:
    // A recording stopped on a full pen drive: the previous recording stays as it was.
    void gravacaoNoDiscoCheio() {
        Montagem m;
        if (!m.montaTmpfs(128)) QSKIP(qPrintable(m.motivo));
        const QString nome = m.pasta() + "/voz.wav";
        QFile anterior(nome);
        QVERIFY(anterior.open(QIODevice::WriteOnly));
        anterior.write(QByteArray("RIFF") + QByteArray(40, 'a'));
        anterior.close();
        const QByteArray antes = leTudo(nome);
        QCOMPARE(iniciaGravacao(nome, 22050, 16, 1, 4, 4096), gravacaoPronta);
        QVERIFY(m.enche());
        comecaCaptura();
        bool escreveu = true;
        for (int i = 0; i < 12; ++i) {
            QTest::qWait(100);
            escreveu = coletaBuffers() && escreveu;
        }
        QCOMPARE(terminaGravacao(), FimDaGravacao::erroEscrita);
        QVERIFY(!escreveu);
        QVERIFY(!gravacaoAberta());
        QCOMPARE(leTudo(nome), antes);
        QStringList ficou = QDir(m.pasta()).entryList(QDir::Files | QDir::Hidden);
        ficou.removeAll("enchimento");
        QCOMPARE(ficou, QStringList{"voz.wav"});
    }

    void gravaTomEEdita() {
        // The tone, played from memory through the editor's own player.
        SomEditado tom;
        tom.nAmostras = taxaEditor * 4;
        for (int i = 0; i < tom.nAmostras; ++i)
            tom.defineAmostra(i, qint16(12000 * std::sin(2 * M_PI * 1000 * i / taxaEditor)));
        const QByteArray imagem(tom.imagemWav(), int(tom.tamanhoImagem()));
        // Starting a recording silences the editor's own playing first...
        tocaImagemWav(imagem);
        QTRY_VERIFY_WITH_TIMEOUT(somMemoriaTocando(), 3000);
        QTemporaryDir pasta;
        const QString nome = pasta.filePath("tom.wav");
        QCOMPARE(gravaWav(nome, tom), TResultadoGravacao::gravado);
        const QByteArray anterior = leTudo(nome);
        QCOMPARE(iniciaGravacao(nome, 22050, 16, 1, 4, 4096), gravacaoPronta);
        QVERIFY(!somMemoriaTocando());
        // Stopped before any sound came: the previous recording stays, never a silent file.
        QCOMPARE(terminaGravacao(), FimDaGravacao::semSom);
        QCOMPARE(leTudo(nome), anterior);

        // ...so the tone comes from a player of the test's own.
        QAudioFormat formato;
        formato.setSampleRate(taxaEditor);
        formato.setChannelCount(1);
        formato.setSampleFormat(QAudioFormat::Int16);
        QBuffer pcm;
        pcm.setData(imagem.mid(44));
        pcm.open(QIODevice::ReadOnly);
        QAudioSink sink(QMediaDevices::defaultAudioOutput(), formato);
        sink.start(&pcm);
        QTRY_COMPARE_WITH_TIMEOUT(sink.state(), QAudio::ActiveState, 3000);
        QTest::qWait(300);

        QCOMPARE(iniciaGravacao(nome, 22050, 16, 1, 4, 4096), gravacaoPronta);
        comecaCaptura();
        QElapsedTimer relogio;
        relogio.start();
        while (relogio.elapsed() < 2000) {
            QTest::qWait(100);
            QVERIFY(coletaBuffers());
            // While recording the previous file stays whole: a recording cut short loses nothing.
            QCOMPARE(leTudo(nome), anterior);
        }
        QCOMPARE(terminaGravacao(), FimDaGravacao::gravada);
        QVERIFY(!gravacaoAberta());
        sink.stop();

        QFile f(nome);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        const quint32 n = qFromLittleEndian<quint32>(b.constData() + 40);
        QCOMPARE(quint32(b.size()), n + 44);
        QCOMPARE(qFromLittleEndian<quint32>(b.constData() + 4), n + 36);
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QVERIFY2(n > 1.6 * 44100 && n < 2.4 * 44100, qPrintable(QString::number(n)));

        f.seek(0);
        SomEditado som;
        QCOMPARE(leWav(f, som), TResultadoCarga::carregado);
        // A 1 kHz tone: count upward zero crossings and the level past the start.
        int cruzamentos = 0;
        double soma = 0;
        const int de = 4410, ate = som.nAmostras - 2205;
        for (int i = de; i < ate; ++i) {
            cruzamentos += som.amostra(i - 1) < 0 && som.amostra(i) >= 0;
            soma += double(som.amostra(i)) * som.amostra(i);
        }
        const double hz = cruzamentos * double(taxaEditor) / (ate - de);
        const double rms = std::sqrt(soma / (ate - de));
        QVERIFY2(std::abs(hz - 1000) < 30, qPrintable(QString::number(hz)));
        QVERIFY2(rms > 5000, qPrintable(QString::number(rms)));

        // Trim, fade, louder, save and reload.
        const qint32 antes = som.nAmostras;
        cortaInicio(som);
        cortaFim(som);
        fadeOut(som);
        ajustaVolume(som, 1.2);
        QCOMPARE(gravaWav(nome, som), TResultadoGravacao::gravado);
        SomEditado relido;
        QFile g(nome);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QCOMPARE(leWav(g, relido), TResultadoCarga::carregado);
        QCOMPARE(relido.nAmostras, antes - 2000);
        int pico = 0;
        for (int i = 0; i < 2000; ++i)
            pico = std::max(pico, std::abs(int(relido.amostra(i))));
        QVERIFY2(pico > 12000 * 1.2 * 0.8, qPrintable(QString::number(pico)));
        int picoFim = 0;
        for (int i = relido.nAmostras - 200; i < relido.nAmostras; ++i)
            picoFim = std::max(picoFim, std::abs(int(relido.amostra(i))));
        QVERIFY2(picoFim < pico / 50, qPrintable(QString::number(picoFim)));
    }

    // The window's record toggle, and closing it while it records.
    void janelaGravaEFecha() {
        QTemporaryDir pasta;
        TFormGravador f;
        f.combo_nomeArq->setEditText(pasta.filePath("voz.wav"));
        f.show();
        f.b_record->click();
        QVERIFY(f.gravando());
        QCOMPARE(f.l_status->text(), QStringLiteral("Gravando"));
        QCOMPARE(f.l_duracao->text(), QStringLiteral("0 seg."));
        // The duration counts up while recording.
        QTRY_COMPARE_WITH_TIMEOUT(f.l_duracao->text(), QStringLiteral("1 seg."), 3000);
        f.b_record->click();
        QVERIFY(!f.gravando());
        QVERIFY(!gravacaoAberta());
        QCOMPARE(f.l_status->text(), QString());
        QVERIFY(f.som()->nAmostras >= taxaEditor);
        f.b_record->click();
        QVERIFY(gravacaoAberta());
        QTest::qWait(300);
        f.close();
        QVERIFY(!gravacaoAberta());
        QFile v(pasta.filePath("voz.wav"));
        QVERIFY(v.open(QIODevice::ReadOnly));
        const QByteArray b = v.readAll();
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(b.constData() + 40), quint32(b.size() - 44));
    }
};

QTEST_MAIN(TstCapturaAudio)
#include "tst_captura_audio.moc"
