#include "nucleo/opcoes_acesso.h"

#include "nucleo/pranchas_valores.h"

bool operator==(const TChave& a, const TChave& b) {
    return a.tecla == b.tecla && a.botao == b.botao;
}

bool operator==(const TOpcoesAcesso& a, const TOpcoesAcesso& b) {
    return a.modoVarredura == b.modoVarredura && a.passoAPasso == b.passoAPasso &&
           a.avanca == b.avanca && a.seleciona == b.seleciona &&
           a.selecionaVarredura == b.selecionaVarredura && a.pausaPrimeiro == b.pausaPrimeiro &&
           a.voltasVarredura == b.voltasVarredura &&
           a.progressoPermanencia == b.progressoPermanencia && a.barraMensagem == b.barraMensagem &&
           a.trocaSemEsperar == b.trocaSemEsperar;
}

namespace {

QList<NomeDeTecla> montaTeclas() {
    QList<NomeDeTecla> t{
        {Qt::Key_Space, "ESPACO", QStringLiteral("Espaço")},
        {Qt::Key_Return, "ENTER", QStringLiteral("Enter")},
        {Qt::Key_Tab, "TAB", QStringLiteral("Tab")},
        {Qt::Key_Up, "SETACIMA", QStringLiteral("Seta para cima")},
        {Qt::Key_Down, "SETABAIXO", QStringLiteral("Seta para baixo")},
        {Qt::Key_Left, "SETAESQUERDA", QStringLiteral("Seta para a esquerda")},
        {Qt::Key_Right, "SETADIREITA", QStringLiteral("Seta para a direita")},
    };
    static const char* const efes[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                       "F7", "F8", "F9", "F10", "F11", "F12"};
    for (int i = 0; i < 12; ++i)
        t.append({Qt::Key_F1 + i, efes[i], QString::fromLatin1(efes[i])});
    static const char* const letras[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                         "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                         "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (int i = 0; i < 26; ++i)
        t.append({Qt::Key_A + i, letras[i], QString::fromLatin1(letras[i])});
    static const char* const digitos[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < 10; ++i)
        t.append({Qt::Key_0 + i, digitos[i], QString::fromLatin1(digitos[i])});
    return t;
}

// The first and second words of "A,B", blanks around each taken off; false without a comma.
bool doisNomes(QStringView texto, QStringView& primeiro, QStringView& segundo) {
    const qsizetype virgula = texto.indexOf(u',');
    if (virgula < 0) return false;
    primeiro = semBrancosNasPontas(texto.left(virgula));
    segundo = semBrancosNasPontas(texto.mid(virgula + 1));
    return true;
}

} // namespace

const QList<NomeDeTecla>& teclasDeChave() {
    static const QList<NomeDeTecla> teclas = montaTeclas();
    return teclas;
}

int teclaNormalizada(int tecla) {
    return tecla == Qt::Key_Enter ? int(Qt::Key_Return) : tecla;
}

int teclaDoNome(QStringView nome) {
    for (const NomeDeTecla& t : teclasDeChave())
        if (nome.compare(QLatin1String(t.arquivo), Qt::CaseInsensitive) == 0) return t.tecla;
    return 0;
}

QString nomeDaTecla(int tecla) {
    for (const NomeDeTecla& t : teclasDeChave())
        if (t.tecla == teclaNormalizada(tecla)) return QString::fromLatin1(t.arquivo);
    return {};
}

const QList<NomeDeBotao>& botoesDeChave() {
    static const QList<NomeDeBotao> botoes{
        {Qt::NoButton, "NENHUM", QStringLiteral("Nenhum")},
        {Qt::LeftButton, "ESQUERDO", QStringLiteral("Esquerdo")},
        {Qt::RightButton, "DIREITO", QStringLiteral("Direito")},
        {Qt::MiddleButton, "MEIO", QStringLiteral("Do meio")},
    };
    return botoes;
}

int botaoDoNome(QStringView nome) {
    for (const NomeDeBotao& b : botoesDeChave())
        if (nome.compare(QLatin1String(b.arquivo), Qt::CaseInsensitive) == 0) return b.botao;
    return -1;
}

QString nomeDoBotao(int botao) {
    for (const NomeDeBotao& b : botoesDeChave())
        if (b.botao == botao) return QString::fromLatin1(b.arquivo);
    return {};
}

TModoVarredura leModoVarredura(QStringView texto) {
    return texto.compare(QLatin1String("LINHACOLUNA"), Qt::CaseInsensitive) == 0
               ? TModoVarredura::linhaColuna
               : TModoVarredura::linear;
}

const char* textoModoVarredura(TModoVarredura m) {
    return m == TModoVarredura::linhaColuna ? "LINHACOLUNA" : "LINEAR";
}

bool leTeclasPasso(QStringView texto, TChave& avanca, TChave& seleciona) {
    QStringView a, s;
    if (!doisNomes(texto, a, s)) return false;
    const int ta = teclaDoNome(a), ts = teclaDoNome(s);
    if (ta == 0 || ts == 0 || ta == ts) return false;
    avanca.tecla = ta;
    seleciona.tecla = ts;
    return true;
}

QString textoTeclasPasso(const TChave& avanca, const TChave& seleciona) {
    return nomeDaTecla(avanca.tecla) + u',' + nomeDaTecla(seleciona.tecla);
}

bool leBotoesPasso(QStringView texto, TChave& avanca, TChave& seleciona) {
    QStringView a, s;
    if (!doisNomes(texto, a, s)) return false;
    const int ba = botaoDoNome(a), bs = botaoDoNome(s);
    if (ba < 0 || bs < 0 || (ba == bs && ba != Qt::NoButton)) return false;
    avanca.botao = ba;
    seleciona.botao = bs;
    return true;
}

QString textoBotoesPasso(const TChave& avanca, const TChave& seleciona) {
    return nomeDoBotao(avanca.botao) + u',' + nomeDoBotao(seleciona.botao);
}

bool leTeclaVarredura(QStringView texto, TChave& chave) {
    const QStringView nome = semBrancosNasPontas(texto);
    if (nome.compare(QLatin1String("NENHUMA"), Qt::CaseInsensitive) == 0) {
        chave.tecla = 0;
        return true;
    }
    const int t = teclaDoNome(nome);
    if (t == 0) return false;
    chave.tecla = t;
    return true;
}

bool leBotaoVarredura(QStringView texto, TChave& chave) {
    const QStringView nome = semBrancosNasPontas(texto);
    if (nome.compare(QLatin1String("QUALQUER"), Qt::CaseInsensitive) == 0) {
        chave.botao = qualquerBotao;
        return true;
    }
    const int b = botaoDoNome(nome);
    if (b < 0) return false;
    chave.botao = b;
    return true;
}

QString textoTeclaVarredura(const TChave& chave) {
    return chave.tecla == 0 ? QStringLiteral("NENHUMA") : nomeDaTecla(chave.tecla);
}

QString textoBotaoVarredura(const TChave& chave) {
    return chave.botao == qualquerBotao ? QStringLiteral("QUALQUER") : nomeDoBotao(chave.botao);
}

bool botaoSeleciona(const TChave& chave, int botao) {
    return chave.botao == qualquerBotao ? botao != Qt::NoButton : botao == chave.botao;
}

qint32 leInteiroLimitado(QStringView texto, qint32 maximo, qint32 padrao) {
    qint32 v = 0;
    if (!leInteiro(texto, v)) return padrao;
    return qBound(0, v, maximo);
}
