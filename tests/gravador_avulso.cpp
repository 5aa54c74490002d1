// Shows the sound recorder on its own, on a sound of a project folder, for the help's
// pictures (scripts/capturas.sh): no window of the program opens the recorder yet.
//   gravador_avulso PASTA ARQUIVO.wav
#include "janelas/som/formgravador.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) return 2;
    // The recorder lists and loads the sounds of the current folder, as in a project.
    QDir::setCurrent(args[1]);
    TFormGravador janela;
    janela.combo_nomeArq->setEditText(args[2]);
    janela.show();
    return app.exec();
}
