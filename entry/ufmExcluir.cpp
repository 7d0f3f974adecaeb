#include "entry/ufmExcluir.h"

#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/ugExcecao.h"
#include "entry/FormEdits.h"
#include "entry/ugExcluiEstab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

TfmExcluir::TfmExcluir(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fmExcluir"));
    setWindowTitle(QStringLiteral("Exclusão de Estabelecimento"));
    auto leitura = [&](const char *nome) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    paAnoBase = new QLabel(this);
    paAnoBase->setObjectName(QStringLiteral("paAnoBase"));
    pbTipoVorn = new QLabel(this);
    pbTipoVorn->setObjectName(QStringLiteral("pbTipoVorn"));
    mdInscricao = new MaskEdit(this);
    mdInscricao->setObjectName(QStringLiteral("mdInscricao"));
    mdInscricao->setReadOnly(true);
    mdInscricao->setFocusPolicy(Qt::NoFocus);
    edTipoCGCCEI = leitura("edTipoCGCCEI");
    edPrefixo = leitura("edPrefixo");
    edCgcVinculado = leitura("edCgcVinculado");
    edTotalEmpregados = leitura("edTotalEmpregados");
    edRazaoSocial = leitura("edRazaoSocial");
    edUsoEmpresa = leitura("edUsoEmpresa");
    BarraDeProgress = new QProgressBar(this);
    BarraDeProgress->setObjectName(QStringLiteral("BarraDeProgress"));
    BarraDeProgress->hide();
    bbExcluir = new QPushButton(QStringLiteral("&Excluir"), this);
    bbExcluir->setObjectName(QStringLiteral("bbExcluir"));
    sbCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    sbCancelar->setObjectName(QStringLiteral("sbCancelar"));

    auto *botoes = new QVBoxLayout;
    botoes->addWidget(bbExcluir);
    botoes->addWidget(sbCancelar);
    botoes->addStretch();
    auto *dados = new QFormLayout;
    auto *topo = new QHBoxLayout;
    topo->addWidget(paAnoBase);
    topo->addWidget(pbTipoVorn);
    dados->addRow(topo);
    auto *insc = new QHBoxLayout;
    insc->addWidget(mdInscricao, 1);
    insc->addWidget(edTipoCGCCEI);
    dados->addRow(QStringLiteral("Inscrição CNPJ/CEI"), insc);
    dados->addRow(QStringLiteral("Prefixo"), edPrefixo);
    dados->addRow(QStringLiteral("CEI Vinculado"), edCgcVinculado);
    dados->addRow(QStringLiteral("Total de Empregados/Servidores"), edTotalEmpregados);
    auto *razao = new QGroupBox(QStringLiteral("Razão Social "), this);
    (new QVBoxLayout(razao))->addWidget(edRazaoSocial);
    dados->addRow(razao);
    dados->addRow(QStringLiteral("Para Uso da Empresa"), edUsoEmpresa);
    dados->addRow(BarraDeProgress);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(botoes);
    layout->addLayout(dados, 1);
    resize(639, 217);

    connect(bbExcluir, &QPushButton::clicked, this, Protegido([this] { bbExcluirClick(); }));
    connect(sbCancelar, &QPushButton::clicked, this, [this] { reject(); });
}

void TfmExcluir::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_excluiu = false;
    Protege([this] { MostraEstabelecimento(); });
}

void TfmExcluir::hideEvent(QHideEvent *event)
{
    BarraDeProgress->hide();
    QDialog::hideEvent(event);
}

void TfmExcluir::MostraEstabelecimento()
{
    const DadosExclusao d = gdvorn::MostraEstabelecimento(ChaveEstabelecimento{AnoExclusao, InscricaoExclusao, PrefixoExclusao});
    // A row that is gone leaves the boxes filled from it as they were.
    if (d.encontrado) {
        edCgcVinculado->setText(d.CeiVinculado);
        edTotalEmpregados->setText(d.TotalEmpregados);
        edRazaoSocial->setText(d.RazaoSocial);
        edUsoEmpresa->setText(d.UsoEmpresa);
        pbTipoVorn->setText(d.TipoVorn);
    }
    edPrefixo->setText(PrefixoExclusao);
    paAnoBase->setText(d.AnoBase);
    mdInscricao->setMascara(d.Mascara);
    mdInscricao->mostraArmazenado(d.Inscricao);
    edTipoCGCCEI->setText(d.TipoInscricao);
    bbExcluir->setFocus();
}

void TfmExcluir::bbExcluirClick()
{
    const QString texto = QStringLiteral("A exclusão remove da base do sistema todas as informações\r"
                                         "referentes ao estabelecimento e seus empregados, se houver.\r"
                                         "Você tem certeza que deseja excluir ?");
    if (presenter().show(MessageKind::Confirmation, texto, {MessageButton::Yes, MessageButton::No},
                         QStringLiteral("Confirmação"), MessageButton::No)
        != MessageButton::Yes)
        return;
    const ChaveEstabelecimento chave{AnoExclusao, InscricaoExclusao, PrefixoExclusao};
    MarcaExclusao(chave);
    BarraDeProgress->show();
    QtProgresso barra(BarraDeProgress);
    ExcluiEstabelecimento(chave, barra);
    m_excluiu = true;
    presenter().show(MessageKind::Information, QStringLiteral("Estabelecimento excluído com sucesso."), {MessageButton::Ok});
    accept();
}

} // namespace gdvorn
