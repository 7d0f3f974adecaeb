// Occupation, link-type and weekly-hours rules: each rule's codes in the order its tests decide; the
// refused CBOs, the two occupation flags, link types by inscription type, public administration by CNAE
// and by legal nature, the PIS series, the apprentice aged 14 to 24 and the weekly hours. The base year
// is 2010.

#include "rules/ugRegrasContrato.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaCbo", test::regra(&CriticaCbo)},
    {"CriticaCboInstrucao", test::regra(&CriticaCboInstrucao)},
    {"CriticaCodigoVinculo", test::regra(&CriticaCodigoVinculo)},
    {"CriticaTipoVinculo", test::regra(&CriticaTipoVinculo)},
    {"CriticaVinculoTipos1", test::regra(&CriticaVinculoTipos1)},
    {"CriticaVinculoTipos2", test::regra(&CriticaVinculoTipos2)},
    {"CriticaVinculoSeriePis", test::regra(&CriticaVinculoSeriePis)},
    {"CriticaVinculoIdade", test::regra(&CriticaVinculoIdade)},
    {"CriticaHorasSemanais", test::regra(&CriticaHorasSemanais)},
    {"CriticaHorasVinculo", test::regra(&CriticaHorasVinculo)},
};

} // namespace

class tst_ugRegrasContrato : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasContrato::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    m_tabelas->insere(QStringLiteral("tb8cbo"), QList<QVariantMap>{
        {{"CoCbo", "252105"}, {"NoCbo", "Administrador"}, {"InCriticaCbo", true}, {"InCriticaAna", false}},
        {{"CoCbo", "351305"}, {"NoCbo", "Técnico"}, {"InCriticaCbo", false}, {"InCriticaAna", true}},
        {{"CoCbo", "411010"}, {"NoCbo", "Assistente"}, {"InCriticaCbo", false}, {"InCriticaAna", false}},
    });
    m_tabelas->insere(QStringLiteral("tb8vinc"), QList<QVariantMap>{
        {{"CoVinculo", "10"}, {"NoVinculo", "CLT"}},
        {{"CoVinculo", "55"}, {"NoVinculo", "Aprendiz"}},
    });
}

void tst_ugRegrasContrato::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("CBO recusado 3645", "CriticaCbo", {"111105"}, "3645");
    caso("CBO recusado 3747", "CriticaCbo", {" 842305 "}, "3747");
    caso("CBO recusado 3770", "CriticaCbo", {"513210"}, "3770");
    caso("CBO vazio", "CriticaCbo", {""}, "0261");
    caso("CBO zeros", "CriticaCbo", {"000000"}, "0261");
    caso("CBO com letra", "CriticaCbo", {"41101A"}, "0040");
    caso("CBO cadastrado", "CriticaCbo", {"411010"}, "0000");
    caso("CBO nao cadastrado", "CriticaCbo", {"411015"}, "0260");
    caso("CBO de 5 digitos", "CriticaCbo", {"41101"}, "0030");
    caso("CBO de 7 digitos", "CriticaCbo", {"4110100"}, "0030");

    caso("superior exigido, nivel 8", "CriticaCboInstrucao", {"08", "252105"}, "3501");
    caso("superior exigido, nivel 9", "CriticaCboInstrucao", {"09", "252105"}, "0000");
    caso("superior exigido, nivel 11", "CriticaCboInstrucao", {"11", "252105"}, "0000");
    caso("analfabeto recusado", "CriticaCboInstrucao", {"01", "351305"}, "3635");
    caso("analfabeto, outro nivel", "CriticaCboInstrucao", {"02", "351305"}, "0000");
    caso("sem marcas", "CriticaCboInstrucao", {"01", "411010"}, "0000");
    caso("CBO fora da tabela", "CriticaCboInstrucao", {"01", "999999"}, "0000");
    caso("instrucao zero", "CriticaCboInstrucao", {"00", "252105"}, "0000");
    caso("instrucao vazia", "CriticaCboInstrucao", {"", "252105"}, "0000");

    caso("vinculo vazio", "CriticaCodigoVinculo", {""}, "0273");
    caso("vinculo zeros", "CriticaCodigoVinculo", {"00"}, "0273");
    caso("vinculo de 1 digito", "CriticaCodigoVinculo", {"1"}, "0040");
    caso("vinculo cadastrado", "CriticaCodigoVinculo", {"55"}, "0000");
    caso("vinculo nao cadastrado", "CriticaCodigoVinculo", {"11"}, "0270");

    caso("55 em CNPJ", "CriticaTipoVinculo", {"55", "1"}, "0000");
    caso("55 em CEI", "CriticaTipoVinculo", {"55", "3"}, "0000");
    caso("20 em CEI", "CriticaTipoVinculo", {"20", "3"}, "0271");
    caso("15 em CNPJ", "CriticaTipoVinculo", {"15", "1"}, "0271");
    caso("97 em CNPJ", "CriticaTipoVinculo", {"97", "1"}, "0000");
    caso("75 em CEI", "CriticaTipoVinculo", {"75", "3"}, "0000");
    caso("tipo de inscricao 4", "CriticaTipoVinculo", {"20", "4"}, "0000");
    caso("tipo de inscricao vazio", "CriticaTipoVinculo", {"20", ""}, "0000");
    caso("vinculo zeros", "CriticaTipoVinculo", {"00", "3"}, "0000");

    caso("CNAE 84, vinculo 10", "CriticaVinculoTipos1", {"10", "8411600"}, "3507");
    caso("CNAE 84, vinculo 30", "CriticaVinculoTipos1", {"30", "8411600"}, "0000");
    caso("CNAE 84, vinculo 97", "CriticaVinculoTipos1", {"97", "8411600"}, "0000");
    caso("outro CNAE", "CriticaVinculoTipos1", {"10", "4711301"}, "0000");

    caso("natureza 1031, vinculo 10", "CriticaVinculoTipos2", {"10", "1031"}, "3519");
    caso("natureza 1031, vinculo 35", "CriticaVinculoTipos2", {"35", "1031"}, "0000");
    caso("natureza 2062", "CriticaVinculoTipos2", {"10", "2062"}, "0000");

    caso("serie 109, vinculo 10", "CriticaVinculoSeriePis", {"10", "10900000004"}, "0272");
    caso("serie 119, vinculo 10", "CriticaVinculoSeriePis", {"10", "11900000000"}, "0272");
    caso("serie 267, vinculo 10", "CriticaVinculoSeriePis", {"10", "26700000000"}, "0272");
    caso("serie 168, vinculo 35", "CriticaVinculoSeriePis", {"35", "16800000000"}, "0000");
    caso("serie 109, vinculo 80", "CriticaVinculoSeriePis", {"80", "10900000004"}, "0000");
    caso("serie 120", "CriticaVinculoSeriePis", {"10", "12000000000"}, "0000");
    caso("serie 108", "CriticaVinculoSeriePis", {"10", "10800000000"}, "0000");
    caso("pis vazio", "CriticaVinculoSeriePis", {"10", ""}, "0000");

    caso("aprendiz de 25 no ano-base", "CriticaVinculoIdade", {"55", "01011985", "01012009", "2"}, "3502");
    caso("aprendiz de 13 no ano-base", "CriticaVinculoIdade", {"55", "01011997", "01012009", "2"}, "3502");
    caso("aprendiz de 25 com deficiencia", "CriticaVinculoIdade", {"55", "01011985", "01012009", "1"}, "0000");
    caso("aprendiz, indicador vazio", "CriticaVinculoIdade", {"55", "01011985", "01012009", ""}, "3502");
    caso("outro vinculo", "CriticaVinculoIdade", {"10", "01011985", "01012009", "2"}, "0000");
    caso("admitido antes do ano-base", "CriticaVinculoIdade", {"55", "15061996", "01012009", "2"}, "0000");
    caso("vespera dos 14", "CriticaVinculoIdade", {"55", "15061996", "14062010", "2"}, "3502");
    caso("nos 14", "CriticaVinculoIdade", {"55", "15061996", "15062010", "2"}, "0000");
    caso("nos 24", "CriticaVinculoIdade", {"55", "15061986", "15062010", "2"}, "0000");
    caso("dia seguinte aos 24", "CriticaVinculoIdade", {"55", "15061986", "16062010", "2"}, "3502");
    caso("29/02, dia seguinte aos 14", "CriticaVinculoIdade", {"55", "29021996", "01032010", "2"}, "0000");
    caso("29/02, vespera dos 14", "CriticaVinculoIdade", {"55", "29021996", "27022010", "2"}, "3502");
    caso("nascimento invalido", "CriticaVinculoIdade", {"55", "30021985", "01012009", "2"}, "0000");

    caso("horas vazias", "CriticaHorasSemanais", {""}, "0251");
    caso("horas 00", "CriticaHorasSemanais", {"00"}, "0251");
    caso("horas de 1 digito", "CriticaHorasSemanais", {"8"}, "0040");
    caso("44 horas", "CriticaHorasSemanais", {"44"}, "0000");
    caso("45 horas", "CriticaHorasSemanais", {"45"}, "0250");

    caso("aprendiz nivel 4, 31 horas", "CriticaHorasVinculo", {"55", "04", "31"}, "3773");
    caso("aprendiz nivel 4, 30 horas", "CriticaHorasVinculo", {"55", "04", "30"}, "0000");
    caso("aprendiz nivel 5, 40 horas", "CriticaHorasVinculo", {"55", "05", "40"}, "0000");
    caso("aprendiz nivel 5, 41 horas", "CriticaHorasVinculo", {"55", "05", "41"}, "3773");
    caso("vinculo 10, 44 horas", "CriticaHorasVinculo", {"10", "04", "44"}, "0000");
    caso("horas nao numericas", "CriticaHorasVinculo", {"55", "04", "4A"}, "0000");
}

void tst_ugRegrasContrato::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0030", "0040", "0250", "0251", "0260", "0261", "0270", "0271", "0272", "0273",
                             "3501", "3502", "3635", "3645", "3747", "3770", "3773"},
                            {"3507", "3519"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasContrato)
#include "tst_ugRegrasContrato.moc"
