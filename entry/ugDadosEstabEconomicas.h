#pragma once
// What the establishment form's economic, PAT and union tabs decide without their controls: the
// comparison of an establishment being saved with the other prefixes of its inscription, the question
// asked for a union entity missing from the employers' entities table, and the steps of a union value.

#include "app/ugValores.h"

#include <QList>
#include <QString>

namespace gdvorn {

// ---- other prefixes of the inscription ----

// The key of the establishment being saved and the values its other prefixes should share.
struct EstabelecimentoSalvo {
    QString Ano, Inscricao, Tipo, CeiVinculado, Prefixo; // Tipo: the inscription type at opening
    QString RazaoSocial, NaturezaJuridica, Cnae;
};

enum class DivergenciaPrefixo { RazaoSocial, NaturezaJuridica, Cnae };

// The divergences to warn about, in the order met: the rows stored for the same year, inscription, type
// and CEI vinculado under a prefix other than the one being saved are read in turn; each gives at most
// one divergence, the first of name, legal nature and CNAE (compared trimmed) that differs and has not
// been given yet. Empty when there is no other prefix or all of them agree.
QList<DivergenciaPrefixo> DivergenciasOutrosPrefixos(const EstabelecimentoSalvo &e);

// The warning of each divergence.
QString TextoDivergencia(DivergenciaPrefixo d);

// ---- union entities ----

enum class EntidadeEstab { Sindical, Associativa, Assistencial, Confederativa };

// The question asked when `cnpj` is not an employers' entity (CriticaCnpjEntidadeEstab).
QString PerguntaEntidade(EntidadeEstab tipo);

// True when `cnpj` may stand as the entity: it is in the employers' entities table, it is the owning
// body's CNPJ given as union-tax entity (Configuracao().CnpjOrgaoProprietario, when set), or the user
// answers Yes to the question (a Yes/No confirmation through the presenter).
bool ConfereEntidadeEstab(EntidadeEstab tipo, const QString &cnpj);

// ---- money ----

// A union value typed in its edit: a blank text counts as "0,00"; then the money steps at 9 digits
// (PassosValor: "0040", "0315") and CriticaValorEntidadeEstab of the cents. `Codigo` "0000" passes.
ValorDigitado CriticaValorSindical(const QString &texto);

} // namespace gdvorn
