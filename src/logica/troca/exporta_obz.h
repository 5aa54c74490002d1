// A project written out in the Open Board Format: the whole project as one .obz package, or one
// board as an .obf with its pictures and sounds inside. Every file goes through the safe write.
#pragma once

#include "nucleo/prvars.h"

#include <QByteArray>
#include <QString>

struct ResultadoExportacao {
    bool ok = false;
    QString erro;
    int pranchas = 0;
    int figuras = 0;
    int sons = 0;
    int figurasFaltando = 0; // named by the boards, not found or not pictures: left out
    int sonsFaltando = 0;
    QString resumo() const;
};

// The package's bytes for the project whose files are in `pasta`; empty with r.erro on failure.
QByteArray pacoteObz(const TProjeto& projeto, const QString& pasta, ResultadoExportacao& r);
// The .obf's bytes for board i alone.
QByteArray quadroObfSozinho(const TProjeto& projeto, int i, const QString& pasta,
                            ResultadoExportacao& r);

ResultadoExportacao exportaObz(const TProjeto& projeto, const QString& pasta,
                               const QString& arquivo);
ResultadoExportacao exportaObf(const TProjeto& projeto, int i, const QString& pasta,
                               const QString& arquivo);
