// The run's rules driven by a fake clock and by calling the ticks, not by waiting.
#include "logica/execucao/barra_mensagem.h"
#include "logica/execucao/execucao_logica.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/relogio.h"
#include "support/apoio.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

qint64 relogio = 0;
qint64 relogioFalso() {
    return relogio;
}

// A board surface of n cells; the test says which are shown and where the pointer is.
struct Falso {
    int celulas = 4;
    QList<bool> mostradas = QList<bool>(4, true);
    int sobCursor = -1;
    bool livre = true;
    bool frente = true;
    bool voz = true;
    bool molduraVisivel = false;
    bool varreduraLigada = false;
    bool histereseLigada = false;
    bool fechou = false;
    FormaCursor forma = FormaCursor::padrao;
    QPoint cursorEm;
    QStringList sons, falas, programas;
    QStringList ditas; // sounds and speech in the order queued, empty names left out
    QList<int> desenhadas;
    int barraMudou = 0;

    static QRect celula(int i) { return QRect(100 * i + 10, 50, 90, 90); }

    PortasExecucao portas() {
        PortasExecucao p;
        p.desenha = [this](int k) { desenhadas << k; };
        p.nCelulas = [this] { return celulas; };
        p.celulaMostrada = [this](int i) { return i >= 0 && i < mostradas.size() && mostradas[i]; };
        p.retanguloCelula = celula;
        p.rotuloDesenhado = [](int i) { return QStringLiteral("rótulo %1").arg(i); };
        p.itemSobCursor = [this] { return sobCursor; };
        // Over an item the pointer is at its centre.
        p.posicaoCursor = [this] { return sobCursor >= 0 ? celula(sobCursor).center() : cursorEm; };
        p.moveCursor = [this](QPoint c) { cursorEm = c; };
        p.mostraMoldura = [this](const QRect&) { molduraVisivel = true; };
        p.escondeMoldura = [this] { molduraVisivel = false; };
        p.cursor = [this](FormaCursor f) { forma = f; };
        p.enfileiraSom = [this](const QString& s) {
            sons << s;
            if (!s.isEmpty()) ditas << s;
        };
        p.enfileiraFala = [this](const QString& s) {
            falas << s;
            ditas << QStringLiteral("voz:") + s;
        };
        p.saidaLivre = [this] { return livre; };
        p.vozExiste = [this] { return voz; };
        p.emPrimeiroPlano = [this] { return frente; };
        p.executaPrograma = [this](const QString& s) { programas << s; };
        p.timerVarredura = [this](bool l) { varreduraLigada = l; };
        p.intervaloVarredura = [](int) {};
        p.timerHisterese = [this](bool l) { histereseLigada = l; };
        p.imprimeTela = [] {};
        p.mostraDicas = [] {};
        p.fecha = [this] { fechou = true; };
        p.barraMudou = [this] { ++barraMudou; };
        return p;
    }
};

TItem item(const QString& rotulo, const QString& link = {}, const QString& som = {}) {
    TItem it;
    it.rotulo = rotulo;
    it.link = link;
    it.som = som;
    return it;
}

TPrancha prancha(const QString& nome, TItemArray itens) {
    TPrancha p;
    p.nome = nome;
    p.nColunas = 2;
    p.nLinhas = 2;
    p.itens = std::move(itens);
    p.som = nome + QStringLiteral(".wav");
    return p;
}

TProjeto projetoDeTeste() {
    TProjeto p;
    p.pranchas << prancha(QStringLiteral("INICIO"),
                          {item("casa", "CASA"), item("mais", "CASA+1"), item("espaço", "CASA +1"),
                           item("fim", "FRUTAS")});
    p.pranchas << prancha(QStringLiteral(" Casa "),
                          {item("voltar", "#ANTERIOR"), item("antes", "#ANTERIOR-1"),
                           item("som", {}, "sino.wav"), item("x")});
    p.pranchas << prancha(QStringLiteral("COMIDA"), {item("a"), item("b"), item("c"), item("d")});
    p.pranchas << prancha(QStringLiteral("SOCORRO"), {item("s")});
    p.pranchaSocorro = QStringLiteral("SOCORRO");
    return p;
}

} // namespace

class TesteExecucaoLogica : public QObject {
    Q_OBJECT

    // Presses and releases item i of the shown board, then lets the outputs run dry.
    static void clica(MotorExecucao& m, int i, qint64 segura = 10) {
        m.pressiona();
        relogio += segura;
        m.solta(i);
    }

    static QStringList rotulosDaMensagem(const MotorExecucao& m) {
        QStringList r;
        for (const EntradaMensagem& e : m.barra()->entradas())
            r << e.item.rotulo;
        return r;
    }

    // A board of the message: label only, recording, speech text, a folder; another with a
    // folder that speaks, a cell with nothing, a picture without a word, a blank label. The
    // bar's cells come after the four cells (4 Falar, 5 Apagar, 6 Limpar).
    static TProjeto projetoComBarra() {
        TProjeto p = projetoDeTeste();
        p.acesso.barraMensagem = true;
        p.falando = true;
        TItem quero = item("quero", {}, "quero.wav"), agua = item("água");
        agua.fala = QStringLiteral("Eu quero água");
        TItem casaFala = item("casa", "CASA");
        casaFala.fala = QStringLiteral("minha casa");
        TItem figura;
        figura.figura = QStringLiteral("sol.jpg");
        p.pranchas[2].itens = {item("eu"), quero, agua, item("frutas", "COMIDA")};
        p.pranchas[1].itens = {casaFala, TItem(), figura, item("  ")};
        return p;
    }

private slots:
    void init() {
        relogio = 1000000;
        usaRelogio(relogioFalso);
    }
    void cleanup() { usaRelogio(nullptr); }

    void deslocamento() {
        QCOMPARE(separaDeslocamento("CASA+1").texto, QString("CASA"));
        QCOMPARE(separaDeslocamento("CASA+1").deslocamento, 1);
        QCOMPARE(separaDeslocamento("#ANTERIOR-2").deslocamento, -2);
        QCOMPARE(separaDeslocamento("CASA +1").texto, QString("CASA "));
        QCOMPARE(separaDeslocamento("+1").deslocamento, 0); // sign as the first character
        QCOMPARE(separaDeslocamento("A+B").texto, QString("A+B"));
        QCOMPARE(separaDeslocamento("PRE-ESCOLA").deslocamento, 0);
    }

    void linksPorNomeAnteriorEDeslocamento() {
        TProjeto p = projetoDeTeste();
        Falso f;
        RespostasDeDialogo avisos;
        MotorExecucao m(p, f.portas());
        QVERIFY(m.preparaExecucao(QStringLiteral("inicio")));
        m.ativacao();
        m.tickSerializacao();
        QCOMPARE(f.desenhadas, QList<int>{0});

        clica(m, 0); // "CASA" matches the trimmed " Casa " without regard to case
        QCOMPARE(m.pendente, 1);
        m.tickSerializacao();
        QCOMPARE(m.pranchaAtual, 1);

        clica(m, 0); // #ANTERIOR
        m.tickSerializacao();
        QCOMPARE(m.pranchaAtual, 0);
        clica(m, 0); // to CASA again, then #ANTERIOR twice: no history beyond one step
        m.tickSerializacao();
        clica(m, 0);
        m.tickSerializacao();
        QCOMPARE(m.pranchaAtual, 0);
        m.pranchaAtual = 1; // shown again by "*"-like means
        QVERIFY(m.procuraPrancha("#ANTERIOR", false));
        QCOMPARE(m.pranchaAtual, 0);
        QVERIFY(m.procuraPrancha("#anterior", false));
        QCOMPARE(m.pranchaAtual, 0);

        clica(m, 1); // CASA+1 is the board after CASA
        m.tickSerializacao();
        QCOMPARE(m.pranchaAtual, 2);

        m.mostraPranchaExec(0);
        m.pendente = semPendente;
        avisos.ok();
        clica(m, 2); // "CASA +1" looks for "CASA " and fails; the board stays
        QCOMPARE(avisos.erros.value(0), QString("Prancha CASA  não foi encontrada"));
        QCOMPARE(m.pranchaAtual, 0);
        QCOMPARE(m.pendente, soRetomar);

        QVERIFY(!m.procuraPrancha("SOCORRO+1", false)); // beyond the last board
        QVERIFY(!m.procuraPrancha("INICIO-1", false));
        QVERIFY(!m.procuraPrancha("#ANTERIOR-1", false)); // before the first board
        QCOMPARE(avisos.erros.size(), 1);
    }

    void inicioInexistenteNaoExecuta() {
        TProjeto p = projetoDeTeste();
        p.tempoVarredura = -500;
        p.tempoHisterese = -1;
        Falso f;
        RespostasDeDialogo avisos;
        MotorExecucao m(p, f.portas());
        avisos.ok();
        QVERIFY(!m.preparaExecucao(QStringLiteral("NADA")));
        QCOMPARE(avisos.erros, QStringList{"Prancha NADA não foi encontrada"});
        QCOMPARE(m.intervaloVarreduraAtual(), 0);
        QCOMPARE(m.intervaloHisterese(), 0);
        p.pranchas.clear();
        m.mostraPranchaExec(0); // no board to draw: nothing happens
        QVERIFY(f.desenhadas.isEmpty());
    }

    void histereseIgnoraSegundoClique() {
        TProjeto p = projetoDeTeste();
        p.tempoHisterese = 1000;
        Falso f;
        RespostasDeDialogo avisos;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.ativacao();
        m.tickSerializacao(); // first board shown, then the dead time
        QVERIFY(f.histereseLigada);
        QCOMPARE(f.forma, FormaCursor::setasDivididas);
        m.tickHisterese();
        QVERIFY(!m.ocupado);

        f.livre = false;
        avisos.ok();
        clica(m, 3); // FRUTAS is not there: resume only
        QCOMPARE(f.forma, FormaCursor::ampulheta);
        f.sons.clear();
        clica(m, 0); // outputs still running: refused
        QVERIFY(f.sons.isEmpty());
        f.livre = true;
        m.tickSerializacao();
        QCOMPARE(f.forma, FormaCursor::setasDivididas);
        clica(m, 0); // the extra second: still refused
        QVERIFY(f.sons.isEmpty());
        m.tickHisterese();
        QCOMPARE(f.forma, FormaCursor::padrao);
        clica(m, 0);
        QVERIFY(!f.sons.isEmpty());
    }

    void semHistereseSemAutoCliqueSoMoveMoldura() {
        TProjeto p = projetoDeTeste();
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.ativacao();
        m.tickSerializacao();
        f.sons.clear();
        f.sobCursor = 1;
        for (int i = 0; i < 30; ++i)
            m.tickSerializacao();
        QVERIFY(f.molduraVisivel);
        f.sobCursor = -1;
        m.tickSerializacao();
        QVERIFY(!f.molduraVisivel);
        QVERIFY(f.sons.isEmpty());
        QCOMPARE(m.pranchaAtual, 0);
    }

    void permanenciaSelecionaNoSextoTique() {
        TProjeto p = projetoDeTeste();
        p.tempoAutoClique = 1000;
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("COMIDA");
        m.ativacao();
        m.tickSerializacao();
        f.sobCursor = 2;
        m.tickSerializacao(); // only takes note of the item
        f.sons.clear();
        for (int i = 1; i <= 5; ++i)
            m.tickSerializacao();
        QVERIFY(f.sons.isEmpty());
        QCOMPARE(f.forma, FormaCursor::maoApontando);
        m.tickSerializacao(); // sixth counting tick: 1200 ms gathered
        QCOMPARE(f.sons.size(), 2);
        QCOMPARE(m.ultimoAutoClique, 2);
        QVERIFY(f.falas.isEmpty()); // a dwell never speaks the label
        m.tickSerializacao();       // resume
        f.sons.clear();
        for (int i = 0; i < 20; ++i)
            m.tickSerializacao();
        QVERIFY(f.sons.isEmpty()); // never the same item twice in a row
        f.sobCursor = 1;
        for (int i = 0; i < 7; ++i)
            m.tickSerializacao();
        QCOMPARE(m.ultimoAutoClique, 1);
    }

    void teclasDaVarredura() {
        TProjeto p = projetoDeTeste();
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.tecla('+');
        QCOMPARE(m.intervaloVarreduraAtual(), 1000);
        QVERIFY(f.varreduraLigada);
        m.tecla('+');
        m.tecla(' ');
        QCOMPARE(m.intervaloVarreduraAtual(), 0);
        QCOMPARE(m.intervaloGuardado, 2000);
        QVERIFY(!f.varreduraLigada);
        m.tecla(' ');
        QCOMPARE(m.intervaloVarreduraAtual(), 2000);
        m.tecla('-');
        m.tecla('-');
        QCOMPARE(m.intervaloVarreduraAtual(), 0);
        QVERIFY(!f.varreduraLigada);

        pranchaInicialExec = QStringLiteral("COMIDA");
        m.ocupado = true;
        m.tecla('/');
        QCOMPARE(m.pranchaAtual, 2);
        QCOMPARE(f.desenhadas.last(), 2);
        QVERIFY(!m.ocupado);
        m.tecla('*');
        QCOMPARE(f.desenhadas.size(), 2);
        QCOMPARE(f.sons.last(), QString()); // board speech text queued after its sound
        QCOMPARE(f.sons.at(f.sons.size() - 2), QString("COMIDA.wav"));
    }

    void passoDaVarredura() {
        TProjeto p = projetoDeTeste();
        p.falaVarredura = true;
        Falso f;
        f.mostradas = {true, false, true, false};
        RespostasDeDialogo avisos;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.tickVarredura();
        QCOMPARE(f.cursorEm, QPoint(0 + 56, 40 + 56)); // 46 px inside cell 0
        QCOMPARE(f.falas.last(), QString("rótulo 0"));
        m.tickVarredura(); // skips the empty cell 1
        QCOMPARE(f.falas.last(), QString("rótulo 2"));
        m.tickVarredura();
        QCOMPARE(f.falas.last(), QString("rótulo 0"));
        QVERIFY(f.molduraVisivel);

        f.mostradas = {false, false, false, false};
        avisos.ok();
        m.tickVarredura();
        QCOMPARE(avisos.erros,
                 QStringList{"Erro de execução: esta prancha contém itens não alocados"});
        QVERIFY(f.fechou);
    }

    void socorroVaiParaAjudaSemTocarOItem() {
        TProjeto p = projetoDeTeste();
        p.tempoSocorro = 3000;
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.tickSerializacao();
        clica(m, 0);
        m.tickSerializacao(); // on CASA now
        f.sons.clear();
        clica(m, 2, 3000);
        QCOMPARE(m.pendente, 3);
        QVERIFY(f.sons.isEmpty());
        m.tickSerializacao();
        QCOMPARE(m.pranchaAtual, 3);
        // The start board was current during the lookup: "#ANTERIOR" leads there.
        QVERIFY(m.procuraPrancha("#ANTERIOR", false));
        QCOMPARE(m.pranchaAtual, 0);

        p.pranchaSocorro.clear();
        m.mostraPranchaExec(1);
        clica(m, 2, 2999); // just short: the item plays
        QCOMPARE(f.sons.value(f.sons.size() - 2), QString("sino.wav"));
        m.tickSerializacao();
        clica(m, 2, 5000); // without a help board: the start board
        QCOMPARE(m.pendente, 0);
    }

    void pranchaPendenteSoAposSaidaLivre() {
        TProjeto p = projetoDeTeste();
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("INICIO");
        m.ativacao();
        f.livre = false;
        m.tickSerializacao();
        QVERIFY(f.desenhadas.isEmpty());
        f.livre = true;
        m.tickSerializacao();
        QCOMPARE(f.desenhadas, QList<int>{0});
        QCOMPARE(f.cursorEm, QPoint(32, 32));

        f.livre = false;
        clica(m, 0);
        m.tickSerializacao();
        m.tickSerializacao();
        QCOMPARE(f.desenhadas.size(), 1);
        f.livre = true;
        m.tickSerializacao();
        QCOMPARE(f.desenhadas.last(), 1);
        QVERIFY(!m.ocupado);

        f.frente = false; // another program in front: the board is shown again on return
        m.tickSerializacao();
        QCOMPARE(m.pendente, 1);
        f.frente = true;
        m.tickSerializacao();
        QCOMPARE(f.desenhadas.size(), 3);
    }

    void rotuloFaladoEProgramaNoClique() {
        TProjeto p = projetoDeTeste();
        p.falando = true;
        p.pranchas[2].itens[0].executar = QStringLiteral("\"/bin/true\" -x");
        Falso f;
        MotorExecucao m(p, f.portas());
        m.preparaExecucao("COMIDA");
        clica(m, 0);
        QCOMPARE(f.falas, QStringList{"a"});
        QCOMPARE(f.programas, QStringList{"\"/bin/true\" -x"});
        m.tickSerializacao();
        f.voz = false;
        clica(m, 1);
        QCOMPARE(f.falas.size(), 1);

        // Said once: a label equal to the item's speech text or recording is not spoken after
        // it, nor the name of the board the item leads to; other entries still are.
        p = projetoDeTeste();
        p.falando = true;
        p.pranchas[0].itens[0].fala = QStringLiteral("Casa");
        p.pranchas[0].itens[1].som = QStringLiteral("MAIS.wav");
        p.pranchas[1].fala = QStringLiteral(" casa");
        Falso g;
        MotorExecucao n(p, g.portas());
        n.preparaExecucao("INICIO");
        clica(n, 0);
        QVERIFY(g.falas.isEmpty());
        QCOMPARE(g.sons.filter(QRegularExpression(".")), QStringList{"Casa"});
        n.tickSerializacao();
        QCOMPARE(g.desenhadas, QList<int>{1});
        QCOMPARE(g.sons.filter(QRegularExpression(".")), (QStringList{"Casa", " Casa .wav"}));
        n.preparaExecucao("INICIO");
        clica(n, 1);
        QVERIFY(g.falas.isEmpty());
        n.tickSerializacao(); // a board reached by another item says its name
        QCOMPARE(g.sons.filter(QRegularExpression(".")).mid(2),
                 (QStringList{"MAIS.wav", "COMIDA.wav"}));
    }

    // A broken link's message is a moment inside the run: when it closes the board is neither
    // drawn again nor replayed, so the next click counts, whether the run's activation arrives
    // while the box is closing or after.
    void mensagemDaExecucaoNaoRecomecaAPrancha() {
        for (const bool ativaDentro : {true, false}) {
            TProjeto p = projetoDeTeste();
            p.pranchas[0].itens[3].link = QStringLiteral("NADA");
            Falso f;
            MotorExecucao m(p, f.portas());
            QVERIFY(m.preparaExecucao(QStringLiteral("INICIO")));
            m.ativacao();
            m.tickSerializacao();
            QCOMPARE(f.desenhadas, QList<int>{0});
            QStringList mensagens;
            Avisos a;
            a.erro = [&](const QString& t) {
                mensagens << t;
                f.frente = false; // the box is in front; the tick goes on beneath it
                m.tickSerializacao();
                m.tickSerializacao();
                f.frente = true;
                if (ativaDentro) m.ativacao();
            };
            const Avisos antes = instalaAvisos(a);
            clica(m, 3);
            instalaAvisos(antes);
            if (!ativaDentro) m.ativacao();
            for (int k = 0; k < 3; ++k)
                m.tickSerializacao();
            QCOMPARE(mensagens, QStringList{"Prancha NADA não foi encontrada"});
            QCOMPARE(f.desenhadas, QList<int>{0});
            QVERIFY(!m.ocupado);
            f.sons.clear();
            clica(m, 0); // the first click after the message follows its link
            m.tickSerializacao();
            QCOMPARE(m.pranchaAtual, 1);
            QCOMPARE(f.desenhadas, (QList<int>{0, 1}));

            // Another window in front (the tips) still brings the board back on return.
            f.frente = false;
            m.tickSerializacao();
            f.frente = true;
            m.ativacao();
            m.tickSerializacao();
            QCOMPARE(f.desenhadas, (QList<int>{0, 1, 1}));
        }
    }

    // What is appended and what is not; Falar plays the whole message in order, as each item
    // played (its recording, speech text, or the label by the voice), Apagar and Limpar take it
    // back; it outlives board changes and is gone when the run ends.
    void barraDeMensagem() {
        TProjeto p = projetoComBarra();
        Falso f;
        MotorExecucao m(p, f.portas());
        QVERIFY(m.preparaExecucao("COMIDA"));
        for (const int i : {0, 1, 2, 3}) { // eu, quero, água, the folder frutas
            clica(m, i);
            m.tickSerializacao();
        }
        QCOMPARE(rotulosDaMensagem(m), (QStringList{"eu", "quero", "água"}));
        QCOMPARE(f.barraMudou, 3);
        f.ditas.clear();
        clica(m, 4); // Falar
        QCOMPARE(f.ditas, (QStringList{"voz:eu", "quero.wav", "Eu quero água", "voz:água"}));
        QCOMPARE(m.pranchaAtual, 2); // the bar's cells lead nowhere
        m.tickSerializacao();
        QVERIFY(!m.ocupado);

        // On another board: a folder that speaks counts; empty cells, a picture without a word
        // and a blank label do not. Labels not spoken: the message still says "eu" whole.
        QVERIFY(m.procuraPrancha("CASA", false));
        m.mostraPranchaExec(m.pranchaAtual);
        p.falando = false;
        for (const int i : {1, 2, 3, 0}) {
            clica(m, i);
            m.tickSerializacao();
        }
        QCOMPARE(rotulosDaMensagem(m), (QStringList{"eu", "quero", "água", "casa"}));
        QCOMPARE(m.barra()->texto(), QString("eu quero água casa"));
        m.pranchaAtual = 1;
        m.mostraPranchaExec(1);
        clica(m, 5); // Apagar
        m.tickSerializacao();
        QCOMPARE(m.barra()->texto(), QString("eu quero água"));
        f.ditas.clear();
        clica(m, 4);
        QCOMPARE(f.ditas, (QStringList{"voz:eu", "quero.wav", "Eu quero água", "voz:água"}));
        m.tickSerializacao();
        m.acionaBarra(CelulaBarra::apagar); // Backspace
        QCOMPARE(m.barra()->texto(), QString("eu quero"));
        clica(m, 6); // Limpar
        QVERIFY(m.barra()->entradas().isEmpty());
        m.tickSerializacao();
        f.ditas.clear();
        const int mudancas = f.barraMudou;
        clica(m, 4); // an empty message says nothing
        m.tickSerializacao();
        clica(m, 5);
        m.tickSerializacao();
        QVERIFY(f.ditas.isEmpty());
        QCOMPARE(f.barraMudou, mudancas);

        clica(m, 0);
        QCOMPARE(rotulosDaMensagem(m), QStringList{"casa"});
        m.fechamento();
        QVERIFY(m.barra()->entradas().isEmpty());

        // Without the option there is no bar, and a place after the board's cells is nothing.
        p.acesso.barraMensagem = false;
        Falso g;
        MotorExecucao semBarra(p, g.portas());
        QVERIFY(semBarra.preparaExecucao("COMIDA"));
        QVERIFY(!semBarra.barra());
        clica(semBarra, 4);
        QVERIFY(g.ditas.isEmpty());
        QCOMPARE(g.barraMudou, 0);
    }

    // Linear scanning reaches the bar's cells after the board's last item; row/column
    // scanning offers the bar as one more row, first; a dwell on a bar cell acts as a click.
    void barraNaVarreduraENaPermanencia() {
        TProjeto p = projetoComBarra();
        p.falaVarredura = true;
        Falso f;
        f.mostradas = {true, false, true, true};
        MotorExecucao m(p, f.portas());
        QVERIFY(m.preparaExecucao("COMIDA"));
        f.falas.clear();
        for (int k = 0; k < 7; ++k)
            m.tickVarredura();
        QCOMPARE(f.falas, (QStringList{"rótulo 0", "rótulo 2", "rótulo 3", "Falar", "Apagar",
                                       "Limpar", "rótulo 0"}));

        p.acesso.modoVarredura = TModoVarredura::linhaColuna;
        p.tempoVarredura = 1000;
        MotorExecucao lc(p, f.portas());
        QVERIFY(lc.preparaExecucao("COMIDA"));
        lc.ativacao();
        lc.tickSerializacao();
        clica(lc, 0); // "eu" by a plain click first
        lc.tickSerializacao();
        f.falas.clear();
        for (int k = 0; k < 4; ++k)
            lc.tickVarredura();
        // The bar, the board's two rows, the bar again: each named by its first cell.
        QCOMPARE(f.falas, (QStringList{"Falar", "rótulo 0", "rótulo 2", "Falar"}));
        QCOMPARE(f.cursorEm, Falso::celula(4).topLeft() + QPoint(46, 46));
        clica(lc, -1); // chooses the bar's row
        lc.tickSerializacao();
        QCOMPARE(lc.destaque().indice, 4);
        lc.tickVarredura();
        QCOMPARE(lc.destaque().indice, 5);
        lc.tickVarredura();
        lc.tickVarredura();
        // A pass without a choice: back to the rows, the bar's first.
        QVERIFY(lc.destaque().tipo == Destaque::Tipo::linha && lc.destaque().indice == 0);
        clica(lc, -1);
        lc.tickSerializacao();
        f.ditas.clear();
        QCOMPARE(lc.destaque().indice, 4);
        clica(lc, 4); // where the scan put the pointer: Falar
        QCOMPARE(f.ditas, QStringList{"voz:eu"});

        TProjeto q = projetoComBarra();
        q.tempoAutoClique = 1000;
        q.acesso.progressoPermanencia = true;
        Falso g;
        MotorExecucao d(q, g.portas());
        QVERIFY(d.preparaExecucao("COMIDA"));
        d.ativacao();
        d.tickSerializacao();
        g.sobCursor = 1;
        for (int k = 0; k < 8; ++k)
            d.tickSerializacao();
        QCOMPARE(rotulosDaMensagem(d), QStringList{"quero"}); // a dwell appends too
        g.sobCursor = 6;
        for (int k = 0; k < 4; ++k)
            d.tickSerializacao();
        QVERIFY(d.progressoPermanencia(6) > 0); // the ring fills over a bar cell
        for (int k = 0; k < 3; ++k)
            d.tickSerializacao();
        QVERIFY(d.barra()->entradas().isEmpty()); // Limpar
        QCOMPARE(d.ultimoAutoClique, 6);
    }
};

QTEST_GUILESS_MAIN(TesteExecucaoLogica)
#include "tst_execucao_logica.moc"
