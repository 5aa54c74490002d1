// The run times as the execution settings would leave them.
#include "logica/verificacao/regras.h"

#include "logica/configuracao/config_exec_regras.h"

#include <QStringList>

void verificaTempos(Verificacao& v) {
    TProjeto corrigido;
    corrigido.tempoVarredura = v.p.tempoVarredura;
    corrigido.tempoHisterese = v.p.tempoHisterese;
    corrigido.tempoSocorro = v.p.tempoSocorro;
    corrigido.tempoAutoClique = v.p.tempoAutoClique;
    if (!tornaTemposCoerentes(corrigido)) return;
    QStringList mudancas;
    const auto mudanca = [&](const char* nome, qint32 antes, qint32 depois) {
        if (antes != depois)
            mudancas << QString::fromUtf8(nome) + QStringLiteral(" de ") + QString::number(antes) +
                            QStringLiteral(" para ") + QString::number(depois) +
                            QStringLiteral(" ms");
    };
    mudanca("\"Varredura\"", v.p.tempoVarredura, corrigido.tempoVarredura);
    mudanca("\"Ignora cliques múltiplos\"", v.p.tempoHisterese, corrigido.tempoHisterese);
    mudanca("\"Clique para socorro\"", v.p.tempoSocorro, corrigido.tempoSocorro);
    mudanca("\"Tempo de auto-clique\"", v.p.tempoAutoClique, corrigido.tempoAutoClique);
    v.achaNoProjeto(TipoAchado::temposIncoerentes,
                    QStringLiteral("Os tempos de execução são incoerentes; a configuração de "
                                   "execução os mudaria: ") +
                        mudancas.join(QStringLiteral("; ")) + u'.');
}
