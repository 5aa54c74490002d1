// Settings that belong to this computer and its user, not to a project (the voice, the eye
// tracker switch): small INI files in the program's configuration folder (~/.config/Zelvana),
// which no board file holds.
#pragma once

#include "nucleo/ini.h"

#include <QByteArray>
#include <QString>

// The full name of the file `nome` in that folder.
QString arquivoDoComputador(const QString& nome);
// Its contents (empty when missing or unreadable).
ArquivoIni leArquivoDoComputador(const QString& nome);
// Writes it safely, creating the folder; false when it could not be written.
bool gravaArquivoDoComputador(const QString& nome, const QByteArray& texto);
