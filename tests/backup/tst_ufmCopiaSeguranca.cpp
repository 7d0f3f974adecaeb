#include "backup/ufmBackup00.h"
#include "backup/ufmGeraIndice.h"
#include "backup/ufmRestore00.h"

#include "app/base/Database.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "backup/QtComandosCopia.h"
#include "ProgramFixture.h"
#include "ScriptedFileDialog.h"
#include "ScriptedPresenter.h"
#include "Estabelecimentos.h"
#include "TestData.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

// A medium with the given free space; the questions numbered in `semMidia` (from 1) find no medium.
class EspacoDeTeste : public EspacoDisco {
public:
    explicit EspacoDeTeste(qint64 livre) : m_livre(livre) {}
    qint64 livre(const QString &) const override { return semMidia.contains(++perguntas) ? -1 : m_livre; }
    QList<int> semMidia;
    mutable int perguntas = 0;

private:
    qint64 m_livre;
};

QStringList textos(const ScriptedPresenter &p)
{
    QStringList r;
    for (const ShownBox &b : p.boxes)
        r << b.text;
    return r;
}

void clica(QWidget *janela, const char *botao)
{
    auto *b = janela->findChild<QPushButton *>(QLatin1String(botao));
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

} // namespace

class tst_ufmCopiaSeguranca : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void copiaERestauraPelasJanelas();
    void copiaEmVolumes();
    void espacoInsuficiente();
    void cancelamentoDaCopia_data();
    void cancelamentoDaCopia();
    void restauracaoRecusada_data();
    void restauracaoRecusada();
    void restauracaoNaoConfirmada();
    void indexacao();
    void indexacaoComArquivoDanificado();
    void comandosDaJanelaPrincipal();

private:
    void consultaSobreUmaLinha();
    std::unique_ptr<test::ProgramFixture> m_pasta;
    QString arquivo(const QString &nome) const { return m_pasta->folder() + nome; }
};

void tst_ufmCopiaSeguranca::init()
{
    m_pasta = std::make_unique<test::ProgramFixture>();
    m_pasta->create(dmGDVorn, m_pasta->folder());
    insereEstab("11222333000181", "PADARIA");
    insereEstab("44555666000100", "OFICINA");
}

void tst_ufmCopiaSeguranca::consultaSobreUmaLinha()
{
    m_pasta->create(dmEntradaDados);
    dmEntradaDados->quConVinculo.setSql(QStringList{QStringLiteral("Select CoCgcCeiEstabelecimento from Bd8Emp")});
    dmEntradaDados->quConVinculo.Open();
    QVERIFY(!dmEntradaDados->quConVinculo.Eof());
}

void tst_ufmCopiaSeguranca::cleanup()
{
    m_pasta.reset();
}

void tst_ufmCopiaSeguranca::copiaERestauraPelasJanelas()
{
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    EspacoDeTeste espaco(10000000);
    {
        TfmBackup00 janela;
        janela.setEspacoDisco(&espaco);
        QVERIFY(janela.findChild<QProgressBar *>("prBackup")->isHidden());
        dialogo.answer(arquivo("copia"));
        clica(&janela, "bbAction");
        QCOMPARE(textos(caixas), QStringList{"Gravação da cópia bem sucedida."});
        QCOMPARE(dialogo.requests.size(), 1);
        QCOMPARE(dialogo.requests[0].titulo, QStringLiteral("Cópia de Segurança"));
        QCOMPARE(dialogo.requests[0].filtro, QStringLiteral("Backup GDVORN (BKP)|*.BKP"));
        QCOMPARE(dialogo.requests[0].nomeInicial, QDir::home().filePath(QStringLiteral("Vorn2010_backup.bkp")));
        QVERIFY(dialogo.requests[0].confirmaSobrescrita);
        QVERIFY(QFile::exists(arquivo("copia.BKP")));
        QVERIFY(!janela.isVisible());
    }
    QSqlQuery q(database());
    QVERIFY(q.exec("UPDATE bd8emp.bd8emp SET NoRazaoEstabelecimento = 'MUDOU' WHERE CoCgcCeiEstabelecimento = '11222333000181'"));
    QVERIFY(q.exec("DELETE FROM bd8emp.bd8emp WHERE CoCgcCeiEstabelecimento = '44555666000100'"));

    // A program-wide query of the entry module stands on a row of the permanent tables.
    consultaSobreUmaLinha();
    caixas.boxes.clear();
    TfmRestore00 janela;
    janela.setEspacoDisco(&espaco);
    caixas.answer(MessageButton::Yes);
    dialogo.answer(arquivo("copia.BKP"));
    clica(&janela, "bbAction");
    QCOMPARE(textos(caixas), (QStringList{"Ao restaurar a Base de Dados do GDVORN, os dados existentes nela serão "
                                          "perdidos.\r\nVocê confirma a operação?",
                                          "Restauração da cópia bem sucedida."}));
    QCOMPARE(dialogo.requests.last().titulo, QStringLiteral("Restaurar arquivo de Backup ..."));
    QCOMPARE(estabs(), (QStringList{"11222333000181 PADARIA", "44555666000100 OFICINA"}));
    QVERIFY(!QFileInfo::exists(arquivo("dados/Work")));
}

void tst_ufmCopiaSeguranca::copiaEmVolumes()
{
    // Rows of random text make the table larger than one volume.
    QRandomGenerator g(11);
    {
        Transaction t;
        for (int i = 0; i < 400; ++i) {
            QString nome;
            for (int c = 0; c < 40; ++c)
                nome += QChar(u'A' + g.bounded(26));
            insereEstab(QStringLiteral("%1").arg(10000000000000LL + i), nome);
        }
        t.commit();
    }
    const QStringList antes = estabs();
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    EspacoDeTeste espaco(40000); // volumes of 20,000 bytes
    TfmBackup00 copia;
    copia.setEspacoDisco(&espaco);
    espaco.semMidia = {2};       // the first question after a disk request finds no medium
    dialogo.answer(arquivo("volumes.bkp"));
    clica(&copia, "bbAction");
    QVERIFY(caixas.boxes.size() >= 3);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Insira o volume n° 2"));
    QCOMPARE(caixas.boxes[1].text, QStringLiteral("Unidade nao esta preparada."));
    QCOMPARE(caixas.boxes.last().text, QStringLiteral("Gravação da cópia bem sucedida."));
    QVERIFY(QFile::exists(arquivo("volumes.002")));
    for (const QString &v : QDir(m_pasta->folder()).entryList({"volumes.*"}))
        QVERIFY(QFileInfo(arquivo(v)).size() <= 20000);

    QVERIFY(QSqlQuery(database()).exec("DELETE FROM bd8emp.bd8emp"));
    caixas.boxes.clear();
    TfmRestore00 restauracao;
    restauracao.setEspacoDisco(&espaco);
    caixas.answer(MessageButton::Yes);
    dialogo.answer(arquivo("volumes.bkp"));
    clica(&restauracao, "bbAction");
    QCOMPARE(caixas.boxes.last().text, QStringLiteral("Restauração da cópia bem sucedida."));
    QCOMPARE(estabs(), antes);
}

void tst_ufmCopiaSeguranca::espacoInsuficiente()
{
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    EspacoDeTeste espaco(36483);
    TfmBackup00 janela;
    janela.setEspacoDisco(&espaco);
    dialogo.answer(arquivo("x.bkp"));
    clica(&janela, "bbAction");
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Warning);
    QVERIFY(caixas.boxes[0].text.contains(QStringLiteral("espaço livre")));
    QVERIFY(!QFile::exists(arquivo("x.bkp")));
}

void tst_ufmCopiaSeguranca::cancelamentoDaCopia_data()
{
    QTest::addColumn<bool>("confirma");
    QTest::newRow("sim para") << true;
    QTest::newRow("nao continua") << false;
}

void tst_ufmCopiaSeguranca::cancelamentoDaCopia()
{
    QFETCH(bool, confirma);
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    EspacoDeTeste espaco(10000000);
    TfmBackup00 janela;
    janela.setEspacoDisco(&espaco);
    janela.show();
    dialogo.answer(arquivo("x.bkp"));
    caixas.answer(confirma ? MessageButton::Yes : MessageButton::No);
    // The cancel button is pressed while the copy runs (its events run between blocks).
    QTimer::singleShot(0, &janela, [&] { clica(&janela, "bbCancel"); });
    clica(&janela, "bbAction");
    QVERIFY(caixas.boxes.size() >= 1);
    QCOMPARE(caixas.boxes[0].text, QStringLiteral("Cancelar o processo de Backup ?"));
    QCOMPARE(caixas.boxes.last().text == QStringLiteral("Gravação da cópia bem sucedida."), !confirma);
    QVERIFY(!janela.isVisible());
    // A copy given up leaves no archive, cut or whole, and no partial file.
    QCOMPARE(QDir(m_pasta->folder()).entryList({"x.*"}, QDir::Files), confirma ? QStringList() : QStringList{"x.bkp"});
}

void tst_ufmCopiaSeguranca::restauracaoRecusada_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titulo");   // of the archive written; empty: no archive
    QTest::addColumn<QString>("mensagem"); // the start of the message shown
    QTest::newRow("extensao") << "copia.zip" << "Vorn2010" << "Extensao inválida de arquivo de backup.";
    QTest::newRow("inexistente") << "nao.bkp" << "" << "Arquivo inexistente.";
    QTest::newRow("outro ano") << "copia.bkp" << "Vorn2009" << "Esse não é um arquivo de backup VORN válido";
    QTest::newRow("nao e arquivo de copia") << "lixo.BKP" << "-" << "Esse não é um arquivo de backup VORN válido";
    QTest::newRow("tabelas de outro programa") << "outro.BKP" << "paradox" << "O arquivo bd8emp.db";
    QTest::newRow("copia cortada") << "cortada.bkp" << "cortada" << "Ocorreu um erro durante o processo de restauração.";
}

void tst_ufmCopiaSeguranca::restauracaoRecusada()
{
    QFETCH(QString, nome);
    QFETCH(QString, titulo);
    QFETCH(QString, mensagem);
    if (titulo == "-") {
        QFile f(arquivo(nome));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("isto nao e uma copia de seguranca");
    } else if (titulo == "paradox") {
        QDir().mkpath(arquivo("paradox"));
        for (const char *t : {"bd8emp.db", "bd8emp.px", "bd8vinc.db", "bd8resp.db"}) {
            QFile f(arquivo(QStringLiteral("paradox/%1").arg(t)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(2048, '\x03'));
        }
        TBackupFile bk;
        bk.BackupTitle = QStringLiteral("Vorn2010");
        QVERIFY(bk.Backup({arquivo("paradox/*")}, arquivo(nome)));
    } else if (titulo == "cortada") {
        TBackupFile bk;
        bk.BackupTitle = QStringLiteral("Vorn2010");
        QVERIFY(GravaCopia(bk, arquivo(nome)));
        QFile f(arquivo(nome));
        QVERIFY(f.resize(f.size() / 2));
    } else if (!titulo.isEmpty()) {
        TBackupFile bk;
        bk.BackupTitle = titulo;
        QVERIFY(GravaCopia(bk, arquivo(nome)));
    }
    QVERIFY(QSqlQuery(database()).exec("DELETE FROM bd8emp.bd8emp WHERE CoCgcCeiEstabelecimento = '44555666000100'"));
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    TfmRestore00 janela;
    caixas.answer(MessageButton::Yes);
    dialogo.answer(arquivo(nome));
    clica(&janela, "bbAction");
    QCOMPARE(caixas.boxes.size(), 2);
    QVERIFY2(caixas.boxes[1].text.startsWith(mensagem), qPrintable(caixas.boxes[1].text));
    QCOMPARE(estabs(), QStringList{"11222333000181 PADARIA"});
}

void tst_ufmCopiaSeguranca::restauracaoNaoConfirmada()
{
    ScriptedPresenter caixas;
    ScriptedFileDialog dialogo;
    TfmRestore00 janela;
    janela.show();
    caixas.answer(MessageButton::No);
    clica(&janela, "bbAction");
    QCOMPARE(caixas.boxes.size(), 1);
    QCOMPARE(dialogo.requests.size(), 0);
    QVERIFY(janela.isVisible());
}

void tst_ufmCopiaSeguranca::indexacao()
{
    // A program-wide query of the entry module stands on a row of the permanent tables.
    consultaSobreUmaLinha();
    ScriptedPresenter caixas;
    TfmGeraIndice janela;
    QVERIFY(janela.findChild<QProgressBar *>("prIndexar")->isHidden());
    clica(&janela, "bbIniciar");
    QCOMPARE(textos(caixas), QStringList{"Arquivos indexados com sucesso."});
    QCOMPARE(caixas.boxes[0].kind, MessageKind::Information);
    QVERIFY(janela.findChild<QProgressBar *>("prIndexar")->isHidden());
    QCOMPARE(janela.findChild<QProgressBar *>("prIndexar")->maximum(), 17);
    QCOMPARE(janela.findChild<QProgressBar *>("prIndexar")->value(), 17);
    for (Table *t : dmGDVorn->tabelas())
        QVERIFY(t->Active());
}

void tst_ufmCopiaSeguranca::indexacaoComArquivoDanificado()
{
    // The messages' table holds a repeated key: its index cannot be built again.
    dmGDVorn->taMensagem.Close();
    execSql("DROP INDEX tabelas.tb8msg_Main");
    execSql("INSERT INTO tabelas.tb8msg SELECT * FROM tabelas.tb8msg LIMIT 1");
    ScriptedPresenter caixas;
    TfmGeraIndice janela;
    clica(&janela, "bbIniciar");
    QCOMPARE(textos(caixas),
             QStringList{"Arquivos com problemas: o índice TB8MSG.PX não pôde ser refeito.\n"
                         "A tabela TB8MSG não pode ser indexada: há registros com a mesma chave (índice Main: NuMensagem).\n"
                         "Instale novamente o GDVORN: a instalação repõe as tabelas de códigos."});
    QVERIFY(dmGDVorn->taMensagem.Active());
    QCOMPARE(janela.findChild<QProgressBar *>("prIndexar")->value(), 0);
}

void tst_ufmCopiaSeguranca::comandosDaJanelaPrincipal()
{
    RegistraJanelasCopiaSeguranca();
    TfmGDVORN principal;
    QVERIFY(principal.Restaurarcpia1->isEnabled());
    QVERIFY(principal.IndexarArquivos1->isEnabled());
    principal.ControlaBotoes();
    QVERIFY(principal.Gerarcpia1->isEnabled());
    QVERIFY(QSqlQuery(database()).exec("DELETE FROM bd8emp.bd8emp"));

    // Each command shows its window modally; the window shown is closed as soon as it is up.
    QStringList abertas;
    QTimer fecha;
    fecha.setInterval(10);
    connect(&fecha, &QTimer::timeout, this, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            abertas << w->metaObject()->className();
            w->close();
        }
    });
    fecha.start();
    principal.Gerarcpia1->setEnabled(true);
    principal.Gerarcpia1->trigger();
    principal.Restaurarcpia1->trigger();
    principal.IndexarArquivos1->trigger();
    fecha.stop();
    QCOMPARE(abertas, (QStringList{"gdvorn::TfmBackup00", "gdvorn::TfmRestore00", "gdvorn::TfmGeraIndice"}));
    // The restore refreshes the declaration commands: no establishment is left.
    QVERIFY(!principal.Gerarcpia1->isEnabled());
}

QTEST_MAIN(tst_ufmCopiaSeguranca)
#include "tst_ufmCopiaSeguranca.moc"
