#include "model/nomes.h"

#include "model/prvars.h"

namespace {

bool ehNumeroInteiro(const QString& s) {
    if (s.isEmpty()) return false;
    for (const QChar c : s)
        if (!c.isDigit()) return false;
    bool ok = false;
    s.toInt(&ok);
    return ok;
}

int nPranchas(const TProjeto& p) {
    return qMin(p.nPranchas, int(p.pranchas.size()));
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
    const QString procurado = nome.trimmed();
    for (int k = 0; k < nPranchas(p); ++k)
        if (p.pranchas[k].nome.trimmed().compare(procurado, Qt::CaseInsensitive) == 0) return k;
    return -1;
}

int destinoDoLink(const TProjeto& p, const QString& link, int pranchaAnterior) {
    const Deslocado d = separaDeslocamento(link.trimmed());
    // The cut text keeps its blanks: "CASA +1" looks for "CASA ", which no trimmed name is.
    int base = -1;
    if (d.texto.toUpper() == QLatin1String("#ANTERIOR")) {
        base = pranchaAnterior;
    } else {
        for (int k = 0; k < nPranchas(p); ++k)
            if (p.pranchas[k].nome.trimmed().compare(d.texto, Qt::CaseInsensitive) == 0) {
                base = k;
                break;
            }
        if (base < 0) return -1;
    }
    const int alvo = base + d.deslocamento;
    return alvo >= 0 && alvo < nPranchas(p) ? alvo : -1;
}

QStringList nomesDasPranchas(const TProjeto& p) {
    QStringList nomes;
    for (int i = 0; i < p.nPranchas && i < p.pranchas.size(); ++i)
        nomes << p.pranchas[i].nome;
    return nomes;
}

QString nomeDeSom(const QString& nome) {
    if (nome.size() < 4 || nome.at(nome.size() - 4) != QLatin1Char('.'))
        return nome + QStringLiteral(".wav");
    return nome;
}
