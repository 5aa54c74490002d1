// The check of a sound file name before the sound editor records into it.
#pragma once

#include <QString>

// Completes a bare name with ".wav"; refuses an empty name or another extension with a
// message, and asks before an existing file is changed.
bool validaNomeSom(QString& nome);
