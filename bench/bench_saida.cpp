// The time between a choice and its sound: from the click event on an item of a running board
// to the first sample heard on the null sink's monitor, for a WAV recording and for speech,
// 20 of each, alternated; then, for comparison, from the pump that starts an entry (saidaLivre)
// alone; then the board change: from the click on an item with a link and nothing to say to the
// new board's pixels, and from the last sample heard of a recording or of a spoken word to the
// new board's pixels; with the board changed without waiting for the output, from the click on
// the spoken word to the new board. With the message bar: from the click to the entry's first
// paint in the bar, and from the click on "Falar" over a 10-entry message to its first sample.
// Prints every figure and the medians.
//   scripts/com-servicos.sh build/bench/bench_saida
#include "../tests/support/escuta.h"
#include "clique.h"
#include "janelas/execucao/faixa_mensagem.h"
#include "janelas/execucao/form_executa.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "medidas.h"
#include "nucleo/prvars.h"
#include "plataforma/audio.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Runs that heard nothing (-1) do not count.
double medianaDosOuvidos(std::vector<double> v) {
    v.erase(std::remove(v.begin(), v.end(), -1.0), v.end());
    return mediana(v);
}

void imprime(const char* nome, const std::vector<double>& v) {
    std::printf("%-28s", nome);
    for (double x : v)
        std::printf(" %4.0f", x);
    std::printf("   mediana %.0f ms\n", medianaDosOuvidos(v));
}

// The instant of the first loud sample heard from window `desde` on; -1 when none.
double primeiroSom(Escuta& escuta, int desde) {
    escuta.drena();
    const int j = escuta.primeiraSoando(desde);
    if (j < 0) return -1;
    int i = j * Escuta::janela;
    while (i < (j + 1) * Escuta::janela && std::abs(escuta.amostras[i]) < 300)
        ++i;
    return escuta.instante(i);
}

// The instant each mouse release reaches the program, before any widget handles it.
class MarcaClique : public QObject {
public:
    explicit MarcaClique(const QElapsedTimer& relogio) : relogio(relogio) {}
    double instante = -1;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease && instante < 0)
            instante = double(relogio.nsecsElapsed()) / 1e6;
        return false;
    }

private:
    const QElapsedTimer& relogio;
};

// The instant the message bar's list first paints something after `instante` is reset.
class MarcaPintura : public QObject {
public:
    MarcaPintura(const QElapsedTimer& relogio, const QWidget* lista)
        : relogio(relogio), lista(lista) {}
    double instante = -1;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && instante < 0 && o->isWidgetType() &&
            lista->isAncestorOf(static_cast<QWidget*>(o)))
            instante = double(relogio.nsecsElapsed()) / 1e6;
        return false;
    }

private:
    const QElapsedTimer& relogio;
    const QWidget* lista;
};

// One board: a WAV recording and a text spoken (no recording of that name), no link.
void montaProjeto() {
    limpaPranchas(projeto);
    projeto.sintetizando = true;
    projeto.falando = false;
    projeto.tempoHisterese = 0;
    projeto.tempoVarredura = 0;
    projeto.tempoAutoClique = 0;
    projeto.tempoSocorro = 0;
    TPrancha p;
    p.nome = "LATENCIA";
    p.titulo = "Latência";
    p.nColunas = 2;
    p.nLinhas = 1;
    TItem tom;
    tom.rotulo = "tom";
    tom.semFigura = true;
    tom.som = "tom";
    TItem fala;
    fala.rotulo = "fala";
    fala.semFigura = true;
    fala.fala = "Bom dia";
    p.itens = {tom, fala};
    projeto.pranchas = {p};
}

double medeCliqueEm(TFormExecuta& runner, QWidget* celula, Escuta& escuta, MarcaClique& marca);

// The instant of the last loud sample heard from window `desde` on; -1 when none.
double ultimoSom(Escuta& escuta, int desde) {
    escuta.drena();
    const int j = escuta.ultimaSoando();
    if (j < desde) return -1;
    int i = (j + 1) * Escuta::janela - 1;
    while (i > j * Escuta::janela && std::abs(escuta.amostras[i]) < 300)
        --i;
    return escuta.instante(i);
}

// Sets "Troca a prancha sem esperar a fala" where the tree has it, so the same benchmark builds
// on a tree from before the option (its figures then are those of the wait).
template <class A>
auto semEsperar(A& a, bool ligado, int) -> decltype(a.trocaSemEsperar = ligado, bool()) {
    a.trocaSemEsperar = ligado;
    return true;
}
template <class A> bool semEsperar(A&, bool, long) {
    return false;
}

// ESCOLHA: a recording, a spoken word and nothing, each leading to DESTINO, whose one item
// leads back with nothing to say.
void montaTrocas() {
    montaProjeto();
    TPrancha escolha;
    escolha.nome = escolha.titulo = "ESCOLHA";
    escolha.nColunas = 3;
    escolha.nLinhas = 1;
    for (const char* rotulo : {"tom", "comer", "nada"}) {
        TItem it;
        it.rotulo = rotulo;
        it.semFigura = true;
        it.link = "DESTINO";
        escolha.itens << it;
    }
    escolha.itens[0].som = "tom";
    escolha.itens[1].fala = "comer"; // no recording of that name: spoken
    TPrancha destino;
    destino.nome = destino.titulo = "DESTINO";
    destino.nColunas = destino.nLinhas = 1;
    TItem voltar;
    voltar.rotulo = "voltar";
    voltar.semFigura = true;
    voltar.link = "ESCOLHA";
    destino.itens = {voltar};
    projeto.pranchas = {escolha, destino};
}

struct Trocas {
    std::vector<double> cliqueSemSaida, fimGravacao, fimFala, cliqueFalaSemEsperar;
};

// Clicks item `item` of the board shown once the run is at rest and awaits board `titulo`;
// gives the instants of the click, of the new board's pixels and of the last sample heard.
bool clicaETroca(TFormExecuta& runner, int item, const QString& titulo, Escuta& escuta,
                 MarcaTroca& marca, double& ultimo) {
    if (!esperaAte([&] { return saidaLivre() && !runner.motor().ocupado; }, 5000, 10)) return false;
    static QRandomGenerator acaso(35);
    espera(150 + int(acaso.bounded(200))); // at any moment of the run's 200 ms tick
    escuta.drena();
    const int antes = escuta.nJanelas();
    QWidget* celula = runner.graf().itensGraf.value(item).painel;
    if (!celula) return false;
    marca.aguarda(titulo);
    clica(celula);
    if (!esperaAte([&] { return marca.pixels >= 0; }, 5000)) return false;
    // The sound to its end, and the sink's tail caught by the recording.
    esperaAte([&] { return saidaLivre(); }, 5000, 10);
    espera(200);
    ultimo = ultimoSom(escuta, antes);
    return true;
}

Trocas medeTrocas(int vezes, Escuta& escuta, const QElapsedTimer& relogio) {
    Trocas t;
    montaTrocas();
    MarcaTroca marca(relogio);
    qApp->installEventFilter(&marca);
    for (const bool sem : {false, true}) {
        if (!semEsperar(projeto.acesso, sem, 0) && sem) break;
        TFormExecuta runner;
        if (!runner.preparaExecucao("ESCOLHA")) break;
        runner.show();
        if (!esperaAte([&] { return runner.graf().criada && runner.isActiveWindow(); }, 5000, 10))
            break;
        double ultimo = -1;
        for (int k = 0; k < vezes; ++k) {
            for (int item : {0, 1, 2}) {
                if (!clicaETroca(runner, item, "DESTINO", escuta, marca, ultimo)) continue;
                const double clique = marca.pixels - marca.soltura;
                if (sem && item == 1) t.cliqueFalaSemEsperar.push_back(clique);
                if (!sem && item == 2) t.cliqueSemSaida.push_back(clique);
                if (!sem && item < 2 && ultimo >= 0)
                    (item == 0 ? t.fimGravacao : t.fimFala).push_back(marca.pixels - ultimo);
                if (clicaETroca(runner, 0, "ESCOLHA", escuta, marca, ultimo) && !sem)
                    t.cliqueSemSaida.push_back(marca.pixels - marca.soltura);
            }
        }
        runner.close();
    }
    semEsperar(projeto.acesso, false, 0);
    qApp->removeEventFilter(&marca);
    return t;
}

// From the click on item `item` to its first sample heard.
double medeClique(TFormExecuta& runner, int item, Escuta& escuta, MarcaClique& marca) {
    return medeCliqueEm(runner, runner.graf().itensGraf.value(item).painel, escuta, marca);
}

double medeCliqueEm(TFormExecuta& runner, QWidget* celula, Escuta& escuta, MarcaClique& marca) {
    // At rest: the previous choice heard to its end and the runner taking clicks again.
    if (!esperaAte([&] { return saidaLivre() && !runner.motor().ocupado; }, 5000, 10)) return -1;
    // A person clicks at any moment of the runner's 200 ms tick, not in step with it.
    static QRandomGenerator acaso(21);
    espera(150 + int(acaso.bounded(200)));
    escuta.drena();
    const int antes = escuta.nJanelas();
    if (!celula) return -1;
    marca.instante = -1;
    clica(celula);
    double ouvido = -1;
    esperaAte(
        [&] {
            ouvido = primeiroSom(escuta, antes);
            return ouvido >= 0;
        },
        3000, 10);
    return ouvido < 0 || marca.instante < 0 ? -1 : ouvido - marca.instante;
}

// From the pump that starts the entry to its first sample heard.
double medeBomba(const QString& entrada, bool fala, Escuta& escuta, const QElapsedTimer& relogio) {
    esperaAte([] { return saidaLivre(); }, 5000, 10);
    espera(150);
    escuta.drena();
    const int antes = escuta.nJanelas();
    fala ? enfileiraFala(entrada) : enfileiraSom(entrada);
    const double inicio = double(relogio.nsecsElapsed()) / 1e6;
    saidaLivre();
    double ouvido = -1;
    esperaAte(
        [&] {
            saidaLivre();
            ouvido = primeiroSom(escuta, antes);
            return ouvido >= 0;
        },
        3000, 10);
    return ouvido < 0 ? -1 : ouvido - inicio;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!saidaDeAudioDisponivel()) {
        std::fprintf(stderr, "sem saída de som: rode com scripts/com-servicos.sh\n");
        return 1;
    }
    const int vezes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    QTemporaryDir pasta;
    QDir::setCurrent(pasta.path());
    pastaProjeto = pasta.path();
    gravaTom("tom.wav", 440, 300);
    montaProjeto();

    QElapsedTimer relogio;
    relogio.start();
    Escuta escuta(relogio);
    MarcaClique marca(relogio);
    app.installEventFilter(&marca);

    std::vector<double> cliqueGravacao, cliqueFala, bombaGravacao, bombaFala;
    {
        TFormExecuta runner;
        if (!runner.preparaExecucao("LATENCIA")) return 1;
        runner.show();
        if (!esperaAte([&] { return runner.graf().criada && runner.isActiveWindow(); }, 5000, 10)) {
            std::fprintf(stderr, "a execução não começou\n");
            return 1;
        }
        for (int k = 0; k < vezes; ++k) {
            cliqueGravacao.push_back(medeClique(runner, 0, escuta, marca));
            cliqueFala.push_back(medeClique(runner, 1, escuta, marca));
        }
        runner.close();
    }
    std::vector<double> cliqueEntrada, falar10;
    {
        projeto.acesso.barraMensagem = true;
        TFormExecuta runner;
        if (!runner.preparaExecucao("LATENCIA")) return 1;
        runner.show();
        if (!esperaAte([&] { return runner.graf().criada && runner.isActiveWindow(); }, 5000, 10))
            return 1;
        MarcaPintura pintura(relogio, runner.faixa()->lista());
        app.installEventFilter(&pintura);
        for (int k = 0; k < vezes; ++k) {
            for (int e = 0; e < 10; ++e) {
                esperaAte([&] { return saidaLivre() && !runner.motor().ocupado; }, 5000, 10);
                espera(50);
                pintura.instante = marca.instante = -1;
                clica(runner.graf().itensGraf[0].painel);
                esperaAte([&] { return pintura.instante >= 0; }, 1000, 1);
                cliqueEntrada.push_back(pintura.instante < 0 || marca.instante < 0
                                            ? -1
                                            : pintura.instante - marca.instante);
            }
            falar10.push_back(
                medeCliqueEm(runner, runner.faixa()->celula(0).painel, escuta, marca));
            esperaAte([&] { return saidaLivre() && !runner.motor().ocupado; }, 10000, 10);
            clica(runner.faixa()->celula(2).painel); // Limpar
        }
        app.removeEventFilter(&pintura);
        runner.close();
        projeto.acesso.barraMensagem = false;
    }
    app.removeEventFilter(&marca);
    const Trocas trocas = medeTrocas(vezes / 2 > 0 ? vezes / 2 : 1, escuta, relogio);
    montaProjeto();
    iniciaVoz(true);
    for (int k = 0; k < vezes; ++k) {
        bombaGravacao.push_back(medeBomba("tom", false, escuta, relogio));
        bombaFala.push_back(medeBomba("Bom dia", true, escuta, relogio));
    }
    encerraVoz();

    std::printf("ms, %d de cada (-1: nada se ouviu)\n", vezes);
    imprime("clique -> gravação WAV", cliqueGravacao);
    imprime("clique -> fala", cliqueFala);
    imprime("bombeio -> gravação WAV", bombaGravacao);
    imprime("bombeio -> fala", bombaFala);
    std::printf("troca de prancha, ms (negativo: a prancha veio antes do fim do som)\n");
    imprime("clique sem saída -> prancha", trocas.cliqueSemSaida);
    imprime("fim da gravação -> prancha", trocas.fimGravacao);
    imprime("fim da fala -> prancha", trocas.fimFala);
    if (!trocas.cliqueFalaSemEsperar.empty())
        imprime("sem esperar: clique -> prancha", trocas.cliqueFalaSemEsperar);
    else
        std::printf("sem esperar: a opção não existe nesta versão\n");
    std::printf("barra de mensagem:\n");
    std::printf("clique -> entrada pintada: mediana %.1f ms em %zu\n",
                medianaDosOuvidos(cliqueEntrada), cliqueEntrada.size());
    imprime("Falar (10) -> gravação WAV", falar10);
    return 0;
}
