// Helpers shared by the tests.
#pragma once

#include "nucleo/prvars.h"
#include "plataforma/dialogos.h" // RespostasDeDialogo: how tests answer messages and dialogs

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

// Runs `acao` on the modal window of ours that the next call opens, once its event loop runs.
// For the program's own windows (run selection, tips); messages, questions and file, folder,
// colour and print dialogs are answered through RespostasDeDialogo instead.
void noProximoModal(std::function<void(QWidget*)> acao);

// A file's bytes (empty when it cannot be read), and a file written with these bytes.
QByteArray leArquivo(const QString& caminho);
bool escreveArquivo(const QString& caminho, const QByteArray& bytes);

// A fresh folder that holds a copy of the named folder of tests/data (or nothing).
QString copiaDadosDeTeste(const QTemporaryDir& destino, const QString& pastaDeDados = {});

// A fresh folder, the current one while this lives; the one before is current again after.
class PastaAtual {
public:
    PastaAtual();
    ~PastaAtual();
    PastaAtual(const PastaAtual&) = delete;
    PastaAtual& operator=(const PastaAtual&) = delete;
    bool ok() const { return entrou; }
    QString path() const { return dir.path(); }

private:
    QTemporaryDir dir;
    QString antes;
    bool entrou;
};

// A new, empty folder inside `dir`, made the project folder and the current folder.
QString novaPastaDeProjeto(const QTemporaryDir& dir);
// A board's item labels, in order, as tests compare them (the board names: nomesDasPranchas).
QStringList rotulosDosItens(const TPrancha& b);
