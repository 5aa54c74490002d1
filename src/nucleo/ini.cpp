#include "nucleo/ini.h"

#include "nucleo/cp1252.h"

#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The blanks around keys, values and section names: space, tab and the line-end controls.
// QStringView::trimmed() would also cut U+00A0, a character the user typed.
bool branco(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// [a, b) without its blanks. Plain pointers: this runs over every line of the file.
QByteArrayView semBrancos(const char* a, const char* b) {
    while (a < b && branco(*a))
        ++a;
    while (b > a && branco(b[-1]))
        --b;
    return QByteArrayView(a, b - a);
}

QByteArrayView semAspas(QByteArrayView v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.sliced(1, v.size() - 2);
    return v;
}

// Names compared as their lower-case forms, the way sections are indexed.
bool mesmoNome(QByteArrayView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QChar c(caractereCp1252(uchar(a[i])));
        if (c != b[i] && c.toLower() != b[i].toLower()) return false;
    }
    return true;
}

// The first c in [a, b), or b.
const char* acha(const char* a, const char* b, char c) {
    const void* p = std::memchr(a, c, size_t(b - a));
    return p ? static_cast<const char*>(p) : b;
}

// The line starting at `a` within [a, b): where it ends (its "\n", or b) and its first "=" (or
// that end). One pass for both, sixteen bytes at a time where they are there to read: this runs
// over every line of a large file.
struct Linha {
    const char* fim;
    const char* igual;
};
Linha linhaEm(const char* a, const char* b) {
    const char* igual = nullptr;
    const char* p = a;
#ifdef __SSE2__
    for (; b - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned fins = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\n'))));
        const unsigned iguais = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('='))));
        if (!igual && iguais) igual = p + __builtin_ctz(iguais);
        if (fins) {
            const char* fim = p + __builtin_ctz(fins);
            return {fim, igual && igual < fim ? igual : fim};
        }
    }
#endif
    for (; p < b && *p != '\n'; ++p)
        if (!igual && *p == '=') igual = p;
    return {p, igual ? igual : p};
}

} // namespace

void ArquivoIni::Pares::Iterador::avanca() {
    linha = nullptr;
    while (proxima < fim) {
        const char* const inicio = proxima;
        const Linha lida = linhaEm(inicio, fim);
        proxima = lida.fim < fim ? lida.fim + 1 : fim;
        const QByteArrayView l = semBrancos(inicio, lida.fim);
        if (l.isEmpty() || l.front() == ';') continue;
        // "=" is no blank: the line's first is the trimmed line's first, and what is left to
        // trim is the key's end and the value's start.
        const char* igual = lida.igual;
        if (igual == l.begin() || igual >= l.end()) continue;
        const char* fimDaChave = igual;
        while (branco(fimDaChave[-1]))
            --fimDaChave;
        const char* inicioDoValor = igual + 1;
        while (inicioDoValor < l.end() && branco(*inicioDoValor))
            ++inicioDoValor;
        par = {QByteArrayView(l.begin(), fimDaChave),
               semAspas(QByteArrayView(inicioDoValor, l.end() - inicioDoValor))};
        linha = inicio;
        return;
    }
}

// A section line is one whose first character after its blanks is "[": every such line holds a
// "[", so a search for that one character finds them all without walking every line.
ArquivoIni ArquivoIni::deBytes(const QByteArray& bytes) {
    ArquivoIni ini;
    ini.bytes = bytes;
    const char* const texto = ini.bytes.constData();
    const char* const fimDoTexto = texto + ini.bytes.size();
    for (const char* p = acha(texto, fimDoTexto, '['); p < fimDoTexto;
         p = acha(p + 1, fimDoTexto, '[')) {
        const char* inicioDaLinha = p;
        while (inicioDaLinha > texto && inicioDaLinha[-1] != '\n' && branco(inicioDaLinha[-1]))
            --inicioDaLinha;
        if (inicioDaLinha > texto && inicioDaLinha[-1] != '\n') continue; // "[" inside a line
        const char* const fimDaLinha = acha(p, fimDoTexto, '\n');
        const char* const fimDoNome = acha(p + 1, fimDaLinha, ']');
        if (!ini.secoes_.empty()) ini.secoes_.back().fim = inicioDaLinha - texto;
        ini.abreSecao(semBrancos(p + 1, fimDoNome), fimDaLinha - texto);
        p = fimDaLinha - 1; // the rest of the line holds no section
    }
    return ini;
}

void ArquivoIni::abreSecao(QByteArrayView nomeLido, qsizetype inicio) {
    const QString nome = deCp1252(nomeLido);
    const qsizetype i = qsizetype(secoes_.size());
    qsizetype primeiraDoNome = i;
    QString minusculo = nome.toLower();
    const auto ultima = ultimaDoNome.find(minusculo);
    if (ultima == ultimaDoNome.end()) {
        ultimaDoNome.insert(std::move(minusculo), i);
    } else {
        Secao& anterior = secoes_[size_t(*ultima)];
        primeiraDoNome = anterior.primeiraDoNome;
        anterior.proximaDoNome = i;
        *ultima = i;
    }
    secoes_.push_back({inicio, bytes.size(), primeiraDoNome, -1});
    nomes.append(nome);
}

ArquivoIni::Pares ArquivoIni::pares(qsizetype secao) const {
    const Secao& s = secoes_[size_t(secao)];
    return {bytes.constData() + s.inicio, bytes.constData() + s.fim};
}

qsizetype ArquivoIni::primeiraDoNome(qsizetype secao, qsizetype desde) const {
    qsizetype s = secoes_[size_t(secao)].primeiraDoNome;
    while (s >= 0 && s < desde)
        s = secoes_[size_t(s)].proximaDoNome;
    return s;
}

qsizetype ArquivoIni::achaSecao(QStringView nome) const {
    const qsizetype ultima = ultimaDoNome.value(nome.toString().toLower(), -1);
    return ultima < 0 ? -1 : secoes_[size_t(ultima)].primeiraDoNome;
}

QByteArrayView ArquivoIni::valorEm(qsizetype secao, QStringView chave) const {
    if (secao < 0) return {};
    for (const Par& p : pares(secao))
        if (mesmoNome(p.chave, chave)) return p.valor;
    return {};
}

QString ArquivoIni::valor(QStringView secao, QStringView chave) const {
    return deCp1252(valorEm(achaSecao(secao), chave));
}
