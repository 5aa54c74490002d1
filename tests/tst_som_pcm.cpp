// Which WAV files play from memory, in what format and with which samples; everything else is
// left to the media player. No sound needed.
#include "plataforma/som_pcm.h"
#include "support/bytes_le.h"

#include <QtEndian>
#include <QtTest>

namespace {

QByteArray pedaco(const QByteArray& id, const QByteArray& corpo, quint32 tamanho = 0) {
    QByteArray p = id + u32(tamanho ? tamanho : quint32(corpo.size())) + corpo;
    if (corpo.size() % 2) p += '\0';
    return p;
}
QByteArray fmt(quint16 tag, quint16 canais, quint32 taxa, quint16 bits) {
    const quint16 bloco = quint16(bits / 8 * canais);
    return u16(tag) + u16(canais) + u32(taxa) + u32(taxa * bloco) + u16(bloco) + u16(bits);
}
QByteArray riff(const QByteArray& pedacos) {
    return "RIFF" + u32(quint32(4 + pedacos.size())) + "WAVE" + pedacos;
}
// Frames of 16-bit samples counting up from 1.
QByteArray amostras16(int n) {
    QByteArray d;
    for (int i = 1; i <= n; ++i)
        d += u16(quint16(i));
    return d;
}

} // namespace

class TstSomPcm : public QObject {
    Q_OBJECT

private slots:
    void formatosQueTocamComoEstao_data() {
        QTest::addColumn<QByteArray>("arquivo");
        QTest::addColumn<int>("formato");
        QTest::addColumn<int>("canais");
        QTest::addColumn<int>("taxa");
        QTest::addColumn<QByteArray>("esperado");
        const QByteArray d = amostras16(8);
        QTest::newRow("16 bits mono, o do gravador")
            << riff(pedaco("fmt ", fmt(1, 1, 22050, 16)) + pedaco("data", d))
            << int(QAudioFormat::Int16) << 1 << 22050 << d;
        QTest::newRow("8 bits estéreo a 11025")
            << riff(pedaco("fmt ", fmt(1, 2, 11025, 8)) + pedaco("data", "\x80\x81\x7f\xff"))
            << int(QAudioFormat::UInt8) << 2 << 11025 << QByteArray("\x80\x81\x7f\xff");
        QTest::newRow("float 32 a 48000")
            << riff(pedaco("fmt ", fmt(3, 1, 48000, 32)) + pedaco("data", d))
            << int(QAudioFormat::Float) << 1 << 48000 << d;
        QTest::newRow("inteiro 32 estéreo")
            << riff(pedaco("fmt ", fmt(1, 2, 44100, 32)) + pedaco("data", d))
            << int(QAudioFormat::Int32) << 2 << 44100 << d;
        // The extensible form names PCM in the first two bytes of its sub-format GUID.
        const QByteArray extensivel =
            fmt(0xFFFE, 2, 44100, 16) + u16(22) + u16(16) + u32(3) + u16(1) +
            QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
        QTest::newRow("extensível, PCM") << riff(pedaco("fmt ", extensivel) + pedaco("data", d))
                                         << int(QAudioFormat::Int16) << 2 << 44100 << d;
        // Other chunks anywhere, names in any case, an odd-sized one padded to an even size.
        QTest::newRow("LIST antes, pedaço ímpar, caixa baixa")
            << riff(pedaco("LIST", "INFOabc") + pedaco("fmt ", fmt(1, 1, 22050, 16)) +
                    pedaco("fact", u32(8)) + pedaco("data", d) + pedaco("LIST", "fim!"))
                   .replace("data", "DATA")
            << int(QAudioFormat::Int16) << 1 << 22050 << d;
        // A recording cut short (or a header never finished) plays the whole frames it holds.
        QTest::newRow("cortado no meio de um quadro")
            << riff(pedaco("fmt ", fmt(1, 2, 22050, 16)) + "data" + u32(4000) + d + "\x01\x02")
            << int(QAudioFormat::Int16) << 2 << 22050 << d;
        QTest::newRow("tamanho de dados nunca escrito")
            << riff(pedaco("fmt ", fmt(1, 1, 22050, 16)) + "data" + u32(0xFFFFFFFF) + d)
            << int(QAudioFormat::Int16) << 1 << 22050 << d;
    }
    void formatosQueTocamComoEstao() {
        QFETCH(QByteArray, arquivo);
        QFETCH(int, formato);
        QFETCH(int, canais);
        QFETCH(int, taxa);
        QFETCH(QByteArray, esperado);
        const std::optional<SomPcm> som = pcmDoWav(arquivo);
        QVERIFY(som.has_value());
        QCOMPARE(int(som->formato.sampleFormat()), formato);
        QCOMPARE(som->formato.channelCount(), canais);
        QCOMPARE(som->formato.sampleRate(), taxa);
        QCOMPARE(som->amostras, esperado);
    }

    void oRestoFicaParaOTocadorDeMidia_data() {
        QTest::addColumn<QByteArray>("arquivo");
        const QByteArray d = amostras16(8);
        QTest::newRow("MP3") << QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + d;
        QTest::newRow("vazio") << QByteArray();
        QTest::newRow("só RIFF") << QByteArray("RIFF\x04\x00\x00\x00WAVE", 12);
        QTest::newRow("RIFF que não é WAVE")
            << QByteArray("RIFF\x20\x00\x00\x00AVI ", 12) + pedaco("data", d);
        QTest::newRow("24 bits") << riff(pedaco("fmt ", fmt(1, 1, 44100, 24)) + pedaco("data", d));
        QTest::newRow("ADPCM") << riff(pedaco("fmt ", fmt(2, 1, 22050, 4)) + pedaco("data", d));
        QTest::newRow("float de 64 bits")
            << riff(pedaco("fmt ", fmt(3, 1, 22050, 64)) + pedaco("data", d));
        QTest::newRow("seis canais")
            << riff(pedaco("fmt ", fmt(1, 6, 48000, 16)) + pedaco("data", d));
        QTest::newRow("taxa zero") << riff(pedaco("fmt ", fmt(1, 1, 0, 16)) + pedaco("data", d));
        QTest::newRow("alinhamento errado") << riff(
            pedaco("fmt ", fmt(1, 2, 22050, 16).replace(12, 2, u16(3))) + pedaco("data", d));
        QTest::newRow("dados antes do formato")
            << riff(pedaco("data", d) + pedaco("fmt ", fmt(1, 1, 22050, 16)));
        QTest::newRow("sem dados") << riff(pedaco("fmt ", fmt(1, 1, 22050, 16)));
        QTest::newRow("dados vazios")
            << riff(pedaco("fmt ", fmt(1, 1, 22050, 16)) + "data" + u32(0));
        QTest::newRow("menos de um quadro")
            << riff(pedaco("fmt ", fmt(1, 2, 22050, 16)) + "data" + u32(4) + "ab");
        QTest::newRow("formato curto")
            << riff(pedaco("fmt ", fmt(1, 1, 22050, 16).left(14)) + pedaco("data", d));
        QTest::newRow("formato além do fim") << riff("fmt " + u32(4000) + fmt(1, 1, 22050, 16));
        QTest::newRow("extensível de outro tipo")
            << riff(pedaco("fmt ", fmt(0xFFFE, 1, 22050, 16) + u16(22) + u16(16) + u32(4) + u16(1) +
                                       QByteArray(14, '\x07')) +
                    pedaco("data", d));
        QTest::newRow("pedaço de tamanho enorme antes dos dados")
            << riff(pedaco("fmt ", fmt(1, 1, 22050, 16)) + "junk" + u32(0xFFFFFFF0) + d);
    }
    void oRestoFicaParaOTocadorDeMidia() {
        QFETCH(QByteArray, arquivo);
        QVERIFY(!pcmDoWav(arquivo).has_value());
    }

    void duracao() {
        SomPcm som = *pcmDoWav(
            riff(pedaco("fmt ", fmt(1, 2, 22050, 16)) + pedaco("data", QByteArray(88200, '\0'))));
        QCOMPARE(som.duracaoMs(), qint64(1000)); // 22050 stereo frames of 4 bytes
        QCOMPARE(SomPcm().duracaoMs(), qint64(0));
    }

    void grandeDemaisParaAMemoria() {
        QByteArray enorme = riff(pedaco("fmt ", fmt(1, 1, 22050, 16)) + "data" +
                                 u32(quint32(maxBytesSomEmMemoria)));
        enorme.resize(maxBytesSomEmMemoria + 1);
        QVERIFY(!pcmDoWav(enorme).has_value());
    }
};

QTEST_GUILESS_MAIN(TstSomPcm)
#include "tst_som_pcm.moc"
