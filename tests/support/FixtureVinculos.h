#pragma once
// Fixtures of the tests of the link checks of the consistency analysis, beside those of the
// establishment checks (FixtureConsistencia): links that pass every link check, put into a FixtureTabelas
// (bd8vinc) with the code-table rows their codes need; a run of chosen check groups through the driver
// over them, with the rows it left in te8errwa and the occurrences it counted.

#include "FixtureConsistencia.h"

#include <QStringList>
#include <QVariantMap>

#include <initializer_list>

namespace gdvorn {
struct SequenciasConsistencia;
}

namespace gdvorn::test {

// The establishment of estabelecimentoValido (11222333000181/01 of 2010, legal nature 2062, no closure),
// with `mudancas` over its fields.
QVariantMap estabelecimentoDeTeste(const QVariantMap &mudancas = {});
// A link of that establishment with PIS `pis`: a Brazilian man born on 15/03/1980 without disability,
// race "2", education "07", work card 12345678 series 12345, CPF 123.456.789-09, link type 10,
// occupation 411010, 44 weekly hours, admission type 2, monthly salary 1000,00, admitted on 01/02/2005,
// not dismissed (cause "00", no notice pay), paid 1000,00 and working 10 hours in every month, no leave,
// work place "0000000"; `mudancas` over its fields. The code-table rows its
// codes need: insereTabelasDoVinculo.
QVariantMap vinculoDeTeste(const QString &pis, const QVariantMap &mudancas = {});

// The code-table rows the link's codes need: race "2", nationalities "10" and "21", education "07",
// "09" and "11", disability type "1", admission types "2" and "6", salary type "1", occupation "411010" (no
// flags), link types "10" and "55", dismissal causes "11", "32" and "71".
void insereTabelasDoVinculo(FixtureTabelas &tabelas);

using GrupoDeVerificacoes = void (*)(SequenciasConsistencia &);
// Runs the analysis of bd8emp/bd8vinc for 2010 with only `grupos`: the rows of achadosDaAnalise() and the
// occurrences counted after the last link's checks.
ResultadoVerificacoes analisaComGrupos(std::initializer_list<GrupoDeVerificacoes> grupos, bool origemArquivo = false);
// The rows of te8errwa in order as linhasOcorrencias gives them, each followed by the row's PIS
// ("errwar retorno tiporegistro lbl=Conteudo copispasep").
QStringList achadosDaAnalise();

} // namespace gdvorn::test
