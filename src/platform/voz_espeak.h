// Brazilian Portuguese synthesis with libespeak-ng. The library keeps global state, so one
// worker thread of its own makes every call into it; callers only hand texts over and collect
// the resulting samples (22050 Hz, mono, signed 16-bit).
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace sintetizador {

// Starts the worker and the pt-br voice once per process; false when either is missing.
bool inicia();
int taxaDeAmostragem();

// Queues a text for synthesis and returns at once.
void pede(const QString& texto);
// Abandons the text being synthesized and every one still waiting.
void abandona();
// Texts handed over whose samples have not been collected yet.
bool ocupado();
// Waits at most `ms` for some synthesis to finish.
void esperaResultado(int ms);
// Takes the next finished synthesis, in order; false when none is ready.
bool colhe(QByteArray& amostras);

// Called on the caller's (GUI) thread, through its event loop, whenever samples become ready.
void aoFicarPronto(std::function<void()> aviso);

} // namespace sintetizador
