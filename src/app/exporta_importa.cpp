// The start window's commands on whole folders: the export of the project folder, the import of
// a model folder into the project and the starter vocabulary of a new project. The work itself
// is in logica/acoplamento/.
#include "app/form_sel_inic.h"
#include "janelas/comum/janelas.h"
#include "janelas/editor/form_prog.h"
#include "logica/acoplamento/acopla_modelo.h"
#include "logica/acoplamento/copia_pasta.h"
#include "logica/acoplamento/vocabulario_inicial.h"
#include "logica/editor/documento_projeto.h"
#include "nucleo/avisos.h"
#include "nucleo/pranchas_arquivo.h"
#include "nucleo/prvars.h"
#include "plataforma/dialogos.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

// The wait pointer while files are copied, back to the normal one however the copy ends.
class Ampulheta {
public:
    Ampulheta() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Ampulheta() { QApplication::restoreOverrideCursor(); }
    Ampulheta(const Ampulheta&) = delete;
    Ampulheta& operator=(const Ampulheta&) = delete;
};

// A name typed for the new folder: one folder inside the chosen place, nothing above it.
bool nomeDePasta(const QString& nome) {
    return !nome.isEmpty() && !nome.contains(u'/') && nome != QLatin1String(".") &&
           nome != QLatin1String("..");
}

} // namespace

void TformSelInic::b_exportarClick() {
    if (pastaProjeto.isEmpty()) {
        avisoErro(QStringLiteral("Você ainda não selecionou nenhum projeto, não posso exportar"));
        return;
    }
    const auto resposta =
        pedeTexto(QStringLiteral("Exportação"),
                  QStringLiteral("Qual o nome da pasta de pranchas que será criada?"));
    if (!resposta) return;
    const QString nome = resposta->trimmed();
    if (!nomeDePasta(nome)) {
        avisoErro(QStringLiteral("\"") + nome +
                  QStringLiteral("\" não serve como nome de pasta. Escreva um nome sem \"/\"."));
        return;
    }
    avisoInfo(QStringLiteral("Dê clique duplo no lugar onde esta pasta de pranchas será criada"));
    // Cancelled, there is no place to copy to: the export ends with nothing copied.
    const auto lugar = ::escolhePasta(QStringLiteral("Escolha onde criar a pasta de pranchas"),
                                      pastaProjeto, true);
    if (!lugar) return;
    const QString destino = QDir(*lugar).filePath(nome);
    if (!QFileInfo::exists(destino)) {
        if (!QDir().mkpath(destino)) {
            avisoErro(
                QStringLiteral("Não foi possível criar esta pasta para exportação. Sinto muito."));
            return;
        }
    } else if (!perguntaSimNao(QStringLiteral(
                   "Esta pasta já existia.  Confirma possível destruição de conteúdo?"))) {
        return;
    }
    ResultadoCopia r;
    {
        const Ampulheta espera;
        r = copiaPasta(pastaProjeto, destino);
    }
    if (!r.recusa.isEmpty())
        avisoErro(r.recusa);
    else
        avisoInfo(textoFimDaCopia(r));
}

void TformSelInic::b_importarClick() {
    if (pastaProjeto.isEmpty()) {
        avisoErro(QStringLiteral("Pasta do projeto não foi definida"));
        return;
    }
    avisoInfo(QStringLiteral("Dê clique duplo na pasta desejada para confirmar"));
    // Cancelled, there is no model: nothing is copied, nothing read again.
    const auto origem =
        ::escolhePasta(QStringLiteral("Escolha a pasta do modelo"), pastaProjeto, false);
    if (!origem) return;
    const QString recusa = recusaModelo(*origem, pastaProjeto);
    if (!recusa.isEmpty()) {
        avisoErro(recusa);
        return;
    }
    // The merge reads the project again from its file: what was not saved would be lost.
    if (projetoDifereDoArquivo(projeto, pastaProjeto)) {
        if (!perguntaSimNao(QStringLiteral(
                "O projeto tem alterações que ainda não foram salvas, e a importação do modelo "
                "lê o projeto de novo do arquivo.\nSalvar as alterações e importar o modelo?\n"
                "(Não: o modelo não é importado e nada muda.)")))
            return;
        if (!salvaDocumento()) return;
    }
    ResultadoAcoplamento r;
    {
        // One step of the editor's history: Desfazer takes the model's boards out again (its
        // files stay: the board file on disk, written by the merge, still names them).
        const DocumentoProjeto::Passo passo(documentoProjeto(), "Importar modelo");
        const Ampulheta espera;
        r = acoplaModelo(*origem, pastaProjeto);
        documentoProjeto().recarrega();
    }
    if (!r.recusa.isEmpty()) {
        avisoErro(r.recusa);
        return;
    }
    if (!r.erro.isEmpty()) {
        avisoErro(r.erro);
        return;
    }
    // The merge wrote the board file: the project as it now is is the saved one.
    documentoProjeto().historico().setClean();
    avisoInfo(textoFimDoAcoplamento(r));
    b_editarClick();
}

bool TformSelInic::comecaPeloVocabulario() {
    if (!perguntaSimNao(QStringLiteral(
            "Começar pelo vocabulário inicial?\r\n\r\nSim: pranchas prontas, com figuras e fala, "
            "para mudar à vontade.\r\nNão: um projeto vazio.")))
        return false;
    ResultadoCopia r;
    {
        const Ampulheta espera;
        r = copiaVocabularioInicial(pastaProjeto);
    }
    if (!r.recusa.isEmpty()) {
        avisoErro(r.recusa);
        return false;
    }
    if (!r.naoCopiados.isEmpty()) avisoInfo(textoFimDaCopia(r));
    // Without its board file the copy is no project: the new project starts empty instead.
    if (!r.copiados.contains(QStringLiteral("pranchas.pra"))) return false;
    abreProjeto(pastaProjeto);
    return true;
}
