// The ways to select beyond one cell at a time, driven by a fake clock and by calling the ticks:
// rows then columns, two switches, the first-item pause, the limit of passes, the dwell ring,
// and their keys in the board file.
#include "editor/config_exec_regras.h"
#include "model/pranchas_formato.h"
#include "model/prvars.h"
#include "platform/relogio.h"
#include "runner/execucao_logica.h"
#include "support/apoio.h"

#include <QtTest>

namespace {

qint64 relogio = 0;
qint64 relogioFalso() {
    return relogio;
}

constexpr int colunas = 4;

// A board surface of rows × 4 cells of 100 × 80 px; the test says which are shown and where the
// pointer is.
struct Falso {
    int celulas = 12;
    QList<bool> mostradas = QList<bool>(12, true);
    int sobCursor = -1;
    bool livre = true;
    bool molduraVisivel = false;
    QRect moldura;
    bool varreduraLigada = false;
    bool fechou = false;
    QPoint cursorEm;
    QStringList sons, falas;
    QList<int> intervalos;

    static QRect celula(int i) {
        return QRect(100 * (i % colunas) + 20, 80 * (i / colunas) + 60, 90, 70);
    }

    PortasExecucao portas() {
        PortasExecucao p;
        p.desenha = [](int) {};
        p.nCelulas = [this] { return celulas; };
        p.celulaMostrada = [this](int i) { return i >= 0 && i < mostradas.size() && mostradas[i]; };
        p.retanguloCelula = [](int i) { return celula(i); };
        p.rotuloDesenhado = [](int i) { return QStringLiteral("r%1").arg(i); };
        p.itemSobCursor = [this] { return sobCursor; };
        p.moveCursor = [this](QPoint c) { cursorEm = c; };
        p.mostraMoldura = [this](const QRect& r) {
            molduraVisivel = true;
            moldura = r;
        };
        p.escondeMoldura = [this] { molduraVisivel = false; };
        p.cursor = [](FormaCursor) {};
        p.enfileiraSom = [this](const QString& s) {
            if (!s.isEmpty()) sons << s;
        };
        p.enfileiraFala = [this](const QString& s) { falas << s; };
        p.saidaLivre = [this] { return livre; };
        p.vozExiste = [] { return true; };
        p.emPrimeiroPlano = [] { return true; };
        p.executaPrograma = [](const QString&) {};
        p.timerVarredura = [this](bool l) { varreduraLigada = l; };
        p.intervaloVarredura = [this](int ms) { intervalos << ms; };
        p.timerHisterese = [](bool) {};
        p.imprimeTela = [] {};
        p.mostraDicas = [] {};
        p.fecha = [this] { fechou = true; };
        return p;
    }
};

// One board of 3 rows × 4 columns whose items play "<n>.wav", and a second board to link to.
TProjeto projetoTresPorQuatro() {
    TProjeto p;
    TPrancha b;
    b.nome = QStringLiteral("GRADE");
    b.nLinhas = 3;
    b.nColunas = colunas;
    for (int i = 0; i < 12; ++i) {
        TItem it;
        it.rotulo = QString::number(i);
        it.som = QStringLiteral("%1.wav").arg(i);
        b.itens << it;
    }
    b.nItens = 12;
    TPrancha outra = b;
    outra.nome = QStringLiteral("OUTRA");
    p.pranchas << b << outra;
    p.nPranchas = 2;
    p.tempoVarredura = 1000;
    p.tempoHisterese = 0;
    return p;
}

QRect faixaDaLinha(int r) {
    return Falso::celula(r * colunas)
        .united(Falso::celula(r * colunas + colunas - 1))
        .adjusted(-10, -10, 10, 10);
}

QPoint ponteiroNa(int celula) {
    return Falso::celula(celula).topLeft() + QPoint(46, 46);
}

// The run prepared on GRADE, its first board shown and scanning started.
void inicia(MotorExecucao& m) {
    QVERIFY(m.preparaExecucao(QStringLiteral("GRADE")));
    m.ativacao();
    m.tickSerializacao();
}

void clica(MotorExecucao& m, int item) {
    m.pressiona();
    relogio += 10;
    m.solta(item);
}

bool destacada(const MotorExecucao& m, Destaque::Tipo tipo, int indice) {
    return m.destaque().tipo == tipo && m.destaque().indice == indice;
}

QByteArray comConfig(const QByteArray& linhas) {
    return "[CONFIG]\r\nVARREDURA=1000\r\n" + linhas + "\r\n[A]\r\nMODELO=1X1\r\n1=um\r\n";
}

} // namespace

class TesteAcesso : public QObject {
    Q_OBJECT

private slots:
    void init() {
        relogio = 1000000;
        usaRelogio(relogioFalso);
    }
    void cleanup() { usaRelogio(nullptr); }

    void linhaColunaEscolheLinhaDepoisCelula() {
        TProjeto p = projetoTresPorQuatro();
        p.falaVarredura = true;
        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        Falso f;
        MotorExecucao m(p, f.portas());
        inicia(m);
        QVERIFY(f.varreduraLigada);

        m.tickVarredura(); // the rows, one at a time, named by their first label
        QVERIFY(destacada(m, Destaque::Tipo::linha, 0));
        QCOMPARE(f.moldura, faixaDaLinha(0));
        QCOMPARE(f.cursorEm, ponteiroNa(0));
        m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::linha, 1));
        QCOMPARE(f.moldura, faixaDaLinha(1));
        QCOMPARE(f.cursorEm, ponteiroNa(4));
        QCOMPARE(f.falas, (QStringList{"r0", "r4"}));

        clica(m, 4); // the pointer is in the row's first cell: the press chooses the row
        QVERIFY(f.sons.isEmpty());
        QVERIFY(m.ocupado);
        m.tickSerializacao(); // the first cell of the row comes at once
        QVERIFY(!m.ocupado);
        QVERIFY(destacada(m, Destaque::Tipo::celula, 4));
        QCOMPARE(f.moldura, Falso::celula(4).adjusted(-10, -10, 10, 10));
        for (int c = 5; c <= 7; ++c) {
            m.tickVarredura();
            QVERIFY(destacada(m, Destaque::Tipo::celula, c));
            QCOMPARE(f.cursorEm, ponteiroNa(c));
        }
        QCOMPARE(f.falas.mid(2), (QStringList{"r4", "r5", "r6", "r7"}));

        m.tickVarredura(); // a silent pass over the row: back to the rows, from the first
        QVERIFY(destacada(m, Destaque::Tipo::linha, 0));
        m.tickVarredura();
        m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::linha, 2));
        clica(m, 8);
        m.tickSerializacao();
        m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::celula, 9));
        clica(m, 9); // a press on a cell selects it
        QCOMPARE(f.sons, QStringList{"9.wav"});
        m.tickSerializacao();
        m.tickVarredura(); // and the scan starts again with the rows
        QVERIFY(destacada(m, Destaque::Tipo::linha, 0));
    }

    void linhaColunaPulaVaziosEAceitaToqueForaDosItens() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        Falso f;
        for (int c : {4, 5, 6, 7, 8})
            f.mostradas[c] = false; // row 1 empty, row 2 begins at cell 9
        MotorExecucao m(p, f.portas());
        inicia(m);
        QVERIFY(!m.aceitaToqueNoFundo());
        m.tickVarredura();
        m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::linha, 2));
        QCOMPARE(f.cursorEm, ponteiroNa(9));
        QCOMPARE(f.moldura, Falso::celula(9).united(Falso::celula(11)).adjusted(-10, -10, 10, 10));
        QVERIFY(m.aceitaToqueNoFundo());
        clica(m, -1); // a press off the items chooses the row too
        m.tickSerializacao();
        QVERIFY(destacada(m, Destaque::Tipo::celula, 9));
        QVERIFY(!m.aceitaToqueNoFundo()); // among the cells, presses off them do nothing
        QVERIFY(f.sons.isEmpty());
    }

    void passoAPassoComDuasChaves() {
        for (const auto modo : {TModoVarredura::linear, TModoVarredura::linhaColuna}) {
            TProjeto p = projetoTresPorQuatro();
            p.acesso.passoAPasso = true;
            p.acesso.modoVarredura = modo;
            p.pranchas[0].itens[6].link = QStringLiteral("OUTRA");
            Falso f;
            MotorExecucao m(p, f.portas());
            m.passo(); // before the board is shown: nothing
            QCOMPARE(m.destaque().tipo, Destaque::Tipo::nenhum);
            inicia(m);
            QVERIFY(!f.varreduraLigada); // no timer at all
            const bool linhas = modo == TModoVarredura::linhaColuna;
            QVERIFY(destacada(m, linhas ? Destaque::Tipo::linha : Destaque::Tipo::celula, 0));
            m.tickSerializacao();
            m.passo();
            if (linhas) {
                QVERIFY(destacada(m, Destaque::Tipo::linha, 1));
                m.pressiona();
                m.solta(-1); // the select switch chooses the row ...
                QVERIFY(f.sons.isEmpty());
                m.tickSerializacao();
                QVERIFY(destacada(m, Destaque::Tipo::celula, 4)); // ... its first cell at once
                m.passo();
                m.passo();
            } else {
                for (int i = 0; i < 5; ++i)
                    m.passo();
            }
            QVERIFY(destacada(m, Destaque::Tipo::celula, 6));
            QCOMPARE(f.cursorEm, ponteiroNa(6));
            m.pressiona();
            m.solta(1); // the select switch takes the highlight, not where the pointer was
            QCOMPARE(f.sons, QStringList{"6.wav"});
            m.passo(); // while the selection runs the move switch does nothing
            QCOMPARE(m.destaque().tipo, Destaque::Tipo::nenhum);
            m.tickSerializacao();
            QCOMPARE(m.pranchaAtual, 1);
            QVERIFY(destacada(m, linhas ? Destaque::Tipo::linha : Destaque::Tipo::celula, 0));
            QVERIFY(!f.varreduraLigada);
        }
    }

    void passoAPassoVoltaAsLinhasEDesligaAutoClique() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.passoAPasso = true;
        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        p.tempoAutoClique = 400;
        Falso f;
        MotorExecucao m(p, f.portas());
        inicia(m);
        m.pressiona();
        m.solta(-1); // row 0
        m.tickSerializacao();
        for (int i = 0; i < 4; ++i)
            m.passo();
        QVERIFY(destacada(m, Destaque::Tipo::linha, 0)); // past the row's last cell
        f.sobCursor = 0; // the pointer rests on the highlight: no dwell may select it
        for (int i = 0; i < 10; ++i)
            m.tickSerializacao();
        QVERIFY(f.sons.isEmpty());
        QVERIFY(f.molduraVisivel); // and hovering leaves the row's frame alone
        QCOMPARE(f.moldura, faixaDaLinha(0));

        // The run's keys stop and resume; stepping without a timer keeps its place.
        m.tecla('-');
        QCOMPARE(m.intervaloVarreduraAtual(), 0);
        m.passo();
        m.tecla('?');
        QVERIFY(destacada(m, Destaque::Tipo::linha, 1));
        QVERIFY(f.molduraVisivel);
    }

    void pausaNoPrimeiroItem() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.pausaPrimeiro = 1500;
        Falso f;
        f.mostradas[0] = false; // the first shown cell is 1
        MotorExecucao m(p, f.portas());
        inicia(m);
        f.intervalos.clear();
        m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::celula, 1));
        QCOMPARE(f.intervalos, QList<int>{2500});
        m.tickVarredura();
        QCOMPARE(f.intervalos.last(), 1000);
        for (int i = 0; i < 10; ++i)
            m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::celula, 1)); // a new pass: the pause again
        QCOMPARE(f.intervalos.last(), 2500);

        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        m.mostraPranchaExec(0);
        m.tickVarredura();
        QCOMPARE(f.intervalos.last(), 2500); // the first row
        m.tickVarredura();
        QCOMPARE(f.intervalos.last(), 1000);
        clica(m, 4);
        m.tickSerializacao(); // resuming sets the plain interval, then the first cell's pause
        QCOMPARE(f.intervalos.mid(f.intervalos.size() - 2), (QList<int>{1000, 2500}));
    }

    void voltasParamAteUmToque() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.voltasVarredura = 2;
        Falso f;
        f.celulas = 4;
        MotorExecucao m(p, f.portas());
        inicia(m);
        for (int i = 0; i < 8; ++i) // two whole passes
            m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::celula, 3));
        QVERIFY(!m.varreduraEsgotada);
        m.tickVarredura();
        QVERIFY(m.varreduraEsgotada);
        QVERIFY(!f.varreduraLigada);
        QVERIFY(!f.molduraVisivel);
        QVERIFY(m.aceitaToqueNoFundo());

        clica(m, 3); // the press wakes the scan and selects nothing
        QVERIFY(f.sons.isEmpty());
        QVERIFY(!m.varreduraEsgotada);
        m.tickSerializacao();
        QVERIFY(f.varreduraLigada);
        QVERIFY(destacada(m, Destaque::Tipo::celula, 0)); // from the first item, at once
        for (int i = 0; i < 7; ++i)
            m.tickVarredura();
        QVERIFY(!m.varreduraEsgotada); // counted again from the press
        m.tickVarredura();
        QVERIFY(m.varreduraEsgotada);

        // Rows and columns count passes over the rows; choosing a row starts the count again.
        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        p.acesso.voltasVarredura = 1;
        f.celulas = 12;
        m.mostraPranchaExec(0);
        QVERIFY(!m.varreduraEsgotada);
        m.tickVarredura();
        m.tickVarredura();
        clica(m, 4);
        m.tickSerializacao();
        for (int i = 0; i < 6; ++i) // the rest of row 1, then rows 0 to 2
            m.tickVarredura();
        QVERIFY(destacada(m, Destaque::Tipo::linha, 2));
        m.tickVarredura();
        QVERIFY(m.varreduraEsgotada);
    }

    void progressoDaPermanencia() {
        TProjeto p = projetoTresPorQuatro();
        p.tempoVarredura = 0;
        p.tempoAutoClique = 1000;
        p.acesso.progressoPermanencia = true;
        Falso f;
        MotorExecucao m(p, f.portas());
        inicia(m);
        QCOMPARE(m.progressoPermanencia(2), -1.0);
        f.sobCursor = 2;
        m.tickSerializacao(); // takes note of the item: the ring starts empty
        QCOMPARE(m.progressoPermanencia(2), 0.0);
        relogio += 100; // between ticks the ring goes on filling
        QCOMPARE(m.progressoPermanencia(2), 100.0 / 1200);
        relogio += 100;
        m.tickSerializacao();
        relogio += 200;
        m.tickSerializacao();
        relogio += 200;
        QCOMPARE(m.progressoPermanencia(2), 0.5);
        QCOMPARE(m.progressoPermanencia(3), -1.0); // the pointer left: gone at once
        for (int i = 0; i < 3; ++i) {
            m.tickSerializacao();
            relogio += 200;
        }
        QCOMPARE(m.progressoPermanencia(2), 1.0);
        QVERIFY(f.sons.isEmpty());
        m.tickSerializacao(); // the sixth counting tick selects
        QCOMPARE(f.sons, QStringList{"2.wav"});
        QCOMPARE(m.progressoPermanencia(2), -1.0);

        f.sobCursor = 5; // another item: from nought again
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), 0.0);
        relogio += 600; // no tick came: the ring waits for the count
        QCOMPARE(m.progressoPermanencia(5), 200.0 / 1200);
        f.sobCursor = -1;
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), -1.0); // off the items: gone
        f.sobCursor = 5; // back on the same item the dwell goes on counting, and the ring shows it
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), 200.0 / 1200);
        f.livre = false; // outputs running: no dwell is counted
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), -1.0);

        p.acesso.progressoPermanencia = false; // the ring is off by default
        f.livre = true;
        m.tickSerializacao();
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), -1.0);
    }

    void semOpcoesNadaMuda() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.progressoPermanencia = true; // the ring alone changes no scanning
        Falso f;
        MotorExecucao m(p, f.portas());
        QVERIFY(!m.acessoNovo());
        inicia(m);
        f.intervalos.clear();
        for (int i = 0; i < 13; ++i)
            m.tickVarredura();
        QVERIFY(f.intervalos.isEmpty());
        QCOMPARE(m.posVarredura, 1);
        QCOMPARE(m.destaque().tipo, Destaque::Tipo::nenhum);
        QVERIFY(!m.aceitaToqueNoFundo());
        m.pressiona();
        m.solta(-1); // off the items: nothing, and the run is not left busy
        QVERIFY(!m.ocupado);
        QCOMPARE(m.pendente, semPendente);
    }

    void chavesNoArquivo() {
        const QDateTime agora(QDate(2026, 1, 2), QTime(3, 4, 5));
        TProjeto lido = lePranchas(comConfig("MODOVARREDURA=linhacoluna\r\n"
                                             "PASSOAPASSO=SIM\r\n"
                                             "TECLASPASSO= F5 , 1 \r\n"
                                             "BOTOESPASSO=NENHUM,MEIO\r\n"
                                             "PAUSAPRIMEIRO=800\r\n"
                                             "VOLTASVARREDURA=3\r\n"
                                             "PROGRESSOPERMANENCIA=sim\r\n"),
                                   agora)
                            .projeto;
        const TOpcoesAcesso& a = lido.acesso;
        QCOMPARE(a.modoVarredura, TModoVarredura::linhaColuna);
        QVERIFY(a.passoAPasso);
        QCOMPARE(a.avanca.tecla, int(Qt::Key_F5));
        QCOMPARE(a.seleciona.tecla, int(Qt::Key_1));
        QCOMPARE(a.avanca.botao, int(Qt::NoButton));
        QCOMPARE(a.seleciona.botao, int(Qt::MiddleButton));
        QCOMPARE(a.pausaPrimeiro, 800);
        QCOMPARE(a.voltasVarredura, 3);
        QVERIFY(a.progressoPermanencia);

        // Written back, and read back the same.
        const QByteArray escrito = textoPranchas(lido).bytes;
        for (const char* linha :
             {"MODOVARREDURA=LINHACOLUNA\r\n", "PASSOAPASSO=SIM\r\n", "TECLASPASSO=F5,1\r\n",
              "BOTOESPASSO=NENHUM,MEIO\r\n", "PAUSAPRIMEIRO=800\r\n", "VOLTASVARREDURA=3\r\n",
              "PROGRESSOPERMANENCIA=SIM\r\n"})
            QVERIFY2(escrito.contains(linha), linha);
        QCOMPARE(lePranchas(escrito, agora).projeto.acesso, a);

        // A project that sets none writes none, so its file is what it always was.
        TProjeto padrao = lido;
        padrao.acesso = TOpcoesAcesso();
        const QByteArray semOpcoes = textoPranchas(padrao).bytes;
        for (const char* chave : {"MODOVARREDURA", "PASSOAPASSO", "TECLASPASSO", "BOTOESPASSO",
                                  "PAUSAPRIMEIRO", "VOLTASVARREDURA", "PROGRESSOPERMANENCIA"})
            QVERIFY2(!semOpcoes.contains(chave), chave);
        QCOMPARE(lePranchas(semOpcoes, agora).projeto.acesso, TOpcoesAcesso());
        // Only the one that differs.
        padrao.acesso.seleciona.botao = Qt::MiddleButton;
        const QByteArray umaSo = textoPranchas(padrao).bytes;
        QVERIFY(umaSo.contains("BOTOESPASSO=DIREITO,MEIO\r\n"));
        QVERIFY(!umaSo.contains("TECLASPASSO"));

        // A file without [CONFIG] keeps the options the project had.
        TProjeto antes;
        antes.acesso = a;
        TProjeto semConfig = lePranchas("[A]\r\nMODELO=1X1\r\n", agora).projeto;
        copiaAjustes(antes, semConfig);
        QCOMPARE(semConfig.acesso, a);
    }

    void chavesComLixoFicamNoPadrao() {
        const QDateTime agora(QDate(2026, 1, 2), QTime(3, 4, 5));
        const TOpcoesAcesso padrao;
        for (const char* linhas :
             {"MODOVARREDURA=DIAGONAL\r\nTECLASPASSO=ESPACO\r\nBOTOESPASSO=ESQUERDO\r\n",
              "TECLASPASSO=ENTER,ENTER\r\nBOTOESPASSO=ESQUERDO,ESQUERDO\r\nPAUSAPRIMEIRO=abc\r\n",
              "TECLASPASSO=F5,XIS\r\nBOTOESPASSO=DIREITO,QUARTO\r\nVOLTASVARREDURA=3.5\r\n",
              "TECLASPASSO=+,*\r\nPAUSAPRIMEIRO=\r\nVOLTASVARREDURA=-2\r\nPASSOAPASSO=talvez\r\n",
              "MODOVARREDURA=\r\nTECLASPASSO=,\r\nBOTOESPASSO=,,\r\nPROGRESSOPERMANENCIA="
              "N\xC3O\r\n"}) {
            const PranchasLidas l = lePranchas(comConfig(linhas), agora);
            QVERIFY2(l.projeto.acesso == padrao, linhas);
            QCOMPARE(l.projeto.tempoVarredura, 1000); // the described keys are still read
            QCOMPARE(l.projeto.nPranchas, 1);
        }
        // Numbers beyond the bounds are brought to them.
        const TOpcoesAcesso a =
            lePranchas(comConfig("PAUSAPRIMEIRO=99999999\r\nVOLTASVARREDURA=$7FFFFFFF\r\n"), agora)
                .projeto.acesso;
        QCOMPARE(a.pausaPrimeiro, maxPausaPrimeiro);
        QCOMPARE(a.voltasVarredura, maxVoltasVarredura);
    }

    void opcoesDaJanelaConferidas() {
        TProjeto p;
        TOpcoesAcesso escolhidas;
        escolhidas.modoVarredura = TModoVarredura::linhaColuna;
        QCOMPARE(guardaOpcoesAcesso(p, escolhidas, " 700 ", "2"), QString());
        QCOMPARE(p.acesso.modoVarredura, TModoVarredura::linhaColuna);
        QCOMPARE(p.acesso.pausaPrimeiro, 700);
        QCOMPARE(p.acesso.voltasVarredura, 2);

        const TOpcoesAcesso antes = p.acesso;
        for (const auto& [pausa, voltas] : {std::pair<const char*, const char*>{"1,5", "0"},
                                            {"-1", "0"},
                                            {"60001", "0"},
                                            {"0", "1001"},
                                            {"0", ""}})
            QCOMPARE(guardaOpcoesAcesso(p, TOpcoesAcesso(), pausa, voltas),
                     QString("Dados numéricos inválidos, confira"));
        TOpcoesAcesso iguais;
        iguais.seleciona.tecla = iguais.avanca.tecla;
        QCOMPARE(guardaOpcoesAcesso(p, iguais, "0", "0"),
                 QString("A chave que avança e a que seleciona precisam ser diferentes"));
        iguais = TOpcoesAcesso();
        iguais.avanca.botao = iguais.seleciona.botao;
        QVERIFY(!guardaOpcoesAcesso(p, iguais, "0", "0").isEmpty());
        QCOMPARE(p.acesso, antes); // nothing stored by a refused OK
        iguais.avanca.botao = iguais.seleciona.botao = Qt::NoButton; // keys only: allowed
        QCOMPARE(guardaOpcoesAcesso(p, iguais, "0", "0"), QString());
    }
};

QTEST_GUILESS_MAIN(TesteAcesso)
#include "tst_acesso.moc"
