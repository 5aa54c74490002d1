// The board file: byte-exact writing, the reading rules, the save with its backup, and the
// repairs of damaged or unwritable files.
#include "nucleo/arquivo_seguro.h"
#include "nucleo/cp1252.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/versao.h"
#include "support/apoio.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray le(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escreve(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A hand-written file in a fresh folder, loaded into `projeto`.
void carregaTexto(const QTemporaryDir& dir, const QString& texto) {
    QList<QByteArray> linhas;
    for (const QString& l : texto.split(u'\n'))
        linhas.append(paraCp1252(l.chopped(l.endsWith(u'\r') ? 1 : 0)));
    escreve(dir.filePath("pranchas.pra"), linhas.join("\r\n"));
    carregaPranchas(dir.path());
}

// `projeto` becomes one board of that name and grid, with empty items.
TPrancha& umaPrancha(const QString& nome, qint32 linhas, qint32 colunas) {
    projeto.pranchas.resize(1);
    TPrancha& p = projeto.pranchas[0];
    p.nome = nome;
    p.nLinhas = linhas;
    p.nColunas = colunas;
    p.itens.resize(linhas * colunas);
    return p;
}

} // namespace

class TstBoardFile : public QObject {
    Q_OBJECT

private slots:
    void init() { projeto = TProjeto(); }

    void idaEVoltaByteAByte() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        const QString pasta = copiaDadosDeTeste(dir, "ouro");
        carregaPranchas(pasta);
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(projeto.nPranchas(), 3);
        QCOMPARE(projeto.autor, QString("Ana Lúcia"));
        QCOMPARE(projeto.info, QString("Feito na escola"));
        QVERIFY(projeto.falando && projeto.falaVarredura && !projeto.sintetizando);
        QCOMPARE(projeto.tempoVarredura, 1500);
        QCOMPARE(projeto.tempoHisterese, 0);
        QCOMPARE(projeto.tempoAutoClique, 800);
        const TPrancha& cozinha = projeto.pranchas.at(1);
        QCOMPARE(cozinha.nItens(), 4);
        QCOMPARE(cozinha.cor, TColor(-16777201));
        const TItem& agua = cozinha.itens.at(0);
        QCOMPARE(agua.rotulo, QString("água"));
        QCOMPARE(agua.cor, TColor(0xFF0000));
        QCOMPARE(agua.posTexto, TPosVertical::cima);
        QCOMPARE(agua.dimMoldura, TDimMoldura::grossa);
        QVERIFY(agua.deslocHoriz && agua.semRotulo && agua.semFigura);
        QVERIFY(cozinha.itens.at(1).rotulo.isEmpty());
        QCOMPARE(cozinha.itens.at(2).cor, TColor(0x00FFC080));

        QTemporaryDir saida;
        QVERIFY(gravaPranchas(saida.path(), "pranchas.pra"));
        QCOMPARE(le(saida.filePath("pranchas.pra")), le(pasta + "/pranchas.pra"));
        QCOMPARE(avisos.rapidas, QStringList{"Pranchas gravadas"});
    }

    void semPranchasTerminaNosComentarios() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        projeto.nome = "Pranchas";
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QByteArray b = le(dir.filePath("pranchas.pra"));
        QVERIFY(b.endsWith("prancha ESCAPE n\xE3o \xE9 usado\r\n"));
        QVERIFY(b.contains("SINTETIZANDO=N\xC3O\r\n"));
    }

    void regrasDeLeitura() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        const QString longo(300, u'a');
        carregaTexto(dir, "; comentário\n"
                          "[CONFIG]\n"
                          "  falando = sim  \n"
                          "FALANDO=NÃO\n"
                          "VARREDURA= $10 \n"
                          "HISTERESE=0x20\n"
                          "SOCORRO=-5\n"
                          "AUTOCLIQUE=12abc\n"
                          "AUTOR=\"Com aspas\"\n"
                          "\n"
                          "[Casa]\n"
                          "modelo=3x4\n"
                          "  ; 1=comentário não é chave\n"
                          "    FIGURA 1 = 'mesa.jpg'\n"
                          "SEMROTULO 1=sim\n"
                          "SEMFIGURA 1=Sim\n"
                          "2=dois\n"
                          "2=segundo dois não conta\n"
                          "DIMTEXTO 2=grande\n"
                          "DIMTEXTO 3=médio\n"
                          "DIMTEXTO 4=abc\n"
                          "DIMTEXTO 5=20\n"
                          "FALA 6=" +
                              longo +
                              "\n"
                              "[CASA]\n"
                              "MODELO=1X1\n"
                              "1=outra\n");
        QVERIFY(avisos.erros.isEmpty());
        QVERIFY(projeto.falando);
        QCOMPARE(projeto.tempoVarredura, 16);
        QCOMPARE(projeto.tempoHisterese, 32);
        QCOMPARE(projeto.tempoSocorro, -5);
        QCOMPARE(projeto.tempoAutoClique, 0);
        QCOMPARE(projeto.autor, QString("Com aspas"));
        QCOMPARE(projeto.nPranchas(), 2);
        for (int i : {0, 1}) { // two sections of one name read the first one's keys
            const TPrancha& p = projeto.pranchas.at(i);
            QCOMPARE(p.nLinhas, 3);
            QCOMPARE(p.nColunas, 4);
            QCOMPARE(p.itens.size(), 12);
            QCOMPARE(p.itens.at(0).figura, QString("mesa.jpg"));
            QVERIFY(!p.itens.at(0).semRotulo);
            QVERIFY(p.itens.at(0).semFigura);
            QCOMPARE(p.itens.at(1).rotulo, QString("dois"));
            QCOMPARE(p.itens.at(1).dimTexto, 72);
            QCOMPARE(p.itens.at(2).dimTexto, 36);
            QCOMPARE(p.itens.at(3).dimTexto, 36);
            QCOMPARE(p.itens.at(4).dimTexto, 20);
            QCOMPARE(p.itens.at(5).fala, longo);
        }
        QCOMPARE(projeto.pranchas.at(1).nome, QString("CASA"));

        carregaTexto(dir, "[config]\nMODELO=12X3\nCOR 13=clred\n");
        QCOMPARE(projeto.nPranchas(), 1);
        const TPrancha& config = projeto.pranchas.at(0);
        QCOMPARE(config.nome, QString("config"));
        QCOMPARE(config.nItens(), 36);
        QCOMPARE(config.itens.at(12).cor, TColor(0x0000FF));
    }

    void repeticoesDeUmaPranchaSaoIndependentes() {
        // Sections of one name read the first one's keys; each board is still its own.
        const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
        const PranchasLidas lidas =
            lePranchas("[A]\nTITULO=sem modelo\n1=um\n[a]\n1=outro\n[C]\nMODELO=1X1\n[A]\n", agora);
        const TProjeto& p = lidas.projeto;
        QCOMPARE(p.nPranchas(), 4);
        QCOMPARE(lidas.consertadas, QStringList({"A", "a", "A"}));
        for (int i : {0, 1, 3}) {
            QCOMPARE(p.pranchas.at(i).titulo, QString("sem modelo"));
            QCOMPARE(p.pranchas.at(i).itens.size(), 1);
            QCOMPARE(p.pranchas.at(i).itens.at(0).rotulo, QString("um"));
        }
        QCOMPARE(p.pranchas.at(1).nome, QString("a"));
        TProjeto editado = p;
        editado.pranchas[1].itens[0].rotulo = "mudado";
        editado.pranchas[3].titulo = "outro";
        QCOMPARE(editado.pranchas.at(0).itens.at(0).rotulo, QString("um"));
        QCOMPARE(editado.pranchas.at(3).itens.at(0).rotulo, QString("um"));
        QCOMPARE(editado.pranchas.at(0).titulo, QString("sem modelo"));
        QCOMPARE(p.pranchas.at(1).itens.at(0).rotulo, QString("um"));
    }

    void semConfigMantemValores() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        projeto.tempoVarredura = 777;
        projeto.falando = true;
        projeto.pranchaInicial = "X";
        avisos.ok(); // [CONFIG] read as a board without MODELO is repaired
        carregaTexto(dir, "[A]\r\nMODELO=1X1\r\n[CONFIG]\r\nVARREDURA=5\r\n");
        QCOMPARE(projeto.tempoVarredura, 777);
        QVERIFY(projeto.falando);
        QCOMPARE(projeto.pranchaInicial, QString("X"));
        QCOMPARE(projeto.autor, QString("Orvalis"));
        QCOMPARE(projeto.info, QString("Zelvana 1.4a"));
        QVERIFY(!projeto.data.isEmpty());
        QCOMPARE(projeto.nPranchas(), 2);
        QCOMPARE(projeto.pranchas.at(1).nome, QString("CONFIG"));
    }

    void valores() {
        qint32 v = 0;
        QVERIFY(leInteiro(" -12 ", v) && v == -12);
        QVERIFY(leInteiro("$FFFFFFFF", v) && v == -1);
        QVERIFY(!leInteiro("", v) && !leInteiro("1 2", v) && !leInteiro("$", v));
        QVERIFY(!leInteiro("99999999999", v) && !leInteiro("0x-1", v));
        QCOMPARE(textoCor(16711680), QString("clBlue"));
        QCOMPARE(textoCor(0x00FFC080), QString("$00FFC080"));
        QCOMPARE(textoCor(-1), QString("$FFFFFFFF"));
        TColor c = 0;
        QVERIFY(leCor("CLMONEYGREEN", c) && c == 0xC0DCC0);
        QVERIFY(leCor("", c) && c == semCor);
        QVERIFY(!leCor("azul", c));
        qint32 l = 0, col = 0;
        QVERIFY(leModelo("12X3", l, col) && l == 12 && col == 3);
        QVERIFY(leModelo("2;5", l, col) && l == 2 && col == 5);
        QVERIFY(!leModelo("X3", l, col) && !leModelo("3", l, col) && !leModelo("3X", l, col));
        QVERIFY(!leModelo("99999X99999", l, col));
        QCOMPARE(dimensaoTexto(" pequeno "), 18);
        QCOMPARE(dimensaoTexto("MEDIO"), 36);
        ArquivoIni ini = ArquivoIni::deBytes("[S]\nK= \t x \x01\n");
        QCOMPARE(leChave(ini, "s", "k"), QString("x"));
        QVERIFY(leChave(ini, "S", "").isEmpty());
    }

    // The date the program puts in DATA and in the header reads as the file shows dates,
    // whatever the system's locale: the date alone only at exactly midnight.
    void datasComoNoArquivo() {
        const QDateTime tarde(QDate(2026, 12, 8), QTime(17, 1, 47));
        QCOMPARE(textoData(tarde), QString("08/12/2026 17:01:47"));
        QCOMPARE(textoData(QDateTime(QDate(2027, 1, 2), QTime(0, 0))), QString("02/01/2027"));
        QCOMPARE(textoData(QDateTime(QDate(2027, 1, 2), QTime(0, 0, 1))),
                 QString("02/01/2027 00:00:01"));

        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        carregaTexto(dir, "[CONFIG]\nAUTOR=x\n[A]\nMODELO=1X1\n");
        const QRegularExpression data(R"(^\d\d/\d\d/\d{4}( \d\d:\d\d:\d\d)?$)");
        QVERIFY2(data.match(projeto.data).hasMatch(), qPrintable(projeto.data));
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QByteArray b = le(dir.filePath("pranchas.pra"));
        QVERIFY(b.contains(";  Em " + projeto.data.toLatin1() + "\r\n"));
        QVERIFY(b.contains("\r\nDATA=" + projeto.data.toLatin1() + "\r\n"));
    }

    // "$" or "0x" and hex digits, nothing else: no second prefix, no blank after the prefix.
    void inteirosHexadecimais() {
        qint32 v = 0;
        QVERIFY(leInteiro("$10", v) && v == 16);
        QVERIFY(leInteiro(" 0X1f ", v) && v == 31);
        QVERIFY(leInteiro("$0000000A", v) && v == 10);
        for (const char* errado : {"$0x10", "$ 10", "0x 10", "0x0x10", "0x$10", "$1g", "0x", "$-1",
                                   "$1FFFFFFFF", "$1 0"})
            QVERIFY2(!leInteiro(errado, v), errado);
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        avisos.ok(); // the unreadable colour is repaired
        carregaTexto(dir, "[CONFIG]\nVARREDURA=$0x10\nHISTERESE=$ 10\nSOCORRO=0x1F\n"
                          "[A]\nMODELO=1X1\n1=a\nCOR 1=$0xFF\nDIMTEXTO 1=0x 30\n");
        QCOMPARE(projeto.tempoVarredura, 2000);
        QCOMPARE(projeto.tempoHisterese, 1000);
        QCOMPARE(projeto.tempoSocorro, 31);
        QCOMPARE(projeto.pranchas.at(0).itens.at(0).cor, semCor); // unreadable: repaired
        QCOMPARE(projeto.pranchas.at(0).itens.at(0).dimTexto, 36);
    }

    // Values lose blanks and control characters at their ends, never a no-break space: it
    // is a character the user typed.
    void espacoRigidoFicaNoValor() {
        const QString rigido(QChar(0xA0));
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        escreve(dir.filePath("pranchas.pra"), "[CONFIG]\r\nAUTOR=\xA0"
                                              "Ana\xA0 \r\nVARREDURA=\xA0"
                                              "10\r\n[A]\r\nMODELO=1X2\r\n"
                                              "1=\t\x01 \xA0mesa\xA0\x02\r\nDIMTEXTO 1=\xA0"
                                              "20\r\n2= \"\xA0\" \r\n");
        carregaPranchas(dir.path());
        QCOMPARE(projeto.autor, rigido + "Ana" + rigido);
        QCOMPARE(projeto.tempoVarredura, 2000);
        const TPrancha& a = projeto.pranchas.at(0);
        QCOMPARE(a.itens.at(0).rotulo, rigido + "mesa" + rigido);
        QCOMPARE(a.itens.at(0).dimTexto, 36);
        QCOMPARE(a.itens.at(1).rotulo, rigido);
        qint32 v = 0;
        QVERIFY(!leInteiro(rigido + "12", v) && !leInteiro("12" + rigido, v));
        QVERIFY(leInteiro("\x01 12\t", v) && v == 12);
        QCOMPARE(dimensaoTexto(rigido + "grande"), 36);
        QCOMPARE(dimensaoTexto("\tgrande\x01"), 72);
    }

    // The codec alone: bytes in, a project out, and nothing else touched.
    void codecEmMemoria() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        const QByteArray ouro = le(copiaDadosDeTeste(dir, "ouro") + "/pranchas.pra");
        projeto.autor = "global intocado";
        const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
        const PranchasLidas lidas = lePranchas(ouro, agora);
        QCOMPARE(projeto.autor, QString("global intocado"));
        QVERIFY(avisos.erros.isEmpty() && avisos.rapidas.isEmpty());
        QVERIFY(lidas.comConfig && !lidas.semSecoes && lidas.consertadas.isEmpty());
        QCOMPARE(lidas.projeto.data, QString("08/12/2026 10:00:00")); // the file's own date
        const PranchasEscritas escritas = textoPranchas(lidas.projeto);
        QCOMPARE(escritas.bytes, ouro);
        QCOMPARE(escritas.trocados, 0);
        QVERIFY(lePranchas(escritas.bytes, agora).projeto == lidas.projeto);

        // No [CONFIG]: the settings are the record's defaults; the date is `agora`'s.
        const PranchasLidas semConfig = lePranchas("[A]\r\nMODELO=1X1\r\n1=um\r\n", agora);
        QVERIFY(!semConfig.comConfig);
        QCOMPARE(semConfig.projeto.data, QString("08/12/2026 17:01:47"));
        QCOMPARE(semConfig.projeto.tempoVarredura, 0);
        QCOMPARE(semConfig.projeto.info, QString("Zelvana " ZELVANA_VERSAO));
        QCOMPARE(semConfig.projeto.pranchas.at(0).itens.at(0).rotulo, QString("um"));

        QVERIFY(lePranchas("sem secao nenhuma", agora).semSecoes);
        QVERIFY(!lePranchas(" \r\n\t", agora).semSecoes);
        QCOMPARE(lePranchas("[A]\nMODELO=x\n[B]\nMODELO=1X1\nCOR=?\n[C]\nMODELO=1X1\n", agora)
                     .consertadas,
                 (QStringList{"A", "B"}));

        // An item whose label was cleared comes back hidden with all it held; only a cell with
        // nothing at all is an empty cell.
        TProjeto v = semConfig.projeto;
        TItem figura;
        figura.figura = "banana.jpg";
        figura.link = "FRUTAS";
        figura.som = "fruta.wav";
        TItem fala = figura;
        fala.rotulo = "  ";
        fala.fala = "quero";
        TItem cor;
        cor.cor = 255;
        v.pranchas[0].itens = {figura, fala, cor, TItem{}};
        v.pranchas[0].nColunas = 4;
        const TItemArray voltaram =
            lePranchas(textoPranchas(v).bytes, agora).projeto.pranchas[0].itens;
        QCOMPARE(voltaram.size(), 4);
        QCOMPARE(voltaram[0].rotulo, QString("banana"));
        QCOMPARE(voltaram[1].rotulo, QString("quero"));
        QCOMPARE(voltaram[2].rotulo, QString("sem rótulo"));
        for (int k = 0; k < 3; ++k)
            QVERIFY(voltaram[k].semRotulo);
        QCOMPARE(voltaram[1].figura + voltaram[1].link + voltaram[1].som,
                 QString("banana.jpgFRUTASfruta.wav"));
        QCOMPARE(voltaram[2].cor, 255);
        QVERIFY(voltaram[3] == TItem{});

        TProjeto p = semConfig.projeto;
        p.pranchas[0].itens[0].rotulo = QString::fromUtf8("a😀b\x01");
        p.autor = "\t";
        QCOMPARE(textoPranchas(p).trocados, 4); // the emoji, \x01, and the tab in two lines
    }

    // A large project repeats its pictures and words: the reader keeps one copy of each text.
    // Boards whose texts never repeat make it stop looking; every value reads back as written
    // before, while and after.
    void textosRepetidosSaoUmaCopia() {
        TProjeto p;
        p.nome = "Pranchas";
        p.pranchas.resize(3);
        for (int b = 0; b < 3; ++b) {
            TPrancha& pr = p.pranchas[b];
            pr.nome = QString("P%1").arg(b);
            pr.titulo = "t";
            pr.nLinhas = 50;
            pr.nColunas = 100;
            pr.itens.resize(5000);
            for (int k = 0; k < 5000; ++k) {
                TItem& it = pr.itens[k];
                const bool unico = b == 1;
                it.rotulo = unico ? QString("rótulo %1").arg(k) : QString("sim %1").arg(k % 7);
                it.figura = unico ? QString("f%1.jpg").arg(k) : QString("casa.jpg");
                it.fala = k % 2 ? it.rotulo + " agora" : QString();
            }
        }
        const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
        const TProjeto lido = lePranchas(textoPranchas(p).bytes, agora).projeto;
        QVERIFY(lido.pranchas == p.pranchas);
        const TItemArray& primeira = lido.pranchas[0].itens;
        QVERIFY(primeira[0].figura.isSharedWith(primeira[4999].figura));
        QVERIFY(primeira[3].rotulo.isSharedWith(primeira[10].rotulo));
        QVERIFY(!lido.pranchas[2].itens[0].figura.isSharedWith(primeira[0].figura));
    }

    // A board's texts are read into one block of memory its fields share. Each field is still
    // an ordinary string: changed, copied or left alone it holds its own text, ends where its
    // size says, and a change to one never shows in another.
    void textosDeUmaPranchaSaoIndependentes() {
        const QDateTime agora(QDate(2026, 12, 8), QTime(17, 1, 47));
        const QByteArray arquivo = "[CONFIG]\r\nAUTOR=Ana\r\nPRANCHA_INICIAL= A \r\n"
                                   "[A]\r\nMODELO=1X3\r\nTITULO=Casa [nova]\r\n"
                                   "1=um\r\nFIGURA 1=um.jpg\r\nFALA 1=\"\"\r\n"
                                   "2= dois\t\r\nLINK 2=B\r\nx[B]=não é seção\r\n"
                                   "3=tr\x80s \x85\r\nSOM 3=s.wav\r\n"
                                   " \t[B]\r\nMODELO=1X1\r\n1=um\r\nFIGURA 1=b.jpg";
        const TProjeto lido = lePranchas(arquivo, agora).projeto;
        QCOMPARE(lido.autor, QString("Ana"));
        QCOMPARE(lido.pranchaInicial, QString("A"));
        QCOMPARE(lido.nPranchas(), 2);
        const TPrancha& a = lido.pranchas.at(0);
        QCOMPARE(a.titulo, QString("Casa [nova]"));
        QCOMPARE(a.itens.at(0).rotulo, QString("um"));
        QCOMPARE(a.itens.at(1).rotulo, QString("dois"));
        QCOMPARE(a.itens.at(2).rotulo, QString("tr€s …"));
        QCOMPARE(a.itens.at(2).som, QString("s.wav"));
        QCOMPARE(lido.pranchas.at(1).itens.at(0).figura, QString("b.jpg"));
        // what is blank or absent reads as no text at all, as a record left alone holds
        QVERIFY(a.itens.at(0).fala.isNull() && a.itens.at(2).link.isNull() && a.som.isNull());
        // the fields do share their board's block: what follows tests that sharing
        QVERIFY(a.titulo.isSharedWith(a.itens.at(2).som));
        for (const TItem& it : a.itens)
            for (const QString* t : {&it.rotulo, &it.figura, &it.link, &it.som})
                if (!t->isNull()) QCOMPARE(QStringView(t->utf16()).size(), t->size());
        QSet<QString> conjunto{a.itens.at(0).rotulo, a.itens.at(1).rotulo};
        QVERIFY(conjunto.contains(QString("um")) && conjunto.contains(QString("dois")));

        // An edit in the history's copy: changes in place, appends, replacements, assignments.
        TProjeto editado = lido;
        TPrancha& e = editado.pranchas[0];
        e.itens[0].rotulo.append(" mais um");
        e.itens[1].rotulo.replace(QString("dois"), QString("duas vezes dois"));
        e.itens[1].link = "C";
        e.itens[2].rotulo[0] = u'T';
        e.titulo.chop(7);
        const TPrancha copia = e;
        e.itens[2].som.prepend(u'x');
        QCOMPARE(e.itens.at(0).rotulo, QString("um mais um"));
        QCOMPARE(e.itens.at(0).figura, QString("um.jpg"));
        QCOMPARE(e.itens.at(1).rotulo, QString("duas vezes dois"));
        QCOMPARE(e.itens.at(2).rotulo, QString("Tr€s …"));
        QCOMPARE(e.titulo, QString("Casa"));
        QCOMPARE(e.itens.at(2).som, QString("xs.wav"));
        QCOMPARE(copia.itens.at(2).som, QString("s.wav"));
        QVERIFY(lePranchas(arquivo, agora).projeto == lido); // the read project is untouched
        QCOMPARE(a.itens.at(0).figura, QString("um.jpg"));
        QCOMPARE(a.titulo, QString("Casa [nova]"));
        const TProjeto relido = lePranchas(textoPranchas(editado).bytes, agora).projeto;
        QVERIFY(relido.pranchas == editado.pranchas);

        // The last string left holding a block grows into the room its neighbours used.
        QString ultimo = lePranchas(arquivo, agora).projeto.pranchas.at(0).itens.at(1).rotulo;
        ultimo.append(u"zz");
        ultimo.insert(0, u'<');
        QCOMPARE(ultimo, QString("<doiszz"));
        QCOMPARE(QStringView(ultimo.utf16()).size(), ultimo.size());
        ultimo.append(QString(40, u'z'));
        QCOMPARE(ultimo, "<doiszz" + QString(40, u'z'));
        ultimo.resize(3);
        ultimo.squeeze();
        QCOMPARE(ultimo, QString("<do"));
    }

    // The fast encoder writes what Qt's encoder writes, one character at a time, and "?" for
    // a control character or one the code page lacks, at every position of a long text.
    void codificacaoCp1252() {
        const QString amostra = QString::fromUtf8("abcd\x7f"
                                                  "efgh\x1f ijklmno\tpqr€stu“v”wxyz"
                                                  "áé😀~ !0129AZaz{}\u00a0\u0081\u2028");
        auto umAUm = [](const QString& t) {
            QByteArray r;
            for (qsizetype i = 0; i < t.size(); ++i) {
                const QChar c = t.at(i);
                QStringEncoder qt("windows-1252");
                const QByteArray b = qt.encode(QStringView(&c, 1));
                if (c.isHighSurrogate()) ++i; // an emoji is one "?"
                r += (qt.hasError() || b.size() != 1 || uchar(b[0]) < 0x20 || b[0] == 0x7F)
                         ? QByteArray("?")
                         : b;
            }
            return r;
        };
        for (int inicio = 0; inicio < 8; ++inicio) {
            const QString t = (amostra + amostra).mid(inicio);
            int trocados = 0;
            QCOMPARE(paraCp1252(t, &trocados), umAUm(t));
            QCOMPARE(trocados, umAUm(t).count('?'));
        }
    }

    // The fast decoder gives what Qt's Windows-1252 decoder gives, at every position.
    void decodificacaoCp1252() {
        QByteArray todos;
        for (int i = 0; i < 3; ++i)
            for (int b = 0; b < 256; ++b)
                todos.append(char((b * 7 + i) % 256));
        QStringDecoder qt("windows-1252");
        for (int inicio = 0; inicio < 9; ++inicio) {
            const QByteArray parte = todos.mid(inicio);
            QCOMPARE(deCp1252(parte), QString(qt.decode(parte)));
        }
    }

    // The writer always puts [CONFIG] first: a board of that name, in any letter case, must
    // still find its own section when the file is read back.
    void pranchaChamadaConfigVoltaInteira() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        carregaTexto(dir, "[A]\nMODELO=1X1\n1=a\n[Config]\nMODELO=1X2\n2=dois\n");
        QCOMPARE(projeto.pranchas.at(1).itens.at(1).rotulo, QString("dois"));
        projeto.tempoVarredura = 1234;
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        projeto.tempoVarredura = 0;
        carregaPranchas(dir.path());
        QVERIFY2(avisos.erros.isEmpty(), qPrintable(avisos.erros.join('\n')));
        QCOMPARE(projeto.nPranchas(), 2);
        const TPrancha& config = projeto.pranchas.at(1);
        QCOMPARE(config.nome, QString("Config"));
        QCOMPARE(config.nColunas, 2);
        QCOMPARE(config.itens.at(1).rotulo, QString("dois"));
        QCOMPARE(projeto.tempoVarredura, 1234); // [CONFIG]'s keys are still the settings
    }

    // The reader takes one pair of quotes off a value: quotes the user typed around a text
    // go out in one more pair, and come back as typed.
    void aspasDoUsuarioVoltam() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        projeto.autor = "\"Ana\"";
        projeto.pranchaInicial = "'CASA'";
        TPrancha& p = umaPrancha("\"CASA\"", 1, 3);
        p.itens[0].rotulo = "\"Oi\"";
        p.itens[0].fala = "\"Bom dia\", disse ela.";
        p.itens[1].rotulo = "\"";
        p.itens[2].rotulo = "'x\"";
        p.titulo = " \"no meio\" ";
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QByteArray b = le(dir.filePath("pranchas.pra"));
        QVERIFY(b.contains("\r\n1=\"\"Oi\"\"\r\n"));
        QVERIFY(b.contains("\r\n2=\"\r\n"));       // nothing to lose: written as it is
        QVERIFY(b.contains("\r\n[\"CASA\"]\r\n")); // section names keep their quotes
        carregaPranchas(dir.path());
        QCOMPARE(projeto.autor, QString("\"Ana\""));
        QCOMPARE(projeto.pranchaInicial, QString("'CASA'"));
        const TPrancha& lida = projeto.pranchas.at(0);
        QCOMPARE(lida.nome, QString("\"CASA\""));
        QCOMPARE(lida.titulo, QString("\"no meio\"")); // blanks at the ends never survive
        QCOMPARE(lida.itens.at(0).rotulo, QString("\"Oi\""));
        QCOMPARE(lida.itens.at(0).fala, QString("\"Bom dia\", disse ela."));
        QCOMPARE(lida.itens.at(1).rotulo, QString("\""));
        QCOMPARE(lida.itens.at(2).rotulo, QString("'x\""));
    }

    // A board without MODELO whose items run past the widest grid the reader takes gets a
    // shape the reader takes back: after a save it loads as it was, with nothing to repair.
    void modeloConsertadoVoltaIgual() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        avisos.ok();
        carregaTexto(dir, "[A]\n1500=x\n2=dois\n");
        QCOMPARE(avisos.erros.size(), 1); // repaired once, and told
        const TPrancha a = projeto.pranchas.at(0);
        QVERIFY(a.nColunas <= 1000);
        QVERIFY(a.nItens() >= 1500);
        QCOMPARE(a.itens.at(1499).rotulo, QString("x"));
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        carregaPranchas(dir.path());
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(projeto.pranchas.at(0) == a);
    }

    void pranchasDanificadasSaoConsertadas() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        avisos.ok();
        carregaTexto(dir, "[A]\nTITULO=sem modelo\n1=um\n5=cinco\n"
                          "[B]\nMODELO=1X2\nCOR=azul\nCOR 2=verde\n2=dois\n"
                          "[C]\nMODELO=2X2\nPOSTEXTO 1=lado\nDIMMOLDURA 1=enorme\n");
        QCOMPARE(projeto.nPranchas(), 3);
        const TPrancha& a = projeto.pranchas.at(0);
        QCOMPARE(a.nLinhas, 1);
        QCOMPARE(a.nColunas, 5);
        QCOMPARE(a.itens.at(4).rotulo, QString("cinco"));
        QCOMPARE(projeto.pranchas.at(1).cor, semCor);
        QCOMPARE(projeto.pranchas.at(1).itens.at(1).rotulo, QString("dois"));
        QCOMPARE(projeto.pranchas.at(2).itens.at(0).posTexto, TPosVertical::baixo);
        QCOMPARE(projeto.pranchas.at(2).itens.at(0).dimMoldura, TDimMoldura::sem);
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros.first().endsWith(": A, B"));
    }

    void arquivoAusente() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        projeto.pranchas.resize(2);
        projeto.autor = "fica";
        avisos.ok();
        carregaPranchas(dir.path());
        QCOMPARE(avisos.erros, QStringList{"Arquivo de pranchas não foi achado"});
        QCOMPARE(projeto.nPranchas(), 0);
        QVERIFY(projeto.pranchas.isEmpty());
        QCOMPARE(projeto.autor, QString("fica"));
    }

    // Random bytes are no board file: the user is told instead of seeing an empty project.
    void arquivoQueNaoEDePranchas() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        QByteArray lixo;
        for (int i = 0; i < 3000; ++i)
            lixo.append(char((i * 7919 + 13) % 251 + 1));
        lixo.replace('[', '(');
        escreve(dir.filePath("pranchas.pra"), lixo);
        avisos.ok();
        carregaPranchas(dir.path());
        QCOMPARE(projeto.nPranchas(), 0);
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros[0].contains("não é um arquivo de pranchas"));
        // An empty file, or one with only [CONFIG], is a project with no boards: nothing to say.
        escreve(dir.filePath("pranchas.pra"), "");
        carregaPranchas(dir.path());
        escreve(dir.filePath("pranchas.pra"), "[CONFIG]\r\nAUTOR=x\r\n");
        carregaPranchas(dir.path());
        QCOMPARE(avisos.erros.size(), 1);
    }

    // The one way files are written keeps what the old file allowed, makes a new one readable
    // by all, and leaves nothing behind when the destination cannot be replaced.
    void gravacaoSegura() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.txt");
        QVERIFY(gravaArquivoSeguro(a, "um"));
        QCOMPARE(int(QFileInfo(a).permissions() & 0x0FFF), 0x644); // rw-r--r--
        QVERIFY(QFile::setPermissions(a, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                             QFile::WriteUser | QFile::ReadGroup));
        QVERIFY(gravaArquivoSeguro(a, "dois"));
        QCOMPARE(le(a), QByteArray("dois"));
        QVERIFY(!(QFileInfo(a).permissions() & QFile::ReadOther));
        QVERIFY(gravaArquivoSeguro(a, {})); // an empty file is a file too
        QCOMPARE(QFileInfo(a).size(), 0);
        const QByteArray grande = QByteArray(3 << 20, 'z') + "fim"; // read back in blocks
        QVERIFY(gravaArquivoSeguro(a, grande));
        QCOMPARE(le(a), grande);
        {
            ArquivoSeguro s(a);
            QVERIFY(s.abre());
            s.dispositivo()->write("nunca confirmado");
        } // dropped: the old file stays and no hidden file is left
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
        QVERIFY(QDir(dir.path()).mkdir("pasta"));
        QVERIFY(!gravaArquivoSeguro(dir.filePath("pasta"), "x"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
    }

    // Many files with one flush: each lands whole or not at all, as one by one.
    void gravacaoSeguraEmLote() {
        QTemporaryDir dir;
        const QString velho = dir.filePath("velho.txt");
        QVERIFY(gravaArquivoSeguro(velho, "antes"));
        QVERIFY(QFile::setPermissions(velho, QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ReadUser | QFile::WriteUser));
        QVERIFY(QDir(dir.path()).mkdir("pasta"));
        const QStringList falhas = gravaArquivosSeguros({{dir.filePath("a.jpg"), "um"},
                                                         {dir.filePath("pasta"), "no lugar"},
                                                         {velho, "depois"},
                                                         {dir.filePath("b.jpg"), {}},
                                                         {dir.filePath("sumida/c.jpg"), "x"}});
        QCOMPARE(falhas, (QStringList{dir.filePath("sumida/c.jpg"), dir.filePath("pasta")}));
        QCOMPARE(le(dir.filePath("a.jpg")), QByteArray("um"));
        QCOMPARE(le(velho), QByteArray("depois"));
        QCOMPARE(QFileInfo(dir.filePath("b.jpg")).size(), 0);
        QCOMPARE(int(QFileInfo(dir.filePath("a.jpg")).permissions() & 0x0FFF), 0x644);
        QVERIFY(!(QFileInfo(velho).permissions() & QFile::ReadOther));
        QVERIFY(QFileInfo(dir.filePath("pasta")).isDir());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"a.jpg", "b.jpg", "velho.txt"}));
        QVERIFY(gravaArquivosSeguros({}).isEmpty());
    }

    void backupGuardaOPrimeiroArquivo() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        pastaProjeto = copiaDadosDeTeste(dir, "ouro");
        const QByteArray original = le(pastaProjeto + "/pranchas.pra");
        carregaPranchas(pastaProjeto);
        projeto.pranchas[0].titulo = "primeira";
        QVERIFY(salvarProjeto());
        QCOMPARE(le(pastaProjeto + "/pranchas.bak"), original);
        projeto.pranchas[0].titulo = "segunda";
        QVERIFY(salvarProjeto());
        QCOMPARE(le(pastaProjeto + "/pranchas.bak"), original);
        carregaPranchas(pastaProjeto);
        QCOMPARE(projeto.pranchas.at(0).titulo, QString("segunda"));
        QCOMPARE(avisos.rapidas.size(), 2);
    }

    void gravacaoQueFalhaNaoEstragaNada() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        pastaProjeto = dir.path();
        // as root nothing is read-only: a folder where the file must go makes the swap fail
        QVERIFY(QDir(dir.path()).mkpath("pranchas.pra/dentro"));
        escreve(dir.filePath("pranchas.pra/dentro/x"), "guardado");
        projeto.nome = "Pranchas";
        avisos.ok();
        QVERIFY(!salvarProjeto());
        QCOMPARE(avisos.erros, QStringList{"Arquivo de pranchas não pode ser gravado"});
        QVERIFY(avisos.rapidas.isEmpty());
        QCOMPARE(le(dir.filePath("pranchas.pra/dentro/x")), QByteArray("guardado"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"pranchas.pra"}); // no temporary left behind

        // writing into a missing folder fails before anything is touched
        avisos.ok();
        QVERIFY(!gravaPranchas(dir.filePath("nao/existe"), "pranchas.pra"));
        QCOMPARE(avisos.erros.size(), 2);
    }

    void caracteresForaDoCodigo() {
        RespostasDeDialogo avisos;
        QTemporaryDir dir;
        TPrancha& p = umaPrancha("Emoção", 1, 2);
        p.itens[0].rotulo = QString::fromUtf8("feliz 😀 ç€");
        p.itens[1].rotulo = "linha\nquebrada\ttab";
        avisos.ok();
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QByteArray b = le(dir.filePath("pranchas.pra"));
        for (char c : b)
            QVERIFY(uchar(c) >= 0x20 || c == '\r' || c == '\n');
        QVERIFY(b.contains("\r\n1=feliz ? \xE7\x80\r\n"));
        QVERIFY(b.contains("\r\n2=linha?quebrada?tab\r\n"));
        QVERIFY(b.contains("[Emo\xE7\xE3o]"));
        QCOMPARE(avisos.erros.size(), 1);
        QVERIFY(avisos.erros.first().contains("\"?\""));
        carregaPranchas(dir.path());
        QCOMPARE(projeto.pranchas.at(0).itens.at(0).rotulo, QString("feliz ? ç€"));
    }

    void listaArquivosDoProjeto() {
        QTemporaryDir dir;
        pastaProjeto = dir.path();
        for (const char* n : {"a.wav", "b.WAV", "c.mp3", "wav", "dwav"})
            escreve(dir.filePath(n), "x");
        QVERIFY(QDir(dir.path()).mkdir("pasta.wav"));
        QStringList lista{"antes"};
        listaArquivos(lista, "wav");
        QCOMPARE(lista.first(), QString("antes"));
        lista.removeFirst();
        lista.sort();
        QCOMPARE(lista, (QStringList{"a.wav", "b.WAV"}));
    }
};

QTEST_GUILESS_MAIN(TstBoardFile)
#include "tst_boardfile.moc"
