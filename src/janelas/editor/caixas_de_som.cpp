#include "janelas/editor/caixas_de_som.h"

#include "janelas/comum/controles.h"
#include "janelas/comum/janelas.h"
#include "janelas/som/formgravador.h"
#include "logica/editor/arquivos_do_projeto.h"
#include "logica/execucao/fila_saida.h"
#include "logica/execucao/voz.h"
#include "logica/som/nome_som.h"
#include "nucleo/avisos.h"
#include "nucleo/nomes.h"
#include "nucleo/prvars.h"
#include "plataforma/arquivos_da_pasta.h"
#include "plataforma/dialogos.h"

#include <QComboBox>

void preencheSonsEPranchas(QComboBox* som, QComboBox* fala, QComboBox* link, const TProjeto& p) {
    const QStringList sons = arquivosDoProjeto({"mp3", "wav"});
    trocaLista(som, sons);
    trocaLista(fala, sons);
    trocaLista(link, nomesDasPranchas(p));
}

void tocaSomDaCaixa(const QComboBox* caixa) {
    const QString entrada = caixa->currentText();
    paraSomDaCaixa();
    if (entrada.isEmpty()) return;
    if (gravacaoDaEntrada(entrada, ArquivosDaPasta()).isEmpty()) {
        // Silence here would look like a fault of the button: say why the run is silent too.
        if (!projeto.sintetizando) {
            mensagemRapida(QStringLiteral("Não há gravação com este nome e, com \"Sintetiza sons "
                                          "não gravados\" desligado, a execução não fala nada."),
                           3000);
            return;
        }
        // The voice is made by the run and the preview; the editor alone may have none yet.
        if (!temVoz()) iniciaVoz(false);
    }
    tocaEntrada(entrada);
}

void paraSomDaCaixa() {
    paraTudo();
}

void gravaSomDaCaixa(const QComboBox* caixa) {
    paraSomDaCaixa();
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
