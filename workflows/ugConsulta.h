#pragma once
// The file browser and the print wizard without their windows: what the establishment and employee views
// show for a row and the declaration report's statement (the employee list is TModeloEmpregados).

#include "app/base/Query.h"
#include "app/base/Table.h"

#include <QMap>
#include <QStringList>

#include <functional>

namespace gdvorn {

class TdmGDVorn;

// A row: the stored text of a field by name.
using LinhaConsulta = std::function<QString(const QString &campo)>;
// What each control of a view shows: its object name and its text ("1"/"0" for a Sim/Não pair).
using TextosConsulta = QMap<QString, QString>;

// The one code-to-description rule: `tabela` searched by its key with `busca`; found: `mostrado`,
// `separador` and the description field `descricao`; not found: `mostrado` alone.
QString CodigoDescrito(Table &tabela, const QString &busca, const QString &mostrado, const QString &descricao,
                       const QString &separador = QStringLiteral(" - "));

// The display forms of stored values.
QString Data8(const QString &s);      // DDMMYYYY as DD/MM/YYYY, whatever the value
QString Data4(const QString &s);      // DDMM as DD/MM; empty when blank or all zeros
QString Dinheiro9(const QString &s);  // nine-digit cents, a blank taken as zero
QString Dinheiro8(const QString &s);  // eight-digit cents, a blank taken as zero
QString Cnpj(const QString &s);       // a CNPJ; empty when blank or all zeros
QString Telefone(const QString &ddd, const QString &numero);

// The establishment view of the row (a row of BD8EMP's layout) of base year `anoBase`.
TextosConsulta MostraEstabelecimento(const LinhaConsulta &linha, TdmGDVorn &dm, int anoBase);
// The employee view of the row (a row of BD8VINC's layout).
TextosConsulta MostraEmpregado(const LinhaConsulta &linha, TdmGDVorn &dm);

// The summary page of the responsible row (a row of BD8RESP's layout; Booleans read "True"/"False"). The
// masked controls (md...) get the stored digits, the check box ckRetificacao "1"/"0".
TextosConsulta MostraResponsavel(const LinhaConsulta &linha);

// The declaration statement of the print wizard over the three tables named: the ticked establishments
// (keys AnBase, inscription, prefix) with all their links ("Total", `vinculos` empty) or only the ticked
// links (11-field keys, "Parcial"). `ordem` 0, 1, 2: by PIS/PASEP, name, company use. The keys go into
// temporary tables of the connection `conexao` (that of `q`) that the statement joins; every value is bound.
// The statement is set, not run: the report that walks `q` opens it.
void MontaConsultaRelatorio(Query &q, const QString &tabelaResponsavel, const QString &tabelaEmpresa,
                            const QString &tabelaVinculo, const QString &anoBase, int ordem,
                            const QList<QStringList> &estabelecimentos, const QList<QStringList> &vinculos,
                            bool parcial, const QString &conexao = kAlias);

// A line of the print wizard's selection lists: its text and the key it stands for.
struct ItemRelatorio {
    QString Texto;
    QStringList Chave;
};

// The establishments of `ano` in `tabelaEmpresa`, by inscription and prefix. The text: the inscription
// in display form padded to 18, four blanks, the prefix (columns 23-24), four blanks, the company name;
// the key: year, inscription and prefix as stored.
QList<ItemRelatorio> EstabelecimentosRelatorio(const QString &tabelaEmpresa, const QString &ano);

// The text of a link line in the order `ordem` (0 PIS/PASEP, 1 name, 2 company use):
//   0: PIS/PASEP 1-14, admission 17-26, name (padded and cut to 30) 29-58, company use
//   1: name (padded and cut to 30) 1-30, PIS/PASEP 33-46, admission 49-58, company use
//   2: company use (padded and cut to 13) 1-13, PIS/PASEP 16-29, admission 32-41, name
QString ItemEmpregadoRelatorio(const QString &pis, const QString &admissao, const QString &nome, const QString &uso,
                               int ordem);

// The links of the establishment `estabelecimento` (year, inscription, prefix) in `tabelaVinculo`, in
// the order `ordem`, each with its 11-field key: at most `limite` lines; `demais` tells whether the
// establishment has more links than that.
QList<ItemRelatorio> EmpregadosRelatorio(const QString &tabelaVinculo, const QStringList &estabelecimento, int ordem,
                                         int limite, bool &demais);

} // namespace gdvorn
