#include "plataforma/voz_som.h"

#include "plataforma/relogio.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>
#include <deque>

namespace somDaFala {
namespace {

// The sink reports idle once it has taken the last samples, a buffer's length before they are
// heard: the end is when the samples it has played cover the buffer. Should its count stall (a
// server gone), the end is assumed this long after the buffer's length past going idle.
constexpr qint64 folgaAposOciosoMs = 50;

struct Saida {
    QPointer<QAudioSink> sink;
    QPointer<QBuffer> buffer;
    int taxa = 0;
    std::deque<QByteArray> esperando;
    qint64 duracaoUs = 0; // of the buffer the sink plays
    qint64 fimPrevisto =
        0; // agoraMs() past which the buffer counts as heard whatever the sink says
};

Saida& saida() {
    static Saida s;
    return s;
}

void encerraSink() {
    Saida& s = saida();
    if (s.sink) {
        s.sink->disconnect();
        s.sink->stop();
        s.sink->deleteLater();
    }
    if (s.buffer) s.buffer->deleteLater();
    s.sink = nullptr;
    s.buffer = nullptr;
}

void tocaProximo();

void aoMudarEstado(QAudio::State estado) {
    if (estado == QAudio::IdleState) {
        Saida& s = saida();
        // Idle can also be a short underrun with samples still to come.
        const qint64 resta = s.buffer ? s.buffer->bytesAvailable() / 2 * 1000 / s.taxa : 0;
        const qint64 noServidor =
            s.sink ? s.sink->format().durationForBytes(s.sink->bufferSize()) / 1000 : 0;
        s.fimPrevisto = qMin(s.fimPrevisto, agoraMs() + resta + noServidor + folgaAposOciosoMs);
        if (!s.esperando.empty()) tocaProximo();
    } else if (estado == QAudio::StoppedState) {
        saida().fimPrevisto = 0;
    }
}

void tocaProximo() {
    Saida& s = saida();
    if (s.esperando.empty()) return;
    QByteArray amostras = std::move(s.esperando.front());
    s.esperando.pop_front();
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    // A fresh sink for every buffer: a sink stopped and restarted many times was seen to stay
    // "active" without playing anything.
    encerraSink();
    QAudioFormat formato;
    formato.setSampleRate(s.taxa);
    formato.setChannelCount(1);
    formato.setSampleFormat(QAudioFormat::Int16);
    s.sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), formato, app);
    QObject::connect(s.sink, &QAudioSink::stateChanged, s.sink, aoMudarEstado);
    s.buffer = new QBuffer(s.sink);
    s.buffer->setData(amostras);
    s.buffer->open(QIODevice::ReadOnly);
    s.duracaoUs = qint64(amostras.size() / 2) * 1000000 / s.taxa;
    // Upper bound on when it ends, should the sink never report idle.
    s.fimPrevisto = agoraMs() + s.duracaoUs / 1000 + 1000;
    s.sink->start(s.buffer);
}

} // namespace

void toca(const QByteArray& amostras, int taxa) {
    Saida& s = saida();
    if (amostras.isEmpty() || taxa <= 0) return;
    if (s.taxa != taxa) s.taxa = taxa;
    s.esperando.push_back(amostras);
    // A sink past its expected end counts as finished even if it never said so.
    const bool ativo = s.sink && s.sink->state() == QAudio::ActiveState && s.buffer &&
                       s.buffer->bytesAvailable() > 0 && agoraMs() < s.fimPrevisto;
    if (!ativo) tocaProximo();
}

void para() {
    Saida& s = saida();
    s.esperando.clear();
    if (s.sink) {
        s.sink->disconnect();
        s.sink->stop();
        QObject::connect(s.sink, &QAudioSink::stateChanged, s.sink, aoMudarEstado);
    }
    s.fimPrevisto = 0;
}

bool tocando() {
    Saida& s = saida();
    if (!s.esperando.empty()) {
        if (!s.sink || agoraMs() >= s.fimPrevisto) tocaProximo();
        return true;
    }
    return s.sink && s.sink->state() != QAudio::StoppedState && agoraMs() < s.fimPrevisto &&
           s.sink->processedUSecs() < s.duracaoUs;
}

qint64 restaMs() {
    const Saida& s = saida();
    if (s.taxa <= 0) return 0;
    qint64 bytes = 0;
    for (const QByteArray& b : s.esperando)
        bytes += b.size();
    const qint64 doSink = s.sink && s.sink->state() != QAudio::StoppedState
                              ? qMax<qint64>(0, s.duracaoUs - s.sink->processedUSecs()) / 1000
                              : 0;
    return doSink + bytes / 2 * 1000 / s.taxa;
}

} // namespace somDaFala
