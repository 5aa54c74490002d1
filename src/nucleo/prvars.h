// The project in memory: the records of boards and items and the few process-wide globals.
#pragma once

#include "nucleo/opcoes_acesso.h"

#include <QList>
#include <QString>
#include <QtGlobal>

// $00BBGGRR, red in the low byte. semCor ($FFFFFF) means "no colour" and is never stored.
using TColor = qint32;
constexpr TColor semCor = 0xFFFFFF;

enum class TPosVertical : quint8 { baixo = 0, meio = 1, cima = 2 };
enum class TDimMoldura : quint8 { sem = 0, fina = 1, media = 2, grossa = 3 };

struct TItem {
    QString rotulo;
    bool semRotulo = false;
    QString figura;
    bool semFigura = false;
    TColor cor = semCor;
    QString som;
    QString link;
    QString fala;
    QString executar;
    TPosVertical posTexto = TPosVertical::baixo;
    qint32 dimTexto = 36;
    TDimMoldura dimMoldura = TDimMoldura::sem;
    bool deslocHoriz = false;
};

using TItemArray = QList<TItem>;

struct TPrancha {
    QString nome;
    QString titulo;
    qint32 nColunas = 0;
    qint32 nLinhas = 0;
    TColor cor = semCor;
    QString som;
    QString link;
    QString fala;
    QString idioma; // language of the board's words when not Brazilian Portuguese ("en")
    TItemArray itens;
    int nItens() const { return int(itens.size()); }
};

struct TProjeto {
    QString nome;
    QString autor;
    QString data;
    QString info;
    QList<TPrancha> pranchas;
    int nPranchas() const { return int(pranchas.size()); }
    bool falando = false;
    bool falaVarredura = false;
    bool sintetizando = false;
    bool acionaTobii = false;
    qint32 tempoVarredura = 0;
    qint32 tempoHisterese = 0;
    qint32 tempoSocorro = 0;
    qint32 tempoAutoClique = 0;
    QString pranchaInicial;
    QString pranchaSocorro;
    TOpcoesAcesso acesso; // rows and columns, two switches, pauses, dwell ring
};

extern TProjeto projeto;
extern QString pastaProjeto;
extern QString pranchaInicialExec;
extern bool projetoSalvo;

// Whether a run selects by resting the pointer: a dwell time is set, and step scanning (which
// leaves the selection to its switch) is off.
inline bool autoCliqueLigado(const TProjeto& p) {
    return p.tempoAutoClique > 0 && !p.acesso.passoAPasso;
}

// The run settings and access options of `origem` (what the settings windows change) into
// `destino`; its name, authorship and boards stay.
void copiaConfiguracao(TProjeto& destino, const TProjeto& origem);

// Empties every board's items, then the board list (what a load does).
void limpaPranchas(TProjeto& p);
// A project just created: no boards, and it speaks out of the box — an item's recording or
// speech text, else its label, with the voice where nothing is recorded.
void iniciaProjetoNovo(TProjeto& p);

// Field by field.
bool operator==(const TItem& a, const TItem& b);
bool operator==(const TPrancha& a, const TPrancha& b);
bool operator==(const TProjeto& a, const TProjeto& b);
inline bool operator!=(const TItem& a, const TItem& b) {
    return !(a == b);
}
inline bool operator!=(const TPrancha& a, const TPrancha& b) {
    return !(a == b);
}
inline bool operator!=(const TProjeto& a, const TProjeto& b) {
    return !(a == b);
}
