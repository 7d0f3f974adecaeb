#pragma once
// The no-employees tip: a declaration without employees can be made faster on the service's web site.
// "Não mostrar este quadro novamente" is kept in BD8RESP.InDicasSemEmpregados through the tip's own table.
// Callers create it, call DeveMostrar, show it modally (ExecutaModal) only when that is true, and free it.

#include "app/FormBinder.h"
#include "app/base/Table.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace gdvorn {

class TfmSemEmpregados : public QDialog {
    Q_OBJECT
public:
    explicit TfmSemEmpregados(QWidget *parent = nullptr);
    ~TfmSemEmpregados() override;

    // True unless InDicasSemEmpregados is true; sets the caption "GDVorn" + base year +
    // " - Declaração Sem Empregados".
    bool DeveMostrar();

    QLabel *URLLabel = nullptr;
    QCheckBox *dkDicas = nullptr;
    QPushButton *BtFechar = nullptr;
    Table taResp;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void BtFecharClick();
    FormBinder m_binder{&taResp};
};

} // namespace gdvorn
