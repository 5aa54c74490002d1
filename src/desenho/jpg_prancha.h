// A drawn board saved as a JPEG picture: from the preview, and from the command line without
// any window.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Quality 90, 24-bit colour, baseline (not progressive); replaces any file of that name.
// On failure `erro` gets a Portuguese text naming the file.
bool gravaImagemJpg(const QImage& imagem, const QString& caminho, QString& erro);

// zelvana --jpg PASTA PRANCHA ARQUIVO.jpg [LARGURAxALTURA]; args are the words after "--jpg".
// Needs a QApplication. Gives the exit status; messages go to stderr.
int exportaJpgLinhaDeComando(const QStringList& args);
