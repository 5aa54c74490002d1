#include "logica/som/nome_som.h"

#include "nucleo/avisos.h"
#include "nucleo/nomes.h"

#include <QFileInfo>

bool validaNomeSom(QString& nome) {
    if (nome.isEmpty()) {
        avisoErro(QStringLiteral("Por favor, digite o nome do arquivo de som a gravar."));
        return false;
    }
    nome = nomeDeSom(nome);
    if (nome.right(4).toUpper() != QLatin1String(".WAV")) {
        avisoErro(QStringLiteral("Nesta versão só consigo editar arquivos .WAV"));
        return false;
    }
    if (QFileInfo::exists(nome))
        return perguntaSimNao(QStringLiteral("Arquivo existente, confirma alteração?"));
    return true;
}
