// How names in the records are understood everywhere: links to boards with their offsets and
// "#ANTERIOR", and sound names without an extension.
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"

#include <QtTest>

class TstNomes : public QObject {
    Q_OBJECT

    static TProjeto projetoDe(const QStringList& nomes) {
        TProjeto p;
        for (const QString& n : nomes) {
            TPrancha b;
            b.nome = n;
            p.pranchas.append(b);
        }
        return p;
    }

private slots:
    void destinosDosLinks() {
        const TProjeto p = projetoDe({"INICIO", " Casa ", "COMIDA", "Casa"});
        QCOMPARE(indiceDaPrancha(p, "casa"), 1); // blanks at the ends and case do not count
        QCOMPARE(indiceDaPrancha(p, " COMIDA "), 2);
        QCOMPARE(indiceDaPrancha(p, "nada"), -1);
        QCOMPARE(destinoDoLink(p, "CASA", 0), 1);
        QCOMPARE(destinoDoLink(p, "casa+1", 0), 2);
        QCOMPARE(destinoDoLink(p, "COMIDA-2", 3), 0);
        QCOMPARE(destinoDoLink(p, "CASA +1", 0), -1);  // looks for "CASA "
        QCOMPARE(destinoDoLink(p, "COMIDA+2", 0), -1); // past the last board
        QCOMPARE(destinoDoLink(p, "INICIO-1", 0), -1);
        QCOMPARE(destinoDoLink(p, "#ANTERIOR", 2), 2);
        QCOMPARE(destinoDoLink(p, "#anterior+1", 2), 3);
        QCOMPARE(destinoDoLink(p, "#ANTERIOR-3", 2), -1);
        QVERIFY(linkParaAnterior(" #Anterior-1 "));
        QVERIFY(!linkParaAnterior("ANTERIOR"));
        TProjeto menos = p;
        menos.pranchas.resize(2); // a board no longer there is never a link's target
        QCOMPARE(destinoDoLink(menos, "COMIDA", 0), -1);
    }

    // Gathered once for a whole project, the look-up answers as the runner's does, and says why
    // a link leads nowhere.
    void pranchasPorNome() {
        const TProjeto p = projetoDe({"INICIO", " Casa ", "COMIDA", "Casa", "ÁGUA", "straße"});
        const PranchasPorNome nomes(p);
        for (const QString nome : {"casa", " COMIDA ", "nada", "água", "STRASSE", "Straße", ""})
            QCOMPARE(nomes.indice(nome), indiceDaPrancha(p, nome));
        for (const QString link :
             {"CASA", "casa+1", "COMIDA-2", "CASA +1", "COMIDA+3", "INICIO-1", "#ANTERIOR",
              "#anterior+1", "#ANTERIOR-3", " água ", "Água+1", "+1", "CASA+x"})
            for (int anterior : {0, 2, 5})
                QCOMPARE(nomes.destino(link, anterior).alvo, destinoDoLink(p, link, anterior));
        const DestinoDoLink fora = nomes.destino("COMIDA+9", 0);
        QCOMPARE(fora.base, 2);
        QCOMPARE(fora.deslocamento, 9);
        QCOMPARE(fora.alvo, -1);
        const DestinoDoLink comEspaco = nomes.destino("CASA +1", 0);
        QCOMPARE(comEspaco.nome, QString("CASA "));
        QCOMPARE(comEspaco.base, -1);
        QVERIFY(nomes.destino("#Anterior-1", 4).paraAnterior);
        QCOMPARE(nomes.destino("#Anterior-1", 4).alvo, 3);
    }

    void nomesDeSom() {
        QCOMPARE(nomeDeSom("oi"), QString("oi.wav"));
        QCOMPARE(nomeDeSom("oi.mp3"), QString("oi.mp3"));
        QCOMPARE(nomeDeSom("a.b"), QString("a.b.wav")); // two letters is no extension
    }
};

QTEST_GUILESS_MAIN(TstNomes)
#include "tst_nomes.moc"
