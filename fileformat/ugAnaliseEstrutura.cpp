#include "fileformat/ugAnaliseEstrutura.h"

#include "app/base/Presenter.h"
#include "app/base/Progresso.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugAnaliseEstruturaExecucao.h"
#include "fileformat/ugRegistrosVorn.h"
#include "fileformat/ugTerminadorVorn.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cstring>

namespace gdvorn {

namespace {

constexpr unsigned char CR = 13;
constexpr unsigned char LF = 10;
constexpr qint64 BlocoCopia = 32766;
constexpr qint64 BufferMaximo = 32767;
constexpr int PercentualCopia = 8;

QString ByteToHex(unsigned char b) { return QStringLiteral("%1").arg(uint(b), 2, 16, QLatin1Char('0')).toUpper(); }

// Copies `origem` into `copia` in blocks, moving the progress from 0 to 8. False on any I/O error.
bool copiaArquivo(const QString &origem, QTemporaryFile &copia, Progresso &progresso)
{
    QFile entrada(origem);
    if (!entrada.open(QIODevice::ReadOnly))
        return false;
    const qint64 total = entrada.size();
    QByteArray bloco(BlocoCopia, Qt::Uninitialized);
    qint64 copiados = 0;
    for (;;) {
        const qint64 lidos = entrada.read(bloco.data(), BlocoCopia);
        if (lidos < 0)
            return false;
        if (lidos == 0)
            break;
        if (copia.write(bloco.constData(), lidos) != lidos)
            return false;
        copiados += lidos;
        if (total > 0)
            progresso.setPosition(int(std::min<qint64>(copiados, total) * PercentualCopia / total));
    }
    return copia.flush() && copia.seek(0);
}

} // namespace

// ---- the record under examination -----------------------------------------------------------------

bool TAnaliseEstrutura::Execucao::tudoDigitos(int inicio, int tamanho) const
{
    return primeiroNaoDigito(inicio, tamanho) == 0;
}

int TAnaliseEstrutura::Execucao::primeiroNaoDigito(int inicio, int tamanho) const
{
    for (int p = inicio; p < inicio + tamanho; ++p) {
        const unsigned char b = byte(p);
        if (b < '0' || b > '9')
            return p;
    }
    return 0;
}

bool TAnaliseEstrutura::Execucao::asciiImprimivel(int inicio, int tamanho) const
{
    return primeiroNaoImprimivel(inicio, tamanho) == 0;
}

int TAnaliseEstrutura::Execucao::primeiroNaoImprimivel(int inicio, int tamanho) const
{
    for (int p = inicio; p < inicio + tamanho; ++p) {
        const unsigned char b = byte(p);
        if (b < 32 || b > 126 || p > disponivel)
            return p;
    }
    return 0;
}

QString TAnaliseEstrutura::Execucao::bytes(int inicio, int tamanho) const
{
    const int n = std::clamp(disponivel - inicio + 1, 0, tamanho);
    return DecodificaCp1252(QByteArray::fromRawData(reinterpret_cast<const char *>(registro) + inicio - 1, n));
}

bool TAnaliseEstrutura::Execucao::imprimivel(unsigned char b)
{
    return (b >= 32 && b <= 126) || CaractereCp1252(b).isLetter();
}

QString TAnaliseEstrutura::Execucao::mostra(unsigned char b)
{
    return imprimivel(b) ? QString(CaractereCp1252(b)) : ByteToHex(b) + QStringLiteral("(hexadecimal)");
}

// ---- findings ----------------------------------------------------------------------------------------

void TAnaliseEstrutura::Execucao::ocorrencia(int codigo, const QList<LinhaOcorrencia> &descricao)
{
    codigoOcorrencia = codigo;
    const auto *prev = reinterpret_cast<const unsigned char *>(anterior.constData());
    const auto imprimivel16 = [](const unsigned char *r, int n) {
        if (n < 22)
            return false;
        for (int p = 7; p <= 22; ++p)
            if (r[p - 1] < 32 || r[p - 1] > 126)
                return false;
        return true;
    };
    for (const LinhaOcorrencia &l : descricao) {
        const unsigned char *r = l.anterior ? prev : registro;
        const int n = l.anterior ? TamanhoRegistroVorn : disponivel;
        bool seqNumerica = n >= 6;
        for (int p = 0; seqNumerica && p < 6; ++p)
            seqNumerica = r[p] >= '0' && r[p] <= '9';
        const QString seqTexto = seqNumerica ? QString::fromLatin1(reinterpret_cast<const char *>(r), 6) : QString();
        QString sequencia;
        if (l.anterior)
            sequencia = codigo != 1902 && seqNumerica ? seqTexto : CompletaZeros(QString::number(seqAnterior), 6);
        else if (codigo != 1902 && seqNumerica && seqTexto.toInt() == seqAnterior + 1)
            sequencia = seqTexto;
        else
            sequencia = CompletaZeros(QString::number(seqAnterior + 1), 6);
        const QString inscricaoPrefixo =
            imprimivel16(r, n) ? QString::fromLatin1(reinterpret_cast<const char *>(r) + 6, 16) : QString();
        linhas << QVector<QString>{anoBase, QString::number(codigo), sequencia, inscricaoPrefixo,
                                   l.tipoCampo, l.posicao, l.conteudo};
    }
}

void TAnaliseEstrutura::Execucao::ocorrenciaOrdem(int codigo)
{
    const QString tipoAnt{QLatin1Char(tipoAnterior)};
    ocorrencia(codigo, {{true, QStringLiteral("1"), QString(), tipoAnt},
                        {false, QStringLiteral("1"), QString(), QString(QLatin1Char(tipo()))}});
}

void TAnaliseEstrutura::Execucao::ocorrenciaIndicador(int codigo)
{
    const auto indicador = static_cast<unsigned char>(anterior.at(279));
    ocorrencia(codigo, {{true, QStringLiteral("1"), QString(), QString(QLatin1Char(tipoAnterior))},
                        {true, QStringLiteral("2"), QString(), mostra(indicador)},
                        {false, QStringLiteral("1"), QString(), QString(QLatin1Char(tipo()))}});
}

// ---- the run ------------------------------------------------------------------------------------------

TAnaliseEstrutura::Execucao::Execucao(TAnaliseEstrutura &analisador, const QString &conexao_, int ano,
                                      bool importacao)
    : a(analisador), conexao(conexao_), anoBase(CompletaZeros(QString::number(ano), 4)), modoImportacao(importacao),
      anterior(TamanhoRegistroVorn + 28, '\0'), insercoes(conexao_)
{
}

TAnaliseEstrutura::Execucao::~Execucao() = default;

TAnaliseEstrutura::TAnaliseEstrutura() = default;
TAnaliseEstrutura::~TAnaliseEstrutura() = default;

void TAnaliseEstrutura::Interrompe()
{
    if (m_progresso)
        m_progresso->solicitaCancelamento();
}

quint8 TAnaliseEstrutura::AnalisaArquivo(const QString &Arquivo, int AnoBase, bool ModoImportacao,
                                         int &QtdEstabelecimentos, int &QtdVinculos, const QString &PastaTrabalho,
                                         Progresso *progresso, const QString &conexao)
{
    Progresso semBarra;
    Progresso &barra = progresso ? *progresso : semBarra;
    m_progresso = &barra;
    struct Solta {
        Progresso *&p;
        ~Solta() { p = nullptr; }
    } solta{m_progresso};

    QtdEstabelecimentos = 0;
    QtdVinculos = 0;
    TamanhoRegistro = TamanhoRegistroVorn;
    if (LayoutAnterior)
        PreencheLayoutAnterior(m_layout);
    else
        PreencheLayoutAtual(m_layout);
    barra.limpaCancelamento();
    barra.setRange(0, 100);
    barra.setPosition(0);

    // The working copy: the run reads only it, so the input may change or go while the run goes on.
    QTemporaryFile copia(QDir(PastaTrabalho).filePath(QStringLiteral("R01TXZZZ-XXXXXX.$$$")));
    const bool copiado = copia.open() && copiaArquivo(Arquivo, copia, barra);

    // What an earlier run left goes first, on its own: the load below then fills fresh pages that need
    // no journal, and a run that is killed leaves no work table at all.
    {
        Transaction t(conexao);
        for (const char *nome : {"te8stru", "te8emp", "te8vinc", "te8resp"})
            dropTable(Schema::require(QString::fromLatin1(nome)), conexao);
        t.commit();
    }
    if (!copiado) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Ocorreu erro na cópia do arquivo ") + QDir::toNativeSeparators(Arquivo),
                         {MessageButton::Ok});
        return AnaliseNaoRealizada;
    }

    Transaction transacao(conexao);
    Execucao e(*this, conexao, AnoBase, ModoImportacao);
    e.abreTabelas();

    const qint64 tamanho = copia.size();
    const qint64 capacidade = tamanho < BufferMaximo ? std::max<qint64>(tamanho + 1, 3 * TamanhoRegistro) : BufferMaximo;
    QByteArray buffer(capacidade, '\0');
    auto *dados = reinterpret_cast<unsigned char *>(buffer.data());
    qint64 lidosArquivo = 0; // bytes of the copy already in the buffer
    qint64 inicio = 0;       // the unread part of the buffer: [inicio, fim)
    qint64 fim = 0;
    qint64 fimArquivo = tamanho;
    const auto completa = [&](qint64 minimo) {
        if (fim - inicio >= minimo || lidosArquivo >= fimArquivo)
            return;
        std::memmove(dados, dados + inicio, size_t(fim - inicio));
        fim -= inicio;
        inicio = 0;
        while (fim < capacidade && lidosArquivo < fimArquivo) {
            const qint64 n = copia.read(buffer.data() + fim, capacidade - fim);
            if (n <= 0) { // the copy is shorter than it said: it ends here
                fimArquivo = lidosArquivo;
                break;
            }
            fim += n;
            lidosArquivo += n;
        }
    };
    const auto restante = [&] { return (fim - inicio) + (fimArquivo - lidosArquivo); };

    completa(capacidade);
    e.registro = dados;
    e.disponivel = int(std::min<qint64>(fim, TamanhoRegistro + 2));
    int terminador = 0;
    if (fimArquivo < 3 * TamanhoRegistro) {
        e.disponivel = int(std::min<qint64>(fim, TamanhoRegistro));
        e.ocorrencia(1924, {{false, QString(), QString(), QString()}});
    } else {
        terminador = LineBreakKindAt(dados, TamanhoRegistro + 2);
        e.pitch = TamanhoRegistro + TamanhoTerminador(terminador);
    }
    const double registrosPrevistos = std::max<double>(1.0, double(fimArquivo) / e.pitch);

    while (e.codigoOcorrencia == 0 && restante() > 0) {
        completa(e.pitch);
        e.registro = dados + inicio;
        e.disponivel = int(std::min<qint64>(fim - inicio, e.pitch));
        e.registrosLidos += 1;

        if (e.tipoAnterior == '9') {
            if (!CaudaCtrlZ(e.byte(1), restante(), e.pitch))
                e.ocorrencia(1903, {{true, QStringLiteral("1"), QString(), QStringLiteral("9")},
                                    {false, QStringLiteral("5"), QStringLiteral("1"), e.mostra(e.byte(1))}});
            inicio = fim; // a Ctrl-Z tail ends the file
            lidosArquivo = fimArquivo;
            break;
        }
        if (e.disponivel < e.pitch) {
            e.ocorrencia(1904, {{false, QStringLiteral("9"), QString(), QString::number(e.pitch)},
                                {false, QStringLiteral("A"), QString(), QString::number(restante())}});
            break;
        }
        bool quebra = false;
        for (int p = 0; p < TamanhoRegistro && !quebra; ++p)
            quebra = e.registro[p] == CR || e.registro[p] == LF;
        if (quebra) {
            int p = 1;
            while (p <= TamanhoRegistro && e.byte(p) >= 32 && e.byte(p) <= 126)
                ++p;
            e.ocorrencia(1923, {{false, QStringLiteral("5"), QString::number(p), e.mostra(e.byte(p))}});
            break;
        }
        if (!IsLineBreakKindAt(e.registro, e.pitch, terminador)) {
            // Each byte by the character rule; "(hexadecimal)" closes a run of bytes shown in hexadecimal.
            const unsigned char b1 = e.byte(TamanhoRegistro + 1);
            const bool doisBytes = TamanhoTerminador(terminador) == 2;
            const unsigned char b2 = e.byte(TamanhoRegistro + 2);
            const QString hex = QStringLiteral("(hexadecimal)");
            QString conteudo = e.imprimivel(b1) ? QString(CaractereCp1252(b1)) : ByteToHex(b1);
            if (!e.imprimivel(b1) && (!doisBytes || e.imprimivel(b2)))
                conteudo += hex;
            if (doisBytes)
                conteudo += e.mostra(b2);
            e.ocorrencia(1900, {{false, QStringLiteral("5"), QStringLiteral("551"), conteudo}});
            break;
        }
        const auto naoDigito = [&](int inicioCampo, int tamanhoCampo, const char *tipoCampo, bool campoInteiro) {
            const int p = e.primeiroNaoDigito(inicioCampo, tamanhoCampo);
            if (p == 0)
                return false;
            const QString conteudo = campoInteiro && e.asciiImprimivel(inicioCampo, tamanhoCampo)
                                         ? e.bytes(inicioCampo, tamanhoCampo)
                                         : e.mostra(e.byte(p));
            e.ocorrencia(1922, {{false, QString::fromLatin1(tipoCampo), QString::number(p), conteudo}});
            return true;
        };
        if (naoDigito(1, 6, "0", true))
            break;
        const int seq = e.bytes(1, 6).toInt();
        if (seq != e.registrosLidos) {
            QList<LinhaOcorrencia> linhas;
            if (e.registrosLidos >= 2)
                linhas << LinhaOcorrencia{true, QStringLiteral("0"), QString(),
                                          QString::fromLatin1(e.anterior.constData(), 6)};
            linhas << LinhaOcorrencia{false, QStringLiteral("0"), QString(), e.bytes(1, 6)};
            e.ocorrencia(1902, linhas);
            break;
        }
        if (naoDigito(7, 14, "8", true) || naoDigito(23, 1, "1", false))
            break;

        barra.setPosition(PercentualCopia + int(e.registrosLidos * (100 - PercentualCopia) / registrosPrevistos));
        if (barra.Interrompido()) {
            e.interrompida = true;
            break;
        }
        if (seq == 1 && e.tipo() != '0') {
            e.ocorrencia(1907, {{false, QStringLiteral("1"), QString(), QString(QLatin1Char(e.tipo()))}});
            break;
        }
        bool aceito = false;
        switch (e.tipo()) {
        case '0': aceito = e.carregaTipo0(); break;
        case '1': aceito = e.carregaTipo1(); break;
        case '2': aceito = e.carregaTipo2(); break;
        case '9': aceito = e.carregaTipo9(); break;
        default:
            e.ocorrencia(1921, {{false, QStringLiteral("1"), QString(), QString(QLatin1Char(e.tipo()))}});
        }
        if (!aceito)
            break;
        std::memcpy(e.anterior.data(), e.registro, size_t(e.pitch));
        e.seqAnterior = seq;
        e.tipoAnterior = e.tipo();
        inicio += e.pitch;
    }

    if (e.codigoOcorrencia == 0 && !e.interrompida) {
        barra.setPosition(100);
        if (e.tipoAnterior != '9') {
            e.ocorrencia(1905, {{true, QStringLiteral("1"), QString(), QString(QLatin1Char(e.tipoAnterior))}});
        }
    }

    QtdEstabelecimentos = e.estabelecimentos;
    QtdVinculos = e.vinculos;
    e.fechaTabelas();
    if (e.codigoOcorrencia != 0 || e.interrompida) {
        for (const char *nome : {"te8emp", "te8vinc", "te8resp"})
            dropTable(Schema::require(QString::fromLatin1(nome)), conexao);
    } else {
        const TableDef &vinculos = Schema::require(QStringLiteral("te8vinc"));
        for (const IndexDef &indice : vinculos.indexes)
            execSql(vinculos.createIndexSql(indice), conexao);
    }
    if (e.codigoOcorrencia != 0) {
        const TableDef &stru = Schema::require(QStringLiteral("te8stru"));
        createTable(stru, conexao);
        Table te8stru(stru.name, conexao);
        te8stru.Open();
        for (const QVector<QString> &linha : std::as_const(e.linhas)) {
            te8stru.Append();
            for (int i = 0; i < linha.size(); ++i)
                te8stru.Fields(i).setAsString(linha[i]);
            te8stru.Post();
        }
        te8stru.Close();
    }
    transacao.commit();

    if (e.codigoOcorrencia != 0)
        return AnaliseComOcorrencia;
    if (e.interrompida)
        return AnaliseInterrompida;
    return e.retificacao ? AnaliseRetificacao : AnaliseIntegra;
}

} // namespace gdvorn
