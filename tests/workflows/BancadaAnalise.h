#pragma once
// What the analysis wizard's tests share: a program folder with the code tables and a temporary root,
// the report module and the main window (whose commands open the wizard), declaration files written by
// the record builders from rows of the consistency fixture, and the ways to reach the wizard's pages.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/udmGDVorn.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugDrives.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ugAnalis.h"

#include "FixtureConsistencia.h"
#include "FixtureTabelas.h"
#include "FixtureVinculos.h"
#include "ProgramFixture.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "tests/workflows/DeclaracaoImportada.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace gdvorn::test {

// A declaration file of one establishment (11222333000181, prefix 01) and a complete responsible row.
struct ArquivoTeste {
    bool erro = false;        // the establishment's CEP spoilt: an error
    bool aviso = false;       // the responsible's DDD of another state: a warning
    bool retificacao = false; // the header marks a rectification
    int vinculos = 0;         // links of the establishment, each passing every check
    QByteArray terminador = "\r\n";
    QByteArray cauda = {};    // bytes after the trailer
};

inline bool existe(const QString &tabela)
{
    return schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), tabela);
}

inline TPaginaAssistente *atual(QDialog &d) { return static_cast<TfmAssistente &>(d).PaginaAtual(); }

template <class T>
T *pagina(QDialog &d)
{
    return d.findChild<T *>();
}

inline QStringList textos(const ScriptedPresenter &p)
{
    QStringList t;
    for (const auto &b : p.boxes)
        t << b.text;
    return t;
}

// Page 00's Avançar on `nome`.
inline void avanca(QDialog &d, const QString &nome)
{
    auto *p00 = pagina<TfmAnalis00>(d);
    p00->arquivo->setText(nome);
    p00->bbAvancar->click();
}

// The CREA in the header of a rectification file.
inline const QByteArray kCreaDoArquivo = "298765432109";

// Page 01 after Avançar on `nome`; null when the wizard shows another page.
inline TfmAnalis01 *pagina01(QDialog &d, const QString &nome)
{
    avanca(d, nome);
    auto *p01 = pagina<TfmAnalis01>(d);
    return atual(d) == p01 ? p01 : nullptr;
}

inline const QStringList kTabelasAnalise{"te8emp",   "te8vinc", "te8resp",  "te8errwa",
                                         "te8stru", "te8imp",  "te8proid", "te8proes"};

class BancadaAnalise {
public:
    BancadaAnalise()
    {
        preencheTabelasValidas(m_tabelas);
        insereTabelasDoVinculo(m_tabelas);
        qputenv("GDVORN_RAIZ", m_raiz.path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        qunsetenv("GDVORN_UNIDADE_B");
        QDir(m_programa.folder()).mkpath(QStringLiteral("Transmite"));
        m_arquivo = pasta(QStringLiteral("VORN2010_outro.txt"));
        m_programa.create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraAnalise();
        m_programa.create(fmGDVORN);
        Configuracao().ModoParticao = false;
        Configuracao().QtdArquivos = 0;
    }
    ~BancadaAnalise()
    {
        m_programa.freeAll();
        AnaliseViaTransmissao = false;
    }
    BancadaAnalise(const BancadaAnalise &) = delete;
    BancadaAnalise &operator=(const BancadaAnalise &) = delete;

    FixtureTabelas &tabelas() { return m_tabelas; }
    // A path under the temporary root (the root itself for an empty name).
    QString pasta(const QString &nome) const { return nome.isEmpty() ? m_raiz.path() : m_raiz.filePath(nome); }
    QString transmite() const { return PastaDaUnidade(QStringLiteral("C")); }
    QString arquivo() const { return m_arquivo; }
    void setArquivo(const QString &caminho) { m_arquivo = caminho; }

    void escreveArquivo(const ArquivoTeste &a)
    {
        criaTabelasDeTrabalho();
        QVariantMap r = responsavelValido();
        if (a.aviso)
            r["NuFoneDDD"] = "61";
        insereLinha("te8resp", r);
        QVariantMap e = estabelecimentoValido();
        if (a.erro)
            e["CoCepEstabelecimento"] = "0100100";
        if (a.vinculos > 0) {
            e["InVornNegEstabelecimento"] = "0";
            e["NuVinculosEstabelecimento"] = QString::number(a.vinculos).rightJustified(6, QLatin1Char('0'));
        }
        insereLinha("te8emp", e);
        {
            Transaction t;
            Table vinculos(QStringLiteral("te8vinc"));
            vinculos.Open();
            QVariantMap v = vinculoDeTeste(pis(0), {{"CoCgcCeiEstabelecimento", e["CoCgcCeiEstabelecimento"]}});
            for (int i = 0; i < a.vinculos; ++i) {
                v["CoPisPasepEmpregado"] = pis(i);
                vinculos.Append();
                for (auto it = v.cbegin(); it != v.cend(); ++it)
                    vinculos.FieldByName(it.key()).setValue(it.value());
                vinculos.Post();
            }
            t.commit();
        }
        QByteArray bytes = declaracaoDasTabelasDeTrabalho(2010, a.terminador, a.cauda);
        // The header of a rectification: its mark and date, and the CREA it must carry.
        if (a.retificacao) {
            bytes.replace(222, 9, "110012011");
            bytes.replace(371, 12, kCreaDoArquivo);
        }
        gravaArquivo(m_arquivo, bytes);
        RemoveTabelasAnalise();
    }

    // The `n`th of a run of valid PIS numbers.
    static QString pis(int n)
    {
        const QString base = QStringLiteral("13%1").arg(n + 1, 8, 10, QLatin1Char('0'));
        for (char d = '0'; d <= '9'; ++d)
            if (ValidaPisPasep(base + QLatin1Char(d)))
                return base + QLatin1Char(d);
        return base + QLatin1Char('0');
    }

    // Runs a command of the main window.
    void comando(const char *nome) { fmGDVORN->findChild<QAction *>(QLatin1String(nome))->trigger(); }

    // Opens the wizard by `abre` with `roteiro` driving its frame; true when the script ran to its end
    // without a failed check.
    static bool roda(ScriptedModal &modal, const std::function<void()> &abre,
                     const std::function<void(QDialog &)> &roteiro)
    {
        bool chegou = false;
        modal.then([&](QDialog &d) {
            roteiro(d);
            chegou = !QTest::currentTestFailed();
        });
        abre();
        return chegou;
    }
    // The same through a command of the main window.
    bool roda(ScriptedModal &modal, const char *nome, const std::function<void(QDialog &)> &roteiro)
    {
        return roda(modal, [&] { comando(nome); }, roteiro);
    }

    // The volumes in the program's Transmite folder, and any other file left there.
    QStringList volumes() const { return QDir(transmite()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QByteArray cabecalho(const QString &volume) const
    {
        QFile f(transmite() + QLatin1Char('/') + volume);
        return f.open(QIODevice::ReadOnly) ? f.read(550) : QByteArray();
    }

    // No table of the wizard is left.
    static void semTabelas()
    {
        for (const QString &t : kTabelasAnalise)
            QVERIFY2(!existe(t), qPrintable(t));
    }

private:
    FixtureTabelas m_tabelas;
    ProgramFixture m_programa{m_tabelas};
    QTemporaryDir m_raiz;
    QString m_arquivo;
};

} // namespace gdvorn::test
