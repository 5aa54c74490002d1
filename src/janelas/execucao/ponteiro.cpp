#include "janelas/execucao/ponteiro.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

QPoint movePonteiro(QPoint global) {
    QScreen* tela = QGuiApplication::screenAt(global);
    if (!tela) tela = QGuiApplication::primaryScreen();
    if (tela) {
        const QRect g = tela->geometry();
        global.setX(qBound(g.left(), global.x(), g.right()));
        global.setY(qBound(g.top(), global.y(), g.bottom()));
    }
    QCursor::setPos(global);
    return global;
}

void clicaEm(QPoint global) {
    const QPoint onde = movePonteiro(global);
    QPointer<QWidget> alvo = QApplication::widgetAt(onde);
    if (!alvo) return;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && alvo->window() != modal) return;
    const QPoint local = alvo->mapFromGlobal(onde);
    QMouseEvent aperta(QEvent::MouseButtonPress, local, onde, Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(alvo, &aperta);
    if (!alvo) return;
    QMouseEvent solta(QEvent::MouseButtonRelease, local, onde, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(alvo, &solta);
}
