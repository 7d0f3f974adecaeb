#pragma once
// Small routines shared by the checks of the consistency analysis: fields of the current rows, the type
// texts of the findings, the state code of the run's states table.

#include "rules/ugConsistencia.h"
#include "rules/ugRegras.h"

#include <QString>

namespace gdvorn {

// A field of the current row as stored, and trimmed.
QString CampoGravado(Table &tabela, const char *nome);
QString CampoAparado(Table &tabela, const char *nome);

// The fields of a link's pay in each month, January first.
inline constexpr const char *kValorMes[12] = {
    "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado",    "VaAbrilEmpregado",
    "VaMaioEmpregado",    "VaJunhoEmpregado",     "VaJulhoEmpregado",    "VaAgostoEmpregado",
    "VaSetembroEmpregado", "VaOutubroEmpregado",  "VaNovembroEmpregado", "VaDezembroEmpregado"};

// The fields of the hours worked in each month of a link, January first.
inline constexpr const char *kHorasMes[12] = {
    "HoTrabalhadasJaneiro", "HoTrabalhadasFevereiro", "HoTrabalhadasMarco",    "HoTrabalhadasAbril",
    "HoTrabalhadasMaio",    "HoTrabalhadasJunho",     "HoTrabalhadasJulho",    "HoTrabalhadasAgosto",
    "HoTrabalhadasSetembro", "HoTrabalhadasOutubro",  "HoTrabalhadasNovembro", "HoTrabalhadasDezembro"};

// A rule's code accepts the value.
// The rules hand back CodigoValido itself when they pass: its text is known without a comparison.
inline bool Passa(const QString &codigo)
{
    return codigo.constData() == CodigoValido.constData() || codigo == QLatin1String("0000");
}
// One of `aceitos` (the classes a check accepts from an inscription classifier).
bool CodigoEntre(const QString &codigo, std::initializer_list<const char *> aceitos);

// The inscription type as the findings show it: "1 (CNPJ)", "3 (CEI)", and for the responsible person
// (`responsavel`) "4 (CPF)"; otherwise as stored.
QString TextoTipoInscricao(const QString &tipo, bool responsavel);
// The type beside a linked CNPJ or CEI: "1 (CGC)", "3 (CEI)", otherwise as stored.
QString TextoTipoVinculado(const QString &tipo);

// The state code of an abbreviation, from the run's states table (in SgUf order); empty when the
// abbreviation is not there, so that nothing is judged against a state that was not found.
QString CodigoUfDaSiglaNaExecucao(AnaliseConsistencia &a, const QString &sigla);

} // namespace gdvorn
