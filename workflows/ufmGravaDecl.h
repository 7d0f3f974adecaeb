#pragma once
// The recording wizard and its pages, shared with the rectification wizard (ufmRetifDecl):
//   00 TfmGravaDecl00  base year; owns dmDadosResp and the selection (the keys of the lines checked on 02)
//   02 TfmGravaDecl02  the establishment check list
//   01 TfmGravaDecl01  the responsible person, then the consistency analysis of the selection
//   03 TfmGravaDecl03  the analysis' outcome, date, drive (and the CREA of a rectification), the writer
//   04 TfmGravaDecl04  the files written: summary, label, summary as PDF, transmission
// The pages stand in one wizard frame in that order: Next shows the next page, Back the one before (which
// keeps its state), every Cancel, Close and Transmit ends the whole wizard (dmDadosResp->EncerraAssistente).
// Esc and a close request run the shown page's Cancel (page 04: Close), so that no page goes away under a
// running analysis or writer: there Cancel only asks the run to stop.
//
// Keys: Enter presses a focused button and otherwise moves the focus to the next control (the check lists
// toggle their current line); F1 shows the help topic of the focused control.

#include "app/FormBinder.h"
#include "app/ufmAssistente.h"
#include "app/udmRaveRelatorios.h"
#include "app/ugListas.h"
#include "workflows/ugGravaDecl.h"
#include "entry/QtDadosResp.h"

#include <QList>
#include <QStringList>
#include <QTime>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace gdvorn {

class MaskEdit;
class RadioGroup;
class TdmDadosResp;
class TfmGravaDecl01;
class TfmGravaDecl02;
class TfmGravaDecl03;
class TfmGravaDecl04;
class TfmRetifDecl02;

// A page of these wizards: the Back / Next / Cancel row (page 04 has its own buttons), Enter and F1.
class TPaginaGravacao : public TPaginaAssistente {
    Q_OBJECT
public:
    TPaginaGravacao(const char *nomeObjeto, int contextoAjuda);

    QPushButton *bbVoltar = nullptr;
    QPushButton *bbAvancar = nullptr;
    QPushButton *bbCancelar = nullptr;

    // Shows `pagina` by the wizard's stacking: the next page in place of this one.
    void Avanca(TPaginaAssistente *pagina);
    // Sets EncerraAssistente and ends the wizard.
    void Encerra();

    // A read-only text of a page.
    static QPlainTextEdit *TextoFixo(QWidget *pai, const char *nome, const QString &texto);

protected:
    void criaBotoesPadrao(std::function<void()> voltar, std::function<void()> avancar, std::function<void()> cancelar);
    void keyPressEvent(QKeyEvent *event) override;
};

// Enter and F1 on the page or window `janela`: Enter presses the focused button, or `abreLinha` takes it (true), or `avanca`
// moves the focus on; F1 shows the focused control's help. False for any other key.
bool TeclaDaPagina(QWidget *janela, QKeyEvent *event, const std::function<void()> &avanca,
                   const std::function<bool(QWidget *foco)> &abreLinha = {});

// Sets a flag for as long as it lives and gives back the value it had on every exit path.
class MarcaEnquanto {
public:
    explicit MarcaEnquanto(bool &flag) : m_flag(flag), m_antes(flag) { m_flag = true; }
    ~MarcaEnquanto() { m_flag = m_antes; }
    MarcaEnquanto(const MarcaEnquanto &) = delete;
    MarcaEnquanto &operator=(const MarcaEnquanto &) = delete;

private:
    bool &m_flag;
    bool m_antes;
};

// The findings of one kind ("err" or "war") in the preview (the report module's "rptErros"), `botao`
// disabled while it runs; `aviso` is what the page says when no printer is installed. The result pages of the
// recording and the analysis wizards offer it.
void VisualizaOcorrencias(QPushButton *botao, const QString &errWar, const TRvSystem::SemImpressora &aviso);

// The first page of either wizard: it owns dmDadosResp for the wizard's life, shows its text over the
// base year, has Back disabled, and its Cancel ends the wizard.
class TPaginaInicial : public TPaginaGravacao {
    Q_OBJECT
public:
    TPaginaInicial(const char *nomeObjeto, int contextoAjuda, const QString &titulo, bool retificacao,
                   const char *nomeTexto, const QString &texto);
    ~TPaginaInicial() override;
    void aoMostrar() override;
    void aoCancelar() override;
    // Saves the title of the pages.
    void pGuardaPosicao();

    QLabel *lblAno = nullptr;

protected:
    // Next: AnoExercicio, then the establishments of that year; with none, message 1700 and the focus on
    // Cancel, and an empty list.
    QList<EstabelecimentoNaLista> EstabelecimentosDoExercicio();
    QPlainTextEdit *m_texto = nullptr;

private:
    std::unique_ptr<TdmDadosResp> m_dados;
    QString m_titulo;
};

class TfmGravaDecl00 : public TPaginaInicial {
    Q_OBJECT
public:
    explicit TfmGravaDecl00(TfmGravaDecl02 *seguinte);

    QPlainTextEdit *meDecl00 = nullptr;
    // The establishments to record: the keys of the lines checked on page 02, in list order.
    QList<ChaveEstabelecimento> Selecao;

private:
    void Avancar();
    TfmGravaDecl02 *m_seguinte;
};

class TfmGravaDecl02 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmGravaDecl02(TfmGravaDecl01 *seguinte);
    TfmGravaDecl00 *Anterior = nullptr;
    void aoMostrar() override;
    void aoCancelar() override;
    // Fills the list from the rows of dmDadosResp->quEmpresas read by page 00, every line unchecked.
    void Preenche(const QList<ChaveEstabelecimento> &chaves, const QStringList &linhas);

    QPlainTextEdit *meDecl02 = nullptr;
    TListaMarcada *clEmpresas = nullptr;
    QCheckBox *ckSelecionarTudo = nullptr;

private:
    void Avancar();
    TfmGravaDecl01 *m_seguinte;
    QList<ChaveEstabelecimento> m_chaves;
};

class TfmGravaDecl01 : public TPaginaGravacao, public UgDadosResp::EditsResp {
    Q_OBJECT
public:
    explicit TfmGravaDecl01(TfmGravaDecl03 *seguinte);
    void aoMostrar() override;
    void aoCancelar() override;

    // The page Back returns to, and the selection to analyse (none in a rectification).
    TPaginaAssistente *Anterior = nullptr;
    const QList<ChaveEstabelecimento> *Selecao = nullptr;
    // In a rectification: the page that holds the rectification selection.
    TfmRetifDecl02 *Retificacao = nullptr;

    QLabel *laResponsavel = nullptr;
    QGroupBox *paDadosResp = nullptr;
    // The birth-date edit and the municipality button under this page's names.
    QLineEdit *deDataNasc = nullptr;
    QToolButton *bbMunicipios = nullptr;
    QWidget *paVerificar = nullptr;
    QProgressBar *prDecl01 = nullptr;
    bool Executando = false; // the consistency analysis runs

private:
    void constroi();
    void ligaCriticas();
    void Avancar();
    void Voltar();
    void Cancelar();
    void mostraDados();

    TfmGravaDecl03 *m_seguinte;
    FormBinder m_binder;
};

class TfmGravaDecl03 : public TPaginaGravacao {
    Q_OBJECT
public:
    explicit TfmGravaDecl03(TfmGravaDecl04 *seguinte);
    void aoMostrar() override;
    void aoCancelar() override;

    // The selection to record (none in a rectification: the work tables whole).
    const QList<ChaveEstabelecimento> *Selecao = nullptr;

    // Should an exit check run: not when the focus went to a button that leaves or prints.
    bool fFazerCritica() const;
    // The date check of a date edit; stops with the silent abort on failure.
    void CriticaData(MaskEdit *data);
    // The CREA check of a rectification; stops with the silent abort on failure.
    void pCrea(QLineEdit *crea);
    bool DriveSelecionado(QComboBox *combo);
    // Runs the writer; true when the files were written.
    bool fGravouArquivoVORN();

    QWidget *paErros = nullptr;
    QWidget *paAvisos = nullptr;
    QWidget *paConcluir = nullptr;
    QWidget *paGravando = nullptr;
    QLabel *meErros = nullptr;
    QLabel *meAvisos = nullptr;
    QLabel *meConcluir = nullptr;
    QLabel *paMsgAviso = nullptr;
    QPushButton *bbRelatErros = nullptr;
    QPushButton *bbVisualErros = nullptr;
    QPushButton *bbVisualAvisos = nullptr;
    QWidget *paDriveAvisos = nullptr;
    QWidget *paDriveConcluir = nullptr;
    QComboBox *cbDriveAvisos = nullptr;
    QComboBox *cbDriveConcluir = nullptr;
    MaskEdit *mdDataAvisos = nullptr;
    MaskEdit *mdDataConcluir = nullptr;
    QLineEdit *edCreaAvisos = nullptr;
    QLineEdit *edCREA = nullptr;
    QLabel *lbCreaAvisos = nullptr;
    QLabel *lbCrea = nullptr;
    QProgressBar *prGravando = nullptr;
    bool Gravando = false;

    // The values kept for the writer.
    QString Unidade, DataGeracao, HoraGravacao;

    // The clock of the generation time (the system's by default).
    std::function<QTime()> Relogio;

private:
    QWidget *criaPainelDrive(const char *nome, QComboBox *&combo, MaskEdit *&data, QLineEdit *&crea, QLabel *&lbCrea,
                             const char *nomeCombo, const char *nomeData, const char *nomeCrea);
    void Avancar();
    void Cancelar();

    TfmGravaDecl04 *m_seguinte;
    QStringList m_letras;
    QWidget *m_painelLembrado = nullptr;
};

class TfmGravaDecl04 : public TPaginaGravacao {
    Q_OBJECT
public:
    TfmGravaDecl04();
    void aoMostrar() override;
    void aoCancelar() override;

    QPlainTextEdit *meDecl04 = nullptr;
    QLabel *Memo1 = nullptr;
    QPushButton *bbRelat = nullptr;
    QPushButton *bbEtiq = nullptr;
    QPushButton *btSalvarRelat = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *bbFechar = nullptr;

private:
    void Transmite();
};

// The recording wizard with its five pages.
std::unique_ptr<TfmAssistente> CriaGravacao(QWidget *parent = nullptr);
// Registers the recording and rectification wizards as the main window's commands.
void RegistraGravacao();

} // namespace gdvorn
