// Little-endian whole numbers as bytes, for the tests that build WAV files by hand (on purpose
// without the program's own header writer, which they check).
#pragma once

#include <QByteArray>
#include <QtEndian>

inline QByteArray u16(quint16 v) {
    QByteArray b(2, 0);
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray u32(quint32 v) {
    QByteArray b(4, 0);
    qToLittleEndian(v, b.data());
    return b;
}
