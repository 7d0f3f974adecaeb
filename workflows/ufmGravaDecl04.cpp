// The recording wizard's page 04: the files written, their summary and labels, the summary as a PDF file
// and the hand-over to the transmission window.

#include "workflows/ufmGravaDecl.h"

#include "app/base/DialogoArquivo.h"
#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "workflows/ugGravaDecl.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace gdvorn {

namespace {

QString anoBase() { return QString::number(Configuracao().AnoBase); }

} // namespace

TfmGravaDecl04::TfmGravaDecl04() : TPaginaGravacao("fmGravaDecl04", 894)
{
    meDecl04 = new QPlainTextEdit(this);
    meDecl04->setObjectName(QStringLiteral("meDecl04"));
    meDecl04->setReadOnly(true);
    meDecl04->setFocusPolicy(Qt::NoFocus);
    meDecl04->setPlainText(
        QStringLiteral("Arquivo gerado com SUCESSO !\n\n"
                       "Importante!\n\n"
                       "1) O arquivo deve ser transmitido pela função \"Transmitir Declaração\" do menu principal, que "
                       "precisa do programa de transmissão VornNet") +
        anoBase() + QStringLiteral(", disponível no endereço ") + kEnderecoServico +
        QStringLiteral(".\n\n"
                       "2) Mantenha uma cópia de segurança da base de dados do sistema em outra pasta ou em disquete, "
                       "junto com o relatório e o recibo de entrega, à disposição da fiscalização.\n\n"
                       "3) As informações declaradas são de responsabilidade do empregador: delas dependem o abono "
                       "salarial dos seus trabalhadores e as estatísticas do governo."));
    Memo1 = new QLabel(QStringLiteral("Para visualizar e imprimir a Relação dos Estabelecimentos declarados, "
                                      "clicar no botão <Visualizar Resumo>. "),
                       this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setWordWrap(true);
    Corpo->addWidget(meDecl04, 1);
    Corpo->addWidget(Memo1);
    bbRelat = criaBotao("bbRelat", QStringLiteral("Visualizar &Resumo"), [this] { Resumo(); });
    bbEtiq = criaBotao("bbEtiq", QStringLiteral("&Etiqueta"), [this] { Etiqueta(); });
    btSalvarRelat = criaBotao("btSalvarRelat", QStringLiteral("&Salvar Resumo"), [this] { SalvaResumo(); });
    Button1 = criaBotao("Button1", QStringLiteral("&Transmitir"), [this] { Transmite(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Encerra(); });
}

void TfmGravaDecl04::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    bbRelat->setFocus();
    const int qtd = Configuracao().QtdArquivos;
    if (qtd > 1)
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Foram gerados ") + QString::number(qtd) +
                             QStringLiteral(" arquivos. Utilize a função \"Transmitir Declaração\" do menu principal."),
                         {MessageButton::Ok});
}

// Close: the page has no Cancel.
void TfmGravaDecl04::aoCancelar() { Encerra(); }

bool TfmGravaDecl04::VerificaImpressora()
{
    TRvSystem &sistema = dmRaveRelatorios->RvSystem1;
    if (sistema.HaImpressora())
        return true;
    // The same title as every other box that says there is no printer.
    presenter().show(MessageKind::Error, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."),
                     {MessageButton::Ok}, QStringLiteral("Atenção"), MessageButton::Ok);
    sistema.ImprimeDaVisualizacao = false;
    return false;
}

namespace {

// Disables a button for the length of a report run.
struct BotaoOcupado {
    explicit BotaoOcupado(QPushButton *b) : botao(b) { botao->setEnabled(false); }
    ~BotaoOcupado()
    {
        QCoreApplication::processEvents();
        botao->setEnabled(true);
    }
    QPushButton *botao;
};

} // namespace

void TfmGravaDecl04::Resumo()
{
    VerificaImpressora();
    BotaoOcupado ocupado(bbRelat);
    dmRaveRelatorios->RvSystem1.Destino = DestinoRelatorio::Visualizacao;
    TRvProject &projeto = dmRaveRelatorios->RvProtocolo;
    projeto.SetParam(QStringLiteral("AnoBase"), anoBase());
    projeto.ExecuteReport(QStringLiteral("rptProtocolo"));
}

void TfmGravaDecl04::Etiqueta()
{
    VerificaImpressora();
    BotaoOcupado ocupado(bbEtiq);
    dmRaveRelatorios->RvSystem1.Destino = DestinoRelatorio::Visualizacao;
    TRvProject &projeto = dmRaveRelatorios->RvProtocolo;
    projeto.SetParam(QStringLiteral("AnoBase"), anoBase());
    projeto.SetParam(QStringLiteral("VersaoEditada"), VersaoEditada(Configuracao().Versao));
    projeto.ExecuteReport(QStringLiteral("rptEtiqueta"));
}

void TfmGravaDecl04::SalvaResumo()
{
    PedidoArquivo pedido;
    pedido.tipo = PedidoArquivo::Salvar;
    pedido.filtro = QStringLiteral("Arquivos Adobe PDF|*.pdf");
    pedido.extensaoPadrao = QStringLiteral("pdf");
    pedido.pastaInicial = Raiz();
    pedido.nomeInicial = QDir(Raiz()).filePath(QStringLiteral("Resumo_") + Configuracao().NomeArquivoGerado);
    // The overwrite question is ours, naming the file chosen.
    pedido.confirmaSobrescrita = false;
    const QString arquivo = dialogoArquivo().escolhe(this, pedido);
    if (arquivo.isEmpty())
        return;
    if (QFileInfo::exists(arquivo)) {
        if (presenter().show(MessageKind::Confirmation, PerguntaSobrescreveResumo(arquivo),
                             {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
            return;
    }
    BotaoOcupado ocupado(btSalvarRelat);
    auto naoGravou = [&arquivo](const QString &motivo) {
        presenter().show(MessageKind::Error,
                         QStringLiteral("Não foi possível gravar o arquivo \"") + QDir::toNativeSeparators(arquivo) +
                             QStringLiteral("\".") + (motivo.isEmpty() ? QString() : QLatin1Char('\n') + motivo),
                         {MessageButton::Ok});
    };
    // The old file goes first, so that only a file written now counts as saved.
    if (QFileInfo::exists(arquivo) && !QFile::remove(arquivo)) {
        naoGravou(QString());
        return;
    }
    TRvSystem &sistema = dmRaveRelatorios->RvSystem1;
    sistema.Destino = DestinoRelatorio::Arquivo;
    sistema.ArquivoSaida = arquivo;
    struct Restaura {
        TRvSystem &s;
        ~Restaura()
        {
            s.Destino = DestinoRelatorio::Visualizacao;
            s.ArquivoSaida.clear();
        }
    } restaura{sistema};
    TRvProject &projeto = dmRaveRelatorios->RvProtocolo;
    projeto.SetParam(QStringLiteral("AnoBase"), anoBase());
    try {
        projeto.ExecuteReport(QStringLiteral("rptProtocolo"));
    } catch (const std::runtime_error &e) {
        naoGravou(QString::fromStdString(e.what()));
        return;
    }
    const QFileInfo escrito(arquivo);
    if (escrito.exists() && escrito.size() > 0)
        presenter().show(MessageKind::Information, QStringLiteral("Documento salvo com sucesso."), {MessageButton::Ok});
    else
        naoGravou(QString());
}

void TfmGravaDecl04::Transmite()
{
    Configuracao().TransmiteAposGravacao = 1;
    dmDadosResp->te8Resp.Close();
    dmDadosResp->te8Emp.Close();
    dmDadosResp->te8Vinc.Close();
    Encerra();
    if (fmGDVORN && fmGDVORN->edTrans) {
        fmGDVORN->edTrans->setVisible(true);
        fmGDVORN->edTrans->setFocus();
    }
}

} // namespace gdvorn
