// The analysis wizard's first page (the file, the structure check, the consistency analysis), its frame
// and the main window's commands.

#include "workflows/ufmAnalis.h"

#include "app/QtModal.h"
#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "rules/ugConsistencia.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ugAnalis.h"

#include <QFile>
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

constexpr int kAjudaAnalisador = 906;
const QString kTitulo = QStringLiteral("Assistente para Analisar um arquivo VORN");

QString ano() { return QString::number(Configuracao().AnoBase); }

QString textoAnalise()
{
    return QStringLiteral("Este assistente vai auxiliá-lo a analisar um arquivo VORN") + ano() +
           QStringLiteral(".\r\nO processo de análise de arquivo significa verificar se os registros atendem as "
                          "especificações constantes na Cartela da VORN") +
           ano() +
           QStringLiteral(", bem como verificar se as informações declaradas estão corretas.\r\n\r\n"
                          "Esta opção deve ser utilizada pelas empresas que geram o arquivo VORN") +
           ano() + QStringLiteral(" através de um programa próprio, que não o GDVORN") + ano() +
           QStringLiteral(", conforme especificação técnica, e deseja verificar se o arquivo foi gerado corretamente.");
}

QString textoParticao()
{
    return QStringLiteral("Este assistente irá auxiliá-lo a particionar arquivos VORN ") + ano() +
           QStringLiteral(" que possuam mais de 50.000 registros. O usuário deverá submeter cada arquivo gerado para "
                          "analise e não encontrando erro, transmitir cada arquivo utilizando a função Transmitir "
                          "Declaração.\r\n\r\nEsta opção deve ser utilizada pelas empresas que geram o arquivo VORN ") +
           ano() + QStringLiteral(" através de um programa próprio, que não o GDVORN") + ano() +
           QStringLiteral(", conforme especificação técnica.");
}

} // namespace

TfmAnalis00::TfmAnalis00(TfmAnalis01 *resultado)
    : TPaginaGravacao("fmAnalis00", kAjudaAnalisador), m_analisador(std::make_unique<TAnaliseEstrutura>()),
      m_resultado(resultado)
{
    PLocalizar = new QWidget(this);
    PLocalizar->setObjectName(QStringLiteral("PLocalizar"));
    auto *l = new QVBoxLayout(PLocalizar);
    l->setContentsMargins(0, 0, 0, 0);
    Memo2 = TextoFixo(PLocalizar, "Memo2", QString());
    l->addWidget(Memo2, 1);
    Label1 = new QLabel(PLocalizar);
    Label1->setObjectName(QStringLiteral("Label1"));
    l->addWidget(Label1);
    l->addLayout(LinhaArquivo(PLocalizar, Label1, arquivo, BtLocalizar));
    Corpo->addWidget(PLocalizar, 1);

    PEstrutura = new QWidget(this);
    PEstrutura->setObjectName(QStringLiteral("PEstrutura"));
    auto *e = new QVBoxLayout(PEstrutura);
    memoNomeArquivo = TextoFixo(PEstrutura, "memoNomeArquivo", QString());
    memoNomeArquivo->setMaximumHeight(memoNomeArquivo->fontMetrics().height() * 4);
    e->addWidget(memoNomeArquivo);
    e->addWidget(new QLabel(QStringLiteral("Estrutura física do arquivo:"), PEstrutura));
    pbEstrutura = new QProgressBar(PEstrutura);
    pbEstrutura->setObjectName(QStringLiteral("pbEstrutura"));
    e->addWidget(pbEstrutura);
    Label4 = new QLabel(QStringLiteral("Verificação das informações declaradas "), PEstrutura);
    Label4->setObjectName(QStringLiteral("Label4"));
    e->addWidget(Label4);
    pbConsistencia = new QProgressBar(PEstrutura);
    pbConsistencia->setObjectName(QStringLiteral("pbConsistencia"));
    e->addWidget(pbConsistencia);
    e->addStretch();
    Corpo->addWidget(PEstrutura, 1);

    paErroEstrut = new QWidget(this);
    paErroEstrut->setObjectName(QStringLiteral("paErroEstrut"));
    auto *pe = new QVBoxLayout(paErroEstrut);
    pe->addWidget(TextoFixo(paErroEstrut, "meErroEstrut",
                            QStringLiteral("A análise não poderá ser realizada. O arquivo não atende as especificações \n"
                                           "definidas para o ano-base.")),
                  1);
    bbErroVisual = new QPushButton(QStringLiteral("Relatório de &Erros"), paErroEstrut);
    bbErroVisual->setObjectName(QStringLiteral("bbErroVisual"));
    bbErroVisual->setAutoDefault(false);
    auto *lb = new QHBoxLayout;
    lb->addWidget(bbErroVisual);
    lb->addStretch();
    pe->addLayout(lb);
    Corpo->addWidget(paErroEstrut, 1);

    criaBotoesPadrao([this] { Voltar(); }, [this] { Avancar(); }, [this] { aoCancelar(); });
    connect(arquivo, &QLineEdit::textChanged, this, [this] { bbAvancar->setEnabled(true); });
    connect(BtLocalizar, &QPushButton::clicked, this, Protegido([this] { Localizar(); }));
    connect(bbErroVisual, &QPushButton::clicked, this, Protegido([this] { ErroVisual(); }));
}

TfmAnalis00::~TfmAnalis00() = default;

void TfmAnalis00::aoMostrar()
{
    const bool particao = Configuracao().ModoParticao;
    Assistente()->setWindowTitle(particao ? QStringLiteral("Assistente para Particionar Arquivo") : kTitulo);
    Memo2->setPlainText(particao ? textoParticao() : textoAnalise());
    Label1->setText(particao ? QStringLiteral("Localização do arquivo a ser particionado:")
                             : QStringLiteral("Localização do arquivo a ser analisado:"));
    Label4->setVisible(!particao);
    pbConsistencia->setVisible(!particao);
    if (AnaliseViaTransmissao) {
        for (QWidget *w : {static_cast<QWidget *>(arquivo), static_cast<QWidget *>(bbVoltar),
                           static_cast<QWidget *>(Label1), static_cast<QWidget *>(BtLocalizar)})
            w->hide();
    } else {
        arquivo->clear();
        memoNomeArquivo->clear();
        bbAvancar->setEnabled(false);
    }
    bbVoltar->setEnabled(false);
    PLocalizar->show();
    PEstrutura->hide();
    paErroEstrut->hide();
    pbEstrutura->setValue(0);
    pbConsistencia->setValue(0);
    bbCancelar->setText(QStringLiteral("&Cancelar"));
    if (AnaliseViaTransmissao)
        bbAvancar->setFocus();
    else
        arquivo->setFocus();
}

void TfmAnalis00::aoCancelar()
{
    if (AnalisandoEstrutura) {
        // The wizard ends only when the check comes back interrupted: after a No it runs on.
        m_fechaPedido = true;
        m_analisador->Interrompe();
    } else if (AnalisandoConsistencia) {
        InterrompeAnalise();
    } else {
        Assistente()->fecha();
    }
}

void TfmAnalis00::Localizar()
{
    LocalizaArquivo(this, arquivo, QStringLiteral("Abrir arquivo"),
                    QStringLiteral("Arquivos Vorn|Vorn*;|Arquivos Texto|*.txt|Todos os Arquivos|*.*"));
}

void TfmAnalis00::VoltaALocalizar()
{
    PEstrutura->hide();
    paErroEstrut->hide();
    PLocalizar->show();
    memoNomeArquivo->clear();
    arquivo->clear();
    bbAvancar->setEnabled(false);
    pbEstrutura->setValue(0);
    pbConsistencia->setValue(0);
    bbCancelar->setText(QStringLiteral("&Cancelar"));
}

void TfmAnalis00::Voltar()
{
    VoltaALocalizar();
    bbVoltar->setEnabled(false);
    arquivo->setFocus();
}

void TfmAnalis00::ErroVisual()
{
    VisualizaRelatorioErros(bbErroVisual, QStringLiteral("rptErrosEstrutura"), ano(), TRvSystem::kNaoHaImpressoras);
}

void TfmAnalis00::Avancar()
{
    const QString nome = arquivo->text();
    if (!QFileInfo(nome).isFile()) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo."),
                         {MessageButton::Ok});
        if (arquivo->isVisible())
            arquivo->setFocus();
        return;
    }
    {
        QFile f(nome);
        if (!f.open(QIODevice::ReadOnly)) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("Erro: Não é possivel ler o arquivo. Feche todos os programas que possam "
                                            "estar utilizando-o e tente novamente"),
                             {MessageButton::Ok});
            return;
        }
    }
    bbAvancar->setEnabled(false);
    memoNomeArquivo->setPlainText(QStringLiteral("Analisando o arquivo:") + nome);
    PEstrutura->show();
    PLocalizar->hide();
    repaint();

    m_fechaPedido = false;
    quint8 resultado = AnaliseNaoRealizada;
    {
        MarcaEnquanto analisando(AnalisandoEstrutura);
        QtProgresso progresso(pbEstrutura);
        int estabelecimentos = 0, vinculos = 0;
        resultado = m_analisador->AnalisaArquivo(nome, Configuracao().AnoBase, false, estabelecimentos, vinculos,
                                                 dmGDVorn->DatabaseDirectory(), &progresso);
    }
    if (resultado == AnaliseInterrompida && m_fechaPedido) {
        Assistente()->fecha();
        return;
    }
    if (resultado == AnaliseInterrompida || resultado == AnaliseNaoRealizada) {
        VoltaALocalizar();
        if (arquivo->isVisible())
            arquivo->setFocus();
        return;
    }
    if (resultado == AnaliseComOcorrencia) {
        paErroEstrut->show();
        PEstrutura->hide();
        PLocalizar->hide();
        bbCancelar->setText(QStringLiteral("&Fechar"));
        bbVoltar->setEnabled(true);
        bbErroVisual->setFocus();
        return;
    }
    ArquivoRetificador = resultado & AnaliseRetificacao;
    m_resultado->ArquivoRetificador = ArquivoRetificador;
    if (Configuracao().ModoParticao) {
        m_resultado->ModoResultado = ModoResultadoDe(0, true);
        Avanca(m_resultado);
        return;
    }
    memoNomeArquivo->setPlainText(QStringLiteral("Consistindo o arquivo:") + nome);
    quint8 consistencia = 0;
    {
        MarcaEnquanto analisando(AnalisandoConsistencia);
        QtProgresso progresso(pbConsistencia);
        consistencia = AnalisaDeclaracao(&progresso, QString(), true, nullptr, QString(), true, false, true);
    }
    if (consistencia & Consistencia::AnaliseInterrompida) {
        presenter().show(MessageKind::Information, QStringLiteral("Consistência interrompida pelo usuário"),
                         {MessageButton::Ok});
        if (AnaliseViaTransmissao) {
            Assistente()->fecha();
            return;
        }
        VoltaALocalizar();
        arquivo->setFocus();
        return;
    }
    m_resultado->ModoResultado = ModoResultadoDe(consistencia, false);
    Avanca(m_resultado);
}

std::unique_ptr<TfmAssistente> CriaAnalise(QWidget *parent, const QString &arquivo)
{
    auto assistente = std::make_unique<TfmAssistente>(kTitulo, parent);
    assistente->setObjectName(QStringLiteral("fmAnalise"));
    auto *p02 = new TfmAnalis02;
    auto *p01 = new TfmAnalis01(p02);
    auto *p00 = new TfmAnalis00(p01);
    assistente->adiciona(p00);
    assistente->adiciona(p01);
    assistente->adiciona(p02);
    if (!arquivo.isEmpty())
        p00->arquivo->setText(arquivo);
    return assistente;
}

void AbreAnalise(QWidget *pai, const QString &arquivo)
{
    AnaliseViaTransmissao = !arquivo.isEmpty();
    struct Encerra {
        ~Encerra()
        {
            Configuracao().ModoParticao = false;
            AnaliseViaTransmissao = false;
        }
    } encerra;
    std::unique_ptr<TfmAssistente> assistente = CriaAnalise(pai, arquivo);
    assistente->inicia();
    ExecutaModal(*assistente);
    assistente.reset();
    // After the wizard's windows are gone and only on this path: a failure here reaches the exception
    // handler, while from a destructor it would end the program without a word. A run that fails before
    // leaves its work tables for the next one, which drops them first.
    RemoveTabelasAnalise();
    RemoveTabelasProtocolo();
}

void RegistraAnalise()
{
    RegistraJanela(QStringLiteral("Analisador2"), [](QWidget *pai) { AbreAnalise(pai); });
    RegistraJanela(QStringLiteral("ParticionarArquivo1"), [](QWidget *pai) {
        Configuracao().ModoParticao = true;
        AbreAnalise(pai);
    });
}

} // namespace gdvorn
