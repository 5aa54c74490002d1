// Links, the start and help boards, which boards a run can reach, and names that look alike.
#include "logica/verificacao/regras.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace {

// Where a click on board b can lead: by name, back with "#ANTERIOR" and its offset, or nowhere.
struct Saidas {
    struct Anterior {
        int item; // -1: the board's own link, followed from items without one
        int deslocamento;
        QString texto;
    };
    std::vector<int> porNome;
    bool algumSemDestino = false;
    std::vector<Anterior> anteriores;
};

// "o link "X"" or "o link da prancha, "X",".
QString qualLink(int item, const QString& link) {
    return item < 0 ? QStringLiteral("o link da prancha, ") + citado(link) + u','
                    : QStringLiteral("o link ") + citado(link);
}

// The links of a project repeat ("INICIO", "#ANTERIOR"): each text is taken apart once.
class Links {
public:
    explicit Links(const Verificacao& v) : v(v) {}
    const DestinoDoLink& destino(const QString& link) {
        auto d = vistos.constFind(link);
        if (d == vistos.cend()) d = vistos.insert(link, v.nomes.destino(link, 0));
        return *d;
    }

private:
    const Verificacao& v;
    QHash<QString, DestinoDoLink> vistos;
};

// Takes the link apart; tells when it leads nowhere whatever the board before; gives it to the
// run's paths when a click can follow it.
void segueLink(Verificacao& v, Links& links, int b, int item, const QString& link, bool clicavel,
               Saidas& s) {
    const DestinoDoLink& d = links.destino(link);
    if (d.paraAnterior) {
        // Where it leads depends on the board before: the paths of the run tell.
        if (clicavel) s.anteriores.push_back({item, d.deslocamento, link});
        return;
    }
    if (d.base < 0)
        v.acha(TipoAchado::linkSemPrancha, b, item,
               qualLink(item, link) + QStringLiteral(" não leva a nenhuma prancha: ") +
                   porqueNaoLeva(v, d, link) + u'.');
    else if (d.alvo < 0)
        v.acha(TipoAchado::linkForaDoProjeto, b, item,
               qualLink(item, link) + QStringLiteral(" sai do projeto: ") +
                   porqueNaoLeva(v, d, link) + u'.');
    if (!clicavel) return;
    if (d.alvo >= 0)
        s.porNome.push_back(d.alvo);
    else
        s.algumSemDestino = true;
}

std::vector<Saidas> linksDasPranchas(Verificacao& v) {
    std::vector<Saidas> saidas(size_t(v.nPranchas()));
    Links links(v);
    for (int b = 0; b < v.nPranchas(); ++b) {
        const TPrancha& prancha = v.p.pranchas[b];
        bool usaLinkDaPrancha = false;
        for (int j = 0; j < Verificacao::itensNaGrade(prancha); ++j) {
            const TItem& it = prancha.itens[j];
            if (Verificacao::itemEscondido(it)) continue;
            if (it.link.isEmpty())
                usaLinkDaPrancha = true;
            else
                segueLink(v, links, b, j, it.link, true, saidas[size_t(b)]);
        }
        if (!prancha.link.isEmpty())
            segueLink(v, links, b, -1, prancha.link, usaLinkDaPrancha, saidas[size_t(b)]);
    }
    return saidas;
}

// The states a run passes through: the board shown and the board before it, which
// "#ANTERIOR" goes back to. A link by name makes the board it was followed from the one before
// (even when it leads nowhere); "#ANTERIOR" leaves it as it is.
class Caminhos {
public:
    Caminhos(Verificacao& v, const std::vector<Saidas>& saidas)
        : v(v), saidas(saidas), n(v.nPranchas()), alcancada(size_t(n), false),
          porNomeVisto(size_t(n), false) {}

    void parteDe(int atual, int anterior) {
        const qint64 chave = qint64(atual) * n + anterior;
        if (vistos.contains(chave)) return;
        vistos.insert(chave);
        fila.push_back({atual, anterior});
    }

    void percorre() {
        while (!fila.empty()) {
            const auto [atual, anterior] = fila.back();
            fila.pop_back();
            alcancada[size_t(atual)] = true;
            const Saidas& s = saidas[size_t(atual)];
            // Links by name lead to the same state whatever the board before.
            if (!porNomeVisto[size_t(atual)]) {
                porNomeVisto[size_t(atual)] = true;
                for (const int alvo : s.porNome)
                    parteDe(alvo, atual);
                if (s.algumSemDestino) parteDe(atual, atual);
            }
            for (const Saidas::Anterior& a : s.anteriores)
                segueAnterior(atual, anterior, a);
        }
    }

    bool alcanca(int b) const { return alcancada[size_t(b)]; }

private:
    void segueAnterior(int atual, int anterior, const Saidas::Anterior& a) {
        const int alvo = anterior + a.deslocamento;
        if (alvo >= 0 && alvo < n) {
            parteDe(alvo, anterior);
            return;
        }
        if (relatados.contains({atual, a.item})) return;
        relatados.insert({atual, a.item});
        DestinoDoLink d;
        d.paraAnterior = true;
        d.base = anterior;
        d.deslocamento = a.deslocamento;
        v.acha(TipoAchado::linkForaDoProjeto, atual, a.item,
               qualLink(a.item, a.texto) +
                   QStringLiteral(" sai do projeto quando a prancha anterior é ") +
                   citado(v.p.pranchas[anterior].nome) + QStringLiteral(": ") +
                   porqueNaoLeva(v, d, a.texto) + u'.');
    }

    Verificacao& v;
    const std::vector<Saidas>& saidas;
    const int n;
    std::vector<bool> alcancada;
    std::vector<bool> porNomeVisto;
    QSet<qint64> vistos;
    std::vector<std::pair<int, int>> fila;
    QSet<std::pair<int, int>> relatados;
};

// The board a setting names, or -1 after telling why there is none.
int pranchaDaConfiguracao(Verificacao& v, const QString& nome, int anterior, TipoAchado tipo,
                          const QString& qual, const QString& consequencia) {
    const DestinoDoLink d = v.nomes.destino(nome, anterior);
    if (d.alvo >= 0) return d.alvo;
    v.achaNoProjeto(
        tipo, qual + citado(nome) +
                  (d.base < 0 ? QStringLiteral(" não existe no projeto")
                              : QStringLiteral(" sai do projeto: ") + porqueNaoLeva(v, d, nome)) +
                  consequencia);
    return -1;
}

void verificaAlcance(Verificacao& v, const std::vector<Saidas>& saidas) {
    Caminhos caminhos(v, saidas);
    const QString& socorro = v.p.pranchaSocorro;
    if (v.p.pranchaInicial.isEmpty()) {
        // The run asks for its start board: any board may be the first, and the help press
        // leads from there to the help board.
        for (int b = 0; b < v.nPranchas(); ++b)
            caminhos.parteDe(b, b);
        if (!socorro.isEmpty())
            for (int b = 0; b < v.nPranchas(); ++b)
                if (const int h = v.nomes.destino(socorro, b).alvo; h >= 0) caminhos.parteDe(h, b);
    } else {
        const int inicio = pranchaDaConfiguracao(
            v, v.p.pranchaInicial, 0, TipoAchado::pranchaInicialSemPrancha,
            QStringLiteral("A prancha inicial "), QStringLiteral("; a execução não pode começar."));
        if (inicio < 0) {
            // No run starts: only the help board setting is left to look at.
            if (!socorro.isEmpty())
                pranchaDaConfiguracao(v, socorro, 0, TipoAchado::pranchaSocorroSemPrancha,
                                      QStringLiteral("A prancha de socorro "), QStringLiteral("."));
            return;
        }
        caminhos.parteDe(inicio, inicio);
        // The help press makes the start board current, then looks the help board up.
        if (!socorro.isEmpty()) {
            const int h = pranchaDaConfiguracao(
                v, socorro, inicio, TipoAchado::pranchaSocorroSemPrancha,
                QStringLiteral("A prancha de socorro "),
                QStringLiteral("; na execução, o toque longo mostra um aviso em vez de levar a "
                               "ela."));
            if (h >= 0) caminhos.parteDe(h, inicio);
        }
    }
    caminhos.percorre();
    if (v.p.pranchaInicial.isEmpty()) return;
    for (int b = 0; b < v.nPranchas(); ++b)
        if (!caminhos.alcanca(b))
            v.acha(TipoAchado::pranchaInalcancavel, b, -1,
                   QStringLiteral("nenhum caminho de links leva a ela a partir da prancha "
                                  "inicial ") +
                       citado(v.p.pranchaInicial) + u'.');
}

// Names that differ only by letter case or blanks: the link look-up finds the first of those
// that differ only at their ends, and an author easily types one for the other.
void verificaNomesParecidos(Verificacao& v) {
    QHash<QString, int> primeira;
    for (int b = 0; b < v.nPranchas(); ++b) {
        QString chave;
        for (const QChar c : v.p.pranchas[b].nome.toCaseFolded())
            if (!c.isSpace()) chave += c;
        const auto antes = primeira.constFind(chave);
        if (antes == primeira.cend()) {
            primeira.insert(chave, b);
            continue;
        }
        const QString& outro = v.p.pranchas[*antes].nome;
        if (v.nomes.indice(v.p.pranchas[b].nome) == *antes)
            v.acha(TipoAchado::nomesParecidos, b, -1,
                   QStringLiteral("o nome é o mesmo da prancha ") + citado(outro) +
                       QStringLiteral(" (só mudam maiúsculas ou espaços nas pontas); os links "
                                      "sempre levam àquela, nunca a esta."));
        else
            v.acha(TipoAchado::nomesParecidos, b, -1,
                   QStringLiteral("o nome só difere do da prancha ") + citado(outro) +
                       QStringLiteral(" em maiúsculas ou espaços; é fácil um link citar a "
                                      "prancha errada."));
    }
}

} // namespace

QString porqueNaoLeva(const Verificacao& v, const DestinoDoLink& d, const QString& link) {
    if (d.base < 0) {
        QString r = d.nome == link.trimmed()
                        ? QStringLiteral("não há prancha com esse nome")
                        : QStringLiteral("não há prancha com o nome ") + citado(d.nome);
        if (d.nome != d.nome.trimmed() && v.nomes.indice(d.nome) >= 0)
            r += QStringLiteral(" (o espaço antes do sinal conta como parte do nome)");
        return r;
    }
    const QString base = citado(v.p.pranchas[d.base].nome);
    const int resto = d.deslocamento > 0 ? v.nPranchas() - 1 - d.base : d.base;
    return (d.deslocamento > 0 ? QStringLiteral("depois de ") : QStringLiteral("antes de ")) +
           base +
           (resto == 0 ? QStringLiteral(" não há nenhuma prancha")
                       : QStringLiteral(" há só ") +
                             quantos(resto, QStringLiteral("prancha"), QStringLiteral("pranchas")));
}

void verificaLinks(Verificacao& v) {
    const std::vector<Saidas> saidas = linksDasPranchas(v);
    verificaAlcance(v, saidas);
    verificaNomesParecidos(v);
}
