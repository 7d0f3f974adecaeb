// The print wizard's frame, its choice, report-type and order pages, and its openers.

#include "workflows/ufmRelatorio.h"

#include "app/QtModal.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "entry/FormEdits.h"
#include "workflows/ufmTransmite.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace gdvorn {

namespace {

constexpr int kAjudaImpressao = 895;
const QString kTituloEscolha = QStringLiteral("Assistente de Impressão");
const QString kTituloDeclaracao = QStringLiteral("Assistente para Imprimir Declaração");
const QString kApresentacao = QStringLiteral(
    "Este assistente permite que você obtenha um relatório com todas as informações de um estabelecimento e seus "
    "empregados/servidores (vínculos empregatícios).");

// The wizard whose opener is still running: the browser reached from its transmission window reuses it.
QPointer<TAssistenteImpressao> g_abertoAtras;

QRadioButton *Opcao(QWidget *pai, const char *nome, const QString &legenda)
{
    auto *b = new QRadioButton(legenda, pai);
    b->setObjectName(QLatin1String(nome));
    return b;
}

// A group of radio buttons one under the other.
QGroupBox *GrupoOpcoes(QWidget *pai, const char *nome, const QString &titulo, std::initializer_list<QRadioButton *> opcoes)
{
    auto *g = new QGroupBox(titulo, pai);
    g->setObjectName(QLatin1String(nome));
    auto *l = new QVBoxLayout(g);
    for (QRadioButton *b : opcoes) {
        b->setParent(g);
        l->addWidget(b);
    }
    return g;
}

void ZeraProtocolo() { Configuracao().ProtocoloPeloAssistente = 0; }
void SemTransmissao() { Configuracao().IdTransmissao = QStringLiteral(" "); }

} // namespace

TfmRelatorio03::TfmRelatorio03(TfmRelatorio02 *seguinte) : TPaginaGravacao("fmRelatorio03", kAjudaImpressao), m_seguinte(seguinte)
{
    Corpo->addWidget(TextoAssistente(this, "Label1", kApresentacao));
    Corpo->addWidget(TextoAssistente(this, "Label2", QStringLiteral("Selecione o tipo de impressão que você precisa obter. ")));
    rbDeclaracao = Opcao(this, "rbDeclaracao", QStringLiteral("Imprimir a Declaração"));
    rbProtocolo = Opcao(this, "rbProtocolo", QStringLiteral("Imprimir o Protocolo de Transmissão"));
    Corpo->addWidget(GrupoOpcoes(this, "GroupBox1", QStringLiteral("Tipo de relatório "), {rbDeclaracao, rbProtocolo}));
    Corpo->addStretch();
    rbDeclaracao->setChecked(true);
    criaBotoesPadrao([] {}, [this] { Avancar(); }, [this] { Assistente()->fecha(); });
    bbVoltar->setEnabled(false);
}

void TfmRelatorio03::aoMostrar()
{
    Assistente()->setWindowTitle(kTituloEscolha);
    ProtocoloEscolhido = false;
    if (Configuracao().SemDeclaracao == 1) {
        rbProtocolo->setChecked(true);
        rbDeclaracao->setEnabled(false);
        bbAvancar->setFocus();
    } else {
        rbDeclaracao->setEnabled(true);
        rbDeclaracao->setChecked(true);
        rbDeclaracao->setFocus();
    }
}

void TfmRelatorio03::Avancar()
{
    if (rbDeclaracao->isChecked()) {
        Avanca(m_seguinte);
        return;
    }
    Configuracao().ModoImprimeProtocolo = true;
    Configuracao().ProtocoloPeloAssistente = 1;
    ProtocoloEscolhido = true;
    Assistente()->fecha();
}

TfmRelatorio02::TfmRelatorio02(TfmRelatorio01 *selecao) : TPaginaGravacao("fmRelatorio02", kAjudaImpressao), m_selecao(selecao)
{
    Corpo->addWidget(TextoAssistente(this, "Label1", kApresentacao));
    Corpo->addWidget(TextoAssistente(this, "Label2", QStringLiteral("Selecione o tipo de relatório que você precisa obter. ")));
    rbRelatorioComp = Opcao(this, "rbRelatorioComp", QStringLiteral("Completo (informação completa do estabelecimento e dos empregados)"));
    rbRelatorioResum = Opcao(this, "rbRelatorioResum",
                             QStringLiteral("Resumido (informação completa do estabelecimento e a relação dos empregados)"));
    Corpo->addWidget(GrupoOpcoes(this, "GroupBox1", QStringLiteral("Tipo de relatório "), {rbRelatorioComp, rbRelatorioResum}));
    gbAnoBase = new QGroupBox(this);
    gbAnoBase->setObjectName(QStringLiteral("gbAnoBase"));
    auto *l = new QVBoxLayout(gbAnoBase);
    lblAno = new QLabel(gbAnoBase);
    lblAno->setObjectName(QStringLiteral("lblAno"));
    QFont negrito = lblAno->font();
    negrito.setBold(true);
    lblAno->setFont(negrito);
    l->addWidget(lblAno);
    Corpo->addWidget(gbAnoBase);
    Corpo->addStretch();
    criaBotoesPadrao(
        [this] {
            if (Anterior)
                Avanca(Anterior);
        },
        [this] { Avancar(); }, [this] { aoCancelar(); });
}

void TfmRelatorio02::aoMostrar()
{
    Assistente()->setWindowTitle(kTituloDeclaracao);
    rbRelatorioComp->setChecked(true);
    lblAno->setText(QStringLiteral("Ano-Base da declaração ") + AnoRelatorio);
    // The year's group only shows text: the keyboard starts on the choice it follows.
    rbRelatorioComp->setFocus();
}

void TfmRelatorio02::aoCancelar()
{
    SemTransmissao();
    Assistente()->fecha();
}

void TfmRelatorio02::Avancar()
{
    m_selecao->ImprimeCompleto = rbRelatorioComp->isChecked();
    m_selecao->TituloRelatorio = m_selecao->ImprimeCompleto ? QStringLiteral("Relatório Completo do Estabelecimento")
                                                            : QStringLiteral("Relatório Resumido do Estabelecimento");
    m_selecao->AnoRelatorio = AnoRelatorio;
    Avanca(Seguinte);
}

TfmRelatorio00::TfmRelatorio00(TfmRelatorio02 *anterior, TfmRelatorio01 *seguinte)
    : TPaginaGravacao("fmRelatorio00", kAjudaImpressao), m_anterior(anterior), m_seguinte(seguinte)
{
    Corpo->addWidget(TextoAssistente(this, "Label1", QStringLiteral("Você poderá emitir o estabelecimento com duas amplitudes: ")));
    Corpo->addWidget(TextoAssistente(
        this, "Label2",
        QStringLiteral("TOTAL - significa que você irá listar o estabelecimento total (todos os empregados/servidores cadastrados).")));
    Corpo->addWidget(TextoAssistente(
        this, "Label3", QStringLiteral("PARCIAL - significa que você poderá listar apenas um empregado/servidor do estabelecimento.")));
    Corpo->addWidget(TextoAssistente(
        this, "Label4",
        QStringLiteral("Observação: quando a amplitude selecionada for parcial você só poderá listar um estabelecimento  a cada seleção.")));
    Corpo->addWidget(TextoAssistente(
        this, "Label5",
        QStringLiteral("No visualizador, você pode Imprimir ou salvar o relatório,  selecionando Arquivo/Imprimir ou ") +
            QStringLiteral("Arquivo/Salvar Como...")));
    rgOrdemRelat = new RadioGroup(QStringLiteral("Classificar relatório por "), this);
    rgOrdemRelat->setObjectName(QStringLiteral("rgOrdemRelat"));
    // Three columns.
    delete rgOrdemRelat->layout();
    new QHBoxLayout(rgOrdemRelat);
    rgOrdemRelat->adiciona(QStringLiteral("rbOrdemPis"), QStringLiteral("Código PIS/PASEP"), QStringLiteral("0"));
    rgOrdemRelat->adiciona(QStringLiteral("rbOrdemNome"), QStringLiteral("Nome do empregado"), QStringLiteral("1"));
    rgOrdemRelat->adiciona(QStringLiteral("rbOrdemUso"), QStringLiteral("Para uso da empresa"), QStringLiteral("2"));
    rgOrdemRelat->setValor(QStringLiteral("0"));
    Corpo->addWidget(rgOrdemRelat);
    Corpo->addWidget(TextoAssistente(
        this, "Label6", QStringLiteral("Selecione a ordem que devem ser impressos os empregados/servidores do estabelecimento.")));
    Corpo->addStretch();
    criaBotoesPadrao(
        [this] {
            ZeraProtocolo();
            Avanca(m_anterior);
        },
        [this] { Avancar(); }, [this] { aoCancelar(); });
}

void TfmRelatorio00::aoMostrar()
{
    Assistente()->setWindowTitle(kTituloDeclaracao);
    bbAvancar->setFocus();
}

void TfmRelatorio00::aoCancelar()
{
    SemTransmissao();
    ZeraProtocolo();
    Assistente()->fecha();
}

void TfmRelatorio00::Avancar()
{
    static const QStringList ordens{QStringLiteral("código PIS/PASEP"), QStringLiteral("Nome do empregado"),
                                    QStringLiteral("Para uso da empresa")};
    m_seguinte->Ordem = qBound(0, rgOrdemRelat->valor().toInt(), 2);
    m_seguinte->OrdemRelatorio = ordens.at(m_seguinte->Ordem);
    Avanca(m_seguinte);
}

TAssistenteImpressao::TAssistenteImpressao(QWidget *parent) : TfmAssistente(kTituloEscolha, parent)
{
    setObjectName(QStringLiteral("fmImpressao"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/IMP")));
    Selecao = new TfmRelatorio01;
    Tipo = new TfmRelatorio02(Selecao);
    Ordem = new TfmRelatorio00(Tipo, Selecao);
    Escolha = new TfmRelatorio03(Tipo);
    Tipo->Seguinte = Ordem;
    Selecao->Anterior = Ordem;
    adiciona(Escolha);
    adiciona(Tipo);
    adiciona(Ordem);
    adiciona(Selecao);
}

void TAssistenteImpressao::Prepara(const QString &empresa, const QString &vinculo, const QString &responsavel,
                                   const QString &ano, bool comEscolha)
{
    Selecao->TabelaEmpresa = empresa;
    Selecao->TabelaVinculo = vinculo;
    Selecao->TabelaResponsavel = responsavel;
    Tipo->AnoRelatorio = ano;
    Tipo->Anterior = comEscolha ? Escolha : nullptr;
    Tipo->bbVoltar->setVisible(comEscolha);
    mostra(comEscolha ? static_cast<TPaginaAssistente *>(Escolha) : Tipo);
}

void AbreImpressao(QWidget *pai, bool comEscolha)
{
    TAssistenteImpressao assistente(pai);
    assistente.Prepara(QStringLiteral("BD8Emp"), QStringLiteral("BD8Vinc"), QStringLiteral("BD8Resp"),
                       QString::number(Configuracao().AnoBase), comEscolha);
    const QPointer<TAssistenteImpressao> antes = g_abertoAtras;
    g_abertoAtras = &assistente;
    struct Devolve {
        const QPointer<TAssistenteImpressao> &antes;
        ~Devolve() { g_abertoAtras = antes; }
    } devolve{antes};
    ExecutaModal(assistente);
    if (assistente.Escolha->ProtocoloEscolhido)
        AbreTransmissao(pai, true, true);
}

void ImprimeArquivoConsultado(QWidget *pai)
{
    std::unique_ptr<TAssistenteImpressao> proprio;
    TAssistenteImpressao *assistente = Configuracao().ProtocoloPeloAssistente == 1 ? g_abertoAtras.data() : nullptr;
    if (!assistente) {
        proprio = std::make_unique<TAssistenteImpressao>(pai);
        assistente = proprio.get();
    }
    assistente->Prepara(QStringLiteral("Te8Emp"), QStringLiteral("Te8Vinc"), QStringLiteral("Te8Resp"),
                        QString::number(Configuracao().AnoBase), false);
    std::optional<OcultaEnquanto> oculta;
    if (pai)
        oculta.emplace(*pai->window());
    ExecutaModal(*assistente);
}

void RegistraImpressao()
{
    RegistraJanela(QStringLiteral("Declarao1"), [](QWidget *pai) { AbreImpressao(pai, false); });
    RegistraJanela(QStringLiteral("sbRelatorio"), [](QWidget *pai) { AbreImpressao(pai, true); });
}

} // namespace gdvorn
