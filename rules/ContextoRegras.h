#pragma once
// What the field rules and the consistency analysis know of the program around them: the base year of
// the declaration and the code tables of the code-table module. Rules read both from here and from
// nowhere else, so that no rule reaches into a form or into the settings record.
//
// The base year is the settings record's; without a module set here, the program-wide dmGDVorn gives
// the code tables.

#include <QHash>

struct sqlite3;

namespace gdvorn {

class Table;
class TdmGDVorn;

class ContextoRegras {
public:
    // The base year of the declaration (the settings record's AnoBase).
    int AnoBase() const;

    // The module whose open code tables the rules search (taMunicipio, taUF, taCBO ..., qryUfCep).
    // nullptr: the program-wide dmGDVorn.
    TdmGDVorn *ModuloTabelas = nullptr;

    // The code-table module in use; DatabaseError when there is none.
    TdmGDVorn &Tabelas() const;

    // Whether `tabela` (an open table of the module) has rows: learnt once per opening of its connection
    // and again after a write to the table, so a rule may ask it for every record.
    bool TemLinhas(Table &tabela) const;

private:
    struct Contagem {
        sqlite3 *conexao = nullptr;
        quint64 versao = 0;
        quint64 mudancas = 0; // dataChanges() when the answer was last confirmed
        bool temLinhas = false;
    };
    mutable QHash<const Table *, Contagem> m_contagens;
};

// The one context of the program.
ContextoRegras &contextoRegras();

} // namespace gdvorn
