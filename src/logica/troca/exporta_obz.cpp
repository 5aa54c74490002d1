#include "logica/troca/exporta_obz.h"

#include "logica/troca/contagem.h"
#include "logica/troca/midias_exportadas.h"
#include "logica/troca/obf_escrita.h"
#include "logica/troca/pacote_zip.h"
#include "nucleo/arquivo_seguro.h"

#include <QJsonDocument>

namespace {

void contaMidias(const MidiasDoProjeto& m, ResultadoExportacao& r) {
    r.figuras = int(m.figuras().size());
    r.sons = int(m.sons().size());
    r.figurasFaltando = m.figurasFaltando();
    r.sonsFaltando = m.sonsFaltando();
}

ResultadoExportacao grava(const QByteArray& bytes, ResultadoExportacao r, const QString& arquivo) {
    if (bytes.isEmpty()) return r;
    if (!gravaArquivoSeguro(arquivo, bytes)) {
        r.erro = QStringLiteral("O arquivo %1 não pôde ser gravado.").arg(arquivo);
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace

QString ResultadoExportacao::resumo() const {
    if (!ok) return erro;
    QString t = QStringLiteral("Exportação concluída: %1, %2 e %3.")
                    .arg(contagem(pranchas, "prancha", "pranchas"),
                         contagem(figuras, "figura", "figuras"), contagem(sons, "som", "sons"));
    if (figurasFaltando > 0)
        t += u'\n' + contagem(figurasFaltando,
                              "figura que as pranchas citam não existe ou não é figura e ficou "
                              "de fora.",
                              "figuras que as pranchas citam não existem ou não são figuras e "
                              "ficaram de fora.");
    if (sonsFaltando > 0)
        t += u'\n' + contagem(sonsFaltando, "som que as pranchas citam não existe e ficou de fora.",
                              "sons que as pranchas citam não existem e ficaram de fora.");
    return t;
}

QByteArray pacoteObz(const TProjeto& p, const QString& pasta, ResultadoExportacao& r) {
    if (p.nPranchas() <= 0) {
        r.erro = QStringLiteral("O projeto não tem pranchas para exportar.");
        return {};
    }
    MidiasDoProjeto midias(pasta);
    QList<QPair<QString, QByteArray>> arquivos;
    for (int i = 0; i < p.nPranchas(); ++i)
        arquivos.append(
            {caminhoDaPrancha(i),
             QJsonDocument(quadroObf(p, i, midias, true)).toJson(QJsonDocument::Indented)});
    // The manifest first: readers that peek at the start of a package find it at once.
    arquivos.prepend({QStringLiteral("manifest.json"),
                      QJsonDocument(manifestoObz(p, midias)).toJson(QJsonDocument::Indented)});
    for (const MidiaExportada& m : midias.figuras())
        arquivos.append({m.caminho, m.bytes});
    for (const MidiaExportada& m : midias.sons())
        arquivos.append({m.caminho, m.bytes});
    r.pranchas = p.nPranchas();
    contaMidias(midias, r);
    return montaZip(arquivos, r.erro);
}

QByteArray quadroObfSozinho(const TProjeto& p, int i, const QString& pasta,
                            ResultadoExportacao& r) {
    if (i < 0 || i >= p.nPranchas()) {
        r.erro = QStringLiteral("Não há nenhuma prancha selecionada");
        return {};
    }
    MidiasDoProjeto midias(pasta);
    const QByteArray bytes =
        QJsonDocument(quadroObf(p, i, midias, false)).toJson(QJsonDocument::Indented);
    r.pranchas = 1;
    contaMidias(midias, r);
    return bytes;
}

ResultadoExportacao exportaObz(const TProjeto& p, const QString& pasta, const QString& arquivo) {
    ResultadoExportacao r;
    const QByteArray bytes = pacoteObz(p, pasta, r);
    return grava(bytes, r, arquivo);
}

ResultadoExportacao exportaObf(const TProjeto& p, int i, const QString& pasta,
                               const QString& arquivo) {
    ResultadoExportacao r;
    const QByteArray bytes = quadroObfSozinho(p, i, pasta, r);
    return grava(bytes, r, arquivo);
}
