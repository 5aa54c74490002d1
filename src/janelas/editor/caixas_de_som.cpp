#include "janelas/editor/caixas_de_som.h"

#include "janelas/comum/controles.h"
#include "janelas/comum/janelas.h"
#include "janelas/som/formgravador.h"
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/execucao/fila_saida.h"
#include "logica/som/nome_som.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/dialogos.h"

#include <QComboBox>

void preencheSonsEPranchas(QComboBox* som, QComboBox* fala, QComboBox* link, const TProjeto& p) {
    const QStringList sons = arquivosDoProjeto({"mp3", "wav"});
    trocaLista(som, sons);
    trocaLista(fala, sons);
    trocaLista(link, nomesDasPranchas(p));
}

void tocaSomDaCaixa(const QComboBox* caixa) {
    const QString nome = caixa->currentText();
    if (!nome.isEmpty()) tocaArquivo(nomeDeSom(nome));
}

void gravaSomDaCaixa(const QComboBox* caixa) {
    paraMidia();
    QString nome = caixa->currentText();
    if (!validaNomeSom(nome) || !janelas.formGravador) return;
    janelas.formGravador->combo_nomeArq->setEditText(nome);
    janelas.formGravador->exec();
}

bool importaParaCaixa(QComboBox* caixa, const QString& titulo, const QString& filtros) {
    const std::optional<QString> escolhido = escolheArquivo(titulo, pastaProjeto, filtros);
    if (!escolhido) return false;
    const std::optional<QString> nome = importaParaProjeto(*escolhido);
    if (!nome) {
        avisoErro(QStringLiteral("Não consegui copiar"));
        return false;
    }
    caixa->setEditText(*nome);
    return true;
}
