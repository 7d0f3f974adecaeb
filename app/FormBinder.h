#pragma once
// The binder between a form's controls and the current row of a table of the table layer: one list of
// (control, field) pairs, so that no form copies fields by hand.
//
// - carrega(): every bound control shows its field of the current row.
// - grava(): every bound control writes its field; the row must be in edit or insert state (the form puts
//   it there and posts it afterwards).
// - While the row is in edit or insert state a control also writes its field as the user changes it, so
//   that a check reading the row sees what the control shows.
//
// Controls: a BoundControl (masked edits, money edits, radio groups of the entry forms) reads and writes
// its own stored text; a QCheckBox a Boolean field ("True"/"False"); a QLineEdit its text, trimmed, and it
// takes at most the field's width as typed.

#include "app/base/Table.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace gdvorn {

class BoundControl {
public:
    virtual ~BoundControl() = default;
    // The value to store, as the field holds it.
    virtual QString textoArmazenado() const = 0;
    // Shows a stored value.
    virtual void mostraArmazenado(const QString &valor) = 0;
    // Calls `aviso` whenever the user changes the value.
    virtual void aoAlterar(std::function<void()> aviso) = 0;
};

class FormBinder {
public:
    explicit FormBinder(Table *tabela = nullptr) : m_tabela(tabela) {}
    void setTabela(Table *tabela) { m_tabela = tabela; }
    Table *tabela() const { return m_tabela; }

    // Binds `controle` to `campo`. A control is bound to one field at most.
    void liga(QWidget *controle, const QString &campo);
    // The field of a bound control (empty when it is not bound).
    QString campo(const QWidget *controle) const;

    void carrega();
    void grava();
    // One control only.
    void carrega(QWidget *controle);
    void grava(QWidget *controle);

private:
    struct Ligacao {
        QPointer<QWidget> controle;
        QString campo;
    };
    void carregaUm(const Ligacao &l);
    void gravaUm(const Ligacao &l);
    const Ligacao *ligacao(const QWidget *controle) const;
    bool emEdicao() const;

    Table *m_tabela = nullptr;
    QList<Ligacao> m_ligacoes;
    bool m_carregando = false;
};

} // namespace gdvorn
