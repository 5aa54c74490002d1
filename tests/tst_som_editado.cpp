// The sound editor's plain layer: WAV loading and conversion, edits, saved bytes, name check.
#include "logica/som/nome_som.h"
#include "logica/som/som_editado.h"
#include "support/apoio.h"
#include "support/bytes_le.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <memory>

namespace {

QByteArray pedaco(const QByteArray& id, const QByteArray& corpo) {
    return id + u32(quint32(corpo.size())) + corpo;
}
QByteArray fmt(quint16 tag, quint16 canais, quint32 taxa, quint16 bits) {
    const quint16 alinh = quint16(bits / 8 * canais);
    return pedaco("fmt ",
                  u16(tag) + u16(canais) + u32(taxa) + u32(alinh * taxa) + u16(alinh) + u16(bits));
}
QByteArray wav(const QByteArray& corpo) {
    return "RIFF" + u32(4 + corpo.size()) + "WAVE" + corpo;
}
QByteArray amostras16(const QList<qint16>& s) {
    QByteArray b;
    for (qint16 v : s)
        b += u16(quint16(v));
    return b;
}

TResultadoCarga carrega(const QByteArray& arquivo, SomEditado& som) {
    QBuffer b;
    b.setData(arquivo);
    b.open(QIODevice::ReadOnly);
    return leWav(b, som);
}

} // namespace

class TstSomEditado : public QObject {
    Q_OBJECT
    std::unique_ptr<SomEditado> som;

private slots:
    void init() { som = std::make_unique<SomEditado>(); }

    void cabecalhoCanonico() {
        char c[44];
        montaCabecalhoWav(c, 22050, 16, 88200, 1);
        QByteArray b(c, 44);
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QCOMPARE(qFromLittleEndian<quint32>(c + 4), 88236u);
        QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint32>(c + 16), 16u);
        QCOMPARE(qFromLittleEndian<quint16>(c + 20), quint16(1));
        QCOMPARE(qFromLittleEndian<quint16>(c + 22), quint16(1));
        QCOMPARE(qFromLittleEndian<quint32>(c + 24), 22050u);
        QCOMPARE(qFromLittleEndian<quint32>(c + 28), 44100u);
        QCOMPARE(qFromLittleEndian<quint16>(c + 32), quint16(2));
        QCOMPARE(qFromLittleEndian<quint16>(c + 34), quint16(16));
        QCOMPARE(b.mid(36, 4), QByteArray("data"));
        QCOMPARE(qFromLittleEndian<quint32>(c + 40), 88200u);
    }

    void conversoes() {
        // 44,100 Hz mono: pairs averaged toward zero, 44,100 frames → 1 s.
        QList<qint16> s(44100, 0);
        s[0] = 3;
        s[1] = -4;
        s[2] = 1000;
        s[3] = 2001;
        QCOMPARE(carrega(wav(fmt(1, 1, 44100, 16) + pedaco("data", amostras16(s))), *som),
                 TResultadoCarga::carregado);
        QCOMPARE(som->nAmostras, 22050);
        QCOMPARE(som->amostra(0), qint16(0));
        QCOMPARE(som->amostra(1), qint16(1500));
        QCOMPARE(textoDuracao(som->nAmostras), QStringLiteral("1 seg."));

        // 11,025 Hz 8-bit mono: each sample doubled; 128 → 0, 255 → 32,512, 0 → −32,768.
        QByteArray oito("\x80\xff\x00", 3);
        QCOMPARE(carrega(wav(fmt(1, 1, 11025, 8) + pedaco("data", oito)), *som),
                 TResultadoCarga::carregado);
        QCOMPARE(som->nAmostras, 6);
        const QList<qint16> esperado{0, 0, 32512, 32512, -32768, -32768};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(som->amostra(i), esperado[i]);

        // Stereo: left and right averaged, for 16 and 8 bits.
        QCOMPARE(
            carrega(wav(fmt(1, 2, 22050, 16) + pedaco("data", amostras16({1000, 3000, -1, -2}))),
                    *som),
            TResultadoCarga::carregado);
        QCOMPARE(som->nAmostras, 2);
        QCOMPARE(som->amostra(0), qint16(2000));
        QCOMPARE(som->amostra(1), qint16(-1));
        QCOMPARE(
            carrega(wav(fmt(1, 2, 22050, 8) + pedaco("data", QByteArray("\xff\x80", 2))), *som),
            TResultadoCarga::carregado);
        QCOMPARE(som->amostra(0), qint16(16256));
    }

    void pedacosIgnoradosEGrandes() {
        // A LIST chunk larger than the work buffer, before "data", is skipped in pieces.
        const QByteArray lista = pedaco("LIST", QByteArray(70000, 'x'));
        QCOMPARE(
            carrega(wav(fmt(1, 1, 22050, 16) + lista + pedaco("DATA", amostras16({7, 8}))), *som),
            TResultadoCarga::carregado);
        QCOMPARE(som->nAmostras, 2);
        QCOMPARE(som->amostra(1), qint16(8));
        // Samples longer than one piece arrive whole.
        QList<qint16> longo(100000);
        for (int i = 0; i < longo.size(); ++i)
            longo[i] = qint16(i % 30000);
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 16) + pedaco("data", amostras16(longo))), *som),
                 TResultadoCarga::carregado);
        QCOMPARE(som->nAmostras, 100000);
        QCOMPARE(som->amostra(99999), qint16(99999 % 30000));
        QCOMPARE(som->amostra(32766), qint16(32766 % 30000));
    }

    void recusas() {
        // Not recognised leaves the previous sound in place.
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 16) + pedaco("data", amostras16({5, 6, 7}))), *som),
                 TResultadoCarga::carregado);
        QCOMPARE(carrega(wav(fmt(3, 1, 22050, 16) + pedaco("data", amostras16({1}))), *som),
                 TResultadoCarga::naoReconhecido);
        QCOMPARE(carrega(wav(pedaco("LIST", "ab") + fmt(1, 1, 22050, 16)), *som),
                 TResultadoCarga::naoReconhecido);
        QCOMPARE(carrega("RIFX" + QByteArray(40, 0), *som), TResultadoCarga::naoReconhecido);
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 16)), *som), TResultadoCarga::naoReconhecido);
        QCOMPARE(carrega("riff" + QByteArray(4, 0), *som), TResultadoCarga::naoReconhecido);
        QCOMPARE(som->nAmostras, 3);
        QCOMPARE(som->amostra(2), qint16(7));

        // Refused after the data chunk was reached: an empty sound, never a stale count.
        const QByteArray dois = pedaco("data", amostras16({1, 2}));
        QCOMPARE(carrega(wav(fmt(1, 1, 48000, 16) + dois), *som), TResultadoCarga::incompativel);
        QCOMPARE(som->nAmostras, 0);
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 24) + pedaco("data", QByteArray(6, 1))), *som),
                 TResultadoCarga::incompativel);
        QCOMPARE(carrega(wav(fmt(1, 3, 22050, 16) + pedaco("data", QByteArray(6, 1))), *som),
                 TResultadoCarga::incompativel);
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 12) + dois), *som), TResultadoCarga::incompativel);
        QCOMPARE(carrega(wav(fmt(1, 1, 22050, 16) + pedaco("data", {})), *som),
                 TResultadoCarga::vazio);
        // Declared sizes only: no need to build the samples themselves.
        auto declarado = [](quint32 taxa, quint32 bytes) {
            return wav(fmt(1, 1, taxa, 16) + "data" + u32(bytes));
        };
        QCOMPARE(carrega(declarado(22050, 2 * 10000001u), *som), TResultadoCarga::grandeDemais);
        QCOMPARE(carrega(declarado(11025, 2 * 5000001u), *som), TResultadoCarga::grandeDemais);
        QCOMPARE(som->nAmostras, 0);
        QCOMPARE(carrega(declarado(22050, 2000), *som), TResultadoCarga::danificado);
        QCOMPARE(som->nAmostras, 0);

        QCOMPARE(mensagemDaCarga(TResultadoCarga::incompativel),
                 QStringLiteral("O modo de amostragem deste som é incompatível com este "
                                "editor.\r\nUse outro editor de som para ajustá-lo."));
        QVERIFY(mensagemDaCarga(TResultadoCarga::carregado).isEmpty());
    }

    void edicoes() {
        som->nAmostras = 4;
        const QList<qint16> v{30000, 1001, -1001, 101};
        for (int i = 0; i < 4; ++i)
            som->defineAmostra(i, v[i]);
        ajustaVolume(*som, 1.2);
        QCOMPARE(som->amostra(0), qint16(32767));
        QCOMPARE(som->amostra(1), qint16(1201));
        for (int i = 0; i < 4; ++i)
            som->defineAmostra(i, v[i]);
        ajustaVolume(*som, 0.85);
        QCOMPARE(som->amostra(2), qint16(-850));
        QCOMPARE(som->amostra(3), qint16(85));

        // Corta início: unchanged at 1,000; 5,000 leaves the last 4,000.
        som->nAmostras = 1000;
        cortaInicio(*som);
        QCOMPARE(som->nAmostras, 1000);
        som->nAmostras = 5000;
        for (int i = 0; i < 5000; ++i)
            som->defineAmostra(i, qint16(i));
        cortaInicio(*som);
        QCOMPARE(som->nAmostras, 4000);
        QCOMPARE(som->amostra(0), qint16(1000));
        QCOMPARE(som->amostra(3999), qint16(4999));
        cortaFim(*som);
        QCOMPARE(som->nAmostras, 3000);
        som->nAmostras = 600;
        cortaFim(*som);
        QCOMPARE(som->nAmostras, 0);

        // Fade out: the whole of a 2 s sound; only the last 88,200 samples of a 10 s one.
        som->nAmostras = 44100;
        for (int i = 0; i < 44100; ++i)
            som->defineAmostra(i, 10000);
        fadeOut(*som);
        QCOMPARE(som->amostra(0), qint16(10000));
        QCOMPARE(som->amostra(22050), qint16(5000));
        QCOMPARE(som->amostra(44099), qint16(0)); // 10,000 / 44,100 toward zero
        som->nAmostras = 220500;
        for (int i = 0; i < 220500; ++i)
            som->defineAmostra(i, -20000);
        fadeOut(*som);
        QCOMPARE(som->amostra(132299), qint16(-20000));
        QCOMPARE(som->amostra(132300), qint16(-20000));
        QCOMPARE(som->amostra(132301), qint16(qint64(-20000) * 88199 / 88200));
        QCOMPARE(som->amostra(220499), qint16(0));
        limpaSom(*som);
        QCOMPARE(som->nAmostras, 0);
    }

    void gravacaoEReleitura() {
        QTemporaryDir pasta;
        const QString nome = pasta.filePath("casa.wav");
        som->nAmostras = 22050;
        for (int i = 0; i < 22050; ++i)
            som->defineAmostra(i, qint16(i - 11025));
        QCOMPARE(gravaWav(nome, *som), TResultadoGravacao::gravado);
        QFile f(nome);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        QCOMPARE(b.size(), 44144);
        QCOMPARE(qFromLittleEndian<quint32>(b.constData() + 4), 44136u);
        QCOMPARE(qFromLittleEndian<quint32>(b.constData() + 40), 44100u);
        f.seek(0);
        SomEditado outro;
        QCOMPARE(leWav(f, outro), TResultadoCarga::carregado);
        QCOMPARE(outro.nAmostras, 22050);
        QCOMPARE(outro.amostra(0), qint16(-11025));
        QCOMPARE(outro.amostra(22049), qint16(11024));

        QCOMPARE(gravaWav(pasta.filePath("nao/existe.wav"), *som), TResultadoGravacao::erroAbrir);
        QCOMPARE(mensagemDaGravacao(TResultadoGravacao::erroAbrir),
                 QStringLiteral("Erro ao abrir o espaço para gravação"));
    }

    void nomeDoSom() {
        QTemporaryDir pasta;
        const QString antes = QDir::currentPath();
        QDir::setCurrent(pasta.path());
        RespostasDeDialogo avisos;
        QString nome = "casa";
        QVERIFY(validaNomeSom(nome));
        QCOMPARE(nome, QStringLiteral("casa.wav"));
        nome = "casa.mp3";
        avisos.ok();
        QVERIFY(!validaNomeSom(nome));
        nome.clear();
        avisos.ok();
        QVERIFY(!validaNomeSom(nome));
        QCOMPARE(avisos.erros,
                 QStringList({"Nesta versão só consigo editar arquivos .WAV",
                              "Por favor, digite o nome do arquivo de som a gravar."}));
        QFile("sol.WAV").open(QIODevice::WriteOnly);
        nome = "sol.WAV";
        avisos.nao();
        QVERIFY(!validaNomeSom(nome));
        avisos.sim();
        QVERIFY(validaNomeSom(nome));
        QCOMPARE(avisos.perguntas.size(), 2);
        QCOMPARE(avisos.perguntas.first(),
                 QStringLiteral("Arquivo existente, confirma alteração?"));
        QDir::setCurrent(antes);
    }
};

QTEST_GUILESS_MAIN(TstSomEditado)
#include "tst_som_editado.moc"
