#include "runner/ponteiro.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

void movePonteiro(QPoint global) {
    QScreen* tela = QGuiApplication::screenAt(global);
    if (!tela) tela = QGuiApplication::primaryScreen();
    if (tela) {
        const QRect g = tela->geometry();
        global.setX(qBound(g.left(), global.x(), g.right()));
        global.setY(qBound(g.top(), global.y(), g.bottom()));
    }
    QCursor::setPos(global);
}
