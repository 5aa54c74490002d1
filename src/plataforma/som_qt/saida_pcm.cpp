#include "plataforma/som_qt/saida_pcm.h"

#include "plataforma/audio.h"
#include "plataforma/relogio.h"

#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>

namespace {

// The sink goes idle once it has taken the last bytes, about 120 ms before they are heard:
// silence after the sound keeps the sink playing until its real end has been heard.
constexpr int silencioFinalMs = 200;
// Past the sound's length and this margin it counts as ended whatever the sink says.
constexpr qint64 folgaMs = 1000;

QByteArray comSilencioFinal(const SomPcm& som) {
    const qint64 bytes = som.formato.bytesForDuration(silencioFinalMs * 1000);
    // Unsigned 8-bit samples are silent at their middle value.
    const char zero = som.formato.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0);
    QByteArray dados;
    dados.reserve(som.amostras.size() + bytes);
    dados.append(som.amostras);
    dados.append(QByteArray(bytes, zero));
    return dados;
}

} // namespace

SaidaPcm::~SaidaPcm() {
    para();
}

bool SaidaPcm::toca(const SomPcm& som) {
    para();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !saidaDeAudioDisponivel() || som.amostras.isEmpty()) return false;
    // Owned by the application, so a sink still open when the program ends goes with it.
    sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), som.formato, app);
    dados = new QBuffer(sink);
    dados->setData(comSilencioFinal(som));
    dados->open(QIODevice::ReadOnly);
    sink->start(dados);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        para();
        return false;
    }
    duracaoUs = som.formato.durationForBytes(qint32(som.amostras.size()));
    fimPrevisto = agoraMs() + som.duracaoMs() + silencioFinalMs + folgaMs;
    return true;
}

void SaidaPcm::para() {
    if (!sink) return;
    sink->stop();
    // Later, from the event loop: a sink stopped while still playing (its closing silence) may
    // have the audio server's last callbacks queued for it.
    sink->deleteLater();
    sink.clear();
    dados.clear();
    fimPrevisto = 0;
}

bool SaidaPcm::tocando() const {
    if (!sink || agoraMs() >= fimPrevisto) return false;
    // The sound ends when the sink has played its last sample, not its silence.
    if (sink->processedUSecs() >= duracaoUs) return false;
    switch (sink->state()) {
    case QAudio::ActiveState:
        return true;
    case QAudio::IdleState:
        // Idle with bytes left is a short stall, not the end.
        return dados && dados->bytesAvailable() > 0;
    default:
        return false;
    }
}
