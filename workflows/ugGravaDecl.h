#pragma once
// The logic of the recording and rectification wizards, without widgets: the establishments of a year
// as the check lists show them, the checks of the check-and-record page (answered as message codes),
// the rectification selection and its copy into the work tables.
//
// Rectification selection: one entry per establishment of the year, in key order; an entry that is
// chosen holds the keys of its chosen links in the order they were chosen, each link at most once (a
// link chosen again keeps its first place). The copy writes the responsible row, the chosen
// establishments and their chosen links into te8resp/te8emp/te8vinc in one transaction: all or nothing.

#include "app/ugListas.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

namespace gdvorn {

class TdmDadosResp;

// An establishment of the year as the wizards list it.
struct EstabelecimentoNaLista {
    ChaveEstabelecimento Chave;
    bool ComEmpregados = false; // InVornNegEstabelecimento "0"
    QString Linha;              // the check-list line
};

// Runs dmDadosResp->quEmpresas over the establishments of `ano` in key order and returns them. The query
// stays open on the rows read.
QList<EstabelecimentoNaLista> EstabelecimentosDoAno(TdmDadosResp &dm, const QString &ano);

// The check-list line of an establishment: inscription in display form (18 columns), two blanks, prefix,
// two blanks, company name (30 columns), two blanks, number of links.
QString LinhaEstabelecimentoGravacao(const QString &inscricao, const QString &tipo, const QString &prefixo,
                                     const QString &razao, const QString &vinculos);

// The generation date (8 digits DDMMYYYY): "0421" not a valid date, "0420" before 1 January of the year
// after `anoBase`, "0423" after 31 December of it, else "0000".
QString CriticaDataGravacao(const QString &data, int anoBase);
// The CREA of a rectification: required ("3739"), not zeros ("3734"), then the CREA rule ("0040", "3734").
QString CriticaCreaGravacao(const QString &crea);
// The generation time as six digits HHMMSS.
QString HoraGeracao(const QTime &hora);
// The summary's file name (without extension) for the last recording.
QString NomeResumo(const QString &nomeArquivoGerado);
// The question asked before a summary file `arquivo` is written over.
QString PerguntaSobrescreveResumo(const QString &arquivo);

// A chosen link: the eight link fields of its key, in the key's order after the establishment's three.
struct VinculoRetificacao {
    QString CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro, CoCgcVinculado,
        InInscrEstabelecimento, DaDesligamentoEmpregado, CoCbo;
    QStringList campos() const;
    bool operator==(const VinculoRetificacao &) const = default;
};

// A link of an establishment as the link check list shows it.
struct VinculoNaLista {
    VinculoRetificacao Vinculo;
    QString Linha;
};

struct EstabRetificacao {
    ChaveEstabelecimento Chave;
    bool ComEmpregados = false;
    bool Escolhido = false;
    QList<VinculoRetificacao> Vinculos; // in the order chosen
    // Chosen, with employees and no link chosen: the selection cannot go on like this.
    bool SemVinculoEscolhido() const { return Escolhido && ComEmpregados && Vinculos.isEmpty(); }
    bool TemVinculo(const VinculoRetificacao &v) const { return Vinculos.contains(v); }
};

class SelecaoRetificacao {
public:
    QList<EstabRetificacao> Estabelecimentos;
    int Atual = -1; // the establishment whose links are shown; -1 none

    // One entry per listed establishment, none chosen.
    void Inicia(const QList<EstabelecimentoNaLista> &listados);
    // Appends `v` to the chosen links of establishment `i` unless it is there already.
    void EscolheVinculo(int i, const VinculoRetificacao &v);
    void RetiraVinculo(int i, const VinculoRetificacao &v);
    // Establishment `i` no longer chosen, its links freed.
    void Libera(int i);
    // Every entry gone.
    void LiberaTudo();
    int QtdEscolhidos() const;
};

// The links of an establishment in key order, through dmDadosResp->quVinculos (left open).
QList<VinculoNaLista> VinculosDoEstabelecimento(TdmDadosResp &dm, const ChaveEstabelecimento &chave);

// Above this many links the link list warns that the screen may struggle.
inline constexpr int LimiteVinculosTela = 16000;

// Copies the responsible row, the chosen establishments and their chosen links into the work tables
// (emptied first) in one transaction. The responsible copy leaves DaRetificacao and DaGeracao blank, so
// that the rectification file carries the generation date typed for it in both header dates. "0000" done; "1925" an establishment or link no longer stored;
// "1926" a link twice in the work table. On a code other than "0000" nothing was written.
QString CopiaSelecaoRetificacao(TdmDadosResp &dm, const SelecaoRetificacao &selecao);

// Creates te8resp, te8emp and te8vinc with the structure and indexes of bd8resp, bd8emp and bd8vinc;
// false when one cannot be made.
bool CriaTabelasRetificacao();

} // namespace gdvorn
