// The scratchpad's transcription as a plain function: boards and items from the lines, the
// picture lookup, the grid rule, links, the start and help board, and boards named twice.
#include "logica/editor/biblioteca_figuras.h"
#include "logica/rascunho/transcricao.h"
#include "nucleo/nomes.h"
#include "support/apoio.h"

#include <QtTest>

namespace {

FigurasDaBiblioteca biblioteca(const QStringList& nomes) {
    FigurasDaBiblioteca f;
    f.nomes = nomes;
    for (const QString& n : nomes)
        f.maiusculas << maiusculas(n);
    return f;
}

QStringList linhas(const QString& texto) {
    return texto.split(u'\n');
}

// The transcription that must happen; an empty project when it did not.
Transcricao transcreve(const TProjeto& p, const QString& texto, const ConfigRascunho& c = {},
                       const FigurasDaBiblioteca& f = {}, bool agrega = false) {
    auto t = transcreveRascunho(p, linhas(texto), c, f, agrega);
    if (!t) qWarning("transcrição recusada");
    return t ? *t : Transcricao{};
}

TPrancha prancha(const QString& nome, const QStringList& rotulos, int linhas, int colunas) {
    TPrancha b;
    b.nome = b.titulo = nome;
    b.nLinhas = linhas;
    b.nColunas = colunas;
    for (const QString& r : rotulos) {
        TItem it;
        it.rotulo = r;
        b.itens << it;
    }
    return b;
}

TProjeto projetoCom(const QList<TPrancha>& pranchas) {
    TProjeto p;
    p.pranchas = pranchas;
    return p;
}

QString modelo(const TPrancha& b) {
    return QStringLiteral("%1x%2").arg(b.nLinhas).arg(b.nColunas);
}

// Every board keeps nItens in step with its items.
} // namespace

class TstTranscricao : public QObject {
    Q_OBJECT
private slots:
    void exemploDaCasa() {
        const Transcricao t = transcreve({}, "[casa]\nmesa\ncadeira\n[cozinha]\npanela");
        const TProjeto& p = t.projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"casa", "cozinha"}));
        const TPrancha& casa = p.pranchas[0];
        QCOMPARE(rotulosDosItens(casa), (QStringList{"mesa", "cadeira"}));
        QCOMPARE(modelo(casa), QString("1x2"));
        QCOMPARE(rotulosDosItens(p.pranchas[1]), QStringList{"panela"});
        QCOMPARE(modelo(p.pranchas[1]), QString("1x1"));
        QCOMPARE(p.pranchaInicial, QString("casa"));
        QCOMPARE(p.pranchaSocorro, QString("casa"));

        QCOMPARE(casa.titulo, QString("casa"));
        QCOMPARE(casa.fala, QString("casa"));
        QCOMPARE(casa.cor, semCor);
        QVERIFY(casa.som.isEmpty());
        QVERIFY(casa.link.isEmpty());
        const TItem& mesa = casa.itens[0];
        QCOMPARE(mesa.fala, QString("mesa"));
        QVERIFY(mesa.som.isEmpty() && mesa.link.isEmpty() && mesa.executar.isEmpty());
        QVERIFY(mesa.figura.isEmpty());
        QVERIFY(mesa.semFigura);
        QVERIFY(!mesa.semRotulo && !mesa.deslocHoriz);
        QCOMPARE(mesa.cor, semCor);
        QCOMPARE(mesa.posTexto, TPosVertical::cima);
        QCOMPARE(mesa.dimTexto, 36);
        QCOMPARE(mesa.dimMoldura, TDimMoldura::fina);
        QVERIFY(t.figuras.isEmpty());
    }

    // The settings each reach the field they name.
    void configuracoes() {
        ConfigRascunho c;
        c.corPranchaDefault = 0x00FF00;
        c.corItemDefault = 0x0000FF;
        c.geraSomPranchaAuto = true;
        c.geraSomItemAuto = true;
        c.geraFalaPranchaAuto = false;
        c.geraFalaItemAuto = false;
        c.posTextoDefault = TPosVertical::meio;
        c.dimTextoDefault = 72;
        c.dimMolduraDefault = TDimMoldura::grossa;
        const TProjeto p = transcreve({}, "[casa]\nmesa", c).projeto;
        const TPrancha& casa = p.pranchas[0];
        QCOMPARE(casa.cor, TColor(0x00FF00));
        // Names only: the sounds are recorded later.
        QCOMPARE(casa.som, QString("casa.wav"));
        QVERIFY(casa.fala.isEmpty());
        const TItem& mesa = casa.itens[0];
        QCOMPARE(mesa.cor, TColor(0x0000FF));
        QCOMPARE(mesa.som, QString("mesa.wav"));
        QVERIFY(mesa.fala.isEmpty());
        QCOMPARE(mesa.posTexto, TPosVertical::meio);
        QCOMPARE(mesa.dimTexto, 72);
        QCOMPARE(mesa.dimMoldura, TDimMoldura::grossa);
    }

    void ligacoesEVoltar() {
        const QString texto = "[casa]\ncozinha\nvoltar\n[cozinha]\n VOLTAR \nCasa";
        TProjeto p = transcreve({}, texto).projeto;
        QCOMPARE(p.pranchas[0].itens[0].link, QString("cozinha"));
        QCOMPARE(p.pranchas[0].itens[1].link, QString("#ANTERIOR"));
        QCOMPARE(p.pranchas[1].itens[0].link, QString("#ANTERIOR"));
        // The board's name as the board spells it.
        QCOMPARE(p.pranchas[1].itens[1].link, QString("casa"));

        ConfigRascunho semLigacoes;
        semLigacoes.geraLinkItemAuto = false;
        p = transcreve({}, texto, semLigacoes).projeto;
        QVERIFY(p.pranchas[0].itens[0].link.isEmpty());
        QVERIFY(p.pranchas[1].itens[1].link.isEmpty());
        QCOMPARE(p.pranchas[0].itens[1].link, QString("#ANTERIOR"));

        // Old boards' items are linked too; a link already there stays.
        TProjeto velho = projetoCom({prancha("início", {"quarto", "sala", ""}, 1, 3)});
        velho.pranchas[0].itens[1].link = "outra";
        p = transcreve(velho, "[Quarto]\ncama\n[sala]").projeto;
        QCOMPARE(p.pranchas[0].itens[0].link, QString("Quarto"));
        QCOMPARE(p.pranchas[0].itens[1].link, QString("outra"));
        QVERIFY(p.pranchas[0].itens[2].link.isEmpty());
        // A board named voltar takes the item before the way back does.
        p = transcreve({}, "[voltar]\nvoltar").projeto;
        QCOMPARE(p.pranchas[0].itens[0].link, QString("voltar"));
    }

    void semNome() {
        const TProjeto p = transcreve({}, "mesa\ncadeira\n[quarto]\ncama").projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"Sem Nome", "quarto"}));
        QCOMPARE(rotulosDosItens(p.pranchas[0]), (QStringList{"mesa", "cadeira"}));
        QCOMPARE(p.pranchas[0].fala, QString("Sem Nome"));
        QCOMPARE(modelo(p.pranchas[0]), QString("1x2"));
        QCOMPARE(p.pranchaInicial, QString("Sem Nome"));
    }

    void inicialESocorroSoQuandoVazios() {
        TProjeto velho = projetoCom({prancha("a", {"x"}, 1, 1)});
        velho.pranchaInicial = "a";
        TProjeto p = transcreve(velho, "[b]\ny").projeto;
        QCOMPARE(p.pranchaInicial, QString("a"));
        QCOMPARE(p.pranchaSocorro, QString("b"));
        // Items only, no new board: both stay as they were.
        velho.pranchaInicial.clear();
        p = transcreve(velho, "y").projeto;
        QVERIFY(p.pranchaInicial.isEmpty() && p.pranchaSocorro.isEmpty());
    }

    void mesmoTextoDuasVezes() {
        const QString texto = "[casa]\nmesa\ncadeira\n[cozinha]\npanela";
        const TProjeto primeiro = transcreve({}, texto).projeto;
        QVERIFY(haPranchaDuplicada(primeiro, linhas(texto)));
        // Cancel: nothing at all.
        QVERIFY(!transcreveRascunho(primeiro, linhas(texto), {}, {}, false));
        // OK: each board once, no item twice.
        const TProjeto p = transcreve(primeiro, texto, {}, {}, true).projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"casa", "cozinha"}));
        QCOMPARE(rotulosDosItens(p.pranchas[0]), (QStringList{"mesa", "cadeira"}));
        QCOMPARE(rotulosDosItens(p.pranchas[1]), QStringList{"panela"});
        // New items join the old board, in any case of its name, and its grid grows.
        const TProjeto q = transcreve(p, "[CASA]\nMESA\nsofá\ntapete", {}, {}, true).projeto;
        QCOMPARE(nomesDasPranchas(q), (QStringList{"casa", "cozinha"}));
        QCOMPARE(rotulosDosItens(q.pranchas[0]),
                 (QStringList{"mesa", "cadeira", "sofá", "tapete"}));
        QCOMPARE(modelo(q.pranchas[0]), QString("2x2"));
    }

    void duasDuplicatasSeguidas() {
        const TProjeto velho = projetoCom({prancha("a", {"x"}, 1, 1), prancha("b", {"y"}, 1, 1)});
        const TProjeto p = transcreve(velho, "[a]\nx2\n[b]\ny2\n[c]\nz", {}, {}, true).projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"a", "b", "c"}));
        QCOMPARE(rotulosDosItens(p.pranchas[0]), (QStringList{"x", "x2"}));
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"y", "y2"}));
        QCOMPARE(modelo(p.pranchas[1]), QString("1x2"));
    }

    // Two boards of one name would both read the first one's section from the board file, and
    // the second one's items would be lost at the next load: a name repeated in the text makes
    // one board, even with no old board of that name.
    void nomeRepetidoNoProprioTexto() {
        const QString texto = "[casa]\nmesa\n[quarto]\ncama\n[Casa]\ncadeira\nmesa";
        QVERIFY(!haPranchaDuplicada({}, linhas(texto)));
        const TProjeto p = transcreve({}, texto).projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"casa", "quarto"}));
        QCOMPARE(rotulosDosItens(p.pranchas[0]), (QStringList{"mesa", "cadeira"}));
        QCOMPARE(modelo(p.pranchas[0]), QString("1x2"));
    }

    void figuraDoRotulo() {
        const FigurasDaBiblioteca f =
            biblioteca({"casarão", "casas", "casa", "mesas", "mesa2", "mesada", "avó", "Gato"});
        // The same name wins wherever it stands; casarão is two letters too long.
        QCOMPARE(achaFiguraParaRotulo("casa", f), QString("casa.jpg"));
        QCOMPARE(achaFiguraParaRotulo("casa", biblioteca({"casa", "casas"})), QString("casa.jpg"));
        // Otherwise the last name one letter longer, in list order.
        QCOMPARE(achaFiguraParaRotulo("mesa", f), QString("mesa2.jpg"));
        QCOMPARE(achaFiguraParaRotulo("cas", f), QString("casa.jpg"));
        // Any case; accents count; the file keeps the library's spelling.
        QCOMPARE(achaFiguraParaRotulo("AVÓ", f), QString("avó.jpg"));
        QCOMPARE(achaFiguraParaRotulo("gato", f), QString("Gato.jpg"));
        QVERIFY(achaFiguraParaRotulo("avo", f).isEmpty());
        QVERIFY(achaFiguraParaRotulo("cadeira", f).isEmpty());
        QVERIFY(achaFiguraParaRotulo("casa", {}).isEmpty());
    }

    void figurasDosItens() {
        const FigurasDaBiblioteca f = biblioteca({"mesa", "cadeira", "casa"});
        const Transcricao t = transcreve({}, "[casa]\nmesa\ncasa\ntapete\nMesa", {}, f);
        const TItemArray& itens = t.projeto.pranchas[0].itens;
        QCOMPARE(itens[0].figura, QString("mesa.jpg"));
        QVERIFY(!itens[0].semFigura);
        QVERIFY(itens[2].figura.isEmpty());
        QVERIFY(itens[2].semFigura);
        // Each picture to copy once, in the order first named.
        QCOMPARE(t.figuras, (QStringList{"mesa.jpg", "casa.jpg"}));

        ConfigRascunho semFigura;
        semFigura.incluiFiguraItemAuto = false;
        const Transcricao s = transcreve({}, "[casa]\nmesa", semFigura, f);
        QVERIFY(s.projeto.pranchas[0].itens[0].figura.isEmpty());
        QVERIFY(s.projeto.pranchas[0].itens[0].semFigura);
        QVERIFY(s.figuras.isEmpty());
    }

    void modeloDaPrancha_data() {
        QTest::addColumn<int>("itens");
        QTest::addColumn<QString>("esperado");
        const QStringList tabela{"0x0", "1x1", "1x2", "1x3", "2x2", "2x3", "2x3", "2x4", "3x3",
                                 "3x3", "3x4", "3x4", "3x4", "4x4", "4x4", "4x4", "4x4"};
        for (int n = 0; n <= 16; ++n)
            QTest::addRow("%d", n) << n << tabela[n];
        QTest::newRow("17") << 17 << "4x5";
        QTest::newRow("20") << 20 << "4x5";
        QTest::newRow("21") << 21 << "5x5";
        QTest::newRow("24") << 24 << "5x5";
        QTest::newRow("25") << 25 << "5x5";
        QTest::newRow("26") << 26 << "5x6";
        QTest::newRow("30") << 30 << "5x6";
        QTest::newRow("31") << 31 << "6x6";
        QTest::newRow("36") << 36 << "6x6";
        QTest::newRow("43") << 43 << "7x7";
    }
    void modeloDaPrancha() {
        QFETCH(int, itens);
        QFETCH(QString, esperado);
        TPrancha b = prancha("p", QStringList(itens, "x"), 0, 0);
        ajustaModelo(b);
        QCOMPARE(modelo(b), esperado);
    }

    void modeloGuardaTodosOsItens() {
        for (int n = 1; n <= 400; ++n) {
            TPrancha b = prancha("p", QStringList(n, "x"), 0, 0);
            ajustaModelo(b);
            QVERIFY2(b.nLinhas * b.nColunas >= n, qPrintable(QString::number(n)));
        }
        // A grid that holds the items stays as it is.
        TPrancha b = prancha("p", QStringList(5, "x"), 3, 3);
        ajustaModelo(b);
        QCOMPARE(modelo(b), QString("3x3"));
    }

    void linhasEmBranco() {
        const TProjeto p =
            transcreve({}, "\n   \n\t\r\n[ casa ]\r\n  \n  mesa \t\n\n\x01\n").projeto;
        QCOMPARE(nomesDasPranchas(p), QStringList{"casa"});
        QCOMPARE(rotulosDosItens(p.pranchas[0]), QStringList{"mesa"});
    }

    void nomesNasLinhasDePrancha() {
        const TProjeto p = transcreve({}, "[casa\n[casa]]\n[[casa]").projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"casa", "casa]", "[casa"}));
        // The file could not hold the last two: the scratchpad refuses them before transcribing.
        QVERIFY(problemaNasLinhasDePrancha(linhas("[casa\nmesa\n[ sala ]")).isEmpty());
        QCOMPARE(problemaNasLinhasDePrancha(linhas("[casa\nmesa [x]\n[Casa [sala]]")),
                 QString("Na linha [Casa [sala]]: O nome da prancha \"Casa [sala]\" não pode ter "
                         "os caracteres \"[\" e \"]\". Troque-os por outros."));
    }

    // "[", "[]", "[ ]" and a tab between brackets name no board: the items after them stay with
    // the board before.
    void linhaDePranchaSemNome() {
        const QString texto = "[casa]\nmesa\n[\ncadeira\n[]\n[ ]\n[\t]\nsofá";
        QVERIFY(!haPranchaDuplicada(projetoCom({prancha("", {}, 0, 0)}), linhas(texto).mid(2)));
        const TProjeto p = transcreve({}, texto).projeto;
        QCOMPARE(nomesDasPranchas(p), QStringList{"casa"});
        QCOMPARE(rotulosDosItens(p.pranchas[0]), (QStringList{"mesa", "cadeira", "sofá"}));
        QCOMPARE(modelo(p.pranchas[0]), QString("1x3"));
        QCOMPARE(p.pranchas[0].itens[2].link, QString());
        // With no board at all, they still go to "Sem Nome".
        const Transcricao semPrancha = transcreve({}, "[ ]\nmesa");
        const TProjeto& q = semPrancha.projeto;
        QCOMPARE(semPrancha.recebeuItensSoltos, QString("Sem Nome"));
        QCOMPARE(nomesDasPranchas(q), QStringList{"Sem Nome"});
        QCOMPARE(rotulosDosItens(q.pranchas[0]), QStringList{"mesa"});
    }

    // Items before the first board line go to the project's last board, after its cells, and
    // its grid grows so that none is lost on save.
    void itensAntesDaPrimeiraPrancha() {
        const TProjeto velho =
            projetoCom({prancha("a", {"x"}, 1, 1), prancha("b", {"1", "2", "3", "4"}, 2, 2)});
        const Transcricao t = transcreve(velho, "5\n6\n[c]\n7");
        QCOMPARE(t.recebeuItensSoltos, QString("b")); // the scratchpad says where they went
        QCOMPARE(transcreve(velho, "[d]\n5").recebeuItensSoltos, QString());
        const TProjeto& p = t.projeto;
        QCOMPARE(nomesDasPranchas(p), (QStringList{"a", "b", "c"}));
        QCOMPARE(rotulosDosItens(p.pranchas[1]), (QStringList{"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(modelo(p.pranchas[1]), QString("2x3"));
        QCOMPARE(modelo(p.pranchas[0]), QString("1x1"));
        QCOMPARE(rotulosDosItens(p.pranchas[2]), QStringList{"7"});
    }
};

QTEST_APPLESS_MAIN(TstTranscricao)
#include "tst_transcricao.moc"
