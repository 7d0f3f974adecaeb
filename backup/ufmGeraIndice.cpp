#include "backup/ufmGeraIndice.h"

#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "backup/ugGeraIndice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

TfmGeraIndice::TfmGeraIndice(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmGeraIndice"));
    setWindowTitle(QStringLiteral("Indexar Arquivos"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(630, 350);
    auto *layout = new QVBoxLayout(this);
    meDicas = new QPlainTextEdit(this);
    meDicas->setObjectName(QStringLiteral("meDicas"));
    meDicas->setReadOnly(true);
    meDicas->setFocusPolicy(Qt::NoFocus);
    meDicas->setPlainText(
        QStringLiteral("Esta opção deve ser utilizada quando ocorrer interrupções não previstas (queda de energia, "
                       "travamento do computador) durante o uso do sistema.\n\n"
                       "Se os arquivos estiverem danificados, a indexação pode não ser concluída; nesse caso, "
                       "restaure uma cópia de segurança."));
    layout->addWidget(meDicas);
    laIndexar = new QLabel(QStringLiteral("Indexando arquivos ..."), this);
    laIndexar->setObjectName(QStringLiteral("laIndexar"));
    laIndexar->hide();
    layout->addWidget(laIndexar);
    prIndexar = new QProgressBar(this);
    prIndexar->setObjectName(QStringLiteral("prIndexar"));
    prIndexar->hide();
    layout->addWidget(prIndexar);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    bbIniciar = new QPushButton(QStringLiteral("&Iniciar"), this);
    bbIniciar->setObjectName(QStringLiteral("bbIniciar"));
    bbIniciar->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbCancel->setAutoDefault(false);
    botoes->addWidget(bbIniciar);
    botoes->addWidget(bbCancel);
    layout->addLayout(botoes);
    bbIniciar->setFocus();
    connect(bbIniciar, &QPushButton::clicked, this, Protegido([this] { bbIniciarClick(); }));
    connect(bbCancel, &QPushButton::clicked, this, [this] { QDialog::reject(); });
}

void TfmGeraIndice::reject()
{
    // Esc closes the window as Cancel does, and not while the rebuild runs.
    if (bbCancel->isEnabled())
        QDialog::reject();
}

void TfmGeraIndice::bbIniciarClick()
{
    bbCancel->setEnabled(false);
    bbIniciar->setEnabled(false);
    laIndexar->show();
    prIndexar->show();
    QtProgresso progresso(prIndexar);
    const int falhou = GeraIndices(*dmGDVorn, dmEntradaDados, progresso);
    if (falhou != 0) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Arquivos com problemas. Reinstale novamente o sistema GDVORN") +
                             QString::number(Configuracao().AnoBase) + QStringLiteral("."),
                         {MessageButton::Ok});
    } else {
        prIndexar->hide();
        laIndexar->hide();
        presenter().show(MessageKind::Warning, QStringLiteral("Arquivos indexados com sucesso."), {MessageButton::Ok});
    }
    accept();
}

} // namespace gdvorn
