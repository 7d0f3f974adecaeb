#include "app/ugEstrutura.h"

#include "app/base/EngineError.h"
#include "app/base/Table.h"

#include <QFile>

namespace gdvorn {

void CriaTabelaComEstrutura(const QString &tabelaModelo, const QString &novaTabela, const QString &bancoDados,
                            bool comIndices)
{
    // Opening the model checks that it exists in its file with the fields of the catalogue.
    Table modelo(tabelaModelo, bancoDados);
    modelo.Open();
    const TableDef &destino = Schema::require(novaTabela);
    if (destino.name == modelo.definition().name)
        throw TableBusy(QStringLiteral("Table is busy.\nTable: %1").arg(novaTabela));
    createTable(modelo.definition().copiedAs(destino.name, destino.file, comIndices), bancoDados);
    modelo.Close();
}

bool CopiaEstruturaTabela(const QString &tabelaModelo, const QString &novaTabela, const QString &bancoDados,
                          bool comIndices, QString *erro)
{
    QString texto;
    bool feito = false;
    try {
        CriaTabelaComEstrutura(tabelaModelo, novaTabela, bancoDados, comIndices);
        feito = true;
    } catch (const DatabaseError &e) {
        texto = e.message();
    } catch (const std::exception &e) {
        texto = QString::fromUtf8(e.what());
    }
    if (erro)
        *erro = texto;
    return feito;
}

QString NomeReciboTransmissao(const QString &arquivoDeclaracao)
{
    const QString extensao = arquivoDeclaracao.right(4);
    if (extensao.compare(QLatin1String(".dec"), Qt::CaseInsensitive) != 0)
        return QString();
    const QChar r = extensao.at(1).isUpper() ? QLatin1Char('R') : QLatin1Char('r');
    return arquivoDeclaracao.left(arquivoDeclaracao.size() - 3) + r + extensao.mid(2);
}

QByteArray PrimeiraLinhaRecibo(const QString &arquivoRecibo)
{
    QFile recibo(arquivoRecibo);
    if (!recibo.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray linha = recibo.readLine(LimiteLinhaRecibo);
    if (recibo.error() != QFileDevice::NoError)
        return QByteArray();
    while (linha.endsWith('\n') || linha.endsWith('\r'))
        linha.chop(1);
    return linha;
}

QString IdentificacaoTransmissao(const QString &arquivoDeclaracao)
{
    const QString nomeRecibo = NomeReciboTransmissao(arquivoDeclaracao);
    return IdentificacaoRecibo(nomeRecibo.isEmpty() ? QByteArray() : PrimeiraLinhaRecibo(nomeRecibo));
}

QString IdentificacaoRecibo(const QByteArray &linha)
{
    if (linha.isEmpty())
        return SemIdentificacaoTransmissao;
    const QString inicio = QString::fromLatin1(linha.left(9));
    switch (linha.at(0)) {
    case '5': return QStringLiteral("590") + inicio;
    case '3': return QStringLiteral("390") + inicio;
    case '9': return QStringLiteral("990") + inicio;
    default: return QString();
    }
}

} // namespace gdvorn
