#include "entry/ufmSemEmpregados.h"

#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace gdvorn {

TfmSemEmpregados::TfmSemEmpregados(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), taResp(QStringLiteral("bd8resp"))
{
    setObjectName(QStringLiteral("fmSemEmpregados"));
    taResp.setFieldDeclarations({FieldDef{QStringLiteral("InDicasSemEmpregados"), FieldType::Boolean, 0}});

    auto *texto = new QTextEdit(this);
    texto->setObjectName(QStringLiteral("Memo1"));
    texto->setReadOnly(true);
    texto->setFrameShape(QFrame::NoFrame);
    texto->setFocusPolicy(Qt::NoFocus);
    texto->setAlignment(Qt::AlignCenter);
    texto->setPlainText(QStringLiteral("Existe uma forma mais rápida de você declarar seu estabelecimento \n"
                                       "sem empregados,  através da Internet usando  a opção VORN Negativa."));
    QTextCursor cursor(texto->document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat centro;
    centro.setAlignment(Qt::AlignCenter);
    cursor.mergeBlockFormat(centro);
    texto->setMaximumHeight(60);

    URLLabel = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kEnderecoServico), this);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    URLLabel->setAlignment(Qt::AlignCenter);
    URLLabel->setCursor(Qt::PointingHandCursor);
    connect(URLLabel, &QLabel::linkActivated, this,
            [](const QString &endereco) { Protege([&] { TfmGDVORN::AbreLink(endereco); }); });
    dkDicas = new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"), this);
    dkDicas->setObjectName(QStringLiteral("dkDicas"));
    BtFechar = new QPushButton(QStringLiteral("&Ok"), this);
    BtFechar->setObjectName(QStringLiteral("BtFechar"));
    connect(BtFechar, &QPushButton::clicked, this, Protegido([this] { BtFecharClick(); }));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(texto);
    layout->addWidget(URLLabel);
    auto *base = new QHBoxLayout;
    base->addWidget(dkDicas, 1);
    base->addWidget(BtFechar);
    layout->addLayout(base);
    resize(460, 170);

    m_binder.liga(dkDicas, QStringLiteral("InDicasSemEmpregados"));
    taResp.Open();
    taResp.First();
    m_binder.carrega();
}

TfmSemEmpregados::~TfmSemEmpregados() = default;

bool TfmSemEmpregados::DeveMostrar()
{
    setWindowTitle(QStringLiteral("GDVorn") + QString::number(Configuracao().AnoBase) +
                   QStringLiteral(" - Declaração Sem Empregados"));
    taResp.First();
    m_binder.carrega();
    return taResp.IsEmpty() || !taResp.FieldByName(QStringLiteral("InDicasSemEmpregados")).AsBoolean();
}

void TfmSemEmpregados::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    BtFechar->setFocus();
}

void TfmSemEmpregados::BtFecharClick()
{
    taResp.Edit();
    m_binder.grava();
    taResp.Post();
    accept();
}

} // namespace gdvorn
