// The import without its windows: the count test on generated files, the prefix cycle, and the copy rules
// of both variants on rows put straight into the work tables.

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "entry/ugInscricaoEstab.h"
#include "workflows/ugImportacao.h"

#include "ScriptedPresenter.h"
#include "ScriptedProgress.h"
#include "TestData.h"
#include "tests/workflows/DeclaracaoImportada.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QString k2009 = QStringLiteral("2009");
const QString k2010 = QStringLiteral("2010");

// A file of `registros` records of 550 bytes ending in `terminador`: the last a trailer (type 9 at
// position 23) whose positions 30-35 hold `contagem`; `cauda` after it.
QByteArray arquivoComTrailer(int registros, const QByteArray &terminador, const QByteArray &contagem,
                             const QByteArray &cauda = QByteArray())
{
    QByteArray b;
    for (int i = 1; i <= registros; ++i) {
        QByteArray r(550, ' ');
        r.replace(0, 6, QByteArray::number(i).rightJustified(6, '0'));
        r[22] = i == 1 ? '0' : (i == registros ? '9' : '2');
        if (i == registros) {
            r.replace(23, 6, "000012");
            r.replace(29, 6, contagem);
        }
        b += r + terminador;
    }
    return b + cauda;
}

QStringList te8imp()
{
    return linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NuVinculosEstabelecimento, "
                                 "NuTotalDesligados, NuTotalDuplicados, NuTotalImportados, CoImp, Seq from te8imp order by rowid"));
}

QStringList estabelecimentos()
{
    return linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
                                 "NoRazaoEstabelecimento, InVornNegEstabelecimento, NuVinculosEstabelecimento, "
                                 "NuEstrangeirosEstabelec, InAvisoCnae, InSindicalizada, CoCNPJSindical "
                                 "from bd8emp order by 1, 2, 3"));
}

QStringList vinculos()
{
    return linhas(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                                 "NoEmpregado, CoCausaDesligamento, HoTrabalhadasJaneiro, InSindicalizadoVinculo, "
                                 "CoDeficienteFisico, QtDiasAfas, CoCNPJSindical from bd8vinc order by 1, 2, 3, 4, 5"));
}

QStringList tudo() { return estabelecimentos() + QStringList{QStringLiteral("--")} + vinculos(); }

ChaveEstabelecimento chave(const QString &ano, const QString &inscricao, const QString &prefixo = QStringLiteral("00"))
{
    return {ano, inscricao, prefixo};
}

ResultadoImportacao importa(const QList<ChaveEstabelecimento> &escolhidos, int ano, Progresso *progresso = nullptr)
{
    ParametrosImportacao p;
    p.AnoImportacao = ano;
    p.LayoutAnterior = ano == 2009;
    ScriptedProgress semBarra;
    return ImportaEstabelecimentos(escolhidos, p, escolhidos.size(), progresso ? *progresso : semBarra);
}

QString pis(int n) { return QStringLiteral("1%1").arg(n, 10, 10, QLatin1Char('0')); }

} // namespace

class tst_ugImportacao : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> m_dados;

private slots:
    void init()
    {
        m_dados = std::make_unique<TempDataFolder>(TempDataFolder::InstalledTables);
        criaTabelasDeTrabalho();
    }
    void cleanup() { m_dados.reset(); }

    void contagem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("esperado");
        const int aceita = int(ContagemArquivo::Aceita), grande = int(ContagemArquivo::GrandeDemais);
        QTest::newRow("050000 passes") << arquivoComTrailer(5, "\r\n", "050000") << aceita;
        QTest::newRow("050001 refused") << arquivoComTrailer(5, "\r\n", "050001") << grande;
        QTest::newRow("blank count") << arquivoComTrailer(5, "\r\n", "      ") << aceita;
        QTest::newRow("non-digit count") << arquivoComTrailer(5, "\r\n", "05A001") << aceita;
        QTest::newRow("LF only, 300 links") << arquivoComTrailer(314, "\n", "000300") << aceita;
        QTest::newRow("LF only, 050001") << arquivoComTrailer(5, "\n", "050001") << grande;
        QTest::newRow("CR only, 050001") << arquivoComTrailer(5, "\r", "050001") << grande;
        QTest::newRow("LF CR, 050001") << arquivoComTrailer(5, "\n\r", "050001") << grande;
        QTest::newRow("no terminator, 050001") << arquivoComTrailer(5, "", "050001") << grande;
        QTest::newRow("Ctrl-Z tail, 050001") << arquivoComTrailer(5, "\r\n", "050001", "\x1a") << grande;
        QTest::newRow("Ctrl-Z tail, 000300") << arquivoComTrailer(5, "\r\n", "000300", "\x1a") << aceita;
        QTest::newRow("LF and Ctrl-Z tail, 050001") << arquivoComTrailer(5, "\n", "050001", "\x1a") << grande;
        QTest::newRow("Ctrl-Z tail of a whole pitch") << arquivoComTrailer(5, "\r\n", "050001", "\x1a" + QByteArray(551, ' '))
                                                      << grande;
        QTest::newRow("three records: not tested") << arquivoComTrailer(3, "\r\n", "099999") << aceita;
        QTest::newRow("other bytes after the trailer") << arquivoComTrailer(5, "\r\n", "099999", "xyz") << aceita;
        QTest::newRow("empty file") << QByteArray() << aceita;
    }
    void contagem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, esperado);
        gravaArquivo(m_dados->file(QStringLiteral("VornTeste")), bytes);
        QCOMPARE(int(ConfereQuantidadeVinculos(m_dados->file(QStringLiteral("VornTeste")))), esperado);
    }
    void contagemArquivoIlegivel()
    {
        QCOMPARE(ConfereQuantidadeVinculos(m_dados->file(QStringLiteral("nao-existe"))), ContagemArquivo::Ilegivel);
        QCOMPARE(ConfereQuantidadeVinculos(m_dados->path()), ContagemArquivo::Ilegivel); // a folder
    }

    void anoDaOpcao()
    {
        QCOMPARE(AnoDaOpcaoImportacao(QStringLiteral("Anterior - Ano 2009")), 2009);
        QCOMPARE(AnoDaOpcaoImportacao(QStringLiteral("Atual - Ano 2010")), 2010);
    }

    void proximoPrefixo_data()
    {
        QTest::addColumn<QString>("de");
        QTest::addColumn<QString>("para");
        QTest::newRow("digit") << "G0" << "G1";
        QTest::newRow("9 to A") << "G9" << "GA";
        QTest::newRow("Z carries") << "GZ" << "H0";
        QTest::newRow("ZZ wraps") << "ZZ" << "00";
        QTest::newRow("9Z to A0") << "9Z" << "A0";
        QTest::newRow("FZ back to G0") << "FZ" << "G0";
    }
    void proximoPrefixo()
    {
        QFETCH(QString, de);
        QFETCH(QString, para);
        QCOMPARE(ProximoPrefixo(de), para);
    }
    void cicloDePrefixos()
    {
        QSet<QString> vistos;
        QString p = QStringLiteral("G0");
        for (int i = 0; i < 1296; ++i, p = ProximoPrefixo(p))
            vistos.insert(p);
        QCOMPARE(p, QStringLiteral("G0"));
        QCOMPARE(vistos.size(), 1296);
    }

    // Last year's file into empty tables: the links of causes 00, 71 and 78 come, the others are counted
    // as dismissed; an establishment whose links all have other causes is not created, one declared without
    // employees is.
    void anteriorNovos()
    {
        insereLinha("te8emp", estabelecimento(k2009, kCnpjA, "00", kVinculadoA, true, 5));
        insereLinha("te8emp", estabelecimento(k2009, kCnpjB, "00", kVinculadoA, false));
        insereLinha("te8emp", estabelecimento(k2009, kCnpjC, "00", kVinculadoA, true, 1));
        const char *causas[] = {"00", "71", "78", "12", "60"};
        for (int i = 0; i < 5; ++i)
            insereLinha("te8vinc", vinculo(k2009, kCnpjA, "00", pis(i + 1), QLatin1String(causas[i])));
        insereLinha("te8vinc", vinculo(k2009, kCnpjC, "00", pis(9), "12"));

        ScriptedProgress barra;
        QCOMPARE(importa({chave(k2009, kCnpjA), chave(k2009, kCnpjB), chave(k2009, kCnpjC)}, 2009, &barra),
                 ResultadoImportacao::Concluida);
        QCOMPARE(estabelecimentos(),
                 QStringList({"2010|" + kCnpjA + "|00|" + kVinculadoA + "|EMPRESA 0181|0|000003|00000|1||",
                              "2010|" + kCnpjB + "|00|" + kVinculadoA + "|EMPRESA 0262|1|000000|00000|1||"}));
        QCOMPARE(vinculos(), QStringList({"2010|" + kCnpjA + "|00|" + pis(1) + "|JOSE DA SILVA|00|000|||000|",
                                          "2010|" + kCnpjA + "|00|" + pis(2) + "|JOSE DA SILVA|71|000|||000|",
                                          "2010|" + kCnpjA + "|00|" + pis(3) + "|JOSE DA SILVA|78|000|||000|"}));
        QCOMPARE(te8imp(), QStringList({"2010|" + kCnpjA + "|00|000005|2|0|3||", "2010|" + kCnpjB + "|00|000000|0|0|0||",
                                        "2010|" + kCnpjC + "|00|000001|1|0|0||"}));
    }

    // This year's file: every link, whatever its cause, with its hours and union membership.
    void atualNovo()
    {
        insereLinha("te8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, true, 2));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", pis(1), "00"));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", pis(2), "12"));
        QCOMPARE(importa({chave(k2010, kCnpjA)}, 2010), ResultadoImportacao::Concluida);
        QCOMPARE(estabelecimentos(),
                 QStringList({"2010|" + kCnpjA + "|00|" + kVinculadoA + "|EMPRESA 0181|0|000002|00000|0|1|"}));
        QCOMPARE(vinculos(), QStringList({"2010|" + kCnpjA + "|00|" + pis(1) + "|JOSE DA SILVA|00|176|1|1||",
                                          "2010|" + kCnpjA + "|00|" + pis(2) + "|JOSE DA SILVA|12|176|1|1||"}));
        QCOMPARE(te8imp(), QStringList({"2010|" + kCnpjA + "|00|000002|0|0|2||"}));
    }

    // An establishment already stored with the same linked CNPJ, by the employees on either side.
    void existente_data()
    {
        QTest::addColumn<int>("ano");
        QTest::addColumn<bool>("baseComEmpregados");
        QTest::addColumn<bool>("arquivoComEmpregados");
        QTest::addColumn<QString>("razao");     // the name left in BD8EMP
        QTest::addColumn<QString>("contagens"); // te8imp: dismissed|duplicates|imported|code|seq
        QTest::addColumn<int>("quantos");       // links of the establishment afterwards
        QTest::newRow("last year, file without employees") << 2009 << true << false << "GUARDADA" << "0|0|0|1501|1" << 1;
        QTest::newRow("this year, file without employees") << 2010 << true << false << "GUARDADA" << "0|0|0|1501|1" << 1;
        QTest::newRow("last year, stored without employees") << 2009 << false << true << "EMPRESA 0181" << "1|0|1|1504|2" << 1;
        QTest::newRow("this year, stored without employees") << 2010 << false << true << "EMPRESA 0181" << "0|0|2|1502|1" << 2;
        QTest::newRow("last year, both with employees") << 2009 << true << true << "GUARDADA" << "1|1|0||" << 1;
        QTest::newRow("this year, both with employees") << 2010 << true << true << "GUARDADA" << "0|1|1||" << 2;
    }
    void existente()
    {
        QFETCH(int, ano);
        QFETCH(bool, baseComEmpregados);
        QFETCH(bool, arquivoComEmpregados);
        QFETCH(QString, razao);
        QFETCH(QString, contagens);
        QFETCH(int, quantos);
        const QString a = QString::number(ano);
        QVariantMap base = estabelecimento(k2010, kCnpjA, "00", kVinculadoA, baseComEmpregados, 1);
        base["NoRazaoEstabelecimento"] = "GUARDADA";
        insereLinha("bd8emp", base);
        if (baseComEmpregados)
            insereLinha("bd8vinc", vinculo(k2010, kCnpjA, "00", pis(1), "00"));
        insereLinha("te8emp", estabelecimento(a, kCnpjA, "00", QStringLiteral("123456789012"), arquivoComEmpregados, 2));
        if (arquivoComEmpregados) {
            insereLinha("te8vinc", vinculo(a, kCnpjA, "00", pis(1), "00"));
            insereLinha("te8vinc", vinculo(a, kCnpjA, "00", pis(2), "12"));
        }
        QCOMPARE(importa({chave(a, kCnpjA)}, ano), ResultadoImportacao::Concluida);
        QCOMPARE(estabelecimentos().first().section(QLatin1Char('|'), 4, 4), razao);
        QCOMPARE(estabelecimentos().size(), 1);
        QCOMPARE(te8imp().first().section(QLatin1Char('|'), 4), contagens);
        QCOMPARE(vinculos().size(), quantos);
        if (!contagens.contains(QLatin1String("1501")))
            QCOMPARE(estabelecimentos().first().section(QLatin1Char('|'), 6, 6),
                     QString::number(quantos).rightJustified(6, QLatin1Char('0')));
    }

    // The inscription and prefix stored with another linked CNPJ: the first free prefix from G0 on.
    void outroVinculado_data()
    {
        QTest::addColumn<int>("ocupados"); // prefixes of the cycle taken from G0 on
        QTest::addColumn<QString>("linha");
        QTest::newRow("G0 free") << 0 << "00|000001|0|0|1|1505|1";
        QTest::newRow("G0 taken") << 1 << "G1|000001|0|0|1|1505|1";
        QTest::newRow("all taken") << 1296 << "00|000001|0|0|0|1506|1";
    }
    void outroVinculado()
    {
        QFETCH(int, ocupados);
        QFETCH(QString, linha);
        QList<QVariantMap> base{estabelecimento(k2010, kCnpjA, "00", kVinculadoB, true, 0)};
        QString p = QStringLiteral("G0");
        for (int i = 0; i < ocupados; ++i, p = ProximoPrefixo(p))
            if (p != QLatin1String("00")) // stored already
                base << estabelecimento(k2010, kCnpjA, p, kVinculadoB, true, 0);
        Transaction t;
        for (const QVariantMap &e : base)
            insereLinha("bd8emp", e);
        t.commit();
        const QStringList antes = tudo();
        insereLinha("te8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, true, 1));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", pis(1), "00"));
        QCOMPARE(importa({chave(k2010, kCnpjA)}, 2010), ResultadoImportacao::Concluida);
        const QString novo = ocupados == 0 ? QStringLiteral("G0") : QStringLiteral("G1");
        if (ocupados == 0 || ocupados == 1)
            QCOMPARE(te8imp().first(), "2010|" + kCnpjA + "|" + (ocupados ? QStringLiteral("G1") : QStringLiteral("G0")) +
                                           linha.mid(2));
        else
            QCOMPARE(te8imp().first(), "2010|" + kCnpjA + "|" + linha);
        if (ocupados == 1296) {
            QCOMPARE(tudo(), antes);
            return;
        }
        QVERIFY(estabelecimentos().contains("2010|" + kCnpjA + "|" + novo + "|" + kVinculadoA + "|EMPRESA 0181|0|000001|00000|0|1|"));
        QCOMPARE(vinculos(), QStringList({"2010|" + kCnpjA + "|" + novo + "|" + pis(1) + "|JOSE DA SILVA|00|176|1|1||"}));
    }

    void mensagensInstaladas()
    {
        expectInstalledMessages({{"1501", "INF"}, {"1502", "INF"}, {"1504", "INF"}, {"1505", "INF"}, {"1506", "INF"}});
    }

    // The identification checks: the first failing code is kept and nothing is copied.
    void identificacao_data()
    {
        QTest::addColumn<QString>("inscricao");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("prefixo");
        QTest::addColumn<QString>("codigo"); // empty: imported
        QTest::newRow("CNPJ") << kCnpjA << "1" << "00" << "";
        QTest::newRow("CEI") << kCei << "3" << "00" << "";
        QTest::newRow("12-digit CEI") << kCei.mid(2) << "3" << "00" << "";
        QTest::newRow("CNPJ and CEI") << QStringLiteral("00000100001602") << "1" << "00" << "";
        QTest::newRow("neither") << QStringLiteral("11222333000180") << "1" << "00" << "0053";
        QTest::newRow("type 2") << kCnpjA << "2" << "00" << "0130";
        QTest::newRow("CNPJ as CEI") << kCnpjA << "3" << "00" << "0135";
        QTest::newRow("one-character prefix") << kCnpjA << "1" << "0" << "0062";
        QTest::newRow("neither, bad prefix too") << QStringLiteral("11222333000180") << "1" << "0" << "0053";
    }
    void identificacao()
    {
        QFETCH(QString, inscricao);
        QFETCH(QString, tipo);
        QFETCH(QString, prefixo);
        QFETCH(QString, codigo);
        QVariantMap e = estabelecimento(k2010, inscricao, prefixo, kVinculadoA, true, 1);
        e["InInscrEstabelecimento"] = tipo;
        insereLinha("te8emp", e);
        insereLinha("te8vinc", vinculo(k2010, inscricao, prefixo, pis(1), "00"));
        QCOMPARE(importa({chave(k2010, inscricao, prefixo)}, 2010), ResultadoImportacao::Concluida);
        const QStringList imp = te8imp();
        QCOMPARE(imp.size(), 1);
        QCOMPARE(imp.first().section(QLatin1Char('|'), 1, 1), inscricao);
        QCOMPARE(imp.first().section(QLatin1Char('|'), 7, 7), codigo);
        QCOMPARE(estabelecimentos().size(), codigo.isEmpty() ? 1 : 0);
        if (codigo.isEmpty()) // a 12-digit CEI is stored as "00" + its digits, its links too
            QCOMPARE(vinculos().first().section(QLatin1Char('|'), 1, 1), CompletaInscricaoEstab(inscricao));
    }

    // A link is there already when year, inscription, prefix, PIS and admission match, and the name too
    // for a zero PIS.
    void duplicados()
    {
        const QString zero = QStringLiteral("00000000000");
        insereLinha("bd8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, true, 2));
        insereLinha("bd8vinc", vinculo(k2010, kCnpjA, "00", pis(1), "00", QStringLiteral("ANA")));
        insereLinha("bd8vinc", vinculo(k2010, kCnpjA, "00", zero, "00", QStringLiteral("BETO")));
        insereLinha("te8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, true, 4));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", pis(1), "00", QStringLiteral("OUTRO NOME")));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", zero, "00", QStringLiteral("BETO")));
        insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", zero, "00", QStringLiteral("CAIO")));
        QVariantMap outraAdmissao = vinculo(k2010, kCnpjA, "00", pis(1), "00", QStringLiteral("ANA"));
        outraAdmissao["DaAdmissaoEmpregado"] = "01032007";
        insereLinha("te8vinc", outraAdmissao);
        QCOMPARE(importa({chave(k2010, kCnpjA)}, 2010), ResultadoImportacao::Concluida);
        QCOMPARE(te8imp(), QStringList({"2010|" + kCnpjA + "|00|000004|0|2|2||"}));
        QCOMPARE(linhas(QStringLiteral("select NoEmpregado from bd8vinc order by 1")),
                 QStringList({"ANA", "ANA", "BETO", "CAIO"}));
        QCOMPARE(estabelecimentos().first().section(QLatin1Char('|'), 6, 6), QStringLiteral("000004"));
    }

    // A second import replaces te8imp: it holds only the second run's rows.
    void segundaImportacao()
    {
        insereLinha("te8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, false));
        insereLinha("te8emp", estabelecimento(k2010, kCnpjB, "00", kVinculadoA, false));
        QCOMPARE(importa({chave(k2010, kCnpjA)}, 2010), ResultadoImportacao::Concluida);
        QCOMPARE(importa({chave(k2010, kCnpjB)}, 2010), ResultadoImportacao::Concluida);
        QCOMPARE(te8imp(), QStringList({"2010|" + kCnpjB + "|00|000000|0|0|0||"}));
        QCOMPARE(estabelecimentos().size(), 2);
    }

    // Cancel during the copy: Yes leaves BD8EMP, BD8VINC and te8imp as before; No goes on to the end.
    void cancelamento_data()
    {
        QTest::addColumn<bool>("confirma");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void cancelamento()
    {
        QFETCH(bool, confirma);
        insereLinha("te8emp", estabelecimento(k2010, kCnpjC, "00", kVinculadoA, false));
        QCOMPARE(importa({chave(k2010, kCnpjC)}, 2010), ResultadoImportacao::Concluida);
        insereLinha("te8emp", estabelecimento(k2010, kCnpjA, "00", kVinculadoA, true, 30));
        for (int i = 1; i <= 30; ++i)
            insereLinha("te8vinc", vinculo(k2010, kCnpjA, "00", pis(i), "00"));
        const QStringList antes = tudo(), impAntes = te8imp();
        ScriptedPresenter caixas;
        caixas.answer(confirma ? MessageButton::Yes : MessageButton::No);
        struct Metade : ScriptedProgress {
            void mostraPosicao(int p) override
            {
                if (p >= 50 && !pedido) {
                    pedido = true;
                    solicitaCancelamento();
                }
            }
            bool pedido = false;
        } barra; // per link: halfway through the links
        const ResultadoImportacao r = importa({chave(k2010, kCnpjA)}, 2010, &barra);
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().text, QStringLiteral("Deseja interromper?"));
        if (confirma) {
            QCOMPARE(r, ResultadoImportacao::Interrompida);
            QCOMPARE(tudo(), antes);
            QCOMPARE(te8imp(), impAntes);
        } else {
            QCOMPARE(r, ResultadoImportacao::Concluida);
            QCOMPARE(vinculos().size(), 30);
            QCOMPARE(te8imp(), QStringList({"2010|" + kCnpjA + "|00|000030|0|0|30||"}));
        }
    }

    // A program that ends abruptly halfway through the copy leaves the permanent tables as they were.
    void mortoNoMeio()
    {
        insereLinha("bd8emp", estabelecimento(k2010, kCnpjB, "00", kVinculadoA, true, 1));
        insereLinha("bd8vinc", vinculo(k2010, kCnpjB, "00", pis(900), "00"));
        insereLinha("te8emp", estabelecimento(k2009, kCnpjA, "00", kVinculadoA, true, 40));
        for (int i = 1; i <= 40; ++i)
            insereLinha("te8vinc", vinculo(k2009, kCnpjA, "00", pis(i), "00"));
        const QStringList antes = tudo();
        closeDatabase();

        const pid_t filho = fork();
        if (filho == 0) {
            struct Morre : Progresso {
                void mostraPosicao(int p) override
                {
                    if (p * 2 >= maximum())
                        _exit(7);
                }
                void executaEventos() override {}
            } barra;
            openDatabase(m_dados->path());
            importa({chave(k2009, kCnpjA)}, 2009, &barra);
            _exit(0);
        }
        QVERIFY(filho > 0);
        int estado = 0;
        QCOMPARE(waitpid(filho, &estado, 0), filho);
        QVERIFY(WIFEXITED(estado));
        QCOMPARE(WEXITSTATUS(estado), 7);
        openDatabase(m_dados->path());
        QCOMPARE(tudo(), antes);
        QVERIFY(QFileInfo(m_dados->file(QStringLiteral("bd8vinc.db"))).size() > 0);
    }
};

QTEST_GUILESS_MAIN(tst_ugImportacao)
#include "tst_ugImportacao.moc"
