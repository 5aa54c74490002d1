#include "janelas/editor/form_autoria.h"

#include "desenho/desenho.h"
#include "janelas/comum/controles.h"
#include "logica/editor/documento_projeto.h"
#include "nucleo/pranchas_valores.h"
#include "plataforma/cores.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* campo(QWidget* pai, const char* nome, const QString& rotulo, int y) {
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setGeometry(136, y, 535, 27);
    auto* l = new QLabel(rotulo, pai);
    l->setGeometry(16, y, 116, 27);
    l->setBuddy(e); // names the box for screen readers
    return e;
}

} // namespace

TFormAutoria::TFormAutoria(DocumentoProjeto& documento, QWidget* pai)
    : QDialog(pai), documento(documento) {
    setObjectName(QStringLiteral("formAutoria"));
    setWindowTitle(QStringLiteral("FormAutoria"));
    setModal(true);
    setFixedSize(687, 207);
    pintaFundo(this, corDeTColor(clSkyBlue));
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(13);
    setFont(f);

    e_autor = campo(this, "e_autor", QStringLiteral("Autoria:"), 16);
    e_data = campo(this, "e_data", QStringLiteral("Data:"), 56);
    e_data->setFixedWidth(260);
    e_info = campo(this, "e_info", QStringLiteral("Informações:"), 96);

    b_data = criaBotao(this, "b_data", QStringLiteral("TROCA DATA"));
    b_data->setGeometry(412, 54, 140, 31);
    b_ok = criaBotao(this, "b_ok", QStringLiteral("OK"));
    b_ok->setGeometry(234, 150, 100, 36);
    b_cancela = criaBotao(this, "b_cancela", QStringLiteral("Cancelar"));
    b_cancela->setGeometry(354, 150, 100, 36);
    connect(b_ok, &QPushButton::clicked, this, &TFormAutoria::b_okClick);
    connect(b_cancela, &QPushButton::clicked, this, &QDialog::reject);
    connect(b_data, &QPushButton::clicked, this, &TFormAutoria::b_dataClick);
}

void TFormAutoria::showEvent(QShowEvent* e) {
    FormActivate();
    QDialog::showEvent(e);
}

void TFormAutoria::FormActivate() {
    const TProjeto& p = documento.projeto();
    e_autor->setText(p.autor);
    e_data->setText(p.data);
    e_info->setText(p.info);
}

// OK stores and closes, one step of the history; Cancelar, Esc and the title bar store nothing.
void TFormAutoria::b_okClick() {
    documento.guardaAutoria(e_autor->text(), e_data->text(), e_info->text());
    accept();
}

void TFormAutoria::b_dataClick() {
    e_data->setText(textoData(QDateTime::currentDateTime()));
}
