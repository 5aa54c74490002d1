#include "janelas/troca/troca_obz.h"

#include "logica/troca/exporta_obz.h"
#include "logica/troca/importa_obz.h"
#include "logica/troca/le_pacote.h"
#include "nucleo/avisos.h"
#include "plataforma/dialogos.h"
#include "plataforma/pastas.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString pastaInicial(const QString& pasta) {
    return pasta.isEmpty() ? pastaDocumentos() : QFileInfo(pasta).absolutePath();
}

// The name the package suggests, numbered past the folders that exist already.
QString pastaNova(const QString& lugar, const QString& pacote) {
    QString base = nomeDeArquivoSeguro(QFileInfo(pacote).completeBaseName());
    if (base.isEmpty()) base = QStringLiteral("Projeto importado");
    QString nome = base;
    for (int n = 2; QFileInfo::exists(QDir(lugar).filePath(nome)); ++n)
        nome = base + QStringLiteral(" %1").arg(n);
    return QDir(lugar).filePath(nome);
}

class CursorDeEspera {
public:
    CursorDeEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorDeEspera() { QApplication::restoreOverrideCursor(); }
};

void conta(const ResultadoExportacao& r) {
    if (r.ok)
        avisoInfo(r.resumo());
    else
        avisoErro(r.erro);
}

} // namespace

void exportaProjetoParaObz(const TProjeto& projeto, const QString& pasta) {
    if (projeto.nPranchas() <= 0) {
        avisoErro(QStringLiteral("O projeto não tem pranchas para exportar."));
        return;
    }
    const QString sugestao =
        QDir(pastaInicial(pasta)).filePath(QFileInfo(pasta).fileName() + QStringLiteral(".obz"));
    const auto arquivo = escolheArquivoParaGravar(QStringLiteral("Exportar para OBZ"), sugestao,
                                                  QStringLiteral("Pacotes de pranchas OBZ (*.obz)"),
                                                  QStringLiteral("obz"));
    if (!arquivo) return;
    ResultadoExportacao r;
    {
        CursorDeEspera espera;
        r = exportaObz(projeto, pasta, *arquivo);
    }
    conta(r);
}

void exportaPranchaParaObf(const TProjeto& projeto, int prancha, const QString& pasta) {
    if (prancha < 0 || prancha >= projeto.nPranchas()) {
        avisoInfo(QStringLiteral("Não há nenhuma prancha selecionada"));
        return;
    }
    const QString nome = nomeDeArquivoSeguro(projeto.pranchas[prancha].nome);
    const QString sugestao =
        QDir(pasta.isEmpty() ? pastaDocumentos() : pasta)
            .filePath((nome.isEmpty() ? QStringLiteral("prancha") : nome) + QStringLiteral(".obf"));
    const auto arquivo =
        escolheArquivoParaGravar(QStringLiteral("Exportar prancha para OBF"), sugestao,
                                 QStringLiteral("Prancha OBF (*.obf)"), QStringLiteral("obf"));
    if (!arquivo) return;
    ResultadoExportacao r;
    {
        CursorDeEspera espera;
        r = exportaObf(projeto, prancha, pasta, *arquivo);
    }
    conta(r);
}

QString importaObzParaNovaPasta(const QString& pasta) {
    const auto pacote =
        escolheArquivo(QStringLiteral("Importar OBZ"), pastaInicial(pasta),
                       QStringLiteral("Pacotes de pranchas (*.obz *.obf);;Todos os arquivos (*)"));
    if (!pacote) return {};
    const auto lugar = escolhePasta(QStringLiteral("Onde criar a pasta do projeto importado"),
                                    pastaInicial(pasta), true);
    if (!lugar) return {};
    const QString destino = pastaNova(*lugar, *pacote);
    ResultadoImportacao r;
    {
        CursorDeEspera espera;
        r = importaPacoteObz(*pacote, destino);
    }
    if (!r.ok) {
        avisoErro(r.erro);
        return {};
    }
    avisoInfo(r.resumo() + QStringLiteral("\n\nO projeto foi criado na pasta %1. Abra-o pela "
                                          "janela inicial (Escolher Pasta), ou junte-o a este "
                                          "com Importar Modelo.")
                               .arg(destino));
    return destino;
}
