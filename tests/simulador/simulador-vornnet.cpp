// Stands in for the transmission program in the tests. Like the real one it takes no arguments, reads
// the list file <raiz>/Vornnet.ini (<raiz>: $GDVORN_RAIZ, else the home folder) and, for every listed
// file it can read, "transmits" it: it writes the receipt beside it (the same name with ".rec" in place
// of the extension ".dec"), one line of 100 characters and CR LF:
//   1-9     "5" and 8 digits (the file's crc32, modulo 10^8)
//   10-23   header positions 7-20 (the declarant)
//   24-33   crc32 of the whole file, "%010u"
//   34-38   trailer positions 24-29 (establishments) as 5 digits
//   39-44   trailer positions 30-35 (links) as 6 digits
//   45-56   date and time DDMMYYYYHHMM
//   57-58   two blanks
//   59-90   the trailer's hash (the last 32 characters before its CR LF)
//   91-100  crc32 of characters 1-90, "%010u"
// It appends its process id, its own path, its arguments and the list file to <raiz>/simulador-vornnet.log.
//
// Switches, comma-separated in $GDVORN_SIMULADOR:
//   falha            writes no receipt and ends with exit code 1
//   crc-errado       characters 91-100 do not match
//   inicio=<c>       the receipt begins with <c> instead of "5"
//   curto            the line is cut to 60 characters
//   quando=DDMMYYYYHHMM  the date and time written (the clock's otherwise)
//   pendura          sleeps until killed, before anything is written

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QThread>

#include <zlib.h>

namespace {

QString raiz()
{
    QString r = qEnvironmentVariable("GDVORN_RAIZ");
    return r.isEmpty() ? QDir::homePath() : r;
}

QByteArray soma(const QByteArray &b)
{
    const uLong c = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(b.constData()), uInt(b.size()));
    return QByteArray::number(quint32(c)).rightJustified(10, '0');
}

QByteArray recibo(const QByteArray &arquivo, const QStringList &opcoes)
{
    const QByteArray cabecalho = arquivo.left(550);
    const QByteArray trailer = arquivo.size() >= 552 ? arquivo.right(552) : QByteArray(552, ' ');
    QByteArray quando = QDateTime::currentDateTime().toString(QStringLiteral("ddMMyyyyHHmm")).toLatin1();
    QByteArray inicio("5");
    for (const QString &o : opcoes) {
        if (o.startsWith(QLatin1String("quando=")))
            quando = o.mid(7).toLatin1();
        if (o.startsWith(QLatin1String("inicio=")))
            inicio = o.mid(7, 1).toLatin1();
    }
    const QByteArray crcArquivo = soma(arquivo);
    QByteArray linha = inicio + QByteArray::number(crcArquivo.toULongLong() % 100000000).rightJustified(8, '0');
    linha += cabecalho.mid(6, 14).leftJustified(14, ' ');
    linha += crcArquivo;
    linha += QByteArray::number(trailer.mid(23, 6).trimmed().toInt()).rightJustified(5, '0');
    linha += QByteArray::number(trailer.mid(29, 6).trimmed().toInt()).rightJustified(6, '0');
    linha += quando.leftJustified(12, '0', true);
    linha += "  ";
    linha += trailer.mid(552 - 34, 32);
    QByteArray c = soma(linha);
    if (opcoes.contains(QLatin1String("crc-errado")))
        c = QByteArray::number((c.toULongLong() + 1) % 10000000000ULL).rightJustified(10, '0');
    linha += c;
    if (opcoes.contains(QLatin1String("curto")))
        linha.truncate(60);
    return linha + "\r\n";
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList opcoes = qEnvironmentVariable("GDVORN_SIMULADOR").split(QLatin1Char(','), Qt::SkipEmptyParts);
    QFile lista(raiz() + QStringLiteral("/Vornnet.ini"));
    const QByteArray conteudo = lista.open(QIODevice::ReadOnly) ? lista.readAll() : QByteArray();
    QFile registro(raiz() + QStringLiteral("/simulador-vornnet.log"));
    if (registro.open(QIODevice::WriteOnly | QIODevice::Append)) {
        registro.write("pid " + QByteArray::number(QCoreApplication::applicationPid()) + "\n");
        registro.write("programa " + QCoreApplication::applicationFilePath().toLocal8Bit() + "\n");
        registro.write("argumentos " + QCoreApplication::arguments().mid(1).join(QLatin1Char(' ')).toLocal8Bit() + "\n");
        registro.write("lista\n" + conteudo + "fim\n");
        registro.close();
    }
    if (opcoes.contains(QLatin1String("pendura")))
        for (;;)
            QThread::sleep(1);
    if (opcoes.contains(QLatin1String("falha")))
        return 1;
    for (QByteArray l : conteudo.split('\n')) {
        while (l.endsWith('\r'))
            l.chop(1);
        if (l.size() < 2)
            continue;
        const QString caminho = QFile::decodeName(l.left(l.size() - 1));
        QFile declaracao(caminho);
        if (!caminho.endsWith(QLatin1String(".dec"), Qt::CaseInsensitive) || !declaracao.open(QIODevice::ReadOnly))
            continue;
        QString nomeRecibo = caminho;
        nomeRecibo.replace(nomeRecibo.size() - 3, 3, caminho.right(3).at(0).isUpper() ? QStringLiteral("REC") : QStringLiteral("rec"));
        QFile saida(nomeRecibo);
        if (saida.open(QIODevice::WriteOnly | QIODevice::Truncate))
            saida.write(recibo(declaracao.readAll(), opcoes));
    }
    return 0;
}
