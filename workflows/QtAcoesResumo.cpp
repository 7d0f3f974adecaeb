#include "workflows/QtAcoesResumo.h"

#include "app/base/DialogoArquivo.h"
#include "app/base/Presenter.h"
#include "app/udmRaveRelatorios.h"
#include "app/ugConfiguracao.h"
#include "workflows/ugGravaDecl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <stdexcept>

namespace gdvorn::AcoesResumo {

namespace {

QString anoBase() { return QString::number(Configuracao().AnoBase); }

// Disables a button for the length of a report run.
struct BotaoOcupado {
    explicit BotaoOcupado(QPushButton *b) : botao(b) { botao->setEnabled(false); }
    ~BotaoOcupado()
    {
        QCoreApplication::processEvents();
        botao->setEnabled(true);
    }
    QPushButton *botao;
};

// A report of the base year in the preview; the label also takes the edited version.
void visualiza(QPushButton *botao, const QString &relatorio, bool comVersao)
{
    dmRaveRelatorios->RvSystem1.VerificaImpressora(TRvSystem::kErroImpossivelImprimir);
    BotaoOcupado ocupado(botao);
    dmRaveRelatorios->RvSystem1.Destino = DestinoRelatorio::Visualizacao;
    TRvProject &projeto = dmRaveRelatorios->RvProtocolo;
    projeto.SetParam(QStringLiteral("AnoBase"), anoBase());
    if (comVersao)
        projeto.SetParam(QStringLiteral("VersaoEditada"), VersaoEditada(Configuracao().Versao));
    projeto.ExecuteReport(relatorio);
}

} // namespace

void Resumo(QPushButton *botao) { visualiza(botao, QStringLiteral("rptProtocolo"), false); }

void Etiqueta(QPushButton *botao) { visualiza(botao, QStringLiteral("rptEtiqueta"), true); }

void SalvaResumo(QWidget *pai, QPushButton *botao)
{
    PedidoArquivo pedido;
    pedido.tipo = PedidoArquivo::Salvar;
    pedido.filtro = QStringLiteral("Arquivos Adobe PDF|*.pdf");
    pedido.extensaoPadrao = QStringLiteral("pdf");
    pedido.pastaInicial = Raiz();
    pedido.nomeInicial = QDir(Raiz()).filePath(QStringLiteral("Resumo_") + Configuracao().NomeArquivoGerado);
    // The overwrite question is ours, naming the file chosen.
    pedido.confirmaSobrescrita = false;
    const QString arquivo = dialogoArquivo().escolhe(pai, pedido);
    if (arquivo.isEmpty())
        return;
    if (QFileInfo::exists(arquivo)) {
        if (presenter().show(MessageKind::Confirmation, PerguntaSobrescreveResumo(arquivo),
                             {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
            return;
    }
    BotaoOcupado ocupado(botao);
    auto naoGravou = [&arquivo](const QString &motivo) {
        presenter().show(MessageKind::Error,
                         QStringLiteral("Não foi possível gravar o arquivo \"") + QDir::toNativeSeparators(arquivo) +
                             QStringLiteral("\".") + (motivo.isEmpty() ? QString() : QLatin1Char('\n') + motivo),
                         {MessageButton::Ok});
    };
    // The old file goes first, so that only a file written now counts as saved.
    if (QFileInfo::exists(arquivo) && !QFile::remove(arquivo)) {
        naoGravou(QString());
        return;
    }
    TRvSystem &sistema = dmRaveRelatorios->RvSystem1;
    sistema.Destino = DestinoRelatorio::Arquivo;
    sistema.ArquivoSaida = arquivo;
    struct Restaura {
        TRvSystem &s;
        ~Restaura()
        {
            s.Destino = DestinoRelatorio::Visualizacao;
            s.ArquivoSaida.clear();
        }
    } restaura{sistema};
    TRvProject &projeto = dmRaveRelatorios->RvProtocolo;
    projeto.SetParam(QStringLiteral("AnoBase"), anoBase());
    try {
        projeto.ExecuteReport(QStringLiteral("rptProtocolo"));
    } catch (const std::runtime_error &e) {
        naoGravou(QString::fromStdString(e.what()));
        return;
    }
    const QFileInfo escrito(arquivo);
    if (escrito.exists() && escrito.size() > 0)
        presenter().show(MessageKind::Information, QStringLiteral("Documento salvo com sucesso."), {MessageButton::Ok});
    else
        naoGravou(QString());
}

} // namespace gdvorn::AcoesResumo
