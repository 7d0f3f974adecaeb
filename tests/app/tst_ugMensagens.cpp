// Messages by code: the box of each kind and its result text, the fallback for a missing code, the
// message about an establishment and the question of an interruption.

#include "app/base/Database.h"
#include "app/ugMensagens.h"

#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

Q_DECLARE_METATYPE(gdvorn::MessageKind)
Q_DECLARE_METATYPE(gdvorn::MessageButton)

namespace {

void insereMensagem(const QString &codigo, const QString &tipo, const QString &texto)
{
    execSql(QStringLiteral("INSERT INTO tb8msg (NuMensagem, TpMensagem, TxMensagem) VALUES ('%1', '%2', '%3')")
                .arg(codigo, tipo, texto));
}

} // namespace

class tst_ugMensagens : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dados = std::make_unique<test::TempDataFolder>();
        insereMensagem(QStringLiteral("0100"), QStringLiteral("CNF"), QStringLiteral("Confirma a exclusão?"));
        insereMensagem(QStringLiteral("0200"), QStringLiteral("WAR"), QStringLiteral("Campo obrigatório."));
        insereMensagem(QStringLiteral("0300"), QStringLiteral("INF"), QStringLiteral("Gravação concluída."));
        insereMensagem(QStringLiteral("0400"), QStringLiteral("ERR"), QStringLiteral("Inscrição inválida."));
        insereMensagem(QStringLiteral("0500"), QStringLiteral("XYZ"), QStringLiteral("Tipo desconhecido."));
    }
    void cleanup() { m_dados.reset(); }

    void cadaTipoMostraSuaCaixa_data();
    void cadaTipoMostraSuaCaixa();
    void codigoAusenteMostraAvisoENaoALinhaAnterior();
    void mensagemDoEstabelecimento_data();
    void mensagemDoEstabelecimento();
    void mensagemDoEstabelecimentoComCodigoAusente();
    void confirmaInterrupcao();

private:
    std::unique_ptr<test::TempDataFolder> m_dados;
};

void tst_ugMensagens::cadaTipoMostraSuaCaixa_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<MessageButton>("resposta");
    QTest::addColumn<MessageKind>("tipo");
    QTest::addColumn<QList<MessageButton>>("botoes");
    QTest::addColumn<QString>("resultado");

    const QList<MessageButton> simNao{MessageButton::Yes, MessageButton::No};
    const QList<MessageButton> ok{MessageButton::Ok};
    QTest::newRow("CNF sim") << "0100" << MessageButton::Yes << MessageKind::Confirmation << simNao << "mrYes";
    QTest::newRow("CNF não") << "0100" << MessageButton::No << MessageKind::Confirmation << simNao << "mrNo";
    QTest::newRow("WAR") << "0200" << MessageButton::Ok << MessageKind::Warning << ok << "mrOk";
    QTest::newRow("INF") << "0300" << MessageButton::Ok << MessageKind::Information << ok << "mrOk";
    QTest::newRow("ERR") << "0400" << MessageButton::Ok << MessageKind::Error << ok << "mrOk";
}

void tst_ugMensagens::cadaTipoMostraSuaCaixa()
{
    QFETCH(QString, codigo);
    QFETCH(MessageButton, resposta);
    QFETCH(MessageKind, tipo);
    QFETCH(QList<MessageButton>, botoes);
    QFETCH(QString, resultado);

    test::ScriptedPresenter caixas;
    caixas.answer(resposta);
    QCOMPARE(MostraMensagem(codigo), resultado);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, tipo);
    QCOMPARE(caixas.boxes[0].buttons, botoes);
}

void tst_ugMensagens::codigoAusenteMostraAvisoENaoALinhaAnterior()
{
    test::ScriptedPresenter caixas;
    // The table stands on a row first; a missing code must not show it again.
    QCOMPARE(MostraMensagem(QStringLiteral("0400")), QStringLiteral("mrOk"));
    QCOMPARE(MostraMensagem(QStringLiteral("0450")), QStringLiteral("mrOk"));
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[1].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[1].text, QStringLiteral("Mensagem 0450 não cadastrada."));

    // A kind that is none of the four shows nothing.
    QCOMPARE(MostraMensagem(QStringLiteral("0500")), QString());
    QCOMPARE(caixas.boxes.size(), 2);
}

void tst_ugMensagens::mensagemDoEstabelecimento_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("mostrada");

    QTest::newRow("CNPJ") << "11222333000181" << "1" << "11.222.333/0001-81";
    QTest::newRow("CEI com 00 na frente") << "00123456789012" << "3" << "12345.67890-12";
    QTest::newRow("CEI de 12 dígitos") << "123456789012" << "3" << "12345.67890-12";
    QTest::newRow("outro tipo") << "123456789012" << "4" << "123456789012";
    QTest::newRow("tipo com branco") << "123456789012" << " 3" << "123456789012";
}

void tst_ugMensagens::mensagemDoEstabelecimento()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(QString, mostrada);

    test::ScriptedPresenter caixas;
    // The row's kind (here a confirmation) does not matter: an information box with OK.
    MostraMensagemEstab(QStringLiteral("0100"), inscricao, QStringLiteral("PADARIA BOM PÃO"), QStringLiteral("01"),
                        tipo);
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Information);
    QCOMPARE(caixas.boxes[0].buttons, QList<MessageButton>{MessageButton::Ok});
    QCOMPARE(caixas.boxes[0].text,
             mostrada + QStringLiteral("  - 01  - PADARIA BOM PÃO   \nConfirma a exclusão?"));
}

void tst_ugMensagens::mensagemDoEstabelecimentoComCodigoAusente()
{
    test::ScriptedPresenter caixas;
    MostraMensagemEstab(QStringLiteral("0999"), QStringLiteral("11222333000181"), QStringLiteral("X"),
                        QStringLiteral("01"), QStringLiteral("1"));
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Mensagem 0999 não cadastrada."));
}

void tst_ugMensagens::confirmaInterrupcao()
{
    test::ScriptedPresenter caixas;
    caixas.answer(MessageButton::Yes);
    caixas.answer(MessageButton::No);
    QVERIFY(ConfirmaInterrupcao());
    QVERIFY(!ConfirmaInterrupcao());
    QCOMPARE(caixas.boxes.size(), 2);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Information);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Deseja interromper?"));
    QCOMPARE(caixas.boxes[0].buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No}));
}

QTEST_GUILESS_MAIN(tst_ugMensagens)
#include "tst_ugMensagens.moc"
