#include "logica/rascunho/transcricao.h"

#include "logica/editor/biblioteca_figuras.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/nomes.h"

#include <QSet>
#include <array>

namespace {

const QString semNome = QStringLiteral("Sem Nome");

bool branco(QChar c) {
    return c.unicode() <= 0x20 || c.isSpace() || c.category() == QChar::Other_Control;
}

// Blanks and control characters off both ends.
QString apara(const QString& s) {
    qsizetype a = 0;
    qsizetype b = s.size();
    while (a < b && branco(s.at(a)))
        ++a;
    while (b > a && branco(s.at(b - 1)))
        --b;
    return s.mid(a, b - a);
}

bool linhaDePrancha(const QString& linha) {
    return linha.startsWith(u'[');
}

// The name a trimmed board line gives: [casa], [casa and [ casa ] all name casa, [casa]] names
// casa]. Empty for "[", "[]" and "[ ]", which name no board.
QString nomeDaLinha(const QString& linha) {
    QString nome = linha.mid(1);
    if (nome.endsWith(u']')) nome.chop(1);
    return apara(nome);
}

TPrancha novaPrancha(const QString& nome, const ConfigRascunho& c) {
    TPrancha b;
    b.nome = nome;
    b.titulo = nome;
    b.cor = c.corPranchaDefault;
    // Only the name: the sound is recorded later, in the board dialog.
    if (c.geraSomPranchaAuto) b.som = nome + QStringLiteral(".wav");
    if (c.geraFalaPranchaAuto) b.fala = nome;
    return b;
}

TItem novoItem(const QString& rotulo, const ConfigRascunho& c, const FigurasDaBiblioteca& f) {
    TItem it;
    it.rotulo = rotulo;
    if (c.incluiFiguraItemAuto) it.figura = achaFiguraParaRotulo(rotulo, f);
    it.semFigura = it.figura.isEmpty();
    it.cor = c.corItemDefault;
    if (c.geraSomItemAuto) it.som = rotulo + QStringLiteral(".wav");
    if (c.geraFalaItemAuto) it.fala = rotulo;
    it.posTexto = c.posTextoDefault;
    it.dimTexto = c.dimTextoDefault;
    it.dimMoldura = c.dimMolduraDefault;
    return it;
}

void acrescentaPrancha(TProjeto& p, const QString& nome, const ConfigRascunho& c) {
    p.pranchas.append(novaPrancha(nome, c));
}

// Items lead to the board their label names, as a run finds it; "voltar" goes back.
void ligaItens(TProjeto& p, bool descobreLigacoes) {
    const QString voltar = QStringLiteral("VOLTAR");
    for (int i = 0; i < p.nPranchas(); ++i)
        for (TItem& it : p.pranchas[i].itens) {
            // An empty cell is no item: it would link to a board with no name.
            if (it.rotulo.isEmpty()) continue;
            if (descobreLigacoes && it.link.isEmpty()) {
                const int k = indiceDaPrancha(p, it.rotulo);
                if (k >= 0) it.link = p.pranchas[k].nome;
            }
            if (it.link.isEmpty() && maiusculas(it.rotulo) == voltar)
                it.link = QStringLiteral("#ANTERIOR");
        }
}

// From `inicio` on, a board whose name an earlier board has gives that board the items it
// lacks (by label, in any case) and leaves the project.
void dobraDuplicatas(TProjeto& p, int inicio) {
    int i = inicio;
    while (i < p.nPranchas()) {
        const int alvo = indiceDaPrancha(p, p.pranchas[i].nome);
        if (alvo < 0 || alvo >= i) {
            ++i;
            continue;
        }
        const TItemArray novos = p.pranchas[i].itens;
        TPrancha& destino = p.pranchas[alvo];
        QSet<QString> rotulos;
        for (const TItem& it : destino.itens)
            rotulos.insert(maiusculas(it.rotulo));
        for (const TItem& it : novos) {
            const QString chave = maiusculas(it.rotulo);
            if (rotulos.contains(chave)) continue;
            rotulos.insert(chave);
            destino.itens.append(it);
        }
        removePranchaDoProjeto(p, i);
        ajustaModelo(p.pranchas[alvo]);
    }
}

} // namespace

FigurasDaBiblioteca figurasDaBiblioteca() {
    return {listaFiguras(), listaFigurasMaiusculas()};
}

QString achaFiguraParaRotulo(const QString& rotulo, const FigurasDaBiblioteca& figuras) {
    const QString procurado = maiusculas(rotulo);
    const qsizetype n = qMin(figuras.nomes.size(), figuras.maiusculas.size());
    qsizetype achada = -1;
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype tamanho = figuras.nomes[k].size();
        if (tamanho > rotulo.size() + 1 || !figuras.maiusculas[k].startsWith(procurado)) continue;
        achada = k;
        if (tamanho == rotulo.size()) break; // the same name: nothing can beat it
    }
    return achada < 0 ? QString() : figuras.nomes[achada] + QStringLiteral(".jpg");
}

void ajustaModelo(TPrancha& prancha) {
    const qint64 n = prancha.nItens();
    if (qint64(qMax(0, prancha.nLinhas)) * qMax(0, prancha.nColunas) >= n) return;
    if (n <= 16) {
        // Rows and columns for 1 to 16 items.
        static constexpr std::array<std::array<qint32, 2>, 17> tabela{{{0, 0},
                                                                       {1, 1},
                                                                       {1, 2},
                                                                       {1, 3},
                                                                       {2, 2},
                                                                       {2, 3},
                                                                       {2, 3},
                                                                       {2, 4},
                                                                       {3, 3},
                                                                       {3, 3},
                                                                       {3, 4},
                                                                       {3, 4},
                                                                       {3, 4},
                                                                       {4, 4},
                                                                       {4, 4},
                                                                       {4, 4},
                                                                       {4, 4}}};
        prancha.nLinhas = tabela[n][0];
        prancha.nColunas = tabela[n][1];
        return;
    }
    qint64 s = 4;
    while ((s + 1) * (s + 1) <= n)
        ++s;
    prancha.nLinhas = qint32(s);
    if (s * s == n)
        prancha.nColunas = qint32(s);
    else if (s * (s + 1) >= n)
        prancha.nColunas = qint32(s + 1);
    else // 21 to 24, 31 to 35 ...: one row more, or the last items would have no cell
        prancha.nLinhas = prancha.nColunas = qint32(s + 1);
}

bool haPranchaDuplicada(const TProjeto& projeto, const QStringList& linhas) {
    for (const QString& linha : linhas) {
        const QString texto = apara(linha);
        if (!linhaDePrancha(texto)) continue;
        const QString nome = nomeDaLinha(texto);
        if (!nome.isEmpty() && indiceDaPrancha(projeto, nome) >= 0) return true;
    }
    return false;
}

QString problemaNasLinhasDePrancha(const QStringList& linhas) {
    for (const QString& linha : linhas) {
        const QString texto = apara(linha);
        if (!linhaDePrancha(texto)) continue;
        const QString problema = problemaNoNomeDePrancha(nomeDaLinha(texto));
        if (!problema.isEmpty())
            return QStringLiteral("Na linha ") + texto + QStringLiteral(": ") + problema;
    }
    return {};
}

std::optional<Transcricao> transcreveRascunho(TProjeto projeto, const QStringList& linhas,
                                              const ConfigRascunho& config,
                                              const FigurasDaBiblioteca& figuras,
                                              bool agregaDuplicatas) {
    if (haPranchaDuplicada(projeto, linhas) && !agregaDuplicatas) return std::nullopt;

    Transcricao t;
    TProjeto& p = t.projeto;
    p = std::move(projeto);
    const int inicio = p.nPranchas();
    bool antigaRecebeuItens = false;
    QSet<QString> figurasVistas;
    bool viuPrancha = false;

    for (const QString& linha : linhas) {
        const QString texto = apara(linha);
        if (texto.isEmpty()) continue;
        if (linhaDePrancha(texto)) {
            const QString nome = nomeDaLinha(texto);
            if (!nome.isEmpty()) acrescentaPrancha(p, nome, config);
            viuPrancha = viuPrancha || !nome.isEmpty();
            continue;
        }
        if (p.nPranchas() == 0) acrescentaPrancha(p, semNome, config);
        TPrancha& prancha = p.pranchas[p.nPranchas() - 1];
        if (!viuPrancha) t.recebeuItensSoltos = prancha.nome;
        prancha.itens.append(novoItem(texto, config, figuras));
        if (p.nPranchas() - 1 < inicio) antigaRecebeuItens = true;
        const QString& figura = prancha.itens.constLast().figura;
        if (!figura.isEmpty() && !figurasVistas.contains(figura)) {
            figurasVistas.insert(figura);
            t.figuras << figura;
        }
    }

    // The old board that took items gets a grid for them too, or they would be lost on save.
    if (antigaRecebeuItens) ajustaModelo(p.pranchas[inicio - 1]);
    for (int i = inicio; i < p.nPranchas(); ++i)
        ajustaModelo(p.pranchas[i]);
    ligaItens(p, config.geraLinkItemAuto);
    if (p.nPranchas() > inicio) {
        if (p.pranchaInicial.isEmpty()) p.pranchaInicial = p.pranchas[inicio].nome;
        if (p.pranchaSocorro.isEmpty()) p.pranchaSocorro = p.pranchas[inicio].nome;
    }
    // Always, not only after the question: two boards of one name in the board file would
    // both read the first one's items, and the second one's would be lost at the next load.
    dobraDuplicatas(p, inicio);
    return t;
}
