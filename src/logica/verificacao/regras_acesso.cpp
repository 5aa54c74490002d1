// Ways to select that the run would not use as the project stands. Only what no key of the run
// can change: '+' starts timed scanning during a run, so scanning options are never idle for
// want of a scanning time; nothing during a run turns the auto-click on, or step scanning off.
#include "logica/verificacao/regras.h"

#include <QStringList>

void verificaAcesso(Verificacao& v) {
    const TOpcoesAcesso& a = v.p.acesso;
    QStringList semEfeito;
    if (a.passoAPasso && v.p.tempoAutoClique > 0)
        semEfeito << QStringLiteral("o \"Tempo de auto-clique\" (") +
                         QString::number(v.p.tempoAutoClique) +
                         QStringLiteral(" ms) não vale na varredura passo a passo");
    if (a.passoAPasso && a.pausaPrimeiro > 0)
        semEfeito << QStringLiteral(
            "a \"Pausa a mais no primeiro item\" só vale na varredura com tempo, não na passo a "
            "passo");
    if (a.passoAPasso && a.voltasVarredura > 0)
        semEfeito << QStringLiteral(
            "as \"Voltas antes de parar\" só valem na varredura com tempo, não na passo a passo");
    if (a.passoAPasso && !(a.selecionaVarredura == TOpcoesAcesso().selecionaVarredura))
        semEfeito << QStringLiteral("a tecla e o botão que selecionam na varredura com tempo não "
                                    "valem na passo a passo");
    if (a.progressoPermanencia && !autoCliqueLigado(v.p))
        semEfeito << QStringLiteral("o anel do auto-clique não aparece, porque ") +
                         (a.passoAPasso ? QStringLiteral("a varredura passo a passo desliga o "
                                                         "auto-clique")
                                        : QStringLiteral("o \"Tempo de auto-clique\" é 0"));
    if (semEfeito.isEmpty()) return;
    v.achaNoProjeto(TipoAchado::acessoSemEfeito,
                    QStringLiteral("Opções de acesso que a execução não usaria: ") +
                        semEfeito.join(QStringLiteral("; ")) + u'.');
}
