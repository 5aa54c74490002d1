#include "model/cp1252.h"

#include <QStringDecoder>
#include <QVector>

namespace {

// Byte for every UTF-16 unit, 0 where the code page has no byte for it.
const QVector<uchar>& tabela() {
    static const QVector<uchar> t = [] {
        QVector<uchar> r(0x10000, 0);
        QStringDecoder dec("windows-1252");
        for (int b = 0x20; b < 0x100; ++b) {
            const char c = char(b);
            const QString s = dec.decode(QByteArrayView(&c, 1));
            if (s.size() == 1 && s.at(0) != QChar::ReplacementCharacter)
                r[s.at(0).unicode()] = uchar(b);
        }
        r[0x7F] = 0;
        return r;
    }();
    return t;
}

} // namespace

QString deCp1252(const QByteArray& bytes) {
    QStringDecoder dec("windows-1252");
    return dec.decode(bytes);
}

void acrescentaCp1252(QByteArray& destino, QStringView texto, int* trocados) {
    const QVector<uchar>& t = tabela();
    const qsizetype inicio = destino.size();
    destino.resize(inicio + texto.size());
    char* saida = destino.data() + inicio;
    qsizetype n = 0;
    int erros = 0;
    const QChar* p = texto.data();
    const qsizetype tam = texto.size();
    for (qsizetype i = 0; i < tam; ++i) {
        const char16_t u = p[i].unicode();
        const uchar b = t[u];
        if (b) {
            saida[n++] = char(b);
            continue;
        }
        // one "?" for a whole surrogate pair (an emoji is one character to the user)
        if (QChar::isHighSurrogate(u) && i + 1 < tam && p[i + 1].isLowSurrogate()) ++i;
        saida[n++] = '?';
        ++erros;
    }
    destino.truncate(inicio + n);
    if (trocados) *trocados += erros;
}

QByteArray paraCp1252(const QString& texto, int* trocados) {
    QByteArray r;
    acrescentaCp1252(r, texto, trocados);
    return r;
}
