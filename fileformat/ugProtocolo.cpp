#include "fileformat/ugProtocolo.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"

#include <QDir>

namespace gdvorn {

namespace {

const QString kProID = QStringLiteral("te8proid");
const QString kProES = QStringLiteral("te8proes");

bool cria(const QString &tabela, const QString &bancoDados)
{
    if (!bancoDados.isEmpty() && QDir::cleanPath(bancoDados) != QDir::cleanPath(databaseFolder()))
        return false;
    createTable(Schema::require(tabela));
    return true;
}

void copia(Table &destino, Table &origem, const char *campo)
{
    destino.FieldByName(QLatin1String(campo)).setValue(origem.FieldByName(QLatin1String(campo)).Value());
}

} // namespace

bool CriaTabelaProtocolo(const QString &BancoDados) { return cria(kProID, BancoDados); }
bool CriaTabelaProtocoloEstab(const QString &BancoDados) { return cria(kProES, BancoDados); }

bool ExcluiTabelasProtocolo()
{
    bool todas = true;
    for (const QString &t : {kProID, kProES}) {
        try {
            dropTable(Schema::require(t));
        } catch (const DatabaseError &) {
            todas = false; // the failure that led here is the one the user is told
        }
    }
    return todas;
}

TProtocoloGravacao::TProtocoloGravacao() : m_id(kProID), m_es(kProES) {}

void TProtocoloGravacao::Abre()
{
    m_id.Open();
    m_es.Open();
    m_ultimoVolume = 9999;
    m_vinculos = 0;
    m_esPendente = m_idPendente = false;
}

void TProtocoloGravacao::Fecha()
{
    if (m_id.Active())
        m_id.Close();
    if (m_es.Active())
        m_es.Close();
    m_esPendente = m_idPendente = false;
}

void TProtocoloGravacao::AntesDoEstabelecimento()
{
    if (m_esPendente) {
        m_es.FieldByName(QStringLiteral("NuVinculosEstabelecimento")).setAsString(QString::number(m_vinculos));
        m_es.Post();
        m_esPendente = false;
    }
    m_vinculos = 0;
}

void TProtocoloGravacao::DepoisDoEstabelecimento(int volume, Table &e, Table &r, bool retificacao,
                                                 const QString &dataGeracao, const QString &horaGeracao)
{
    if (volume != m_ultimoVolume) {
        m_id.Append();
        m_id.FieldByName(QStringLiteral("NuDisquete")).setAsString(QString::number(volume));
        for (const char *c :
             {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "InInscrEstabelecimento",
              "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento",
              "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf",
              "NuDDD", "NuTelefone", "TxEMailEstabelecimento", "InEncerramentoAtividade", "DaEncerramentoAtividade"})
            copia(m_id, e, c);
        for (const char *c :
             {"CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo", "EdLogradouroRespArquivo",
              "NuLogradouroRespArquivo", "TxComplementoRespArquivo", "NoBairroRespArquivo", "CoCepRespArquivo",
              "CoMunicipioRespArquivo", "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante",
              "TxEMailRespArquivo"})
            copia(m_id, r, c);
        m_id.FieldByName(QStringLiteral("InReciboParaRespArquivo"))
            .setAsBoolean(r.FieldByName(QStringLiteral("InReciboParaRespArquivo")).AsBoolean());
        m_id.FieldByName(QStringLiteral("InRetificacao")).setAsBoolean(retificacao);
        m_id.FieldByName(QStringLiteral("DaGeracao")).setAsString(dataGeracao);
        m_id.FieldByName(QStringLiteral("HoSenha")).setAsString(horaGeracao);
        m_idPendente = true;
        m_ultimoVolume = volume;
    }
    m_es.Append();
    m_es.FieldByName(QStringLiteral("NuDisquete")).setAsString(QString::number(volume));
    for (const char *c : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado",
                          "InInscrEstabelecimento", "NoRazaoEstabelecimento", "DaEncerramentoAtividade"})
        copia(m_es, e, c);
    m_esPendente = true;
}

void TProtocoloGravacao::FimDoVolume(int tipoUm, int tipoDois)
{
    AntesDoEstabelecimento();
    if (m_idPendente) {
        m_id.FieldByName(QStringLiteral("NuEstabelecimentos")).setAsString(QString::number(tipoUm));
        m_id.FieldByName(QStringLiteral("NuVinculos")).setAsString(QString::number(tipoDois));
        m_id.Post();
        m_idPendente = false;
    }
}

} // namespace gdvorn
