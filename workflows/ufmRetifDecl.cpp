#include "workflows/ufmRetifDecl.h"

#include "app/QtModal.h"
#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/ufmDrives.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kTituloRetificacao = QStringLiteral("Assistente para Retificação de Declaração");

} // namespace

TfmRetifRegras::TfmRetifRegras(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmRetifRegras"));
    setWindowTitle(QStringLiteral("Retificação da Declaração"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    meRegras = new QPlainTextEdit(this);
    meRegras->setObjectName(QStringLiteral("meRegras"));
    meRegras->setReadOnly(true);
    meRegras->setPlainText(
        QStringLiteral("A Retificação da Declaração trata exclusivamente da correção das informações\n"
                       "dos vínculos empregatícios já declarados pelo empregador, principalmente os dados de "
                       "remuneração.\n\n"
                       "Podem ser retificados um, vários ou todos os vínculos de um estabelecimento.\n\n"
                       "As correções devem ter sido feitas antes, pela opção \"Declaração - Abrir ...\".\n\n"
                       "Vínculos de vários estabelecimentos podem ir no mesmo arquivo de retificação da VORN: "
                       "para cada estabelecimento, indique os vínculos que devem ser enviados novamente."));
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtOk->setDefault(true);
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(meRegras, 1);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BtOk);
    layout->addLayout(botoes);
    resize(600, 400);
}

TfmRetifDecl01::TfmRetifDecl01(TfmRetifDecl02 *seguinte)
    : TPaginaInicial("fmRetifDecl01", 910, kTituloRetificacao, true, "meRetif01",
                     QStringLiteral("Clique em <Avançar> para selecionar os estabelecimentos e os "
                                    "empregados/servidores que devem ser retificados.\n\n"
                                    "Os dados do próprio estabelecimento só podem ser retificados por meio da "
                                    "central de atendimento do serviço, por telefone.")),
      m_seguinte(seguinte)
{
    meRetif01 = m_texto;
    connect(bbAvancar, &QPushButton::clicked, this, Protegido([this] { Avancar(); }));
}

void TfmRetifDecl01::Avancar()
{
    const QList<EstabelecimentoNaLista> lista = EstabelecimentosDoExercicio();
    if (lista.isEmpty())
        return;
    m_seguinte->Carrega(lista);
    Avanca(m_seguinte);
}

TfmRetifDecl02::TfmRetifDecl02(TfmGravaDecl01 *seguinte) : TPaginaGravacao("fmRetifDecl02", 910), m_seguinte(seguinte)
{
    paSelecao = new QWidget(this);
    paSelecao->setObjectName(QStringLiteral("paSelecao"));
    auto *layout = new QVBoxLayout(paSelecao);
    layout->setContentsMargins(0, 0, 0, 0);
    const QFont fixa = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto *rotuloEmpresas = new QLabel(QStringLiteral("Selecione a empresa que terá seus empregados/servidores retificados"), paSelecao);
    clEmpresas = new TListaMarcada(paSelecao);
    clEmpresas->setObjectName(QStringLiteral("clEmpresas"));
    clEmpresas->setFont(fixa);
    rotuloEmpresas->setBuddy(clEmpresas);
    auto *rotuloVinculos = new QLabel(QStringLiteral("Selecione os vínculos que serão retificados"), paSelecao);
    clVinculos = new TListaMarcada(paSelecao);
    clVinculos->setObjectName(QStringLiteral("clVinculos"));
    clVinculos->setFont(fixa);
    rotuloVinculos->setBuddy(clVinculos);
    ckSelecVinculos = new QCheckBox(QStringLiteral("Seleciona / Desmarca todos os vínculos."), paSelecao);
    ckSelecVinculos->setObjectName(QStringLiteral("ckSelecVinculos"));
    ckSelecVinculos->setEnabled(false);
    layout->addWidget(rotuloEmpresas);
    layout->addWidget(clEmpresas, 1);
    layout->addWidget(rotuloVinculos);
    layout->addWidget(clVinculos, 2);
    layout->addWidget(ckSelecVinculos);
    Corpo->addWidget(paSelecao, 1);
    criaBotoesPadrao(
        [this] {
            LiberaSelecaoRetificacao();
            Assistente()->mostra(Anterior);
        },
        [this] { Avancar(); }, [this] { Encerra(); });

    // Moving onto a line (with a click or the keys) and checking or unchecking it both run the step.
    connect(clEmpresas, &QListWidget::currentRowChanged, this, [this](int linha) {
        if (!m_programatico && linha >= 0)
            Protege([this, linha] { passoEstabelecimento(linha); });
    });
    connect(clEmpresas, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_programatico)
            Protege([this, item] { passoEstabelecimento(clEmpresas->row(item)); });
    });
    connect(clVinculos, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_programatico)
            Protege([this, item] { vinculoAlterado(item); });
    });
    connect(ckSelecVinculos, &QCheckBox::clicked, this,
            [this](bool marcado) { Protege([this, marcado] { marcaTodosVinculos(marcado); }); });
}

void TfmRetifDecl02::Carrega(const QList<EstabelecimentoNaLista> &listados)
{
    MarcaEnquanto p(m_programatico);
    paSelecao->show();
    clEmpresas->clear();
    clVinculos->clear();
    m_vinculos.clear();
    ckSelecVinculos->setChecked(false);
    ckSelecVinculos->setEnabled(false);
    Selecao.Inicia(listados);
    for (const EstabelecimentoNaLista &e : listados) {
        auto *item = new QListWidgetItem(e.Linha, clEmpresas);
        item->setCheckState(Qt::Unchecked);
    }
    clEmpresas->setCurrentRow(-1);
}

void TfmRetifDecl02::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    bbVoltar->setEnabled(true);
    bbAvancar->setEnabled(true);
    clEmpresas->setFocus();
}

void TfmRetifDecl02::aoCancelar() { Encerra(); }

void TfmRetifDecl02::desmarcaEstabelecimento(int linha)
{
    MarcaEnquanto p(m_programatico);
    clEmpresas->item(linha)->setCheckState(Qt::Unchecked);
    Selecao.Libera(linha);
}

void TfmRetifDecl02::passoEstabelecimento(int linha)
{
    if (linha < 0 || linha >= Selecao.Estabelecimentos.size())
        return;
    const int atual = Selecao.Atual;
    if (atual >= 0 && atual != linha && Selecao.Estabelecimentos[atual].SemVinculoEscolhido()) {
        MostraMensagem(QStringLiteral("1304"));
        desmarcaEstabelecimento(atual);
    }
    {
        MarcaEnquanto p(m_programatico);
        ckSelecVinculos->setChecked(false);
    }
    if (clEmpresas->item(linha)->checkState() == Qt::Checked) {
        Selecao.Estabelecimentos[linha].Escolhido = true;
        carregaVinculos(linha);
    } else {
        Selecao.Libera(linha);
        MarcaEnquanto p(m_programatico);
        ckSelecVinculos->setEnabled(false);
        clVinculos->clear();
        m_vinculos.clear();
    }
    Selecao.Atual = linha;
}

void TfmRetifDecl02::carregaVinculos(int estabelecimento)
{
    MarcaEnquanto p(m_programatico);
    clVinculos->clear();
    m_vinculos = VinculosDoEstabelecimento(*dmDadosResp, Selecao.Estabelecimentos[estabelecimento].Chave);
    if (m_vinculos.isEmpty()) {
        ckSelecVinculos->setEnabled(false);
        return;
    }
    const EstabRetificacao &e = Selecao.Estabelecimentos[estabelecimento];
    for (const VinculoNaLista &v : std::as_const(m_vinculos)) {
        auto *item = new QListWidgetItem(v.Linha, clVinculos);
        item->setCheckState(e.TemVinculo(v.Vinculo) ? Qt::Checked : Qt::Unchecked);
    }
    if (m_vinculos.size() > LimiteVinculosTela)
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\r"
                                        "devido a quantidade de empregados cadastrados."),
                         {MessageButton::Ok});
    ckSelecVinculos->setEnabled(true);
}

void TfmRetifDecl02::vinculoAlterado(QListWidgetItem *item)
{
    const int i = Selecao.Atual;
    const int linha = clVinculos->row(item);
    if (i < 0 || linha < 0 || linha >= m_vinculos.size())
        return;
    if (item->checkState() == Qt::Checked)
        Selecao.EscolheVinculo(i, m_vinculos[linha].Vinculo);
    else
        Selecao.RetiraVinculo(i, m_vinculos[linha].Vinculo);
}

void TfmRetifDecl02::marcaTodosVinculos(bool marcado)
{
    const int i = Selecao.Atual;
    if (i < 0)
        return;
    {
        MarcaEnquanto p(m_programatico);
        clVinculos->marcaTodos(marcado);
    }
    Selecao.Estabelecimentos[i].Vinculos.clear();
    if (marcado)
        for (const VinculoNaLista &v : std::as_const(m_vinculos))
            Selecao.EscolheVinculo(i, v.Vinculo);
}

void TfmRetifDecl02::Avancar()
{
    if (QtdMarcados(clEmpresas) == 0) {
        MostraMensagem(QStringLiteral("1301"));
        clEmpresas->setFocus();
        return;
    }
    const int atual = Selecao.Atual;
    if (atual >= 0 && Selecao.Estabelecimentos[atual].SemVinculoEscolhido()) {
        MostraMensagem(QStringLiteral("1304"));
        desmarcaEstabelecimento(atual);
        MarcaEnquanto p(m_programatico);
        clVinculos->clear();
        m_vinculos.clear();
        ckSelecVinculos->setEnabled(false);
        clEmpresas->setFocus();
        return;
    }
    bbAvancar->setEnabled(false);
    bbVoltar->setEnabled(false);
    Avanca(m_seguinte);
}

QString TfmRetifDecl02::CopiaSelecaoRetificacao() { return gdvorn::CopiaSelecaoRetificacao(*dmDadosResp, Selecao); }

void TfmRetifDecl02::LiberaSelecaoRetificacao()
{
    MarcaEnquanto p(m_programatico);
    Selecao.LiberaTudo();
}

std::unique_ptr<TfmAssistente> CriaRetificacao(QWidget *parent)
{
    if (!CriaTabelasRetificacao()) {
        presenter().show(MessageKind::Error,
                         QStringLiteral("Erro na inicialização dos arquivos para gravação de declaração.\r"
                                        "Processo será interrompido"),
                         {MessageButton::Ok});
        return nullptr;
    }
    auto assistente = std::make_unique<TfmAssistente>(kTituloRetificacao, parent);
    assistente->setObjectName(QStringLiteral("fmRetifDecl"));
    assistente->setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto *p04 = new TfmGravaDecl04;
    auto *p03 = new TfmGravaDecl03(p04);
    auto *p01 = new TfmGravaDecl01(p03);
    auto *r02 = new TfmRetifDecl02(p01);
    auto *r01 = new TfmRetifDecl01(r02);
    r02->Anterior = r01;
    p01->Anterior = r02;
    p01->Retificacao = r02;
    for (TPaginaAssistente *p : {static_cast<TPaginaAssistente *>(r01), static_cast<TPaginaAssistente *>(r02),
                                 static_cast<TPaginaAssistente *>(p01), static_cast<TPaginaAssistente *>(p03),
                                 static_cast<TPaginaAssistente *>(p04)})
        assistente->adiciona(p);
    return assistente;
}

void RegistraGravacao()
{
    RegistraJanela(QStringLiteral("Gravardeclarao1"), [](QWidget *pai) {
        std::unique_ptr<TfmAssistente> assistente = CriaGravacao(pai);
        assistente->inicia();
        ExecutaModal(*assistente);
    });
    RegistraJanela(QStringLiteral("Gravarretificaodadeclarao1"), [](QWidget *pai) {
        {
            TfmRetifRegras regras(pai);
            ExecutaModal(regras);
        }
        std::unique_ptr<TfmAssistente> assistente = CriaRetificacao(pai);
        if (!assistente)
            return;
        assistente->inicia();
        ExecutaModal(*assistente);
    });
}

} // namespace gdvorn
