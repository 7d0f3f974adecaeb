#pragma once
// The responsible-person form: the one row of BD8RESP (the person or company that answers for the
// declaration). It creates dmDadosResp and opens ta8Resp; the row is put into edit when the form is
// shown (created when the table is empty) and stays in edit until OK posts it; Cancel leaves it pending
// and the caller drops it when it closes the table (AbreDadosResp does both).
//
// The checks are those of UgDadosResp, run when an edit is left (through the entry form's exit gate)
// and all of them on OK.

#include "app/FormBinder.h"
#include "entry/EntryForm.h"
#include "entry/QtDadosResp.h"

#include <memory>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace gdvorn {

class MaskEdit;
class RadioGroup;
class TdmDadosResp;

class TfmDadosResp : public EntryForm, public UgDadosResp::EditsResp {
    Q_OBJECT
public:
    explicit TfmDadosResp(QWidget *parent = nullptr);
    ~TfmDadosResp() override;

    // "0049" with the focus on the first type button when no type is chosen.
    void pTipoInscricaoPreenchido();
    void bbOkClick();

    // The birth-date edit and the municipality button under this form's names.
    QLineEdit *deDataNascResp = nullptr;
    QToolButton *bbCodMunicipio = nullptr;
    QPushButton *bbOk = nullptr;
    QPushButton *bbCancelar = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void constroi();
    void ligaCriticas();

    std::unique_ptr<TdmDadosResp> m_dados;
    FormBinder m_binder;
};

// The main window's "Dados Responsável": creates the form, shows it modally (ExecutaModal), frees it,
// closes the responsible table (dropping what Cancel left pending) and frees the data module.
void AbreDadosResp(QWidget *parent);

} // namespace gdvorn
