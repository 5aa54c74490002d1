// Hears what the program played: records the null sink's monitor ("ci_mic", the default input
// under scripts/com-servicos.sh) and tells when there was sound and at what pitch.
// Header-only so the benchmarks can use it too.
#pragma once

#include "bytes_le.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QString>
#include <QTimer>
#include <QVector>
#include <QtEndian>
#include <cmath>
#include <memory>

constexpr int taxaEscuta = 22050;

class Escuta {
public:
    // Starts recording; `relogio` is the time base of every instant it reports.
    explicit Escuta(const QElapsedTimer& relogio) : relogio(relogio) {
        QAudioFormat f;
        f.setSampleRate(taxaEscuta);
        f.setChannelCount(1);
        f.setSampleFormat(QAudioFormat::Int16);
        QAudioDevice dispositivo = QMediaDevices::defaultAudioInput();
        for (const QAudioDevice& d : QMediaDevices::audioInputs())
            if (d.id() == "ci_mic") dispositivo = d;
        fonte = std::make_unique<QAudioSource>(dispositivo, f);
        fonte->setBufferSize(4096);
        io = fonte->start();
        drenagem.setInterval(5);
        QObject::connect(&drenagem, &QTimer::timeout, [this] { drena(); });
        drenagem.start();
    }
    ~Escuta() {
        drenagem.stop();
        fonte->stop();
    }
    bool ok() const { return io != nullptr; }

    void drena() {
        if (!io) return;
        const QByteArray d = io->readAll();
        if (d.isEmpty()) return;
        const auto* s = reinterpret_cast<const qint16*>(d.constData());
        for (int i = 0; i < d.size() / 2; ++i)
            amostras.append(s[i]);
        marcas.append({int(amostras.size()), relogio.elapsed()});
    }

    // Instant (ms of the time base) at which sample i was captured, from when its chunk came.
    double instante(int i) const {
        for (const auto& m : marcas)
            if (i < m.fim) return m.ms - double(m.fim - i) * 1000.0 / taxaEscuta;
        return marcas.isEmpty() ? 0 : marcas.last().ms;
    }

    // Windows of 10 ms: loudness and strength at a frequency.
    static constexpr int janela = taxaEscuta / 100;
    int nJanelas() const { return amostras.size() / janela; }
    double rms(int j) const {
        double soma = 0;
        for (int i = j * janela; i < (j + 1) * janela; ++i)
            soma += double(amostras[i]) * amostras[i];
        return std::sqrt(soma / janela);
    }
    // Amplitude of the component at `hz` in window j (Goertzel), same scale as the samples.
    double forca(int j, double hz) const {
        const double w = 2 * M_PI * hz / taxaEscuta, c = 2 * std::cos(w);
        double s1 = 0, s2 = 0;
        for (int i = j * janela; i < (j + 1) * janela; ++i) {
            const double s0 = amostras[i] + c * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return 2 * std::sqrt(s1 * s1 + s2 * s2 - c * s1 * s2) / janela;
    }
    bool soando(int j) const { return rms(j) > 300; }
    int primeiraSoando(int desde = 0) const {
        for (int j = desde; j < nJanelas(); ++j)
            if (soando(j)) return j;
        return -1;
    }
    int ultimaSoando() const {
        for (int j = nJanelas() - 1; j >= 0; --j)
            if (soando(j)) return j;
        return -1;
    }
    int janelasSoando() const {
        int n = 0;
        for (int j = 0; j < nJanelas(); ++j)
            n += soando(j);
        return n;
    }
    // Pitch of the samples between two windows, by counting upward zero crossings.
    double frequencia(int de, int ate) const {
        int cruzamentos = 0;
        for (int i = de * janela + 1; i < ate * janela && i < amostras.size(); ++i)
            cruzamentos += amostras[i - 1] < 0 && amostras[i] >= 0;
        return cruzamentos * 100.0 / qMax(1, ate - de);
    }
    double instanteJanela(int j) const { return instante(j * janela); }

    // Why what was heard is not a tone of `hz` sounding for at least `janelas` windows of 10 ms
    // (empty when it is).
    QString faltaOTom(double hz, int janelas) const {
        const int j = primeiraSoando();
        if (j < 0) return QStringLiteral("nada se ouviu no null sink");
        if (janelasSoando() < janelas)
            return QStringLiteral("só %1 janelas de 10 ms soaram").arg(janelasSoando());
        const double f = frequencia(j + 5, j + 45);
        if (qAbs(f - hz) >= 20) return QStringLiteral("ouviu-se %1 Hz, não %2 Hz").arg(f).arg(hz);
        return {};
    }

    QVector<qint16> amostras;

private:
    struct Marca {
        int fim;
        qint64 ms;
    };
    const QElapsedTimer& relogio;
    std::unique_ptr<QAudioSource> fonte;
    QIODevice* io = nullptr;
    QTimer drenagem;
    QVector<Marca> marcas;
};

// Writes a PCM WAV of the given form around `dados`; `dadosDeclarados` (bytes) when the header is
// to claim more than the file holds.
inline bool gravaWavPcm(const QString& caminho, int taxa, int bits, int canais,
                        const QByteArray& dados, quint32 dadosDeclarados = 0) {
    const quint16 bloco = quint16(bits / 8 * canais);
    const quint32 declarados = dadosDeclarados ? dadosDeclarados : quint32(dados.size());
    const QByteArray cab = "RIFF" + u32(36 + declarados) + "WAVEfmt " + u32(16) + u16(1) +
                           u16(quint16(canais)) + u32(quint32(taxa)) + u32(quint32(taxa) * bloco) +
                           u16(bloco) + u16(quint16(bits)) + "data" + u32(declarados);
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly) && f.write(cab + dados) == cab.size() + dados.size();
}

// Writes a mono 16-bit 22050 Hz WAV holding a sine tone.
inline bool gravaTom(const QString& caminho, double hz, int ms, double amplitude = 12000) {
    const int n = taxaEscuta * ms / 1000;
    QByteArray dados(n * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<qint16*>(dados.data());
    for (int i = 0; i < n; ++i)
        s[i] = qToLittleEndian(qint16(amplitude * std::sin(2 * M_PI * hz * i / taxaEscuta)));
    return gravaWavPcm(caminho, taxaEscuta, 16, 1, dados);
}
