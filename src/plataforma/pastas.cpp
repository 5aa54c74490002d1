#include "plataforma/pastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString pastaDoPrograma() {
    const QString aoLado = QCoreApplication::applicationDirPath();
    // A build tree holds the data next to the executable; an installed program does not.
    if (QFileInfo::exists(aoLado + "/_figvazia.jpg") || QFileInfo::exists(aoLado + "/ARASAAC_mini"))
        return aoLado;
    const QString instalada = QDir(aoLado).absoluteFilePath("../share/zelvana");
    if (QFileInfo(instalada).isDir()) return QDir::cleanPath(instalada);
    const QString fixa = QStringLiteral(ZELVANA_INSTALL_DATA);
    if (QFileInfo(fixa).isDir()) return fixa;
    return aoLado;
}

static QString pastaOuInicio(QStandardPaths::StandardLocation onde) {
    const QString p = QStandardPaths::writableLocation(onde);
    return p.isEmpty() ? QDir::homePath() : QDir::cleanPath(p);
}

QString pastaDocumentos() {
    return pastaOuInicio(QStandardPaths::DocumentsLocation);
}
QString pastaAreaDeTrabalho() {
    return pastaOuInicio(QStandardPaths::DesktopLocation);
}
QString areaDeTrabalhoParaGravar() {
    const QString pasta = pastaAreaDeTrabalho();
    return QDir().mkpath(pasta) ? pasta : QDir::homePath();
}
