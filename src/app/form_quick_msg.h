// The quick message: a short notice that closes by itself.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class TformQuickMsg : public QDialog {
    Q_OBJECT
public:
    explicit TformQuickMsg(QWidget* parent = nullptr);

    // Shows the text modally for `ms` milliseconds; returns when the notice has closed.
    void mostra(const QString& texto, int ms);

    QLabel* Label1;
    QTimer* Timer1;

private:
    void Timer1Timer();
};
