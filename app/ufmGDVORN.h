#pragma once
// The main window: the frame of the program, with the menu and the tool bar of its commands, a picture
// and the link label of the service's web address. It is the first window created and the application's
// main window; closing it ends the program.
//
// It holds the settings record of the run (Config, the object that Configuracao() returns while the
// window exists). Every handler of the window runs inside Protege.

#include "app/ugConfiguracao.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace gdvorn {

// The service's web address: the caption of the link labels.
inline const QString kEnderecoServico = QStringLiteral("www.vorn.gov.br");

class TfmGDVORN : public QMainWindow {
    Q_OBJECT
public:
    // FormCreate: installs the settings record of the run and builds the window. The window's restored
    // size is 800 x 580 at the top left corner; the main sequence shows it maximised.
    explicit TfmGDVORN(QWidget *parent = nullptr);
    ~TfmGDVORN() override;

    TConfiguracao Config;

    // Follows the stored declarations: with an establishment of the base year or the next in BD8EMP the
    // declaration commands are enabled and SemDeclaracao is 0; with none they are disabled and
    // SemDeclaracao is 1. Reads through dmGDVorn->quBd8Emp and closes it again.
    void ControlaBotoes();

    // Opens a web address (or a file) with the desktop's default application.
    static void AbreLink(const QString &endereco);

    // Tool buttons, in their order from the left.
    QToolButton *sbNova = nullptr;
    QToolButton *sbAbrir = nullptr;
    QToolButton *sbExcluir = nullptr;
    QToolButton *sbVerInco = nullptr;
    QToolButton *sbGravar = nullptr;
    QToolButton *sbRetif = nullptr;
    QToolButton *sbImpAnoAnterior = nullptr;
    QToolButton *sbImpAnoAtual = nullptr;
    QToolButton *spHelp = nullptr;

    // Menu items of "&Declaração" and "&Utilitários".
    QAction *Nova1 = nullptr;
    QAction *Abrir1 = nullptr;
    QAction *Excluir1 = nullptr;
    QAction *Verificar1 = nullptr;
    QAction *Gravardeclarao1 = nullptr;
    QAction *Gravarretificaodadeclarao1 = nullptr;
    QMenu *Imprimir1 = nullptr;
    QAction *Declarao1 = nullptr;
    QMenu *Importar1 = nullptr;
    QAction *AnoAnterior = nullptr;
    QAction *AnoAtual = nullptr;
    QMenu *CpiadeSegurana1 = nullptr;
    QAction *Gerarcpia1 = nullptr;
    QAction *Restaurarcpia1 = nullptr;
    QAction *IndexarArquivos1 = nullptr;

    // The rest of the tool bar and the menus, each command by its object name in the command table.
    QToolButton *sbResp = nullptr;
    QToolButton *sbRelatorio = nullptr;
    QToolButton *sbAnalisador = nullptr;
    QToolButton *sbConsDisq = nullptr;
    QToolButton *sbTransmite = nullptr;
    QToolButton *sbPesquisa = nullptr; // hidden
    QLineEdit *edTrans = nullptr;      // hidden; a wizard shows and focuses it to open the transmission
    QAction *DadosResponsvel1 = nullptr;
    QAction *Consultardisquetedoano1 = nullptr;
    QAction *Transmite1 = nullptr;
    QAction *ProtocolodeTransmisso1 = nullptr;
    QAction *Sair1 = nullptr;
    QAction *Analisador2 = nullptr;
    QAction *ParticionarArquivo1 = nullptr; // hidden
    QAction *MenuItem3 = nullptr;           // hidden, with its menu
    QAction *AjudadoGDVorn1 = nullptr;
    QAction *Informaesteis1 = nullptr;
    QAction *DicasdeOperao1 = nullptr;
    QMenu *Emissodacartela1 = nullptr;
    QAction *VisualizarCartela1 = nullptr;
    QAction *EmitirCartela1 = nullptr;
    QAction *SobreoGDVORN1 = nullptr;

    QLabel *Imagem = nullptr;
    QLabel *URLLabel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;     // FormShow
    void changeEvent(QEvent *event) override;       // FormActivate
    void closeEvent(QCloseEvent *event) override;   // FormClose

private:
    void FormShow();
    void FormActivate();
    void FormClose();
    void criaComandos();
    void conectaJanela(QAction *comando, bool controlaBotoes);
    void criaDemaisComandos();
    // The command of a menu item and its tool button: the registered window, or nothing (disabled).
    void conectaComando(QAction *comando, QToolButton *botao, bool controlaBotoes);
    void Cartela(bool imprime);
    void criaCorpo();
    void criaAjuda();
    bool eventFilter(QObject *objeto, QEvent *event) override; // F1 on a highlighted menu item
};

// The command table: the window that a command opens when its unit lies in a folder whose library the main
// window does not link (rules, entry, workflows, backup ...): the program's start-up registers it under the
// command's object name (the menu item's; "sbRelatorio" for that button) before the main window is
// created; the command then creates it, shows it modally and frees it. A command without its window stays
// disabled. The menu item and its tool button run the same entry.
using AbreJanela = std::function<void(QWidget *parent)>;
void RegistraJanela(const QString &comando, AbreJanela abre);

// The program-wide instance, from start-up to the end of the program.
extern TfmGDVORN *fmGDVORN;

} // namespace gdvorn
