// What the command line answers without opening a window: --help, --version, --verificar and
// the complaint about an option the program does not know.
#pragma once

#include <QString>
#include <QStringList>

QString textoDeUso();
QString textoDeVersao();
// Where the help page and the sample project are, for those that exist in the data folder.
QString textoDosArquivos(const QString& pastaDoPrograma);

// --help and --version, read straight from argv: they need no display and no Qt application.
// Returns the exit status, or -1 when argv asks for something else.
int respondeOpcaoDeInformacao(int argc, char* argv[]);

// zelvana --verificar PASTA; args are the words after "--verificar". Prints the findings of the
// project check, one per line: 0 when there are none, 1 when there are, 2 when the folder is
// not a project. Needs a Qt application (pictures are decoded).
int verificaLinhaDeComando(const QStringList& args);

// zelvana --exportar-obz PASTA ARQUIVO.obz and zelvana --importar-obz ARQUIVO.obz PASTA; args
// are the words after the option. Print a Portuguese summary: 0 when done, 1 when it failed,
// 2 when the words are wrong.
int exportaObzLinhaDeComando(const QStringList& args);
int importaObzLinhaDeComando(const QStringList& args);

// An argument that looks like an option but is none of the program's: a typo such as
// "--executa" must not be taken for a project folder.
bool opcaoDesconhecida(const QString& argumento);
int recusaOpcao(const QString& argumento);
