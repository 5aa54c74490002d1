// The findings of the project check, docked under the editor's lists. A double click (or Enter)
// on one asks the editor to select its board and item; an empty check says so in the list.
#pragma once

#include "logica/verificacao/verifica_projeto.h"

#include <QDockWidget>

class QListWidget;
class QPushButton;

class PainelVerificacao : public QDockWidget {
    Q_OBJECT
public:
    explicit PainelVerificacao(QWidget* pai);

    // Lists the findings, in their order, and shows the panel.
    void mostra(const QList<Achado>& achados);

    QListWidget* lb_achados = nullptr;
    QPushButton* b_verificarDeNovo = nullptr;

signals:
    // The finding's board and item (-1: the board itself; a board -1: the settings).
    void achadoEscolhido(int prancha, int item);
    void verificarDeNovo();
};
