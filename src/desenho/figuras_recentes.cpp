#include "figuras_recentes.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <mutex>

namespace {

struct Guardada {
    FiguraLida lida;
    qint64 modificado = 0; // the file's time (ms) and size when it was read
    qint64 tamanho = 0;
    quint64 uso = 0; // when last drawn, in draws
};

struct Figuras {
    std::mutex trava;
    QHash<QString, Guardada> porChave; // path and size drawn -> the picture
    qint64 bytes = 0;
    quint64 usos = 0;
};

Figuras& figuras() {
    static Figuras f;
    return f;
}

qint64 bytesDe(const Guardada& g) {
    return g.lida.imagem.sizeInBytes();
}

// Called with the lock held.
void tiraMenosUsadas(Figuras& f) {
    while (f.bytes > limiteFigurasRecentes && !f.porChave.isEmpty()) {
        auto menos = f.porChave.begin();
        for (auto i = f.porChave.begin(); i != f.porChave.end(); ++i)
            if (i->uso < menos->uso) menos = i;
        f.bytes -= bytesDe(*menos);
        f.porChave.erase(menos);
    }
}

} // namespace

FiguraLida leFiguraRecente(const QString& arquivo, QSize area) {
    if (arquivo.isEmpty() || area.isEmpty()) return leFiguraAjustada(arquivo, area);
    const QFileInfo info(QDir::current().absoluteFilePath(arquivo));
    if (!info.isFile()) return leFiguraAjustada(arquivo, area);
    const qint64 modificado = info.lastModified().toMSecsSinceEpoch(), tamanho = info.size();
    const QString chave = info.absoluteFilePath() + QLatin1Char('\n') +
                          QString::number(area.width()) + QLatin1Char('x') +
                          QString::number(area.height());
    Figuras& f = figuras();
    {
        const std::lock_guard<std::mutex> trava(f.trava);
        const auto i = f.porChave.find(chave);
        if (i != f.porChave.end() && i->modificado == modificado && i->tamanho == tamanho) {
            i->uso = ++f.usos;
            return i->lida;
        }
    }
    FiguraLida lida = leFiguraAjustada(arquivo, area);
    // A picture that could not be read is not kept: the file may be whole by the next draw. One
    // drawn for a printed page would push out those of many boards on screen.
    if (lida.imagem.isNull() || lida.imagem.sizeInBytes() > limiteFigurasRecentes / 8) return lida;
    const std::lock_guard<std::mutex> trava(f.trava);
    Guardada& g = f.porChave[chave];
    f.bytes -= bytesDe(g);
    g = Guardada{lida, modificado, tamanho, ++f.usos};
    f.bytes += bytesDe(g);
    tiraMenosUsadas(f);
    return lida;
}

qint64 bytesFigurasRecentes() {
    Figuras& f = figuras();
    const std::lock_guard<std::mutex> trava(f.trava);
    return f.bytes;
}
