#include "logica/verificacao/verifica_projeto.h"

#include "logica/verificacao/regras.h"

#include <algorithm>

Verificacao::Verificacao(const TProjeto& projeto, const QString& pastaDoProjeto)
    : p(projeto), pasta(pastaDoProjeto), arquivos(ArquivosDaPasta::listada(pastaDoProjeto)),
      nomes(projeto) {}

void Verificacao::acha(TipoAchado tipo, int prancha, int item, const QString& frase) {
    achados.append(achado(p, tipo, prancha, item, frase));
}

void Verificacao::achaNoProjeto(TipoAchado tipo, const QString& frase) {
    achados.append(Achado{tipo, -1, -1, frase});
}

int Verificacao::itensNaGrade(const TPrancha& b) {
    const qint64 celulas = qint64(qMax(0, b.nLinhas)) * qMax(0, b.nColunas);
    return int(qMin<qint64>(celulas, b.nItens()));
}

Achado achado(const TProjeto& p, TipoAchado tipo, int prancha, int item, const QString& frase) {
    return Achado{tipo, prancha, item, onde(p, prancha, item) + QStringLiteral(": ") + frase};
}

QString citado(const QString& texto) {
    return u'"' + texto + u'"';
}

QString onde(const TProjeto& p, int prancha, int item) {
    const TPrancha& b = p.pranchas[prancha];
    QString r = QStringLiteral("Prancha ") + citado(b.nome);
    if (item < 0) return r;
    r += QStringLiteral(", item ") + QString::number(item + 1);
    const QString& rotulo = b.itens[item].rotulo;
    if (!rotulo.isEmpty()) r += QStringLiteral(" (") + citado(rotulo) + u')';
    return r;
}

QString quantos(int n, const QString& um, const QString& varios) {
    return QString::number(n) + u' ' + (n == 1 ? um : varios);
}

QList<Achado> verificaProjeto(const TProjeto& p, const QString& pasta) {
    Verificacao v(p, pasta);
    verificaTempos(v);
    verificaAcesso(v);
    verificaLinks(v);
    verificaItens(v);
    verificaGravacao(v);
    // The settings first, then each board with its own findings before its items'.
    std::stable_sort(v.achados.begin(), v.achados.end(), [](const Achado& a, const Achado& b) {
        return a.prancha != b.prancha ? a.prancha < b.prancha : a.item < b.item;
    });
    return v.achados;
}

QList<Achado> itensForaDaGrade(const TProjeto& p) {
    QList<Achado> r;
    achaItensForaDaGrade(p, r);
    return r;
}
