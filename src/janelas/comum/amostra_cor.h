// A colour swatch (`Shape1` of the property dialogs): shows a colour and asks for another when
// the author releases the mouse on it, or presses Space or Enter on it.
#pragma once

#include "nucleo/prvars.h"

#include <QWidget>
#include <optional>

class TAmostraCor : public QWidget {
    Q_OBJECT
public:
    explicit TAmostraCor(QWidget* pai = nullptr);
    TColor cor() const { return cor_; }
    void defineCor(TColor cor);

signals:
    // The author asks for another colour.
    void pedida();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    TColor cor_ = 0;
};

// The colour the author confirms in the colour dialog, starting from `atual`; nothing when the
// dialog was cancelled.
std::optional<TColor> pedeCor(TColor atual);
