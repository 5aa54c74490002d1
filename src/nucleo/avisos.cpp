#include "nucleo/avisos.h"

#include <cstdio>
#include <utility>

namespace {
Avisos atuais;
}

Avisos instalaAvisos(Avisos novos) {
    return std::exchange(atuais, std::move(novos));
}

void avisoErro(const QString& texto) {
    if (atuais.erro)
        atuais.erro(texto);
    else
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}

void avisoInfo(const QString& texto) {
    if (atuais.info)
        atuais.info(texto);
    else
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}

void mensagemRapida(const QString& texto, int ms) {
    if (atuais.rapida)
        atuais.rapida(texto, ms);
    else
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}

bool perguntaSimNao(const QString& texto) {
    return atuais.pergunta ? atuais.pergunta(texto) : false;
}
