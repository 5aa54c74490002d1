// Starting the runner in a test: prepared on a board, shown, active, the board drawn.
#pragma once

#include "runner/form_executa.h"

#include <QtTest>

inline bool abreExecucao(TFormExecuta& runner, const QString& prancha) {
    if (!runner.preparaExecucao(prancha)) return false;
    runner.show();
    if (!QTest::qWaitForWindowActive(&runner)) return false;
    return QTest::qWaitFor([&] { return runner.graf().criada; }, 5000);
}
