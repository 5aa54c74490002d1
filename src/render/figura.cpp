#include "figura.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

#include <mutex>

#include "geometria.h"

namespace {

// The image plug-ins tell of damaged data (a truncated JPEG, a bad Huffman code) only through a
// logged warning, and still hand back a picture that is mostly grey. A warning logged by them
// on the thread that is decoding marks that picture as undecodable.
thread_local bool lendoFigura = false;
thread_local bool figuraDanificada = false;
QtMessageHandler tratadorAnterior = nullptr;

void observaDecodificacao(QtMsgType tipo, const QMessageLogContext& contexto,
                          const QString& texto) {
    if (lendoFigura && contexto.category &&
        qstrncmp(contexto.category, "qt.gui.imageio", 14) == 0) {
        figuraDanificada = true;
        return;
    }
    if (tratadorAnterior) tratadorAnterior(tipo, contexto, texto);
}

QImage leSemDanos(QImageReader& leitor) {
    static std::once_flag instalado;
    std::call_once(instalado,
                   [] { tratadorAnterior = qInstallMessageHandler(observaDecodificacao); });
    lendoFigura = true;
    figuraDanificada = false;
    QImage imagem = leitor.read();
    lendoFigura = false;
    return figuraDanificada ? QImage() : imagem;
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

bool existe(const QString& nome) {
    if (nome.isEmpty()) return false;
    const bool curinga = nome.contains(QLatin1Char('?')) || nome.contains(QLatin1Char('*'));
    if (!curinga) return QFileInfo(QDir::current().filePath(nome)).isFile();
    const QFileInfo info(nome);
    QDir pasta(QDir::current().filePath(info.path()));
    const QRegularExpression padrao = padraoDeBusca(info.fileName());
    const QStringList arquivos = pasta.entryList(QDir::Files | QDir::Hidden);
    for (const QString& a : arquivos)
        if (padrao.match(a).hasMatch()) return true;
    return false;
}

} // namespace

QString resolveFigura(const QString& figura, const QString& rotulo) {
    QString escolhido;
    if (existe(figura))
        escolhido = figura;
    else if (!figura.isEmpty() && existe(figura + QStringLiteral(".jpg")))
        escolhido = figura + QStringLiteral(".jpg");
    else if (!rotulo.isEmpty() && existe(rotulo + QStringLiteral(".jpg")))
        escolhido = rotulo + QStringLiteral(".jpg");
    escolhido.remove(QLatin1Char('?'));
    escolhido.remove(QLatin1Char('*'));
    return escolhido;
}

FiguraLida leFiguraAjustada(const QString& arquivo, QSize area) {
    FiguraLida r;
    if (arquivo.isEmpty() || area.width() <= 0 || area.height() <= 0) return r;
    QImageReader leitor(QDir::current().filePath(arquivo));
    const QSize original = leitor.size();
    if (!original.isValid()) return r;
    r.destino = ajustaFigura(original, area);
    if (r.destino.isEmpty()) return r;
    leitor.setScaledSize(r.destino.size());
    QImage imagem = leSemDanos(leitor);
    if (imagem.isNull()) {
        r.destino = {};
        return r;
    }
    if (imagem.size() != r.destino.size())
        imagem = imagem.scaled(r.destino.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    r.imagem = imagem.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return r;
}
