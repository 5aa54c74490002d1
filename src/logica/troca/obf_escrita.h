// A project's boards written in the Open Board Format: each board as the JSON of one .obf, and
// the manifest of a .obz. What the format has no word for goes into keys of this program's own
// (ext_zelvana_...), so a package read back gives the project that was written.
#pragma once

#include "logica/troca/midias_exportadas.h"
#include "nucleo/prvars.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Board i's id and its path inside a package.
QString idDaPrancha(int i);
QString caminhoDaPrancha(int i);

// Board i of the project. In a package (`noPacote`) pictures and sounds are named by their path
// and links carry the linked board's path; alone, they are written inside as data URIs.
QJsonObject quadroObf(const TProjeto& projeto, int i, MidiasDoProjeto& midias, bool noPacote);

// The manifest of a package of every board of the project, whose pictures and sounds are
// `midias` once every board was written. The start board is the root.
QJsonObject manifestoObz(const TProjeto& projeto, const MidiasDoProjeto& midias);
// Which board a package of the project starts on.
int pranchaRaiz(const TProjeto& projeto);
