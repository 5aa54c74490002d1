// Helpers shared by the tests.
#pragma once

#include "nucleo/avisos.h"
#include "nucleo/prvars.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

// Records every message the program shows while it lives; questions get the given answer.
// Restores the previous handlers when it goes away.
class GravaAvisos {
public:
    explicit GravaAvisos(bool resposta = true);
    ~GravaAvisos();
    QStringList erros;
    QStringList infos;
    QStringList rapidas;
    QStringList perguntas;
    bool resposta;

private:
    Avisos anteriores;
};

// Runs `acao` on the modal window of ours that the next call opens, once its event loop runs.
// For the program's own windows (run selection, tips); questions and file, folder, colour and
// print dialogs are answered through RespostasDeDialogo instead.
void noProximoModal(std::function<void(QWidget*)> acao);

// A file's bytes (empty when it cannot be read), and a file written with these bytes.
QByteArray leArquivo(const QString& caminho);
bool escreveArquivo(const QString& caminho, const QByteArray& bytes);

// A fresh folder that holds a copy of the named folder of tests/data (or nothing).
QString copiaDadosDeTeste(const QTemporaryDir& destino, const QString& pastaDeDados = {});

// A new, empty folder inside `dir`, made the project folder and the current folder.
QString novaPastaDeProjeto(const QTemporaryDir& dir);
// A board's item labels, in order, as tests compare them (the board names: nomesDasPranchas).
QStringList rotulosDosItens(const TPrancha& b);
