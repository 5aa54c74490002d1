#include "janelas/comum/amostra_cor.h"

#include "desenho/desenho.h"
#include "plataforma/dialogos.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TAmostraCor::TAmostraCor(QWidget* pai) : QWidget(pai) {
    setObjectName(QStringLiteral("Shape1"));
    setAccessibleName(QStringLiteral("Cor"));
    setFixedSize(57, 25);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void TAmostraCor::defineCor(TColor cor) {
    cor_ = cor;
    setAccessibleDescription(corDeTColor(cor).name());
    update();
}

void TAmostraCor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(hasFocus() ? QPen(palette().highlight(), 2) : QPen(Qt::black));
    p.setBrush(corDeTColor(cor_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TAmostraCor::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit pedida();
}

void TAmostraCor::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        emit pedida();
    else
        QWidget::keyPressEvent(e);
}

std::optional<TColor> pedeCor(TColor atual) {
    const std::optional<QColor> c = escolheCor(corDeTColor(atual));
    if (!c || !c->isValid()) return std::nullopt;
    return TColor(c->red() | (c->green() << 8) | (c->blue() << 16));
}
