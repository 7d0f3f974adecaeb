// The main window: the settings record, the declaration commands that follow the stored establishments,
// the caption and texts set when it is shown, its first activation, its closing and its guarded
// handlers.

#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"

#include "ProgramFixture.h"
#include "ScriptedPresenter.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;

namespace {

const QStringList kBotoes{"sbAbrir", "sbExcluir", "sbVerInco", "sbRetif", "sbGravar"};
const QStringList kItens{"Abrir1",     "Excluir1",   "Verificar1", "Gravardeclarao1", "Gravarretificaodadeclarao1",
                         "Gerarcpia1", "Declarao1"};

void insereEstabelecimento(const QString &ano, const QString &inscricao)
{
    execSql(QStringLiteral("INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) "
                           "VALUES ('%1', '%2', '00')")
                .arg(ano, inscricao));
}

// How much of a picture shows: the sum of its pixels' opacity times their distance from white.
double presenca(const QPixmap &p)
{
    const QImage img = p.toImage().convertToFormat(QImage::Format_ARGB32);
    double soma = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            soma += qAlpha(c) / 255.0 * (1.0 + (255 - qGray(c)) / 255.0);
        }
    return soma;
}

} // namespace

class tst_ufmGDVORN : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_terminacoes = 0;
        m_termina = setTerminaPrograma([this] { ++m_terminacoes; });
        m_programa = std::make_unique<test::ProgramFixture>(test::ProgramFixture::EmptyTables);
        m_programa->create(dmGDVorn, m_programa->folder());
        // The declaration commands are enabled only with their windows registered.
        for (const QString &comando : kItens)
            RegistraJanela(comando, [](QWidget *) {});
        m_programa->create(fmGDVORN);
        m_programa->create(dmEntradaDados);
    }
    void cleanup()
    {
        m_programa.reset();
        setTerminaPrograma(m_termina);
    }

    void registroDeConfiguracao();
    void controlaBotoesSegueOsEstabelecimentos_data();
    void controlaBotoesSegueOsEstabelecimentos();
    void novoEstabelecimentoHabilitaSemReiniciar();
    void figurasSeguemOEstado();
    void legendaEAmbiente_data();
    void legendaEAmbiente();
    void mostrarPreparaImportacaoETabelaDeMensagens();
    void primeiraAtivacao();
    void fecharLiberaOsModulosDeDados();
    void erroAoMostrarVaiAoTratamento();

private:
    int m_terminacoes = 0;
    std::function<void()> m_termina;
    std::unique_ptr<test::ProgramFixture> m_programa;
};

void tst_ufmGDVORN::registroDeConfiguracao()
{
    // The window holds the record of the run; without it the record of start-up values stands in.
    QCOMPARE(&Configuracao(), &fmGDVORN->Config);
    const TConfiguracao &c = fmGDVORN->Config;
    QCOMPARE(c.AnoBase, 2010);
    QCOMPARE(c.Versao, QStringLiteral("2010.01.03"));
    QCOMPARE(c.Ambiente, QStringLiteral("Produção"));
    QCOMPARE(c.CodigoSO, QStringLiteral("0"));
    QCOMPARE(c.PrimeiraAtivacao, QStringLiteral("S"));
    QCOMPARE(c.ConsultaAposTransmite, false);
    QCOMPARE(c.CaminhoVornNet, Raiz() + QStringLiteral("/VornNet2010/VornNet2010"));
    QCOMPARE(c.CaminhoVornNetCertificado, c.CaminhoVornNet);
    QCOMPARE(fmGDVORN->size(), QSize(800, 580));

    fmGDVORN->Config.Crea = QStringLiteral("123456789012");
    QCOMPARE(Configuracao().Crea, QStringLiteral("123456789012"));
    m_programa->freeAll();
    QVERIFY(!fmGDVORN);
    QVERIFY(Configuracao().Crea.isEmpty());
    QCOMPARE(Configuracao().AnoBase, 2010);

    // The drive C: is $GDVORN_RAIZ, otherwise the home folder.
    const QByteArray antes = qgetenv("GDVORN_RAIZ");
    qputenv("GDVORN_RAIZ", "/srv/raiz/");
    QCOMPARE(Raiz(), QStringLiteral("/srv/raiz"));
    QCOMPARE(TConfiguracao().CaminhoVornNet, QStringLiteral("/srv/raiz/VornNet2010/VornNet2010"));
    qunsetenv("GDVORN_RAIZ");
    QCOMPARE(Raiz(), QDir::homePath());
    if (!antes.isEmpty())
        qputenv("GDVORN_RAIZ", antes);

    // The program's folder ends with "/".
    QVERIFY(DiretorioPrograma().endsWith(QLatin1Char('/')));
}

void tst_ufmGDVORN::controlaBotoesSegueOsEstabelecimentos_data()
{
    QTest::addColumn<QStringList>("anos");
    QTest::addColumn<bool>("habilitados");

    QTest::newRow("nenhum") << QStringList() << false;
    QTest::newRow("só 2009") << QStringList{"2009"} << false;
    QTest::newRow("2009 e 2012") << QStringList{"2009", "2012"} << false;
    QTest::newRow("2010") << QStringList{"2010"} << true;
    QTest::newRow("2011") << QStringList{"2011"} << true;
    QTest::newRow("2009 e 2011") << QStringList{"2009", "2011"} << true;
}

void tst_ufmGDVORN::controlaBotoesSegueOsEstabelecimentos()
{
    QFETCH(QStringList, anos);
    QFETCH(bool, habilitados);

    for (const QString &ano : anos)
        insereEstabelecimento(ano, QStringLiteral("11222333000181"));
    fmGDVORN->ControlaBotoes();
    for (const QString &nome : kBotoes) {
        auto *b = fmGDVORN->findChild<QToolButton *>(nome);
        QVERIFY2(b, qPrintable(nome));
        QVERIFY2(b->isEnabled() == habilitados, qPrintable(nome));
    }
    for (const QString &nome : kItens) {
        auto *a = fmGDVORN->findChild<QAction *>(nome);
        QVERIFY2(a, qPrintable(nome));
        QVERIFY2(a->isEnabled() == habilitados, qPrintable(nome));
    }
    QCOMPARE(fmGDVORN->Config.SemDeclaracao, habilitados ? 0 : 1);
    // Nothing left running on the connection: a work table can be dropped at once.
    QVERIFY(!dmGDVorn->quBd8Emp.Active());
    createTable(Schema::require(QStringLiteral("te8errwa")));
    dropTable(Schema::require(QStringLiteral("te8errwa")));
}

void tst_ufmGDVORN::figurasSeguemOEstado()
{
    // Every picture of the tool bar is drawn much fainter while its button is disabled than while enabled,
    // whatever the glyph: a disabled button never looks like a working one.
    fmGDVORN->show();
    int botoes = 0;
    for (QToolButton *b : fmGDVORN->findChildren<QToolButton *>()) {
        if (b->icon().isNull() || b->objectName().startsWith(QLatin1String("qt_"))) // the toolkit's own
            continue;
        ++botoes;
        const double ativa = presenca(b->icon().pixmap(b->iconSize(), QIcon::Normal));
        const double apagada = presenca(b->icon().pixmap(b->iconSize(), QIcon::Disabled));
        QVERIFY2(ativa > 0 && apagada < 0.5 * ativa, qPrintable(b->objectName()));
    }
    QVERIFY(botoes >= 10);
}

void tst_ufmGDVORN::novoEstabelecimentoHabilitaSemReiniciar()
{
    fmGDVORN->ControlaBotoes();
    QVERIFY(!fmGDVORN->sbAbrir->isEnabled());
    insereEstabelecimento(QStringLiteral("2010"), QStringLiteral("11222333000181"));
    fmGDVORN->ControlaBotoes();
    QVERIFY(fmGDVORN->sbAbrir->isEnabled());
    QVERIFY(fmGDVORN->Declarao1->isEnabled());
    QCOMPARE(fmGDVORN->Config.SemDeclaracao, 0);
}

void tst_ufmGDVORN::legendaEAmbiente_data()
{
    QTest::addColumn<QString>("ambiente");
    QTest::addColumn<QString>("legenda");

    const QString base = QStringLiteral("GDVorn2010 - Gerador de Declaração Vorn [Versão: 2010.01.03] ");
    QTest::newRow("produção") << "Produção" << base;
    QTest::newRow("homologação") << "Homologação" << base + " Homologação";
    QTest::newRow("desenvolvimento") << "Desenvolvimento" << base + " Desenvolvimento";
}

void tst_ufmGDVORN::legendaEAmbiente()
{
    QFETCH(QString, ambiente);
    QFETCH(QString, legenda);

    fmGDVORN->Config.Ambiente = ambiente;
    fmGDVORN->show();
    QCOMPARE(fmGDVORN->windowTitle(), legenda);
}

void tst_ufmGDVORN::mostrarPreparaImportacaoETabelaDeMensagens()
{
    dmGDVorn->taMensagem.Close();
    fmGDVORN->Config.EstabelecimentoExistente = true;
    test::ScriptedPresenter caixas;
    fmGDVORN->showMaximized();

    QVERIFY(caixas.boxes.isEmpty());
    QVERIFY(fmGDVORN->windowTitle().endsWith(QStringLiteral("] ")));
    QVERIFY(dmGDVorn->taMensagem.Active());
    QCOMPARE(fmGDVORN->Config.EstabelecimentoExistente, false);
    QCOMPARE(fmGDVORN->Config.SemDeclaracao, 1);
    QCOMPARE(fmGDVORN->sbImpAnoAnterior->text(), QStringLiteral("200&9"));
    QCOMPARE(fmGDVORN->sbImpAnoAnterior->toolTip(), QStringLiteral("Importar Arquivo Ano-Base 2009"));
    QCOMPARE(fmGDVORN->sbImpAnoAtual->text(), QStringLiteral("201&0"));
    QCOMPARE(fmGDVORN->sbImpAnoAtual->toolTip(), QStringLiteral("Importar Arquivo Ano-Base 2010"));
    QCOMPARE(fmGDVORN->AnoAnterior->text(), QStringLiteral("Ano Anterior  2009"));
    QCOMPARE(fmGDVORN->AnoAtual->text(), QStringLiteral("Ano Atual       2010"));
    QCOMPARE(fmGDVORN->sbAbrir->toolTip(), QStringLiteral("Abrir Declaração"));
    QCOMPARE(fmGDVORN->Gravarretificaodadeclarao1->text(), QStringLiteral("Gravar &Retificação da Declaração..."));
    QVERIFY(fmGDVORN->URLLabel->text().contains(kEnderecoServico));
}

void tst_ufmGDVORN::primeiraAtivacao()
{
    fmGDVORN->show();
    QVERIFY(QTest::qWaitForWindowActive(fmGDVORN));
    QCOMPARE(fmGDVORN->Config.PrimeiraAtivacao, QStringLiteral("N"));
}

void tst_ufmGDVORN::fecharLiberaOsModulosDeDados()
{
    // Closing only ends the message loop: the owner of the modules frees them after it, once.
    fmGDVORN->show();
    QVERIFY(fmGDVORN->close());
    QVERIFY(dmGDVorn && dmEntradaDados && fmGDVORN);
    QVERIFY(isDatabaseOpen());
    m_programa->freeAll();
    QVERIFY(!dmGDVorn && !dmEntradaDados && !fmGDVORN);
    QVERIFY(!isDatabaseOpen());
}

void tst_ufmGDVORN::erroAoMostrarVaiAoTratamento()
{
    execSql(QStringLiteral("DROP TABLE bd8emp.bd8emp"));
    test::ScriptedPresenter caixas;
    fmGDVORN->show();
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Error);
    QVERIFY2(caixas.boxes[0].text.startsWith(QStringLiteral("Erro BDE ")), qPrintable(caixas.boxes[0].text));
    QCOMPARE(caixas.beeps, 1);
    QCOMPARE(m_terminacoes, 1);
}

QTEST_MAIN(tst_ufmGDVORN)
#include "tst_ufmGDVORN.moc"
