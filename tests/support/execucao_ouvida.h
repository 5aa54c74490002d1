// A run heard on the null sink of scripts/com-servicos.sh: its item plays tom660.wav, a tone of
// 660 Hz for 800 ms, from a folder of the test's own. Header-only: it needs the platform layer,
// which the support library does not link.
#pragma once

#include "plataforma/audio.h"
#include "support/apoio.h"
#include "support/escuta.h"

#include <QStandardPaths>
#include <QString>
#include <QtTest>

// Why a run cannot be heard here, or, with `comXdotool`, clicked from outside the process
// (empty when it can).
inline QString faltaParaOuvir(bool comXdotool) {
    if (!saidaDeAudioDisponivel())
        return QStringLiteral("sem servidor de som: rode com scripts/com-servicos.sh");
    if (comXdotool && QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return QStringLiteral("xdotool ausente");
    return {};
}

// The current folder while it lives, holding tom660.wav.
class PastaComTom : public PastaAtual {
public:
    PastaComTom() : gravado(gravaTom(QStringLiteral("tom660.wav"), 660, 800)) {}
    bool ok() const { return PastaAtual::ok() && gravado; }

private:
    bool gravado;
};

// Listens through the rest of the tone an item began a moment ago; why it was not heard
// (empty when it was).
inline QString faltaOTomTocado(Escuta& escuta) {
    QTest::qWait(1200);
    escuta.drena();
    return escuta.faltaOTom(660, 50); // most of the 800 ms tone
}
