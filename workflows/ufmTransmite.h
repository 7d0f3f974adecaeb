#pragma once
// The transmission window: lists the declaration files of the "Transmite" folder (C:) or of the diskette
// in drive A:, shows which were recorded, transmitted or are rectifications, and hands the checked files
// to the transmission program (ugTransmite.h). In print mode it prints the transmission protocol of the
// selected files from their receipts.
//
// - Showing lists the C: folder, or the drive of the file just recorded when a wizard's success page
//   asked for the transmission (TransmiteAposGravacao).
// - Check and selection stay in step; Transmit (Print in print mode) follows the selection.
// - Transmit refuses the whole choice when a checked file was already transmitted; a file with a name
//   out of the pattern or a failed control hash is skipped with its box; the others go to the list file,
//   the program runs (the window takes no input and does not repaint until it ends), and the folder is
//   listed again so that the new receipts show.
// - Consult loads the one selected file with the window's own structure analyser (Cancel and Esc only
//   interrupt it meanwhile) and opens the file browser on it: at its summary page, or at its error page
//   when the file has structure findings; a file that could not be read or copied opens nothing.
// - Closing the window ends print mode and clears ProtocoloPeloAssistente.

#include "listview/LvViews.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QStringList>

#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class TAnaliseEstrutura;

namespace lv {
class QtLvListview;
}

class TfmTransmite : public QDialog {
    Q_OBJECT
public:
    explicit TfmTransmite(QWidget *parent = nullptr);
    ~TfmTransmite() override;

    // Print mode, set by the opener before showing: its caption, memo and button; ModoImprimeProtocolo
    // set and ProtocoloPeloAssistente 1 from the print wizard, 0 from the menu.
    void PreparaImpressao(bool pelaAssistente);
    bool ModoImpressao() const { return m_impressao; }

    // The listing of the C: folder (or of drive A: while its flag is set).
    void BitBtnCClick();
    // Drive A:: lists it when a diskette with files is there.
    void BitBtnAClick();
    void btnTransmiteClick();
    void btnImprimeClick();
    void chkSelectAllClick();
    // Analyses the one selected file with the analysis wizard, then lists the folder again.
    void btAnaliseClick();
    // The file browser on the one selected file; more than one selected: a warning.
    void btnConsultaClick();
    void btnCancelarClick();
    bool CarregandoArquivo() const { return m_carregando; }

    // The full path of the file of item `item`.
    QString Caminho(int item) const { return m_caminhos.value(item); }

    QPlainTextEdit *memoTransmite = nullptr;
    QPlainTextEdit *memoImprime = nullptr;
    QPushButton *BitBtnA = nullptr;
    QPushButton *BitBtnC = nullptr;
    lv::QtLvListview *LvListview1 = nullptr;
    QCheckBox *chkSelectAll = nullptr;
    QCheckBox *chkCertif = nullptr;
    QPushButton *btnTransmite = nullptr;
    QPushButton *btnImprime = nullptr;
    QPushButton *btnConsulta = nullptr;
    QPushButton *btAnalise = nullptr;
    QPushButton *btnCancelar = nullptr;
    QLabel *laStatus = nullptr;
    QProgressBar *prCarregarArq = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void done(int resultado) override;
    void reject() override;

private:
    void constroi();
    // Widens the columns whose captions would be cut.
    void ajustaColunas();
    void ajustaRazaoSocial();
    void SeguirSelecao();
    // Runs the transmission program with the window closed to input.
    void executa(const QString &programa);
    void GeraRelatorio(const QList<QPair<QString, QString>> &parametros);
    void ConsultaArquivo(const QString &caminho);

    lv::LvImageList m_imagens{16, 16};
    std::unique_ptr<TAnaliseEstrutura> m_analisador;
    bool m_carregando = false;
    QStringList m_caminhos;
    bool m_unidadeA = false;
    bool m_impressao = false;
    bool m_mostrada = false;
    bool m_ativada = false;
};

// The images of the list: "Gravada", "Transmitida", "Retificadora", "Recibo inválido" (16 x 16).
QList<QImage> ImagensTransmissao();

// The one way the transmission window is opened: created, shown modally and freed; `impressao` opens it
// in print mode, `pelaAssistente` when the print wizard asks.
void AbreTransmissao(QWidget *pai, bool impressao, bool pelaAssistente);
// Registers the main window's transmission commands ("Transmitir Declaração", "Protocolo de
// Transmissão").
void RegistraTransmissao();

} // namespace gdvorn
