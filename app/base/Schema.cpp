#include "app/base/Schema.h"

#include "app/base/EngineError.h"

namespace gdvorn {

namespace {

FieldDef T(const char *name, int width) { return {QString::fromLatin1(name), FieldType::Text, width}; }
FieldDef B(const char *name) { return {QString::fromLatin1(name), FieldType::Boolean, 0}; }

IndexDef mainIndex(const QString &fields)
{
    return {QStringLiteral("Main"), fields.split(QLatin1Char(';')), true, false};
}

TableDef codeTable(const char *name, QList<FieldDef> fields, const QString &key)
{
    TableDef t{QString::fromLatin1(name), QStringLiteral("tabelas"), std::move(fields), {}};
    if (!key.isEmpty())
        t.indexes << mainIndex(key);
    return t;
}

QList<FieldDef> bd8empFields()
{
    return {T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
            T("CoCgcVinculado", 14), T("NoRazaoEstabelecimento", 52), T("EdEstabelecimento", 40),
            T("NuEnderecoEstabelecimento", 6), T("TxComplemEstabelecimento", 21),
            T("NoBairroEstabelecimento", 19), T("CoCepEstabelecimento", 8), T("CoMunicipio", 7),
            T("NoMunicEstabelecimento", 30), T("SgUf", 2), T("NuDDD", 2), T("NuTelefone", 8), T("CoCnae", 5),
            T("CoNaturezaJuridica", 4), T("NuProprietEstabelecimento", 2), T("MeDataBase", 2),
            T("InInscrEstabelecimento", 1), T("InVornNegEstabelecimento", 1), T("TxUsoEstabelecimento", 12),
            T("NuVinculosEstabelecimento", 6), T("NuEstrangeirosEstabelec", 5), T("InOpcaoAberta", 1),
            T("NuSequencialRegistro", 6), T("InPorte", 1), T("InOptanteSimples", 1),
            T("InEncerramentoAtividade", 1), T("DaEncerramentoAtividade", 8), B("InAvisoCnae"),
            T("InParticipaPAT", 1), T("NuVinculoPatMaior5", 6), T("NuVinculoPatMenor5", 6), T("PoAdmCozinha", 3),
            T("PoServicoProprio", 3), T("PoRefeicaoConvenio", 3), T("PoRefeicaoTransportadora", 3),
            T("PoCestaAlimento", 3), T("PoAlimentacaoConvenio", 3), T("TxEmailEstabelecimento", 45),
            T("CoCNPJAssociativa", 14), T("VaGlobalAssociativa", 9), T("CoCNPJSindical", 14),
            T("VaGlobalSindical", 9), T("CoCNPJAssistencial", 14), T("VaGlobalAssistencial", 9),
            T("CoCNPJConfederativa", 14), T("VaGlobalConfederativa", 9), T("InAtividadeAnoBase", 1),
            T("InSindicalizada", 1), T("CoCNPJCentralizada", 14), T("CoCnae2", 7), T("InCentralizada", 1),
            T("TxtCnae", 200), T("TxtNatJur", 200)};
}

QList<FieldDef> bd8vincFields()
{
    QList<FieldDef> f{T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
                      T("CoPisPasepEmpregado", 11), T("DaAdmissaoEmpregado", 8), T("NoEmpregado", 52),
                      T("NuSequencialRegistro", 6), T("CoCgcVinculado", 14), T("InInscrEstabelecimento", 1),
                      T("DaDesligamentoEmpregado", 4), T("CoCbo", 6), T("DaNascimentoEmpregado", 8),
                      T("CoNacionalidade", 2), T("AnChegadaEmpregado", 4), T("CoInstrucao", 2),
                      T("NuCartTrabEmpregado", 8), T("CoCpfEmpregado", 11), T("CoTipoAdmissao", 1),
                      T("VaSalContratualEmpregado", 9), T("CoTipoSalarioContratual", 1),
                      T("HoSemanaisEmpregado", 2), T("CoVinculo", 2), T("CoCausaDesligamento", 2)};
    for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto",
                          "Setembro", "Outubro", "Novembro", "Dezembro"})
        f << FieldDef{QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), FieldType::Text, 9};
    f << T("Me13AdiantamentoEmpregado", 2) << T("Va13AdiantamentoEmpregado", 9)
      << T("Me13ParcelaFinalEmpregado", 2) << T("Va13ParcelaFinalEmpregado", 9) << T("TxUsoEmpregado", 12)
      << T("CoTipoRaca", 1) << T("InDeficienteFisico", 1) << T("VaAvisoPrevioEmpregado", 9)
      << T("InAlvaraEmpregado", 1) << T("InSexo", 1) << T("CoMotivoPrimAfas", 2) << T("DaInicioprimeiroAfas", 4)
      << T("DaFinalPrimeiroAfas", 4) << T("CoMotivoSeguAfas", 2) << T("DaInicioSegundoAfas", 4)
      << T("DaFinalSegundoAfas", 4) << T("CoMotivoTercAfas", 2) << T("DaInicioTerceiroAfas", 4)
      << T("DaFinalTerceiroAfas", 4) << T("QtDiasAfas", 3) << T("CoMotivoAfastamento", 2)
      << T("CoCNPJSindical", 14) << T("VaGlobalSindical", 8) << T("CoCNPJPrimAssociativa", 14)
      << T("VaGlobalPrimAssociativa", 8) << T("CoCNPJSegAssociativa", 14) << T("VaGlobalSegAssociativa", 8)
      << T("CoCNPJAssistencial", 14) << T("VaGlobalAssistencial", 8) << T("CoCNPJConfederativa", 14)
      << T("VaGlobalConfederativa", 8) << T("VaGlobalFerias", 8) << T("VaGlobalMultas", 8)
      << T("VaGlobalBcoHoras", 8) << T("QtCompBcoHoras", 2) << T("VaGlobalDissidio", 8)
      << T("QtCompDissidio", 2) << T("VaGlobalGratificacoes", 8) << T("QtCompGratificacoes", 2)
      << T("CoMunicipioTrabalho", 7) << T("NoMunicipioTrabalho", 40) << T("SgUfTrabalho", 2);
    for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto",
                          "Setembro", "Outubro", "Novembro", "Dezembro"})
        f << FieldDef{QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(m)), FieldType::Text, 3};
    f << T("SeCartTrabEmpregado", 5) << T("CoDeficienteFisico", 1) << T("InSindicalizadoVinculo", 1)
      << T("TxtCBO", 100) << T("TxtVinculo", 100) << T("TxtAdmisao", 100) << T("TxtRaca", 100)
      << T("TxtDesligamento", 100) << T("TxtInstrucao", 100) << T("TxtSalario", 10) << T("TxtNacionalidade", 30);
    return f;
}

QList<FieldDef> bd8respFields()
{
    return {T("CoCgcCeiResponsavel", 14), T("InInscrResponsavel", 1), T("NoResponsavelArquivo", 40),
            T("EdLogradouroRespArquivo", 40), T("NuLogradouroRespArquivo", 6), T("TxComplementoRespArquivo", 21),
            T("NoBairroRespArquivo", 19), T("CoCepRespArquivo", 8), T("CoMunicipioRespArquivo", 7),
            T("NoMunicipioRespArquivo", 30), T("SgUfRespArquivo", 2), T("NuFoneDDD", 2), T("NuFoneAssinante", 8),
            T("TxEMailRespArquivo", 45), B("InReciboParaRespArquivo"), B("InRetificacao"), T("DaRetificacao", 8),
            B("InAntecipacao"), T("DaGeracao", 8), B("InDicasSemEmpregados"), B("InDicas"),
            T("NuRespostaPesquisa", 22), T("HoSenha", 6), T("NoResponsavelDeclaracao", 52),
            T("CoCpfResponsavel", 11), T("CoCrea", 12), T("DaNascimentoRespArquivo", 8)};
}

const QString kLinkKey = QStringLiteral(
    "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;"
    "NoEmpregado;NuSequencialRegistro;CoCgcVinculado;InInscrEstabelecimento;DaDesligamentoEmpregado;CoCbo");
const QString kEstablishmentKey = QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento");

QList<TableDef> buildCatalogue()
{
    QList<TableDef> c;
    // Permanent declaration tables, one file each.
    const TableDef bd8emp{QStringLiteral("bd8emp"), QStringLiteral("bd8emp"), bd8empFields(),
                          {mainIndex(kEstablishmentKey)}};
    const TableDef bd8vinc{QStringLiteral("bd8vinc"), QStringLiteral("bd8vinc"), bd8vincFields(),
                           {mainIndex(kLinkKey)}};
    const TableDef bd8resp{QStringLiteral("bd8resp"), QStringLiteral("bd8resp"), bd8respFields(), {}};
    c << bd8emp << bd8vinc << bd8resp;

    // Installed code tables.
    c << codeTable("tb8base", {T("MeDataBase", 2), T("NoMesDataBase", 10)}, QStringLiteral("MeDataBase"));
    c << codeTable("tb8cbo", {T("CoCbo", 6), T("NoCbo", 200), B("InCriticaAna"), B("InCriticaCbo")},
                   QStringLiteral("CoCbo"));
    c << codeTable("tb8cnae", {T("CoCnae", 7), T("NoCnae", 200)}, QStringLiteral("CoCNAE"));
    c << codeTable("tb8desl", {T("CoCausaDesligamento", 2), T("NoCausaDesligamento", 190)},
                   QStringLiteral("CoCausaDesligamento"));
    c << codeTable("tb8fxcep",
                   {T("CoMunicipio", 7), T("CoCep1Inicial", 5), T("CoCep1Final", 5), T("CoCep2Inicial", 5),
                    T("CoCep2Final", 5)},
                   QStringLiteral("CoMunicipio"));
    c << codeTable("tb8instr", {T("CoInstrucao", 2), T("NoInstrucao", 150)}, QStringLiteral("CoInstrucao"));
    c << codeTable("tb8msg", {T("NuMensagem", 4), T("TpMensagem", 5), T("TxMensagem", 200)},
                   QStringLiteral("NuMensagem"));
    c << codeTable("tb8munic", {T("CoMunicipio", 7), T("NoMunicipio", 40), T("CoCep", 5), T("InFaixa", 1)},
                   QStringLiteral("CoMunicipio"));
    c << codeTable("tb8nacio", {T("CoNacionalidade", 2), T("NoNacionalidade", 30)},
                   QStringLiteral("CoNacionalidade"));
    c << codeTable("tb8raca", {T("CoRaca", 1), T("NoRaca", 160)}, QStringLiteral("CoRaca"));
    c << codeTable("tb8tpadm", {T("CoTipoAdmissao", 1), T("NoTipoAdmissao", 190)},
                   QStringLiteral("CoTipoAdmissao"));
    c << codeTable("tb8tpsal", {T("CoTipoSalarioContratual", 1), T("NoTipoSalarioContratual", 10)},
                   QStringLiteral("CoTipoSalarioContratual"));
    TableDef tbuf = codeTable("tbuf", {T("CoUf", 2), T("SgUf", 2), T("NoUf", 19)}, QStringLiteral("CoUF;SgUF"));
    tbuf.indexes << IndexDef{QStringLiteral("ISgUf"), {QStringLiteral("SgUF")}, false, true};
    c << tbuf;
    c << codeTable("tbufcep", {T("CoUf", 2), T("IdUf", 1), T("CoCepInicial", 5), T("CoCepFinal", 5)}, QString());
    c << codeTable("tb8vinc", {T("CoVinculo", 2), T("NoVinculo", 150)}, QStringLiteral("CoVinculo"));
    c << codeTable("tb8afast", {T("CoAfastamento", 2), T("NoAfastamento", 50)}, QStringLiteral("CoAfastamento"));
    c << codeTable("tbempreg", {T("CoCnpjEmpregador", 14)}, QStringLiteral("CoCnpjEmpregador"));
    c << codeTable("tbsindic", {T("CoCnpjCentrSindical", 14)}, QStringLiteral("CoCnpjCentrSindical"));
    c << codeTable("tbtrab", {T("CoCnpjTrabalhadores", 14)}, QStringLiteral("CoCnpjTrabalhadores"));
    c << codeTable("pisindev", {T("CoPisPasep", 11), T("NoEmpregado", 15)}, QStringLiteral("CoPisPasep"));
    c << codeTable("tb8natju", {T("CoNaturezaJuridica", 4), T("NoNaturezaJuridica", 100)},
                   QStringLiteral("CoNaturezaJuridica"));
    c << codeTable("tbdefi", {T("CoTipoDeficiencia", 1), T("NoTipoDeficiencia", 50)},
                   QStringLiteral("CoTipoDeficiencia"));

    // Work tables in trabalho.db. The copies of the permanent tables are made at run time by the
    // structure copy; they are listed so that the table layer knows their fields.
    c << bd8emp.copiedAs(QStringLiteral("te8emp"), QStringLiteral("trabalho"), true);
    c << bd8vinc.copiedAs(QStringLiteral("te8vinc"), QStringLiteral("trabalho"), true);
    c << bd8resp.copiedAs(QStringLiteral("te8resp"), QStringLiteral("trabalho"), true);

    // Work tables without index, made by the operation that fills them (createTable): the findings of
    // the consistency analysis, the recording protocol of the file writer, the structure errors of the
    // file analyser and the import statistics.
    const auto workTable = [](const char *name, QList<FieldDef> fields) {
        return TableDef{QString::fromLatin1(name), QStringLiteral("trabalho"), std::move(fields), {}};
    };
    c << workTable("te8errwa",
                   {T("errwar", 3), T("inscricao", 14), T("tipoinscricao", 1), T("prefixo", 2), T("tiporegistro", 1),
                    T("retorno", 4), T("razaosocial", 52), T("copispasep", 11), T("noempregado", 52),
                    T("DaAdmissao", 8), T("usoempresa", 12), T("lbl", 4), T("Conteudo", 52), T("Sequencial", 6),
                    T("CoCgcVinculado", 14)});
    c << workTable("te8proid",
                   {T("NuDisquete", 5), T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14),
                    T("NuPrefixoEstabelecimento", 2), T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52),
                    T("EdEstabelecimento", 40), T("NuEnderecoEstabelecimento", 6), T("TxComplemEstabelecimento", 21),
                    T("NoBairroEstabelecimento", 19), T("CoCepEstabelecimento", 8), T("CoMunicipio", 7),
                    T("NoMunicEstabelecimento", 30), T("SgUf", 2), T("NuDDD", 2), T("NuTelefone", 8),
                    T("TxEMailEstabelecimento", 45), T("CoCgcCeiResponsavel", 14), T("InInscrResponsavel", 1),
                    T("NoResponsavelArquivo", 40), T("EdLogradouroRespArquivo", 40), T("NuLogradouroRespArquivo", 6),
                    T("TxComplementoRespArquivo", 21), T("NoBairroRespArquivo", 19), T("CoCepRespArquivo", 8),
                    T("CoMunicipioRespArquivo", 7), T("NoMunicipioRespArquivo", 30), T("SgUfRespArquivo", 2),
                    T("NuFoneDDD", 2), T("NuFoneAssinante", 8), T("TxEMailRespArquivo", 45),
                    B("InReciboParaRespArquivo"), B("InRetificacao"), T("DaGeracao", 8), T("HoSenha", 6),
                    T("NuEstabelecimentos", 6), T("NuVinculos", 6), T("InEncerramentoAtividade", 1),
                    T("DaEncerramentoAtividade", 8)});
    c << workTable("te8proes",
                   {T("NuDisquete", 5), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
                    T("CoCgcVinculado", 14), T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52),
                    T("NuVinculosEstabelecimento", 6), T("DaEncerramentoAtividade", 8)});
    c << workTable("te8stru",
                   {T("AnBase", 4), T("CoMsg", 4), T("Sequencia", 6), T("InscricaoPrefixo", 16), T("TipoCampo", 1),
                    T("PosicaoInicial", 3), T("Conteudo", 20)});
    c << workTable("te8imp",
                   {T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14), T("NuPrefixoEstabelecimento", 2),
                    T("CoCgcVinculado", 14), T("InInscrEstabelecimento", 1), T("NuVinculosEstabelecimento", 6),
                    T("NuTotalDesligados", 6), T("NuTotalDuplicados", 6), T("NuTotalImportados", 6), T("CoImp", 4),
                    T("Seq", 3)});
    return c;
}

} // namespace

QString quotedIdentifier(const QString &identifier) { return QLatin1Char('"') + identifier + QLatin1Char('"'); }

int TableDef::fieldIndex(const QString &fieldName) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef *TableDef::field(const QString &fieldName) const
{
    const int i = fieldIndex(fieldName);
    return i < 0 ? nullptr : &fields[i];
}

const IndexDef *TableDef::primaryIndex() const
{
    for (const auto &i : indexes)
        if (i.primary)
            return &i;
    return nullptr;
}

const IndexDef *TableDef::index(const QString &indexName) const
{
    for (const auto &i : indexes)
        if (i.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

QString TableDef::schemaName() const
{
    return file == QLatin1String("trabalho") ? QStringLiteral("main") : file;
}

QString TableDef::qualifiedName() const { return quotedIdentifier(schemaName()) + QLatin1Char('.') + quotedIdentifier(name); }

QString TableDef::sqlIndexName(const IndexDef &idx) const { return name + QLatin1Char('_') + idx.name; }

QString TableDef::createTableSql() const
{
    QStringList columns;
    for (const auto &f : fields) {
        switch (f.type) {
        case FieldType::Text:
            columns << QStringLiteral("%1 VARCHAR(%2) NOT NULL DEFAULT ''").arg(quotedIdentifier(f.name)).arg(f.width);
            break;
        case FieldType::Boolean:
            columns << QStringLiteral("%1 BOOLEAN NOT NULL DEFAULT 0").arg(quotedIdentifier(f.name));
            break;
        case FieldType::Integer:
            columns << QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(quotedIdentifier(f.name));
            break;
        case FieldType::Float:
            columns << QStringLiteral("%1 DOUBLE NOT NULL DEFAULT 0").arg(quotedIdentifier(f.name));
            break;
        }
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(qualifiedName(), columns.join(QStringLiteral(", ")));
}

QString TableDef::createIndexSql(const IndexDef &idx) const
{
    QStringList cols;
    for (const auto &f : idx.fields) {
        const FieldDef *fd = field(f);
        const QString n = quotedIdentifier(fd ? fd->name : f);
        cols << (idx.caseInsensitive ? n + QStringLiteral(" COLLATE NOCASE") : n);
    }
    return QStringLiteral("CREATE %1INDEX %2.%3 ON %4 (%5)")
        .arg(idx.primary ? QStringLiteral("UNIQUE ") : QString(), quotedIdentifier(schemaName()), quotedIdentifier(sqlIndexName(idx)),
             quotedIdentifier(name), cols.join(QStringLiteral(", ")));
}

TableDef TableDef::copiedAs(const QString &newName, const QString &newFile, bool withIndexes) const
{
    TableDef t{newName.toLower(), newFile, fields, withIndexes ? indexes : QList<IndexDef>{}};
    return t;
}

namespace Schema {

const QList<TableDef> &tables()
{
    static const QList<TableDef> catalogue = buildCatalogue();
    return catalogue;
}

const TableDef *table(const QString &name)
{
    for (const auto &t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const TableDef &require(const QString &name)
{
    const TableDef *t = table(name);
    if (!t)
        throw EngineError(ErrNoSuchTable, QStringLiteral("Table does not exist.\nTable: %1").arg(name));
    return *t;
}

QStringList databaseFiles()
{
    return {QStringLiteral("trabalho"), QStringLiteral("tabelas"), QStringLiteral("bd8emp"),
            QStringLiteral("bd8vinc"), QStringLiteral("bd8resp")};
}

QString fileName(const QString &file) { return file + QStringLiteral(".db"); }

QStringList installedTables()
{
    return {QStringLiteral("bd8emp"),   QStringLiteral("bd8vinc"),  QStringLiteral("bd8resp"),
            QStringLiteral("tb8base"),  QStringLiteral("tb8cbo"),   QStringLiteral("tb8cnae"),
            QStringLiteral("tb8desl"),  QStringLiteral("tb8fxcep"), QStringLiteral("tb8instr"),
            QStringLiteral("tb8msg"),   QStringLiteral("tb8munic"), QStringLiteral("tb8nacio"),
            QStringLiteral("tb8raca"),  QStringLiteral("tb8tpadm"), QStringLiteral("tb8tpsal"),
            QStringLiteral("tbuf"),     QStringLiteral("tbufcep"),  QStringLiteral("tb8vinc"),
            QStringLiteral("tb8afast"), QStringLiteral("tbempreg"), QStringLiteral("tbsindic"),
            QStringLiteral("tbtrab"),   QStringLiteral("pisindev"), QStringLiteral("tb8natju"),
            QStringLiteral("tbdefi")};
}

} // namespace Schema

} // namespace gdvorn
