#include "entry/FormEdits.h"

#include "app/ugFuncoes.h"
#include "app/ugMascara.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QStyle>
#include <QValidator>
#include <QTimer>
#include <QVBoxLayout>

namespace gdvorn {

// ---- MaskEdit ----

MaskEdit::MaskEdit(QWidget *parent, const QString &mascara) : QLineEdit(parent)
{
    setMascara(mascara);
    // Emptied by any means (clear, setText, the user's own deletions): the cursor goes back to the start.
    connect(this, &QLineEdit::textChanged, this, [this] { cursorNoInicio(); });
}

void MaskEdit::setMascara(const QString &mascara)
{
    const QString valor = textoArmazenado();
    m_mascara = mascara;
    setInputMask(mascara.isEmpty() ? QString() : ConverteMascara(mascara).qt);
    mostraArmazenado(valor);
}

bool MaskEdit::vazio() const
{
    if (m_mascara.isEmpty())
        return text().isEmpty();
    const QString exibido = displayText();
    const QString emBranco = TextoDaMascara(m_mascara, QString());
    const QChar branco = ConverteMascara(m_mascara).branco;
    for (int i = 0; i < emBranco.size() && i < exibido.size(); ++i)
        if (emBranco[i] == branco && exibido[i] != branco)
            return false;
    return true;
}

void MaskEdit::cursorNoInicio()
{
    if (m_mascara.isEmpty() || !vazio())
        return;
    const QString emBranco = TextoDaMascara(m_mascara, QString());
    const int primeira = int(emBranco.indexOf(ConverteMascara(m_mascara).branco));
    if (primeira >= 0 && cursorPosition() != primeira)
        setCursorPosition(primeira);
}

void MaskEdit::preparaDigitacao()
{
    if (vazio())
        cursorNoInicio();
    else
        selectAll();
}

void MaskEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    const bool voltou = m_saiuDaJanela;
    m_saiuDaJanela = false;
    switch (event->reason()) {
    case Qt::MouseFocusReason:
        // A click places the cursor itself.
        cursorNoInicio();
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // Back in the window it was left in, the edit stays as it was; but the focus a form placed here
        // while its window was not active (after a message box) arrives this way too.
        if (voltou)
            cursorNoInicio();
        else
            preparaDigitacao();
        break;
    default:
        preparaDigitacao();
        break;
    }
}

void MaskEdit::focusOutEvent(QFocusEvent *event)
{
    m_saiuDaJanela = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
}

QString MaskEdit::textoArmazenado() const
{
    if (m_mascara.isEmpty())
        return text().trimmed();
    return ValorDaMascara(m_mascara, displayText());
}

void MaskEdit::mostraArmazenado(const QString &valor)
{
    if (m_mascara.isEmpty()) {
        setText(valor);
        return;
    }
    // Only the positions that the value fills: the edit puts its blanks in the rest.
    const QString texto = TextoDaMascara(m_mascara, valor);
    const QChar branco = ConverteMascara(m_mascara).branco;
    int fim = int(texto.size());
    while (fim > 0 && texto[fim - 1] == branco)
        --fim;
    setText(valor.isEmpty() ? QString() : texto.left(fim));
    // A text put in while the user is in the edit (an enter handler, a check) is ready to be typed over.
    if (hasFocus())
        preparaDigitacao();
}

void MaskEdit::aoAlterar(std::function<void()> aviso) { connect(this, &QLineEdit::textEdited, this, std::move(aviso)); }

// ---- MoneyEdit ----

namespace {

// Typing stops at `limite` characters; a longer text set by the program is left alone.
class LimiteDigitacao : public QValidator {
public:
    LimiteDigitacao(int limite, QObject *parent) : QValidator(parent), m_limite(limite) {}
    State validate(QString &texto, int &) const override
    {
        return texto.size() <= m_limite ? Acceptable : Invalid;
    }

private:
    int m_limite;
};

} // namespace

MoneyEdit::MoneyEdit(QWidget *parent, int largura, ZeroMostrado zero, bool vazioComoZero, int limite)
    : QLineEdit(parent), m_largura(largura), m_zero(zero), m_vazioComoZero(vazioComoZero)
{
    setValidator(new LimiteDigitacao(limite, this));
    setAlignment(Qt::AlignRight);
}

QString MoneyEdit::textoArmazenado() const { return CentavosDoDigitado(text(), m_largura); }

void MoneyEdit::mostraArmazenado(const QString &centavos) { setText(TextoDoValor(centavos, m_zero)); }

void MoneyEdit::aoAlterar(std::function<void()> aviso) { connect(this, &QLineEdit::textEdited, this, std::move(aviso)); }

void MoneyEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    setText(TextoEdicaoValor(text(), m_vazioComoZero));
    selectAll();
}

void MoneyEdit::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason &&
        !text().trimmed().isEmpty()) {
        const QString formatado = FormataValor(text());
        if (formatado != QLatin1String("Erro"))
            setText(formatado);
    }
    QLineEdit::focusOutEvent(event);
}

// ---- RadioGroup ----

RadioGroup::RadioGroup(const QString &titulo, QWidget *parent) : QGroupBox(titulo, parent), m_grupo(new QButtonGroup(this))
{
    setFocusPolicy(Qt::TabFocus);
    new QVBoxLayout(this);
    connect(m_grupo, &QButtonGroup::buttonToggled, this, [this](QAbstractButton *, bool marcado) {
        if (marcado)
            emit valorAlterado(valor());
    });
}

QRadioButton *RadioGroup::adiciona(const QString &nome, const QString &legenda, const QString &valor)
{
    auto *b = new QRadioButton(legenda, this);
    b->setObjectName(nome);
    // The group is the tab stop; the buttons are reached from it and by the arrow keys.
    b->setFocusPolicy(Qt::ClickFocus);
    b->installEventFilter(this);
    m_grupo->addButton(b);
    layout()->addWidget(b);
    m_botoes << b;
    m_valores << valor;
    return b;
}

QString RadioGroup::valor() const
{
    for (int i = 0; i < m_botoes.size(); ++i)
        if (m_botoes[i]->isChecked())
            return m_valores[i];
    return QString();
}

void RadioGroup::setValor(const QString &valor)
{
    const int i = m_valores.indexOf(valor.trimmed());
    if (i >= 0 && !valor.trimmed().isEmpty()) {
        m_botoes[i]->setChecked(true);
        return;
    }
    m_grupo->setExclusive(false);
    for (QRadioButton *b : m_botoes)
        b->setChecked(false);
    m_grupo->setExclusive(true);
}

void RadioGroup::aoAlterar(std::function<void()> aviso) { connect(this, &RadioGroup::valorAlterado, this, std::move(aviso)); }

void RadioGroup::focusInEvent(QFocusEvent *event)
{
    QGroupBox::focusInEvent(event);
    if (m_botoes.isEmpty())
        return;
    // Tab (or Enter) and Shift+Tab from a button of the group pass the group by: the group itself sits
    // in the tab chain beside its buttons, and going back to its chosen button would trap the keyboard.
    if (m_saiuDeBotao && (event->reason() == Qt::BacktabFocusReason || event->reason() == Qt::TabFocusReason)) {
        m_saiuDeBotao = false;
        if (event->reason() == Qt::BacktabFocusReason)
            focusPreviousChild();
        else
            focusNextChild();
        return;
    }
    for (QRadioButton *b : m_botoes)
        if (b->isChecked()) {
            b->setFocus(event->reason());
            return;
        }
    m_botoes.first()->setFocus(event->reason());
}

bool RadioGroup::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason razao = static_cast<QFocusEvent *>(event)->reason();
        m_saiuDeBotao = razao == Qt::BacktabFocusReason || razao == Qt::TabFocusReason;
        // Only the move under way may pass the group by: a later return to the group must stop there.
        if (m_saiuDeBotao)
            QTimer::singleShot(0, this, [this] { m_saiuDeBotao = false; });
    }
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(event)->key();
        const int i = int(m_botoes.indexOf(static_cast<QRadioButton *>(objeto)));
        int destino = -1;
        if (tecla == Qt::Key_Down || tecla == Qt::Key_Right)
            destino = i + 1;
        else if (tecla == Qt::Key_Up || tecla == Qt::Key_Left)
            destino = i - 1;
        if (destino >= 0 && destino < m_botoes.size()) {
            m_botoes[destino]->setFocus(Qt::OtherFocusReason);
            m_botoes[destino]->setChecked(true);
            return true;
        }
        if (destino != -1)
            return true;
    }
    return QGroupBox::eventFilter(objeto, event);
}

void MaiusculasAoDigitar(QLineEdit *edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &texto) {
        const QString maiusculas = texto.toUpper();
        if (maiusculas == texto)
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(maiusculas);
        edit->setCursorPosition(cursor);
        // The binder writes on textEdited, which setText does not send: send the capitals on.
        emit edit->textEdited(maiusculas);
    });
}

// ---- Trava ----

void Trava(QLineEdit *controle, bool travado, CorTrava cor)
{
    controle->setReadOnly(travado);
    QPalette paleta = controle->palette();
    const QPalette padrao = controle->style()->standardPalette();
    if (travado)
        paleta.setColor(QPalette::Base, padrao.color(cor == CorTrava::FaceBotao ? QPalette::Button : QPalette::Window));
    else
        paleta.setColor(QPalette::Base, padrao.color(QPalette::Base));
    controle->setPalette(paleta);
}

} // namespace gdvorn
