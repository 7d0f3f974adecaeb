// The import wizard's frame, its first page (the file and its checks), the structure-error page and the
// last page, and the main window's two import commands.

#include "workflows/ufmImportacao.h"

#include "app/QtModal.h"
#include "app/QtProgresso.h"
#include "app/base/DialogoArquivo.h"
#include "app/base/Presenter.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "fileformat/ugAnaliseEstrutura.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kTituloImportacao = QStringLiteral("Assistente para Importação de Estabelecimentos");
constexpr int kAjudaImportacao = 898;
constexpr int kAjudaAnoAnterior = 899;
constexpr int kAjudaAnoAtual = 900;

} // namespace

QHBoxLayout *LinhaArquivo(QWidget *pai, QLabel *rotulo, QLineEdit *&arquivo, QPushButton *&BtLocalizar,
                          const char *nomeArquivo, const char *nomeLocalizar)
{
    auto *linha = new QHBoxLayout;
    arquivo = new QLineEdit(pai);
    arquivo->setObjectName(QLatin1String(nomeArquivo));
    rotulo->setBuddy(arquivo);
    linha->addWidget(arquivo, 1);
    BtLocalizar = new QPushButton(QStringLiteral("&Localizar"), pai);
    BtLocalizar->setObjectName(QLatin1String(nomeLocalizar));
    BtLocalizar->setAutoDefault(false);
    linha->addWidget(BtLocalizar);
    return linha;
}

bool LocalizaArquivo(QWidget *pai, QLineEdit *arquivo, const QString &titulo, const QString &filtro)
{
    PedidoArquivo pedido;
    pedido.tipo = PedidoArquivo::Abrir;
    pedido.titulo = titulo;
    pedido.filtro = filtro;
    pedido.pastaInicial = DriveDisponivel(QStringLiteral("A")) ? PastaDaUnidade(QStringLiteral("A")) : Raiz();
    const QString escolhido = dialogoArquivo().escolhe(pai, pedido);
    if (escolhido.isEmpty())
        return false;
    arquivo->setText(escolhido);
    return true;
}

void VisualizaRelatorioErros(QPushButton *botao, const QString &relatorio, const QString &anobase,
                             const TRvSystem::SemImpressora &aviso)
{
    TRvSystem &sistema = dmRaveRelatorios->RvSystem1;
    sistema.VerificaImpressora(aviso);
    botao->setEnabled(false);
    struct Reativa {
        QPushButton *b;
        ~Reativa() { b->setEnabled(true); }
    } reativa{botao};
    sistema.Destino = DestinoRelatorio::Visualizacao;
    TRvProject &projeto = dmRaveRelatorios->rvprjErro;
    projeto.SetParam(QStringLiteral("AnoBase1"), QString::number(Configuracao().AnoBase));
    projeto.SetParam(QStringLiteral("Versao"), Configuracao().Versao);
    projeto.SetParam(QStringLiteral("anobase"), anobase);
    projeto.ExecuteReport(relatorio);
}

TPaginaImportacao::TPaginaImportacao(const char *nomeObjeto) : TPaginaGravacao(nomeObjeto, kAjudaImportacao) {}

QPlainTextEdit *TPaginaImportacao::Memo(const char *nome, const QStringList &linhas)
{
    return TextoFixo(this, nome, linhas.join(QLatin1Char('\n')));
}

TfmImport00::TfmImport00(TfmImport01 *erros, TfmImport02 *escolha)
    : TPaginaImportacao("fmImport00"), m_analisador(std::make_unique<TAnaliseEstrutura>()), m_erros(erros),
      m_escolha(escolha)
{
    PLocalizar = new QWidget(this);
    PLocalizar->setObjectName(QStringLiteral("PLocalizar"));
    auto *l = new QVBoxLayout(PLocalizar);
    l->setContentsMargins(0, 0, 0, 0);
    PAnoBase = new QLabel(PLocalizar);
    PAnoBase->setObjectName(QStringLiteral("PAnoBase"));
    QFont negrito = PAnoBase->font();
    negrito.setBold(true);
    PAnoBase->setFont(negrito);
    l->addWidget(PAnoBase);
    l->addWidget(Memo("Memo1", {QStringLiteral("Este assistente vai auxiliá-lo na Importação da Declaração da Vorn."), QString(),
                                QStringLiteral("Digite a localização do arquivo a ser importado ou clique no botão <Localizar>.")}),
                 1);
    auto *rotulo = new QLabel(QStringLiteral("Localização do arquivo a ser importado:"), PLocalizar);
    l->addWidget(rotulo);
    l->addLayout(LinhaArquivo(PLocalizar, rotulo, arquivo, BtLocalizar));
    l->addWidget(Memo("Memo2", {QStringLiteral("Para continuar a importação clique no botão <Avançar>.")}), 1);
    Corpo->addWidget(PLocalizar, 1);

    PEstrutura = new QWidget(this);
    PEstrutura->setObjectName(QStringLiteral("PEstrutura"));
    auto *e = new QVBoxLayout(PEstrutura);
    e->addStretch();
    e->addWidget(new QLabel(QStringLiteral("Verificando Estrutura ..."), PEstrutura));
    ProgressBar = new QProgressBar(PEstrutura);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    e->addWidget(ProgressBar);
    e->addStretch();
    PEstrutura->setVisible(false);
    Corpo->addWidget(PEstrutura, 1);

    BtVoltar = criaBotao("BtVoltar", QStringLiteral("< &Voltar"), [] {});
    BtVoltar->setEnabled(false);
    BtAvancar = criaBotao("BtAvancar", QStringLiteral("&Avançar >"), [this] { Avancar(); });
    BtCancelar = criaBotao("BtCancelar", QStringLiteral("&Cancelar"), [this] { aoCancelar(); });
    connect(arquivo, &QLineEdit::textChanged, this, [this](const QString &t) { BtAvancar->setEnabled(!t.isEmpty()); });
    connect(BtLocalizar, &QPushButton::clicked, this, Protegido([this] { Localizar(); }));
}

TfmImport00::~TfmImport00() = default;

void TfmImport00::aoMostrar()
{
    AnalisandoArquivo = false;
    PLocalizar->setVisible(true);
    PEstrutura->setVisible(false);
    arquivo->clear();
    BtAvancar->setEnabled(false);
    PAnoBase->setText(QStringLiteral("Declaração Ano-Base ") + OpcaoImportacao);
    Assistente()->setWindowTitle(kTituloImportacao + QStringLiteral(" (Declaração Ano-Base ") + OpcaoImportacao +
                                 QLatin1Char(')'));
    arquivo->setFocus();
}

void TfmImport00::aoCancelar()
{
    if (AnalisandoArquivo)
        m_analisador->Interrompe();
    else
        Assistente()->fecha();
}

void TfmImport00::Localizar()
{
    LocalizaArquivo(this, arquivo, QString(), QStringLiteral("Arquivos VORN|Vorn*;|Texto|*.txt|Todos|*.*"));
}

void TfmImport00::VoltaALocalizar(bool esvaziaArquivo)
{
    AnalisandoArquivo = false;
    PEstrutura->setVisible(false);
    PLocalizar->setVisible(true);
    if (esvaziaArquivo)
        arquivo->clear();
    BtAvancar->setEnabled(!arquivo->text().isEmpty());
    arquivo->setFocus();
}

void TfmImport00::Avancar()
{
    const QString nome = arquivo->text();
    if (!QFileInfo::exists(nome)) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."),
                         {MessageButton::Ok});
        arquivo->setFocus();
        return;
    }
    PLocalizar->setVisible(false);
    AnalisandoArquivo = true;
    PEstrutura->setVisible(true);
    BtAvancar->setEnabled(false);
    ProgressBar->setValue(0);
    repaint();

    AnoImportacao = AnoDaOpcaoImportacao(OpcaoImportacao);
    m_analisador->LayoutAnterior = OpcaoImportacao.contains(QLatin1String("Anterior"));

    switch (ConfereQuantidadeVinculos(nome)) {
    case ContagemArquivo::Aceita: break;
    case ContagemArquivo::Ilegivel:
        presenter().show(MessageKind::Error,
                         QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que possam estar "
                                        "utilizando-o e tente novamente"),
                         {MessageButton::Ok});
        VoltaALocalizar(false);
        return;
    case ContagemArquivo::GrandeDemais:
        presenter().show(MessageKind::Error,
                         QStringLiteral("Declaração com tamanho maior do que é permitido importar. Utilize a função "
                                        "\"Analisar Arquivo\" para particionar o arquivo."),
                         {MessageButton::Ok});
        VoltaALocalizar(false);
        return;
    }

    quint8 resultado = AnaliseNaoRealizada;
    {
        QtProgresso progresso(ProgressBar);
        int estabelecimentos = 0, vinculos = 0;
        resultado = m_analisador->AnalisaArquivo(nome, Configuracao().AnoBase, true, estabelecimentos, vinculos,
                                                 dmGDVorn->DatabaseDirectory(), &progresso);
    }
    LayoutAnterior = m_analisador->LayoutAnterior;
    if (resultado == AnaliseInterrompida || resultado == AnaliseNaoRealizada) {
        VoltaALocalizar(true);
        return;
    }
    AnalisandoArquivo = false;
    if (resultado == AnaliseComOcorrencia) {
        m_erros->OpcaoImportacao = OpcaoImportacao;
        Assistente()->mostra(m_erros);
        return;
    }
    const CabecalhoImportado cabecalho = LeCabecalhoImportado();
    if (AnoImportacao == Configuracao().AnoBase && cabecalho.Antecipacao) {
        presenter().show(MessageKind::Information,
                         QStringLiteral("O arquivo é uma antecipação de ") + QString::number(Configuracao().AnoBase) +
                             QStringLiteral(". Não poderá ser importado."),
                         {MessageButton::Ok});
        Assistente()->fecha();
        return;
    }
    m_escolha->AnoImportacao = AnoImportacao;
    m_escolha->LayoutAnterior = LayoutAnterior;
    m_escolha->SelecionaTodos = false;
    m_escolha->LeCabecalho = true;
    Assistente()->mostra(m_escolha);
}

TfmImport01::TfmImport01() : TPaginaImportacao("fmImport01")
{
    Corpo->addWidget(Memo("Memo1", {QStringLiteral("A importação não poderá ser realizada. O arquivo não atende as especificações "),
                                    QStringLiteral("definidas para o ano-base.")}),
                     1);
    BtErroVisual = criaBotao("BtErroVisual", QStringLiteral("Visualizar &Relatório"), [this] {
        VisualizaRelatorioErros(BtErroVisual, QStringLiteral("rptErrosEstrutura"), OpcaoImportacao, TRvSystem::kImpossivelImprimir);
    });
    BtFechar = criaBotao("BtFechar", QStringLiteral("&Fechar"), [this] { Assistente()->fecha(); });
}

void TfmImport01::aoMostrar() { BtFechar->setFocus(); }

TfmImport03::TfmImport03() : TPaginaImportacao("fmImport03")
{
    Corpo->addWidget(Memo("Memo1", {QStringLiteral("Os estabelecimentos selecionados foram importados."), QString(),
                                    QStringLiteral("Para visualizar e imprimir o Relatório de Importação, clicar no botão <Visualizar "),
                                    QStringLiteral("Relatório> ."), QString(),
                                    QStringLiteral("Para CORRIGIR as informações dos estabelecimentos importados utilize a opção "),
                                    QStringLiteral("Declaração ... Abrir.")}),
                     1);
    BtVisual = criaBotao("BtVisual", QStringLiteral("Visualizar &Relatório"), [this] {
        VisualizaRelatorioErros(BtVisual, QStringLiteral("rptImportacao"), QString::number(AnoImportacao),
                                TRvSystem::kImpossivelImprimir);
    });
    BtFechar = criaBotao("BtFechar", QStringLiteral("&Fechar"), [this] { Assistente()->fecha(); });
}

void TfmImport03::aoMostrar() { BtFechar->setFocus(); }

std::unique_ptr<TfmAssistente> CriaImportacao(QWidget *parent, const QString &opcao)
{
    auto assistente = std::make_unique<TfmAssistente>(kTituloImportacao, parent);
    assistente->setObjectName(QStringLiteral("fmImportacao"));
    auto *p03 = new TfmImport03;
    auto *p02 = new TfmImport02(p03);
    auto *p01 = new TfmImport01;
    auto *p00 = new TfmImport00(p01, p02);
    p00->OpcaoImportacao = opcao;
    const int ajuda = opcao.contains(QLatin1String("Anterior")) ? kAjudaAnoAnterior : kAjudaAnoAtual;
    for (TPaginaAssistente *p : {static_cast<TPaginaAssistente *>(p00), static_cast<TPaginaAssistente *>(p01),
                                 static_cast<TPaginaAssistente *>(p02), static_cast<TPaginaAssistente *>(p03)}) {
        setContextoAjuda(p, ajuda);
        assistente->adiciona(p);
    }
    return assistente;
}

void RegistraImportacao()
{
    const auto abre = [](bool anterior) {
        return [anterior](QWidget *pai) {
            const int ano = Configuracao().AnoBase;
            const QString opcao = anterior ? QStringLiteral("Anterior - Ano ") + QString::number(ano - 1)
                                           : QStringLiteral("Atual - Ano ") + QString::number(ano);
            std::unique_ptr<TfmAssistente> assistente = CriaImportacao(pai, opcao);
            assistente->inicia();
            ExecutaModal(*assistente);
            assistente.reset();
            RemoveTabelasImportacao();
        };
    };
    RegistraJanela(QStringLiteral("AnoAnterior"), abre(true));
    RegistraJanela(QStringLiteral("AnoAtual"), abre(false));
}

} // namespace gdvorn
