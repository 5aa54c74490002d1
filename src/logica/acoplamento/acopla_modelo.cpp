#include "logica/acoplamento/acopla_modelo.h"

#include "logica/troca/contagem.h"
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
#include <algorithm>
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
    const int n = p.nPranchas();
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

// A "KEY n=value" line taken apart: the key's word, its item number (empty for a board's
// own key) and where the value lies, without blanks around it.
struct LinhaDeChave {
    QString palavra;
    QString numero;
    Secao valor;
};

std::optional<LinhaDeChave> chaveDaLinha(QStringView linha) {
    static const QRegularExpression forma(QStringLiteral("^\\s*([A-Za-z]*)\\s*(\\d*)\\s*$"));
    const qsizetype igual = linha.indexOf(u'=');
    if (igual <= 0) return std::nullopt;
    const auto m = forma.match(linha.left(igual).toString());
    if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty())) return std::nullopt;
    qsizetype a = igual + 1, b = linha.size();
    while (a < b && branco(linha[a]))
        ++a;
    while (b > a && branco(linha[b - 1]))
        --b;
    return LinhaDeChave{m.captured(1).toUpper(), m.captured(2), Secao{a, b}};
}

// The new name of the file a FIGURA, SOM or FALA value stands for; empty when not renamed. A
// value keeps its form: a sound named without ".wav" stays without it.
QString novoValor(const QString& palavra, const QString& valor, const MidiasRenomeadas& midias) {
    if (palavra == QLatin1String("FIGURA")) {
        if (midias.contains(valor)) return midias.value(valor);
        return midias.value(valor + QStringLiteral(".jpg"));
    }
    if (palavra != QLatin1String("SOM") && palavra != QLatin1String("FALA")) return {};
    const QString arquivo = nomeDeSom(valor);
    const QString novo = midias.value(arquivo);
    if (novo.isEmpty() || arquivo == valor) return novo;
    return novo.endsWith(QStringLiteral(".wav")) ? novo.chopped(4) : novo;
}

// Rewrites the model's media entries to the files' new names, and names outright a renamed
// picture an item found by its label (LABEL.jpg), so it does not find the project's own.
int seguemMidias(QList<QByteArray>& modelo, qsizetype inicio, const MidiasRenomeadas& midias) {
    if (midias.isEmpty()) return 0;
    int seguidas = 0;
    QHash<QString, qsizetype> rotulos; // item number -> its label's line, in this section
    QSet<QString> comFigura;
    QList<QPair<qsizetype, QByteArray>> inserir;
    auto fechaSecao = [&] {
        for (auto i = rotulos.cbegin(); i != rotulos.cend(); ++i) {
            if (comFigura.contains(i.key())) continue;
            const QString linha = deCp1252(modelo[i.value()]);
            const auto c = chaveDaLinha(linha);
            const QString rotulo = linha.mid(c->valor.inicio, c->valor.fim - c->valor.inicio);
            const QString novo = midias.value(rotulo + QStringLiteral(".jpg"));
            if (rotulo.isEmpty() || novo.isEmpty()) continue;
            inserir.append({i.value() + 1, QByteArrayLiteral("    FIGURA ") + i.key().toLatin1() +
                                               '=' + paraCp1252(novo)});
            ++seguidas;
        }
        rotulos.clear();
        comFigura.clear();
    };
    for (qsizetype i = inicio; i < modelo.size(); ++i) {
        const QString linha = deCp1252(modelo[i]);
        if (secaoDaLinha(linha)) {
            fechaSecao();
            continue;
        }
        const auto c = chaveDaLinha(linha);
        if (!c || linha.trimmed().startsWith(u';')) continue;
        if (c->palavra.isEmpty()) {
            rotulos.insert(c->numero, i);
            continue;
        }
        const QString valor = linha.mid(c->valor.inicio, c->valor.fim - c->valor.inicio);
        if (c->palavra == QLatin1String("FIGURA") && !valor.isEmpty()) comFigura.insert(c->numero);
        const QString novo = novoValor(c->palavra, valor, midias);
        if (novo.isEmpty()) continue;
        modelo[i] = paraCp1252(linha.left(c->valor.inicio) + novo + linha.mid(c->valor.fim));
        ++seguidas;
    }
    fechaSecao();
    std::sort(inserir.begin(), inserir.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [onde, linha] : std::as_const(inserir))
        modelo.insert(onde, linha);
    return seguidas;
}

// banana.jpg -> banana-2.jpg, banana-3.jpg…: the first name neither in the folder nor taken.
QString nomeLivre(const QString& nome, const QDir& pasta, const QSet<QString>& tomados) {
    const qsizetype ponto = nome.lastIndexOf(u'.');
    const QString base = ponto > 0 ? nome.left(ponto) : nome;
    const QString extensao = ponto > 0 ? nome.mid(ponto) : QString();
    for (int n = 2;; ++n) {
        const QString candidato = base + u'-' + QString::number(n) + extensao;
        if (!tomados.contains(candidato) && !QFileInfo::exists(pasta.filePath(candidato)))
            return candidato;
    }
}

} // namespace

QString recusaModelo(const QString& origem, const QString& destino) {
    const QString recusa = recusaCopia(origem, destino);
    if (!recusa.isEmpty()) return recusa;
    QFile arquivo(QDir(origem).filePath(arquivoPranchas));
    if (!QFileInfo(arquivo).isFile()) return QStringLiteral("Arquivo de pranchas não foi achado");
    if (!arquivo.open(QIODevice::ReadOnly))
        return QStringLiteral("O arquivo de pranchas do modelo não pode ser lido");
    const QList<QByteArray> linhas = linhasDe(arquivo.readAll());
    if (inicioDasPranchas(linhas) == linhas.size())
        return QStringLiteral("O arquivo de pranchas do modelo não tem nenhuma prancha");
    return {};
}

PlanoDeMidias planejaMidias(const QString& origem, const QString& destino,
                            const QStringList& nomes) {
    PlanoDeMidias r;
    const QDir de(origem), para(destino);
    QSet<QString> tomados(nomes.cbegin(), nomes.cend());
    for (const QString& nome : nomes) {
        if (!QFileInfo::exists(para.filePath(nome))) {
            r.copiar << nome;
        } else if (mesmosBytes(de.filePath(nome), para.filePath(nome))) {
            r.iguais << nome;
        } else {
            const QString novo = nomeLivre(nome, para, tomados);
            tomados.insert(novo);
            r.novos.insert(nome, novo);
            r.copiar << nome;
        }
    }
    return r;
}

bool nomeExiste(const QString& linha, const TProjeto& p) {
    const auto s = secaoDaLinha(linha);
    return s && chavesDasPranchas(p).contains(
                    chave(QStringView(linha).mid(s->inicio, s->fim - s->inicio)));
}

LinhasAcopladas acoplaLinhas(const QByteArray& doProjeto, const QByteArray& doModelo,
                             const TProjeto& p, const MidiasRenomeadas& midias) {
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

    r.midiasSeguidas = seguemMidias(modelo, inicio, midias);

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
    // The model's board file and its backup are not media: the project keeps its own.
    QStringList midia = arquivosDaPastaDoProjeto(origem);
    midia.removeIf([](const QString& n) {
        const QString m = n.toUpper();
        return m == QLatin1String("PRANCHAS.PRA") || m == QLatin1String("PRANCHAS.BAK");
    });
    r.midias = planejaMidias(origem, destino, midia);
    r.linhas = acoplaLinhas(doProjeto, modelo.readAll(), projeto, r.midias.novos);
    r.copia = copiaArquivos(origem, destino, r.midias.copiar, r.midias.novos);

    if (!garanteBackupDasPranchas(destino) || !gravaArquivoSeguro(caminho, r.linhas.bytes)) {
        r.erro = QStringLiteral("Arquivo de pranchas não pode ser gravado");
        return r;
    }
    r.gravado = true;
    carregaPranchas(destino);
    return r;
}

QString textoFimDoAcoplamento(const ResultadoAcoplamento& r) {
    QStringList t{QStringLiteral("Fim do acoplamento do modelo")};
    t << contagem(r.linhas.pranchas, "prancha importada.", "pranchas importadas.");
    for (const Renomeacao& n : r.linhas.renomeadas)
        t << QStringLiteral("Prancha com nome duplicado: [%1], importada como [%2].")
                 .arg(n.de, n.para);
    if (!r.midias.novos.isEmpty()) {
        QStringList nomes;
        for (const QString& de : r.midias.copiar)
            if (r.midias.novos.contains(de))
                nomes << de + QStringLiteral(" → ") + r.midias.novos.value(de);
        t << contagem(int(r.midias.novos.size()),
                      "arquivo do modelo tem o nome de outro do projeto e veio renomeado: ",
                      "arquivos do modelo têm o nome de outros do projeto e vieram renomeados: ") +
                 nomes.join(QStringLiteral(", "));
    }
    if (!r.midias.iguais.isEmpty())
        t << contagem(int(r.midias.iguais.size()), "arquivo igual já estava no projeto.",
                      "arquivos iguais já estavam no projeto.");
    if (!r.copia.naoCopiados.isEmpty())
        t << QStringLiteral("Arquivos não copiados: ") +
                 r.copia.naoCopiados.join(QStringLiteral(", "));
    return t.join(u'\n');
}

bool projetoDifereDoArquivo(const TProjeto& p, const QString& pasta) {
    QFile f(QDir(pasta).filePath(arquivoPranchas));
    if (!f.exists()) return p.nPranchas() > 0;
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
