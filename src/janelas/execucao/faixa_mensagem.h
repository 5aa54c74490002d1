// The message bar of a run: a strip above the board where the chosen items line up as their
// pictures and labels, the newest always in view, beside the three cells "Falar", "Apagar"
// and "Limpar". It only draws: the run's engine keeps the message and acts on the cells.
#pragma once

#include "desenho/desenho.h"
#include "logica/execucao/barra_mensagem.h"

#include <QList>
#include <QWidget>
#include <array>

class FaixaMensagem : public QWidget {
    Q_OBJECT
public:
    explicit FaixaMensagem(QWidget* pai);
    ~FaixaMensagem() override;

    // Press and release on the bar's cells (the element's tag is the cell: 0 … 2) and on the
    // rest of the strip, which is the board's background as far as a switch is concerned.
    void ligaEventos(const TManipuladorMouse& celulaPressionada,
                     const TManipuladorMouse& celulaSolta,
                     const TManipuladorMouse& fundoPressionado,
                     const TManipuladorMouse& fundoSolto);
    // Draws the message; entries already drawn stay as they are. Labels are sized as on a board
    // drawn `alturaDasFontes` pixels high.
    void mostra(const QList<EntradaMensagem>& entradas, int alturaDasFontes);

    // The bar's cell under a point of the strip, or -1.
    int celulaNoPonto(QPoint ponto) const;
    // Where a bar cell lies on the strip.
    QRect retanguloCelula(int celula) const;
    // Whether an element is one of the bar's cells (not an entry of the message).
    bool ehCelula(const QObject* elemento) const;
    const TItemGraf& celula(int c) const { return celulas_.at(c); }
    // The entries as drawn, oldest first, and the list that holds them.
    const QList<TItemGraf>& entradasDesenhadas() const { return entradas_; }
    QWidget* lista() const { return fila_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    int lado() const;   // a cell's side
    int margem() const; // between the cells and around them
    QRect lugarDaEntrada(int i) const;
    void criaCelulas();
    void criaEntrada(int i);
    void rolaParaAUltima();

    QWidget* visor_; // the part of the strip the message shows in
    QWidget* fila_;  // all the entries side by side, moved left when they overflow
    std::array<TItemGraf, celulasDaBarra> celulas_;
    QList<TItemGraf> entradas_;
    QList<EntradaMensagem> mostradas_;
    int alturaDasFontes_ = 0;
    TManipuladorMouse celulaPressionada_, celulaSolta_, fundoPressionado_, fundoSolto_;
};
