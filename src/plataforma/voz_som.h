// Plays synthesized speech samples through the default audio output, one buffer after the
// other, and knows when the last of them has really been heard.
#pragma once

#include <QByteArray>

namespace somDaFala {

// Appends a buffer of mono signed 16-bit samples at `taxa` Hz; starts playing when idle.
void toca(const QByteArray& amostras, int taxa);
// Stops at once and drops what is waiting.
void para();
// True while samples play or wait, and for a short grace after the sink goes idle (the sink
// reports idle a little before its last samples are heard).
bool tocando();
// Milliseconds of samples not yet handed to the output: at least this much is still to be heard.
qint64 restaMs();

} // namespace somDaFala
