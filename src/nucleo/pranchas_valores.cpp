#include "nucleo/pranchas_valores.h"

#include <limits>

namespace {

struct CorNomeada {
    QLatin1String nome;
    TColor valor;
};
const CorNomeada cores[] = {
    {QLatin1String("clBlack"), 0x000000},      {QLatin1String("clMaroon"), 0x000080},
    {QLatin1String("clGreen"), 0x008000},      {QLatin1String("clOlive"), 0x008080},
    {QLatin1String("clNavy"), 0x800000},       {QLatin1String("clPurple"), 0x800080},
    {QLatin1String("clTeal"), 0x808000},       {QLatin1String("clGray"), 0x808080},
    {QLatin1String("clSilver"), 0xC0C0C0},     {QLatin1String("clRed"), 0x0000FF},
    {QLatin1String("clLime"), 0x00FF00},       {QLatin1String("clYellow"), 0x00FFFF},
    {QLatin1String("clBlue"), 0xFF0000},       {QLatin1String("clFuchsia"), 0xFF00FF},
    {QLatin1String("clAqua"), 0xFFFF00},       {QLatin1String("clWhite"), 0xFFFFFF},
    {QLatin1String("clMoneyGreen"), 0xC0DCC0}, {QLatin1String("clSkyBlue"), 0xF0CAA6},
    {QLatin1String("clCream"), 0xF0FBFF},      {QLatin1String("clMedGray"), 0xA4A0A0},
};

int digitoHex(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Letter case ignored as QString::compare ignores it, with ASCII folded inline: this runs for
// every colour of a large file.
bool mesmoNomeDeCor(QStringView texto, QLatin1String nome) {
    if (texto.size() != nome.size()) return false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        char16_t c = texto[i].unicode();
        if (c >= 0x80)
            c = QChar::toCaseFolded(c);
        else if (c >= u'A' && c <= u'Z')
            c += 32;
        char16_t n = nome.at(i).unicode();
        if (n >= u'A' && n <= u'Z') n += 32;
        if (c != n) return false;
    }
    return true;
}

// The size words are compared upper-cased in the ASCII letters only: "médio" is no "MÉDIO".
bool igualEmMaiusculasAscii(QStringView t, QStringView palavra) {
    if (t.size() != palavra.size()) return false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        char16_t c = t[i].unicode();
        if (c >= u'a' && c <= u'z') c -= 32;
        if (c != palavra[i].unicode()) return false;
    }
    return true;
}

} // namespace

QString leChave(const ArquivoIni& arquivo, const QString& secao, const QString& chave) {
    if (chave.isEmpty()) return {};
    return semBrancosNasPontas(arquivo.valor(secao, chave)).toString();
}

bool leInteiro(QStringView texto, qint32& valor) {
    const QStringView t = semBrancosNasPontas(texto);
    if (t.startsWith(u'$') || t.startsWith(u"0x", Qt::CaseInsensitive)) {
        // Digits only after the prefix: QString::toUInt would also take blanks and a second
        // "0x", so "$0x10" and "$ 10" would read as 16.
        const QStringView hex = t.mid(t.startsWith(u'$') ? 1 : 2);
        if (hex.isEmpty()) return false;
        quint64 v = 0;
        for (const QChar c : hex) {
            const int d = digitoHex(c);
            if (d < 0) return false;
            v = v * 16 + quint64(d);
            if (v > 0xFFFFFFFFu) return false;
        }
        valor = qint32(quint32(v));
        return true;
    }
    const bool negativo = t.startsWith(u'-');
    const QStringView digitos = t.mid(negativo || t.startsWith(u'+') ? 1 : 0);
    if (digitos.isEmpty()) return false;
    qint64 v = 0;
    for (const QChar c : digitos) {
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c.unicode() - u'0');
        if (v > qint64(1) << 31) return false;
    }
    if (negativo) v = -v;
    if (v > std::numeric_limits<qint32>::max()) return false;
    valor = qint32(v);
    return true;
}

bool leCor(QStringView texto, TColor& cor) {
    if (texto.isEmpty()) {
        cor = semCor;
        return true;
    }
    // Every name begins with "cl", and no other character folds to "c": a number is read at once.
    if (texto[0] == u'c' || texto[0] == u'C')
        for (const CorNomeada& c : cores)
            if (mesmoNomeDeCor(texto, c.nome)) {
                cor = c.valor;
                return true;
            }
    return leInteiro(texto, cor);
}

const char* textoCor(TColor cor, char (&espaco)[10]) {
    for (const CorNomeada& c : cores)
        if (c.valor == cor) return c.nome.data();
    const char* hex = "0123456789ABCDEF";
    espaco[0] = '$';
    for (int i = 0; i < 8; ++i)
        espaco[8 - i] = hex[(quint32(cor) >> (4 * i)) & 0xF];
    espaco[9] = '\0';
    return espaco;
}

QString textoCor(TColor cor) {
    char espaco[10];
    return QLatin1String(textoCor(cor, espaco));
}

bool leModelo(QStringView texto, qint32& linhas, qint32& colunas) {
    qsizetype i = 0;
    auto digitos = [&](qint32& n) {
        const qsizetype inicio = i;
        qint64 v = 0;
        while (i < texto.size() && texto[i] >= u'0' && texto[i] <= u'9') {
            v = qMin<qint64>(v * 10 + (texto[i].unicode() - '0'), maxItens + 1);
            ++i;
        }
        n = qint32(v);
        return i > inicio;
    };
    qint32 l = 0;
    qint32 c = 0;
    if (!digitos(l) || i >= texto.size()) return false;
    ++i; // the separator, whatever it is
    if (!digitos(c) || l > maxLinhasColunas || c > maxLinhasColunas || l * c > maxItens)
        return false;
    linhas = l;
    colunas = c;
    return true;
}

qint32 dimensaoTexto(QStringView texto) {
    const QStringView t = semBrancosNasPontas(texto);
    if (igualEmMaiusculasAscii(t, u"PEQUENO")) return 18;
    if (igualEmMaiusculasAscii(t, u"MÉDIO") || igualEmMaiusculasAscii(t, u"MEDIO")) return 36;
    if (igualEmMaiusculasAscii(t, u"GRANDE")) return 72;
    qint32 v;
    return leInteiro(t, v) ? v : 36;
}

QString textoData(const QDateTime& momento) {
    // Fixed digits, not the system's formats: on a machine left in the C locale those read
    // "8 Dec 2026 17:01:47 UTC", which is not how the board file shows a date.
    const QString data = momento.date().toString(QStringLiteral("dd/MM/yyyy"));
    if (momento.time() == QTime(0, 0)) return data;
    return data + u' ' + momento.time().toString(QStringLiteral("hh:mm:ss"));
}

TItem comRotuloOculto(TItem it) {
    if (!semBrancosNasPontas(it.rotulo).isEmpty()) return it;
    const auto nome = [](const QString& arquivo) {
        const QString t = semBrancosNasPontas(arquivo).toString();
        const qsizetype ponto = t.lastIndexOf(u'.');
        return ponto > 0 ? t.left(ponto) : t;
    };
    for (const QString& candidato : {semBrancosNasPontas(it.fala).toString(), nome(it.figura),
                                     nome(it.som), semBrancosNasPontas(it.link).toString()}) {
        if (candidato.isEmpty()) continue;
        it.rotulo = candidato;
        it.semRotulo = true;
        return it;
    }
    if (!semBrancosNasPontas(it.executar).isEmpty() || it.cor != semCor) {
        it.rotulo = QStringLiteral("sem rótulo");
        it.semRotulo = true;
    }
    return it;
}
