// How the execution settings store the four times and bring incoherent ones into line.
#include "logica/configuracao/config_exec_regras.h"
#include "nucleo/prvars.h"

#include <QtTest>

namespace {

struct Tempos {
    qint32 varredura, histerese, socorro, autoClique;
};

TProjeto com(const Tempos& t) {
    TProjeto p;
    p.tempoVarredura = t.varredura;
    p.tempoHisterese = t.histerese;
    p.tempoSocorro = t.socorro;
    p.tempoAutoClique = t.autoClique;
    return p;
}

Tempos de(const TProjeto& p) {
    return {p.tempoVarredura, p.tempoHisterese, p.tempoSocorro, p.tempoAutoClique};
}

} // namespace

Q_DECLARE_METATYPE(Tempos)

class TesteConfigExecRegras : public QObject {
    Q_OBJECT

private slots:
    void regras_data() {
        QTest::addColumn<Tempos>("antes");
        QTest::addColumn<Tempos>("depois");
        QTest::addColumn<bool>("mudou");
        QTest::newRow("coerentes")
            << Tempos{2000, 1000, 3000, 0} << Tempos{2000, 1000, 3000, 0} << false;
        QTest::newRow("varredura 300")
            << Tempos{300, 1000, 3000, 0} << Tempos{2000, 1000, 3000, 0} << true;
        QTest::newRow("varredura 499") << Tempos{499, 0, 0, 0} << Tempos{2000, 0, 0, 0} << true;
        QTest::newRow("varredura 500 fica")
            << Tempos{500, 0, 0, 0} << Tempos{500, 0, 0, 0} << false;
        QTest::newRow("varredura negativa") << Tempos{-5, 0, 0, 0} << Tempos{2000, 0, 0, 0} << true;
        QTest::newRow("histerese 150") << Tempos{0, 150, 0, 0} << Tempos{0, 1000, 0, 0} << true;
        QTest::newRow("histerese 200 fica")
            << Tempos{0, 200, 0, 0} << Tempos{0, 200, 0, 0} << false;
        QTest::newRow("histerese 0 fica") << Tempos{0, 0, 0, 0} << Tempos{0, 0, 0, 0} << false;
        QTest::newRow("socorro 2500 com varredura 2000")
            << Tempos{2000, 1000, 2500, 0} << Tempos{2000, 1000, 3000, 0} << true;
        QTest::newRow("socorro 2501 fica")
            << Tempos{2000, 1000, 2501, 0} << Tempos{2000, 1000, 2501, 0} << false;
        QTest::newRow("socorro 100 sem varredura")
            << Tempos{0, 1000, 100, 0} << Tempos{0, 1000, 1000, 0} << true;
        QTest::newRow("socorro 0 fica")
            << Tempos{5000, 1000, 0, 0} << Tempos{5000, 1000, 0, 0} << false;
        // Rule 3 reads the scanning time as rule 1 left it.
        QTest::newRow("socorro depois da varredura corrigida")
            << Tempos{300, 1000, 2400, 0} << Tempos{2000, 1000, 3000, 0} << true;
        QTest::newRow("auto-clique com varredura")
            << Tempos{2000, 1000, 3000, 800} << Tempos{2000, 1000, 3000, 0} << true;
        QTest::newRow("auto-clique sem varredura")
            << Tempos{0, 1000, 3000, 800} << Tempos{0, 1000, 3000, 800} << false;
        // Near the top of the range the help time must not wrap round to a negative one, and a
        // second OK must find the times coherent.
        QTest::newRow("varredura no limite")
            << Tempos{2147483647, 1000, 5, 0} << Tempos{2147483647, 1000, 2147483647, 0} << true;
    }
    void regras() {
        QFETCH(Tempos, antes);
        QFETCH(Tempos, depois);
        QFETCH(bool, mudou);
        TProjeto p = com(antes);
        QCOMPARE(tornaTemposCoerentes(p), mudou);
        const Tempos r = de(p);
        QCOMPARE(r.varredura, depois.varredura);
        QCOMPARE(r.histerese, depois.histerese);
        QCOMPARE(r.socorro, depois.socorro);
        QCOMPARE(r.autoClique, depois.autoClique);
        QVERIFY(!tornaTemposCoerentes(p)); // once corrected, the times stay
    }

    void textosAceitosERecusados() {
        TProjeto p = com({1, 1, 1, 1});
        QCOMPARE(guardaTempos(p, {" 1500 ", "\t250", "4000  ", "0"}), ResultadoDosTempos::coerente);
        QCOMPARE(p.tempoVarredura, 1500);
        QCOMPARE(p.tempoHisterese, 250);
        QCOMPARE(p.tempoSocorro, 4000);
        QCOMPARE(p.tempoAutoClique, 0);

        // Not a whole number, or one outside 0 … 120000 ms for the help press.
        for (const char* ruim : {"1,5", "", "  ", "15 00", "2s", "99999999999", "-1", "120001"}) {
            TProjeto q = com({7, 7, 7, 7});
            QString erro;
            QCOMPARE(guardaTempos(q, {"3000", "800", ruim, "0"}, &erro),
                     ResultadoDosTempos::invalido);
            QCOMPARE(erro, QString("Dados numéricos inválidos, confira: Clique para socorro deve "
                                   "estar entre 0 e 120000 ms"));
            // The boxes before the bad one keep their new values; the rest are untouched and
            // no rule ran (800 would have stayed either way, 7 would have become 1000).
            QCOMPARE(q.tempoVarredura, 3000);
            QCOMPARE(q.tempoHisterese, 800);
            QCOMPARE(q.tempoSocorro, 7);
            QCOMPARE(q.tempoAutoClique, 7);
        }
        QCOMPARE(guardaTempos(p, {"60000", "60000", "120000", "10000"}), // the tops of the ranges
                 ResultadoDosTempos::corrigido); // (scanning and dwell exclude each other)
        TProjeto r = com({0, 0, 0, 0});
        QCOMPARE(guardaTempos(r, {"x", "150", "0", "0"}), ResultadoDosTempos::invalido);
        QCOMPARE(r.tempoHisterese, 0); // nothing after the first bad box is stored

        TProjeto s = com({0, 0, 0, 0});
        QCOMPARE(guardaTempos(s, {"300", "1000", "3000", "0"}), ResultadoDosTempos::corrigido);
        QCOMPARE(s.tempoVarredura, 2000);
    }
};

QTEST_APPLESS_MAIN(TesteConfigExecRegras)
#include "tst_config_exec_regras.moc"
