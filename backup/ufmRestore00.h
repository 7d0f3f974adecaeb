#pragma once
// The restore window "Restaurar Cópia de Segurança ": after the user confirms that the stored data will
// be replaced, asks for an archive (".BKP" in any case, existing, titled "Vorn" + base year) and
// restores it through RestauracaoSegura: success is reported only when the three tables were replaced
// and reopened; any refusal or failure leaves them as they were and says why.

#include "backup/ufmCopiaSeguranca.h"

namespace gdvorn {

class TfmRestore00 : public TfmCopiaSeguranca {
    Q_OBJECT
public:
    explicit TfmRestore00(QWidget *parent = nullptr);

private:
    void bbActionClick();

    bool m_lendoCabecalho = false;
};

} // namespace gdvorn
