#pragma once
// The consistency analysis of a whole declaration: the record of the person responsible (on request),
// every chosen establishment and every employment link of each, each record through its fixed sequence
// of numbered checks (R1-R20, E1-E41, V1-V87), every failure recorded in te8errwa (ugOcorrencias). It
// drives a progress interface, lets the user interrupt it, stops after a limit of counted occurrences
// and returns the result flags. It walks either the permanent tables (bd8resp, bd8emp, bd8vinc) or the
// work tables of a loaded or rectified declaration (te8resp, te8emp, te8vinc), with cursors, inside one
// transaction.
//
// The checks come in groups (ugVerificacoes.h); each group adds its checks to SequenciasConsistencia
// under their numbers, and the run executes them in number order. A check is a function of the run
// state below: it reads the current rows by field name (each name's position looked up once per run,
// CamposDaTabela), calls field rules and records its findings with RegistraErro / RegistraAviso (or
// Ocorrencias.RegistraOcorrencia and ContaOcorrencia for the findings that count otherwise).

#include "app/base/Table.h"
#include "app/ugListas.h"
#include "rules/ugOcorrencias.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace gdvorn {

class Progresso;

// The result flags.
namespace Consistencia {
inline constexpr quint8 HaAvisos = 1;            // at least one "war" row
inline constexpr quint8 HaErros = 2;             // at least one "err" row
inline constexpr quint8 AnaliseInterrompida = 4; // the user confirmed an interruption; returned alone
} // namespace Consistencia

// The fields of a table's current row read by name, the name looked up in the table's fields only the
// first time it is read: a run reads some hundred fields of every link, hundreds of times each over a
// large declaration. A name is kept by its address (the checks name their fields with literals) and
// confirmed by its text at its first read on each record, so a name built on the fly is read right too,
// as long as its address names no other field until the next record. The positions hold for as long as
// the table keeps its fields: one run.
class CamposDaTabela {
public:
    explicit CamposDaTabela(Table &tabela) : m_tabela(tabela) {}
    CamposDaTabela(const CamposDaTabela &) = delete;
    CamposDaTabela &operator=(const CamposDaTabela &) = delete;

    // The field as stored (DatabaseError for a name the table does not have), and trimmed. Gravado hands
    // back the text the reader keeps for the record: the reference holds until the driver's next
    // NovoRegistro (before the first one, until the same name is read again).
    const QString &Gravado(const char *nome)
    {
        // Read already on this record: found without leaving the caller.
        const size_t i = posicao(nome);
        const Posicao &p = m_posicoes[i];
        if (p.endereco == nome && p.registro == m_registro && m_registro != 0)
            return p.valor;
        return le(i, nome);
    }
    QString Aparado(const char *nome);

    // The run's driver says so each time the table stands on another record; until its next call each
    // field is read from the table once, however many checks read it. The checks never move the tables
    // of the walk (the walk itself would break), so the record cannot change in between. Before the
    // first call every read goes to the table.
    void NovoRegistro() { ++m_registro; }
    // The record the reads stand on, as counted by NovoRegistro (0 before its first call).
    quint64 Registro() const { return m_registro; }

private:
    struct Posicao {
        const char *endereco = nullptr;
        QByteArray nome;
        int indice = -1;
        FieldType tipo = FieldType::Text;
        quint64 registro = 0; // the record whose value `valor` holds
        QString valor;
    };
    static constexpr size_t kPosicoes = 1024;
    // The name's slot: Fibonacci hashing of the address (the literals lie close together, the slots
    // should not), then the next slots until the address or a free slot.
    size_t posicao(const char *nome) const
    {
        size_t i = size_t((quint64(reinterpret_cast<quintptr>(nome)) * 0x9E3779B97F4A7C15ULL) >> 54);
        for (size_t n = 0; n < kPosicoes && m_posicoes[i].endereco && m_posicoes[i].endereco != nome; ++n)
            i = (i + 1) % kPosicoes;
        return i;
    }
    // The field into its slot `i` (posicao(nome)).
    const QString &le(size_t i, const char *nome);

    Table &m_tabela;
    quint64 m_registro = 0;
    QByteArray m_bytes; // where the table puts a field's text that the row does not hold as such
    std::array<Posicao, kPosicoes> m_posicoes;
};

// The state of one run, as the checks see it.
class AnaliseConsistencia {
public:
    // Counted occurrences above this number stop the run.
    static constexpr int LimiteOcorrencias = 250;

    AnaliseConsistencia(bool tabelasTrabalho, bool origemArquivo, const QString &connection = kAlias);

    // Start of a run: the findings table dropped, the tables opened, each on its first row. End of a run:
    // the findings written, the tables closed.
    void Inicia();
    void Encerra();

    // The tables of the run: te8resp/te8emp/te8vinc with the work tables, else bd8resp/bd8emp/bd8vinc;
    // and the states (tbuf) in the order of SgUf. The current rows are the record being checked.
    Table Responsavel;
    Table Estabelecimentos;
    Table Vinculos;
    Table Uf;
    // Their fields by name, for the checks of every establishment and link.
    CamposDaTabela CamposEstabelecimento{Estabelecimentos};
    CamposDaTabela CamposVinculo{Vinculos};

    // The findings of the run.
    RegistroOcorrencias Ocorrencias;

    const bool TabelasTrabalho;
    const bool OrigemArquivo; // a declaration loaded from a file: the file variants of the rules apply

    // What the link cross checks compare, for each PIS/PASEP that more than one link of the run's table
    // declares (every other link is alone with its PIS and passes both): the groups of links that agree in
    // the seven fields of the duplicate check, more than one link each, by their other six fields
    // (CoCgcCeiEstabelecimento, InInscrEstabelecimento, CoCgcVinculado, DaAdmissaoEmpregado,
    // DaDesligamentoEmpregado, CoCbo); and each distinct (NoEmpregado, DaNascimentoEmpregado,
    // CoCpfEmpregado), in the order of the table. Read from the whole table at the first link check of the
    // run that needs them.
    struct PisRepetido {
        QList<QStringList> VinculosRepetidos;
        QList<QStringList> Pessoas;
    };
    bool PisRepetidosLidos = false;
    QHash<QString, PisRepetido> PisRepetidos;
    // Each PIS/PASEP of PisRepetidos sets one bit of a hash of its text: most links, alone with their PIS,
    // are told so by their clear bit without a look-up in PisRepetidos.
    std::vector<quint64> FiltroPis;

    // The current establishment: its base year (the first four characters of AnBase, the first key of the
    // link lookup) and the foreign employees counted among its links (0 before its links).
    QString AnBaseEstabelecimento;
    int QtdEstrangeiros = 0;

    // The current link: its reference year (the base year, or the next one for an establishment closed
    // after the base year) and its PIS/PASEP and admission date as read when its checks began.
    int AnoReferencia = 0;
    // The reference year and the base year as text, made again only when the year changes.
    const QString &TextoAnoReferencia();
    const QString &TextoAnoBase();
    QString PisVinculo;
    QString AdmissaoVinculo;

    // One month of the current link as numbers: its pay in cents and its hours, each read with the
    // blanks around it dropped (0 when what is left is not all digits), and the pay as stored.
    struct NumerosDoMes {
        qint64 centavos = 0;
        bool valorDigitos = false;      // the pay, blanks dropped, is all digits
        bool valorNoveDigitos = false;  // ... and fills its field of nine
        qint64 centavosGravados = 0;    // the pay as stored, blanks not dropped: 0 when it has any
        qint64 horas = 0;
        bool horasDigitos = false;      // the hours, blanks dropped, are all digits
    };
    // The twelve months of the current link, January first, read from its fields once per record (each
    // NovoRegistro of CamposVinculo; before the first one, at every call) for the pay and hours checks.
    const std::array<NumerosDoMes, 12> &NumerosDosMeses();

    // Counted occurrences; the limit notice is shown at the first one above the limit.
    int QtdOcorrencias = 0;
    void ContaOcorrencia();
    bool LimiteExcedido() const { return QtdOcorrencias > LimiteOcorrencias; }

    // The rows of one finding on the current record: an error counts one occurrence, a warning none.
    void RegistraErro(int tipoRegistro, const QString &codigo, const QList<CampoOcorrencia> &campos);
    void RegistraAviso(int tipoRegistro, const QString &codigo, const QList<CampoOcorrencia> &campos);

    // The code of a rule that searches the code tables (CriticaCbo, CriticaRaca ...), for the values of
    // the current record. The code tables are read-only and the run writes only its findings, so within
    // one run a rule gives each value the same code: a value is searched at its first record only, and
    // the rule's table is left where that search put it.
    using RegraDeTabela = QString (*)(const QString &);
    using RegraDeTabela2 = QString (*)(const QString &, const QString &);
    QString CodigoDeTabela(RegraDeTabela regra, const QString &valor);
    QString CodigoDeTabela(RegraDeTabela2 regra, const QString &valor1, const QString &valor2);

private:
    bool m_avisoLimiteMostrado = false;
    struct AnoEmTexto {
        int ano = -1;
        QString texto;
        const QString &de(int valor);
    };
    AnoEmTexto m_anoReferencia;
    AnoEmTexto m_anoBase;
    std::array<NumerosDoMes, 12> m_numerosDosMeses{};
    quint64 m_registroDosMeses = 0; // the record of CamposVinculo they were read from
    // The codes given so far, by rule and value (two values joined by a unit separator).
    QHash<QPair<quintptr, QString>, QString> m_codigosDeTabela;
    // Each rule's last values and code: consecutive links mostly repeat them, and are answered without
    // the hash.
    struct UltimoCodigo {
        quintptr regra = 0;
        QString valor1, valor2, codigo;
    };
    std::array<UltimoCodigo, 16> m_ultimosCodigos;
    UltimoCodigo *ultimoCodigo(quintptr regra);
};

// The text of the occurrence-limit notice.
QString AvisoLimiteOcorrencias();

// A check, and the three sequences of a run by check number.
using Verificacao = std::function<void(AnaliseConsistencia &)>;
struct SequenciasConsistencia {
    QMap<int, Verificacao> Responsavel;     // R1-R20, run without the limit test
    QMap<int, Verificacao> Estabelecimento; // E1-E41, each after the limit test
    QMap<int, Verificacao> Vinculo;         // V1-V87, each after the limit test
};

// Every check group of the program (ugVerificacoes.h).
SequenciasConsistencia SequenciasPadrao();

// Runs the analysis and returns the result flags (Consistencia).
//  BarraProgresso      the progress of the run, range 0-100 (nullptr: none shown); its cancel request,
//                      confirmed with "Deseja interromper?", interrupts the run
//  Diretorio           the data folder of the open connection (empty: that folder)
//  TabelasTrabalho     analyse te8resp/te8emp/te8vinc instead of bd8resp/bd8emp/bd8vinc
//  Selecao             the keys of the establishments to analyse; nullptr: every one that passes the filter
//  AnoBaseFiltro       not empty: only establishments of that AnBase
//  CriticaResponsavel  check the responsible record first
//  Reservado           no effect
//  OrigemArquivo       the declaration was loaded from a file
//  sequencias          the checks to run (nullptr: SequenciasPadrao())
quint8 AnalisaDeclaracao(Progresso *BarraProgresso, const QString &Diretorio, bool TabelasTrabalho,
                         const QList<ChaveEstabelecimento> *Selecao, const QString &AnoBaseFiltro,
                         bool CriticaResponsavel, bool Reservado, bool OrigemArquivo,
                         const SequenciasConsistencia *sequencias = nullptr);

// Asks the running analysis to stop: it asks for confirmation at its next interrupt point. Nothing when
// no analysis runs.
void InterrompeAnalise();

} // namespace gdvorn
