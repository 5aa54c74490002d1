#include "app/icone.h"

#include <QPainter>
#include <QPainterPath>

QPixmap iconeDoPrograma(int lado) {
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal u = lado / 16.0;
    // The board: a 2 x 2 grid of coloured cells.
    const QColor cores[] = {QColor(0xFF, 0xC0, 0x40), QColor(0x40, 0xA0, 0xFF),
                            QColor(0x60, 0xC0, 0x60), QColor(0xF0, 0x60, 0x60)};
    g.setPen(QPen(Qt::black, u * 0.4));
    for (int i = 0; i < 4; ++i) {
        g.setBrush(cores[i]);
        g.drawRoundedRect(QRectF(u * (1 + (i % 2) * 5), u * (7 + (i / 2) * 4.2), u * 4.5, u * 3.8),
                          u * 0.6, u * 0.6);
    }
    // The balloon: what the board says.
    QPainterPath balao;
    balao.addRoundedRect(QRectF(u * 6.5, u * 0.8, u * 8.7, u * 5.2), u * 2, u * 2);
    QPainterPath bico;
    bico.moveTo(u * 8.5, u * 5.5);
    bico.lineTo(u * 7.2, u * 7.4);
    bico.lineTo(u * 10.2, u * 5.6);
    g.setBrush(Qt::white);
    g.drawPath(balao.united(bico));
    g.setBrush(Qt::black);
    for (int i = 0; i < 3; ++i)
        g.drawEllipse(QPointF(u * (8.8 + i * 2), u * 3.4), u * 0.6, u * 0.6);
    return p;
}

QIcon iconeDeAjuda(int lado) {
    QPixmap p(lado, lado);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setRenderHint(QPainter::TextAntialiasing);
    g.setPen(QPen(QColor(0x20, 0x50, 0xA0), lado / 16.0));
    g.setBrush(QColor(0x40, 0x80, 0xE0));
    const qreal m = lado / 16.0;
    g.drawEllipse(QRectF(m, m, lado - 2 * m, lado - 2 * m));
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(qRound(lado * 0.7));
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRectF(0, 0, lado, lado), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(p);
}
