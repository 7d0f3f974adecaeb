#include "backup/ufmCopiaSeguranca.h"

#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/ugExcecao.h"
#include "backup/ufmJanelaTarefa.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace gdvorn {

TfmCopiaSeguranca::TfmCopiaSeguranca(QWidget *parent, const QString &legenda, const QString &dicas,
                                     const QString &nomeRotulo, const QString &rotulo, const QString &nomeBarra,
                                     const QString &perguntaCancelar)
    : QDialog(parent), m_perguntaCancelar(perguntaCancelar)
{
    const JanelaTarefa j = MontaJanelaTarefa(this, {legenda, dicas, nomeRotulo, rotulo, nomeBarra,
                                                    QStringLiteral("bbAction"), QStringLiteral("bbCancel")});
    m_rotulo = j.rotulo;
    m_barra = j.barra;
    bbAction = j.iniciar;
    bbCancel = j.cancelar;

    m_progresso = std::make_unique<QtProgresso>(m_barra);
    m_bk.OnProgress = [this](const QString &, bool &, int percentual) {
        m_progresso->setPosition(percentual);
        m_progresso->processaEventos();
    };
    m_bk.OnNeedDisk = [this](int numero, bool &continua) { continua = pedeVolume(numero); };
    connect(bbCancel, &QPushButton::clicked, this, Protegido([this] { bbCancelClick(); }));
}

TfmCopiaSeguranca::~TfmCopiaSeguranca() = default;

const EspacoDisco &TfmCopiaSeguranca::espaco() const
{
    static const EspacoDisco sistema;
    return m_espaco ? *m_espaco : sistema;
}

void TfmCopiaSeguranca::mostraProgresso()
{
    m_progresso->setRange(0, 100);
    m_progresso->setPosition(0);
    bbAction->setEnabled(false);
    m_barra->show();
    m_rotulo->show();
    repaint();
}

bool TfmCopiaSeguranca::pedeVolume(int numero)
{
    if (presenter().show(MessageKind::Information, QStringLiteral("Insira o volume n° ") + QString::number(numero),
                         {MessageButton::Ok, MessageButton::Cancel}) != MessageButton::Ok)
        return false;
    const QString pasta = QFileInfo(m_arquivo).absolutePath();
    while (!espaco().pronta(pasta)) {
        // Cancel here too: a medium that never answers must not hold the user for ever.
        if (presenter().show(MessageKind::Information, QStringLiteral("Unidade nao esta preparada."),
                             {MessageButton::Ok, MessageButton::Cancel}) != MessageButton::Ok)
            return false;
    }
    return true;
}

void TfmCopiaSeguranca::bbCancelClick()
{
    if (m_bk.IsBusy()) {
        if (presenter().show(MessageKind::Confirmation, m_perguntaCancelar, {MessageButton::Yes, MessageButton::No}) !=
            MessageButton::Yes)
            return;
        m_bk.Stop();
    }
    QDialog::reject();
}

void TfmCopiaSeguranca::reject()
{
    Protege([this] { bbCancelClick(); });
}

} // namespace gdvorn
