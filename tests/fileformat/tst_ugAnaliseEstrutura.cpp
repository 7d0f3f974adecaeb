// The structure analyser on generated files: a sound declaration made with the record builders, and one
// change of it per case.

#include "app/base/Database.h"
#include "app/base/Progresso.h"
#include "app/base/Table.h"
#include "app/ugConfiguracao.h"
#include "fileformat/ugAnaliseEstrutura.h"
#include "fileformat/ugGravaDeclaracao.h"
#include "fileformat/ugRegistrosVorn.h"

#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QtTest>

#include <functional>
#include <memory>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QByteArray InscricaoA = "11222333000181";
const QByteArray InscricaoB = "11222333000262";

// A declaration file as records of 550 bytes, each with its terminator, and what follows the last one.
struct Arquivo {
    QList<QByteArray> registros;
    QList<QByteArray> terminadores;
    QByteArray cauda;

    QByteArray bytes() const
    {
        QByteArray b;
        for (int i = 0; i < registros.size(); ++i)
            b += registros[i] + terminadores.value(i, "\r\n");
        return b + cauda;
    }
    QByteArray &operator[](int numero) { return registros[numero - 1]; } // 1-based, as the sequence
    void remove(int numero)
    {
        registros.removeAt(numero - 1);
        if (terminadores.size() >= numero)
            terminadores.removeAt(numero - 1);
    }
    void insere(int numero, const QByteArray &r) { registros.insert(numero - 1, r); }
    void termina(const QByteArray &t) { terminadores = QList<QByteArray>(registros.size(), t); }

    // Sequence numbers 1..n and the trailer's counts, after records were added or taken away.
    void fecha()
    {
        int um = 0, dois = 0;
        for (int i = 0; i < registros.size(); ++i) {
            registros[i].replace(0, 6, QByteArray::number(i + 1).rightJustified(6, '0'));
            um += registros[i].at(22) == '1';
            dois += registros[i].at(22) == '2';
        }
        QByteArray &trailer = registros.last();
        trailer.replace(23, 6, QByteArray::number(um).rightJustified(6, '0'));
        trailer.replace(29, 6, QByteArray::number(dois).rightJustified(6, '0'));
    }
};

void poe(QByteArray &registro, int posicao, const QByteArray &valor) { registro.replace(posicao - 1, valor.size(), valor); }

using Mudanca = std::function<void(Arquivo &)>;

void preenche(Table &t, const QList<QPair<QString, QString>> &valores)
{
    t.Append();
    for (const auto &[campo, valor] : valores)
        t.FieldByName(campo).setAsString(valor);
    t.Post();
}

QStringList linhasStru()
{
    QStringList linhas;
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT CoMsg, Sequencia, TipoCampo, PosicaoInicial, Conteudo FROM te8stru ORDER BY rowid"));
    while (q.next())
        linhas << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString(), q.value(4).toString()}
                      .join(QLatin1Char('|'));
    return linhas;
}

bool existe(const QString &tabela)
{
    return schemaObjectExists(database(), QStringLiteral("main"), QStringLiteral("table"), tabela);
}

int linhas(const QString &tabela)
{
    QSqlQuery q(database());
    q.exec(QStringLiteral("SELECT count(*) FROM %1").arg(tabela));
    return q.next() ? q.value(0).toInt() : -1;
}

QString valor(const QString &sql)
{
    QSqlQuery q(database());
    q.exec(sql);
    return q.next() ? q.value(0).toString() : QStringLiteral("<none>");
}

// A progress bar whose window calls Interrompe when the bar reaches `posicao`.
class ProgressoComBotao : public Progresso {
public:
    ProgressoComBotao(TAnaliseEstrutura &analisador, int posicao) : m_analisador(analisador), m_posicao(posicao) {}

protected:
    void mostraPosicao(int p) override
    {
        if (p == m_posicao)
            m_analisador.Interrompe();
    }
    void executaEventos() override {}

private:
    TAnaliseEstrutura &m_analisador;
    int m_posicao;
};

} // namespace

Q_DECLARE_METATYPE(Mudanca)

class tst_ugAnaliseEstrutura : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> m_dados;
    Arquivo m_base;

    // The sound declaration: header, establishment A (employees) with two links, establishment B
    // (without employees), trailer. `ano` is the year written in the establishment records.
    Arquivo declaracao(int ano = 2010)
    {
        Table resp(QStringLiteral("bd8resp")), emp(QStringLiteral("bd8emp")), vinc(QStringLiteral("bd8vinc"));
        resp.Open();
        emp.Open();
        vinc.Open();
        Arquivo a;
        TContextoRegistro ctx;
        ctx.AnoBase = ano;
        ctx.Versao = QStringLiteral("2010.01.03");
        ctx.CodigoSO = QStringLiteral("0");
        ctx.DataGeracao = QStringLiteral("15012011");
        ctx.DataRetificacao = QStringLiteral("00000000");
        const auto registro = [&](const QString &texto) {
            const QByteArray r = CodificaCp1252(texto);
            Q_ASSERT(r.size() == TamanhoRegistroVorn);
            a.registros << r;
            ++ctx.Sequencial;
        };
        resp.First();
        ctx.Inscricao = QString::fromLatin1(InscricaoA);
        ctx.Prefixo = QStringLiteral("00");
        registro(RegistroTipoZero(resp, ctx));
        emp.First();
        while (!emp.Eof()) {
            ctx.Inscricao = emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
            ctx.Prefixo = emp.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
            registro(RegistroTipoUm(emp, ctx));
            ++ctx.TotalTipoUm;
            for (vinc.First(); !vinc.Eof(); vinc.Next()) {
                if (vinc.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() != ctx.Inscricao)
                    continue;
                registro(RegistroTipoDois(vinc, ctx));
                ++ctx.TotalTipoDois;
            }
            emp.Next();
        }
        registro(RegistroTipoNove(resp, ctx));
        return a;
    }

    // Every field the file carries comes back as stored, but for the few the loader rebuilds: the record
    // sequence, the names it takes from the code tables, and what the writer works out for the header.
    void comparaComPermanentes()
    {
        const QStringList semArquivo{QStringLiteral("CoCnae"), QStringLiteral("InOpcaoAberta"),
                                     QStringLiteral("InAvisoCnae"), QStringLiteral("TxtCnae"),
                                     QStringLiteral("TxtNatJur"), QStringLiteral("NuSequencialRegistro")};
        const auto compara = [&](const QString &permanente, const QString &trabalho, const QStringList &excecoes) {
            Table p(permanente), t(trabalho);
            p.Open();
            t.Open();
            QCOMPARE(t.RecordCount(), p.RecordCount());
            for (p.First(), t.First(); !p.Eof(); p.Next(), t.Next())
                for (const QString &campo : p.FieldNames())
                    if (!excecoes.contains(campo, Qt::CaseInsensitive) && !campo.startsWith(QLatin1String("Txt")))
                        QVERIFY2(t.FieldByName(campo).AsString() == p.FieldByName(campo).AsString(),
                                 qPrintable(campo + QStringLiteral(": ") + t.FieldByName(campo).AsString()));
        };
        compara(QStringLiteral("bd8emp"), QStringLiteral("te8emp"), semArquivo);
        compara(QStringLiteral("bd8vinc"), QStringLiteral("te8vinc"),
                {QStringLiteral("NuSequencialRegistro"), QStringLiteral("NoMunicipioTrabalho"),
                 QStringLiteral("SgUfTrabalho"), QStringLiteral("CoMotivoAfastamento")});
        // The header carries what the writer works out: receipt mark, dates, CREA.
        compara(QStringLiteral("bd8resp"), QStringLiteral("te8resp"),
                {QStringLiteral("InReciboParaRespArquivo"), QStringLiteral("DaRetificacao"),
                 QStringLiteral("DaGeracao"), QStringLiteral("CoCrea")});
    }

    quint8 analisa(const QByteArray &conteudo, bool anterior = false, bool importacao = false,
                   Progresso *progresso = nullptr, int *estab = nullptr, int *vinc = nullptr)
    {
        QFile f(m_dados->file(QStringLiteral("entrada.dec")));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(conteudo);
        f.close();
        TAnaliseEstrutura analisador;
        analisador.LayoutAnterior = anterior;
        int e = -1, v = -1;
        const quint8 r = analisador.AnalisaArquivo(f.fileName(), 2010, importacao, e, v, m_dados->path(), progresso);
        if (estab)
            *estab = e;
        if (vinc)
            *vinc = v;
        return r;
    }

private slots:
    void initTestCase()
    {
        m_dados = std::make_unique<TempDataFolder>(TempDataFolder::InstalledTables);
        Table resp(QStringLiteral("bd8resp")), emp(QStringLiteral("bd8emp")), vinc(QStringLiteral("bd8vinc"));
        resp.Open();
        emp.Open();
        vinc.Open();
        preenche(resp, {{"CoCgcCeiResponsavel", QString::fromLatin1(InscricaoA)}, {"InInscrResponsavel", "1"},
                        {"NoResponsavelArquivo", "PADARIA SÃO JOÃO LTDA"}, {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
                        {"NuLogradouroRespArquivo", "000123"}, {"NoBairroRespArquivo", "CENTRO"},
                        {"CoCepRespArquivo", "01001000"}, {"CoMunicipioRespArquivo", "3550308"},
                        {"NoMunicipioRespArquivo", "SÃO PAULO"}, {"SgUfRespArquivo", "SP"}, {"NuFoneDDD", "11"},
                        {"NuFoneAssinante", "32221111"}, {"TxEMailRespArquivo", "CONTATO@PADARIA.COM.BR"},
                        {"NuRespostaPesquisa", "1234567890123456789012"},
                        {"NoResponsavelDeclaracao", "JOSÉ RESPONSÁVEL"}, {"CoCpfResponsavel", "12345678909"},
                        {"DaNascimentoRespArquivo", "01011970"}});
        const QList<QPair<QString, QString>> comum{
            {"AnBase", "2010"}, {"NuPrefixoEstabelecimento", "00"}, {"CoCgcVinculado", "00123456789012"},
            {"EdEstabelecimento", "RUA DAS FLORES"}, {"NuEnderecoEstabelecimento", "000123"},
            {"NoBairroEstabelecimento", "CENTRO"}, {"CoCepEstabelecimento", "01001000"},
            {"CoMunicipio", "3550308"}, {"NoMunicEstabelecimento", "SÃO PAULO"}, {"SgUf", "SP"},
            {"NuDDD", "11"}, {"NuTelefone", "32221111"}, {"CoCnae2", "0111301"},
            {"CoNaturezaJuridica", "1015"}, {"NuProprietEstabelecimento", "02"}, {"MeDataBase", "05"},
            {"InInscrEstabelecimento", "1"}, {"InPorte", "2"}, {"InOptanteSimples", "1"},
            {"InParticipaPAT", "1"}, {"NuVinculoPatMenor5", "000010"}, {"NuVinculoPatMaior5", "000002"},
            {"PoServicoProprio", "050"}, {"PoAdmCozinha", "010"}, {"PoRefeicaoConvenio", "020"},
            {"PoRefeicaoTransportadora", "005"}, {"PoCestaAlimento", "010"}, {"PoAlimentacaoConvenio", "005"},
            {"InEncerramentoAtividade", "2"}, {"DaEncerramentoAtividade", "00000000"},
            {"CoCNPJAssociativa", "11222333000181"}, {"VaGlobalAssociativa", "000012345"},
            {"CoCNPJSindical", "00000000000000"}, {"VaGlobalSindical", "000000000"},
            {"CoCNPJAssistencial", "00000000000000"}, {"VaGlobalAssistencial", "000000000"},
            {"CoCNPJConfederativa", "00000000000000"}, {"VaGlobalConfederativa", "000000000"},
            {"InAtividadeAnoBase", "1"}, {"InCentralizada", "2"}, {"CoCNPJCentralizada", "00000000000000"},
            {"InSindicalizada", "2"}, {"TxEmailEstabelecimento", "CONTATO@PADARIA.COM.BR"},
            {"TxUsoEstabelecimento", "USO INTERNO"}};
        auto a = comum;
        a << qMakePair("CoCgcCeiEstabelecimento", QString::fromLatin1(InscricaoA))
          << qMakePair("NoRazaoEstabelecimento", QStringLiteral("PADARIA SÃO JOÃO LTDA"))
          << qMakePair("InVornNegEstabelecimento", QStringLiteral("0"))
          << qMakePair("NuVinculosEstabelecimento", QStringLiteral("000002"))
          << qMakePair("NuEstrangeirosEstabelec", QStringLiteral("00001"));
        preenche(emp, a);
        auto b = comum;
        b << qMakePair("CoCgcCeiEstabelecimento", QString::fromLatin1(InscricaoB))
          << qMakePair("NoRazaoEstabelecimento", QStringLiteral("FILIAL SEM EMPREGADOS"))
          << qMakePair("InVornNegEstabelecimento", QStringLiteral("1"))
          << qMakePair("NuVinculosEstabelecimento", QStringLiteral("000000"))
          << qMakePair("NuEstrangeirosEstabelec", QStringLiteral("00000"));
        preenche(emp, b);
        for (int i = 0; i < 2; ++i) {
            QList<QPair<QString, QString>> v{
                {"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", QString::fromLatin1(InscricaoA)},
                {"NuPrefixoEstabelecimento", "00"}, {"CoCgcVinculado", "00123456789012"},
                {"InInscrEstabelecimento", "1"}, {"CoPisPasepEmpregado", i ? "12065278917" : "10000000006"},
                {"NoEmpregado", i ? "MARIA DA CONCEIÇÃO" : "JOÃO DA SILVA"}, {"DaNascimentoEmpregado", "10101980"},
                {"CoNacionalidade", i ? "20" : "10"}, {"AnChegadaEmpregado", i ? "1995" : "0000"},
                {"CoInstrucao", "07"}, {"CoCpfEmpregado", "12345678909"}, {"NuCartTrabEmpregado", "00012345"},
                {"SeCartTrabEmpregado", "00123"}, {"DaAdmissaoEmpregado", "01022005"}, {"CoTipoAdmissao", "2"},
                {"VaSalContratualEmpregado", "000150000"}, {"CoTipoSalarioContratual", "1"},
                {"HoSemanaisEmpregado", "44"}, {"CoCbo", "010105"}, {"CoVinculo", "10"},
                {"CoCausaDesligamento", i ? "11" : "00"}, {"DaDesligamentoEmpregado", i ? "3006" : "0000"},
                {"Me13AdiantamentoEmpregado", "11"}, {"Va13AdiantamentoEmpregado", "000075000"},
                {"Me13ParcelaFinalEmpregado", "12"}, {"Va13ParcelaFinalEmpregado", "000075000"},
                {"CoTipoRaca", "2"}, {"InDeficienteFisico", "2"}, {"CoDeficienteFisico", "0"},
                {"InAlvaraEmpregado", "2"}, {"VaAvisoPrevioEmpregado", "000000000"}, {"InSexo", i ? "2" : "1"},
                {"CoMunicipioTrabalho", "3550308"}, {"InSindicalizadoVinculo", "1"},
                {"VaGlobalFerias", "00012000"}, {"VaGlobalMultas", "00000000"}, {"QtDiasAfas", "000"},
                {"CoCNPJSindical", "00000000000000"}, {"VaGlobalSindical", "00000000"},
                {"CoCNPJPrimAssociativa", "00000000000000"}, {"VaGlobalPrimAssociativa", "00000000"},
                {"CoCNPJSegAssociativa", "00000000000000"}, {"VaGlobalSegAssociativa", "00000000"},
                {"CoCNPJAssistencial", "00000000000000"}, {"VaGlobalAssistencial", "00000000"},
                {"CoCNPJConfederativa", "00000000000000"}, {"VaGlobalConfederativa", "00000000"},
                {"VaGlobalBcoHoras", "00000000"}, {"QtCompBcoHoras", "00"}, {"VaGlobalDissidio", "00000000"},
                {"QtCompDissidio", "00"}, {"VaGlobalGratificacoes", "00000000"}, {"QtCompGratificacoes", "00"},
                {"TxUsoEmpregado", "MATRICULA 7"}};
            for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto",
                                  "Setembro", "Outubro", "Novembro", "Dezembro"}) {
                v << qMakePair(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("000150000"));
                v << qMakePair(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), QStringLiteral("176"));
            }
            preenche(vinc, v);
        }
        m_base = declaracao();
    }

    void cleanupTestCase() { m_dados.reset(); }

    // A sound file loads every record: the rows match the tables it was made from, the code names are
    // filled in, the counts of each establishment are posted.
    void arquivoIntegro()
    {
        Configuracao().Crea.clear();
        int estab = 0, vinc = 0;
        QCOMPARE(analisa(m_base.bytes(), false, false, nullptr, &estab, &vinc), quint8(AnaliseIntegra));
        QCOMPARE(estab, 2);
        QCOMPARE(vinc, 2);
        QVERIFY(!existe(QStringLiteral("te8stru")));
        QCOMPARE(linhas(QStringLiteral("te8resp")), 1);

        comparaComPermanentes();
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(valor(QStringLiteral("SELECT TxtCnae FROM te8emp WHERE CoCgcCeiEstabelecimento = '%1'")
                           .arg(QLatin1String(InscricaoA))),
                 QStringLiteral("CULTIVO DE ARROZ"));
        QCOMPARE(valor(QStringLiteral("SELECT NoMunicipioTrabalho || '/' || SgUfTrabalho || '/' || TxtNacionalidade "
                                      "FROM te8vinc WHERE CoNacionalidade = '20'")),
                 QStringLiteral("SÃO PAULO/SP/Naturalizado brasileiro"));
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(NuSequencialRegistro) FROM te8vinc")),
                 QStringLiteral("000003,000004"));
        QCOMPARE(Configuracao().Crea, QStringLiteral("000000000000"));
    }

    // A declaration written by the writer loads back as it was stored.
    void idaEVoltaPeloGravador()
    {
        QTemporaryDir programa;
        QDir(programa.path()).mkpath(QStringLiteral("Transmite"));
        setDiretorioPrograma(programa.path() + QLatin1Char('/'));
        QCOMPARE(GravaDeclaracao(nullptr, QStringLiteral("C"), QString(), QStringLiteral("101112"),
                                 QStringLiteral("15012011"), false, false, nullptr),
                 ResultadoGravacao::Concluida);
        QFile gravado(Configuracao().CaminhoArquivoGerado);
        QVERIFY(gravado.open(QIODevice::ReadOnly));
        int estab = 0, vinc = 0;
        QCOMPARE(analisa(gravado.readAll(), false, false, nullptr, &estab, &vinc), quint8(AnaliseIntegra));
        QCOMPARE(estab + vinc, 4);
        comparaComPermanentes();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(valor(QStringLiteral("SELECT DaGeracao FROM te8resp")), QStringLiteral("15012011"));
        setDiretorioPrograma(QString());
    }

    // The text of the file reaches the rows as the table layer stores it: every byte of code page 1252 as
    // its character, blanks around it (the no-break space among them) trimmed.
    void textoDoArquivo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("nome");
        QTest::newRow("ASCII") << QByteArray("  ANA MARIA") << QStringLiteral("ANA MARIA");
        QTest::newRow("Latin-1") << QByteArray("JO\xc3O D'\xc1VILA") << QStringLiteral("JOÃO D'ÁVILA");
        QTest::newRow("0x80-0x9F") << QByteArray("\x80 \x96 \x85 \x8a") << QStringLiteral("€ – … Š");
        QTest::newRow("espaço sem quebra") << QByteArray("\xa0\xa0" "ANA\xa0") << QStringLiteral("ANA");
        QTest::newRow("em branco") << QByteArray() << QString();
    }

    void textoDoArquivo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, nome);
        Arquivo a = m_base;
        poe(a[3], 35, bytes.leftJustified(52, ' '));
        QCOMPARE(analisa(a.bytes()), quint8(AnaliseIntegra));
        QCOMPARE(valor(QStringLiteral("SELECT NoEmpregado FROM te8vinc WHERE CoPisPasepEmpregado = '10000000006'")),
                 nome);
    }

    // One change of the sound file per finding, with the rows it records, in the order of precedence.
    void ocorrencias_data()
    {
        QTest::addColumn<Mudanca>("mudanca");
        QTest::addColumn<QStringList>("esperado");
        const auto caso = [](const char *nome, Mudanca m, QStringList e) { QTest::newRow(nome) << m << e; };

        caso("1900 terminador misto", [](Arquivo &a) { a.termina("\r\n"); a.terminadores[2] = "\rX"; },
             {"1900|000003|5|551|0D(hexadecimal)X"});
        caso("1900 dois bytes hexadecimais", [](Arquivo &a) { a.termina("\r\n"); a.terminadores[2] = "\r\r"; },
             {"1900|000003|5|551|0D0D(hexadecimal)"});
        caso("1901 zona de texto do header", [](Arquivo &a) { poe(a[1], 275, "\x01"); },
             {"1901|000001|5|275|01(hexadecimal)"});
        caso("1901 byte sem caractere no nome", [](Arquivo &a) { poe(a[3], 40, "\x81"); },
             {"1901|000003|5|40|81(hexadecimal)"});
        caso("1902 salto de sequencial", [](Arquivo &a) { poe(a[4], 1, "000007"); },
             {"1902|000003|0||000003", "1902|000004|0||000007"});
        caso("1903 registro após o trailer", [](Arquivo &a) { a.registros << a.registros.last(); },
             {"1903|000006|1||9", "1903|000007|5|1|0"});
        caso("1903 Ctrl-Z longo demais", [](Arquivo &a) { a.cauda = QByteArray(553, '\x1a'); },
             {"1903|000006|1||9", "1903|000007|5|1|1A(hexadecimal)"});
        caso("1904 último registro curto", [](Arquivo &a) { a[6].chop(10); },
             {"1904|000006|9||552", "1904|000006|A||542"});
        caso("1905 sem trailer", [](Arquivo &a) { a.remove(6); }, {"1905|000005|1||1"});
        caso("1906 header repetido", [](Arquivo &a) { a.insere(2, a[1]); a.fecha(); },
             {"1906|000002|1||0"});
        caso("1907 primeiro registro não é header", [](Arquivo &a) { poe(a[1], 23, "1"); },
             {"1907|000001|1||1"});
        caso("1908 estabelecimento de outra inscrição", [](Arquivo &a) { poe(a[1], 21, "99"); },
             {"1908|000001|1||0", "1908|000002|1||1"});
        caso("1909 estabelecimento com empregados sem vínculos",
             [](Arquivo &a) { a.remove(4); a.remove(3); a.fecha(); },
             {"1909|000002|1||1", "1909|000002|2||0", "1909|000003|1||1"});
        caso("1910 seguido do mesmo estabelecimento",
             [](Arquivo &a) { a.insere(6, a[5]); a.fecha(); },
             {"1910|000005|1||1", "1910|000006|1||1"});
        caso("1910 já carregado antes", [](Arquivo &a) { poe(a[5], 7, InscricaoA); poe(a[6], 7, InscricaoA); },
             {"1910|000002|1||1", "1910|000005|1||1"});
        caso("1911 ano-base", [](Arquivo &a) { poe(a[2], 295, "2011"); }, {"1911|000002|5|295|2011"});
        caso("1912 indicador", [](Arquivo &a) { poe(a[5], 280, "2"); }, {"1912|000005|2||2"});
        caso("1913 vínculo após o header", [](Arquivo &a) { a.remove(2); a.fecha(); },
             {"1913|000002|1||2"});
        caso("1914 vínculo em estabelecimento sem empregados",
             [](Arquivo &a) { QByteArray v = a[4]; poe(v, 7, InscricaoB); a.insere(6, v); a.fecha(); },
             {"1914|000005|1||1", "1914|000005|2||1", "1914|000006|1||2"});
        caso("1915 trailer após estabelecimento com empregados",
             [](Arquivo &a) { a.remove(5); a.remove(4); a.remove(3); poe(a[3], 7, InscricaoA); a.fecha(); },
             {"1915|000002|1||1", "1915|000002|2||0", "1915|000003|1||9"});
        caso("1916 vínculo de outro prefixo", [](Arquivo &a) { poe(a[4], 21, "01"); },
             {"1916|000003|1||2", "1916|000004|1||2"});
        caso("1917 trailer após o header",
             [](Arquivo &a) {
                 a.remove(5); a.remove(4); a.remove(3); a.remove(2); a.fecha();
                 a.cauda = "\x1a" + QByteArray(551, ' ');
             },
             {"1917|000001|1||0", "1917|000002|1||9"});
        caso("1918 trailer de outra inscrição", [](Arquivo &a) { poe(a[6], 7, InscricaoA); },
             {"1918|000005|1||1", "1918|000006|1||9"});
        caso("1919 total de estabelecimentos", [](Arquivo &a) { poe(a[6], 24, "000009"); },
             {"1919|000006|1||9", "1919|000006|3||000009", "1919|000006|6||2"});
        caso("1919 total em branco vale zero", [](Arquivo &a) { poe(a[6], 24, "      "); },
             {"1919|000006|1||9", "1919|000006|3||", "1919|000006|6||2"});
        caso("1920 total de vínculos", [](Arquivo &a) { poe(a[6], 30, "000003"); },
             {"1920|000006|1||9", "1920|000006|3||000003", "1920|000006|7||2"});
        caso("1921 tipo de registro", [](Arquivo &a) { poe(a[3], 23, "5"); }, {"1921|000003|1||5"});
        caso("1922 sequencial", [](Arquivo &a) { poe(a[3], 1, "00A003"); }, {"1922|000003|0|3|00A003"});
        caso("1922 inscrição", [](Arquivo &a) { poe(a[3], 10, "x"); },
             {"1922|000003|8|10|112x2333000181"});
        caso("1922 tipo de registro", [](Arquivo &a) { poe(a[3], 23, "A"); }, {"1922|000003|1|23|A"});
        caso("1922 indicador", [](Arquivo &a) { poe(a[5], 280, "\xff"); },
             {"1922|000005|2|280|ÿ"});
        // The row points at the first byte outside 32..126: here the accented letter of the name.
        caso("1923 quebra de linha no registro", [](Arquivo &a) { poe(a[3], 99, "\n"); },
             {"1923|000003|5|37|Ã"});
        caso("1924 arquivo curto", [](Arquivo &a) { a.registros = {a[1], a[2], a[3].left(543)}; },
             {"1924|000001|||"});
    }

    void ocorrencias()
    {
        QFETCH(Mudanca, mudanca);
        QFETCH(QStringList, esperado);
        Arquivo a = m_base;
        mudanca(a);
        int estab = -1, vinc = -1;
        QCOMPARE(analisa(a.bytes(), false, false, nullptr, &estab, &vinc), quint8(AnaliseComOcorrencia));
        QCOMPARE(linhasStru(), esperado);
        for (const char *t : {"te8emp", "te8vinc", "te8resp"})
            QVERIFY2(!existe(QString::fromLatin1(t)), t);
        QCOMPARE(valor(QStringLiteral("SELECT min(AnBase) FROM te8stru")), QStringLiteral("2010"));
    }

    void inscricaoPrefixoDaOcorrencia()
    {
        Arquivo a = m_base;
        poe(a[5], 7, InscricaoA);
        poe(a[6], 7, InscricaoA);
        QCOMPARE(analisa(a.bytes()), quint8(AnaliseComOcorrencia));
        // The earlier establishment's row describes it: its inscription and prefix.
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(InscricaoPrefixo) FROM te8stru")),
                 QString::fromLatin1(InscricaoA + "00," + InscricaoA + "00"));
    }

    // The terminator is fixed by the first record; a file of many records also crosses buffer refills.
    void terminadores_data()
    {
        QTest::addColumn<QByteArray>("terminador");
        QTest::addColumn<QByteArray>("cauda");
        QTest::newRow("CR LF") << QByteArray("\r\n") << QByteArray();
        QTest::newRow("LF CR") << QByteArray("\n\r") << QByteArray();
        QTest::newRow("CR") << QByteArray("\r") << QByteArray();
        QTest::newRow("LF") << QByteArray("\n") << QByteArray();
        QTest::newRow("nenhum") << QByteArray() << QByteArray();
        QTest::newRow("Ctrl-Z") << QByteArray("\r\n") << QByteArray("\x1a");
        QTest::newRow("Ctrl-Z de um registro") << QByteArray("\n") << QByteArray(551, '\x1a');
    }

    void terminadores()
    {
        QFETCH(QByteArray, terminador);
        QFETCH(QByteArray, cauda);
        Arquivo a = m_base;
        for (int i = 0; i < 150; ++i) {
            QByteArray v = a[4];
            poe(v, 24, QByteArray::number(20000000000LL + i));
            a.insere(5, v);
        }
        a.fecha();
        a.termina(terminador);
        a.cauda = cauda;
        QVERIFY(a.bytes().size() > 65536);
        int estab = 0, vinc = 0;
        QCOMPARE(analisa(a.bytes(), false, false, nullptr, &estab, &vinc), quint8(AnaliseIntegra));
        QCOMPARE(vinc, 152);
        QCOMPARE(valor(QStringLiteral("SELECT NuVinculosEstabelecimento FROM te8emp WHERE InVornNegEstabelecimento = '0'")),
                 QStringLiteral("000152"));
    }

    void retificacao_data()
    {
        QTest::addColumn<QByteArray>("indicador");
        QTest::addColumn<int>("resultado");
        QTest::newRow("1") << QByteArray("1") << int(AnaliseRetificacao);
        QTest::newRow("X") << QByteArray("X") << int(AnaliseRetificacao);
        QTest::newRow("x") << QByteArray("x") << int(AnaliseRetificacao);
        QTest::newRow("2") << QByteArray("2") << int(AnaliseIntegra);
    }

    void retificacao()
    {
        QFETCH(QByteArray, indicador);
        QFETCH(int, resultado);
        Arquivo a = m_base;
        poe(a[1], 223, indicador);
        QCOMPARE(int(analisa(a.bytes())), resultado);
        QCOMPARE(valor(QStringLiteral("SELECT InRetificacao FROM te8resp")),
                 resultado == AnaliseRetificacao ? QStringLiteral("1") : QStringLiteral("0"));
    }

    // A previous-year file: the rows take its year; the import zeroes the link values, the analysis keeps
    // them; the establishment fields the previous layout does not carry are zeroed in both.
    void anoAnterior_data()
    {
        QTest::addColumn<bool>("importacao");
        QTest::addColumn<QString>("salario");
        QTest::addColumn<QString>("ferias");
        QTest::addColumn<QString>("horas");
        QTest::newRow("importação") << true << "000000000" << "00000000" << "";
        QTest::newRow("análise") << false << "000150000" << "00012000" << "176";
    }

    void anoAnterior()
    {
        QFETCH(bool, importacao);
        QFETCH(QString, salario);
        QFETCH(QString, ferias);
        QFETCH(QString, horas);
        Arquivo a = m_base;
        for (int n : {2, 5})
            poe(a[n], 295, "2009");
        QCOMPARE(analisa(a.bytes(), true, importacao), quint8(AnaliseIntegra));
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(DISTINCT AnBase) FROM te8vinc")), QStringLiteral("2009"));
        QCOMPARE(valor(QStringLiteral("SELECT group_concat(DISTINCT AnBase) FROM te8emp")), QStringLiteral("2009"));
        QCOMPARE(valor(QStringLiteral("SELECT VaJaneiroEmpregado FROM te8vinc LIMIT 1")), salario);
        QCOMPARE(valor(QStringLiteral("SELECT VaGlobalFerias FROM te8vinc LIMIT 1")), ferias);
        QCOMPARE(valor(QStringLiteral("SELECT HoTrabalhadasMaio FROM te8vinc LIMIT 1")), horas);
        QCOMPARE(valor(QStringLiteral("SELECT Me13ParcelaFinalEmpregado FROM te8vinc LIMIT 1")),
                 importacao ? QStringLiteral("00") : QStringLiteral("12"));
        QCOMPARE(valor(QStringLiteral("SELECT InSindicalizadoVinculo || '/' || CoDeficienteFisico FROM te8vinc LIMIT 1")),
                 importacao ? QStringLiteral("2/") : QStringLiteral("1/0"));
        QCOMPARE(valor(QStringLiteral("SELECT PoServicoProprio || '/' || VaGlobalAssociativa || '/' || "
                                      "CoCNPJAssociativa || '/' || InAtividadeAnoBase || '/' || InCentralizada "
                                      "FROM te8emp LIMIT 1")),
                 QStringLiteral("000/000000000/00000000000000//"));

        // The same file with the current layout: its year is not the base year.
        QCOMPARE(analisa(a.bytes(), false, importacao), quint8(AnaliseComOcorrencia));
        QCOMPARE(linhasStru(), QStringList{"1911|000002|5|295|2009"});
    }

    // Only a file whose establishments all close in the year after their base year is an advance.
    void antecipacao_data()
    {
        QTest::addColumn<QByteArray>("dataA");
        QTest::addColumn<QByteArray>("dataB");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("todos em 2011") << QByteArray("115052011") << QByteArray("130062011") << "1";
        QTest::newRow("um só") << QByteArray("115052011") << QByteArray("200000000") << "0";
        QTest::newRow("em 2010") << QByteArray("115052010") << QByteArray("130062010") << "0";
    }

    void antecipacao()
    {
        QFETCH(QByteArray, dataA);
        QFETCH(QByteArray, dataB);
        QFETCH(QString, esperado);
        Arquivo a = m_base;
        poe(a[2], 332, dataA);
        poe(a[5], 332, dataB);
        QCOMPARE(analisa(a.bytes()), quint8(AnaliseIntegra));
        QCOMPARE(valor(QStringLiteral("SELECT InAntecipacao FROM te8resp")), esperado);
    }

    // A cancel confirmed with Yes leaves neither work tables nor findings; No goes on to the end.
    void interrupcao_data()
    {
        QTest::addColumn<bool>("confirma");
        QTest::newRow("sim") << true;
        QTest::newRow("não") << false;
    }

    void interrupcao()
    {
        QFETCH(bool, confirma);
        QVERIFY(analisa(m_base.bytes()) == AnaliseIntegra); // work tables of an earlier run
        ScriptedPresenter presenter;
        presenter.answer(confirma ? MessageButton::Yes : MessageButton::No);
        // The window's cancel button, pressed while the first record is read.
        TAnaliseEstrutura analisador;
        ProgressoComBotao progresso(analisador, 23);
        int estab = -1, vinc = -1;
        const quint8 r = analisador.AnalisaArquivo(m_dados->file(QStringLiteral("entrada.dec")), 2010, false, estab,
                                                   vinc, m_dados->path(), &progresso);
        QCOMPARE(presenter.boxes.size(), 1);
        QCOMPARE(presenter.boxes[0].text, QStringLiteral("Deseja interromper?"));
        if (confirma) {
            QCOMPARE(r, quint8(AnaliseInterrompida));
            for (const char *t : {"te8emp", "te8vinc", "te8resp", "te8stru"})
                QVERIFY2(!existe(QString::fromLatin1(t)), t);
        } else {
            QCOMPARE(r, quint8(AnaliseIntegra));
            QCOMPARE(progresso.position(), 100);
            QCOMPARE(linhas(QStringLiteral("te8vinc")), 2);
        }
    }

    // Input that cannot be read or copied: a warning, the result of its own, nothing left loaded.
    void copiaImpossivel_data()
    {
        QTest::addColumn<bool>("pastaExiste");
        QTest::addColumn<bool>("arquivoExiste");
        QTest::newRow("pasta de trabalho ausente") << false << true;
        QTest::newRow("arquivo ausente") << true << false;
    }

    void copiaImpossivel()
    {
        QFETCH(bool, pastaExiste);
        QFETCH(bool, arquivoExiste);
        QVERIFY(analisa(m_base.bytes()) == AnaliseIntegra);
        const QString arquivo = m_dados->file(arquivoExiste ? QStringLiteral("entrada.dec") : QStringLiteral("nada.dec"));
        const QString pasta = pastaExiste ? m_dados->path() : m_dados->file(QStringLiteral("nao/existe"));
        ScriptedPresenter presenter;
        TAnaliseEstrutura analisador;
        int estab = -1, vinc = -1;
        QCOMPARE(analisador.AnalisaArquivo(arquivo, 2010, false, estab, vinc, pasta, nullptr),
                 quint8(AnaliseNaoRealizada));
        QCOMPARE(presenter.boxes.size(), 1);
        QCOMPARE(presenter.boxes[0].kind, MessageKind::Warning);
        QCOMPARE(presenter.boxes[0].text, QStringLiteral("Ocorreu erro na cópia do arquivo ") + arquivo);
        QCOMPARE(estab + vinc, 0);
        for (const char *t : {"te8emp", "te8vinc", "te8resp", "te8stru"})
            QVERIFY2(!existe(QString::fromLatin1(t)), t);
    }

    // The working copy goes with the run, whatever its end.
    void copiaDeTrabalhoRemovida()
    {
        analisa(m_base.bytes());
        Arquivo a = m_base;
        a.remove(6);
        analisa(a.bytes());
        QCOMPARE(QDir(m_dados->path()).entryList({QStringLiteral("R01TXZZZ*")}, QDir::Files), QStringList());
    }

    // Any bytes at all: a truncated file at every length around the records' edges, and random files,
    // end with one finding.
    void entradasArbitrarias()
    {
        const QByteArray base = m_base.bytes();
        QList<QByteArray> entradas;
        for (int corte : {0, 1, 551, 552, 1649, 1650, 1656, 2000, 2207, 2208, 2209, 3311})
            entradas << base.left(corte);
        QRandomGenerator gerador(20101);
        for (int i = 0; i < 20; ++i) {
            QByteArray b(int(gerador.bounded(1, 40000)), '\0');
            for (char &c : b)
                c = char(gerador.bounded(256));
            entradas << b;
            // a sound file with random bytes in one record
            QByteArray c = base;
            for (int k = 0; k < 5; ++k)
                c[int(gerador.bounded(c.size()))] = char(gerador.bounded(256));
            entradas << c;
        }
        for (const QByteArray &e : std::as_const(entradas)) {
            const quint8 r = analisa(e);
            if (r == AnaliseIntegra || r == AnaliseRetificacao) // a random change that left the file sound
                continue;
            QCOMPARE(r, quint8(AnaliseComOcorrencia));
            const QStringList l = linhasStru();
            QVERIFY(!l.isEmpty() && l.size() <= 3);
            const int codigo = l.first().left(4).toInt();
            QVERIFY(codigo >= PrimeiraOcorrenciaEstrutura && codigo <= UltimaOcorrenciaEstrutura);
        }
    }

    void mensagensInstaladas()
    {
        QList<QPair<QString, QString>> codigos;
        for (int c = PrimeiraOcorrenciaEstrutura; c <= UltimaOcorrenciaEstrutura; ++c)
            codigos << qMakePair(QString::number(c), QStringLiteral("ERR"));
        expectInstalledMessages(codigos);
    }
};

QTEST_GUILESS_MAIN(tst_ugAnaliseEstrutura)
#include "tst_ugAnaliseEstrutura.moc"
