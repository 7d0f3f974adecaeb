#pragma once
// The import of a declaration file into the stored declarations, without widgets: the count test the
// wizard runs before the structure check, the list of the loaded file's establishments, and the copy of
// the chosen ones from the work tables te8emp/te8vinc into BD8EMP/BD8VINC by the rules of the file's year,
// with one te8imp row of statistics per chosen establishment.
//
// What the copy promises:
// - One transaction for the whole run, te8imp included: after a cancel confirmed with "Deseja
//   interromper?", an engine error or a killed program, BD8EMP, BD8VINC and te8imp are as before the run.
// - The chosen establishments are found by the key kept with their list line (year, inscription and
//   prefix as stored in te8emp); a key no longer there is skipped.
// - Each establishment written keeps in BD8EMP the counts of the links it now holds (a recount), while
//   te8imp keeps the count the file declared.
// - An inscription and prefix that exist with another linked CNPJ go under the first free prefix from
//   "G0" on ("1505"); when all 1,296 are taken the establishment is not imported ("1506").
// - The links of one establishment are walked in key order and then copied by two statements prepared
//   once for the run, bound by the stored-text rule; its counts are written on the run's bd8emp cursor.

#include "app/base/Database.h"
#include "app/ugListas.h"

#include <QList>
#include <QString>

namespace gdvorn {

class Progresso;

// The count test of a file about to be imported.
enum class ContagemArquivo {
    Aceita,      // not refused here (also: too short to be tested, no trailer found, a count that is not a number)
    Ilegivel,    // the file could not be opened or read
    GrandeDemais // the trailer declares more than LimiteVinculosImportacao links
};
inline constexpr int LimiteVinculosImportacao = 50000;

// Finds the trailer as the structure analyser does (the terminator kind of the first record, a Ctrl-Z
// tail after the trailer dropped) and, when the last record's position 23 is "9", reads its link count
// (positions 30-35). Files shorter than four records are not tested.
ContagemArquivo ConfereQuantidadeVinculos(const QString &arquivo);

// The year of an import option: "Anterior - Ano 2009" gives 2009, "Atual - Ano 2010" 2010.
int AnoDaOpcaoImportacao(const QString &opcao);

// Drops what an import leaves in the work folder: te8emp, te8vinc, te8imp and te8stru (te8resp stays).
void RemoveTabelasImportacao(const QString &conexao = kAlias);

// The marks of the loaded file's header (te8resp); false when the table or its row is not there.
struct CabecalhoImportado {
    bool Antecipacao = false;
    bool Retificacao = false;
};
CabecalhoImportado LeCabecalhoImportado(const QString &conexao = kAlias);

struct ParametrosImportacao {
    int AnoImportacao = 0;       // the variant's year: the base year or the one before
    bool LayoutAnterior = false; // the file was read with the previous year's layout: CNAE to be reviewed

    // The year given to every row written (the base year).
    QString AnoDestino() const;
    // The year the work rows of the file carry. The loader stores them under the year of the layout set
    // it read with, which is the variant's year; an advance declaration (taken only by the previous-year
    // variant) is no exception.
    QString AnoRegistros() const;
};

// One establishment of the loaded file as the choosing page lists it.
struct EstabelecimentoImportavel {
    ChaveEstabelecimento Chave; // as stored in te8emp
    QString Linha;
};

// The list line: inscription as displayed (18), two blanks, prefix (2), two blanks, name (30), two
// blanks, the link count as stored.
QString LinhaImportacao(const QString &inscricao, const QString &tipo, const QString &prefixo,
                        const QString &razao, const QString &vinculos);
// Whether columns 21-22 of a line, trimmed, are a two-character prefix.
bool PrefixoDaLinhaValido(const QString &linha);
// The establishments of the loaded file (te8emp rows of AnoRegistros), in the query's order.
QList<EstabelecimentoImportavel> EstabelecimentosImportaveis(const ParametrosImportacao &parametros);

// The prefix after `prefixo` in the cycle G0 … GZ, H0 … ZZ, 00 … 9Z, A0 … FZ, G0 (1,296 prefixes).
QString ProximoPrefixo(const QString &prefixo);
// The first prefix of the cycle, from "G0" itself, that BD8EMP does not hold for the year and
// inscription; empty when every one is taken.
QString ProximoPrefixoLivre(const QString &ano, const QString &inscricao);

enum class ResultadoImportacao { Concluida, Interrompida };

// Creates te8imp anew and copies the chosen establishments with their links, in one transaction. The
// progress goes from 0 to 100 by establishment when te8vinc holds at most ten links per listed line
// (`linhasNaLista`), else by copied link; a confirmed cancel rolls everything back and returns
// Interrompida. Engine errors are thrown after the rollback.
ResultadoImportacao ImportaEstabelecimentos(const QList<ChaveEstabelecimento> &escolhidos,
                                            const ParametrosImportacao &parametros, int linhasNaLista,
                                            Progresso &progresso);

} // namespace gdvorn
