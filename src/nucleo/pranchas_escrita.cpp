// Writing a project as the board file's bytes.
#include "nucleo/pranchas_formato.h"

#include "nucleo/cp1252.h"
#include "nucleo/pranchas_valores.h"

#include <charconv>
#include <cstring>

namespace {

// The text after "KEY=". The reader takes one pair of enclosing quotes off a value, so a value
// that has them of its own goes out in one more pair.
struct Valor {
    QStringView texto;
};

// Builds the file in one buffer: room for a whole line is made once, then ASCII goes straight
// in, text through the code page (never more bytes than UTF-16 units) and numbers without a
// QString of their own.
class Escritor {
public:
    explicit Escritor(qsizetype previsto) { cresce(previsto); }

    template <typename... Partes> void linha(const Partes&... partes) {
        garante((tamanhoMaximo(partes) + ... + 2));
        (escreve(partes), ...);
        escreve("\r\n");
    }

    PranchasEscritas termina() {
        bytes.truncate(cursor - bytes.data());
        return {std::move(bytes), trocados};
    }

private:
    QByteArray bytes;
    char* cursor = nullptr;
    int trocados = 0;

    static qsizetype tamanhoMaximo(const char* ascii) { return qsizetype(std::strlen(ascii)); }
    static qsizetype tamanhoMaximo(Valor v) { return v.texto.size() + 2; }
    static qsizetype tamanhoMaximo(QStringView texto) { return texto.size(); }
    static qsizetype tamanhoMaximo(qint64) { return 20; }

    void escreve(const char* ascii) {
        const size_t n = std::strlen(ascii);
        std::memcpy(cursor, ascii, n);
        cursor += n;
    }
    void escreve(QStringView texto) { cursor += escreveCp1252(texto, cursor, &trocados); }
    void escreve(Valor v) {
        const QStringView lido = semBrancosNasPontas(v.texto);
        const bool aspas = lido.size() >= 2 && (lido.front() == u'"' || lido.front() == u'\'') &&
                           lido.back() == lido.front();
        if (aspas) *cursor++ = '"';
        escreve(v.texto);
        if (aspas) *cursor++ = '"';
    }
    void escreve(qint64 n) { cursor = std::to_chars(cursor, cursor + 20, n).ptr; }

    void garante(qsizetype n) {
        if (bytes.data() + bytes.size() - cursor < n) cresce(qMax(n, bytes.size()));
    }
    void cresce(qsizetype mais) {
        const qsizetype usados = cursor ? cursor - bytes.data() : 0;
        bytes.resize(bytes.size() + mais);
        cursor = bytes.data() + usados;
    }
};

const char* simNao(bool v) {
    return v ? "SIM" : "N\xC3O"; // NÃO in Windows-1252
}

const char* nomePosTexto(TPosVertical v) {
    return v == TPosVertical::meio ? "meio" : "cima";
}

const char* nomeMoldura(TDimMoldura m) {
    return m == TDimMoldura::fina ? "fina" : m == TDimMoldura::media ? "media" : "grossa";
}

// About what the file will take, so the buffer grows once.
qsizetype tamanhoPrevisto(const TProjeto& p) {
    qsizetype t = 2048;
    for (const TPrancha& pr : p.pranchas) {
        t += 180 + pr.nome.size() + pr.titulo.size() + pr.link.size() + pr.som.size() +
             pr.fala.size() + pr.idioma.size();
        for (const TItem& it : pr.itens)
            t += 120 + it.rotulo.size() + it.figura.size() + it.link.size() + it.som.size() +
                 it.fala.size() + it.executar.size();
    }
    return t;
}

void escrevePrancha(Escritor& e, const TPrancha& p) {
    e.linha();
    e.linha(";------------------------------------------");
    e.linha();
    e.linha("[", QStringView(p.nome), "]");
    e.linha("MODELO=", qint64(p.nLinhas), "X", qint64(p.nColunas));
    e.linha("TITULO=", Valor{p.titulo});
    if (!p.link.isEmpty()) e.linha("LINK=", Valor{p.link});
    if (p.cor != semCor) e.linha("COR=", qint64(p.cor));
    if (!p.som.isEmpty()) e.linha("SOM=", Valor{p.som});
    if (!p.fala.isEmpty()) e.linha("FALA=", Valor{p.fala});
    if (!p.idioma.isEmpty()) e.linha("IDIOMA=", Valor{p.idioma});
    e.linha();
    for (qint32 n = 1; n <= p.nItens(); ++n) {
        const TItem& lido = p.itens.at(n - 1);
        const bool semRotulo = semBrancosNasPontas(lido.rotulo).isEmpty();
        const TItem oculto = semRotulo ? comRotuloOculto(lido) : TItem{};
        const TItem& it = semRotulo ? oculto : lido;
        if (it.rotulo.isEmpty()) continue;
        e.linha(qint64(n), "=", Valor{it.rotulo});
        auto chave = [&](const char* palavra, const auto& valor) {
            e.linha("    ", palavra, " ", qint64(n), "=", valor);
        };
        if (!it.figura.isEmpty()) chave("FIGURA", Valor{it.figura});
        if (!it.link.isEmpty()) chave("LINK", Valor{it.link});
        char cor[10];
        if (it.cor != semCor) chave("COR", textoCor(it.cor, cor));
        if (!it.som.isEmpty()) chave("SOM", Valor{it.som});
        if (!it.fala.isEmpty()) chave("FALA", Valor{it.fala});
        if (!it.executar.isEmpty()) chave("EXECUTAR", Valor{it.executar});
        if (it.posTexto != TPosVertical::baixo) chave("POSTEXTO", nomePosTexto(it.posTexto));
        if (it.dimTexto != 36) chave("DIMTEXTO", qint64(it.dimTexto));
        if (it.dimMoldura != TDimMoldura::sem) chave("DIMMOLDURA", nomeMoldura(it.dimMoldura));
        if (it.deslocHoriz) chave("DESLOCHORIZ", "SIM");
        if (it.semRotulo) chave("SEMROTULO", "SIM");
        if (it.semFigura) chave("SEMFIGURA", "SIM");
    }
}

// Only what differs from the default, so a file without these options stays as it was.
void escreveAcesso(Escritor& e, const TOpcoesAcesso& a) {
    const TOpcoesAcesso padrao;
    if (a.modoVarredura != padrao.modoVarredura)
        e.linha("MODOVARREDURA=", textoModoVarredura(a.modoVarredura));
    if (a.passoAPasso) e.linha("PASSOAPASSO=SIM");
    if (a.avanca.tecla != padrao.avanca.tecla || a.seleciona.tecla != padrao.seleciona.tecla)
        e.linha("TECLASPASSO=", QStringView(textoTeclasPasso(a.avanca, a.seleciona)));
    if (a.avanca.botao != padrao.avanca.botao || a.seleciona.botao != padrao.seleciona.botao)
        e.linha("BOTOESPASSO=", QStringView(textoBotoesPasso(a.avanca, a.seleciona)));
    if (a.selecionaVarredura.tecla != padrao.selecionaVarredura.tecla)
        e.linha("TECLAVARREDURA=", QStringView(textoTeclaVarredura(a.selecionaVarredura)));
    if (a.selecionaVarredura.botao != padrao.selecionaVarredura.botao)
        e.linha("BOTAOVARREDURA=", QStringView(textoBotaoVarredura(a.selecionaVarredura)));
    if (a.pausaPrimeiro != padrao.pausaPrimeiro) e.linha("PAUSAPRIMEIRO=", qint64(a.pausaPrimeiro));
    if (a.voltasVarredura != padrao.voltasVarredura)
        e.linha("VOLTASVARREDURA=", qint64(a.voltasVarredura));
    if (a.progressoPermanencia) e.linha("PROGRESSOPERMANENCIA=SIM");
    if (a.barraMensagem) e.linha("BARRAMENSAGEM=SIM");
    if (a.trocaSemEsperar) e.linha("TROCASEMESPERAR=SIM");
}

} // namespace

PranchasEscritas textoPranchas(const TProjeto& p) {
    Escritor e(tamanhoPrevisto(p));
    const char* traco =
        ";-------------------------------------------------------------------------";
    e.linha(traco);
    e.linha(";  Zelvana");
    e.linha(";  ", QStringView(p.nome));
    e.linha(";  Autor: ", QStringView(p.autor));
    e.linha(";  Em ", QStringView(p.data));
    e.linha(traco);
    e.linha();
    e.linha("[CONFIG]");
    e.linha("AUTOR=", Valor{p.autor});
    e.linha("DATA=", Valor{p.data});
    e.linha("INFO=", Valor{p.info});
    e.linha("FALANDO=", simNao(p.falando));
    e.linha("SINTETIZANDO=", simNao(p.sintetizando));
    e.linha("FALAVARREDURA=", simNao(p.falaVarredura));
    e.linha("VARREDURA=", qint64(p.tempoVarredura));
    e.linha("HISTERESE=", qint64(p.tempoHisterese));
    e.linha("AUTOCLIQUE=", qint64(p.tempoAutoClique));
    e.linha("SOCORRO=", qint64(p.tempoSocorro));
    e.linha("PRANCHA_INICIAL=", Valor{p.pranchaInicial});
    e.linha("PRANCHA_SOCORRO=", Valor{p.pranchaSocorro});
    escreveAcesso(e, p.acesso);
    e.linha();
    e.linha(QStringView(
        u"; FALANDO=SIM indica que serão lidos os rótulos, com o sintetizador do Windows"));
    e.linha("; VARREDURA=0 indica sem varredura");
    e.linha(QStringView(u"; HISTERESE=0 indica que a pessoa pode dar vários cliques em sequência"));
    e.linha(
        QStringView(u"; SOCORRO=0 indica que o tempo de desvio para a prancha ESCAPE não é usado"));
    for (qint32 i = 0; i < p.nPranchas(); ++i)
        escrevePrancha(e, p.pranchas.at(i));
    return e.termina();
}
