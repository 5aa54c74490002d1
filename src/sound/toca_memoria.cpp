#include "sound/toca_memoria.h"

#include "platform/audio.h"
#include "sound/cabecalho_wav.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtEndian>
#include <algorithm>
#include <memory>

namespace {

struct Tocador {
    std::unique_ptr<QAudioSink> sink;
    std::unique_ptr<QBuffer> dados;
};

Tocador& tocador() {
    static Tocador t;
    return t;
}

} // namespace

void paraSomMemoria() {
    Tocador& t = tocador();
    if (t.sink) t.sink->stop();
    t.sink.reset();
    t.dados.reset();
}

void tocaImagemWav(const QByteArray& imagem) {
    paraSomMemoria();
    if (imagem.size() < tamCabecalhoWav || !saidaDeAudioDisponivel()) return;
    const char* c = imagem.constData();
    const int canais = qFromLittleEndian<quint16>(c + 22);
    const int taxa = int(qFromLittleEndian<quint32>(c + 24));
    const int bits = qFromLittleEndian<quint16>(c + 34);
    const qint64 tamanho =
        std::min<qint64>(qFromLittleEndian<quint32>(c + 40), imagem.size() - tamCabecalhoWav);
    if (bits != 16 || canais < 1 || taxa <= 0) return;
    QAudioFormat formato;
    formato.setSampleRate(taxa);
    formato.setChannelCount(canais);
    formato.setSampleFormat(QAudioFormat::Int16);
    // ~200 ms of silence after the sound, so its end is heard before the sink reports idle.
    QByteArray pcm = imagem.mid(tamCabecalhoWav, int(tamanho));
    pcm.append(QByteArray(taxa / 5 * canais * 2, '\0'));
    Tocador& t = tocador();
    t.dados = std::make_unique<QBuffer>();
    t.dados->setData(pcm);
    t.dados->open(QIODevice::ReadOnly);
    t.sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), formato);
    t.sink->start(t.dados.get());
}

bool somMemoriaTocando() {
    const Tocador& t = tocador();
    return t.sink && t.sink->state() == QAudio::ActiveState;
}
