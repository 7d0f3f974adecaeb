#include "app/ufmGDVORN.h"

#include "app/ufmInicioRegras.h"
#include "app/ufmSobre.h"
#include "app/ufmSplash.h"

#include "app/QtModal.h"
#include "app/ugHtmlHelpAPI.h"

#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ugExcecao.h"
#include "app/base/Progresso.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QDesktopServices>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QMenuBar>
#include <QPainter>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace gdvorn {

TfmGDVORN *fmGDVORN = nullptr;

namespace {

// A tool button's picture that shows its state: in colour while the command works, a faint grey when
// it does not (the style's own disabled picture of a grey glyph looks much like the enabled one).
QIcon figuraComEstado(const QIcon &base)
{
    QIcon icone;
    for (int lado : {16, 24, 32}) {
        const QPixmap normal = base.pixmap(lado, QIcon::Normal);
        icone.addPixmap(normal, QIcon::Normal);
        icone.addPixmap(normal, QIcon::Active);
        QImage apagada = normal.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < apagada.height(); ++y) {
            auto *linha = reinterpret_cast<QRgb *>(apagada.scanLine(y));
            for (int x = 0; x < apagada.width(); ++x) {
                const int cinza = 96 + qGray(linha[x]) / 2;
                linha[x] = qRgba(cinza, cinza, cinza, qAlpha(linha[x]) * 3 / 10);
            }
        }
        icone.addPixmap(QPixmap::fromImage(apagada), QIcon::Disabled);
    }
    return icone;
}

// The caption of an import tool button: the year's first three digits, "&", its last digit.
QString legendaImportacao(int ano)
{
    const QString texto = QString::number(ano);
    return texto.left(3) + QLatin1Char('&') + texto.mid(3);
}

QHash<QString, AbreJanela> &janelasRegistradas()
{
    static QHash<QString, AbreJanela> janelas;
    return janelas;
}

} // namespace

void RegistraJanela(const QString &comando, AbreJanela abre) { janelasRegistradas().insert(comando, std::move(abre)); }

TfmGDVORN::TfmGDVORN(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmGDVORN"));
    // The settings record of the run; its constructor sets the values of start-up.
    setConfiguracao(&Config);
    criaComandos();
    criaAjuda();
    criaCorpo();
    // The restored size and place; contents follow the window through their layouts.
    move(0, 0);
    resize(800, 580);
}

TfmGDVORN::~TfmGDVORN()
{
    if (&Configuracao() == &Config)
        setConfiguracao(nullptr);
    if (fmGDVORN == this)
        fmGDVORN = nullptr;
}

void TfmGDVORN::criaComandos()
{
    auto *painel = addToolBar(QStringLiteral("Panel1"));
    painel->setObjectName(QStringLiteral("Panel1"));
    painel->setMovable(false);
    painel->setFloatable(false);
    auto botao = [&](const char *nome, QStyle::StandardPixmap glifo, const QString &dica) {
        auto *b = new QToolButton(painel);
        b->setObjectName(QLatin1String(nome));
        b->setAutoRaise(true);
        b->setFixedSize(34, 34);
        b->setToolTip(dica);
        if (glifo != QStyle::SP_CustomBase)
            b->setIcon(figuraComEstado(style()->standardIcon(glifo)));
        painel->addWidget(b);
        return b;
    };
    sbAbrir = botao("sbAbrir", QStyle::SP_DialogOpenButton, QStringLiteral("Abrir Declaração"));
    sbExcluir = botao("sbExcluir", QStyle::SP_TrashIcon, QStringLiteral("Excluir Declaração"));
    sbVerInco = botao("sbVerInco", QStyle::SP_FileDialogContentsView,
                      QStringLiteral("Verificar Inconsistências das Declarações"));
    sbGravar = botao("sbGravar", QStyle::SP_DialogSaveButton, QStringLiteral("Gravar Declaração"));
    sbRetif = botao("sbRetif", QStyle::SP_BrowserReload, QStringLiteral("Gravar Retificação da Declaração"));
    // The import buttons show their year; caption and hint are set when the window is shown.
    sbImpAnoAnterior = botao("sbImpAnoAnterior", QStyle::SP_CustomBase, QString());
    sbImpAnoAtual = botao("sbImpAnoAtual", QStyle::SP_CustomBase, QString());

    auto item = [&](QMenu *menu, const char *nome, const QString &legenda) {
        auto *a = new QAction(legenda, this);
        a->setObjectName(QLatin1String(nome));
        menu->addAction(a);
        return a;
    };
    auto submenu = [&](QMenu *menu, const char *nome, const QString &legenda) {
        QMenu *m = menu->addMenu(legenda);
        m->setObjectName(QLatin1String(nome));
        return m;
    };
    QMenu *declaracao = menuBar()->addMenu(QStringLiteral("&Declaração"));
    declaracao->setObjectName(QStringLiteral("MenuDeclaracao"));
    Abrir1 = item(declaracao, "Abrir1", QStringLiteral("&Abrir..."));
    Excluir1 = item(declaracao, "Excluir1", QStringLiteral("&Excluir..."));
    Verificar1 = item(declaracao, "Verificar1", QStringLiteral("&Verificar Inconsistências das Declarações ..."));
    Gravardeclarao1 = item(declaracao, "Gravardeclarao1", QStringLiteral("&Gravar Declaração..."));
    Gravarretificaodadeclarao1 =
        item(declaracao, "Gravarretificaodadeclarao1", QStringLiteral("Gravar &Retificação da Declaração..."));
    Imprimir1 = submenu(declaracao, "Imprimir1", QStringLiteral("&Imprimir..."));
    Declarao1 = item(Imprimir1, "Declarao1", QStringLiteral("Declaração"));
    Importar1 = submenu(declaracao, "Importar1", QStringLiteral("Im&portar..."));
    AnoAnterior = item(Importar1, "AnoAnterior", QString());
    AnoAtual = item(Importar1, "AnoAtual", QString());

    QMenu *utilitarios = menuBar()->addMenu(QStringLiteral("&Utilitários"));
    utilitarios->setObjectName(QStringLiteral("MenuUtilitarios"));
    CpiadeSegurana1 = submenu(utilitarios, "CpiadeSegurana1", QStringLiteral("Cópia de &Segurança"));
    Gerarcpia1 = item(CpiadeSegurana1, "Gerarcpia1", QStringLiteral("&Gravar"));
    Restaurarcpia1 = item(CpiadeSegurana1, "Restaurarcpia1", QStringLiteral("&Restaurar"));
    IndexarArquivos1 = item(utilitarios, "IndexarArquivos1", QStringLiteral("&Indexar Arquivos"));

    // The import commands have no window to open yet; the declaration commands follow ControlaBotoes
    // and start disabled until it runs.
    for (QToolButton *b : {sbAbrir, sbExcluir, sbVerInco, sbGravar, sbRetif, sbImpAnoAnterior, sbImpAnoAtual})
        b->setEnabled(false);
    for (QAction *a : {Abrir1, Excluir1, Verificar1, Gravardeclarao1, Gravarretificaodadeclarao1, Declarao1,
                       AnoAnterior, AnoAtual, Gerarcpia1})
        a->setEnabled(false);
    conectaJanela(Gerarcpia1, false);
    // The restored tables may hold other establishments.
    conectaJanela(Restaurarcpia1, true);
    conectaJanela(IndexarArquivos1, false);
    Restaurarcpia1->setEnabled(janelasRegistradas().contains(Restaurarcpia1->objectName()));
    IndexarArquivos1->setEnabled(janelasRegistradas().contains(IndexarArquivos1->objectName()));
    criaDemaisComandos();
}

void TfmGDVORN::criaDemaisComandos()
{
    auto *painel = findChild<QToolBar *>(QStringLiteral("Panel1"));
    auto botao = [&](const char *nome, QStyle::StandardPixmap glifo, const QString &dica, QWidget *antes) {
        auto *b = new QToolButton(painel);
        b->setObjectName(QLatin1String(nome));
        b->setAutoRaise(true);
        b->setFixedSize(34, 34);
        b->setToolTip(dica);
        b->setIcon(figuraComEstado(style()->standardIcon(glifo)));
        QAction *posicao = nullptr;
        for (QAction *a : painel->actions())
            if (antes && painel->widgetForAction(a) == antes)
                posicao = a;
        if (posicao)
            painel->insertWidget(posicao, b);
        else
            painel->addWidget(b);
        return b;
    };
    sbNova = botao("sbNova", QStyle::SP_FileIcon, QStringLiteral("Nova Declaração"), sbAbrir);
    sbResp = botao("sbResp", QStyle::SP_DirHomeIcon, QStringLiteral("Dados do Responsável pela Declaração Vorn"),
                   sbImpAnoAnterior);
    sbRelatorio = botao("sbRelatorio", QStyle::SP_FileDialogDetailedView,
                        QStringLiteral("Imprimir Declaração / Protocolo de Transmissão"), sbImpAnoAnterior);
    sbAnalisador = botao("sbAnalisador", QStyle::SP_FileDialogInfoView, QStringLiteral("Analisador"), nullptr);
    sbConsDisq = botao("sbConsDisq", QStyle::SP_DriveFDIcon, QStringLiteral("Consultar  Arquivo do Ano"), nullptr);
    sbTransmite = botao("sbTransmite", QStyle::SP_DriveNetIcon, QStringLiteral("Transmitir Declaração"), nullptr);
    sbPesquisa = botao("sbPesquisa", QStyle::SP_MessageBoxQuestion, QStringLiteral("Pesquisa de Satisfação"), nullptr);
    painel->actions().last()->setVisible(false);
    edTrans = new QLineEdit(this);
    edTrans->setObjectName(QStringLiteral("edTrans"));
    edTrans->setGeometry(0, 0, 1, 1);
    edTrans->setVisible(false);
    // A wizard's success page shows edTrans and leaves the focus there: once the modal windows are gone
    // and the focus reaches it, it hides again and opens the transmission window.
    connect(qApp, &QApplication::focusChanged, this, [this, campo = QPointer<QLineEdit>(edTrans)](QWidget *, QWidget *agora) {
        if (!campo || agora != campo || !campo->isVisible())
            return;
        campo->setVisible(false);
        if (Transmite1->isEnabled())
            QMetaObject::invokeMethod(Transmite1, &QAction::trigger, Qt::QueuedConnection);
    });

    auto item = [&](QMenu *menu, const char *nome, const QString &legenda, int contexto, QAction *antes) {
        auto *a = new QAction(legenda, this);
        a->setObjectName(QLatin1String(nome));
        if (contexto)
            setContextoAjuda(a, contexto);
        menu->insertAction(antes, a);
        return a;
    };
    QMenu *declaracao = findChild<QMenu *>(QStringLiteral("MenuDeclaracao"));
    Nova1 = item(declaracao, "Nova1", QStringLiteral("&Nova..."), 831, Abrir1);
    DadosResponsvel1 = item(declaracao, "DadosResponsvel1", QStringLiteral("&Dados Responsável ..."), 905, Gravardeclarao1);
    Consultardisquetedoano1 = item(declaracao, "Consultardisquetedoano1", QStringLiteral("&Consulta Arquivo do Ano"),
                                   933, Gravarretificaodadeclarao1);
    Transmite1 = item(declaracao, "Transmite1", QStringLiteral("&Transmitir Declaração"), 0, Imprimir1->menuAction());
    ProtocolodeTransmisso1 = item(Imprimir1, "ProtocolodeTransmisso1", QStringLiteral("Protocolo de Transmissão"), 0, nullptr);
    Sair1 = item(declaracao, "Sair1", QStringLiteral("&Sair"), 902, nullptr);
    const QList<QPair<QAction *, int>> contextos{{Abrir1, 903}, {Excluir1, 886}, {Verificar1, 908},
                                                 {Gravardeclarao1, 890}, {Gravarretificaodadeclarao1, 904},
                                                 {Imprimir1->menuAction(), 895}, {Importar1->menuAction(), 898},
                                                 {AnoAnterior, 899}, {AnoAtual, 900}, {Gerarcpia1, 896},
                                                 {Restaurarcpia1, 897}, {IndexarArquivos1, 907}};
    for (const auto &[a, n] : contextos)
        setContextoAjuda(a, n);

    QMenu *utilitarios = findChild<QMenu *>(QStringLiteral("MenuUtilitarios"));
    // The analyser's menu title is its command.
    Analisador2 = new QAction(QStringLiteral("&Analisador"), this);
    Analisador2->setObjectName(QStringLiteral("Analisador2"));
    setContextoAjuda(Analisador2, 906);
    menuBar()->insertAction(utilitarios->menuAction(), Analisador2);
    ParticionarArquivo1 = item(utilitarios, "ParticionarArquivo1", QStringLiteral("&Particionar Arquivo"), 0, nullptr);
    ParticionarArquivo1->setVisible(false);
    MenuItem3 = new QAction(QStringLiteral("&Pesquisa"), this);
    MenuItem3->setObjectName(QStringLiteral("MenuItem3"));
    setContextoAjuda(MenuItem3, 909);
    menuBar()->addAction(MenuItem3);
    MenuItem3->setVisible(false);


    connect(Sair1, &QAction::triggered, this, Protegido([this] { close(); }));

    // The rest of the table: each menu item with its tool button; ControlaBotoes after those that may
    // change the stored declarations.
    conectaComando(Nova1, sbNova, true);
    conectaComando(Abrir1, sbAbrir, true);
    conectaComando(Excluir1, sbExcluir, true);
    conectaComando(Verificar1, sbVerInco, false);
    conectaComando(DadosResponsvel1, sbResp, false);
    conectaComando(Gravardeclarao1, sbGravar, false);
    conectaComando(Consultardisquetedoano1, sbConsDisq, false);
    conectaComando(Gravarretificaodadeclarao1, sbRetif, false);
    conectaComando(Transmite1, sbTransmite, false);
    conectaComando(Declarao1, nullptr, false);
    conectaComando(ProtocolodeTransmisso1, nullptr, false);
    conectaComando(AnoAnterior, sbImpAnoAnterior, true);
    conectaComando(AnoAtual, sbImpAnoAtual, true);
    conectaComando(Analisador2, sbAnalisador, true);
    conectaComando(ParticionarArquivo1, nullptr, false);
    conectaComando(MenuItem3, sbPesquisa, false);
    // The print wizard's button offers the protocol even without a declaration: enabled when its window
    // exists, whatever ControlaBotoes finds.
    const AbreJanela imprime = janelasRegistradas().value(QStringLiteral("sbRelatorio"));
    if (imprime)
        connect(sbRelatorio, &QToolButton::clicked, this, Protegido([this, imprime] { imprime(this); }));
    sbRelatorio->setEnabled(bool(imprime));
}

void TfmGDVORN::conectaComando(QAction *comando, QToolButton *botao, bool controlaBotoes)
{
    const AbreJanela abre = janelasRegistradas().value(comando->objectName());
    comando->setEnabled(bool(abre));
    if (botao)
        botao->setEnabled(bool(abre));
    if (!abre)
        return;
    auto executa = Protegido([this, abre, controlaBotoes] {
        abre(this);
        if (controlaBotoes)
            ControlaBotoes();
    });
    connect(comando, &QAction::triggered, this, executa);
    if (botao)
        connect(botao, &QToolButton::clicked, comando, &QAction::trigger);
}

void TfmGDVORN::Cartela(bool imprime)
{
    if (!dmRaveRelatorios)
        return;
    TRvSystem &sistema = dmRaveRelatorios->RvSystem1;
    if (!sistema.VerificaImpressora(imprime ? TRvSystem::kErroImpossivelImprimir : TRvSystem::kNaoHaImpressoras) &&
        imprime)
        return;
    sistema.Destino = imprime ? DestinoRelatorio::Impressora : DestinoRelatorio::Visualizacao;
    TRvProject &projeto = dmRaveRelatorios->RvProject2;
    projeto.SetParam(QStringLiteral("Versao"), Config.Versao);
    projeto.SetParam(QStringLiteral("AnoBase"), QString::number(Config.AnoBase));
    projeto.SetParam(QStringLiteral("TipoRelatorio"), QStringLiteral("Descrição do arquivo VORN") + QString::number(Config.AnoBase));
    projeto.ExecuteReport(QStringLiteral("Cartela"));
    projeto.Close();
}

void TfmGDVORN::conectaJanela(QAction *comando, bool controlaBotoes)
{
    const AbreJanela abre = janelasRegistradas().value(comando->objectName());
    if (!abre)
        return;
    connect(comando, &QAction::triggered, this, Protegido([this, abre, controlaBotoes] {
                abre(this);
                if (controlaBotoes)
                    ControlaBotoes();
            }));
}

void TfmGDVORN::criaAjuda()
{
    // The help button stands after the other tool buttons; the help menu after the other menus.
    auto *painel = findChild<QToolBar *>(QStringLiteral("Panel1"));
    spHelp = new QToolButton(painel);
    spHelp->setObjectName(QStringLiteral("spHelp"));
    spHelp->setAutoRaise(true);
    spHelp->setFixedSize(34, 34);
    spHelp->setToolTip(QStringLiteral("Ajuda do GDVorn"));
    spHelp->setIcon(figuraComEstado(style()->standardIcon(QStyle::SP_DialogHelpButton)));
    painel->addWidget(spHelp);
    connect(spHelp, &QToolButton::clicked, this, Protegido([] { MostraAjuda(); }));

    QMenu *ajuda = menuBar()->addMenu(QStringLiteral("A&juda"));
    ajuda->setObjectName(QStringLiteral("MenuAjuda"));
    auto item = [&](const char *nome, const QString &legenda, std::function<void()> acao) {
        auto *a = new QAction(legenda, this);
        a->setObjectName(QLatin1String(nome));
        ajuda->addAction(a);
        connect(a, &QAction::triggered, this, Protegido(std::move(acao)));
        return a;
    };
    // F1 is this item's shortcut: over a highlighted menu item it opens that item's topic instead.
    AjudadoGDVorn1 = item("AjudadoGDVorn1", QStringLiteral("&Ajuda do GDVORN"), [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        const int contexto = menu && menu->activeAction() ? ContextoAjuda(menu->activeAction()) : 0;
        if (contexto != 0)
            MostraAjudaContexto(contexto);
        else
            MostraAjuda();
    });
    AjudadoGDVorn1->setShortcut(Qt::Key_F1);
    AjudadoGDVorn1->setShortcutContext(Qt::WindowShortcut);
    Informaesteis1 = item("Informaesteis1", QStringLiteral("&Informações Úteis"), [] {
        if (fmInicioRegras)
            fmInicioRegras->MostraDoMenu();
    });
    DicasdeOperao1 = item("DicasdeOperao1", QStringLiteral("&Como Fazer Para ..."), [] { MostraAjudaContexto(10); });
    // The file layout ("Cartela"), previewed or printed through the report module.
    Emissodacartela1 = ajuda->addMenu(QStringLiteral("&Layout Arquivo VORN"));
    Emissodacartela1->setObjectName(QStringLiteral("Emissodacartela1"));
    Emissodacartela1->setToolTip(QStringLiteral("Emite a especificação do arquivo Vorn98"));
    Emissodacartela1->setToolTipsVisible(true);
    auto itemCartela = [&](const char *nome, const QString &legenda, bool imprime) {
        auto *a = new QAction(legenda, this);
        a->setObjectName(QLatin1String(nome));
        Emissodacartela1->addAction(a);
        connect(a, &QAction::triggered, this, Protegido([this, imprime] { Cartela(imprime); }));
        return a;
    };
    VisualizarCartela1 = itemCartela("VisualizarCartela1", QStringLiteral("&Visualizar Cartela"), false);
    EmitirCartela1 = itemCartela("EmitirCartela1", QStringLiteral("&Emitir Cartela"), true);
    SobreoGDVORN1 = item("SobreoGDVORN1", QStringLiteral("&Sobre o GDVORN"), [this] {
        TfmSobre sobre(this);
        ExecutaModal(sobre);
    });

    // The help topics of the menu items: F1 on a highlighted item opens its topic.
    const QList<QPair<QAction *, int>> contextos{
        {Nova1, 831},      {Abrir1, 903},     {Excluir1, 886},    {Verificar1, 908}, {Gravardeclarao1, 890},
        {Gravarretificaodadeclarao1, 904},     {Imprimir1->menuAction(), 895},
        {Importar1->menuAction(), 898},        {AnoAnterior, 899}, {AnoAtual, 900},
        {Gerarcpia1, 896}, {DicasdeOperao1, 1}};
    for (const auto &[acao, contexto] : contextos)
        setContextoAjuda(acao, contexto);
    for (QMenu *menu : findChildren<QMenu *>())
        menu->installEventFilter(this);
    menuBar()->installEventFilter(this);
}

bool TfmGDVORN::eventFilter(QObject *objeto, QEvent *event)
{
    const bool tecla = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (tecla && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
        // The highlighted item of a menu, or of the menu bar when it is walked with the keys (the analyser's
        // title is a command of its own).
        QAction *destacado = nullptr;
        if (auto *menu = qobject_cast<QMenu *>(objeto))
            destacado = menu->activeAction();
        else if (auto *barra = qobject_cast<QMenuBar *>(objeto); barra && barra->hasFocus())
            destacado = barra->activeAction();
        if (destacado) {
            // Over a highlighted item F1 is the item's own, not the shortcut of "&Ajuda do GDVORN".
            event->accept();
            if (event->type() == QEvent::ShortcutOverride)
                return true;
            const int contexto = ContextoAjuda(destacado);
            Protege([contexto] {
                if (contexto != 0)
                    MostraAjudaContexto(contexto);
                else
                    MostraAjuda();
            });
            return true;
        }
    }
    return QMainWindow::eventFilter(objeto, event);
}

void TfmGDVORN::criaCorpo()
{
    auto *corpo = new QWidget(this);
    corpo->setObjectName(QStringLiteral("Corpo"));
    auto *layout = new QVBoxLayout(corpo);
    layout->addStretch();
    Imagem = new QLabel(corpo);
    Imagem->setObjectName(QStringLiteral("Imagem"));
    Imagem->setPixmap(FiguraPrograma(480, 300));
    Imagem->setAlignment(Qt::AlignCenter);
    layout->addWidget(Imagem);
    URLLabel = new QLabel(corpo);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    URLLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(kEnderecoServico));
    URLLabel->setTextFormat(Qt::RichText);
    URLLabel->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    URLLabel->setCursor(Qt::PointingHandCursor);
    URLLabel->setAlignment(Qt::AlignCenter);
    connect(URLLabel, &QLabel::linkActivated, this,
            [](const QString &endereco) { Protege([&] { AbreLink(endereco); }); });
    layout->addWidget(URLLabel);
    layout->addStretch();
    setCentralWidget(corpo);
}

void TfmGDVORN::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A window brought back by the window system (from minimised) is not shown anew.
    if (!event->spontaneous())
        Protege([this] { FormShow(); });
}

void TfmGDVORN::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Protege([this] { FormActivate(); });
}

void TfmGDVORN::closeEvent(QCloseEvent *event)
{
    // A long operation runs under the window: it ends through its own cancel, never by closing.
    if (Progresso::emExecucao()) {
        event->ignore();
        return;
    }
    Protege([this] { FormClose(); });
    event->accept();
}

void TfmGDVORN::FormShow()
{
    // The money routines format with "," and "." themselves: no separators to set for the program.
    Config.EstabelecimentoExistente = false;
    setWindowTitle(QStringLiteral("GDVorn") + QString::number(Config.AnoBase) +
                   QStringLiteral(" - Gerador de Declaração Vorn [Versão: ") + Config.Versao + QStringLiteral("] ") +
                   Config.SufixoAmbiente());
    if (!dmGDVorn->taMensagem.Active())
        dmGDVorn->taMensagem.Open();
    ControlaBotoes();

    const int anterior = Config.AnoBase - 1;
    sbImpAnoAnterior->setText(legendaImportacao(anterior));
    sbImpAnoAnterior->setToolTip(QStringLiteral("Importar Arquivo Ano-Base ") + QString::number(anterior));
    sbImpAnoAtual->setText(legendaImportacao(Config.AnoBase));
    sbImpAnoAtual->setToolTip(QStringLiteral("Importar Arquivo Ano-Base ") + QString::number(Config.AnoBase));
    AnoAnterior->setText(QStringLiteral("Ano Anterior  ") + QString::number(anterior));
    AnoAtual->setText(QStringLiteral("Ano Atual       ") + QString::number(Config.AnoBase));
}

void TfmGDVORN::FormActivate()
{
    if (Config.PrimeiraAtivacao != QLatin1String("S"))
        return;
    // Cleared first: the information window's own activation must not bring it back.
    Config.PrimeiraAtivacao = QStringLiteral("N");
    // From the message loop, not from inside the activation: a window activated before the loop runs
    // (the start-up sequence) must not hold the start in a modal window the loop's end cannot reach.
    QTimer::singleShot(0, this, Protegido([this] {
        if (fmInicioRegras)
            fmInicioRegras->MostraNoInicio();
        setFocus();
    }));
}

void TfmGDVORN::FormClose()
{
    // Closing the main window ends the message loop; the program's start-up frees the modules after it.
    QCoreApplication::quit();
}

void TfmGDVORN::ControlaBotoes()
{
    Query &q = dmGDVorn->quBd8Emp;
    q.Close();
    q.setSql(QStringList{QStringLiteral("Select CoCgcCeiEstabelecimento from Bd8Emp "),
                         QStringLiteral("where anbase = :AnoBase or anbase = :AnoSeguinte ")});
    q.ParamByName(QStringLiteral("AnoBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), QString::number(Config.AnoBase));
    q.ParamByName(QStringLiteral("AnoSeguinte")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), QString::number(Config.AnoBase + 1));
    q.Open();
    const bool haDeclaracao = !q.IsEmpty();
    // Closed at once: a statement left open would keep every later drop of a work table from running.
    q.Close();
    // Only commands whose window is registered are ever enabled.
    auto conectado = [](const QObject *comando) { return janelasRegistradas().contains(comando->objectName()); };
    const QList<QPair<QToolButton *, QAction *>> pares{
        {sbAbrir, Abrir1}, {sbExcluir, Excluir1}, {sbVerInco, Verificar1}, {sbRetif, Gravarretificaodadeclarao1},
        {sbGravar, Gravardeclarao1}};
    for (const auto &[b, a] : pares)
        b->setEnabled(haDeclaracao && conectado(a));
    for (QAction *a : {Abrir1, Excluir1, Verificar1, Gravardeclarao1, Gravarretificaodadeclarao1, Gerarcpia1,
                       Declarao1})
        a->setEnabled(haDeclaracao && conectado(a));
    Config.SemDeclaracao = haDeclaracao ? 0 : 1;
}

void TfmGDVORN::AbreLink(const QString &endereco) { QDesktopServices::openUrl(QUrl::fromUserInput(endereco)); }

} // namespace gdvorn
