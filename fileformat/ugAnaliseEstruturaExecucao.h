#pragma once
// The state of one run of the structure analyser, shared by the record loop (ugAnaliseEstrutura.cpp) and
// the record loaders (ugCargaDeclaracao.cpp). Not for other units.

#include "app/base/Statement.h"
#include "app/base/Table.h"
#include "fileformat/ugAnaliseEstrutura.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <memory>
#include <optional>

namespace gdvorn {

// One row of a finding: the record it describes (the last accepted one or the current one) and what it
// points at.
struct LinhaOcorrencia {
    bool anterior = false;
    QString tipoCampo;
    QString posicao;
    QString conteudo;
};

// The name of a code, looked up once per run in its code table (upper-cased when `maiusculas`).
class TextoCodigo {
public:
    TextoCodigo(Table *tabela, QString campo, bool maiusculas = false)
        : m_tabela(tabela), m_campo(std::move(campo)), m_maiusculas(maiusculas)
    {
    }
    // `codigo`: the code as the file holds it (code page 1252), blanks around it not counted.
    const QString &texto(QByteArrayView codigo);
    // The same name as a field of `largura` characters stores it, in UTF-8; valid until the next call.
    QByteArrayView gravado(QByteArrayView codigo, int largura);

private:
    Table *m_tabela;
    QString m_campo;
    bool m_maiusculas;
    QHash<QByteArray, QString> m_memoria;
    // the last code asked: the links of an establishment mostly repeat their codes
    QByteArray m_ultimoCodigo;
    QString m_ultimoTexto;
    bool m_temUltimo = false;
    QByteArray m_ultimoGravado; // m_ultimoTexto as stored at m_larguraGravado; -1: not made yet
    int m_larguraGravado = -1;
};

struct TAnaliseEstrutura::Execucao {
    Execucao(TAnaliseEstrutura &analisador, const QString &conexao, int anoBase, bool modoImportacao);
    ~Execucao();

    TAnaliseEstrutura &a;
    const QString conexao;
    const QString anoBase;     // the run's base year, 4 digits
    const bool modoImportacao;

    // the record under examination: `disponivel` bytes of the file from its start (at most one pitch)
    const unsigned char *registro = nullptr;
    int disponivel = 0;

    // the last accepted record
    QByteArray anterior;
    int seqAnterior = 0;
    char tipoAnterior = '4';

    double registrosLidos = 0;
    int pitch = TamanhoRegistroVorn;

    // the current establishment
    bool estabelecimentoCarregado = false;
    QString anoEstabelecimento;
    QString tipoInscricao;
    QString ceiVinculado;
    bool semEmpregados = false;
    int vinculosEstabelecimento = 0;
    int estrangeirosEstabelecimento = 0;
    int estabelecimentos = 0;
    int vinculos = 0;
    bool todosAntecipados = true;

    bool retificacao = false;
    bool interrompida = false;
    int codigoOcorrencia = 0;
    QList<QVector<QString>> linhas; // the rows of te8stru (field values in the table's order)

    // the work tables; the links go in through one prepared INSERT
    std::unique_ptr<Table> te8resp, te8emp;
    PreparedStatements insercoes;
    std::optional<Statement> insereVinculo;
    QVector<int> largurasVinc; // the widths of its parameters, in the order of ugCargaDeclaracao.cpp
    // the code tables (those of the main data module, or opened here on the run's connection)
    std::vector<std::unique_ptr<Table>> tabelasProprias;
    std::unique_ptr<TextoCodigo> cnae, natJur, nacionalidade, instrucao, raca, admissao, cbo, municipio, uf,
        salario, vinculo, desligamento;
    // per record type (0, 1, 2, 9): the positions that the loaders store
    std::array<std::array<bool, TamanhoRegistroVorn + 1>, 4> mascaras{};
    bool mascarasProntas = false;

    // Bytes of the record at 1-based position p (0 past what the file holds).
    unsigned char byte(int p) const { return p >= 1 && p <= disponivel ? registro[p - 1] : 0; }
    bool tudoDigitos(int inicio, int tamanho) const;
    int primeiroNaoDigito(int inicio, int tamanho) const; // 1-based position in the record; 0 when none
    bool asciiImprimivel(int inicio, int tamanho) const;
    int primeiroNaoImprimivel(int inicio, int tamanho) const; // 0 when none
    QString bytes(int inicio, int tamanho) const;             // as text, code page 1252
    QString inscricao() const { return bytes(7, 14); }
    QString prefixo() const { return bytes(21, 2); }
    char tipo() const { return char(byte(23)); }

    // Records a finding: the run ends with it.
    void ocorrencia(int codigo, const QList<LinhaOcorrencia> &linhas);
    // The rows of a finding about the order of records: previous and current record types.
    void ocorrenciaOrdem(int codigo);
    // 1909, 1914, 1915: the previous record with its type indicator, then the current one.
    void ocorrenciaIndicador(int codigo);
    // A byte as a finding shows it: itself when printable, else two hexadecimal digits + "(hexadecimal)".
    static QString mostra(unsigned char b);
    static bool imprimivel(unsigned char b);

    // The loaders; false after recording a finding.
    void abreTabelas();
    void fechaTabelas();
    bool carregaTipo0();
    bool carregaTipo1();
    bool carregaTipo2();
    bool carregaTipo9();
    // 1901: a byte outside 32..126 in the text zone [inicioZona, + tamanhoZona) of the type, or a control
    // byte in a field that is loaded.
    bool caracteresValidos(int tipo, int inicioZona, int tamanhoZona);
    void fechaEstabelecimento();
    QString campo(const TArquivo &descritor) const { return bytes(descritor.Inicio, descritor.Tamanho); } // as read
    // A slot's bytes (code page 1252), of a record that passed caracteresValidos.
    QByteArrayView vista(const TArquivo &descritor) const
    {
        return QByteArrayView(registro + descritor.Inicio - 1, descritor.Tamanho);
    }
    // Binds `bytes` (code page 1252) to parameter `posicao` of insereVinculo as a field of `largura` stores
    // them; ligaUtf8 binds text already stored so, without a copy.
    void ligaTexto(int posicao, QByteArrayView bytes, int largura);
    void ligaUtf8(int posicao, QByteArrayView utf8);
    QString campoZero(int slot) const { return campo(a.m_layout.TipoZero.Campos(slot)); }
    QString campoUm(int slot) const { return campo(a.m_layout.TipoUm.Campos(slot)); }
    QString campoDois(int slot) const { return campo(a.m_layout.TipoDois.Campos(slot)); }
    QString campoNove(int slot) const { return campo(a.m_layout.TipoNove.Campos(slot)); }
};

} // namespace gdvorn
