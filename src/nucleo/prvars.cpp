#include "nucleo/prvars.h"

TProjeto projeto;
QString pastaProjeto;
QString pranchaInicialExec;
bool projetoSalvo = false;

void limpaPranchas(TProjeto& p) {
    for (TPrancha& pr : p.pranchas)
        pr.itens.clear();
    p.pranchas.clear();
}

void iniciaProjetoNovo(TProjeto& p) {
    limpaPranchas(p);
    p.falando = true;
    p.sintetizando = true;
}

bool operator==(const TItem& a, const TItem& b) {
    return a.rotulo == b.rotulo && a.semRotulo == b.semRotulo && a.figura == b.figura &&
           a.semFigura == b.semFigura && a.cor == b.cor && a.som == b.som && a.link == b.link &&
           a.fala == b.fala && a.executar == b.executar && a.posTexto == b.posTexto &&
           a.dimTexto == b.dimTexto && a.dimMoldura == b.dimMoldura &&
           a.deslocHoriz == b.deslocHoriz;
}

bool operator==(const TPrancha& a, const TPrancha& b) {
    return a.nome == b.nome && a.titulo == b.titulo && a.nColunas == b.nColunas &&
           a.nLinhas == b.nLinhas && a.cor == b.cor && a.som == b.som && a.link == b.link &&
           a.fala == b.fala && a.idioma == b.idioma && a.itens == b.itens;
}

bool operator==(const TProjeto& a, const TProjeto& b) {
    return a.nome == b.nome && a.autor == b.autor && a.data == b.data && a.info == b.info &&
           a.pranchas == b.pranchas && a.falando == b.falando &&
           a.falaVarredura == b.falaVarredura && a.sintetizando == b.sintetizando &&
           a.acionaTobii == b.acionaTobii && a.tempoVarredura == b.tempoVarredura &&
           a.tempoHisterese == b.tempoHisterese && a.tempoSocorro == b.tempoSocorro &&
           a.tempoAutoClique == b.tempoAutoClique && a.pranchaInicial == b.pranchaInicial &&
           a.pranchaSocorro == b.pranchaSocorro && a.acesso == b.acesso;
}

void copiaConfiguracao(TProjeto& destino, const TProjeto& origem) {
    destino.falando = origem.falando;
    destino.falaVarredura = origem.falaVarredura;
    destino.sintetizando = origem.sintetizando;
    destino.acionaTobii = origem.acionaTobii;
    destino.tempoVarredura = origem.tempoVarredura;
    destino.tempoHisterese = origem.tempoHisterese;
    destino.tempoSocorro = origem.tempoSocorro;
    destino.tempoAutoClique = origem.tempoAutoClique;
    destino.pranchaInicial = origem.pranchaInicial;
    destino.pranchaSocorro = origem.pranchaSocorro;
    destino.acesso = origem.acesso;
}
