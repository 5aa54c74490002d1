// A project of 10,000 boards, generated here (never committed): grids from 2 x 2 to 20 x 20,
// mostly small, every cell an item with a library picture, links in chains that close into
// loops, a way back on every board and jumps across the project. Measures the save, the load
// (against a raw read of the same bytes), the memory of a fresh process after one load, the
// editor opened on the project and a board chosen in it, the run (click through 100 links:
// click to board drawn, and the drawing alone), and memory: peak, and after 100 and 10,000
// board changes in one run.
//   scripts/com-servicos.sh build/bench/bench_escala [PRANCHAS] [TROCAS] [VEZES]
// VEZES (9 unless given) is how many saves, loads and editor openings each median takes.
#include "clique.h"
#include "janelas/editor/form_prog.h"
#include "janelas/execucao/form_executa.h"
#include "medidas.h"
#include "nucleo/arquivo_seguro.h"
#include "nucleo/avisos.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int tamanhoDaCadeia = 50; // boards linked one after the other, the last to the first
constexpr int figurasCopiadas = 400;

QString nomeDaPrancha(int i) {
    return QStringLiteral("P%1").arg(i, 5, 10, QLatin1Char('0'));
}

// Sides of the grids: most boards small, some of a keyboard's size.
QPair<int, int> grade(QRandomGenerator& acaso) {
    const int d = int(acaso.bounded(100));
    auto entre = [&](int a, int b) { return a + int(acaso.bounded(b - a + 1)); };
    if (d < 60) return {entre(2, 5), entre(2, 5)};
    if (d < 90) return {entre(6, 10), entre(6, 10)};
    return {entre(12, 20), entre(12, 20)};
}

TProjeto geraProjeto(int n, const QStringList& figuras) {
    QRandomGenerator acaso(2026);
    TProjeto p;
    p.nome = QStringLiteral("Escala");
    p.autor = QStringLiteral("Bancada");
    p.data = QStringLiteral("08/12/2026 12:00:00");
    p.pranchaInicial = nomeDaPrancha(0);
    p.pranchas.resize(n);
    for (int i = 0; i < n; ++i) {
        TPrancha& pr = p.pranchas[i];
        pr.nome = nomeDaPrancha(i);
        pr.titulo = QStringLiteral("Prancha %1").arg(i);
        const auto [colunas, linhas] = grade(acaso);
        pr.nColunas = colunas;
        pr.nLinhas = linhas;
        pr.cor = 0xC0FFFF;
        const int inicioDaCadeia = i - i % tamanhoDaCadeia;
        const int proxima = (i + 1) % tamanhoDaCadeia == 0 || i + 1 == n ? inicioDaCadeia : i + 1;
        for (int k = 0; k < colunas * linhas; ++k) {
            TItem it;
            const QString& figura = figuras[int(acaso.bounded(int(figuras.size())))];
            it.figura = figura;
            it.rotulo = QFileInfo(figura).completeBaseName();
            it.fala = k % 3 == 0 ? QStringLiteral("eu quero ") + it.rotulo : QString();
            it.cor = k % 2 ? 0xFFE0C0 : semCor;
            if (k == 0) it.link = nomeDaPrancha(proxima);
            if (k == 1) it.link = QStringLiteral("#ANTERIOR");
            if (k == 2) it.link = nomeDaPrancha(int(acaso.bounded(n)));
            pr.itens.append(it);
        }
    }
    return p;
}

// The memory a fresh process holds once it has loaded the project, and nothing else: what the
// program holds after opening it. Run as a child of the benchmark, so the generated project and
// the measures before it leave nothing behind in the figure. Prints two numbers, KiB before and
// after the load.
int soCarrega(const QString& pasta) {
    const long antes = memoriaKb("VmRSS:");
    carregaPranchas(pasta);
    std::printf("%ld %ld\n", antes, memoriaKb("VmRSS:"));
    return projeto.nPranchas() > 0 ? 0 : 1;
}

double ms(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

QString tituloDesenhado(const TFormExecuta& runner) {
    return runner.graf().labelTitulo ? runner.graf().labelTitulo->texto : QString();
}

// Stamps the first paint of a widget, once painted: the stamp is taken when the event loop
// comes back from it.
class PrimeiraPintura : public QObject {
public:
    explicit PrimeiraPintura(const QElapsedTimer& relogio) : relogio(relogio) {}
    double instante = -1;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && instante < 0 && !pedido) {
            pedido = true;
            QTimer::singleShot(0, this,
                               [this] { instante = double(relogio.nsecsElapsed()) / 1e6; });
        }
        return false;
    }

private:
    const QElapsedTimer& relogio;
    bool pedido = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    instalaAvisos({[](const QString& t) { std::fprintf(stderr, "aviso: %s\n", qPrintable(t)); },
                   [](const QString&, int) {}, [](const QString&) { return true; },
                   [](const QString&) {}});
    if (argc == 3 && QByteArray(argv[1]) == "--so-carrega") return soCarrega(argv[2]);
    const int nPranchas = argc > 1 ? std::max(2, std::atoi(argv[1])) : 10000;
    const int nTrocas = argc > 2 ? std::max(100, std::atoi(argv[2])) : 10000;
    const int vezes = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;

    const QDir biblioteca(QStringLiteral(ZELVANA_BIBLIOTECA));
    QStringList figuras = biblioteca.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    if (figuras.size() < figurasCopiadas) {
        std::fprintf(stderr, "biblioteca de figuras ausente em %s\n", ZELVANA_BIBLIOTECA);
        return 1;
    }
    // Spread over the alphabet, not the first few letters only.
    QStringList usadas;
    for (int k = 0; k < figurasCopiadas; ++k)
        usadas << figuras[k * int(figuras.size()) / figurasCopiadas];

    QTemporaryDir pasta;
    for (const QString& f : usadas)
        copiaArquivoSeguro(biblioteca.filePath(f), pasta.filePath(f));
    definePastaProjeto(pasta.path());
    std::vector<double> gravacoes, cargas, brutas;
    {
        const TProjeto gerado = geraProjeto(nPranchas, usadas);
        qint64 itens = 0;
        for (const TPrancha& pr : gerado.pranchas)
            itens += pr.nItens();
        std::printf("%d pranchas, %lld itens, %d figuras da biblioteca\n", nPranchas, itens,
                    int(usadas.size()));
        for (int k = 0; k < vezes; ++k) {
            projeto = gerado;
            gravacoes.push_back(ms([] { salvarProjeto(); }));
        }
    }
    // Only what the program itself holds from here on: the project it loads.
    limpaPranchas(projeto);
    const QString arquivo = pasta.filePath(QStringLiteral("pranchas.pra"));
    const qint64 bytes = QFileInfo(arquivo).size();
    for (int k = 0; k < vezes; ++k) {
        brutas.push_back(ms([&] {
            QFile f(arquivo);
            volatile qsizetype n = f.open(QIODevice::ReadOnly) ? f.readAll().size() : 0;
            (void)n;
        }));
        cargas.push_back(ms([&] { carregaPranchas(pasta.path()); }));
    }
    if (projeto.nPranchas() != nPranchas) {
        std::fprintf(stderr, "a carga deu %d pranchas\n", projeto.nPranchas());
        return 1;
    }
    std::printf("arquivo de pranchas: %.1f MB; medianas de %d vezes\n", double(bytes) / 1e6, vezes);
    std::printf("salvar (com cópia de segurança, sincronia e releitura): mediana %.0f ms\n",
                mediana(gravacoes));
    std::printf("carregar: mediana %.0f ms; leitura bruta dos mesmos bytes: mediana %.1f ms "
                "(razão %.3f)\n",
                mediana(cargas), mediana(brutas), mediana(brutas) / mediana(cargas));
    QProcess filho;
    filho.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--so-carrega"), pasta.path()});
    const QList<QByteArray> kb = filho.waitForFinished(60000)
                                     ? filho.readAllStandardOutput().split(' ')
                                     : QList<QByteArray>{};
    if (kb.size() == 2)
        std::printf("memória após carregar, processo novo: %.0f MB (%.0f MB antes da carga)\n",
                    kb[1].trimmed().toDouble() / 1024, kb[0].toDouble() / 1024);
    else
        std::fprintf(stderr, "o processo que só carrega falhou\n");
    std::printf("memória após carregar, neste processo: %.0f MB\n", memoriaKb("VmRSS:") / 1024.0);

    {
        // Opening the editor: the window built (the program builds it once, after the start
        // window is up), then shown until its board list is first painted, full.
        std::vector<double> criacoes, aberturas;
        int listadas = 0;
        for (int k = 0; k < vezes; ++k) {
            QElapsedTimer relogio;
            relogio.start();
            TFormProg editor;
            const double criado = double(relogio.nsecsElapsed()) / 1e6;
            PrimeiraPintura pintura(relogio);
            editor.lb_pranchas->viewport()->installEventFilter(&pintura);
            editor.show();
            esperaAte([&] { return pintura.instante >= 0; }, 60000);
            criacoes.push_back(criado);
            aberturas.push_back(pintura.instante - criado);
            listadas = editor.lb_pranchas->count();
            editor.close();
        }
        std::printf("editor, criação da janela: mediana %.0f ms; da abertura à primeira pintura "
                    "da lista: mediana %.0f ms (%d pranchas listadas)\n",
                    mediana(criacoes), mediana(aberturas), listadas);
    }
    {
        TFormProg editor;
        editor.show();
        esperaAte([&] { return editor.lb_pranchas->count() == nPranchas; }, 60000);
        std::vector<double> escolhas;
        QRandomGenerator acaso(7);
        for (int k = 0; k < 50; ++k) {
            const int i = int(acaso.bounded(nPranchas));
            escolhas.push_back(ms([&] {
                editor.lb_pranchas->setCurrentRow(i);
                QCoreApplication::processEvents();
            }));
        }
        std::printf("editor, uma prancha escolhida na lista (itens e desenho): mediana %.0f ms\n",
                    mediana(escolhas));
        editor.close();
    }
    std::printf("memória após o editor: %.0f MB\n", memoriaKb("VmRSS:") / 1024.0);

    TFormExecuta runner;
    if (!runner.preparaExecucao(nomeDaPrancha(0))) return 1;
    runner.show();
    if (!esperaAte([&] { return runner.graf().criada && runner.isActiveWindow(); }, 10000)) {
        std::fprintf(stderr, "a execução não começou\n");
        return 1;
    }
    // Click through links: item 0 (the next board of the chain), every tenth a jump (item 2).
    std::vector<double> trocas, desenhos;
    QRandomGenerator acaso(11);
    int feitas = 0;
    auto clicaLink = [&](bool comRelogio) {
        if (!esperaAte([&] { return !runner.motor().ocupado; }, 5000)) return false;
        if (comRelogio) espera(int(acaso.bounded(200))); // any moment of the tick
        const int item = feitas % 10 == 9 ? 2 : 0;
        const QString antes = tituloDesenhado(runner);
        QWidget* celula = runner.graf().itensGraf.value(item).painel;
        if (!celula) return false;
        ++feitas;
        if (!comRelogio) {
            // The same click and the tick that follows it, without waiting for the timer.
            runner.motor().pressiona();
            runner.motor().solta(item);
            desenhos.push_back(ms([&] { runner.motor().tickSerializacao(); }));
            // What going back to the event loop does: paint, and delete what was let go.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return true;
        }
        const double t = ms([&] {
            clica(celula);
            esperaAte([&] { return tituloDesenhado(runner) != antes; }, 5000);
        });
        trocas.push_back(t);
        return true;
    };
    for (int k = 0; k < 100; ++k)
        if (!clicaLink(true)) break;
    std::printf("execução, clique em um link até a prancha desenhada (com a espera do tique de "
                "200 ms): mediana %.0f ms em %d trocas\n",
                mediana(trocas), int(trocas.size()));
    const double depoisDe100 = memoriaKb("VmRSS:") / 1024.0;
    while (feitas < nTrocas)
        if (!clicaLink(false)) break;
    const double depoisDeTodas = memoriaKb("VmRSS:") / 1024.0;
    std::sort(desenhos.begin(), desenhos.end());
    std::printf("execução, o tique que desenha a prancha seguinte: mediana %.1f ms, 90%% até "
                "%.1f ms, máximo %.1f ms\n",
                mediana(desenhos), desenhos.empty() ? -1 : desenhos[desenhos.size() * 9 / 10],
                desenhos.empty() ? -1 : desenhos.back());
    std::printf("memória após 100 trocas: %.0f MB; após %d trocas: %.0f MB; pico: %.0f MB\n",
                depoisDe100, feitas, depoisDeTodas, memoriaKb("VmHWM:") / 1024.0);
    runner.close();
    return 0;
}
