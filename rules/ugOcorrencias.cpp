#include "rules/ugOcorrencias.h"

#include "app/ugFuncoes.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

const QString kTabela = QStringLiteral("te8errwa");

// The fields of te8errwa, in the catalogue's order.
enum {
    CampoErrWar, CampoInscricao, CampoTipoInscricao, CampoPrefixo, CampoTipoRegistro, CampoRetorno,
    CampoRazaoSocial, CampoPisPasep, CampoNomeEmpregado, CampoAdmissao, CampoUsoEmpresa, CampoRotulo,
    CampoConteudo, CampoSequencial, CampoCnpjVinculado, NumeroCampos
};

// Rows kept before they are written.
constexpr qsizetype LoteGravacao = 1000;

int &sequencial()
{
    static int valor = 0;
    return valor;
}

} // namespace

QString Rotulo::RemuneracaoMes(int mes) { return QString::number(1640 + mes); }

int SequencialOcorrencia() { return sequencial(); }

void ReiniciaSequencialOcorrencia() { sequencial() = 0; }

RegistroOcorrencias::RegistroOcorrencias(const QString &connection)
    : m_connection(connection), m_tabela(kTabela, connection)
{
}

void RegistroOcorrencias::IniciaExecucao()
{
    m_tabela.Close();
    dropTable(Schema::require(kTabela), m_connection);
    m_pendentes.clear();
    m_haErros = m_haAvisos = m_criada = false;
}

void RegistroOcorrencias::EncerraExecucao()
{
    GravaPendentes();
    m_tabela.Close();
}

void RegistroOcorrencias::defineVinculo(Table *vinculo, const QString &pis, const QString &admissao)
{
    m_vinculo = vinculo;
    m_pis = pis;
    m_admissao = admissao;
}

void RegistroOcorrencias::CriaTabelaOcorrencias()
{
    createTable(Schema::require(kTabela), m_connection);
    m_criada = true;
}

void RegistroOcorrencias::RegistraOcorrencia(const QString &ErrWar, int TipoRegistro, const QString &Retorno,
                                             const QString &Rotulo, const QString &Conteudo)
{
    if (!m_criada)
        CriaTabelaOcorrencias();
    if (ErrWar == OcorrenciaErro)
        m_haErros = true;
    else if (ErrWar == OcorrenciaAviso)
        m_haAvisos = true;
    const int numero = ++sequencial();

    // The values in the order of the table's fields, read now from the current rows.
    QStringList linha(NumeroCampos);
    linha[CampoErrWar] = ErrWar;
    linha[CampoTipoRegistro] = QString::number(TipoRegistro);
    linha[CampoRetorno] = CodigoDaCritica(Retorno); // "X" of a generic check is no message code
    linha[CampoRotulo] = Rotulo;
    linha[CampoConteudo] = Conteudo;
    linha[CampoSequencial] = CompletaZeros(QString::number(numero), 6);
    if ((TipoRegistro == RegistroEstabelecimento || TipoRegistro == RegistroVinculo) && m_estabelecimento) {
        const auto estabelecimento = [this](const char *nome) {
            return m_estabelecimento->FieldByName(QLatin1String(nome)).AsString();
        };
        linha[CampoInscricao] = estabelecimento("CoCgcCeiEstabelecimento");
        linha[CampoTipoInscricao] = estabelecimento("InInscrEstabelecimento");
        linha[CampoPrefixo] = estabelecimento("NuPrefixoEstabelecimento");
        linha[CampoRazaoSocial] = estabelecimento("NoRazaoEstabelecimento");
    }
    if (TipoRegistro == RegistroVinculo && m_vinculo) {
        const auto vinculo = [this](const char *nome) { return m_vinculo->FieldByName(QLatin1String(nome)).AsString(); };
        linha[CampoPisPasep] = m_pis;
        linha[CampoAdmissao] = m_admissao;
        linha[CampoUsoEmpresa] = vinculo("TxUsoEmpregado");
        linha[CampoNomeEmpregado] = vinculo("NoEmpregado");
        linha[CampoCnpjVinculado] = vinculo("CoCgcVinculado");
    }
    m_pendentes << linha;
    if (m_pendentes.size() >= LoteGravacao)
        GravaPendentes();
}

// Every write of the connection makes the open cursors read their page again at their next move, so
// the rows are written in batches rather than one by one between the moves of the analysis.
void RegistroOcorrencias::GravaPendentes()
{
    if (m_pendentes.isEmpty())
        return;
    if (!m_tabela.Active())
        m_tabela.Open();
    for (const QStringList &linha : std::as_const(m_pendentes)) {
        m_tabela.Append();
        for (int i = 0; i < NumeroCampos; ++i)
            m_tabela.Fields(i).setAsString(linha[i]);
        m_tabela.Post();
    }
    m_pendentes.clear();
}

void RegistroOcorrencias::RegistraOcorrencia(const QString &ErrWar, int TipoRegistro, const QString &Retorno,
                                             const QList<CampoOcorrencia> &campos)
{
    for (const CampoOcorrencia &c : campos)
        RegistraOcorrencia(ErrWar, TipoRegistro, Retorno, c.Rotulo, c.Conteudo);
}

} // namespace gdvorn
