#include "logica/execucao/comando_item.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

ComandoItem separaComando(const QString& texto) {
    const QString t = texto.trimmed();
    ComandoItem c;
    if (t.startsWith('"')) {
        const int fecha = t.indexOf('"', 1);
        if (fecha > 0) {
            c.programa = t.mid(1, fecha - 1);
            c.parametros = QProcess::splitCommand(t.mid(fecha + 1).trimmed());
            return c;
        }
    }
    c.programa = t;
    return c;
}

AlvoDoComando achaAlvo(const QString& texto, const QString& pasta) {
    const ComandoItem c = separaComando(texto);
    AlvoDoComando a;
    a.parametros = c.parametros;
    if (c.programa.isEmpty()) return a;
    const QDir dir = pasta.isEmpty() ? QDir::current() : QDir(pasta);
    const QFileInfo arquivo(dir.absoluteFilePath(c.programa));
    if (arquivo.isFile() && arquivo.isExecutable()) {
        a.tipo = AlvoDoComando::executavel;
        a.caminho = arquivo.absoluteFilePath();
    } else if (arquivo.exists()) {
        a.tipo = AlvoDoComando::documento;
        a.caminho = arquivo.absoluteFilePath();
    } else if (!c.programa.contains('/')) {
        a.caminho = QStandardPaths::findExecutable(c.programa);
        if (!a.caminho.isEmpty()) a.tipo = AlvoDoComando::executavel;
    }
    return a;
}
