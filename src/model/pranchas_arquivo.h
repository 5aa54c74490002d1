// The board file pranchas.pra: reading, writing, saving with a backup, and the value rules
// the reader applies to each key.
#pragma once

#include "model/ini.h"
#include "model/prvars.h"

#include <QDateTime>
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
// Copies pranchas.pra to pranchas.bak when no backup exists yet, then writes pranchas.pra
// in pastaProjeto.
bool salvarProjeto();
// Appends the names of the ordinary files of pastaProjeto ending in "." + extensao.
void listaArquivos(QStringList& lista, const QString& extensao);

// One key's text with blanks and control characters removed at both ends.
QString leChave(const ArquivoIni& arquivo, const QString& secao, const QString& chave);
// Label size from "PEQUENO", "MÉDIO"/"MEDIO", "GRANDE" or a whole integer; 36 otherwise.
qint32 dimensaoTexto(const QString& texto);

// An optionally signed decimal, or hexadecimal after "$" or "0x"; nothing else.
bool leInteiro(const QString& texto, qint32& valor);
// A colour name (any case) or a whole integer; empty gives semCor.
bool leCor(const QString& texto, TColor& cor);
// The item form: a colour name when there is one, else "$" and eight hex digits.
QString textoCor(TColor cor);
// "12X3", "3x4", any one character between the numbers.
bool leModelo(const QString& texto, qint32& linhas, qint32& colunas);
// "dd/mm/yyyy hh:mm:ss"; only the date at exactly midnight.
QString textoData(const QDateTime& momento);
