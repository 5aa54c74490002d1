// The output queue's motors replaced, while it lives, by a record of what the program played
// (the file name) and of each stop ("parou"), and of what the voice was given; nothing is heard.
#pragma once

#include "logica/execucao/fila_saida.h"

#include <QFileInfo>
#include <QStringList>

class SaidaGravada {
public:
    SaidaGravada()
        : anteriores(usaMotoresSaida(
              MotoresSaida{[this](const QString& texto) { falados << texto; }, [] { return false; },
                           [] {}, [this](const QString& c) { tocados << QFileInfo(c).fileName(); },
                           [this] { tocados << QStringLiteral("parou"); }, [] { return false; }})) {
    }
    ~SaidaGravada() { usaMotoresSaida(anteriores); }
    SaidaGravada(const SaidaGravada&) = delete;
    SaidaGravada& operator=(const SaidaGravada&) = delete;

    QStringList tocados;
    QStringList falados;

private:
    MotoresSaida anteriores;
};
