// Ctrl+P during a run: a picture of the runner on paper, or in a PDF on the desktop.
#pragma once

#include <QString>

class QWidget;

// Prints the client area on the default printer in landscape; without a printer writes the PDF
// into the desktop folder and says where. Gives the PDF path, or empty when printed.
QString imprimeTela(QWidget* janela);
