#include "janelas/comum/abre_ajuda.h"

#include "nucleo/avisos.h"
#include "plataforma/pastas.h"
#include "plataforma/shell.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// A machine without a browser still shows the page, in a window of the program's own.
static void mostraPaginaAqui(const QString& caminho) {
    auto* janela = new QDialog(QApplication::activeWindow());
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->setObjectName("ajudaInterna");
    janela->setWindowTitle("Zelvana - Ajuda");
    janela->resize(720, 560);
    auto* texto = new QTextBrowser(janela);
    texto->setOpenExternalLinks(false);
    texto->setSource(QUrl::fromLocalFile(caminho));
    auto* layout = new QVBoxLayout(janela);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(texto);
    janela->show();
}

bool abreAjuda() {
    const QString pasta = pastaDoPrograma();
    // A compiled help file, if someone put one there, comes before the HTML page.
    for (const char* nome : {"zelvana.chm", "zelvana.html"}) {
        const QString caminho = pasta + "/" + nome;
        if (!QFileInfo::exists(caminho)) continue;
        if (abreDocumento(caminho)) return true;
        if (caminho.endsWith(".html")) {
            mostraPaginaAqui(caminho);
            return true;
        }
    }
    avisoErro("Arquivo de ajuda não encontrado");
    return false;
}
