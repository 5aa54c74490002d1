#include "logica/troca/obf_para_prancha.h"

#include "nucleo/pranchas_valores.h"

namespace {

bool temProprio(const QJsonObject& o, const char* chave) {
    return o.contains(proprio(chave));
}

QString textoProprio(const QJsonObject& o, const char* chave) {
    return o.value(proprio(chave)).toString();
}

// ":ext_zelvana_anterior" with its offset ("+1", "-2") gives "#ANTERIOR+1".
QString linkDaAcao(const QString& acao, const LigacoesObf& lig) {
    static const QString anterior = QLatin1Char(':') + proprio("anterior");
    if (acao.compare(QLatin1String(":home"), Qt::CaseInsensitive) == 0) return lig.pranchaInicial;
    if (acao.startsWith(anterior)) return QStringLiteral("#ANTERIOR") + acao.mid(anterior.size());
    return {};
}

QString linkDoBotao(const BotaoObf& b, const LigacoesObf& lig) {
    if (b.temLink) {
        if (lig.pranchaPorId.contains(b.linkId)) return lig.pranchaPorId.value(b.linkId);
        if (lig.pranchaPorCaminho.contains(b.linkCaminho))
            return lig.pranchaPorCaminho.value(b.linkCaminho);
        // A board outside the package: its name, which the project check will point out.
        if (!b.linkNome.isEmpty()) return b.linkNome;
    }
    for (const QString& a : b.acoes) {
        const QString l = linkDaAcao(a, lig);
        if (!l.isEmpty()) return l;
    }
    return {};
}

TPosVertical posicao(const QString& t) {
    if (t == QLatin1String("meio")) return TPosVertical::meio;
    if (t == QLatin1String("cima")) return TPosVertical::cima;
    return TPosVertical::baixo;
}

TDimMoldura moldura(const QString& t) {
    if (t == QLatin1String("fina")) return TDimMoldura::fina;
    if (t == QLatin1String("media")) return TDimMoldura::media;
    if (t == QLatin1String("grossa")) return TDimMoldura::grossa;
    return TDimMoldura::sem;
}

TItem itemDoBotao(const BotaoObf& b, const LigacoesObf& lig, bool doPrograma) {
    TItem it;
    it.rotulo = b.rotulo;
    it.fala = b.fala;
    it.figura = lig.arquivoDaFigura.value(b.figuraId);
    it.som = lig.arquivoDoSom.value(b.somId);
    it.cor = b.cor;
    it.semRotulo = it.semFigura = b.oculto;
    it.link = linkDoBotao(b, lig);
    const QJsonObject& o = b.proprias;
    if (temProprio(o, "figura")) it.figura = textoProprio(o, "figura");
    if (temProprio(o, "som")) it.som = textoProprio(o, "som");
    if (temProprio(o, "link")) it.link = textoProprio(o, "link");
    if (temProprio(o, "sem_rotulo")) it.semRotulo = o.value(proprio("sem_rotulo")).toBool();
    if (temProprio(o, "sem_figura")) it.semFigura = o.value(proprio("sem_figura")).toBool();
    if (temProprio(o, "cor")) it.cor = TColor(o.value(proprio("cor")).toInteger(semCor));
    it.executar = textoProprio(o, "executar");
    it.posTexto = posicao(textoProprio(o, "pos_texto"));
    if (temProprio(o, "dim_texto"))
        it.dimTexto =
            qint32(qBound(qint64(1), o.value(proprio("dim_texto")).toInteger(36), qint64(1000)));
    it.dimMoldura = moldura(textoProprio(o, "moldura"));
    it.deslocHoriz = o.value(proprio("desloc_horiz")).toBool();
    if (!doPrograma && it.fala.isEmpty() && it.som.isEmpty()) it.fala = it.rotulo;
    // A cell without a label is an empty cell in the board file: it keeps one, not shown.
    if (semBrancosNasPontas(it.rotulo).isEmpty()) {
        it.rotulo = !semBrancosNasPontas(b.fala).isEmpty() ? b.fala
                    : !semBrancosNasPontas(b.id).isEmpty() ? b.id
                                                           : QStringLiteral("sem rótulo");
        it.semRotulo = true;
    }
    return it;
}

} // namespace

bool quadroDoPrograma(const QuadroObf& quadro) {
    return !quadro.proprias.isEmpty();
}

TPrancha pranchaDoQuadro(const QuadroObf& q, const QString& nome, const LigacoesObf& lig) {
    const bool doPrograma = quadroDoPrograma(q);
    TPrancha p;
    p.nome = nome;
    p.titulo = temProprio(q.proprias, "titulo") ? textoProprio(q.proprias, "titulo") : q.nome;
    p.nLinhas = q.linhas;
    p.nColunas = q.colunas;
    if (const auto cor = leCorObf(textoProprio(q.proprias, "cor"))) p.cor = *cor;
    p.som = temProprio(q.proprias, "som")
                ? textoProprio(q.proprias, "som")
                : lig.arquivoDoSom.value(textoProprio(q.proprias, "som_id"));
    p.fala = textoProprio(q.proprias, "fala");
    p.link = textoProprio(q.proprias, "link");
    const int n = q.linhas * q.colunas;
    p.itens.reserve(n);
    for (int k = 0; k < n; ++k) {
        const QString id = q.celulas.value(k);
        const auto b = id.isEmpty() ? q.botoes.constEnd() : q.botoes.constFind(id);
        p.itens.append(b == q.botoes.constEnd() ? TItem() : itemDoBotao(*b, lig, doPrograma));
    }
    p.nItens = int(p.itens.size());
    return p;
}
