// An .obz package or .obf board made into a new project folder on disk, and a project written
// out as either. Each gives a Portuguese summary of what was done, or why nothing was.
#pragma once

#include "nucleo/prvars.h"

#include <QString>

struct ResultadoImportacao {
    bool ok = false;
    QString erro;
    int pranchas = 0;
    int figuras = 0;
    int sons = 0;
    int figurasNaoTrazidas = 0;
    int sonsNaoTrazidos = 0;
    int itensQueExecutam = 0;
    int caracteresTrocados = 0; // written as "?" in the board file
    QString resumo() const;
};

// Into `pasta`, which must not exist yet or be empty. Everything is written into a hidden
// folder beside it, which takes its name only when all of it is on disk: a failure leaves
// nothing behind.
ResultadoImportacao importaPacoteObz(const QString& arquivo, const QString& pasta);
