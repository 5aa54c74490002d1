// What the command line answers without opening a window: --help, --version and the complaint
// about an option the program does not know.
#pragma once

#include <QString>

QString textoDeUso();
QString textoDeVersao();
// Where the help page and the sample project are, for those that exist in the data folder.
QString textoDosArquivos(const QString& pastaDoPrograma);

// --help and --version, read straight from argv: they need no display and no Qt application.
// Returns the exit status, or -1 when argv asks for something else.
int respondeOpcaoDeInformacao(int argc, char* argv[]);

// An argument that looks like an option but is none of the program's: a typo such as
// "--executa" must not be taken for a project folder.
bool opcaoDesconhecida(const QString& argumento);
int recusaOpcao(const QString& argumento);
