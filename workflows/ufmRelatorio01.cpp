// The print wizard's selection page: the establishments, the links of one of them ("Parcial") and the
// preview of the declaration report over the ticked keys.

#include "workflows/ufmRelatorio.h"

#include "app/base/Presenter.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmListas.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "entry/ufmAssistentesVinculos.h"
#include "workflows/ugConsulta.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

constexpr int kAjudaImpressao = 895;

QRadioButton *Opcao(QWidget *pai, const char *nome, const QString &legenda)
{
    auto *b = new QRadioButton(legenda, pai);
    b->setObjectName(QLatin1String(nome));
    return b;
}

void Preenche(TListaMarcada *lista, const QList<ItemRelatorio> &itens)
{
    lista->setUpdatesEnabled(false);
    lista->clear();
    for (const ItemRelatorio &i : itens) {
        auto *item = new QListWidgetItem(i.Texto, lista);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, i.Chave);
    }
    // The lines are of one height and one pitch: the first line's size, as wide as the longest, sets
    // how far the list scrolls sideways.
    if (QListWidgetItem *primeiro = lista->item(0)) {
        const QFontMetrics medidas(lista->font());
        const int largura = medidas.horizontalAdvance(QString(LarguraMaiorItem(lista), QLatin1Char('M'))) +
                            lista->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 16;
        primeiro->setSizeHint(QSize(largura, lista->sizeHintForRow(0)));
    }
    lista->setUpdatesEnabled(true);
}

QList<QStringList> Marcados(const TListaMarcada *lista)
{
    QList<QStringList> r;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked)
            r << lista->item(i)->data(Qt::UserRole).toStringList();
    return r;
}

// A box of the program's own title, as the system shows a plain message.
void Mensagem(const QString &texto)
{
    presenter().show(MessageKind::Information, texto, {MessageButton::Ok}, QStringLiteral("GDVORN"), MessageButton::Ok);
}

} // namespace

TfmRelatorio01::TfmRelatorio01() : TPaginaGravacao("fmRelatorio01", kAjudaImpressao)
{
    auto *rotuloEmpresas = new QLabel(QStringLiteral("Selecione as empresas que você deseja imprimir"), this);
    clbEmpresas = ListaVinculosMarcada(this, "clbEmpresas");
    rotuloEmpresas->setBuddy(clbEmpresas);
    auto *rotuloEmpregados = new QLabel(QStringLiteral("Selecione os empregados/servidores"), this);
    clbEmpregados = ListaVinculosMarcada(this, "clbEmpregados");
    rotuloEmpregados->setBuddy(clbEmpregados);
    Corpo->addWidget(rotuloEmpresas);
    Corpo->addWidget(clbEmpresas, 2);
    Corpo->addWidget(rotuloEmpregados);
    Corpo->addWidget(clbEmpregados, 3);

    rbImprimTotal = Opcao(this, "rbImprimTotal", QStringLiteral("Total"));
    rbImprimParcial = Opcao(this, "rbImprimParcial", QStringLiteral("Parcial"));
    auto *gbImpressao = new QGroupBox(QStringLiteral("Impressão"), this);
    gbImpressao->setObjectName(QStringLiteral("gbImpressao"));
    auto *li = new QHBoxLayout(gbImpressao);
    rbImprimTotal->setParent(gbImpressao);
    rbImprimParcial->setParent(gbImpressao);
    li->addWidget(rbImprimTotal);
    li->addWidget(rbImprimParcial);
    rbSelecaoLimpar = Opcao(this, "rbSelecaoLimpar", QStringLiteral("Limpar"));
    rbSelecaoTodos = Opcao(this, "rbSelecaoTodos", QStringLiteral("Marcar todos empregados/servidores"));
    auto *gbSelecao = new QGroupBox(QStringLiteral("Seleção  "), this);
    gbSelecao->setObjectName(QStringLiteral("gbSelecao"));
    auto *ls = new QHBoxLayout(gbSelecao);
    rbSelecaoLimpar->setParent(gbSelecao);
    rbSelecaoTodos->setParent(gbSelecao);
    ls->addWidget(rbSelecaoLimpar);
    ls->addWidget(rbSelecaoTodos);
    auto *grupos = new QHBoxLayout;
    grupos->addWidget(gbImpressao);
    grupos->addWidget(gbSelecao, 1);
    Corpo->addLayout(grupos);
    rbImprimTotal->setChecked(true);

    bbVisualizar = criaBotao("bbVisualizar", QStringLiteral("Visualizar &Relatório"), [this] { bbVisualizarClick(); });
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("< &Voltar"), [this] { Avanca(Anterior); });
    bbCancelar = criaBotao("bbCancelar", QStringLiteral("&Cancelar"), [this] { aoCancelar(); });

    connect(clbEmpresas, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { Protege([this, item] { clbEmpresasClick(item); }); });
    clbEmpresas->installEventFilter(this);
    connect(rbImprimTotal, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            clbEmpregados->clear();
    });
    connect(rbImprimParcial, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            Protege([this] { rbImprimParcialClick(); });
    });
    connect(rbSelecaoTodos, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            clbEmpregados->marcaTodos(true);
    });
    connect(rbSelecaoLimpar, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            clbEmpregados->marcaTodos(false);
    });
}

void TfmRelatorio01::aoMostrar()
{
    Assistente()->setWindowTitle(QStringLiteral("Assistente para Imprimir Declaração"));
    clbEmpregados->clear();
    Preenche(clbEmpresas, EstabelecimentosRelatorio(TabelaEmpresa, AnoRelatorio));
    bbVisualizar->setFocus();
}

void TfmRelatorio01::aoCancelar()
{
    Configuracao().IdTransmissao = QStringLiteral(" ");
    Configuracao().ProtocoloPeloAssistente = 0;
    Assistente()->fecha();
}

bool TfmRelatorio01::eventFilter(QObject *objeto, QEvent *event)
{
    // Enter and Space toggle the current establishment as a click does, and run the click's rule.
    if (objeto == clbEmpresas && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space) {
            if (QListWidgetItem *item = clbEmpresas->currentItem()) {
                clbEmpresas->alterna(item);
                Protege([this, item] { clbEmpresasClick(item); });
            }
            return true;
        }
    }
    return TPaginaGravacao::eventFilter(objeto, event);
}

void TfmRelatorio01::clbEmpresasClick(QListWidgetItem *item)
{
    if (!item)
        return;
    EstabelecimentoClicado = item->data(Qt::UserRole).toStringList();
    if (!rbImprimParcial->isChecked())
        return;
    if (item->checkState() == Qt::Checked)
        for (int i = 0; i < clbEmpresas->count(); ++i)
            if (clbEmpresas->item(i) != item)
                clbEmpresas->item(i)->setCheckState(Qt::Unchecked);
    CarregaEmpregados(EstabelecimentoClicado);
}

void TfmRelatorio01::CarregaEmpregados(const QStringList &estabelecimento)
{
    bool demais = false;
    Preenche(clbEmpregados, EmpregadosRelatorio(TabelaVinculo, estabelecimento, Ordem, MaximoEmpregados, demais));
    if (demais)
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\n"
                                        "devido a quantidade de empregados cadastrados."),
                         {MessageButton::Ok});
}

void TfmRelatorio01::rbImprimParcialClick()
{
    const int marcados = clbEmpresas->marcados();
    if (marcados >= 2) {
        Mensagem(QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."));
        rbImprimTotal->setChecked(true);
        return;
    }
    if (marcados == 1)
        for (int i = 0; i < clbEmpresas->count(); ++i)
            if (clbEmpresas->item(i)->checkState() == Qt::Checked)
                clbEmpresas->setCurrentRow(i);
    if (QListWidgetItem *atual = clbEmpresas->currentItem()) {
        clbEmpresasClick(atual);
        atual->setCheckState(Qt::Checked);
    }
    clbEmpregados->setFocus();
    clbEmpregados->marcaTodos(false);
}

void TfmRelatorio01::bbVisualizarClick()
{
    const QList<QStringList> estabelecimentos = Marcados(clbEmpresas);
    if (estabelecimentos.isEmpty()) {
        Mensagem(QStringLiteral("É necessário selecionar uma empresa antes de imprimir"));
        return;
    }
    const bool parcial = rbImprimParcial->isChecked();
    const QList<QStringList> vinculos = parcial ? Marcados(clbEmpregados) : QList<QStringList>();
    if (parcial && vinculos.isEmpty()) {
        Mensagem(QStringLiteral("É necessário selecionar um empregado antes de imprimir"));
        return;
    }
    bbVisualizar->setEnabled(false);
    struct Reativa {
        QPushButton *b;
        ~Reativa() { b->setEnabled(true); }
    } reativa{bbVisualizar};
    TdmRaveRelatorios &m = *dmRaveRelatorios;
    MontaConsultaRelatorio(m.qrConsulta, TabelaResponsavel, TabelaEmpresa, TabelaVinculo, AnoRelatorio, Ordem,
                           estabelecimentos, vinculos, parcial, m.Conexao());
    m.RvSystem1.VerificaImpressora();
    m.RvSystem1.Destino = DestinoRelatorio::Visualizacao;
    const TConfiguracao &c = Configuracao();
    m.RvProject2.SetParam(QStringLiteral("Versao"), c.Versao);
    m.RvProject2.SetParam(QStringLiteral("AnoBase"), QString::number(c.AnoBase));
    m.RvProject2.SetParam(QStringLiteral("Classificacao"), OrdemRelatorio);
    m.RvProject2.SetParam(QStringLiteral("TipoRelatorio"), TituloRelatorio);
    m.RvProject2.SetParam(QStringLiteral("CoCrea"), c.IdTransmissao);
    m.RvProject2.ExecuteReport(ImprimeCompleto ? QStringLiteral("RelatorioCompleto") : QStringLiteral("RelatorioResumido"));
    m.RvProject2.Close();
}

} // namespace gdvorn
