#include "janelas/execucao/execucao_quiosque.h"

#include "janelas/comum/janelas.h"
#include "janelas/execucao/form_executa.h"
#include "janelas/execucao/sel_executa.h"
#include "nucleo/avisos.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

bool executa(const QString& nome) {
    std::unique_ptr<TFormExecuta> propria;
    TFormExecuta* runner = janelas.formExecuta;
    if (!runner) {
        propria = std::make_unique<TFormExecuta>();
        runner = propria.get();
    }
    if (!runner->preparaExecucao(nome))
        return false; // the message was shown; an unknown board is never run
    runner->exec();
    return true;
}

} // namespace

bool executaProjeto() {
    if (projeto.nPranchas() <= 0) {
        mensagemRapida(QStringLiteral("Não existem pranchas neste projeto"), 2000);
        pastaProjeto.clear();
        return false;
    }
    pranchaInicialExec = projeto.pranchaInicial;
    if (pranchaInicialExec.isEmpty()) {
        std::unique_ptr<TFormSelExecuta> propria;
        TFormSelExecuta* sel = janelas.formSelExecuta;
        if (!sel) {
            propria = std::make_unique<TFormSelExecuta>();
            sel = propria.get();
        }
        pranchaInicialExec = sel->escolhe();
    }
    if (pranchaInicialExec.isEmpty()) return false;
    return executa(pranchaInicialExec);
}

int executaQuiosque(const QString& pasta, const QString& prancha) {
    if (pasta.isEmpty()) {
        avisoErro(QStringLiteral("Falta a pasta do projeto a executar. Use: zelvana --executar "
                                 "PASTA [PRANCHA]"));
        return 1;
    }
    const QFileInfo info(pasta);
    if (!info.isDir() || !QFileInfo::exists(QDir(pasta).filePath(QStringLiteral("pranchas.pra")))) {
        avisoErro(QStringLiteral("Projeto não encontrado na pasta ") + pasta);
        return 1;
    }
    definePastaProjeto(pasta);
    carregaPranchas(pastaProjeto);
    if (projeto.nPranchas() <= 0) {
        avisoErro(QStringLiteral("Não existem pranchas neste projeto"));
        return 1;
    }
    QString nome = prancha.trimmed();
    if (nome.isEmpty()) nome = projeto.pranchaInicial;
    if (nome.isEmpty()) nome = projeto.pranchas[0].nome;
    pranchaInicialExec = nome;
    return executa(nome) ? 0 : 1;
}
