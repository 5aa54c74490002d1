#include "logica/som/cabecalho_wav.h"

#include <QtEndian>
#include <cstring>

void montaCabecalhoWav(char* destino, quint32 taxa, quint16 bits, quint32 tamanhoDados,
                       quint16 canais) {
    const quint16 alinhamento = quint16((bits / 8) * canais);
    std::memcpy(destino, "RIFF", 4);
    qToLittleEndian<quint32>(tamanhoDados + 36, destino + 4);
    std::memcpy(destino + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, destino + 16);
    qToLittleEndian<quint16>(1, destino + 20);
    qToLittleEndian<quint16>(canais, destino + 22);
    qToLittleEndian<quint32>(taxa, destino + 24);
    qToLittleEndian<quint32>(quint32(alinhamento) * taxa, destino + 28);
    qToLittleEndian<quint16>(alinhamento, destino + 32);
    qToLittleEndian<quint16>(bits, destino + 34);
    std::memcpy(destino + 36, "data", 4);
    qToLittleEndian<quint32>(tamanhoDados, destino + 40);
}
