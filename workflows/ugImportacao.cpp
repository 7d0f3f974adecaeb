#include "workflows/ugImportacao.h"

#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
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
    for (const QString &nome : {kTe8Emp, kTe8Vinc, kTe8Imp, QStringLiteral("te8stru")}) {
        execSql(QStringLiteral("DROP TABLE IF EXISTS %1").arg(Schema::require(nome).qualifiedName()), conexao);
        noteDataChanged(conexao, nome);
    }
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

QString ParametrosImportacao::AnoRegistros() const
{
    return InAntecipacao ? AnoDestino() : QString::number(AnoImportacao);
}

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
        : m_p(p), m_anoDestino(p.AnoDestino()), m_anoRegistros(p.AnoRegistros()), m_progresso(progresso),
          m_linhas(std::max(1, linhasNaLista)), m_te8emp(kTe8Emp), m_te8vinc(kTe8Vinc), m_bd8emp(kBd8Emp),
          m_procura(kBd8Vinc), m_novos(kBd8Vinc)
    {
        m_anterior = p.AnoImportacao == Configuracao().AnoBase - 1;
        m_atual = p.AnoImportacao == Configuracao().AnoBase;
        for (Table *t : {&m_te8emp, &m_te8vinc, &m_bd8emp, &m_procura, &m_novos})
            t->Open();
        m_novos.setBulkAppend(true);
        m_totalVinculos = m_te8vinc.RecordCount();
        m_porEstabelecimento = m_totalVinculos == 0 || m_totalVinculos <= 10 * linhasNaLista;
        const TableDef &def = m_novos.definition();
        for (int i = 0; i < def.fields.size(); ++i) {
            const QString &nome = def.fields.at(i).name;
            if (nome == QLatin1String("AnBase") || nome == QLatin1String("NuPrefixoEstabelecimento") ||
                nome == QLatin1String("CoCgcCeiEstabelecimento") ||
                nome == QLatin1String("NuSequencialRegistro") || nome == QLatin1String("CoMotivoAfastamento"))
                continue;
            Campo c{i, Campo::Copia};
            if (nome.startsWith(QLatin1String("CoCNPJ")))
                c.regra = Campo::Cnpj;
            else if (nome.startsWith(QLatin1String("HoTrabalhadas")))
                c.regra = Campo::Horas;
            else if (nome == QLatin1String("InSindicalizadoVinculo") || nome == QLatin1String("CoDeficienteFisico"))
                c.regra = Campo::VazioNoAnterior;
            else if (nome == QLatin1String("QtDiasAfas"))
                c.regra = Campo::DiasAfastamento;
            m_camposVinculo << c;
        }
        m_iAnBase = def.fieldIndex(QStringLiteral("AnBase"));
        m_iPrefixo = def.fieldIndex(QStringLiteral("NuPrefixoEstabelecimento"));
        m_iInscricao = def.fieldIndex(QStringLiteral("CoCgcCeiEstabelecimento"));
        m_iPis = def.fieldIndex(QStringLiteral("CoPisPasepEmpregado"));
        m_iAdmissao = def.fieldIndex(QStringLiteral("DaAdmissaoEmpregado"));
        m_iNome = def.fieldIndex(QStringLiteral("NoEmpregado"));
        m_iCausa = def.fieldIndex(QStringLiteral("CoCausaDesligamento"));
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
        m_novos.setBulkAppend(false);
        transacao.commit();
        return ResultadoImportacao::Concluida;
    }

private:
    struct Campo {
        enum Regra { Copia, Cnpj, Horas, VazioNoAnterior, DiasAfastamento };
        int indice;
        Regra regra;
    };

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
                if (!vinculosAnteriores(l, nullptr, passaram))
                    return false;
                if (passaram > 0 && !gravado)
                    novoEstabelecimento();
            } else if (semEmpregadosNaBase) {
                int passaram = 0;
                if (!vinculosAnteriores(l, &l, passaram))
                    return false;
                if (passaram > 0)
                    substituiEstabelecimento();
            } else {
                int passaram = 0;
                if (!vinculosAnteriores(l, nullptr, passaram))
                    return false;
            }
        } else if (m_atual) {
            if (existe && semEmpregadosNaBase) {
                substituiEstabelecimento();
                registra(l, QStringLiteral("1502"));
            } else if (!existe) {
                novoEstabelecimento();
            }
            if (!vinculosAtuais(l))
                return false;
        } else {
            return true;
        }
        RecontaVinculosEstab(destino);
        return true;
    }

    // The previous year's links of the work establishment: a key search and a walk while year, inscription
    // and prefix match. `codigos` set: "1502" before each copy, "1504" for each link skipped.
    bool vinculosAnteriores(LinhaTe8Imp &l, LinhaTe8Imp *codigos, int &passaram)
    {
        if (!m_te8vinc.FindKey({l.chave.AnBase, l.chave.Inscricao, l.chave.Prefixo}))
            return true;
        for (; !m_te8vinc.Eof(); m_te8vinc.Next()) {
            if (m_te8vinc.Fields(m_iAnBase).AsString() != l.chave.AnBase ||
                m_te8vinc.Fields(m_iInscricao).AsString() != l.chave.Inscricao ||
                m_te8vinc.Fields(m_iPrefixo).AsString() != l.chave.Prefixo)
                break;
            if (m_progresso.Interrompido())
                return false;
            const QString causa = m_te8vinc.Fields(m_iCausa).AsString();
            if (causa == QLatin1String("00") || causa == QLatin1String("71") || causa == QLatin1String("78")) {
                ++passaram;
                if (codigos)
                    registra(*codigos, QStringLiteral("1502"));
                passoPorVinculo();
                copiaVinculo(m_te8vinc, l, true);
            } else {
                ++l.desligados;
                if (codigos)
                    registra(*codigos, QStringLiteral("1504"));
            }
        }
        return true;
    }

    // Every link of the work establishment, whatever its dismissal cause.
    bool vinculosAtuais(LinhaTe8Imp &l)
    {
        Query q;
        q.setSql(QStringList{QStringLiteral("select * from te8vinc"),
                             QStringLiteral("where CoCgcCeiEstabelecimento = :Inscricao"),
                             QStringLiteral("and NuPrefixoEstabelecimento = :Prefixo"),
                             QStringLiteral("and AnBase = :Ano")});
        q.ParamByName(QStringLiteral("Inscricao")).setAsStored(kTe8Vinc, QStringLiteral("CoCgcCeiEstabelecimento"), l.chave.Inscricao);
        q.ParamByName(QStringLiteral("Prefixo")).setAsStored(kTe8Vinc, QStringLiteral("NuPrefixoEstabelecimento"), l.chave.Prefixo);
        q.ParamByName(QStringLiteral("Ano")).setAsStored(kTe8Vinc, QStringLiteral("AnBase"), l.chave.AnBase);
        q.Open();
        for (; !q.Eof(); q.Next()) {
            if (m_progresso.Interrompido())
                return false;
            passoPorVinculo();
            copiaVinculo(q, l, false);
        }
        return true;
    }

    void passoPorVinculo()
    {
        if (m_porEstabelecimento)
            return;
        m_acumulado += 100.0 / m_totalVinculos;
        m_progresso.setPosition(int(m_acumulado));
    }

    // The link under `origem`'s cursor into BD8VINC, unless it is there already.
    void copiaVinculo(RecordSource &origem, LinhaTe8Imp &l, bool anterior)
    {
        const auto valor = [&](int i) { return Field(&origem, i).AsString(); };
        const QString prefixo = m_novoPrefixo != kSemNovoPrefixo ? m_novoPrefixo : valor(m_iPrefixo);
        const QString pis = valor(m_iPis);
        QStringList chave{m_anoDestino, m_inscricaoDestino, prefixo, pis, valor(m_iAdmissao)};
        if (pis == kPisZerado)
            chave << valor(m_iNome);
        if (m_procura.FindKey(chave)) {
            ++l.duplicados;
            return;
        }
        m_novos.Append();
        m_novos.setFieldText(m_iAnBase, m_anoDestino);
        m_novos.setFieldText(m_iPrefixo, prefixo);
        m_novos.setFieldText(m_iInscricao, m_inscricaoDestino);
        for (const Campo &c : m_camposVinculo) {
            QString v;
            switch (c.regra) {
            case Campo::Copia: v = valor(c.indice); break;
            case Campo::Cnpj:
                v = valor(c.indice);
                if (v == kCnpjZerado)
                    v.clear();
                break;
            case Campo::Horas: v = anterior ? QStringLiteral("000") : valor(c.indice); break;
            case Campo::VazioNoAnterior:
                if (!anterior)
                    v = valor(c.indice);
                break;
            case Campo::DiasAfastamento:
                v = valor(c.indice);
                if (anterior && v.isEmpty())
                    v = QStringLiteral("000");
                break;
            }
            m_novos.setFieldText(c.indice, v);
        }
        m_novos.Post();
        ++l.importados;
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
    const QString m_anoRegistros;
    Progresso &m_progresso;
    const int m_linhas;
    bool m_anterior = false;
    bool m_atual = false;
    Table m_te8emp, m_te8vinc, m_bd8emp;
    Table m_procura; // BD8VINC by its key: the duplicate test
    Table m_novos;   // BD8VINC: the links appended
    QList<Campo> m_camposVinculo;
    int m_iAnBase = 0, m_iPrefixo = 0, m_iInscricao = 0, m_iPis = 0, m_iAdmissao = 0, m_iNome = 0, m_iCausa = 0;
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
