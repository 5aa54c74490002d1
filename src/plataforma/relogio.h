// The one clock that everything timed in the program reads; tests replace it with a fake.
#pragma once

#include <QtGlobal>

// Milliseconds since an arbitrary fixed start.
qint64 agoraMs();

// Tests: from here on agoraMs() answers what the fake says, until it is set back to null.
using RelogioFalso = qint64 (*)();
void usaRelogio(RelogioFalso relogio);
