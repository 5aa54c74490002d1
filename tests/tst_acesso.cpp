// The ways to select beyond one cell at a time, driven by a fake clock and by calling the ticks,
// and their keys in the board file.
#include "logica/execucao/execucao_logica.h"
#include "nucleo/pranchas_formato.h"
#include "nucleo/prvars.h"
#include "plataforma/relogio.h"
#include "support/apoio.h"

#include <QtTest>
#include <cstring>

namespace {

qint64 relogio = 0;
qint64 relogioFalso() {
    return relogio;
}

// A surface of 3 rows × 4 cells of 100 × 80 px; the test says where the pointer is.
struct Falso {
    int celulas = 12;
    int sobCursor = -1;
    bool molduraVisivel = false, varreduraLigada = false;
    QRect moldura;
    QPoint cursorEm;
    QStringList sons, falas;
    QList<int> intervalos;

    static QRect celula(int i) { return QRect(100 * (i % 4) + 20, 80 * (i / 4) + 60, 90, 70); }

    PortasExecucao portas() {
        PortasExecucao p;
        p.desenha = [](int) {};
        p.nCelulas = [this] { return celulas; };
        p.celulaMostrada = [this](int i) { return i >= 0 && i < celulas; };
        p.retanguloCelula = celula;
        p.rotuloDesenhado = [](int i) { return QStringLiteral("r%1").arg(i); };
        p.itemSobCursor = [this] { return sobCursor; };
        p.posicaoCursor = [this] { return sobCursor >= 0 ? celula(sobCursor).center() : cursorEm; };
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
        p.saidaLivre = [] { return true; };
        p.vozExiste = p.emPrimeiroPlano = [] { return true; };
        p.executaPrograma = [](const QString&) {};
        p.timerVarredura = [this](bool l) { varreduraLigada = l; };
        p.intervaloVarredura = [this](int ms) { intervalos << ms; };
        p.timerHisterese = [](bool) {};
        p.imprimeTela = p.mostraDicas = p.fecha = [] {};
        return p;
    }
};

// GRADE: 3 rows × 4 columns whose items play "<n>.wav"; OUTRA, the same, to link to.
TProjeto projetoTresPorQuatro() {
    TProjeto p;
    TPrancha b;
    b.nome = QStringLiteral("GRADE");
    b.nLinhas = 3;
    b.nColunas = 4;
    for (int i = 0; i < 12; ++i) {
        TItem it;
        it.rotulo = QString::number(i);
        it.som = QStringLiteral("%1.wav").arg(i);
        b.itens << it;
    }
    p.pranchas << b << b;
    p.pranchas[1].nome = QStringLiteral("OUTRA");
    p.tempoVarredura = 1000;
    p.tempoHisterese = 0;
    return p;
}

void inicia(MotorExecucao& m) {
    QVERIFY(m.preparaExecucao(QStringLiteral("GRADE")));
    m.ativacao();
    m.tickSerializacao();
}

void clica(MotorExecucao& m, int item) {
    m.pressiona();
    m.solta(item);
}

bool destacada(const MotorExecucao& m, Destaque::Tipo tipo, int indice) {
    return m.destaque().tipo == tipo && m.destaque().indice == indice;
}
constexpr auto linha = Destaque::Tipo::linha;
constexpr auto celula = Destaque::Tipo::celula;

} // namespace

class TesteAcesso : public QObject {
    Q_OBJECT

private slots:
    void init() {
        relogio = 1000000;
        usaRelogio(relogioFalso);
    }
    void cleanup() { usaRelogio(nullptr); }

    void linhaColunaEmTresPorQuatro() {
        TProjeto p = projetoTresPorQuatro();
        p.falaVarredura = true;
        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        Falso f;
        MotorExecucao m(p, f.portas());
        inicia(m);
        m.tickVarredura();
        m.tickVarredura(); // the rows, each named by its first label
        QVERIFY(destacada(m, linha, 1));
        QCOMPARE(f.moldura, Falso::celula(4).united(Falso::celula(7)).adjusted(-10, -10, 10, 10));
        QCOMPARE(f.cursorEm, Falso::celula(4).topLeft() + QPoint(46, 46));
        QVERIFY(m.aceitaToqueNoFundo());

        clica(m, 4); // the press chooses the row and plays nothing
        QVERIFY(f.sons.isEmpty());
        m.tickSerializacao(); // its first cell comes at once, then the others
        for (int c = 4; c <= 7; ++c) {
            QVERIFY(destacada(m, celula, c));
            m.tickVarredura();
        }
        QCOMPARE(f.falas, (QStringList{"r0", "r4", "r4", "r5", "r6", "r7", "r0"}));
        QVERIFY(destacada(m, linha, 0)); // a silent pass over the row: back to the rows
        m.tickVarredura();
        m.tickVarredura();
        clica(m, -1); // a press off the items chooses row 2 too
        m.tickSerializacao();
        m.tickVarredura();
        QVERIFY(destacada(m, celula, 9));
        clica(m, 9);
        QCOMPARE(f.sons, QStringList{"9.wav"});
        m.tickSerializacao();
        m.tickVarredura(); // after a selection, the rows again from the first
        QVERIFY(destacada(m, linha, 0));
    }

    void passoAPassoComDuasChaves() {
        for (const auto modo : {TModoVarredura::linear, TModoVarredura::linhaColuna}) {
            TProjeto p = projetoTresPorQuatro();
            p.acesso.passoAPasso = true;
            p.acesso.modoVarredura = modo;
            p.tempoAutoClique = 400;
            p.pranchas[0].itens[6].link = QStringLiteral("OUTRA");
            Falso f;
            MotorExecucao m(p, f.portas());
            inicia(m); // no timer; the first highlight comes with the board
            QVERIFY(!f.varreduraLigada);
            const bool porLinhas = modo == TModoVarredura::linhaColuna;
            QVERIFY(destacada(m, porLinhas ? linha : celula, 0));
            if (porLinhas) {
                m.passo();
                clica(m, -1); // the select switch chooses row 1 ...
                m.tickSerializacao();
                QVERIFY(destacada(m, celula, 4)); // ... and its first cell shows at once
                m.tecla('?');                     // the run's keys keep the place
                m.passo();
            } else {
                for (int i = 0; i < 5; ++i)
                    m.passo();
            }
            m.passo();
            QVERIFY(destacada(m, celula, 6));
            f.sobCursor = 6; // resting on the highlight is no dwell
            for (int i = 0; i < 5; ++i)
                m.tickSerializacao();
            QVERIFY(f.sons.isEmpty());
            clica(m, 1); // the select switch takes the highlight, wherever the pointer is
            QCOMPARE(f.sons, QStringList{"6.wav"});
            m.passo(); // while the selection runs the move switch does nothing
            m.tickSerializacao();
            QCOMPARE(m.pranchaAtual, 1);
            QVERIFY(destacada(m, porLinhas ? linha : celula, 0));
        }
    }

    void pausaNoPrimeiroEVoltasAteUmToque() {
        TProjeto p = projetoTresPorQuatro();
        p.acesso.pausaPrimeiro = 1500;
        p.acesso.voltasVarredura = 2;
        Falso f;
        f.celulas = 4;
        MotorExecucao m(p, f.portas());
        inicia(m);
        f.intervalos.clear();
        for (int i = 0; i < 8; ++i) // two whole passes, each pausing on its first cell
            m.tickVarredura();
        QCOMPARE(f.intervalos, (QList<int>{2500, 1000, 1000, 1000, 2500, 1000, 1000, 1000}));
        QVERIFY(!m.varreduraEsgotada);
        m.tickVarredura(); // a third pass would begin: scanning rests
        QVERIFY(m.varreduraEsgotada && !f.varreduraLigada && !f.molduraVisivel);

        clica(m, 3); // the press wakes it and selects nothing
        QVERIFY(f.sons.isEmpty());
        m.tickSerializacao();
        QVERIFY(f.varreduraLigada);
        QVERIFY(destacada(m, celula, 0)); // from the first item, at once
        for (int i = 0; i < 7; ++i)
            m.tickVarredura();
        QVERIFY(!m.varreduraEsgotada); // counted again from the press
        m.tickVarredura();
        QVERIFY(m.varreduraEsgotada);
    }

    void progressoDaPermanencia() {
        TProjeto p = projetoTresPorQuatro();
        p.tempoVarredura = 0;
        p.tempoAutoClique = 1000; // selects on the sixth counting tick, 1200 ms after the first
        p.acesso.progressoPermanencia = true;
        Falso f;
        MotorExecucao m(p, f.portas());
        inicia(m);
        f.sobCursor = 2;
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(2), 0.0);
        relogio += 100; // between ticks the ring goes on filling
        QCOMPARE(m.progressoPermanencia(2), 100.0 / 1200);
        QCOMPARE(m.progressoPermanencia(3), -1.0); // the pointer left: gone at once
        for (int i = 0; i < 5; ++i) {
            relogio += 200;
            m.tickSerializacao();
        }
        relogio += 600; // no tick came: the ring never runs ahead of the count
        QCOMPARE(m.progressoPermanencia(2), 1.0);
        QVERIFY(f.sons.isEmpty());
        m.tickSerializacao();
        QCOMPARE(f.sons, QStringList{"2.wav"});
        QCOMPARE(m.progressoPermanencia(2), -1.0);

        f.sobCursor = 5;
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), 0.0); // another item: from nought
        f.sobCursor = -1;
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), -1.0);
        p.acesso.progressoPermanencia = false;
        f.sobCursor = 5;
        m.tickSerializacao();
        QCOMPARE(m.progressoPermanencia(5), -1.0); // off by default
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
        QVERIFY(!m.aceitaToqueNoFundo());
        clica(m, -1); // off the items: nothing, and the run is not left busy
        QVERIFY(!m.ocupado);
        QCOMPARE(m.pendente, semPendente);
    }

    void teclaSeguradaContaUmaVez() {
        // X repeats a held key as a release and a press 1 ms apart, 660 ms after the press and
        // then 25 times a second, not always marked as repeats; the window confirms a release
        // 35 ms after it.
        const auto segura = [](MotorExecucao& m, int tecla, qint64 ms) {
            QVERIFY(m.apertaTecla(tecla));
            for (qint64 t = 660; t < ms; t += 40) {
                relogio += t == 660 ? 660 : 39;
                m.confirmaSoltas();
                QVERIFY(m.soltaTecla(tecla));
                relogio += 1;
                QVERIFY(m.apertaTecla(tecla));
            }
            relogio += 39;
            QVERIFY(m.soltaTecla(tecla));
            relogio += 35;
            m.confirmaSoltas();
        };
        for (const bool passoAPasso : {true, false}) {
            TProjeto p = projetoTresPorQuatro();
            p.tempoSocorro = 3000;
            p.pranchaSocorro = QStringLiteral("OUTRA");
            p.acesso.passoAPasso = passoAPasso;
            p.acesso.selecionaVarredura.tecla = Qt::Key_Return; // timed: Enter selects
            Falso f;
            MotorExecucao m(p, f.portas());
            inicia(m);
            if (passoAPasso) {
                for (const qint64 ms : {1000, 2000, 3000})
                    segura(m, Qt::Key_Space, ms);
                QVERIFY(destacada(m, celula, 3)); // three holds, three steps
            } else {
                QVERIFY(!m.apertaTecla(Qt::Key_Space)); // the run's own pause key
                m.tickVarredura();
                m.tickVarredura();
                f.sobCursor = 1; // the scan put the pointer on the highlight
            }
            segura(m, Qt::Key_Enter, 1500); // the keypad's Enter is the same switch
            QCOMPARE(f.sons, QStringList{passoAPasso ? "3.wav" : "1.wav"}); // once
            m.tickSerializacao();
            if (!passoAPasso) m.tickVarredura();
            segura(m, Qt::Key_Return, 3500); // held for the help time: the help board, silently
            QCOMPARE(f.sons.size(), 1);
            QCOMPARE(m.pendente, 1);
            m.tickSerializacao();
            QCOMPARE(m.pranchaAtual, 1);
        }
    }

    void permanenciaComFiltroETrocaDePrancha() {
        TProjeto p = projetoTresPorQuatro();
        p.tempoVarredura = 0;
        p.tempoHisterese = 1000; // the filter spaces dwell selections, and no longer stops them
        p.tempoAutoClique = 400; // selects on the third counting tick
        p.pranchas[0].itens[5].link = QStringLiteral("OUTRA");
        Falso f;
        MotorExecucao m(p, f.portas());
        const auto tiques = [&](int n) {
            for (int i = 0; i < n; ++i)
                m.tickSerializacao();
        };
        inicia(m); // the board is shown, then the filter's dead time
        f.sobCursor = 2;
        tiques(10);
        QVERIFY(f.sons.isEmpty());
        m.tickHisterese(); // the item was noted during the dead time: three ticks to count
        tiques(2);
        QVERIFY(f.sons.isEmpty());
        tiques(1);
        QCOMPARE(f.sons, QStringList{"2.wav"});
        tiques(1); // outputs done: the dead time again
        m.tickHisterese();
        tiques(10);
        QCOMPARE(f.sons.size(), 1); // resting on the item chooses it once
        f.sobCursor = -1;
        tiques(1);
        f.sobCursor = 2; // left and came back: "mais, mais"
        tiques(4);
        QCOMPARE(f.sons, (QStringList{"2.wav", "2.wav"}));
        tiques(1);
        m.tickHisterese();

        f.sobCursor = 5;
        tiques(4);
        tiques(1); // OUTRA is shown; a steady gaze brings the pointer back to the same place
        QCOMPARE(m.pranchaAtual, 1);
        m.tickHisterese();
        tiques(20);
        QCOMPARE(f.sons, (QStringList{"2.wav", "2.wav", "5.wav"}));
        f.sobCursor = 6; // the eyes move on
        tiques(4);
        QCOMPARE(f.sons.last(), QString("6.wav"));
    }

    void chavesNoArquivo() {
        const QDateTime agora(QDate(2026, 1, 2), QTime(3, 4, 5));
        auto le = [&](const QByteArray& linhas) {
            return lePranchas("[CONFIG]\r\nVARREDURA=1500\r\n" + linhas + "[A]\r\nMODELO=1X1\r\n",
                              agora)
                .projeto;
        };
        const TProjeto lido = le("MODOVARREDURA=linhacoluna\r\nPASSOAPASSO=SIM\r\n"
                                 "TECLASPASSO= F5 , 1 \r\nBOTOESPASSO=NENHUM,MEIO\r\n"
                                 "PAUSAPRIMEIRO=800\r\nVOLTASVARREDURA=99999\r\n"
                                 "PROGRESSOPERMANENCIA=sim\r\nBARRAMENSAGEM=Sim\r\n"
                                 "TROCASEMESPERAR=SIM\r\n");
        const TOpcoesAcesso& a = lido.acesso;
        QCOMPARE(a.modoVarredura, TModoVarredura::linhaColuna);
        QVERIFY(a.passoAPasso && a.progressoPermanencia && a.barraMensagem && a.trocaSemEsperar);
        QCOMPARE(a.avanca.tecla, int(Qt::Key_F5));
        QCOMPARE(a.seleciona.tecla, int(Qt::Key_1));
        QCOMPARE(a.avanca.botao, int(Qt::NoButton));
        QCOMPARE(a.seleciona.botao, int(Qt::MiddleButton));
        QCOMPARE(a.pausaPrimeiro, 800);
        QCOMPARE(a.voltasVarredura, maxVoltasVarredura); // brought within bounds
        const QByteArray escrito = textoPranchas(lido).bytes;
        QVERIFY(escrito.contains("\r\nTECLASPASSO=F5,1\r\nBOTOESPASSO=NENHUM,MEIO\r\n"));
        QCOMPARE(lePranchas(escrito, agora).projeto.acesso, a);

        // Written only when set, so a file without them is what it always was.
        TProjeto padrao = lido;
        padrao.acesso = TOpcoesAcesso();
        padrao.acesso.seleciona.botao = Qt::MiddleButton;
        const QByteArray umaSo = textoPranchas(padrao).bytes;
        QVERIFY(umaSo.contains("\r\nBOTOESPASSO=DIREITO,MEIO\r\n"));
        padrao.acesso = TOpcoesAcesso();
        const QByteArray nenhuma = textoPranchas(padrao).bytes;
        for (const char* chave :
             {"MODOVARREDURA", "PASSOAPASSO", "TECLASPASSO", "BOTOESPASSO", "PAUSAPRIMEIRO",
              "VOLTASVARREDURA", "PROGRESSOPERMANENCIA", "BARRAMENSAGEM", "TROCASEMESPERAR"}) {
            QVERIFY2(umaSo.contains(chave) == !strcmp(chave, "BOTOESPASSO"), chave);
            QVERIFY2(!nenhuma.contains(chave), chave);
        }

        // Garbage leaves each option at its default, and the other settings are still read.
        for (const char* lixo :
             {"MODOVARREDURA=DIAGONAL\r\nTECLASPASSO=ESPACO\r\nBOTOESPASSO=ESQUERDO\r\n",
              "TECLASPASSO=ENTER,ENTER\r\nBOTOESPASSO=ESQUERDO,ESQUERDO\r\nPAUSAPRIMEIRO=abc\r\n",
              "TECLASPASSO=+,*\r\nBOTOESPASSO=DIREITO,QUARTO\r\nVOLTASVARREDURA=-2\r\n"}) {
            const TProjeto l = le(lixo);
            QVERIFY2(l.acesso == TOpcoesAcesso(), lixo);
            QCOMPARE(l.tempoVarredura, 1500);
        }
    }
};

QTEST_GUILESS_MAIN(TesteAcesso)
#include "tst_acesso.moc"
