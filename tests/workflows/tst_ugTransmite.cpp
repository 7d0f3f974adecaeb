// The transmission without its window: the listing of a folder with what the receipts say, the name
// check and the list file's lines, the run of the transmission program, the receipt's check and the
// protocol's values; and the survey's coding and storing.

#include "app/base/Query.h"
#include "app/ugConfiguracao.h"
#include "workflows/ugPesq.h"
#include "workflows/ugTransmite.h"

#include "FixtureTabelas.h"
#include "VolumesTransmissao.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace gdvorn;
using test::VolumeTeste;

namespace {

// A receipt line that passes its check: the text given, blanks up to 90 characters, their checksum.
QByteArray recibo(const QByteArray &inicio)
{
    const QByteArray noventa = inicio.leftJustified(90, ' ');
    return noventa + SomaDeControle(noventa) + "\r\n";
}

} // namespace

class tst_ugTransmite : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString pasta() const { return m_dir->filePath(QStringLiteral("Transmite")); }
    QString arquivo(const QString &nome) const { return pasta() + QLatin1Char('/') + nome; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(pasta()));
    }
    void cleanup() { m_dir.reset(); }

    // What one file shows, by its content and receipt.
    void colunas_data()
    {
        QTest::addColumn<bool>("retificadora");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QByteArray>("recibo"); // empty: none
        QTest::addColumn<bool>("transmitida");
        QTest::addColumn<bool>("invalido"); // a receipt that fails its check
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("estabelecimentos");
        QTest::addColumn<QString>("vinculos");
        const QString cnpj = QStringLiteral("11.222.333/0001-81");
        QTest::newRow("recorded") << false << "1" << QByteArray() << false << false << "" << cnpj << "1" << "2";
        QTest::newRow("receipt 5") << false << "1" << recibo("512345678") << true << false << "590512345678" << cnpj << "1" << "2";
        QTest::newRow("receipt 3") << false << "1" << recibo("312345678") << true << false << "390312345678" << cnpj << "1" << "2";
        QTest::newRow("receipt 9") << false << "1" << recibo("987654321") << true << false << "990987654321" << cnpj << "1" << "2";
        // Another first character: transmitted, without a number.
        QTest::newRow("receipt 7") << false << "1" << recibo("712345678") << true << false << "" << cnpj << "1" << "2";
        // A receipt that fails its check: not transmitted, and said so.
        QByteArray mudado = recibo("512345678");
        mudado[20] = '1';
        QTest::newRow("receipt changed") << false << "1" << mudado << false << true << "" << cnpj << "1" << "2";
        QTest::newRow("receipt without checksum") << false << "1" << QByteArray("512345678").leftJustified(100, ' ') + "\r\n"
                                                  << false << true << "" << cnpj << "1" << "2";
        QTest::newRow("empty receipt") << false << "1" << QByteArray("\r\n") << false << true << "" << cnpj << "1" << "2";
        QTest::newRow("rectification, CEI") << true << "3" << QByteArray() << false << false << "" << "22233.30001-81" << "1" << "2";
    }
    void colunas()
    {
        QFETCH(bool, retificadora);
        QFETCH(QString, tipo);
        QFETCH(QByteArray, recibo);
        VolumeTeste v;
        v.retificadora = retificadora;
        v.tipo = tipo;
        v.razao = QStringLiteral("PADARIA BOA VISTA");
        const QString nome = test::nomeVolume(3);
        QVERIFY(test::gravaVolume(arquivo(nome), v));
        if (!recibo.isEmpty())
            QVERIFY(test::gravaArquivo(arquivo(nome.chopped(4) + QStringLiteral(".rec")), recibo));
        const ListagemDeclaracoes l = ListaDeclaracoes(pasta(), 2010);
        QCOMPARE(l.ilegiveis, QStringList());
        QCOMPARE(l.declaracoes.size(), 1);
        const DeclaracaoListada &d = l.declaracoes.at(0);
        QCOMPARE(d.caminho, arquivo(nome));
        QTEST(d.transmitida, "transmitida");
        QTEST(d.reciboInvalido, "invalido");
        QTEST(d.crea, "crea");
        QTEST(d.inscricao, "inscricao");
        QCOMPARE(d.retificadora, retificadora);
        QCOMPARE(d.prefixo, QStringLiteral("01"));
        QCOMPARE(d.sequencial, QStringLiteral("03"));
        QTEST(d.estabelecimentos, "estabelecimentos");
        QTEST(d.vinculos, "vinculos");
        QCOMPARE(d.razaoSocial, QStringLiteral("PADARIA BOA VISTA"));
    }

    // Name order, the mask without regard to case, the base year in the mask, and a short file after a
    // larger one: no counts of its own.
    void ordemEMascara()
    {
        VolumeTeste grande;
        grande.estabelecimentos = 12;
        grande.vinculos = 1234;
        VolumeTeste curto;
        curto.registros = 3; // 1656 bytes
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(1)), grande));
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(2)), curto));
        QVERIFY(test::gravaVolume(arquivo(QStringLiteral("VORN2010_11222333000181") + QStringLiteral("0103G.DEC"))));
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(1, QStringLiteral("11222333000181"), 2009))));
        QVERIFY(test::gravaArquivo(arquivo(QStringLiteral(".Vorn2010_oculto.dec")), test::montaVolume({})));
        QVERIFY(test::gravaArquivo(arquivo(QStringLiteral("Vorn2010_nota.txt")), "x"));
        const ListagemDeclaracoes l = ListaDeclaracoes(pasta(), 2010);
        QStringList nomes;
        for (const auto &d : l.declaracoes)
            nomes << QFileInfo(d.caminho).fileName();
        QCOMPARE(nomes, (QStringList{QStringLiteral("VORN2010_112223330001810103G.DEC"), test::nomeVolume(1),
                                     test::nomeVolume(2)}));
        QCOMPARE(l.declaracoes.at(1).estabelecimentos, QStringLiteral("12"));
        QCOMPARE(l.declaracoes.at(1).vinculos, QStringLiteral("1234"));
        QCOMPARE(l.declaracoes.at(2).estabelecimentos, QString());
        QCOMPARE(l.declaracoes.at(2).vinculos, QString());
        QVERIFY(ListaDeclaracoes(m_dir->filePath(QStringLiteral("nenhuma")), 2010).declaracoes.isEmpty());
    }

    // A file that cannot be read is named and left out; the files after it are listed.
    void arquivoIlegivel()
    {
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(1))));
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("sumiu.dec")), arquivo(test::nomeVolume(2))));
        QVERIFY(test::gravaVolume(arquivo(test::nomeVolume(3))));
        const ListagemDeclaracoes l = ListaDeclaracoes(pasta(), 2010);
        QCOMPARE(l.declaracoes.size(), 2);
        QCOMPARE(l.declaracoes.at(1).caminho, arquivo(test::nomeVolume(3)));
        QCOMPARE(l.ilegiveis, QStringList{test::nomeVolume(2)});
        QVERIFY(TextoArquivosIlegiveis(l.ilegiveis).endsWith(QLatin1Char('\n') + test::nomeVolume(2)));
    }

    // ".dec" in a folder's name: the receipt is the file's own, beside it.
    void pontoDecNaPasta()
    {
        const QString outra = m_dir->filePath(QStringLiteral("copia.dec/Transmite"));
        const QString caminho = outra + QLatin1Char('/') + test::nomeVolume(1);
        QVERIFY(test::gravaVolume(caminho));
        QVERIFY(test::gravaArquivo(caminho.chopped(4) + QStringLiteral(".rec"), recibo("500000001")));
        const ListagemDeclaracoes l = ListaDeclaracoes(outra, 2010);
        QCOMPARE(l.declaracoes.size(), 1);
        QVERIFY(l.declaracoes.at(0).transmitida);
        QCOMPARE(l.declaracoes.at(0).crea, QStringLiteral("590500000001"));
    }

    void nomeNoPadrao_data()
    {
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<bool>("valido");
        QTest::newRow("32 characters") << "/a/b/" + test::nomeVolume(1) << true;
        QTest::newRow("31 characters") << "/a/b/Vorn2010_1122233300018010G.dec" << false;
        QTest::newRow("33 characters") << "/a/b/Vorn2010_112223330001810101G1.dec" << false;
        QTest::newRow("upper-case extension") << "/a/b/Vorn2010_112223330001810101G.DEC" << false;
        QTest::newRow("another year") << "/a/b/Vorn2009_112223330001810101G.dec" << false;
        QTest::newRow("name alone") << test::nomeVolume(1) << true;
    }
    void nomeNoPadrao()
    {
        QFETCH(QString, caminho);
        QTEST(NomeNoPadrao(caminho, 2010), "valido");
    }

    void linhaDaLista()
    {
        qputenv("GDVORN_RAIZ", m_dir->path().toLocal8Bit());
        QCOMPARE(ArquivoListaTransmissao(), m_dir->path() + QStringLiteral("/Vornnet.ini"));
        QCOMPARE(LinhaListaTransmissao(QStringLiteral("/x/São/a.dec"), false), QByteArray("/x/S\xc3\xa3o/a.dec2\r\n"));
        QCOMPARE(LinhaListaTransmissao(QStringLiteral("/x/a.dec"), true), QByteArray("/x/a.dec1\r\n"));
        // A relative path (a diskette folder given so) is written whole.
        const QString antes = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        const QByteArray linha = LinhaListaTransmissao(QStringLiteral("Transmite/../a/b.dec"), false);
        QVERIFY(QDir::setCurrent(antes));
        QCOMPARE(linha, QFile::encodeName(m_dir->path()) + "/a/b.dec2\r\n");
    }

    // A receipt linked to an endless device lists the file with a receipt that fails its check.
    void reciboSemFim()
    {
        const QString nome = test::nomeVolume(1);
        QVERIFY(test::gravaVolume(arquivo(nome)));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), arquivo(nome.chopped(4) + QStringLiteral(".rec"))));
        const ListagemDeclaracoes l = ListaDeclaracoes(pasta(), 2010);
        QCOMPARE(l.declaracoes.size(), 1);
        QVERIFY(!l.declaracoes.at(0).transmitida);
        QVERIFY(l.declaracoes.at(0).reciboInvalido);
        QCOMPARE(l.declaracoes.at(0).crea, QString());
    }

    // The program runs without arguments and is waited for; a program that cannot start says why.
    void execucao()
    {
        const QString programa = m_dir->filePath(QStringLiteral("programa"));
        QVERIFY(test::gravaArquivo(programa, "#!/bin/sh\necho \"$#\" > \"$(dirname \"$0\")/argumentos\"\nsleep 1\n"));
        QVERIFY(QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QElapsedTimer relogio;
        relogio.start();
        const ResultadoExecucao r = ExecAndWait(programa);
        QVERIFY(r.iniciou);
        QVERIFY(relogio.elapsed() >= 900);
        QCOMPARE(test::leArquivo(m_dir->filePath(QStringLiteral("argumentos"))), QByteArray("0\n"));
        QVERIFY(QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner));
        const ResultadoExecucao naoExecutavel = ExecAndWait(programa);
        QVERIFY(!naoExecutavel.iniciou);
        QVERIFY(!naoExecutavel.motivo.isEmpty());
        QVERIFY(!ExecAndWait(m_dir->filePath(QStringLiteral("nao-existe"))).iniciou);
    }

    // crc32 as 10 decimal digits (the standard check value of "123456789"), and the receipt's check.
    void somaDoRecibo()
    {
        QCOMPARE(SomaDeControle("123456789"), QByteArray("3421780262"));
        QCOMPARE(SomaDeControle(""), QByteArray("0000000000"));
        const QByteArray noventa = QByteArray("512345678").leftJustified(90, '7');
        const QByteArray linha = noventa + SomaDeControle(noventa);
        QVERIFY(VerificaCRC(linha));
        QVERIFY(VerificaCRC(linha + "resto"));
        for (int i : {0, 45, 89}) {
            QByteArray mudada = linha;
            mudada[i] = mudada[i] == '1' ? '2' : '1';
            QVERIFY2(!VerificaCRC(mudada), qPrintable(QString::number(i)));
        }
        QVERIFY(!VerificaCRC(linha.left(99)));
        QVERIFY(!VerificaCRC(linha.left(60)));
        QVERIFY(!VerificaCRC(QByteArray()));
    }

    void quantidade_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("000045") << "000045" << "45";
        QTest::newRow("012345") << "012345" << "12.345";
        QTest::newRow("00123") << "00123" << "123";
        QTest::newRow("01234") << "01234" << "1.234";
        QTest::newRow("123456") << "123456" << "123.456";
        QTest::newRow("000000") << "000000" << "0";
    }
    void quantidade()
    {
        QFETCH(QString, campo);
        QTEST(FormataQuantidade(campo), "mostrada");
    }

    // The ten values of the protocol from one receipt line.
    void parametros_data()
    {
        QTest::addColumn<QByteArray>("inicio");
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("cnpj");
        QTest::newRow("5, CNPJ") << QByteArray("5") << "590512345678" << "11.222.333/0001-81";
        QTest::newRow("3") << QByteArray("3") << "390312345678" << "11.222.333/0001-81";
        QTest::newRow("9") << QByteArray("9") << "990912345678" << "11.222.333/0001-81";
        QTest::newRow("another: 9 characters alone") << QByteArray("7") << "712345678" << "11.222.333/0001-81";
    }
    void parametros()
    {
        QFETCH(QByteArray, inicio);
        QByteArray noventa = inicio + "12345678" + "11222333000181" + "0123456789" + "00123" + "012345" + "05032011" +
                             "1432" + "  " + "0123456789ABCDEF0123456789ABCDEF";
        QCOMPARE(noventa.size(), 90);
        const QByteArray linha = noventa + SomaDeControle(noventa);
        const auto p = ParametrosTransmissao(linha, 2010);
        QStringList nomes;
        for (const auto &par : p)
            nomes << par.first;
        QCOMPARE(nomes, (QStringList{"AnoBase", "CREA", "CNPJ", "QtdVinc", "QtdEstab", "CRCArqVorn", "Data", "Hora", "Hash",
                                     "CRCRecibo"}));
        QCOMPARE(p.at(0).second, QStringLiteral("2010"));
        QTEST(p.at(1).second, "crea");
        QTEST(p.at(2).second, "cnpj");
        QCOMPARE(p.at(3).second, QStringLiteral("12.345"));
        QCOMPARE(p.at(4).second, QStringLiteral("123"));
        QCOMPARE(p.at(5).second, QStringLiteral("0123456789"));
        QCOMPARE(p.at(6).second, QStringLiteral("05/03/2011 às "));
        QCOMPARE(p.at(7).second, QStringLiteral("14:32"));
        QCOMPARE(p.at(8).second, QStringLiteral("0123.4567.89AB.CDEF.0123.4567.89AB.CDEF"));
        QCOMPARE(p.at(9).second, QString::fromLatin1(SomaDeControle(noventa)));
    }

    void cnpjOuCei_data()
    {
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("valid CNPJ") << "11222333000181" << "11.222.333/0001-81";
        QTest::newRow("CNPJ with a wrong digit: as CEI") << "11222333000182" << "22233.30001-82";
        QTest::newRow("CEI") << "00123456789012" << "12345.67890-12";
    }
    void cnpjOuCei()
    {
        QFETCH(QString, inscricao);
        QTEST(FormataCnpjCei(inscricao), "mostrada");
    }

    void codigoDaPesquisa_data()
    {
        QTest::addColumn<QString>("digitada");
        QTest::addColumn<bool>("aceita");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("mostrada");
        QTest::newRow("empty") << "" << true << "B" << "";
        QTest::newRow("00") << "00" << true << "B" << "";
        QTest::newRow("5") << "5" << true << "5" << "05";
        QTest::newRow("01") << "01" << true << "1" << "01";
        QTest::newRow("09") << "09" << true << "9" << "09";
        QTest::newRow("10") << "10" << true << "A" << "10";
        QTest::newRow("77") << "77" << true << "X" << "77";
        QTest::newRow("11") << "11" << false << "" << "";
        QTest::newRow("76") << "76" << false << "" << "";
        QTest::newRow("99") << "99" << false << "" << "";
    }
    void codigoDaPesquisa()
    {
        QFETCH(QString, digitada);
        QFETCH(bool, aceita);
        QChar codigo;
        QCOMPARE(CodificaResposta(digitada, codigo), aceita);
        if (!aceita)
            return;
        QTEST(QString(codigo), "codigo");
        QTEST(MostraResposta(codigo), "mostrada");
    }

    // A stored string shorter than 22 characters (none is stored before the first survey) is completed
    // with "B"; a longer one is cut.
    void respostasArmazenadas()
    {
        QCOMPARE(RespostasEmBranco(), QString(22, QLatin1Char('B')));
        QCOMPARE(CompletaRespostas(QString()), QString(22, QLatin1Char('B')));
        QCOMPARE(CompletaRespostas(QStringLiteral("5A")), QStringLiteral("5A") + QString(20, QLatin1Char('B')));
        QCOMPARE(CompletaRespostas(QString(25, QLatin1Char('X'))), QString(22, QLatin1Char('X')));
    }

    // Storing: a new row holding only the answers in an empty table, the existing row updated otherwise.
    void gravaPesquisa()
    {
        test::FixtureTabelas tabelas;
        QCOMPARE(LeRespostasPesquisa(), RespostasEmBranco());
        const QString respostas = QStringLiteral("BB7") + QString(18, QLatin1Char('B')) + QLatin1Char('X');
        GravaRespostasPesquisa(respostas);
        QCOMPARE(LeRespostasPesquisa(), respostas);
        GravaRespostasPesquisa(RespostasEmBranco());
        Query q;
        q.setSql(QStringLiteral("select count(*), max(NuRespostaPesquisa), max(NoResponsavelDeclaracao) from bd8resp"));
        q.Open();
        QCOMPARE(q.Fields(0).AsString(), QStringLiteral("1"));
        QCOMPARE(q.Fields(1).AsString(), RespostasEmBranco());
        QCOMPARE(q.Fields(2).AsString(), QString());
    }
};

QTEST_MAIN(tst_ugTransmite)
#include "tst_ugTransmite.moc"
