#include "logica/configuracao/config_exec_regras.h"

#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"

#include <limits>

QString avisoNumeroInvalido(const QString& campo, qint32 maximo, const QString& unidade) {
    return QStringLiteral("Dados numéricos inválidos, confira: ") + campo +
           QStringLiteral(" deve estar entre 0 e ") + QString::number(maximo) +
           (unidade.isEmpty() ? QString() : u' ' + unidade);
}

ResultadoDosTempos guardaTempos(TProjeto& p, const TextosDosTempos& textos, QString* erro) {
    const struct {
        const QString& texto;
        qint32& campo;
        const char* nome;
        qint32 maximo;
    } caixas[] = {
        {textos.varredura, p.tempoVarredura, "Varredura", maxVarredura},
        {textos.histerese, p.tempoHisterese, "Ignora cliques múltiplos", maxHisterese},
        {textos.socorro, p.tempoSocorro, "Clique para socorro", maxSocorro},
        {textos.autoClique, p.tempoAutoClique, "Tempo de auto-clique", maxAutoClique},
    };
    for (const auto& c : caixas) {
        qint32 valor = 0;
        // The board file's own reading of whole numbers, which takes blanks off both ends.
        if (!leInteiro(c.texto, valor) || valor < 0 || valor > c.maximo) {
            if (erro)
                *erro =
                    avisoNumeroInvalido(QString::fromUtf8(c.nome), c.maximo, QStringLiteral("ms"));
            return ResultadoDosTempos::invalido;
        }
        c.campo = valor;
    }
    return tornaTemposCoerentes(p) ? ResultadoDosTempos::corrigido : ResultadoDosTempos::coerente;
}

bool tornaTemposCoerentes(TProjeto& p) {
    bool mudou = false;
    auto muda = [&mudou](qint32& campo, qint32 valor) {
        mudou = mudou || campo != valor;
        campo = valor;
    };
    if (p.tempoVarredura != 0 && p.tempoVarredura < 500) muda(p.tempoVarredura, 2000);
    if (p.tempoHisterese != 0 && p.tempoHisterese < 200) muda(p.tempoHisterese, 1000);
    // In 64 bits: a scanning time near the top of the range must not wrap round.
    if (p.tempoSocorro != 0 && qint64(p.tempoSocorro) <= qint64(p.tempoVarredura) + 500)
        muda(p.tempoSocorro, qint32(qMin<qint64>(qint64(p.tempoVarredura) + 1000,
                                                 std::numeric_limits<qint32>::max())));
    if (p.tempoAutoClique != 0 && p.tempoVarredura != 0) muda(p.tempoAutoClique, 0);
    return mudou;
}

QString guardaOpcoesAcesso(TProjeto& destino, TOpcoesAcesso escolhidas, const QString& pausa,
                           const QString& voltas) {
    qint32 ms = 0, n = 0;
    if (!leInteiro(pausa, ms) || ms < 0 || ms > maxPausaPrimeiro)
        return avisoNumeroInvalido(QStringLiteral("Pausa a mais no primeiro item"),
                                   maxPausaPrimeiro, QStringLiteral("ms"));
    if (!leInteiro(voltas, n) || n < 0 || n > maxVoltasVarredura)
        return avisoNumeroInvalido(QStringLiteral("Voltas antes de parar"), maxVoltasVarredura);
    const TChave &a = escolhidas.avanca, &s = escolhidas.seleciona;
    if (a.tecla == s.tecla || (a.botao == s.botao && a.botao != Qt::NoButton))
        return QStringLiteral("A chave que avança e a que seleciona precisam ser diferentes");
    if (a.tecla == 0 || s.tecla == 0) return QStringLiteral("Escolha as teclas das duas chaves");
    if (escolhidas.selecionaVarredura == TChave{})
        return QStringLiteral("Escolha a tecla ou o botão que seleciona na varredura com tempo");
    escolhidas.pausaPrimeiro = ms;
    escolhidas.voltasVarredura = n;
    destino.acesso = escolhidas;
    return {};
}
