// A left click on a widget, delivered as the window system would: press, then release; and the
// instants around it that the run benchmarks time.
#pragma once

#include "desenho/desenho.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
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

// Installed on the application: the instant a mouse release reaches the program, before any
// widget handles it, and the instant the pixels of a board with the title awaited are done: its
// title painted, and the pass of the event loop that painted it over, so the frame has been
// handed to the window system.
class MarcaTroca : public QObject {
public:
    explicit MarcaTroca(const QElapsedTimer& relogio) : relogio(relogio) {}
    // Forgets the last instants; from now on a board titled `titulo` is awaited.
    void aguarda(const QString& titulo) {
        soltura = pixels = -1;
        aguardado = titulo;
    }
    double soltura = -1, pixels = -1; // ms of the clock; -1 while not yet seen

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease && soltura < 0) soltura = agora();
        if (e->type() == QEvent::Paint && pixels < 0 && !aguardado.isEmpty())
            if (auto* l = qobject_cast<LegendaGraf*>(o);
                l && l->objectName() == QLatin1String("labelTitulo") && l->texto == aguardado) {
                aguardado.clear();
                QTimer::singleShot(0, this, [this] { pixels = agora(); });
            }
        return false;
    }

private:
    double agora() const { return double(relogio.nsecsElapsed()) / 1e6; }
    const QElapsedTimer& relogio;
    QString aguardado;
};
