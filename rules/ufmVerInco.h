#pragma once
// The check-inconsistencies wizard: page 00 introduces it and fills the establishment list of the base
// year, page 01 lets the user tick establishments and runs the consistency analysis on them with its
// progress bar, page 02 tells the result and previews the errors or the warnings (report "rptErros").
//
// Each item of the check list keeps its establishment's key as item data; the ticked keys go to the
// analysis. Cancel, Esc or closing the window while the analysis runs asks it to stop. F1 shows the help
// topic of the page shown.

#include "app/ufmAssistente.h"
#include "app/ugListas.h"

#include <QString>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace gdvorn {

class Progresso;
class TfmVerInco01;
class TfmVerInco02;

// The help contexts of the three pages.
inline constexpr int ContextoAjudaVerInco00 = 1901;
inline constexpr int ContextoAjudaVerInco01 = 1902;
inline constexpr int ContextoAjudaVerInco02 = 1903;

// The analysis as the wizard calls it: progress, the chosen keys, the year; returns the result flags.
using AnaliseVerInco = std::function<quint8(Progresso *, const QList<ChaveEstabelecimento> &, const QString &)>;

class TfmVerInco00 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmVerInco00(TfmVerInco01 *seguinte);
    void aoMostrar() override;

    QLabel *lbAno = nullptr;
    QPushButton *btVoltar = nullptr;
    QPushButton *btAvancar = nullptr;
    QPushButton *btCancelar = nullptr;

private:
    TfmVerInco01 *m_seguinte;
};

class TfmVerInco01 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmVerInco01(TfmVerInco02 *seguinte);
    TfmVerInco00 *Anterior = nullptr;
    void aoMostrar() override;
    void aoCancelar() override;

    QWidget *paSelecao = nullptr;
    TListaMarcada *LEmpresas = nullptr;
    QCheckBox *cbTodas = nullptr;
    QWidget *paProgresso = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *btVoltar = nullptr;
    QPushButton *btAvancar = nullptr;
    QPushButton *btCancelar = nullptr;
    bool Executando = false;

    // The analysis run by "&Avançar >" (the consistency analysis on the permanent tables by default).
    AnaliseVerInco Analisa;

    // The establishments of `ano` into the list, each with its key.
    void CarregaLista(const QString &ano);

private:
    void Avancar();
    void Cancelar();
    void mostraSelecao();
    TfmVerInco02 *m_seguinte;
};

class TfmVerInco02 : public TPaginaAssistente {
    Q_OBJECT
public:
    TfmVerInco02();
    void aoMostrar() override;

    // "0" warnings only, "1" errors only, "2" errors and warnings, "3" no finding.
    QString Modo;

    QLabel *lbAvisos = nullptr;   // the warnings panel
    QLabel *lbErros = nullptr;    // the errors panel
    QLabel *lbLinhaAvisos = nullptr;
    QLabel *lbSemErros = nullptr;
    QPushButton *btAvisos = nullptr;
    QPushButton *btErros = nullptr;
    QPushButton *btFechar = nullptr;

private:
    void Relatorio(QPushButton *botao, const QString &errWar);
};

// The wizard with its three pages.
std::unique_ptr<TfmAssistente> CriaVerInco(QWidget *parent = nullptr);
// Registers the wizard as the main window's check-inconsistencies command.
void RegistraVerInco();

} // namespace gdvorn
