#pragma once
// Text at the boundary of the declaration file and the records written into it.
//
// The file holds single bytes in Windows code page 1252. Inside the program text is QString; it is
// converted here, both ways, with a table of our own. The five bytes that the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control characters of the same number, so that every byte
// read can be written back unchanged.
//
// A record is built from its layout table (ugLayoutVorn.h): every table field goes through FormataCampo,
// the run state (sequence, current establishment, counts, dates, marks) comes from TContextoRegistro.

#include "app/base/Field.h"
#include "app/base/Schema.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace gdvorn {

// The character of a byte of code page 1252.
QChar CaractereCp1252(unsigned char byte);
// The byte of a character; -1 when code page 1252 cannot hold it.
int ByteCp1252(char32_t caractere);
// Whole texts. Characters the code page cannot hold become "?" (one per character, surrogate pairs
// included).
QByteArray CodificaCp1252(const QString &texto);
QString DecodificaCp1252(const QByteArray &bytes);

// A table value as the file holds it: left-aligned, blank-padded and cut to `tamanho` characters,
// the letters a-z upper-cased (accented letters stay as they are), a character that code page 1252
// cannot hold written as "?".
QString FormataCampo(const QString &texto, int tamanho);

// What a record takes besides its row.
struct TContextoRegistro {
    int Sequencial = 1;          // the record's number in its volume
    QString Inscricao;           // current establishment: inscription and prefix as stored
    QString Prefixo;
    // header
    bool Retificacao = false;
    QString DataRetificacao;     // positions 224-231 as written (8 characters)
    QString DataGeracao;         // positions 232-239 as written
    QString Crea;                // the Crea setting; blank: twelve zeros
    QString Versao;              // "2010.01.03"
    bool ModoParticao = false;
    // establishment
    int AnoBase = 2010;
    // trailer
    int TotalTipoUm = 0;
    int TotalTipoDois = 0;
    QString CodigoSO;
    bool TabelasTrabalho = false;
    QString Hash;                // empty: blanks
};

// Builds the records of one type from the rows of one table layout: the field names are looked up once
// (any case), then each record is laid out by position. The header and the trailer take the row of the
// responsible table, the establishment record a row of the establishment table, the link record a row
// of the link table.
class TMontadorRegistro {
public:
    // `campos`: the fields of the rows, in the order the row exposes them. std::invalid_argument when a
    // field of the layout is missing.
    TMontadorRegistro(int tipo, const QStringList &campos);

    int Tipo() const { return m_tipo; }
    // The 550 characters of the record.
    QString Monta(const RecordSource &linha, const TContextoRegistro &contexto) const;
    // The same as the 550 bytes of the file, into `destino`.
    void MontaBytes(const RecordSource &linha, const TContextoRegistro &contexto, char *destino) const;
    // The same from the engine's text of the row's fields: `campos[k]` is the UTF-8 text of field k
    // (fields of text type only).
    void MontaBytes(const QByteArrayView *campos, const TContextoRegistro &contexto, char *destino) const;

private:
    int m_tipo;
    QList<int> m_indices; // per layout item: the row's field, -1 for items without field
};

// The fields of `tabela` that records of `tipo` read, in the table's order, with `chave` (fields the
// caller needs besides) among them: a narrower declaration for a table walked only to write records.
QList<FieldDef> CamposDoRegistro(int tipo, const TableDef &tabela, const QStringList &chave = {});

// The record of the current row of a table (the layout is looked up on each call).
class Table;
QString RegistroTipoZero(Table &responsavel, const TContextoRegistro &contexto);
QString RegistroTipoUm(Table &estabelecimento, const TContextoRegistro &contexto);
QString RegistroTipoDois(Table &vinculo, const TContextoRegistro &contexto);
QString RegistroTipoNove(Table &responsavel, const TContextoRegistro &contexto);

} // namespace gdvorn
