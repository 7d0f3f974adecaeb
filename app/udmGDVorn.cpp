#include "app/udmGDVorn.h"

#include "app/base/EngineError.h"

#include <QDir>

namespace gdvorn {

TdmGDVorn *dmGDVorn = nullptr;

TdmGDVorn::TdmGDVorn(const QString &programFolder)
{
    closeDatabase(kAlias);
    openDatabase(QDir(programFolder).filePath(QStringLiteral("dados")), kAlias);
    qryUfCep.setSql(QStringList{QStringLiteral("Select * from tbUfCep"), QStringLiteral("where CoUf = :xCoUf")});
    try {
        for (Table *t : tabelas()) {
            t->Open();
            // A keyed table whose primary index is missing cannot be opened, as the index check expects.
            const TableDef &def = t->definition();
            if (const IndexDef *idx = def.primaryIndex()) {
                if (!schemaObjectExists(database(), def.schemaName(), QStringLiteral("index"), def.sqlIndexName(*idx)))
                    throw EngineError(ErrIndexMissing, QStringLiteral("Index does not exist.\nTable: %1")
                                                           .arg(t->TableName()));
            }
        }
    } catch (...) {
        closeAll();
        throw;
    }
}

TdmGDVorn::~TdmGDVorn() { closeAll(); }

void TdmGDVorn::closeAll()
{
    for (Table *t : tabelas())
        t->Close();
    qryUfCep.Close();
    quBd8Emp.Close();
    closeDatabase(kAlias);
}

QString TdmGDVorn::DatabaseDirectory() const { return databaseFolder(kAlias); }

QList<Table *> TdmGDVorn::tabelas()
{
    return {&taMunicipio, &taUF,     &taCNAE,        &taNatJu,     &taNacionalidade, &taMensagem, &taInstrucao,
            &taAdmissao,  &taRaca,   &taCBO,         &taTpVinc,    &taDesl,          &taSalario,  &taFaixaCEP,
            &TaAfastamento, &taDeficiente, &tbSindic, &tbEmpreg, &tbTrab, &tbPisInval};
}

} // namespace gdvorn
