#include "plataforma/arquivos_da_pasta.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool temCuringa(const QString& nome) {
    return nome.contains(QLatin1Char('?')) || nome.contains(QLatin1Char('*'));
}

// The platform's file search: "*" any run, "?" one character or none before a dot or the end.
QRegularExpression padraoDeBusca(const QString& nome) {
    QString rx;
    for (int k = 0; k < nome.size(); ++k) {
        const QChar c = nome.at(k);
        if (c == QLatin1Char('*')) {
            rx += QStringLiteral(".*");
        } else if (c == QLatin1Char('?')) {
            int j = k;
            while (j < nome.size() && nome.at(j) == QLatin1Char('?'))
                ++j;
            const bool noFim = (j == nome.size() || nome.at(j) == QLatin1Char('.'));
            rx += noFim ? QStringLiteral(".?") : QStringLiteral(".");
        } else {
            rx += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption);
}

bool algumCorresponde(const QStringList& arquivos, const QString& nome) {
    const QRegularExpression padrao = padraoDeBusca(nome);
    for (const QString& a : arquivos)
        if (padrao.match(a).hasMatch()) return true;
    return false;
}

QStringList arquivosDe(const QString& pasta) {
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
}

} // namespace

ArquivosDaPasta::ArquivosDaPasta(const QString& pasta) : pasta_(pasta) {}

ArquivosDaPasta ArquivosDaPasta::listada(const QString& pasta) {
    ArquivosDaPasta a(pasta);
    auto l = std::make_shared<Lista>();
    l->todos = arquivosDe(a.caminho(QStringLiteral(".")));
    l->nomes.reserve(l->todos.size());
    for (const QString& n : std::as_const(l->todos)) {
        l->nomes.insert(n);
        l->porCaixa.insert(n.toCaseFolded(), n);
    }
    a.lista = std::move(l);
    return a;
}

// A bare name of a listed folder: the list knows it. Anything with a folder part is the disk's.
bool ArquivosDaPasta::listado(const QString& nome) const {
    return lista && !nome.contains(QLatin1Char('/')) && nome != QLatin1String(".") &&
           nome != QLatin1String("..");
}

QString ArquivosDaPasta::caminho(const QString& nome) const {
    const QDir pasta = pasta_.isEmpty() ? QDir::current() : QDir(pasta_);
    return pasta.absoluteFilePath(nome);
}

bool ArquivosDaPasta::existe(const QString& nome) const {
    if (nome.isEmpty()) return false;
    if (listado(nome)) return lista->nomes.contains(nome);
    return QFileInfo(caminho(nome)).isFile();
}

bool ArquivosDaPasta::procura(const QString& nome) const {
    if (!temCuringa(nome)) return existe(nome);
    if (!listado(nome)) {
        const QFileInfo info(caminho(nome));
        return algumCorresponde(arquivosDe(info.path()), info.fileName());
    }
    const auto visto = lista->buscas.constFind(nome);
    if (visto != lista->buscas.cend()) return *visto;
    const bool achou = algumCorresponde(lista->todos, nome);
    lista->buscas.insert(nome, achou);
    return achou;
}

QString ArquivosDaPasta::comOutraCaixa(const QString& nome) const {
    if (!listado(nome)) return {};
    const QString outro = lista->porCaixa.value(nome.toCaseFolded());
    return outro == nome ? QString() : outro;
}
