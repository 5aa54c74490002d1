// Keys used as switches, each with its own down/up state. X repeats a held key as a release
// followed at once by a press, and does not always mark the pair as a repeat; a switch held
// down must still count once. So a release counts only once no press of the same key has come
// within janelaDeRepeticao ms.
#pragma once

#include <QHash>
#include <QList>
#include <QtGlobal>

class TeclasSeguradas {
public:
    static constexpr int janelaDeRepeticao = 30;

    // True for a new press; false while the key is held (a repeat, or the press of a
    // release-and-press pair).
    bool aperta(int tecla);
    // Notes the release; it counts when soltasConfirmadas gives it.
    void solta(int tecla);
    // The keys released at least janelaDeRepeticao ms ago with no press since: really up now.
    QList<int> soltasConfirmadas();
    // Forgets every key (the window lost the keyboard, releases may never come).
    void esquece() { estado_.clear(); }

private:
    static constexpr qint64 segurada = -1;
    QHash<int, qint64> estado_; // down keys: segurada, or the instant of a pending release
};
