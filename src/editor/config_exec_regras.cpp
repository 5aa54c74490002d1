#include "editor/config_exec_regras.h"

#include "model/prvars.h"

bool tornaTemposCoerentes(TProjeto& p) {
    bool mudou = false;
    auto troca = [&mudou](qint32& tempo, qint32 valor) {
        tempo = valor;
        mudou = true;
    };
    if (p.tempoVarredura != 0 && p.tempoVarredura < 500) troca(p.tempoVarredura, 2000);
    if (p.tempoHisterese != 0 && p.tempoHisterese < 200) troca(p.tempoHisterese, 1000);
    if (p.tempoSocorro != 0 && p.tempoSocorro <= p.tempoVarredura + 500)
        troca(p.tempoSocorro, p.tempoVarredura + 1000);
    if (p.tempoAutoClique != 0 && p.tempoVarredura != 0) troca(p.tempoAutoClique, 0);
    return mudou;
}
