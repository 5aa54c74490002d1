#include "app/linha_de_comando.h"

#include "logica/editor/documento_projeto.h"
#include "logica/troca/exporta_obz.h"
#include "logica/troca/importa_obz.h"
#include "logica/verificacao/verifica_projeto.h"
#include "nucleo/avisos.h"
#include "nucleo/versao.h"
#include "plataforma/pastas.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace {

void escreve(const QString& texto, FILE* saida) {
    std::fputs(texto.toUtf8().constData(), saida);
}

} // namespace

QString textoDeUso() {
    return QStringLiteral(
        "Uso: zelvana [PASTA]\n"
        "     zelvana --executar PASTA [PRANCHA]\n"
        "     zelvana --jpg PASTA PRANCHA ARQUIVO.jpg [LARGURAxALTURA]\n"
        "     zelvana --verificar PASTA\n"
        "     zelvana --exportar-obz PASTA ARQUIVO.obz\n"
        "     zelvana --importar-obz ARQUIVO.obz PASTA\n"
        "     zelvana --help | --version\n"
        "\n"
        "Constrói e usa pranchas de comunicação: grades de figuras com rótulos que falam,\n"
        "tocam sons e levam a outras pranchas.\n"
        "\n"
        "  (sem argumentos)      abre a janela inicial\n"
        "  PASTA                 abre o projeto da pasta no editor de pranchas\n"
        "  --executar PASTA [PRANCHA]\n"
        "                        começa direto na execução do projeto, na prancha inicial\n"
        "                        ou na prancha indicada; ao sair da execução (Alt+F4),\n"
        "                        o programa termina\n"
        "  --jpg PASTA PRANCHA ARQUIVO.jpg [LARGURAxALTURA]\n"
        "                        grava a prancha como figura JPEG (1024x768 se o tamanho\n"
        "                        não for dado), sem abrir janela\n"
        "  --verificar PASTA     lista os problemas do projeto (links quebrados, figuras e\n"
        "                        sons que faltam, pranchas que nenhum link alcança...),\n"
        "                        um por linha; termina com 0 se não há nenhum, 1 se há e\n"
        "                        2 se a pasta não é de um projeto\n"
        "  --exportar-obz PASTA ARQUIVO.obz\n"
        "                        grava o projeto como pacote OBZ (Open Board Format), com\n"
        "                        figuras e sons, para levar a outros programas de pranchas\n"
        "  --importar-obz ARQUIVO.obz PASTA\n"
        "                        cria na PASTA (nova ou vazia) o projeto de um pacote OBZ\n"
        "                        ou de uma prancha OBF; termina com 0 se deu certo e 1 se não\n"
        "  -h, --help            mostra esta ajuda e termina\n"
        "  --version             mostra a versão e termina\n"
        "\n"
        "Uma pasta de projeto contém o arquivo pranchas.pra e as figuras e sons que ele cita.\n"
        "Mais detalhes: man zelvana, ou o botão Ajuda da janela inicial.\n");
}

QString textoDosArquivos(const QString& pasta) {
    QString texto;
    const auto linha = [&](const char* rotulo, const QString& caminho) {
        if (QFileInfo::exists(caminho)) texto += QString::fromUtf8(rotulo) + caminho + "\n";
    };
    linha("Ajuda completa:       ", pasta + "/zelvana.html");
    linha("Projeto de exemplo:   ", pasta + "/exemplo");
    linha("Vocabulário inicial:  ", pasta + "/vocabulario_inicial");
    return texto;
}

QString textoDeVersao() {
    return QStringLiteral("Zelvana " ZELVANA_VERSAO "\n"
                          "Editor de Pranchas de Comunicação\n" ZELVANA_LICENCA "\n");
}

int respondeOpcaoDeInformacao(int argc, char* argv[]) {
    if (argc < 2) return -1;
    const QByteArray primeiro(argv[1]);
    if (primeiro == "--help" || primeiro == "-h") {
        // Only to find the program's folder; no display is opened.
        QCoreApplication app(argc, argv);
        const QString arquivos = textoDosArquivos(pastaDoPrograma());
        escreve(textoDeUso() + (arquivos.isEmpty() ? QString() : "\n" + arquivos), stdout);
        return 0;
    }
    if (primeiro == "--version") {
        escreve(textoDeVersao(), stdout);
        return 0;
    }
    return -1;
}

bool opcaoDesconhecida(const QString& argumento) {
    static const QStringList conhecidas = {
        "--executar",     "--jpg",  "--verificar", "--exportar-obz",
        "--importar-obz", "--help", "-h",          "--version"};
    return argumento.startsWith('-') && !conhecidas.contains(argumento);
}

int recusaOpcao(const QString& argumento) {
    escreve(QStringLiteral("zelvana: opção desconhecida: %1\n"
                           "Use \"zelvana --help\" para ver as opções.\n")
                .arg(argumento),
            stderr);
    return 2;
}

namespace {

// Loads the project of a folder named on the command line; what the board file says while it
// is read goes to stderr, never to a box. Gives the folder's full path, or empty (and says why)
// when it holds no project.
QString carregaEmSilencio(const QString& argumento) {
    const QString pasta = QFileInfo(argumento).absoluteFilePath();
    if (!QFileInfo(pasta + QStringLiteral("/pranchas.pra")).isFile()) {
        escreve(QStringLiteral("zelvana: %1 não é a pasta de um projeto (não tem o arquivo "
                               "pranchas.pra)\n")
                    .arg(argumento),
                stderr);
        return {};
    }
    const auto paraErro = [](const QString& t) { escreve(t + u'\n', stderr); };
    const Avisos anteriores = instalaAvisos(Avisos{paraErro, [](const QString&, int) {},
                                                   [](const QString&) { return false; }, paraErro});
    abreProjeto(pasta);
    instalaAvisos(anteriores);
    return pasta;
}

} // namespace

int exportaObzLinhaDeComando(const QStringList& args) {
    if (args.size() != 2) {
        escreve(QStringLiteral("Uso: zelvana --exportar-obz PASTA ARQUIVO.obz\n"), stderr);
        return 2;
    }
    const QString pasta = carregaEmSilencio(args[0]);
    if (pasta.isEmpty()) return 1;
    const ResultadoExportacao r = exportaObz(projeto, pasta, args[1]);
    escreve(r.resumo() + u'\n', r.ok ? stdout : stderr);
    return r.ok ? 0 : 1;
}

int importaObzLinhaDeComando(const QStringList& args) {
    if (args.size() != 2) {
        escreve(QStringLiteral("Uso: zelvana --importar-obz ARQUIVO.obz PASTA\n"), stderr);
        return 2;
    }
    const ResultadoImportacao r = importaPacoteObz(args[0], args[1]);
    escreve(r.resumo() + u'\n', r.ok ? stdout : stderr);
    return r.ok ? 0 : 1;
}

int verificaLinhaDeComando(const QStringList& args) {
    if (args.size() != 1) {
        escreve(QStringLiteral("Uso: zelvana --verificar PASTA\n"), stderr);
        return 2;
    }
    const QString pasta = carregaEmSilencio(args[0]);
    if (pasta.isEmpty()) return 2;
    const QList<Achado> achados = verificaProjeto(projeto, pasta);
    for (const Achado& a : achados)
        escreve(a.texto.simplified() + u'\n', stdout);
    return achados.isEmpty() ? 0 : 1;
}
