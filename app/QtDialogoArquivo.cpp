#include "app/QtDialogoArquivo.h"

#include <QFileDialog>
#include <QFileInfo>

namespace gdvorn {

QString QtDialogoArquivo::escolhe(QWidget *pai, const PedidoArquivo &pedido)
{
    QFileDialog d(pai, pedido.titulo);
    d.setAcceptMode(pedido.tipo == PedidoArquivo::Salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(pedido.tipo == PedidoArquivo::Salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // "Descrição|*.EXT": the pattern matches the extension in either case on a case-sensitive file system.
    const QStringList partes = pedido.filtro.split(QLatin1Char('|'));
    if (partes.size() == 2)
        d.setNameFilter(QStringLiteral("%1 (%2 %3)").arg(partes[0], partes[1], partes[1].toLower()));
    d.setDefaultSuffix(pedido.extensaoPadrao);
    d.setOption(QFileDialog::DontConfirmOverwrite, !pedido.confirmaSobrescrita);
    if (!pedido.nomeInicial.isEmpty()) {
        d.setDirectory(QFileInfo(pedido.nomeInicial).absolutePath());
        d.selectFile(QFileInfo(pedido.nomeInicial).fileName());
    } else if (!pedido.pastaInicial.isEmpty()) {
        d.setDirectory(pedido.pastaInicial);
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return QString();
    return QFileInfo(d.selectedFiles().constFirst()).absoluteFilePath();
}

} // namespace gdvorn
