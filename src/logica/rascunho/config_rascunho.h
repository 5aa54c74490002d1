// What the scratchpad puts into the boards and items it creates. Held in memory only: every
// run starts from these defaults, and a change lasts until the program ends.
#pragma once

#include "nucleo/prvars.h"

struct ConfigRascunho {
    TColor corPranchaDefault = semCor;
    bool geraSomPranchaAuto = false; // a new board's sound is its name + ".wav"
    bool geraFalaPranchaAuto = true; // a new board speaks its name
    TColor corItemDefault = semCor;
    bool geraLinkItemAuto = true;     // items lead to the board their label names
    bool incluiFiguraItemAuto = true; // a library picture is looked up for each item
    bool geraSomItemAuto = false;     // a new item's sound is its label + ".wav"
    bool geraFalaItemAuto = true;     // a new item speaks its label
    TPosVertical posTextoDefault = TPosVertical::cima;
    qint32 dimTextoDefault = 36; // 18, 36 or 72
    TDimMoldura dimMolduraDefault = TDimMoldura::fina;
};

// The settings of this run, read by the transcription and by the item dialog's first choices.
extern ConfigRascunho configRascunho;
