#include "janelas/comum/abre_ajuda.h"

#include "nucleo/avisos.h"
#include "plataforma/pastas.h"
#include "plataforma/shell.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Qt's rich text leaves out a picture wider than the room on its line, which shows as a blank
// gap: the page is never laid out narrower than its widest picture, and a narrower window
// scrolls sideways instead.
class PaginaDeAjuda : public QTextBrowser {
public:
    explicit PaginaDeAjuda(QWidget* pai) : QTextBrowser(pai) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
    }
    void abre(const QString& caminho) {
        setSource(QUrl::fromLocalFile(caminho));
        larguraMinima = 0;
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
            for (auto f = b.begin(); !f.atEnd(); ++f)
                if (f.fragment().charFormat().isImageFormat())
                    larguraMinima =
                        qMax(larguraMinima, int(f.fragment().charFormat().toImageFormat().width()) +
                                                folgaDaPagina);
        ajustaLargura();
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QTextBrowser::resizeEvent(e);
        ajustaLargura();
    }

private:
    static constexpr int folgaDaPagina = 100; // the page's margins either side of a picture
    void ajustaLargura() { setLineWrapColumnOrWidth(qMax(viewport()->width(), larguraMinima)); }
    int larguraMinima = 0;
};

} // namespace

QDialog* mostraAjudaAqui(const QString& caminho) {
    auto* janela = new QDialog(QApplication::activeWindow());
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->setObjectName("ajudaInterna");
    janela->setWindowTitle("Zelvana - Ajuda");
    janela->resize(860, 620); // the widest picture fits without scrolling sideways
    auto* texto = new PaginaDeAjuda(janela);
    texto->setOpenExternalLinks(false);
    texto->abre(caminho);
    auto* layout = new QVBoxLayout(janela);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(texto);
    janela->show();
    return janela;
}

bool abreAjuda() {
    const QString pasta = pastaDoPrograma();
    // A compiled help file, if someone put one there, comes before the HTML page.
    for (const char* nome : {"zelvana.chm", "zelvana.html"}) {
        const QString caminho = pasta + "/" + nome;
        if (!QFileInfo::exists(caminho)) continue;
        if (abreDocumento(caminho)) return true;
        if (caminho.endsWith(".html")) {
            mostraAjudaAqui(caminho);
            return true;
        }
    }
    avisoErro("Arquivo de ajuda não encontrado");
    return false;
}
