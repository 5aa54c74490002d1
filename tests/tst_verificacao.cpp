// The project check: one small project per kind of finding, each made from a clean project by
// one fault; the sample project comes out clean; the folder is listed, not searched per name.
#include "logica/som/cabecalho_wav.h"
#include "logica/verificacao/verifica_projeto.h"
#include "nucleo/cp1252.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"
#include "plataforma/arquivos_da_pasta.h"
#include "support/apoio.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

TItem item(const QString& rotulo, const QString& figura = {}, const QString& link = {}) {
    TItem it;
    it.rotulo = rotulo;
    it.figura = figura;
    it.link = link;
    return it;
}

TPrancha prancha(const QString& nome, int linhas, int colunas, const TItemArray& itens) {
    TPrancha b;
    b.nome = b.titulo = nome;
    b.nLinhas = linhas;
    b.nColunas = colunas;
    b.itens = itens;
    return b;
}

void grava(const QString& caminho, const QByteArray& bytes) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray jpeg() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray b;
    QBuffer buf(&b);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG");
    return b;
}

QByteArray wav() {
    QByteArray b(tamCabecalhoWav + 200, '\0');
    montaCabecalhoWav(b.data(), 22050, 16, 200, 1);
    return b;
}

QByteArray wavVazio() {
    QByteArray b(tamCabecalhoWav, '\0');
    montaCabecalhoWav(b.data(), 22050, 16, 0, 1);
    return b;
}

// A clean project: the start board leads to the other two, which lead back; a help board;
// every picture and sound in its folder; an unused cell, and one hidden on purpose.
struct Fixture {
    QTemporaryDir dir;
    TProjeto p;

    Fixture() {
        p.sintetizando = true;
        p.tempoVarredura = 0;
        p.tempoHisterese = 1000;
        p.tempoSocorro = 3000;
        p.pranchaInicial = "INICIO";
        p.pranchaSocorro = "SOCORRO";
        TItem escondido = item("espaço");
        escondido.semRotulo = escondido.semFigura = true;
        escondido.link = "NENHUMA"; // never clicked: does not count
        TItem oi = item("oi", "oi.jpg");
        oi.som = "oi"; // oi.wav
        oi.fala = "Olá, tudo bem?";
        p.pranchas = {prancha("INICIO", 2, 3,
                              {item("ir", "ir.jpg", "OUTRA"), item("socorro", {}, "SOCORRO"), oi,
                               item("casa", "casa.jpg"), escondido, TItem{}}),
                      prancha("OUTRA", 1, 1, {item("voltar", "ir.jpg", "#ANTERIOR")}),
                      prancha("SOCORRO", 1, 1, {item("início", "volta", "INICIO")})};
        for (const char* f : {"ir.jpg", "casa.jpg", "oi.jpg", "socorro.jpg", "volta.jpg"})
            grava(dir.filePath(f), jpeg());
        grava(dir.filePath("oi.wav"), wav());
    }
    QString arquivo(const QString& nome) const { return dir.filePath(nome); }
    TItem& it(int b, int j) { return p.pranchas[b].itens[j]; }
};

QString lista(const QList<Achado>& achados) {
    QStringList r;
    for (const Achado& a : achados)
        r << a.texto;
    return r.join('\n');
}

struct Caso {
    const char* nome;
    std::function<void(Fixture&)> falha;
    TipoAchado tipo;
    int prancha;
    int item;
    QString trecho; // a part of the sentence that tells this fault from another
};

} // namespace

class TstVerificacao : public QObject {
    Q_OBJECT

private slots:
    void projetoLimpoNadaAcha() {
        Fixture f;
        const QList<Achado> achados = verificaProjeto(f.p, f.dir.path());
        QVERIFY2(achados.isEmpty(), qPrintable(lista(achados)));
    }

    // Each fault alone gives exactly its one finding, on its board and item.
    void umaFalhaUmAchado() {
        const QList<Caso> casos = {
            {"link de item", [](Fixture& f) { f.it(0, 3).link = "COZINHA"; },
             TipoAchado::linkSemPrancha, 0, 3, "o link \"COZINHA\" não leva a nenhuma prancha"},
            {"link da prancha", [](Fixture& f) { f.p.pranchas[0].link = "SALA"; },
             TipoAchado::linkSemPrancha, 0, -1, "o link da prancha, \"SALA\","},
            {"espaço antes do sinal", [](Fixture& f) { f.it(0, 3).link = "OUTRA +1"; },
             TipoAchado::linkSemPrancha, 0, 3, "o espaço antes do sinal"},
            {"deslocamento", [](Fixture& f) { f.it(0, 3).link = "OUTRA+2"; },
             TipoAchado::linkForaDoProjeto, 0, 3,
             "sai do projeto: depois de \"OUTRA\" há só 1 prancha"},
            {"anterior com deslocamento", [](Fixture& f) { f.it(1, 0).link = "#ANTERIOR-1"; },
             TipoAchado::linkForaDoProjeto, 1, 0,
             "quando a prancha anterior é \"INICIO\": antes de \"INICIO\" não há nenhuma"},
            {"prancha inicial", [](Fixture& f) { f.p.pranchaInicial = "COMECO"; },
             TipoAchado::pranchaInicialSemPrancha, -1, -1,
             "A prancha inicial \"COMECO\" não existe no projeto; a execução não pode começar."},
            {"prancha de socorro", [](Fixture& f) { f.p.pranchaSocorro = "AJUDA"; },
             TipoAchado::pranchaSocorroSemPrancha, -1, -1, "A prancha de socorro \"AJUDA\""},
            {"figura que falta", [](Fixture& f) { QFile::remove(f.arquivo("casa.jpg")); },
             TipoAchado::figuraAusente, 0, 3, "a figura \"casa.jpg\" não está na pasta"},
            {"figura em outra caixa",
             [](Fixture& f) { QFile::rename(f.arquivo("casa.jpg"), f.arquivo("Casa.JPG")); },
             TipoAchado::figuraAusente, 0, 3, "Há \"Casa.JPG\", que só difere nas maiúsculas"},
            {"figura achada em outra caixa", [](Fixture& f) { f.it(0, 3).figura = "CASA?"; },
             TipoAchado::figuraAusente, 0, 3,
             "a figura \"CASA?\" é procurada como \"CASA.jpg\", que não está na pasta do "
             "projeto. Há \"casa.jpg\""},
            {"figura que não é figura",
             [](Fixture& f) { grava(f.arquivo("casa.jpg"), "isto não é uma figura"); },
             TipoAchado::figuraIlegivel, 0, 3, "não pode ser lida"},
            {"figura cortada",
             [](Fixture& f) { grava(f.arquivo("casa.jpg"), jpeg().left(jpeg().size() / 2)); },
             TipoAchado::figuraIlegivel, 0, 3, "não pode ser lida"},
            {"figura PNG",
             [](Fixture& f) {
                 QImage img(8, 8, QImage::Format_RGB32);
                 img.fill(Qt::red);
                 img.save(f.arquivo("casa.jpg"), "PNG");
             },
             TipoAchado::figuraIlegivel, 0, 3, "não é JPEG nem BMP"},
            {"figura achada pelo rótulo, ilegível",
             [](Fixture& f) { grava(f.arquivo("socorro.jpg"), "nada"); },
             TipoAchado::figuraIlegivel, 0, 1, "a figura \"socorro.jpg\""},
            {"som que falta, falado", [](Fixture& f) { QFile::remove(f.arquivo("oi.wav")); },
             TipoAchado::somAusente, 0, 2,
             "o som \"oi.wav\" não está na pasta do projeto; na execução, o sintetizador fala "
             "\"oi\" no lugar dele."},
            {"som que falta, calado",
             [](Fixture& f) {
                 QFile::remove(f.arquivo("oi.wav"));
                 f.p.sintetizando = false;
                 f.it(0, 2).fala.clear();
             },
             TipoAchado::somAusente, 0, 2, "desligado, nada é tocado"},
            {"fala sem síntese",
             [](Fixture& f) {
                 f.p.sintetizando = false;
                 f.it(0, 2).som.clear();
             },
             TipoAchado::somAusente, 0, 2,
             "a fala \"Olá, tudo bem?\" não tem gravação (\"Olá, tudo bem?.wav\")"},
            {"fala que cita um arquivo", [](Fixture& f) { f.it(0, 2).fala = "bom dia.mp3"; },
             TipoAchado::somAusente, 0, 2, "o sintetizador lê esse nome"},
            {"som da prancha", [](Fixture& f) { f.p.pranchas[1].som = "vinheta.mp3"; },
             TipoAchado::somAusente, 1, -1, "o som da prancha \"vinheta.mp3\""},
            {"som que não toca", [](Fixture& f) { grava(f.arquivo("oi.wav"), "texto"); },
             TipoAchado::somIlegivel, 0, 2, "não pode ser tocado: o arquivo não é WAV nem MP3"},
            {"som sem amostras", // what a recorder without a microphone used to leave
             [](Fixture& f) { grava(f.arquivo("oi.wav"), wavVazio()); }, TipoAchado::somIlegivel, 0,
             2, "o som \"oi.wav\" não pode ser tocado: o arquivo WAV não tem nenhum som"},
            {"fala gravada sem amostras",
             [](Fixture& f) {
                 f.it(0, 2).som.clear();
                 f.it(0, 2).fala = "oi";
                 grava(f.arquivo("oi.wav"), wav().left(tamCabecalhoWav)); // samples never written
             },
             TipoAchado::somIlegivel, 0, 2,
             "usada para a fala, não pode ser tocada: o arquivo WAV"},
            {"programa",
             [](Fixture& f) { f.it(0, 3).executar = "\"jogo-que-nao-ha\" --tela-cheia"; },
             TipoAchado::programaAusente, 0, 3, "o programa \"jogo-que-nao-ha\" não foi achado"},
            {"prancha solta",
             [](Fixture& f) { f.p.pranchas.append(prancha("SOLTA", 1, 1, {item("x")})); },
             TipoAchado::pranchaInalcancavel, 3, -1,
             "nenhum caminho de links leva a ela a partir da prancha inicial \"INICIO\""},
            {"nome igual a não ser pela caixa",
             [](Fixture& f) {
                 f.p.pranchas.append(prancha(" Outra", 1, 1, {item("x", {}, "INICIO")}));
                 f.p.pranchaInicial.clear(); // any board may start: none is out of reach
             },
             TipoAchado::nomesParecidos, 3, -1, "sempre levam àquela, nunca a esta"},
            {"nome com espaço no meio",
             [](Fixture& f) {
                 f.p.pranchas.append(prancha("OU TRA", 1, 1, {item("x", {}, "INICIO")}));
                 f.p.pranchaInicial.clear();
             },
             TipoAchado::nomesParecidos, 3, -1, "é fácil um link citar a prancha errada"},
            {"item fora da grade",
             [](Fixture& f) { f.p.pranchas[1].itens.append(item("perdido")); },
             TipoAchado::itemForaDaGrade, 1, 1, "fica fora da grade de 1 × 1"},
            {"item sem rótulo nem figura",
             [](Fixture& f) {
                 f.it(0, 5).link = "OUTRA"; // the unused cell now does something
             },
             TipoAchado::itemSemConteudo, 0, 5, "também não é gravado ao salvar"},
            {"rótulo escondido sem figura",
             [](Fixture& f) {
                 f.it(0, 1).semRotulo = true; // "socorro" had only its label's picture
                 f.it(0, 1).semFigura = false;
                 QFile::remove(f.arquivo("socorro.jpg"));
             },
             TipoAchado::itemSemConteudo, 0, 1, "aparece como uma célula em branco."},
            {"item sem rótulo", [](Fixture& f) { f.it(0, 3).rotulo.clear(); },
             TipoAchado::itemSemRotulo, 0, 3, "não tem rótulo e por isso não é gravado"},
            {"emoji no rótulo", [](Fixture& f) { f.it(0, 0).rotulo = "ir 😀"; },
             TipoAchado::textoForaDoCp1252, 0, 0,
             "o rótulo tem 1 caractere que o arquivo de pranchas não guarda"},
            {"autor", [](Fixture& f) { f.p.autor = "Ana\nBia"; }, TipoAchado::textoForaDoCp1252, -1,
             -1, "O autor do projeto tem 1 caractere"},
            {"tempos", [](Fixture& f) { f.p.tempoVarredura = 300; }, TipoAchado::temposIncoerentes,
             -1, -1, "\"Varredura\" de 300 para 2000 ms"},
            {"passo a passo com auto-clique",
             [](Fixture& f) {
                 f.p.acesso.passoAPasso = true;
                 f.p.tempoAutoClique = 1500;
             },
             TipoAchado::acessoSemEfeito, -1, -1,
             "\"Tempo de auto-clique\" (1500 ms) não vale na varredura passo a passo"},
            {"pausa e voltas no passo a passo",
             [](Fixture& f) {
                 f.p.acesso.passoAPasso = true;
                 f.p.acesso.voltasVarredura = 3;
             },
             TipoAchado::acessoSemEfeito, -1, -1, "\"Voltas antes de parar\" só valem"},
            {"anel sem auto-clique", [](Fixture& f) { f.p.acesso.progressoPermanencia = true; },
             TipoAchado::acessoSemEfeito, -1, -1, "porque o \"Tempo de auto-clique\" é 0"},
        };
        for (const Caso& c : casos) {
            Fixture f;
            c.falha(f);
            const QList<Achado> achados = verificaProjeto(f.p, f.dir.path());
            const QString todos = lista(achados);
            QVERIFY2(achados.size() == 1, qPrintable(QString(c.nome) + ":\n" + todos));
            const Achado& a = achados.first();
            QVERIFY2(a.tipo == c.tipo, c.nome);
            QVERIFY2(a.prancha == c.prancha && a.item == c.item, qPrintable(c.nome + todos));
            QVERIFY2(a.texto.contains(c.trecho), qPrintable(QString(c.nome) + ": " + a.texto));
        }
    }

    // What a run does with them, so they are no fault.
    void oQueAExecucaoResolve() {
        const QList<std::function<void(Fixture&)>> casos = {
            // the picture named is missing, but one named after the label is there
            [](Fixture& f) { f.it(0, 0).figura = "nao-ha.jpg"; },
            // a label ending in "?" finds the picture named without it
            [](Fixture& f) {
                f.it(0, 3).figura.clear();
                f.it(0, 3).rotulo = "casa?";
            },
            // a speech text without recording is spoken
            [](Fixture& f) { f.it(0, 0).fala = "Quero ir embora"; },
            // a recording named after the speech text plays instead
            [](Fixture& f) {
                f.it(0, 0).fala = "tchau";
                grava(f.arquivo("tchau.wav"), wav());
                f.p.sintetizando = false;
                f.it(0, 2).fala.clear();
            },
            // a program of the folder, one on the PATH, a document of the folder
            [](Fixture& f) {
                grava(f.arquivo("jogo.sh"), "#!/bin/sh\n");
                QFile(f.arquivo("jogo.sh")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
                f.it(0, 0).executar = "jogo.sh";
                f.it(0, 3).executar = "\"sh\" -c true";
                grava(f.arquivo("notas.txt"), "x");
                f.it(1, 0).executar = "notas.txt";
            },
            // with no start board the run asks for one: every board may come first
            [](Fixture& f) {
                f.p.pranchaInicial.clear();
                f.p.pranchas.append(prancha("SOLTA", 1, 1, {item("x")}));
            },
            // the help board counts as reached, and leads on
            [](Fixture& f) {
                f.it(0, 1).link = "INICIO";
                f.p.pranchas[2].itens.append(item("outra", "ir.jpg", "OUTRA"));
                f.p.pranchas[2].nColunas = 2;
                f.it(0, 0).link.clear();
            },
            // scanning options without a scanning time: '+' starts scanning during a run
            [](Fixture& f) {
                f.p.tempoVarredura = 0;
                f.p.acesso.modoVarredura = TModoVarredura::linhaColuna;
                f.p.acesso.pausaPrimeiro = 500;
                f.p.acesso.voltasVarredura = 2;
            },
            // the dwell ring with the auto-click on
            [](Fixture& f) {
                f.p.tempoAutoClique = 1500;
                f.p.acesso.progressoPermanencia = true;
            },
            // "#ANTERIOR+1" back from a board reached only from the first one
            [](Fixture& f) { f.it(1, 0).link = "#ANTERIOR+1"; },
            // a board's link, followed from its items without one
            [](Fixture& f) {
                f.it(0, 0).link.clear();
                f.p.pranchas[0].link = "OUTRA";
            },
        };
        for (int k = 0; k < casos.size(); ++k) {
            Fixture f;
            casos[k](f);
            const QList<Achado> achados = verificaProjeto(f.p, f.dir.path());
            QVERIFY2(achados.isEmpty(), qPrintable(QString::number(k) + ": " + lista(achados)));
        }
    }

    // One project with every fault at once lists each once, the settings first, then board by
    // board and item by item.
    void todasAsFalhasDeUmaVez() {
        Fixture f;
        f.it(0, 3).link = "COZINHA";
        f.it(1, 0).link = "#ANTERIOR-1";
        f.p.pranchaSocorro = "AJUDA";
        f.it(0, 0).figura = "nao-ha.jpg";
        f.it(0, 0).rotulo = "ir embora"; // no picture by the label either
        grava(f.arquivo("casa.jpg"), "lixo");
        QFile::remove(f.arquivo("oi.wav"));
        grava(f.arquivo("tchau.wav"), "lixo");
        f.p.pranchas[2].som = "tchau";
        f.it(0, 3).executar = "nao-ha-programa";
        f.p.pranchas.append(prancha("Outra ", 1, 1, {item("x😀"), item("a mais")}));
        f.it(0, 5).link = "OUTRA";
        f.it(1, 0).rotulo.clear();
        f.p.tempoSocorro = 200;
        f.p.acesso.progressoPermanencia = true;
        const QList<Achado> achados = verificaProjeto(f.p, f.dir.path());
        QMap<TipoAchado, int> contagem;
        for (const Achado& a : achados)
            ++contagem[a.tipo];
        for (int t = 0; t <= int(TipoAchado::acessoSemEfeito); ++t)
            if (TipoAchado(t) != TipoAchado::pranchaInicialSemPrancha) // no run would start
                QVERIFY2(
                    contagem.value(TipoAchado(t)) == 1,
                    qPrintable(QString("tipo %1, %2 vezes").arg(t).arg(contagem[TipoAchado(t)])));
        for (int k = 1; k < achados.size(); ++k) {
            const Achado& a = achados[k - 1];
            const Achado& b = achados[k];
            QVERIFY(a.prancha < b.prancha || (a.prancha == b.prancha && a.item <= b.item));
        }
        QCOMPARE(achados.first().prancha, -1);
    }

    // The look-ups a listed folder answers are the disk's own.
    void pastaListadaResponde() {
        QTemporaryDir dir;
        grava(dir.filePath("Bola.jpg"), "x");
        grava(dir.filePath(".oculto.wav"), "x");
        QDir(dir.path()).mkdir("sub");
        grava(dir.filePath("sub/dentro.jpg"), "x");
        QFile::link(dir.filePath("Bola.jpg"), dir.filePath("atalho.jpg"));
        QFile::link(dir.filePath("nada"), dir.filePath("quebrado.jpg"));
        const ArquivosDaPasta disco(dir.path());
        const ArquivosDaPasta lista = ArquivosDaPasta::listada(dir.path());
        for (const QString nome : {"Bola.jpg", "bola.jpg", ".oculto.wav", "sub", "sub/dentro.jpg",
                                   "atalho.jpg", "quebrado.jpg", "nada", "", "."}) {
            QCOMPARE(lista.existe(nome), disco.existe(nome));
            QCOMPARE(lista.procura(nome), disco.procura(nome));
        }
        for (const QString busca : {"bola?.jpg", "B*", "*.wav", "x?", "sub/*.jpg"})
            QCOMPARE(lista.procura(busca), disco.procura(busca));
        QVERIFY(lista.procura("BOLA?.JPG"));
        QCOMPARE(lista.comOutraCaixa("BOLA.JPG"), QString("Bola.jpg"));
        QCOMPARE(lista.comOutraCaixa("Bola.jpg"), QString());
        QCOMPARE(disco.comOutraCaixa("BOLA.JPG"), QString()); // only a list knows
    }

    // The projects shipped with the program, as the build assembles them, have nothing to mend.
    void projetosProntosSaemLimpos() {
        for (const char* nome : {"exemplo", "vocabulario_inicial"}) {
            const QString pasta = ZELVANA_BUILD_DIR "/src/app/" + QString(nome);
            QVERIFY2(QFileInfo::exists(pasta + "/pranchas.pra"), nome);
            RespostasDeDialogo avisos;
            projeto = TProjeto{};
            carregaPranchas(pasta);
            QVERIFY(avisos.erros.isEmpty());
            QVERIFY(projeto.nPranchas() > 0);
            const QList<Achado> achados = verificaProjeto(projeto, pasta);
            QVERIFY2(achados.isEmpty(), qPrintable(lista(achados)));
        }
        // The starter vocabulary: every board but the core one leads back to it from the same
        // first cell, and nearly every item has a picture.
        int itens = 0, comFigura = 0;
        for (const TPrancha& p : projeto.pranchas.mid(0, projeto.nPranchas())) {
            QVERIFY2(p.nome == projeto.pranchaInicial ||
                         (p.itens.value(0).rotulo == "voltar" &&
                          p.itens.value(0).link == projeto.pranchaInicial),
                     qPrintable(p.nome));
            for (const TItem& i : p.itens) {
                itens += !i.rotulo.isEmpty();
                comFigura += !i.rotulo.isEmpty() && !i.figura.isEmpty();
            }
        }
        QVERIFY2(comFigura >= itens * 9 / 10,
                 qPrintable(QString("%1 de %2").arg(comFigura).arg(itens)));
    }

    // zelvana --verificar: the findings of the saved project, one per line, and the exit status.
    void linhaDeComando() {
        const auto zelvana = [](const QStringList& args, QString* saida = nullptr,
                                QString* erro = nullptr) {
            QProcess p;
            p.start(ZELVANA_BUILD_DIR "/src/app/zelvana", QStringList{"--verificar"} + args);
            if (!p.waitForFinished(30000)) return -1;
            if (saida) *saida = QString::fromUtf8(p.readAllStandardOutput());
            if (erro) *erro = QString::fromUtf8(p.readAllStandardError());
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        QString saida, erro;
        QCOMPARE(zelvana({ZELVANA_BUILD_DIR "/src/app/exemplo"}, &saida), 0);
        QCOMPARE(saida, QString());

        Fixture f;
        f.it(0, 3).link = "COZINHA";
        QFile::remove(f.arquivo("oi.wav"));
        f.p.pranchas.append(prancha("SOLTA", 1, 1, {item("x😀")}));
        RespostasDeDialogo avisos;
        avisos.ok(); // the emoji written as "?"
        projeto = f.p;
        QVERIFY(gravaPranchas(f.dir.path(), "pranchas.pra"));
        carregaPranchas(f.dir.path());
        QStringList esperadas;
        for (const Achado& a : verificaProjeto(projeto, f.dir.path()))
            esperadas << a.texto;
        QCOMPARE(esperadas.size(), 3); // saved, the emoji is already a "?"
        QCOMPARE(zelvana({f.dir.path()}, &saida), 1);
        QCOMPARE(saida, esperadas.join('\n') + '\n');

        QCOMPARE(zelvana({f.dir.filePath("nada")}, &saida, &erro), 2);
        QCOMPARE(saida, QString());
        QVERIFY2(erro.contains("não é a pasta de um projeto"), qPrintable(erro));
        QCOMPARE(zelvana({}), 2);
    }

    // The check counts the "?" exactly as the save writes them.
    void contaComoOArquivoGrava() {
        for (const QString texto :
             {"água € “aspas”", "😀😀", "a\nb\r", "\t", "ação 日本", "x😀y", ""}) {
            int trocados = 0;
            paraCp1252(texto, &trocados);
            QCOMPARE(trocasEmCp1252(texto), trocados);
        }
        QCOMPARE(trocasEmCp1252(QString("😀😀")), 2);
        QCOMPARE(trocasEmCp1252(QString("água € “aspas”")), 0);
    }

    void itensForaDaGradeSemPasta() {
        Fixture f;
        QVERIFY(itensForaDaGrade(f.p).isEmpty());
        f.p.pranchas[2].itens << item("a") << item("b");
        const QList<Achado> fora = itensForaDaGrade(f.p);
        QCOMPARE(fora.size(), 2);
        QCOMPARE(fora[0].texto, QString("Prancha \"SOCORRO\", item 2 (\"a\"): fica fora da grade "
                                        "de 1 × 1: não aparece na prancha e se perde ao salvar."));
        QCOMPARE(fora[1].item, 2);
    }
};

QTEST_MAIN(TstVerificacao)
#include "tst_verificacao.moc"
