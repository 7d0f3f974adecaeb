#pragma once
// The multiple employee deletion wizard: page 00 introduces it, page 01 (TPaginaEscolhaEstab) chooses the
// establishment, page
// 02 the order of the list, page 03 ticks the links, page 04 confirms and deletes them on its progress
// bar ("C&ancelar" then asks whether to stop; Yes leaves every link in place).

#include "entry/ufmAssistentesVinculos.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace gdvorn {

class TfmExclMult02;
class TfmExclMult03;
class TfmExclMult04;

// The state the pages share: the chosen establishment and its display texts.
struct EstadoExclMult {
    ChaveEstabelecimento Estab;
    QString InscricaoListada;
    QString Prefixo;
    QString Nome;
};

class TfmExclMult00 : public TPaginaAssistente {
    Q_OBJECT
public:
    TfmExclMult00();
    void aoMostrar() override;
    QPlainTextEdit *meDicas = nullptr;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Seguinte = nullptr;
    EstadoExclMult Estado;
};

class TfmExclMult02 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmExclMult02(EstadoExclMult &estado);
    void aoMostrar() override;
    QLineEdit *edInscricao = nullptr, *edPrefixo = nullptr, *edNomeEstabelecimento = nullptr;
    QRadioButton *rbPis = nullptr, *rbNome = nullptr; // rgOrdem's two choices
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TPaginaAssistente *Anterior = nullptr;
    TfmExclMult03 *Seguinte = nullptr;

private:
    EstadoExclMult &m_estado;
};

class TfmExclMult03 : public TPaginaAssistente {
    Q_OBJECT
public:
    explicit TfmExclMult03(EstadoExclMult &estado);
    void aoMostrar() override;
    TListaMarcada *clVinculos = nullptr;
    QPushButton *btVoltar = nullptr, *btAvancar = nullptr, *btCancelar = nullptr;
    TfmExclMult02 *Anterior = nullptr;
    TfmExclMult04 *Seguinte = nullptr;

private:
    EstadoExclMult &m_estado;
};

class TfmExclMult04 : public TPaginaConclusaoVinculos {
    Q_OBJECT
public:
    explicit TfmExclMult04(EstadoExclMult &estado);
    void aoMostrar() override;
    QLineEdit *edInscricao = nullptr, *edPrefixo = nullptr, *edNomeEstabelecimento = nullptr;
    QProgressBar *pbExclusao = nullptr;
    TfmExclMult03 *Anterior = nullptr;

protected:
    TPaginaAssistente *paginaAnterior() const override { return Anterior; }
    void Concluir() override;

private:
    EstadoExclMult &m_estado;
};

std::unique_ptr<TfmAssistente> CriaExclMult(QWidget *parent = nullptr);

} // namespace gdvorn
