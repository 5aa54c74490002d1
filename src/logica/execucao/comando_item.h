// An item's program text taken apart, and what it starts: found, never run through a shell, so
// no text in a board file can become a command. The run starts it; the project check only looks.
#pragma once

#include <QString>
#include <QStringList>

// The quoted-program-then-parameters rule: "\"prog\" args" gives prog and its parameters.
struct ComandoItem {
    QString programa;
    QStringList parametros;
};
ComandoItem separaComando(const QString& texto);

struct AlvoDoComando {
    enum Tipo {
        nenhum,     // nothing of that name: the run does nothing
        executavel, // an executable file of the folder, or a program on the PATH
        documento,  // a file of the folder opened by the desktop's program for it
    } tipo = nenhum;
    QString caminho;
    QStringList parametros;
};
// Looks for what the text starts, from the folder (empty: the current folder).
AlvoDoComando achaAlvo(const QString& texto, const QString& pasta = {});
