#include "workflows/ufmTransmite.h"

#include "app/QtModal.h"
#include "app/base/Presenter.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "app/ugEstrutura.h"
#include "app/ugExcecao.h"
#include "fileformat/ugHashVorn.h"
#include "listview/QtLvListview.h"
#include "app/QtProgresso.h"
#include "app/udmGDVorn.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmConsulta.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmTransmiteLista.h"
#include "workflows/ugTransmite.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace gdvorn {

namespace {

QString anoBase() { return QString::number(Configuracao().AnoBase); }

QPlainTextEdit *memo(QWidget *pai, const char *nome, const QString &texto)
{
    auto *m = new QPlainTextEdit(texto, pai);
    m->setObjectName(QLatin1String(nome));
    m->setReadOnly(true);
    m->setFocusPolicy(Qt::NoFocus);
    m->setFixedHeight(m->fontMetrics().lineSpacing() * 3 + 12);
    return m;
}

QPushButton *botao(QWidget *pai, const char *nome, const QString &legenda)
{
    auto *b = new QPushButton(legenda, pai);
    b->setObjectName(QLatin1String(nome));
    // Enter on the list presses no button.
    b->setAutoDefault(false);
    return b;
}

// A page with its corner folded: the drawing under the three pictures.
void folha(QPainter &p, QColor papel)
{
    const QPolygon contorno({QPoint(2, 0), QPoint(10, 0), QPoint(14, 4), QPoint(14, 15), QPoint(2, 15)});
    p.setPen(QColor(90, 90, 90));
    p.setBrush(papel);
    p.drawPolygon(contorno);
    p.drawPolyline(QPolygon({QPoint(10, 0), QPoint(10, 4), QPoint(14, 4)}));
    p.setPen(QColor(70, 110, 190));
    for (int y = 6; y <= 12; y += 3)
        p.drawLine(4, y, 11, y);
}

QImage figura(const std::function<void(QPainter &)> &desenha)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    desenha(p);
    return img;
}

} // namespace

QList<QImage> ImagensTransmissao()
{
    const QImage gravada = figura([](QPainter &p) { folha(p, Qt::white); });
    const QImage transmitida = figura([](QPainter &p) {
        folha(p, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 150, 40), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4, 9), QPointF(7, 13), QPointF(15, 3)}));
    });
    const QImage retificadora = figura([](QPainter &p) {
        folha(p, QColor(255, 244, 200));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 14), QPointF(14, 5));
    });
    const QImage reciboInvalido = figura([](QPainter &p) {
        folha(p, Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 5), QPointF(14, 13));
        p.drawLine(QPointF(14, 5), QPointF(6, 13));
    });
    return {gravada, transmitida, retificadora, reciboInvalido};
}

TfmTransmite::TfmTransmite(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_analisador(std::make_unique<TAnaliseEstrutura>())
{
    setObjectName(QStringLiteral("fmTransmite"));
    setWindowTitle(QStringLiteral("Transmissão via Internet"));
    for (const QImage &img : ImagensTransmissao())
        m_imagens.Add(img);
    constroi();
}

TfmTransmite::~TfmTransmite() = default;

void TfmTransmite::constroi()
{
    memoTransmite = memo(this, "memoTransmite",
                         QStringLiteral("Selecione a unidade de onde será feita a transmissão. Se disco flexível, "
                                        "coloque o disquete com a declaração na respectiva unidade. ") +
                             QStringLiteral("Selecione a declaração que será transmitida. Clique no botão Transmitir."));
    memoImprime = memo(this, "memoImprime",
                       QStringLiteral("Selecione a unidade que contém o recibo de entrega da declaração .Se disco "
                                      "flexível, coloque o disquete com o recibo de declaração na respectiva ") +
                           QStringLiteral("unidade. Selecione o recibo que será impresso. Clique no botão Imprimir."));
    memoImprime->hide();

    BitBtnA = botao(this, "BitBtnA", QStringLiteral("A:"));
    BitBtnC = botao(this, "BitBtnC", QStringLiteral("C:"));
    for (QPushButton *b : {BitBtnA, BitBtnC})
        b->setIcon(style()->standardIcon(b == BitBtnA ? QStyle::SP_DriveFDIcon : QStyle::SP_DriveHDIcon));

    LvListview1 = new lv::QtLvListview(this);
    LvListview1->setObjectName(QStringLiteral("LvListview1"));
    ConfiguraListaTransmissao(*LvListview1, &m_imagens);
    ListaTransmissaoComMarcas(*LvListview1, true);
    MantemMarcaESelecao(*LvListview1, [this] { SeguirSelecao(); });

    // The legend under the list.
    auto *paLegenda = new QWidget(this);
    paLegenda->setObjectName(QStringLiteral("paLegenda"));
    auto *legenda = new QHBoxLayout(paLegenda);
    legenda->setContentsMargins(0, 0, 0, 0);
    const QStringList textos{QStringLiteral("Gravada"), QStringLiteral("Transmitida"), QStringLiteral("Retificadora"),
                             QStringLiteral("Recibo inválido")};
    for (int i = 0; i < textos.size(); ++i) {
        auto *figura = new QLabel(paLegenda);
        figura->setPixmap(QPixmap::fromImage(m_imagens.Image(i)));
        auto *texto = new QLabel(textos.at(i), paLegenda);
        legenda->addWidget(figura);
        legenda->addWidget(texto);
        legenda->addSpacing(16);
    }
    legenda->addStretch();

    chkSelectAll = new QCheckBox(QStringLiteral("&Seleciona/desmarca todas as declarações"), this);
    chkSelectAll->setObjectName(QStringLiteral("chkSelectAll"));
    chkCertif = new QCheckBox(QStringLiteral("T&ransmitir com Certificação"), this);
    chkCertif->setObjectName(QStringLiteral("chkCertif"));

    btnTransmite = botao(this, "btnTransmite", QStringLiteral("&Transmitir"));
    btnImprime = botao(this, "btnImprime", QStringLiteral("&Imprime"));
    btnImprime->hide();
    btnConsulta = botao(this, "btnConsulta", QStringLiteral("Consultar &Arquivo"));
    btnConsulta->setEnabled(false);
    btAnalise = botao(this, "btAnalise", QStringLiteral("A&nalisar Arquivo"));
    btAnalise->setEnabled(false);
    btnCancelar = botao(this, "btnCancelar", QStringLiteral("&Cancelar"));
    laStatus = new QLabel(QStringLiteral("Verificando arquivo ..."), this);
    laStatus->setObjectName(QStringLiteral("laStatus"));
    laStatus->hide();
    prCarregarArq = new QProgressBar(this);
    prCarregarArq->setObjectName(QStringLiteral("prCarregarArq"));
    prCarregarArq->hide();

    auto *unidades = new QHBoxLayout;
    unidades->addWidget(new QLabel(QStringLiteral("Unidade:"), this));
    unidades->addWidget(BitBtnA);
    unidades->addWidget(BitBtnC);
    unidades->addStretch();
    auto *marcas = new QHBoxLayout;
    marcas->addWidget(chkSelectAll);
    marcas->addSpacing(24);
    marcas->addWidget(chkCertif);
    marcas->addStretch();
    auto *botoes = new QHBoxLayout;
    botoes->addWidget(laStatus);
    botoes->addWidget(prCarregarArq, 1);
    botoes->addStretch();
    botoes->addWidget(btnTransmite);
    botoes->addWidget(btnImprime);
    botoes->addWidget(btnConsulta);
    botoes->addWidget(btAnalise);
    botoes->addWidget(btnCancelar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(memoTransmite);
    layout->addWidget(memoImprime);
    layout->addLayout(unidades);
    layout->addWidget(LvListview1, 1);
    layout->addWidget(paLegenda);
    layout->addLayout(marcas);
    layout->addLayout(botoes);
    const QList<QWidget *> ordem{BitBtnA, BitBtnC, LvListview1, chkSelectAll, chkCertif, btnTransmite, btnImprime,
                                 btnConsulta, btAnalise, btnCancelar};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem.at(i - 1), ordem.at(i));
    ajustaColunas();
    resize(1020, 570);

    connect(BitBtnA, &QPushButton::clicked, this, Protegido([this] { BitBtnAClick(); }));
    connect(BitBtnC, &QPushButton::clicked, this, Protegido([this] { BitBtnCClick(); }));
    connect(btnTransmite, &QPushButton::clicked, this, Protegido([this] { btnTransmiteClick(); }));
    connect(btnImprime, &QPushButton::clicked, this, Protegido([this] { btnImprimeClick(); }));
    connect(chkSelectAll, &QCheckBox::clicked, this, Protegido([this] { chkSelectAllClick(); }));
    connect(btAnalise, &QPushButton::clicked, this, Protegido([this] { btAnaliseClick(); }));
    connect(btnConsulta, &QPushButton::clicked, this, Protegido([this] { btnConsultaClick(); }));
    connect(btnCancelar, &QPushButton::clicked, this, Protegido([this] { btnCancelarClick(); }));
}

void TfmTransmite::ajustaColunas()
{
    // Every caption shows whole, and the inscription's column holds a formatted CNPJ.
    lv::QtLvListview &l = *LvListview1;
    const QFontMetrics metricas(l.font());
    lv::TLvColumns &colunas = l.Header().Columns();
    for (int i = 0; i < colunas.Count(); ++i) {
        lv::TLvColumn *c = colunas[i];
        const int largura = std::max(metricas.horizontalAdvance(c->Caption()),
                                     i == ctInscricao ? metricas.horizontalAdvance(QStringLiteral("00.000.000/0000-00")) : 0);
        if (c->Width() < largura + 20)
            c->SetWidth(largura + 20);
    }
}

void TfmTransmite::ajustaRazaoSocial()
{
    // The name takes the rest of the list's width, and more when a name needs it.
    lv::QtLvListview &l = *LvListview1;
    lv::TLvColumns &colunas = l.Header().Columns();
    int outras = 0;
    for (int i = 0; i < colunas.Count(); ++i)
        outras += i == ctRazaoSocial ? 0 : colunas[i]->Width();
    const QFontMetrics metricas(l.font());
    int maior = 0;
    for (int i = 0; i < l.Items().Count(); ++i)
        maior = std::max(maior, metricas.horizontalAdvance(l.Items()[i]->Captions(ctRazaoSocial)) + 16);
    colunas[ctRazaoSocial]->SetWidth(std::max({maior, l.viewport()->width() - outras, 100}));
}

void TfmTransmite::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    ajustaRazaoSocial();
}

void TfmTransmite::PreparaImpressao(bool pelaAssistente)
{
    m_impressao = true;
    setWindowTitle(QStringLiteral("Imprimir Protocolo de Transmissão"));
    memoImprime->show();
    memoTransmite->hide();
    btnImprime->show();
    btnTransmite->hide();
    // The menu's protocol command offers no analysis; the print wizard's leaves it.
    btAnalise->setVisible(pelaAssistente);
    setTabOrder(BitBtnC, btnImprime);
    ListaTransmissaoComMarcas(*LvListview1, false);
    Configuracao().ModoImprimeProtocolo = true;
    Configuracao().ProtocoloPeloAssistente = pelaAssistente ? 1 : 0;
}

void TfmTransmite::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_mostrada)
        return;
    m_mostrada = true;
    Protege([this] {
        btnTransmite->setEnabled(false);
        btnImprime->setEnabled(false);
        chkSelectAll->setVisible(!m_impressao);
        TConfiguracao &c = Configuracao();
        if (c.TransmiteAposGravacao == 1) {
            c.TransmiteAposGravacao = 0;
            const QString unidade = UnidadeDoArquivo(c.CaminhoArquivoGerado);
            if (unidade == QLatin1String("C"))
                BitBtnCClick();
            else if (unidade == QLatin1String("A"))
                BitBtnAClick();
        } else {
            BitBtnCClick();
        }
    });
    LvListview1->setFocus();
}

void TfmTransmite::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // The first activation: the keyboard starts on the list.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_ativada) {
        m_ativada = true;
        LvListview1->setFocus();
    }
}

void TfmTransmite::reject()
{
    // Esc and the close box while a file loads only ask the analyser to stop.
    if (m_carregando) {
        btnCancelarClick();
        return;
    }
    QDialog::reject();
}

void TfmTransmite::btnCancelarClick()
{
    Configuracao().ProtocoloPeloAssistente = 0;
    if (m_carregando) {
        m_analisador->Interrompe();
        return;
    }
    QDialog::reject();
}

void TfmTransmite::done(int resultado)
{
    Configuracao().ProtocoloPeloAssistente = 0;
    Configuracao().ModoImprimeProtocolo = false;
    QDialog::done(resultado);
}

void TfmTransmite::BitBtnCClick()
{
    BitBtnA->setEnabled(false);
    BitBtnC->setEnabled(false);
    const QString pasta = PastaDaUnidade(m_unidadeA ? QStringLiteral("A") : QStringLiteral("C"));
    const ListagemDeclaracoes listagem = ListaDeclaracoes(pasta, Configuracao().AnoBase);
    lv::QtLvListview &l = *LvListview1;
    m_caminhos.clear();
    l.BeginUpdate();
    l.Items().Clear();
    ListaTransmissaoComMarcas(l, !m_impressao);
    for (const DeclaracaoListada &d : listagem.declaracoes) {
        lv::TLvItem *item = l.Items().Add();
        item->SetImageIndex(d.transmitida ? itTransmitida : d.reciboInvalido ? itReciboInvalido : itGravada);
        item->SetCaptions(ctCrea, d.crea);
        item->SetCaptions(ctInscricao, d.inscricao);
        item->SetCaptions(ctPrefixo, d.prefixo);
        item->SetCaptions(ctSequencial, d.sequencial);
        item->SetCaptions(ctEstabelecimentos, d.estabelecimentos);
        item->SetCaptions(ctVinculos, d.vinculos);
        item->SetCaptions(ctRazaoSocial, d.razaoSocial);
        if (d.retificadora)
            item->SetImageIndexes(ctRetificadora, itRetificadora);
        m_caminhos << d.caminho;
    }
    l.EndUpdate(true);
    ajustaRazaoSocial();
    m_unidadeA = false;
    chkSelectAll->setChecked(false);
    if (!listagem.ilegiveis.isEmpty())
        presenter().show(MessageKind::Error, TextoArquivosIlegiveis(listagem.ilegiveis), {MessageButton::Ok});
    if (listagem.declaracoes.isEmpty())
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Unidade não contém declaração do GDVorn") + anoBase() + QLatin1Char('.'),
                         {MessageButton::Ok});
    BitBtnA->setEnabled(true);
    BitBtnC->setEnabled(true);
    SeguirSelecao();
}

void TfmTransmite::BitBtnAClick()
{
    m_unidadeA = true;
    const QString a = QStringLiteral("A");
    if (AguardaDisquete(a) && DestinoComArquivos(a, faDirectory | faArchive)) {
        BitBtnCClick();
        return;
    }
    m_unidadeA = false;
    LvListview1->Items().Clear();
    m_caminhos.clear();
    SeguirSelecao();
    presenter().show(MessageKind::Warning, QStringLiteral("Unidade não contém declaração."), {MessageButton::Ok});
}

void TfmTransmite::SeguirSelecao()
{
    const bool algum = LvListview1->Selection().Count() > 0;
    btnTransmite->setEnabled(!m_impressao && algum);
    btnImprime->setEnabled(m_impressao && algum);
    btAnalise->setEnabled(LvListview1->Selection().Count() == 1);
    btnConsulta->setEnabled(algum);
}

void TfmTransmite::btAnaliseClick()
{
    lv::TLvGlobalItems &itens = LvListview1->Items();
    QString caminho;
    for (int i = 0; i < itens.Count() && caminho.isEmpty(); ++i)
        if (itens[i]->Selected())
            caminho = m_caminhos.value(i);
    if (caminho.isEmpty())
        return;
    AbreAnalise(this, caminho);
    if (m_unidadeA)
        BitBtnAClick();
    else
        BitBtnCClick();
}

void TfmTransmite::btnConsultaClick()
{
    lv::TLvGlobalItems &itens = LvListview1->Items();
    QStringList escolhidos;
    for (int i = 0; i < itens.Count(); ++i)
        if (itens[i]->Selected())
            escolhidos << m_caminhos.value(i);
    if (escolhidos.size() > 1) {
        presenter().show(MessageKind::Warning, QStringLiteral("Para realizar a consulta, selecione somente uma declaração."),
                         {MessageButton::Ok});
        return;
    }
    if (escolhidos.size() == 1)
        ConsultaArquivo(escolhidos.first());
}

void TfmTransmite::ConsultaArquivo(const QString &caminho)
{
    for (QWidget *w : {BitBtnA, BitBtnC, btnTransmite, btnImprime, btnConsulta})
        w->setEnabled(false);
    repaint();
    laStatus->show();
    prCarregarArq->setValue(0);
    prCarregarArq->show();
    quint8 resultado = AnaliseNaoRealizada;
    {
        struct Encerra {
            TfmTransmite &w;
            ~Encerra()
            {
                w.BitBtnA->setEnabled(true);
                w.BitBtnC->setEnabled(true);
                w.SeguirSelecao();
                w.laStatus->hide();
                w.prCarregarArq->hide();
            }
        } encerra{*this};
        MarcaEnquanto carregando(m_carregando);
        QtProgresso progresso(prCarregarArq);
        int estabelecimentos = 0, vinculos = 0;
        resultado = m_analisador->AnalisaArquivo(caminho, Configuracao().AnoBase, false, estabelecimentos, vinculos,
                                                 dmGDVorn->DatabaseDirectory(), &progresso);
    }
    // Interrupted, or not loaded at all (the work tables are not this file's): nothing to browse.
    if (resultado & AnaliseInterrompida || resultado == AnaliseNaoRealizada)
        return;
    if (resultado & AnaliseComOcorrencia) {
        ConsultaAposTransmite(this, true);
        return;
    }
    Configuracao().IdTransmissao = IdentificacaoTransmissao(caminho);
    ConsultaAposTransmite(this, false);
}

void TfmTransmite::chkSelectAllClick()
{
    if (chkSelectAll->isChecked())
        LvListview1->Selection().SelectAll();
    else
        LvListview1->Selection().ClearAll();
    LvListview1->setFocus();
}

void TfmTransmite::btnTransmiteClick()
{
    // Whatever happens below, Transmit follows the selection afterwards.
    struct Segue {
        TfmTransmite *janela;
        ~Segue() { janela->SeguirSelecao(); }
    } segue{this};
    lv::TLvGlobalItems &itens = LvListview1->Items();
    QList<int> marcados;
    for (int i = 0; i < itens.Count(); ++i)
        if (itens[i]->Checked())
            marcados << i;
    for (int i : marcados) {
        if (itens[i]->ImageIndex() == itTransmitida) {
            presenter().show(MessageKind::Warning,
                             QStringLiteral("Você selecionou uma ou mais declarações já transmitidas. Refaça a seleção "
                                            "e tente novamente."),
                             {MessageButton::Ok});
            return;
        }
    }
    const TConfiguracao &config = Configuracao();
    const bool certificado = chkCertif->isChecked();
    QFile lista(ArquivoListaTransmissao());
    int linhas = 0;
    for (int i : marcados) {
        const QString caminho = m_caminhos.value(i);
        const QString nome = caminho.right(32);
        if (!NomeNoPadrao(caminho, config.AnoBase)) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("A declaração não pode ser transmitida: nome do arquivo fora do padrão. Gere "
                                            "o arquivo novamente para transmissão."),
                             {MessageButton::Ok});
            continue;
        }
        if (!ComparaHashArquivo(caminho)) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("O arquivo \"") + nome + QStringLiteral("\" não é uma declaração válida.\n") +
                                 QStringLiteral("Utilize a função \"Analisar Arquivo\" para validar a declaração, "
                                                "depois tente novamente."),
                             {MessageButton::Ok});
            continue;
        }
        btnTransmite->setEnabled(false);
        if (!lista.isOpen() && !lista.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("Não foi possível gravar o arquivo ") + lista.fileName() +
                                 QStringLiteral(".\n") + lista.errorString(),
                             {MessageButton::Ok});
            return;
        }
        if (certificado && !QFileInfo::exists(config.CaminhoVornNetCertificado)) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("Sua versão do VornNet não tem suporte à certificação digital.\n") +
                                 QStringLiteral("Faça a cópia (download) da versão mais recente, instale em seu "
                                                "computador e tente novamente."),
                             {MessageButton::Ok});
            return;
        }
        lista.write(LinhaListaTransmissao(caminho, certificado));
        ++linhas;
    }
    if (lista.isOpen()) {
        lista.close();
        if (lista.error() != QFileDevice::NoError) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("Não foi possível gravar o arquivo ") + lista.fileName() +
                                 QStringLiteral(".\n") + lista.errorString(),
                             {MessageButton::Ok});
            return;
        }
    }
    if (linhas == 0)
        return;
    if (!QFileInfo::exists(config.CaminhoVornNet)) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("A transmissão da declaração via internet é feita com a utilização\n") +
                             QStringLiteral("do programa VornNet") + anoBase() +
                             QStringLiteral(", não encontrado nesse computador.\n") +
                             QStringLiteral("Faça a cópia do programa(download) e instale em seu computador.\n\n") +
                             QStringLiteral("Ao enviar a declaração, o protocolo de entrega será automaticamente\n") +
                             QStringLiteral("gravado no disco rígido ou disquete."),
                         {MessageButton::Ok});
        return;
    }
    executa(certificado ? config.CaminhoVornNetCertificado : config.CaminhoVornNet);
    m_unidadeA = !m_caminhos.isEmpty() && UnidadeDoArquivo(m_caminhos.first()) == QLatin1String("A");
    BitBtnCClick();
}

void TfmTransmite::executa(const QString &programa)
{
    const QPointer<QWidget> foco = focusWidget();
    setEnabled(false);
    const ResultadoExecucao r = ExecAndWait(programa);
    // What the user typed or clicked meanwhile reaches a disabled window, and is dropped.
    QCoreApplication::processEvents();
    setEnabled(true);
    if (foco)
        foco->setFocus();
    if (!r.iniciou)
        presenter().show(MessageKind::Error,
                         QStringLiteral("Não foi possível executar o programa ") + programa + QStringLiteral(".\n") +
                             r.motivo,
                         {MessageButton::Ok});
}

void TfmTransmite::btnImprimeClick()
{
    lv::TLvGlobalItems &itens = LvListview1->Items();
    for (int i = 0; i < itens.Count(); ++i) {
        if (!itens[i]->Selected())
            continue;
        // A file with a receipt that fails its check reaches the check below and its error.
        if (itens[i]->ImageIndex() != itTransmitida && itens[i]->ImageIndex() != itReciboInvalido) {
            presenter().show(MessageKind::Warning, QStringLiteral("Declaração não transmitida."), {MessageButton::Ok});
            continue;
        }
        const QByteArray linha = PrimeiraLinhaRecibo(NomeReciboTransmissao(m_caminhos.value(i)));
        if (!VerificaCRC(linha)) {
            presenter().show(MessageKind::Error, QStringLiteral("Arquivo .rec inválido"), {MessageButton::Ok});
            continue;
        }
        btnImprime->setEnabled(false);
        struct Reabilita {
            QPushButton *b;
            ~Reabilita() { b->setEnabled(true); }
        } reabilita{btnImprime};
        GeraRelatorio(ParametrosTransmissao(linha, Configuracao().AnoBase));
    }
}

void TfmTransmite::GeraRelatorio(const QList<QPair<QString, QString>> &parametros)
{
    dmRaveRelatorios->RvSystem1.VerificaImpressora(TRvSystem::kNaoHaImpressoras);
    TRvProject &projeto = dmRaveRelatorios->RvProject2;
    projeto.SetParam(QStringLiteral("Versao"), Configuracao().Versao);
    for (const auto &[nome, valor] : parametros)
        projeto.SetParam(nome, valor);
    projeto.ExecuteReport(QStringLiteral("Transmissao"));
}

void AbreTransmissao(QWidget *pai, bool impressao, bool pelaAssistente)
{
    TfmTransmite janela(pai);
    if (impressao)
        janela.PreparaImpressao(pelaAssistente);
    ExecutaModal(janela);
}

void RegistraTransmissao()
{
    RegistraJanela(QStringLiteral("Transmite1"), [](QWidget *pai) { AbreTransmissao(pai, false, false); });
    RegistraJanela(QStringLiteral("ProtocolodeTransmisso1"), [](QWidget *pai) { AbreTransmissao(pai, true, false); });
}

} // namespace gdvorn
