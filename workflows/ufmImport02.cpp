// The import wizard's page 02: the loaded file's establishments to choose, and the copy.

#include "workflows/ufmImportacao.h"

#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugListas.h"
#include "app/ugMensagens.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gdvorn {

TfmImport02::TfmImport02(TfmImport03 *fim) : TPaginaImportacao("fmImport02"), m_fim(fim)
{
    PMarca = new QWidget(this);
    PMarca->setObjectName(QStringLiteral("PMarca"));
    auto *m = new QVBoxLayout(PMarca);
    m->setContentsMargins(0, 0, 0, 0);
    StatusArquivoP = new QLabel(PMarca);
    StatusArquivoP->setObjectName(QStringLiteral("StatusArquivoP"));
    StatusArquivoP->setFrameShape(QFrame::Panel);
    StatusArquivoP->setFrameShadow(QFrame::Sunken);
    m->addWidget(StatusArquivoP);
    QPlainTextEdit *memo = Memo("Memo1", {QStringLiteral("Selecione as empresas que você deseja importar e "),
                                          QStringLiteral("clique no botão <Concluir>:")});
    memo->setParent(PMarca);
    memo->setMaximumHeight(memo->fontMetrics().lineSpacing() * 3);
    m->addWidget(memo);
    LEmpresas = ListaVinculosMarcada(PMarca, "LEmpresas");
    m->addWidget(LEmpresas, 1);
    auto *opcoes = new QGroupBox(QStringLiteral("Opções"), PMarca);
    opcoes->setObjectName(QStringLiteral("GroupBox1"));
    auto *o = new QHBoxLayout(opcoes);
    SelecAllRButton = new QRadioButton(QStringLiteral("Selecionar Todos"), opcoes);
    SelecAllRButton->setObjectName(QStringLiteral("SelecAllRButton"));
    LimparAllRButton = new QRadioButton(QStringLiteral("Limpar Todos"), opcoes);
    LimparAllRButton->setObjectName(QStringLiteral("LimparAllRButton"));
    o->addWidget(SelecAllRButton);
    o->addWidget(LimparAllRButton);
    o->addStretch();
    m->addWidget(opcoes);
    Corpo->addWidget(PMarca, 1);

    PImporta = new QWidget(this);
    PImporta->setObjectName(QStringLiteral("PImporta"));
    auto *i = new QVBoxLayout(PImporta);
    i->addStretch();
    i->addWidget(new QLabel(QStringLiteral("Importando Declaração Vorn"), PImporta));
    Gauge = new QProgressBar(PImporta);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    i->addWidget(Gauge);
    i->addStretch();
    PImporta->setVisible(false);
    Corpo->addWidget(PImporta, 1);
    m_execucao = ExecucaoComBarra(Gauge);

    BtConcluir = criaBotao("BtConcluir", QStringLiteral("C&oncluir"), [this] { Concluir(); });
    BtCancelar = criaBotao("BtCancelar", QStringLiteral("&Cancelar"), [this] { aoCancelar(); });

    connect(SelecAllRButton, &QRadioButton::clicked, this, Protegido([this] { SelecionaTodasAsLinhas(); }));
    connect(LimparAllRButton, &QRadioButton::clicked, this, Protegido([this] { LEmpresas->marcaTodos(false); }));
    connect(LEmpresas, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { Protege([this, item] { LinhaAlterada(item); }); });
}

void TfmImport02::aoMostrar()
{
    PImporta->setVisible(false);
    PMarca->setVisible(false);
    BtConcluir->setEnabled(true);
    LEmpresas->clear();
    DesmarcaOpcoes();

    const CabecalhoImportado cabecalho = LeCabecalho ? LeCabecalhoImportado() : CabecalhoImportado{};
    m_parametros.AnoImportacao = AnoImportacao;
    m_parametros.LayoutAnterior = LayoutAnterior;
    const int anoBase = Configuracao().AnoBase;
    if (AnoImportacao == anoBase)
        StatusArquivoP->setText(cabecalho.Retificacao ? QStringLiteral("Informações referentes à declaração de retificação")
                                                      : QStringLiteral("Informações referentes ao ano ") + QString::number(anoBase));
    else
        StatusArquivoP->setText(QStringLiteral("Informações referentes ao ano ") + QString::number(anoBase - 1));

    {
        const QSignalBlocker bloqueio(LEmpresas);
        for (const EstabelecimentoImportavel &e : EstabelecimentosImportaveis(m_parametros)) {
            auto *item = new QListWidgetItem(e.Linha, LEmpresas);
            item->setCheckState(Qt::Unchecked);
            item->setData(Qt::UserRole, QStringList{e.Chave.AnBase, e.Chave.Inscricao, e.Chave.Prefixo});
        }
    }
    PMarca->setVisible(true);
    BtConcluir->setFocus();
    if (LEmpresas->count() > 0)
        LEmpresas->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    if (SelecionaTodos) {
        SelecAllRButton->setChecked(true);
        SelecionaTodasAsLinhas();
    }
}

void TfmImport02::aoCancelar()
{
    if (m_execucao.emCurso())
        m_execucao.cancela();
    else
        Assistente()->fecha();
}

void TfmImport02::DesmarcaOpcoes()
{
    for (QRadioButton *r : {SelecAllRButton, LimparAllRButton}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

void TfmImport02::LinhaAlterada(QListWidgetItem *item)
{
    if (m_marcandoTodos)
        return;
    DesmarcaOpcoes();
    if (item->checkState() != Qt::Checked || PrefixoDaLinhaValido(item->text()))
        return;
    presenter().show(MessageKind::Error, QStringLiteral("Este estabelecimento não poderá ser importado. Verifique Prefixo."),
                     {MessageButton::Ok});
    const QSignalBlocker bloqueio(LEmpresas);
    item->setCheckState(Qt::Unchecked);
}

void TfmImport02::SelecionaTodasAsLinhas()
{
    m_marcandoTodos = true;
    struct Fim {
        bool &f;
        ~Fim() { f = false; }
    } fim{m_marcandoTodos};
    for (int i = 0; i < LEmpresas->count(); ++i) {
        QListWidgetItem *item = LEmpresas->item(i);
        if (!PrefixoDaLinhaValido(item->text())) {
            presenter().show(MessageKind::Error, QStringLiteral("Prefixo Inválido. Estabelecimento não poderá ser importado."),
                             {MessageButton::Ok});
            item->setCheckState(Qt::Unchecked);
            LEmpresas->setCurrentRow(i);
            return;
        }
        item->setCheckState(Qt::Checked);
    }
}

void TfmImport02::Concluir()
{
    QList<ChaveEstabelecimento> escolhidos;
    for (int i = 0; i < LEmpresas->count(); ++i) {
        const QListWidgetItem *item = LEmpresas->item(i);
        if (item->checkState() != Qt::Checked)
            continue;
        const QStringList chave = item->data(Qt::UserRole).toStringList();
        escolhidos << ChaveEstabelecimento{chave.value(0), chave.value(1), chave.value(2)};
    }
    if (escolhidos.isEmpty()) {
        MostraMensagem(QStringLiteral("1301"));
        return;
    }
    PMarca->setVisible(false);
    Gauge->setValue(0);
    BtConcluir->setEnabled(false);
    PImporta->setVisible(true);
    repaint();
    const int linhas = LEmpresas->count();
    const std::optional<int> r = m_execucao.executa([&](Progresso &progresso) -> std::optional<int> {
        return int(ImportaEstabelecimentos(escolhidos, m_parametros, linhas, progresso));
    });
    if (r == int(ResultadoImportacao::Concluida)) {
        m_fim->AnoImportacao = AnoImportacao;
        Assistente()->mostra(m_fim);
        return;
    }
    // Stopped: everything rolled back, the ticks as they were.
    PImporta->setVisible(false);
    PMarca->setVisible(true);
    BtConcluir->setEnabled(true);
    BtConcluir->setFocus();
}

} // namespace gdvorn
