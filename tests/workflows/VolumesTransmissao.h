#pragma once
// Declaration volumes for the transmission tests, laid out as the writer lays them (records of 550
// characters and CR LF, sealed with the control hash), with the fields that the transmission window and
// the stand-in for the transmission program read; and that stand-in, installed where the settings look
// for the transmission program.

#include "fileformat/ugHashVorn.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QString>

namespace gdvorn::test {

struct VolumeTeste {
    QString inscricao = QStringLiteral("11222333000181");
    QString tipo = QStringLiteral("1");
    QString prefixo = QStringLiteral("01");
    QString razao = QStringLiteral("EMPRESA DE TESTE LTDA");
    bool retificadora = false;
    int registros = 4;        // header, establishment, links, trailer: 4 records are 2208 bytes
    int estabelecimentos = 1; // the trailer's counts
    int vinculos = 2;
};

// A record with `campos` (1-based position, text) over blanks.
inline QByteArray registroTeste(const QList<QPair<int, QString>> &campos)
{
    QByteArray r(550, ' ');
    for (const auto &[posicao, texto] : campos)
        r.replace(posicao - 1, texto.size(), texto.toLatin1());
    return r + "\r\n";
}

inline QByteArray montaVolume(const VolumeTeste &v)
{
    QByteArray b = registroTeste({{1, QStringLiteral("000000001")}, {7, v.inscricao}, {223, v.retificadora ? "1" : "2"}});
    b += registroTeste({{1, QStringLiteral("000000002")},
                        {7, v.inscricao},
                        {21, v.prefixo},
                        {24, v.razao},
                        {279, v.tipo}});
    for (int i = 3; i < v.registros; ++i)
        b += registroTeste({{1, QStringLiteral("%1").arg(i, 9, 10, QLatin1Char('0'))}});
    b += registroTeste({{1, QStringLiteral("%1").arg(v.registros, 9, 10, QLatin1Char('0'))},
                        {24, QStringLiteral("%1").arg(v.estabelecimentos, 6, 10, QLatin1Char('0'))},
                        {30, QStringLiteral("%1").arg(v.vinculos, 6, 10, QLatin1Char('0'))}});
    return b;
}

// Writes the volume and seals it; false when that failed.
inline bool gravaVolume(const QString &caminho, const VolumeTeste &v = {})
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(montaVolume(v)) < 0)
        return false;
    f.close();
    return SelaVolume(caminho, nullptr) == ResultadoSelo::Selado;
}

// "Vorn" + year + "_" + inscription + "01" + volume + "G.dec": 32 characters.
inline QString nomeVolume(int volume, const QString &inscricao = QStringLiteral("11222333000181"), int ano = 2010)
{
    return QStringLiteral("Vorn%1_%2%3%4G.dec").arg(ano).arg(inscricao, QStringLiteral("01")).arg(volume, 2, 10, QLatin1Char('0'));
}

inline QByteArray leArquivo(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool gravaArquivo(const QString &caminho, const QByteArray &conteudo)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(conteudo) == conteudo.size();
}

// Copies the stand-in for the transmission program to `destino`, executable.
inline bool instalaSimulador(const QString &destino)
{
    QDir().mkpath(QFileInfo(destino).path());
    QFile::remove(destino);
    return QFile::copy(QStringLiteral(GDVORN_SIMULADOR_VORNNET), destino) &&
           QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace gdvorn::test
