#pragma once
// The data module of declaration entry: the shared cursors on the establishment table (BD8EMP) and the
// employment-link table (BD8VINC), the queries of the entry forms and the counters of the link form's
// warnings. One instance lives for the whole run, reached through dmEntradaDados.

#include "app/base/Query.h"
#include "app/base/Table.h"

namespace gdvorn {

class TdmEntradaDados {
public:
    explicit TdmEntradaDados(const QString &connection = kAlias);
    ~TdmEntradaDados();
    TdmEntradaDados(const TdmEntradaDados &) = delete;
    TdmEntradaDados &operator=(const TdmEntradaDados &) = delete;

    // Creation: both warning counters start at 1. Tables and queries open on demand by their users.
    void dmEntradaDadosCreate();

    Table ta8Empresa;      // bd8emp, all 56 fields: the establishment that the entry forms edit
    Table ta8Empreg;       // bd8vinc, all 100 fields: the link that the link form edits
    Query quConVinculo;    // the employee list: base text, the list adds its conditions
    Query quContaEmpreg;   // links of one establishment of one year (sAnoBase, sInscricao, sPrefixo)
    Query quContaEstrang;  // the same, counting foreign workers only
    Query quBuscaEmpreg;   // no text of its own: the link form writes it
    Query quValidaEstab;   // no text of its own: the new-declaration dialog writes it

    // How often the link form has shown each of its two link-type warnings in this run.
    int ContaAvisoCnae = 1;
    int ContaAvisoNatJu = 1;

    // The base text of quConVinculo, for the employee list to add its conditions to.
    static QStringList textoConVinculo();
};

// The program-wide instance (created at start-up after the main window, freed when it closes).
extern TdmEntradaDados *dmEntradaDados;

// Display text of an occupation code (CBO column of the employee list): "000000" shows empty, a
// six-character code as "NNNN-NN", anything else unchanged.
QString quConVinculoCoCboGetText(const QString &codigo);

} // namespace gdvorn
