// Printing boards from the start window: the selection window, the print window and the job,
// with the pages read back from the PDF by poppler.
#include "app/form_sel_inic.h"
#include "app/inicio.h"
#include "desenho/imprime_prancha_pagina.h"
#include "desenho/saida_impressa.h"
#include "desenho/trabalho_impressao.h"
#include "janelas/comum/janelas.h"
#include "janelas/impressao/form_imprime.h"
#include "janelas/impressao/sel_imprime.h"
#include "nucleo/prvars.h"
#include "support/apoio.h"
#include "support/pranchas_com_figuras.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

QString roda(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return QStringLiteral("<falhou>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

int paginas(const QString& pdf) {
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(roda("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

bool paisagem(const QString& pdf) {
    const auto m =
        QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(roda("pdfinfo", {pdf}));
    return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
}

QString textoDaPagina(const QString& pdf, int pagina) {
    const QString n = QString::number(pagina);
    return roda("pdftotext", {"-f", n, "-l", n, "-layout", pdf, "-"}).simplified();
}

// Where each word of a page begins and ends (xMin, xMax, xMin, xMax, ...), from poppler.
QList<double> posicoesDasPalavras(const QString& pdf, int pagina) {
    const QString n = QString::number(pagina);
    const QString html = roda("pdftotext", {"-f", n, "-l", n, "-bbox", pdf, "-"});
    QList<double> x;
    const QRegularExpression palavra("<word xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" "
                                     "xMax=\"([\\d.]+)\"");
    for (auto it = palavra.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        x << m.captured(1).toDouble() << m.captured(2).toDouble();
    }
    return x;
}

QString hoje() {
    return rodapeDaPrancha("", QDate::currentDate()).mid(QString("Zelvana -  - ").size());
}

// The page as a picture at 20 dpi.
QImage paginaEmImagem(const QString& pdf, int pagina, const QString& pasta) {
    const QString n = QString::number(pagina);
    roda("pdftoppm", {"-f", n, "-l", n, "-r", "20", "-png", "-singlefile", pdf, pasta + "/pg"});
    return QImage(pasta + "/pg.png");
}

} // namespace

class TstImpressao : public QObject {
    Q_OBJECT
    QTemporaryDir casa;
    QTemporaryDir pasta;
    TFormSelImprime* sel = nullptr;
    TFormImprime* janela = nullptr;

    QString areaDeTrabalho() const { return casa.path() + "/Desktop"; }
    // What the desktop holds, hidden files included (a half-written PDF would be one).
    QStringList naAreaDeTrabalho() const {
        return QDir(areaDeTrabalho()).entryList(QDir::Files | QDir::Hidden);
    }
    // Every print dialog accepted as it comes: the PDF on the desktop, as on a machine without
    // a printer.
    static void aceitaDialogos(RespostasDeDialogo& r, int n) {
        for (int k = 0; k < n; ++k)
            r.impressora([](QPrinter&) {});
    }
    void selecionaComControl(int linha) {
        QListWidget* lista = sel->lb_pranchas;
        const QRect r = lista->visualItemRect(lista->item(linha));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, Qt::ControlModifier, r.center());
    }
    static QString pdfDoAviso(const RespostasDeDialogo& avisos) {
        const QString inicio = "As pranchas foram salvas em ";
        if (avisos.infos.size() != 1 || !avisos.infos.first().startsWith(inicio)) return {};
        return avisos.infos.first().mid(inicio.size());
    }

private slots:
    void initTestCase() {
        if (haImpressora()) QSKIP("this machine has a printer: the pages would go to paper");
        qputenv("HOME", casa.path().toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        criaJanelas();
        sel = janelas.formSelImprime;
        janela = janelas.formImprime;
        QVERIFY(sel && janela);
        novaPastaDeProjeto(pasta);
        montaPranchasComFiguras(pastaProjeto, 5);
        projeto.pranchas[1].titulo.clear();
    }
    void cleanupTestCase() { destroiJanelas(); }
    void init() {
        QDir(areaDeTrabalho()).removeRecursively();
        sel->show();
        QVERIFY(QTest::qWaitForWindowExposed(sel));
    }
    void cleanup() { sel->hide(); }

    // Both windows as the author sees them; the list refilled, selection cleared, each time.
    void janelasComoDescritas() {
        QCOMPARE(sel->windowTitle(), QString("Zelvana - Impressão de Pranchas"));
        QCOMPARE(sel->size(), QSize(484, 392));
        QCOMPARE(janela->windowTitle(), QString("Zelvana - Impressão de Pranchas"));
        QCOMPARE(sel->lb_pranchas->count(), 5);
        QCOMPARE(sel->lb_pranchas->item(3)->text(), QString("p3"));
        QCOMPARE(sel->lb_pranchas->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(sel->b_imprimir->text(), QString("Imprimir"));
        QCOMPARE(sel->b_imprimirTudo->text(), QString("Imprimir tudo"));
        QVERIFY(!sel->lb_pranchas->accessibleName().isEmpty());
        QVERIFY(!janela->Panel1->accessibleName().isEmpty());
        selecionaComControl(2);
        QCOMPARE(sel->selecionadas(), QList<int>{2});
        sel->hide();
        sel->show();
        QVERIFY(sel->selecionadas().isEmpty());
        QCOMPARE(janela->Timer1->interval(), 100);
        QVERIFY(!janela->Timer1->isActive());
    }

    // The rectangle and the footer on an A4 and a Letter page (600 dpi, landscape); the left
    // edge and the footer's x follow the height, halves go to the even neighbour.
    void retangulosDaPagina() {
        QCOMPARE(retanguloDeImpressao(7016, 4961), QRect(QPoint(186, 217), QPoint(6664, 4650)));
        QCOMPARE(posicaoDoRodape(7016, 4961), QPoint(186, 4881));
        // h8 = 637: 0.35 × 637 = 222.95 → 223, 0.5 × 637 = 318.5 → 318 (even).
        QCOMPARE(retanguloDeImpressao(6600, 5100), QRect(QPoint(191, 223), QPoint(6269, 4781)));
        QCOMPARE(posicaoDoRodape(6600, 5100), QPoint(191, 5020));
        // A wide page: the left margin still comes from the height.
        QCOMPARE(retanguloDeImpressao(16000, 800).left(), 30);
        // The system's short date; with no regional setting at all (the C locale), Brazil's.
        const QLocale sistema = QLocale::system().language() == QLocale::C
                                    ? QLocale(QLocale::Portuguese, QLocale::Brazil)
                                    : QLocale::system();
        QCOMPARE(rodapeDaPrancha("", QDate(2026, 3, 9)),
                 "Zelvana -  - " + sistema.toString(QDate(2026, 3, 9), QLocale::ShortFormat));
        if (QLocale::system().language() == QLocale::C)
            QCOMPARE(rodapeDaPrancha("Casa", QDate(2026, 3, 9)), "Zelvana - Casa - 09/03/2026");
    }

    // Three boards picked out of order print three pages in project order with their footers;
    // a board without title keeps both dashes.
    void tresPranchasForaDeOrdem() {
        RespostasDeDialogo dialogos;
        selecionaComControl(3);
        selecionaComControl(0);
        selecionaComControl(1);
        aceitaDialogos(dialogos, 2);
        dialogos.ok(); // where the PDF went
        QTest::mouseClick(sel->b_imprimir, Qt::LeftButton);
        QCOMPARE(dialogos.pendentes(), 0);
        QCOMPARE(dialogos.perguntas.size(), 2); // the selection's dialog, then the window's
        QVERIFY2(dialogos.erros.isEmpty(), qPrintable(dialogos.erros.join('\n')));
        QVERIFY(!janela->isVisible());
        const QString pdf = pdfDoAviso(dialogos);
        QVERIFY2(!pdf.isEmpty(), qPrintable(dialogos.infos.join('\n')));
        QCOMPARE(QFileInfo(pdf).absolutePath(), areaDeTrabalho());
        QCOMPARE(naAreaDeTrabalho(), QStringList{QFileInfo(pdf).fileName()});
        QCOMPARE(paginas(pdf), 3);
        QVERIFY(paisagem(pdf));
        QCOMPARE(textoDaPagina(pdf, 1), "Zelvana - Título 0 - " + hoje());
        QCOMPARE(textoDaPagina(pdf, 2), "Zelvana - - " + hoje()); // simplified: one space
        // Both spaces are there: the gap between the dashes is twice the one before them.
        const QList<double> x = posicoesDasPalavras(pdf, 2);
        QVERIFY(x.size() >= 3 * 2);
        QVERIFY2(x[4] - x[3] > 1.6 * (x[2] - x[1]), qPrintable(QString::number(x[4] - x[3])));
        QCOMPARE(textoDaPagina(pdf, 3), "Zelvana - Título 3 - " + hoje());
        // The board fills the margins: its blue in the middle, white paper in the corner.
        const QImage pagina = paginaEmImagem(pdf, 3, pasta.path());
        QVERIFY(!pagina.isNull());
        QVERIFY(pagina.width() > pagina.height());
        QCOMPARE(pagina.pixelColor(1, 1), QColor(Qt::white));
        // Across the middle, the board's dark blue runs from the left margin to the right one:
        // on A4 at 600 dpi inside margins of 10 points, x from 2.8 + 180 / 30 to 2.8 + 6509 / 30
        // at 20 dpi.
        const int y = pagina.height() / 2;
        int primeiro = -1, ultimo = -1;
        for (int x = 0; x < pagina.width(); ++x) {
            const QColor c = pagina.pixelColor(x, y);
            if (c.blue() > 40 && c.red() < 40 && c.green() < 40) {
                if (primeiro < 0) primeiro = x;
                ultimo = x;
            }
        }
        QVERIFY2(qAbs(primeiro - 9) <= 2, qPrintable(QString::number(primeiro)));
        QVERIFY2(qAbs(ultimo - 219) <= 2, qPrintable(QString::number(ultimo)));
    }

    // "Imprimir tudo" selects every line: one page a board and nothing after the last.
    void imprimirTudo() {
        RespostasDeDialogo dialogos;
        aceitaDialogos(dialogos, 2);
        dialogos.ok();
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        QCOMPARE(dialogos.pendentes(), 0);
        QCOMPARE(sel->selecionadas(), (QList<int>{0, 1, 2, 3, 4}));
        const QString pdf = pdfDoAviso(dialogos);
        QVERIFY2(!pdf.isEmpty(), qPrintable(dialogos.erros.join('\n')));
        QCOMPARE(paginas(pdf), 5);
        QCOMPARE(textoDaPagina(pdf, 5), "Zelvana - Título 4 - " + hoje());
    }

    // Nothing selected, or a project without boards: a message, no dialog, no page.
    void nadaParaImprimir() {
        RespostasDeDialogo dialogos; // any dialog would fail the test
        dialogos.ok();
        QTest::mouseClick(sel->b_imprimir, Qt::LeftButton);
        QCOMPARE(dialogos.erros.size(), 1);
        QVERIFY(dialogos.erros.first().startsWith("Nenhuma prancha selecionada"));
        const TProjeto guardado = projeto;
        projeto = TProjeto{};
        sel->hide();
        sel->show();
        dialogos.ok();
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        projeto = guardado;
        QCOMPARE(dialogos.erros.size(), 2);
        QCOMPARE(dialogos.erros.last(), QString("Não existem pranchas neste projeto"));
        QVERIFY(dialogos.perguntas.isEmpty());
        QVERIFY(naAreaDeTrabalho().isEmpty());
    }

    // Cancelling the first dialog keeps the selection window; cancelling the second leaves the
    // print window open and empty until the author closes it. Nothing is written either way.
    void dialogosCancelados() {
        RespostasDeDialogo dialogos;
        dialogos.cancela();
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        QCOMPARE(dialogos.pendentes(), 0);
        QVERIFY(!janela->isVisible());
        dialogos.impressora([](QPrinter&) {}).cancela();
        bool abertaEVazia = false;
        QTimer::singleShot(400, janela, [&] {
            abertaEVazia =
                janela->isVisible() && janela->Panel1->text().isEmpty() && !janela->imprimindo();
            janela->close();
        });
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        QVERIFY(abertaEVazia);
        QCOMPARE(dialogos.pendentes(), 0);
        QVERIFY(dialogos.erros.isEmpty() && dialogos.infos.isEmpty());
        QVERIFY(naAreaDeTrabalho().isEmpty());
    }

    // A long job shows which board it is on while the window keeps answering, and "Cancelar"
    // halfway leaves no file at all, not even a hidden one.
    void andamentoECancelamento() {
        const TProjeto guardado = projeto;
        montaPranchasComFiguras(pastaProjeto, 30);
        sel->hide();
        sel->show();
        RespostasDeDialogo dialogos;
        aceitaDialogos(dialogos, 2);
        QStringList vistos;
        QTimer olhar;
        olhar.setInterval(5);
        connect(&olhar, &QTimer::timeout, this, [&] {
            if (!janela->l_progresso->isVisible()) return;
            const QString t = janela->l_progresso->text();
            if (vistos.isEmpty() || vistos.last() != t) vistos << t;
            if (janela->pb_progresso->value() >= 3) {
                olhar.stop();
                QTest::mouseClick(janela->b_cancelar, Qt::LeftButton);
            }
        });
        olhar.start();
        QTest::mouseClick(sel->b_imprimirTudo, Qt::LeftButton);
        projeto = guardado;
        QVERIFY(!janela->isVisible());
        QVERIFY2(vistos.contains("Preparando impressão: prancha 2 de 30"),
                 qPrintable(vistos.join('|')));
        QVERIFY(!vistos.contains("Terminando a impressão"));
        QVERIFY(dialogos.erros.isEmpty() && dialogos.infos.isEmpty());
        QVERIFY2(naAreaDeTrabalho().isEmpty(), qPrintable(naAreaDeTrabalho().join(',')));
    }

    // The start window's "Imprimir" opens the selection window on the open project.
    void abertaPelaJanelaInicial() {
        sel->hide();
        TformSelInic* inicio = janelas.formSelInic;
        inicio->habilitaBotoes();
        int linhas = -1;
        noProximoModal([&](QWidget* modal) {
            linhas = modal == sel ? sel->lb_pranchas->count() : -2;
            modal->close();
        });
        QTest::mouseClick(inicio->b_imprimir, Qt::LeftButton);
        QCOMPARE(linhas, 5);
    }

    // The job on its own: indices in any order, repeated or of no board, give one page each
    // for the boards that exist, in project order; a picture is kept only for the last page.
    void trabalhoDireto() {
        QPrinter impressora(QPrinter::HighResolution);
        preparaImpressora(impressora, "direto");
        const QString pdf = pasta.filePath("direto.pdf");
        impressora.setOutputFileName(pdf);
        TrabalhoDeImpressao trabalho(impressora, {4, 2, 4, -1, 99, 2}, QSize(400, 300),
                                     QDate(2026, 1, 2));
        QCOMPARE(trabalho.total(), 2);
        QVERIFY(trabalho.comeca());
        QVERIFY(!QFileInfo::exists(pdf)); // not there before it is whole
        while (!trabalho.acabou())
            QVERIFY(trabalho.imprimeProxima());
        QCOMPARE(trabalho.ultimaImagem().size(), QSize(400, 300));
        QVERIFY(trabalho.termina());
        QCOMPARE(paginas(pdf), 2);
        QVERIFY(textoDaPagina(pdf, 1).startsWith("Zelvana - Título 2 - "));
        QVERIFY(textoDaPagina(pdf, 2).startsWith("Zelvana - Título 4 - "));
    }
};

QTEST_MAIN(TstImpressao)
#include "tst_impressao.moc"
