#pragma once
// What the field rules and the consistency analysis know of the program around them: the base year of
// the declaration and the code tables of the code-table module. Rules read both from here and from
// nowhere else, so that no rule reaches into a form or into the settings record.
//
// The base year is the settings record's; without a module set here, the program-wide dmGDVorn gives
// the code tables.

namespace gdvorn {

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
};

// The one context of the program.
ContextoRegras &contextoRegras();

} // namespace gdvorn
