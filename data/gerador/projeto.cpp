#include "projeto.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

bool copia(const QString& de, const QString& para, QString& erro) {
    QFile::remove(para);
    if (QFile::copy(de, para)) return true;
    erro = QStringLiteral("não foi possível copiar %1 para %2").arg(de, para);
    return false;
}

} // namespace

bool montaProjeto(const QString& origem, const QString& biblioteca, const QString& destino,
                  QString& erro) {
    QFile pra(origem + QStringLiteral("/pranchas.pra"));
    if (!pra.open(QIODevice::ReadOnly)) {
        erro = QStringLiteral("não foi possível ler %1").arg(pra.fileName());
        return false;
    }
    QStringDecoder cp1252("windows-1252");
    const QString texto = cp1252.decode(pra.readAll());
    // Starting afresh drops the pictures that the project no longer names.
    QDir(destino).removeRecursively();
    if (!QDir().mkpath(destino)) {
        erro = QStringLiteral("não foi possível criar %1").arg(destino);
        return false;
    }
    for (const QString& nome : QDir(origem).entryList(QDir::Files))
        if (!copia(origem + QLatin1Char('/') + nome, destino + QLatin1Char('/') + nome, erro))
            return false;

    static const QRegularExpression chave(QStringLiteral("^\\s*FIGURA\\s+\\d+\\s*=\\s*(.*?)\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::MultilineOption);
    for (auto it = chave.globalMatch(texto); it.hasNext();) {
        const QString figura = it.next().captured(1).normalized(QString::NormalizationForm_C);
        const QString fonte = biblioteca + QLatin1Char('/') + figura;
        if (QFile::exists(origem + QLatin1Char('/') + figura))
            continue; // the project brings its own
        if (!QFile::exists(fonte)) {
            erro = QStringLiteral("a figura %1 de %2 não está na biblioteca").arg(figura, origem);
            return false;
        }
        if (!copia(fonte, destino + QLatin1Char('/') + figura, erro)) return false;
    }
    return true;
}
