#include "plataforma/biblioteca_tardia.h"

BibliotecaTardia::BibliotecaTardia(const char* nome, int versao)
    : biblioteca(QString::fromLatin1(nome), versao) {
    // Never unloaded: function pointers into it are kept for the rest of the process.
    biblioteca.setLoadHints(QLibrary::PreventUnloadHint);
    completa_ = biblioteca.load();
}

QFunctionPointer BibliotecaTardia::resolve(const char* simbolo) {
    const QFunctionPointer f = completa_ ? biblioteca.resolve(simbolo) : nullptr;
    if (!f) completa_ = false;
    return f;
}
