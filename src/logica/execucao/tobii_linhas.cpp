#include "logica/execucao/tobii_linhas.h"

LeitorDeLinhas::LeitorDeLinhas(FonteDeBytes f) : fonte(std::move(f)) {}

LeitorDeLinhas::Proximo LeitorDeLinhas::proximoByte(char& c) {
    if (posicao >= preenchido) {
        if (!fonte.prontaEm(esperaPronta)) return Proximo::ocioso;
        const qint64 n = fonte.recebe(buffer, tamanhoBuffer);
        if (n <= 0) return Proximo::falha;
        posicao = 0;
        preenchido = int(n);
    }
    c = buffer[posicao++];
    return Proximo::byte;
}

std::optional<QByteArray> LeitorDeLinhas::leLinha(int limite) {
    QByteArray linha;
    bool longaDemais = false;
    qint64 passos = 0;
    bool falhou = false;
    for (;;) {
        char c = 0;
        const Proximo p = proximoByte(c);
        if (p == Proximo::falha) {
            falhou = true;
            break;
        }
        if (p == Proximo::ocioso) {
            if (!fonte.espera(passoOcioso)) return std::nullopt; // the link is being ended
            ++passos;
            if (limite != 0 && passos > qint64(limite) * 10) {
                falhou = true;
                break;
            }
            continue;
        }
        if (c == '\n') {
            if (!longaDemais) break;
            // The end of a line that did not fit: start afresh with the next one.
            longaDemais = false;
            linha.clear();
            continue;
        }
        if (longaDemais) continue;
        if (linha.size() >= tamanhoBuffer) {
            longaDemais = true;
            linha.clear();
            continue;
        }
        linha.append(c);
    }
    if (falhou && linha.isEmpty()) return std::nullopt;
    if (linha.endsWith('\r')) linha.chop(1);
    return linha;
}

ComandoDoOlhar interpretaLinha(const QByteArray& linha) {
    ComandoDoOlhar c;
    if (linha.isEmpty()) {
        c.tipo = ComandoDoOlhar::bipe;
        return c;
    }
    const QByteArray cabeca = linha.left(2);
    if (cabeca == "UN") {
        c.tipo = ComandoDoOlhar::doisBipes;
    } else if (cabeca == "GN") {
        c.tipo = ComandoDoOlhar::clique;
    } else if (cabeca == "GP") {
        // x before the first blank, y after it; blanks around either are allowed.
        const QByteArray resto = linha.mid(2).trimmed();
        const qsizetype branco = resto.indexOf(' ');
        bool okX = false, okY = false;
        const int x = branco < 0 ? 0 : resto.left(branco).trimmed().toInt(&okX, 10);
        const int y = branco < 0 ? 0 : resto.mid(branco + 1).trimmed().toInt(&okY, 10);
        c.tipo = okX && okY ? ComandoDoOlhar::ponto : ComandoDoOlhar::pontoInvalido;
        c.onde = QPoint(x, y);
    }
    return c;
}

QPoint SuavizacaoDoOlhar::passo(QPoint alvo) {
    // C++ division truncates toward zero, as the steps must; in 64 bits, so that points at
    // the ends of the range cannot wrap round.
    auto um = [](int de, int para) { return int(de + (qint64(para) - de) / divisor); };
    const QPoint novo(um(pontoAnterior.x(), alvo.x()), um(pontoAnterior.y(), alvo.y()));
    pontoOlhar = pontoAnterior = novo;
    return novo;
}
