// Each report of the projects rendered from a small declaration to text.

#include "Relatorio/ugRelatorios.h"

#include "FixtureRelatorios.h"
#include "fileformat/ugLayoutVorn.h"

#include <QRegularExpression>
#include <QtTest>

using namespace gdvorn;

class tst_ugRelatorios : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataFolder> m_pasta;
    std::unique_ptr<TdmRaveRelatorios> m_dm;

    QStringList gera(TRvProject &p, const QString &nome)
    {
        GravadorPaginas g;
        p.Gera(nome, g);
        return g.textos;
    }

private slots:
    void initTestCase()
    {
        m_pasta = std::make_unique<test::TempDataFolder>(test::TempDataFolder::InstalledTables);
        test::montaDeclaracao();
        m_dm = std::make_unique<TdmRaveRelatorios>();
        RegistraRelatorios(*m_dm);
        for (TRvProject *p : {&m_dm->RvProtocolo, &m_dm->RvProject2, &m_dm->rvprjErro}) {
            p->SetParam(QStringLiteral("AnoBase"), QStringLiteral("2010"));
            p->SetParam(QStringLiteral("AnoBase1"), QStringLiteral("2010"));
            p->SetParam(QStringLiteral("anobase"), QStringLiteral("2010"));
            p->SetParam(QStringLiteral("Versao"), QStringLiteral("2010.01.03"));
        }
        m_dm->RvProtocolo.SetParam(QStringLiteral("VersaoEditada"), VersaoEditada(QStringLiteral("2010.01.03")));
    }
    void cleanupTestCase()
    {
        m_dm.reset();
        m_pasta.reset();
    }

    void protocoloPorVolumeEmOrdemNumerica()
    {
        const QStringList paginas = gera(m_dm->RvProtocolo, QStringLiteral("rptProtocolo"));
        QCOMPARE(paginas.size(), 11);
        for (int i = 0; i < 11; ++i) {
            QVERIFY2(paginas.at(i).contains(QStringLiteral("\nVolume %1\n").arg(i + 1)), qPrintable(paginas.at(i)));
            QVERIFY(paginas.at(i).contains(QStringLiteral("Ano-Base: 2010")));
            QVERIFY(paginas.at(i).contains(QStringLiteral("Versão: 2010,V.01")));
            QVERIFY(paginas.at(i).contains(QStringLiteral("Página %1\n").arg(i + 1)));
        }
        // the CEI establishment of volume 2 by its own type; the volume header's establishment is a CNPJ
        QVERIFY(paginas.at(1).contains(QStringLiteral("12345.67890-12")));
        QVERIFY(paginas.at(1).contains(QStringLiteral("Retificação: Sim")));
        QVERIFY(paginas.at(0).contains(QStringLiteral("11.222.333/0001-81")));
        QVERIFY(paginas.last().contains(QRegularExpression(QStringLiteral("Total de volumes +11\\n"))));
        QVERIFY(paginas.last().contains(QRegularExpression(QStringLiteral("Total de vínculos +22\\n"))));
    }

    void protocoloSemVersao()
    {
        // The recording passes no version to the receipt: no empty "Versão:" in its header.
        m_dm->RvProtocolo.SetParam(QStringLiteral("VersaoEditada"), QString());
        const QString t = gera(m_dm->RvProtocolo, QStringLiteral("rptProtocolo")).join(QLatin1Char('\f'));
        m_dm->RvProtocolo.SetParam(QStringLiteral("VersaoEditada"), VersaoEditada(QStringLiteral("2010.01.03")));
        QVERIFY(t.contains(QStringLiteral("Ano-Base: 2010")));
        QVERIFY(!t.contains(QStringLiteral("Versão")));
    }

    void etiquetaPorVolume()
    {
        const QString t = gera(m_dm->RvProtocolo, QStringLiteral("rptEtiqueta")).join(QLatin1Char('\f'));
        QCOMPARE(t.count(QStringLiteral("VORN 2010 - Volume ")), 11);
    }

    void declaracaoPorEstabelecimento()
    {
        const QStringList completo = gera(m_dm->RvProject2, QStringLiteral("RelatorioCompleto"));
        QVERIFY(completo.size() >= 2);
        const QString todo = completo.join(QLatin1Char('\f'));
        // each establishment starts a page; the CEI one with its own format and a blank name
        QVERIFY(completo.first().contains(QStringLiteral("Estabelecimento 12345.67890-12  Prefixo 01")));
        QVERIFY(todo.contains(QStringLiteral("Nome/Firma/Razão Social:  ")) || todo.contains(QStringLiteral("Nome/Firma/Razão Social:\n")));
        QVERIFY(todo.contains(QStringLiteral("Nome/Firma/Razão Social: EMPRESA UM")));
        // the dismissal takes the next year of the establishment closed then
        QVERIFY(todo.contains(QStringLiteral("Data do desligamento: 15/03/2011")));
        QVERIFY(todo.contains(QStringLiteral("Salário Contratual: 123,45")));
        QVERIFY(!todo.contains(QStringLiteral("VELHO")));
        QCOMPARE(todo.count(QRegularExpression(QStringLiteral("Total de vínculos do estabelecimento +2\\n"))), 1);
        QCOMPARE(todo.count(QRegularExpression(QStringLiteral("Total de vínculos do estabelecimento +1\\n"))), 1);

        const QString resumido = gera(m_dm->RvProject2, QStringLiteral("RelatorioResumido")).join(QLatin1Char('\f'));
        QVERIFY(resumido.contains(QRegularExpression(QStringLiteral("123\\.45678\\.90\\.3 +CAIO +01/01/2005 15/03/2011"))));
    }

    // The declaration's captions are the file layout's words, for the establishment, the link and the
    // responsible alike; no stored field name reaches the page.
    void rotulosEmPortugues()
    {
        const QString todo = gera(m_dm->RvProject2, QStringLiteral("RelatorioCompleto")).join(QLatin1Char('\f'));
        QVERIFY(todo.contains(QStringLiteral("Natureza Jurídica:")));
        QVERIFY(todo.contains(QStringLiteral("Código PIS/PASEP: 123.45678.90.1")));
        QVERIFY(todo.contains(QStringLiteral("Data de Admissão/Data de Transferência: 01/01/2005")));
        QVERIFY(todo.contains(QStringLiteral("CPF do responsavel: 123.456.789-09")));
        QVERIFY(todo.contains(QStringLiteral("Inscrição: 11.222.333/0001-81")));
        for (const char *tabela : {"bd8emp", "bd8vinc", "bd8resp"}) {
            for (const FieldDef &f : Schema::require(QLatin1String(tabela)).fields)
                QVERIFY2(!todo.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(f.name))), qPrintable(f.name));
        }
        // the layout's identifier-like captions of the header record do not print either
        for (const char *identificador : {"CGC/CEI/CNPJResp", "TipoInscricao", "DDDTelefone"})
            QVERIFY2(!todo.contains(QLatin1String(identificador)), identificador);
    }

    void cartelaPorTipoDeRegistro()
    {
        m_dm->RvProject2.SetParam(QStringLiteral("TipoRelatorio"), QStringLiteral("Descrição do arquivo VORN2010"));
        const QStringList paginas = gera(m_dm->RvProject2, QStringLiteral("Cartela"));
        m_dm->RvProject2.SetParam(QStringLiteral("TipoRelatorio"), QString());
        const QString todo = paginas.join(QLatin1Char('\f'));
        for (int tipo : {0, 1, 2, 9}) {
            QVERIFY(todo.contains(QStringLiteral("\nRegistro tipo %1\n").arg(tipo)));
            const ItemLayout &ultimo = LayoutRegistro(tipo).last();
            QCOMPARE(ultimo.Inicio + ultimo.Tamanho - 1, 550);
        }
        QCOMPARE(paginas.first().section(QLatin1Char('\n'), 0, 0).trimmed(), QStringLiteral("Descrição do arquivo VORN2010"));
        // a list of 87 fields goes on under its titles
        QVERIFY(paginas.size() > 4);
        for (const QString &p : paginas)
            QVERIFY(p.contains(QRegularExpression(QStringLiteral("Campo Início   Fim  Tam. Descrição"))));
    }

    void transmissaoComParametros()
    {
        m_dm->RvProject2.SetParam(QStringLiteral("Hash"), QStringLiteral("ABCDEF"));
        m_dm->RvProject2.SetParam(QStringLiteral("QtdVinc"), QStringLiteral("3"));
        const QString t = gera(m_dm->RvProject2, QStringLiteral("Transmissao")).join(QString());
        QVERIFY(t.contains(QStringLiteral("\nCódigo de controle (hash): ABCDEF\n")));
        QVERIFY(t.contains(QStringLiteral("\nQuantidade de vínculos: 3\n")));
        QVERIFY(t.contains(QStringLiteral("\nCRC do recibo:")));
    }

    // The date and time of the transmission on one line; the year once, in the page header.
    void transmissaoDataEHora()
    {
        m_dm->RvProject2.SetParam(QStringLiteral("Data"), QStringLiteral("05/03/2011 às "));
        m_dm->RvProject2.SetParam(QStringLiteral("Hora"), QStringLiteral("14:32"));
        const QString t = gera(m_dm->RvProject2, QStringLiteral("Transmissao")).join(QString());
        QVERIFY2(t.contains(QStringLiteral("\nData da transmissão: 05/03/2011 às 14:32\n")), qPrintable(t));
        QCOMPARE(t.count(QStringLiteral("Ano-Base")), 1);
        QCOMPARE(t.count(QStringLiteral("14:32")), 1);
    }

    // A list that opens its report prints its column titles once.
    void titulosDasColunasUmaVez_data()
    {
        QTest::addColumn<QString>("relatorio");
        QTest::addColumn<QString>("titulo");
        QTest::newRow("import") << "rptImportacao" << "Importados";
        QTest::newRow("structure findings") << "rptErrosEstrutura" << "Posição";
    }
    void titulosDasColunasUmaVez()
    {
        QFETCH(QString, relatorio);
        QFETCH(QString, titulo);
        const QStringList paginas = gera(m_dm->rvprjErro, relatorio);
        QVERIFY(!paginas.isEmpty());
        for (const QString &p : paginas)
            QVERIFY2(p.count(titulo) == 1, qPrintable(p));
    }

    void errosEAvisos()
    {
        m_dm->SelecionaErros(QStringLiteral("err"));
        const QString erros = gera(m_dm->rvprjErro, QStringLiteral("rptErros")).join(QString());
        QVERIFY(erros.contains(QStringLiteral("Relatório de Erros")));
        QVERIFY(erros.contains(QStringLiteral("Vínculo 12345.67890-12  Prefixo 01  EMPRESA DOIS")));
        QVERIFY(erros.contains(QStringLiteral("\n1671 - ")));
        QVERIFY(erros.contains(QRegularExpression(QStringLiteral("\\n\\S.* +12345678903\\n"))));
        QVERIFY(erros.contains(QRegularExpression(QStringLiteral("\\n +01012005\\n"))));
        QVERIFY(erros.contains(QRegularExpression(QStringLiteral("Total de erros +2\\n"))));
        // Each finding: its message, the field titles, its field lines, and a rule before the next finding.
        QVERIFY2(erros.contains(QRegularExpression(QStringLiteral(
                     "\\n1671 - [^\\n]*\\nCampo +Conteúdo\\n-+\\n[^\\n]* 12345678903\\n +01012005\\n-+\\n1672 -[^\\n]*\\n"
                     "Campo +Conteúdo\\n-+\\n[^\\n]* 98765432100\\n-+\\nTotal de erros"))),
                 qPrintable(erros.mid(erros.indexOf(QStringLiteral("1671")))));
        QVERIFY(!erros.contains(QStringLiteral("1670 - ")));

        m_dm->SelecionaErros(QStringLiteral("war"));
        const QString avisos = gera(m_dm->rvprjErro, QStringLiteral("rptErros")).join(QString());
        QVERIFY(avisos.contains(QStringLiteral("Relatório de Avisos")));
        QVERIFY(avisos.contains(QStringLiteral("1670 - ")));
        QVERIFY(avisos.contains(QStringLiteral("Inscrição do estabelecimento")));
        QVERIFY(avisos.contains(QRegularExpression(QStringLiteral("Total de avisos +1\\n"))));
    }

    void estruturaEImportacao()
    {
        const QString e = gera(m_dm->rvprjErro, QStringLiteral("rptErrosEstrutura")).join(QString());
        QVERIFY(e.contains(QRegularExpression(QStringLiteral("\\n +3 1122233300018100 +12 1600 - Inscrição do estabelecimento +ABC\\n"))));
        const QString i = gera(m_dm->rvprjErro, QStringLiteral("rptImportacao")).join(QString());
        QVERIFY(i.contains(QRegularExpression(QStringLiteral("Total de vínculos +15\\n"))));
        QVERIFY(i.contains(QRegularExpression(QStringLiteral("Total de importados +12\\n"))));
        QVERIFY(i.contains(QRegularExpression(QStringLiteral("Total de desligados +2\\n"))));
        QVERIFY(i.contains(QStringLiteral("\n1 - Inscrição do estabelecimento\n")));
    }

    // Runs last: it adds an establishment without links and a link with a CEI of its own, then empties
    // the responsible table.
    void declaracaoSemVinculosEsemResponsavel()
    {
        test::insere(QStringLiteral("bd8emp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "99888777000166"},
                                                {"NuPrefixoEstabelecimento", "00"}, {"InInscrEstabelecimento", "1"},
                                                {"NoRazaoEstabelecimento", "SEM VINCULOS"}, {"CoCgcVinculado", "55566677788899"}});
        test::insere(QStringLiteral("bd8vinc"),
                     {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "00"},
                      {"CoPisPasepEmpregado", "12345678909"}, {"DaAdmissaoEmpregado", "01022006"},
                      {"NoEmpregado", "DORA"}, {"CoCgcVinculado", "12312312312312"}});
        for (bool semResponsavel : {false, true}) {
            if (semResponsavel)
                QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("GDVORN"))).exec(QStringLiteral("delete from bd8resp")));
            const QString todo = gera(m_dm->RvProject2, QStringLiteral("RelatorioCompleto")).join(QLatin1Char('\f'));
            QVERIFY(todo.contains(QStringLiteral("Nome/Firma/Razão Social: SEM VINCULOS")));
            QVERIFY(todo.contains(QStringLiteral("Nome/Firma/Razão Social: EMPRESA UM")));
            QCOMPARE(todo.count(QRegularExpression(QStringLiteral("Total de vínculos do estabelecimento +0\\n"))), 1);
            QCOMPARE(todo.count(QRegularExpression(QStringLiteral("Total de vínculos do estabelecimento +3\\n"))), 1);
            QCOMPARE(todo.count(QStringLiteral("Vínculo 1\n")), 2);
            // each link prints its own linked CEI and key, not the establishment's
            QCOMPARE(todo.count(QStringLiteral("Matrícula CEI vinculada a uma inscrição CNPJ: 31231.23123-12")), 1);
            QCOMPARE(todo.count(QStringLiteral("Matrícula CEI vinculada a uma inscrição CNPJ: 56667.77888-99")), 1);
            QCOMPARE(todo.contains(QStringLiteral("CPF do responsavel: 123.456.789-09")), !semResponsavel);
            const QString resumido = gera(m_dm->RvProject2, QStringLiteral("RelatorioResumido")).join(QLatin1Char('\f'));
            QVERIFY(resumido.contains(QStringLiteral("DORA")));
            QCOMPARE(resumido.count(QRegularExpression(QStringLiteral("Total de vínculos do estabelecimento +0\\n"))), 1);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ugRelatorios)
#include "tst_ugRelatorios.moc"
