#pragma once
// The controls of the entry forms, each one bindable to a table field (FormBinder):
// - MaskEdit: an edit with a declared entry mask ("99.999.999/9999-99;0;_", ugMascara); it stores the
//   characters typed, without the literals unless the mask stores them. Entered by the keyboard (Tab,
//   Enter, the form placing the focus) it is ready for typing: an empty edit has its cursor on its first
//   input position, a filled one has its whole text selected, so that what is typed replaces it. The same
//   holds when the program changes its text or mask while it has the focus, and an empty edit never keeps
//   its cursor after its blanks (where typing would be lost). A click places the cursor where it falls;
//   coming back to the window the edit was left in keeps it as it was.
// - MoneyEdit: a plain edit for money: shows stored cents as "###,##0.00", drops the thousands separators
//   while it has the focus and shows them again when left (a text that is no number stays as typed for
//   its check to refuse); stores the typed amount as cents zero-filled to its field's width. Typing is
//   limited to a number of characters; a display text longer than that (its leading blanks) is shown whole.
// - RadioGroup: a group of radio buttons, each carrying its stored value; none selected stores "".
//   Entering the group puts the focus on its selected button, or on its first one, left unselected.
// - Trava: read-only in the button-face (or menu) colour; open again in the window colour.

#include "app/FormBinder.h"
#include "app/ugValores.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QList>

class QButtonGroup;
class QRadioButton;

namespace gdvorn {

class MaskEdit : public QLineEdit, public BoundControl {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget *parent = nullptr, const QString &mascara = QString());
    // The declared mask; empty removes it (the edit then stores its text, trimmed).
    void setMascara(const QString &mascara);
    QString mascara() const { return m_mascara; }

    QString textoArmazenado() const override;
    void mostraArmazenado(const QString &valor) override;
    void aoAlterar(std::function<void()> aviso) override;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Nothing typed in any input position.
    bool vazio() const;
    // Ready for typing, as on entering by the keyboard.
    void preparaDigitacao();
    // An empty edit's cursor on its first input position.
    void cursorNoInicio();
    QString m_mascara;
    bool m_saiuDaJanela = false; // the focus last left with the window (another window, a menu)
};

class MoneyEdit : public QLineEdit, public BoundControl {
    Q_OBJECT
public:
    // `largura`: digits of the stored cents (9 or 8); `zero`: how a zero is shown; `vazioComoZero`: a blank
    // text is edited as "0,00"; `limite`: characters that may be typed.
    explicit MoneyEdit(QWidget *parent = nullptr, int largura = 9, ZeroMostrado zero = ZeroMostrado::Simples,
                       bool vazioComoZero = true, int limite = 12);
    int largura() const { return m_largura; }

    QString textoArmazenado() const override; // empty when the text is not a number
    void mostraArmazenado(const QString &centavos) override;
    void aoAlterar(std::function<void()> aviso) override;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_largura;
    ZeroMostrado m_zero;
    bool m_vazioComoZero;
};

class RadioGroup : public QGroupBox, public BoundControl {
    Q_OBJECT
public:
    explicit RadioGroup(const QString &titulo, QWidget *parent = nullptr);
    // Adds a button named `nome` with `legenda` that stores `valor`.
    QRadioButton *adiciona(const QString &nome, const QString &legenda, const QString &valor);
    QList<QRadioButton *> botoes() const { return m_botoes; }

    // The stored value of the selected button; "" when none is selected.
    QString valor() const;
    // Selects the button of `valor`; any other value leaves none selected.
    void setValor(const QString &valor);

    QString textoArmazenado() const override { return valor(); }
    void mostraArmazenado(const QString &valor) override { setValor(valor); }
    void aoAlterar(std::function<void()> aviso) override;

signals:
    void valorAlterado(const QString &valor);

protected:
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override; // arrow keys between the buttons

private:
    QButtonGroup *m_grupo;
    QList<QRadioButton *> m_botoes;
    QStringList m_valores;
    bool m_saiuDeBotao = false;
};

// Letters typed into `edit` become capitals as they are typed.
void MaiusculasAoDigitar(QLineEdit *edit);

enum class CorTrava { FaceBotao, Menu };

// Locks `controle` read-only in the colour given (`travado` false opens it in the window colour).
void Trava(QLineEdit *controle, bool travado, CorTrava cor = CorTrava::FaceBotao);

} // namespace gdvorn
