#pragma once
// The file browser: shows a declaration file read-only. One modal window, TfmConsultaDisquete, whose pages
// take each other's place:
//   locate page  paConsDisquete: the file's name; "&Localizar"; the structure check with its progress.
//                Its error page paRelatorio (structure findings, "Visualizar &Erros") lies in the same place.
//   01 TfmConsulta01  summary: the responsible person of the loaded file (te8resp)
//   02 TfmConsulta02  the establishments of te8emp
//   03 TfmConsulta03  one establishment, paged through the list's rows
//   04 TfmConsulta04  the employees of that establishment (te8vinc), by PIS/PASEP or by name
//   05 TfmConsulta05  one employee, paged through the list's rows
// Each page keeps its class, object names and caption; the window's title is the caption of the page
// shown. A page shown "over" another replaces it; "&Voltar" shows the page it came from; "&Fechar" sets
// IdTransmissao to " " and ends the window. The window has no close box: Esc is the shown page's cancel
// button ("&Cancelar" on the locate page, "&Fechar" on the summary and the establishment list); Enter
// presses a focused button, opens the row of a focused list, and otherwise moves to the next control.
//
// The check: the analyser loads the file into te8resp, te8emp and te8vinc. Interrupted (4) or not done
// (2: the file could not be read or copied, nothing loaded) go back to the locate page; structure
// findings (1) show the error page; 0 and 8 open the summary page over the loaded file, with
// IdTransmissao read from the receipt beside it.
//
// List items keep their keys as item data (Qt::UserRole, a QStringList): an establishment its year,
// inscription as stored and prefix. The employee list is a view over TModeloEmpregados: every link of the
// establishment, read a page at a time as the list is scrolled; its rows give their 11-field keys.

#include <QDialog>
#include <QMap>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace gdvorn {

class TAnaliseEstrutura;
class TModeloEmpregados;
class Table;
class TfmConsultaDisquete;

// A page of the browser.
class TPaginaConsulta : public QWidget {
    Q_OBJECT
public:
    TPaginaConsulta(const char *nomeObjeto, const QString &legenda, QSize tamanho);

    QString Legenda() const { return m_legenda; }
    QSize Tamanho() const { return m_tamanho; }
    TfmConsultaDisquete *Janela() const;
    // Run each time the page is shown.
    virtual void aoMostrar() {}
    // Enter on a list of the page; false: not taken.
    virtual bool abreLinha() { return false; }
    // The button Esc presses; null: none.
    virtual QPushButton *BotaoCancelar() const { return nullptr; }

    // Shows `pagina` in place of this one; its "&Voltar" comes back here.
    void MostraSobre(TPaginaConsulta *pagina);
    // Shows the page this one came from.
    void Voltar();
    // IdTransmissao := " " and the browser ends.
    void Fechar();

protected:
    QPushButton *criaBotao(const char *nome, const QString &legenda, std::function<void()> acao);
    // Fills the page's controls from object name -> text: a line edit or label takes the text (a masked
    // edit shows it as stored under its mask), a button is enabled by "1", a radio button "...Sim" is
    // checked by "1" and its "...Nao" otherwise, a check box is ticked by "1".
    void Preenche(const QMap<QString, QString> &textos);

    // The page's default button (the window's while the page is shown); null: none.
    QPushButton *m_padrao = nullptr;

private:
    friend class TfmConsultaDisquete;
    QString m_legenda;
    QSize m_tamanho;
    QPointer<TPaginaConsulta> m_origem;
};

class TfmConsulta01;
class TfmConsulta02;
class TfmConsulta03;
class TfmConsulta04;
class TfmConsulta05;

// The locate page, with its error page.
class TPaginaLocalizar : public TPaginaConsulta {
    Q_OBJECT
public:
    TPaginaLocalizar();
    QPushButton *BotaoCancelar() const override { return bbCancelar; }

    QWidget *paConsDisquete = nullptr;
    QPlainTextEdit *meDicas = nullptr;
    QLineEdit *edArquivo = nullptr;
    QPushButton *bbLocalizar = nullptr;
    QLabel *laStatus = nullptr;
    QProgressBar *prCarregarArq = nullptr;
    QWidget *paRelatorio = nullptr;
    QPushButton *bbVisualizar = nullptr;
    QPushButton *bbVoltar = nullptr;
    QPushButton *bbCancelar = nullptr;

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;
};

class TfmConsultaDisquete : public QDialog {
    Q_OBJECT
public:
    explicit TfmConsultaDisquete(QWidget *parent = nullptr);
    ~TfmConsultaDisquete() override;

    // Checks the file and, when it is clean, opens the summary page over it.
    void VerificaArquivo(const QString &nome);
    // The consultation of the transmission window over the file it has analysed: the error page when
    // ConsultaAposTransmite is set (it is cleared), otherwise the summary page.
    void AbreAposTransmissao();

    // Leaving the name edit: checks the typed name (nothing when the focus went to "&Cancelar").
    void edArquivoExit();

    TPaginaConsulta *PaginaAtual() const;
    // Shows `pagina` in place of the page shown, with `origem` as the page its "&Voltar" shows.
    void Mostra(TPaginaConsulta *pagina, TPaginaConsulta *origem);

    bool VerificandoArquivo = false;
    TPaginaLocalizar *Localizar = nullptr;
    TfmConsulta01 *fmConsulta01 = nullptr;
    TfmConsulta02 *fmConsulta02 = nullptr;
    TfmConsulta03 *fmConsulta03 = nullptr;
    TfmConsulta04 *fmConsulta04 = nullptr;
    TfmConsulta05 *fmConsulta05 = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void LocalizarClick();
    void CancelarClick();
    void VoltarClick();
    void VisualizarClick();
    // The locate page as after an interrupted check.
    void MostraLocalizar();
    void MostraErros();
    // Creates the chain's pages (once) and shows the summary page.
    void AbreResumo();

    QStackedWidget *m_paginas = nullptr;
    TPaginaConsulta *m_mostrada = nullptr;
    std::unique_ptr<TAnaliseEstrutura> m_analisador;
};

// Summary page. "&Relatório" takes the browser off the screen while the print wizard runs over the
// loaded file, then fills the page again.
class TfmConsulta01 : public TPaginaConsulta {
    Q_OBJECT
public:
    TfmConsulta01();
    ~TfmConsulta01() override;
    void aoMostrar() override;
    QPushButton *BotaoCancelar() const override { return bbFechar; }

    std::unique_ptr<Table> taResponsavel;
    QGroupBox *grResponsavel = nullptr, *grEstabelecimentos = nullptr;
    QCheckBox *ckRetificacao = nullptr;
    QPushButton *bbDisquete = nullptr, *bbRelatorio = nullptr, *bbFechar = nullptr;

private:
    void RelatorioClick();
};

// Establishment list.
class TfmConsulta02 : public TPaginaConsulta {
    Q_OBJECT
public:
    TfmConsulta02();
    ~TfmConsulta02() override;
    void aoMostrar() override;
    bool abreLinha() override;
    QPushButton *BotaoCancelar() const override { return bbFechar; }
    // The key of the current row (year, inscription, prefix); empty without one.
    QStringList ChaveAtual() const;

    // te8emp: the list's rows, and the row of the key the establishment view and the employee list read.
    std::unique_ptr<Table> taEmpresa;
    QLabel *paInfo = nullptr;
    QTreeWidget *grEmp = nullptr;
    QPushButton *bbConsultar = nullptr, *bbVoltar = nullptr, *bbFechar = nullptr;

private:
    bool m_carregada = false;
};

// Establishment view.
class TfmConsulta03 : public TPaginaConsulta {
    Q_OBJECT
public:
    TfmConsulta03();
    void aoMostrar() override;
    void MostraEstabelecimento();
    void AtualizaNavegacao();

    QTabWidget *pcEstabelecimento = nullptr;
    QPushButton *bbAnterior = nullptr, *bbProximo = nullptr, *bbEmpregados = nullptr, *bbVoltar = nullptr,
                *bbFechar = nullptr;

private:
    void Move(int passo, bool primeiraAba);
};

// Employee list.
class TfmConsulta04 : public TPaginaConsulta {
    Q_OBJECT
public:
    TfmConsulta04();
    void aoMostrar() override;
    bool abreLinha() override;
    // Rebuilds the list of the current establishment: order "1" by PIS/PASEP, "2" by name.
    void MontaConsultaEmpregados(const QString &ordem);
    QStringList ChaveAtual() const;

    QRadioButton *rbCodPisPasep = nullptr, *rbNome = nullptr;
    QTreeView *grEmpregados = nullptr;
    TModeloEmpregados *Empregados = nullptr;
    QPushButton *bbConsultar = nullptr, *bbVoltar = nullptr, *bbFechar = nullptr;
};

// Employee view.
class TfmConsulta05 : public TPaginaConsulta {
    Q_OBJECT
public:
    TfmConsulta05();
    ~TfmConsulta05() override;
    void aoMostrar() override;
    void MostraEmpregado();
    void AtualizaNavegacao();

    std::unique_ptr<Table> taVinculo;
    QGroupBox *grpCadastro = nullptr;
    QTabWidget *pcEmpregado = nullptr;
    QPushButton *bbAnterior = nullptr, *bbProximo = nullptr, *bbVoltar = nullptr, *bbFechar = nullptr;

private:
    void Move(int passo);
};

// Builders of the pages.
namespace consulta {
// A read-only field of a view at row `linha` (two grid rows: its caption above it) and `coluna` of
// `grade`, spanning `colunas`; `edit` is the edit to place (a plain one when null).
QLineEdit *Campo(QGridLayout *grade, int linha, int coluna, const char *nome, const QString &legenda,
                 int colunas = 1, QLineEdit *edit = nullptr);
// A read-only list with whole-row selection and these column widths (0: the default); the columns are
// the model's, already set.
void PreparaGrade(QTreeView *grade, const char *nome, const QList<int> &larguras);
// A read-only list with whole-row selection and these column titles and widths (0: the default).
QTreeWidget *Grade(QWidget *pai, const char *nome, const QList<QPair<QString, int>> &colunas);
// The "Sim"/"Não" radio pair `nome` + "Sim" / "Nao" in a group of its own, after the text `rotulo`.
QGroupBox *ParSimNao(QWidget *pai, const char *nome, const QString &titulo, const QString &rotulo = QString());
// A group box with a grid inside.
QGridLayout *Grupo(QWidget *pai, const char *nome, const QString &titulo, QGroupBox **grupo = nullptr);
} // namespace consulta

// Moves the current row of `grade` by `passo`; false when no row lies that way.
bool MoveLinha(QTreeView *grade, int passo);
// Whether a row lies `passo` away from the current row of `grade`.
bool HaLinha(const QTreeView *grade, int passo);

// The browser from the main window: created, shown modally, freed.
void AbreConsulta(QWidget *pai);
// The transmission window's consultation of a file it has loaded itself: with `comErros` the browser
// opens at its error page (the structure findings of the file), otherwise at the summary page.
void ConsultaAposTransmite(QWidget *pai, bool comErros);
// Registers the main window's "Consultardisquetedoano1" (and its tool button sbConsDisq).
void RegistraConsulta();

} // namespace gdvorn
