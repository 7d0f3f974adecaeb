// The declaration file writer: the bytes of a volume, the volume split, the questions about existing
// files, diskettes, interruptions and the protocol rows.

#include "app/base/Database.h"
#include "app/base/DurableFile.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/base/Statement.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "fileformat/ugGravaDeclaracao.h"
#include "fileformat/ugHashVorn.h"
#include "fileformat/ugRegistrosVorn.h"

#include "ConteudoArquivo.h"
#include "ProcessoFilho.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/resource.h>

using namespace gdvorn;
using test::grava;
using test::le;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");
const QString kCnpj2 = QStringLiteral("44555666000109");
const QString kPrefixo = QStringLiteral("01");
const QString kRadical = QStringLiteral("Vorn2010_") + kCnpj + kPrefixo;
using Valores = QHash<QString, QString>;

void insere(const QString &tabela, const Valores &valores)
{
    Table t(tabela);
    t.Open();
    t.Append();
    for (auto it = valores.cbegin(); it != valores.cend(); ++it)
        t.FieldByName(it.key()).setAsString(it.value());
    t.Post();
}

void insereEstab(const QString &tabela, const QString &cnpj, bool comVinculos, Valores extra = {})
{
    extra.insert(QStringLiteral("AnBase"), QStringLiteral("2010"));
    extra.insert(QStringLiteral("CoCgcCeiEstabelecimento"), cnpj);
    extra.insert(QStringLiteral("NuPrefixoEstabelecimento"), kPrefixo);
    extra.insert(QStringLiteral("InInscrEstabelecimento"), QStringLiteral("1"));
    extra.insert(QStringLiteral("InVornNegEstabelecimento"), comVinculos ? QStringLiteral("0") : QStringLiteral("1"));
    insere(tabela, extra);
}

// `n` links with PIS/PASEP numbers from `primeiro` on, in one transaction.
void insereVinculos(const QString &tabela, const QString &cnpj, int n, int primeiro = 1)
{
    Transaction t;
    PreparedStatements preparados;
    Statement insere(preparados,
                     QStringLiteral("INSERT INTO %1 (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                    "CoPisPasepEmpregado, NoEmpregado) VALUES ('2010', ?1, ?2, ?3, ?4)")
                         .arg(tabela),
                     kAlias, tabela);
    for (int i = primeiro; i < primeiro + n; ++i) {
        insere.bind(1, cnpj);
        insere.bind(2, kPrefixo);
        insere.bind(3, QStringLiteral("%1").arg(i, 11, 10, QLatin1Char('0')));
        insere.bind(4, QStringLiteral("empregado %1").arg(i));
        insere.exec();
    }
    noteDataChanged(kAlias, tabela);
    t.commit();
}

// Record i (0-based) of a volume, without CR LF, and a field of it by 1-based position.
QByteArray registro(const QByteArray &v, int i) { return v.mid(qsizetype(i) * 552, 550); }
QString pos(const QByteArray &reg, int inicio, int tamanho) { return DecodificaCp1252(reg.mid(inicio - 1, tamanho)); }

QList<QStringList> linhas(const QString &sql)
{
    QList<QStringList> r;
    Query q;
    q.setSql(sql);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        QStringList l;
        for (int i = 0; i < q.FieldCount(); ++i)
            l << q.Fields(i).AsString();
        r << l;
    }
    return r;
}

bool existeTabela(const QString &nome)
{
    return schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), nome);
}

// The operator at the diskette drive: when asked for disk n, takes the disk out (its files go to
// <guardados>/<n-1>) and puts in an empty one.
class Operador : public test::ScriptedPresenter {
public:
    QString drive;
    QString guardados;
    int interrupcoes = 0;

    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) override
    {
        if (text.startsWith(QLatin1String("Insira o disquete # ")) && !drive.isEmpty()) {
            const QString anterior = QString::number(text.mid(20).section(QLatin1Char('\n'), 0, 0).toInt() - 1);
            QDir().mkpath(guardados + QLatin1Char('/') + anterior);
            for (const QString &f : QDir(drive).entryList(QDir::Files))
                QFile::rename(drive + QLatin1Char('/') + f, guardados + QLatin1Char('/') + anterior + QLatin1Char('/') + f);
        }
        if (text == QLatin1String("Deseja interromper?"))
            ++interrupcoes;
        return ScriptedPresenter::show(kind, text, buttons);
    }
    int quantas(const QString &inicio) const
    {
        int n = 0;
        for (const auto &b : boxes)
            n += b.text.startsWith(inicio) ? 1 : 0;
        return n;
    }
};

// Asks to cancel when the bar reaches `alvo`.
class ProgressoQueCancela : public Progresso {
public:
    int alvo = -1;

protected:
    void mostraPosicao(int p) override
    {
        if (p == alvo)
            solicitaCancelamento();
    }
};

} // namespace

class tst_ugGravaDeclaracao : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataFolder> m_dados;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_transmite;
    QString m_drive;
    QString m_guardados;

    QString volume(int n, const QString &sufixo = QStringLiteral("G")) const
    {
        return kRadical + (n < 10 ? QStringLiteral("0") : QString()) + QString::number(n) + sufixo + QStringLiteral(".dec");
    }
    QString naTransmite(int n, const QString &sufixo = QStringLiteral("G")) const
    {
        return m_transmite + QLatin1Char('/') + volume(n, sufixo);
    }
    // A folder-backed drive A: of `tamanho` bytes.
    void disquete(qint64 tamanho)
    {
        qputenv("GDVORN_UNIDADE_A", m_drive.toLocal8Bit());
        setConsultaTamanho([tamanho](const QString &) { return tamanho; });
    }

    void responsavel(const QString &tabela, Valores extra = {})
    {
        extra.insert(QStringLiteral("CoCgcCeiResponsavel"), QStringLiteral("99888777000166"));
        extra.insert(QStringLiteral("InInscrResponsavel"), QStringLiteral("1"));
        if (!extra.contains(QStringLiteral("NoResponsavelArquivo")))
            extra.insert(QStringLiteral("NoResponsavelArquivo"), QStringLiteral("joão contador"));
        insere(tabela, extra);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dados = std::make_unique<test::TempDataFolder>();
        for (const char *t : {"te8emp", "te8vinc", "te8resp"})
            createTable(Schema::require(QLatin1String(t)));
        QDir(m_dir->path()).mkpath(QStringLiteral("programa/Transmite"));
        QDir(m_dir->path()).mkpath(QStringLiteral("drive"));
        setDiretorioPrograma(m_dir->filePath(QStringLiteral("programa")) + QLatin1Char('/'));
        m_transmite = m_dir->filePath(QStringLiteral("programa/Transmite"));
        m_drive = m_dir->filePath(QStringLiteral("drive"));
        m_guardados = m_dir->filePath(QStringLiteral("guardados"));
        qunsetenv("GDVORN_UNIDADE_A");
        Configuracao() = TConfiguracao();
    }

    void cleanup()
    {
        setConsultaTamanho({});
        m_dados.reset();
        m_dir.reset();
    }

    // One volume: a CNPJ establishment with two links and one without links.
    void bytesDeUmVolume()
    {
        responsavel(QStringLiteral("bd8resp"), {{QStringLiteral("NuRespostaPesquisa"), QStringLiteral("1234567890123456789012")},
                                                {QStringLiteral("NoResponsavelDeclaracao"), QStringLiteral("Ana")}});
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true,
                    {{QStringLiteral("NoRazaoEstabelecimento"), QStringLiteral("ação comercial")},
                     {QStringLiteral("CoCgcVinculado"), QStringLiteral("12345678901234")},
                     {QStringLiteral("InEncerramentoAtividade"), QStringLiteral("1")},
                     {QStringLiteral("TxUsoEstabelecimento"), QStringLiteral("uso")}});
        insereEstab(QStringLiteral("bd8emp"), kCnpj2, false);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 2);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj2, 1, 50); // not written: declared without links

        test::ScriptedPresenter p;
        const QList<ChaveEstabelecimento> lista{{QStringLiteral("2010"), kCnpj, kPrefixo},
                                                {QStringLiteral("2010"), kCnpj2, kPrefixo}};
        QCOMPARE(GravaDeclaracao(&lista, QStringLiteral("C"), QString(), QStringLiteral("101112"),
                                 QStringLiteral("31012011"), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QVERIFY(p.boxes.isEmpty());
        QCOMPARE(Configuracao().CaminhoArquivoGerado, naTransmite(1));
        QCOMPARE(Configuracao().NomeArquivoGerado, kRadical + QStringLiteral("01G"));
        QCOMPARE(Configuracao().QtdArquivos, 1);

        const QByteArray v = le(naTransmite(1));
        QCOMPARE(v.size(), 6 * 552);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(v.mid(i * 552 + 550, 2), QByteArray("\r\n"));
            QCOMPARE(pos(registro(v, i), 1, 6), QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')));
            QCOMPARE(pos(registro(v, i), 23, 1), QString(QLatin1Char("012219"[i])));
        }
        const QByteArray h = registro(v, 0);
        QCOMPARE(pos(h, 7, 16), kCnpj + kPrefixo);
        QCOMPARE(pos(h, 24, 2), QStringLiteral("19"));
        QCOMPARE(pos(h, 40, 40), QStringLiteral("JOãO CONTADOR").leftJustified(40));
        QCOMPARE(pos(h, 223, 17), QStringLiteral("20000000031012011"));
        QCOMPARE(pos(h, 285, 52), QStringLiteral("ANA").leftJustified(52));
        QCOMPARE(pos(h, 337, 24), QString(20, QLatin1Char(' ')) + QStringLiteral("0550"));
        QCOMPARE(pos(h, 372, 12), QStringLiteral("000000000000"));
        QCOMPARE(pos(h, 392, 7), QStringLiteral("V0103A "));
        QCOMPARE(pos(h, 399, 152), QString(152, QLatin1Char(' ')));

        const QByteArray e = registro(v, 1);
        QCOMPARE(e.mid(23, 15), QByteArray("A\xe7\xe3O COMERCIAL "));
        QCOMPARE(pos(e, 281, 14), QStringLiteral("12345678901234"));
        QCOMPARE(pos(e, 295, 4), QStringLiteral("2010"));
        QCOMPARE(pos(e, 302, 30), QStringLiteral("000000000000000000000000000000"));
        QCOMPARE(pos(e, 332, 9), QStringLiteral("100000000"));
        QCOMPARE(pos(e, 341, 23), QStringLiteral("00000000000000000000000"));
        QCOMPARE(pos(e, 434, 16), QStringLiteral("2000000000000002"));
        QCOMPARE(pos(e, 450, 89), QString(89, QLatin1Char(' ')));
        QCOMPARE(pos(e, 539, 12), QStringLiteral("USO         "));
        QCOMPARE(pos(registro(v, 4), 332, 1), QStringLiteral("2"));

        const QByteArray l = registro(v, 2);
        QCOMPARE(pos(l, 7, 16), kCnpj + kPrefixo);
        QCOMPARE(pos(l, 24, 11), QStringLiteral("00000000001"));
        QCOMPARE(pos(l, 35, 52), QStringLiteral("EMPREGADO 1").leftJustified(52));
        QCOMPARE(pos(l, 122, 5), QStringLiteral("00000"));
        QCOMPARE(pos(l, 292, 3), QStringLiteral("9 0"));
        QCOMPARE(pos(l, 385, 14), QStringLiteral("00000000000000"));
        QCOMPARE(pos(l, 495, 7), QStringLiteral("0000000"));
        QCOMPARE(pos(l, 502, 36), QString(36, QLatin1Char('0')));
        QCOMPARE(pos(registro(v, 3), 24, 11), QStringLiteral("00000000002"));
        QCOMPARE(pos(registro(v, 4), 7, 14), kCnpj2);

        const QByteArray t = registro(v, 5);
        QCOMPARE(pos(t, 1, 59), QStringLiteral("000006") + kCnpj2 + kPrefixo +
                                    QStringLiteral("9000002000002011234567890123456789012"));
        QCOMPARE(pos(t, 60, 459), QString(459, QLatin1Char(' ')));
        QVERIFY(ComparaHashArquivo(naTransmite(1)));

        // The protocol: plain decimals, the volume number without zero-fill.
        QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete, CoCgcCeiEstabelecimento, NuEstabelecimentos, NuVinculos, "
                                       "DaGeracao, HoSenha, NoResponsavelArquivo FROM te8proid")),
                 (QList<QStringList>{{QStringLiteral("1"), kCnpj, QStringLiteral("2"), QStringLiteral("2"),
                                      QStringLiteral("31012011"), QStringLiteral("101112"),
                                      QStringLiteral("joão contador")}}));
        QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete, CoCgcCeiEstabelecimento, NuVinculosEstabelecimento, "
                                       "NoRazaoEstabelecimento FROM te8proes ORDER BY rowid")),
                 (QList<QStringList>{{QStringLiteral("1"), kCnpj, QStringLiteral("2"), QStringLiteral("ação comercial")},
                                     {QStringLiteral("1"), kCnpj2, QStringLiteral("0"), QString()}}));
    }

    // A link's text reaches the file in code page 1252, a-z upper-cased, a character the code page cannot
    // hold as "?" (a surrogate pair being one character).
    void textoDoVinculo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ASCII") << QStringLiteral("ana maria") << QByteArray("ANA MARIA");
        QTest::newRow("Latin-1") << QStringLiteral("joão d'ávila") << QByteArray("JO\xe3O D'\xe1VILA");
        QTest::newRow("0x80-0x9F") << QStringLiteral("€–…š") << QByteArray("\x80\x96\x85\x9a");
        QTest::newRow("fora da página") << QStringLiteral("łódź 😀") << QByteArray("?\xf3" "D? ?");
    }

    void textoDoVinculo()
    {
        QFETCH(QString, nome);
        QFETCH(QByteArray, bytes);
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insere(QStringLiteral("bd8vinc"), {{QStringLiteral("AnBase"), QStringLiteral("2010")},
                                           {QStringLiteral("CoCgcCeiEstabelecimento"), kCnpj},
                                           {QStringLiteral("NuPrefixoEstabelecimento"), kPrefixo},
                                           {QStringLiteral("CoPisPasepEmpregado"), QStringLiteral("00000000001")},
                                           {QStringLiteral("NoEmpregado"), nome}});
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QCOMPARE(registro(le(naTransmite(1)), 2).mid(34, 52), bytes.leftJustified(52, ' '));
    }

    void datasDoCabecalho_data()
    {
        QTest::addColumn<bool>("retificacao");
        QTest::addColumn<bool>("trabalho");
        QTest::addColumn<QString>("dataGeracao");
        QTest::addColumn<QString>("tabelaRetificacao");
        QTest::addColumn<QString>("tabelaGeracao");
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("esperado"); // positions 223-239 and 372-383
        const QString z = QStringLiteral("000000000000");
        QTest::newRow("declaracao") << false << false << QStringLiteral("31122010") << QStringLiteral("01010101")
                                    << QStringLiteral("02020202") << QString() << QStringLiteral("20000000031122010") + z;
        QTest::newRow("declaracao sem data") << false << false << QString() << QString() << QString() << QStringLiteral("   ")
                                             << QStringLiteral("20000000000000000") + z;
        QTest::newRow("trabalho") << false << true << QStringLiteral("31122010") << QString() << QStringLiteral("01022011")
                                  << QString() << QStringLiteral("2        01022011") + z;
        QTest::newRow("retificacao") << true << false << QStringLiteral("05052011") << QStringLiteral("01010101")
                                     << QString() << QStringLiteral("123456789012345")
                                     << QStringLiteral("10505201105052011123456789012");
        QTest::newRow("retificacao sem data") << true << false << QString() << QString() << QString() << QString()
                                              << QStringLiteral("10000000000000000") + z;
        QTest::newRow("retificacao trabalho vazia") << true << true << QStringLiteral("07072011") << QString() << QString()
                                                    << QString() << QStringLiteral("10707201107072011") + z;
        QTest::newRow("retificacao trabalho") << true << true << QStringLiteral("07072011") << QStringLiteral("01012011")
                                              << QStringLiteral("02012011") << QString()
                                              << QStringLiteral("10101201102012011") + z;
    }

    void datasDoCabecalho()
    {
        QFETCH(bool, retificacao);
        QFETCH(bool, trabalho);
        QFETCH(QString, dataGeracao);
        QFETCH(QString, tabelaRetificacao);
        QFETCH(QString, tabelaGeracao);
        QFETCH(QString, crea);
        QFETCH(QString, esperado);
        for (const char *t : {"bd8resp", "te8resp"})
            responsavel(QLatin1String(t), {{QStringLiteral("DaRetificacao"), tabelaRetificacao},
                                           {QStringLiteral("DaGeracao"), tabelaGeracao}});
        for (const char *t : {"bd8emp", "te8emp"})
            insereEstab(QLatin1String(t), kCnpj, false);
        Configuracao().Crea = crea;
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), dataGeracao, trabalho, retificacao,
                                 nullptr),
                 ResultadoGravacao::Concluida);
        const QByteArray h = registro(le(naTransmite(1, retificacao ? QStringLiteral("R") : QStringLiteral("G"))), 0);
        QCOMPARE(pos(h, 223, 17) + pos(h, 372, 12), esperado);
    }

    // A rectification names its volumes "R", marks the header and takes the responsible person and the
    // links from the work tables even when the establishments come from the permanent ones.
    void retificacao()
    {
        responsavel(QStringLiteral("bd8resp"), {{QStringLiteral("NoResponsavelArquivo"), QStringLiteral("permanente")}});
        responsavel(QStringLiteral("te8resp"), {{QStringLiteral("NoResponsavelArquivo"), QStringLiteral("trabalho")}});
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 1, 1);
        insereVinculos(QStringLiteral("te8vinc"), kCnpj, 1, 7);
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QStringLiteral("01012011"), false,
                                 true, nullptr),
                 ResultadoGravacao::Concluida);
        QVERIFY(!QFile::exists(naTransmite(1)));
        const QByteArray v = le(naTransmite(1, QStringLiteral("R")));
        QCOMPARE(v.size(), 4 * 552);
        QCOMPARE(pos(registro(v, 0), 40, 8), QStringLiteral("TRABALHO"));
        QCOMPARE(pos(registro(v, 0), 223, 1), QStringLiteral("1"));
        QCOMPARE(pos(registro(v, 2), 24, 11), QStringLiteral("00000000007"));
        QCOMPARE(pos(registro(v, 3), 37, 1), QStringLiteral("1")); // written from the permanent establishments
        QCOMPARE(linhas(QStringLiteral("SELECT InRetificacao FROM te8proid")),
                 (QList<QStringList>{{QStringLiteral("1")}}));
    }

    void divisaoEm15994_data()
    {
        QTest::addColumn<QString>("unidade");
        QTest::newRow("Transmite, com arquivos anteriores") << QStringLiteral("C");
        QTest::newRow("disquete de 4 GiB") << QStringLiteral("A");
    }

    // 16,000 records (one establishment and 15,999 links): the second volume opens before the 15,995th,
    // repeats the establishment and gets a protocol row of its own. A medium of 4 GiB splits the same.
    void divisaoEm15994()
    {
        QFETCH(QString, unidade);
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 15999);
        Operador p;
        QString pasta1 = m_transmite, pasta2 = m_transmite;
        if (unidade == QLatin1String("A")) {
            disquete(qint64(4) << 30);
            p.drive = m_drive;
            p.guardados = m_guardados;
            pasta1 = m_guardados + QStringLiteral("/1");
            pasta2 = m_drive;
        } else {
            grava(naTransmite(1), "velho 1");
            grava(naTransmite(2), "velho 2");
        }
        Configuracao().VariosArquivos = 0;
        QCOMPARE(GravaDeclaracao(nullptr, unidade, QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QCOMPARE(p.quantas(QStringLiteral("Existe um arquivo de nome ")), unidade == QLatin1String("C") ? 1 : 0);
        if (unidade == QLatin1String("C"))
            QCOMPARE(p.boxes.at(0).text, QStringLiteral("Existe um arquivo de nome \"") + volume(1) +
                                             QStringLiteral("\" no drive C: .\nAutoriza gravar sobre?"));

        const QByteArray v1 = le(pasta1 + QLatin1Char('/') + volume(1));
        const QByteArray v2 = le(pasta2 + QLatin1Char('/') + volume(2));
        QCOMPARE(v1.size(), (15994 + 2) * 552);
        QVERIFY(v1.size() <= CapacidadeVolume);
        QCOMPARE(v2.size(), (7 + 2) * 552);
        QCOMPARE(pos(registro(v1, 15995), 1, 35), QStringLiteral("015996") + kCnpj + kPrefixo +
                                                      QStringLiteral("9000001015993"));
        QCOMPARE(pos(registro(v2, 1), 23, 1), QStringLiteral("1"));
        QCOMPARE(pos(registro(v2, 2), 24, 11), QStringLiteral("00000015994"));
        QCOMPARE(pos(registro(v2, 8), 1, 35), QStringLiteral("000009") + kCnpj + kPrefixo +
                                                  QStringLiteral("9000001000006"));
        QVERIFY(ComparaHashArquivo(pasta1 + QLatin1Char('/') + volume(1)));
        QVERIFY(ComparaHashArquivo(pasta2 + QLatin1Char('/') + volume(2)));
        QCOMPARE(Configuracao().VariosArquivos, 1);
        QCOMPARE(Configuracao().QtdArquivos, 2);

        QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete, NuEstabelecimentos, NuVinculos FROM te8proid ORDER BY rowid")),
                 (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("15993")},
                                     {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("6")}}));
        QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete, NuVinculosEstabelecimento FROM te8proes ORDER BY rowid")),
                 (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("15993")},
                                     {QStringLiteral("2"), QStringLiteral("6")}}));
    }

    // An establishment with links is not started in the last free record: after 15,993 records it opens
    // the next volume, so its record is followed by a link.
    void semEstabelecimentoNaUltimaVaga()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereEstab(QStringLiteral("bd8emp"), kCnpj2, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 15992);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj2, 1, 90000);
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QCOMPARE(le(naTransmite(1)).size(), (15993 + 2) * 552);
        const QByteArray v2 = le(naTransmite(2));
        QCOMPARE(v2.size(), 4 * 552);
        QCOMPARE(pos(registro(v2, 0), 7, 14), kCnpj2);
        QCOMPARE(pos(registro(v2, 1), 7, 14), kCnpj2);
        QCOMPARE(pos(registro(v2, 3), 24, 12), QStringLiteral("000001000001"));
    }

    // One establishment per diskette: the disk prompts, and the names of volumes 1, 10 and 100.
    void nomesDosVolumes()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        for (int i = 2; i <= 100; ++i)
            insereEstab(QStringLiteral("bd8emp"), QStringLiteral("2%1").arg(i, 13, 10, QLatin1Char('0')), false);
        disquete(3552 + 552);
        Operador p;
        p.drive = m_drive;
        p.guardados = m_guardados;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("A"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QCOMPARE(p.quantas(QStringLiteral("Insira o disquete # ")), 99);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral("Insira o disquete # 2\nno drive A:"));
        QVERIFY(QFile::exists(m_guardados + QStringLiteral("/1/") + kRadical + QStringLiteral("01G.dec")));
        QVERIFY(QFile::exists(m_guardados + QStringLiteral("/10/") + kRadical + QStringLiteral("10G.dec")));
        const QString cem = kRadical + QStringLiteral("100G");
        QCOMPARE(cem.size() + 4, 33); // with ".dec"
        QVERIFY(QFile::exists(m_drive + QLatin1Char('/') + cem + QStringLiteral(".dec")));
        QCOMPARE(Configuracao().NomeArquivoGerado, cem);
        QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete FROM te8proid ORDER BY rowid")).last(),
                 QStringList{QStringLiteral("100")});
    }

    void volumeTransmitido_data()
    {
        QTest::addColumn<bool>("sim");
        QTest::newRow("Sim") << true;
        QTest::newRow("Nao") << false;
    }

    // Yes writes the next volume number and leaves the transmitted volume and its receipt alone.
    void volumeTransmitido()
    {
        QFETCH(bool, sim);
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        const QString rec = m_transmite + QLatin1Char('/') + kRadical + QStringLiteral("01G.rec");
        grava(naTransmite(1), "transmitido");
        grava(rec, "recibo");
        test::ScriptedPresenter p;
        p.answer(sim ? MessageButton::Yes : MessageButton::No);
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 sim ? ResultadoGravacao::Concluida : ResultadoGravacao::Interrompida);
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes.at(0).kind, MessageKind::Confirmation);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral(" A declaração \"") + volume(1) +
                                         QStringLiteral("\" no drive C: .\njá foi transmitida. Deseja gravar mesmo "
                                                        "assim? (O arquivo existente será preservado)"));
        QCOMPARE(le(naTransmite(1)), QByteArray("transmitido"));
        QCOMPARE(le(rec), QByteArray("recibo"));
        QCOMPARE(QFile::exists(naTransmite(2)), sim);
        QCOMPARE(existeTabela(QStringLiteral("te8proid")), sim);
        if (sim) {
            QVERIFY(ComparaHashArquivo(naTransmite(2)));
            QCOMPARE(linhas(QStringLiteral("SELECT NuDisquete FROM te8proid")), QList<QStringList>{{QStringLiteral("2")}});
        }
    }

    void destinoFixo()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);

        // A missing Transmite folder is created.
        QVERIFY(QDir(m_transmite).removeRecursively());
        {
            test::ScriptedPresenter p;
            QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                     ResultadoGravacao::Concluida);
            QVERIFY(p.boxes.isEmpty());
            QVERIFY(ComparaHashArquivo(naTransmite(1)));
        }

        // An existing volume that cannot be deleted (here a folder of that name).
        QVERIFY(QFile::remove(naTransmite(1)));
        QVERIFY(QDir().mkpath(naTransmite(1) + QStringLiteral("/dentro")));
        grava(m_transmite + QStringLiteral("/outro.dec"), "x");
        {
            test::ScriptedPresenter p;
            QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                     ResultadoGravacao::ErroGravacao);
            QCOMPARE(p.boxes.size(), 2);
            QCOMPARE(p.boxes.at(1).text, QStringLiteral("O arquivo \"") + volume(1) + QStringLiteral(".\" não pode ser excluido."));
            QVERIFY(!existeTabela(QStringLiteral("te8proid")));
        }

        // A Transmite that is not a folder: the file cannot be created; one box and the run ends.
        QVERIFY(QDir(m_transmite).removeRecursively());
        grava(m_transmite, "arquivo");
        {
            test::ScriptedPresenter p;
            QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                     ResultadoGravacao::ErroGravacao);
            QCOMPARE(p.boxes.size(), 1);
            QCOMPARE(p.boxes.at(0).text, QStringLiteral("Disco com problema ou não há disco na unidade."));
            QCOMPARE(le(m_transmite), QByteArray("arquivo"));
            QVERIFY(!existeTabela(QStringLiteral("te8proes")));
        }
    }

    // A diskette of 5,208 bytes holds three records: one establishment with five links makes three
    // volumes, each beginning with the establishment; a disk with a file on it is refused first.
    void disqueteDividido()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 5);
        disquete(5208);
        grava(m_drive + QStringLiteral("/alheio.txt"), "x");
        Operador p;
        p.drive = m_drive;
        p.guardados = m_guardados;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("a"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QStringList textos;
        for (const auto &b : p.boxes)
            textos << b.text;
        QCOMPARE(textos, (QStringList{QStringLiteral("O disco a ser gravado não pode conter arquivos."),
                                      QStringLiteral("Insira o disquete # 1\nno drive A:"),
                                      QStringLiteral("Insira o disquete # 2\nno drive A:"),
                                      QStringLiteral("Insira o disquete # 3\nno drive A:")}));
        const QString v1 = m_guardados + QStringLiteral("/1/") + volume(1);
        const QString v2 = m_guardados + QStringLiteral("/2/") + volume(2);
        const QString v3 = m_drive + QLatin1Char('/') + volume(3);
        for (const QString &v : {v1, v2, v3})
            QVERIFY2(ComparaHashArquivo(v), qPrintable(v));
        QCOMPARE(le(v1).size(), 5 * 552);
        QCOMPARE(le(v3).size(), 4 * 552);
        QCOMPARE(pos(registro(le(v2), 1), 23, 1), QStringLiteral("1"));
        QCOMPARE(Configuracao().QtdArquivos, 3);
        QCOMPARE(Configuracao().CaminhoArquivoGerado, v3);
    }

    void disquetePequeno()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        disquete(1409);
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("A"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::ErroGravacao);
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral("Espaço disponível para gravação abaixo do mínimo aceitável."));
        QVERIFY(QDir(m_drive).isEmpty());
        QVERIFY(!existeTabela(QStringLiteral("te8proid")));
    }

    void cancelamentoNoVolume2_data()
    {
        QTest::addColumn<bool>("interrompe");
        QTest::newRow("Sim") << true;
        QTest::newRow("Nao") << false;
    }

    // Cancel asked after the third link (the first of volume 2). Yes: volume 1 stays sealed, volume 2,
    // cut short, is not left on the disk; the question is asked once. No: the run completes.
    void cancelamentoNoVolume2()
    {
        QFETCH(bool, interrompe);
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 5);
        disquete(5208);
        Operador p;
        p.drive = m_drive;
        p.guardados = m_guardados;
        p.answer(MessageButton::Ok); // disk 2
        p.answer(interrompe ? MessageButton::Yes : MessageButton::No);
        ProgressoQueCancela progresso;
        progresso.alvo = 4;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("A"), QString(), QString(), QString(), false, false, &progresso),
                 interrompe ? ResultadoGravacao::Interrompida : ResultadoGravacao::Concluida);
        QCOMPARE(p.interrupcoes, 1);
        QVERIFY(ComparaHashArquivo(m_guardados + QStringLiteral("/1/") + volume(1)));
        if (interrompe) {
            QCOMPARE(QDir(m_drive).entryList(QDir::Files), QStringList());
            QVERIFY(!existeTabela(QStringLiteral("te8proid")));
            QVERIFY(!existeTabela(QStringLiteral("te8proes")));
        } else {
            QVERIFY(ComparaHashArquivo(m_drive + QLatin1Char('/') + volume(3)));
            QCOMPARE(progresso.position(), progresso.maximum());
            QCOMPARE(progresso.maximum(), 6);
        }
    }

    // CancelaGravacao reaches the running writer through its progress.
    void cancelaGravacao()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 3);
        class Botao : public Progresso {
        protected:
            void mostraPosicao(int p) override
            {
                if (p == 2)
                    CancelaGravacao();
            }
        } progresso;
        test::ScriptedPresenter p;
        p.answer(MessageButton::Yes);
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, &progresso),
                 ResultadoGravacao::Interrompida);
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(QDir(m_transmite).entryList(QDir::Files), QStringList());
    }

    // A chosen establishment that is missing ends the run as a write error and deletes the open volume.
    void estabelecimentoAusente()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        const QList<ChaveEstabelecimento> lista{{QStringLiteral("2010"), kCnpj, kPrefixo},
                                                {QStringLiteral("2010"), kCnpj2, kPrefixo}};
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(&lista, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::ErroGravacao);
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes.at(0).kind, MessageKind::Error);
        QCOMPARE(p.boxes.at(0).text, QStringLiteral("Erro na leitura dos dados para gravação do arquivo Vorn2010!"));
        QVERIFY(!QFile::exists(naTransmite(1)));
        QVERIFY(!existeTabela(QStringLiteral("te8proid")));
    }

    // The protocol tables cannot be made in another folder than the connection's: nothing is written.
    void protocoloImpossivel()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), m_dir->filePath(QStringLiteral("outra")), QString(),
                                 QString(), false, false, nullptr),
                 ResultadoGravacao::ErroGravacao);
        QVERIFY(p.boxes.isEmpty());
        QVERIFY(QDir(m_transmite).isEmpty());
        QVERIFY(!existeTabela(QStringLiteral("te8proid")));
    }

    // 18,000 links: volume 1 is whole at the 15,995th record. A run ended by force in volume 2 leaves
    // volume 1 sealed and nothing of volume 2 under a volume's name; the next run removes the rest.
    void mortaNoVolume2()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 18000);
        m_dados->close();
        const int saida = test::emProcessoFilho([this] {
            struct Morre : Progresso {
                void mostraPosicao(int p) override
                {
                    if (p == 17000)
                        _exit(7);
                }
            } barra;
            openDatabase(m_dados->path());
            test::ScriptedPresenter p;
            GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, &barra);
        });
        QCOMPARE(saida, 7);
        QCOMPARE(QDir(m_transmite).entryList({QStringLiteral("*.dec")}, QDir::Files), QStringList{volume(1)});
        QVERIFY(ComparaHashArquivo(naTransmite(1)));
        QVERIFY(!QDir(m_transmite).entryList({QStringLiteral("*.parcial")}, QDir::Files).isEmpty());

        openDatabase(m_dados->path());
        QSqlQuery q(database());
        QVERIFY(q.exec(QStringLiteral("DELETE FROM bd8vinc.bd8vinc WHERE CoPisPasepEmpregado > '00000000010'")));
        test::ScriptedPresenter p;
        p.answer(MessageButton::Yes); // write over volume 1
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QCOMPARE(QDir(m_transmite).entryList(QDir::Files), QStringList{volume(1)});
        QVERIFY(ComparaHashArquivo(naTransmite(1)));
    }

    void volumesDeUmaGravacaoAnterior_data()
    {
        QTest::addColumn<bool>("morta");
        QTest::newRow("morta no volume 2") << true;
        QTest::newRow("concluída em um volume") << false;
    }

    // An earlier run of the same declaration left volumes 01 to 04, 03 transmitted (its receipt beside
    // it). Once the new volume 01 has its name, the earlier 02 and 04 are gone, whether the run is ended
    // by force in its volume 2 or completes in one volume: never a new 01 beside an old 02. The
    // transmitted volume stays, and a volume is on the disk before it has its name and the run ends.
    void volumesDeUmaGravacaoAnterior()
    {
        QFETCH(bool, morta);
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, morta ? 18000 : 3);
        for (int n = 1; n <= 4; ++n)
            grava(naTransmite(n), "antigo " + QByteArray::number(n));
        const QString rec = m_transmite + QLatin1Char('/') + kRadical + QStringLiteral("03G.rec");
        grava(rec, "recibo");
        if (morta) {
            m_dados->close();
            const int saida = test::emProcessoFilho([this] {
                struct Morre : Progresso {
                    void mostraPosicao(int p) override
                    {
                        if (p == 17000)
                            _exit(7);
                    }
                } barra;
                openDatabase(m_dados->path());
                test::ScriptedPresenter p;
                p.answer(MessageButton::Yes); // write over volume 01
                GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, &barra);
            });
            QCOMPARE(saida, 7);
        } else {
            QList<DurableFile::Step> passos;
            DurableFile::setStepObserver([&](DurableFile::Step s, const QString &arquivo) {
                if (arquivo == naTransmite(1))
                    passos << s;
            });
            test::ScriptedPresenter p;
            p.answer(MessageButton::Yes);
            const quint8 r =
                GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr);
            DurableFile::setStepObserver({});
            QCOMPARE(r, ResultadoGravacao::Concluida);
            QCOMPARE(p.boxes.size(), 1);
            QCOMPARE(passos, (QList<DurableFile::Step>{DurableFile::Step::DataSynced, DurableFile::Step::Renamed,
                                                       DurableFile::Step::FolderSynced}));
        }
        QCOMPARE(QDir(m_transmite).entryList({QStringLiteral("*.dec")}, QDir::Files), (QStringList{volume(1), volume(3)}));
        QVERIFY(ComparaHashArquivo(naTransmite(1)));
        QCOMPARE(le(naTransmite(3)), QByteArray("antigo 3"));
        QCOMPARE(le(rec), QByteArray("recibo"));
    }

    // The medium fills up in volume 2 (a file-size limit stands in for the full disk): the run fails and
    // leaves no volume of its own behind, the sealed volume 1 included.
    void discoCheioNoVolume2()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, true);
        insereVinculos(QStringLiteral("bd8vinc"), kCnpj, 18000);
        grava(m_transmite + QStringLiteral("/alheio.dec"), "de outra gravação");
        m_dados->close();
        const int saida = test::emProcessoFilho([this] {
            std::signal(SIGXFSZ, SIG_IGN);
            struct Enche : Progresso {
                void mostraPosicao(int p) override
                {
                    if (p == 16500) {
                        const rlimit limite{500000, 500000};
                        setrlimit(RLIMIT_FSIZE, &limite);
                    }
                }
            } barra;
            openDatabase(m_dados->path());
            test::ScriptedPresenter p;
            p.answer(MessageButton::Yes);
            _exit(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, &barra));
        });
        QCOMPARE(saida, int(ResultadoGravacao::ErroGravacao));
        QCOMPARE(QDir(m_transmite).entryList(QDir::Files), QStringList{QStringLiteral("alheio.dec")});
        openDatabase(m_dados->path());
        QVERIFY(!existeTabela(QStringLiteral("te8proid")));
    }

    // The split mode marks the header and leaves every hash field blank; a run reports one file again
    // after a run of several.
    void modoParticao()
    {
        responsavel(QStringLiteral("bd8resp"));
        insereEstab(QStringLiteral("bd8emp"), kCnpj, false);
        Configuracao().ModoParticao = true;
        Configuracao().VariosArquivos = 1;
        test::ScriptedPresenter p;
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QString(), QString(), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        const QByteArray v = le(naTransmite(1));
        QCOMPARE(pos(registro(v, 0), 397, 2), QStringLiteral(" P"));
        QCOMPARE(pos(registro(v, 2), 519, 32), QString(32, QLatin1Char(' ')));
        QVERIFY(!ComparaHashArquivo(naTransmite(1)));
        QCOMPARE(Configuracao().VariosArquivos, 0);
    }
};

QTEST_GUILESS_MAIN(tst_ugGravaDeclaracao)
#include "tst_ugGravaDeclaracao.moc"
