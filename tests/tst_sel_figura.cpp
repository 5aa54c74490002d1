// The picture picker: which library pictures the letters list, the preview, and what OK,
// Cancela and the title bar leave in the project folder and give back.
#include "janelas/editor/sel_figura.h"
#include "logica/editor/biblioteca_figuras.h"
#include "nucleo/pranchas_arquivo.h"
#include "support/apoio.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A 200 x 200 picture of one colour, so each library file has bytes of its own.
void figura(const QString& caminho, QColor cor) {
    QImage im(200, 200, QImage::Format_RGB32);
    im.fill(cor);
    QVERIFY(im.save(caminho, "JPG"));
}

QStringList itens(const QListWidget* l) {
    QStringList r;
    for (int k = 0; k < l->count(); ++k)
        r << l->item(k)->text();
    return r;
}

QStringList ordenados(QStringList l) {
    l.sort();
    return l;
}

void clicaNome(QListWidget* l, const QString& nome, bool duplo = false) {
    const QList<QListWidgetItem*> achados = l->findItems(nome, Qt::MatchExactly);
    QVERIFY2(achados.size() == 1, qPrintable(nome));
    const QPoint ponto = l->visualItemRect(achados.first()).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, ponto);
    // The test's double click is the second click alone.
    if (duplo) QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, ponto);
}

QStringList arquivos(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TstSelFigura : public QObject {
    Q_OBJECT
    QTemporaryDir biblioteca;
    QTemporaryDir casa;
    QString projetoDir;

    QString naBiblioteca(const QString& nome) const { return biblioteca.filePath(nome); }
    QString noProjeto(const QString& nome) const { return projetoDir + "/" + nome; }

private slots:
    void initTestCase() {
        int tom = 0;
        for (const char* nome :
             {"A.jpg", "abacaxi.jpg", "amigo.jpg", "casa.jpg", "casaco.jpg", "foto.JPG",
              "foto2.jpeg", "foto3.png", "Água.jpg", "águia.jpg", "Cabana.jpg", "agora.jpg"})
            figura(naBiblioteca(QString::fromUtf8(nome)),
                   QColor::fromHsv((tom += 30) % 360, 200, 200));
        QVERIFY(QDir().mkpath(naBiblioteca("pasta.jpg"))); // a folder named like a picture
        usaBibliotecaFiguras(biblioteca.path());
    }
    void init() { projetoDir = novaPastaDeProjeto(casa); }

    void listaOsJpgDaBibliotecaSemExtensao() {
        QCOMPARE(
            ordenados(listaFiguras()),
            ordenados({"A", "abacaxi", "amigo", "casa", "casaco", "Cabana", "foto",
                       QString::fromUtf8("Água"), QString::fromUtf8("águia"), "agora", "pasta"}));
    }

    // One letter lists the picture named by it; more list the names they begin, in any case and
    // with accents, alphabetically whatever order the folder gave.
    void filtroPelasIniciais() {
        TformSelFigura s;
        const auto lista = [&](const QString& letras) {
            s.e_iniciais->setText(letras);
            return itens(s.l_arquivos);
        };
        QCOMPARE(lista("a"), QStringList{"A"});
        QCOMPARE(lista("ab"), QStringList{"abacaxi"});
        QCOMPARE(lista("  AB "), QStringList{"abacaxi"});
        QCOMPARE(lista("AG"), QStringList{"agora"});
        QCOMPARE(lista("ág"), (QStringList{"Água", "águia"}));
        QCOMPARE(lista("ÁGUIA"), QStringList{"águia"});
        QCOMPARE(lista("ca"), (QStringList{"Cabana", "casa", "casaco"}));
        QCOMPARE(lista("fo"), QStringList{"foto"}); // foto.JPG; not .jpeg nor .png
        QCOMPARE(lista("casacos"), QStringList{});  // longer than every name
        QCOMPARE(lista("   "), QStringList{});
        QCOMPARE(lista(""), QStringList{});
    }

    // The preview decodes the library picture itself: a file of any name in the project
    // folder, "$$$.bmp" included, stays as it was, and nothing is left behind.
    void previaNaoTocaNaPastaDoProjeto() {
        const QByteArray doAutor("não é uma figura, é do autor");
        QVERIFY(escreveArquivo(noProjeto("$$$.bmp"), doAutor));
        TformSelFigura s;
        s.e_iniciais->setText("ca");
        clicaNome(s.l_arquivos, "casa");
        QCOMPARE(s.e_novoNome->text(), QString("casa.jpg"));
        const QPixmap previa = s.Image1->pixmap();
        QVERIFY(!previa.isNull());
        QVERIFY(previa.width() <= 125 && previa.height() <= 125); // shrunk to the box
        QCOMPARE(leArquivo(noProjeto("$$$.bmp")), doAutor);
        QCOMPARE(arquivos(projetoDir), QStringList{"$$$.bmp"});
        // A picture named with its extension in capitals shows too.
        s.e_iniciais->setText("fo");
        clicaNome(s.l_arquivos, "foto");
        QVERIFY(!s.Image1->pixmap().isNull());
        QCOMPARE(s.e_novoNome->text(), QString("foto.jpg"));
    }

    void okCopiaAFiguraParaOProjeto() {
        TformSelFigura s;
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("ca"), std::optional<QString>("casa.jpg"));
        QCOMPARE(figuraEscolhida, QString("casa.jpg"));
        QCOMPARE(leArquivo(noProjeto("casa.jpg")), leArquivo(naBiblioteca("casa.jpg")));

        // A double click confirms too; a picture named .JPG in the library comes in as named.
        noProximoModal([&](QWidget*) { clicaNome(s.l_arquivos, "foto", true); });
        QCOMPARE(s.escolhe("fo"), std::optional<QString>("foto.jpg"));
        QCOMPARE(leArquivo(noProjeto("foto.jpg")), leArquivo(naBiblioteca("foto.JPG")));
        QCOMPARE(arquivos(projetoDir), (QStringList{"casa.jpg", "foto.jpg"}));
    }

    // The name typed in "Será chamado de:" is the name the selected picture takes.
    void nomeEditadoCopiaAFiguraSelecionada() {
        TformSelFigura s;
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            s.e_novoNome->setText("minha casa.jpg");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("ca"), std::optional<QString>("minha casa.jpg"));
        QCOMPARE(leArquivo(noProjeto("minha casa.jpg")), leArquivo(naBiblioteca("casa.jpg")));
        QCOMPARE(arquivos(projetoDir), QStringList{"minha casa.jpg"});
    }

    // Only Yes replaces a picture of the project; any other answer keeps the window open and
    // copies nothing.
    void perguntaAntesDeSubstituir() {
        RespostasDeDialogo respostas;
        const QByteArray antiga("a casa que o autor já tinha");
        QVERIFY(escreveArquivo(noProjeto("casa.jpg"), antiga));
        TformSelFigura s;
        respostas.nao().todos().sim();
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
            QVERIFY(s.isVisible());
            QCOMPARE(leArquivo(noProjeto("casa.jpg")), antiga);
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
            QVERIFY(s.isVisible());
            QCOMPARE(leArquivo(noProjeto("casa.jpg")), antiga);
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("casa"), std::optional<QString>("casa.jpg"));
        QCOMPARE(respostas.perguntas,
                 QStringList(3, "Uma figura com este nome já existe.  Posso substituir?"));
        QCOMPARE(leArquivo(noProjeto("casa.jpg")), leArquivo(naBiblioteca("casa.jpg")));
        QVERIFY(respostas.erros.isEmpty());
    }

    void okSemSelecaoECancelaNaoDaoFigura() {
        TformSelFigura s;
        figuraEscolhida = "anterior.jpg";
        noProximoModal([&](QWidget*) { QTest::mouseClick(s.b_ok, Qt::LeftButton); });
        QCOMPARE(s.escolhe("ca"), std::nullopt);
        figuraEscolhida = "anterior.jpg";
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            QTest::mouseClick(s.b_cancela, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("ca"), std::nullopt);
        QCOMPARE(figuraEscolhida, QString());
        QVERIFY(arquivos(projetoDir).isEmpty());
    }

    // Closed by its title bar the picker chose nothing: the item keeps its own picture rather
    // than taking the one chosen for another item before.
    void fechadoPelaBarraNaoMudaONome() {
        TformSelFigura s;
        figuraEscolhida = "de outro item.jpg";
        noProximoModal([&](QWidget* w) {
            clicaNome(s.l_arquivos, "casa");
            w->close();
        });
        QCOMPARE(s.escolhe("ca"), std::nullopt);
        QCOMPARE(figuraEscolhida, QString("de outro item.jpg"));
        QVERIFY(arquivos(projetoDir).isEmpty());
    }

    // A copy that cannot be made is told, and gives no name, so the item keeps the one it had.
    void copiaQueFalhaEDita() {
        RespostasDeDialogo respostas;
        QVERIFY(QDir().mkpath(noProjeto("casa.jpg"))); // a folder where the file would go
        TformSelFigura s;
        respostas.sim().ok();
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("ca"), std::nullopt);
        QCOMPARE(respostas.erros, QStringList{"Não consegui copiar"});

        // A name that would leave the project folder is refused the same way.
        respostas.ok();
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "casa");
            s.e_novoNome->setText("../fora.jpg");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("ca"), std::nullopt);
        QVERIFY(!QFileInfo::exists(casa.filePath("fora.jpg")));
        // And so is a picture the library lists but cannot give (a folder named like one).
        respostas.ok();
        noProximoModal([&](QWidget*) {
            clicaNome(s.l_arquivos, "pasta");
            QTest::mouseClick(s.b_ok, Qt::LeftButton);
        });
        QCOMPARE(s.escolhe("pa"), std::nullopt);
        QCOMPARE(respostas.erros, QStringList(3, "Não consegui copiar"));
        QCOMPARE(arquivos(projetoDir), QStringList{});
    }

    // "Ver todas" hands the library folder to the desktop's opener, and says so when it fails.
    void verTodasAbreAPastaDaBiblioteca() {
        RespostasDeDialogo avisos;
        QTemporaryDir falsos;
        const QString registro = falsos.filePath("aberto");
        const QString script = falsos.filePath("xdg-open");
        QVERIFY(escreveArquivo(
            script,
            QString("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit $SAIDA\n").arg(registro).toUtf8()));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray caminho = qgetenv("PATH");
        qputenv("PATH", falsos.path().toUtf8() + ":" + caminho);
        qputenv("SAIDA", "0");
        TformSelFigura s;
        QTest::mouseClick(s.b_verTodas, Qt::LeftButton);
        QTRY_COMPARE(QString::fromUtf8(leArquivo(registro)), bibliotecaFiguras());
        qputenv("SAIDA", "1");
        avisos.ok();
        QTest::mouseClick(s.b_verTodas, Qt::LeftButton);
        QTRY_COMPARE(avisos.erros, QStringList{"Não consegui abrir a pasta das figuras"});
        qputenv("PATH", caminho);
    }
};

QTEST_MAIN(TstSelFigura)
#include "tst_sel_figura.moc"
