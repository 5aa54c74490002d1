#include "model/prvars.h"

TProjeto projeto;
QString pastaProjeto;
QString pranchaInicialExec;
bool projetoSalvo = false;

void limpaPranchas(TProjeto& p) {
    for (TPrancha& pr : p.pranchas)
        pr.itens.clear();
    p.pranchas.clear();
    p.nPranchas = 0;
}
