// The recording wizard's page 03: the outcome of the consistency analysis, the findings reports, the
// generation date, the drive and (in a rectification) the CREA, then the writer.

#include "workflows/ufmGravaDecl.h"

#include "app/QtPortaoSaida.h"

#include "app/QtProgresso.h"
#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmDrives.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "fileformat/ugGravaDeclaracao.h"
#include "rules/ugConsistencia.h"
#include "workflows/ugGravaDecl.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kMascaraData = QStringLiteral("99\\/99\\/9999;0;_");

QPushButton *botao(QWidget *pai, const char *nome, const QString &legenda)
{
    auto *b = new QPushButton(legenda, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QString anoBase() { return QString::number(Configuracao().AnoBase); }

} // namespace

TfmGravaDecl03::TfmGravaDecl03(TfmGravaDecl04 *seguinte) : TPaginaGravacao("fmGravaDecl03", 893), m_seguinte(seguinte)
{
    paErros = new QWidget(this);
    paErros->setObjectName(QStringLiteral("paErros"));
    auto *le = new QVBoxLayout(paErros);
    meErros = TextoAssistente(paErros, "meErros",
                    QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) apresentaram ERROS.\n\n"
                                   "Os erros impedem a geração do arquivo.\n\n"
                                   "  - Para visualizar e imprimir os erros encontrados, clique no botão <Relatório Erros>. "));
    paMsgAviso = TextoAssistente(paErros, "paMsgAviso",
                       QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."));
    le->addWidget(meErros);
    le->addWidget(paMsgAviso);
    le->addWidget(TextoAssistente(paErros, "meCorrija", QStringLiteral("\nCorrija as informações através da opção Declaração - Abrir...")));
    le->addStretch();
    auto *botoesErros = new QHBoxLayout;
    bbRelatErros = botao(paErros, "bbRelatErros", QStringLiteral("Relatório &Erros"));
    bbVisualErros = botao(paErros, "bbVisualErros", QStringLiteral("Retatório &Avisos"));
    botoesErros->addWidget(bbRelatErros);
    botoesErros->addWidget(bbVisualErros);
    botoesErros->addStretch();
    le->addLayout(botoesErros);

    paAvisos = new QWidget(this);
    paAvisos->setObjectName(QStringLiteral("paAvisos"));
    auto *la = new QVBoxLayout(paAvisos);
    meAvisos = TextoAssistente(paAvisos, "meAvisos",
                     QStringLiteral("As informações do(s) estabelecimento(s)  não apresentaram erros.\n"
                                    "Foram gerados AVISOS.\n\n"
                                    "Os avisos não impedem a gravação da declaração: são alertas para que o empregador "
                                    "confira as informações que extrapolam limites, como valores muito altos.\n\n"
                                    "  - Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>.\n"
                                    "  - Para continuar a gravação do arquivo, informe a data que você está gravando-o, "
                                    "selecione o drive e clique no botão <Avançar>."));
    la->addWidget(meAvisos);
    bbVisualAvisos = botao(paAvisos, "bbVisualAvisos", QStringLiteral("Relatório &Avisos"));
    auto *linhaAvisos = new QHBoxLayout;
    linhaAvisos->addWidget(bbVisualAvisos);
    linhaAvisos->addStretch();
    la->addLayout(linhaAvisos);
    la->addStretch();
    paDriveAvisos = criaPainelDrive("paDriveAvisos", cbDriveAvisos, mdDataAvisos, edCreaAvisos, lbCreaAvisos,
                                    "cbDriveAvisos", "mdDataAvisos", "edCreaAvisos");
    la->addWidget(paDriveAvisos);

    paConcluir = new QWidget(this);
    paConcluir->setObjectName(QStringLiteral("paConcluir"));
    auto *lc = new QVBoxLayout(paConcluir);
    meConcluir = TextoAssistente(paConcluir, "meConcluir",
                       QStringLiteral("As informações do(s) estabelecimento(s) selecionado(s) estão corretamente declaradas.\n\n"
                                      "Para continuar a gravação do arquivo, informe a data que você está gravando-o, "
                                      "selecione o drive que contêm o arquivo e clique no botão <Avançar>."));
    lc->addWidget(meConcluir);
    lc->addStretch();
    paDriveConcluir = criaPainelDrive("paDriveConcluir", cbDriveConcluir, mdDataConcluir, edCREA, lbCrea,
                                      "cbDriveConcluir", "mdDataConcluir", "edCREA");
    lc->addWidget(paDriveConcluir);

    paGravando = new QWidget(this);
    paGravando->setObjectName(QStringLiteral("paGravando"));
    auto *lg = new QVBoxLayout(paGravando);
    lg->addStretch();
    lg->addWidget(TextoAssistente(paGravando, "lbGravando", QStringLiteral("Gravando declaração.")));
    prGravando = new QProgressBar(paGravando);
    prGravando->setObjectName(QStringLiteral("prGravando"));
    lg->addWidget(prGravando);
    lg->addStretch();

    for (QWidget *p : {paErros, paAvisos, paConcluir, paGravando}) {
        p->hide();
        p->setEnabled(false);
        Corpo->addWidget(p, 1);
    }
    criaBotoesPadrao([] {}, [this] { Avancar(); }, [this] { Cancelar(); });
    bbVoltar->setEnabled(false);

    connect(bbRelatErros, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(bbRelatErros, QStringLiteral("err"), TRvSystem::kNaoHaImpressoras); }));
    connect(bbVisualErros, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(bbVisualErros, QStringLiteral("war"), TRvSystem::kNaoHaImpressoras); }));
    connect(bbVisualAvisos, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(bbVisualAvisos, QStringLiteral("war"), TRvSystem::kNaoHaImpressoras); }));
    auto naoGrava = [this] { return !Gravando; };
    for (MaskEdit *data : {mdDataAvisos, mdDataConcluir})
        Portao().aoSair(data, [this, data] { CriticaData(data); }, naoGrava);
    Portao().aoSair(
        cbDriveConcluir,
        [this] {
            if (fFazerCritica() && !DriveSelecionado(cbDriveConcluir)) {
                cbDriveConcluir->setFocus();
                Abort();
            }
        },
        naoGrava);
    Relogio = [] { return QTime::currentTime(); };
}

QWidget *TfmGravaDecl03::criaPainelDrive(const char *nome, QComboBox *&combo, MaskEdit *&data, QLineEdit *&crea,
                                         QLabel *&lbCreaPainel, const char *nomeCombo, const char *nomeData,
                                         const char *nomeCrea)
{
    auto *painel = new QWidget(this);
    painel->setObjectName(QLatin1String(nome));
    auto *forma = new QFormLayout(painel);
    combo = new QComboBox(painel);
    combo->setObjectName(QLatin1String(nomeCombo));
    data = new MaskEdit(painel, kMascaraData);
    data->setObjectName(QLatin1String(nomeData));
    data->setMaximumWidth(data->fontMetrics().horizontalAdvance(QStringLiteral("99/99/99999")) + 16);
    crea = new QLineEdit(painel);
    crea->setObjectName(QLatin1String(nomeCrea));
    crea->setMaxLength(12);
    crea->setMaximumWidth(crea->fontMetrics().horizontalAdvance(QStringLiteral("9999999999999")) + 16);
    lbCreaPainel = new QLabel(QStringLiteral("Retifica o CREA"), painel);
    forma->addRow(QStringLiteral("Selecione o drive"), combo);
    forma->addRow(QStringLiteral("Data da geração"), data);
    forma->addRow(lbCreaPainel, crea);
    return painel;
}

void TfmGravaDecl03::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    bbVoltar->setEnabled(false);
    bbAvancar->setEnabled(false);
    paMsgAviso->hide();
    CarregaDrives(m_letras, cbDriveAvisos);
    CarregaDrives(m_letras, cbDriveConcluir);
    const quint8 r = dmDadosResp->ResultadoConsistencia;
    for (QWidget *p : {paErros, paAvisos, paConcluir, paGravando}) {
        p->hide();
        p->setEnabled(false);
    }
    QWidget *painel = nullptr;
    if (r == 0) {
        bbAvancar->setEnabled(true);
        painel = paConcluir;
    } else if (r & Consistencia::HaErros) {
        const bool avisos = r & Consistencia::HaAvisos;
        painel = paErros;
        bbVisualErros->setEnabled(avisos);
        paMsgAviso->setVisible(avisos);
    } else {
        bbAvancar->setEnabled(true);
        painel = paAvisos;
    }
    painel->setEnabled(true);
    painel->show();
    m_painelLembrado = painel;
    const bool retificacao = dmDadosResp->Retificacao;
    for (const auto &[crea, rotulo] : {std::pair{edCREA, lbCrea}, std::pair{edCreaAvisos, lbCreaAvisos}}) {
        crea->clear();
        Trava(crea, !retificacao);
        crea->setFocusPolicy(retificacao ? Qt::StrongFocus : Qt::NoFocus);
        crea->setVisible(retificacao);
        rotulo->setVisible(retificacao);
    }
    if (painel == paConcluir)
        mdDataConcluir->setFocus();
    else if (painel == paAvisos)
        mdDataAvisos->setFocus();
    else
        bbRelatErros->setFocus();
}

bool TfmGravaDecl03::fFazerCritica() const
{
    QCoreApplication::processEvents();
    const QWidget *foco = QApplication::focusWidget();
    static const QStringList saidas{QStringLiteral("bbCancelar"),    QStringLiteral("bbVoltar"),
                                    QStringLiteral("bbRelatAvisos"), QStringLiteral("bbRelatErros"),
                                    QStringLiteral("bbVisualAvisos"), QStringLiteral("bbVisualErros")};
    return !foco || !saidas.contains(foco->objectName());
}

void TfmGravaDecl03::CriticaData(MaskEdit *data)
{
    if (!fFazerCritica())
        return;
    const QString codigo = CriticaDataGravacao(data->textoArmazenado(), Configuracao().AnoBase);
    if (codigo == QLatin1String("0000"))
        return;
    MostraMensagem(codigo);
    data->setFocus();
    Abort();
}

void TfmGravaDecl03::pCrea(QLineEdit *crea)
{
    const QString codigo = CriticaCreaGravacao(crea->text());
    if (codigo == QLatin1String("0000"))
        return;
    MostraMensagem(codigo);
    crea->setFocus();
    Abort();
}

bool TfmGravaDecl03::DriveSelecionado(QComboBox *combo)
{
    if (combo->currentIndex() >= 0)
        return true;
    MostraMensagem(QStringLiteral("0600"));
    return false;
}

void TfmGravaDecl03::Avancar()
{
    const bool avisos = paAvisos->isVisibleTo(this);
    if (!avisos && !paConcluir->isVisibleTo(this))
        return;
    QWidget *painel = avisos ? paAvisos : paConcluir;
    MaskEdit *data = avisos ? mdDataAvisos : mdDataConcluir;
    QComboBox *combo = avisos ? cbDriveAvisos : cbDriveConcluir;
    QLineEdit *crea = avisos ? edCreaAvisos : edCREA;
    MarcaEnquanto emCritica(Portao().emCritica());
    CriticaData(data);
    if (!DriveSelecionado(combo)) {
        combo->setFocus();
        return;
    }
    Unidade = m_letras.value(combo->currentIndex());
    DataGeracao = data->textoArmazenado();
    Configuracao().Crea = crea->text().trimmed();
    if (dmDadosResp->Retificacao)
        pCrea(crea);
    m_painelLembrado = painel;
    painel->hide();
    HoraGravacao = HoraGeracao(Relogio());
    if (fGravouArquivoVORN())
        Avanca(m_seguinte);
}

bool TfmGravaDecl03::fGravouArquivoVORN()
{
    bbVoltar->setEnabled(false);
    bbAvancar->setEnabled(false);
    prGravando->setValue(0);
    paGravando->setEnabled(true);
    paGravando->show();
    quint8 r = 0;
    {
        MarcaEnquanto executando(Gravando);
        QtProgresso progresso(prGravando);
        repaint();
        const bool retificacao = dmDadosResp->Retificacao;
        r = GravaDeclaracao(retificacao ? nullptr : Selecao, Unidade, QString(), HoraGravacao, DataGeracao, retificacao,
                            retificacao, &progresso);
    }
    if (r == ResultadoGravacao::Concluida)
        return true;
    if (r & ResultadoGravacao::Interrompida)
        presenter().show(MessageKind::Information,
                         QStringLiteral("A gravação do arquivo \"VORN") + anoBase() + QStringLiteral("\" interrompida pelo usuário!"),
                         {MessageButton::Ok});
    else
        presenter().show(MessageKind::Information,
                         QStringLiteral("Ocorreu um erro durante a gravação do arquivo de declaração VORN") + anoBase() +
                             QLatin1Char('.'),
                         {MessageButton::Ok});
    bbVoltar->setEnabled(false);
    bbAvancar->setEnabled(true);
    paGravando->hide();
    paGravando->setEnabled(false);
    if (m_painelLembrado) {
        m_painelLembrado->show();
        m_painelLembrado->setEnabled(true);
    }
    return false;
}

void VisualizaOcorrencias(QPushButton *botao, const QString &errWar, const TRvSystem::SemImpressora &aviso)
{
    botao->setEnabled(false);
    struct Reabilita {
        QPushButton *b;
        ~Reabilita() { b->setEnabled(true); }
    } reabilita{botao};
    dmRaveRelatorios->VisualizaErros(errWar, aviso);
}

void TfmGravaDecl03::Cancelar()
{
    if (Gravando) {
        CancelaGravacao();
        return;
    }
    Encerra();
}

void TfmGravaDecl03::aoCancelar() { Cancelar(); }

} // namespace gdvorn
