#include "model/ini.h"

#include "model/cp1252.h"

#include <algorithm>

namespace {

// The blanks around keys, values and section names: space, tab and the line-end controls.
// QStringView::trimmed() would also cut U+00A0, a character the user typed.
bool branco(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

QStringView semBrancos(QStringView v) {
    qsizetype a = 0;
    qsizetype b = v.size();
    while (a < b && branco(v[a]))
        ++a;
    while (b > a && branco(v[b - 1]))
        --b;
    return v.mid(a, b - a);
}

// Names compared as their lower-case forms, the way sections are indexed.
bool mesmoNome(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i].toLower() != b[i].toLower()) return false;
    return true;
}

QStringView semAspas(QStringView v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

ArquivoIni ArquivoIni::deBytes(const QByteArray& bytes) {
    ArquivoIni ini;
    ini.texto = deCp1252(bytes);
    const QStringView tudo(ini.texto);
    // No more pairs than lines: counting them first spares regrowing a large index.
    ini.pares_.reserve(size_t(std::count(bytes.begin(), bytes.end(), '\n') + 1));
    bool dentro = false; // key lines before the first section belong to none
    qsizetype inicio = 0;
    while (inicio <= tudo.size()) {
        qsizetype fim = tudo.indexOf(u'\n', inicio);
        if (fim < 0) fim = tudo.size();
        const QStringView linha = semBrancos(tudo.mid(inicio, fim - inicio));
        inicio = fim + 1;
        if (linha.isEmpty() || linha.front() == u';') continue;
        if (linha.front() == u'[') {
            qsizetype fecha = linha.indexOf(u']');
            if (fecha < 0) fecha = linha.size();
            const QString nome = semBrancos(linha.mid(1, fecha - 1)).toString();
            const qsizetype i = qsizetype(ini.secoes_.size());
            qsizetype primeiraDoNome = i;
            QString minusculo = nome.toLower();
            auto ultima = ini.ultimaDoNome.find(minusculo);
            if (ultima == ini.ultimaDoNome.end()) {
                ini.ultimaDoNome.insert(std::move(minusculo), i);
            } else {
                Secao& anterior = ini.secoes_[size_t(*ultima)];
                primeiraDoNome = anterior.primeiraDoNome;
                anterior.proximaDoNome = i;
                *ultima = i;
            }
            const qsizetype par = qsizetype(ini.pares_.size());
            ini.secoes_.push_back({par, par, primeiraDoNome, -1});
            ini.nomes.append(nome);
            dentro = true;
            continue;
        }
        const qsizetype igual = linha.indexOf(u'=');
        if (!dentro || igual <= 0) continue;
        ini.pares_.push_back(
            {semBrancos(linha.left(igual)), semAspas(semBrancos(linha.mid(igual + 1)))});
        ini.secoes_.back().fimPares = qsizetype(ini.pares_.size());
    }
    return ini;
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
