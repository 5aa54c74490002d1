// The editor window and the full preview: commands on the project, the preview's messages,
// the JPEG file and the printed page.
#include "desenho/imprime_prancha_pagina.h"
#include "desenho/jpg_prancha.h"
#include "janelas/comum/amostra_cor.h"
#include "janelas/comum/grupo_opcoes.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/config_item.h"
#include "janelas/editor/config_prancha.h"
#include "janelas/editor/form_prog.h"
#include "janelas/editor/visualiza_form.h"
#include "janelas/verificacao/painel_verificacao.h"
#include "logica/editor/documento_projeto.h"
#include "logica/editor/operacoes_projeto.h"
#include "logica/execucao/fila_saida.h"
#include "nucleo/pranchas_arquivo.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"
#include "support/apoio.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
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

// The editor shown and active, as the start window leaves it; presses need a window on screen.
bool abre(TFormProg& f) {
    f.show();
    f.activateWindow();
    return QTest::qWaitForWindowActive(&f);
}

void clica(QWidget* botao) {
    QVERIFY2(botao && botao->isEnabled(), botao ? qPrintable(botao->objectName()) : "?");
    QTest::mouseClick(botao, Qt::LeftButton);
}

QToolButton* rapido(TFormProg& f, const char* nome) {
    return f.findChild<QToolButton*>(nome);
}

// Triggers the menu entry with this caption (mnemonic marks ignored); false when there is none.
bool aciona(TFormProg& f, const QString& texto) {
    for (QAction* a : f.menuBar()->findChildren<QAction*>())
        if (a->text().remove('&') == texto && a->isEnabled()) {
            a->trigger();
            return true;
        }
    return false;
}

// Clicks row `linha` of a list as the author would, on the entry itself.
void clicaLinha(QListWidget* l, int linha, bool duplo = false) {
    const QPoint ponto = l->visualItemRect(l->item(linha)).center();
    if (duplo)
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, ponto);
    else
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, ponto);
}

QStringList textos(const QListWidget* l) {
    QStringList r;
    for (int k = 0; k < l->count(); ++k)
        r << l->item(k)->text();
    return r;
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

class TstEditorJanelas : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    MotoresSaida motores;
    QStringList tocados;

private slots:
    void initTestCase() {
        pastaProjeto = copiaDadosDeTeste(dir);
        qputenv("HOME", dir.path().toUtf8());
        motores = usaMotoresSaida(MotoresSaida{
            [this](const QString& t) { tocados << "fala:" + t; }, [] { return false; }, [] {},
            [this](const QString& c) { tocados << "som:" + QFileInfo(c).fileName(); }, [] {},
            [] { return false; }});
    }
    void cleanupTestCase() { usaMotoresSaida(motores); }

    void comandosDoEditor() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        TFormProg f;
        RespostasDeDialogo nomes;
        nomes.texto("A").texto("B");
        QStringList menus;
        for (const QAction* a : f.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, (QStringList{"&Arquivo", "&Rascunhar", "&Configurar", "&Visualizar",
                                     "A&juda", "&Selecionar"}));
        for (QListWidget* l : {f.lb_pranchas, f.lb_itens})
            QVERIFY(!QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name).isEmpty());
        QVERIFY(abre(f));
        QVERIFY(f.b_insAbaixo->isEnabled());
        QVERIFY(!f.b_remover->isEnabled());
        clica(f.b_insAbaixo);
        clica(f.b_insAbaixo); // below A
        QCOMPARE(projeto.nPranchas, 2);
        QCOMPARE(f.lb_pranchas->count(), 2);
        QCOMPARE(f.lb_pranchas->item(1)->text(), QString("B"));
        QVERIFY(f.b_remover->isEnabled());
        QVERIFY(f.b_insAbaixoItem->isEnabled());
        QVERIFY(!f.b_removerItem->isEnabled());

        nomes.texto("x").texto("y");
        clica(f.b_insAbaixoItem);
        clica(f.b_insAbaixoItem);
        QCOMPARE(projeto.pranchas[1].nItens, 2);
        QCOMPARE(f.lb_itens->count(), 2);
        QVERIFY(f.b_removerItem->isEnabled());
        nomes.texto("copia");
        clica(f.b_duplicarItem); // y selected
        QCOMPARE(projeto.pranchas[1].itens[2].figura, QString("y"));
        nomes.cancela();
        clica(f.b_duplicarItem); // cancelled
        QCOMPARE(projeto.pranchas[1].nItens, 3);
        QCOMPARE(nomes.pendentes(), 0);

        clica(f.b_paraCima);
        QCOMPARE(projeto.pranchas[0].nome, QString("B"));
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->count(), 3); // still the same board

        clicaLinha(f.lb_pranchas, 1);
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        clica(f.b_remover); // the last of the list
        QCOMPARE(projeto.nPranchas, 1);
        QCOMPARE(f.lb_pranchas->currentRow(), -1);
        QCOMPARE(f.lb_itens->count(), 0);
        QVERIFY(!f.graf.criada);

        avisos.resposta = false;
        QVERIFY(aciona(f, "Remover todas as pranchas"));
        QCOMPARE(avisos.rapidas, QStringList{"Ufa! Ainda bem..."});
        QCOMPARE(projeto.nPranchas, 1);
        avisos.resposta = true;
        QVERIFY(aciona(f, "Remover todas as pranchas"));
        QCOMPARE(projeto.nPranchas, 0);
        QCOMPARE(f.lb_pranchas->count(), 0);
        f.close();
    }

    // The buttons the walk above does not reach, each pressed for real.
    void botoesDePranchasEItens() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        for (const char* nome : {"A", "B", "C"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        TFormProg f;
        QVERIFY(abre(f));
        RespostasDeDialogo nomes;

        clicaLinha(f.lb_itens, 1);
        clica(f.b_paraBaixoItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2", "A1"}));
        QCOMPARE(projeto.pranchas[0].itens[2].rotulo, QString("A1"));
        QCOMPARE(f.lb_itens->currentRow(), 2);
        clica(f.b_paraCimaItem);
        clica(f.b_paraCimaItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A1", "A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0);

        avisos.resposta = false;
        clica(f.b_removerItem);
        QCOMPARE(avisos.perguntas, QStringList{"Quer mesmo remover?"});
        QCOMPARE(projeto.pranchas[0].nItens, 3);
        avisos.resposta = true;
        clica(f.b_removerItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0); // the next item

        // A board moved down keeps its items on show, with the same one selected.
        clica(f.b_paraBaixo);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"B", "A", "C"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), 0);

        nomes.texto("A bis");
        clica(f.b_duplicar);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"B", "A", "A bis", "C"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 2);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A2"}));
        QCOMPARE(f.lb_itens->currentRow(), -1);
        clica(f.b_duplicarItem);
        QCOMPARE(avisos.infos, QStringList{"Não há nenhum item selecionado"});
        f.lb_pranchas->setCurrentRow(-1);
        QCOMPARE(f.lb_itens->count(), 0);
        clica(f.b_duplicar);
        QCOMPARE(avisos.infos.last(), QString("Não há nenhuma prancha selecionada"));
        QCOMPARE(projeto.nPranchas, 4);
        QCOMPARE(nomes.pendentes(), 0);

        clicaLinha(f.lb_pranchas, 0);
        clicaLinha(f.lb_itens, 1);
        QCOMPARE(QApplication::focusWidget(), f.lb_itens); // clicked last
        QVERIFY(aciona(f, "Pranchas"));
        QTRY_COMPARE(QApplication::focusWidget(), f.lb_pranchas);
        QVERIFY(aciona(f, "Itens"));
        QTRY_COMPARE(QApplication::focusWidget(), f.lb_itens);
        f.close();
    }

    // "Editar" and a double click open the board dialog on the selected board; the item's
    // "Editar", Enter and a double click open the item dialog. What the dialog holds is stored
    // however it was closed, and the lists and drawing follow.
    void editarAbreOsDialogos() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        TFormProg f;
        TformConfigPrancha dPrancha(*f.documento, &f);
        TformConfigItem dItem(*f.documento, &f);
        janelas.formConfigPrancha = &dPrancha;
        janelas.formConfigItem = &dItem;
        QVERIFY(abre(f));
        RespostasDeDialogo respostas;
        QStringList abertas;

        clicaLinha(f.lb_pranchas, 1);
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dPrancha.e_nome->text(), QString("B"));
            dPrancha.e_nome->setText("Bola");
            QTest::mouseClick(dPrancha.b_ok, Qt::LeftButton);
        });
        clica(f.b_detalhar);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Bola"}));
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        // Closed by the title bar: the colour chosen is kept all the same.
        respostas.cor(QColor(255, 0, 0));
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QTest::mouseClick(dPrancha.Shape1, Qt::LeftButton);
            dPrancha.e_nx->defineTexto("1");
            w->close();
        });
        clicaLinha(f.lb_pranchas, 1, true);
        QCOMPARE(projeto.pranchas[1].cor, TColor(0x0000FF));
        QCOMPARE(f.graf.cor, QColor(255, 0, 0)); // the editor's drawing follows
        QCOMPARE(f.graf.itensGraf.size(), 3);

        const auto rotula = [&](const QString& rotulo) {
            return [&, rotulo](QWidget* w) {
                abertas << w->objectName();
                dItem.e_rotulo->setText(rotulo);
                w->close();
            };
        };
        clicaLinha(f.lb_itens, 1);
        noProximoModal(rotula("um"));
        clica(f.b_detalharItem);
        QCOMPARE(textos(f.lb_itens), (QStringList{"B0", "um", "B2"}));
        QCOMPARE(f.lb_itens->currentRow(), 1);
        noProximoModal(rotula("dois"));
        QTest::keyClick(f.lb_itens, Qt::Key_Return);
        QCOMPARE(f.lb_itens->item(1)->text(), QString("dois"));
        noProximoModal(rotula("três"));
        clicaLinha(f.lb_itens, 1, true);
        QCOMPARE(f.lb_itens->item(1)->text(), QString("três"));
        QCOMPARE(projeto.pranchas[1].itens[1].rotulo, QString("três"));

        // "Nova prancha" and "Novo item" open the dialog on the record just made.
        respostas.texto("C").texto("novo");
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dPrancha.e_nome->text(), QString("C"));
            QCOMPARE(dPrancha.e_nx->text(), QString("3"));
            w->close();
        });
        clica(f.b_insAbaixo);
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Bola", "C"}));
        noProximoModal([&](QWidget* w) {
            abertas << w->objectName();
            QCOMPARE(dItem.e_rotulo->text(), QString("novo"));
            QCOMPARE(dItem.r_letras->itemIndex(), 1); // 36
            dItem.e_tamLetras->setText("72");
            QTest::mouseClick(dItem.b_ok, Qt::LeftButton);
        });
        clica(f.b_insAbaixoItem);
        QCOMPARE(projeto.pranchas[2].itens[0].rotulo, QString("novo"));
        QCOMPARE(projeto.pranchas[2].itens[0].dimTexto, 72);
        QCOMPARE(textos(f.lb_itens), QStringList{"novo"});
        QCOMPARE(abertas, (QStringList{"formConfigPrancha", "formConfigPrancha", "formConfigItem",
                                       "formConfigItem", "formConfigItem", "formConfigPrancha",
                                       "formConfigItem"}));
        QCOMPARE(respostas.pendentes(), 0);
        janelas.formConfigPrancha = nullptr;
        janelas.formConfigItem = nullptr;
        f.close();
    }

    // What a property dialog stores back through the document reaches the lists and drawing.
    void guardadoPeloDocumento() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"})
            inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
        insereItemNaPrancha(projeto.pranchas[1], -1, "x");
        TFormProg f;
        QVERIFY(abre(f));
        clicaLinha(f.lb_pranchas, 1);
        clicaLinha(f.lb_itens, 0);
        TPrancha b = projeto.pranchas[1];
        b.nome = "Beta";
        b.nColunas = 1;
        b.nLinhas = 1;
        QVERIFY(f.documento->guardaPrancha(1, b));
        QCOMPARE(textos(f.lb_pranchas), (QStringList{"A", "Beta"}));
        QCOMPARE(f.graf.itensGraf.size(), 1); // redrawn on the one-cell grid
        TItem it = projeto.pranchas[1].itens[0];
        it.rotulo = "xis";
        QVERIFY(f.documento->guardaItem(1, 0, it));
        QCOMPARE(textos(f.lb_itens), QStringList{"xis"});
        QCOMPARE(f.lb_itens->currentRow(), 0);
        f.close();
    }

    // Save, print and JPEG from the tool bar and from the menu: print and JPEG draw off
    // screen, so no window of any kind comes up.
    void barraEMenuArquivo() {
        GravaAvisos avisos(true);
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TFormProg f;
        QVERIFY(abre(f));

        clica(rapido(f, "SaveBtn"));
        QVERIFY(aciona(f, "Salvar"));
        QCOMPARE(avisos.rapidas, (QStringList{"Pranchas gravadas", "Pranchas gravadas"}));
        QVERIFY(QFileInfo::exists(pasta.filePath("pranchas.pra")));
        QVERIFY(QFileInfo::exists(pasta.filePath("pranchas.bak")));

        JanelasMostradas mostradas;
        RespostasDeDialogo dialogo;
        for (const QString& pdf : {pasta.filePath("barra.pdf"), pasta.filePath("menu.pdf")})
            dialogo.impressora([pdf](QPrinter& impressora) {
                impressora.setOutputFormat(QPrinter::PdfFormat);
                impressora.setOutputFileName(pdf);
            });
        clica(rapido(f, "PrintBtn"));
        QVERIFY(aciona(f, "Imprimir Prancha"));
        QCOMPARE(dialogo.pendentes(), 0);
        QVERIFY(QFileInfo(pasta.filePath("barra.pdf")).size() > 0);
        QVERIFY(QFileInfo(pasta.filePath("menu.pdf")).size() > 0);

        const QString jpg = pastaAreaDeTrabalho() + "/casa.jpg";
        QFile::remove(jpg);
        clica(rapido(f, "jpgButton"));
        QVERIFY(QFile::remove(jpg));
        QVERIFY(aciona(f, "Gerar JPG"));
        QVERIFY(QFileInfo::exists(jpg));
        // A page that went to a PDF says where.
        QCOMPARE(avisos.infos, (QStringList{"A prancha foi salva em " + pasta.filePath("barra.pdf"),
                                            "A prancha foi salva em " + pasta.filePath("menu.pdf"),
                                            "casa.jpg gravado na Área de Trabalho",
                                            "casa.jpg gravado na Área de Trabalho"}));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(mostradas.nomes, QStringList{});
        f.close();
        pastaProjeto = dir.path();
    }

    // The full preview opens modally from the tool bar, the menu and a click on the drawing.
    void visualizacaoDeTresManeiras() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TformVisualiza v;
        janelas.formVisualiza = &v;
        TFormProg f;
        QVERIFY(abre(f));
        QStringList abertas;
        const auto fechaAVisualizacao = [&](QWidget* w) {
            abertas << w->objectName();
            w->close();
        };
        noProximoModal(fechaAVisualizacao);
        clica(rapido(f, "VisuBtn"));
        noProximoModal(fechaAVisualizacao);
        QVERIFY(aciona(f, "Visualizar"));
        noProximoModal(fechaAVisualizacao);
        QTest::mouseClick(f.p_previewPrancha, Qt::LeftButton);
        QCOMPARE(abertas, QStringList(3, "formVisualiza"));
        QCOMPARE(v.pranchaVisualizada, 0);
        janelas.formVisualiza = nullptr;
        f.close();
    }

    void ajudaDaBarraEDoMenu() {
        if (QFileInfo::exists(pastaDoPrograma() + "/zelvana.html") ||
            QFileInfo::exists(pastaDoPrograma() + "/zelvana.chm"))
            QSKIP("a help file is installed; it would open in a browser");
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        TFormProg f;
        QVERIFY(abre(f));
        clica(rapido(f, "ajudaButton1"));
        QVERIFY(aciona(f, "Ajuda"));
        QCOMPARE(avisos.erros, QStringList(2, "Arquivo de ajuda não encontrado"));
        f.close();
    }

    void sairSemSalvarSemArquivoNaoGrava() {
        GravaAvisos avisos(true);
        QTemporaryDir vazio;
        pastaProjeto = vazio.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "Z");
        TFormProg f;
        QVERIFY(aciona(f, "Sair sem salvar"));
        QCOMPARE(projeto.nPranchas, 0);
        QVERIFY(QDir(vazio.path()).entryList(QDir::Files).isEmpty());
        QVERIFY(!projetoSalvo); // closing clears it
        pastaProjeto = dir.path();
    }

    void sairDaEdicaoDeixaNoveItens() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "grade");
        for (int j = 0; j < 12; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, QString::number(j));
        TFormProg f;
        QVERIFY(abre(f));
        QCOMPARE(f.lb_itens->count(), 12);
        clica(rapido(f, "b_sair1"));
        QVERIFY(projetoSalvo);
        QVERIFY(!f.isVisible());
        QCOMPARE(projeto.pranchas[0].nItens, 9);

        // A save that fails keeps the edits in memory.
        QTemporaryDir soLeitura;
        pastaProjeto = soLeitura.path() + "/nao/existe";
        projetoSalvo = false;
        insereItemNaPrancha(projeto.pranchas[0], 8, "novo");
        QVERIFY(abre(f));
        clica(rapido(f, "b_sair1"));
        QVERIFY(!projetoSalvo);
        QVERIFY(f.isVisible());
        QCOMPARE(projeto.pranchas[0].nItens, 10);
        QVERIFY(!avisos.erros.isEmpty());
        pastaProjeto = dir.path();
    }

    // The sample project in the editor; with ZELVANA_CAPTURA set, the picture is kept there.
    void projetoDeExemploNoEditor() {
        GravaAvisos avisos(true);
        QTemporaryDir exemplo;
        const QString origem = QString(ZELVANA_SOURCE_DIR) + "/data/exemplo";
        if (!QFileInfo::exists(origem + "/pranchas.pra")) QSKIP("no sample project");
        for (const QString& nome : QDir(origem).entryList(QDir::Files))
            QFile::copy(origem + "/" + nome, exemplo.path() + "/" + nome);
        pastaProjeto = exemplo.path();
        QDir::setCurrent(pastaProjeto);
        carregaPranchas(pastaProjeto);
        QVERIFY(projeto.nPranchas > 0);
        TFormProg f;
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTRY_COMPARE(f.lb_pranchas->count(), projeto.nPranchas);
        QCOMPARE(f.lb_itens->count(), projeto.pranchas[0].nItens);
        QTRY_VERIFY(f.graf.criada);
        const QString captura = qEnvironmentVariable("ZELVANA_CAPTURA");
        if (!captura.isEmpty()) f.grab().save(captura + "/editor.png");
        f.close();
        pastaProjeto = dir.path();
        QDir::setCurrent(dir.path());
    }

    // Coming back from a modal dialog keeps the selection; from another window it does not.
    void ativacaoDepoisDeDialogo() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        for (const char* nome : {"A", "B", "C"})
            inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
        TFormProg f;
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTRY_COMPARE(f.lb_pranchas->count(), 3);
        f.lb_pranchas->setCurrentRow(2);
        QCOMPARE(f.lb_pranchas->currentRow(), 2);

        auto caixaPorCima = [](QWidget* sobre) {
            QMessageBox caixa(QMessageBox::Question, "Zelvana", "?", QMessageBox::No, sobre);
            QTimer::singleShot(0, &caixa, [&caixa] {
                caixa.activateWindow(); // as a window manager would give it the focus
                QTimer::singleShot(300, &caixa, &QWidget::close);
            });
            caixa.exec();
            sobre->activateWindow();
            return QTest::qWaitForWindowActive(sobre);
        };
        QVERIFY(caixaPorCima(&f));
        QCOMPARE(f.lb_pranchas->currentRow(), 2);
        QVERIFY(f.graf.criada);

        // The preview keeps its board over a message and does not play the board again.
        projeto.sintetizando = true; // a missing recording is spoken, so it shows up
        projeto.pranchas[2].som = "c.wav";
        TformVisualiza v;
        v.selecionaPrancha(2);
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QTRY_VERIFY(tocados.join(" ").contains("c.wav"));
        tocados.clear();
        QVERIFY(caixaPorCima(&v));
        QVERIFY(v.findChildren<ElementoGraf*>().size() > 0);
        QTest::qWait(300);
        QVERIFY(!tocados.join(" ").contains("c.wav"));
        v.close();

        QWidget outra;
        outra.show();
        outra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&outra));
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        f.close();
    }

    void mensagensDaVisualizacao() {
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TPrancha& b = projeto.pranchas[0];
        projeto.sintetizando = true; // a missing recording is spoken, so it shows up
        b.som = "casa.wav";
        insereItemNaPrancha(b, -1, "um");
        insereItemNaPrancha(b, 0, "dois");
        b.itens[0].executar = "calc";
        b.itens[1].som = "dois.wav";
        TformVisualiza v;
        janelas.formVisualiza = &v;
        v.selecionaPrancha(0);
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QTRY_VERIFY(v.findChildren<ElementoGraf*>().size() > 0);
        tocados.clear();
        v.resize(700, 500); // a redraw plays the board sound again
        QTRY_VERIFY(tocados.join(" ").contains("casa.wav"));
        auto solta = [&](int n) {
            ElementoGraf* alvo = nullptr;
            for (ElementoGraf* e : v.findChildren<ElementoGraf*>())
                if (indiceDoControle(e) == n && !qobject_cast<MolduraGraf*>(e)) alvo = e;
            QVERIFY(alvo);
            QTest::mousePress(alvo, Qt::LeftButton);
            QTest::mouseRelease(alvo, Qt::LeftButton);
        };
        solta(0);
        QCOMPARE(avisos.infos, (QStringList{"Executaria calc", "Desvio não programado no item 0"}));
        b.link = "outra";
        avisos.infos.clear();
        tocados.clear();
        solta(1);
        QCOMPARE(avisos.infos, QStringList{"Desviaria para outra"});
        paraTudo();

        // JPEG on the desktop, silent.
        QDir(dir.path() + "/Desktop").removeRecursively(); // a fresh account has none yet
        avisos.infos.clear();
        tocados.clear();
        modoSilencioso = true;
        v.gravaJpg();
        QVERIFY(!tocados.join(" ").contains("casa.wav"));
        QVERIFY(avisos.erros.isEmpty());
        QCOMPARE(avisos.infos, QStringList{"casa.jpg gravado na Área de Trabalho"});
        QCOMPARE(QImage(pastaAreaDeTrabalho() + "/casa.jpg").size(), v.Panel1->size());
        QTest::keyClick(&v, Qt::Key_Escape);
        QVERIFY(!v.isVisible());
        janelas.formVisualiza = nullptr;
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
        GravaAvisos avisos(true);
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
        GravaAvisos avisos(true);
        QTemporaryDir proj, fora;
        QImage azul(200, 200, QImage::Format_RGB32);
        azul.fill(Qt::blue);
        QVERIFY(azul.save(proj.filePath("azul.jpg"), "jpeg", 95));
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TPrancha& b = projeto.pranchas[0];
        b.nLinhas = b.nColunas = b.nItens = 1;
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

    void impressaoNumaPaginaPaisagem() {
        QCOMPARE(retanguloDeImpressao(800, 800), QRect(QPoint(30, 35), QPoint(759, 749)));
        GravaAvisos avisos(true);
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "casa");
        TformVisualiza v;
        v.selecionaPrancha(0);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        const QString pdf = dir.path() + "/p.pdf";
        RespostasDeDialogo dialogo;
        dialogo.impressora([pdf](QPrinter& impressora) {
            impressora.setOutputFormat(QPrinter::PdfFormat);
            impressora.setOutputFileName(pdf);
        });
        v.imprimePrancha();
        QCOMPARE(dialogo.pendentes(), 0);
        QVERIFY(avisos.erros.isEmpty());
        QProcess info;
        info.start("pdfinfo", {pdf});
        if (!info.waitForFinished(10000) || info.exitCode() != 0) QSKIP("pdfinfo not available");
        const QString texto = info.readAllStandardOutput();
        QVERIFY2(texto.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(texto));
        const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(texto);
        QVERIFY(m.hasMatch());
        QVERIFY(m.captured(1).toDouble() > m.captured(2).toDouble());
    }

    // Without a window manager nothing gives the focus back when a message closes; the window
    // behind must be active again, or a run would never draw its board.
    void mensagemDevolveOFoco() {
        const Avisos antes = instalaAvisos({});
        instalaDialogosDeTela([](const QString&, int) {});
        QWidget janela;
        janela.resize(300, 200);
        janela.show();
        janela.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&janela));
        noProximoModal([](QWidget* caixa) {
            QVERIFY(caixa->isVisible());
            QTimer::singleShot(200, caixa, &QWidget::close);
        });
        avisoErro("Prancha LUA não foi encontrada");
        QTRY_VERIFY(janela.isActiveWindow());
        instalaAvisos(antes);
    }

    // "Verificar projeto" lists the findings under the lists; a double click or Enter on one
    // selects its board and item; the list follows the edits and says when nothing is left.
    void verificarProjeto() {
        GravaAvisos avisos(true);
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        for (const char* nome : {"A", "B"}) {
            const int i = inserePranchaNoProjeto(projeto, projeto.nPranchas - 1, nome);
            for (int j = 0; j < 3; ++j)
                insereItemNaPrancha(projeto.pranchas[i], j - 1, nome + QString::number(j));
        }
        projeto.pranchas[0].itens[1].link = "NADA";
        projeto.pranchas[1].itens[2].figura = "bola.jpg";
        TFormProg f;
        QVERIFY(abre(f));
        PainelVerificacao* painel = f.painelVerificacao;
        QVERIFY(!painel->isVisible());
        QVERIFY(aciona(f, "Verificar projeto"));
        QVERIFY(painel->isVisible());
        // The window grows to make room for the panel: click once it has settled.
        QRect antes;
        QVERIFY(QTest::qWaitFor([&] {
            const QRect agora(painel->lb_achados->mapTo(&f, QPoint()), painel->lb_achados->size());
            return std::exchange(antes, agora) == agora && agora.height() > 40;
        }));
        QVERIFY(!QAccessible::queryAccessibleInterface(painel->lb_achados)
                     ->text(QAccessible::Name)
                     .isEmpty());
        QCOMPARE(textos(painel->lb_achados),
                 (QStringList{"Prancha \"A\", item 2 (\"A1\"): o link \"NADA\" não leva a "
                              "nenhuma prancha: não há prancha com esse nome.",
                              "Prancha \"B\", item 3 (\"B2\"): a figura \"bola.jpg\" não está "
                              "na pasta do projeto."}));

        // A double click is a click and then the second press.
        clicaLinha(painel->lb_achados, 1);
        clicaLinha(painel->lb_achados, 1, true);
        QCOMPARE(f.lb_pranchas->currentRow(), 1);
        QCOMPARE(f.lb_itens->currentRow(), 2);
        QCOMPARE(f.documento->itemSelecionado(), 2);
        QCOMPARE(QApplication::focusWidget(), f.lb_itens);
        painel->lb_achados->setFocus();
        painel->lb_achados->setCurrentRow(0);
        QTest::keyClick(painel->lb_achados, Qt::Key_Return);
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->currentRow(), 1);
        QCOMPARE(textos(f.lb_itens), (QStringList{"A0", "A1", "A2"}));

        // Removing board A moves B up: the list is checked again, so B's finding leads to B.
        clica(f.b_remover);
        QTRY_COMPARE(painel->lb_achados->count(), 1);
        clicaLinha(painel->lb_achados, 0);
        clicaLinha(painel->lb_achados, 0, true);
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QCOMPARE(f.lb_itens->currentRow(), 2);

        // A file put in the folder is seen when asked again.
        QImage(8, 8, QImage::Format_RGB32).save(pasta.filePath("bola.jpg"), "JPEG");
        clica(painel->b_verificarDeNovo);
        QCOMPARE(textos(painel->lb_achados), QStringList{"Nenhum problema encontrado"});
        clicaLinha(painel->lb_achados, 0);
        clicaLinha(painel->lb_achados, 0, true); // nothing to go to
        QCOMPARE(f.lb_pranchas->currentRow(), 0);
        QVERIFY(avisos.erros.isEmpty());
        const QString captura = qEnvironmentVariable("ZELVANA_CAPTURA");
        if (!captura.isEmpty()) f.grab().save(captura + "/verificacao.png");
        f.close();
        pastaProjeto = dir.path();
    }

    // Before a save drops items past a grid, the author is told once which ones, and may stay.
    void salvarAvisaItensForaDaGrade() {
        GravaAvisos avisos(false);
        QTemporaryDir pasta;
        pastaProjeto = pasta.path();
        projeto = TProjeto{};
        inserePranchaNoProjeto(projeto, -1, "grade");
        projeto.pranchas[0].nLinhas = projeto.pranchas[0].nColunas = 1;
        for (int j = 0; j < 2; ++j)
            insereItemNaPrancha(projeto.pranchas[0], j - 1, "i" + QString::number(j));
        TFormProg f;
        QVERIFY(abre(f));
        clica(rapido(f, "SaveBtn"));
        QCOMPARE(avisos.perguntas.size(), 1);
        QVERIFY(avisos.perguntas[0].contains("Prancha \"grade\", item 2 (\"i1\"): fica fora da "
                                             "grade de 1 × 1"));
        QVERIFY(avisos.perguntas[0].endsWith("Salvar mesmo assim?"));
        QVERIFY(!QFileInfo::exists(pasta.filePath("pranchas.pra"))); // No: nothing written

        avisos.resposta = true;
        QVERIFY(aciona(f, "Salvar"));
        clica(rapido(f, "SaveBtn"));
        QCOMPARE(avisos.perguntas.size(), 2); // the same loss is not asked about again
        QCOMPARE(avisos.rapidas, (QStringList{"Pranchas gravadas", "Pranchas gravadas"}));

        insereItemNaPrancha(projeto.pranchas[0], 1, "i2");
        clica(rapido(f, "b_sair1"));
        QCOMPARE(avisos.perguntas.size(), 3);
        QVERIFY(avisos.perguntas[2].contains("item 3 (\"i2\")"));
        QCOMPARE(projeto.pranchas[0].nItens, 1); // read back: the save dropped them
        pastaProjeto = dir.path();
    }
};

QTEST_MAIN(TstEditorJanelas)
#include "tst_editor_janelas.moc"
