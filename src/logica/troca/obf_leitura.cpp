#include "logica/troca/obf_leitura.h"

#include "nucleo/pranchas_valores.h"

#include <QColor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <cmath>

namespace {

// Ids may be written as strings or numbers by other programs.
QString textoId(const QJsonValue& v) {
    if (v.isString()) return v.toString();
    if (v.isDouble()) return QString::number(v.toDouble(), 'g', 17);
    return {};
}

QJsonObject chavesProprias(const QJsonObject& o) {
    QJsonObject r;
    for (auto k = o.begin(); k != o.end(); ++k)
        if (k.key().startsWith(QLatin1String(prefixoProprio))) r.insert(k.key(), k.value());
    return r;
}

bool leMidias(const QJsonValue& valor, const char* oque, QList<MidiaObf>& midias, QString& erro) {
    if (valor.isUndefined() || valor.isNull()) return true;
    if (!valor.isArray()) {
        erro = QStringLiteral("a lista \"%1\" não é uma lista").arg(QLatin1String(oque));
        return false;
    }
    QSet<QString> ids;
    for (const QJsonValue& v : valor.toArray()) {
        const QJsonObject o = v.toObject();
        MidiaObf m;
        m.id = textoId(o.value(QLatin1String("id")));
        if (m.id.isEmpty()) continue;
        if (ids.contains(m.id)) {
            erro = QStringLiteral("o id \"%1\" aparece duas vezes em \"%2\"")
                       .arg(m.id, QLatin1String(oque));
            return false;
        }
        ids.insert(m.id);
        m.caminho = o.value(QLatin1String("path")).toString();
        m.tipo = o.value(QLatin1String("content_type")).toString();
        m.arquivo = o.value(QLatin1String("ext_zelvana_arquivo")).toString();
        const QString dados = o.value(QLatin1String("data")).toString();
        if (!dados.isEmpty()) {
            const auto uri = leDadosUri(dados);
            if (!uri) {
                erro = QStringLiteral("o conteúdo (data) de \"%1\" não pôde ser lido").arg(m.id);
                return false;
            }
            m.dados = uri->bytes;
            m.temDados = true;
            if (m.tipo.isEmpty()) m.tipo = uri->tipo;
        }
        m.externa = o.contains(QLatin1String("url")) || o.contains(QLatin1String("symbol"));
        const auto lado = [&](const char* chave) {
            const double d = o.value(QLatin1String(chave)).toDouble();
            return std::isfinite(d) && d > 0 ? int(qMin(d, 100000.0)) : 0;
        };
        m.tamanho = QSize(lado("width"), lado("height"));
        midias.append(m);
    }
    return true;
}

BotaoObf leBotao(const QJsonObject& o) {
    BotaoObf b;
    b.id = textoId(o.value(QLatin1String("id")));
    b.rotulo = o.value(QLatin1String("label")).toString();
    b.fala = o.value(QLatin1String("vocalization")).toString();
    b.figuraId = textoId(o.value(QLatin1String("image_id")));
    b.somId = textoId(o.value(QLatin1String("sound_id")));
    const QJsonValue fundo = o.value(QLatin1String("background_color"));
    if (const auto cor = leCorObf(fundo.toString()))
        b.cor = *cor;
    else
        b.corNaoLida = !fundo.isUndefined() && !fundo.isNull() && fundo != QJsonValue(QString());
    b.oculto = o.value(QLatin1String("hidden")).toBool();
    const QJsonValue link = o.value(QLatin1String("load_board"));
    if (link.isObject()) {
        const QJsonObject l = link.toObject();
        b.temLink = true;
        b.linkId = textoId(l.value(QLatin1String("id")));
        b.linkCaminho = l.value(QLatin1String("path")).toString();
        b.linkNome = l.value(QLatin1String("name")).toString();
    }
    const QString acao = o.value(QLatin1String("action")).toString();
    if (!acao.isEmpty()) b.acoes << acao;
    for (const QJsonValue& a : o.value(QLatin1String("actions")).toArray())
        if (a.isString() && !b.acoes.contains(a.toString())) b.acoes << a.toString();
    b.proprias = chavesProprias(o);
    return b;
}

int inteiroLimitado(const QJsonValue& v, int maximo) {
    const double d = v.toDouble();
    if (!std::isfinite(d) || d < 0) return 0;
    return int(qMin(d, double(maximo)));
}

} // namespace

QuadroLido leQuadroObf(const QByteArray& json) {
    QuadroLido r;
    QJsonParseError erroJson;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &erroJson);
    if (erroJson.error != QJsonParseError::NoError || !doc.isObject()) {
        r.erro = doc.isNull() ? QStringLiteral("o JSON está malformado perto do caractere %1")
                                    .arg(erroJson.offset)
                              : QStringLiteral("o JSON não é um objeto");
        return r;
    }
    const QJsonObject o = doc.object();
    const QJsonValue formato = o.value(QLatin1String("format"));
    if (!formato.isUndefined() && !formato.toString().startsWith(QLatin1String("open-board-"))) {
        r.erro = QStringLiteral("o formato \"%1\" não é open-board").arg(formato.toString());
        return r;
    }
    QuadroObf& q = r.quadro;
    q.id = textoId(o.value(QLatin1String("id")));
    q.nome = o.value(QLatin1String("name")).toString();
    q.idioma = o.value(QLatin1String("locale")).toString().trimmed();
    q.proprias = chavesProprias(o);

    const QJsonValue botoes = o.value(QLatin1String("buttons"));
    if (!botoes.isUndefined() && !botoes.isNull() && !botoes.isArray()) {
        r.erro = QStringLiteral("a lista \"buttons\" não é uma lista");
        return r;
    }
    QStringList ordemDosBotoes;
    for (const QJsonValue& v : botoes.toArray()) {
        BotaoObf b = leBotao(v.toObject());
        if (b.id.isEmpty()) continue;
        if (q.botoes.contains(b.id)) {
            r.erro = QStringLiteral("o id de botão \"%1\" aparece duas vezes").arg(b.id);
            return r;
        }
        ordemDosBotoes << b.id;
        q.botoes.insert(b.id, std::move(b));
    }
    if (!leMidias(o.value(QLatin1String("images")), "images", q.figuras, r.erro) ||
        !leMidias(o.value(QLatin1String("sounds")), "sounds", q.sons, r.erro))
        return r;

    const QJsonObject grade = o.value(QLatin1String("grid")).toObject();
    q.linhas = inteiroLimitado(grade.value(QLatin1String("rows")), maxLinhasColunas);
    q.colunas = inteiroLimitado(grade.value(QLatin1String("columns")), maxLinhasColunas);
    while (qint64(q.linhas) * q.colunas > maxItens)
        --q.linhas;
    if (q.linhas == 0 || q.colunas == 0) {
        // No grid: the buttons one after the other in a near-square grid.
        const int n = int(qMin<qsizetype>(ordemDosBotoes.size(), maxItens));
        q.colunas = n == 0 ? 1 : int(std::ceil(std::sqrt(double(n))));
        q.linhas = n == 0 ? 1 : (n + q.colunas - 1) / q.colunas;
        q.celulas = ordemDosBotoes.mid(0, n);
        while (q.celulas.size() < q.linhas * q.colunas)
            q.celulas << QString();
        return r;
    }
    // An order shorter or longer than the grid is read as far as it goes.
    const QJsonArray ordem = grade.value(QLatin1String("order")).toArray();
    q.celulas.reserve(q.linhas * q.colunas);
    for (int l = 0; l < q.linhas; ++l) {
        const QJsonArray linha = ordem.at(l).toArray();
        for (int c = 0; c < q.colunas; ++c)
            q.celulas << textoId(linha.at(c));
    }
    return r;
}

namespace {

// The channels, 0 to 255, and the alpha, 0 to 1, blended over white as a board is drawn.
TColor sobreBranco(const double (&canais)[3], double alfa) {
    int v[3];
    for (int k = 0; k < 3; ++k)
        v[k] = int(std::lround(canais[k] * alfa + 255 * (1 - alfa)));
    return TColor(v[0] | (v[1] << 8) | (v[2] << 16));
}

// "128" up to `maximo`, or "50%" of it; nothing past either.
std::optional<double> canal(const QString& texto, double maximo) {
    const bool porCento = texto.endsWith(u'%');
    bool ok = false;
    const double v = (porCento ? texto.chopped(1) : texto).toDouble(&ok);
    if (!ok || v > (porCento ? 100 : maximo)) return std::nullopt;
    return porCento ? v * maximo / 100 : v;
}

std::optional<TColor> corRgb(const QString& texto) {
    static const QRegularExpression rgb(
        QStringLiteral(
            R"(^rgba?\(\s*([0-9.]+%?)\s*,\s*([0-9.]+%?)\s*,\s*([0-9.]+%?)\s*(?:,\s*([0-9.]+%?)\s*)?\)$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = rgb.match(texto);
    if (!m.hasMatch()) return std::nullopt;
    const bool comAlfa = texto.startsWith(QLatin1String("rgba"), Qt::CaseInsensitive);
    if (comAlfa != m.hasCaptured(4)) return std::nullopt;
    double canais[3];
    for (int k = 0; k < 3; ++k) {
        const auto v = canal(m.captured(k + 1), 255);
        if (!v) return std::nullopt;
        canais[k] = *v;
    }
    const auto alfa = comAlfa ? canal(m.captured(4), 1) : std::optional<double>(1);
    if (!alfa) return std::nullopt;
    return sobreBranco(canais, *alfa);
}

// "#rgb", "#rgba", "#rrggbb", "#rrggbbaa", as in CSS (the alpha last).
std::optional<TColor> corHex(const QString& texto) {
    const QString d = texto.mid(1);
    bool ok = false;
    const uint v = d.toUInt(&ok, 16);
    if (!ok || d.startsWith(u'+') || d.startsWith(u'-')) return std::nullopt;
    const int n = int(d.size());
    if (n != 3 && n != 4 && n != 6 && n != 8) return std::nullopt;
    const bool curto = n <= 4, comAlfa = n == 4 || n == 8;
    const int bits = curto ? 4 : 8, partes = comAlfa ? 4 : 3;
    double c[4];
    for (int k = 0; k < partes; ++k) {
        const uint x = (v >> (bits * (partes - 1 - k))) & ((1u << bits) - 1);
        c[k] = curto ? x * 17 : x;
    }
    return sobreBranco({c[0], c[1], c[2]}, comAlfa ? c[3] / 255 : 1);
}

} // namespace

std::optional<TColor> leCorObf(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.startsWith(u'#')) return corHex(t);
    if (t.startsWith(QLatin1String("rgb"), Qt::CaseInsensitive)) return corRgb(t);
    // A name ("red", "lightblue", "transparent"): the CSS names Qt knows.
    for (const QChar c : t)
        if (!c.isLetter() || c.unicode() > 127) return std::nullopt;
    const QColor nomeada = QColor::fromString(t);
    if (t.isEmpty() || !nomeada.isValid()) return std::nullopt;
    return sobreBranco({double(nomeada.red()), double(nomeada.green()), double(nomeada.blue())},
                       nomeada.alphaF());
}

QString textoCorObf(TColor cor) {
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(cor & 0xFF)
        .arg((cor >> 8) & 0xFF)
        .arg((cor >> 16) & 0xFF);
}

std::optional<DadosUri> leDadosUri(const QString& texto) {
    if (!texto.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) return std::nullopt;
    const int virgula = texto.indexOf(u',');
    if (virgula < 0) return std::nullopt;
    const QString cabeca = texto.mid(5, virgula - 5);
    const QStringList partes = cabeca.split(u';');
    DadosUri r;
    r.tipo = partes.value(0).trimmed().toLower();
    QByteArray corpo = texto.mid(virgula + 1).toLatin1();
    if (partes.contains(QLatin1String("base64"), Qt::CaseInsensitive)) {
        // Some writers wrap the text in lines.
        corpo.replace(' ', QByteArray()).replace('\n', QByteArray()).replace('\r', QByteArray());
        const auto lido = QByteArray::fromBase64Encoding(
            corpo, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
        if (!lido) return std::nullopt;
        r.bytes = lido.decoded;
    } else {
        r.bytes = QByteArray::fromPercentEncoding(corpo);
    }
    return r;
}
