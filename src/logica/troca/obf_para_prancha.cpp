#include "logica/troca/obf_para_prancha.h"

#include "nucleo/pranchas_valores.h"

namespace {

bool temProprio(const QJsonObject& o, const char* chave) {
    return o.contains(proprio(chave));
}

QString textoProprio(const QJsonObject& o, const char* chave) {
    return o.value(proprio(chave)).toString();
}

const QString& acaoAnterior() {
    static const QString anterior = QLatin1Char(':') + proprio("anterior");
    return anterior;
}

// ":ext_zelvana_anterior" with its offset ("+1", "-2") gives "#ANTERIOR+1".
QString linkDaAcao(const QString& acao, const LigacoesObf& lig) {
    if (acao.compare(QLatin1String(":home"), Qt::CaseInsensitive) == 0) return lig.pranchaInicial;
    if (acao.startsWith(acaoAnterior()))
        return QStringLiteral("#ANTERIOR") + acao.mid(acaoAnterior().size());
    return {};
}

// A link to a board the package does not hold is dropped (`removido`): it would stop a run
// with a message.
QString linkDoBotao(const BotaoObf& b, const LigacoesObf& lig, bool& removido) {
    if (b.temLink) {
        if (lig.pranchaPorId.contains(b.linkId)) return lig.pranchaPorId.value(b.linkId);
        if (lig.pranchaPorCaminho.contains(b.linkCaminho))
            return lig.pranchaPorCaminho.value(b.linkCaminho);
        removido = true;
    }
    for (const QString& a : b.acoes) {
        const QString l = linkDaAcao(a, lig);
        if (!l.isEmpty()) return l;
    }
    return {};
}

// The first action the button has that this program does not do.
QString acaoDesconhecida(const BotaoObf& b) {
    for (const QString& a : b.acoes)
        if (!acaoConhecida(a)) return a;
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

TItem itemDoBotao(const BotaoObf& b, const LigacoesObf& lig, bool doPrograma,
                  DiferencasDoQuadro& dif) {
    TItem it;
    it.rotulo = b.rotulo;
    it.fala = b.fala;
    it.figura = lig.arquivoDaFigura.value(b.figuraId);
    it.som = lig.arquivoDoSom.value(b.somId);
    it.cor = b.cor;
    it.semRotulo = it.semFigura = b.oculto;
    bool linkRemovido = false;
    it.link = linkDoBotao(b, lig, linkRemovido);
    const QJsonObject& o = b.proprias;
    if (temProprio(o, "rotulo")) it.rotulo = textoProprio(o, "rotulo");
    if (temProprio(o, "fala")) it.fala = textoProprio(o, "fala");
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
    if (linkRemovido && !temProprio(o, "link")) ++dif.linksRemovidos;
    if (b.corNaoLida && !temProprio(o, "cor")) ++dif.coresNaoLidas;
    const QString acao = acaoDesconhecida(b);
    if (!acao.isEmpty()) ++dif.acoes[tipoDeAcao(acao)];
    if (!doPrograma && it.fala.isEmpty() && it.som.isEmpty()) {
        // A command's label ("Clear", "+less") is not a message: only spelling says something,
        // its letters.
        if (acao.isEmpty())
            it.fala = it.rotulo;
        else if (acao.startsWith(u'+'))
            it.fala = acao.mid(1);
    }
    // A cell without a label is an empty cell in the board file: it keeps one, not shown.
    if (semBrancosNasPontas(it.rotulo).isEmpty()) {
        it.rotulo = QString::fromUtf16(rotuloOculto);
        it.semRotulo = true;
    }
    return it;
}

// "pt-BR" is the program's own language, which a board need not say.
QString idiomaDoQuadro(const QString& idioma) {
    QString t = idioma;
    t.replace(u'_', u'-');
    return t.compare(QLatin1String("pt-BR"), Qt::CaseInsensitive) == 0 ? QString() : idioma;
}

} // namespace

DiferencasDoQuadro& DiferencasDoQuadro::operator+=(const DiferencasDoQuadro& outra) {
    linksRemovidos += outra.linksRemovidos;
    coresNaoLidas += outra.coresNaoLidas;
    for (auto a = outra.acoes.begin(); a != outra.acoes.end(); ++a)
        acoes[a.key()] += a.value();
    return *this;
}

bool acaoConhecida(const QString& acao) {
    return acao.compare(QLatin1String(":home"), Qt::CaseInsensitive) == 0 ||
           acao.startsWith(acaoAnterior());
}

QString tipoDeAcao(const QString& acao) {
    if (acao.startsWith(u'+')) return QStringLiteral("soletrar (+…)");
    static const QHash<QString, QString> nomes{
        {QStringLiteral(":clear"), QStringLiteral("limpar a frase")},
        {QStringLiteral(":backspace"), QStringLiteral("apagar")},
        {QStringLiteral(":speak"), QStringLiteral("falar a frase")},
        {QStringLiteral(":space"), QStringLiteral("espaço")},
    };
    const QString nome = nomes.value(acao.toLower());
    return nome.isEmpty() ? acao : nome + QStringLiteral(" (") + acao + u')';
}

bool quadroDoPrograma(const QuadroObf& quadro) {
    return !quadro.proprias.isEmpty();
}

TPrancha pranchaDoQuadro(const QuadroObf& q, const QString& nome, const LigacoesObf& lig,
                         DiferencasDoQuadro* diferencas) {
    const bool doPrograma = quadroDoPrograma(q);
    DiferencasDoQuadro dif;
    TPrancha p;
    p.nome = nome;
    p.idioma = idiomaDoQuadro(q.idioma);
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
        p.itens.append(b == q.botoes.constEnd() ? TItem() : itemDoBotao(*b, lig, doPrograma, dif));
    }
    if (diferencas) *diferencas += dif;
    return p;
}
