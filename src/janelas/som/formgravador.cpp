#include "janelas/som/formgravador.h"

#include "desenho/desenho.h"
#include "janelas/comum/controles.h"
#include "logica/som/captura_wav.h"
#include "logica/som/toca_memoria.h"
#include "nucleo/avisos.h"
#include "plataforma/cores.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

void desenhaOnda(QImage& figura, const SomEditado* som) {
    const int largura = figura.width(), altura = figura.height();
    if (largura <= 0 || altura <= 0) return;
    figura.fill(Qt::white);
    QPainter g(&figura);
    g.setPen(Qt::red);
    g.drawLine(0, altura / 2, largura, altura / 2);
    g.setPen(Qt::black);
    const qint32 n = som ? som->nAmostras : 0;
    const double escala = altura / 65000.0;
    const double passo = n > 0 ? double(largura - 1) / n : 1;
    auto yDe = [&](int s) { return (altura - 1) - int((s + 32768) * escala); };
    QPoint atual(0, (altura - 1) - int(32768 * escala));
    // Samples that land on one column become one vertical stroke: the same pixels, far fewer
    // lines for a long sound.
    double x = 0;
    for (qint32 i = 0; i < n;) {
        const int coluna = int(x);
        int yMin = yDe(som->amostra(i)), yMax = yMin, yPrimeiro = yMin, yUltimo = yMin;
        for (++i, x += passo; i < n && int(x) == coluna; ++i, x += passo) {
            yUltimo = yDe(som->amostra(i));
            yMin = std::min(yMin, yUltimo);
            yMax = std::max(yMax, yUltimo);
        }
        g.drawLine(atual, QPoint(coluna, yPrimeiro));
        if (yMax > yMin) g.drawLine(coluna, yMin, coluna, yMax);
        atual = QPoint(coluna, yUltimo);
    }
}

TAreaOnda::TAreaOnda(QWidget* pai) : QWidget(pai) {}

void TAreaOnda::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.drawImage(0, 0, figura);
}

void TAreaOnda::resizeEvent(QResizeEvent*) {
    if (aoRedimensionar) aoRedimensionar();
}

TFormGravador::TFormGravador(QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Gravador de som"));
    resize(444, 344);
    pintaFundo(this, corDeTColor(azulDoPainel));
    setAutoFillBackground(true);

    QFont negrito = font();
    negrito.setBold(true);
    negrito.setPixelSize(13);
    auto botao = [&](QPushButton*& b, const char* nome, const QString& texto) {
        b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nome));
        b->setFont(negrito);
        b->setAutoDefault(false);
    };
    combo_nomeArq = new QComboBox(this);
    combo_nomeArq->setObjectName("combo_nomeArq");
    combo_nomeArq->setEditable(true);
    combo_nomeArq->setInsertPolicy(QComboBox::NoInsert);
    combo_nomeArq->setEditText(QStringLiteral("xxx.wav"));
    botao(b_carrega, "b_carrega", QStringLiteral("Carrega"));
    l_status = new QLabel(QStringLiteral("status"), this);
    l_status->setObjectName("l_status");
    l_status->setFont(negrito);
    l_duracao = new QLabel(QStringLiteral("0 seg."), this);
    l_duracao->setObjectName("l_duracao");
    Image1 = new TAreaOnda(this);
    Image1->setObjectName("Image1");
    Image1->setMinimumSize(409, 57);
    Image1->setFixedHeight(57);
    Image1->aoRedimensionar = [this] { desenhaOnda(); };
    botao(b_play, "b_play", {});
    botao(b_stop, "b_stop", {});
    botao(b_record, "b_record", {});
    b_play->setIcon(iconeDeSom(GlifoSom::tocar));
    b_stop->setIcon(iconeDeSom(GlifoSom::parar));
    b_record->setIcon(iconeDeSom(GlifoSom::gravar));
    b_play->setToolTip(QStringLiteral("Play"));
    b_stop->setToolTip(QStringLiteral("Stop"));
    b_record->setToolTip(QStringLiteral("Record"));
    b_play->setAccessibleName(QStringLiteral("Tocar"));
    b_stop->setAccessibleName(QStringLiteral("Parar"));
    b_record->setAccessibleName(QStringLiteral("Gravar"));
    botao(b_menosVolume, "b_menosVolume", QStringLiteral("volume -"));
    botao(b_maisVol50, "b_maisVol50", QStringLiteral("volume +"));
    botao(b_fadeOut, "b_fadeOut", QStringLiteral("Fade Out"));
    botao(b_cortaInicio, "b_cortaInicio", QStringLiteral("Corta início"));
    botao(b_cortaFim, "b_cortaFim", QStringLiteral("Corta Fim"));
    botao(b_salva, "b_salva", QStringLiteral("Salva"));
    botao(b_limpaSom, "b_limpaSom", QStringLiteral("Apaga tudo"));
    TimerGrav = new QTimer(this);
    TimerGrav->setObjectName("TimerGrav");
    TimerGrav->setInterval(100);

    auto* principal = new QVBoxLayout(this);
    auto* linhaNome = new QHBoxLayout;
    linhaNome->addWidget(combo_nomeArq, 1);
    linhaNome->addWidget(b_carrega);
    principal->addLayout(linhaNome);
    auto* linhaStatus = new QHBoxLayout;
    linhaStatus->addWidget(l_status);
    linhaStatus->addStretch();
    linhaStatus->addWidget(l_duracao);
    principal->addLayout(linhaStatus);
    principal->addWidget(Image1);
    auto* linhaTransporte = new QHBoxLayout;
    linhaTransporte->addWidget(b_play);
    linhaTransporte->addWidget(b_stop);
    linhaTransporte->addWidget(b_record);
    linhaTransporte->addStretch();
    principal->addLayout(linhaTransporte);
    auto* grade = new QGridLayout;
    grade->addWidget(b_cortaInicio, 0, 0);
    grade->addWidget(b_cortaFim, 0, 1);
    grade->addWidget(b_fadeOut, 0, 2);
    grade->addWidget(b_menosVolume, 1, 0);
    grade->addWidget(b_maisVol50, 1, 1);
    principal->addLayout(grade);
    principal->addStretch();
    auto* linhaFim = new QHBoxLayout;
    linhaFim->addWidget(b_limpaSom);
    linhaFim->addStretch();
    linhaFim->addWidget(b_salva);
    principal->addLayout(linhaFim);

    connect(b_carrega, &QPushButton::clicked, this, &TFormGravador::b_carregaClick);
    connect(combo_nomeArq, &QComboBox::activated, this, &TFormGravador::combo_nomeArqSelect);
    connect(b_record, &QPushButton::clicked, this, &TFormGravador::b_gravarClick);
    connect(b_stop, &QPushButton::clicked, this, &TFormGravador::b_stopClick);
    connect(b_play, &QPushButton::clicked, this, &TFormGravador::b_tocarClick);
    connect(TimerGrav, &QTimer::timeout, this, &TFormGravador::TimerGravTimer);
    connect(b_menosVolume, &QPushButton::clicked, this, &TFormGravador::b_menosVolumeClick);
    connect(b_maisVol50, &QPushButton::clicked, this, &TFormGravador::b_maisVol50Click);
    connect(b_fadeOut, &QPushButton::clicked, this, &TFormGravador::b_fadeOutClick);
    connect(b_cortaInicio, &QPushButton::clicked, this, &TFormGravador::b_cortaInicioClick);
    connect(b_cortaFim, &QPushButton::clicked, this, &TFormGravador::b_cortaFimClick);
    connect(b_salva, &QPushButton::clicked, this, &TFormGravador::b_salvaClick);
    connect(b_limpaSom, &QPushButton::clicked, this, &TFormGravador::b_limpaSomClick);
}

TFormGravador::~TFormGravador() {
    aoFechar();
}

void TFormGravador::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous() && !aberta) aoAbrir();
}

void TFormGravador::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    if (!e->spontaneous()) aoFechar();
}

void TFormGravador::aoAbrir() {
    aberta = true;
    listaArquivosWav();
    l_status->clear();
    gravandoAgora = false;
    amostras = std::make_unique<SomEditado>();
    desenhaOnda();
    // Loads after the window has painted, as long as it is still open.
    QTimer::singleShot(0, this, [this] {
        if (aberta) b_carregaClick();
    });
}

void TFormGravador::aoFechar() {
    if (!aberta) return;
    aberta = false;
    if (gravandoAgora) {
        gravandoAgora = false;
        TimerGrav->stop();
        terminaGravacao();
    }
    paraSomMemoria();
    amostras.reset();
}

void TFormGravador::listaArquivosWav() {
    const QString texto = combo_nomeArq->currentText();
    QStringList nomes;
    for (const QFileInfo& f :
         QDir::current().entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (f.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0)
            nomes << f.fileName();
    combo_nomeArq->clear();
    combo_nomeArq->addItems(nomes);
    combo_nomeArq->setEditText(texto);
}

void TFormGravador::b_carregaClick() {
    if (!amostras) return;
    QFile arquivo(combo_nomeArq->currentText());
    if (!arquivo.open(QIODevice::ReadOnly)) return;
    const TResultadoCarga r = leWav(arquivo, *amostras);
    arquivo.close();
    const QString texto = mensagemDaCarga(r);
    if (!texto.isEmpty()) avisoErro(texto);
    desenhaOnda();
}

void TFormGravador::combo_nomeArqSelect() {
    b_carregaClick();
}

void TFormGravador::paraGravacao() {
    gravandoAgora = false;
    TimerGrav->stop();
    coletaBuffers();
    const FimDaGravacao fim = terminaGravacao();
    l_status->clear();
    if (fim != FimDaGravacao::gravada) avisoErro(mensagemDoFim(fim));
    b_carregaClick();
}

void TFormGravador::b_gravarClick() {
    if (!amostras) return;
    paraSomMemoria();
    if (gravandoAgora) {
        paraGravacao();
        return;
    }
    const int inicio = iniciaGravacao(combo_nomeArq->currentText(), taxaEditor, 16, 1, 4, 4096);
    if (inicio != gravacaoPronta) {
        avisoErro(mensagemDoInicio(inicio));
        return;
    }
    TimerGrav->start();
    l_status->setText(QStringLiteral("Gravando"));
    l_duracao->setText(textoDuracao(0));
    gravandoAgora = true;
    comecaCaptura();
}

void TFormGravador::TimerGravTimer() {
    // A drive that stops taking the recording ends it here, with its message, instead of
    // showing "Gravando" while nothing more is kept.
    if (!coletaBuffers() && gravandoAgora) {
        paraGravacao();
        return;
    }
    if (gravandoAgora) l_duracao->setText(textoDuracao(qint32(quadrosGravados())));
}

void TFormGravador::b_stopClick() {
    if (gravandoAgora)
        b_gravarClick();
    else
        paraSomMemoria();
}

void TFormGravador::b_tocarClick() {
    if (!amostras) return;
    if (gravandoAgora) b_gravarClick();
    tocaImagemWav(QByteArray(amostras->imagemWav(), int(amostras->tamanhoImagem())));
}

void TFormGravador::b_menosVolumeClick() {
    if (!amostras) return;
    ajustaVolume(*amostras, 0.85);
    desenhaOnda();
}

void TFormGravador::b_maisVol50Click() {
    if (!amostras) return;
    ajustaVolume(*amostras, 1.2);
    desenhaOnda();
}

void TFormGravador::b_fadeOutClick() {
    if (!amostras) return;
    fadeOut(*amostras);
    desenhaOnda();
}

void TFormGravador::b_cortaInicioClick() {
    if (!amostras) return;
    cortaInicio(*amostras);
    desenhaOnda();
}

void TFormGravador::b_cortaFimClick() {
    if (!amostras) return;
    cortaFim(*amostras);
    desenhaOnda();
}

void TFormGravador::b_limpaSomClick() {
    if (!amostras) return;
    limpaSom(*amostras);
    desenhaOnda();
}

void TFormGravador::b_salvaClick() {
    if (!amostras) return;
    const TResultadoGravacao r = gravaWav(combo_nomeArq->currentText(), *amostras);
    if (r != TResultadoGravacao::gravado) {
        avisoErro(mensagemDaGravacao(r));
        return;
    }
    listaArquivosWav();
    avisoInfo(mensagemDaGravacao(r)); // it went as asked: no warning sign
    accept();
}

void TFormGravador::desenhaOnda() {
    Image1->figura = QImage(Image1->size(), QImage::Format_RGB32);
    ::desenhaOnda(Image1->figura, amostras.get());
    Image1->update();
    l_duracao->setText(textoDuracao(amostras ? amostras->nAmostras : 0));
}
