#include "plataforma/voz_escolha.h"

#include "nucleo/arquivo_seguro.h"
#include "nucleo/avisos.h"
#include "nucleo/cp1252.h"
#include "nucleo/ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString secao = QStringLiteral("VOZ");
} // namespace

QString arquivoEscolhaDeVoz() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/voz.ini");
}

void carregaEscolhaDeVoz() {
    QFile arquivo(arquivoEscolhaDeVoz());
    const ArquivoIni ini =
        ArquivoIni::deBytes(arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray());
    const auto le = [&ini](const char* chave) {
        return QStringView(ini.valor(secao, QString::fromLatin1(chave))).toString().trimmed();
    };
    sintetizador::EscolhaDeVoz e;
    if (const QString voz = le("NOME"); !voz.isEmpty()) e.voz = voz;
    e.variante = le("VARIANTE");
    bool ok = false;
    const int velocidade = le("VELOCIDADE").toInt(&ok);
    if (ok) e.velocidade = velocidade;
    sintetizador::defineEscolha(e);
}

bool guardaEscolhaDeVoz(const sintetizador::EscolhaDeVoz& escolha) {
    sintetizador::defineEscolha(escolha);
    const sintetizador::EscolhaDeVoz e = sintetizador::escolhaAtual();
    const QString caminho = arquivoEscolhaDeVoz();
    const QByteArray texto = "[VOZ]\r\nNOME=" + paraCp1252(e.voz) +
                             "\r\nVARIANTE=" + paraCp1252(e.variante) +
                             "\r\nVELOCIDADE=" + QByteArray::number(e.velocidade) + "\r\n";
    if (QDir().mkpath(QFileInfo(caminho).absolutePath()) && gravaArquivoSeguro(caminho, texto))
        return true;
    avisoErro(QStringLiteral("Não foi possível guardar a voz escolhida em ") + caminho);
    return false;
}
