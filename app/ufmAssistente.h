#pragma once
// The wizard frame: one modal dialog per wizard holding its caption, the wizard picture "DEF" at the left
// and a stack of its pages. Each page is a widget of its own class with its own controls and buttons;
// showing a page replaces the one shown and runs its show step. "< &Voltar" shows the page before again
// (running its show step again), "&Cancelar" ends the wizard, so the pages behave as the chain of modal
// pages they stand for.
//
// Esc and closing the window go to the current page's aoCancelar, so a page that runs a long operation
// can turn them into its own cancel.
//
// TListaMarcada is the pages' one check list, whoever filled it: a click on an item (its text or its box)
// toggles it once, moving through the list with the keys does not, Enter and Space toggle the current
// item. Its rows are tall enough for accented capitals ("JOSÉ") in the list's font.

#include <QDialog>
#include <QListWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace gdvorn {

class PortaoSaida;
class TfmAssistente;

class TPaginaAssistente : public QWidget {
    Q_OBJECT
public:
    explicit TPaginaAssistente(const char *nomeObjeto, QWidget *parent = nullptr);

    TfmAssistente *Assistente() const { return m_assistente; }

    // The show step, run each time the page is shown.
    virtual void aoMostrar() {}
    // Esc or closing the window while this page is shown: ends the wizard by default.
    virtual void aoCancelar();

    // The exit gate of the page's fields, as the entry forms have it (created on first use).
    PortaoSaida &Portao();

protected:
    // A button of the row at the bottom right, in the order created; `acao` runs inside the handler guard.
    QPushButton *criaBotao(const char *nome, const QString &legenda, std::function<void()> acao);
    QVBoxLayout *Corpo = nullptr;

private:
    friend class TfmAssistente;
    TfmAssistente *m_assistente = nullptr;
    QHBoxLayout *m_botoes = nullptr;
    PortaoSaida *m_portao = nullptr;
};

class TfmAssistente : public QDialog {
    Q_OBJECT
public:
    explicit TfmAssistente(const QString &legenda, QWidget *parent = nullptr);

    // Adds a page (owned by the wizard); the first one added is shown by inicia().
    void adiciona(TPaginaAssistente *pagina);
    // Shows the first page and runs the wizard modally (tests call inicia() and drive it shown).
    int executa();
    void inicia();
    // Shows `pagina` in place of the page shown and runs its show step.
    void mostra(TPaginaAssistente *pagina);
    TPaginaAssistente *PaginaAtual() const;
    // Closes every page: the wizard ends.
    void fecha();

    QLabel *Image1 = nullptr;

protected:
    void reject() override;

private:
    QStackedWidget *m_paginas = nullptr;
    QList<TPaginaAssistente *> m_todas;
};

class TListaMarcada : public QListWidget {
    Q_OBJECT
public:
    explicit TListaMarcada(QWidget *parent = nullptr);
    void alterna(QListWidgetItem *item);
    // Every item's tick set to `marcado`.
    void marcaTodos(bool marcado);
    int marcados() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override; // a new font: the rows' height follows
    // A tick changes no line's size: the list only repaints that line, instead of laying out every line
    // again as the list view does for any change (a toggle on 60,000 lines took a third of a second).
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
};

// A page's text: a word-wrapped label with its object name.
QLabel *TextoAssistente(QWidget *pai, const char *nome, const QString &texto);

} // namespace gdvorn
