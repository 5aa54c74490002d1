// A zip package read and written through libzip, in memory or from a file, with the limits
// that keep a hostile package from filling the memory or the disk: no more than
// maxEntradasZip entries, none inflating past maxTamanhoEntradaZip bytes, and all of them
// together no more than maxTamanhoTotalZip.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

inline constexpr int maxEntradasZip = 20000;
inline constexpr qint64 maxTamanhoEntradaZip = 200LL * 1024 * 1024;
inline constexpr qint64 maxTamanhoTotalZip = 2LL * 1024 * 1024 * 1024;

class PacoteZip {
public:
    ~PacoteZip();
    PacoteZip(const PacoteZip&) = delete;
    PacoteZip& operator=(const PacoteZip&) = delete;

    // The package in the file, or in the bytes; nothing (and `erro` in Portuguese) when it is
    // not a zip, has too many entries, or names an entry unsafely ("../x", "/etc/x", "C:x").
    static std::unique_ptr<PacoteZip> abre(const QString& arquivo, QString& erro);
    static std::unique_ptr<PacoteZip> abre(const QByteArray& bytes, QString& erro);

    // The files' names as stored (folders' own entries left out).
    QStringList nomes() const;
    bool contem(const QString& nome) const;
    // The bytes of one entry, checked against the limits as they inflate.
    std::optional<QByteArray> le(const QString& nome, QString& erro);

private:
    struct Estado;
    explicit PacoteZip(std::unique_ptr<Estado> estado);
    std::unique_ptr<Estado> e;
};

// A name an entry may have: relative, without "..", without a drive or a backslash.
bool nomeDeEntradaSeguro(const QString& nome);

// The bytes of a zip holding the files (name inside the package, bytes), in that order.
// Pictures and sounds already compressed are stored as they are. Empty (and `erro`) on failure.
QByteArray montaZip(const QList<QPair<QString, QByteArray>>& arquivos, QString& erro);
