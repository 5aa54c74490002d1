#include "plataforma/voz_escolha.h"

#include "nucleo/avisos.h"
#include "nucleo/cp1252.h"
#include "plataforma/config_computador.h"

namespace {
const QString nome = QStringLiteral("voz.ini");
const QString secao = QStringLiteral("VOZ");
} // namespace

QString arquivoEscolhaDeVoz() {
    return arquivoDoComputador(nome);
}

void carregaEscolhaDeVoz() {
    const ArquivoIni ini = leArquivoDoComputador(nome);
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
    const QByteArray texto = "[VOZ]\r\nNOME=" + paraCp1252(e.voz) +
                             "\r\nVARIANTE=" + paraCp1252(e.variante) +
                             "\r\nVELOCIDADE=" + QByteArray::number(e.velocidade) + "\r\n";
    if (gravaArquivoDoComputador(nome, texto)) return true;
    avisoErro(QStringLiteral("Não foi possível guardar a voz escolhida em ") +
              arquivoEscolhaDeVoz());
    return false;
}
