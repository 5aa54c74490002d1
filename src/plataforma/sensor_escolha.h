// "Aciona o sensor de olhos" belongs to the computer the tracker is attached to, like the voice:
// kept beside the voice's choice, so a communicator's computer that starts straight into a run
// (--executar) is driven by gaze without anyone ticking it again. No board file holds it.
#pragma once

#include <QString>

QString arquivoSensorDeOlhos(); // "sensor.ini" in the program's configuration folder
// Whether this computer starts the gaze link with a run; false when nothing was kept.
bool sensorDeOlhosGuardado();
// Keeps it for the next starts; false, after telling the user, when it could not be written.
bool guardaSensorDeOlhos(bool aciona);
