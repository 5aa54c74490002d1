// Real file systems that refuse writes, for the tests of what a save does when the disk does
// not take it: a tiny tmpfs filled to the brim, a read-only bind mount, and a pen drive pulled
// out while its folder is open. Mounting needs root; where it is refused, `motivo` says why and
// the test skips.
#pragma once

#include <QString>
#include <QTemporaryDir>

class Montagem {
public:
    Montagem() = default;
    ~Montagem();
    Montagem(const Montagem&) = delete;
    Montagem& operator=(const Montagem&) = delete;

    // A tmpfs of `kib` KiB over a fresh folder.
    bool montaTmpfs(int kib);
    // `origem` seen read-only through a fresh folder.
    bool montaSomenteLeitura(const QString& origem);
    // `origem` seen through a fresh folder, as the files of a pen drive are.
    bool montaLigacao(const QString& origem);
    // The drive pulled out: unmounted at once and its folder removed, as the desktop does; the
    // files stay in `origem`, as on the drive in the user's hand.
    bool arranca();
    // Fills the tmpfs until it refuses even one byte more.
    bool enche();

    QString pasta() const { return dir.path(); }
    QString motivo;

private:
    QTemporaryDir dir;
    bool montada = false;
};
