// A project of boards whose items all have pictures, for the print tests and benchmark.
#pragma once

#include "nucleo/prvars.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

// Sixteen pictures fig0.jpg … fig15.jpg in `pasta`, and `n` boards of 4 × 4 items showing them:
// board k is named "p<k>", titled "Título <k>", coloured a shade of its own.
inline void montaPranchasComFiguras(const QString& pasta, int n) {
    for (int f = 0; f < 16; ++f) {
        QImage figura(200, 200, QImage::Format_RGB32);
        figura.fill(Qt::white);
        QPainter p(&figura);
        p.setBrush(QColor::fromHsv(f * 22, 200, 220));
        p.drawEllipse(20, 20, 160, 160);
        p.end();
        figura.save(pasta + QStringLiteral("/fig%1.jpg").arg(f), "JPEG", 90);
    }
    projeto = TProjeto{};
    for (int k = 0; k < n; ++k) {
        TPrancha b;
        b.nome = QStringLiteral("p%1").arg(k);
        b.titulo = QStringLiteral("Título %1").arg(k);
        b.nColunas = 4;
        b.nLinhas = 4;
        b.cor = TColor(0x400000 + (k % 64) * 0x000300); // $00BBGGRR: dark blues
        for (int j = 0; j < 16; ++j) {
            TItem it;
            it.rotulo = QStringLiteral("item %1").arg(j);
            it.figura = QStringLiteral("fig%1.jpg").arg(j);
            b.itens.append(it);
        }
        projeto.pranchas.append(b);
    }
}
