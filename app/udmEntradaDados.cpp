#include "app/udmEntradaDados.h"

namespace gdvorn {

TdmEntradaDados *dmEntradaDados = nullptr;

namespace {

// The count of the links of one establishment of one base year; `estrangeiros` keeps only foreign
// workers. A blank nationality is not a foreign one: it is not informed.
QStringList textoConta(bool estrangeiros)
{
    QStringList linhas{QStringLiteral("select count(*)"), QStringLiteral("from BD8Vinc"),
                       QStringLiteral("where  AnBase= :sAnoBase  and"),
                       QStringLiteral("CoCGCCEIEstabelecimento= :sInscricao  and")};
    if (!estrangeiros) {
        linhas << QStringLiteral("NuPrefixoEstabelecimento= :sPrefixo");
        return linhas;
    }
    linhas << QStringLiteral("NuPrefixoEstabelecimento= :sPrefixo  and")
           << QStringLiteral("CoNacionalidade <> '10' and CoNacionalidade <> ''");
    return linhas;
}

} // namespace

TdmEntradaDados::TdmEntradaDados(const QString &connection)
    : ta8Empresa(QStringLiteral("bd8emp"), connection),
      // Every field at the file's width. NoMunicipioTrabalho in particular keeps its 40 characters, the
      // width of the municipality name (tb8munic) that the link form copies into it, so a name is
      // stored whole; a longer text is cut to the 40 by the width rule of the table layer.
      ta8Empreg(QStringLiteral("bd8vinc"), connection),
      quConVinculo(connection),
      quContaEmpreg(connection),
      quContaEstrang(connection),
      quBuscaEmpreg(connection),
      quValidaEstab(connection)
{
    quConVinculo.setSql(textoConVinculo());
    quContaEmpreg.setSql(textoConta(false));
    quContaEstrang.setSql(textoConta(true));
    dmEntradaDadosCreate();
}

TdmEntradaDados::~TdmEntradaDados()
{
    if (dmEntradaDados == this)
        dmEntradaDados = nullptr;
}

void TdmEntradaDados::dmEntradaDadosCreate()
{
    ContaAvisoCnae = 1;
    ContaAvisoNatJu = 1;
}

QStringList TdmEntradaDados::textoConVinculo()
{
    return {QStringLiteral("Select coPisPasepEmpregado, NoEmpregado,"),
            QStringLiteral("daAdmissaoEmpregado, DaDesligamentoEmpregado, daNascimentoEmpregado, CoCbo"),
            QStringLiteral("from BD8Vinc")};
}

QString quConVinculoCoCboGetText(const QString &codigo)
{
    if (codigo == QLatin1String("000000"))
        return QString();
    if (codigo.size() == 6)
        return codigo.left(4) + QLatin1Char('-') + codigo.right(2);
    return codigo;
}

} // namespace gdvorn
