// Whether a file is a sound a project can hold, by its first bytes; no device is opened.
#include "plataforma/midia_tocador.h"

#include <QFile>
#include <QtEndian>

namespace tocadorMidia {
namespace {

// The bytes of sound a RIFF file's data chunk holds: what it declares, as far as the file goes.
// Only the chunk headers are read, so a long recording costs no more than a short one.
qint64 bytesDeSomDoWav(QFile& arquivo) {
    const qint64 total = arquivo.size();
    for (qint64 pos = 12; pos + 8 <= total;) {
        char cabecalho[8];
        if (!arquivo.seek(pos) || arquivo.read(cabecalho, 8) != 8) return 0;
        const qint64 tamanho = qFromLittleEndian<quint32>(cabecalho + 4);
        if (qstrnicmp(cabecalho, "data", 4) == 0) return qMin(tamanho, total - pos - 8);
        pos += 8 + tamanho + (tamanho & 1); // chunks are padded to an even size
    }
    return 0;
}

} // namespace

EstadoDoSom examinaSom(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) return EstadoDoSom::naoReconhecido;
    const QByteArray inicio = arquivo.read(12);
    if (inicio.size() >= 12 && inicio.startsWith("RIFF") && inicio.mid(8, 4) == "WAVE")
        return bytesDeSomDoWav(arquivo) > 0 ? EstadoDoSom::tocavel : EstadoDoSom::semAmostras;
    if (inicio.startsWith("ID3")) return EstadoDoSom::tocavel; // an MP3 with its tag in front
    // An MP3 frame header: eleven bits of sync.
    return inicio.size() >= 2 && uchar(inicio[0]) == 0xFF && (uchar(inicio[1]) & 0xE0) == 0xE0
               ? EstadoDoSom::tocavel
               : EstadoDoSom::naoReconhecido;
}

} // namespace tocadorMidia
