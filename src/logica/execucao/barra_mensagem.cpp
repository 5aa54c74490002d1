#include "logica/execucao/barra_mensagem.h"

#include <QStringList>

QString nomeDaCelulaBarra(CelulaBarra c) {
    switch (c) {
    case CelulaBarra::falar:
        return QStringLiteral("Falar");
    case CelulaBarra::apagar:
        return QStringLiteral("Apagar");
    case CelulaBarra::limpar:
        break;
    }
    return QStringLiteral("Limpar");
}

bool BarraMensagem::anota(const TItem& it, bool falaRotulo) {
    const bool temRotulo = !it.rotulo.trimmed().isEmpty();
    const bool temFala = !it.som.trimmed().isEmpty() || !it.fala.trimmed().isEmpty();
    if (!temFala && (!temRotulo || !it.link.trimmed().isEmpty())) return false;
    EntradaMensagem e{it, {}};
    for (const Saida& s : saidasDoItem(it, falaRotulo))
        if (!s.texto.trimmed().isEmpty()) e.saidas.append(s);
    // Put in the message to be said: with labels not spoken, the voice still says it here.
    if (e.saidas.isEmpty()) e.saidas.append({true, it.rotulo});
    entradas_.append(e);
    return true;
}

bool BarraMensagem::apaga() {
    if (entradas_.isEmpty()) return false;
    entradas_.removeLast();
    return true;
}

void BarraMensagem::limpa() {
    entradas_.clear();
}

QList<Saida> BarraMensagem::mensagemInteira() const {
    QList<Saida> r;
    for (const EntradaMensagem& e : entradas_)
        r.append(e.saidas);
    return r;
}

QString BarraMensagem::texto() const {
    QStringList rotulos;
    for (const EntradaMensagem& e : entradas_)
        if (!e.item.rotulo.trimmed().isEmpty()) rotulos.append(e.item.rotulo.trimmed());
    return rotulos.join(u' ');
}
