// The editor's file commands: saving from the tool bar and the menu and what a save may drop,
// printing and JPEG off screen, help, leaving the editor, and the JPEG of the command line.
#include "desenho/jpg_prancha.h"
#include "janelas/comum/abre_ajuda.h"
#include "logica/editor/operacoes_projeto.h"
#include "nucleo/pranchas_arquivo.h"
#include "plataforma/pastas.h"
#include "support/editor_apoio.h"

#include <QAbstractTextDocumentLayout>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QtTest>

namespace {
// Start-of-frame markers: C0 baseline, C2 progressive. Gives the marker and components.
int marcadorSof(const QByteArray& d, int& componentes) {
    for (int i = 2; i + 9 < d.size(); ++i)
        if (uchar(d[i]) == 0xFF && (uchar(d[i + 1]) == 0xC0 || uchar(d[i + 1]) == 0xC2)) {
            componentes = uchar(d[i + 9]);
            return uchar(d[i + 1]);
        }
    return -1;
}
// The first quantisation table's first value, 3 for quality 90 in the standard scaling.
int primeiroQuantizador(const QByteArray& d) {
    const int i = d.indexOf("\xFF\xDB");
    return i < 0 ? -1 : uchar(d[i + 5]);
}

// Every window shown while it lives, hidden again or not.
class JanelasMostradas : public QObject {
public:
    JanelasMostradas() { qApp->installEventFilter(this); }
    ~JanelasMostradas() override { qApp->removeEventFilter(this); }
    QStringList nomes;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(alvo);
        if (e->type() == QEvent::Show && w && w->isWindow()) nomes << w->objectName();
        return false;
    }
};
} // namespace

class TstEditorArquivo : public QObject, ProjetoDoEditor {
    Q_OBJECT

private slots:
    // Save, print and JPEG from the tool bar and from the menu: print and JPEG draw off
    // screen, so no window of any kind comes up.
    void barraEMenuArquivo() {
        RespostasDeDialogo dialogo;
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TFormProg f;
        QVERIFY(abre(f));

        clica(rapido(f, "SaveBtn"));
        QVERIFY(aciona(f, "Salvar"));
        QCOMPARE(dialogo.rapidas, (QStringList{"Pranchas gravadas", "Pranchas gravadas"}));
        QVERIFY(QFileInfo::exists(pasta.filePath("pranchas.pra")));
        QVERIFY(QFileInfo::exists(pasta.filePath("pranchas.bak")));

        JanelasMostradas mostradas;
        for (const QString& pdf : {pasta.filePath("barra.pdf"), pasta.filePath("menu.pdf")})
            dialogo
                .impressora([pdf](QPrinter& impressora) {
                    impressora.setOutputFormat(QPrinter::PdfFormat);
                    impressora.setOutputFileName(pdf);
                })
                .ok(); // where the page went
        clica(rapido(f, "PrintBtn"));
        QVERIFY(aciona(f, "Imprimir Prancha"));
        QCOMPARE(dialogo.pendentes(), 0);
        QVERIFY(QFileInfo(pasta.filePath("barra.pdf")).size() > 0);
        QVERIFY(QFileInfo(pasta.filePath("menu.pdf")).size() > 0);

        const QString jpg = pastaAreaDeTrabalho() + "/casa.jpg";
        QFile::remove(jpg);
        dialogo.ok().ok();
        clica(rapido(f, "jpgButton"));
        QVERIFY(QFile::remove(jpg));
        QVERIFY(aciona(f, "Gerar JPG"));
        QVERIFY(QFileInfo::exists(jpg));
        // A page that went to a PDF says where.
        QCOMPARE(dialogo.infos,
                 (QStringList{"A prancha foi salva em " + pasta.filePath("barra.pdf"),
                              "A prancha foi salva em " + pasta.filePath("menu.pdf"),
                              "casa.jpg gravado na Área de Trabalho",
                              "casa.jpg gravado na Área de Trabalho"}));
        QVERIFY(dialogo.erros.isEmpty());
        QCOMPARE(mostradas.nomes, QStringList{});
        f.close();
        pastaProjeto = dir.path();
    }

    void ajudaDaBarraEDoMenu() {
        if (QFileInfo::exists(pastaDoPrograma() + "/zelvana.html") ||
            QFileInfo::exists(pastaDoPrograma() + "/zelvana.chm"))
            QSKIP("a help file is installed; it would open in a browser");
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        TFormProg f;
        QVERIFY(abre(f));
        avisos.ok().ok();
        clica(rapido(f, "ajudaButton1"));
        QVERIFY(aciona(f, "Ajuda"));
        QCOMPARE(avisos.erros, QStringList(2, "Arquivo de ajuda não encontrado"));
        f.close();
    }

    // Without a browser the help opens in a window of its own, where every picture is drawn:
    // no blank gap where a screenshot should be.
    void ajudaSemNavegadorMostraAsFiguras() {
        const QString pasta = QStringLiteral(ZELVANA_SOURCE_DIR "/src/app/ajuda/");
        QDialog* janela = mostraAjudaAqui(pasta + "zelvana.html");
        auto* texto = janela->findChild<QTextBrowser*>();
        QTextDocument* doc = texto->document();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        janela->resize(600, 500); // narrower than the widest picture
        QTest::qWait(50);
        QVERIFY(doc->size().height() > 2000); // laid out whole, not a page at a time
        int figuras = 0;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            for (auto f = b.begin(); !f.atEnd(); ++f) {
                if (!f.fragment().charFormat().isImageFormat()) continue;
                const QTextImageFormat img = f.fragment().charFormat().toImageFormat();
                const QImage original(pasta + img.name());
                QVERIFY2(!original.isNull(), qPrintable(img.name()));
                // Where the layout put it: on its line, standing on the baseline.
                const int pos = f.fragment().position() - b.position();
                const QTextLine linha = b.layout()->lineForTextPosition(pos);
                QVERIFY(linha.isValid());
                const QRectF bloco = doc->documentLayout()->blockBoundingRect(b);
                const QPoint canto(int(bloco.left() + linha.cursorToX(pos)),
                                   int(bloco.top() + linha.y() + linha.ascent() - img.height()));
                // Seen as the window paints it, scrolled to the picture.
                texto->verticalScrollBar()->setValue(canto.y() - 8);
                const QImage pagina = texto->viewport()->grab().toImage();
                const QPoint origem = canto - QPoint(texto->horizontalScrollBar()->value(),
                                                     texto->verticalScrollBar()->value());
                // The picture's frame may shift it a pixel or two: the best placement counts.
                // The part in view is compared (of a picture much wider than the window, a few
                // dozen points).
                int iguais = 0, vistos = 0;
                for (int dx = -3; dx <= 3; ++dx)
                    for (int dy = -3; dy <= 3; ++dy) {
                        int n = 0, v = 0;
                        for (int i = 1; i < 20; ++i)
                            for (int j = 1; j < 20; ++j) {
                                const QPoint p(original.width() * i / 20,
                                               original.height() * j / 20);
                                const QPoint q = origem + p + QPoint(dx, dy);
                                if (!pagina.rect().adjusted(4, 4, -4, -4).contains(q)) continue;
                                const QColor a = original.pixelColor(p), d = pagina.pixelColor(q);
                                ++v;
                                n += qAbs(a.red() - d.red()) + qAbs(a.green() - d.green()) +
                                         qAbs(a.blue() - d.blue()) <
                                     24;
                            }
                        if (n > iguais) {
                            iguais = n;
                            vistos = v;
                        }
                    }
                QVERIFY2(
                    iguais >= 40 && iguais > vistos * 9 / 10,
                    qPrintable(img.name() + QStringLiteral(": %1 de %2").arg(iguais).arg(vistos)));
                ++figuras;
            }
        QCOMPARE(figuras, 6);
        janela->close();
    }

    void sairSemSalvarSemArquivoNaoGrava() {
        RespostasDeDialogo avisos;
        QTemporaryDir vazio;
        pastaProjeto = vazio.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "Z");
        TFormProg f;
        avisos.ok(); // no board file to read back
        QVERIFY(aciona(f, "Sair sem salvar"));
        QCOMPARE(projeto.nPranchas(), 0);
        QVERIFY(QDir(vazio.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!projetoSalvo); // closing clears it
        pastaProjeto = dir.path();
    }

    void sairDaEdicaoDeixaNoveItens() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "grade");
        for (int j = 0; j < 12; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, QString::number(j));
        TFormProg f;
        QVERIFY(abre(f));
        QCOMPARE(f.lb_itens->count(), 12);
        avisos.sim(); // saved all the same without the items past the grid
        clica(rapido(f, "b_sair1"));
        QVERIFY(projetoSalvo);
        QVERIFY(!f.isVisible());
        QCOMPARE(projeto.pranchas[0].nItens(), 9);

        // A save that fails keeps the edits in memory.
        QTemporaryDir soLeitura;
        pastaProjeto = soLeitura.path() + "/nao/existe";
        projetoSalvo = false;
        insereItemNaPrancha(projeto.pranchas[0], 8, "novo");
        QVERIFY(abre(f));
        avisos.sim().ok();
        clica(rapido(f, "b_sair1"));
        QVERIFY(!projetoSalvo);
        QVERIFY(f.isVisible());
        QCOMPARE(projeto.pranchas[0].nItens(), 10);
        QVERIFY(!avisos.erros.isEmpty());
        pastaProjeto = dir.path();
    }

    void jpgTamanhoQualidadeBaseline() {
        QImage imagem(320, 200, QImage::Format_ARGB32);
        imagem.fill(Qt::red);
        const QString caminho = dir.path() + "/t.jpg";
        QString erro;
        QVERIFY(gravaImagemJpg(imagem, caminho, erro));
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray d = f.readAll();
        int comp = 0;
        QCOMPARE(marcadorSof(d, comp), 0xC0);
        QCOMPARE(comp, 3);
        QCOMPARE(primeiroQuantizador(d), 3);
        QCOMPARE(QImage(caminho).size(), QSize(320, 200));
        QVERIFY(!gravaImagemJpg(imagem, dir.path() + "/nao/existe/x.jpg", erro));
        QVERIFY(erro.contains("x.jpg"));
    }

    void linhaDeComando() {
        RespostasDeDialogo avisos;
        projeto = TProjeto{};
        pastaProjeto = dir.path();
        inserePranchaNoProjeto(projeto, -1, "casa");
        QVERIFY(gravaPranchas(dir.path(), "pranchas.pra"));
        const QString saida = dir.path() + "/cmd.jpg";
        QCOMPARE(exportaJpgLinhaDeComando({dir.path(), "casa", saida, "640x480"}), 0);
        QCOMPARE(QImage(saida).size(), QSize(640, 480));
        QCOMPARE(exportaJpgLinhaDeComando({dir.path(), "casa", saida}), 0);
        QCOMPARE(QImage(saida).size(), QSize(1024, 768));
        QVERIFY(exportaJpgLinhaDeComando({dir.path(), "nenhuma", saida}) != 0);
        QVERIFY(exportaJpgLinhaDeComando({dir.path(), "casa", saida, "grande"}) != 0);
        QVERIFY(exportaJpgLinhaDeComando({dir.path()}) != 0);
    }

    // Started from anywhere, the command finds the pictures in the project folder, and writes
    // a relative output name where it was started.
    void linhaDeComandoDeOutraPasta() {
        RespostasDeDialogo avisos;
        QTemporaryDir proj, fora;
        QImage azul(200, 200, QImage::Format_RGB32);
        azul.fill(Qt::blue);
        QVERIFY(azul.save(proj.filePath("azul.jpg"), "jpeg", 95));
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TPrancha& b = projeto.pranchas[0];
        b.nLinhas = b.nColunas = 1;
        b.itens.resize(1);
        b.itens[0].rotulo = "azul";
        QVERIFY(gravaPranchas(proj.path(), "pranchas.pra"));
        const QString antes = QDir::currentPath();
        QDir::setCurrent(fora.path());
        const int status = exportaJpgLinhaDeComando({proj.path(), "casa", "saida.jpg", "400x300"});
        QDir::setCurrent(antes);
        QCOMPARE(status, 0);
        const QImage r(fora.filePath("saida.jpg"));
        QVERIFY(!r.isNull());
        int azuis = 0;
        for (int y = 0; y < r.height(); y += 4)
            for (int x = 0; x < r.width(); x += 4) {
                const QColor c = r.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 60 && c.green() < 60) ++azuis;
            }
        QVERIFY2(azuis > (r.width() / 4) * (r.height() / 4) / 5,
                 qPrintable(QString::number(azuis)));
    }

    // Before a save drops items past a grid, the author is told once which ones, and may stay.
    void salvarAvisaItensForaDaGrade() {
        RespostasDeDialogo avisos;
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "grade");
        projeto.pranchas[0].nLinhas = projeto.pranchas[0].nColunas = 1;
        for (int j = 0; j < 2; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, "i" + QString::number(j));
        TFormProg f;
        QVERIFY(abre(f));
        avisos.nao();
        clica(rapido(f, "SaveBtn"));
        QCOMPARE(avisos.perguntas.size(), 1);
        QVERIFY(avisos.perguntas[0].contains("Prancha \"grade\", item 2 (\"i1\"): fica fora da "
                                             "grade de 1 × 1"));
        QVERIFY(avisos.perguntas[0].endsWith("Salvar mesmo assim?"));
        QVERIFY(!QFileInfo::exists(pasta.filePath("pranchas.pra"))); // No: nothing written

        avisos.sim();
        QVERIFY(aciona(f, "Salvar"));
        clica(rapido(f, "SaveBtn"));
        QCOMPARE(avisos.perguntas.size(), 2); // the same loss is not asked about again
        QCOMPARE(avisos.rapidas, (QStringList{"Pranchas gravadas", "Pranchas gravadas"}));

        insereItemNaPrancha(projeto.pranchas[0], 1, "i2");
        avisos.sim();
        clica(rapido(f, "b_sair1"));
        QCOMPARE(avisos.perguntas.size(), 3);
        QVERIFY(avisos.perguntas[2].contains("item 3 (\"i2\")"));
        QCOMPARE(projeto.pranchas[0].nItens(), 1); // read back: the save dropped them
        pastaProjeto = dir.path();
    }
};

QTEST_MAIN(TstEditorArquivo)
#include "tst_editor_arquivo.moc"
