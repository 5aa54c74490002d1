// The rules of the project check, one group per file, and what they share: the project, its
// folder listed once, its boards by name, and the way a finding says where it is.
#pragma once

#include "logica/verificacao/verifica_projeto.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/arquivos_da_pasta.h"

class Verificacao {
public:
    Verificacao(const TProjeto& p, const QString& pasta);

    const TProjeto& p;
    const QString pasta;
    const ArquivosDaPasta arquivos;
    const PranchasPorNome nomes;
    QList<Achado> achados;

    // `frase` says what is wrong, starting in small letters; the finding adds where.
    void acha(TipoAchado tipo, int prancha, int item, const QString& frase);
    // A finding about the project's settings: `frase` is a whole sentence.
    void achaNoProjeto(TipoAchado tipo, const QString& frase);

    int nPranchas() const { return nomes.nPranchas(); }
    // The items drawn in the grid, which a click can reach: none past rows × columns, none
    // hidden with both "Sem rótulo" and "Sem figura".
    static int itensNaGrade(const TPrancha& b);
    static bool itemEscondido(const TItem& it) { return it.semRotulo && it.semFigura; }
};

// A finding about board `prancha` (and its item, unless -1): `frase` says what is wrong,
// starting in small letters; the finding adds where.
Achado achado(const TProjeto& p, TipoAchado tipo, int prancha, int item, const QString& frase);
// "Prancha "CASA"" and "Prancha "CASA", item 3 ("bola")".
QString onde(const TProjeto& p, int prancha, int item);
// A name or text as the finding quotes it.
QString citado(const QString& texto);
// "1 prancha", "2 pranchas".
QString quantos(int n, const QString& um, const QString& varios);
// Why `link`, taken apart as `d`, leads nowhere: no board has its name, or the offset passes
// the first or the last board.
QString porqueNaoLeva(const Verificacao& v, const DestinoDoLink& d, const QString& link);

// The items past rows × columns, which need neither the folder nor the names.
void achaItensForaDaGrade(const TProjeto& p, QList<Achado>& achados);

void verificaLinks(Verificacao& v);
void verificaItens(Verificacao& v);
void verificaGravacao(Verificacao& v);
void verificaTempos(Verificacao& v);
void verificaAcesso(Verificacao& v);
