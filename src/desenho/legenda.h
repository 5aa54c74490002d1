// A label fitted into its box without losing a letter: as it always was when it fits; else
// smaller, down to a floor; past the floor on two lines; descenders always inside the box.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class QPainter;

// The smallest share of its own size a label shrinks to on one line before taking two.
inline constexpr double pisoDaLegenda = 0.7;

// Whether the text needs two lines to keep the floor size within `largura`.
bool legendaEmDuasLinhas(const QString& texto, const QFont& fonte, int largura);

struct LegendaAjustada {
    QStringList linhas;
    int pixels = 0;          // font size in pixels
    int primeiraBase = 0;    // baseline of the first line, from the box's top
    int passo = 0;           // from one baseline to the next
    bool comoSempre = false; // fits: drawn exactly as a label that fits always was
};
LegendaAjustada ajustaLegenda(const QString& texto, const QFont& fonte, QSize caixa);

// Draws the text centred across the box, fitted as above, in the painter's pen.
void desenhaLegenda(QPainter& p, const QRect& caixa, const QString& texto, const QFont& fonte);
