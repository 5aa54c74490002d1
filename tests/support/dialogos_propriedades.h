// What the tests of the board and item property dialogs stand on: for each test a fresh project
// folder with the boards "Casa" and "Escola", a folder outside the project to bring files from,
// and the output queue recorded instead of heard. Header-only: it needs the logic layer, which
// the support library does not link.
#pragma once

#include "logica/editor/operacoes_projeto.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/saida_gravada.h"

#include <QComboBox>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

class ProjetoDosDialogos {
protected:
    // From init(): the two boards, empty, in a new project folder, and the output recorded.
    void comecaProjeto() {
        novaPastaDeProjeto(dir);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "Casa");
        inserePranchaNoProjeto(projeto, 0, "Escola");
        saida.emplace();
    }
    // From cleanup().
    void terminaProjeto() { saida.reset(); }

    QTemporaryDir fora;
    std::optional<SaidaGravada> saida;

private:
    QTemporaryDir dir;
};

// A combo box's entries, in order.
inline QStringList lista(const QComboBox* c) {
    QStringList r;
    for (int k = 0; k < c->count(); ++k)
        r << c->itemText(k);
    return r;
}
