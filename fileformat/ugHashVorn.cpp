#include "fileformat/ugHashVorn.h"

#include "app/base/Progresso.h"

#include <QCryptographicHash>
#include <QFile>

namespace gdvorn {

namespace {

constexpr qint64 kDistanciaDoFim = TamanhoHashVorn + 2; // the field and the final CR LF

// Adds `n` bytes of `f` from its current position to `h`; false on a read error or a short file.
bool acrescenta(QCryptographicHash &h, QFile &f, qint64 n)
{
    char bloco[64 * 1024];
    while (n > 0) {
        const qint64 lidos = f.read(bloco, std::min<qint64>(n, qint64(sizeof bloco)));
        if (lidos <= 0)
            return false;
        h.addData(QByteArrayView(bloco, lidos));
        n -= lidos;
    }
    return true;
}

QString hexadecimal(const QCryptographicHash &h) { return QString::fromLatin1(h.result().toHex().toUpper()); }

} // namespace

QString hashFileGenerate(const QString &caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const qint64 tamanho = f.size();
    QCryptographicHash h(QCryptographicHash::Md5);
    bool ok;
    if (tamanho < kDistanciaDoFim) {
        ok = acrescenta(h, f, tamanho);
    } else {
        ok = acrescenta(h, f, tamanho - kDistanciaDoFim) && f.seek(tamanho - 2) && acrescenta(h, f, 2);
    }
    if (!ok)
        return QString();
    return hexadecimal(h);
}

ResultadoSelo SelaVolume(const QString &caminho, Progresso *progresso)
{
    if (progresso && progresso->Interrompido())
        return ResultadoSelo::Interrompido;
    const QString hash = hashFileGenerate(caminho);
    if (hash.size() != TamanhoHashVorn)
        return ResultadoSelo::ErroGravacao;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadWrite) || f.size() < kDistanciaDoFim || !f.seek(f.size() - kDistanciaDoFim) ||
        f.write(hash.toLatin1()) != TamanhoHashVorn || !f.flush())
        return ResultadoSelo::ErroGravacao;
    f.close();
    if (f.error() != QFileDevice::NoError)
        return ResultadoSelo::ErroGravacao;
    if (progresso && progresso->Interrompido())
        return ResultadoSelo::Interrompido;
    return ResultadoSelo::Selado;
}

ResultadoSelo SelaVolume(QByteArray &volume, Progresso *progresso)
{
    if (progresso && progresso->Interrompido())
        return ResultadoSelo::Interrompido;
    if (volume.size() < kDistanciaDoFim)
        return ResultadoSelo::ErroGravacao;
    const qsizetype campo = volume.size() - kDistanciaDoFim;
    QCryptographicHash h(QCryptographicHash::Md5);
    h.addData(QByteArrayView(volume).first(campo));
    h.addData(QByteArrayView(volume).last(2));
    volume.replace(campo, TamanhoHashVorn, hexadecimal(h).toLatin1());
    if (progresso && progresso->Interrompido())
        return ResultadoSelo::Interrompido;
    return ResultadoSelo::Selado;
}

bool ComparaHashArquivo(const QString &caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly) || f.size() < kDistanciaDoFim || !f.seek(f.size() - kDistanciaDoFim))
        return false;
    QByteArray guardado = f.read(TamanhoHashVorn);
    f.close();
    if (guardado.size() < TamanhoHashVorn)
        return false;
    const qsizetype nul = guardado.indexOf('\0');
    if (nul >= 0)
        guardado.truncate(nul);
    const QString calculado = hashFileGenerate(caminho);
    return !calculado.isEmpty() && QString::fromLatin1(guardado) == calculado;
}

} // namespace gdvorn
