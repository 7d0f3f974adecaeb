#include "app/QtDialogoArquivo.h"

#include <QFileDialog>
#include <QFileInfo>

namespace gdvorn {

QString QtDialogoArquivo::escolhe(QWidget *pai, const PedidoArquivo &pedido)
{
    QFileDialog d(pai, pedido.titulo);
    d.setAcceptMode(pedido.tipo == PedidoArquivo::Salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(pedido.tipo == PedidoArquivo::Salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // "Descrição|padrões|Descrição|padrões…", the patterns separated by ';': each pattern also matches in
    // lower case on a case-sensitive file system, and "*.*" means every file, as it does on the desktop
    // the filters were written for.
    const QStringList partes = pedido.filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QStringList padroes;
        for (const QString &padrao : partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = padrao.trimmed() == QLatin1String("*.*") ? QStringLiteral("*") : padrao.trimmed();
            padroes << p;
            if (p.toLower() != p)
                padroes << p.toLower();
        }
        filtros << QStringLiteral("%1 (%2)").arg(partes[i], padroes.join(QLatin1Char(' ')));
    }
    if (!filtros.isEmpty())
        d.setNameFilters(filtros);
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
