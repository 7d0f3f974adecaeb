#include "backup/ufmGeraIndice.h"

#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "backup/ufmJanelaTarefa.h"
#include "backup/ugGeraIndice.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace gdvorn {

TfmGeraIndice::TfmGeraIndice(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmGeraIndice"));
    const JanelaTarefa j = MontaJanelaTarefa(
        this, {QStringLiteral("Indexar Arquivos"),
               QStringLiteral("Esta opção deve ser utilizada quando ocorrer interrupções não previstas (queda de "
                              "energia, travamento do computador) durante o uso do sistema.\n\n"
                              "Se os arquivos estiverem danificados, a indexação pode não ser concluída; nesse caso, "
                              "restaure uma cópia de segurança."),
               QStringLiteral("laIndexar"), QStringLiteral("Indexando arquivos ..."), QStringLiteral("prIndexar"),
               QStringLiteral("bbIniciar"), QStringLiteral("bbCancel"), 630, 350});
    laIndexar = j.rotulo;
    prIndexar = j.barra;
    bbIniciar = j.iniciar;
    bbCancel = j.cancelar;
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
    QString falha;
    const int falhou = GeraIndices(*dmGDVorn, dmEntradaDados, progresso, RecriaIndiceExclusivo, &falha);
    if (falhou != 0) {
        presenter().show(MessageKind::Warning, falha, {MessageButton::Ok});
    } else {
        prIndexar->hide();
        laIndexar->hide();
        presenter().show(MessageKind::Information, QStringLiteral("Arquivos indexados com sucesso."), {MessageButton::Ok});
    }
    accept();
}

} // namespace gdvorn
