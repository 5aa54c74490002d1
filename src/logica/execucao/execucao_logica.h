// The run of a project, free of widgets: link resolution, the run state, the serialization
// tick, press and release, the help press, the scan step, hover and dwell, and the keys.
// The window plugs its drawing, output queue, pointer and timers in through PortasExecucao,
// so tests drive every rule with a fake clock and by calling the tick.
#pragma once

#include "logica/execucao/teclas_seguradas.h"
#include "logica/execucao/varredura.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct TProjeto;
struct TItem;
class BarraMensagem;
enum class CelulaBarra;

// What choosing an item plays, in order: its recording, its speech file, then its label when
// labels are spoken.
struct Saida {
    bool fala = false; // speech of the text, not a file
    QString texto;
};
// A label equal to the item's recording or speech text is not said again.
QList<Saida> saidasDoItem(const TItem& it, bool falaRotulo);
// Two entries that say the same: equal names, in any case, ".wav" or not.
bool mesmoDito(const QString& a, const QString& b);

enum class FormaCursor { padrao, ampulheta, setasDivididas, maoApontando };

constexpr int semPendente = -1;
constexpr int soRetomar = 99999;
constexpr int intervaloSerializacao = 200;
// How often, between ticks, the window looks whether a waiting board may now be shown: well
// within a frame.
constexpr int intervaloTroca = 5;

// What the run needs from the window around it.
struct PortasExecucao {
    std::function<void(int prancha)> desenha;        // draw board k into the panel
    std::function<int()> nCelulas;                   // cells of the drawn board
    std::function<bool(int pos)> celulaMostrada;     // item drawn and not empty
    std::function<QRect(int pos)> retanguloCelula;   // in client coordinates
    std::function<QString(int pos)> rotuloDesenhado; // label text as drawn ("" without)
    std::function<int()> itemSobCursor;              // -1 when none
    std::function<QPoint()> posicaoCursor;           // in client coordinates
    std::function<void(QPoint cliente)> moveCursor;
    std::function<void(const QRect& r)> mostraMoldura; // Shape1 placed and shown
    std::function<void()> escondeMoldura;
    std::function<void(FormaCursor)> cursor;
    std::function<void(const QString&)> enfileiraSom;
    std::function<void(const QString&)> enfileiraFala;
    std::function<bool()> saidaLivre;
    std::function<bool()> vozExiste;
    std::function<bool()> emPrimeiroPlano;
    std::function<void(const QString&)> executaPrograma;
    std::function<void(bool ligado)> timerVarredura;
    std::function<void(int ms)> intervaloVarredura;
    std::function<void(bool ligado)> timerHisterese;
    std::function<void()> imprimeTela;
    std::function<void()> mostraDicas;
    std::function<void()> fecha; // ends the run
    // With the message bar: its cells are numbered after the board's cells (nCelulas() + 0, 1,
    // 2 for "Falar", "Apagar", "Limpar") in itemSobCursor, retanguloCelula and the moves of the
    // pointer; the message changed and is to be drawn again (may be left empty).
    std::function<void()> barraMudou;
};

class MotorExecucao {
public:
    MotorExecucao(TProjeto& projeto, PortasExecucao portas);
    ~MotorExecucao();

    // Finds the board a link names; on success pranchaAtual becomes it.
    bool procuraPrancha(const QString& texto, bool avisa);
    // False when the start board does not exist: the run must not start.
    bool preparaExecucao(const QString& nome);
    void mostraPranchaExec(int k);

    void paraVarredura();
    void marcaOcupado();
    void desmarcaOcupado();
    void retomaAposSaida();

    void ativacao();     // FormActivate
    void redimensiona(); // FormResize
    void fechamento();   // FormClose (the window stops output and voice itself)

    void tickSerializacao();
    // The tick's last step: once the outputs have run dry (pumped here) and the run is in
    // front, the pending board is shown, or scanning only resumes. The window calls it between
    // ticks too, the moment the outputs may have ended, so the board changes without waiting.
    void aplicaPendente();
    void tickHisterese();
    void tickVarredura();
    void pressiona();
    void solta(int item);
    bool verificaSocorro();
    void acompanhaCursor(bool permanenciaPermitida);
    void tecla(QChar c);

    // The ways to select beyond one cell at a time with the timer: row/column scanning, two
    // switches, a first-item pause, a limit of passes, the dwell ring. False when the project
    // sets none of them, and the run is exactly the one above.
    bool acessoNovo() const;
    // The step switch that moves the highlight (two-switch scanning).
    void passo();
    // Keys as switches: the two of step scanning, or the select key of timed scanning. True
    // when the key is one (the event goes no further). A key held down counts once: its
    // release acts only when confirmaSoltas finds no press of it came right after (X's
    // repeat), so the window calls confirmaSoltas janelaDeRepeticao ms after a release.
    // A press marked as a repeat is never a new press, even when the release before it was
    // lost (the key was held as the run came back to the front).
    bool apertaTecla(int tecla, bool repeticao = false);
    bool soltaTecla(int tecla);
    void confirmaSoltas();
    void esqueceTeclas() { teclas_.esquece(); }
    // A press off the items would act: choose the highlighted row, wake a resting scan, or
    // select with the step switch.
    bool aceitaToqueNoFundo() const;
    // The share of the dwell done on the item now under the pointer, 0 … 1; -1 when no dwell is
    // under way on it (or the ring is not asked for).
    double progressoPermanencia(int itemSobCursor) const;
    const Destaque& destaque() const { return varredura_.destaque(); }
    // The limit of passes was reached: scanning rests until the next press.
    bool varreduraEsgotada = false;

    // The message of the run, or null when the project does not use the bar.
    const BarraMensagem* barra() const { return barra_.get(); }
    // One of the bar's cells, as if chosen (Backspace is "Apagar").
    void acionaBarra(CelulaBarra c);

    // How far (in pixels, across and down added) the pointer must have gone from where it
    // stood when a board was shown before a dwell counts on the new board.
    static constexpr int distanciaParaArmar = 24;

    int intervaloVarreduraAtual() const { return intervaloVarredura_; }
    int intervaloHisterese() const { return intervaloHisterese_; }

    // The run state, open to the window and to tests.
    int pranchaAtual = 0;
    int pranchaAnterior = 0;
    int pranchaInicialIdx = 0;
    int posVarredura = 0;
    int intervaloGuardado = 0;
    qint64 instanteClique = -1; // agoraMs() of the last press; -1 before any
    int pendente = semPendente;
    int itemPermanencia = 0;
    int tempoPermanencia = 0;
    int ultimoAutoClique = -1;
    bool varreduraParada = true;
    bool ocupado = false;

private:
    void defineVarredura(int ms);
    Grade grade() const;
    // Starts the timer again (or, stepping, shows the highlight); after a row choice or a
    // wake-up the next highlight comes at once.
    void retomaVarredura();
    void passoNovo();
    void mostraDestaque(const Destaque& d);
    // After a row choice or a wake-up: like a selection with nothing to play, so the dead time
    // of repeated clicks applies before scanning goes on.
    void retomaDepois(bool imediato);
    bool soltaNaVarredura(int& item);
    enum class PapelDaTecla { nenhum, avanca, seleciona };
    PapelDaTecla papelDaTecla(int tecla) const;
    // A dwell counts only once the pointer has moved since the board was shown: a steady gaze
    // (or an untouched mouse) must not choose on the new board what lies where it rests.
    bool permanenciaArmada();
    void seleciona(int item, bool porClique);
    // The bar's cell at this place of the run's numbering, or -1 for a board cell.
    int celulaDaBarra(int pos) const;
    bool mostrada(int pos) const;
    QString rotuloDe(int pos) const;
    QRect moldura(int pos) const;
    // A message of the run itself is a moment inside the run: the board is neither drawn
    // again nor replayed when it closes.
    void avisa(const QString& texto);
    bool dentroDeMensagem() const { return mensagensAbertas_ > 0 || voltaDeMensagem_; }

    TProjeto& projeto_;
    PortasExecucao p_;
    int intervaloVarredura_ = 0;
    int intervaloHisterese_ = 0;
    int mensagensAbertas_ = 0;
    bool voltaDeMensagem_ = false;
    QStringList ditoPeloItem_; // what the last selection queued, for the board it leads to
    Varredura varredura_;
    int voltas_ = 0;
    bool passoImediato_ = false;
    // agoraMs() of the last tick that noted or counted the dwell item; -1 while none is counted.
    qint64 instantePermanencia_ = -1;
    bool emHisterese_ = false; // the dead time after a selection is running
    bool armada_ = false;
    QPoint pontoNaTroca_, pontoAposTroca_;
    TeclasSeguradas teclas_;
    // The select key's press counted (on an item, or where a press off the items acts) and
    // the item it was made on: its release selects that item, as a mouse release would.
    bool teclaSelecionaApertada_ = false;
    int itemDaTecla_ = -1;
    std::unique_ptr<BarraMensagem> barra_;
};
