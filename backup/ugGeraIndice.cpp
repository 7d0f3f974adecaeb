#include "backup/ugGeraIndice.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Progresso.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugExcecao.h"
#include "backup/ugCopiaSeguranca.h"

#include <QDir>

namespace gdvorn {

namespace {

// The file of the table that an index file such as "BD8VINC.PX" names.
QString arquivoDoIndice(const QString &tabelaIndice)
{
    const TableDef *t = Schema::table(tabelaIndice.section(QLatin1Char('.'), 0, 0));
    return t ? QDir(databaseFolder()).filePath(Schema::fileName(t->file)) : QString();
}

// The advice for a table whose rows are wrong: the code tables come with the program, the declaration
// tables from the user's backup copies.
QString conselho(const QString &tabelaIndice)
{
    const TableDef *t = Schema::table(tabelaIndice.section(QLatin1Char('.'), 0, 0));
    if (t && t->file == QLatin1String("tabelas"))
        return QStringLiteral("Instale novamente o GDVORN: a instalação repõe as tabelas de códigos.");
    return QStringLiteral("Restaure a cópia de segurança mais recente dos dados: instalar o GDVORN novamente não "
                          "substitui este arquivo.");
}

// What the user reads when step `p` failed with the exception `erro` (none when the rebuild said no).
QString textoFalha(const PassoIndice &p, const std::exception_ptr &erro)
{
    QString texto = QStringLiteral("Arquivos com problemas: o índice %1 não pôde ser refeito.\n").arg(p.TabelaIndice);
    if (!erro)
        return texto + QStringLiteral("A tabela está em uso ou o arquivo não pode ser gravado. Feche os outros programas "
                                      "que usam os arquivos do GDVORN e indexe os arquivos novamente.");
    try {
        std::rethrow_exception(erro);
    } catch (const DiskFull &) {
        texto += TextoDiscoCheio(databaseFolder()) + QStringLiteral(" Libere espaço no disco e indexe os arquivos novamente.");
    } catch (const DamagedFile &e) {
        texto += QStringLiteral("O arquivo %1 está danificado (%2).\n")
                     .arg(QDir::toNativeSeparators(arquivoDoIndice(p.TabelaIndice)), e.message().section(QLatin1Char('\n'), 0, 0)) +
                 conselho(p.TabelaIndice);
    } catch (const KeyViolation &e) {
        texto += e.message() + QLatin1Char('\n') + conselho(p.TabelaIndice);
    } catch (const EngineError &e) {
        if (e.code() == ErrOsAccessDenied) {
            const QString local = LocalSemGravacao(databaseFolder());
            texto += TextoSemGravacao(local.isEmpty() ? arquivoDoIndice(p.TabelaIndice) : local);
        } else {
            texto += QStringLiteral("O banco de dados informou: %1\nAnote esta mensagem e entre em contato com a CATVORN.")
                         .arg(e.message());
        }
    }
    return texto;
}

} // namespace

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

int GeraIndices(TdmGDVorn &dm, TdmEntradaDados *de, Progresso &progresso, const RecriaIndiceFn &recria,
                QString *falha)
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
        std::exception_ptr erro;
        try {
            ok = recria(kAlias, p.TabelaIndice, p.NomeIndice, p.Opcoes, p.Campos);
        } catch (const EngineError &) {
            erro = std::current_exception();
        }
        if (!ok) {
            p.Restaura();
            if (falha)
                *falha = textoFalha(p, erro);
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
