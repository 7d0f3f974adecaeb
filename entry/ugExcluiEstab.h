#pragma once
// Deleting one establishment with all its employment links, and what the deletion window shows of it.
//
// The deletion is crash-safe: MarcaExclusao writes the marker "1" (InOpcaoAberta) and commits it on its
// own; ExcluiEstabelecimento then removes the BD8EMP row and every BD8VINC row of the same year,
// inscription and prefix in one transaction. A run that dies halfway leaves the establishment and all
// its links in place, still marked, so the next choice of it in a list shows the notice "0501"; a deletion
// that fails (a full disk) is rolled back and clears the marker.

#include "app/ugListas.h"

#include <QString>

namespace gdvorn {

class Progresso;

// The establishment as the deletion window shows it.
struct DadosExclusao {
    bool encontrado = false;    // the row exists; the fields filled from it are empty otherwise
    QString CeiVinculado;       // CEI form, empty for zeros or blank, other text as stored
    QString TotalEmpregados;    // link count without leading zeros, empty for zero or blank
    QString RazaoSocial;
    QString UsoEmpresa;
    QString TipoVorn;           // "VORN sem empregados" / "VORN com empregados"
    QString AnoBase;            // "Declaração Ano 2010" or "Declaração 2011"
    QString Inscricao;          // the digits the masked edit shows
    QString Mascara;            // the mask for them
    QString TipoInscricao;      // "CNPJ" or "CEI" (empty when neither fits)
};

DadosExclusao MostraEstabelecimento(const ChaveEstabelecimento &chave);

// Sets the marker "1" on the establishment's row and commits it; false when the row is not there.
bool MarcaExclusao(const ChaveEstabelecimento &chave);

// Deletes the establishment's row and its links in one transaction. The bar: 1 of 1 without links,
// otherwise it counts up to n + 1 of n + 1 (the row, then each link). Returns the links deleted.
int ExcluiEstabelecimento(const ChaveEstabelecimento &chave, Progresso &progresso);

} // namespace gdvorn
