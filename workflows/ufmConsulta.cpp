// The file browser's window, its locate page and the entries of the main window and the transmission window.

#include "workflows/ufmConsulta.h"

#include "app/QtModal.h"
#include "app/QtProgresso.h"
#include "app/base/DialogoArquivo.h"
#include "app/base/Presenter.h"
#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "app/ugEstrutura.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "entry/FormEdits.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmImportacao.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

constexpr int kAjudaConsulta = 933;

} // namespace

// --- pages ---------------------------------------------------------------------------------------------

TPaginaConsulta::TPaginaConsulta(const char *nomeObjeto, const QString &legenda, QSize tamanho)
    : m_legenda(legenda), m_tamanho(tamanho)
{
    setObjectName(QLatin1String(nomeObjeto));
}

TfmConsultaDisquete *TPaginaConsulta::Janela() const
{
    QWidget *w = parentWidget();
    while (w && !qobject_cast<TfmConsultaDisquete *>(w))
        w = w->parentWidget();
    return static_cast<TfmConsultaDisquete *>(w);
}

void TPaginaConsulta::MostraSobre(TPaginaConsulta *pagina) { Janela()->Mostra(pagina, this); }

void TPaginaConsulta::Voltar()
{
    if (m_origem)
        Janela()->Mostra(m_origem, m_origem->m_origem);
}

void TPaginaConsulta::Fechar()
{
    Configuracao().IdTransmissao = SemIdentificacaoTransmissao;
    Janela()->done(QDialog::Accepted);
}

QPushButton *TPaginaConsulta::criaBotao(const char *nome, const QString &legenda, std::function<void()> acao)
{
    auto *b = new QPushButton(legenda, this);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, Protegido(std::move(acao)));
    return b;
}

void TPaginaConsulta::Preenche(const QMap<QString, QString> &textos)
{
    for (auto it = textos.begin(); it != textos.end(); ++it) {
        QWidget *w = findChild<QWidget *>(it.key());
        const bool sim = it.value() == QLatin1String("1");
        if (auto *m = qobject_cast<MaskEdit *>(w))
            m->mostraArmazenado(it.value());
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(it.value());
        else if (auto *l = qobject_cast<QLabel *>(w))
            l->setText(it.value());
        else if (auto *r = qobject_cast<QRadioButton *>(w)) {
            r->setChecked(sim);
            if (auto *nao = findChild<QRadioButton *>(it.key().chopped(3) + QStringLiteral("Nao")))
                nao->setChecked(!sim);
        } else if (auto *c = qobject_cast<QCheckBox *>(w))
            c->setChecked(sim);
        else if (auto *b = qobject_cast<QPushButton *>(w))
            b->setEnabled(sim);
    }
}

bool HaLinha(const QTreeView *grade, int passo)
{
    const QModelIndex atual = grade->currentIndex();
    const int linha = atual.row() + passo;
    return atual.isValid() && linha >= 0 && linha < grade->model()->rowCount();
}

bool MoveLinha(QTreeView *grade, int passo)
{
    if (!HaLinha(grade, passo))
        return false;
    grade->setCurrentIndex(grade->model()->index(grade->currentIndex().row() + passo, 0));
    return true;
}

// --- the locate page -----------------------------------------------------------------------------------

TPaginaLocalizar::TPaginaLocalizar()
    : TPaginaConsulta("paLocalizar", QStringLiteral("Consulta Arquivo do Ano-Base"), QSize(650, 350))
{
    paConsDisquete = new QWidget(this);
    paConsDisquete->setObjectName(QStringLiteral("paConsDisquete"));
    auto *l = new QVBoxLayout(paConsDisquete);
    l->setContentsMargins(0, 0, 0, 0);
    meDicas = TPaginaGravacao::TextoFixo(
        paConsDisquete, "meDicas",
        QStringLiteral("Essa opção do sistema permite visualizar os dados dos estabelecimentos e seus \n"
                       "empregados/servidores que estão gravados na declaração do arquivo.\n"
                       "Digite o nome do arquivo a ser consultado ou clique no botão <Localizar> para \n"
                       "selecionar o arquivo."));
    meDicas->setMinimumHeight(meDicas->fontMetrics().lineSpacing() * 4 + 14);
    l->addWidget(meDicas);
    auto *rotulo = new QLabel(QStringLiteral("&Arquivo:"), paConsDisquete);
    l->addWidget(rotulo);
    l->addLayout(LinhaArquivo(paConsDisquete, rotulo, edArquivo, bbLocalizar, "edArquivo", "bbLocalizar"));
    laStatus = new QLabel(QStringLiteral("Verificando arquivo ..."), paConsDisquete);
    laStatus->setObjectName(QStringLiteral("laStatus"));
    laStatus->hide();
    l->addWidget(laStatus);
    prCarregarArq = new QProgressBar(paConsDisquete);
    prCarregarArq->setObjectName(QStringLiteral("prCarregarArq"));
    prCarregarArq->hide();
    l->addWidget(prCarregarArq);
    l->addStretch();

    paRelatorio = new QWidget(this);
    paRelatorio->setObjectName(QStringLiteral("paRelatorio"));
    auto *r = new QVBoxLayout(paRelatorio);
    r->setContentsMargins(0, 0, 0, 0);
    auto *texto = new QLabel(QStringLiteral("O arquivo  não poderá ser consultado, não está de acordo \n"
                                            "com a  especificação do arquivo para o ano-base."),
                             paRelatorio);
    texto->setObjectName(QStringLiteral("laErro"));
    r->addWidget(texto);
    bbVisualizar = new QPushButton(QStringLiteral("Visualizar &Erros"), paRelatorio);
    bbVisualizar->setObjectName(QStringLiteral("bbVisualizar"));
    bbVisualizar->setAutoDefault(false);
    auto *lv = new QHBoxLayout;
    lv->addWidget(bbVisualizar);
    lv->addStretch();
    r->addLayout(lv);
    r->addStretch();
    paRelatorio->hide();

    bbVoltar = new QPushButton(QStringLiteral("&Voltar"), this);
    bbVoltar->setObjectName(QStringLiteral("bbVoltar"));
    bbVoltar->setAutoDefault(false);
    bbVoltar->hide();
    bbCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancelar->setObjectName(QStringLiteral("bbCancelar"));
    bbCancelar->setAutoDefault(false);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bbVoltar);
    botoes->addWidget(bbCancelar);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(paConsDisquete, 1);
    corpo->addWidget(paRelatorio, 1);
    corpo->addLayout(botoes);
    setTabOrder(edArquivo, bbLocalizar);
    setTabOrder(bbLocalizar, bbVisualizar);
    setTabOrder(bbVisualizar, bbVoltar);
    setTabOrder(bbVoltar, bbCancelar);
    edArquivo->installEventFilter(this);
}

bool TPaginaLocalizar::eventFilter(QObject *objeto, QEvent *event)
{
    // Leaving the name by the keyboard or the mouse checks it, once the focus has reached its new control
    // (the pending messages run first); a box or another window taking the focus does not.
    if (objeto == edArquivo && event->type() == QEvent::FocusOut) {
        const auto razao = static_cast<QFocusEvent *>(event)->reason();
        if (razao != Qt::ActiveWindowFocusReason && razao != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, Protegido([this] {
                                   if (TfmConsultaDisquete *j = Janela())
                                       j->edArquivoExit();
                               }));
    }
    return TPaginaConsulta::eventFilter(objeto, event);
}

// --- the window ----------------------------------------------------------------------------------------

TfmConsultaDisquete::TfmConsultaDisquete(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_analisador(std::make_unique<TAnaliseEstrutura>())
{
    setObjectName(QStringLiteral("fmConsultaDisquete"));
    setContextoAjuda(this, kAjudaConsulta);
    m_paginas = new QStackedWidget(this);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_paginas);
    Localizar = new TPaginaLocalizar;
    m_paginas->addWidget(Localizar);
    Mostra(Localizar, nullptr);
    Localizar->edArquivo->setFocus();

    connect(Localizar->bbLocalizar, &QPushButton::clicked, this, Protegido([this] { LocalizarClick(); }));
    connect(Localizar->bbCancelar, &QPushButton::clicked, this, Protegido([this] { CancelarClick(); }));
    connect(Localizar->bbVoltar, &QPushButton::clicked, this, Protegido([this] { VoltarClick(); }));
    connect(Localizar->bbVisualizar, &QPushButton::clicked, this, Protegido([this] { VisualizarClick(); }));
}

TfmConsultaDisquete::~TfmConsultaDisquete() = default;

TPaginaConsulta *TfmConsultaDisquete::PaginaAtual() const
{
    return static_cast<TPaginaConsulta *>(m_paginas->currentWidget());
}

void TfmConsultaDisquete::Mostra(TPaginaConsulta *pagina, TPaginaConsulta *origem)
{
    pagina->m_origem = origem;
    const bool outra = m_mostrada != pagina;
    m_mostrada = pagina;
    m_paginas->setCurrentWidget(pagina);
    setWindowTitle(pagina->Legenda());
    if (outra) {
        // The page's own size, within the screen, centred.
        const QRect tela = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize tamanho = pagina->Tamanho().expandedTo(pagina->sizeHint()).boundedTo(tela.size() - QSize(16, 40));
        resize(tamanho);
        if (isVisible())
            move(tela.center() - QPoint(width() / 2, frameGeometry().height() / 2));
    }
    if (pagina->m_padrao)
        pagina->m_padrao->setDefault(true);
    pagina->aoMostrar();
}

void TfmConsultaDisquete::keyPressEvent(QKeyEvent *event)
{
    const auto abreLinha = [this](QWidget *foco) {
        return qobject_cast<QAbstractItemView *>(foco) && PaginaAtual()->abreLinha();
    };
    if (!TeclaDaPagina(this, event, [this] { focusNextChild(); }, abreLinha))
        QDialog::keyPressEvent(event);
}

void TfmConsultaDisquete::reject()
{
    // Esc: the shown page's cancel button; the window has no other way out.
    if (QPushButton *b = PaginaAtual()->BotaoCancelar(); b && b->isVisible() && b->isEnabled())
        b->click();
}

void TfmConsultaDisquete::LocalizarClick()
{
    if (LocalizaArquivo(this, Localizar->edArquivo, QString(), QString()))
        VerificaArquivo(Localizar->edArquivo->text());
}

void TfmConsultaDisquete::edArquivoExit()
{
    TPaginaLocalizar &p = *Localizar;
    QWidget *foco = QApplication::focusWidget();
    // Nothing either while the file dialog (or a box) is open over the window: what it answers decides.
    QWidget *modal = QApplication::activeModalWidget();
    if (VerificandoArquivo || PaginaAtual() != Localizar || !p.paConsDisquete->isVisible() || foco == p.edArquivo ||
        foco == p.bbCancelar || (modal && modal != this))
        return;
    const QString nome = p.edArquivo->text().trimmed();
    if (nome.isEmpty())
        return;
    if (!QFileInfo(nome).isFile()) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("O arquivo especificado não existe.\rVerifique o caminho e o nome do arquivo."),
                         {MessageButton::Ok});
        p.edArquivo->setFocus();
        return;
    }
    VerificaArquivo(nome);
}

void TfmConsultaDisquete::VerificaArquivo(const QString &nome)
{
    TPaginaLocalizar &p = *Localizar;
    p.bbLocalizar->setEnabled(false);
    p.prCarregarArq->setValue(0);
    p.prCarregarArq->show();
    p.laStatus->show();
    repaint();
    struct Encerra {
        TPaginaLocalizar &p;
        ~Encerra()
        {
            p.laStatus->hide();
            p.prCarregarArq->setValue(0);
        }
    } encerra{p};
    quint8 resultado = AnaliseNaoRealizada;
    {
        MarcaEnquanto verificando(VerificandoArquivo);
        QtProgresso progresso(p.prCarregarArq);
        int estabelecimentos = 0, vinculos = 0;
        resultado = m_analisador->AnalisaArquivo(nome, Configuracao().AnoBase, false, estabelecimentos, vinculos,
                                                 dmGDVorn->DatabaseDirectory(), &progresso);
    }
    if (resultado & AnaliseInterrompida || resultado == AnaliseNaoRealizada) {
        // Nothing was loaded: the work tables are not this file's.
        MostraLocalizar();
        return;
    }
    if (resultado & AnaliseComOcorrencia) {
        MostraErros();
        return;
    }
    Configuracao().IdTransmissao = IdentificacaoTransmissao(nome);
    p.prCarregarArq->hide();
    AbreResumo();
}

void TfmConsultaDisquete::MostraLocalizar()
{
    TPaginaLocalizar &p = *Localizar;
    p.bbLocalizar->setEnabled(true);
    p.bbVoltar->hide();
    p.paConsDisquete->show();
    p.paRelatorio->hide();
    p.prCarregarArq->hide();
    p.edArquivo->setFocus();
}

void TfmConsultaDisquete::MostraErros()
{
    TPaginaLocalizar &p = *Localizar;
    p.paRelatorio->show();
    p.paConsDisquete->hide();
    p.bbVoltar->show();
    p.bbVisualizar->setFocus();
}

void TfmConsultaDisquete::AbreResumo()
{
    if (!fmConsulta01) {
        for (TPaginaConsulta *pagina : std::initializer_list<TPaginaConsulta *>{
                 fmConsulta01 = new TfmConsulta01, fmConsulta02 = new TfmConsulta02, fmConsulta03 = new TfmConsulta03,
                 fmConsulta04 = new TfmConsulta04, fmConsulta05 = new TfmConsulta05})
            m_paginas->addWidget(pagina);
    }
    Mostra(fmConsulta01, nullptr);
}

void TfmConsultaDisquete::AbreAposTransmissao()
{
    if (Configuracao().ConsultaAposTransmite) {
        Configuracao().ConsultaAposTransmite = false;
        MostraErros();
        Localizar->bbVoltar->hide();
        return;
    }
    AbreResumo();
}

void TfmConsultaDisquete::CancelarClick()
{
    Configuracao().IdTransmissao = SemIdentificacaoTransmissao;
    if (VerificandoArquivo) {
        m_analisador->Interrompe();
        return;
    }
    done(QDialog::Rejected);
}

void TfmConsultaDisquete::VoltarClick()
{
    TPaginaLocalizar &p = *Localizar;
    p.bbVoltar->hide();
    p.paConsDisquete->show();
    p.paRelatorio->hide();
    p.bbLocalizar->setEnabled(true);
    p.prCarregarArq->hide();
    p.edArquivo->clear();
    p.edArquivo->setFocus();
}

void TfmConsultaDisquete::VisualizarClick()
{
    VisualizaRelatorioErros(Localizar->bbVisualizar, QStringLiteral("rptErrosEstrutura"),
                            QString::number(Configuracao().AnoBase), TRvSystem::kImpossivelImprimir);
    dmRaveRelatorios->rvprjErro.Close();
}

// --- entries -------------------------------------------------------------------------------------------

void AbreConsulta(QWidget *pai)
{
    TfmConsultaDisquete janela(pai);
    ExecutaModal(janela);
}

void ConsultaAposTransmite(QWidget *pai, bool comErros)
{
    Configuracao().ConsultaAposTransmite = comErros;
    TfmConsultaDisquete janela(pai);
    janela.AbreAposTransmissao();
    ExecutaModal(janela);
}

void RegistraConsulta()
{
    RegistraJanela(QStringLiteral("Consultardisquetedoano1"), [](QWidget *pai) { AbreConsulta(pai); });
}

} // namespace gdvorn
