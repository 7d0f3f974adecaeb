#pragma once
// The findings log of the consistency analysis: the work table te8errwa, one row per field of a finding,
// appended by RegistraOcorrencia. A finding is one or more consecutive rows with the same kind ("err" or
// "war") and the same message code, each naming its field by a label code (a TB8MSG code, Rotulo below)
// and showing the field's value or a fixed text.
//
// The table belongs to one run: IniciaExecucao drops the previous one, the first row of the run creates
// it, so a run without findings leaves no table. The sequence numbers of the rows come from one counter
// that lives as long as the program and is not reset between runs.

#include "app/base/Database.h"
#include "app/base/Table.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace gdvorn {

// Record types of a row: which identification it carries.
enum TipoRegistroOcorrencia { RegistroResponsavel = 0, RegistroEstabelecimento = 1, RegistroVinculo = 2 };

inline const QString OcorrenciaErro = QStringLiteral("err");
inline const QString OcorrenciaAviso = QStringLiteral("war");

// One row of a finding: the label code and the content.
struct CampoOcorrencia {
    QString Rotulo;
    QString Conteudo;
};

// The label codes of the fields that the rows show.
namespace Rotulo {
inline const QString InscricaoResponsavel = QStringLiteral("1599");  // CoCgcCeiResponsavel
inline const QString Inscricao = QStringLiteral("1600");             // CoCgcCeiEstabelecimento
inline const QString TipoInscricao = QStringLiteral("1601");
inline const QString Prefixo = QStringLiteral("1602");
inline const QString CnpjCeiVinculado = QStringLiteral("1603");      // CoCgcVinculado
inline const QString Nome = QStringLiteral("1604");                  // NoRazaoEstabelecimento, NoResponsavelArquivo
inline const QString Logradouro = QStringLiteral("1605");
inline const QString NumeroLogradouro = QStringLiteral("1606");
inline const QString Complemento = QStringLiteral("1607");
inline const QString Bairro = QStringLiteral("1608");
inline const QString Cep = QStringLiteral("1609");
inline const QString CodigoMunicipio = QStringLiteral("1610");
inline const QString Uf = QStringLiteral("1612");
inline const QString DDD = QStringLiteral("1613");
inline const QString Telefone = QStringLiteral("1614");
inline const QString DataRetificacao = QStringLiteral("1615");
inline const QString DataGeracao = QStringLiteral("1616");
inline const QString Email = QStringLiteral("1617");
inline const QString Cnae = QStringLiteral("1618");                  // CoCnae2
inline const QString NaturezaJuridica = QStringLiteral("1619");
inline const QString MesDataBase = QStringLiteral("1620");
inline const QString Proprietarios = QStringLiteral("1621");         // NuProprietEstabelecimento
inline const QString SemEmpregados = QStringLiteral("1622");         // InVornNegEstabelecimento
inline const QString UsoEmpresa = QStringLiteral("1623");            // TxUsoEstabelecimento, TxUsoEmpregado
inline const QString PisPasep = QStringLiteral("1624");
inline const QString NomeEmpregado = QStringLiteral("1625");
inline const QString DataNascimento = QStringLiteral("1626");        // DaNascimentoEmpregado or its year
inline const QString Nacionalidade = QStringLiteral("1627");
inline const QString AnoChegada = QStringLiteral("1628");
inline const QString Instrucao = QStringLiteral("1629");
inline const QString CarteiraTrabalho = QStringLiteral("1630");
inline const QString CpfEmpregado = QStringLiteral("1631");
inline const QString DataAdmissao = QStringLiteral("1632");
inline const QString TipoAdmissao = QStringLiteral("1633");
inline const QString SalarioContratual = QStringLiteral("1634");
inline const QString TipoSalarioContratual = QStringLiteral("1635");
inline const QString HorasSemanais = QStringLiteral("1636");
inline const QString Cbo = QStringLiteral("1637");
inline const QString Vinculo = QStringLiteral("1638");
inline const QString CausaDesligamento = QStringLiteral("1639");
inline const QString DataDesligamento = QStringLiteral("1640");
// 1641 to 1652: the pay of January to December, RemuneracaoMes(mes).
inline const QString MesAdiantamento13 = QStringLiteral("1653");
inline const QString ValorAdiantamento13 = QStringLiteral("1654");
inline const QString MesParcelaFinal13 = QStringLiteral("1655");
inline const QString ValorParcelaFinal13 = QStringLiteral("1656");
inline const QString Ano = QStringLiteral("1658");                   // AnBase, or the link's reference year
inline const QString Estrangeiros = QStringLiteral("1659");          // NuEstrangeirosEstabelec
inline const QString Retificacao = QStringLiteral("1660");
inline const QString QuantidadeVinculos = QStringLiteral("1661");
inline const QString SequencialRegistro = QStringLiteral("1662");    // NuSequencialRegistro
inline const QString RemuneracaoAno = QStringLiteral("1664");
inline const QString DecimoTerceiroAno = QStringLiteral("1665");
inline const QString OpcaoAberta = QStringLiteral("1666");           // InOpcaoAberta
inline const QString RacaCor = QStringLiteral("1667");
inline const QString IndicadorEncerramento = QStringLiteral("1668");
inline const QString DataEncerramento = QStringLiteral("1669");
inline const QString InicioCnpjCeiVinculado = QStringLiteral("1678"); // first two characters of CoCgcVinculado
inline const QString ParticipaPat = QStringLiteral("3122");
inline const QString OptanteSimples = QStringLiteral("3123");
inline const QString AvisoPrevio = QStringLiteral("3511");
inline const QString Porte = QStringLiteral("3520");
inline const QString Sexo = QStringLiteral("3523");
inline const QString PatMaior5 = QStringLiteral("3610");
inline const QString PatMenor5 = QStringLiteral("3611");
inline const QString PatServicoProprio = QStringLiteral("3612");
inline const QString PatAdmCozinha = QStringLiteral("3613");
inline const QString PatRefeicaoConvenio = QStringLiteral("3614");
inline const QString PatRefeicaoTransportadora = QStringLiteral("3615");
inline const QString PatCestaAlimento = QStringLiteral("3616");
inline const QString PatAlimentacaoConvenio = QStringLiteral("3617");
inline const QString IndicadorEncerramentoAtividade = QStringLiteral("3618");
inline const QString DataEncerramentoAtividade = QStringLiteral("3619");
inline const QString Deficiente = QStringLiteral("3620");            // InDeficienteFisico
inline const QString Alvara = QStringLiteral("3621");                // InAlvaraEmpregado
inline const QString TipoDeficiencia = QStringLiteral("3623");
inline const QString MotivoAfastamento = QStringLiteral("3636");
inline const QString DataAfastamento = QStringLiteral("3637");       // start or end of a leave
inline const QString DiasAfastamento = QStringLiteral("3641");
inline const QString MotivoAfastamentoDatas = QStringLiteral("3642"); // the reason in the date and day checks
inline const QString CnpjAssociativa = QStringLiteral("3650");
inline const QString ValorAssociativa = QStringLiteral("3651");
inline const QString CnpjSindical = QStringLiteral("3652");
inline const QString ValorSindical = QStringLiteral("3653");
inline const QString CnpjAssistencial = QStringLiteral("3654");
inline const QString ValorAssistencial = QStringLiteral("3655");
inline const QString CnpjConfederativa = QStringLiteral("3656");
inline const QString ValorConfederativa = QStringLiteral("3657");
inline const QString Ferias = QStringLiteral("3658");                // VaGlobalFerias
inline const QString Multas = QStringLiteral("3659");
inline const QString BancoHoras = QStringLiteral("3660");
inline const QString MesesBancoHoras = QStringLiteral("3661");
inline const QString Dissidio = QStringLiteral("3662");
inline const QString MesesDissidio = QStringLiteral("3663");
inline const QString Gratificacoes = QStringLiteral("3664");
inline const QString MesesGratificacoes = QStringLiteral("3665");
inline const QString NomeMunicipio = QStringLiteral("3667");
inline const QString AtividadeAnoBase = QStringLiteral("3669");
inline const QString HorasTrabalhadas = QStringLiteral("3670");
inline const QString MunicipioTrabalho = QStringLiteral("3671");
inline const QString SerieCarteira = QStringLiteral("3700");
inline const QString Sindicalizado = QStringLiteral("3703");         // InSindicalizada, InSindicalizadoVinculo
inline const QString CnpjCentralizadora = QStringLiteral("3705");
inline const QString Centralizada = QStringLiteral("3726");
inline const QString Crea = QStringLiteral("3736");
inline const QString CpfResponsavel = QStringLiteral("3737");
inline const QString NomeResponsavel = QStringLiteral("3738");       // NoResponsavelDeclaracao
inline const QString NascimentoResponsavel = QStringLiteral("3760");
inline const QString PrimeiraAssociativa = QStringLiteral("3754");   // the link's first association CNPJ
inline const QString SegundaAssociativa = QStringLiteral("3755");

// The pay of a month, 1 (January) to 12: "1641" to "1652".
QString RemuneracaoMes(int mes);
} // namespace Rotulo

// The last sequence number given to a row (0 before the first row of the program).
int SequencialOcorrencia();
// The counter as the program starts (0). The program starts with it; tests start each case with it.
void ReiniciaSequencialOcorrencia();

class RegistroOcorrencias {
public:
    explicit RegistroOcorrencias(const QString &connection = kAlias);

    // Start of a run: drops te8errwa and clears the flags. End of a run: closes the table.
    void IniciaExecucao();
    void EncerraExecucao();

    // The current establishment (rows of types 1 and 2) and link (type 2), with the link's PIS/PASEP and
    // admission date as read when its checks began.
    void defineEstabelecimento(Table *estabelecimento) { m_estabelecimento = estabelecimento; }
    void defineVinculo(Table *vinculo, const QString &pis, const QString &admissao);

    // Appends one row; the first row of a run creates the table. The rows reach the table in batches
    // and all of them by EncerraExecucao. A `Retorno` of "X" (a generic check's "longer than the field")
    // is recorded as "0040".
    void RegistraOcorrencia(const QString &ErrWar, int TipoRegistro, const QString &Retorno,
                            const QString &Rotulo, const QString &Conteudo);
    // Appends the rows of one finding, one per field, in order.
    void RegistraOcorrencia(const QString &ErrWar, int TipoRegistro, const QString &Retorno,
                            const QList<CampoOcorrencia> &campos);

    // Whether the run recorded an "err" row, a "war" row; whether it created the table.
    bool HaErros() const { return m_haErros; }
    bool HaAvisos() const { return m_haAvisos; }
    bool TabelaCriada() const { return m_criada; }

private:
    void CriaTabelaOcorrencias();
    void GravaPendentes();

    QString m_connection;
    Table m_tabela;
    Table *m_estabelecimento = nullptr;
    Table *m_vinculo = nullptr;
    QString m_pis;
    QString m_admissao;
    QList<QStringList> m_pendentes;
    bool m_haErros = false;
    bool m_haAvisos = false;
    bool m_criada = false;
};

} // namespace gdvorn
