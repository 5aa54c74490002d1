#include "logica/acoplamento/vocabulario_inicial.h"

#include "nucleo/pranchas_arquivo.h"
#include "plataforma/pastas.h"

#include <QDir>

QString pastaDoVocabularioInicial() {
    return QDir(pastaDoPrograma()).filePath(QStringLiteral("vocabulario_inicial"));
}

ResultadoCopia copiaVocabularioInicial(const QString& destino) {
    ResultadoCopia r;
    if (!garanteBackupDasPranchas(destino)) {
        r.recusa = QStringLiteral("As pranchas que já estavam em ") + destino +
                   QStringLiteral(" não puderam ser guardadas em pranchas.bak; nada foi copiado.");
        return r;
    }
    return copiaPasta(pastaDoVocabularioInicial(), destino);
}
