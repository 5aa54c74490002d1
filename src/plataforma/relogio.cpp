#include "plataforma/relogio.h"

#include <QElapsedTimer>

namespace {
RelogioFalso relogioAtual = nullptr;

qint64 relogioReal() {
    static QElapsedTimer inicio = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return inicio.elapsed();
}
} // namespace

qint64 agoraMs() {
    return relogioAtual ? relogioAtual() : relogioReal();
}

void usaRelogio(RelogioFalso relogio) {
    relogioAtual = relogio;
}
