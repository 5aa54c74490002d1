// The full preview of one board at window size, with item trial, printing and JPEG saving.
#pragma once

#include "desenho/desenho.h"

#include <QWidget>
#include <functional>

class QPrinter;
class OrigemDaAtivacao;

// While set, drawing a board plays neither its sound nor its speech.
extern bool modoSilencioso;

class TformVisualiza : public QWidget {
    Q_OBJECT
public:
    explicit TformVisualiza(QWidget* pai = nullptr);
    void selecionaPrancha(int indice);
    // Shows the window modally and returns when it closes.
    void mostraModal();
    void desenhaVisualizacao(int indice);
    // Through the print dialog.
    void imprimePrancha();
    void gravaJpg();
    int pranchaVisualizada = -1;
    QWidget* Panel1 = nullptr;

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    void FormActivate();
    void Panel1Resize();
    void Panel1MouseUp(QWidget* elemento);
    TPranchaGraf graf;
    OrigemDaAtivacao* origem = nullptr;
    bool desenhoHabilitado = false;
    std::function<void()> fechado;
};
