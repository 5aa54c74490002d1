// An .obz package or .obf board made into a new project folder on disk, and a project written
// out as either. Each gives a Portuguese summary of what was done, or why nothing was.
#pragma once

#include "logica/troca/le_pacote.h"
#include "nucleo/prvars.h"

#include <QString>

struct ResultadoImportacao : ContasDoPacote {
    bool ok = false;
    QString erro;
    int pranchas = 0;
    int caracteresTrocados = 0; // written as "?" in the board file
    QString resumo() const;
};

// Into `pasta`, which must not exist yet or be empty. Everything is written into a hidden
// folder beside it, which takes its name only when all of it is on disk: a failure leaves
// nothing behind.
ResultadoImportacao importaPacoteObz(const QString& arquivo, const QString& pasta);
