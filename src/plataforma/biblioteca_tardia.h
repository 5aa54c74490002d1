// A shared library opened the first time the program needs it. Linked in, a library and all
// it brings would be loaded and searched by every start of the program, even one that never
// speaks or opens a package; opened here, its symbols also stay out of the program's scope.
#pragma once

#include <QLibrary>

class BibliotecaTardia {
public:
    // `nome` as in "lib<nome>.so.<versao>".
    BibliotecaTardia(const char* nome, int versao);
    BibliotecaTardia(const BibliotecaTardia&) = delete;
    BibliotecaTardia& operator=(const BibliotecaTardia&) = delete;

    // Points `funcao` at the library's function `simbolo`; null when it is missing.
    template <typename F> void liga(F& funcao, const char* simbolo) {
        funcao = reinterpret_cast<F>(resolve(simbolo));
    }
    // Whether the library opened and every function asked for was found.
    bool completa() const { return completa_; }

private:
    QFunctionPointer resolve(const char* simbolo);
    QLibrary biblioteca;
    bool completa_ = true;
};
