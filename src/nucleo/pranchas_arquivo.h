// The board file pranchas.pra on disk: reading it into `projeto`, writing it, saving with a
// backup, and telling the user what went wrong. The format itself is pranchas_formato.h; the
// rules for each value are pranchas_valores.h.
#pragma once

#include "nucleo/pranchas_formato.h"
#include "nucleo/pranchas_valores.h"

#include <QString>
#include <QStringList>

// Makes pasta (made absolute) the project folder and the process's current folder, where the
// bare file names of the boards are found.
void definePastaProjeto(const QString& pasta);
// Replaces `projeto` with pasta + "/pranchas.pra". Failures and repairs are told to the user.
void carregaPranchas(const QString& pasta);
// Writes `projeto` to pasta + "/" + nomeArquivo atomically; false (after telling the user)
// when the file could not be written, and then the previous file is untouched.
bool gravaPranchas(const QString& pasta, const QString& nomeArquivo);
// Copies pasta's pranchas.pra to pranchas.bak when no backup exists yet; false (silently) when
// that copy could not be made, and then pranchas.pra must not be replaced.
bool garanteBackupDasPranchas(const QString& pasta);
// garanteBackupDasPranchas, then writes pranchas.pra in pastaProjeto.
bool salvarProjeto();
// Appends the names of the ordinary files of pastaProjeto ending in "." + extensao.
void listaArquivos(QStringList& lista, const QString& extensao);
