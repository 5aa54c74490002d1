// Build-time generator of the program's data:
//   zelvana_gerador biblioteca --saida DIR --vocabulario TSV --emoji-test TXT --cldr XML...
//                              --fonte TTF [--so PALAVRA...] [--processos N]
//   zelvana_gerador vazia --saida ARQUIVO.jpg
//   zelvana_gerador projeto --origem DIR --biblioteca DIR --saida DIR
// Runs headless (QT_QPA_PLATFORM=offscreen) and never touches the network.
#include "desenho.h"
#include "fontes.h"
#include "nomes.h"
#include "projeto.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <cstdio>

namespace {

QTextStream& erroPadrao() {
    static QTextStream s(stderr);
    return s;
}

int falha(const QString& texto) {
    erroPadrao() << "zelvana_gerador: " << texto << Qt::endl;
    return 1;
}

const char* const atribuicao =
    "Biblioteca de figuras ARASAAC_mini do Zelvana\n"
    "\n"
    "As figuras foram desenhadas a partir da fonte Noto Color Emoji, e os nomes dos arquivos\n"
    "vêm do vocabulário básico do Zelvana e dos nomes curtos em português do Brasil do Unicode\n"
    "CLDR. A lista de cada arquivo, com o emoji e a origem do nome, está em manifesto.tsv.\n"
    "\n"
    "Desenhos dos emoji (Noto Emoji): Copyright 2013 Google LLC,\n"
    "  licença Apache 2.0 (Apache-2.0), https://www.apache.org/licenses/LICENSE-2.0\n"
    "Fonte Noto Color Emoji: Copyright 2013 Google LLC,\n"
    "  SIL Open Font License 1.1 (OFL-1.1), https://openfontlicense.org\n"
    "Nomes dos emoji (Unicode CLDR, anotações \"pt\"): Copyright 1991-2022 Unicode, Inc.,\n"
    "  Unicode License Agreement - Data Files and Software (Unicode-DFS-2016),\n"
    "  https://www.unicode.org/license.txt\n";

struct Opcoes {
    QString saida, vocabulario, emojiTest, fonte;
    QStringList cldr, so;
    int processos = 1;
    int parte = -1; // a helper process draws every n-th picture from this one on
};

bool montaLista(const Opcoes& o, QList<Figura>& figuras) {
    QString erro;
    ListaDeEmoji lista;
    QList<Palavra> vocabulario;
    QHash<QString, QString> nomes;
    if (!leListaDeEmoji(o.emojiTest, lista, erro) ||
        !leVocabulario(o.vocabulario, lista, vocabulario, erro) ||
        !leNomesCldr(o.cldr, nomes, erro)) {
        falha(erro);
        return false;
    }
    const Montagem m = montaBiblioteca(vocabulario, palavrasCldr(lista, nomes));
    for (const QString& e : m.erros)
        falha(e);
    if (!m.erros.isEmpty()) return false;
    if (o.parte < 0)
        for (const QString& a : m.avisos)
            erroPadrao() << "aviso: " << a << Qt::endl;
    const QSet<QString> so(o.so.begin(), o.so.end());
    for (const Figura& f : m.figuras)
        if (so.isEmpty() || so.contains(f.palavra)) figuras << f;
    return true;
}

// Draws the pictures of one share; returns the files the font cannot draw.
bool desenhaParte(const Opcoes& o, const QList<Figura>& figuras, int parte, int partes,
                  QStringList& semDesenho) {
    const DesenhaEmoji desenho(o.fonte);
    if (!desenho.pronto()) {
        falha(QStringLiteral("a fonte %1 não pôde ser carregada").arg(o.fonte));
        return false;
    }
    for (qsizetype i = parte; i < figuras.size(); i += partes) {
        const Figura& f = figuras.at(i);
        const QImage img = desenho.desenha(f.emoji);
        if (img.isNull()) {
            semDesenho << f.arquivo;
            continue;
        }
        if (!gravaJpeg(img, o.saida + QLatin1Char('/') + f.arquivo)) {
            falha(QStringLiteral("não foi possível gravar %1").arg(f.arquivo));
            return false;
        }
    }
    return true;
}

bool gravaTexto(const QString& arquivo, const QByteArray& conteudo) {
    QSaveFile f(arquivo);
    return f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size() && f.commit();
}

int biblioteca(const Opcoes& o) {
    QList<Figura> figuras;
    if (!montaLista(o, figuras)) return 1;

    if (o.parte >= 0) {
        QStringList semDesenho;
        if (!desenhaParte(o, figuras, o.parte, o.processos, semDesenho)) return 1;
        QTextStream(stdout) << semDesenho.join(QLatin1Char('\n')) << Qt::endl;
        return 0;
    }

    // The manifest goes last: its presence says that the whole library is in place.
    const QString manifesto = o.saida + QStringLiteral("/manifesto.tsv");
    QFile::remove(manifesto);
    if (!QDir().mkpath(o.saida))
        return falha(QStringLiteral("não foi possível criar %1").arg(o.saida));

    // Fonts are drawn on the GUI thread only, so the other cores get processes of their own.
    QList<QProcess*> ajudantes;
    for (int k = 1; k < o.processos; ++k) {
        auto* p = new QProcess(qApp);
        QStringList args = QCoreApplication::arguments().mid(1);
        args << QStringLiteral("--processos") << QString::number(o.processos)
             << QStringLiteral("--parte") << QString::number(k);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(), args);
        ajudantes << p;
    }
    QStringList semDesenho;
    bool ok = desenhaParte(o, figuras, 0, o.processos, semDesenho);
    for (QProcess* p : ajudantes) {
        if (!p->waitForFinished(-1) || p->exitStatus() != QProcess::NormalExit ||
            p->exitCode() != 0) {
            ok = false;
            continue;
        }
        semDesenho << QString::fromUtf8(p->readAllStandardOutput())
                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    if (!ok) return falha(QStringLiteral("a biblioteca não foi desenhada"));

    const QSet<QString> faltam(semDesenho.begin(), semDesenho.end());
    QByteArray linhas = "# palavra\tarquivo\temoji\torigem\n";
    QSet<QString> feitos;
    int doVocabulario = 0;
    for (const Figura& f : figuras) {
        if (faltam.contains(f.arquivo)) {
            // A core word must have its picture: the vocabulary names an emoji the font lacks.
            if (f.origem == Origem::vocabulario) {
                falha(QStringLiteral("a fonte não desenha %1 (%2) da palavra \"%3\"")
                          .arg(codigosDoEmoji(f.emoji), f.arquivo, f.palavra));
                ok = false;
            }
            continue;
        }
        feitos << f.arquivo;
        doVocabulario += f.origem == Origem::vocabulario;
        linhas += (QStringList{f.palavra, f.arquivo, codigosDoEmoji(f.emoji),
                               f.origem == Origem::vocabulario ? QStringLiteral("vocabulario")
                                                               : QStringLiteral("cldr")}
                       .join(QLatin1Char('\t')) +
                   QLatin1Char('\n'))
                      .toUtf8();
    }
    if (!ok) return 1;
    // Pictures of an earlier run whose word is gone must not linger in the library.
    for (const QString& velho : QDir(o.saida).entryList({QStringLiteral("*.jpg")}, QDir::Files))
        if (!feitos.contains(velho)) QFile::remove(o.saida + QLatin1Char('/') + velho);

    if (!gravaTexto(o.saida + QStringLiteral("/atribuicao.txt"), atribuicao) ||
        !gravaTexto(manifesto, linhas))
        return falha(QStringLiteral("não foi possível gravar o manifesto em %1").arg(o.saida));
    QTextStream(stdout) << "ARASAAC_mini: " << feitos.size() << " figuras (" << doVocabulario
                        << " do vocabulário básico); " << faltam.size()
                        << " emoji sem desenho na fonte" << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QCommandLineParser cl;
    cl.addPositionalArgument(QStringLiteral("comando"),
                             QStringLiteral("biblioteca | vazia | projeto"));
    const QCommandLineOption saida(QStringLiteral("saida"), {}, QStringLiteral("caminho"));
    const QCommandLineOption vocabulario(QStringLiteral("vocabulario"), {}, QStringLiteral("tsv"));
    const QCommandLineOption emojiTest(QStringLiteral("emoji-test"), {}, QStringLiteral("txt"));
    const QCommandLineOption cldr(QStringLiteral("cldr"), {}, QStringLiteral("xml"));
    const QCommandLineOption fonte(QStringLiteral("fonte"), {}, QStringLiteral("ttf"));
    const QCommandLineOption so(QStringLiteral("so"), {}, QStringLiteral("palavra"));
    const QCommandLineOption processos(QStringLiteral("processos"), {}, QStringLiteral("n"));
    const QCommandLineOption parte(QStringLiteral("parte"), {}, QStringLiteral("k"));
    const QCommandLineOption origem(QStringLiteral("origem"), {}, QStringLiteral("pasta"));
    const QCommandLineOption pastaBiblioteca(QStringLiteral("biblioteca"), {},
                                             QStringLiteral("pasta"));
    cl.addOptions({saida, vocabulario, emojiTest, cldr, fonte, so, processos, parte, origem,
                   pastaBiblioteca});
    cl.process(app);
    const QString comando = cl.positionalArguments().value(0);
    if (!cl.isSet(saida)) return falha(QStringLiteral("falta --saida"));

    if (comando == QLatin1String("vazia"))
        return gravaJpeg(desenhaFiguraVazia(), cl.value(saida))
                   ? 0
                   : falha(QStringLiteral("não foi possível gravar %1").arg(cl.value(saida)));

    if (comando == QLatin1String("projeto")) {
        QString erro;
        return montaProjeto(cl.value(origem), cl.value(pastaBiblioteca), cl.value(saida), erro)
                   ? 0
                   : falha(erro);
    }

    if (comando != QLatin1String("biblioteca"))
        return falha(QStringLiteral("comando desconhecido: %1").arg(comando));
    Opcoes o;
    o.saida = cl.value(saida);
    o.vocabulario = cl.value(vocabulario);
    o.emojiTest = cl.value(emojiTest);
    o.fonte = cl.value(fonte);
    o.cldr = cl.values(cldr);
    o.so = cl.values(so);
    o.processos = cl.isSet(processos) ? std::max(1, cl.value(processos).toInt())
                                      : std::max(1, QThread::idealThreadCount());
    o.parte = cl.isSet(parte) ? cl.value(parte).toInt() : -1;
    if (o.vocabulario.isEmpty() || o.emojiTest.isEmpty() || o.cldr.isEmpty() || o.fonte.isEmpty())
        return falha(QStringLiteral("faltam --vocabulario, --emoji-test, --cldr ou --fonte"));
    if (o.parte >= o.processos) return falha(QStringLiteral("--parte fora de --processos"));
    return biblioteca(o);
}
