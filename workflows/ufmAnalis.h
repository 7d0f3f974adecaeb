#pragma once
// The analysis wizard: checks a declaration file made by any program, loads it into the work tables and
// runs the consistency analysis over them; a file without errors can be written again sealed by this
// program, a file with errors can be imported into the base for correction. One wizard frame holds
//   00 TfmAnalis00  the file, the structure check (error panel with its report) and the consistency analysis
//   01 TfmAnalis01  the findings: errors (reports, correction path), warnings or none (drive, CREA, Gravar)
//   02 TfmAnalis02  the file written: summary, label, summary as PDF, transmission
// The split mode (Configuracao().ModoParticao) checks the structure only and writes the file again in
// unsealed volumes of the "Transmite" folder.
//
// Cancel and Esc: during the structure check or the consistency analysis they ask the run to stop (the
// run confirms); a stop confirmed during the check ends the wizard, a No lets the run go on. During the
// write they ask the writer to stop. Otherwise they end the wizard.
//
// Closing any page ends the whole wizard (no page closes while an earlier one stays), so what the pages'
// closes owe is done once by the opener, on every way out: the work tables of the check and the analysis
// (te8emp, te8vinc, te8resp, te8errwa, te8stru, and te8imp of the correction path) and the protocol
// tables of the write are dropped, and the split mode is cleared.

#include "workflows/ufmGravaDecl.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class TAnaliseEstrutura;
class TfmAnalis01;
class TfmAnalis02;

class TfmAnalis00 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmAnalis00(TfmAnalis01 *resultado);
    ~TfmAnalis00() override;
    void aoMostrar() override;
    void aoCancelar() override;

    bool AnalisandoEstrutura = false;
    bool AnalisandoConsistencia = false;
    bool ArquivoRetificador = false;

    QWidget *PLocalizar = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *arquivo = nullptr;
    QPushButton *BtLocalizar = nullptr;
    QWidget *PEstrutura = nullptr;
    QPlainTextEdit *memoNomeArquivo = nullptr;
    QProgressBar *pbEstrutura = nullptr;
    QLabel *Label4 = nullptr;
    QProgressBar *pbConsistencia = nullptr;
    QWidget *paErroEstrut = nullptr;
    QPushButton *bbErroVisual = nullptr;

private:
    void Localizar();
    void Avancar();
    void Voltar();
    // Back to the locate panel with the file name emptied.
    void VoltaALocalizar();
    void ErroVisual();

    std::unique_ptr<TAnaliseEstrutura> m_analisador;
    TfmAnalis01 *m_resultado;
    bool m_fechaPedido = false;
};

class TfmAnalis01 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmAnalis01(TfmAnalis02 *sucesso);
    void aoMostrar() override;
    void aoCancelar() override;

    QString ModoResultado;
    bool ArquivoRetificador = false;
    bool GravandoArquivo = false;
    QStringList LetrasDrives;

    QWidget *PInco = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QLabel *paMsgAviso = nullptr;
    QPushButton *BtImporta = nullptr, *bbVisualErros = nullptr, *bbImpErros = nullptr;
    QWidget *PDist = nullptr;
    QComboBox *cbDriveAvisos = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *edCreaAvisos = nullptr;
    QPushButton *BtVisualizar = nullptr;
    QWidget *POk = nullptr;
    QPlainTextEdit *Memo3 = nullptr, *Memo4 = nullptr;
    QWidget *Panel1 = nullptr;
    QComboBox *cbDrive = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *edCrea = nullptr;
    QPushButton *BtConcluir = nullptr, *BtCancelar = nullptr;
    QProgressBar *pbConsistencia = nullptr;

private:
    void Importa();
    void Gravar();
    TfmAnalis02 *m_sucesso;
};

class TfmAnalis02 : public TPaginaGravacao {
    Q_OBJECT
public:
    TfmAnalis02();
    void aoMostrar() override;
    void aoCancelar() override;

    QPlainTextEdit *meAnaliseOK = nullptr, *meAnaliseOkPartic = nullptr;
    QLabel *lblEtiq = nullptr, *Label1 = nullptr;
    QPushButton *bbFechar = nullptr, *bbEtiq = nullptr, *bbRelat = nullptr, *btSalvarRelat = nullptr,
                *btnTransmite = nullptr;

private:
    void Transmite();
};

// The correction path's rules; Confirma runs the import's choice and last pages over the loaded file.
class TfmAnalisRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmAnalisRegras(QWidget *parent = nullptr);
    QPushButton *BtFechar = nullptr, *BtCancelar = nullptr;

private:
    void Confirma();
};

// The wizard's frame with its pages; `arquivo` not empty: the file is given (the transmission window).
std::unique_ptr<TfmAssistente> CriaAnalise(QWidget *parent, const QString &arquivo = QString());
// Runs the wizard modally and, once it ends, drops its work tables and clears the split mode and
// AnaliseViaTransmissao.
void AbreAnalise(QWidget *pai, const QString &arquivo = QString());
// Registers the main window's "Analisador2" and the hidden "ParticionarArquivo1".
void RegistraAnalise();

} // namespace gdvorn
