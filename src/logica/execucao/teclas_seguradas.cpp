#include "logica/execucao/teclas_seguradas.h"

#include "plataforma/relogio.h"

bool TeclasSeguradas::aperta(int tecla) {
    const auto it = estado_.find(tecla);
    if (it != estado_.end()) {
        *it = segurada; // a pending release was half of a repeat pair
        return false;
    }
    estado_.insert(tecla, segurada);
    return true;
}

void TeclasSeguradas::solta(int tecla) {
    const auto it = estado_.find(tecla);
    if (it != estado_.end() && *it == segurada) *it = agoraMs();
}

QList<int> TeclasSeguradas::soltasConfirmadas() {
    QList<int> r;
    const qint64 agora = agoraMs();
    for (auto it = estado_.begin(); it != estado_.end();) {
        if (it.value() != segurada && agora - it.value() >= janelaDeRepeticao) {
            r << it.key();
            it = estado_.erase(it);
        } else {
            ++it;
        }
    }
    return r;
}
