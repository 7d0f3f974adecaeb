#include "backup/ufmBackup00.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/base/DialogoArquivo.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace gdvorn {

TfmBackup00::TfmBackup00(QWidget *parent)
    : TfmCopiaSeguranca(parent, QStringLiteral("Cópia de Segurança (Gravar)"),
                        QStringLiteral("Esta opção copia a base de dados do VORN para outra pasta do disco rígido ou "
                                       "para disquetes, para uso posterior. Os dados copiados são trazidos de volta "
                                       "com a opção Restaurar Cópia de Segurança.\n\n"
                                       "Importante: Faça uma cópia de segurança ao final de cada dia de trabalho.\n\n"
                                       "Clique no botão <Iniciar> para copiar os arquivos de dados da base do sistema."),
                        QStringLiteral("laProgress"), QStringLiteral("Progresso da cópia de segurança"),
                        QStringLiteral("prBackup"), QStringLiteral("Cancelar o processo de Backup ?"))
{
    setObjectName(QStringLiteral("fmBackup00"));
    m_bk.OnError = [this](int, const QString &texto) {
        presenter().show(MessageKind::Error,
                         QStringLiteral("Ocorreu um erro durante o processo de backup: [") + texto + QStringLiteral("]."),
                         {MessageButton::Ok});
        m_bk.Stop();
    };
    auto pedeVolumeDoBackup = m_bk.OnNeedDisk;
    m_bk.OnNeedDisk = [this, pedeVolumeDoBackup](int numero, bool &continua) {
        pedeVolumeDoBackup(numero, continua);
        // The new medium gives the size of the next volume.
        if (continua)
            continua = LimiteVolume();
    };
    connect(bbAction, &QPushButton::clicked, this, Protegido([this] { bbActionClick(); }));
}

bool TfmBackup00::LimiteVolume()
{
    const qint64 limite = gdvorn::LimiteVolume(espaco().livre(QFileInfo(m_arquivo).absolutePath()));
    if (limite < kMenorVolume) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Não há espaço livre suficiente na unidade de destino para gravar a cópia "
                                        "de segurança."),
                         {MessageButton::Ok});
        return false;
    }
    m_bk.MaxSize = limite;
    return true;
}

void TfmBackup00::bbActionClick()
{
    const int ano = Configuracao().AnoBase;
    m_bk.BackupTitle = TituloCopia(ano);
    PedidoArquivo s_Backup;
    s_Backup.tipo = PedidoArquivo::Salvar;
    s_Backup.titulo = QStringLiteral("Cópia de Segurança");
    s_Backup.filtro = QStringLiteral("Backup GDVORN (BKP)|*.BKP");
    s_Backup.extensaoPadrao = QStringLiteral("BKP");
    s_Backup.confirmaSobrescrita = true;
    // The copy belongs away from the program's own data folder: the dialog starts in the user's home.
    s_Backup.nomeInicial = NomeCopiaPadrao(QDir::homePath(), ano);
    m_arquivo = dialogoArquivo().escolhe(this, s_Backup);
    if (m_arquivo.isEmpty()) {
        accept();
        return;
    }
    if (QFileInfo(m_arquivo).suffix().isEmpty())
        m_arquivo += QStringLiteral(".BKP");
    if (!LimiteVolume()) {
        accept();
        return;
    }
    mostraProgresso();
    bool gravada = false;
    try {
        gravada = GravaCopia(m_bk, m_arquivo);
    } catch (const DatabaseError &e) {
        presenter().show(MessageKind::Error,
                         QStringLiteral("Ocorreu um erro durante o processo de backup: [") + e.message() +
                             QStringLiteral("]."),
                         {MessageButton::Ok});
    }
    if (gravada)
        presenter().show(MessageKind::Information, QStringLiteral("Gravação da cópia bem sucedida."), {MessageButton::Ok});
    accept();
}

} // namespace gdvorn
