// The establishment form's save without a window: one transaction over the links and the row, the
// counts stored, the links following a new CEI vinculado or inscription type.

#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "entry/ugDadosEstab.h"

#include "LinhasDeclaracao.h"
#include "ProgramaTeste.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString kAno = QStringLiteral("2010");
const QString kCnpj = QStringLiteral("11222333000181");
const QString kPrefixo = QStringLiteral("01");
const ChaveEstabelecimento kChave{kAno, kCnpj, kPrefixo};
const QString kSemCei = QStringLiteral("00000000000000");

QString campoVinculo(const QString &pis, const QString &nome)
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    if (!t.FindKey({kAno, kCnpj, kPrefixo, pis}))
        return QStringLiteral("<ausente>");
    return t.FieldByName(nome).AsString();
}

// The shared cursor on the establishment, in edit, as the form holds it.
Table &emEdicao()
{
    Table &t = dmEntradaDados->ta8Empresa;
    if (!t.Active())
        t.Open();
    if (!t.FindKey({kAno, kCnpj, kPrefixo}))
        qFatal("establishment missing");
    t.Edit();
    return t;
}

} // namespace

class tst_ugDadosEstab : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramaTeste> programa;

private slots:
    void init()
    {
        programa = std::make_unique<ProgramaTeste>();
        gravaEstab(kAno, kCnpj, kPrefixo, QStringLiteral("EMPRESA"),
                   {{"NuVinculosEstabelecimento", "000009"}, {"InOpcaoAberta", "1"}});
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000001"), QStringLiteral("A"),
                     {{"CoNacionalidade", "21"}});
        gravaVinculo(kAno, kCnpj, kPrefixo, QStringLiteral("10000000002"), QStringLiteral("B"),
                     {{"CoNacionalidade", "10"}});
    }
    void cleanup() { programa.reset(); }

    void gravaContagensEPostaALinha()
    {
        Table &t = emEdicao();
        t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(QStringLiteral("NOVA RAZAO"));
        const ContagemVinculos c = GravaEstabelecimento(kChave, {kSemCei, QStringLiteral("1")}, false);
        QCOMPARE(c.vinculos, 2);
        QCOMPARE(c.estrangeiros, 1);
        QCOMPARE(t.State(), DataSetState::Browse);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NoRazaoEstabelecimento")), QStringLiteral("NOVA RAZAO"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000002"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuEstrangeirosEstabelec")), QStringLiteral("00001"));
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("InOpcaoAberta")), QStringLiteral("0"));
        // Nothing changed in the links' copy of the establishment.
        QCOMPARE(campoVinculo(QStringLiteral("10000000001"), QStringLiteral("CoCgcVinculado")), kSemCei);
    }

    void excluiVinculosAntesDeContar()
    {
        emEdicao();
        QCOMPARE(GravaEstabelecimento(kChave, {kSemCei, QStringLiteral("1")}, true).vinculos, 0);
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 0);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000000"));
    }

    void vinculosSeguemNovoCeiETipo()
    {
        Table &t = emEdicao();
        const QString cei = QStringLiteral("00123456789012");
        t.FieldByName(QStringLiteral("CoCgcVinculado")).setAsString(cei);
        GravaEstabelecimento(kChave, {kSemCei, QStringLiteral("1")}, false);
        for (const char *pis : {"10000000001", "10000000002"}) {
            QCOMPARE(campoVinculo(QLatin1String(pis), QStringLiteral("CoCgcVinculado")), cei);
            QCOMPARE(campoVinculo(QLatin1String(pis), QStringLiteral("InInscrEstabelecimento")), QStringLiteral("1"));
        }
    }

    void falhaNaoGravaNada()
    {
        // The row refuses the post: the deleted links come back and the counts stay as they were.
        QSqlQuery q(database());
        QVERIFY2(q.exec(QStringLiteral("CREATE TEMP TRIGGER recusa BEFORE UPDATE ON bd8emp.bd8emp "
                                       "BEGIN SELECT RAISE(ABORT, 'recusada'); END")),
                 qPrintable(q.lastError().text()));
        Table &t = emEdicao();
        QVERIFY_THROWS_EXCEPTION(EngineError, GravaEstabelecimento(kChave, {kSemCei, QStringLiteral("1")}, true));
        QCOMPARE(t.State(), DataSetState::Edit);
        t.Cancel();
        QCOMPARE(contaLinhas(QStringLiteral("bd8vinc"), kAno, kCnpj, kPrefixo), 2);
        QCOMPARE(campoEstab(kAno, kCnpj, kPrefixo, QStringLiteral("NuVinculosEstabelecimento")), QStringLiteral("000009"));
    }
};

QTEST_MAIN(tst_ugDadosEstab)
#include "tst_ugDadosEstab.moc"
