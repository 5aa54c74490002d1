#include "nucleo/cp1252.h"

#include <QStringDecoder>
#include <QVarLengthArray>
#include <QVector>

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// The character of every byte: Windows-1252 is Latin-1 except in 0x80-0x9F.
const char16_t* caracteres() {
    static const struct Tabela {
        char16_t c[256];
        Tabela() {
            QStringDecoder dec("windows-1252");
            for (int b = 0; b < 256; ++b) {
                c[b] = char16_t(b);
                if (b < 0x80 || b >= 0xA0) continue;
                const char byte = char(b);
                const QString s = dec.decode(QByteArrayView(&byte, 1));
                c[b] = s.size() == 1 ? s.at(0).unicode() : char16_t(QChar::ReplacementCharacter);
            }
        }
    } t;
    return t.c;
}

} // namespace

char16_t caractereCp1252(uchar byte) {
    return caracteres()[byte];
}

void deCp1252(QByteArrayView bytes, char16_t* u) {
    // Windows-1252 is Latin-1 except in 0x80-0x9F: widen every byte, then mend those.
    const uchar* b = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    const auto mende = [&](qsizetype de, qsizetype ate) {
        for (qsizetype j = de; j < ate; ++j)
            if ((b[j] & 0xE0) == 0x80) u[j] = caracteres()[b[j]];
    };
#ifdef __SSE2__
    // Eight at a time, the last eight overlapping the ones before rather than reading or
    // writing past the text.
    if (n >= 8) {
        const auto oito = [&](qsizetype i) {
            const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(u + i),
                             _mm_unpacklo_epi8(v, _mm_setzero_si128()));
            const __m128i alto = _mm_and_si128(v, _mm_set1_epi8(char(0xE0)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(alto, _mm_set1_epi8(char(0x80)))) & 0xFF)
                mende(i, i + 8);
        };
        for (qsizetype i = 0; i + 8 <= n; i += 8)
            oito(i);
        if (n % 8) oito(n - 8);
        return;
    }
#endif
    for (qsizetype i = 0; i < n; ++i)
        u[i] = b[i];
    mende(0, n);
}

QString deCp1252(QByteArrayView bytes) {
    if (!bytes.data()) return QString();
    QString texto(bytes.size(), Qt::Uninitialized);
    deCp1252(bytes, reinterpret_cast<char16_t*>(texto.data()));
    return texto;
}

qsizetype escreveCp1252(QStringView texto, char* destino, int* trocados) {
    const QVector<uchar>& t = tabela();
    qsizetype n = 0;
    int erros = 0;
    const char16_t* p = texto.utf16();
    const qsizetype tam = texto.size();
    // Four printable ASCII units at a time where it can, nearly all of a board file: every
    // unit below 0x80, none below 0x20 (no borrow out of a lane) and none 0x7F (no carry into
    // bit 7).
    auto quatroAscii = [&](qsizetype i) {
        quint64 q;
        std::memcpy(&q, p + i, 8);
        return !(q & 0xFF80FF80FF80FF80u) && !((q - 0x0020002000200020u) & 0x8000800080008000u) &&
               !((q + 0x0001000100010001u) & 0x0080008000800080u);
    };
    qsizetype i = 0;
    while (i < tam) {
#ifdef __SSE2__
        // Eight at a time where the processor has the registers for it (every x86-64 does).
        // Signed compares: a unit of 0x8000 or more is negative here and fails the first one.
        if (i + 8 <= tam) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i imprimivel = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x1F)),
                                                     _mm_cmplt_epi16(v, _mm_set1_epi16(0x7F)));
            if (_mm_movemask_epi8(imprimivel) == 0xFFFF) {
                _mm_storel_epi64(reinterpret_cast<__m128i*>(destino + n), _mm_packus_epi16(v, v));
                n += 8;
                i += 8;
                continue;
            }
        }
#endif
        if (i + 4 <= tam && quatroAscii(i)) {
            for (int k = 0; k < 4; ++k)
                destino[n++] = char(p[i + k]);
            i += 4;
            continue;
        }
        const char16_t u = p[i++];
        if (const uchar b = t[u]) {
            destino[n++] = char(b);
            continue;
        }
        // one "?" for a whole surrogate pair (an emoji is one character to the user)
        if (QChar::isHighSurrogate(u) && i < tam && QChar::isLowSurrogate(p[i])) ++i;
        destino[n++] = '?';
        ++erros;
    }
    if (trocados) *trocados += erros;
    return n;
}

void acrescentaCp1252(QByteArray& destino, QStringView texto, int* trocados) {
    const qsizetype inicio = destino.size();
    destino.resize(inicio + texto.size());
    destino.truncate(inicio + escreveCp1252(texto, destino.data() + inicio, trocados));
}

int trocasEmCp1252(QStringView texto) {
    QVarLengthArray<char, 256> bytes(texto.size());
    int trocas = 0;
    escreveCp1252(texto, bytes.data(), &trocas);
    return trocas;
}

QByteArray paraCp1252(const QString& texto, int* trocados) {
    QByteArray r;
    acrescentaCp1252(r, texto, trocados);
    return r;
}
