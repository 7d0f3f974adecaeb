#include "backup/ufmRestore00.h"

#include "app/base/Database.h"
#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/base/DialogoArquivo.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace gdvorn {

namespace {
const QString kErroRestauracao = QStringLiteral("Ocorreu um erro durante o processo de restauração.");
}

TfmRestore00::TfmRestore00(QWidget *parent)
    : TfmCopiaSeguranca(parent, QStringLiteral("Restaurar Cópia de Segurança "),
                        QStringLiteral("Esta opção permite ao usuário restaurar a cópia de segurança.\n\n"
                                       "Todas as informações da base de dados do sistema serão substituídas pelas "
                                       "dos arquivos da cópia de segurança.\n\n"
                                       "Clique no botão <Iniciar> para restaurar os dados da cópia de segurança."),
                        QStringLiteral("laRestore"), QStringLiteral("Progresso restauração da cópia de segurança"),
                        QStringLiteral("prRestore"), QStringLiteral("Cancelar o processo de Restore ?"))
{
    setObjectName(QStringLiteral("fmRestore00"));
    m_bk.OnError = [this](int, const QString &) {
        // A head that cannot be read is answered by the title check.
        if (m_lendoCabecalho)
            return;
        presenter().show(MessageKind::Error, kErroRestauracao, {MessageButton::Ok});
        m_bk.Stop();
    };
    connect(bbAction, &QPushButton::clicked, this, Protegido([this] { bbActionClick(); }));
}

void TfmRestore00::bbActionClick()
{
    if (presenter().show(MessageKind::Confirmation,
                         QStringLiteral("Ao restaurar a Base de Dados do GDVORN, os dados existentes nela serão "
                                        "perdidos.\r\nVocê confirma a operação?"),
                         {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
        return;
    const int ano = Configuracao().AnoBase;
    PedidoArquivo odRestore;
    odRestore.tipo = PedidoArquivo::Abrir;
    odRestore.titulo = QStringLiteral("Restaurar arquivo de Backup ...");
    odRestore.filtro = QStringLiteral("Backup Files|*.BKP");
    odRestore.pastaInicial = databaseFolder();
    m_arquivo = dialogoArquivo().escolhe(this, odRestore);
    if (m_arquivo.isEmpty()) {
        accept();
        return;
    }
    auto recusa = [this](const QString &texto) {
        presenter().show(MessageKind::Warning, texto, {MessageButton::Ok});
        accept();
    };
    if (QFileInfo(m_arquivo).suffix().toUpper() != QLatin1String("BKP"))
        return recusa(QStringLiteral("Extensao inválida de arquivo de backup."));
    if (!QFileInfo::exists(m_arquivo))
        return recusa(QStringLiteral("Arquivo inexistente."));
    QString titulo;
    m_lendoCabecalho = true;
    m_bk.ReadArchiveInfo(m_arquivo, nullptr, titulo);
    m_lendoCabecalho = false;
    if (titulo != TituloCopia(ano))
        return recusa(QStringLiteral("Esse não é um arquivo de backup VORN válido"));

    mostraProgresso();
    RestauracaoSegura restauracao;
    RestauracaoSegura::Resultado r = RestauracaoSegura::NaoRestaurada;
    try {
        r = restauracao.Restaura(m_bk, m_arquivo, ano);
    } catch (const ArquivoBackupInvalido &) {
        presenter().show(MessageKind::Error, kErroRestauracao, {MessageButton::Ok});
    }
    const QString mantidos = QStringLiteral("\r\nA cópia de segurança não foi restaurada: os dados existentes foram mantidos.");
    switch (r) {
    case RestauracaoSegura::Restaurada:
        presenter().show(MessageKind::Information, QStringLiteral("Restauração da cópia bem sucedida."),
                         {MessageButton::Ok});
        break;
    case RestauracaoSegura::TabelasEstranhas:
        presenter().show(MessageKind::Warning, restauracao.motivo() + mantidos, {MessageButton::Ok});
        break;
    case RestauracaoSegura::TrocaFalhou:
        presenter().show(MessageKind::Error, restauracao.motivo() + mantidos, {MessageButton::Ok});
        break;
    case RestauracaoSegura::NaoRestaurada:
        break;
    }
    bbAction->setEnabled(true);
    accept();
}

} // namespace gdvorn
