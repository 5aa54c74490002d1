// Plays synthesized speech samples through the default audio output, one buffer after the
// other, and knows when the last of them has really been heard.
#pragma once

#include <QByteArray>

namespace somDaFala {

// Appends a buffer of mono signed 16-bit samples at `taxa` Hz; starts playing when idle.
void toca(const QByteArray& amostras, int taxa);
// Stops at once and drops what is waiting.
void para();
// True while samples wait or play: until the sink has played the last of them, which is when
// they are heard, not when it goes idle (it has then only taken them).
bool tocando();
// Milliseconds of samples still to be heard, waiting or inside the sink.
qint64 restaMs();

} // namespace somDaFala
