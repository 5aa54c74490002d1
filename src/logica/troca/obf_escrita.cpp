#include "logica/troca/obf_escrita.h"

#include "logica/troca/obf_leitura.h"
#include "logica/troca/obf_para_prancha.h"
#include "nucleo/nomes.h"

#include <QJsonArray>

namespace {

QString dadosUri(const MidiaExportada& m) {
    return QStringLiteral("data:") + m.tipo + QStringLiteral(";base64,") +
           QString::fromLatin1(m.bytes.toBase64());
}

QJsonObject midiaObf(const MidiaExportada& m, bool noPacote) {
    QJsonObject o{{QStringLiteral("id"), m.id},
                  {QStringLiteral("content_type"), m.tipo},
                  {proprio("arquivo"), m.arquivo}};
    if (noPacote)
        o.insert(QStringLiteral("path"), m.caminho);
    else
        o.insert(QStringLiteral("data"), dadosUri(m));
    if (m.largura >= 0) {
        o.insert(QStringLiteral("width"), m.largura);
        o.insert(QStringLiteral("height"), m.altura);
    }
    if (m.duracao >= 0) o.insert(QStringLiteral("duration"), m.duracao);
    return o;
}

const char* nomePosicao(TPosVertical p) {
    return p == TPosVertical::meio ? "meio" : p == TPosVertical::cima ? "cima" : "baixo";
}

const char* nomeMoldura(TDimMoldura m) {
    switch (m) {
    case TDimMoldura::fina:
        return "fina";
    case TDimMoldura::media:
        return "media";
    case TDimMoldura::grossa:
        return "grossa";
    default:
        return "sem";
    }
}

// What a board uses, gathered while its buttons are written.
struct UsoDaPrancha {
    QList<int> figuras, sons;
    void figura(int i) {
        if (i >= 0 && !figuras.contains(i)) figuras.append(i);
    }
    void som(int i) {
        if (i >= 0 && !sons.contains(i)) sons.append(i);
    }
};

void escreveLink(QJsonObject& o, const TProjeto& p, const QString& link, bool noPacote) {
    if (link.trimmed().isEmpty()) return;
    o.insert(proprio("link"), link);
    if (linkParaAnterior(link)) {
        // No standard action goes back; the offset rides along.
        const Deslocado d = separaDeslocamento(link.trimmed());
        QString acao = QLatin1Char(':') + proprio("anterior");
        if (d.deslocamento != 0)
            acao += (d.deslocamento > 0 ? QStringLiteral("+") : QString()) +
                    QString::number(d.deslocamento);
        o.insert(QStringLiteral("action"), acao);
        return;
    }
    const int alvo = destinoDoLink(p, link, -1);
    if (alvo < 0) return;
    QJsonObject carrega{{QStringLiteral("id"), idDaPrancha(alvo)},
                        {QStringLiteral("name"), p.pranchas[alvo].nome}};
    if (noPacote) carrega.insert(QStringLiteral("path"), caminhoDaPrancha(alvo));
    o.insert(QStringLiteral("load_board"), carrega);
}

QJsonObject botaoObf(const TProjeto& p, int i, int n, const TItem& it, MidiasDoProjeto& midias,
                     UsoDaPrancha& uso, bool noPacote) {
    // A label hidden on a button that shows goes out empty, as other programs write a
    // picture-only button, with what the button says in the vocalization; the label itself
    // rides along for this program.
    const bool rotuloEscondido = it.semRotulo && !it.semFigura;
    QJsonObject o{{QStringLiteral("id"), QStringLiteral("%1_%2").arg(idDaPrancha(i)).arg(n + 1)},
                  {QStringLiteral("label"), rotuloEscondido ? QString() : it.rotulo},
                  {proprio("figura"), it.figura}};
    if (rotuloEscondido) {
        o.insert(proprio("rotulo"), it.rotulo);
        if (it.fala.isEmpty() && it.rotulo != QStringView(rotuloOculto)) {
            o.insert(QStringLiteral("vocalization"), it.rotulo);
            o.insert(proprio("fala"), QString());
        }
    }
    if (!it.som.isEmpty()) o.insert(proprio("som"), it.som);
    if (!it.fala.isEmpty()) {
        o.insert(QStringLiteral("vocalization"), it.fala);
        // A recording named by the speech text plays instead of the voice: it travels too.
        const int gravada = midias.som(it.fala, false);
        uso.som(gravada);
        if (gravada >= 0) o.insert(proprio("fala_som_id"), midias.sons().at(gravada).id);
    }
    const int figura = midias.figura(it);
    if (figura >= 0) {
        o.insert(QStringLiteral("image_id"), midias.figuras().at(figura).id);
        uso.figura(figura);
    }
    const int som = midias.som(it.som);
    if (som >= 0) {
        o.insert(QStringLiteral("sound_id"), midias.sons().at(som).id);
        uso.som(som);
    }
    if (it.cor != semCor) {
        o.insert(QStringLiteral("background_color"), textoCorObf(it.cor));
        if ((it.cor & ~0xFFFFFF) != 0) o.insert(proprio("cor"), qint64(it.cor));
    }
    if (it.semRotulo && it.semFigura) o.insert(QStringLiteral("hidden"), true);
    if (it.semRotulo) o.insert(proprio("sem_rotulo"), true);
    if (it.semFigura) o.insert(proprio("sem_figura"), true);
    escreveLink(o, p, it.link, noPacote);
    if (!it.executar.isEmpty()) o.insert(proprio("executar"), it.executar);
    if (it.posTexto != TPosVertical::baixo)
        o.insert(proprio("pos_texto"), QLatin1String(nomePosicao(it.posTexto)));
    if (it.dimTexto != 36) o.insert(proprio("dim_texto"), it.dimTexto);
    if (it.dimMoldura != TDimMoldura::sem)
        o.insert(proprio("moldura"), QLatin1String(nomeMoldura(it.dimMoldura)));
    if (it.deslocHoriz) o.insert(proprio("desloc_horiz"), true);
    return o;
}

} // namespace

QString idDaPrancha(int i) {
    return QStringLiteral("prancha_%1").arg(i + 1);
}

QString caminhoDaPrancha(int i) {
    return QStringLiteral("boards/%1.obf").arg(idDaPrancha(i));
}

QJsonObject quadroObf(const TProjeto& p, int i, MidiasDoProjeto& midias, bool noPacote) {
    const TPrancha& b = p.pranchas[i];
    UsoDaPrancha uso;
    QJsonArray botoes, ordem;
    const int linhas = qMax(0, b.nLinhas), colunas = qMax(0, b.nColunas);
    for (int l = 0; l < linhas; ++l) {
        QJsonArray linha;
        for (int c = 0; c < colunas; ++c) {
            const int n = l * colunas + c;
            // As in the board file: a cell without a label is an empty cell.
            if (n >= b.itens.size() || b.itens[n].rotulo.isEmpty()) {
                linha.append(QJsonValue::Null);
                continue;
            }
            const QJsonObject botao = botaoObf(p, i, n, b.itens[n], midias, uso, noPacote);
            linha.append(botao.value(QStringLiteral("id")));
            botoes.append(botao);
        }
        ordem.append(linha);
    }
    QJsonObject o{
        {QStringLiteral("format"), QStringLiteral("open-board-0.1")},
        {QStringLiteral("id"), idDaPrancha(i)},
        {QStringLiteral("locale"), b.idioma.isEmpty() ? QStringLiteral("pt-BR") : b.idioma},
        {QStringLiteral("name"), b.nome},
        {QStringLiteral("buttons"), botoes},
        {QStringLiteral("grid"), QJsonObject{{QStringLiteral("rows"), linhas},
                                             {QStringLiteral("columns"), colunas},
                                             {QStringLiteral("order"), ordem}}},
        {proprio("titulo"), b.titulo}};
    if (b.cor != semCor) o.insert(proprio("cor"), textoCorObf(b.cor));
    if (!b.som.isEmpty()) {
        o.insert(proprio("som"), b.som);
        const int som = midias.som(b.som);
        uso.som(som);
        if (som >= 0) o.insert(proprio("som_id"), midias.sons().at(som).id);
    }
    if (!b.fala.isEmpty()) {
        o.insert(proprio("fala"), b.fala);
        const int gravada = midias.som(b.fala, false);
        uso.som(gravada);
        if (gravada >= 0) o.insert(proprio("fala_som_id"), midias.sons().at(gravada).id);
    }
    if (!b.link.isEmpty()) o.insert(proprio("link"), b.link);
    QJsonArray figuras, sons;
    for (int f : uso.figuras)
        figuras.append(midiaObf(midias.figuras().at(f), noPacote));
    for (int s : uso.sons)
        sons.append(midiaObf(midias.sons().at(s), noPacote));
    o.insert(QStringLiteral("images"), figuras);
    o.insert(QStringLiteral("sounds"), sons);
    return o;
}

int pranchaRaiz(const TProjeto& p) {
    const int inicial = indiceDaPrancha(p, p.pranchaInicial);
    return inicial >= 0 ? inicial : 0;
}

// The ways to select, in the words of the board file's [CONFIG] keys.
QJsonObject opcoesDeAcesso(const TOpcoesAcesso& a) {
    return QJsonObject{
        {QStringLiteral("modo_varredura"), QLatin1String(textoModoVarredura(a.modoVarredura))},
        {QStringLiteral("passo_a_passo"), a.passoAPasso},
        {QStringLiteral("teclas_passo"), textoTeclasPasso(a.avanca, a.seleciona)},
        {QStringLiteral("botoes_passo"), textoBotoesPasso(a.avanca, a.seleciona)},
        {QStringLiteral("tecla_varredura"), textoTeclaVarredura(a.selecionaVarredura)},
        {QStringLiteral("botao_varredura"), textoBotaoVarredura(a.selecionaVarredura)},
        {QStringLiteral("pausa_primeiro"), a.pausaPrimeiro},
        {QStringLiteral("voltas_varredura"), a.voltasVarredura},
        {QStringLiteral("progresso_permanencia"), a.progressoPermanencia},
        {QStringLiteral("barra_mensagem"), a.barraMensagem},
        {QStringLiteral("troca_sem_esperar"), a.trocaSemEsperar}};
}

QJsonObject manifestoObz(const TProjeto& p, const MidiasDoProjeto& midias) {
    QJsonObject pranchas, figuras, sons;
    QJsonArray ordem;
    for (int i = 0; i < p.nPranchas(); ++i) {
        pranchas.insert(idDaPrancha(i), caminhoDaPrancha(i));
        ordem.append(idDaPrancha(i));
    }
    for (const MidiaExportada& m : midias.figuras())
        figuras.insert(m.id, m.caminho);
    for (const MidiaExportada& m : midias.sons())
        sons.insert(m.id, m.caminho);
    return QJsonObject{{QStringLiteral("format"), QStringLiteral("open-board-0.1")},
                       {QStringLiteral("root"), caminhoDaPrancha(pranchaRaiz(p))},
                       {QStringLiteral("paths"), QJsonObject{{QStringLiteral("boards"), pranchas},
                                                             {QStringLiteral("images"), figuras},
                                                             {QStringLiteral("sounds"), sons}}},
                       {proprio("ordem"), ordem},
                       {proprio("autor"), p.autor},
                       {proprio("data"), p.data},
                       {proprio("info"), p.info},
                       {proprio("falando"), p.falando},
                       {proprio("sintetizando"), p.sintetizando},
                       {proprio("fala_varredura"), p.falaVarredura},
                       {proprio("varredura"), p.tempoVarredura},
                       {proprio("histerese"), p.tempoHisterese},
                       {proprio("autoclique"), p.tempoAutoClique},
                       {proprio("socorro"), p.tempoSocorro},
                       {proprio("prancha_inicial"), p.pranchaInicial},
                       {proprio("prancha_socorro"), p.pranchaSocorro},
                       {proprio("acesso"), opcoesDeAcesso(p.acesso)}};
}
