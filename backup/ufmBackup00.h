#pragma once
// The backup window "Cópia de Segurança (Gravar)": asks where to write the archive (the default name is
// "Vorn" + base year + "_backup.bkp" in the data folder), sets the volume size from the free space of
// that folder's medium, and archives a consistent copy of the three declaration tables. A medium with
// less free space than one block needs is refused with a message before anything is written.

#include "backup/ufmCopiaSeguranca.h"

namespace gdvorn {

class TfmBackup00 : public TfmCopiaSeguranca {
    Q_OBJECT
public:
    explicit TfmBackup00(QWidget *parent = nullptr);

private:
    void bbActionClick();
    // The volume size rule on the archive's folder; false (after a message) when no block would fit.
    bool LimiteVolume();
};

} // namespace gdvorn
