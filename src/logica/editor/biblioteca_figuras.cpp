#include "logica/editor/biblioteca_figuras.h"

#include "plataforma/pastas.h"

#include <QDir>
#include <QLocale>
#include <optional>

namespace {

struct Biblioteca {
    QString pasta;
    QStringList nomes;
    QStringList nomesMaiusculos;
};

std::optional<Biblioteca>& atual() {
    static std::optional<Biblioteca> b;
    return b;
}
QString& pastaPedida() {
    static QString p;
    return p;
}

const Biblioteca& biblioteca() {
    std::optional<Biblioteca>& b = atual();
    if (!b) {
        b.emplace();
        b->pasta = pastaPedida().isEmpty() ? pastaDoPrograma() + QStringLiteral("/ARASAAC_mini")
                                           : pastaPedida();
        const QStringList entradas = QDir(b->pasta).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
        for (const QString& e : entradas)
            if (e.size() >= 4 && e.right(4).toUpper() == QLatin1String(".JPG"))
                b->nomes.append(e.chopped(4));
        b->nomesMaiusculos.reserve(b->nomes.size());
        for (const QString& n : b->nomes)
            b->nomesMaiusculos.append(maiusculas(n));
    }
    return *b;
}

} // namespace

const QString& bibliotecaFiguras() {
    return biblioteca().pasta;
}

const QStringList& listaFiguras() {
    return biblioteca().nomes;
}

const QStringList& listaFigurasMaiusculas() {
    return biblioteca().nomesMaiusculos;
}

QString maiusculas(const QString& texto) {
    static const QLocale portugues(QLocale::Portuguese, QLocale::Brazil);
    return portugues.toUpper(texto);
}

void usaBibliotecaFiguras(const QString& pasta) {
    pastaPedida() = pasta;
    atual().reset();
}
