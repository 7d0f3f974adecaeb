#include "app/ugDrives.h"

#include "app/base/Presenter.h"
#include "app/ugConfiguracao.h"
#include "app/ugMensagens.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace gdvorn {

namespace {

qint64 tamanhoReal(const QString &pasta)
{
    const QStorageInfo info(pasta);
    if (!info.isValid() || !info.isReady())
        return -1;
    return info.bytesTotal();
}

ConsultaTamanho &consulta()
{
    static ConsultaTamanho c = tamanhoReal;
    return c;
}

// The letter in upper case, or a null QChar for anything but one letter A-Z.
QChar letraDe(const QString &letra)
{
    if (letra.size() != 1)
        return QChar();
    const QChar c = letra.at(0).toUpper();
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? c : QChar();
}

QString variavelDaUnidade(QChar letra)
{
    const QByteArray nome = QByteArrayLiteral("GDVORN_UNIDADE_") + char(letra.toLatin1());
    return qEnvironmentVariable(nome.constData());
}

// The entries of a folder but "." and ".."; none when it does not exist.
qsizetype entradas(const QString &pasta, const QStringList &filtros = {})
{
    if (pasta.isEmpty())
        return 0;
    QDir dir(pasta);
    if (!dir.exists())
        return 0;
    return dir.entryList(filtros, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size();
}

} // namespace

void ListaDrives(QStringList &letras)
{
    letras.clear();
    for (const QChar l : {QLatin1Char('A'), QLatin1Char('B')})
        if (!variavelDaUnidade(l).isEmpty())
            letras << QString(l);
    letras << QStringLiteral("C");
}

bool EhDisquete(const QString &letra)
{
    const QChar l = letraDe(letra);
    return l == QLatin1Char('A') || l == QLatin1Char('B');
}

QString PastaDaUnidade(const QString &letra)
{
    if (EhDisquete(letra))
        return QDir::cleanPath(variavelDaUnidade(letraDe(letra)));
    return DiretorioPrograma() + QStringLiteral("Transmite");
}

QString UnidadeDoArquivo(const QString &caminho)
{
    const QString pasta = QFileInfo(caminho).absolutePath();
    for (const QString &l : {QStringLiteral("A"), QStringLiteral("B")}) {
        const QString p = PastaDaUnidade(l);
        if (!p.isEmpty() && QFileInfo(p).absoluteFilePath() == pasta)
            return l;
    }
    return QStringLiteral("C");
}

qint64 TamanhoDisco(const QString &letra)
{
    const QChar l = letraDe(letra);
    if (l.isNull())
        return 0;
    QString pasta;
    if (EhDisquete(letra))
        pasta = PastaDaUnidade(letra);
    else if (l == QLatin1Char('C'))
        pasta = DiretorioPrograma();
    if (pasta.isEmpty() || !QFileInfo(pasta).isDir())
        return -1;
    return consulta()(pasta);
}

ConsultaTamanho setConsultaTamanho(ConsultaTamanho c)
{
    ConsultaTamanho anterior = consulta();
    consulta() = c ? std::move(c) : ConsultaTamanho(tamanhoReal);
    return anterior;
}

bool DriveDisponivel(const QString &letra)
{
    if (letraDe(letra).isNull())
        return false;
    return TamanhoDisco(letra) >= 0;
}

bool AguardaDisquete(const QString &letra)
{
    if (!EhDisquete(letra))
        return true;
    const QString texto = QStringLiteral("Disquete com problema ou não há disquete no drive ") + letra + QLatin1Char(':');
    while (!DriveDisponivel(letra)) {
        const MessageButton b =
            presenter().show(MessageKind::Information, texto, {MessageButton::Ok, MessageButton::Cancel});
        if (b == MessageButton::Cancel && ConfirmaInterrupcao())
            return false;
    }
    return true;
}

bool PedeDisquete(const QString &letra, int numero)
{
    const QString texto = QStringLiteral("Insira o disquete # ") + QString::number(numero) + QLatin1Char('\n') +
                          QStringLiteral("no drive ") + letra + QLatin1Char(':');
    for (;;) {
        const MessageButton b =
            presenter().show(MessageKind::Information, texto, {MessageButton::Ok, MessageButton::Cancel});
        if (b == MessageButton::Cancel) {
            if (ConfirmaInterrupcao())
                return false;
        } else if (DriveDisponivel(letra)) {
            return true;
        }
    }
}

bool DestinoComArquivos(const QString &letra, int)
{
    if (EhDisquete(letra))
        return entradas(PastaDaUnidade(letra)) > 0;
    const QString pasta = PastaDaUnidade(letra);
    return QDir(pasta).exists() &&
           !QDir(pasta).entryList({QStringLiteral("*.dec")}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

bool DisqueteTemArquivos(const QString &letra, int) { return entradas(PastaDaUnidade(letra)) >= 2; }

bool ExisteArquivoNoDestino(const QString &letra, int, const QString &nome)
{
    const QString pasta = PastaDaUnidade(letra);
    return !pasta.isEmpty() && !nome.isEmpty() && QFileInfo::exists(pasta + QLatin1Char('/') + nome);
}

} // namespace gdvorn
