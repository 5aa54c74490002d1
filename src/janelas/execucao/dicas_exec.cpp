#include "janelas/execucao/dicas_exec.h"

#include "desenho/desenho.h"
#include "plataforma/cores.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

QStringList TformDicasExec::linhas() {
    return {QStringLiteral("espaço     Para/inicia varredura"),
            QStringLiteral("   +       aumenta tempo de varredura"),
            QStringLiteral("   -       diminui tempo de varredura"),
            QStringLiteral("   *       reexibe os sons da prancha atual"),
            QStringLiteral("   /       volta à prancha inicial"),
            QStringLiteral("ctrl-p     imprime"),
            QStringLiteral("   ?       mostra estas dicas"),
            QStringLiteral("alt+F4     termina a execução")};
}

TformDicasExec::TformDicasExec(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("formDicasExec"));
    setWindowTitle(QStringLiteral("Zelvana - Dicas"));
    setModal(true);
    resize(525, 331);
    pintaFundo(this, corDeTColor(azulDoPainel));

    Label1 = new QLabel(QStringLiteral("COMANDOS DURANTE A EXECUÇÃO"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titulo = Label1->font();
    titulo.setBold(true);
    titulo.setPixelSize(19);
    Label1->setFont(titulo);
    Label1->setAlignment(Qt::AlignCenter);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    QFont fixa(QStringLiteral("Courier New"));
    fixa.setStyleHint(QFont::Monospace);
    fixa.setBold(true);
    fixa.setPixelSize(16);
    Memo1->setFont(fixa);
    Memo1->setPlainText(linhas().join('\n'));
    Memo1->setReadOnly(true);

    b_ok = new QPushButton(QStringLiteral("Ok"), this);
    b_ok->setObjectName(QStringLiteral("b_ok"));
    b_ok->setDefault(true);
    connect(b_ok, &QPushButton::clicked, this, &TformDicasExec::b_okClick);

    auto* coluna = new QVBoxLayout(this);
    coluna->addWidget(Label1);
    coluna->addWidget(Memo1, 1);
    coluna->addWidget(b_ok, 0, Qt::AlignHCenter);
}

void TformDicasExec::b_okClick() {
    accept();
}
