// Starting the runner in a test: prepared on a board, shown, active, the board drawn; boards to
// run.
#pragma once

#include "janelas/execucao/form_executa.h"
#include "nucleo/prvars.h"

#include <QtTest>

inline bool abreExecucao(TFormExecuta& runner, const QString& prancha) {
    if (!runner.preparaExecucao(prancha)) return false;
    runner.show();
    if (!QTest::qWaitForWindowActive(&runner)) return false;
    return QTest::qWaitFor([&] { return runner.graf().criada; }, 5000);
}

// The board now drawn has this title.
inline bool mostraPrancha(const TFormExecuta& runner, const QString& titulo) {
    return runner.graf().criada && runner.graf().labelTitulo &&
           runner.graf().labelTitulo->texto == titulo;
}

// A board of one row of labels without pictures.
inline TPrancha umaLinha(const QString& nome, const QString& titulo, const QStringList& rotulos) {
    TPrancha p;
    p.nome = nome;
    p.titulo = titulo;
    p.nColunas = int(rotulos.size());
    p.nLinhas = 1;
    for (const QString& r : rotulos) {
        TItem it;
        it.rotulo = r;
        it.semFigura = true;
        p.itens << it;
    }
    return p;
}
