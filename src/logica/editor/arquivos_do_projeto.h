// Files of the project folder as the property dialogs list, bring in and name them. The records
// name the files that lie in the project folder by their bare names.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>

// The project folder's files (not folders) with any of these extensions, in any letter case,
// sorted as a list shows them.
QStringList arquivosDoProjeto(std::initializer_list<const char*> extensoes);

// Brings a file the author picked anywhere into the project folder under its own name,
// replacing a file of that name there, and gives that bare name. A file already in the project
// folder stays where it is. Nothing when it could not be copied; the folder is then as it was.
std::optional<QString> importaParaProjeto(const QString& escolhido);

// How an item names a program or video to start: by its bare name when it lies in the project
// folder itself, by its full path elsewhere. The file is not copied.
QString nomeParaExecutar(const QString& escolhido);

// The file of a library picture as the picker lists it (name without ".jpg", in any case).
QString arquivoDaBiblioteca(const QString& nome);
// Copies library picture `nome` into the project folder as `novoNome`, replacing a file of that
// name. False when it could not, and always for a name that is not a bare file name.
bool copiaDaBiblioteca(const QString& nome, const QString& novoNome);
// Copies library pictures by file name ("casa.jpg") into `pasta`, all in one safe write, each
// only when the folder has no file of that name yet. Gives the names that could not be copied.
QStringList copiaFigurasDaBiblioteca(const QStringList& arquivos, const QString& pasta);
