#pragma once
// The report definitions: one function per report, registered into the projects of the report module
// by RegistraRelatorios at start-up. Each walks its datasets with cursors and builds its pages with a
// MontadorRelatorio.
//
//   RvProtocolo  "rptProtocolo", "rptEtiqueta"                             (urProtocolo)
//   RvProject2   "RelatorioCompleto", "RelatorioResumido", "Cartela",
//                "Transmissao"                                             (urDeclaracao)
//   rvprjErro    "rptErros", "rptErrosEstrutura", "rptImportacao"          (urErros)

#include "app/udmRaveRelatorios.h"

namespace gdvorn {

void RegistraRelatorios(TdmRaveRelatorios &modulo);

// The reports, for the registration and the tests.
void rptProtocolo(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void rptEtiqueta(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void RelatorioCompleto(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void RelatorioResumido(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void Cartela(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void Transmissao(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void rptErros(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void rptErrosEstrutura(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);
void rptImportacao(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d);

// The printed text of a stored field of an establishment, link or responsible row, by the field's name:
// `tipo` is the row's own inscription type, `encerramento` its establishment's closure date.
QString TextoCampo(const QString &campo, const QString &valor, const QString &tipo, int anoBase,
                   const QString &encerramento);

} // namespace gdvorn
