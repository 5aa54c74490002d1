#include "nucleo/nomes.h"

#include "nucleo/prvars.h"

namespace {

bool ehNumeroInteiro(const QString& s) {
    if (s.isEmpty()) return false;
    for (const QChar c : s)
        if (!c.isDigit()) return false;
    bool ok = false;
    s.toInt(&ok);
    return ok;
}

int contaPranchas(const TProjeto& p) {
    return p.nPranchas();
}

// Two names are the same board name when their keys are equal: letter case does not count.
// A board's own name is trimmed first; the name a link looks for is taken as it stands.
QString chave(const QString& nome) {
    return nome.toCaseFolded();
}

int primeiraComChave(const TProjeto& p, const QString& procurada) {
    for (int k = 0; k < contaPranchas(p); ++k)
        if (chave(p.pranchas[k].nome.trimmed()) == procurada) return k;
    return -1;
}

// The link rules, whichever way the boards are looked up.
template <class Procura>
DestinoDoLink resolve(const QString& link, int pranchaAnterior, int n, Procura procura) {
    const Deslocado d = separaDeslocamento(link.trimmed());
    DestinoDoLink r;
    r.nome = d.texto;
    r.deslocamento = d.deslocamento;
    r.paraAnterior = d.texto.startsWith(u'#') && d.texto.toUpper() == QLatin1String("#ANTERIOR");
    // The cut text keeps its blanks: "CASA +1" looks for "CASA ", which no trimmed name is.
    r.base = r.paraAnterior ? pranchaAnterior : procura(chave(d.texto));
    if (r.base < 0) return r;
    const int alvo = r.base + d.deslocamento;
    if (alvo >= 0 && alvo < n) r.alvo = alvo;
    return r;
}

} // namespace

Deslocado separaDeslocamento(const QString& texto) {
    for (const QChar sinal : {QChar('+'), QChar('-')}) {
        const int i = texto.indexOf(sinal);
        if (i > 0 && ehNumeroInteiro(texto.mid(i + 1))) {
            const int n = texto.mid(i + 1).toInt();
            return {texto.left(i), sinal == '+' ? n : -n};
        }
    }
    return {texto, 0};
}

bool linkParaAnterior(const QString& link) {
    return separaDeslocamento(link.trimmed()).texto.toUpper() == QLatin1String("#ANTERIOR");
}

int indiceDaPrancha(const TProjeto& p, const QString& nome) {
    return primeiraComChave(p, chave(nome.trimmed()));
}

int destinoDoLink(const TProjeto& p, const QString& link, int pranchaAnterior) {
    return resolve(link, pranchaAnterior, contaPranchas(p),
                   [&p](const QString& k) { return primeiraComChave(p, k); })
        .alvo;
}

PranchasPorNome::PranchasPorNome(const TProjeto& p) : n(contaPranchas(p)) {
    primeira.reserve(n);
    for (int k = 0; k < n; ++k) {
        const QString c = chave(p.pranchas[k].nome.trimmed());
        if (!primeira.contains(c)) primeira.insert(c, k); // the first board of a name wins
    }
}

int PranchasPorNome::indice(const QString& nome) const {
    return primeira.value(chave(nome.trimmed()), -1);
}

DestinoDoLink PranchasPorNome::destino(const QString& link, int pranchaAnterior) const {
    return resolve(link, pranchaAnterior, n,
                   [this](const QString& k) { return primeira.value(k, -1); });
}

QStringList nomesDasPranchas(const TProjeto& p) {
    QStringList nomes;
    for (int i = 0; i < p.nPranchas(); ++i)
        nomes << p.pranchas[i].nome;
    return nomes;
}

QString nomeDeSom(const QString& nome) {
    if (nome.size() < 4 || nome.at(nome.size() - 4) != QLatin1Char('.'))
        return nome + QStringLiteral(".wav");
    return nome;
}

QString problemaNoNomeDePrancha(const QString& nome) {
    if (!nome.contains(u'[') && !nome.contains(u']')) return {};
    return QStringLiteral("O nome da prancha \"") + nome +
           QStringLiteral("\" não pode ter os caracteres \"[\" e \"]\". Troque-os por outros.");
}

QString nomeDeArquivoSeguro(const QString& texto, const QString& reserva) {
    QString r;
    r.reserve(texto.size());
    // Characters no file system of a pen drive takes, and the path separators.
    static const QString proibidos = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : texto)
        r += c.unicode() < u' ' || proibidos.contains(c) ? QChar(u'_') : c;
    qsizetype a = 0;
    while (a < r.size() && (r[a] == u'.' || r[a].isSpace()))
        ++a;
    r = r.mid(a).trimmed();
    return r.isEmpty() ? reserva : r;
}
