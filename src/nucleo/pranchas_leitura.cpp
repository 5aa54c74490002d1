// Reading the board file's bytes into a project.
#include "nucleo/pranchas_formato.h"

#include "nucleo/ini.h"
#include "nucleo/pranchas_valores.h"
#include "nucleo/versao.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// What a key of a board section names. The board's own keys come first, then the keys of an
// item, which carry the item's number.
enum class Campo : quint8 {
    modelo,
    titulo,
    linkPrancha,
    corPrancha,
    somPrancha,
    falaPrancha,
    idiomaPrancha,
    rotulo,
    figura,
    link,
    cor,
    som,
    fala,
    executar,
    posTexto,
    dimTexto,
    dimMoldura,
    deslocHoriz,
    semRotulo,
    semFigura,
    nenhum
};
constexpr int camposDaPrancha = int(Campo::rotulo);

// The item's text fields, in the order of Campo from rotulo to executar (the colour between
// them is no text).
QString TItem::*const textosDoItem[] = {&TItem::rotulo, &TItem::figura, &TItem::link,    nullptr,
                                        &TItem::som,    &TItem::fala,   &TItem::executar};

QString TItem::*textoDoItem(Campo campo) {
    const int i = int(campo) - int(Campo::rotulo);
    return i >= 0 && i < int(std::size(textosDoItem)) ? textosDoItem[i] : nullptr;
}

struct Palavra {
    QLatin1String minuscula;
    Campo campo;
};
const Palavra palavrasDaPrancha[] = {
    {QLatin1String("modelo"), Campo::modelo},        {QLatin1String("titulo"), Campo::titulo},
    {QLatin1String("link"), Campo::linkPrancha},     {QLatin1String("cor"), Campo::corPrancha},
    {QLatin1String("som"), Campo::somPrancha},       {QLatin1String("fala"), Campo::falaPrancha},
    {QLatin1String("idioma"), Campo::idiomaPrancha},
};
const Palavra palavrasDeItem[] = {
    {QLatin1String("figura"), Campo::figura},
    {QLatin1String("link"), Campo::link},
    {QLatin1String("cor"), Campo::cor},
    {QLatin1String("som"), Campo::som},
    {QLatin1String("fala"), Campo::fala},
    {QLatin1String("executar"), Campo::executar},
    {QLatin1String("postexto"), Campo::posTexto},
    {QLatin1String("dimtexto"), Campo::dimTexto},
    {QLatin1String("dimmoldura"), Campo::dimMoldura},
    {QLatin1String("deslochoriz"), Campo::deslocHoriz},
    {QLatin1String("semrotulo"), Campo::semRotulo},
    {QLatin1String("semfigura"), Campo::semFigura},
};

// Key names match without regard to letter case. In Windows-1252 text only an ASCII letter
// lower-cases to an ASCII letter, so folding ASCII is the whole rule for these words.
bool mesmaPalavra(QStringView chave, QLatin1String minuscula) {
    if (chave.size() != minuscula.size()) return false;
    for (qsizetype i = 0; i < chave.size(); ++i) {
        char16_t c = chave[i].unicode();
        if (c >= u'A' && c <= u'Z') c += 32;
        if (c != minuscula.at(i).unicode()) return false;
    }
    return true;
}

template <size_t N> Campo campoDaPalavra(QStringView chave, const Palavra (&palavras)[N]) {
    for (const Palavra& p : palavras)
        if (mesmaPalavra(chave, p.minuscula)) return p.campo;
    return Campo::nenhum;
}

// An item number as the reader asks for it: decimal digits, no sign, no leading zero; 0 when
// the text is not one (or is too large to be an item of any board).
qint32 numeroDeItem(QStringView t) {
    if (t.isEmpty() || t.size() > 5 || t[0] < u'1' || t[0] > u'9') return 0;
    qint32 n = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9') return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n <= maxItens ? n : 0;
}

// Which field a key names. The reader fetches "n", "FIGURA n", … for n = 1 … rows × columns
// and the board's own words; any other key is never asked for.
Campo campoDaChave(QStringView chave, qint32& item) {
    item = 0;
    if (chave.isEmpty()) return Campo::nenhum;
    if (chave[0] >= u'0' && chave[0] <= u'9') {
        item = numeroDeItem(chave);
        return item > 0 ? Campo::rotulo : Campo::nenhum;
    }
    const qsizetype espaco = std::find(chave.begin(), chave.end(), u' ') - chave.begin();
    if (espaco == chave.size()) return campoDaPalavra(chave, palavrasDaPrancha);
    item = numeroDeItem(chave.mid(espaco + 1));
    return item > 0 ? campoDaPalavra(chave.left(espaco), palavrasDeItem) : Campo::nenhum;
}

// A whole number key as a board without MODELO counts its items: sign allowed, no blanks.
bool numeroDeChave(QStringView t, qint32& n) {
    const qsizetype inicio = (t.startsWith(u'+') || t.startsWith(u'-')) ? 1 : 0;
    if (t.size() <= inicio) return false;
    qint64 v = 0;
    for (const QChar c : t.mid(inicio)) {
        if (c < u'0' || c > u'9') return false;
        v = qMin<qint64>(v * 10 + (c.unicode() - u'0'), qint64(maxItens) + 1);
    }
    n = qint32(t.startsWith(u'-') ? -v : v);
    return true;
}

bool flagConfig(QStringView v) {
    return !v.isEmpty() && v[0].toUpper() == u'S';
}
bool flagItem(QStringView v) {
    return v.startsWith(u'S');
}

TPosVertical lePosTexto(QStringView v) {
    if (v.compare(QLatin1String("meio"), Qt::CaseInsensitive) == 0) return TPosVertical::meio;
    if (v.compare(QLatin1String("cima"), Qt::CaseInsensitive) == 0) return TPosVertical::cima;
    return TPosVertical::baixo;
}

TDimMoldura leMoldura(QStringView v) {
    if (v.compare(QLatin1String("fina"), Qt::CaseInsensitive) == 0) return TDimMoldura::fina;
    if (v.compare(QLatin1String("media"), Qt::CaseInsensitive) == 0) return TDimMoldura::media;
    if (v.compare(QLatin1String("grossa"), Qt::CaseInsensitive) == 0) return TDimMoldura::grossa;
    return TDimMoldura::sem;
}

void leConfig(const ArquivoIni& ini, qsizetype secao, TProjeto& p) {
    auto le = [&](const char16_t* chave) {
        return semBrancosNasPontas(ini.valorEm(secao, QStringView(chave)));
    };
    auto inteiroOu = [](QStringView v, qint32 padrao) {
        qint32 r;
        return leInteiro(v, r) ? r : padrao;
    };
    if (const QStringView v = le(u"AUTOR"); !v.isEmpty()) p.autor = v.toString();
    if (const QStringView v = le(u"DATA"); !v.isEmpty()) p.data = v.toString();
    p.falando = flagConfig(le(u"FALANDO"));
    p.falaVarredura = flagConfig(le(u"FALAVARREDURA"));
    if (const QStringView v = le(u"INFO"); !v.isEmpty()) p.info = v.toString();
    p.sintetizando = flagConfig(le(u"SINTETIZANDO"));
    p.tempoVarredura = inteiroOu(le(u"VARREDURA"), 2000);
    p.tempoHisterese = inteiroOu(le(u"HISTERESE"), 1000);
    p.tempoAutoClique = inteiroOu(le(u"AUTOCLIQUE"), 0);
    p.tempoSocorro = inteiroOu(le(u"SOCORRO"), 3000);
    p.pranchaInicial = le(u"PRANCHA_INICIAL").toString();
    p.pranchaSocorro = le(u"PRANCHA_SOCORRO").toString();
    // Ways to select beyond one cell at a time; absent or unreadable, each keeps its default.
    TOpcoesAcesso& a = p.acesso;
    a.modoVarredura = leModoVarredura(le(u"MODOVARREDURA"));
    a.passoAPasso = flagConfig(le(u"PASSOAPASSO"));
    leTeclasPasso(le(u"TECLASPASSO"), a.avanca, a.seleciona);
    leBotoesPasso(le(u"BOTOESPASSO"), a.avanca, a.seleciona);
    leTeclaVarredura(le(u"TECLAVARREDURA"), a.selecionaVarredura);
    leBotaoVarredura(le(u"BOTAOVARREDURA"), a.selecionaVarredura);
    // Neither key nor button would leave no way to select: the mouse, as always.
    if (a.selecionaVarredura == TChave{}) a.selecionaVarredura.botao = qualquerBotao;
    a.pausaPrimeiro = leInteiroLimitado(le(u"PAUSAPRIMEIRO"), maxPausaPrimeiro, 0);
    a.voltasVarredura = leInteiroLimitado(le(u"VOLTASVARREDURA"), maxVoltasVarredura, 0);
    a.progressoPermanencia = flagConfig(le(u"PROGRESSOPERMANENCIA"));
    a.barraMensagem = flagConfig(le(u"BARRAMENSAGEM"));
    a.trocaSemEsperar = flagConfig(le(u"TROCASEMESPERAR"));
}

// A text of the file as a key of the reader's table of texts. Qt's own string hash costs more
// than the allocation it would spare on a file whose texts are all different.
struct TextoLido {
    QStringView v;
    bool operator==(const TextoLido& o) const { return v == o.v; }
};

size_t qHash(TextoLido t, size_t semente) noexcept {
    constexpr quint64 mistura = 0xFF51AFD7ED558CCDull;
    const char16_t* p = t.v.utf16();
    qsizetype n = t.v.size();
    quint64 h = quint64(semente) ^ (quint64(n) * 0x9E3779B97F4A7C15ull);
    for (; n >= 4; n -= 4, p += 4) {
        quint64 k;
        std::memcpy(&k, p, sizeof k);
        h = (h ^ k) * mistura;
        h ^= h >> 32;
    }
    for (; n > 0; --n)
        h = (h ^ *p++) * mistura;
    h ^= h >> 33;
    h *= mistura;
    return size_t(h ^ (h >> 33));
}

// Reads boards one section at a time. A section's lines are walked once and each key goes to
// the field it names, the first line of a key counting; the buffers are kept from board to
// board, so a large project costs no allocation per key.
class LeitorDePranchas {
public:
    // False when the board needed a default for MODELO or a colour.
    bool le(const ArquivoIni& ini, qsizetype secao, TPrancha& p) {
        QStringView daPrancha[camposDaPrancha];
        bool visto[camposDaPrancha] = {};
        doItem.clear();
        for (const ArquivoIni::Par& par : ini.pares(secao)) {
            qint32 item = 0;
            const Campo campo = campoDaChave(par.chave, item);
            if (campo == Campo::nenhum) continue;
            if (int(campo) < camposDaPrancha) {
                if (!visto[int(campo)]) daPrancha[int(campo)] = par.valor;
                visto[int(campo)] = true;
            } else {
                doItem.push_back({campo, item, par.valor});
            }
        }
        auto texto = [&](Campo c) { return compartilhado(semBrancosNasPontas(daPrancha[int(c)])); };
        bool inteira = true;
        if (!leModelo(semBrancosNasPontas(daPrancha[int(Campo::modelo)]), p.nLinhas, p.nColunas)) {
            modeloPadrao(ini.pares(secao), p);
            inteira = false;
        }
        const qint32 nItens = p.nLinhas * p.nColunas;
        p.titulo = texto(Campo::titulo);
        p.link = texto(Campo::linkPrancha);
        if (!leCor(semBrancosNasPontas(daPrancha[int(Campo::corPrancha)]), p.cor)) {
            p.cor = semCor;
            inteira = false;
        }
        p.som = texto(Campo::somPrancha);
        p.fala = texto(Campo::falaPrancha);
        p.idioma = texto(Campo::idiomaPrancha);
        // Exactly the cells: a list that grows from empty takes room for up to twice as many.
        p.itens.reserve(nItens);
        p.itens.resize(nItens);
        lidos.assign(size_t(nItens), 0);
        for (const ChaveDeItem& k : doItem) {
            if (k.item > nItens) continue; // beyond rows × columns: never read
            const quint16 bit = quint16(1u << (int(k.campo) - int(Campo::rotulo)));
            quint16& jaLidos = lidos[size_t(k.item - 1)];
            if (jaLidos & bit) continue;
            jaLidos |= bit;
            if (!leCampo(p.itens[k.item - 1], k.campo, semBrancosNasPontas(k.valor)))
                inteira = false;
        }
        return inteira;
    }

private:
    struct ChaveDeItem {
        Campo campo;
        qint32 item;
        QStringView valor;
    };
    std::vector<ChaveDeItem> doItem;
    std::vector<quint16> lidos; // per item, the fields already read
    // Every text read so far, by its spelling in the file (the views outlive the reader).
    QHash<TextoLido, QString> textos;
    bool compartilhando = true;
    int consultas = 0;
    int repetidos = 0;

    // The same picture, label, link or speech comes back on board after board: one copy of
    // each text, shared, keeps a large project's memory to its distinct words and spares an
    // allocation per value. A file whose texts hardly repeat would only pay for the table, so
    // the table is given up when fewer than a quarter of the last few thousand texts were
    // repeats.
    QString compartilhado(QStringView v) {
        if (v.isEmpty()) return QString();
        if (!compartilhando) return v.toString();
        QString& texto = textos[{v}];
        if (texto.isNull())
            texto = v.toString();
        else
            ++repetidos;
        if (++consultas == 4096) {
            compartilhando = repetidos * 4 >= consultas;
            consultas = repetidos = 0;
        }
        return texto;
    }

    // False when the value could not be read and the field took its default.
    bool leCampo(TItem& it, Campo campo, QStringView v) {
        if (QString TItem::*texto = textoDoItem(campo)) { // taken as written
            it.*texto = compartilhado(v);
            return true;
        }
        switch (campo) {
        case Campo::cor:
            if (leCor(v, it.cor)) return true;
            it.cor = semCor;
            return false;
        case Campo::posTexto:
            it.posTexto = lePosTexto(v);
            break;
        case Campo::dimTexto:
            it.dimTexto = v.isEmpty() ? 36 : dimensaoTexto(v);
            break;
        case Campo::dimMoldura:
            it.dimMoldura = leMoldura(v);
            break;
        case Campo::deslocHoriz:
            it.deslocHoriz = flagItem(v);
            break;
        case Campo::semRotulo:
            it.semRotulo = flagItem(v);
            break;
        case Campo::semFigura:
            it.semFigura = flagItem(v);
            break;
        default:
            break;
        }
        return true;
    }

    // A board with no usable MODELO keeps its numbered items: one row as wide as the highest
    // item number found (at least one cell), folded into more rows past the widest grid the
    // reader takes, so the shape written back is read back.
    static void modeloPadrao(ArquivoIni::Pares pares, TPrancha& p) {
        qint32 maior = 1;
        for (const ArquivoIni::Par& par : pares) {
            qint32 n = 0;
            if (numeroDeChave(par.chave, n) && n > maior && n <= maxItens) maior = n;
        }
        p.nColunas = qMin(maior, maxLinhasColunas);
        p.nLinhas = (maior + p.nColunas - 1) / p.nColunas;
    }
};

} // namespace

PranchasLidas lePranchas(const QByteArray& bytes, const QDateTime& agora) {
    PranchasLidas lidas;
    const ArquivoIni ini = ArquivoIni::deBytes(bytes);
    const QStringList& nomes = ini.secoes();
    lidas.semSecoes = nomes.isEmpty() && !bytes.trimmed().isEmpty();
    TProjeto& p = lidas.projeto;
    p.pranchas.reserve(nomes.size());
    p.pranchas.resize(nomes.size());
    p.nome = QStringLiteral("Pranchas");
    p.autor = QStringLiteral("Orvalis");
    p.info = QStringLiteral("Zelvana " ZELVANA_VERSAO);
    qsizetype primeira = 0;
    // [CONFIG] counts only as the first section and spelled exactly so.
    if (!nomes.isEmpty() && nomes.first() == u"CONFIG") {
        p.pranchas.removeLast();
        primeira = 1;
        lidas.comConfig = true;
        leConfig(ini, 0, p);
    }
    if (p.data.isEmpty()) p.data = textoData(agora); // no [CONFIG], or no DATA in it
    LeitorDePranchas leitor;
    // Per section, the board first read from it and whether it was whole: boards of one name
    // read the same section, so a repeat shares that board's items instead of building them
    // again (a damaged file can repeat a board of thousands of cells many times).
    std::vector<std::pair<qsizetype, bool>> lidaDaSecao(size_t(nomes.size()), {-1, true});
    for (qsizetype i = primeira; i < nomes.size(); ++i) {
        TPrancha& prancha = p.pranchas[i - primeira];
        // A board's keys come from the first board section of its name: the writer puts
        // [CONFIG] first, so a board called "Config" would otherwise read the settings.
        const qsizetype secao = ini.primeiraDoNome(i, primeira);
        auto& [lida, inteira] = lidaDaSecao[size_t(secao)];
        if (lida >= 0) {
            prancha = p.pranchas[lida - primeira];
        } else {
            lida = i;
            inteira = leitor.le(ini, secao, prancha);
        }
        prancha.nome = nomes.at(i); // each keeps its own spelling of the name
        if (!inteira) lidas.consertadas.append(prancha.nome);
    }
    return lidas;
}

void copiaAjustes(const TProjeto& de, TProjeto& para) {
    para.falando = de.falando;
    para.falaVarredura = de.falaVarredura;
    para.sintetizando = de.sintetizando;
    para.tempoVarredura = de.tempoVarredura;
    para.tempoHisterese = de.tempoHisterese;
    para.tempoAutoClique = de.tempoAutoClique;
    para.tempoSocorro = de.tempoSocorro;
    para.pranchaInicial = de.pranchaInicial;
    para.pranchaSocorro = de.pranchaSocorro;
    para.acesso = de.acesso;
}
