// The recording and rectification wizards driven offscreen from the main window: the pages found by
// object name, the wizard run through the scripted modal executor, boxes through the scripted presenter,
// the save dialog through the scripted file dialog and the reports through the report recorder.

#include "Relatorio/ugRelatorios.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
#include "app/udmDadosResp.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "entry/FormEdits.h"
#include "fileformat/ugHashVorn.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmRetifDecl.h"

#include "FixtureConsistencia.h"
#include "FixtureVinculos.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedFileDialog.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QRegularExpression>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kA = QStringLiteral("11222333000181");
const QString kB = QStringLiteral("11222333000262");
const QString kC = QStringLiteral("11222333000343");

// The operator at the diskette drive: asked for disk n, takes the disk out (its files go to
// <guardados>/<n-1>) and puts in an empty one.
class Operador : public test::ScriptedPresenter {
public:
    QString drive;
    QString guardados;

    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) override
    {
        if (text.startsWith(QLatin1String("Insira o disquete # ")) && !drive.isEmpty()) {
            const QString anterior = QString::number(text.mid(20).section(QLatin1Char('\n'), 0, 0).toInt() - 1);
            QDir().mkpath(guardados + QLatin1Char('/') + anterior);
            for (const QString &f : QDir(drive).entryList(QDir::Files))
                QFile::rename(drive + QLatin1Char('/') + f, guardados + QLatin1Char('/') + anterior + QLatin1Char('/') + f);
        }
        return ScriptedPresenter::show(kind, text, buttons);
    }
    QStringList textos() const
    {
        QStringList t;
        for (const auto &b : boxes)
            t << b.text;
        return t;
    }
    int quantas(const QString &inicio) const
    {
        int n = 0;
        for (const auto &b : boxes)
            n += b.text.startsWith(inicio) ? 1 : 0;
        return n;
    }
};

// The recorder, writing the file of a report sent to a file as the PDF output would.
class SaidaComArquivo : public test::GravadorRelatorios {
public:
    bool falhaArquivo = false;
    void executa(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera) override
    {
        GravadorRelatorios::executa(sistema, nome, gera);
        if (sistema.Destino != DestinoRelatorio::Arquivo || falhaArquivo)
            return;
        QFile f(sistema.ArquivoSaida);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(relatorios.last().paginas.join(QLatin1Char('\f')).toUtf8());
    }
    QStringList nomes() const
    {
        QStringList n;
        for (const auto &r : relatorios)
            n << r.nome;
        return n;
    }
};

QByteArray le(const QString &arquivo)
{
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Record n (from 1) of a volume and its text at columns `inicio` (from 1), `n` characters.
QString trecho(const QByteArray &volume, int registro, int inicio, int n)
{
    return QString::fromLatin1(volume.mid((registro - 1) * 552 + inicio - 1, n));
}

QStringList linhas(const QString &sql)
{
    Query q;
    q.setSql(sql);
    q.Open();
    QStringList r;
    for (; !q.Eof(); q.Next())
        r << q.Fields(0).AsString();
    return r;
}

TPaginaAssistente *atual(QDialog &d) { return static_cast<TfmAssistente &>(d).PaginaAtual(); }

template <class T>
T *pagina(QDialog &d)
{
    return d.findChild<T *>();
}

void clicaLinha(QListWidget *lista, int linha)
{
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(linha)).center());
}

QList<bool> marcas(const QListWidget *lista)
{
    QList<bool> m;
    for (int i = 0; i < lista->count(); ++i)
        m << (lista->item(i)->checkState() == Qt::Checked);
    return m;
}

} // namespace

class tst_ufmGravaDecl : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_tabelas;
    std::unique_ptr<test::ProgramFixture> m_programa;
    QString m_transmite;
    std::unique_ptr<QTemporaryDir> m_drive;

    QString volume(int n, const QString &inscricao = kA, const QString &tipo = QStringLiteral("G")) const
    {
        return QStringLiteral("Vorn2010_") + inscricao + QStringLiteral("01") + (n < 10 ? QStringLiteral("0") : QString()) +
               QString::number(n) + tipo + QStringLiteral(".dec");
    }

    void insereEstabelecimento(const QString &inscricao, int vinculos)
    {
        m_tabelas->insere(QStringLiteral("bd8emp"),
                          test::estabelecimentoDeTeste({{"CoCgcCeiEstabelecimento", inscricao},
                                                        {"InVornNegEstabelecimento", vinculos ? "0" : "1"},
                                                        {"NuVinculosEstabelecimento", QString::number(vinculos)}}));
    }
    void insereVinculo(const QString &inscricao, const QString &pis, const QString &nome)
    {
        m_tabelas->insere(QStringLiteral("bd8vinc"),
                          test::vinculoDeTeste(pis, {{"CoCgcCeiEstabelecimento", inscricao}, {"NoEmpregado", nome}}));
    }
    // A and B, each with employees: A two links, B one.
    void duasEmpresas()
    {
        insereEstabelecimento(kA, 2);
        insereEstabelecimento(kB, 1);
        insereVinculo(kA, QStringLiteral("13000000002"), QStringLiteral("ANA MARIA SOUZA"));
        insereVinculo(kA, QStringLiteral("13000000010"), QStringLiteral("BRUNO COSTA LIMA"));
        insereVinculo(kB, QStringLiteral("13000000029"), QStringLiteral("CARLOS ALVES REIS"));
    }

    // Page 00 to page 03 of the recording wizard with every establishment checked; page 03 on return.
    TfmGravaDecl03 *ateGravacao(QDialog &d)
    {
        pagina<TfmGravaDecl00>(d)->bbAvancar->click();
        auto *p02 = pagina<TfmGravaDecl02>(d);
        p02->ckSelecionarTudo->click();
        p02->bbAvancar->click();
        pagina<TfmGravaDecl01>(d)->bbAvancar->click();
        return pagina<TfmGravaDecl03>(d);
    }
    // The wizard shown and active, on its first page.
    static void mostra(TfmAssistente &assistente)
    {
        assistente.show();
        assistente.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&assistente));
        assistente.inicia();
    }
    static void escolheDrive(QComboBox *combo, const QString &texto) { combo->setCurrentIndex(combo->findText(texto)); }
    static void digita(QLineEdit *edit, const QString &texto)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, texto);
    }
    static void digitaData(MaskEdit *data, const QString &texto) { digita(data, texto); }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        test::preencheTabelasValidas(*m_tabelas);
        test::insereTabelasDoVinculo(*m_tabelas);
        m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
        m_programa = std::make_unique<test::ProgramFixture>(*m_tabelas);
        m_transmite = m_programa->folder() + QStringLiteral("Transmite/");
        QVERIFY(QDir().mkpath(m_transmite));
        m_drive = std::make_unique<QTemporaryDir>();
        qunsetenv("GDVORN_UNIDADE_A");
        qunsetenv("GDVORN_UNIDADE_B");
        qputenv("GDVORN_RAIZ", m_drive->filePath(QStringLiteral("raiz")).toLocal8Bit());
        QDir().mkpath(m_drive->filePath(QStringLiteral("raiz")));
        m_programa->create(dmRaveRelatorios);
        RegistraRelatorios(*dmRaveRelatorios);
        RegistraGravacao();
        m_programa->create(fmGDVORN);
    }
    void cleanup()
    {
        setConsultaTamanho({});
        qunsetenv("GDVORN_UNIDADE_A");
        m_programa.reset();
        m_tabelas.reset();
        m_drive.reset();
    }

    // Two establishments without findings, both checked, to drive C: one sealed volume, the summary,
    // the label and the summary as a PDF; Close ends the whole wizard.
    void gravaNoDriveC()
    {
        duasEmpresas();
        Operador caixas;
        SaidaComArquivo saida;
        test::ScriptedFileDialog arquivos;
        const QString pdf = m_drive->filePath(QStringLiteral("raiz/Resumo_") + volume(1).chopped(4) + QStringLiteral(".pdf"));
        arquivos.answer(pdf);
        test::ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Gravação"));
            QVERIFY(!(d.windowFlags() & Qt::WindowCloseButtonHint));
            auto *p03 = ateGravacao(d);
            QCOMPARE(caixas.textos(), QStringList());
            QCOMPARE(dmDadosResp->ResultadoConsistencia, quint8(0));
            QVERIFY(p03->paConcluir->isVisible());
            QVERIFY(!p03->edCREA->isVisible());
            QCOMPARE(p03->cbDriveConcluir->count(), 1);
            digitaData(p03->mdDataConcluir, QStringLiteral("15032011"));
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            p03->Relogio = [] { return QTime(9, 5, 7); };
            p03->bbAvancar->click();
            auto *p04 = pagina<TfmGravaDecl04>(d);
            QCOMPARE(atual(d), p04);
            QCOMPARE(caixas.textos(), QStringList());
            QVERIFY(p04->meDecl04->toPlainText().contains(kEnderecoServico));
            p04->bbRelat->click();
            p04->bbEtiq->click();
            p04->btSalvarRelat->click();
            QCOMPARE(saida.nomes(), (QStringList{"rptProtocolo", "rptEtiqueta", "rptProtocolo"}));
            const QString resumo = saida.relatorios.at(0).paginas.join(QLatin1Char('\f'));
            QVERIFY2(resumo.contains(QStringLiteral("Ano-Base: 2010")), qPrintable(resumo));
            QVERIFY(resumo.contains(QStringLiteral("09:05:07")));
            QVERIFY(resumo.contains(QStringLiteral("15/03/2011")));
            QCOMPARE(saida.relatorios.at(0).destino, DestinoRelatorio::Visualizacao);
            QVERIFY(saida.relatorios.at(1).paginas.join(QLatin1Char('\f')).contains(QStringLiteral("2010,V.01")));
            QCOMPARE(saida.relatorios.at(2).destino, DestinoRelatorio::Arquivo);
            QCOMPARE(arquivos.requests.size(), 1);
            QCOMPARE(arquivos.requests.at(0).filtro, QStringLiteral("Arquivos Adobe PDF|*.pdf"));
            QCOMPARE(arquivos.requests.at(0).pastaInicial, Raiz());
            QVERIFY(QFileInfo(pdf).size() > 0);
            QCOMPARE(caixas.textos(), QStringList{QStringLiteral("Documento salvo com sucesso.")});
            p04->bbFechar->click();
            QVERIFY(!d.isVisible());
            QVERIFY(dmDadosResp->EncerraAssistente);
            chegou = true;
        });
        fmGDVORN->ControlaBotoes();
        QVERIFY(fmGDVORN->sbGravar->isEnabled());
        fmGDVORN->Gravardeclarao1->trigger();
        QVERIFY(chegou);
        QCOMPARE(modal.shown, QStringList{QStringLiteral("fmGravaDecl")});
        QVERIFY(!dmDadosResp);
        QCOMPARE(QDir(m_transmite).entryList(QDir::Files), QStringList{volume(1)});
        QVERIFY(ComparaHashArquivo(m_transmite + volume(1)));
        const QByteArray v = le(m_transmite + volume(1));
        QCOMPARE(v.size(), 7 * 552); // header, A, two links, B, one link, trailer
        QCOMPARE(trecho(v, 1, 232, 8), QStringLiteral("15032011"));
        QCOMPARE(trecho(v, 1, 223, 1), QStringLiteral("2"));
    }

    // To drive A: on a small medium: the second disk is asked for, one warning of the two files, both
    // volumes sealed.
    void gravaEmDisquetes()
    {
        duasEmpresas();
        const QString drive = m_drive->filePath(QStringLiteral("a"));
        QDir().mkpath(drive);
        qputenv("GDVORN_UNIDADE_A", drive.toLocal8Bit());
        setConsultaTamanho([](const QString &) { return qint64(5208); });
        Operador caixas;
        caixas.drive = drive;
        caixas.guardados = m_drive->filePath(QStringLiteral("guardados"));
        test::GravadorRelatorios saida;
        test::ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            QCOMPARE(p03->cbDriveConcluir->count(), 2);
            digitaData(p03->mdDataConcluir, QStringLiteral("15032011"));
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive A:"));
            p03->bbAvancar->click();
            QCOMPARE(atual(d), pagina<TfmGravaDecl04>(d));
            QCOMPARE(caixas.quantas(QStringLiteral("Insira o disquete # 2")), 1);
            QCOMPARE(caixas.quantas(QStringLiteral("Foram gerados 2 arquivos. Utilize a função \"Transmitir Declaração\"")), 1);
            pagina<TfmGravaDecl04>(d)->bbRelat->click();
            QCOMPARE(caixas.quantas(QStringLiteral("Foram gerados ")), 1);
            pagina<TfmGravaDecl04>(d)->bbFechar->click();
            chegou = true;
        });
        fmGDVORN->Gravardeclarao1->trigger();
        QVERIFY(chegou);
        const QString v1 = caixas.guardados + QStringLiteral("/1/") + volume(1);
        const QString v2 = drive + QLatin1Char('/') + volume(2);
        QVERIFY2(ComparaHashArquivo(v1), qPrintable(caixas.textos().join(QLatin1Char('|'))));
        QVERIFY(ComparaHashArquivo(v2));
        QCOMPARE(Configuracao().QtdArquivos, 2);
    }

    // Cancel while writing, Yes: the page's box, the input panel back, the volume cut short not left under
    // its name and no protocol tables; Next again, the file is written without an overwrite question.
    void cancelaDuranteGravacao()
    {
        duasEmpresas();
        Operador caixas;
        test::GravadorRelatorios saida;
        test::ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            digitaData(p03->mdDataConcluir, QStringLiteral("15032011"));
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            bool cancelou = false;
            auto conexao = connect(p03->prGravando, &QProgressBar::valueChanged, p03, [&] {
                if (p03->Gravando && !cancelou) {
                    cancelou = true;
                    p03->bbCancelar->click();
                }
            });
            p03->bbAvancar->click();
            disconnect(conexao);
            QVERIFY(cancelou);
            QCOMPARE(caixas.textos(), (QStringList{QStringLiteral("Deseja interromper?"),
                                                   QStringLiteral("A gravação do arquivo \"VORN2010\" interrompida pelo usuário!")}));
            QCOMPARE(atual(d), p03);
            QVERIFY(d.isVisible());
            QVERIFY(p03->paConcluir->isVisible());
            QVERIFY(!p03->paGravando->isVisible());
            QVERIFY(p03->bbAvancar->isEnabled());
            QVERIFY(!QFile::exists(m_transmite + volume(1)));
            QVERIFY(linhas(QStringLiteral("select name from sqlite_master where name like 'te8pro%'")).isEmpty());
            caixas.boxes.clear();
            p03->bbAvancar->click();
            QCOMPARE(caixas.quantas(QStringLiteral("Existe um arquivo de nome \"") + volume(1)), 0);
            QCOMPARE(atual(d), pagina<TfmGravaDecl04>(d));
            pagina<TfmGravaDecl04>(d)->bbFechar->click();
            chegou = true;
        });
        fmGDVORN->Gravardeclarao1->trigger();
        QVERIFY(chegou);
        QVERIFY(ComparaHashArquivo(m_transmite + volume(1)));
    }

    // Page 03's date check: Next on the visible panel, and leaving the edit for anything but a button that
    // leaves or prints.
    void dataDaGeracao_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("antes") << "31122010" << "0420";
        QTest::newRow("depois") << "01012012" << "0423";
        QTest::newRow("invalida") << "30022011" << "0421";
    }
    void dataDaGeracao()
    {
        QFETCH(QString, data);
        QFETCH(QString, codigo);
        duasEmpresas();
        Operador caixas;
        test::GravadorRelatorios saida;
        test::ScriptedModal modal;
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            digitaData(p03->mdDataConcluir, data);
            // To Cancel: no check.
            QTest::mouseClick(p03->bbCancelar, Qt::LeftButton);
            QCOMPARE(caixas.boxes.size(), 0);
            QVERIFY(!d.isVisible());
        });
        fmGDVORN->Gravardeclarao1->trigger();
        caixas.boxes.clear();
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            digitaData(p03->mdDataConcluir, data);
            p03->cbDriveConcluir->setFocus();
            QCOMPARE(caixas.boxes.size(), 1);
            QVERIFY(caixas.boxes.at(0).text.contains(codigo));
            QCOMPARE(QApplication::focusWidget(), p03->mdDataConcluir);
            p03->bbAvancar->click();
            QCOMPARE(caixas.boxes.size(), 2);
            QCOMPARE(atual(d), p03);
            QVERIFY(p03->paConcluir->isVisible());
        });
        fmGDVORN->Gravardeclarao1->trigger();
        test::expectInstalledMessages({{codigo, QStringLiteral("ERR")}});
        QCOMPARE(QDir(m_transmite).entryList(QDir::Files), QStringList());
    }

    // The panel by the analysis' result, and the findings reports (no printer: preview only, with the
    // warning); with errors Next stays off.
    void paginaDeVerificacao_data()
    {
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("painel");
        QTest::addColumn<bool>("avancar");
        QTest::addColumn<bool>("relatorioAvisos");
        QTest::newRow("nada") << 0 << "paConcluir" << true << false;
        QTest::newRow("avisos") << 1 << "paAvisos" << true << true;
        QTest::newRow("erros") << 2 << "paErros" << false << false;
        QTest::newRow("erros e avisos") << 3 << "paErros" << false << true;
    }
    void paginaDeVerificacao()
    {
        QFETCH(int, resultado);
        QFETCH(QString, painel);
        QFETCH(bool, avancar);
        QFETCH(bool, relatorioAvisos);
        duasEmpresas();
        createTable(Schema::require(QStringLiteral("te8errwa")));
        m_tabelas->insere(QStringLiteral("te8errwa"), {{"errwar", "err"}, {"inscricao", kA}, {"tipoinscricao", "1"},
                                                       {"tiporegistro", "1"}, {"retorno", "1670"}, {"Sequencial", "000001"}});
        Operador caixas;
        test::GravadorRelatorios saida;
        saida.impressora = false;
        auto assistente = CriaGravacao();
        mostra(*assistente);
        auto *p03 = assistente->findChild<TfmGravaDecl03 *>();
        dmDadosResp->ResultadoConsistencia = quint8(resultado);
        assistente->mostra(p03);
        for (QWidget *p : {p03->paErros, p03->paAvisos, p03->paConcluir})
            QCOMPARE(p->isVisible(), p->objectName() == painel);
        QCOMPARE(p03->bbAvancar->isEnabled(), avancar);
        QVERIFY(!p03->bbVoltar->isEnabled());
        if (resultado & 2) {
            QCOMPARE(p03->bbVisualErros->isEnabled(), relatorioAvisos);
            QCOMPARE(p03->paMsgAviso->isVisible(), relatorioAvisos);
            QCOMPARE(QApplication::focusWidget(), p03->bbRelatErros);
            p03->bbRelatErros->click();
            QCOMPARE(saida.relatorios.size(), 1);
            QCOMPARE(saida.relatorios.at(0).nome, QStringLiteral("rptErros"));
            QCOMPARE(dmRaveRelatorios->ErrWar, QStringLiteral("err"));
            QVERIFY(!saida.relatorios.at(0).imprimeDaVisualizacao);
            QCOMPARE(saida.relatorios.at(0).destino, DestinoRelatorio::Visualizacao);
            QCOMPARE(caixas.textos(), QStringList{QStringLiteral("Não há impressoras instaladas.")});
        }
        if (resultado == 1) {
            QVERIFY(!p03->lbCreaAvisos->isVisible());
            p03->bbVisualAvisos->click();
            QCOMPARE(dmRaveRelatorios->ErrWar, QStringLiteral("war"));
        }
        // The drive check on Next: nothing chosen.
        if (avancar) {
            MaskEdit *data = resultado ? p03->mdDataAvisos : p03->mdDataConcluir;
            QComboBox *combo = resultado ? p03->cbDriveAvisos : p03->cbDriveConcluir;
            digitaData(data, QStringLiteral("15032011"));
            combo->setCurrentIndex(-1);
            caixas.boxes.clear();
            p03->bbAvancar->click();
            QCOMPARE(caixas.textos().size(), 1);
            QVERIFY(caixas.boxes.at(0).text.contains(QStringLiteral("0600")));
            QCOMPARE(QApplication::focusWidget(), combo);
            test::expectInstalledMessages({{QStringLiteral("0600"), QStringLiteral("WAR")}});
        }
        QTest::keyClick(assistente.get(), Qt::Key_Escape); // the page's Cancel
        QVERIFY(!assistente->isVisible());
    }

    // Going back from page 01 keeps the checks of page 02; none checked gives 1301; a year without
    // establishments gives 1700 on page 00.
    // The responsible person's CEP, municipality and birth date under their masks; an emptied masked edit
    // counts as empty, a typed one stores its digits.
    void mascarasDoResponsavel()
    {
        Operador caixas;
        test::GravadorRelatorios saida;
        duasEmpresas();
        auto assistente = CriaGravacao();
        mostra(*assistente);
        assistente->findChild<TfmGravaDecl00 *>()->bbAvancar->click();
        auto *p02 = assistente->findChild<TfmGravaDecl02 *>();
        p02->ckSelecionarTudo->click();
        p02->bbAvancar->click();
        auto *p01 = assistente->findChild<TfmGravaDecl01 *>();
        QCOMPARE(assistente->PaginaAtual(), p01);
        auto *nascimento = qobject_cast<MaskEdit *>(p01->deDataNasc);
        QVERIFY(nascimento);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{5}-\\d{3}$")).match(p01->deCep->displayText()).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{2}-\\d{5}$")).match(p01->deCodMunicipio->displayText()).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{2}/\\d{2}/\\d{4}$")).match(nascimento->displayText()).hasMatch());
        const qsizetype antes = caixas.boxes.size();
        p01->deCep->setFocus();
        p01->deCep->selectAll();
        QTest::keyClick(p01->deCep, Qt::Key_Delete);
        QTest::keyClick(p01->deCep, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), antes);
        QCOMPARE(p01->deCep->textoArmazenado(), QString());
        digita(p01->deCep, QStringLiteral("01310100"));
        QTest::keyClick(p01->deCep, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), antes);
        QCOMPARE(p01->deCep->displayText(), QStringLiteral("01310-100"));
        QCOMPARE(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoCepRespArquivo")).AsString(),
                 QStringLiteral("01310100"));
    }

    void selecaoDaPagina02()
    {
        Operador caixas;
        test::GravadorRelatorios saida;
        auto vazio = CriaGravacao();
        mostra(*vazio);
        vazio->findChild<TfmGravaDecl00 *>()->bbAvancar->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(vazio->PaginaAtual()->objectName(), QStringLiteral("fmGravaDecl00"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("bbCancelar"));
        vazio.reset();
        caixas.boxes.clear();

        duasEmpresas();
        insereEstabelecimento(kC, 0);
        auto assistente = CriaGravacao();
        mostra(*assistente);
        auto *p00 = assistente->findChild<TfmGravaDecl00 *>();
        auto *p02 = assistente->findChild<TfmGravaDecl02 *>();
        auto *p01 = assistente->findChild<TfmGravaDecl01 *>();
        p00->bbAvancar->click();
        QCOMPARE(p02->clEmpresas->count(), 3);
        p02->bbAvancar->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QVERIFY(caixas.boxes.at(0).text.contains(QStringLiteral("1301")));
        clicaLinha(p02->clEmpresas, 0);
        clicaLinha(p02->clEmpresas, 1);
        clicaLinha(p02->clEmpresas, 2);
        clicaLinha(p02->clEmpresas, 1);
        p02->bbAvancar->click();
        QCOMPARE(assistente->PaginaAtual(), p01);
        QCOMPARE(p00->Selecao, (QList<ChaveEstabelecimento>{{"2010", kA, "01"}, {"2010", kC, "01"}}));
        digita(p01->deNome, QStringLiteral("OUTRO NOME"));
        p01->bbVoltar->click();
        QCOMPARE(assistente->PaginaAtual(), p02);
        QCOMPARE(marcas(p02->clEmpresas), (QList<bool>{true, false, true}));
        p02->bbAvancar->click();
        QCOMPARE(p01->deNome->text(), QStringLiteral("EMPRESA EXEMPLO LTDA"));
        QCOMPARE(p01->deNumero->text(), QStringLiteral("123"));
        // Leaving the company name with a bad text checks it and keeps the focus; blank, nothing is
        // checked, and Enter moves on as Tab does.
        caixas.boxes.clear();
        digita(p01->deNome, QStringLiteral("X"));
        QTest::keyClick(p01->deNome, Qt::Key_Tab);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(QApplication::focusWidget(), p01->deNome);
        p01->deNome->selectAll();
        QTest::keyClick(p01->deNome, Qt::Key_Delete);
        QTest::keyClick(p01->deNome, Qt::Key_Return);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(QApplication::focusWidget(), p01->deLogradouro);
        // A click on Next that leaves a bad company name: its check alone, once, and Next is not run.
        digita(p01->deNome, QStringLiteral("X"));
        caixas.boxes.clear();
        QTest::mouseClick(p01->bbAvancar, Qt::LeftButton);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(QApplication::focusWidget(), p01->deNome);
        QCOMPARE(assistente->PaginaAtual(), p01);
        QVERIFY(!p01->bbAvancar->isDown());
        digita(p01->deNome, QStringLiteral("EMPRESA EXEMPLO LTDA"));
        // A bad telephone found by Next: its edit takes the focus and nothing moves on.
        digita(p01->deTelefone, QStringLiteral("12"));
        caixas.boxes.clear();
        p01->bbAvancar->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(QApplication::focusWidget(), p01->deTelefone);
        QCOMPARE(assistente->PaginaAtual(), p01);
        digita(p01->deTelefone, QStringLiteral("32345678"));
        p01->bbAvancar->click();
        QCOMPARE(assistente->PaginaAtual()->objectName(), QStringLiteral("fmGravaDecl03"));
        Table resp(QStringLiteral("bd8resp"));
        resp.Open();
        QCOMPARE(resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo")).AsString(), QStringLiteral("000123"));
        test::expectInstalledMessages({{QStringLiteral("1700"), QStringLiteral("WAR")}, {QStringLiteral("1301"), QStringLiteral("WAR")}});
    }

    // The rectification: A's links chosen out of key order, B without employees, C left without a link
    // (1304); back onto A with the keys shows its links checked; the CREA checks; the file holds only the
    // chosen links; an interrupted analysis and Next again leave the work tables as chosen.
    void retificacao()
    {
        insereEstabelecimento(kA, 3);
        insereEstabelecimento(kB, 0);
        insereEstabelecimento(kC, 1);
        insereVinculo(kA, QStringLiteral("13000000002"), QStringLiteral("ANA MARIA SOUZA"));
        insereVinculo(kA, QStringLiteral("13000000010"), QStringLiteral("BRUNO COSTA LIMA"));
        insereVinculo(kA, QStringLiteral("13000000029"), QStringLiteral("CARLOS ALVES REIS"));
        insereVinculo(kC, QStringLiteral("13000000037"), QStringLiteral("DANIELA ROCHA"));
        Operador caixas;
        test::GravadorRelatorios saida;
        test::ScriptedModal modal;
        modal.then([](QDialog &regras) {
            QCOMPARE(regras.windowTitle(), QStringLiteral("Retificação da Declaração"));
            regras.findChild<QPushButton *>(QStringLiteral("BtOk"))->click();
        });
        bool chegou = false;
        modal.then([&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Assistente para Retificação de Declaração"));
            pagina<TfmRetifDecl01>(d)->bbAvancar->click();
            auto *r02 = pagina<TfmRetifDecl02>(d);
            QCOMPARE(atual(d), r02);
            QListWidget *empresas = r02->clEmpresas;
            QListWidget *vinculos = r02->clVinculos;
            clicaLinha(empresas, 0);
            QCOMPARE(vinculos->count(), 3);
            QVERIFY(r02->ckSelecVinculos->isEnabled());
            clicaLinha(vinculos, 2);
            clicaLinha(vinculos, 0);
            clicaLinha(empresas, 2);
            QCOMPARE(marcas(empresas), (QList<bool>{true, false, true}));
            QCOMPARE(vinculos->count(), 1);
            empresas->setFocus();
            QTest::keyClick(empresas, Qt::Key_Up);
            QCOMPARE(caixas.textos().size(), 1);
            QVERIFY(caixas.boxes.at(0).text.contains(QStringLiteral("1304")));
            QCOMPARE(marcas(empresas), (QList<bool>{true, false, false}));
            QTest::keyClick(empresas, Qt::Key_Up);
            QCOMPARE(empresas->currentRow(), 0);
            QCOMPARE(marcas(vinculos), (QList<bool>{true, false, true}));
            // Checking a chosen link again chooses nothing twice.
            clicaLinha(vinculos, 0);
            clicaLinha(vinculos, 0);
            QCOMPARE(r02->Selecao.Estabelecimentos.at(0).Vinculos.size(), 2);
            QCOMPARE(r02->Selecao.Estabelecimentos.at(0).Vinculos.at(0).CoPisPasepEmpregado, QStringLiteral("13000000029"));
            clicaLinha(empresas, 1);
            QCOMPARE(marcas(empresas), (QList<bool>{true, true, false}));
            QVERIFY(!r02->ckSelecVinculos->isEnabled());
            r02->bbAvancar->click();

            auto *p01 = pagina<TfmGravaDecl01>(d);
            QCOMPARE(atual(d), p01);
            // An interrupted analysis, then Next again.
            bool cancelou = false;
            auto conexao = connect(p01->prDecl01, &QProgressBar::valueChanged, p01, [&] {
                if (p01->Executando && !cancelou) {
                    cancelou = true;
                    p01->bbCancelar->click();
                }
            });
            caixas.boxes.clear();
            p01->bbAvancar->click();
            disconnect(conexao);
            QVERIFY(cancelou);
            QCOMPARE(caixas.textos().last(), QStringLiteral("Consistência interrompida pelo usuário"));
            QCOMPARE(atual(d), p01);
            QVERIFY(p01->paDadosResp->isVisible());
            caixas.boxes.clear();
            p01->bbAvancar->click();
            QCOMPARE(linhas(QStringLiteral("select CoCgcCeiResponsavel from te8resp")).size(), 1);
            QCOMPARE(linhas(QStringLiteral("select CoPisPasepEmpregado from te8vinc order by 1")),
                     (QStringList{QStringLiteral("13000000002"), QStringLiteral("13000000029")}));
            QCOMPARE(linhas(QStringLiteral("select CoCgcCeiEstabelecimento from te8emp order by 1")), (QStringList{kA, kB}));

            auto *p03 = pagina<TfmGravaDecl03>(d);
            QCOMPARE(atual(d), p03);
            QVERIFY2(dmDadosResp->ResultadoConsistencia == 0, qPrintable(caixas.textos().join(QLatin1Char('|'))));
            QVERIFY(p03->edCREA->isVisible());
            digitaData(p03->mdDataConcluir, QStringLiteral("20042011"));
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            for (const char *crea : {"", "000000000000"}) {
                p03->edCREA->setText(QLatin1String(crea));
                caixas.boxes.clear();
                p03->bbAvancar->click();
                QCOMPARE(caixas.boxes.size(), 1);
                QVERIFY(caixas.boxes.at(0).text.contains(QLatin1String(*crea ? "3734" : "3739")));
                QCOMPARE(QApplication::focusWidget(), p03->edCREA);
                QVERIFY(p03->paConcluir->isVisible());
            }
            test::expectInstalledMessages({{QStringLiteral("3739"), QStringLiteral("ERR")}, {QStringLiteral("3734"), QStringLiteral("ERR")},
                                           {QStringLiteral("1304"), QStringLiteral("WAR")}});
            p03->edCREA->setText(QStringLiteral("191234567890"));
            p03->bbAvancar->click();
            QCOMPARE(atual(d), pagina<TfmGravaDecl04>(d));
            pagina<TfmGravaDecl04>(d)->bbFechar->click();
            chegou = true;
        });
        fmGDVORN->Gravarretificaodadeclarao1->trigger();
        QVERIFY(chegou);
        const QString arquivo = m_transmite + volume(1, kA, QStringLiteral("R"));
        QVERIFY(ComparaHashArquivo(arquivo));
        const QByteArray v = le(arquivo);
        QCOMPARE(v.size(), 6 * 552); // header, A, two links, B, trailer
        QCOMPARE(trecho(v, 1, 223, 1), QStringLiteral("1"));
        QCOMPARE(trecho(v, 1, 224, 8), QStringLiteral("20042011"));
        QCOMPARE(trecho(v, 1, 232, 8), QStringLiteral("20042011"));
        QCOMPARE(trecho(v, 1, 372, 12), QStringLiteral("191234567890"));
        QCOMPARE(trecho(v, 6, 37, 1), QStringLiteral("2"));
        QStringList pis;
        for (int r = 1; r <= 6; ++r)
            if (trecho(v, r, 23, 1) == QLatin1String("2"))
                pis << trecho(v, r, 24, 11);
        QCOMPARE(pis, (QStringList{QStringLiteral("13000000002"), QStringLiteral("13000000029")}));
    }

    // An existing summary answered No stays as it was; a PDF that was not written is an error naming it.
    void resumoEmPdf()
    {
        duasEmpresas();
        Operador caixas;
        SaidaComArquivo saida;
        test::ScriptedFileDialog arquivos;
        const QString pdf = m_drive->filePath(QStringLiteral("raiz/meu.pdf"));
        {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("antigo");
        }
        arquivos.answer(pdf);
        arquivos.answer(QString());
        arquivos.answer(pdf);
        test::ScriptedModal modal;
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            digitaData(p03->mdDataConcluir, QStringLiteral("15032011"));
            escolheDrive(p03->cbDriveConcluir, QStringLiteral("Drive C:"));
            p03->bbAvancar->click();
            auto *p04 = pagina<TfmGravaDecl04>(d);
            // No printer: the error box, then the label in the preview only.
            saida.impressora = false;
            p04->bbEtiq->click();
            QCOMPARE(caixas.textos(), QStringList{QStringLiteral("Não é possível imprimir: não há impressoras instaladas.")});
            QCOMPARE(caixas.boxes.at(0).kind, MessageKind::Error);
            QCOMPARE(saida.relatorios.size(), 1);
            QCOMPARE(saida.relatorios.at(0).destino, DestinoRelatorio::Visualizacao);
            QVERIFY(!saida.relatorios.at(0).imprimeDaVisualizacao);
            QVERIFY(p04->bbEtiq->isEnabled());
            caixas.boxes.clear();
            caixas.answer(MessageButton::No);
            p04->btSalvarRelat->click();
            QCOMPARE(caixas.textos(), QStringList{QStringLiteral("Já existe um arquivo de nome \"meu.pdf\" no caminho "
                                                                 "especificado.\rAutoriza gravar sobre?")});
            QCOMPARE(le(pdf), QByteArray("antigo"));
            QCOMPARE(arquivos.requests.at(0).nomeInicial,
                     QDir(Raiz()).filePath(QStringLiteral("Resumo_") + Configuracao().NomeArquivoGerado));
            p04->btSalvarRelat->click(); // the dialog cancelled
            QCOMPARE(caixas.boxes.size(), 1);
            saida.falhaArquivo = true;
            caixas.boxes.clear();
            p04->btSalvarRelat->click(); // Yes, then nothing written
            QCOMPARE(caixas.boxes.size(), 2);
            QCOMPARE(caixas.boxes.at(1).kind, MessageKind::Error);
            QVERIFY(caixas.boxes.at(1).text.contains(QStringLiteral("meu.pdf")));
            QVERIFY(p04->btSalvarRelat->isEnabled());
            pagina<TfmGravaDecl04>(d)->Button1->click();
            QVERIFY(!d.isVisible());
        });
        fmGDVORN->Gravardeclarao1->trigger();
        QCOMPARE(Configuracao().TransmiteAposGravacao, 1);
    }
    // A diskette folder set: the drive combo lists A: and C: and chooses neither; Next without a choice
    // is "0600" with the focus on the combo, and nothing is written to A:.
    void semDriveEscolhido()
    {
        duasEmpresas();
        const QString drive = m_drive->filePath(QStringLiteral("a"));
        QDir().mkpath(drive);
        qputenv("GDVORN_UNIDADE_A", drive.toLocal8Bit());
        Operador caixas;
        test::ScriptedModal modal;
        bool chegou = false;
        modal.then([&](QDialog &d) {
            auto *p03 = ateGravacao(d);
            QCOMPARE(p03->cbDriveConcluir->count(), 2);
            QCOMPARE(p03->cbDriveConcluir->currentIndex(), -1);
            QCOMPARE(p03->cbDriveAvisos->currentIndex(), -1);
            digitaData(p03->mdDataConcluir, QStringLiteral("15032011"));
            p03->bbAvancar->click();
            QCOMPARE(caixas.textos().size(), 1);
            QVERIFY(caixas.boxes.at(0).text.contains(QStringLiteral("0600")));
            QCOMPARE(QApplication::focusWidget(), p03->cbDriveConcluir);
            QCOMPARE(atual(d), p03);
            QTest::keyClick(&d, Qt::Key_Escape);
            chegou = true;
        });
        fmGDVORN->Gravardeclarao1->trigger();
        QVERIFY(chegou);
        QCOMPARE(QDir(drive).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(tst_ufmGravaDecl)
#include "tst_ufmGravaDecl.moc"
