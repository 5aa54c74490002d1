// Starting a run: from the start window's "Executar", and the kiosk start that opens a project
// straight into its boards.
#pragma once

#include <QString>

// "Executar" once the project of pastaProjeto is loaded: no boards gives the quick message and
// forgets the folder; the start board is the project's, else the one chosen in the run
// selection; then the runner runs modally. True when a run took place.
bool executaProjeto();

// Loads the project in `pasta` and runs it from `prancha` (the project's start board, or its
// first board, when empty). Returns when the runner closes: 0 after a run, 1 when the folder,
// the project or the board is not there (after telling the user).
int executaQuiosque(const QString& pasta, const QString& prancha = {});
