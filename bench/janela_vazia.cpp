// The yardstick for the start-up benchmark: a bare Qt window, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget janela;
    janela.setWindowTitle(QStringLiteral("janela vazia"));
    janela.resize(609, 553);
    janela.show();
    return app.exec();
}
