#pragma once
// The import wizard: one wizard frame holding its pages
//   00 TfmImport00  the file to import, the count test and the structure check (the analyser loads it)
//   01 TfmImport01  structure errors: their report; Close ends the wizard
//   02 TfmImport02  the loaded file's establishments to choose and the copy (ugImportacao)
//   03 TfmImport03  done: the import report; Close ends the wizard
// Page 00 goes to 01 or 02; 02 goes to 03 after the copy; there is no way back. When the wizard ends the
// loaded file's work tables (te8emp, te8vinc, te8imp, te8stru) are dropped; te8resp stays.
//
// Cancel, Esc and the close box: on page 00 during the structure check they ask the analyser to stop, on
// page 02 during the copy they ask the copy to stop (both confirm with "Deseja interromper?"); otherwise
// they end the wizard. Enter moves to the next control (on page 02's list it ticks the current line); F1
// shows the help topic of the variant.

#include "app/ufmAssistente.h"
#include "app/udmRaveRelatorios.h"
#include "entry/ufmAssistentesVinculos.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ugImportacao.h"

#include <memory>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace gdvorn {

class TAnaliseEstrutura;
class TfmImport01;
class TfmImport02;
class TfmImport03;

// A page of the import wizard: Enter moves to the next control (a list ticks its line, a button is
// pressed), F1 shows the variant's help topic.
class TPaginaImportacao : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TPaginaImportacao(const char *nomeObjeto);

protected:
    // A read-only memo of the page.
    QPlainTextEdit *Memo(const char *nome, const QStringList &linhas);
};

class TfmImport00 : public TPaginaImportacao {
    Q_OBJECT
public:
    TfmImport00(TfmImport01 *erros, TfmImport02 *escolha);
    ~TfmImport00() override;
    void aoMostrar() override;
    void aoCancelar() override;

    QString OpcaoImportacao; // set by the command before the wizard is shown
    int AnoImportacao = 0;
    bool LayoutAnterior = false;
    bool AnalisandoArquivo = false;

    QWidget *PLocalizar = nullptr;
    QLabel *PAnoBase = nullptr;
    QLineEdit *arquivo = nullptr;
    QPushButton *BtLocalizar = nullptr;
    QWidget *PEstrutura = nullptr;
    QProgressBar *ProgressBar = nullptr;
    QPushButton *BtVoltar = nullptr, *BtAvancar = nullptr, *BtCancelar = nullptr;

private:
    void Localizar();
    void Avancar();
    // Back to the file name after a failed test or an interrupted check.
    void VoltaALocalizar(bool esvaziaArquivo);

    std::unique_ptr<TAnaliseEstrutura> m_analisador;
    TfmImport01 *m_erros;
    TfmImport02 *m_escolha;
};

class TfmImport01 : public TPaginaImportacao {
    Q_OBJECT
public:
    TfmImport01();
    void aoMostrar() override;
    QString OpcaoImportacao;
    QPushButton *BtErroVisual = nullptr, *BtFechar = nullptr;
};

class TfmImport02 : public TPaginaImportacao {
    Q_OBJECT
public:
    explicit TfmImport02(TfmImport03 *fim);
    void aoMostrar() override;
    void aoCancelar() override;

    // Set by the opener.
    int AnoImportacao = 0;
    bool LayoutAnterior = false;
    bool SelecionaTodos = false;
    bool LeCabecalho = true; // read InRetificacao from te8resp for the status text (false: not a rectification)

    QWidget *PMarca = nullptr;
    QLabel *StatusArquivoP = nullptr;
    TListaMarcada *LEmpresas = nullptr;
    QRadioButton *SelecAllRButton = nullptr, *LimparAllRButton = nullptr;
    QWidget *PImporta = nullptr;
    QProgressBar *Gauge = nullptr;
    QPushButton *BtConcluir = nullptr, *BtCancelar = nullptr;

private:
    void Concluir();
    void SelecionaTodasAsLinhas();
    // A line just ticked by the user: refused when its prefix is not two characters.
    void LinhaAlterada(QListWidgetItem *item);
    void DesmarcaOpcoes();

    ParametrosImportacao m_parametros;
    ExecucaoComBarra m_execucao{nullptr};
    bool m_marcandoTodos = false;
    TfmImport03 *m_fim;
};

class TfmImport03 : public TPaginaImportacao {
    Q_OBJECT
public:
    TfmImport03();
    void aoMostrar() override;
    int AnoImportacao = 0;
    QPushButton *BtVisual = nullptr, *BtFechar = nullptr;
};

// The file row of the import's and the analysis' first page: the edit `arquivo` and the button
// "&Localizar" beside it, the edit the buddy of `rotulo`.
QHBoxLayout *LinhaArquivo(QWidget *pai, QLabel *rotulo, QLineEdit *&arquivo, QPushButton *&BtLocalizar,
                          const char *nomeArquivo = "arquivo", const char *nomeLocalizar = "BtLocalizar");
// Localizar: the open dialog (the file-dialog seam) starts on drive A: when it answers, otherwise in the
// root folder; a chosen name replaces the text of `arquivo` (true), a cancel leaves it (false).
bool LocalizaArquivo(QWidget *pai, QLineEdit *arquivo, const QString &titulo, const QString &filtro);
// A report of the errors project in the preview (after the report module's printer check with `aviso`),
// `botao` disabled while it runs.
void VisualizaRelatorioErros(QPushButton *botao, const QString &relatorio, const QString &anobase,
                             const TRvSystem::SemImpressora &aviso);

// The wizard of one variant: `opcao` is "Anterior - Ano " + the year before the base year or
// "Atual - Ano " + the base year.
std::unique_ptr<TfmAssistente> CriaImportacao(QWidget *parent, const QString &opcao);

// Registers the main window's commands AnoAnterior and AnoAtual (menu items and tool buttons).
void RegistraImportacao();

} // namespace gdvorn
