// What the scratchpad's two windows share: their size, their place in the middle of the
// desktop and their pink background ($CCCCFF).
#pragma once

#include <QSize>

class QDialog;
class QString;

void preparaJanelaDoRascunho(QDialog* janela, const char* nome, const QString& titulo,
                             QSize tamanho);
