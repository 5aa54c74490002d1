#include "plataforma/audio.h"

#include <QAudioDevice>
#include <QMediaDevices>

bool saidaDeAudioDisponivel() {
    static const bool tem = !QMediaDevices::audioOutputs().isEmpty();
    return tem;
}

bool entradaDeAudioDisponivel() {
    static const bool tem = !QMediaDevices::audioInputs().isEmpty();
    return tem;
}
