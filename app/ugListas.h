#pragma once
// Selection lists of the wizards that work on several establishments or links: the fixed-column lines
// that the combo boxes and check lists hold, the reading of an establishment's key back from its line,
// the rows behind the lists (through the shared query dmGDVorn->quBd8Emp, closed again once the rows are
// read), and the notice of an operation that did not finish on an establishment. The widgets are filled in ufmListas.
//
// Line layouts (columns from 1):
//   establishment           1-18 inscription in display form, 21-22 prefix, 25 on company name
//   link, ordered by PIS     1-14 PIS/PASEP in display form, 17-26 admission DD/MM/YYYY, 29 on name
//   link, ordered by name    1-52 name, 55-68 PIS/PASEP in display form, 71-80 admission DD/MM/YYYY
// The columns between the parts are blanks. Marked lines are collected as their first 65 characters.

#include <QString>
#include <QStringList>

namespace gdvorn {

// The key of an establishment: base year, inscription as stored (14 characters), prefix.
struct ChaveEstabelecimento {
    QString AnBase;
    QString Inscricao;
    QString Prefixo;
    bool operator==(const ChaveEstabelecimento &) const = default;
};

// Characters of a marked line that ItensMarcados keeps.
inline constexpr int LarguraItemMarcado = 65;

// The lines.
QString LinhaEstabelecimento(const QString &inscricao, const QString &tipo, const QString &prefixo,
                             const QString &razao);
// `ordem` "0": ordered by PIS/PASEP; anything else: ordered by name.
QString LinhaVinculo(const QString &pis, const QString &admissao, const QString &nome, const QString &ordem);

// An establishment line read back: columns 1-18 without ".", "/" and "-", trimmed, with "00" in front
// when shorter than 14 characters (a CEI); columns 21-22 trimmed.
QString InscricaoDaLinha(const QString &linha);
QString PrefixoDaLinha(const QString &linha);
ChaveEstabelecimento ChaveDaLinha(const QString &ano, const QString &linha);

// The lines of the rows of `ano`, as the fillers add them. `opcao` "N": only declarations with
// employees. `ordem` "0": by inscription and prefix, else by company name; for links "0" by PIS/PASEP,
// else by name.
// `chaves`, when given, receives each line's key as stored (year, inscription, prefix), in line order.
QStringList LinhasEstabelecimentosCombo(const QString &ano, const QString &opcao,
                                        QList<ChaveEstabelecimento> *chaves = nullptr);
QStringList LinhasEstabelecimentosLista(const QString &ano, const QString &opcao, const QString &ordem);
QStringList LinhasEmpregados(const QString &ano, const QString &inscricao, const QString &ordem,
                             const QString &prefixo);

// The notice of an operation marker (InOpcaoAberta): "0" -> "0500", "1" -> "0501", "3" -> "0502",
// "4" -> "0503", "5" -> "0504"; empty for any other value.
QString AvisoOperacaoAberta(const QString &marca);

// Finds the establishment in dmEntradaDados->ta8Empresa (opened when closed, left on the row found);
// when it carries a marker, shows the marker's notice about it (MostraMensagemEstab) and clears the
// marker. Nothing when it is not found or carries no marker.
void AvisaOperacaoAberta(const QString &ano, const QString &inscricao, const QString &prefixo);

} // namespace gdvorn
