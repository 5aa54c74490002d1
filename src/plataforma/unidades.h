// The removable drives mounted on this machine (pen drives, memory cards).
#pragma once

#include <QList>
#include <QString>

struct Unidade {
    QString texto; // "Drive " + short name, then " [" + label + "]" when it has one
    QString raiz;  // where it is mounted
};

QList<Unidade> unidadesRemoviveis();

// The entry text for a volume: exposed for the tests of the naming rule.
QString textoDaUnidade(const QString& nomeCurto, const QString& rotulo);
