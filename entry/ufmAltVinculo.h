#pragma once
// The link-code change wizard: page 00 introduces it, page 01 (TPaginaEscolhaEstab) chooses the
// establishment, page 02 the
// link-type code (llVinculo over tb8vinc, its description in dbcdDescrVinculo) that every link of the
// establishment then takes, on the page's progress bar.

#include "entry/ufmAssistentesVinculos.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class TfmAltVinculo02;

// What pages 01 and 02 share: the establishment and the class CriticaInscricao gave its inscription.
struct EstadoAltVinculo {
    ChaveEstabelecimento Estab;
    QString Classe;
};

class TfmAltVinculo00 : public TPaginaAssistente {
    Q_OBJECT
public:
    TfmAltVinculo00();
    void aoMostrar() override;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Seguinte = nullptr;
    EstadoAltVinculo Estado;
};

class TfmAltVinculo02 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmAltVinculo02(EstadoAltVinculo &estado);
    void aoMostrar() override;
    void aoCancelar() override;
    QLineEdit *EdMostraCGC = nullptr, *EdMostraPrefixo = nullptr, *EdMostraNome = nullptr;
    QListWidget *llVinculo = nullptr;
    QLineEdit *dbcdDescrVinculo = nullptr;
    QProgressBar *pbAlteracao = nullptr;
    QPushButton *btVoltar = nullptr, *btConcluir = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Anterior = nullptr;
    // The code that passed the check (empty while none has).
    QString CodigoAceito;

    // The check of the chosen code (on a click or on leaving the list); false after "1307".
    bool ConfereCodigo();

private:
    void Concluir();
    EstadoAltVinculo &m_estado;
    ExecucaoComBarra m_execucao;
    bool m_criticando = false;
};

std::unique_ptr<TfmAssistente> CriaAltVinculo(QWidget *parent = nullptr);

} // namespace gdvorn
