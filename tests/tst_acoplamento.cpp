// A model's board file merged into a project's, as lines, without disk or window: renames, the
// links that follow them, the separator; and the two questions the merge asks of the disk.
#include "logica/acoplamento/acopla_modelo.h"
#include "nucleo/cp1252.h"
#include "nucleo/nomes.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"

#include <QDir>
#include <QtTest>

namespace {

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
    return p;
}

const QString separador = ";" + QString(39, '-');

} // namespace

class TstAcoplamento : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void renomeiaESegueLinks() {
        const TProjeto p = projetoCom({"Casa", "CAS-A", "Avó", "CASA1"});
        const LinhasAcopladas r =
            acoplaLinhas({},
                         crlf({"; modelo", "[CONFIG]", "PRANCHA_INICIAL=CASA",
                               "  [CASA]", // blanks before "[": a section
                               "LINK=avó+1", "1=ir", "    LINK 1=casa", "    LINK 2=#ANTERIOR",
                               "    FALA 3=CASA", "    LINK 4=\"CASA-1\"", "[AVÓ]", "[NOVA]",
                               "[NOVA]", "[CASA1]", "    LINK 1=Casa1"}),
                         p);
        // CASA meets Casa, then CAS-A: CAS--A. CASA1 -> CASA-1 would be read as CASA minus
        // one, so it takes one more hyphen. Two new boards of one name both stay.
        QCOMPARE(r.avisos, (QStringList{"Prancha com nome duplicado: [CASA]",
                                        "Prancha com nome duplicado: [CAS-A]",
                                        "Prancha com nome duplicado: [AVÓ]",
                                        "Prancha com nome duplicado: [CASA1]"}));
        // Links follow the renames, offsets and quotes kept; #ANTERIOR and other keys stay.
        QCOMPARE(r.bytes,
                 crlf({"", separador, "", "  [CAS--A]", "LINK=AV-Ó+1", "1=ir", "    LINK 1=CAS--A",
                       "    LINK 2=#ANTERIOR", "    FALA 3=CASA", "    LINK 4=\"CAS--A-1\"",
                       "[AV-Ó]", "[NOVA]", "[NOVA]", "[CASA--1]", "    LINK 1=CASA--1"}));
        QCOMPARE(r.pranchas, 5);
        QCOMPARE(r.renomeadas.size(), 3);
        TProjeto depois = projetoCom({"Casa", "CAS-A", "Avó", "CASA1", "CASA--1"});
        QCOMPARE(destinoDoLink(depois, "CASA--1", 0), 4);
        QVERIFY(nomeExiste(" [casa] ", p) && !nomeExiste("[CASA1", projetoCom({"CASA"})));
    }

    void linhasDoProjetoFicamComoEstao() {
        const TProjeto p = projetoCom({"INICIO"});
        // Lines ended by LF alone are lines too; the result ends every one with CR LF.
        QCOMPARE(
            acoplaLinhas("[CONFIG]\nAUTOR=Ana\n[INICIO]\r\n1=oi\n", crlf({"[PARQUE]"}), p).bytes,
            crlf({"[CONFIG]", "AUTOR=Ana", "[INICIO]", "1=oi", "", separador, "", "[PARQUE]"}));
        // A model without boards brings the separator alone.
        QCOMPARE(acoplaLinhas({}, crlf({"[CONFIG]", "AUTOR=x"}), p).bytes,
                 crlf({"", separador, ""}));
    }

    void falhaDeCopiaPerguntaENaoPara() {
        RespostasDeDialogo avisos;
        const QString proj = novaPastaDeProjeto(dir);
        QVERIFY(escreveArquivo(proj + "/a.jpg", "a") && escreveArquivo(proj + "/c.jpg", "c"));
        const QString destino = dir.filePath("destino");
        QDir().mkpath(destino + "/a.jpg"); // a folder where the file should go
        avisos.nao();
        const ResultadoCopia r = copiaPasta(proj, destino);
        QCOMPARE(avisos.perguntas, QStringList{"Erro ao escrever o arquivo a.jpg. Continua?"});
        QVERIFY(r.interrompida && !QFileInfo::exists(destino + "/c.jpg"));
        QVERIFY(textoFimDaCopia(r).contains("a.jpg"));
    }

    void alteracoesNaoSalvasSaoVistas() {
        RespostasDeDialogo avisos;
        const QString proj = novaPastaDeProjeto(dir);
        QVERIFY(!projetoDifereDoArquivo(TProjeto{}, proj)); // no file, no boards: nothing lost
        QVERIFY(projetoDifereDoArquivo(projetoCom({"A"}), proj));
        // A file without a date is dated when read: that date is not a change.
        QVERIFY(escreveArquivo(proj + "/pranchas.pra", crlf({"[A]", "MODELO=1X1", "1=a"})));
        carregaPranchas(proj);
        QTest::qWait(1100);
        QVERIFY(!projetoDifereDoArquivo(projeto, proj));
        projeto.autor = "Outra";
        QVERIFY(projetoDifereDoArquivo(projeto, proj));
        QVERIFY(salvarProjeto());
        QVERIFY(!projetoDifereDoArquivo(projeto, proj));
    }
};

QTEST_GUILESS_MAIN(TstAcoplamento)
#include "tst_acoplamento.moc"
