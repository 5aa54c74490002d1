// Copying a project folder's files into another folder: the export of a project, and the media
// of a model brought into the current project. Every copy goes through the safe write, so a
// file of the same name there is replaced only by a whole copy.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// The ordinary files of a folder: no subfolders, no hidden files (a half-written file of an
// interrupted save is hidden), sorted by name so a copy goes in a predictable order.
QStringList arquivosDaPastaDoProjeto(const QString& pasta);

// Why files of origem may not be copied into destino; empty when they may. The same folder
// (by whatever path it is reached), or two folders that cannot be entered, are refused.
QString recusaCopia(const QString& origem, const QString& destino);

struct ResultadoCopia {
    QString recusa;            // not empty: nothing was copied, and this says why
    QStringList copiados;      // in the order copied
    QStringList naoCopiados;   // each one the user was asked about
    bool interrompida = false; // the user chose not to go on after a failure
};

// Copies the named files of origem into destino, replacing files of the same names, each under
// its name in `comoSeChama` when it has one there. After a failure it asks (perguntaSimNao)
// "Erro ao escrever o arquivo NOME. Continua?"; No stops.
ResultadoCopia copiaArquivos(const QString& origem, const QString& destino,
                             const QStringList& nomes,
                             const QHash<QString, QString>& comoSeChama = {});
// Whether two files hold the same bytes (false when either cannot be read).
bool mesmosBytes(const QString& a, const QString& b);

// The export: every ordinary file of origem into destino, after recusaCopia.
ResultadoCopia copiaPasta(const QString& origem, const QString& destino);

// What to tell the user when the copy ended: "Fim da cópia", naming what was not copied.
QString textoFimDaCopia(const ResultadoCopia& r);
