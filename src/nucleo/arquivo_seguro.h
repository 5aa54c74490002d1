// The one way the program writes a file. A file written is not a file saved: the new bytes go to
// a hidden file beside the destination, are flushed and synced, checked against what was meant
// to be written, and only then renamed over the old file. Any failure leaves the old file as it
// was and removes the half-written one.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>

// A file being written. Writers that stream (a recording, a JPEG, a PDF) write into
// dispositivo(); confirma() puts it in place. Destroyed unconfirmed, it leaves nothing behind.
class ArquivoSeguro {
public:
    explicit ArquivoSeguro(const QString& destino);
    ~ArquivoSeguro();
    ArquivoSeguro(const ArquivoSeguro&) = delete;
    ArquivoSeguro& operator=(const ArquivoSeguro&) = delete;

    // Creates the hidden file beside the destination; false when the folder takes no file.
    bool abre();
    // Where the bytes go. Every failed write is remembered, so confirma() refuses the file even
    // when the writer on top ignored the failure.
    QIODevice* dispositivo();
    // Flush, sync, check the size on disk against every byte handed over, rename over the
    // destination and sync the folder. False, with the destination untouched, on any failure.
    bool confirma();
    // Drops the file being written.
    void descarta();

    const QString& destino() const { return destino_; }

private:
    friend QStringList gravaArquivosSeguros(const QList<QPair<QString, QByteArray>>& arquivos);
    // confirma() in two steps, so many files can share one flush: the bytes checked on disk
    // (synced first when asked), the file closed; then the rename, and the folder synced.
    bool fecha(bool sincronizaArquivo);
    bool coloca(bool sincronizaPasta);

    class Dispositivo;
    QString destino_;
    QString temporario;
    std::unique_ptr<QFile> arquivo;
    std::unique_ptr<Dispositivo> dispositivo_;
    bool confirmado = false;
};

// Writes bytes to caminho through ArquivoSeguro and reads them back before saying yes.
bool gravaArquivoSeguro(const QString& caminho, const QByteArray& bytes);
// Copies a file through ArquivoSeguro, streaming it, so a copy into the project replaces a file
// of the same name only when the whole of it has been written. False on any failure (a source
// that cannot be read included), and then the destination is as it was.
bool copiaArquivoSeguro(const QString& origem, const QString& destino);
// gravaArquivoSeguro for many files (destination, bytes) at once, with one flush of the disk
// for all of them instead of two for each: hundreds of small files take a moment, not seconds.
// Gives the destinations that could not be written; those are as they were, the others in place.
QStringList gravaArquivosSeguros(const QList<QPair<QString, QByteArray>>& arquivos);
// Brings a folder's entries to disk: after a rename done outside the calls above (a whole
// folder put in place), so the new name survives a power cut.
void sincronizaPasta(const QString& pasta);
