#include "nucleo/ini.h"

#include "nucleo/cp1252.h"

#include <cstring>

namespace {

// The blanks around keys, values and section names: space, tab and the line-end controls.
// QStringView::trimmed() would also cut U+00A0, a character the user typed.
bool branco(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// [a, b) without its blanks. Plain pointers: this runs over every character of the file.
QStringView semBrancos(const QChar* a, const QChar* b) {
    while (a < b && branco(*a))
        ++a;
    while (b > a && branco(b[-1]))
        --b;
    return QStringView(a, b - a);
}

QStringView semAspas(QStringView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

// Names compared as their lower-case forms, the way sections are indexed.
bool mesmoNome(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i].toLower() != b[i].toLower()) return false;
    return true;
}

// Searches run over the bytes: Windows-1252 has one byte per character, so a character's
// offset in the text is its byte's in the file, and memchr beats any loop over UTF-16.
class Busca {
public:
    Busca(const QString& texto, const QByteArray& bytes)
        : texto(texto.constData()), bytes(bytes.constData()) {}
    // The first c in [a, b), or b.
    const QChar* acha(const QChar* a, const QChar* b, char c) const {
        const void* p = std::memchr(bytes + (a - texto), c, size_t(b - a));
        return p ? texto + (static_cast<const char*>(p) - bytes) : b;
    }

private:
    const QChar* texto;
    const char* bytes;
};

size_t linhas(const QByteArray& bytes) {
    size_t n = 1;
    const char* p = bytes.constData();
    const char* const fim = p + bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', size_t(fim - p))))) {
        ++n;
        ++p;
    }
    return n;
}

} // namespace

ArquivoIni ArquivoIni::deBytes(const QByteArray& bytes) {
    ArquivoIni ini;
    ini.texto = deCp1252(bytes);
    // No more pairs than lines: counting them first spares regrowing a large index.
    ini.pares_.reserve(linhas(bytes));
    const Busca busca(ini.texto, bytes);
    const QChar* proxima = ini.texto.constData();
    const QChar* const fimDoTexto = proxima + ini.texto.size();
    bool dentro = false; // key lines before the first section belong to none
    while (proxima) {
        const QChar* fim = busca.acha(proxima, fimDoTexto, '\n');
        const QStringView linha = semBrancos(proxima, fim);
        proxima = fim < fimDoTexto ? fim + 1 : nullptr;
        if (linha.isEmpty() || linha.front() == u';') continue;
        if (linha.front() == u'[') {
            ini.abreSecao(
                semBrancos(linha.begin() + 1, busca.acha(linha.begin() + 1, linha.end(), ']')));
            dentro = true;
            continue;
        }
        const QChar* igual = busca.acha(linha.begin(), linha.end(), '=');
        if (!dentro || igual == linha.begin() || igual == linha.end()) continue;
        ini.pares_.push_back(
            {semBrancos(linha.begin(), igual), semAspas(semBrancos(igual + 1, linha.end()))});
        ini.secoes_.back().fimPares = qsizetype(ini.pares_.size());
    }
    return ini;
}

void ArquivoIni::abreSecao(QStringView nomeLido) {
    const QString nome = nomeLido.toString();
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
    const qsizetype par = qsizetype(pares_.size());
    secoes_.push_back({par, par, primeiraDoNome, -1});
    nomes.append(nome);
}

ArquivoIni::Pares ArquivoIni::pares(qsizetype secao) const {
    const Secao& s = secoes_[size_t(secao)];
    return {pares_.data() + s.primeiroPar, pares_.data() + s.fimPares};
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

QStringView ArquivoIni::valorEm(qsizetype secao, QStringView chave) const {
    if (secao < 0) return {};
    for (const Par& p : pares(secao))
        if (mesmoNome(p.chave, chave)) return p.valor;
    return {};
}

QStringView ArquivoIni::valor(QStringView secao, QStringView chave) const {
    return valorEm(achaSecao(secao), chave);
}
