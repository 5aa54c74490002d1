// More ways to select during a run: scanning by rows and then columns, step scanning with two
// switches, a pause on the first highlight of a pass, a limit of passes, and a ring that shows
// how much of a dwell is done. Every option is off by default; a project that sets none runs as
// one cell at a time with the timer.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <qnamespace.h>

enum class TModoVarredura : quint8 { linear = 0, linhaColuna = 1 };

// A switch: a key of the keyboard (Qt::Key) and a mouse button (Qt::MouseButton, 0 = none).
struct TChave {
    int tecla = 0;
    int botao = 0;
};

// The select switch of timed scanning may take any mouse button, as a run always did.
constexpr int qualquerBotao = int(Qt::AllButtons);

struct TOpcoesAcesso {
    TModoVarredura modoVarredura = TModoVarredura::linear;
    bool passoAPasso = false; // two switches, no timer
    TChave avanca{Qt::Key_Space, Qt::RightButton};
    TChave seleciona{Qt::Key_Return, Qt::LeftButton};
    // The select switch of timed scanning (and of a run without scanning): no key and any
    // button unless chosen.
    TChave selecionaVarredura{0, qualquerBotao};
    qint32 pausaPrimeiro = 0;   // ms added to the first highlight of a pass
    qint32 voltasVarredura = 0; // passes before scanning rests until a press; 0 = never rests
    bool progressoPermanencia = false;
    // A strip above the board where the chosen items line up, to be spoken whole.
    bool barraMensagem = false;
    bool trocaSemEsperar = false; // the next board comes while the chosen item still speaks
};

bool operator==(const TChave& a, const TChave& b);
bool operator==(const TOpcoesAcesso& a, const TOpcoesAcesso& b);
inline bool operator!=(const TOpcoesAcesso& a, const TOpcoesAcesso& b) {
    return !(a == b);
}

// Bounds of the whole numbers the options take; a value outside them is brought to the nearest.
constexpr qint32 maxPausaPrimeiro = 60000;
constexpr qint32 maxVoltasVarredura = 1000;

// The keys a switch may be: space, Enter, Tab, F1 … F12, the arrows, letters and digits. The
// run's own keys (+ - * / ?) are not among them.
struct NomeDeTecla {
    int tecla;
    const char* arquivo; // the word in the board file, ASCII upper case
    QString mostrado;    // what the author sees
};
const QList<NomeDeTecla>& teclasDeChave();
// 0 when the word names no key of the list (letter case ignored).
int teclaDoNome(QStringView nome);
QString nomeDaTecla(int tecla); // the file's word, empty when not in the list
// Enter on the main keyboard and on the keypad are the same switch.
int teclaNormalizada(int tecla);

struct NomeDeBotao {
    int botao;
    const char* arquivo;
    QString mostrado;
};
const QList<NomeDeBotao>& botoesDeChave(); // none, left, right, middle
// -1 when the word names no button of the list.
int botaoDoNome(QStringView nome);
QString nomeDoBotao(int botao);

// The [CONFIG] values, read and written. A value that cannot be read leaves the default.
TModoVarredura leModoVarredura(QStringView texto);
const char* textoModoVarredura(TModoVarredura m);
// "ESPACO,ENTER": the key that moves, then the key that selects. False (and nothing changed)
// when either is not a key of the list or both are the same.
bool leTeclasPasso(QStringView texto, TChave& avanca, TChave& seleciona);
QString textoTeclasPasso(const TChave& avanca, const TChave& seleciona);
// "DIREITO,ESQUERDO": the same for the mouse buttons; NENHUM leaves a switch without a button.
bool leBotoesPasso(QStringView texto, TChave& avanca, TChave& seleciona);
QString textoBotoesPasso(const TChave& avanca, const TChave& seleciona);
// The timed select switch: TECLAVARREDURA names a key of the list (NENHUMA: none),
// BOTAOVARREDURA a button (QUALQUER: any). False (and nothing changed) for another word.
bool leTeclaVarredura(QStringView texto, TChave& chave);
bool leBotaoVarredura(QStringView texto, TChave& chave);
QString textoTeclaVarredura(const TChave& chave);
QString textoBotaoVarredura(const TChave& chave);
// Whether a press of this mouse button is the timed select switch.
bool botaoSeleciona(const TChave& chave, int botao);
// A whole number brought within 0 … maximo; `padrao` when the text is not a whole number.
qint32 leInteiroLimitado(QStringView texto, qint32 maximo, qint32 padrao);
