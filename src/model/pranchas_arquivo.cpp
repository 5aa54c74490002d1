#include "model/pranchas_arquivo.h"

#include "model/arquivo_seguro.h"
#include "model/avisos.h"
#include "model/cp1252.h"
#include "model/versao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Values lose the blanks and control characters at their ends, nothing else: not U+00A0,
// which QString::trimmed() would cut.
QString semBrancosNasPontas(const QString& v) {
    qsizetype a = 0;
    qsizetype b = v.size();
    while (a < b && v.at(a).unicode() <= 0x20)
        ++a;
    while (b > a && v.at(b - 1).unicode() <= 0x20)
        --b;
    return (a == 0 && b == v.size()) ? v : v.mid(a, b - a);
}

int digitoHex(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

const QString arquivoPranchas = QStringLiteral("pranchas.pra");
const QString arquivoBackup = QStringLiteral("pranchas.bak");

// A board larger than this is taken as an unreadable MODELO: no screen shows it, and it
// would make a damaged file eat all memory.
constexpr qint32 maxLinhasColunas = 1000;
constexpr qint32 maxItens = 10000;

struct CorNomeada {
    const char* nome;
    TColor valor;
};
const CorNomeada cores[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
};

bool flagConfig(const QString& v) {
    return !v.isEmpty() && v.at(0).toUpper() == u'S';
}
bool flagItem(const QString& v) {
    return v.startsWith(u'S');
}

qint32 inteiroOu(const QString& v, qint32 padrao) {
    qint32 r;
    return leInteiro(v, r) ? r : padrao;
}

TPosVertical lePosTexto(const QString& v) {
    const QString b = v.toLower();
    if (b == u"meio") return TPosVertical::meio;
    if (b == u"cima") return TPosVertical::cima;
    return TPosVertical::baixo;
}

TDimMoldura leMoldura(const QString& v) {
    const QString b = v.toLower();
    if (b == u"fina") return TDimMoldura::fina;
    if (b == u"media") return TDimMoldura::media;
    if (b == u"grossa") return TDimMoldura::grossa;
    return TDimMoldura::sem;
}

// A board with no usable MODELO keeps its numbered items: one row as wide as the
// highest item number found (at least one cell).
void modeloPadrao(const ArquivoIni& ini, const QString& secao, TPrancha& p) {
    qint32 maior = 1;
    for (const QString& k : ini.chaves(secao)) {
        bool ok = false;
        const int n = k.toInt(&ok);
        if (ok && n > maior && n <= maxItens) maior = n;
    }
    p.nLinhas = 1;
    p.nColunas = maior;
}

void carregaConfig(const ArquivoIni& ini) {
    const QString c = QStringLiteral("CONFIG");
    auto le = [&](const char* k) { return leChave(ini, c, QLatin1String(k)); };
    if (const QString v = le("AUTOR"); !v.isEmpty()) projeto.autor = v;
    if (const QString v = le("DATA"); !v.isEmpty()) projeto.data = v;
    projeto.falando = flagConfig(le("FALANDO"));
    projeto.falaVarredura = flagConfig(le("FALAVARREDURA"));
    if (const QString v = le("INFO"); !v.isEmpty()) projeto.info = v;
    projeto.sintetizando = flagConfig(le("SINTETIZANDO"));
    projeto.tempoVarredura = inteiroOu(le("VARREDURA"), 2000);
    projeto.tempoHisterese = inteiroOu(le("HISTERESE"), 1000);
    projeto.tempoAutoClique = inteiroOu(le("AUTOCLIQUE"), 0);
    projeto.tempoSocorro = inteiroOu(le("SOCORRO"), 3000);
    projeto.pranchaInicial = le("PRANCHA_INICIAL");
    projeto.pranchaSocorro = le("PRANCHA_SOCORRO");
}

// False when the board needed a default for MODELO or a colour.
bool carregaPrancha(const ArquivoIni& ini, const QString& nome, TPrancha& p) {
    bool inteira = true;
    p = TPrancha();
    p.nome = nome;
    // The section is found once; every key is then looked up by its lower-case name, built in
    // one reused buffer, so a large project loads without an allocation per key.
    const ArquivoIni::Secao* secao = ini.secao(nome);
    auto le = [secao](const QString& chaveMinuscula) {
        return semBrancosNasPontas(ArquivoIni::valorEm(secao, chaveMinuscula));
    };
    if (!leModelo(le(QStringLiteral("modelo")), p.nLinhas, p.nColunas)) {
        modeloPadrao(ini, nome, p);
        inteira = false;
    }
    p.nItens = p.nLinhas * p.nColunas;
    p.titulo = le(QStringLiteral("titulo"));
    p.link = le(QStringLiteral("link"));
    if (!leCor(le(QStringLiteral("cor")), p.cor)) {
        p.cor = semCor;
        inteira = false;
    }
    p.som = le(QStringLiteral("som"));
    p.fala = le(QStringLiteral("fala"));
    p.itens.resize(p.nItens);
    QString chave;
    chave.reserve(24);
    QString num;
    auto leItem = [&](QLatin1String campo) {
        chave.resize(0);
        chave.append(campo).append(u' ').append(num);
        return le(chave);
    };
    for (qint32 n = 1; n <= p.nItens; ++n) {
        TItem& it = p.itens[n - 1];
        num.setNum(n);
        it.rotulo = le(num);
        it.figura = leItem(QLatin1String("figura"));
        it.link = leItem(QLatin1String("link"));
        if (!leCor(leItem(QLatin1String("cor")), it.cor)) {
            it.cor = semCor;
            inteira = false;
        }
        it.som = leItem(QLatin1String("som"));
        it.fala = leItem(QLatin1String("fala"));
        it.executar = leItem(QLatin1String("executar"));
        it.posTexto = lePosTexto(leItem(QLatin1String("postexto")));
        const QString dim = leItem(QLatin1String("dimtexto"));
        it.dimTexto = dim.isEmpty() ? 36 : dimensaoTexto(dim);
        it.dimMoldura = leMoldura(leItem(QLatin1String("dimmoldura")));
        it.semRotulo = flagItem(leItem(QLatin1String("semrotulo")));
        it.semFigura = flagItem(leItem(QLatin1String("semfigura")));
        it.deslocHoriz = flagItem(leItem(QLatin1String("deslochoriz")));
    }
    return inteira;
}

QString simNao(bool v) {
    return v ? QStringLiteral("SIM") : QStringLiteral("NÃO");
}

QByteArray textoPranchas(int& trocados) {
    const QByteArray fim("\r\n");
    const QString traco = u';' + QString(73, u'-');
    QByteArray s;
    s.reserve(64 * 1024);
    auto linha = [&](const QString& t) {
        acrescentaCp1252(s, t, &trocados);
        s += fim;
    };
    linha(traco);
    linha(QStringLiteral(";  Zelvana"));
    linha(QStringLiteral(";  ") + projeto.nome);
    linha(QStringLiteral(";  Autor: ") + projeto.autor);
    linha(QStringLiteral(";  Em ") + projeto.data);
    linha(traco);
    linha({});
    linha(QStringLiteral("[CONFIG]"));
    linha(QStringLiteral("AUTOR=") + projeto.autor);
    linha(QStringLiteral("DATA=") + projeto.data);
    linha(QStringLiteral("INFO=") + projeto.info);
    linha(QStringLiteral("FALANDO=") + simNao(projeto.falando));
    linha(QStringLiteral("SINTETIZANDO=") + simNao(projeto.sintetizando));
    linha(QStringLiteral("FALAVARREDURA=") + simNao(projeto.falaVarredura));
    linha(QStringLiteral("VARREDURA=") + QString::number(projeto.tempoVarredura));
    linha(QStringLiteral("HISTERESE=") + QString::number(projeto.tempoHisterese));
    linha(QStringLiteral("AUTOCLIQUE=") + QString::number(projeto.tempoAutoClique));
    linha(QStringLiteral("SOCORRO=") + QString::number(projeto.tempoSocorro));
    linha(QStringLiteral("PRANCHA_INICIAL=") + projeto.pranchaInicial);
    linha(QStringLiteral("PRANCHA_SOCORRO=") + projeto.pranchaSocorro);
    linha({});
    linha(QStringLiteral(
        "; FALANDO=SIM indica que serão lidos os rótulos, com o sintetizador do Windows"));
    linha(QStringLiteral("; VARREDURA=0 indica sem varredura"));
    linha(QStringLiteral("; HISTERESE=0 indica que a pessoa pode dar vários cliques em sequência"));
    linha(QStringLiteral(
        "; SOCORRO=0 indica que o tempo de desvio para a prancha ESCAPE não é usado"));
    const QString tracoPrancha = u';' + QString(42, u'-');
    const qint32 nPranchas = qMin<qint32>(projeto.nPranchas, qint32(projeto.pranchas.size()));
    for (qint32 i = 0; i < nPranchas; ++i) {
        const TPrancha& p = projeto.pranchas.at(i);
        linha({});
        linha(tracoPrancha);
        linha({});
        linha(u'[' + p.nome + u']');
        linha(QStringLiteral("MODELO=") + QString::number(p.nLinhas) + u'X' +
              QString::number(p.nColunas));
        linha(QStringLiteral("TITULO=") + p.titulo);
        if (!p.link.isEmpty()) linha(QStringLiteral("LINK=") + p.link);
        if (p.cor != semCor) linha(QStringLiteral("COR=") + QString::number(p.cor));
        if (!p.som.isEmpty()) linha(QStringLiteral("SOM=") + p.som);
        if (!p.fala.isEmpty()) linha(QStringLiteral("FALA=") + p.fala);
        linha({});
        const qint32 nItens = qMin<qint32>(p.nItens, qint32(p.itens.size()));
        for (qint32 n = 1; n <= nItens; ++n) {
            const TItem& it = p.itens.at(n - 1);
            if (it.rotulo.isEmpty()) continue;
            const QString num = QString::number(n);
            linha(num + u'=' + it.rotulo);
            const QByteArray numero = num.toLatin1();
            auto chave = [&](const char* k, const QString& v) {
                s += "    ";
                s += k;
                s += ' ';
                s += numero;
                s += '=';
                acrescentaCp1252(s, v, &trocados);
                s += fim;
            };
            if (!it.figura.isEmpty()) chave("FIGURA", it.figura);
            if (!it.link.isEmpty()) chave("LINK", it.link);
            if (it.cor != semCor) chave("COR", textoCor(it.cor));
            if (!it.som.isEmpty()) chave("SOM", it.som);
            if (!it.fala.isEmpty()) chave("FALA", it.fala);
            if (!it.executar.isEmpty()) chave("EXECUTAR", it.executar);
            if (it.posTexto == TPosVertical::meio)
                chave("POSTEXTO", QStringLiteral("meio"));
            else if (it.posTexto == TPosVertical::cima)
                chave("POSTEXTO", QStringLiteral("cima"));
            if (it.dimTexto != 36) chave("DIMTEXTO", QString::number(it.dimTexto));
            if (it.dimMoldura == TDimMoldura::fina)
                chave("DIMMOLDURA", QStringLiteral("fina"));
            else if (it.dimMoldura == TDimMoldura::media)
                chave("DIMMOLDURA", QStringLiteral("media"));
            else if (it.dimMoldura == TDimMoldura::grossa)
                chave("DIMMOLDURA", QStringLiteral("grossa"));
            if (it.deslocHoriz) chave("DESLOCHORIZ", QStringLiteral("SIM"));
            if (it.semRotulo) chave("SEMROTULO", QStringLiteral("SIM"));
            if (it.semFigura) chave("SEMFIGURA", QStringLiteral("SIM"));
        }
    }
    return s;
}

} // namespace

QString leChave(const ArquivoIni& arquivo, const QString& secao, const QString& chave) {
    if (chave.isEmpty()) return {};
    return semBrancosNasPontas(arquivo.valor(secao, chave));
}

bool leInteiro(const QString& texto, qint32& valor) {
    const QString t = semBrancosNasPontas(texto);
    bool ok = false;
    if (t.startsWith(u'$') || t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        // Digits only after the prefix: QString::toUInt would also take blanks and a second
        // "0x", so "$0x10" and "$ 10" would read as 16.
        const QStringView hex = QStringView(t).mid(t.startsWith(u'$') ? 1 : 2);
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
    if (t.isEmpty()) return false;
    for (qsizetype i = (t.at(0) == u'+' || t.at(0) == u'-') ? 1 : 0; i < t.size(); ++i)
        if (t.at(i) < u'0' || t.at(i) > u'9') return false;
    const qint32 v = t.toInt(&ok, 10);
    if (ok) valor = v;
    return ok;
}

bool leCor(const QString& texto, TColor& cor) {
    if (texto.isEmpty()) {
        cor = semCor;
        return true;
    }
    for (const CorNomeada& c : cores)
        if (texto.compare(QLatin1String(c.nome), Qt::CaseInsensitive) == 0) {
            cor = c.valor;
            return true;
        }
    return leInteiro(texto, cor);
}

QString textoCor(TColor cor) {
    for (const CorNomeada& c : cores)
        if (c.valor == cor) return QLatin1String(c.nome);
    return u'$' + QString::number(quint32(cor), 16).toUpper().rightJustified(8, u'0');
}

bool leModelo(const QString& texto, qint32& linhas, qint32& colunas) {
    qsizetype i = 0;
    auto digitos = [&](qint32& n) {
        const qsizetype inicio = i;
        qint64 v = 0;
        while (i < texto.size() && texto.at(i) >= u'0' && texto.at(i) <= u'9') {
            v = qMin<qint64>(v * 10 + (texto.at(i).unicode() - '0'), maxItens + 1);
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

qint32 dimensaoTexto(const QString& texto) {
    QString t = semBrancosNasPontas(texto);
    for (QChar& ch : t)
        if (ch >= u'a' && ch <= u'z') ch = QChar(ch.unicode() - 32);
    if (t == u"PEQUENO") return 18;
    if (t == u"MÉDIO" || t == u"MEDIO") return 36;
    if (t == u"GRANDE") return 72;
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

void definePastaProjeto(const QString& pasta) {
    pastaProjeto = QDir::cleanPath(QFileInfo(pasta).absoluteFilePath());
    QDir::setCurrent(pastaProjeto);
}

void carregaPranchas(const QString& pasta) {
    limpaPranchas(projeto);
    const QString caminho = pasta + u'/' + arquivoPranchas;
    QFile f(caminho);
    if (!QFileInfo(caminho).isFile() || !f.open(QIODevice::ReadOnly)) {
        avisoErro(QStringLiteral("Arquivo de pranchas não foi achado"));
        return;
    }
    const QByteArray bytes = f.readAll();
    const ArquivoIni ini = ArquivoIni::deBytes(bytes);
    const QStringList& nomes = ini.secoes();
    if (nomes.isEmpty() && !bytes.trimmed().isEmpty())
        avisoErro(QStringLiteral("O arquivo ") + caminho +
                  QStringLiteral(" não é um arquivo de pranchas: nenhuma prancha foi encontrada "
                                 "nele."));
    projeto.pranchas.resize(nomes.size());
    projeto.nPranchas = qint32(nomes.size());
    projeto.nome = QStringLiteral("Pranchas");
    projeto.autor = QStringLiteral("Orvalis");
    projeto.data = textoData(QDateTime::currentDateTime());
    projeto.info = QStringLiteral("Zelvana ") + textoVersao();
    qsizetype primeira = 0;
    if (!nomes.isEmpty() && nomes.first() == u"CONFIG") {
        --projeto.nPranchas;
        primeira = 1;
        carregaConfig(ini);
    }
    QStringList consertadas;
    for (qsizetype i = primeira; i < nomes.size(); ++i)
        if (!carregaPrancha(ini, nomes.at(i), projeto.pranchas[i - primeira]))
            consertadas.append(nomes.at(i));
    if (!consertadas.isEmpty())
        avisoErro(QStringLiteral("Algumas pranchas tinham o modelo ou uma cor ilegível e foram "
                                 "corrigidas com valores padrão: ") +
                  consertadas.join(QStringLiteral(", ")));
}

bool gravaPranchas(const QString& pasta, const QString& nomeArquivo) {
    int trocados = 0;
    const QByteArray bytes = textoPranchas(trocados);
    if (!gravaArquivoSeguro(pasta + u'/' + nomeArquivo, bytes)) {
        avisoErro(QStringLiteral("Arquivo de pranchas não pode ser gravado"));
        return false;
    }
    mensagemRapida(QStringLiteral("Pranchas gravadas"), 1000);
    if (trocados > 0)
        avisoErro(QStringLiteral("Alguns caracteres que o arquivo de pranchas não comporta "
                                 "(como emojis) foram gravados como \"?\"."));
    return true;
}

bool salvarProjeto() {
    const QDir pasta(pastaProjeto);
    const QString atual = pasta.filePath(arquivoPranchas);
    const QString backup = pasta.filePath(arquivoBackup);
    // The backup keeps the first file this program replaced; once there, it is never replaced.
    // Without it in place the new file must not replace the old one either.
    if (QFileInfo(atual).isFile() && !QFileInfo::exists(backup)) {
        QFile f(atual);
        if (!f.open(QIODevice::ReadOnly) || !gravaArquivoSeguro(backup, f.readAll())) {
            avisoErro(QStringLiteral("Arquivo de pranchas não pode ser gravado"));
            return false;
        }
    }
    return gravaPranchas(pastaProjeto, arquivoPranchas);
}

void listaArquivos(QStringList& lista, const QString& extensao) {
    const QString fim = u'.' + extensao;
    const QStringList nomes =
        QDir(pastaProjeto).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString& n : nomes)
        if (n.endsWith(fim, Qt::CaseInsensitive)) lista.append(n);
}
