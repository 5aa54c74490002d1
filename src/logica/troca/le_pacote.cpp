#include "logica/troca/le_pacote.h"

#include "logica/troca/figuras_importadas.h"
#include "logica/troca/obf_leitura.h"
#include "logica/troca/obf_para_prancha.h"
#include "logica/troca/pacote_zip.h"
#include "nucleo/cp1252.h"
#include "nucleo/pranchas_formato.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {

// The board file's defaults, which the settings a package carries replace one by one.
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
    leTeclaVarredura(palavra("tecla_varredura"), a.selecionaVarredura);
    leBotaoVarredura(palavra("botao_varredura"), a.selecionaVarredura);
    // As in the board file: neither key nor button would leave no way to select.
    if (a.selecionaVarredura == TChave{}) a.selecionaVarredura.botao = qualquerBotao;
    a.pausaPrimeiro = leInteiroLimitado(numero("pausa_primeiro"), maxPausaPrimeiro, 0);
    a.voltasVarredura = leInteiroLimitado(numero("voltas_varredura"), maxVoltasVarredura, 0);
    a.progressoPermanencia = o.value(QLatin1String("progresso_permanencia")).toBool();
    a.barraMensagem = o.value(QLatin1String("barra_mensagem")).toBool();
    a.trocaSemEsperar = o.value(QLatin1String("troca_sem_esperar")).toBool();
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

// The ids of the pictures and sounds the boards use, each once, in the order first used: those
// of the buttons in the grid, and the recordings this program's own keys name.
struct MidiasUsadas {
    QStringList figuras, sons;
    QSet<QString> vistas, ouvidos;
    void figura(const QString& id) {
        if (!id.isEmpty() && !vistas.contains(id)) {
            vistas.insert(id);
            figuras << id;
        }
    }
    void som(const QString& id) {
        if (!id.isEmpty() && !ouvidos.contains(id)) {
            ouvidos.insert(id);
            sons << id;
        }
    }
};

MidiasUsadas midiasUsadas(const QList<QuadroDoPacote>& quadros) {
    MidiasUsadas u;
    const auto proprioId = [](const QJsonObject& o, const char* chave) {
        return o.value(proprio(chave)).toString();
    };
    for (const QuadroDoPacote& qp : quadros) {
        const QuadroObf& q = qp.quadro;
        u.som(proprioId(q.proprias, "som_id"));
        u.som(proprioId(q.proprias, "fala_som_id"));
        for (int k = 0; k < q.linhas * q.colunas; ++k) {
            const auto b = q.botoes.constFind(q.celulas.value(k));
            if (b == q.botoes.constEnd()) continue;
            u.figura(b->figuraId);
            u.som(b->somId);
            u.som(proprioId(b->proprias, "fala_som_id"));
        }
    }
    return u;
}

class Leitor {
public:
    Leitor(ProjetoDoPacote& resultado, PacoteZip* pacote, const QJsonObject& manifesto = {})
        : r(resultado), zip(pacote) {
        const QJsonObject caminhos = manifesto.value(QLatin1String("paths")).toObject();
        listadas = caminhos.value(QLatin1String("images")).toObject();
        listados = caminhos.value(QLatin1String("sounds")).toObject();
    }

    bool leMidias(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig);
    void montaProjeto(const QList<QuadroDoPacote>& quadros, LigacoesObf& lig,
                      const QString& caminhoRaiz, bool nomesProprios);

private:
    enum class Origem { pacote, endereco, ausente };
    std::optional<QByteArray> bytesDe(const MidiaObf& m, Origem& origem);
    MidiaObf registro(const QHash<QString, const MidiaObf*>& registros, const QJsonObject& lista,
                      const QString& id) const;
    QString nomeLivre(const QString& nome, const QByteArray& bytes, int& novos);
    bool figura(const MidiaObf& m, LigacoesObf& lig);
    bool som(const MidiaObf& m, LigacoesObf& lig);

    ProjetoDoPacote& r;
    PacoteZip* zip;
    QJsonObject listadas, listados;     // the manifest's paths of pictures and of sounds, by id
    QHash<QString, int> arquivoPorNome; // case-folded file name -> its entry in r.arquivos
    // The board file and its backup are never a picture's or a sound's name.
    const QSet<QString> reservados{QStringLiteral("pranchas.pra"), QStringLiteral("pranchas.bak")};
};

std::optional<QByteArray> Leitor::bytesDe(const MidiaObf& m, Origem& origem) {
    origem = Origem::pacote;
    if (zip && !m.caminho.isEmpty() && zip->contem(m.caminho)) {
        const auto bytes = zip->le(m.caminho, r.erro);
        if (!bytes) return std::nullopt;
        return bytes;
    }
    if (m.temDados) return m.dados;
    // Elsewhere (an address, a symbol set), or a file the package lost.
    origem = m.externa ? Origem::endereco : Origem::ausente;
    return QByteArray();
}

// The record a board gives the id; one with neither path nor data, or none at all, is looked
// for in the manifest's list.
MidiaObf Leitor::registro(const QHash<QString, const MidiaObf*>& registros,
                          const QJsonObject& lista, const QString& id) const {
    const MidiaObf* dado = registros.value(id);
    if (dado && (dado->temDados || !dado->caminho.isEmpty())) return *dado;
    MidiaObf m = dado ? *dado : MidiaObf{};
    m.id = id;
    m.caminho = lista.value(id).toString();
    return m;
}

// The name, or the name with a number, so two different files never share one; the same file
// named twice is written, and counted in `novos`, once.
QString Leitor::nomeLivre(const QString& nome, const QByteArray& bytes, int& novos) {
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
        ++novos;
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
    Origem origem;
    const auto bytes = bytesDe(m, origem);
    if (!bytes) return false;
    if (origem != Origem::pacote) {
        ++(origem == Origem::endereco ? r.figurasPorEndereco : r.figurasAusentes);
        return true;
    }
    QString nome = nomeSugerido(m);
    QByteArray dados;
    if (pareceSvg(*bytes, m.tipo)) {
        const auto jpeg = jpegDeSvg(*bytes, m.tamanho);
        if (!jpeg) {
            ++r.figurasSvgRuins;
            return true;
        }
        dados = *jpeg;
        nome = QFileInfo(nome).completeBaseName() + QStringLiteral(".jpg");
    } else {
        const auto lida = figuraImportada(*bytes);
        if (!lida) {
            r.erro = QStringLiteral("A figura \"%1\" do pacote não é uma figura que se possa ler.")
                         .arg(m.caminho.isEmpty() ? m.id : m.caminho);
            return false;
        }
        dados = lida->bytes;
        // The boards show JPEG and BMP pictures; anything else became a JPEG.
        if (lida->bytes != *bytes)
            nome = QFileInfo(nome).completeBaseName() + QStringLiteral(".jpg");
        else if (QFileInfo(nome).suffix().isEmpty())
            nome += u'.' + QLatin1String(lida->extensao);
    }
    lig.arquivoDaFigura.insert(m.id, nomeLivre(nome, dados, r.figuras));
    return true;
}

bool Leitor::som(const MidiaObf& m, LigacoesObf& lig) {
    Origem origem;
    const auto bytes = bytesDe(m, origem);
    if (!bytes) return false;
    if (origem != Origem::pacote || bytes->isEmpty()) {
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
    lig.arquivoDoSom.insert(m.id, nomeLivre(nome, *bytes, r.sons));
    return true;
}

// Ids are one per package: the same id in two boards is the same file, or the package is wrong.
// Only what an item uses is brought: a package often lists pictures no button shows.
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
        }
        for (const MidiaObf& m : q.quadro.sons) {
            if (const MidiaObf* ja = sons.value(m.id)) {
                if (mesma(*ja, m)) continue;
                r.erro =
                    QStringLiteral("O pacote tem dois sons diferentes com o id \"%1\".").arg(m.id);
                return false;
            }
            sons.insert(m.id, &m);
        }
    }
    const MidiasUsadas usadas = midiasUsadas(quadros);
    for (const QString& id : usadas.figuras)
        if (!figura(registro(figuras, listadas, id), lig)) return false;
    for (const QString& id : usadas.sons)
        if (!som(registro(sons, listados, id), lig)) return false;
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
        TPrancha p = pranchaDoQuadro(quadros[i].quadro, nomes[i], lig, &r.diferencas);
        for (const TItem& it : p.itens)
            if (!it.executar.trimmed().isEmpty()) ++r.itensQueExecutam;
        r.projeto.pranchas.append(std::move(p));
    }
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
        r.erro = doc.isNull() ? QStringLiteral("O manifest.json do pacote não pôde ser lido: o "
                                               "JSON está malformado perto do caractere %1.")
                                    .arg(erroJson.offset)
                              : QStringLiteral("O manifest.json do pacote não pôde ser lido: o "
                                               "JSON não é um objeto.");
        return r;
    }
    const QJsonObject manifesto = doc.object();
    const QString raiz = manifesto.value(QLatin1String("root")).toString();
    if (raiz.isEmpty()) {
        r.erro = QStringLiteral("O manifest.json do pacote está sem o campo root: não se sabe "
                                "qual é a prancha inicial.");
        return r;
    }
    if (!zip->contem(raiz)) {
        r.erro = QStringLiteral("A prancha inicial indicada no pacote (\"%1\") não está nele.")
                     .arg(raiz);
        return r;
    }
    const auto quadros = leQuadros(*zip, manifesto, raiz, r.erro);
    if (!quadros) return r;
    r.projeto = projetoPadrao(agora);
    Leitor leitor(r, zip.get(), manifesto);
    LigacoesObf lig;
    if (!leitor.leMidias(*quadros, lig)) return r;
    const bool proprio_ = manifesto.contains(proprio("ordem"));
    leitor.montaProjeto(*quadros, lig, raiz, proprio_);
    if (proprio_) {
        leAjustes(manifesto, r.projeto);
    } else {
        ajustesDeMouse(r.projeto);
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
    // One board carries no settings, whoever wrote it.
    ajustesDeMouse(r.projeto);
    r.projeto.sintetizando = r.projeto.sintetizando || !quadroDoPrograma(quadros[0].quadro);
    r.projeto.pranchaInicial = lig.pranchaInicial;
    return r;
}

} // namespace

void ajustesDeMouse(TProjeto& p) {
    p.tempoVarredura = 0;
    p.tempoHisterese = 0;
    p.tempoAutoClique = 0;
    p.tempoSocorro = 0;
}

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
