#include "entry/EntryForm.h"

#include "app/QtPortaoSaida.h"
#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QStackedWidget>

namespace gdvorn {

namespace {

// The tab bar of a guarded tab widget: mouse presses and keys that change the tab ask the guard first.
class EntryTabBar : public QTabBar {
public:
    explicit EntryTabBar(EntryTabWidget *abas) : QTabBar(abas), m_abas(abas) {}

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && tabAt(event->position().toPoint()) != currentIndex() &&
            tabAt(event->position().toPoint()) >= 0 && !m_abas->permiteTroca())
            return;
        QTabBar::mousePressEvent(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int tecla = event->key();
        if ((tecla == Qt::Key_Left || tecla == Qt::Key_Right || tecla == Qt::Key_Up || tecla == Qt::Key_Down ||
             tecla == Qt::Key_Home || tecla == Qt::Key_End) &&
            !m_abas->permiteTroca())
            return;
        QTabBar::keyPressEvent(event);
    }
    void wheelEvent(QWheelEvent *event) override { event->ignore(); }

private:
    EntryTabWidget *m_abas;
};

} // namespace

// ---- EntryTabWidget ----

EntryTabWidget::EntryTabWidget(QWidget *parent) : QTabWidget(parent)
{
    setTabBar(new EntryTabBar(this));
    setFocusPolicy(Qt::NoFocus);
    tabBar()->setFocusPolicy(Qt::NoFocus);
}

bool EntryTabWidget::permiteTroca() { return !m_guarda || m_guarda(); }

void EntryTabWidget::keyPressEvent(QKeyEvent *event)
{
    const bool troca = (event->modifiers() & Qt::ControlModifier) &&
                       (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
                        event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown);
    if (troca && !permiteTroca())
        return;
    QTabWidget::keyPressEvent(event);
}

// ---- EntryForm ----

EntryForm::EntryForm(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    m_portao = new PortaoSaida(this);
    m_portao->aoFocar([this](QWidget *novo) {
        if (!ehBotaoSaida(novo) && !qobject_cast<QTabBar *>(novo) && !m_semRegistro.contains(novo))
            m_controleAtual = novo;
    });
}

EntryForm::~EntryForm()
{
    if (m_previa)
        qApp->removeEventFilter(this);
}

void EntryForm::setBotaoCancelar(QAbstractButton *botao) { m_cancelar = botao; }

void EntryForm::setBotaoAjuda(QAbstractButton *botao)
{
    m_ajuda = botao;
    connect(botao, &QAbstractButton::clicked, this, Protegido([this] { ajudaDoBotao(); }));
}

void EntryForm::setBotoesSaida(const QList<QAbstractButton *> &botoes)
{
    for (QAbstractButton *b : botoes)
        m_saidas << b;
}

void EntryForm::aoSair(QWidget *campo, std::function<void()> critica, bool comPortao,
                       std::function<bool()> condicao)
{
    m_portao->aoSair(campo, std::move(critica), [this, comPortao, condicao = std::move(condicao)] {
        return (!comPortao || PodeCriticar()) && (!condicao || condicao());
    });
}

void EntryForm::aoEntrar(QWidget *campo, std::function<void()> acao)
{
    m_portao->aoEntrar(campo, std::move(acao));
}

void EntryForm::protegeAbas(EntryTabWidget *abas)
{
    abas->setGuarda([this, abas] {
        // The tab bar takes the focus: the exit check of the control left runs now.
        abas->tabBar()->setFocus(Qt::MouseFocusReason);
        const bool permitida = TrocaAbaPermitida;
        TrocaAbaPermitida = true;
        return permitida;
    });
}

bool EntryForm::ehBotaoSaida(const QWidget *w) const
{
    if (!w)
        return false;
    if (w == m_cancelar || w == m_ajuda)
        return true;
    for (const auto &b : m_saidas)
        if (b == w)
            return true;
    return false;
}

bool EntryForm::PodeCriticar() const { return !ehBotaoSaida(QApplication::focusWidget()); }

bool EntryForm::FocoForaDasAbas() const { return !qobject_cast<QTabBar *>(QApplication::focusWidget()); }

bool EntryForm::Avancou(const QString &primeiro, const QList<QPair<QString, QString>> &predecessores,
                        const QString &deixado) const
{
    if (!FocoForaDasAbas())
        return false;
    // The control of the sequence that holds the focus (a radio group's button counts as its group).
    for (const QWidget *w = QApplication::focusWidget(); w && w != this; w = w->parentWidget()) {
        const QString nome = w->objectName();
        if (nome.isEmpty())
            continue;
        if (nome == primeiro)
            return false;
        for (const auto &par : predecessores)
            if (par.first == nome)
                return par.second == deixado;
    }
    return true;
}

void EntryForm::mostraAba(QWidget *controle)
{
    for (QWidget *w = controle; w && w != this; w = w->parentWidget()) {
        auto *pilha = qobject_cast<QStackedWidget *>(w->parentWidget());
        if (!pilha)
            continue;
        if (auto *abas = qobject_cast<QTabWidget *>(pilha->parentWidget()))
            abas->setCurrentWidget(w);
    }
}

void EntryForm::falha(const QString &codigo, QWidget *foco, bool bloqueiaAba)
{
    MostraMensagem(codigo);
    recusa(foco, bloqueiaAba);
}

void EntryForm::falha(MessageKind tipo, const QString &texto, QWidget *foco, bool bloqueiaAba)
{
    presenter().show(tipo, texto, {MessageButton::Ok});
    recusa(foco, bloqueiaAba);
}

void EntryForm::recusa(QWidget *foco, bool bloqueiaAba)
{
    mostraAba(foco);
    if (bloqueiaAba)
        TrocaAbaPermitida = false;
    bool &emCritica = m_portao->emCritica();
    const bool antes = emCritica;
    emCritica = true;
    foco->setFocus(Qt::OtherFocusReason);
    emCritica = antes;
    Abort();
}

void EntryForm::proximoControle() { focusNextChild(); }

void EntryForm::ajudaDoBotao()
{
    const int contexto = ContextoAjuda(m_controleAtual);
    if (contexto != 0) {
        MostraAjudaContexto(contexto);
        return;
    }
    presenter().show(MessageKind::Information,
                     QStringLiteral("Para exibir a Ajuda do Campo, posicione o cursor\r\nno campo desejado e "
                                    "clique no botão Ajuda, ou aperte a tecla F1."),
                     {MessageButton::Ok});
}

void EntryForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_previa) {
        qApp->installEventFilter(this);
        m_previa = true;
    }
}

void EntryForm::hideEvent(QHideEvent *event)
{
    if (m_previa) {
        qApp->removeEventFilter(this);
        m_previa = false;
    }
    QDialog::hideEvent(event);
}

void EntryForm::closeEvent(QCloseEvent *event)
{
    if (!m_cancelar) {
        QDialog::closeEvent(event);
        return;
    }
    // The cancel button decides (it may ask, and it closes the form itself).
    event->ignore();
    m_cancelar->click();
}

bool EntryForm::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !objeto->isWidgetType() ||
        static_cast<QWidget *>(objeto)->window() != this)
        return QDialog::eventFilter(objeto, event);
    auto *tecla = static_cast<QKeyEvent *>(event);
    switch (tecla->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (qobject_cast<QAbstractButton *>(objeto) || (tecla->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            break;
        proximoControle();
        return true;
    case Qt::Key_Escape:
        if (m_cancelar)
            m_cancelar->click();
        return true;
    case Qt::Key_F1: {
        const int contexto = ContextoAjuda(QApplication::focusWidget());
        Protege([contexto] { contexto ? MostraAjudaContexto(contexto) : MostraAjuda(); });
        return true;
    }
    default:
        break;
    }
    return QDialog::eventFilter(objeto, event);
}

} // namespace gdvorn
