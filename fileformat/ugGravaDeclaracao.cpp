#include "fileformat/ugGravaDeclaracao.h"

#include "app/base/Database.h"
#include "app/base/DurableFile.h"
#include "app/base/Presenter.h"
#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/base/Statement.h"
#include "app/base/Table.h"
#include "app/ugConfiguracao.h"
#include "app/ugDrives.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "fileformat/ugHashVorn.h"
#include "fileformat/ugLayoutVorn.h"
#include "fileformat/ugProtocolo.h"
#include "fileformat/ugRegistrosVorn.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>
#include <vector>

namespace gdvorn {

namespace {

// The progress of the running writer, for CancelaGravacao.
Progresso *g_progressoGravacao = nullptr;

constexpr qint64 kReserva = 3552;          // kept free before any record
constexpr qint64 kReservaComVinculos = 4104; // one record more before an establishment with links

const QString kZeros8 = QStringLiteral("00000000");

QString campo(Table &t, const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); }

class Gravador {
public:
    Gravador(const QString &unidade, bool tabelasTrabalho, bool retificacao, const QString &dataGeracao,
             const QString &horaGeracao, Progresso &progresso)
        : m_unidade(unidade.toUpper()), m_disquete(EhDisquete(unidade)), m_tabelasTrabalho(tabelasTrabalho),
          m_retificacao(retificacao), m_dataGeracao(dataGeracao), m_horaGeracao(horaGeracao), m_progresso(progresso),
          m_pasta(PastaDaUnidade(unidade)),
          m_resp(retificacao || tabelasTrabalho ? QStringLiteral("te8resp") : QStringLiteral("bd8resp")),
          m_estab(tabelasTrabalho ? QStringLiteral("te8emp") : QStringLiteral("bd8emp")),
          m_vinc(retificacao || tabelasTrabalho ? QStringLiteral("te8vinc") : QStringLiteral("bd8vinc"))
    {
        // The link table is the long walk: read only what the records take.
        m_vinc.setFieldDeclarations(CamposDoRegistro(
            2, Schema::require(m_vinc.TableName()),
            {QStringLiteral("AnBase"), QStringLiteral("CoCgcCeiEstabelecimento"), QStringLiteral("NuPrefixoEstabelecimento")}));
    }

    quint8 executa(const QList<ChaveEstabelecimento> *lista, const QString &bancoDados);

private:
    bool interrompido();
    qint64 capacidade() const;
    QString nomeVolume() const { return nomeVolume(m_volume); }
    QString nomeVolume(int volume) const;
    bool removeVolumesAnteriores();
    void naoPodeExcluir(const QString &dec);
    QString caminho(const QString &nome) const { return m_pasta + QLatin1Char('/') + nome; }
    void removeParciais() const;

    void preparaContexto();
    int totalDoProgresso(const QList<ChaveEstabelecimento> *lista);
    int contaVinculos(const QString &ano, const QString &inscricao, const QString &prefixo);
    bool gravaEstabelecimento();
    QString sqlVinculos() const;
    bool AbreVolume();
    bool fechaVolume(); // trailer, seal, write, close
    void escreve(const TMontadorRegistro &montador, const RecordSource &linha);
    char *novoRegistro();
    bool escreveCabecalho();
    bool escreveEstabelecimento();
    bool escreveVinculo(sqlite3_stmt *linha);
    void avanca() { m_progresso.setPosition(m_progresso.position() + 1); }

    const QString m_unidade;
    const bool m_disquete;
    const bool m_tabelasTrabalho;
    const bool m_retificacao;
    const QString m_dataGeracao;
    const QString m_horaGeracao;
    Progresso &m_progresso;
    const QString m_pasta;

    Table m_resp;
    Table m_estab;
    Table m_vinc; // opened for its checks; the links are read by m_consultas
    PreparedStatements m_consultas;
    std::vector<QByteArrayView> m_camposVinculo; // the engine's text of the link being written
    std::unique_ptr<TMontadorRegistro> m_montaCabecalho, m_montaEstab, m_montaVinculo, m_montaTrailer;
    TContextoRegistro m_ctx;
    TProtocoloGravacao m_protocolo;

    int m_volume = 0;
    int m_volumesAbertos = 0;
    qint64 m_contados = 0;
    qint64 m_capacidade = 0;
    int m_tipoUm = 0;
    int m_tipoDois = 0;
    bool m_aberto = false;
    bool m_cancelado = false;     // interrupted or a question refused
    bool m_erroGravacao = false;  // the current volume is deleted
    bool m_falha = false;         // the run failed without a volume to delete
    bool m_sobrescrever = false;
    QString m_radical;
    std::unique_ptr<DurableFile> m_arquivo; // under its partial name until it is whole
    QByteArray m_bytes;        // the volume's records, written to m_arquivo when it is whole
    QString m_final;           // the name it takes when whole
    QStringList m_completos;   // the volumes of this run under their final names
};

bool Gravador::interrompido()
{
    if (m_progresso.Interrompido()) {
        m_cancelado = true;
        return true;
    }
    return false;
}

qint64 Gravador::capacidade() const
{
    if (!m_disquete)
        return CapacidadeVolume;
    // No diskette holds more: a larger medium would pass the six digits of the sequence numbers.
    return std::min(TamanhoDisco(m_unidade), CapacidadeVolume);
}

QString Gravador::nomeVolume(int volume) const
{
    return m_radical + (volume < 10 ? QStringLiteral("0") : QString()) + QString::number(volume) +
           (m_retificacao ? QLatin1Char('R') : QLatin1Char('G'));
}

void Gravador::naoPodeExcluir(const QString &dec)
{
    presenter().show(MessageKind::Information, QStringLiteral("O arquivo \"") + dec + QStringLiteral(".\" não pode ser excluido."),
                     {MessageButton::Ok});
    m_falha = true;
}

// Before the first volume of the run takes its name: the volumes that follow it in an earlier run of the
// same declaration go (a transmitted one, with its receipt, stays), so that a run ended between two
// renames leaves the new volumes alone, never beside old ones as one set.
bool Gravador::removeVolumesAnteriores()
{
    bool removido = false;
    for (int n = m_volume + 1;; ++n) {
        const QString nome = nomeVolume(n);
        const QString dec = nome + QStringLiteral(".dec");
        if (!QFileInfo::exists(caminho(dec)))
            break;
        if (QFileInfo::exists(caminho(nome + QStringLiteral(".rec"))))
            continue;
        if (!QFile::remove(caminho(dec))) {
            naoPodeExcluir(dec);
            return false;
        }
        removido = true;
    }
    if (removido)
        syncFolder(m_pasta);
    return true;
}

void Gravador::preparaContexto()
{
    const TConfiguracao &cfg = Configuracao();
    m_ctx.Retificacao = m_retificacao;
    m_ctx.Crea = cfg.Crea;
    m_ctx.Versao = cfg.Versao;
    m_ctx.ModoParticao = cfg.ModoParticao;
    m_ctx.AnoBase = cfg.AnoBase;
    m_ctx.CodigoSO = cfg.CodigoSO;
    m_ctx.TabelasTrabalho = m_tabelasTrabalho;

    const QString data = m_dataGeracao.isEmpty() ? kZeros8 : m_dataGeracao;
    const QString daRetificacao = FormataCampo(campo(m_resp, "DaRetificacao"), 8);
    const QString daGeracao = FormataCampo(campo(m_resp, "DaGeracao"), 8);
    if (!m_tabelasTrabalho) {
        m_ctx.DataRetificacao = m_retificacao ? data : kZeros8;
        m_ctx.DataGeracao = data;
    } else if (!m_retificacao) {
        m_ctx.DataRetificacao = daRetificacao;
        m_ctx.DataGeracao = daGeracao;
    } else {
        m_ctx.DataRetificacao = daRetificacao.trimmed().isEmpty() ? data : daRetificacao;
        m_ctx.DataGeracao = daGeracao.trimmed().isEmpty() ? data : daGeracao;
    }

    m_montaCabecalho = std::make_unique<TMontadorRegistro>(0, m_resp.FieldNames());
    m_montaEstab = std::make_unique<TMontadorRegistro>(1, m_estab.FieldNames());
    m_montaVinculo = std::make_unique<TMontadorRegistro>(2, m_vinc.FieldNames());
    m_camposVinculo.assign(std::size_t(m_vinc.FieldCount()), QByteArrayView());
    m_montaTrailer = std::make_unique<TMontadorRegistro>(9, m_resp.FieldNames());
}

int Gravador::contaVinculos(const QString &ano, const QString &inscricao, const QString &prefixo)
{
    Query q;
    q.setSql(QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :c "
                            "AND NuPrefixoEstabelecimento = :p")
                 .arg(m_vinc.definition().qualifiedName()));
    q.ParamByName(QStringLiteral("a")).setAsStored(m_vinc.TableName(), QStringLiteral("AnBase"), ano);
    q.ParamByName(QStringLiteral("c")).setAsStored(m_vinc.TableName(), QStringLiteral("CoCgcCeiEstabelecimento"), inscricao);
    q.ParamByName(QStringLiteral("p")).setAsStored(m_vinc.TableName(), QStringLiteral("NuPrefixoEstabelecimento"), prefixo);
    q.Open();
    return q.FieldByName(QStringLiteral("n")).AsInteger();
}

int Gravador::totalDoProgresso(const QList<ChaveEstabelecimento> *lista)
{
    int total = 0;
    const auto conta = [&] {
        total += 1;
        if (campo(m_estab, "InVornNegEstabelecimento") == QLatin1String("0"))
            total += contaVinculos(campo(m_estab, "AnBase"), campo(m_estab, "CoCgcCeiEstabelecimento"),
                                   campo(m_estab, "NuPrefixoEstabelecimento"));
    };
    if (lista) {
        for (const ChaveEstabelecimento &k : *lista)
            if (m_estab.FindKey({k.AnBase, k.Inscricao, k.Prefixo}))
                conta();
    } else {
        for (m_estab.First(); !m_estab.Eof(); m_estab.Next())
            conta();
    }
    return total;
}

// The place of the next record at the end of the volume, its CR LF already there.
char *Gravador::novoRegistro()
{
    const qsizetype fim = m_bytes.size();
    m_bytes.resize(fim + TamanhoLinhaVorn);
    char *registro = m_bytes.data() + fim;
    registro[TamanhoRegistroVorn] = '\r';
    registro[TamanhoRegistroVorn + 1] = '\n';
    return registro;
}

void Gravador::escreve(const TMontadorRegistro &montador, const RecordSource &linha)
{
    montador.MontaBytes(linha, m_ctx, novoRegistro());
}

bool Gravador::escreveCabecalho()
{
    if (interrompido())
        return false;
    m_ctx.Sequencial = 1;
    escreve(*m_montaCabecalho, m_resp);
    return true;
}

bool Gravador::escreveEstabelecimento()
{
    if (interrompido())
        return false;
    m_protocolo.AntesDoEstabelecimento();
    m_ctx.Inscricao = campo(m_estab, "CoCgcCeiEstabelecimento");
    m_ctx.Prefixo = campo(m_estab, "NuPrefixoEstabelecimento");
    escreve(*m_montaEstab, m_estab);
    ++m_tipoUm;
    m_contados += TamanhoLinhaVorn;
    ++m_ctx.Sequencial;
    m_protocolo.DepoisDoEstabelecimento(m_volume, m_estab, m_resp, m_retificacao, m_dataGeracao, m_horaGeracao);
    return true;
}

bool Gravador::escreveVinculo(sqlite3_stmt *linha)
{
    if (interrompido())
        return false;
    for (int i = 0; i < int(m_camposVinculo.size()); ++i)
        m_camposVinculo[std::size_t(i)] = QByteArrayView(reinterpret_cast<const char *>(sqlite3_column_text(linha, i)),
                                                         sqlite3_column_bytes(linha, i));
    m_montaVinculo->MontaBytes(m_camposVinculo.data(), m_ctx, novoRegistro());
    ++m_tipoDois;
    m_contados += TamanhoLinhaVorn;
    ++m_ctx.Sequencial;
    m_protocolo.Vinculo();
    return true;
}

bool Gravador::fechaVolume()
{
    if (interrompido())
        return false;
    m_ctx.TotalTipoUm = m_tipoUm;
    m_ctx.TotalTipoDois = m_tipoDois;
    escreve(*m_montaTrailer, m_resp);
    m_protocolo.FimDoVolume(m_tipoUm, m_tipoDois);
    if (!Configuracao().ModoParticao) {
        switch (SelaVolume(m_bytes, &m_progresso)) {
        case ResultadoSelo::Selado: break;
        case ResultadoSelo::Interrompido: m_cancelado = true; return false;
        case ResultadoSelo::ErroGravacao: m_erroGravacao = true; return false;
        }
    }
    m_aberto = false;
    if (m_arquivo->write(m_bytes) != m_bytes.size() || !m_arquivo->sync()) {
        m_erroGravacao = true;
        return false;
    }
    if (m_completos.isEmpty() && !removeVolumesAnteriores())
        return false;
    if (!m_arquivo->commit()) {
        m_erroGravacao = true;
        return false;
    }
    m_arquivo.reset();
    m_completos << m_final;
    return true;
}

void Gravador::removeParciais() const
{
    const QDir pasta(m_pasta);
    for (const QString &f : pasta.entryList({QStringLiteral("*.dec") + kSufixoParcial}, QDir::Files | QDir::Hidden))
        QFile::remove(pasta.filePath(f));
}

bool Gravador::AbreVolume()
{
    if (m_aberto && !fechaVolume())
        return false;
    ++m_volume;
    ++m_volumesAbertos;
    bool repete = false;
    TConfiguracao &cfg = Configuracao();
    for (;;) {
        if (m_radical.isEmpty())
            m_radical = QStringLiteral("Vorn") + QString::number(cfg.AnoBase) + QLatin1Char('_') +
                        campo(m_estab, "CoCgcCeiEstabelecimento") + campo(m_estab, "NuPrefixoEstabelecimento");
        const QString nome = nomeVolume();
        const QString dec = nome + QStringLiteral(".dec");

        if (m_disquete) {
            if ((m_volume >= 2 || repete) && !PedeDisquete(m_unidade, m_volume)) {
                m_cancelado = true;
                return false;
            }
            if (!AguardaDisquete(m_unidade)) {
                m_cancelado = true;
                return false;
            }
        }
        if (m_volumesAbertos >= 2)
            cfg.VariosArquivos = 1;
        // What a run ended by force left half written (the current run has none open here).
        removeParciais();

        if (m_disquete && (DisqueteTemArquivos(m_unidade, faDirectory | faArchive) ||
                           (DestinoComArquivos(m_unidade, faDirectory | faArchive) &&
                            !ExisteArquivoNoDestino(m_unidade, faArchive, dec)))) {
            presenter().show(MessageKind::Information, QStringLiteral("O disco a ser gravado não pode conter arquivos."),
                             {MessageButton::Ok});
            repete = true;
            continue;
        }

        if (DestinoComArquivos(m_unidade, faArchive) && ExisteArquivoNoDestino(m_unidade, faArchive, dec)) {
            const QString onde = QLatin1Char('"') + dec + QStringLiteral("\" no drive ") + m_unidade +
                                 QStringLiteral(": .\n");
            if (ExisteArquivoNoDestino(m_unidade, faArchive, nome + QStringLiteral(".rec"))) {
                const MessageButton b = presenter().show(
                    MessageKind::Confirmation,
                    QStringLiteral(" A declaração ") + onde +
                        QStringLiteral("já foi transmitida. Deseja gravar mesmo assim? (O arquivo existente será preservado)"),
                    {MessageButton::Yes, MessageButton::No});
                if (b != MessageButton::Yes) {
                    m_cancelado = true;
                    return false;
                }
                ++m_volume;
                continue;
            }
            if (!m_sobrescrever) {
                const MessageButton b = presenter().show(
                    MessageKind::Confirmation,
                    QStringLiteral("Existe um arquivo de nome ") + onde + QStringLiteral("Autoriza gravar sobre?"),
                    {MessageButton::Yes, MessageButton::No});
                if (b != MessageButton::Yes) {
                    m_cancelado = true;
                    return false;
                }
                m_sobrescrever = true;
            }
            if (!QFile::remove(caminho(dec))) {
                naoPodeExcluir(dec);
                return false;
            }
        }

        m_capacidade = capacidade();
        if (m_capacidade < CapacidadeMinima) {
            presenter().show(MessageKind::Information,
                             QStringLiteral("Espaço disponível para gravação abaixo do mínimo aceitável."),
                             {MessageButton::Ok});
            m_falha = true;
            return false;
        }

        cfg.CaminhoArquivoGerado = caminho(dec);
        cfg.NomeArquivoGerado = nome;
        cfg.QtdArquivos = m_volumesAbertos;
        if (!m_disquete)
            QDir().mkpath(m_pasta);
        m_final = caminho(dec);
        m_arquivo = std::make_unique<DurableFile>(m_final);
        if (!m_arquivo->open(QIODevice::WriteOnly)) {
            presenter().show(MessageKind::Information, QStringLiteral("Disco com problema ou não há disco na unidade."),
                             {MessageButton::Ok});
            if (!m_disquete) {
                // Nothing the user can do here would make the folder writable: asking again would never end.
                m_falha = true;
                return false;
            }
            repete = true;
            continue;
        }
        m_aberto = true;
        m_bytes.clear();
        m_bytes.reserve(m_capacidade);
        m_ctx.Inscricao = campo(m_estab, "CoCgcCeiEstabelecimento");
        m_ctx.Prefixo = campo(m_estab, "NuPrefixoEstabelecimento");
        if (!escreveCabecalho())
            return false;
        m_contados = 0;
        m_ctx.Sequencial = 2;
        m_tipoUm = m_tipoDois = 0;
        return true;
    }
}

bool Gravador::gravaEstabelecimento()
{
    const bool comVinculos = campo(m_estab, "InVornNegEstabelecimento") == QLatin1String("0");
    if (m_contados >= m_capacidade - kReserva || (comVinculos && m_contados >= m_capacidade - kReservaComVinculos))
        if (!AbreVolume())
            return false;
    if (!escreveEstabelecimento())
        return false;
    avanca();
    if (!comVinculos)
        return true;

    Statement vinculos(m_consultas, sqlVinculos(), m_vinc.connection(), m_vinc.TableName());
    // The walk leaves the statement reset, whichever way it ends.
    struct Reinicia {
        Statement &s;
        ~Reinicia() { s.reset(); }
    } reinicia{vinculos};
    int posicao = 1;
    for (const char *chave : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"})
        vinculos.bindStored(posicao++, campo(m_estab, chave), m_vinc.FieldByName(QLatin1String(chave)).Size());
    while (vinculos.step()) {
        if (m_contados >= m_capacidade - kReserva && (!AbreVolume() || !escreveEstabelecimento()))
            return false;
        if (!escreveVinculo(vinculos.handle()))
            return false;
        avanca();
    }
    return true;
}

// The links of one establishment (its key bound to parameters 1-3) in the link table's key order, with
// the fields the records read.
QString Gravador::sqlVinculos() const
{
    QStringList colunas, ordem;
    for (const QString &f : m_vinc.FieldNames())
        colunas << quotedIdentifier(f);
    for (const QString &f : m_vinc.definition().primaryIndex()->fields)
        ordem << quotedIdentifier(f);
    ordem << QStringLiteral("rowid");
    return QStringLiteral("SELECT %1 FROM %2 WHERE \"AnBase\" = ? AND \"CoCgcCeiEstabelecimento\" = ? AND "
                          "\"NuPrefixoEstabelecimento\" = ? ORDER BY %3")
        .arg(colunas.join(QStringLiteral(", ")), m_vinc.definition().qualifiedName(), ordem.join(QStringLiteral(", ")));
}

quint8 Gravador::executa(const QList<ChaveEstabelecimento> *lista, const QString &bancoDados)
{
    m_progresso.setPosition(0);
    if (!CriaTabelaProtocolo(bancoDados) || !CriaTabelaProtocoloEstab(bancoDados)) {
        ExcluiTabelasProtocolo();
        return ResultadoGravacao::ErroGravacao;
    }

    bool concluida = false;
    {
        Transaction transacao;
        m_protocolo.Abre();
        m_resp.Open();
        m_estab.Open();
        m_vinc.Open();
        m_resp.First();
        preparaContexto();

        m_progresso.setRange(0, totalDoProgresso(lista));
        m_progresso.setPosition(0);

        if (!AguardaDisquete(m_unidade)) {
            m_cancelado = true;
        } else {
            m_capacidade = capacidade();
            m_contados = m_capacidade - kReserva;
            bool ok = true;
            if (lista) {
                for (const ChaveEstabelecimento &k : *lista) {
                    if (!m_estab.FindKey({k.AnBase, k.Inscricao, k.Prefixo})) {
                        presenter().show(MessageKind::Error,
                                         QStringLiteral("Erro na leitura dos dados para gravação do arquivo Vorn") +
                                             QString::number(Configuracao().AnoBase) + QLatin1Char('!'),
                                         {MessageButton::Ok});
                        m_erroGravacao = true;
                        ok = false;
                        break;
                    }
                    if (!(ok = gravaEstabelecimento()))
                        break;
                }
            } else {
                for (m_estab.First(); ok && !m_estab.Eof(); m_estab.Next())
                    ok = gravaEstabelecimento();
            }
            if (ok && m_aberto)
                fechaVolume();
        }

        // A volume that was cut short never takes its name; after a failure the whole volumes of the run
        // go too (a confirmed interruption keeps them).
        m_arquivo.reset();
        m_aberto = false;
        if (m_erroGravacao || m_falha)
            for (const QString &v : std::as_const(m_completos))
                QFile::remove(v);

        concluida = !m_erroGravacao && !m_cancelado && !m_falha;
        if (concluida) {
            m_protocolo.Fecha();
            transacao.commit();
        }
        m_protocolo.Fecha();
        m_resp.Close();
        m_estab.Close();
        m_vinc.Close();
    }
    m_sobrescrever = false;
    if (!concluida)
        ExcluiTabelasProtocolo();
    if (m_erroGravacao)
        return ResultadoGravacao::ErroGravacao;
    if (m_cancelado)
        return ResultadoGravacao::Interrompida;
    if (m_falha)
        return ResultadoGravacao::ErroGravacao;
    m_progresso.processaEventos(true);
    return ResultadoGravacao::Concluida;
}

} // namespace

quint8 GravaDeclaracao(const QList<ChaveEstabelecimento> *Lista, const QString &Unidade, const QString &BancoDados,
                       const QString &HoraGeracao, const QString &DataGeracao, bool TabelasTrabalho,
                       bool EhRetificacao, Progresso *progresso)
{
    // The count of volumes tells of the last run only.
    Configuracao().VariosArquivos = 0;
    Progresso semBarra;
    Progresso &p = progresso ? *progresso : semBarra;
    p.limpaCancelamento();
    ProgressoEmCurso emCurso(g_progressoGravacao, &p);
    Gravador g(Unidade, TabelasTrabalho, EhRetificacao, DataGeracao, HoraGeracao, p);
    return g.executa(Lista, BancoDados);
}

void CancelaGravacao()
{
    if (g_progressoGravacao)
        g_progressoGravacao->solicitaCancelamento();
}

} // namespace gdvorn
