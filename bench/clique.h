// A left click on a widget, delivered as the window system would: press, then release.
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void clica(QWidget* alvo) {
    const QPointF ponto(5, 5);
    QMouseEvent aperta(QEvent::MouseButtonPress, ponto, alvo->mapToGlobal(ponto), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QMouseEvent solta(QEvent::MouseButtonRelease, ponto, alvo->mapToGlobal(ponto), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(alvo, &aperta);
    QApplication::sendEvent(alvo, &solta);
}
