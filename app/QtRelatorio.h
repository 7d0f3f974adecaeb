#pragma once
// The painted output of the reports: one painter for PDF (QPdfWriter, A4, 300 dpi), the printer
// (QPrinter through the print dialog: copies, collation, duplex) and the preview window "Visualização do
// Relatório", whose menu "Arquivo" prints (unless printing from the preview is off), saves the report as
// PDF or text and closes the window, and whose menu "Exibir" and tool bar move through the pages and zoom.
// The program installs QtSaidaRelatorio as the report output at start-up.
//
// While pages are made or printed, the status window "Report Status" tells the page under way ("Gerando
// página 3", "Imprimindo página 3").
//
// The modal parts are seams: the printer dialog, the save dialog and the preview window are virtual, so
// tests run without a device or a modal window.

#include "app/udmRaveRelatorios.h"

#include <QDialog>

class QLabel;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QPrintPreviewWidget;
class QAction;

namespace gdvorn {

// Paints each page handed to it on a paged device, a new device page per page.
class PintorPaginas : public DestinoPaginas {
public:
    PintorPaginas(QPainter &pintor, QPagedPaintDevice &dispositivo) : m_pintor(pintor), m_dispositivo(dispositivo) {}
    void pagina(const Pagina &p) override;
    int paginas() const { return m_paginas; }

private:
    QPainter &m_pintor;
    QPagedPaintDevice &m_dispositivo;
    int m_paginas = 0;
};

// The status window of a run: shown while it lives, its text `modelo` with the number of the last page
// made. Input reaches it alone while the run lets events run.
class TfmEstadoRelatorio : public QDialog, public Progresso {
    Q_OBJECT
public:
    explicit TfmEstadoRelatorio(const QString &modelo, QWidget *parent = nullptr);
    QLabel *lbEstado = nullptr;

protected:
    void mostraPosicao(int posicao) override;
    bool aceitaEntrada(QObject *receptor) const override;

private:
    QString m_modelo;
};

// The report's pages as a PDF file (A4, 300 dpi), under the status window. Returns the number of pages;
// std::runtime_error when the file cannot be written.
int GravaPdf(const QString &arquivo, const QString &titulo, const GeraPaginas &gera);
// The report's pages on a printer already set up, under the status window.
void Imprime(QPrinter &impressora, const GeraPaginas &gera);

class QtSaidaRelatorio : public SaidaRelatorio {
public:
    bool haImpressora() override;
    void executa(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera) override;

    // The print dialog; false when the user gives up.
    virtual bool escolheImpressora(QPrinter &impressora);
    // The save dialog of the preview (the program's file dialog): a ".pdf" or ".txt" name, empty when
    // given up.
    virtual QString escolheArquivo(QWidget *pai);
    // Shows the preview window modally.
    virtual void visualiza(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera);
};

// The help context of the preview window.
inline constexpr int ContextoAjudaVisualizacao = 1910;

// The preview window, maximised. Keys: Page Down / Page Up the next and previous page, Ctrl+Home and
// Ctrl+End the first and last, Ctrl++ and Ctrl+- (also + and -) zoom, Ctrl+0 the whole page, Ctrl+P
// prints when printing is allowed, Esc closes.
class TfmVisualizacao : public QDialog {
    Q_OBJECT
public:
    TfmVisualizacao(QtSaidaRelatorio &saida, TRvSystem &sistema, const QString &nome, GeraPaginas gera,
                    QWidget *parent = nullptr);

    QPrintPreviewWidget *Visualizador = nullptr;
    QAction *Imprimir = nullptr; // nullptr while printing from the preview is off
    QAction *SalvarComo = nullptr;
    QAction *Primeira = nullptr, *Anterior = nullptr, *Proxima = nullptr, *Ultima = nullptr;
    QAction *Ampliar = nullptr, *Reduzir = nullptr, *PaginaInteira = nullptr, *LarguraPagina = nullptr;
    QAction *Fechar = nullptr;
    QLabel *lbPagina = nullptr; // "Página 2 de 5"

    void ImprimirClick();
    void SalvarComoClick();

protected:
    // F1: the window's help topic.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void atualizaPagina();

    QtSaidaRelatorio &m_saida;
    QString m_nome;
    GeraPaginas m_gera;
};

} // namespace gdvorn
