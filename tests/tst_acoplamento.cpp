// A model merged into a project, and a project folder copied, without any window: the board
// file's lines, the renames and the links that follow them, the files copied and those kept.
#include "model/cp1252.h"
#include "model/nomes.h"
#include "model/pranchas_arquivo.h"
#include "modelo/acopla_modelo.h"
#include "modelo/copia_pasta.h"
#include "support/apoio.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Lines joined with CR LF, the last one too, in Windows-1252.
QByteArray crlf(const QStringList& linhas) {
    QByteArray r;
    for (const QString& l : linhas)
        r += paraCp1252(l) + "\r\n";
    return r;
}

TProjeto projetoCom(const QStringList& nomes) {
    TProjeto p;
    for (const QString& nome : nomes) {
        TPrancha b;
        b.nome = nome;
        p.pranchas << b;
    }
    p.nPranchas = int(p.pranchas.size());
    return p;
}

const QString separador = ";" + QString(39, '-');

// A project folder holding a board file of these boards, one item each linking to the next.
void escrevePranchas(const QString& pasta, const QString& autor, const QStringList& nomes) {
    QStringList l{"[CONFIG]", "AUTOR=" + autor, "PRANCHA_INICIAL=" + nomes.value(0)};
    for (const QString& n : nomes)
        l << ""
          << "[" + n + "]"
          << "MODELO=1X1"
          << "TITULO=" + n << "1=" + n.toLower();
    QVERIFY(escreveArquivo(pasta + "/pranchas.pra", crlf(l)));
}

} // namespace

class TstAcoplamento : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void nomeExisteSemDiferencaDeCaixa() {
        const TProjeto p = projetoCom({"Casa", "Avó", "ESCOLA"});
        QVERIFY(nomeExiste("[CASA]", p));
        QVERIFY(nomeExiste("[AVÓ]", p));
        QVERIFY(nomeExiste("  [escola]  ", p));
        QVERIFY(!nomeExiste("[AVO]", p));
        QVERIFY(!nomeExiste("CASA", p));
        QVERIFY(!nomeExiste("[CAS-A]", p));
        // Only the boards in use count.
        TProjeto menos = p;
        menos.nPranchas = 1;
        QVERIFY(!nomeExiste("[ESCOLA]", menos));
    }

    void linhasDoProjetoSeparadorEModeloSemConfig() {
        const TProjeto p = projetoCom({"INICIO"});
        const QByteArray doProjeto = crlf({"[CONFIG]", "AUTOR=Ana", "", "[INICIO]", "1=oi"});
        // The model's header and [CONFIG] (its author, times and start board) stay out.
        const QByteArray doModelo = crlf({"; cabeçalho do modelo", "[config]", "AUTOR=Outro",
                                          "PRANCHA_INICIAL=PARQUE", "", "[PARQUE]", "1=balanço"});
        const LinhasAcopladas r = acoplaLinhas(doProjeto, doModelo, p);
        QCOMPARE(r.bytes, crlf({"[CONFIG]", "AUTOR=Ana", "", "[INICIO]", "1=oi", "", separador, "",
                                "[PARQUE]", "1=balanço"}));
        QCOMPARE(r.pranchas, 1);
        QVERIFY(r.avisos.isEmpty());
        QVERIFY(r.renomeadas.isEmpty());
        // Lines ended by LF alone are read as lines too; the result always ends in CR LF.
        QCOMPARE(acoplaLinhas("[INICIO]\n1=oi\n", "[PARQUE]\n", p).bytes,
                 crlf({"[INICIO]", "1=oi", "", separador, "", "[PARQUE]"}));
        // A model without boards adds the separator and nothing else.
        QCOMPARE(acoplaLinhas({}, crlf({"[CONFIG]", "AUTOR=x"}), p).bytes,
                 crlf({"", separador, ""}));
    }

    void nomeRepetidoGanhaHifenEOsLinksSeguem() {
        const TProjeto p = projetoCom({"Casa", "CAS-A", "Escola"});
        const QByteArray doModelo = crlf({
            "[CONFIG]",
            "PRANCHA_INICIAL=CASA",
            "[CASA]",
            "MODELO=1X3",
            "LINK=escola+1",
            "1=ir",
            "    LINK 1=casa",
            "2=voltar",
            "    LINK 2=#ANTERIOR",
            "3=fora",
            "    LINK 3=\"CASA-1\"",
            "[PARQUE]",
            "1=x",
            "    LINK 1=CASA",
            "    FALA 1=CASA",
            "2=y",
            "    LINK 2=Parque",
            "[ESCOLA]",
        });
        const LinhasAcopladas r = acoplaLinhas({}, doModelo, p);
        // CASA clashes with Casa, then CAS-A with CAS-A: CAS--A.
        QCOMPARE(r.avisos, (QStringList{"Prancha com nome duplicado: [CASA]",
                                        "Prancha com nome duplicado: [CAS-A]",
                                        "Prancha com nome duplicado: [ESCOLA]"}));
        QCOMPARE(r.renomeadas.size(), 2);
        QCOMPARE(r.renomeadas[0].de, QString("CASA"));
        QCOMPARE(r.renomeadas[0].para, QString("CAS--A"));
        QCOMPARE(r.renomeadas[1].para, QString("ESCOL-A"));
        QCOMPARE(r.pranchas, 3);
        QCOMPARE(r.linksSeguidos, 4);
        // Links to a renamed board follow it, offsets and quotes kept; "#ANTERIOR", other
        // keys and boards that kept their name stay as they were.
        QCOMPARE(r.bytes,
                 crlf({"", separador, "", "[CAS--A]", "MODELO=1X3", "LINK=ESCOL-A+1", "1=ir",
                       "    LINK 1=CAS--A", "2=voltar", "    LINK 2=#ANTERIOR", "3=fora",
                       "    LINK 3=\"CAS--A-1\"", "[PARQUE]", "1=x", "    LINK 1=CAS--A",
                       "    FALA 1=CASA", "2=y", "    LINK 2=Parque", "[ESCOL-A]"}));
    }

    void nomeNovoQueUmLinkLeriaComDeslocamento() {
        // CASA1 -> CASA-1 would be read as CASA minus one: it becomes CASA--1, which a link
        // reaches.
        TProjeto p = projetoCom({"CASA1", "CASA"});
        const LinhasAcopladas r = acoplaLinhas({}, crlf({"[CASA1]", "1=a", "    LINK 1=casa1"}), p);
        QCOMPARE(r.bytes, crlf({"", separador, "", "[CASA--1]", "1=a", "    LINK 1=CASA--1"}));
        QCOMPARE(r.avisos, QStringList{"Prancha com nome duplicado: [CASA1]"});
        TPrancha nova;
        nova.nome = r.renomeadas.value(0).para;
        p.pranchas << nova;
        p.nPranchas = 3;
        QCOMPARE(destinoDoLink(p, "CASA--1", 0), 2);
    }

    void doisNovosDeMesmoNomeEntramAmbos() {
        const TProjeto p = projetoCom({"INICIO"});
        const LinhasAcopladas r =
            acoplaLinhas({}, crlf({"[NOVA]", "1=a", "[NOVA]", "1=b", "[inicio]"}), p);
        QCOMPARE(r.bytes, crlf({"", separador, "", "[NOVA]", "1=a", "[NOVA]", "1=b", "[inici-o]"}));
        QCOMPARE(r.avisos, QStringList{"Prancha com nome duplicado: [inicio]"});
    }

    void secaoComBrancosAntesEhSecao() {
        // Blanks before "[" start the model's boards and are checked for a clash alike.
        const TProjeto p = projetoCom({"CASA"});
        const LinhasAcopladas r = acoplaLinhas(
            {}, crlf({"[CONFIG]", "AUTOR=x", "  [CASA]", "1=a", "   [ CASA ]", "  LINK 1=CASA"}),
            p);
        QCOMPARE(r.bytes,
                 crlf({"", separador, "", "  [CAS-A]", "1=a", "   [ CAS-A ]", "  LINK 1=CAS-A"}));
        QCOMPARE(r.avisos.size(), 2);
        QCOMPARE(r.pranchas, 2);
    }

    void acoplaNaPastaCopiaMidiaGuardaBackupERecarrega() {
        GravaAvisos avisos;
        const QString proj = novaPastaDeProjeto(dir);
        const QString mod = dir.filePath("modelo1");
        QDir().mkpath(mod);
        escrevePranchas(proj, "Ana", {"Casa", "Rua"});
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        escrevePranchas(mod, "Outro", {"CASA", "PARQUE"});
        QVERIFY(escreveArquivo(mod + "/pranchas.bak", "backup do modelo"));
        QVERIFY(escreveArquivo(mod + "/casa.jpg", "figura do modelo"));
        QVERIFY(escreveArquivo(mod + "/rua.jpg", "rua do modelo"));
        QVERIFY(escreveArquivo(proj + "/rua.jpg", "rua do projeto"));
        QVERIFY(escreveArquivo(proj + "/fica.wav", "fica"));
        QDir().mkpath(mod + "/sub");
        QVERIFY(escreveArquivo(mod + "/sub/nao.jpg", "x"));
        carregaPranchas(proj);

        const ResultadoAcoplamento r = acoplaModelo(mod, proj);
        QVERIFY2(r.recusa.isEmpty(), qPrintable(r.recusa));
        QVERIFY(r.gravado);
        QCOMPARE(r.copia.copiados, (QStringList{"casa.jpg", "rua.jpg"}));
        QCOMPARE(leArquivo(proj + "/casa.jpg"), QByteArray("figura do modelo"));
        QCOMPARE(leArquivo(proj + "/rua.jpg"), QByteArray("rua do modelo"));
        QCOMPARE(leArquivo(proj + "/fica.wav"), QByteArray("fica"));
        QVERIFY(!QFileInfo::exists(proj + "/sub"));
        // The project's own first file is its backup; the model's backup is not brought in.
        QCOMPARE(leArquivo(proj + "/pranchas.bak"), antes);
        QVERIFY(leArquivo(proj + "/pranchas.pra").startsWith(antes));
        // Read again: the project's [CONFIG] stays, the model's boards follow, CASA renamed.
        QCOMPARE(projeto.autor, QString("Ana"));
        QCOMPARE(projeto.pranchaInicial, QString("Casa"));
        QCOMPARE(nomesDasPranchas(projeto), (QStringList{"Casa", "Rua", "CAS-A", "PARQUE"}));
        QCOMPARE(r.linhas.avisos, QStringList{"Prancha com nome duplicado: [CASA]"});
        QVERIFY(avisos.erros.isEmpty());
        QVERIFY(avisos.perguntas.isEmpty());
    }

    void modeloSemPranchasNaoCopiaNada() {
        GravaAvisos avisos;
        const QString proj = novaPastaDeProjeto(dir);
        const QString mod = dir.filePath("sem_pranchas");
        QDir().mkpath(mod);
        escrevePranchas(proj, "Ana", {"Casa"});
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        QVERIFY(escreveArquivo(mod + "/casa.jpg", "figura"));
        const ResultadoAcoplamento r = acoplaModelo(mod, proj);
        QCOMPARE(r.recusa, QString("Arquivo de pranchas não foi achado"));
        QVERIFY(!r.gravado);
        QVERIFY(!QFileInfo::exists(proj + "/casa.jpg"));
        QCOMPARE(leArquivo(proj + "/pranchas.pra"), antes);
        QVERIFY(!QFileInfo::exists(proj + "/pranchas.bak"));
    }

    void sobreSiMesmoERecusado() {
        GravaAvisos avisos;
        const QString proj = novaPastaDeProjeto(dir);
        escrevePranchas(proj, "Ana", {"Casa"});
        const QByteArray antes = leArquivo(proj + "/pranchas.pra");
        const QString mesmo = QStringLiteral("Os arquivos não podem ser copiados sobre si mesmos");
        // Reached by another path, the folder is still the same one.
        QCOMPARE(acoplaModelo(proj + "/../" + QFileInfo(proj).fileName(), proj).recusa, mesmo);
        QCOMPARE(copiaPasta(proj, proj + "/.").recusa, mesmo);
        QCOMPARE(leArquivo(proj + "/pranchas.pra"), antes);
        QCOMPARE(copiaPasta(dir.filePath("nao_existe"), dir.filePath("nem_esta")).recusa, mesmo);
    }

    void copiaPastaParaNovaEExistente() {
        GravaAvisos avisos;
        const QString proj = novaPastaDeProjeto(dir);
        escrevePranchas(proj, "Ana", {"Casa"});
        QVERIFY(escreveArquivo(proj + "/oi.wav", "som"));
        QVERIFY(escreveArquivo(proj + "/.escondido", "x"));
        QDir().mkpath(proj + "/sub");
        const QString nova = dir.filePath("exportada");
        QDir().mkpath(nova);
        ResultadoCopia r = copiaPasta(proj, nova);
        QCOMPARE(r.copiados, (QStringList{"oi.wav", "pranchas.pra"}));
        QCOMPARE(QDir(nova).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"oi.wav", "pranchas.pra"}));
        QCOMPARE(leArquivo(nova + "/pranchas.pra"), leArquivo(proj + "/pranchas.pra"));
        QCOMPARE(textoFimDaCopia(r), QString("Fim da cópia"));

        // Into a folder with files: same names replaced, the others kept.
        QVERIFY(escreveArquivo(nova + "/oi.wav", "antigo"));
        QVERIFY(escreveArquivo(nova + "/outro.jpg", "fica"));
        r = copiaPasta(proj, nova);
        QVERIFY(r.naoCopiados.isEmpty());
        QCOMPARE(leArquivo(nova + "/oi.wav"), QByteArray("som"));
        QCOMPARE(leArquivo(nova + "/outro.jpg"), QByteArray("fica"));
        QVERIFY(avisos.perguntas.isEmpty());
    }

    void falhaDeCopiaPerguntaEParaNoNao() {
        GravaAvisos avisos(false);
        const QString proj = novaPastaDeProjeto(dir);
        QVERIFY(escreveArquivo(proj + "/a.jpg", "a"));
        QVERIFY(escreveArquivo(proj + "/c.jpg", "c"));
        const QString destino = dir.filePath("com_pasta_no_caminho");
        QDir().mkpath(destino + "/a.jpg"); // a folder where the file should go
        const ResultadoCopia r = copiaPasta(proj, destino);
        QCOMPARE(avisos.perguntas, QStringList{"Erro ao escrever o arquivo a.jpg. Continua?"});
        QVERIFY(r.interrompida);
        QCOMPARE(r.naoCopiados, QStringList{"a.jpg"});
        QVERIFY(!QFileInfo::exists(destino + "/c.jpg"));
        QVERIFY(textoFimDaCopia(r).contains("a.jpg"));
    }

    void alteracoesNaoSalvasSaoVistas() {
        GravaAvisos avisos;
        const QString proj = novaPastaDeProjeto(dir);
        // No file yet: only boards would be lost.
        TProjeto vazio;
        QVERIFY(!projetoDifereDoArquivo(vazio, proj));
        QVERIFY(projetoDifereDoArquivo(projetoCom({"A"}), proj));
        // A file without a date: the date given at the load is not a change.
        QVERIFY(escreveArquivo(proj + "/pranchas.pra", crlf({"[A]", "MODELO=1X1", "1=a"})));
        carregaPranchas(proj);
        QTest::qWait(1100);
        QVERIFY(!projetoDifereDoArquivo(projeto, proj));
        projeto.pranchas[0].itens[0].rotulo = "b";
        QVERIFY(projetoDifereDoArquivo(projeto, proj));
        carregaPranchas(proj);
        projeto.autor = "Outra";
        QVERIFY(projetoDifereDoArquivo(projeto, proj));
        QVERIFY(salvarProjeto());
        QVERIFY(!projetoDifereDoArquivo(projeto, proj));
    }
};

QTEST_GUILESS_MAIN(TstAcoplamento)
#include "tst_acoplamento.moc"
