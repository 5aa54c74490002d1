// Reading the board file's bytes into a project.
#include "nucleo/pranchas_formato.h"

#include "nucleo/cp1252.h"
#include "nucleo/ini.h"
#include "nucleo/pranchas_valores.h"
#include "nucleo/versao.h"

#include <QHash>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <tuple>
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
// lower-cases to an ASCII letter, so folding ASCII is the whole rule for these words, and it
// reads the file's bytes as they are. The words are letters only, and a byte ORed with 0x20
// equals a lower-case letter only if it was that letter in either case.
bool mesmaPalavra(QByteArrayView chave, QLatin1String minuscula) {
    if (chave.size() != minuscula.size()) return false;
    for (qsizetype i = 0; i < chave.size(); ++i)
        if ((chave[i] | 0x20) != minuscula.at(i).toLatin1()) return false;
    return true;
}

template <size_t N> Campo campoDaPalavra(QByteArrayView chave, const Palavra (&palavras)[N]) {
    for (const Palavra& p : palavras)
        if (mesmaPalavra(chave, p.minuscula)) return p.campo;
    return Campo::nenhum;
}

// An item number as the reader asks for it: decimal digits, no sign, no leading zero; 0 when
// the text is not one (or is too large to be an item of any board).
qint32 numeroDeItem(QByteArrayView t) {
    if (t.isEmpty() || t.size() > 5 || t[0] < '1' || t[0] > '9') return 0;
    qint32 n = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + (c - '0');
    }
    return n <= maxItens ? n : 0;
}

// Which field a key names. The reader fetches "n", "FIGURA n", … for n = 1 … rows × columns
// and the board's own words; any other key is never asked for.
Campo campoDaChave(QByteArrayView chave, qint32& item) {
    item = 0;
    if (chave.isEmpty()) return Campo::nenhum;
    if (chave[0] >= '0' && chave[0] <= '9') {
        item = numeroDeItem(chave);
        return item > 0 ? Campo::rotulo : Campo::nenhum;
    }
    const qsizetype espaco = std::find(chave.begin(), chave.end(), ' ') - chave.begin();
    if (espaco == chave.size()) return campoDaPalavra(chave, palavrasDaPrancha);
    item = numeroDeItem(chave.sliced(espaco + 1));
    return item > 0 ? campoDaPalavra(chave.first(espaco), palavrasDeItem) : Campo::nenhum;
}

// A whole number key as a board without MODELO counts its items: sign allowed, no blanks.
bool numeroDeChave(QByteArrayView t, qint32& n) {
    const qsizetype inicio = (t.startsWith('+') || t.startsWith('-')) ? 1 : 0;
    if (t.size() <= inicio) return false;
    qint64 v = 0;
    for (const char c : t.sliced(inicio)) {
        if (c < '0' || c > '9') return false;
        v = qMin<qint64>(v * 10 + (c - '0'), qint64(maxItens) + 1);
    }
    n = qint32(t.startsWith('-') ? -v : v);
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
        return deCp1252(semBrancosNasPontas(ini.valorEm(secao, QStringView(chave))));
    };
    auto inteiroOu = [](QStringView v, qint32 padrao) {
        qint32 r;
        return leInteiro(v, r) ? r : padrao;
    };
    if (QString v = le(u"AUTOR"); !v.isEmpty()) p.autor = std::move(v);
    if (QString v = le(u"DATA"); !v.isEmpty()) p.data = std::move(v);
    p.falando = flagConfig(le(u"FALANDO"));
    p.falaVarredura = flagConfig(le(u"FALAVARREDURA"));
    if (QString v = le(u"INFO"); !v.isEmpty()) p.info = std::move(v);
    p.sintetizando = flagConfig(le(u"SINTETIZANDO"));
    p.tempoVarredura = inteiroOu(le(u"VARREDURA"), 2000);
    p.tempoHisterese = inteiroOu(le(u"HISTERESE"), 1000);
    p.tempoAutoClique = inteiroOu(le(u"AUTOCLIQUE"), 0);
    p.tempoSocorro = inteiroOu(le(u"SOCORRO"), 3000);
    p.pranchaInicial = le(u"PRANCHA_INICIAL");
    p.pranchaSocorro = le(u"PRANCHA_SOCORRO");
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

// A text of the file as a key of the reader's table of texts: its bytes. Qt's own hash costs
// more than the allocation it would spare on a file whose texts are all different.
struct TextoLido {
    QByteArrayView v;
    bool operator==(const TextoLido& o) const {
        return v.size() == o.v.size() && std::memcmp(v.data(), o.v.data(), size_t(v.size())) == 0;
    }
};

size_t qHash(TextoLido t, size_t semente) noexcept {
    constexpr quint64 mistura = 0xFF51AFD7ED558CCDull;
    const char* p = t.v.data();
    qsizetype n = t.v.size();
    quint64 h = quint64(semente) ^ (quint64(n) * 0x9E3779B97F4A7C15ull);
    for (; n >= 8; n -= 8, p += 8) {
        quint64 k;
        std::memcpy(&k, p, sizeof k);
        h = (h ^ k) * mistura;
        h ^= h >> 32;
    }
    for (; n > 0; --n)
        h = (h ^ uchar(*p++)) * mistura;
    h ^= h >> 33;
    h *= mistura;
    return size_t(h ^ (h >> 33));
}

// Reads boards one section at a time. A section's lines are walked once and each key goes to
// the field it names, the first line of a key counting; the buffers are kept from board to
// board, so a large project costs no allocation per key.
//
// A board's texts are decoded into one block of memory, each followed by a zero as every
// QString's text is, and each field is a string into that block holding a reference to it: one
// allocation and one release per board instead of one per value. Such a field is an ordinary
// string to whoever changes it: Qt copies a string out of a block others still hold before
// changing it, and the one string left holding a block may grow into what the others used. A
// board whose fields are all replaced but one keeps its block while that one lives.
class LeitorDePranchas {
public:
    // Room for the texts the table reads before it decides whether to keep going.
    LeitorDePranchas() {
        textos.reserve(consultasPorDecisao);
        guardados.reserve(consultasPorDecisao);
    }

    // False when the board needed a default for MODELO or a colour.
    bool le(const ArquivoIni& ini, qsizetype secao, TPrancha& p) {
        QByteArrayView daPrancha[camposDaPrancha];
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
        bool inteira = true;
        if (!leModelo(curto(daPrancha[int(Campo::modelo)]), p.nLinhas, p.nColunas)) {
            modeloPadrao(ini.pares(secao), p);
            inteira = false;
        }
        const qint32 nItens = p.nLinhas * p.nColunas;
        texto(p.titulo, daPrancha[int(Campo::titulo)]);
        texto(p.link, daPrancha[int(Campo::linkPrancha)]);
        if (!leCor(curto(daPrancha[int(Campo::corPrancha)]), p.cor)) {
            p.cor = semCor;
            inteira = false;
        }
        texto(p.som, daPrancha[int(Campo::somPrancha)]);
        texto(p.fala, daPrancha[int(Campo::falaPrancha)]);
        texto(p.idioma, daPrancha[int(Campo::idiomaPrancha)]);
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
            if (!leCampo(p.itens[k.item - 1], k.campo, k.valor)) inteira = false;
        }
        criaTextos();
        return inteira;
    }

private:
    struct ChaveDeItem {
        Campo campo;
        qint32 item;
        QByteArrayView valor;
    };
    std::vector<ChaveDeItem> doItem;
    std::vector<quint16> lidos; // per item, the fields already read
    QVarLengthArray<char16_t, 64> decodificado;

    // A text of the board waiting for its block: the field, its bytes, and its entry in the
    // table of texts (-1 when the table was given up).
    struct TextoPendente {
        QString* campo;
        QByteArrayView valor;
        qsizetype guardado;
    };
    std::vector<TextoPendente> pendentes;
    qsizetype unidades = 0; // the block's size
    int novos = 0;          // the strings that will point into it

    // Every text read so far, by its spelling in the file (the views outlive the reader): the
    // position of its string in `guardados`, plus one. A string stays null until its board's
    // block is made.
    QHash<TextoLido, qsizetype> textos;
    std::vector<QString> guardados;
    static constexpr int consultasPorDecisao = 4096;
    bool compartilhando = true;
    int consultas = 0;
    int repetidos = 0;

    // A short value (a number, a colour, a word) without its blanks, decoded for the rules that
    // read it; valid until the next call.
    QStringView curto(QByteArrayView v) {
        v = semBrancosNasPontas(v);
        decodificado.resize(v.size());
        deCp1252(v, decodificado.data());
        return QStringView(decodificado.data(), v.size());
    }

    // The field takes the value without its blanks, once the board's block is made. The same
    // picture, label, link or speech comes back on board after board: one copy of each text,
    // shared, keeps a large project's memory to its distinct words. A file whose texts hardly
    // repeat would only pay for the table, so the table is given up when fewer than a quarter
    // of the last few thousand texts were repeats.
    void texto(QString& campo, QByteArrayView v) {
        v = semBrancosNasPontas(v);
        if (v.isEmpty()) {
            campo = QString();
            return;
        }
        qsizetype guardado = -1;
        bool novo = true;
        if (compartilhando) {
            qsizetype& posicao = textos[{v}];
            if (posicao == 0) {
                guardados.emplace_back();
                posicao = qsizetype(guardados.size());
            } else {
                ++repetidos;
                novo = false;
            }
            guardado = posicao - 1;
            if (++consultas == consultasPorDecisao) {
                compartilhando = repetidos * 4 >= consultas;
                consultas = repetidos = 0;
            }
            if (!novo && !guardados[size_t(guardado)].isNull()) { // from an earlier board
                campo = guardados[size_t(guardado)];
                return;
            }
        }
        pendentes.push_back({&campo, v, guardado});
        if (novo) {
            unidades += v.size() + 1;
            ++novos;
        }
    }

    // The board's block, and its fields pointing into it.
    void criaTextos() {
        char16_t* u = nullptr;
        QTypedArrayData<char16_t>* bloco = nullptr;
        if (novos > 0) {
            std::tie(bloco, u) = QTypedArrayData<char16_t>::allocate(unidades);
            Q_CHECK_PTR(bloco);
            bloco->ref_.storeRelaxed(novos); // one reference for each string made below
        }
        for (const TextoPendente& t : pendentes) {
            // a text repeated earlier on this board
            if (t.guardado >= 0 && !guardados[size_t(t.guardado)].isNull()) {
                *t.campo = guardados[size_t(t.guardado)];
                continue;
            }
            const qsizetype n = t.valor.size();
            deCp1252(t.valor, u);
            u[n] = u'\0';
            *t.campo = QString(QString::DataPointer(bloco, u, n));
            if (t.guardado >= 0) guardados[size_t(t.guardado)] = *t.campo;
            u += n + 1;
        }
        pendentes.clear();
        unidades = 0;
        novos = 0;
    }

    // False when the value could not be read and the field took its default.
    bool leCampo(TItem& it, Campo campo, QByteArrayView valor) {
        if (QString TItem::*t = textoDoItem(campo)) { // taken as written
            texto(it.*t, valor);
            return true;
        }
        const QStringView v = curto(valor);
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
