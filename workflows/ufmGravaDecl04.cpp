// The recording wizard's page 04: the files written, their summary and labels, the summary as a PDF file
// and the hand-over to the transmission window. The summary, label and PDF are AcoesResumo's.

#include "workflows/ufmGravaDecl.h"

#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "workflows/QtAcoesResumo.h"
#include "workflows/ugGravaDecl.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    bbRelat = criaBotao("bbRelat", QStringLiteral("Visualizar &Resumo"), [this] { AcoesResumo::Resumo(bbRelat); });
    bbEtiq = criaBotao("bbEtiq", QStringLiteral("&Etiqueta"), [this] { AcoesResumo::Etiqueta(bbEtiq); });
    btSalvarRelat = criaBotao("btSalvarRelat", QStringLiteral("&Salvar Resumo"),
                              [this] { AcoesResumo::SalvaResumo(this, btSalvarRelat); });
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
