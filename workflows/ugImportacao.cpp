#include "workflows/ugImportacao.h"

#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
#include "app/base/Statement.h"
#include "app/base/Table.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "entry/ugDadosEmpreg.h"
#include "entry/ugInscricaoEstab.h"
#include "fileformat/ugLayoutVorn.h"
#include "fileformat/ugTerminadorVorn.h"
#include "rules/ugRegrasInscricao.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <optional>

namespace gdvorn {

namespace {

const QString kTe8Emp = QStringLiteral("te8emp");
const QString kTe8Vinc = QStringLiteral("te8vinc");
const QString kTe8Imp = QStringLiteral("te8imp");
const QString kBd8Emp = QStringLiteral("bd8emp");
const QString kBd8Vinc = QStringLiteral("bd8vinc");
const QString kCnpjZerado = QStringLiteral("00000000000000");
const QString kPisZerado = QStringLiteral("00000000000");
const QString kSemNovoPrefixo = QStringLiteral("$$");

bool existeTabela(const QString &nome, const QString &conexao)
{
    const TableDef &def = Schema::require(nome);
    return schemaObjectExists(database(conexao), def.schemaName(), QStringLiteral("table"), def.name);
}

// Reads `n` bytes at `posicao`; nothing when the file gives fewer.
std::optional<QByteArray> le(QFile &f, qint64 posicao, qint64 n)
{
    if (!f.seek(posicao))
        return std::nullopt;
    QByteArray b = f.read(n);
    if (b.size() != n)
        return std::nullopt;
    return b;
}

const unsigned char *bytes(const QByteArray &b) { return reinterpret_cast<const unsigned char *>(b.constData()); }

} // namespace

ContagemArquivo ConfereQuantidadeVinculos(const QString &arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        return ContagemArquivo::Ilegivel;
    const qint64 tamanho = f.size();
    if (tamanho < TamanhoLinhaVorn)
        return ContagemArquivo::Aceita;
    const std::optional<QByteArray> primeiro = le(f, 0, TamanhoLinhaVorn);
    if (!primeiro)
        return ContagemArquivo::Ilegivel;
    const int pitch = TamanhoRegistroVorn + TamanhoTerminador(LineBreakKindAt(bytes(*primeiro), TamanhoLinhaVorn));
    if (tamanho < 4 * qint64(pitch))
        return ContagemArquivo::Aceita;

    // The trailer is the last whole record; what follows it may only be a Ctrl-Z tail (at most one pitch).
    const qint64 resto = tamanho % pitch;
    qint64 inicio = tamanho - resto - pitch;
    if (resto > 0) {
        const std::optional<QByteArray> cauda = le(f, tamanho - resto, 1);
        if (!cauda)
            return ContagemArquivo::Ilegivel;
        if (!CaudaCtrlZ(bytes(*cauda)[0], resto, pitch))
            return ContagemArquivo::Aceita;
    }
    std::optional<QByteArray> trailer = le(f, inicio, TamanhoRegistroVorn);
    if (!trailer)
        return ContagemArquivo::Ilegivel;
    if (resto == 0 && trailer->at(22) != '9' && CaudaCtrlZ(bytes(*trailer)[0], pitch, pitch)) {
        inicio -= pitch;
        trailer = le(f, inicio, TamanhoRegistroVorn);
        if (!trailer)
            return ContagemArquivo::Ilegivel;
    }
    if (trailer->at(22) != '9')
        return ContagemArquivo::Aceita;
    const QString contagem = QString::fromLatin1(trailer->mid(29, 6));
    if (EhNumerico(contagem) && contagem.trimmed().toInt() > LimiteVinculosImportacao)
        return ContagemArquivo::GrandeDemais;
    return ContagemArquivo::Aceita;
}

int AnoDaOpcaoImportacao(const QString &opcao)
{
    return opcao.contains(QLatin1String("Anterior")) ? opcao.mid(15, 4).toInt() : opcao.mid(12, 4).toInt();
}

void RemoveTabelasImportacao(const QString &conexao)
{
    for (const QString &nome : {kTe8Emp, kTe8Vinc, kTe8Imp, QStringLiteral("te8stru")})
        dropTable(Schema::require(nome), conexao);
}

CabecalhoImportado LeCabecalhoImportado(const QString &conexao)
{
    CabecalhoImportado c;
    if (!existeTabela(QStringLiteral("te8resp"), conexao))
        return c;
    Table resp(QStringLiteral("te8resp"), conexao);
    resp.Open();
    resp.First();
    if (!resp.Eof()) {
        c.Antecipacao = resp.FieldByName(QStringLiteral("InAntecipacao")).AsBoolean();
        c.Retificacao = resp.FieldByName(QStringLiteral("InRetificacao")).AsBoolean();
    }
    return c;
}

QString ParametrosImportacao::AnoDestino() const { return QString::number(Configuracao().AnoBase); }

QString ParametrosImportacao::AnoRegistros() const { return QString::number(AnoImportacao); }

QString LinhaImportacao(const QString &inscricao, const QString &tipo, const QString &prefixo,
                        const QString &razao, const QString &vinculos)
{
    return CompletaBrancos(FormataInscricao(inscricao, tipo), 18) + QStringLiteral("  ") + CompletaBrancos(prefixo, 2) +
           QStringLiteral("  ") + CompletaBrancos(razao, 30) + QStringLiteral("  ") + vinculos;
}

bool PrefixoDaLinhaValido(const QString &linha) { return linha.mid(20, 2).trimmed().size() == 2; }

QList<EstabelecimentoImportavel> EstabelecimentosImportaveis(const ParametrosImportacao &parametros)
{
    Query q;
    q.setSql(QStringList{QStringLiteral("select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "),
                         QStringLiteral("NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento "),
                         QStringLiteral("from te8emp where AnBase = :Ano")});
    q.ParamByName(QStringLiteral("Ano")).setAsStored(kTe8Emp, QStringLiteral("AnBase"), parametros.AnoRegistros());
    q.Open();
    QList<EstabelecimentoImportavel> r;
    for (; !q.Eof(); q.Next()) {
        EstabelecimentoImportavel e;
        e.Chave = {parametros.AnoRegistros(), q.Fields(0).AsString(), q.Fields(1).AsString()};
        e.Linha = LinhaImportacao(e.Chave.Inscricao, q.Fields(3).AsString(), e.Chave.Prefixo, q.Fields(2).AsString(),
                                  q.Fields(4).AsString());
        r << e;
    }
    return r;
}

QString ProximoPrefixo(const QString &prefixo)
{
    const QString p = prefixo.leftJustified(2, QLatin1Char('0'));
    QChar a = p.at(0);
    QChar b = p.at(1);
    const auto avanca = [](QChar c) {
        if (c == QLatin1Char('9'))
            return QChar(QLatin1Char('A'));
        if (c == QLatin1Char('Z'))
            return QChar(QLatin1Char('0'));
        return QChar(c.unicode() + 1);
    };
    if (b == QLatin1Char('Z'))
        a = avanca(a);
    b = avanca(b);
    return QString(a) + b;
}

QString ProximoPrefixoLivre(const QString &ano, const QString &inscricao)
{
    Query q;
    q.setSql(QStringLiteral("select NuPrefixoEstabelecimento from bd8emp where AnBase = :Ano and CoCgcCeiEstabelecimento = :Inscricao"));
    q.ParamByName(QStringLiteral("Ano")).setAsStored(kBd8Emp, QStringLiteral("AnBase"), ano);
    q.ParamByName(QStringLiteral("Inscricao")).setAsStored(kBd8Emp, QStringLiteral("CoCgcCeiEstabelecimento"), inscricao);
    q.Open();
    QSet<QString> ocupados;
    for (; !q.Eof(); q.Next())
        ocupados.insert(q.Fields(0).AsString());
    QString p = QStringLiteral("G0");
    for (int i = 0; i < 36 * 36; ++i, p = ProximoPrefixo(p))
        if (!ocupados.contains(p))
            return p;
    return QString();
}

namespace {

// One te8imp row while the run lasts; written when the run completes.
struct LinhaTe8Imp {
    ChaveEstabelecimento chave; // the work establishment
    QString prefixo;            // the file's prefix, or the new one
    QString vinculado;
    QString tipo;
    QString vinculos;
    int desligados = 0;
    int duplicados = 0;
    int importados = 0;
    QString codigo;
    QString seq;
};

// The fields the establishment copy takes as they are.
const QStringList &camposCopiadosEstab()
{
    static const QStringList c{
        "CoCgcCeiEstabelecimento", "CoCgcVinculado", "InInscrEstabelecimento", "NuVinculosEstabelecimento",
        "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento",
        "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf",
        "CoCnae2", "TxtCnae", "CoNaturezaJuridica", "TxtNatJur", "NuProprietEstabelecimento", "MeDataBase",
        "InVornNegEstabelecimento", "InAtividadeAnoBase", "InOptanteSimples", "TxUsoEstabelecimento",
        "NuEstrangeirosEstabelec", "InOpcaoAberta", "NuDDD", "NuTelefone", "TxEmailEstabelecimento",
        "InEncerramentoAtividade", "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5",
        "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
        "PoCestaAlimento", "PoAlimentacaoConvenio", "InCentralizada", "VaGlobalSindical", "VaGlobalAssociativa",
        "VaGlobalAssistencial", "VaGlobalConfederativa"};
    return c;
}

const QStringList &cnpjsEstab()
{
    static const QStringList c{"CoCNPJCentralizada", "CoCNPJSindical", "CoCNPJAssociativa", "CoCNPJAssistencial",
                               "CoCNPJConfederativa"};
    return c;
}

class Importacao {
public:
    Importacao(const ParametrosImportacao &p, int linhasNaLista, Progresso &progresso)
        : m_p(p), m_anoDestino(p.AnoDestino()), m_progresso(progresso),
          m_linhas(std::max(1, linhasNaLista)), m_te8emp(kTe8Emp), m_bd8emp(kBd8Emp)
    {
        m_anterior = p.AnoImportacao == Configuracao().AnoBase - 1;
        m_atual = p.AnoImportacao == Configuracao().AnoBase;
        for (Table *t : {&m_te8emp, &m_bd8emp})
            t->Open();
        Table te8vinc(kTe8Vinc);
        te8vinc.Open();
        m_totalVinculos = te8vinc.RecordCount();
        m_porEstabelecimento = m_totalVinculos == 0 || m_totalVinculos <= 10 * linhasNaLista;
        m_sqlCausas = QStringLiteral("select CoCausaDesligamento in ('00', '71', '78') from %1 "
                                     "where AnBase = ?1 and CoCgcCeiEstabelecimento = ?2 "
                                     "and NuPrefixoEstabelecimento = ?3 order by %2")
                          .arg(Schema::require(kTe8Vinc).qualifiedName(), ordemDaChave());
        m_sqlCopiaAnterior = sqlCopia(true);
        m_sqlCopiaAtual = sqlCopia(false);
    }

    ResultadoImportacao executa(const QList<ChaveEstabelecimento> &escolhidos)
    {
        Transaction transacao;
        createTable(Schema::require(kTe8Imp));
        noteDataChanged(kAlias, kTe8Imp);
        m_progresso.limpaCancelamento();
        m_progresso.setRange(0, 100);
        m_progresso.setPosition(0);
        for (const ChaveEstabelecimento &chave : escolhidos) {
            if (!m_te8emp.FindKey({chave.AnBase, chave.Inscricao, chave.Prefixo}))
                continue;
            LinhaTe8Imp l;
            l.chave = chave;
            l.prefixo = chave.Prefixo;
            l.vinculado = texto(m_te8emp, "CoCgcVinculado");
            l.tipo = texto(m_te8emp, "InInscrEstabelecimento");
            l.vinculos = texto(m_te8emp, "NuVinculosEstabelecimento");
            m_linhasImp << l;
        }
        for (LinhaTe8Imp &l : m_linhasImp) {
            if (m_porEstabelecimento) {
                m_acumulado += 100.0 / m_linhas;
                m_progresso.setPosition(int(m_acumulado));
            }
            if (m_progresso.Interrompido())
                return ResultadoImportacao::Interrompida;
            if (!importaEstabelecimento(l))
                return ResultadoImportacao::Interrompida;
        }
        Table imp(kTe8Imp);
        imp.Open();
        for (const LinhaTe8Imp &l : m_linhasImp) {
            imp.Append();
            const QList<QPair<const char *, QString>> valores{
                {"AnBase", m_anoDestino},
                {"CoCgcCeiEstabelecimento", l.chave.Inscricao},
                {"NuPrefixoEstabelecimento", l.prefixo},
                {"CoCgcVinculado", l.vinculado},
                {"InInscrEstabelecimento", l.tipo},
                {"NuVinculosEstabelecimento", l.vinculos},
                {"NuTotalDesligados", QString::number(l.desligados)},
                {"NuTotalDuplicados", QString::number(l.duplicados)},
                {"NuTotalImportados", QString::number(l.importados)},
                {"CoImp", l.codigo},
                {"Seq", l.seq}};
            for (const auto &[campo, valor] : valores)
                imp.FieldByName(QLatin1String(campo)).setAsString(valor);
            imp.Post();
        }
        imp.Close();
        transacao.commit();
        return ResultadoImportacao::Concluida;
    }

private:
    static QString texto(Table &t, const char *campo) { return t.FieldByName(QLatin1String(campo)).AsString(); }

    void registra(LinhaTe8Imp &l, const QString &codigo)
    {
        auto it = m_codigos.find(codigo);
        if (it == m_codigos.end())
            it = m_codigos.insert(codigo, ++m_qtdCodigos);
        l.codigo = codigo;
        l.seq = QString::number(it.value());
    }

    // The identification checks, then the copy; false when the run was stopped.
    bool importaEstabelecimento(LinhaTe8Imp &l)
    {
        const QString inscricao = CompletaInscricaoEstab(l.chave.Inscricao);
        m_inscricaoDestino = inscricao;
        const QString classe = CriticaInscricao(inscricao);
        const QString zero = QStringLiteral("0000");
        QString falha;
        if (classe != QLatin1String("0050") && classe != QLatin1String("0051") && classe != QLatin1String("0052"))
            falha = classe;
        else if (const QString c = CriticaTipoInscricao(l.tipo); c != zero)
            falha = c;
        else if (const QString c = CriticaInscricaoPorTipo(inscricao, l.tipo); c != zero)
            falha = c;
        else if (const QString c = CriticaPrefixo(l.prefixo); c != zero)
            falha = c;
        if (!falha.isEmpty()) {
            registra(l, falha);
            return true;
        }
        if (!m_te8emp.FindKey({l.chave.AnBase, l.chave.Inscricao, l.chave.Prefixo}))
            return true;
        const bool semEmpregadosNoArquivo = texto(m_te8emp, "InVornNegEstabelecimento") == QLatin1String("1");

        // Whether it exists with the same linked CNPJ; under another one it takes a new prefix.
        m_novoPrefixo = kSemNovoPrefixo;
        bool existe = false;
        bool semEmpregadosNaBase = false;
        if (m_bd8emp.FindKey({m_anoDestino, inscricao, l.chave.Prefixo})) {
            if (texto(m_bd8emp, "CoCgcVinculado") == CompletaZeros(l.vinculado, 14)) {
                existe = true;
                semEmpregadosNaBase = texto(m_bd8emp, "InVornNegEstabelecimento") == QLatin1String("1");
            } else {
                const QString novo = ProximoPrefixoLivre(m_anoDestino, inscricao);
                if (novo.isEmpty()) {
                    registra(l, QStringLiteral("1506"));
                    return true;
                }
                m_novoPrefixo = novo;
                l.prefixo = novo;
                registra(l, QStringLiteral("1505"));
            }
        }
        const ChaveEstabelecimento destino{m_anoDestino, inscricao, l.prefixo};
        if (existe && semEmpregadosNoArquivo) {
            registra(l, QStringLiteral("1501"));
            return true;
        }

        if (m_anterior) {
            if (!existe) {
                bool gravado = false;
                if (semEmpregadosNoArquivo) {
                    novoEstabelecimento();
                    gravado = true;
                }
                int passaram = 0;
                if (!copiaVinculos(l, true, nullptr, passaram))
                    return false;
                if (passaram > 0 && !gravado)
                    novoEstabelecimento();
            } else if (semEmpregadosNaBase) {
                int passaram = 0;
                if (!copiaVinculos(l, true, &l, passaram))
                    return false;
                if (passaram > 0)
                    substituiEstabelecimento();
            } else {
                int passaram = 0;
                if (!copiaVinculos(l, true, nullptr, passaram))
                    return false;
            }
        } else if (m_atual) {
            if (existe && semEmpregadosNaBase) {
                substituiEstabelecimento();
                registra(l, QStringLiteral("1502"));
            } else if (!existe) {
                novoEstabelecimento();
            }
            int passaram = 0;
            if (!copiaVinculos(l, false, nullptr, passaram))
                return false;
        } else {
            return true;
        }
        recontaVinculos(destino);
        return true;
    }

    // The establishment's row, found by key on the cursor the run keeps open, takes the counts of the
    // links it now holds.
    void recontaVinculos(const ChaveEstabelecimento &destino)
    {
        const ContagemVinculos contagem = ContaVinculosEstab(destino);
        if (m_bd8emp.FindKey({destino.AnBase, destino.Inscricao, destino.Prefixo}))
            GravaContagemEstab(m_bd8emp, contagem);
    }

    // The links of the work establishment, in key order (a key search and a walk while year, inscription and
    // prefix match): last year's only with the causes "00", "71" and "78" (the others are counted as
    // dismissed; with `codigos` set, "1502" stored before each link taken and "1504" for each one left),
    // this year's all. The walk reads only whether the cause is one taken, runs the progress and the
    // cancel check per link, and then one statement copies the links taken that the establishment does
    // not hold yet. Both statements are prepared once for the run.
    bool copiaVinculos(LinhaTe8Imp &l, bool anterior, LinhaTe8Imp *codigos, int &passaram)
    {
        Statement causas(m_preparados, m_sqlCausas, kAlias, kTe8Vinc);
        ligaOrigem(causas, l);
        while (causas.step()) {
            if (m_progresso.Interrompido()) {
                causas.reset();
                return false;
            }
            if (!anterior || causas.columnInt64(0) == 1) {
                ++passaram;
                if (codigos)
                    registra(*codigos, QStringLiteral("1502"));
                passoPorVinculo();
            } else {
                ++l.desligados;
                if (codigos)
                    registra(*codigos, QStringLiteral("1504"));
            }
        }
        if (passaram == 0)
            return true;
        Statement copia(m_preparados, anterior ? m_sqlCopiaAnterior : m_sqlCopiaAtual, kAlias, kBd8Vinc);
        ligaOrigem(copia, l);
        copia.bindStored(4, kBd8Vinc, QStringLiteral("AnBase"), m_anoDestino);
        copia.bindStored(5, kBd8Vinc, QStringLiteral("CoCgcCeiEstabelecimento"), m_inscricaoDestino);
        copia.bindStored(6, kBd8Vinc, QStringLiteral("NuPrefixoEstabelecimento"), l.prefixo);
        const int copiados = copia.exec();
        noteDataChanged(kAlias, kBd8Vinc);
        l.importados += copiados;
        l.duplicados += passaram - copiados;
        return true;
    }

    // Parameters 1 to 3: the work establishment's year, inscription and prefix.
    static void ligaOrigem(Statement &st, const LinhaTe8Imp &l)
    {
        st.bindStored(1, kTe8Vinc, QStringLiteral("AnBase"), l.chave.AnBase);
        st.bindStored(2, kTe8Vinc, QStringLiteral("CoCgcCeiEstabelecimento"), l.chave.Inscricao);
        st.bindStored(3, kTe8Vinc, QStringLiteral("NuPrefixoEstabelecimento"), l.chave.Prefixo);
    }

    // The link key's fields.
    static QString ordemDaChave()
    {
        QStringList c;
        for (const QString &f : Schema::require(kBd8Vinc).primaryIndex()->fields)
            c << quotedIdentifier(f);
        return c.join(QStringLiteral(", "));
    }

    // The copy of one establishment's links: every field of the work row but the sequence and the
    // absence reason, under the destination year, inscription and prefix; union CNPJs of zeros empty;
    // last year's links with the hours "000", no union membership and no disability kind, and "000" days
    // of absence when empty. A link is left out when the establishment holds one with the same PIS and
    // admission (and name, for a zero PIS), or when an earlier link of the file in key order has them.
    static QString sqlCopia(bool anterior)
    {
        const TableDef &def = Schema::require(kBd8Vinc);
        QStringList colunas, valores;
        for (const FieldDef &f : def.fields) {
            const QString n = f.name;
            const QString v = QStringLiteral("v.") + quotedIdentifier(n);
            QString e;
            if (n == QLatin1String("NuSequencialRegistro") || n == QLatin1String("CoMotivoAfastamento"))
                continue;
            if (n == QLatin1String("AnBase"))
                e = QStringLiteral("?4");
            else if (n == QLatin1String("CoCgcCeiEstabelecimento"))
                e = QStringLiteral("?5");
            else if (n == QLatin1String("NuPrefixoEstabelecimento"))
                e = QStringLiteral("?6");
            else if (n.startsWith(QLatin1String("CoCNPJ")))
                e = QStringLiteral("case when %1 = '%2' then '' else %1 end").arg(v, kCnpjZerado);
            else if (anterior && n.startsWith(QLatin1String("HoTrabalhadas")))
                e = QStringLiteral("'000'");
            else if (anterior && (n == QLatin1String("InSindicalizadoVinculo") || n == QLatin1String("CoDeficienteFisico")))
                e = QStringLiteral("''");
            else if (anterior && n == QLatin1String("QtDiasAfas"))
                e = QStringLiteral("case when %1 = '' then '000' else %1 end").arg(v);
            else
                e = v;
            colunas << quotedIdentifier(n);
            valores << e;
        }
        const auto causa = [anterior](const QString &alias) {
            return anterior ? QStringLiteral(" and %1.CoCausaDesligamento in ('00', '71', '78')").arg(alias) : QString();
        };
        const auto mesmoEmpregado = [](const QString &w) {
            return QStringLiteral("%1.CoPisPasepEmpregado = v.CoPisPasepEmpregado and %1.DaAdmissaoEmpregado = v.DaAdmissaoEmpregado "
                                  "and (v.CoPisPasepEmpregado <> '%2' or %1.NoEmpregado = v.NoEmpregado)")
                .arg(w, kPisZerado);
        };
        // The key fields after the five that make the same employee: an earlier row of the file comes first.
        QStringList resto;
        const QStringList chave = def.primaryIndex()->fields;
        for (int i = 5; i < chave.size(); ++i)
            resto << quotedIdentifier(chave.at(i));
        const auto tupla = [&](const QString &alias) {
            QStringList c;
            for (const QString &r : resto)
                c << alias + QLatin1Char('.') + r;
            return QStringLiteral("(") + c.join(QStringLiteral(", ")) + QStringLiteral(")");
        };
        return QStringLiteral("insert into %1 (%2) select %3 from %4 v "
                              "where v.AnBase = ?1 and v.CoCgcCeiEstabelecimento = ?2 "
                              "and v.NuPrefixoEstabelecimento = ?3%5 "
                              "and not exists (select 1 from %1 b where b.AnBase = ?4 and b.CoCgcCeiEstabelecimento = ?5 "
                              "and b.NuPrefixoEstabelecimento = ?6 and %6) "
                              "and not exists (select 1 from %4 w where w.AnBase = v.AnBase "
                              "and w.CoCgcCeiEstabelecimento = v.CoCgcCeiEstabelecimento "
                              "and w.NuPrefixoEstabelecimento = v.NuPrefixoEstabelecimento%7 and %8 and %9 < %10)")
            .arg(def.qualifiedName(), colunas.join(QStringLiteral(", ")), valores.join(QStringLiteral(", ")),
                 Schema::require(kTe8Vinc).qualifiedName(), causa(QStringLiteral("v")), mesmoEmpregado(QStringLiteral("b")),
                 causa(QStringLiteral("w")),
                 mesmoEmpregado(QStringLiteral("w")), tupla(QStringLiteral("w")), tupla(QStringLiteral("v")));
    }

    void passoPorVinculo()
    {
        if (m_porEstabelecimento)
            return;
        m_acumulado += 100.0 / m_totalVinculos;
        m_progresso.setPosition(int(m_acumulado));
    }

    void novoEstabelecimento()
    {
        m_bd8emp.Append();
        copiaEstabelecimento();
        m_bd8emp.Post();
    }

    // The existing row (found by the existence check) takes the file's data.
    void substituiEstabelecimento()
    {
        m_bd8emp.Edit();
        copiaEstabelecimento();
        m_bd8emp.Post();
    }

    void copiaEstabelecimento()
    {
        m_bd8emp.FieldByName(QStringLiteral("AnBase")).setAsString(m_anoDestino);
        for (const QString &campo : camposCopiadosEstab())
            m_bd8emp.FieldByName(campo).setAsString(m_te8emp.FieldByName(campo).AsString());
        m_bd8emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(m_inscricaoDestino);
        m_bd8emp.FieldByName(QStringLiteral("NuPrefixoEstabelecimento"))
            .setAsString(m_novoPrefixo != kSemNovoPrefixo ? m_novoPrefixo : texto(m_te8emp, "NuPrefixoEstabelecimento"));
        m_bd8emp.FieldByName(QStringLiteral("InSindicalizada"))
            .setAsString(m_anterior ? QString() : texto(m_te8emp, "InSindicalizada"));
        for (const QString &campo : cnpjsEstab()) {
            const QString v = m_te8emp.FieldByName(campo).AsString();
            m_bd8emp.FieldByName(campo).setAsString(v == kCnpjZerado ? QString() : v);
        }
        m_bd8emp.FieldByName(QStringLiteral("InAvisoCnae")).setAsBoolean(m_p.LayoutAnterior);
    }

    const ParametrosImportacao m_p;
    const QString m_anoDestino;
    Progresso &m_progresso;
    const int m_linhas;
    bool m_anterior = false;
    bool m_atual = false;
    Table m_te8emp, m_bd8emp;
    PreparedStatements m_preparados;
    QString m_sqlCausas, m_sqlCopiaAnterior, m_sqlCopiaAtual;
    int m_totalVinculos = 0;
    bool m_porEstabelecimento = true;
    double m_acumulado = 0;
    QString m_novoPrefixo = kSemNovoPrefixo;
    QString m_inscricaoDestino; // the establishment's inscription, a 12-digit CEI completed with "00"
    QList<LinhaTe8Imp> m_linhasImp;
    QHash<QString, int> m_codigos;
    int m_qtdCodigos = 0;
};

} // namespace

ResultadoImportacao ImportaEstabelecimentos(const QList<ChaveEstabelecimento> &escolhidos,
                                            const ParametrosImportacao &parametros, int linhasNaLista,
                                            Progresso &progresso)
{
    Importacao importacao(parametros, linhasNaLista, progresso);
    return importacao.executa(escolhidos);
}

} // namespace gdvorn
