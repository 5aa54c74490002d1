// The picture picker: takes a pictogram of the library beside the program, found by its first
// letters, into the project folder.
#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The name under which the last picture chosen lies in the project folder; empty after
// "Cancela" or an OK with nothing selected. Kept between uses of the picker.
extern QString figuraEscolhida;

class TformSelFigura : public QDialog {
    Q_OBJECT
public:
    explicit TformSelFigura(QWidget* pai = nullptr);

    // Shows the picker modally with `iniciais` typed. Gives what the item's picture name becomes:
    // figuraEscolhida after OK or "Cancela"; nothing when the name is to stay as it was (the
    // window closed without a choice, or the picture could not be copied, which was told).
    std::optional<QString> escolhe(const QString& iniciais);

    void e_iniciaisChange();
    void l_arquivosClick();
    void b_okClick();
    void b_cancelaClick();
    void b_verTodasClick();

    QLabel* Label1;
    QLineEdit* e_iniciais;
    QListWidget* l_arquivos;
    QLabel* Image1;
    QLineEdit* e_novoNome;
    QPushButton* b_ok;
    QPushButton* b_cancela;
    QPushButton* b_verTodas;

protected:
    bool eventFilter(QObject* alvo, QEvent* e) override;

private:
    enum class Desfecho { aberto, escolhida, semEscolha, falhou };
    Desfecho desfecho = Desfecho::aberto;
    // The library's alphabetical order, worked out once for the list it was worked out for.
    QStringList ordenados;
    QList<int> posicoes;
};
