#include "workflows/ugTransmite.h"

#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugEstrutura.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugRegistrosVorn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <zlib.h>

namespace gdvorn {

namespace {

// A record line is 550 characters; a file that is no declaration may have no line end at all.
constexpr qint64 LimiteLinha = 4096;

QByteArray semFimDeLinha(QByteArray linha)
{
    while (linha.endsWith('\n') || linha.endsWith('\r'))
        linha.chop(1);
    return linha;
}

QString texto(const QByteArray &linha, int inicio, int tamanho)
{
    return QString::fromLatin1(linha.mid(inicio - 1, tamanho));
}

// Reads the columns of one file; false when it cannot be read.
bool leDeclaracao(const QFileInfo &info, DeclaracaoListada &d)
{
    if (!info.isFile())
        return false;
    QFile arquivo(info.filePath());
    if (!arquivo.open(QIODevice::ReadOnly))
        return false;
    const QByteArray cabecalho = arquivo.readLine(LimiteLinha);
    const QString estabelecimento = DecodificaCp1252(semFimDeLinha(arquivo.readLine(LimiteLinha)));
    if (arquivo.error() != QFileDevice::NoError)
        return false;
    d.caminho = info.filePath();
    d.retificadora = cabecalho.mid(222, 1) == "1";
    d.inscricao = FormataInscricao(estabelecimento.mid(6, 14), estabelecimento.mid(278, 1));
    d.prefixo = estabelecimento.mid(20, 2);
    d.razaoSocial = estabelecimento.mid(23, 52).trimmed();
    d.sequencial = info.fileName().mid(25, 2);
    const qint64 tamanho = arquivo.size();
    if (tamanho >= TamanhoMinimoComContagens) {
        if (!arquivo.seek(tamanho - 529))
            return false;
        const QByteArray contagens = arquivo.read(12);
        if (contagens.size() != 12)
            return false;
        d.estabelecimentos = RetiraZerosEsquerda(QString::fromLatin1(contagens.left(6)));
        d.vinculos = RetiraZerosEsquerda(QString::fromLatin1(contagens.mid(6)));
    }
    const QString recibo = NomeReciboTransmissao(d.caminho);
    if (QFileInfo::exists(recibo)) {
        // A receipt that fails its check does not show the file as sent: it may be sent again.
        const QByteArray linha = PrimeiraLinhaRecibo(recibo);
        d.transmitida = VerificaCRC(linha);
        d.reciboInvalido = !d.transmitida;
        // A line that passes its check is never empty: the identification is the one of the receipt read.
        d.crea = d.transmitida ? IdentificacaoRecibo(linha) : QString();
    }
    return true;
}

} // namespace

QString MascaraDeclaracoes(int anoBase) { return QStringLiteral("Vorn") + QString::number(anoBase) + QStringLiteral("*.dec"); }

ListagemDeclaracoes ListaDeclaracoes(const QString &pasta, int anoBase)
{
    ListagemDeclaracoes r;
    // System entries too: a dangling link or a special file that matches is named as unreadable.
    const QFileInfoList achados = QDir(pasta).entryInfoList({MascaraDeclaracoes(anoBase)},
                                                            QDir::Files | QDir::System, QDir::Name);
    for (const QFileInfo &info : achados) {
        if (r.declaracoes.size() >= MaxDeclaracoesListadas)
            break;
        DeclaracaoListada d;
        if (leDeclaracao(info, d))
            r.declaracoes << d;
        else
            r.ilegiveis << info.fileName();
    }
    return r;
}

QString TextoArquivosIlegiveis(const QStringList &nomes)
{
    return QStringLiteral("Não foi possível ler os arquivos abaixo, que não foram listados:\n") +
           nomes.join(QLatin1Char('\n'));
}

bool NomeNoPadrao(const QString &caminho, int anoBase)
{
    const QString nome = caminho.right(32);
    return nome.size() == 32 && nome.startsWith(QStringLiteral("Vorn") + QString::number(anoBase)) &&
           nome.endsWith(QLatin1String(".dec"));
}

QString ArquivoListaTransmissao() { return Raiz() + QStringLiteral("/Vornnet.ini"); }

QByteArray LinhaListaTransmissao(const QString &caminho, bool certificado)
{
    // The transmission program runs in a folder of its own: a relative path would name another file.
    return QFile::encodeName(QDir::toNativeSeparators(QFileInfo(caminho).absoluteFilePath())) + (certificado ? "1" : "2") +
           "\r\n";
}

ResultadoExecucao ExecAndWait(const QString &programa)
{
    QProcess processo;
    processo.setProgram(programa);
    processo.setProcessChannelMode(QProcess::ForwardedChannels);
    processo.setStandardInputFile(QProcess::nullDevice());
    processo.start();
    if (!processo.waitForStarted(-1))
        return {false, processo.errorString()};
    processo.waitForFinished(-1);
    return {true, QString()};
}

QByteArray SomaDeControle(const QByteArray &texto)
{
    const uLong soma = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(texto.constData()), uInt(texto.size()));
    return QByteArray::number(quint32(soma)).rightJustified(10, '0');
}

bool VerificaCRC(const QByteArray &linha)
{
    return linha.size() >= 100 && SomaDeControle(linha.left(90)) == linha.mid(90, 10);
}

QString FormataQuantidade(const QString &quantidade)
{
    QString n = RetiraZerosEsquerda(quantidade.trimmed());
    if (n.isEmpty())
        return QStringLiteral("0");
    if (n.size() >= 4 && n.size() <= 6)
        n.insert(n.size() - 3, QLatin1Char('.'));
    return n;
}

QString FormataCnpjCei(const QString &inscricao)
{
    return FormataInscricao(inscricao, CnpjValido(inscricao) ? QStringLiteral("1") : QStringLiteral("3"));
}

QString NumeroRecibo(const QByteArray &linha)
{
    const QString inicio = texto(linha, 1, 9);
    switch (linha.isEmpty() ? '\0' : linha.at(0)) {
    case '5': return QStringLiteral("590") + inicio;
    case '3': return QStringLiteral("390") + inicio;
    case '9': return QStringLiteral("990") + inicio;
    default: return inicio;
    }
}

QList<QPair<QString, QString>> ParametrosTransmissao(const QByteArray &linha, int anoBase)
{
    QStringList hash;
    for (int i = 0; i < 8; ++i)
        hash << texto(linha, 59 + 4 * i, 4);
    return {{QStringLiteral("AnoBase"), QString::number(anoBase)},
            {QStringLiteral("CREA"), NumeroRecibo(linha)},
            {QStringLiteral("CNPJ"), FormataCnpjCei(texto(linha, 10, 14))},
            {QStringLiteral("QtdVinc"), FormataQuantidade(texto(linha, 39, 6))},
            {QStringLiteral("QtdEstab"), FormataQuantidade(texto(linha, 34, 5))},
            {QStringLiteral("CRCArqVorn"), texto(linha, 24, 10)},
            {QStringLiteral("Data"), FormataData(texto(linha, 45, 8)) + QStringLiteral(" às ")},
            {QStringLiteral("Hora"), texto(linha, 53, 2) + QLatin1Char(':') + texto(linha, 55, 2)},
            {QStringLiteral("Hash"), hash.join(QLatin1Char('.'))},
            {QStringLiteral("CRCRecibo"), texto(linha, 91, 10)}};
}

} // namespace gdvorn
