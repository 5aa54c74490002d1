// Helpers shared by the tests.
#pragma once

#include "model/avisos.h"

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

// Runs `acao` on the next modal widget that opens (polling every 20 ms, giving up after
// `limiteMs`), so a test can answer a dialog that a call it makes will open.
void quandoAbrirModal(std::function<void(QWidget*)> acao, int limiteMs = 5000);

// A fresh folder that holds a copy of the named folder of tests/data (or nothing).
QString copiaDadosDeTeste(const QTemporaryDir& destino, const QString& pastaDeDados = {});
