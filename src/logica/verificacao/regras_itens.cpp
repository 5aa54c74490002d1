// What a run plays and shows: the boards' sounds, and each drawn item's picture, sounds, speech
// and program. Every file is looked up in the folder listed once and read at most once.
#include "logica/verificacao/regras.h"

#include "desenho/figura.h"
#include "logica/execucao/comando_item.h"
#include "logica/execucao/fila_saida.h"
#include "plataforma/midia_tocador.h"

#include <QHash>

namespace {

class Arquivos {
public:
    explicit Arquivos(Verificacao& v) : v(v) {}

    void figura(int b, int j, const TItem& it, const QString& arquivo);
    // Decodes every picture found, once each and on all cores, and tells which fail.
    void examinaFiguras();
    void som(int b, int j, const QString& qual, const QString& som);
    void fala(int b, int j, const QString& qual, const QString& fala);
    void programa(int b, int j, const QString& texto);

private:
    // " Há "Oi.WAV", que só difere nas maiúsculas." when the folder holds one.
    QString outraCaixa(const QString& nome) const;
    // Why the recording cannot be played ("o arquivo não é WAV nem MP3"); empty when it can.
    QString porqueNaoToca(const QString& gravacao);

    Verificacao& v;
    struct FiguraDoItem {
        int b, j;
        QString arquivo;
    };
    QList<FiguraDoItem> figuras;
    QHash<QString, QString> sons;
    QHash<QString, bool> programas;
};

QString Arquivos::outraCaixa(const QString& nome) const {
    const QString outro = v.arquivos.comOutraCaixa(nome);
    if (outro.isEmpty()) return {};
    return QStringLiteral(" Há ") + citado(outro) +
           QStringLiteral(", que só difere nas maiúsculas e minúsculas.");
}

void Arquivos::figura(int b, int j, const TItem& it, const QString& arquivo) {
    if (arquivo.isEmpty()) {
        if (it.figura.isEmpty()) return; // no picture asked for, none found by the label
        QString dica = outraCaixa(it.figura);
        if (dica.isEmpty()) dica = outraCaixa(it.figura + QStringLiteral(".jpg"));
        v.acha(TipoAchado::figuraAusente, b, j,
               QStringLiteral("a figura ") + citado(it.figura) +
                   QStringLiteral(" não está na pasta do projeto.") + dica);
        return;
    }
    // A name found by a search in any case, then loaded with its wildcards taken out, may name
    // no file at all.
    const auto curinga = [](const QString& s) { return s.contains(u'?') || s.contains(u'*'); };
    if ((curinga(it.figura) || curinga(it.rotulo)) && !v.arquivos.existe(arquivo)) {
        v.acha(TipoAchado::figuraAusente, b, j,
               QStringLiteral("a figura ") + citado(it.figura.isEmpty() ? it.rotulo : it.figura) +
                   QStringLiteral(" é procurada como ") + citado(arquivo) +
                   QStringLiteral(", que não está na pasta do projeto.") + outraCaixa(arquivo));
        return;
    }
    figuras.append({b, j, arquivo});
}

void Arquivos::examinaFiguras() {
    QHash<QString, int> indice;
    QStringList caminhos;
    for (const FiguraDoItem& f : std::as_const(figuras))
        if (!indice.contains(f.arquivo)) {
            indice.insert(f.arquivo, int(caminhos.size()));
            caminhos << v.arquivos.caminho(f.arquivo);
        }
    const QList<EstadoFigura> estados = ::examinaFiguras(caminhos);
    for (const FiguraDoItem& f : std::as_const(figuras)) {
        const EstadoFigura estado = estados[indice.value(f.arquivo)];
        if (estado == EstadoFigura::ilegivel)
            v.acha(TipoAchado::figuraIlegivel, f.b, f.j,
                   QStringLiteral("a figura ") + citado(f.arquivo) +
                       QStringLiteral(" não pode ser lida (o arquivo está danificado ou não é "
                                      "uma figura)."));
        else if (estado == EstadoFigura::outroFormato)
            v.acha(TipoAchado::figuraIlegivel, f.b, f.j,
                   QStringLiteral("a figura ") + citado(f.arquivo) +
                       QStringLiteral(" não é JPEG nem BMP; outros programas de pranchas podem "
                                      "não mostrá-la."));
    }
}

QString Arquivos::porqueNaoToca(const QString& gravacao) {
    auto porque = sons.constFind(gravacao);
    if (porque == sons.cend()) {
        QString texto;
        switch (tocadorMidia::examinaSom(v.arquivos.caminho(gravacao))) {
        case tocadorMidia::EstadoDoSom::tocavel:
            break;
        case tocadorMidia::EstadoDoSom::naoReconhecido:
            texto = QStringLiteral("o arquivo não é WAV nem MP3");
            break;
        case tocadorMidia::EstadoDoSom::semAmostras:
            texto = QStringLiteral("o arquivo WAV não tem nenhum som gravado");
            break;
        }
        porque = sons.insert(gravacao, texto);
    }
    return *porque;
}

void Arquivos::som(int b, int j, const QString& qual, const QString& som) {
    const QString gravacao = gravacaoDaEntrada(som, v.arquivos);
    if (!gravacao.isEmpty()) {
        const QString porque = porqueNaoToca(gravacao);
        if (!porque.isEmpty())
            v.acha(TipoAchado::somIlegivel, b, j,
                   qual + u' ' + citado(gravacao) + QStringLiteral(" não pode ser tocado: ") +
                       porque + u'.');
        return;
    }
    const QString nome = nomeDeSom(som);
    const QString emVez =
        v.p.sintetizando
            ? QStringLiteral("; na execução, o sintetizador fala ") + citado(som) +
                  QStringLiteral(" no lugar dele.")
            : QStringLiteral(" e, com \"Sintetiza sons não gravados\" desligado, nada é tocado.");
    v.acha(TipoAchado::somAusente, b, j,
           qual + u' ' + citado(nome) + QStringLiteral(" não está na pasta do projeto") + emVez +
               outraCaixa(nome));
}

// A speech text is spoken unless a recording of that name is there: it is only amiss when the
// synthesizer will not speak it either, or when it names a file that is not there.
void Arquivos::fala(int b, int j, const QString& qual, const QString& fala) {
    const QString gravacao = gravacaoDaEntrada(fala, v.arquivos);
    if (!gravacao.isEmpty()) {
        const QString porque = porqueNaoToca(gravacao);
        if (!porque.isEmpty())
            v.acha(TipoAchado::somIlegivel, b, j,
                   QStringLiteral("a gravação ") + citado(gravacao) +
                       QStringLiteral(", usada para ") + qual +
                       QStringLiteral(", não pode ser tocada: ") + porque + u'.');
        return;
    }
    const bool nomeDeArquivo = nomeDeSom(fala) == fala;
    if (v.p.sintetizando && !nomeDeArquivo) return;
    if (nomeDeArquivo)
        v.acha(TipoAchado::somAusente, b, j,
               qual + u' ' + citado(fala) +
                   QStringLiteral(" cita um arquivo que não está na pasta do projeto") +
                   (v.p.sintetizando
                        ? QStringLiteral("; na execução, o sintetizador lê esse nome.")
                        : QStringLiteral(" e, com \"Sintetiza sons não gravados\" desligado, "
                                         "nada é falado.")) +
                   outraCaixa(fala));
    else
        v.acha(TipoAchado::somAusente, b, j,
               qual + u' ' + citado(fala) + QStringLiteral(" não tem gravação (") +
                   citado(nomeDeSom(fala)) +
                   QStringLiteral(") e, com \"Sintetiza sons não gravados\" desligado, nada é "
                                  "falado."));
}

void Arquivos::programa(int b, int j, const QString& texto) {
    auto achado = programas.constFind(texto);
    if (achado == programas.cend())
        achado = programas.insert(texto, achaAlvo(texto, v.pasta).tipo != AlvoDoComando::nenhum);
    if (!*achado)
        v.acha(TipoAchado::programaAusente, b, j,
               QStringLiteral("o programa ") + citado(separaComando(texto).programa) +
                   QStringLiteral(" não foi achado na pasta do projeto nem no sistema; na "
                                  "execução, o clique não abre nada."));
}

// Shows neither a label nor a picture, yet is not an unused cell: something is set in it.
bool mostraNada(const TItem& it, const QString& arquivo) {
    const bool rotulo = !it.semRotulo && !it.rotulo.isEmpty();
    const bool figura = !it.semFigura && (!it.figura.isEmpty() || !arquivo.isEmpty());
    return !rotulo && !figura;
}

bool celulaSemUso(const TItem& it) {
    return it.rotulo.isEmpty() && it.figura.isEmpty() && it.som.isEmpty() && it.fala.isEmpty() &&
           it.link.isEmpty() && it.executar.isEmpty();
}

void verificaConteudo(Verificacao& v, int b, int j, const TItem& it, const QString& arquivo) {
    if (celulaSemUso(it)) return;
    const QString semGravar = QStringLiteral(
        "; sem rótulo, ele também não é gravado ao salvar (o rótulo pode ficar escondido com "
        "\"Sem rótulo\").");
    if (mostraNada(it, arquivo))
        v.acha(TipoAchado::itemSemConteudo, b, j,
               QStringLiteral("não mostra rótulo nem figura e aparece como uma célula em branco") +
                   (it.rotulo.isEmpty() ? semGravar : QStringLiteral(".")));
    else if (it.rotulo.isEmpty())
        v.acha(TipoAchado::itemSemRotulo, b, j,
               QStringLiteral("não tem rótulo e por isso não é gravado ao salvar (o rótulo pode "
                              "ficar escondido com \"Sem rótulo\")."));
}

} // namespace

void verificaItens(Verificacao& v) {
    Arquivos arquivos(v);
    for (int b = 0; b < v.nPranchas(); ++b) {
        const TPrancha& prancha = v.p.pranchas[b];
        if (!prancha.som.isEmpty())
            arquivos.som(b, -1, QStringLiteral("o som da prancha"), prancha.som);
        if (!prancha.fala.isEmpty())
            arquivos.fala(b, -1, QStringLiteral("a fala da prancha"), prancha.fala);
        for (int j = 0; j < Verificacao::itensNaGrade(prancha); ++j) {
            const TItem& it = prancha.itens[j];
            if (Verificacao::itemEscondido(it)) continue; // not drawn, not clickable
            const QString arquivo =
                it.semFigura ? QString() : resolveFigura(it.figura, it.rotulo, v.arquivos);
            if (!it.semFigura) arquivos.figura(b, j, it, arquivo);
            if (!it.som.isEmpty()) arquivos.som(b, j, QStringLiteral("o som"), it.som);
            if (!it.fala.isEmpty()) arquivos.fala(b, j, QStringLiteral("a fala"), it.fala);
            if (!it.executar.isEmpty()) arquivos.programa(b, j, it.executar);
            verificaConteudo(v, b, j, it, arquivo);
        }
    }
    arquivos.examinaFiguras();
}
