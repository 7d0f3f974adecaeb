#include "backup/ugGeraIndice.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Progresso.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "backup/ugCopiaSeguranca.h"

namespace gdvorn {

QList<PassoIndice> PassosIndice(TdmGDVorn &dm, TdmEntradaDados *de)
{
    QList<PassoIndice> passos;
    // A code table: closed before, reopened after, reopened after a failure too.
    auto tabela = [&](const char *indice, const char *campos, Table &t, int posicao) {
        Table *p = &t;
        passos << PassoIndice{QLatin1String(indice), QStringLiteral("Main"), ixPrimary, QLatin1String(campos), posicao,
                              [p] { p->Close(); }, [p] { p->Open(); }, [p] { p->Open(); }};
    };
    // A declaration table: closed before and left closed.
    auto declaracao = [&](const char *indice, const QString &campos, Table *t, int posicao) {
        passos << PassoIndice{QLatin1String(indice), QStringLiteral("Main"), ixPrimary, campos, posicao,
                              [t] { if (t) t->Close(); }, [] {}, [] {}};
    };
    const auto &instalados = IndicesInstalados();
    auto camposDe = [&](const char *indice) {
        for (const IndiceInstalado &i : instalados)
            if (i.TabelaIndice.compare(QLatin1String(indice), Qt::CaseInsensitive) == 0)
                return i.Campos;
        return QString();
    };
    Table *uf = &dm.taUF;
    Query *ufCep = &dm.qryUfCep;

    tabela("TB8MSG.PX", "NuMensagem", dm.taMensagem, 1);
    tabela("TB8VINC.PX", "CoVinculo", dm.taTpVinc, 2);
    passos << PassoIndice{QStringLiteral("TB8BASE.PX"), QStringLiteral("Main"), ixPrimary, QStringLiteral("MeDataBase"), 3,
                          [] {}, [] {}, [] {}};
    tabela("TB8CNAE.PX", "CoCNAE", dm.taCNAE, 4);
    tabela("TB8DESL.PX", "CoCausaDesligamento", dm.taDesl, 5);
    tabela("TB8INSTR.PX", "CoInstrucao", dm.taInstrucao, 6);
    tabela("TB8MUNIC.PX", "CoMunicipio", dm.taMunicipio, 7);
    tabela("TB8NACIO.PX", "CoNacionalidade", dm.taNacionalidade, 8);
    tabela("TB8Raca.PX", "CoRaca", dm.taRaca, 9);
    tabela("TB8NATJU.PX", "CoNaturezaJuridica", dm.taNatJu, 10);
    tabela("TB8TPADM.PX", "CoTipoAdmissao", dm.taAdmissao, 11);
    tabela("TB8TPSAL.PX", "CoTipoSalarioContratual", dm.taSalario, 12);
    passos << PassoIndice{QStringLiteral("TBUF.PX"), QStringLiteral("Main"), ixPrimary, QStringLiteral("CoUF;SgUF"), 13,
                          [uf, ufCep] {
                              uf->Close();
                              ufCep->Close();
                          },
                          [uf, ufCep] {
                              uf->Open();
                              uf->Close();
                              ufCep->Close();
                          },
                          [uf] { uf->Open(); }};
    passos << PassoIndice{QStringLiteral("TBUF.XG0"), QStringLiteral("ISgUf"), ixCaseInsensitive, QStringLiteral("SgUF"), 14,
                          [] {}, [uf] { uf->Open(); }, [uf] { uf->Open(); }};
    tabela("TB8CBO.PX", "CoCbo", dm.taCBO, 15);
    declaracao("BD8VINC.PX", camposDe("BD8VINC.PX"), de ? &de->ta8Empreg : nullptr, 16);
    declaracao("BD8EMP.PX", camposDe("BD8EMP.PX"), de ? &de->ta8Empresa : nullptr, 17);
    tabela("TB8FXCEP.PX", "CoMunicipio", dm.taFaixaCEP, 18);
    tabela("TB8Afast.PX", "CoAfastamento", dm.TaAfastamento, -1);
    tabela("tbDefi.PX", "CoTipoDeficiencia", dm.taDeficiente, -1);
    tabela("tbEmpreg.PX", "CoCnpjEmpregador", dm.tbEmpreg, -1);
    tabela("tbTrab.PX", "CoCnpjTrabalhadores", dm.tbTrab, -1);
    tabela("tbSindic.PX", "CoCnpjCentrSindical", dm.tbSindic, -1);
    tabela("PISINDEV.PX", "CoPisPasep", dm.tbPisInval, 19);
    return passos;
}

int GeraIndices(TdmGDVorn &dm, TdmEntradaDados *de, Progresso &progresso, const RecriaIndiceFn &recria)
{
    progresso.setRange(0, 17);
    progresso.setPosition(0);
    // The engine drops no index while a statement of the connection stands on a row.
    FechaConsultasPermanentes();
    const QList<PassoIndice> passos = PassosIndice(dm, de);
    for (int i = 0; i < passos.size(); ++i) {
        const PassoIndice &p = passos[i];
        p.Fecha();
        bool ok = false;
        try {
            ok = recria(kAlias, p.TabelaIndice, p.NomeIndice, p.Opcoes, p.Campos);
        } catch (const EngineError &) {
            ok = false;
        }
        if (!ok) {
            p.Restaura();
            return i + 1;
        }
        p.Reabre();
        if (p.Posicao >= 0)
            progresso.setPosition(p.Posicao);
        progresso.processaEventos();
    }
    return 0;
}

} // namespace gdvorn
