#include "plataforma/entrada_som.h"

#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>

#include <memory>

namespace entradaDeSom {
namespace {

struct Entrada {
    std::unique_ptr<QAudioSource> fonte;
    QIODevice* io = nullptr;
};

Entrada& entrada() {
    static Entrada e;
    return e;
}

} // namespace

int abre(int taxa, int bits, int canais) {
    Entrada& e = entrada();
    if (e.fonte) return QAudio::OpenError; // one recording at a time
    QAudioFormat formato;
    formato.setSampleRate(taxa);
    formato.setChannelCount(canais);
    formato.setSampleFormat(bits == 8    ? QAudioFormat::UInt8
                            : bits == 16 ? QAudioFormat::Int16
                                         : QAudioFormat::Int32);
    e.fonte = std::make_unique<QAudioSource>(QMediaDevices::defaultAudioInput(), formato);
    e.fonte->setBufferSize(16384);
    e.io = e.fonte->start();
    if (!e.io || e.fonte->error() != QAudio::NoError) {
        const int erro =
            e.fonte->error() != QAudio::NoError ? int(e.fonte->error()) : int(QAudio::OpenError);
        fecha();
        return erro;
    }
    return QAudio::NoError;
}

QIODevice* dispositivo() {
    return entrada().io;
}

void para() {
    Entrada& e = entrada();
    if (e.fonte) e.fonte->stop();
    e.io = nullptr;
}

void fecha() {
    para();
    entrada().fonte.reset();
}

bool aberta() {
    return entrada().fonte != nullptr;
}

} // namespace entradaDeSom
