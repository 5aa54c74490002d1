#include "plataforma/som_pcm.h"

#include <QtEndian>

namespace {

constexpr quint16 tagPcm = 1;
constexpr quint16 tagFloat = 3;
constexpr quint16 tagExtensivel = 0xFFFE;
// What follows the tag in the sub-format GUID of the extensible form's PCM and float.
constexpr char sufixoGuid[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

bool idIgual(const char* id, const char* esperado) {
    return qstrnicmp(id, esperado, 4) == 0;
}

QAudioFormat::SampleFormat formatoDaAmostra(quint16 tag, quint16 bits) {
    if (tag == tagFloat) return bits == 32 ? QAudioFormat::Float : QAudioFormat::Unknown;
    if (tag != tagPcm) return QAudioFormat::Unknown;
    switch (bits) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    case 32:
        return QAudioFormat::Int32;
    default:
        return QAudioFormat::Unknown; // 24 bits has no sink format: the media player plays it
    }
}

// The format record ("fmt " body of `tamanho` bytes); an invalid format when it is not one the
// sink can play as it is.
QAudioFormat leFormato(const char* f, qint64 tamanho) {
    if (tamanho < 16) return {};
    quint16 tag = u16(f);
    const quint16 canais = u16(f + 2);
    const quint32 taxa = u32(f + 4);
    const quint16 bloco = u16(f + 12);
    const quint16 bits = u16(f + 14);
    if (tag == tagExtensivel) {
        if (tamanho < 40 || u16(f + 16) < 22 ||
            QByteArray::fromRawData(f + 26, 14) != QByteArray::fromRawData(sufixoGuid, 14))
            return {};
        tag = u16(f + 24);
    }
    const QAudioFormat::SampleFormat amostra = formatoDaAmostra(tag, bits);
    if (amostra == QAudioFormat::Unknown || canais < 1 || canais > 2 || taxa < 1000 ||
        taxa > 192000 || bloco != bits / 8 * canais)
        return {};
    QAudioFormat formato;
    formato.setSampleFormat(amostra);
    formato.setChannelCount(canais);
    formato.setSampleRate(int(taxa));
    return formato;
}

} // namespace

std::optional<SomPcm> pcmDoWav(const QByteArray& arquivo) {
    const qint64 total = arquivo.size();
    const char* a = arquivo.constData();
    if (total < 12 || total > maxBytesSomEmMemoria || !idIgual(a, "RIFF") ||
        !idIgual(a + 8, "WAVE"))
        return std::nullopt;
    QAudioFormat formato;
    qint64 pos = 12;
    while (pos + 8 <= total) {
        const qint64 tamanho = u32(a + pos + 4);
        const qint64 corpo = pos + 8;
        if (idIgual(a + pos, "fmt ")) {
            if (corpo + tamanho > total) return std::nullopt;
            formato = leFormato(a + corpo, tamanho);
            if (!formato.isValid()) return std::nullopt;
        } else if (idIgual(a + pos, "data")) {
            if (!formato.isValid()) return std::nullopt;
            // A recording cut short (a pulled pen drive, a crash while recording) plays what
            // it holds.
            const qint64 presentes = qMin(tamanho, total - corpo);
            const qint64 inteiros = presentes - presentes % formato.bytesPerFrame();
            if (inteiros <= 0) return std::nullopt;
            return SomPcm{formato, arquivo.mid(corpo, inteiros)};
        }
        // Chunks are padded to an even size.
        pos = corpo + tamanho + (tamanho & 1);
    }
    return std::nullopt;
}
