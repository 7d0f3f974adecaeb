#include "app/ufmInicioRegras.h"

#include "app/QtModal.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/ugExcecao.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace gdvorn {

TfmInicioRegras *fmInicioRegras = nullptr;

TfmInicioRegras::TfmInicioRegras(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      taResp(QStringLiteral("bd8resp"))
{
    setObjectName(QStringLiteral("fmInicioRegras"));
    setWindowTitle(QStringLiteral("GDVorn - Informações úteis"));
    taResp.setFieldDeclarations({FieldDef{QStringLiteral("InDicas"), FieldType::Boolean, 0}});

    auto *titulo = new QLabel(QStringLiteral("CERTIFICAÇÃO DIGITAL"), this);
    titulo->setObjectName(QStringLiteral("lbTitulo"));
    titulo->setAlignment(Qt::AlignCenter);
    QFont fonte = titulo->font();
    fonte.setBold(true);
    titulo->setFont(fonte);
    auto *texto = new QTextEdit(this);
    texto->setObjectName(QStringLiteral("meTexto"));
    texto->setReadOnly(true);
    texto->setFocusPolicy(Qt::NoFocus);
    texto->setPlainText(QStringLiteral(
        "Recomendamos que a declaração seja transmitida com um certificado digital válido, do próprio "
        "estabelecimento (CNPJ) ou do responsável pela declaração (CPF ou CNPJ).\n\n"
        "A transmissão com certificado digital identifica quem entrega a declaração e dispensa outras "
        "formas de comprovação. Verifique antes da transmissão se o certificado está dentro do prazo de "
        "validade e instalado neste computador."));
    cbDicas = new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"), this);
    cbDicas->setObjectName(QStringLiteral("cbDicas"));
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtOk->setEnabled(false);
    // Enter presses OK once it is enabled, wherever the focus is in the window.
    BtOk->setDefault(true);
    connect(BtOk, &QPushButton::clicked, this, Protegido([this] { BtOkClick(); }));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addWidget(texto, 1);
    auto *base = new QHBoxLayout;
    base->addWidget(cbDicas, 1);
    base->addWidget(BtOk);
    layout->addLayout(base);
    resize(480, 300);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, Protegido([this] { Timer1Timer(); }));

    m_binder.liga(cbDicas, QStringLiteral("InDicas"));
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool TfmInicioRegras::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == QCoreApplication::instance() && event->type() == QEvent::Quit)
        m_saindo = true;
    return QDialog::eventFilter(objeto, event);
}

TfmInicioRegras::~TfmInicioRegras()
{
    if (fmInicioRegras == this)
        fmInicioRegras = nullptr;
}

void TfmInicioRegras::abreTabela()
{
    if (!taResp.Active())
        taResp.Open();
    taResp.First();
    m_binder.carrega();
}

bool TfmInicioRegras::MostraNoInicio()
{
    abreTabela();
    if (!taResp.IsEmpty() && taResp.FieldByName(QStringLiteral("InDicas")).AsBoolean()) {
        Timer1->stop();
        return false;
    }
    m_contagem = 6;
    BtOk->setEnabled(false);
    Timer1->start();
    ExecutaModal(*this);
    return true;
}

void TfmInicioRegras::MostraDoMenu()
{
    Timer1->stop();
    BtOk->setEnabled(true);
    abreTabela();
    ExecutaModal(*this);
}

void TfmInicioRegras::Timer1Timer()
{
    // Six ticks from 6: the sixth finds the count below 2.
    if (m_contagem < 2) {
        Timer1->stop();
        BtOk->setEnabled(true);
        BtOk->setFocus();
        return;
    }
    --m_contagem;
}

void TfmInicioRegras::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    cbDicas->setFocus();
}

void TfmInicioRegras::BtOkClick()
{
    try {
        taResp.Edit();
        m_binder.grava();
        taResp.Post();
    } catch (const DatabaseError &e) {
        // A data folder that cannot be written must not keep the user here: the choice is lost, said so.
        if (taResp.Active() && taResp.State() != DataSetState::Browse)
            taResp.Cancel();
        presenter().show(MessageKind::Error, e.message(), {MessageButton::Ok});
    }
    taResp.Close();
    accept();
}

void TfmInicioRegras::reject()
{
    if (BtOk->isEnabled())
        QDialog::reject();
}

void TfmInicioRegras::closeEvent(QCloseEvent *event)
{
    // The user cannot close it before the countdown ends; the program itself may (its end). The
    // application's quit closes its windows as the window system does, so it is told apart by its event.
    if (BtOk->isEnabled()) {
        QDialog::closeEvent(event);
    } else if (!event->spontaneous() || m_saindo) {
        done(QDialog::Rejected);
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace gdvorn
