#pragma once
// The record layout of the declaration file: records of 550 characters (552 bytes with CR LF) of the
// types 0 (header and responsible person), 1 (establishment), 2 (employment link) and 9 (trailer).
//
// One table per record type lists every stretch of positions 1-550 in order, the stretches without a
// descriptor included, with what the writer puts there. The same tables fill the run-time descriptors
// that the structure analyser checks a file against (slot k of a descriptor is field k of its type), so
// reader and writer cannot drift apart.
//
// The two layout sets, current base year and previous base year, are the same tables; they differ only
// in the caption of slot 23 of type 1 (positions 295-298), which is the set's base year ("2010" or
// "2009"): the loader compares it with the base year to know that it reads a previous-year file.

#include <QList>
#include <QString>

#include <array>

namespace gdvorn {

inline constexpr int TamanhoRegistroVorn = 550;   // characters of a record
inline constexpr int TamanhoLinhaVorn = 552;      // bytes of a written record: the record and CR LF

// One field descriptor: caption, 1-based start and width. A new one is empty: "", 0, 0.
class TArquivo {
public:
    QString Descricao;
    int Inicio = 0;
    int Tamanho = 0;
};

// The descriptors of one record type: `Quantidade` slots, numbered from 1. Slots that a layout set does
// not fill keep the empty descriptor.
template <int N>
class TArquivoVornTipo {
public:
    static constexpr int Quantidade = N;
    // Slot k, 1 <= k <= Quantidade (std::out_of_range otherwise).
    TArquivo &Campos(int k) { return m_campos.at(std::size_t(k - 1)); }
    const TArquivo &Campos(int k) const { return m_campos.at(std::size_t(k - 1)); }

private:
    std::array<TArquivo, N> m_campos{};
};

class TArquivoVornTipoZero : public TArquivoVornTipo<26> {};  // header: every slot used
class TArquivoVornTipoUm : public TArquivoVornTipo<52> {};    // establishment: slots 25 and 26 stay empty
class TArquivoVornTipoDois : public TArquivoVornTipo<87> {};  // link: every slot used
class TArquivoVornTipoNove : public TArquivoVornTipo<10> {};  // trailer: slot 7 stays empty

// What the writer puts into a stretch of a record.
enum class OrigemCampo {
    Campo,        // the table field named `Valor`, through FormataCampo; `Padrao` when it is blank
    Constante,    // the text `Valor`
    Brancos,      // blanks
    Sequencial,   // the record's sequence number in its volume, 6 digits
    Inscricao,    // inscription of the current establishment (its CoCgcCeiEstabelecimento)
    Prefixo,      // its NuPrefixoEstabelecimento
    // header
    IndicadorRetificacao, // "1" in a rectification file, "2" otherwise
    DataRetificacao,      // worked out by the writer
    DataGeracao,          // worked out by the writer
    Crea,                 // the Crea setting, "000000000000" when blank
    MarcaVersao,          // "V" + characters 6-7 and 9-10 of the version
    MarcaModo,            // " P" in partition mode, "A " otherwise
    // establishment
    VinculadoInicio,      // characters 1-2 of CoCgcVinculado
    VinculadoFim,         // characters 3-14 of CoCgcVinculado
    AnoBase,              // the base year setting, 4 digits
    IndicadorEncerramento, // "1" when InEncerramentoAtividade is "1", else "2"
    // trailer
    TotalTipoUm,          // type-1 records of the volume, 6 digits
    TotalTipoDois,        // type-2 records of the volume, 6 digits
    Estatistica,          // CodigoSO and "1" (permanent tables) or "2" (work tables)
    Hash,                 // the control hash: blanks until the volume is sealed
};

struct ItemLayout {
    int Slot;             // descriptor slot; 0: a stretch without descriptor
    QString Descricao;    // caption (type 1 slot 23: filled with the set's base year)
    int Inicio;
    int Tamanho;
    OrigemCampo Origem;
    QString Valor;        // field name or constant text
    QString Padrao;       // written in place of a blank field
};

// The layout of record type 0, 1, 2 or 9: its stretches in position order, tiling 1-550.
// std::invalid_argument for another type.
const QList<ItemLayout> &LayoutRegistro(int tipo);

// The number of the descriptor slots of a type (26, 52, 87, 10).
int QuantidadeCampos(int tipo);

// The four descriptors of the analyser, filled from one layout set.
struct TDescritoresVorn {
    TArquivoVornTipoZero TipoZero;
    TArquivoVornTipoUm TipoUm;
    TArquivoVornTipoDois TipoDois;
    TArquivoVornTipoNove TipoNove;
};

// Fill the descriptors with the current set (base year caption "2010") or the previous one ("2009").
void PreencheLayoutAtual(TArquivoVornTipoZero &zero, TArquivoVornTipoUm &um, TArquivoVornTipoDois &dois,
                         TArquivoVornTipoNove &nove);
void PreencheLayoutAnterior(TArquivoVornTipoZero &zero, TArquivoVornTipoUm &um, TArquivoVornTipoDois &dois,
                            TArquivoVornTipoNove &nove);
void PreencheLayoutAtual(TDescritoresVorn &d);
void PreencheLayoutAnterior(TDescritoresVorn &d);

} // namespace gdvorn
