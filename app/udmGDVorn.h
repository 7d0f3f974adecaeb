#pragma once
// The data module that owns the program's one database connection (alias "GDVORN" on the data folder)
// and the installed code tables, which stay open for the whole run.

#include "app/base/Query.h"
#include "app/base/Table.h"

namespace gdvorn {

class TdmGDVorn {
public:
    // Opens the connection on `programFolder` + "dados" and the twenty code tables (dmGDVornCreate).
    // Any failure is an EngineError; nothing stays open then.
    explicit TdmGDVorn(const QString &programFolder);
    ~TdmGDVorn(); // dmGDVornDestroy: closes the tables, then the connection

    // The connection's folder: the data folder of the other modules.
    QString DatabaseDirectory() const;

    Table taMunicipio{QStringLiteral("tb8munic")};
    Table taUF{QStringLiteral("tbuf")};
    Table taCNAE{QStringLiteral("tb8cnae")};
    Table taNatJu{QStringLiteral("tb8natju")};
    Table taNacionalidade{QStringLiteral("tb8nacio")};
    Table taMensagem{QStringLiteral("tb8msg")};
    Table taInstrucao{QStringLiteral("tb8instr")};
    Table taAdmissao{QStringLiteral("tb8tpadm")};
    Table taRaca{QStringLiteral("tb8raca")};
    Table taCBO{QStringLiteral("tb8cbo")};
    Table taTpVinc{QStringLiteral("tb8vinc")};
    Table taDesl{QStringLiteral("tb8desl")};
    Table taSalario{QStringLiteral("tb8tpsal")};
    Table taFaixaCEP{QStringLiteral("tb8fxcep")};
    Table TaAfastamento{QStringLiteral("tb8afast")};
    Table taDeficiente{QStringLiteral("tbdefi")};
    Table tbSindic{QStringLiteral("tbsindic")};
    Table tbEmpreg{QStringLiteral("tbempreg")};
    Table tbTrab{QStringLiteral("tbtrab")};
    Table tbPisInval{QStringLiteral("pisindev")};

    Query qryUfCep;  // CEP prefix ranges of a state, parameter xCoUf
    Query quBd8Emp;  // scratch query on the establishments; each user writes its SQL and closes it after

    // The twenty code tables in the order in which they are opened.
    QList<Table *> tabelas();

private:
    void closeAll();
};

// The program-wide instance, from start-up until the main window closes.
extern TdmGDVorn *dmGDVorn;

} // namespace gdvorn
