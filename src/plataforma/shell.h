// Starting other programs and opening documents, never through a shell, so that no text in a
// board file can become a command.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Starts an executable file with its parameters in a folder, detached, so it may outlive the
// program. True when it started.
bool iniciaPrograma(const QString& executavel, const QStringList& parametros = {},
                    const QString& pasta = {});
// Opens a document or folder in the desktop's program for it (xdg-open). True when it opened.
bool abreDocumento(const QString& caminho);
// The same without waiting: `pronto` gets the verdict later, from the event loop.
void abreDocumento(const QString& caminho, std::function<void(bool)> pronto);
