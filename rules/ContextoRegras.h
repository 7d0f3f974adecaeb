#pragma once
// What the field rules and the consistency analysis know of the program around them: the base year of
// the declaration and the code tables of the code-table module. Rules read both from here and from
// nowhere else, so that no rule reaches into a form or into the settings record.
//
// The program sets the base year once at start-up, from its settings; tests set what they need and put
// it back. Without a module set here, the program-wide dmGDVorn is used.

namespace gdvorn {

class TdmGDVorn;

class ContextoRegras {
public:
    static constexpr int AnoBasePadrao = 2010;

    // The base year of the declaration (2010 unless the program sets another).
    int AnoBase = AnoBasePadrao;

    // The module whose open code tables the rules search (taMunicipio, taUF, taCBO ..., qryUfCep).
    // nullptr: the program-wide dmGDVorn.
    TdmGDVorn *ModuloTabelas = nullptr;

    // The code-table module in use; DatabaseError when there is none.
    TdmGDVorn &Tabelas() const;
};

// The one context of the program.
ContextoRegras &contextoRegras();

} // namespace gdvorn
