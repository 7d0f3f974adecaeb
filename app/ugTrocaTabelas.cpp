#include "app/ugTrocaTabelas.h"

#include "app/base/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace gdvorn {

namespace {

const QString kAnterior = QString::fromLatin1(kSufixoAnterior);

QString diario(const QString &pasta) { return QDir(pasta).filePath(QString::fromLatin1(kDiarioTroca)); }

} // namespace

bool ArquivosTroca::renomeia(const QString &de, const QString &para)
{
    return std::rename(QFile::encodeName(de).constData(), QFile::encodeName(para).constData()) == 0;
}

bool ArquivosTroca::remove(const QString &arquivo) { return !QFileInfo::exists(arquivo) || QFile::remove(arquivo); }

bool ArquivosTroca::gravaDiario(const QString &arquivo, const QByteArray &conteudo)
{
    DurableFile f(arquivo);
    return f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size() && f.commit();
}

TrocaTabelas::TrocaTabelas(const QString &pastaDados, const QStringList &arquivos, ArquivosTroca &operacoes)
    : m_pasta(pastaDados), m_arquivos(arquivos), m_operacoes(operacoes)
{
}

QString TrocaTabelas::caminho(const QString &arquivo) const { return QDir(m_pasta).filePath(arquivo); }

bool TrocaTabelas::coloca(const QString &pastaNovos)
{
    m_motivo.clear();
    for (const QString &a : m_arquivos) {
        // An old file kept aside by a finished replacement must not be taken for this one's.
        if (!m_operacoes.remove(caminho(a) + kAnterior)) {
            m_motivo = QStringLiteral("O arquivo %1 não pode ser excluído.").arg(caminho(a) + kAnterior);
            return false;
        }
        // Without an old file there would be nothing to put back if the replacement were ended halfway.
        for (const QString &f : {caminho(a), QDir(pastaNovos).filePath(a)})
            if (!QFileInfo::exists(f)) {
                m_motivo = QStringLiteral("O arquivo %1 não existe.").arg(f);
                return false;
            }
    }
    if (!m_operacoes.gravaDiario(diario(m_pasta), m_arquivos.join(QLatin1Char('\n')).toUtf8() + '\n')) {
        m_motivo = QStringLiteral("Não foi possível gravar o arquivo %1.").arg(diario(m_pasta));
        return false;
    }
    for (const QString &a : m_arquivos) {
        if (!m_operacoes.renomeia(caminho(a), caminho(a) + kAnterior) ||
            !m_operacoes.renomeia(QDir(pastaNovos).filePath(a), caminho(a))) {
            m_motivo = QStringLiteral("Não foi possível substituir o arquivo %1.").arg(caminho(a));
            desfaz();
            return false;
        }
    }
    // Without this, a power cut could keep the journal's deletion and lose the renames before it.
    syncFolder(m_pasta);
    return true;
}

bool TrocaTabelas::confirma()
{
    if (!m_operacoes.remove(diario(m_pasta))) {
        m_motivo = QStringLiteral("O arquivo %1 não pode ser excluído.").arg(diario(m_pasta));
        return false;
    }
    syncFolder(m_pasta);
    for (const QString &a : m_arquivos)
        m_operacoes.remove(caminho(a) + kAnterior);
    return true;
}

bool TrocaTabelas::desfaz()
{
    bool ok = true;
    for (const QString &a : m_arquivos)
        if (QFileInfo::exists(caminho(a) + kAnterior) && !m_operacoes.renomeia(caminho(a) + kAnterior, caminho(a)))
            ok = false;
    if (!ok)
        return false;
    syncFolder(m_pasta);
    m_operacoes.remove(diario(m_pasta));
    return true;
}

bool ConcluiTrocaTabelas(const QString &pastaDados)
{
    ArquivosTroca operacoes;
    return ConcluiTrocaTabelas(pastaDados, operacoes);
}

bool ConcluiTrocaTabelas(const QString &pastaDados, ArquivosTroca &operacoes)
{
    const QDir pasta(pastaDados);
    const QStringList guardados = pasta.entryList({QStringLiteral("*") + kAnterior}, QDir::Files);
    QStringList arquivos;
    for (const QString &g : guardados)
        arquivos << g.chopped(kAnterior.size());
    TrocaTabelas troca(pastaDados, arquivos, operacoes);
    DurableFile::removePartial(diario(pastaDados)); // a journal never finished: nothing was moved
    if (QFileInfo::exists(diario(pastaDados)))
        return troca.desfaz();
    bool ok = true;
    for (const QString &g : guardados)
        ok = operacoes.remove(pasta.filePath(g)) && ok;
    return ok;
}

} // namespace gdvorn
