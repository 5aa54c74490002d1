// How any part of the program tells the user something or asks a yes/no question.
// The model knows no widgets: the application installs message boxes here at start-up
// (instalaDialogosDeTela); in tests RespostasDeDialogo installs its own, which answer from the
// same queue as the dialogs and record what was shown. Without an installed handler, errors go
// to stderr and questions answer No.
#pragma once

#include <QString>
#include <functional>

struct Avisos {
    std::function<void(const QString& texto)> erro;           // a message box with OK
    std::function<void(const QString& texto, int ms)> rapida; // the self-closing notice
    std::function<bool(const QString& texto)> pergunta;       // Yes (true) / No
    std::function<void(const QString& texto)> info;           // a notice with OK, no warning
};

// Replaces the handlers; gives back the previous ones so a test can restore them.
Avisos instalaAvisos(Avisos novos);

void avisoErro(const QString& texto);
// Tells something that went as asked (a file written, where a link would lead).
void avisoInfo(const QString& texto);
void mensagemRapida(const QString& texto, int ms);
bool perguntaSimNao(const QString& texto);
