#include "Relatorio/ugRelatorios.h"

#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"

namespace gdvorn {

void RegistraRelatorios(TdmRaveRelatorios &m)
{
    m.RvProtocolo.Registra(QStringLiteral("rptProtocolo"), rptProtocolo);
    m.RvProtocolo.Registra(QStringLiteral("rptEtiqueta"), rptEtiqueta);
    m.RvProject2.Registra(QStringLiteral("RelatorioCompleto"), RelatorioCompleto);
    m.RvProject2.Registra(QStringLiteral("RelatorioResumido"), RelatorioResumido);
    m.RvProject2.Registra(QStringLiteral("Cartela"), Cartela);
    m.RvProject2.Registra(QStringLiteral("Transmissao"), Transmissao);
    m.rvprjErro.Registra(QStringLiteral("rptErros"), rptErros);
    m.rvprjErro.Registra(QStringLiteral("rptErrosEstrutura"), rptErrosEstrutura);
    m.rvprjErro.Registra(QStringLiteral("rptImportacao"), rptImportacao);
}

QString TextoCampo(const QString &campo, const QString &valor, const QString &tipo, int anoBase,
                   const QString &encerramento)
{
    const QString v = valor.trimmed();
    if (campo == QLatin1String("CoCgcCeiEstabelecimento") || campo == QLatin1String("CoCgcCeiResponsavel"))
        return TextoInscricao(v, tipo);
    if (campo == QLatin1String("CoCgcVinculado"))
        return TextoCeiVinculado(v);
    if (campo.startsWith(QLatin1String("CoCNPJ")))
        return TextoCNPJ(v);
    if (campo == QLatin1String("CoCpfResponsavel") || campo == QLatin1String("CoCpfEmpregado"))
        return SoZeros(v) || v.isEmpty() ? QString() : TextoCPF(v);
    if (campo == QLatin1String("CoPisPasepEmpregado"))
        return FormataPisPasep(v);
    if (campo == QLatin1String("CoMunicipioTrabalho"))
        return TextoMunicipio(v);
    if (campo == QLatin1String("NoRazaoEstabelecimento"))
        return TextoRazao(v);
    if (campo == QLatin1String("DaDesligamentoEmpregado"))
        return TextoDataDeslig(v, anoBase, encerramento);
    if (campo == QLatin1String("DaEncerramentoAtividade"))
        return TextoEncerramento(v);
    if (campo.startsWith(QLatin1String("DaInicio")) || campo.startsWith(QLatin1String("DaFinal")))
        return TextoDatas(v);
    if (campo.startsWith(QLatin1String("Da")) && v.size() == 8 && EhNumerico(v))
        return FormataData(v);
    if (campo.startsWith(QLatin1String("Po")))
        return TextoPAT(v);
    if (campo.startsWith(QLatin1String("Va")))
        return v.size() == 8 ? TextoValorTotal(v) : TextoRemuneracao(v);
    if (campo.startsWith(QLatin1String("Nu")) || campo.startsWith(QLatin1String("Qt")) ||
        campo == QLatin1String("AnChegadaEmpregado") || campo == QLatin1String("CoCausaDesligamento"))
        return EhNumerico(v) ? TextoTrim(v) : v;
    return v;
}

} // namespace gdvorn
