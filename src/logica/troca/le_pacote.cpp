#include "logica/troca/le_pacote.h"

#include "logica/troca/obf_leitura.h"
#include "logica/troca/obf_para_prancha.h"
#include "logica/troca/pacote_zip.h"
#include "nucleo/cp1252.h"
#include "nucleo/pranchas_formato.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QSet>

namespace {

// The settings a project gets when the package does not carry this program's own: the board
// file's defaults.
TProjeto projetoPadrao(const QDateTime& agora) {
    TProjeto p = lePranchas(QByteArrayLiteral("[CONFIG]\r\n"), agora).projeto;
    limpaPranchas(p);
    return p;
}

// The ways to select as the manifest carries them; what is absent or unreadable keeps its
// default, as in the board file.
void leOpcoesDeAcesso(const QJsonObject& o, TOpcoesAcesso& a) {
    const auto palavra = [&](const char* chave) {
        return o.value(QLatin1String(chave)).toString();
    };
    const auto numero = [&](const char* chave) {
        const QJsonValue v = o.value(QLatin1String(chave));
        return v.isDouble() ? QString::number(v.toInteger()) : QString();
    };
    a.modoVarredura = leModoVarredura(palavra("modo_varredura"));
    a.passoAPasso = o.value(QLatin1String("passo_a_passo")).toBool();
    leTeclasPasso(palavra("teclas_passo"), a.avanca, a.seleciona);
    leBotoesPasso(palavra("botoes_passo"), a.avanca, a.seleciona);
    a.pausaPrimeiro = leInteiroLimitado(numero("pausa_primeiro"), maxPausaPrimeiro, 0);
    a.voltasVarredura = leInteiroLimitado(numero("voltas_varredura"), maxVoltasVarredura, 0);
    a.progressoPermanencia = o.value(QLatin1String("progresso_permanencia")).toBool();
}

void leAjustes(const QJsonObject& m, TProjeto& p) {
    const auto texto = [&](const char* chave, QString& campo) {
        if (m.contains(proprio(chave))) campo = m.value(proprio(chave)).toString();
    };
    const auto sim = [&](const char* chave, bool& campo) {
        if (m.contains(proprio(chave))) campo = m.value(proprio(chave)).toBool();
    };
    const auto numero = [&](const char* chave, qint32& campo) {
        if (m.contains(proprio(chave)))
            campo = qint32(qBound(qint64(INT32_MIN), m.value(proprio(chave)).toInteger(campo),
                                  qint64(INT32_MAX)));
    };
    texto("autor", p.autor);
    texto("data", p.data);
    texto("info", p.info);
    sim("falando", p.falando);
    sim("sintetizando", p.sintetizando);
    sim("fala_varredura", p.falaVarredura);
    numero("varredura", p.tempoVarredura);
    numero("histerese", p.tempoHisterese);
    numero("autoclique", p.tempoAutoClique);
    numero("socorro", p.tempoSocorro);
    texto("prancha_inicial", p.pranchaInicial);
    texto("prancha_socorro", p.pranchaSocorro);
    leOpcoesDeAcesso(m.value(proprio("acesso")).toObject(), p.acesso);
}

// A board as read from the package, with where it was found.
struct QuadroDoPacote {
    QString caminho;
    QuadroObf quadro;
};

class Leitor {
public:
    Leitor(ProjetoDoPacote& resultado, PacoteZip* pacote) : r(resultado), zip(pacote) {}

    bool leMidias(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig);
    void montaProjeto(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig,
                      const QString& caminhoRaiz, bool nomesProprios);

private:
    std::optional<QByteArray> bytesDe(const MidiaObf& m, bool& trazida);
    QString nomeLivre(const QString& nome, const QByteArray& bytes);
    bool figura(const MidiaObf& m, LigacoesObf& lig);
    bool som(const MidiaObf& m, LigacoesObf& lig);

    ProjetoDoPacote& r;
    PacoteZip* zip;
    QHash<QString, int> arquivoPorNome; // case-folded file name -> its entry in r.arquivos
    // The board file and its backup are never a picture's or a sound's name.
    const QSet<QString> reservados{QStringLiteral("pranchas.pra"), QStringLiteral("pranchas.bak")};
};

std::optional<QByteArray> Leitor::bytesDe(const MidiaObf& m, bool& trazida) {
    trazida = false;
    if (zip && !m.caminho.isEmpty() && zip->contem(m.caminho)) {
        const auto bytes = zip->le(m.caminho, r.erro);
        if (!bytes) return std::nullopt;
        trazida = true;
        return bytes;
    }
    if (m.temDados) {
        trazida = true;
        return m.dados;
    }
    return QByteArray();
}

// The name, or the name with a number, so two different files never share one; the same file
// named twice is written once.
QString Leitor::nomeLivre(const QString& nome, const QByteArray& bytes) {
    const QFileInfo info(nome);
    const QString base = info.completeBaseName(), ext = info.suffix();
    for (int n = 1;; ++n) {
        const QString candidato =
            n == 1 ? nome
                   : base + QStringLiteral("_%1").arg(n) + (ext.isEmpty() ? QString() : u'.' + ext);
        const QString chave = candidato.toCaseFolded();
        if (reservados.contains(chave)) continue;
        const auto ja = arquivoPorNome.constFind(chave);
        if (ja != arquivoPorNome.constEnd()) {
            if (r.arquivos.at(*ja).second == bytes) return r.arquivos.at(*ja).first;
            continue;
        }
        arquivoPorNome.insert(chave, int(r.arquivos.size()));
        r.arquivos.append({candidato, bytes});
        return candidato;
    }
}

QString nomeSugerido(const MidiaObf& m) {
    QString nome = nomeDeArquivoSeguro(m.arquivo);
    if (nome.isEmpty()) nome = nomeDeArquivoSeguro(QFileInfo(m.caminho).fileName());
    if (nome.isEmpty()) nome = nomeDeArquivoSeguro(m.id);
    return nome.isEmpty() ? QStringLiteral("arquivo") : nome;
}

bool Leitor::figura(const MidiaObf& m, LigacoesObf& lig) {
    bool trazida = false;
    const auto bytes = bytesDe(m, trazida);
    if (!bytes) return false;
    if (!trazida || m.tipo.contains(QLatin1String("svg"), Qt::CaseInsensitive)) {
        ++r.figurasNaoTrazidas;
        return true;
    }
    QByteArray dados = *bytes;
    QBuffer buffer(&dados);
    QImageReader leitor(&buffer);
    const QByteArray formato = leitor.format();
    QImage imagem = leitor.read();
    if (imagem.isNull()) {
        r.erro = QStringLiteral("A figura \"%1\" do pacote não é uma figura que se possa ler.")
                     .arg(m.caminho.isEmpty() ? m.id : m.caminho);
        return false;
    }
    QString nome = nomeSugerido(m);
    if (QFileInfo(nome).suffix().isEmpty())
        nome += formato == "bmp" ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    // The boards show JPEG and BMP pictures; anything else becomes a JPEG on white.
    if (formato != "jpeg" && formato != "bmp") {
        QImage branco(imagem.size(), QImage::Format_RGB32);
        branco.fill(Qt::white);
        QPainter(&branco).drawImage(0, 0, imagem);
        dados.clear();
        QBuffer saida(&dados);
        saida.open(QIODevice::WriteOnly);
        branco.save(&saida, "JPEG", 90);
        nome = QFileInfo(nome).completeBaseName() + QStringLiteral(".jpg");
    }
    lig.arquivoDaFigura.insert(m.id, nomeLivre(nome, dados));
    ++r.figuras;
    return true;
}

bool Leitor::som(const MidiaObf& m, LigacoesObf& lig) {
    bool trazido = false;
    const auto bytes = bytesDe(m, trazido);
    if (!bytes) return false;
    if (!trazido || bytes->isEmpty()) {
        ++r.sonsNaoTrazidos;
        return true;
    }
    QString nome = nomeSugerido(m);
    if (QFileInfo(nome).suffix().isEmpty()) {
        const QString tipo = m.tipo.toLower();
        nome += tipo.contains(QLatin1String("mpeg")) || tipo.contains(QLatin1String("mp3"))
                    ? QStringLiteral(".mp3")
                : tipo.contains(QLatin1String("ogg")) ? QStringLiteral(".ogg")
                                                      : QStringLiteral(".wav");
    }
    lig.arquivoDoSom.insert(m.id, nomeLivre(nome, *bytes));
    ++r.sons;
    return true;
}

// Ids are one per package: the same id in two boards is the same file, or the package is wrong.
bool Leitor::leMidias(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig) {
    QHash<QString, const MidiaObf*> figuras, sons;
    const auto mesma = [](const MidiaObf& a, const MidiaObf& b) {
        return a.caminho == b.caminho && a.dados == b.dados;
    };
    for (const QuadroDoPacote& q : quadros) {
        for (const MidiaObf& m : q.quadro.figuras) {
            if (const MidiaObf* ja = figuras.value(m.id)) {
                if (mesma(*ja, m)) continue;
                r.erro = QStringLiteral("O pacote tem duas figuras diferentes com o id \"%1\".")
                             .arg(m.id);
                return false;
            }
            figuras.insert(m.id, &m);
            if (!figura(m, lig)) return false;
        }
        for (const MidiaObf& m : q.quadro.sons) {
            if (const MidiaObf* ja = sons.value(m.id)) {
                if (mesma(*ja, m)) continue;
                r.erro =
                    QStringLiteral("O pacote tem dois sons diferentes com o id \"%1\".").arg(m.id);
                return false;
            }
            sons.insert(m.id, &m);
            if (!som(m, lig)) return false;
        }
    }
    return true;
}

// A name another program gave a board, made one the board file and the links can use.
QString nomeDePrancha(const QuadroObf& q, int indice, QSet<QString>& usados) {
    QString base = q.nome.simplified();
    base.replace(u'[', u'(').replace(u']', u')');
    while (base.startsWith(u';'))
        base.remove(0, 1);
    if (base.isEmpty()) base = q.id.simplified();
    if (base.isEmpty()) base = QStringLiteral("Prancha %1").arg(indice + 1);
    QString nome = base;
    for (int n = 2; usados.contains(nome.toCaseFolded()); ++n)
        nome = base + QStringLiteral(" %1").arg(n);
    usados.insert(nome.toCaseFolded());
    return nome;
}

void Leitor::montaProjeto(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig,
                          const QString& caminhoRaiz, bool nomesProprios) {
    QSet<QString> usadosPranchas;
    // A board of another program never takes the name of one of ours.
    for (const QuadroDoPacote& q : quadros)
        if (nomesProprios && quadroDoPrograma(q.quadro))
            usadosPranchas.insert(q.quadro.nome.trimmed().toCaseFolded());
    QStringList nomes;
    for (int i = 0; i < quadros.size(); ++i) {
        const QuadroObf& q = quadros[i].quadro;
        // This program's boards keep their names as they were, twins included.
        const QString nome =
            nomesProprios && quadroDoPrograma(q) ? q.nome : nomeDePrancha(q, i, usadosPranchas);
        nomes << nome;
        if (!q.id.isEmpty()) lig.pranchaPorId.insert(q.id, nome);
        if (!quadros[i].caminho.isEmpty()) lig.pranchaPorCaminho.insert(quadros[i].caminho, nome);
        if (quadros[i].caminho == caminhoRaiz) lig.pranchaInicial = nome;
    }
    if (lig.pranchaInicial.isEmpty() && !nomes.isEmpty()) lig.pranchaInicial = nomes.first();
    for (int i = 0; i < quadros.size(); ++i) {
        TPrancha p = pranchaDoQuadro(quadros[i].quadro, nomes[i], lig);
        for (const TItem& it : p.itens)
            if (!it.executar.trimmed().isEmpty()) ++r.itensQueExecutam;
        r.projeto.pranchas.append(std::move(p));
    }
    r.projeto.nPranchas = int(r.projeto.pranchas.size());
}

bool pareceZip(const QByteArray& bytes) {
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

bool pareceJson(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (c == '{') return true;
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return false;
}

// The boards to read, root first, then those its links reach, then the rest the manifest
// lists; or in this program's own order when the package keeps one.
std::optional<QList<QuadroDoPacote>> leQuadros(PacoteZip& zip, const QJsonObject& manifesto,
                                               const QString& raiz, QString& erro) {
    const QJsonObject listados = manifesto.value(QLatin1String("paths"))
                                     .toObject()
                                     .value(QLatin1String("boards"))
                                     .toObject();
    QHash<QString, QString> caminhoPorId;
    QStringList pendentes{raiz};
    for (auto k = listados.begin(); k != listados.end(); ++k) {
        const QString caminho = k.value().toString();
        if (!zip.contem(caminho)) {
            erro = QStringLiteral("A prancha \"%1\" listada no manifest.json não está no pacote.")
                       .arg(caminho);
            return std::nullopt;
        }
        caminhoPorId.insert(k.key(), caminho);
    }
    QHash<QString, qsizetype> ordemPropria; // path -> place in this program's own order
    for (const QJsonValue& id : manifesto.value(proprio("ordem")).toArray())
        if (caminhoPorId.contains(id.toString()))
            ordemPropria.insert(caminhoPorId.value(id.toString()), ordemPropria.size());
    QList<QuadroDoPacote> quadros;
    QSet<QString> ids, enfileirados{raiz};
    const auto enfileira = [&](const QString& c) {
        if (enfileirados.contains(c)) return;
        enfileirados.insert(c);
        pendentes << c;
    };
    QStringList restantes = caminhoPorId.values();
    std::sort(restantes.begin(), restantes.end());
    for (qsizetype k = 0;; ++k) {
        if (k == pendentes.size()) {
            // What no link reached, in the manifest's order.
            for (const QString& c : restantes)
                enfileira(c);
            if (k == pendentes.size()) break;
        }
        const QString caminho = pendentes[k];
        const auto bytes = zip.le(caminho, erro);
        if (!bytes) return std::nullopt;
        QuadroLido lido = leQuadroObf(*bytes);
        if (!lido.erro.isEmpty()) {
            erro = QStringLiteral("A prancha \"%1\" do pacote não pôde ser lida: %2.")
                       .arg(caminho, lido.erro);
            return std::nullopt;
        }
        if (lido.quadro.id.isEmpty()) lido.quadro.id = caminhoPorId.key(caminho);
        if (!lido.quadro.id.isEmpty() && ids.contains(lido.quadro.id)) {
            erro =
                QStringLiteral("O pacote tem duas pranchas com o id \"%1\".").arg(lido.quadro.id);
            return std::nullopt;
        }
        ids.insert(lido.quadro.id);
        for (const BotaoObf& b : std::as_const(lido.quadro.botoes)) {
            if (!b.temLink) continue;
            const QString destino =
                zip.contem(b.linkCaminho) ? b.linkCaminho : caminhoPorId.value(b.linkId);
            if (!destino.isEmpty()) enfileira(destino);
        }
        quadros.append({caminho, std::move(lido.quadro)});
    }
    if (!ordemPropria.isEmpty()) {
        std::stable_sort(quadros.begin(), quadros.end(),
                         [&](const QuadroDoPacote& a, const QuadroDoPacote& b) {
                             const auto pos = [&](const QString& c) {
                                 return ordemPropria.value(c, ordemPropria.size());
                             };
                             return pos(a.caminho) < pos(b.caminho);
                         });
    }
    return quadros;
}

ProjetoDoPacote leObz(const QByteArray& bytes, const QDateTime& agora) {
    ProjetoDoPacote r;
    std::unique_ptr<PacoteZip> zip = PacoteZip::abre(bytes, r.erro);
    if (!zip) return r;
    if (!zip->contem(QStringLiteral("manifest.json"))) {
        r.erro = QStringLiteral("O pacote não tem o arquivo manifest.json: não é um pacote OBZ.");
        return r;
    }
    const auto textoManifesto = zip->le(QStringLiteral("manifest.json"), r.erro);
    if (!textoManifesto) return r;
    QJsonParseError erroJson;
    const QJsonDocument doc = QJsonDocument::fromJson(*textoManifesto, &erroJson);
    if (!doc.isObject()) {
        r.erro = QStringLiteral("O manifest.json do pacote não pôde ser lido (%1).")
                     .arg(erroJson.errorString());
        return r;
    }
    const QJsonObject manifesto = doc.object();
    const QString raiz = manifesto.value(QLatin1String("root")).toString();
    if (raiz.isEmpty() || !zip->contem(raiz)) {
        r.erro = QStringLiteral("A prancha inicial indicada no pacote (\"%1\") não está nele.")
                     .arg(raiz);
        return r;
    }
    const auto quadros = leQuadros(*zip, manifesto, raiz, r.erro);
    if (!quadros) return r;
    r.projeto = projetoPadrao(agora);
    Leitor leitor(r, zip.get());
    LigacoesObf lig;
    if (!leitor.leMidias(*quadros, lig)) return r;
    const bool proprio_ = manifesto.contains(proprio("ordem"));
    leitor.montaProjeto(*quadros, lig, raiz, proprio_);
    if (proprio_) {
        leAjustes(manifesto, r.projeto);
    } else {
        // Boards of another program speak their buttons with the voice.
        r.projeto.sintetizando = true;
        r.projeto.pranchaInicial = lig.pranchaInicial;
    }
    return r;
}

ProjetoDoPacote leObf(const QByteArray& bytes, const QDateTime& agora) {
    ProjetoDoPacote r;
    QuadroLido lido = leQuadroObf(bytes);
    if (!lido.erro.isEmpty()) {
        r.erro = QStringLiteral("A prancha OBF não pôde ser lida: %1.").arg(lido.erro);
        return r;
    }
    r.projeto = projetoPadrao(agora);
    Leitor leitor(r, nullptr);
    LigacoesObf lig;
    const QList<QuadroDoPacote> quadros{{QString(), std::move(lido.quadro)}};
    if (!leitor.leMidias(quadros, lig)) return r;
    leitor.montaProjeto(quadros, lig, QString(), true);
    r.projeto.sintetizando = r.projeto.sintetizando || !quadroDoPrograma(quadros[0].quadro);
    r.projeto.pranchaInicial = lig.pranchaInicial;
    return r;
}

} // namespace

ProjetoDoPacote lePacote(const QByteArray& bytes, const QDateTime& agora) {
    if (pareceZip(bytes)) return leObz(bytes, agora);
    if (pareceJson(bytes)) return leObf(bytes, agora);
    ProjetoDoPacote r;
    r.erro = QStringLiteral("O arquivo não é um pacote OBZ (zip) nem uma prancha OBF (JSON).");
    return r;
}

QString nomeDeArquivoSeguro(const QString& nome) {
    QString r = nome;
    r.replace(u'\\', u'/');
    r = r.section(u'/', -1);
    QString limpo;
    for (const QChar c : std::as_const(r)) {
        // What the board file cannot hold would come back as "?" and name another file.
        const bool cabe = trocasEmCp1252(QStringView(&c, 1)) == 0;
        const bool proibido = c < u' ' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
                              c == u'<' || c == u'>' || c == u'|';
        limpo += cabe && !proibido ? c : u'_';
    }
    limpo = limpo.trimmed();
    while (limpo.startsWith(u'.'))
        limpo.remove(0, 1);
    return limpo;
}
