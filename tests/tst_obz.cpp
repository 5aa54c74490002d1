// Open Board Format exchange: the sample project out to an .obz and back gives the same project,
// field by field and byte by byte; a package made by hand the way other programs write them
// comes in with its pictures, sounds and links; every bad package is refused with a message and
// leaves nothing on disk; the command line does both ways.
#include "logica/som/cabecalho_wav.h"
#include "logica/troca/exporta_obz.h"
#include "logica/troca/importa_obz.h"
#include "logica/troca/le_pacote.h"
#include "logica/troca/obf_leitura.h"
#include "logica/troca/pacote_zip.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_formato.h"
#include "support/apoio.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString exemplo = QStringLiteral(ZELVANA_BUILD_DIR "/src/app/exemplo");
const QDateTime agora(QDate(2026, 12, 8), QTime(20, 0));

TProjeto projetoDaPasta(const QString& pasta) {
    return lePranchas(leArquivo(pasta + "/pranchas.pra"), agora).projeto;
}

QByteArray imagem(const char* formato, QColor cor, bool transparente = false) {
    QImage img(24, 16, transparente ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    img.fill(transparente ? QColor(0, 0, 0, 0) : cor);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, formato);
    return b;
}

QByteArray wav(int segundos) {
    const int dados = 22050 * 2 * segundos;
    QByteArray b(tamCabecalhoWav + dados, '\0');
    montaCabecalhoWav(b.data(), 22050, 16, quint32(dados), 1);
    return b;
}

QByteArray json(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QJsonObject objetoNoPacote(PacoteZip& zip, const QString& nome) {
    QString erro;
    const auto bytes = zip.le(nome, erro);
    return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
}

// A folder holds nothing but what an import leaves when it fails: nothing at all.
QStringList conteudo(const QString& pasta) {
    return QDir(pasta).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

struct Pacote {
    QList<QPair<QString, QByteArray>> arquivos;
    Pacote& com(const QString& nome, const QByteArray& bytes) {
        arquivos.append({nome, bytes});
        return *this;
    }
    QByteArray zip() const {
        QString erro;
        const QByteArray b = montaZip(arquivos, erro);
        if (b.isEmpty()) qWarning() << erro;
        return b;
    }
};

QJsonObject manifesto(const QString& raiz, const QJsonObject& pranchas,
                      const QJsonObject& figuras = {}, const QJsonObject& sons = {}) {
    return {{"format", "open-board-0.1"},
            {"root", raiz},
            {"paths", QJsonObject{{"boards", pranchas}, {"images", figuras}, {"sounds", sons}}}};
}

QJsonObject quadro(const QString& id, const QString& nome, int linhas, int colunas,
                   const QJsonArray& ordem, const QJsonArray& botoes,
                   const QJsonArray& figuras = {}, const QJsonArray& sons = {}) {
    return {{"format", "open-board-0.1"},
            {"id", id},
            {"locale", "en"},
            {"name", nome},
            {"buttons", botoes},
            {"grid", QJsonObject{{"rows", linhas}, {"columns", colunas}, {"order", ordem}}},
            {"images", figuras},
            {"sounds", sons}};
}

// A small valid package: one board, one button.
Pacote pacoteMinimo() {
    Pacote p;
    p.com("manifest.json", json(manifesto("boards/1.obf", {{"1", "boards/1.obf"}})));
    p.com("boards/1.obf", json(quadro("1", "Casa", 1, 1, QJsonArray{QJsonArray{"a"}},
                                      QJsonArray{QJsonObject{{"id", "a"}, {"label", "oi"}}})));
    return p;
}

} // namespace

class TstObz : public QObject {
    Q_OBJECT

private slots:
    // The sample project out and back in: the same boards, settings, pictures and sounds.
    void exemploIdaEVolta() {
        QVERIFY(QFileInfo::exists(exemplo + "/pranchas.pra"));
        QTemporaryDir dir;
        const QString obz = dir.filePath("exemplo.obz");
        const TProjeto original = projetoDaPasta(exemplo);
        QVERIFY(original.nPranchas() >= 5);

        const ResultadoExportacao e = exportaObz(original, exemplo, obz);
        QVERIFY2(e.ok, qPrintable(e.erro));
        QCOMPARE(e.pranchas, original.nPranchas());
        QCOMPARE(e.figurasFaltando, 0);
        QCOMPARE(e.sons, 1);
        QVERIFY(e.resumo().startsWith("Exportação concluída: 5 pranchas"));

        const QString volta = dir.filePath("volta");
        const ResultadoImportacao i = importaPacoteObz(obz, volta);
        QVERIFY2(i.ok, qPrintable(i.erro));
        QCOMPARE(i.pranchas, original.nPranchas());
        QCOMPARE(i.figuras, e.figuras);
        QCOMPARE(i.sons, 1);

        const TProjeto importado = projetoDaPasta(volta);
        QCOMPARE(importado.nPranchas(), original.nPranchas());
        for (int b = 0; b < original.nPranchas(); ++b) {
            const TPrancha& o = original.pranchas[b];
            const TPrancha& v = importado.pranchas[b];
            QCOMPARE(v.nome, o.nome);
            QCOMPARE(v.titulo, o.titulo);
            QCOMPARE(v.nLinhas, o.nLinhas);
            QCOMPARE(v.nColunas, o.nColunas);
            QCOMPARE(v.cor, o.cor);
            QCOMPARE(v.som, o.som);
            QCOMPARE(v.fala, o.fala);
            QCOMPARE(v.link, o.link);
            QCOMPARE(v.itens.size(), o.itens.size());
            for (int k = 0; k < o.itens.size(); ++k) {
                const TItem &a = o.itens[k], &c = v.itens[k];
                const QString onde = o.nome + " item " + QString::number(k + 1);
                QVERIFY2(c.rotulo == a.rotulo, qPrintable(onde));
                QVERIFY2(c.figura == a.figura, qPrintable(onde));
                QVERIFY2(c.som == a.som, qPrintable(onde));
                QVERIFY2(c.fala == a.fala, qPrintable(onde));
                QVERIFY2(c.link == a.link, qPrintable(onde));
                QVERIFY2(c.cor == a.cor, qPrintable(onde));
                QVERIFY2(c.posTexto == a.posTexto && c.dimTexto == a.dimTexto &&
                             c.dimMoldura == a.dimMoldura && c.semRotulo == a.semRotulo &&
                             c.semFigura == a.semFigura && c.deslocHoriz == a.deslocHoriz &&
                             c.executar == a.executar,
                         qPrintable(onde));
                QVERIFY2(c == a, qPrintable(onde));
            }
        }
        // The settings too: the whole record is the same, and so is the board file it writes.
        QVERIFY(importado == original);
        QCOMPARE(leArquivo(volta + "/pranchas.pra"), textoPranchas(original).bytes);
        // Every picture and sound the boards name, byte for byte, and nothing else.
        QStringList arquivos = conteudo(volta);
        arquivos.removeOne("pranchas.pra");
        QCOMPARE(arquivos.size(), e.figuras + e.sons);
        for (const QString& a : arquivos)
            QVERIFY2(leArquivo(volta + "/" + a) == leArquivo(exemplo + "/" + a), qPrintable(a));
        QVERIFY(arquivos.contains("oi.wav"));
        QVERIFY(arquivos.contains("botão de voltar.jpg"));
        // No temporary folder was left beside it.
        QCOMPARE(conteudo(dir.path()), QStringList({"exemplo.obz", "volta"}));
    }

    // The ways to select travel with the other settings: a package keeps what the author set.
    void opcoesDeAcessoIdaEVolta() {
        QTemporaryDir dir;
        TProjeto original = projetoDaPasta(exemplo);
        TOpcoesAcesso& a = original.acesso;
        a.modoVarredura = TModoVarredura::linhaColuna;
        a.passoAPasso = true;
        a.avanca = {Qt::Key_Tab, Qt::MiddleButton};
        a.seleciona = {Qt::Key_F2, Qt::NoButton};
        a.selecionaVarredura = {Qt::Key_Space, Qt::RightButton};
        a.pausaPrimeiro = 1500;
        a.voltasVarredura = 3;
        a.progressoPermanencia = true;
        a.barraMensagem = true;
        a.trocaSemEsperar = true;
        QVERIFY(exportaObz(original, exemplo, dir.filePath("a.obz")).ok);
        QVERIFY(importaPacoteObz(dir.filePath("a.obz"), dir.filePath("volta")).ok);
        QVERIFY(projetoDaPasta(dir.filePath("volta")).acesso == a);
    }

    // What another OBF reader checks: the package lists every file it holds and holds every
    // file it lists; each board has the format's keys and types; each picture is stored once.
    void pacoteSegueOFormato() {
        ResultadoExportacao r;
        const QByteArray obz = pacoteObz(projetoDaPasta(exemplo), exemplo, r);
        QVERIFY2(!obz.isEmpty(), qPrintable(r.erro));
        QString erro;
        auto zip = PacoteZip::abre(obz, erro);
        QVERIFY2(zip, qPrintable(erro));
        const QJsonObject m = objetoNoPacote(*zip, "manifest.json");
        QCOMPARE(m.value("format").toString(), QString("open-board-0.1"));
        const QJsonObject caminhos = m.value("paths").toObject();
        QSet<QString> listados{"manifest.json"};
        for (const char* tipo : {"boards", "images", "sounds"})
            for (const QJsonValue& v : caminhos.value(tipo).toObject())
                listados.insert(v.toString());
        const QStringList nomes = zip->nomes();
        QCOMPARE(QSet<QString>(nomes.begin(), nomes.end()), listados);
        QCOMPARE(nomes.size(), listados.size()); // each file once
        QVERIFY(zip->contem(m.value("root").toString()));
        QCOMPARE(objetoNoPacote(*zip, m.value("root").toString()).value("name").toString(),
                 QString("INICIO"));

        const QRegularExpression rgb(R"(^rgb\(\d{1,3}, \d{1,3}, \d{1,3}\)$)");
        const QJsonObject figurasDoPacote = caminhos.value("images").toObject();
        const QJsonObject sonsDoPacote = caminhos.value("sounds").toObject();
        int voltas = 0;
        for (const QJsonValue& c : caminhos.value("boards").toObject()) {
            const QJsonObject b = objetoNoPacote(*zip, c.toString());
            QCOMPARE(b.value("format").toString(), QString("open-board-0.1"));
            QVERIFY(b.value("id").isString());
            QCOMPARE(b.value("locale").toString(), QString("pt-BR"));
            QVERIFY(b.value("images").isArray() && b.value("sounds").isArray());
            const QJsonObject g = b.value("grid").toObject();
            const QJsonArray ordem = g.value("order").toArray();
            QCOMPARE(ordem.size(), g.value("rows").toInt());
            QSet<QString> ids;
            for (const QJsonValue& bt : b.value("buttons").toArray()) {
                const QJsonObject o = bt.toObject();
                QVERIFY(o.value("id").isString());
                ids.insert(o.value("id").toString());
                for (const char* cor : {"background_color", "border_color"})
                    if (o.contains(cor)) QVERIFY(rgb.match(o.value(cor).toString()).hasMatch());
                if (o.contains("load_board")) {
                    const QJsonObject l = o.value("load_board").toObject();
                    QVERIFY(zip->contem(l.value("path").toString()));
                    QCOMPARE(objetoNoPacote(*zip, l.value("path").toString()).value("id"),
                             l.value("id"));
                }
                if (o.value("action").toString() == ":ext_zelvana_anterior") ++voltas;
                for (const QJsonValue& a : o.value("actions").toArray())
                    QVERIFY(a.toString().startsWith(':') || a.toString().startsWith('+'));
            }
            for (const QJsonValue& linha : ordem) {
                QCOMPARE(linha.toArray().size(), g.value("columns").toInt());
                for (const QJsonValue& cel : linha.toArray())
                    QVERIFY(cel.isNull() || ids.contains(cel.toString()));
            }
            for (const QJsonValue& f : b.value("images").toArray()) {
                const QJsonObject o = f.toObject();
                QCOMPARE(o.value("path").toString(),
                         figurasDoPacote.value(o.value("id").toString()).toString());
                QVERIFY(o.value("width").isDouble() && o.value("width").toInt() > 0);
                QCOMPARE(o.value("width").toDouble(), double(o.value("width").toInt()));
                QCOMPARE(o.value("content_type").toString(), QString("image/jpeg"));
            }
            for (const QJsonValue& s : b.value("sounds").toArray()) {
                const QJsonObject o = s.toObject();
                QCOMPARE(o.value("path").toString(),
                         sonsDoPacote.value(o.value("id").toString()).toString());
                QCOMPARE(o.value("content_type").toString(), QString("audio/wav"));
                QCOMPARE(o.value("duration").toDouble(), double(o.value("duration").toInt()));
            }
        }
        QCOMPARE(voltas, 3); // the three "voltar" items of the sample
        // "botão de voltar.jpg" serves three boards and is in the package once.
        QCOMPARE(nomes.count("images/botão de voltar.jpg"), 1);
    }

    // One board alone: pictures and sounds inside as data URIs; back in, the same bytes.
    void pranchaSozinhaComMidiaDentro() {
        QTemporaryDir dir;
        const QString pasta = novaPastaDeProjeto(dir);
        QVERIFY(escreveArquivo(pasta + "/gato.jpg", imagem("JPEG", Qt::darkYellow)));
        QVERIFY(escreveArquivo(pasta + "/miau.wav", wav(2)));
        TProjeto p;
        TPrancha b;
        b.nome = "BICHOS";
        b.titulo = "Os bichos";
        b.nLinhas = 1;
        b.nColunas = 3;
        b.itens.resize(3);
        b.itens[0].rotulo = "gato";
        b.itens[0].figura = "gato.jpg";
        b.itens[0].som = "miau"; // miau.wav
        b.itens[0].fala = "O gato faz miau";
        b.itens[2].rotulo = "sumida";
        b.itens[2].figura = "nao_existe.jpg";
        p.pranchas = {b};
        ResultadoExportacao r;
        const QByteArray obf = quadroObfSozinho(p, 0, pasta, r);
        QCOMPARE(r.figurasFaltando, 1);
        const QJsonObject o = QJsonDocument::fromJson(obf).object();
        const QJsonArray figuras = o.value("images").toArray();
        QCOMPARE(figuras.size(), 1); // the missing picture is left out, reference and all
        QVERIFY(
            figuras[0].toObject().value("data").toString().startsWith("data:image/jpeg;base64,"));
        QVERIFY(!figuras[0].toObject().contains("path"));
        QCOMPARE(o.value("sounds").toArray()[0].toObject().value("duration").toInt(), 2);
        const QJsonObject sumida = o.value("buttons").toArray()[1].toObject();
        QCOMPARE(sumida.value("label").toString(), QString("sumida"));
        QVERIFY(!sumida.contains("image_id"));
        QCOMPARE(o.value("grid").toObject().value("order").toArray()[0].toArray()[1],
                 QJsonValue(QJsonValue::Null));

        const ProjetoDoPacote lido = lePacote(obf, agora);
        QVERIFY2(lido.erro.isEmpty(), qPrintable(lido.erro));
        const TPrancha& v = lido.projeto.pranchas.value(0);
        QCOMPARE(v.nome, QString("BICHOS"));
        QCOMPARE(v.itens[0].fala, QString("O gato faz miau"));
        QCOMPARE(v.itens[0].som, QString("miau"));
        QCOMPARE(lido.projeto.pranchaInicial, QString("BICHOS"));
        QCOMPARE(lido.arquivos.size(), 2);
        for (const auto& [nome, bytes] : lido.arquivos)
            QCOMPARE(bytes, leArquivo(pasta + "/" + nome));
    }

    // A package as other programs write it, made here by hand.
    void pacoteDeOutroPrograma() {
        const QByteArray png = imagem("PNG", Qt::red, true);
        const QByteArray mp3 = QByteArray("ID3\x03\0\0\0\0\0\0", 10) + QByteArray(4000, 'x');
        const QJsonArray botoes1{
            QJsonObject{{"id", "1"},
                        {"label", "cat"},
                        {"vocalization", "I like cats"},
                        {"image_id", "img1"},
                        {"background_color", "rgba(255, 0, 0, 0.5)"},
                        {"load_board", QJsonObject{{"id", "b2"}, {"path", "boards/b2.obf"}}}},
            QJsonObject{{"id", "2"}, {"label", "meow"}, {"sound_id", "snd1"}},
            QJsonObject{{"id", "3"}, {"label", "hidden"}, {"hidden", true}},
            QJsonObject{{"id", "4"}, {"label", "web"}, {"image_id", "img2"}},
            QJsonObject{{"id", "5"}, {"image_id", "img3"}, {"border_color", "#ff0000"}}};
        const QJsonArray figuras1{
            QJsonObject{{"id", "img1"},
                        {"width", 24},
                        {"height", 16},
                        {"content_type", "image/png"},
                        {"path", "images/cat.png"}},
            QJsonObject{{"id", "img2"}, {"url", "https://example.org/x.png"}},
            QJsonObject{{"id", "img3"},
                        {"content_type", "image/jpeg"},
                        {"data", "data:image/jpeg;base64," +
                                     QString::fromLatin1(imagem("JPEG", Qt::blue).toBase64())}}};
        const QJsonArray sons1{QJsonObject{{"id", "snd1"},
                                           {"duration", 1},
                                           {"content_type", "audio/mpeg"},
                                           {"path", "sounds/meow.mp3"}}};
        // The grid's order is longer than its 2 columns in one row and short of a row.
        const QJsonObject b1 =
            quadro("b1", "Home", 3, 2,
                   QJsonArray{QJsonArray{"1", "2", "9"}, QJsonArray{"3", "5"}, QJsonArray{"4"}},
                   botoes1, figuras1, sons1);
        const QJsonObject b2 =
            quadro("b2", "Animals", 1, 2, QJsonArray{QJsonArray{"h"}},
                   QJsonArray{QJsonObject{{"id", "h"}, {"label", "home"}, {"action", ":home"}},
                              QJsonObject{{"id", "x"}, {"label", "off grid"}}},
                   QJsonArray{figuras1[0]});
        Pacote p;
        p.com("manifest.json",
              json(manifesto("boards/b1.obf", {{"b1", "boards/b1.obf"}, {"b2", "boards/b2.obf"}},
                             {{"img1", "images/cat.png"}}, {{"snd1", "sounds/meow.mp3"}})))
            .com("boards/b1.obf", json(b1))
            .com("boards/b2.obf", json(b2))
            .com("images/cat.png", png)
            .com("sounds/meow.mp3", mp3);
        QTemporaryDir dir;
        QVERIFY(escreveArquivo(dir.filePath("bichos.obz"), p.zip()));
        const ResultadoImportacao r =
            importaPacoteObz(dir.filePath("bichos.obz"), dir.filePath("novo"));
        QVERIFY2(r.ok, qPrintable(r.erro));
        QCOMPARE(r.pranchas, 2);
        QCOMPARE(r.figuras, 2);
        QCOMPARE(r.sons, 1);
        QCOMPARE(r.figurasPorEndereco, 1);
        QVERIFY(r.resumo().contains("\n1 figura não veio: só tem um endereço na internet"));

        const TProjeto v = projetoDaPasta(dir.filePath("novo"));
        QCOMPARE(v.nPranchas(), 2);
        QCOMPARE(v.pranchaInicial, QString("Home"));
        QVERIFY(v.sintetizando);
        const TPrancha& home = v.pranchas[0];
        QCOMPARE(home.nome, QString("Home"));
        QCOMPARE(home.nLinhas, 3);
        QCOMPARE(home.nColunas, 2);
        QCOMPARE(rotulosDosItens(home),
                 QStringList({"cat", "meow", "hidden", "sem rótulo", "web", ""}));
        const TItem& gato = home.itens[0];
        QCOMPARE(gato.link, QString("Animals"));
        QCOMPARE(gato.fala, QString("I like cats"));
        QCOMPARE(gato.cor, TColor(0x8080FF)); // half red over white
        QCOMPARE(gato.figura, QString("cat.jpg"));
        const QImage convertida(dir.filePath("novo/cat.jpg"));
        QCOMPARE(convertida.size(), QSize(24, 16));
        QVERIFY(convertida.pixelColor(5, 5).lightness() > 240); // transparent became white
        QCOMPARE(home.itens[1].som, QString("meow.mp3"));
        QCOMPARE(leArquivo(dir.filePath("novo/meow.mp3")), mp3);
        QCOMPARE(home.itens[1].fala, QString()); // its sound speaks for it
        QVERIFY(home.itens[2].semRotulo && home.itens[2].semFigura);
        QCOMPARE(home.itens[4].figura, QString()); // the address is not fetched
        QCOMPARE(home.itens[4].fala, QString("web"));
        const TPrancha& bichos = v.pranchas[1];
        QCOMPARE(rotulosDosItens(bichos), QStringList({"home", ""}));
        QCOMPARE(bichos.itens[0].link, QString("Home"));
        // The unlabelled button keeps its cell, with a label not shown and its inline picture.
        const TItem& semRotulo = home.itens[3];
        QVERIFY(semRotulo.semRotulo && !semRotulo.semFigura);
        QCOMPARE(semRotulo.fala, QString());
        QCOMPARE(semRotulo.figura, QString("img3.jpg"));
        QCOMPARE(QImage(dir.filePath("novo/img3.jpg")).pixelColor(3, 3).blue() > 200, true);
    }

    // Everything a set from another program brings that this one does otherwise, in one package
    // made by hand: run settings for the mouse, links out of the package, pictures and sounds
    // found through the manifest, hex and named colours, SVG drawings, empty labels, the
    // language, actions; only used pictures written; the summary says it all, in agreement.
    void pacoteDeOutroProgramaPorInteiro() {
        const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" "
                               "height=\"10\" viewBox=\"0 0 20 10\"><rect width=\"20\" "
                               "height=\"10\" fill=\"#0000ff\"/></svg>";
        const auto dados = [](const char* tipo, const QByteArray& b) {
            return QString("data:%1;base64,%2").arg(tipo, QString::fromLatin1(b.toBase64()));
        };
        const auto botao = [](const char* id, const char* rotulo, const char* figura) {
            QJsonObject o{{"id", id}, {"label", rotulo}};
            if (*figura) o.insert("image_id", figura);
            return o;
        };
        QJsonObject b1 = botao("b1", "sol", "m1"), b2 = botao("b2", "lua", "svg1"),
                    b3 = botao("b3", "", "m1"), b4 = botao("b4", "pasta", ""),
                    b5 = botao("b5", "web", "web"), b6 = botao("b6", "limpar", "sumida"),
                    b7 = botao("b7", "+ab", "ruim"), b8 = botao("b8", "oi", "svg1");
        b1.insert("background_color", "#ff0000");
        b2.insert("background_color", "#0f0");
        b3.insert("vocalization", "eu");
        b4.insert("load_board", QJsonObject{{"id", "fora"}, {"name", "Fora"}});
        b5.insert("load_board", QJsonObject{});
        b6.insert("action", ":clear");
        b6.insert("background_color", "hsl(0, 100%, 50%)");
        b7.insert("actions", QJsonArray{"+ab"});
        b8.insert("sound_id", "s9");
        const QJsonArray figuras{
            QJsonObject{{"id", "m1"}, {"width", 24}}, // neither path nor data: the manifest's
            QJsonObject{{"id", "svg1"}, {"data", dados("image/svg+xml", svg)}},
            QJsonObject{{"id", "web"}, {"url", "https://example.org/w.png"}},
            QJsonObject{{"id", "ruim"}, {"data", dados("image/svg+xml", "<svg><g></svg")}},
            QJsonObject{{"id", "sobra"}, {"data", dados("image/png", imagem("PNG", Qt::red))}}};
        QJsonObject casa = quadro(
            "casa", "Casa", 2, 4,
            QJsonArray{QJsonArray{"b1", "b2", "b3", "b4"}, QJsonArray{"b5", "b6", "b7", "b8"}},
            QJsonArray{b1, b2, b3, b4, b5, b6, b7, b8}, figuras);
        casa.insert("locale", "es");
        const QJsonObject letras =
            quadro("letras", "Letras", 1, 1, QJsonArray{QJsonArray{"h"}},
                   QJsonArray{QJsonObject{{"id", "h"}, {"label", "casa"}, {"action", ":home"}}});
        Pacote p;
        p.com("manifest.json",
              json(manifesto("boards/casa.obf",
                             {{"casa", "boards/casa.obf"}, {"letras", "boards/letras.obf"}},
                             {{"m1", "images/sol.png"}, {"solta", "images/solta.png"}},
                             {{"s9", "sounds/oi.wav"}})))
            .com("boards/casa.obf", json(casa))
            .com("boards/letras.obf", json(letras))
            .com("images/sol.png", imagem("PNG", Qt::yellow))
            .com("images/solta.png", imagem("PNG", Qt::green))
            .com("sounds/oi.wav", wav(1));
        QTemporaryDir dir;
        QVERIFY(escreveArquivo(dir.filePath("mundo.obz"), p.zip()));
        const ResultadoImportacao r =
            importaPacoteObz(dir.filePath("mundo.obz"), dir.filePath("mundo"));
        QVERIFY2(r.ok, qPrintable(r.erro));
        QCOMPARE(r.resumo(),
                 QString("Importação concluída: 2 pranchas, 2 figuras e 1 som.\n"
                         "1 figura não veio: só tem um endereço na internet ou um conjunto de "
                         "símbolos, que o programa não busca (fica só o rótulo).\n"
                         "1 figura não veio: está citada nas pranchas, mas não no pacote.\n"
                         "1 figura SVG não veio: o desenho não pôde ser lido.\n"
                         "2 links para pranchas fora do pacote foram removidos.\n"
                         "1 item ficou sem cor: a cor que o pacote dá está escrita de um jeito "
                         "que o programa não entende.\n"
                         "2 itens com ações que este programa não faz ficaram como itens comuns "
                         "— limpar a frase (:clear): 1; soletrar (+…): 1."));
        // Only what the items use came, and the folder is an ordinary one.
        const QString pasta = dir.filePath("mundo");
        QStringList escritos = conteudo(pasta);
        escritos.sort();
        QCOMPARE(escritos, QStringList({"oi.wav", "pranchas.pra", "sol.jpg", "svg1.jpg"}));
        QVERIFY(QDir(dir.path()).mkdir("comum"));
        QCOMPARE(QFileInfo(pasta).permissions(), QFileInfo(dir.filePath("comum")).permissions());
        QCOMPARE(conteudo(dir.path()), QStringList({"comum", "mundo", "mundo.obz"}));

        const TProjeto v = projetoDaPasta(pasta);
        QCOMPARE(
            QList<int>({v.tempoVarredura, v.tempoHisterese, v.tempoAutoClique, v.tempoSocorro}),
            QList<int>({0, 0, 0, 0}));
        QCOMPARE(v.pranchas[0].idioma, QString("es"));
        QCOMPARE(v.pranchas[1].idioma, QString("en"));
        const TItemArray& it = v.pranchas[0].itens;
        QCOMPARE(rotulosDosItens(v.pranchas[0]),
                 QStringList({"sol", "lua", "sem rótulo", "pasta", "web", "limpar", "+ab", "oi"}));
        QCOMPARE(it[0].cor, TColor(0x0000FF));
        QCOMPARE(it[1].cor, TColor(0x00FF00));
        QCOMPARE(it[5].cor, semCor);
        QCOMPARE(it[0].figura, QString("sol.jpg"));
        QCOMPARE(it[2].figura, QString("sol.jpg"));
        QVERIFY(it[2].semRotulo && !it[2].semFigura);
        QCOMPARE(it[2].fala, QString("eu"));
        QCOMPARE(it[3].link, QString());
        QCOMPARE(it[4].link, QString());
        QCOMPARE(it[4].figura, QString());
        QCOMPARE(it[5].figura, QString());
        QCOMPARE(it[5].fala, QString()); // a command's label is not a message
        QCOMPARE(it[6].fala, QString("ab"));
        QCOMPARE(it[6].figura, QString());
        QCOMPARE(it[7].som, QString("oi.wav"));
        QCOMPARE(it[7].figura, QString("svg1.jpg"));
        QCOMPARE(v.pranchas[1].itens[0].link, QString("Casa"));
        const QImage desenho(pasta + "/svg1.jpg");
        QCOMPARE(desenho.size(), QSize(512, 256));
        QVERIFY(desenho.pixelColor(256, 128).blue() > 200 &&
                desenho.pixelColor(256, 128).red() < 50);

        // Out again: the language goes back, a hidden label goes out empty with what the
        // button says, and a package of ours brings it all back.
        TProjeto ida = v;
        ida.pranchas[0].itens[0].semRotulo = true;
        ida.pranchas[0].itens[0].fala.clear();
        ResultadoExportacao e;
        const QByteArray obz = pacoteObz(ida, pasta, e);
        QVERIFY2(!obz.isEmpty(), qPrintable(e.erro));
        QString erro;
        auto zip = PacoteZip::abre(obz, erro);
        QVERIFY2(zip, qPrintable(erro));
        const QJsonObject casaFora = objetoNoPacote(*zip, "boards/prancha_1.obf");
        QCOMPARE(casaFora.value("locale").toString(), QString("es"));
        QCOMPARE(objetoNoPacote(*zip, "boards/prancha_2.obf").value("locale").toString(),
                 QString("en"));
        const QJsonArray botoes = casaFora.value("buttons").toArray();
        QCOMPARE(botoes[0].toObject().value("label").toString(), QString(""));
        QCOMPARE(botoes[0].toObject().value("vocalization").toString(), QString("sol"));
        QCOMPARE(botoes[2].toObject().value("label").toString(), QString(""));
        QCOMPARE(botoes[2].toObject().value("vocalization").toString(), QString("eu"));
        QCOMPARE(botoes[1].toObject().value("label").toString(), QString("lua"));
        const ProjetoDoPacote volta = lePacote(obz, agora);
        QVERIFY2(volta.erro.isEmpty(), qPrintable(volta.erro));
        QCOMPARE(volta.projeto.nPranchas(), 2);
        QVERIFY(volta.projeto.pranchas.mid(0, 2) == ida.pranchas.mid(0, 2));
        QCOMPARE(volta.projeto.tempoVarredura, 0);

        // The export's lines agree in number too.
        ResultadoExportacao faltas;
        faltas.ok = true;
        faltas.pranchas = 1;
        faltas.figurasFaltando = 2;
        faltas.sonsFaltando = 1;
        QCOMPARE(faltas.resumo(),
                 QString("Exportação concluída: 1 prancha, 0 figuras e 0 sons.\n"
                         "2 figuras que as pranchas citam não existem ou não são figuras e "
                         "ficaram de fora.\n"
                         "1 som que as pranchas citam não existe e ficou de fora."));
    }

    // Real boards and packages of other programs: each comes in, and its summary counts what it
    // holds and what it left out.
    void amostrasDeOutrosProgramas_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QList<int>>("contas");
        // pranchas, figuras, sons; figuras by address, missing, bad SVG; sounds not brought;
        // links removed, colours not read, items whose action is not done
        QTest::newRow("example") << "example.obf" << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("foreign") << "foreign.obf" << QList<int>{1, 0, 0, 3, 0, 0, 0, 0, 0, 0};
        QTest::newRow("inline") << "inline_images.obf" << QList<int>{1, 2, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("simple") << "simple.obf" << QList<int>{1, 1, 0, 1, 0, 0, 0, 0, 0, 0};
        QTest::newRow("styled") << "styled-example.obf" << QList<int>{1, 0, 0, 0, 0, 0, 0, 1, 0, 0};
        QTest::newRow("links") << "links.obz" << QList<int>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("path") << "path_images.obz" << QList<int>{2, 2, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("lots") << "lots_of_stuff.obz" << QList<int>{5, 3, 3, 1, 0, 0, 2, 1, 0, 4};
    }
    void amostrasDeOutrosProgramas() {
        QFETCH(QString, arquivo);
        QFETCH(QList<int>, contas);
        QTemporaryDir dir;
        const ResultadoImportacao r =
            importaPacoteObz(ZELVANA_TEST_DATA "/obf/" + arquivo, dir.filePath("p"));
        QVERIFY2(r.ok, qPrintable(r.erro));
        int acoes = 0;
        for (int n : r.diferencas.acoes)
            acoes += n;
        QCOMPARE(QList<int>({r.pranchas, r.figuras, r.sons, r.figurasPorEndereco, r.figurasAusentes,
                             r.figurasSvgRuins, r.sonsNaoTrazidos, r.diferencas.linksRemovidos,
                             r.diferencas.coresNaoLidas, acoes}),
                 contas);
        // Every picture and sound counted is in the folder, and the board file names only those.
        QStringList arquivos = conteudo(dir.filePath("p"));
        QVERIFY(arquivos.removeOne("pranchas.pra"));
        QCOMPARE(arquivos.size(), r.figuras + r.sons);
        const TProjeto v = projetoDaPasta(dir.filePath("p"));
        QCOMPARE(v.nPranchas(), r.pranchas);
        QCOMPARE(v.tempoVarredura, 0);
        for (const TPrancha& b : v.pranchas)
            for (const TItem& it : b.itens) {
                QVERIFY(it.figura.isEmpty() || arquivos.contains(it.figura));
                QVERIFY(it.som.isEmpty() || arquivos.contains(it.som));
                QVERIFY2(it.link.isEmpty() || indiceDaPrancha(v, it.link) >= 0,
                         qPrintable(it.link));
            }
    }

    // A button with neither label, vocalization nor a usable id keeps its cell through the
    // board file.
    void botaoSemNadaGuardaACelula() {
        const QByteArray obf = json(
            quadro("1", "Casa", 1, 2, QJsonArray{QJsonArray{" ", "b"}},
                   QJsonArray{QJsonObject{{"id", " "}, {"background_color", "rgb(0, 128, 0)"}},
                              QJsonObject{{"id", "b"}, {"label", "  "}, {"vocalization", "olá"}}}));
        const ProjetoDoPacote lido = lePacote(obf, agora);
        QVERIFY2(lido.erro.isEmpty(), qPrintable(lido.erro));
        const TProjeto relido = lePranchas(textoPranchas(lido.projeto).bytes, agora).projeto;
        const TItemArray& itens = relido.pranchas.value(0).itens;
        QCOMPARE(itens.size(), 2);
        QCOMPARE(itens[0].rotulo, QString("sem rótulo"));
        QVERIFY(itens[0].semRotulo);
        QCOMPARE(itens[0].cor, TColor(0x008000));
        QCOMPARE(itens[1].rotulo, QString("sem rótulo"));
        QVERIFY(itens[1].semRotulo);
        QCOMPARE(itens[1].fala, QString("olá"));
    }

    void coresDeOutrosProgramas_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("cor"); // -1: refused
        QTest::newRow("rgb") << "rgb(255, 128, 0)" << 0x0080FF;
        QTest::newRow("sem espacos") << "rgb(1,2,3)" << 0x030201;
        QTest::newRow("rgba opaco") << "rgba(10, 20, 30, 1)" << 0x1E140A;
        QTest::newRow("rgba transparente") << "rgba(0, 0, 0, 0)" << 0xFFFFFF;
        QTest::newRow("rgba meio") << "rgba(0, 0, 255, 0.5)" << 0xFF8080;
        QTest::newRow("por cento") << "rgb(100%, 50%, 0%)" << 0x0080FF;
        QTest::newRow("rgba por cento") << "RGBA(0, 0, 255, 50%)" << 0xFF8080;
        QTest::newRow("hex") << " #ff0000 " << 0x0000FF;
        QTest::newRow("hex curto") << "#0F8" << 0x88FF00;
        QTest::newRow("hex com alfa") << "#0000ff80" << 0xFF7F7F;
        QTest::newRow("hex curto com alfa") << "#f000" << 0xFFFFFF;
        QTest::newRow("nome") << "Red" << 0x0000FF;
        QTest::newRow("nome composto") << "lightblue" << 0xE6D8AD;
        QTest::newRow("transparente") << "transparent" << 0xFFFFFF;
        QTest::newRow("hex de 5") << "#12345" << -1;
        QTest::newRow("hex com sinal") << "#-12" << -1;
        QTest::newRow("hex torto") << "#gg0000" << -1;
        QTest::newRow("nome desconhecido") << "vermelhão" << -1;
        QTest::newRow("hsl") << "hsl(0, 100%, 50%)" << -1;
        QTest::newRow("canal grande") << "rgb(256, 0, 0)" << -1;
        QTest::newRow("por cento grande") << "rgb(101%, 0%, 0%)" << -1;
        QTest::newRow("alfa sem rgba") << "rgb(1, 2, 3, 0.5)" << -1;
    }
    void coresDeOutrosProgramas() {
        QFETCH(QString, texto);
        QFETCH(int, cor);
        const auto lida = leCorObf(texto);
        QCOMPARE(lida.has_value(), cor >= 0);
        if (lida) QCOMPARE(*lida, TColor(cor));
    }

    void pacotesRuins_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("não é zip") << QByteArray("isto não é um pacote") << "não é um pacote OBZ";
        QTest::newRow("zip quebrado") << QByteArray("PK\x03\x04lixo", 8) << "não é um pacote zip";
        QTest::newRow("sem manifest")
            << Pacote().com("boards/1.obf", "{}").zip() << "não tem o arquivo manifest.json";
        QTest::newRow("manifest quebrado")
            << Pacote().com("manifest.json", "{nada").zip() << "manifest.json do pacote não";
        QTest::newRow("sem root") << Pacote()
                                         .com("manifest.json",
                                              json(QJsonObject{{"format", "open-board-0.1"}}))
                                         .com("boards/1.obf", "{}")
                                         .zip()
                                  << "sem o campo root";
        QTest::newRow("raiz fora")
            << Pacote()
                   .com("manifest.json", json(manifesto("boards/x.obf", {{"1", "boards/1.obf"}})))
                   .com("boards/1.obf", "{}")
                   .zip()
            << "prancha inicial indicada no pacote";
        Pacote quebrada = pacoteMinimo();
        quebrada.arquivos[1].second = "{\"buttons\": [";
        QTest::newRow("prancha quebrada") << quebrada.zip() << "não pôde ser lida";
        QTest::newRow("../x") << Pacote(pacoteMinimo()).com("../x", "a").zip() << "nome perigoso";
        QTest::newRow("/etc/x") << Pacote(pacoteMinimo()).com("/etc/x", "a").zip()
                                << "nome perigoso";
        QTest::newRow("pasta acima")
            << Pacote(pacoteMinimo()).com("images/../../x", "a").zip() << "nome perigoso";
        Pacote botoes = pacoteMinimo();
        botoes.arquivos[1].second =
            json(quadro("1", "Casa", 1, 2, QJsonArray{QJsonArray{"a", "a"}},
                        QJsonArray{QJsonObject{{"id", "a"}, {"label", "oi"}},
                                   QJsonObject{{"id", "a"}, {"label", "tchau"}}}));
        QTest::newRow("ids de botão repetidos") << botoes.zip() << "aparece duas vezes";
        const QJsonObject fig{{"id", "f"}, {"path", "images/a.jpg"}};
        const QJsonObject outra{{"id", "f"}, {"path", "images/b.jpg"}};
        Pacote figuras;
        figuras
            .com("manifest.json",
                 json(manifesto("boards/1.obf", {{"1", "boards/1.obf"}, {"2", "boards/2.obf"}})))
            .com("boards/1.obf", json(quadro("1", "A", 1, 1, {}, {}, {fig})))
            .com("boards/2.obf", json(quadro("2", "B", 1, 1, {}, {}, {outra})))
            .com("images/a.jpg", imagem("JPEG", Qt::red))
            .com("images/b.jpg", imagem("JPEG", Qt::blue));
        QTest::newRow("ids de figura repetidos") << figuras.zip() << "duas figuras diferentes";
        Pacote pranchas;
        pranchas
            .com("manifest.json",
                 json(manifesto("boards/1.obf", {{"1", "boards/1.obf"}, {"2", "boards/2.obf"}})))
            .com("boards/1.obf", json(quadro("igual", "A", 1, 1, {}, {})))
            .com("boards/2.obf", json(quadro("igual", "B", 1, 1, {}, {})));
        QTest::newRow("ids de prancha repetidos") << pranchas.zip() << "duas pranchas com o id";
        Pacote falsa = pacoteMinimo();
        falsa.arquivos[1].second =
            json(quadro("1", "Casa", 1, 1, QJsonArray{QJsonArray{"a"}},
                        QJsonArray{QJsonObject{{"id", "a"}, {"label", "oi"}, {"image_id", "f"}}},
                        QJsonArray{QJsonObject{{"id", "f"}, {"path", "images/f.jpg"}}}));
        falsa.com("images/f.jpg", "isto não é uma figura");
        QTest::newRow("figura que não é figura") << falsa.zip() << "não é uma figura";
        QTest::newRow("obf quebrado") << QByteArray("{\"id\": ") << "não pôde ser lida";
    }
    void pacotesRuins() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, mensagem);
        QVERIFY(!bytes.isEmpty());
        QTemporaryDir dir;
        QVERIFY(escreveArquivo(dir.filePath("ruim.obz"), bytes));
        const ResultadoImportacao r =
            importaPacoteObz(dir.filePath("ruim.obz"), dir.filePath("projeto"));
        QVERIFY(!r.ok);
        QVERIFY2(r.erro.contains(mensagem), qPrintable(r.erro));
        // No library's English shows through.
        static const QRegularExpression ingles(
            R"(\b(not|archive|error|unterminated|illegal|missing|value|object|file)\b)",
            QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(!ingles.match(r.erro).hasMatch(), qPrintable(r.erro));
        QCOMPARE(r.resumo(), r.erro);
        QCOMPARE(conteudo(dir.path()), QStringList{"ruim.obz"});
    }

    // An entry that inflates past 200 MB, even one no board names, and a package of more
    // than 20,000 entries.
    void bombas() {
        QTemporaryDir dir;
        Pacote grande = pacoteMinimo();
        grande.com("images/bomba.bmp", QByteArray(maxTamanhoEntradaZip + 1, '\0'));
        const QByteArray bytes = grande.zip();
        grande.arquivos.clear();
        QVERIFY(bytes.size() < 2 * 1024 * 1024);
        QVERIFY(escreveArquivo(dir.filePath("bomba.obz"), bytes));
        ResultadoImportacao r = importaPacoteObz(dir.filePath("bomba.obz"), dir.filePath("p"));
        QVERIFY(!r.ok);
        QVERIFY2(r.erro.contains("passa de 200 MB"), qPrintable(r.erro));
        QVERIFY(!QFileInfo::exists(dir.filePath("p")));

        Pacote muitos = pacoteMinimo();
        for (int k = 0; k < maxEntradasZip; ++k)
            muitos.com(QString("x/%1").arg(k), QByteArray());
        QVERIFY(escreveArquivo(dir.filePath("muitos.obz"), muitos.zip()));
        r = importaPacoteObz(dir.filePath("muitos.obz"), dir.filePath("p"));
        QVERIFY(!r.ok);
        QVERIFY2(r.erro.contains("20000"), qPrintable(r.erro));
        QCOMPARE(conteudo(dir.path()), QStringList({"bomba.obz", "muitos.obz"}));
    }

    // A folder that holds something is never imported into; an empty one is.
    void pastaDeDestino() {
        QTemporaryDir dir;
        QVERIFY(escreveArquivo(dir.filePath("p.obz"), pacoteMinimo().zip()));
        QVERIFY(QDir(dir.path()).mkpath("cheia"));
        QVERIFY(escreveArquivo(dir.filePath("cheia/pranchas.pra"), "[A]\r\n"));
        ResultadoImportacao r = importaPacoteObz(dir.filePath("p.obz"), dir.filePath("cheia"));
        QVERIFY(!r.ok);
        QVERIFY(r.erro.contains("já existe e não está vazia"));
        QCOMPARE(leArquivo(dir.filePath("cheia/pranchas.pra")), QByteArray("[A]\r\n"));
        QVERIFY(escreveArquivo(dir.filePath("arquivo"), "x"));
        r = importaPacoteObz(dir.filePath("p.obz"), dir.filePath("arquivo"));
        QVERIFY(!r.ok);
        QVERIFY2(r.erro.contains("é um arquivo, não uma pasta"), qPrintable(r.erro));
        QVERIFY(QDir(dir.path()).mkpath("vazia"));
        r = importaPacoteObz(dir.filePath("p.obz"), dir.filePath("vazia"));
        QVERIFY2(r.ok, qPrintable(r.erro));
        QCOMPARE(projetoDaPasta(dir.filePath("vazia")).pranchas.value(0).itens.value(0).rotulo,
                 QString("oi"));
    }

    // File names from a package never leave the folder or take the board file's place.
    void nomesDeArquivoSeguros() {
        QCOMPARE(nomeDeArquivoSeguro("images/a/b.jpg"), QString("b.jpg"));
        QCOMPARE(nomeDeArquivoSeguro("..\\..\\x.jpg"), QString("x.jpg"));
        QCOMPARE(nomeDeArquivoSeguro(".."), QString());
        QCOMPARE(nomeDeArquivoSeguro(".oculto"), QString("oculto"));
        QCOMPARE(nomeDeArquivoSeguro("a:b?.jpg"), QString("a_b_.jpg"));
        QCOMPARE(nomeDeArquivoSeguro("gato😀.jpg"), QString("gato__.jpg"));
        QVERIFY(!nomeDeEntradaSeguro("C:/x"));
        QVERIFY(nomeDeEntradaSeguro("images/gato.jpg"));

        // Two different pictures named f.jpg in two folders, a third the same as the second.
        Pacote p = pacoteMinimo();
        const auto botao = [](const char* id, const char* figura) {
            return QJsonObject{{"id", id}, {"label", id}, {"image_id", figura}};
        };
        const auto figura = [](const char* id, const char* caminho) {
            return QJsonObject{{"id", id}, {"path", caminho}};
        };
        QJsonObject reservada = figura("f", "images/f.jpg");
        reservada.insert("ext_zelvana_arquivo", "pranchas.pra");
        p.arquivos[1].second = json(quadro(
            "1", "Casa", 1, 4, QJsonArray{QJsonArray{"a", "b", "c", "d"}},
            QJsonArray{botao("a", "f"), botao("b", "g"), botao("c", "h"), botao("d", "i")},
            QJsonArray{reservada, figura("g", "images/dois/f.jpg"),
                       figura("h", "images/tres/f.jpg"), figura("i", "images/quatro/F.JPG")}));
        p.com("images/f.jpg", imagem("JPEG", Qt::red))
            .com("images/dois/f.jpg", imagem("JPEG", Qt::green))
            .com("images/tres/f.jpg", imagem("JPEG", Qt::blue))
            .com("images/quatro/F.JPG", imagem("JPEG", Qt::blue));
        const ProjetoDoPacote lido = lePacote(p.zip(), agora);
        QVERIFY2(lido.erro.isEmpty(), qPrintable(lido.erro));
        QStringList nomes;
        for (const auto& a : lido.arquivos)
            nomes << a.first;
        QCOMPARE(nomes, QStringList({"pranchas_2.pra", "f.jpg", "f_2.jpg"}));
        QStringList figuras;
        for (const TItem& it : lido.projeto.pranchas[0].itens)
            figuras << it.figura;
        QCOMPARE(figuras, QStringList({"pranchas_2.pra", "f.jpg", "f_2.jpg", "f_2.jpg"}));
        QCOMPARE(lido.arquivos[2].second, imagem("JPEG", Qt::blue));
    }

    void linhaDeComando() {
        const auto zelvana = [](const QStringList& args, QString* saida = nullptr) {
            QProcess p;
            p.start(ZELVANA_BUILD_DIR "/src/app/zelvana", args);
            if (!p.waitForFinished(60000)) return -1;
            if (saida)
                *saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        QTemporaryDir dir;
        QString saida;
        QCOMPARE(zelvana({"--exportar-obz", exemplo, dir.filePath("e.obz")}, &saida), 0);
        QVERIFY2(saida.startsWith("Exportação concluída: 5 pranchas"), qPrintable(saida));
        QCOMPARE(zelvana({"--importar-obz", dir.filePath("e.obz"), dir.filePath("p")}, &saida), 0);
        QVERIFY2(saida.startsWith("Importação concluída: 5 pranchas"), qPrintable(saida));
        QVERIFY(projetoDaPasta(dir.filePath("p")) == projetoDaPasta(exemplo));
        QCOMPARE(zelvana({"--importar-obz", dir.filePath("e.obz"), dir.filePath("p")}, &saida), 1);
        QVERIFY(saida.contains("não está vazia"));
        QCOMPARE(zelvana({"--exportar-obz", dir.path(), dir.filePath("x.obz")}, &saida), 1);
        QVERIFY(saida.contains("não é a pasta de um projeto"));
        QVERIFY(!QFileInfo::exists(dir.filePath("x.obz")));
        QCOMPARE(zelvana({"--importar-obz", dir.filePath("e.obz")}, &saida), 2);
    }
};

QTEST_MAIN(TstObz)
#include "tst_obz.moc"
