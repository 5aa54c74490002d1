// The sound editor's player: one sound held in memory at a time, played through the default
// audio output without blocking, apart from the one the boards' recordings play on.
#pragma once

#include "plataforma/som_pcm.h"

namespace tocadorPcm {
// Stops what plays and starts this sound; false when it could not start (no audio output, a
// format the output refuses).
bool toca(const SomPcm& som);
// Stops at once.
void para();
// From toca() until the output has played the sound's last sample, or para().
bool tocando();
} // namespace tocadorPcm
