#include "plataforma/config_computador.h"

#include "nucleo/arquivo_seguro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString arquivoDoComputador(const QString& nome) {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u'/' + nome;
}

ArquivoIni leArquivoDoComputador(const QString& nome) {
    QFile arquivo(arquivoDoComputador(nome));
    return ArquivoIni::deBytes(arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll()
                                                                 : QByteArray());
}

bool gravaArquivoDoComputador(const QString& nome, const QByteArray& texto) {
    const QString caminho = arquivoDoComputador(nome);
    return QDir().mkpath(QFileInfo(caminho).absolutePath()) && gravaArquivoSeguro(caminho, texto);
}
