#pragma once
// A folder or file that cannot be written while this lives: its write permissions taken away and, for a
// user that ignores them (root), the immutable flag set. protegida() tells whether it worked here.

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace gdvorn::test {

class SomenteLeitura {
public:
    explicit SomenteLeitura(const QString &caminho) : m_caminho(caminho), m_pasta(QFileInfo(caminho).isDir())
    {
        m_permissoes = QFile::permissions(caminho);
        QFile::setPermissions(caminho, m_permissoes & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                        QFileDevice::WriteGroup | QFileDevice::WriteOther));
        if (!gravavel())
            return;
        m_imutavel = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), caminho}) == 0;
    }
    ~SomenteLeitura()
    {
        if (m_imutavel)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_caminho});
        QFile::setPermissions(m_caminho, m_permissoes);
    }
    SomenteLeitura(const SomenteLeitura &) = delete;
    SomenteLeitura &operator=(const SomenteLeitura &) = delete;
    bool protegida() const { return !gravavel(); }

private:
    bool gravavel() const
    {
        if (!m_pasta)
            return QFile(m_caminho).open(QIODevice::ReadWrite);
        QFile sonda(m_caminho + QStringLiteral("/.sonda"));
        if (!sonda.open(QIODevice::WriteOnly))
            return false;
        sonda.close();
        sonda.remove();
        return true;
    }
    QString m_caminho;
    bool m_pasta;
    QFileDevice::Permissions m_permissoes;
    bool m_imutavel = false;
};

} // namespace gdvorn::test
