#include "logica/acoplamento/acopla_modelo.h"

#include "nucleo/arquivo_seguro.h"
#include "nucleo/cp1252.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/pranchas_formato.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <optional>

namespace {

const QString arquivoPranchas = QStringLiteral("pranchas.pra");

bool branco(QChar c) {
    return c.unicode() <= u' ';
}

// The board file as lines, without their ends (CR LF or LF); no line after a final line end.
QList<QByteArray> linhasDe(const QByteArray& bytes) {
    QList<QByteArray> r;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype fim = bytes.indexOf('\n', i);
        if (fim < 0) fim = bytes.size();
        const qsizetype corte = fim > i && bytes[fim - 1] == '\r' ? fim - 1 : fim;
        r.append(bytes.mid(i, corte - i));
        i = fim + 1;
    }
    return r;
}

// Where the name of a section line lies, as the reader takes it: after "[" up to the first
// "]" (or the line's end), without blanks. Blanks before "[" do not make it another kind of line.
struct Secao {
    qsizetype inicio = 0;
    qsizetype fim = 0;
};

std::optional<Secao> secaoDaLinha(QStringView linha) {
    qsizetype s = 0;
    while (s < linha.size() && branco(linha[s]))
        ++s;
    if (s == linha.size() || linha[s] != u'[') return std::nullopt;
    qsizetype fecha = linha.indexOf(u']', s + 1);
    if (fecha < 0) {
        fecha = linha.size();
        while (fecha > s + 1 && branco(linha[fecha - 1]))
            --fecha;
    }
    Secao r{s + 1, fecha};
    while (r.inicio < r.fim && branco(linha[r.inicio]))
        ++r.inicio;
    while (r.fim > r.inicio && branco(linha[r.fim - 1]))
        --r.fim;
    return r;
}

// Two board names are one when a link could not tell them apart: letter case does not count.
QString chave(QStringView nome) {
    return nome.trimmed().toString().toCaseFolded();
}

QSet<QString> chavesDasPranchas(const TProjeto& p) {
    QSet<QString> r;
    const int n = qMin(p.nPranchas, int(p.pranchas.size()));
    for (int k = 0; k < n; ++k)
        r.insert(chave(p.pranchas[k].nome));
    return r;
}

// The first line of the model's boards: not blank, not a comment, not its [CONFIG].
qsizetype inicioDasPranchas(const QList<QByteArray>& linhas) {
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const QString t = deCp1252(linhas[i]).trimmed();
        if (t.isEmpty() || t.startsWith(u';')) continue;
        if (t.compare(QLatin1String("[CONFIG]"), Qt::CaseInsensitive) == 0) continue;
        if (t.startsWith(u'[')) return i;
    }
    return linhas.size();
}

// The value of a LINK or LINK n line, where the board name in it lies; nothing for other lines.
std::optional<Secao> nomeNoLink(QStringView linha) {
    static const QRegularExpression chaveDeLink(QStringLiteral("^LINK( \\d+)?$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const qsizetype igual = linha.indexOf(u'=');
    if (igual <= 0) return std::nullopt;
    const QStringView chaveLida = linha.left(igual).trimmed();
    if (chaveLida.startsWith(u';') || !chaveDeLink.match(chaveLida.toString()).hasMatch())
        return std::nullopt;
    qsizetype a = igual + 1;
    qsizetype b = linha.size();
    while (a < b && branco(linha[a]))
        ++a;
    while (b > a && branco(linha[b - 1]))
        --b;
    // One pair of quotes around the value is not part of it.
    if (b - a >= 2 && linha[a] == linha[b - 1] && (linha[a] == u'"' || linha[a] == u'\'')) {
        ++a;
        --b;
    }
    while (a < b && branco(linha[a]))
        ++a;
    while (b > a && branco(linha[b - 1]))
        --b;
    const QString texto = separaDeslocamento(linha.mid(a, b - a).toString()).texto;
    if (texto.isEmpty() || linkParaAnterior(texto)) return std::nullopt;
    return Secao{a, a + texto.size()};
}

QByteArray comTrecho(const QByteArray& linha, const Secao& s, const QByteArray& novo) {
    return linha.left(s.inicio) + novo + linha.mid(s.fim);
}

} // namespace

QString recusaModelo(const QString& origem, const QString& destino) {
    const QString recusa = recusaCopia(origem, destino);
    if (!recusa.isEmpty()) return recusa;
    if (!QFileInfo(QDir(origem).filePath(arquivoPranchas)).isFile())
        return QStringLiteral("Arquivo de pranchas não foi achado");
    return {};
}

bool nomeExiste(const QString& linha, const TProjeto& p) {
    const auto s = secaoDaLinha(linha);
    return s && chavesDasPranchas(p).contains(
                    chave(QStringView(linha).mid(s->inicio, s->fim - s->inicio)));
}

LinhasAcopladas acoplaLinhas(const QByteArray& doProjeto, const QByteArray& doModelo,
                             const TProjeto& p) {
    LinhasAcopladas r;
    const QSet<QString> existentes = chavesDasPranchas(p);
    QList<QByteArray> modelo = linhasDe(doModelo);
    const qsizetype inicio = inicioDasPranchas(modelo);

    // The sections first: a link may name a board further down.
    QHash<QString, QByteArray> novoNome; // the model's first board of a name -> its new name
    for (qsizetype i = inicio; i < modelo.size(); ++i) {
        const QString linha = deCp1252(modelo[i]);
        const auto s = secaoDaLinha(linha);
        if (!s) continue;
        ++r.pranchas;
        const qsizetype tamanho = s->fim - s->inicio;
        const QString antigo = linha.mid(s->inicio, tamanho);
        QByteArray nome = modelo[i].mid(s->inicio, tamanho);
        QString texto = antigo;
        // A new name ending in "-" and digits would be read by a link as a name and an offset
        // (CASA1 -> CASA-1 is "CASA" minus one): one more hyphen makes it a name again.
        auto comDeslocamento = [&] {
            return texto != antigo && separaDeslocamento(texto).texto != texto;
        };
        while (existentes.contains(chave(texto)) || comDeslocamento()) {
            if (!comDeslocamento())
                r.avisos << QStringLiteral("Prancha com nome duplicado: ") +
                                deCp1252(comTrecho(modelo[i], *s, nome)).trimmed();
            const qsizetype antesDoUltimo = qMax<qsizetype>(0, nome.size() - 1);
            nome.insert(antesDoUltimo, '-');
            texto.insert(antesDoUltimo, QChar(u'-'));
        }
        const QString k = chave(antigo);
        if (texto == antigo) {
            if (!novoNome.contains(k)) novoNome.insert(k, {});
            continue;
        }
        r.renomeadas.append(Renomeacao{antigo, texto});
        if (!novoNome.contains(k)) novoNome.insert(k, nome);
        modelo[i] = comTrecho(modelo[i], *s, nome);
    }
    for (qsizetype i = inicio; i < modelo.size(); ++i) {
        const auto s = nomeNoLink(deCp1252(modelo[i]));
        if (!s) continue;
        const QString alvo = deCp1252(modelo[i].mid(s->inicio, s->fim - s->inicio));
        const QByteArray novo = novoNome.value(alvo.toCaseFolded());
        if (novo.isEmpty()) continue;
        modelo[i] = comTrecho(modelo[i], *s, novo);
        ++r.linksSeguidos;
    }

    QList<QByteArray> saida = linhasDe(doProjeto);
    saida << QByteArray() << ';' + QByteArray(39, '-') << QByteArray();
    saida.append(modelo.mid(inicio));
    for (const QByteArray& l : std::as_const(saida))
        r.bytes += l + "\r\n";
    return r;
}

ResultadoAcoplamento acoplaModelo(const QString& origem, const QString& destino) {
    ResultadoAcoplamento r;
    r.recusa = recusaModelo(origem, destino);
    if (!r.recusa.isEmpty()) return r;
    QFile modelo(QDir(origem).filePath(arquivoPranchas));
    if (!modelo.open(QIODevice::ReadOnly)) {
        r.recusa = QStringLiteral("O arquivo de pranchas do modelo não pode ser lido");
        return r;
    }
    const QString caminho = QDir(destino).filePath(arquivoPranchas);
    QByteArray doProjeto;
    if (QFileInfo::exists(caminho)) {
        QFile atual(caminho);
        if (!atual.open(QIODevice::ReadOnly)) {
            r.recusa = QStringLiteral("O arquivo de pranchas do projeto não pode ser lido");
            return r;
        }
        doProjeto = atual.readAll();
    }
    r.linhas = acoplaLinhas(doProjeto, modelo.readAll(), projeto);

    // The model's board file and its backup are not media: the project keeps its own.
    QStringList midia = arquivosDaPastaDoProjeto(origem);
    midia.removeIf([](const QString& n) {
        const QString m = n.toUpper();
        return m == QLatin1String("PRANCHAS.PRA") || m == QLatin1String("PRANCHAS.BAK");
    });
    r.copia = copiaArquivos(origem, destino, midia);

    if (!garanteBackupDasPranchas(destino) || !gravaArquivoSeguro(caminho, r.linhas.bytes)) {
        r.erro = QStringLiteral("Arquivo de pranchas não pode ser gravado");
        return r;
    }
    r.gravado = true;
    carregaPranchas(destino);
    return r;
}

bool projetoDifereDoArquivo(const TProjeto& p, const QString& pasta) {
    QFile f(QDir(pasta).filePath(arquivoPranchas));
    if (!f.exists()) return p.nPranchas > 0;
    if (!f.open(QIODevice::ReadOnly)) return true;
    const QByteArray bytes = f.readAll();
    // A file without a date is dated when read: read at two moments, such a file gives two
    // dates, and the project keeps the one it was given when it was loaded.
    const QDateTime agora = QDateTime::currentDateTime();
    PranchasLidas lidas = lePranchas(bytes, agora);
    if (lePranchas(bytes, agora.addSecs(1)).projeto.data != lidas.projeto.data)
        lidas.projeto.data = p.data;
    if (!lidas.comConfig) copiaAjustes(p, lidas.projeto);
    lidas.projeto.nome = p.nome;
    return textoPranchas(p).bytes != textoPranchas(lidas.projeto).bytes;
}
