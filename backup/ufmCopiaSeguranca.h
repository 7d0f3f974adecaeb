#pragma once
// What the backup and restore windows share: the hint text, the progress label and bar (hidden until the
// run), the buttons "&Iniciar" and "&Cancelar", the archive component and its handlers of progress, disk
// request and cancel. The medium of the archive's folder is reached through EspacoDisco, so that tests
// can give their own free space and readiness.

#include "backup/BackupFile.h"
#include "backup/ugCopiaSeguranca.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace gdvorn {

class QtProgresso;

class TfmCopiaSeguranca : public QDialog {
    Q_OBJECT
public:
    ~TfmCopiaSeguranca() override;

    // The medium of the archive (not owned); the file system's when none is set.
    void setEspacoDisco(const EspacoDisco *espaco) { m_espaco = espaco; }

protected:
    TfmCopiaSeguranca(QWidget *parent, const QString &legenda, const QString &dicas, const QString &nomeRotulo,
                      const QString &rotulo, const QString &nomeBarra, const QString &perguntaCancelar);

    // Shows the label and the bar at 0 before a run.
    void mostraProgresso();
    const EspacoDisco &espaco() const;
    // The disk request of both windows: "Insira o volume n° " + number, then the readiness of the
    // archive's folder. False when the user gives up.
    bool pedeVolume(int numero);
    void reject() override; // Esc and "&Cancelar"

    TBackupFile m_bk;
    QString m_arquivo; // the archive of the run
    QPushButton *bbAction = nullptr;
    QPushButton *bbCancel = nullptr;

private:
    void bbCancelClick();

    QLabel *m_rotulo = nullptr;
    QProgressBar *m_barra = nullptr;
    std::unique_ptr<QtProgresso> m_progresso;
    QString m_perguntaCancelar;
    const EspacoDisco *m_espaco = nullptr;
};

} // namespace gdvorn
