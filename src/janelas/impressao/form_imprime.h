// The print window: covers the screen, asks for the printer a second time, then prints the
// chosen boards one at a time, showing each and how many are left; the author may cancel.
#pragma once

#include <QDialog>
#include <QList>
#include <memory>

class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTimer;
class TrabalhoDeImpressao;

class TFormImprime : public QDialog {
    Q_OBJECT
public:
    explicit TFormImprime(QWidget* pai = nullptr);
    ~TFormImprime() override;

    // Shows the window modally and prints the boards (indices in the project) once the author
    // confirms the printer; returns when the window closes, after saying where a PDF went or
    // what went wrong.
    void imprime(QPrinter& impressora, const QList<int>& pranchas);
    // A job is under way (between the start delay and its last page).
    bool imprimindo() const;

    QLabel* Panel1;
    QLabel* l_progresso;
    QProgressBar* pb_progresso;
    QPushButton* b_cancelar;
    QTimer* Timer1;

public slots:
    // Escape, the close box and "Cancelar": the job is dropped and no half file is left.
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    enum class Fim { nada, impresso, falhou, cancelado };
    void cobreATela();
    void FormActivate();
    void Timer1Timer();
    void passo();
    void mostraAndamento();
    void encerra(Fim fim);

    QTimer* timerPasso;
    QPrinter* impressora = nullptr;
    QList<int> pranchas;
    std::unique_ptr<TrabalhoDeImpressao> trabalho;
    bool ativada = false;
    Fim fim = Fim::nada;
};
