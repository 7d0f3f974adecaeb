// The analysis wizard's findings page (reports, correction path, the rewrite), its success page and the
// rules window of the correction path.

#include "workflows/ufmAnalis.h"

#include "app/QtModal.h"
#include "app/QtProgresso.h"
#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmDrives.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "fileformat/ugGravaDeclaracao.h"
#include "workflows/QtAcoesResumo.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ugAnalis.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
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

QString ano() { return QString::number(Configuracao().AnoBase); }

QPushButton *botao(QWidget *pai, const char *nome, const QString &legenda)
{
    auto *b = new QPushButton(legenda, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QString notaCorrecao()
{
    return QStringLiteral("Observação: Caso você deseje corrigir as informações e gerar novo arquivo através do GDVORN") +
           ano() + QStringLiteral(", você deve clicar no botão <Corrigir no GDVorn>.");
}

// The drive and CREA row of a panel.
QWidget *painelDrive(QWidget *pai, const char *nome, QComboBox *&combo, QLabel *&rotulo, QLineEdit *&crea,
                     const char *nomeCombo, const char *nomeRotulo, const char *nomeCrea)
{
    auto *painel = new QWidget(pai);
    painel->setObjectName(QLatin1String(nome));
    auto *forma = new QFormLayout(painel);
    forma->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    combo = new QComboBox(painel);
    combo->setObjectName(QLatin1String(nomeCombo));
    rotulo = new QLabel(QStringLiteral("Retifica o CREA"), painel);
    rotulo->setObjectName(QLatin1String(nomeRotulo));
    crea = new QLineEdit(painel);
    crea->setObjectName(QLatin1String(nomeCrea));
    crea->setMaxLength(12);
    crea->setMaximumWidth(crea->fontMetrics().horizontalAdvance(QStringLiteral("9999999999999")) + 16);
    forma->addRow(QStringLiteral("Selecione o drive:"), combo);
    forma->addRow(rotulo, crea);
    return painel;
}

} // namespace

TfmAnalis01::TfmAnalis01(TfmAnalis02 *sucesso) : TPaginaGravacao("fmAnalis01", kAjudaAnalisador), m_sucesso(sucesso)
{
    PInco = new QWidget(this);
    PInco->setObjectName(QStringLiteral("PInco"));
    auto *li = new QVBoxLayout(PInco);
    Memo1 = TextoFixo(PInco, "Memo1",
                      QStringLiteral("Os estabelecimentos presentes no arquivo possuem ERROS.\n"
                                     "Os erros impedem a aceitação do arquivo nos Locais destinados a recepção da VORN.\n\n"
                                     "  - Para visualizar e imprimir os erros encontrados, clique no botão <Relatório Erros>.\n\n\n\n"
                                     "Você deve proceder a correção das informações, no sistema que gerou o arquivo, e \n"
                                     "submeter o novo arquivo ao Analisador.\n "));
    li->addWidget(Memo1, 1);
    paMsgAviso = TextoAssistente(PInco, "paMsgAviso",
                                 QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."));
    li->addWidget(paMsgAviso);
    auto *bi = new QHBoxLayout;
    BtImporta = botao(PInco, "BtImporta", QStringLiteral("C&orrigir no GDVorn"));
    bbVisualErros = botao(PInco, "bbVisualErros", QStringLiteral("Relatório &Avisos"));
    bbImpErros = botao(PInco, "bbImpErros", QStringLiteral("Relatório &Erros"));
    bi->addWidget(BtImporta);
    bi->addStretch();
    bi->addWidget(bbVisualErros);
    bi->addWidget(bbImpErros);
    li->addLayout(bi);

    PDist = new QWidget(this);
    PDist->setObjectName(QStringLiteral("PDist"));
    auto *ld = new QVBoxLayout(PDist);
    ld->addWidget(TextoFixo(PDist, "Memo2",
                            QStringLiteral("Não foram encontrados erros nos estabelecimentos presentes no arquivo.\n"
                                           "Foram gerados apenas AVISOS.\n"
                                           "Os avisos são alertas para que o empregador fique atento as informações\n"
                                           " que extrapolam limites como valores muitos altos.\n"
                                           "As ocorrências que geram avisos estão descritas na Ajuda do sistema.\n\n"
                                           "Para visualizar e imprimir relatórios de avisos, clicar no botão<Relatório Avisos>.\n\n"
                                           "Para proceder uma nova gravação do arquivo analisado, em disquete, e \n"
                                           "gerar a Etiqueta, ou no drive C, selecione o drive e clique no botão <Gravar>.")),
                  1);
    auto *bd = new QHBoxLayout;
    bd->addWidget(painelDrive(PDist, "PDrive", cbDriveAvisos, Label4, edCreaAvisos, "cbDriveAvisos", "Label4", "edCreaAvisos"));
    bd->addStretch();
    BtVisualizar = botao(PDist, "BtVisualizar", QStringLiteral("Relatório &Avisos"));
    bd->addWidget(BtVisualizar, 0, Qt::AlignBottom);
    ld->addLayout(bd);

    POk = new QWidget(this);
    POk->setObjectName(QStringLiteral("POk"));
    auto *lo = new QVBoxLayout(POk);
    Memo3 = TextoFixo(POk, "Memo3",
                      QStringLiteral("Os estabelecimentos presentes no arquivo estão corretos.\n\n"
                                     "Para proceder uma nova gravação do arquivo analisado, em disquete ou no drive C, \n"
                                     "selecione o drive e clique no botão <Gravar>."));
    Memo4 = TextoFixo(POk, "Memo4",
                      QStringLiteral("A estrutura do arquivo está correta.\n\n"
                                     "Para proceder a partição do arquivo, clique no botão <Gravar>."));
    lo->addWidget(Memo3, 1);
    lo->addWidget(Memo4, 1);
    Panel1 = painelDrive(POk, "Panel1", cbDrive, Label3, edCrea, "cbDrive", "Label3", "edCrea");
    lo->addWidget(Panel1);

    for (QWidget *p : {PInco, PDist, POk}) {
        p->hide();
        Corpo->addWidget(p, 1);
    }
    pbConsistencia = new QProgressBar(this);
    pbConsistencia->setObjectName(QStringLiteral("pbConsistencia"));
    pbConsistencia->hide();
    Corpo->addWidget(pbConsistencia);

    BtConcluir = criaBotao("BtConcluir", QStringLiteral("&Gravar"), [this] { Gravar(); });
    BtCancelar = criaBotao("BtCancelar", QStringLiteral("&Cancelar"), [this] { aoCancelar(); });
    connect(bbImpErros, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(bbImpErros, QStringLiteral("err"), TRvSystem::kImpossivelImprimir); }));
    connect(bbVisualErros, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(bbVisualErros, QStringLiteral("war"), TRvSystem::kImpossivelImprimir); }));
    connect(BtVisualizar, &QPushButton::clicked, this, Protegido([this] { VisualizaOcorrencias(BtVisualizar, QStringLiteral("war"), TRvSystem::kImpossivelImprimir); }));
    connect(BtImporta, &QPushButton::clicked, this, Protegido([this] { Importa(); }));

    CarregaDrives(LetrasDrives, cbDrive);
    QStringList letras;
    CarregaDrives(letras, cbDriveAvisos);
}

void TfmAnalis01::aoMostrar()
{
    const bool particao = Configuracao().ModoParticao;
    Assistente()->setWindowTitle(particao ? QStringLiteral("Assistente para Particionar um Arquivo VORN") + ano()
                                          : QStringLiteral("Assistente para Analisar um arquivo VORN"));
    const QString nota = notaCorrecao();
    QString texto = Memo1->toPlainText();
    if (!texto.endsWith(nota))
        Memo1->setPlainText(texto + QLatin1Char('\n') + nota);
    for (QWidget *p : {PInco, PDist, POk}) {
        p->hide();
        p->setEnabled(false);
    }
    BtConcluir->setEnabled(true);
    pbConsistencia->hide();
    Memo3->setVisible(!particao);
    Memo4->setVisible(particao);
    Panel1->setVisible(!particao);
    QLineEdit *crea = nullptr;
    QLabel *rotulo = nullptr;
    if (ModoResultado == QLatin1String("2") || ModoResultado == QLatin1String("1")) {
        const bool avisos = ModoResultado == QLatin1String("2");
        PInco->setEnabled(true);
        PInco->show();
        bbVisualErros->setEnabled(avisos);
        paMsgAviso->setVisible(avisos);
        BtConcluir->setEnabled(false);
        bbImpErros->setFocus();
    } else if (ModoResultado == QLatin1String("0")) {
        PDist->setEnabled(true);
        PDist->show();
        crea = edCreaAvisos;
        rotulo = Label4;
        BtConcluir->setFocus();
    } else {
        POk->setEnabled(true);
        POk->show();
        crea = edCrea;
        rotulo = Label3;
        BtConcluir->setFocus();
    }
    if (crea) {
        crea->clear();
        Trava(crea, !ArquivoRetificador, CorTrava::FaceBotao);
        crea->setFocusPolicy(ArquivoRetificador ? Qt::StrongFocus : Qt::NoFocus);
        crea->setVisible(ArquivoRetificador);
        rotulo->setVisible(ArquivoRetificador);
    }
}

void TfmAnalis01::aoCancelar()
{
    if (GravandoArquivo)
        CancelaGravacao();
    else
        Assistente()->fecha();
}

void TfmAnalis01::Importa()
{
    {
        // Page 01 stays out of sight while the rules window and the import pages run over it.
        OcultaEnquanto oculta(*Assistente());
        TfmAnalisRegras regras(this);
        ExecutaModal(regras);
    }
    aoMostrar();
}

void TfmAnalis01::Gravar()
{
    const bool particao = Configuracao().ModoParticao;
    QString letra = QStringLiteral("C");
    if (!particao) {
        const bool avisos = PDist->isEnabled();
        QComboBox *combo = avisos ? cbDriveAvisos : cbDrive;
        QLineEdit *crea = avisos ? edCreaAvisos : edCrea;
        if (combo->currentIndex() < 0) {
            MostraMensagem(QStringLiteral("0600"));
            combo->setFocus();
            return;
        }
        letra = LetrasDrives.value(combo->currentIndex());
        // The CREA edit is shown for a rectification file only; any other file is written without one.
        if (ArquivoRetificador) {
            const QString codigo = CriticaCreaAnalise(crea->text());
            if (codigo != QLatin1String("0000")) {
                MostraMensagem(codigo);
                crea->setFocus();
                return;
            }
        }
        Configuracao().Crea = ArquivoRetificador ? crea->text() : QString();
    }
    pbConsistencia->setValue(0);
    pbConsistencia->show();
    BtConcluir->setEnabled(false);
    quint8 r = 0;
    {
        MarcaEnquanto gravando(GravandoArquivo);
        QtProgresso progresso(pbConsistencia);
        r = GravaDeclaracao(nullptr, letra, QString(), QString(), QString(), true, ArquivoRetificador, &progresso);
    }
    BtConcluir->setEnabled(true);
    if (r & ResultadoGravacao::Interrompida) {
        presenter().show(MessageKind::Information,
                         QStringLiteral("A gravação do arquivo \"VORN") + ano() + QStringLiteral("\" interrompida pelo usuário!"),
                         {MessageButton::Ok});
        Assistente()->fecha();
        return;
    }
    if (r & ResultadoGravacao::ErroGravacao) {
        presenter().show(MessageKind::Information,
                         QStringLiteral("Ocorreu um erro durante a gravação do arquivo \"VORN") + ano() +
                             QStringLiteral("\".\rSubstitua o disquete e tente novamente."),
                         {MessageButton::Ok});
        return;
    }
    Avanca(m_sucesso);
}

TfmAnalis02::TfmAnalis02() : TPaginaGravacao("fmAnalis02", kAjudaAnalisador)
{
    const QString enderecos = QStringLiteral("   ") + kEnderecoServico + QStringLiteral(" e ") + kEnderecoServico +
                              QStringLiteral("/vornnet");
    meAnaliseOK = TextoFixo(this, "meAnaliseOK",
                            QStringLiteral("Arquivo gerado com SUCESSO !\n\nImportante!\n"
                                           "   1) O arquivo deve ser transmitido utilizando a função Transmitir Declaração\n"
                                           "   do menu principal. É necessário o download do aplicativo VornNet2009\n") +
                                enderecos +
                                QStringLiteral("\n\n   2) Providencie uma cópia de segurança do disquete gerado ou da base \n"
                                               "   de  dados  do  sistema  e  guarde-a  junto  com  o relatório e o recibo,\n"
                                               "   deixando-os disponíveis para a fiscalização.\n\n"
                                               "   3) As informações declaradas são de responsabilidade da empresa e tem \n"
                                               "   impactos  no recebimento de abono salarial de seus trabalhadores e nas \n"
                                               "   estatísticas do Governo Federal. "));
    meAnaliseOkPartic = TextoFixo(
        this, "meAnaliseOkPartic",
        QStringLiteral("Arquivo particionado com SUCESSO !\n\nImportante!\n"
                       "   1) Os arquivos particionados devem ser analisados utilizando a função \n"
                       "      \"Analisador\" do menu principal. \n\n"
                       "   2) Após ser validado pela função de análise, o arquivo deve ser transmitido \n"
                       "       utilizando a opção Transmitir Declaração do menu principal. É necessário\n"
                       "       o download do aplicativo VornNet2009  disponível nos endereços \n") +
            enderecos +
            QStringLiteral("\n\n   3) As informações declaradas são de responsabilidade da empresa e tem \n"
                           "       impactos  no recebimento de abono salarial de seus trabalhadores e nas \n"
                           "       estatísticas do Governo Federal. "));
    Corpo->addWidget(meAnaliseOK, 1);
    Corpo->addWidget(meAnaliseOkPartic, 1);
    lblEtiq = TextoAssistente(this, "lblEtiq",
                              QStringLiteral("Para visualizar e imprimir a Relação dos Estabelecimentos declarados, clicar no "));
    Label1 = TextoAssistente(this, "Label1", QStringLiteral("botão <Visualizar Resumo>."));
    Corpo->addWidget(lblEtiq);
    Corpo->addWidget(Label1);
    bbRelat = criaBotao("bbRelat", QStringLiteral("Visualizar &Resumo"), [this] { AcoesResumo::Resumo(bbRelat); });
    bbEtiq = criaBotao("bbEtiq", QStringLiteral("&Etiqueta"), [this] { AcoesResumo::Etiqueta(bbEtiq); });
    btSalvarRelat = criaBotao("btSalvarRelat", QStringLiteral("&Salvar Resumo"),
                              [this] { AcoesResumo::SalvaResumo(this, btSalvarRelat); });
    btnTransmite = criaBotao("btnTransmite", QStringLiteral("&Transmitir"), [this] { Transmite(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { aoCancelar(); });
}

void TfmAnalis02::aoMostrar()
{
    const bool particao = Configuracao().ModoParticao;
    Assistente()->setWindowTitle(particao ? QStringLiteral("Assistente para Particionar um Arquivo VORN") + ano()
                                          : QStringLiteral("Assistente para Analisar um arquivo VORN") + ano());
    meAnaliseOK->setVisible(!particao);
    meAnaliseOkPartic->setVisible(particao);
    for (QWidget *w : {static_cast<QWidget *>(bbEtiq), static_cast<QWidget *>(bbRelat),
                       static_cast<QWidget *>(btSalvarRelat), static_cast<QWidget *>(lblEtiq),
                       static_cast<QWidget *>(Label1), static_cast<QWidget *>(btnTransmite)})
        w->setVisible(!particao);
    (particao ? bbFechar : bbRelat)->setFocus();
    const int qtd = Configuracao().QtdArquivos;
    if (qtd <= 1)
        return;
    if (particao)
        presenter().show(MessageKind::Warning,
                         QStringLiteral("A declaração foi particionada em ") + QString::number(qtd) +
                             QStringLiteral(" arquivos, que se encontram em ") +
                             QDir::toNativeSeparators(PastaDaUnidade(QStringLiteral("C"))) +
                             QStringLiteral(".\r\nUtilize a função \"Analisador\" do menu principal para verificar se os "
                                            "registros atendem as especificações constantes na Cartela da VORN"),
                         {MessageButton::Ok});
    else
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Foram gerados ") + QString::number(qtd) +
                             QStringLiteral(" arquivos. Utilize a função \"Transmitir Declaração\" do menu principal."),
                         {MessageButton::Ok});
}

void TfmAnalis02::aoCancelar()
{
    Configuracao().ModoParticao = false;
    Assistente()->fecha();
}

void TfmAnalis02::Transmite()
{
    Configuracao().ModoParticao = false;
    Configuracao().TransmiteAposGravacao = 1;
    const bool viaTransmissao = AnaliseViaTransmissao;
    Assistente()->fecha();
    // From the main window the transmission opens once the wizard has unwound; from the transmission
    // window that window is beneath and lists again.
    if (!viaTransmissao && fmGDVORN && fmGDVORN->edTrans) {
        fmGDVORN->edTrans->setVisible(true);
        fmGDVORN->edTrans->setFocus();
    }
}

TfmAnalisRegras::TfmAnalisRegras(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmAnalisRegras"));
    setWindowTitle(QStringLiteral("Acertando o arquivo através do GDVORN"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *l = new QVBoxLayout(this);
    l->addWidget(TPaginaGravacao::TextoFixo(
                     this, "Memo1",
                     QStringLiteral(
                         "Para acertar as informações que estão no arquivo o programa irá importar todos os estabelecimentos para a base\n"
                         "do sistema.\n\n"
                         "A importação de dados para a base do sistema segue algumas regras que você deve saber:\n"
                         "1 - Caso o estabelecimento identificado pela inscrição/prefixo já exista na base do sistema:\n"
                         "        1.1 - As informações referentes ao empregador serão mantidas as existentes na base\n"
                         "        1.2 - Os empregados que já existirem na base não serão importados\n"
                         "        1.3 - Os empregados que não existirem na base serão importados, complementando o estabelecimento existente.\n"
                         "2 - Caso o estabelecimento identificado pela inscrição/prefixo não exista na base do sistema:\n"
                         "        2.1 - Todas as informações referentes ao empregador e seus empregados serão importados.\n"
                         "                Maiores detalhes sobre o processo de importação poderá ser conseguido no arquivo Ajuda.\n"
                         "3 - Para correção das informações utilize a opção - Declaração  - Abrir ...\n"
                         "4 - Avaliar as informações corrigidas através da opção - Declaração -  Verificar Inconsistências Da Declaração.\n"
                         "5 - Gravar a declaração novamente.\n\n"
                         "     Importante !\n"
                         "     O usuário deverá identificar na opção Gravar declaração todos os estabelecimentos que devem integrar o arquivo \n"
                         "de entrega.")),
                 1);
    auto *b = new QHBoxLayout;
    b->addStretch();
    BtFechar = botao(this, "BtFechar", QStringLiteral("C&onfirma"));
    BtCancelar = botao(this, "BtCancelar", QStringLiteral("&Cancelar"));
    // Enter presses the button that has the focus (the text takes none).
    BtFechar->setAutoDefault(true);
    BtCancelar->setAutoDefault(true);
    b->addWidget(BtFechar);
    b->addWidget(BtCancelar);
    l->addLayout(b);
    connect(BtFechar, &QPushButton::clicked, this, Protegido([this] { Confirma(); }));
    connect(BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
    resize(820, 470);
    BtFechar->setFocus();
}

void TfmAnalisRegras::Confirma()
{
    // The import's choice and last pages in a frame of their own, every line ticked, the base year's file.
    {
        TfmAssistente importacao(QStringLiteral("Assistente para Importação de Estabelecimentos"), this);
        importacao.setObjectName(QStringLiteral("fmImportacao"));
        auto *p03 = new TfmImport03;
        auto *p02 = new TfmImport02(p03);
        p02->SelecionaTodos = true;
        p02->LeCabecalho = false;
        p02->LayoutAnterior = false;
        p02->AnoImportacao = Configuracao().AnoBase;
        p03->AnoImportacao = Configuracao().AnoBase;
        importacao.adiciona(p02);
        importacao.adiciona(p03);
        importacao.inicia();
        OcultaJanela(*this);
        ExecutaModal(importacao);
    }
    accept();
}

} // namespace gdvorn
