#include "desenho/legenda.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

QFont comPixels(QFont f, int pixels) {
    f.setPixelSize(qMax(1, pixels));
    return f;
}

// The split at a blank that makes the longer of the two lines shortest.
QStringList emDuas(const QString& texto, const QFontMetrics& m) {
    QStringList melhor{texto};
    int maior = m.horizontalAdvance(texto);
    for (qsizetype i = texto.indexOf(u' '); i > 0; i = texto.indexOf(u' ', i + 1)) {
        const QString a = texto.left(i).trimmed(), b = texto.mid(i + 1).trimmed();
        if (a.isEmpty() || b.isEmpty()) continue;
        const int l = qMax(m.horizontalAdvance(a), m.horizontalAdvance(b));
        if (l < maior) {
            maior = l;
            melhor = {a, b};
        }
    }
    return melhor;
}

// The ink of the lines, from the highest top above a baseline to the lowest bottom below it.
struct Tinta {
    int acima = 0;
    int abaixo = 0;
    int largura = 0;
};
Tinta tintaDe(const QStringList& linhas, const QFontMetrics& m) {
    Tinta t;
    for (const QString& l : linhas) {
        const QRect r = m.tightBoundingRect(l);
        t.acima = qMax(t.acima, -r.top());
        t.abaixo = qMax(t.abaixo, r.bottom() + 1);
        t.largura = qMax(t.largura, m.horizontalAdvance(l));
    }
    return t;
}

} // namespace

bool legendaEmDuasLinhas(const QString& texto, const QFont& fonte, int largura) {
    if (!texto.trimmed().contains(u' ') || fonte.pixelSize() <= 0) return false;
    const QFontMetrics piso(comPixels(fonte, int(fonte.pixelSize() * pisoDaLegenda)));
    return piso.horizontalAdvance(texto) > largura;
}

LegendaAjustada ajustaLegenda(const QString& texto, const QFont& fonte, QSize caixa) {
    LegendaAjustada r;
    r.pixels = fonte.pixelSize();
    const QFontMetrics m(fonte);
    r.linhas = QStringList{texto};
    r.primeiraBase = m.ascent();
    const Tinta t = tintaDe(r.linhas, m);
    if (t.largura <= caixa.width() && m.ascent() + t.abaixo <= caixa.height()) {
        r.comoSempre = true;
        return r;
    }
    if (legendaEmDuasLinhas(texto, fonte, caixa.width())) r.linhas = emDuas(texto, m);
    // The largest size at which every line is as wide as the box at most and all the ink of
    // the lines stands inside its height.
    for (int px = fonte.pixelSize(); px >= 1; --px) {
        const QFontMetrics mp(comPixels(fonte, px));
        const Tinta tp = tintaDe(r.linhas, mp);
        const int passo = r.linhas.size() > 1 ? mp.ascent() + mp.descent() : 0;
        const int altura = tp.acima + passo * int(r.linhas.size() - 1) + tp.abaixo;
        if ((tp.largura <= caixa.width() && altura <= caixa.height()) || px == 1) {
            r.pixels = px;
            r.passo = passo;
            // Kept where a fitting label's baseline is, unless its descenders would be cut.
            const int sobra = caixa.height() - altura;
            r.primeiraBase = qMin(mp.ascent(), tp.acima + qMax(0, sobra));
            if (r.linhas.size() > 1) r.primeiraBase = tp.acima + qMax(0, sobra) / 2;
            return r;
        }
    }
    return r;
}

void desenhaLegenda(QPainter& p, const QRect& caixa, const QString& texto, const QFont& fonte) {
    const LegendaAjustada a = ajustaLegenda(texto, fonte, caixa.size());
    p.setFont(fonte);
    if (a.comoSempre) {
        p.drawText(caixa, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, texto);
        return;
    }
    const QFont f = comPixels(fonte, a.pixels);
    p.setFont(f);
    const QFontMetrics m(f);
    for (int i = 0; i < a.linhas.size(); ++i) {
        const int x = caixa.left() + (caixa.width() - m.horizontalAdvance(a.linhas[i])) / 2;
        p.drawText(QPoint(x, caixa.top() + a.primeiraBase + i * a.passo), a.linhas[i]);
    }
}
