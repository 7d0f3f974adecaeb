#include "backup/BackupFile.h"

#include "app/base/DurableFile.h"
#include "app/base/Presenter.h"
#include "backup/LZRW1KH.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <zlib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace gdvorn {

namespace {

const QByteArray kMarcaEC2("EC2\0", 4);
const QByteArray kMarcaECS("ECS\0", 4);
const QString kProximoVolume = QStringLiteral("NEXT:DISK");
const QString kListaArquivos = QStringLiteral("FILE:LIST");
const QString kTipoInvalido = QStringLiteral("Invalid archive type");
const QString kLeituraArquivo = QStringLiteral("Cannot read archive");
const QString kSemEspaco = QStringLiteral("Não há espaço livre no disco de destino para gravar a cópia de segurança. "
                                          "Libere espaço no disco ou escolha outro destino e grave a cópia novamente.");

// Longest stored name we accept when reading; anything longer is not an archive of ours.
constexpr qint32 kMaiorNome = 4096;
constexpr qint32 kMaiorTitulo = 1 << 20;

// An entry's head, marker, end mark and volume entry: what must still fit after a block.
constexpr qint64 kVolumeEntry = 4 + 12;

struct FalhaLeitura {};
struct FalhaEscrita {};

int nivelZlib(TCompressionLevel nivel)
{
    switch (nivel) {
    case clNone: return 0;
    case clDefault: return Z_DEFAULT_COMPRESSION;
    case clMax: return 9;
    case clFastest: break;
    }
    return 1;
}

} // namespace

QString TextoErroBackup(int codigo)
{
    switch (codigo) {
    case beLeitura: return QStringLiteral("Cannot read file");
    case beSobrescrita: return QStringLiteral("Overwriting file failed");
    case beLeituraArquivo: return kLeituraArquivo;
    case beGravacaoArquivo: return QStringLiteral("Cannot write to archive");
    case beTipoInvalido: return kTipoInvalido;
    case beCompressao: return QStringLiteral("Compression error");
    case beArquivoTemporario: return QStringLiteral("Cannot create temporary file to save the file IDs");
    default: return QString();
    }
}

quint32 DataDos(const QDateTime &momento)
{
    const QDateTime m = momento.toLocalTime();
    const QDate d = m.date();
    const QTime t = m.time();
    if (d.year() < 1980)
        return (1u << 21) | (1u << 16); // 1 January 1980, the first date the form holds
    return (quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) | (quint32(d.day()) << 16) |
           (quint32(t.hour()) << 11) | (quint32(t.minute()) << 5) | quint32(t.second() / 2);
}

QDateTime DeDataDos(quint32 data)
{
    const QDate d(int(data >> 25) + 1980, int((data >> 21) & 0xF), int((data >> 16) & 0x1F));
    const QTime t(int((data >> 11) & 0x1F), int((data >> 5) & 0x3F), int(data & 0x1F) * 2);
    return QDateTime(d, t);
}

// The archive being written: a volume file or the caller's stream. Each volume takes its name only when
// it is whole (DurableFile); a run that does not complete removes the volumes it put in place.
struct TBackupFile::Escritor {
    QIODevice *dispositivo = nullptr;
    std::unique_ptr<DurableFile> arquivo;               // the volume being written
    std::vector<std::unique_ptr<DurableFile>> gravados; // the volumes of this run in place
    bool semEspaco = false;                             // the last failure was a full medium

    [[noreturn]] void falhou()
    {
        semEspaco = arquivo && arquivo->noSpace();
        throw FalhaEscrita{};
    }
    void bytes(const char *dados, qint64 n)
    {
        if (dispositivo->write(dados, n) != n)
            falhou();
    }
    void bytes(const QByteArray &b) { bytes(b.constData(), b.size()); }
    void inteiro(qint32 v)
    {
        const quint32 u = quint32(v);
        const char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char(u >> 24)};
        bytes(b, 4);
    }
    qint64 posicao() const { return dispositivo->pos(); }
    void abre(const QString &nome)
    {
        arquivo = std::make_unique<DurableFile>(nome);
        dispositivo = arquivo.get();
        if (!arquivo->open(QIODevice::WriteOnly))
            falhou();
    }
    // Puts the volume in place. Before the first one takes its name (its data safe on the medium), the
    // later volumes of an earlier archive of the same name go: the new first volume beside an old second
    // one would make one archive of two.
    void fecha()
    {
        dispositivo = nullptr;
        if (!arquivo)
            return;
        if (!arquivo->sync())
            falhou();
        if (gravados.empty()) {
            const QString nome = arquivo->fileName();
            for (int n = 2; QFileInfo::exists(NomeVolume(nome, n)); ++n)
                QFile::remove(NomeVolume(nome, n));
            syncFolder(QFileInfo(nome).absolutePath());
        }
        if (!arquivo->commit())
            falhou();
        gravados.push_back(std::move(arquivo));
    }
    // The run did not complete: nothing of it stays.
    void desiste()
    {
        arquivo.reset();
        dispositivo = nullptr;
        for (const auto &g : gravados)
            g->removeCommitted();
        gravados.clear();
    }
};

// The archive being read: a volume file or the caller's stream.
struct TBackupFile::Leitor {
    QIODevice *dispositivo = nullptr;
    std::unique_ptr<QFile> arquivo;

    void bytes(char *destino, qint64 n)
    {
        if (dispositivo->read(destino, n) != n)
            throw FalhaLeitura{};
    }
    QByteArray bytes(qint64 n)
    {
        QByteArray b(n, Qt::Uninitialized);
        bytes(b.data(), n);
        return b;
    }
    qint32 inteiro()
    {
        unsigned char b[4];
        bytes(reinterpret_cast<char *>(b), 4);
        return qint32(quint32(b[0]) | (quint32(b[1]) << 8) | (quint32(b[2]) << 16) | (quint32(b[3]) << 24));
    }
    bool abre(const QString &nome)
    {
        arquivo = std::make_unique<QFile>(nome);
        dispositivo = arquivo.get();
        return arquivo->open(QIODevice::ReadOnly);
    }
    void fecha()
    {
        arquivo.reset();
        dispositivo = nullptr;
    }
};

TBackupFile::TBackupFile() = default;
TBackupFile::~TBackupFile() = default;

QString TBackupFile::NomeVolume(const QString &arquivo, int numero)
{
    const QFileInfo fi(arquivo);
    const QString sufixo = QStringLiteral(".%1").arg(numero, 3, 10, QLatin1Char('0'));
    const QString nome = fi.fileName();
    const int ponto = nome.lastIndexOf(QLatin1Char('.'));
    return fi.dir().filePath((ponto > 0 ? nome.left(ponto) : nome) + sufixo);
}

void TBackupFile::removeParciais(const QString &arquivo)
{
    const QFileInfo fi(arquivo);
    const QDir pasta = fi.dir();
    for (const QString &nome : pasta.entryList({QStringLiteral("*") + kSufixoParcial}, QDir::Files | QDir::Hidden)) {
        const QString volume = pasta.filePath(nome.chopped(kSufixoParcial.size()));
        const QString extensao = QFileInfo(volume).suffix();
        bool numero = false;
        const int n = extensao.toInt(&numero);
        if (volume == pasta.filePath(fi.fileName()) ||
            (numero && extensao.size() == 3 && n >= 2 && NomeVolume(arquivo, n) == volume))
            DurableFile::removePartial(volume);
    }
}

void TBackupFile::falha(int codigo)
{
    if (m_erro == 0)
        m_erro = codigo;
    m_continua = false;
}

void TBackupFile::relata()
{
    if (m_erro == 0)
        return;
    const QString texto = m_textoErro.isEmpty() ? TextoErroBackup(m_erro) : m_textoErro;
    if (OnError)
        OnError(m_erro, texto);
    else
        presenter().show(MessageKind::Error, texto, {MessageButton::Ok});
}

void TBackupFile::progresso(const QString &nome)
{
    const int percentual = m_total > 0 ? int(std::min<qint64>(100, m_processado * 100 / m_total)) : 0;
    if (!OnProgress)
        return;
    bool continua = true;
    OnProgress(nome, continua, percentual);
    if (!continua)
        m_continua = false;
}

bool TBackupFile::pedeVolume(int numero)
{
    bool continua = true;
    if (OnNeedDisk)
        OnNeedDisk(numero, continua);
    else
        continua = presenter().show(MessageKind::Information,
                                    QStringLiteral("Please insert disk %1 and click OK to continue.").arg(numero),
                                    {MessageButton::Ok, MessageButton::Cancel}) == MessageButton::Ok;
    if (!continua)
        m_continua = false;
    return continua;
}

QStringList TBackupFile::coletaArquivos(const QStringList &mascaras, const QString &arquivo) const
{
    QStringList lista;
    const QString proprio = QFileInfo(arquivo).absoluteFilePath();
    for (QString mascara : mascaras) {
        bool subpastas = false;
        const int s = mascara.indexOf(QLatin1String("/s"), 0, Qt::CaseInsensitive);
        // "/s" asks for the subfolders; a folder separator followed by "s" is part of the path.
        if (s >= 0 && s + 2 == mascara.trimmed().size()) {
            mascara = mascara.left(s).trimmed();
            subpastas = true;
        }
        const QFileInfo fi(mascara);
        const QStringList filtro{fi.fileName()};
        QDirIterator it(fi.absolutePath(), filtro,
                        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        subpastas ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        QStringList achados;
        while (it.hasNext())
            achados << QFileInfo(it.next()).absoluteFilePath();
        achados.sort();
        for (const QString &a : achados) {
            if (a == proprio || lista.contains(a))
                continue;
            lista << a;
        }
    }
    return lista;
}

bool TBackupFile::escreveBlocos(Escritor &w, QFile &origem, const QString &nome, qint64 reserva, int &volume,
                                const QString &arquivo)
{
    z_stream z{};
    if (deflateInit2(&z, m_nivel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        falha(beCompressao);
        return false;
    }
    std::unique_ptr<z_stream, int (*)(z_stream *)> libera(&z, deflateEnd);
    std::vector<unsigned char> entrada(kTamanhoBloco);
    std::vector<unsigned char> saida(kTamanhoBloco);
    const bool comLimite = MaxSize > 0 && w.arquivo;
    bool volumeNovo = false;
    for (;;) {
        w.bytes(kMarcaEC2);
        int blocos = 0;
        while (!origem.atEnd() && m_continua &&
               (!comLimite || w.posicao() + 4 + kTamanhoBloco + reserva <= MaxSize)) {
            const qint64 lidos = origem.read(reinterpret_cast<char *>(entrada.data()), kTamanhoBloco);
            if (lidos <= 0) {
                falha(beLeitura);
                break;
            }
            deflateReset(&z);
            z.next_in = entrada.data();
            z.avail_in = uInt(lidos);
            z.next_out = saida.data();
            z.avail_out = uInt(saida.size());
            const int r = deflate(&z, Z_FINISH);
            if (r == Z_STREAM_END) {
                w.inteiro(qint32(z.total_out));
                w.bytes(reinterpret_cast<const char *>(saida.data()), qint64(z.total_out));
            } else if (r == Z_OK || r == Z_BUF_ERROR) {
                // It would not fit in a block: stored as it is.
                w.inteiro(qint32(-lidos));
                w.bytes(reinterpret_cast<const char *>(entrada.data()), lidos);
            } else {
                falha(beCompressao);
                break;
            }
            ++blocos;
            m_processado += lidos;
            progresso(nome);
        }
        w.inteiro(0);
        // A block written in this pass left the reserve behind it; without one (an empty file) the next
        // entry's head may not fit any more, and the file goes on, empty, in the next volume.
        const bool cabe = !comLimite || w.posicao() + reserva - 4 <= MaxSize;
        if (!m_continua || (origem.atEnd() && cabe))
            return true;
        if (volumeNovo && blocos == 0) {
            // Not one block fits on an empty volume: asking for more would never end.
            falha(beGravacaoArquivo);
            return false;
        }
        ++volume;
        w.inteiro(qint32(kProximoVolume.size() + 3));
        w.bytes(QStringLiteral("%1%2").arg(kProximoVolume).arg(volume, 3, 10, QLatin1Char('0')).toLatin1());
        w.fecha();
        if (!pedeVolume(volume))
            return false;
        w.abre(NomeVolume(arquivo, volume));
        volumeNovo = true;
    }
}

bool TBackupFile::Backup(const QStringList &mascaras, const QString &arquivo)
{
    m_erro = 0;
    m_textoErro.clear();
    m_busy = true;
    const bool emStream = arquivo == kNomeStream;
    const QStringList arquivos = coletaArquivos(mascaras, emStream ? QString() : arquivo);
    m_continua = true;
    m_processado = 0;
    m_total = 0;
    m_nivel = nivelZlib(CompressionLevel);
    progresso(QString());

    struct Entrada {
        QString caminho;
        QByteArray nome;
    };
    std::vector<Entrada> entradas;
    QByteArray lista;
    for (const QString &caminho : arquivos) {
        const QFileInfo fi(caminho);
        if (!fi.exists())
            continue;
        m_total += fi.size();
        const QByteArray nome = caminho.toLower().toUtf8();
        entradas.push_back({caminho, nome});
        if (SaveFileID)
            lista += nome + '\t' + QByteArray::number(DataDos(fi.lastModified())) + '=' +
                     QByteArray::number(fi.size()) + "\r\n";
    }
    m_quantidade = int(entradas.size());
    QTemporaryFile temporario(QDir(QDir::tempPath()).filePath(QStringLiteral("FIDXXXXXX")));
    if (SaveFileID) {
        if (temporario.open() && temporario.write(lista) == lista.size() && temporario.flush()) {
            entradas.insert(entradas.begin(), {temporario.fileName(), kListaArquivos.toLatin1()});
            m_total += lista.size();
        } else {
            falha(beArquivoTemporario);
        }
    }

    Escritor w;
    int volume = 1;
    bool completo = false;
    if (m_continua) {
        try {
            if (emStream) {
                w.dispositivo = BackupStream;
                if (!w.dispositivo || !w.dispositivo->isWritable())
                    throw FalhaEscrita{};
            } else {
                removeParciais(arquivo);
                w.abre(arquivo);
            }
            const QByteArray titulo = BackupTitle.toUtf8();
            w.inteiro(qint32(titulo.size()));
            w.bytes(titulo);
            w.inteiro(qint32(std::min<qint64>(m_total, 0x7FFFFFFF)));
            w.inteiro(m_quantidade);
            for (std::size_t i = 0; i < entradas.size() && m_continua; ++i) {
                const Entrada &e = entradas[i];
                QFile origem(e.caminho);
                if (!QFileInfo::exists(e.caminho))
                    continue;
                // After this file's blocks: its end mark, the volume entry, or the head of the next entry
                // with its marker and the end mark and volume entry that may follow it at once.
                const qint64 reserva =
                    i + 1 < entradas.size() ? 4 + 4 + entradas[i + 1].nome.size() + 4 + 4 + 4 + kVolumeEntry
                                            : 4 + kVolumeEntry;
                if (MaxSize > 0 && w.arquivo && w.posicao() + 4 + e.nome.size() + 4 + 4 + 4 + kVolumeEntry > MaxSize) {
                    falha(beGravacaoArquivo);
                    break;
                }
                w.inteiro(qint32(e.nome.size()));
                w.bytes(e.nome);
                if (!origem.open(QIODevice::ReadOnly)) {
                    falha(beLeitura);
                    break;
                }
                w.inteiro(qint32(DataDos(QFileInfo(origem).lastModified())));
                if (!escreveBlocos(w, origem, e.caminho, reserva, volume, arquivo))
                    break;
            }
            if (m_continua) {
                w.inteiro(0);
                completo = true;
            }
            if (completo)
                w.fecha();
        } catch (const FalhaEscrita &) {
            falha(beGravacaoArquivo);
            if (w.semEspaco)
                m_textoErro = kSemEspaco;
            completo = false;
        }
    }
    if (!completo || m_erro != 0)
        w.desiste();
    completo = completo && m_erro == 0;
    m_processado = m_total;
    progresso(QString());
    m_busy = false;
    relata();
    return completo;
}

QString TBackupFile::alvo(const QString &nomeGuardado, const QString &pasta) const
{
    QString nome = nomeGuardado;
    nome.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList partes = nome.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (partes.isEmpty() || partes.contains(QLatin1String("..")) || partes.last() == QLatin1String("."))
        throw ArquivoBackupInvalido(kTipoInvalido);
    const QString base = QDir::cleanPath(QDir(pasta.isEmpty() ? QStringLiteral(".") : pasta).absolutePath());
    QString alvo;
    if (RestoreFullPath && !pasta.isEmpty()) {
        // The drive part ("c:/") or the root goes; the rest stays below the target folder.
        QString relativo = nome;
        if (relativo.size() >= 3 && relativo.at(1) == QLatin1Char(':'))
            relativo = relativo.mid(3);
        alvo = QDir::cleanPath(base + QLatin1Char('/') + relativo);
    } else {
        alvo = base + QLatin1Char('/') + partes.last();
    }
    if (!alvo.startsWith(base + QLatin1Char('/')))
        throw ArquivoBackupInvalido(kTipoInvalido);
    return alvo;
}

void TBackupFile::leBlocos(Leitor &r, QIODevice *destino, const QString &nome)
{
    const QByteArray marca = r.bytes(4);
    std::vector<unsigned char> entrada(kLzrwMaxBlock);
    std::vector<unsigned char> saida(kLzrwMaxBlock);
    auto grava = [&](const unsigned char *dados, qint64 n) {
        if (destino->write(reinterpret_cast<const char *>(dados), n) != n) {
            falha(beSobrescrita);
            return false;
        }
        m_processado += n;
        return true;
    };
    if (marca == kMarcaEC2) {
        z_stream z{};
        if (inflateInit(&z) != Z_OK) {
            falha(beCompressao);
            return;
        }
        std::unique_ptr<z_stream, int (*)(z_stream *)> libera(&z, inflateEnd);
        while (m_continua) {
            const qint32 n = r.inteiro();
            if (n == 0)
                break;
            if (n < -kTamanhoBloco || n > kTamanhoBloco)
                throw ArquivoBackupInvalido(kTipoInvalido);
            const qint32 tamanho = n < 0 ? -n : n;
            r.bytes(reinterpret_cast<char *>(entrada.data()), tamanho);
            if (!destino)
                continue;
            if (n < 0) {
                if (!grava(entrada.data(), tamanho))
                    return;
            } else {
                inflateReset(&z);
                z.next_in = entrada.data();
                z.avail_in = uInt(tamanho);
                z.next_out = saida.data();
                z.avail_out = uInt(kTamanhoBloco);
                // The whole stream must end within one block's room, with nothing left over.
                if (inflate(&z, Z_FINISH) != Z_STREAM_END || z.avail_in != 0) {
                    falha(beCompressao);
                    return;
                }
                if (!grava(saida.data(), qint64(z.total_out)))
                    return;
            }
            progresso(nome);
        }
    } else if (marca == kMarcaECS) {
        qint64 resta = r.inteiro();
        while (resta > 0 && m_continua) {
            const qint32 n = r.inteiro();
            if (n < 1 || n > kLzrwMaxBlock)
                throw ArquivoBackupInvalido(kTipoInvalido);
            r.bytes(reinterpret_cast<char *>(entrada.data()), n);
            resta -= qint64(n) + 4;
            if (!destino)
                continue;
            const int expandidos = ExpandBlock(entrada.data(), saida.data(), n);
            if (expandidos < 0)
                throw ArquivoBackupInvalido(kTipoInvalido);
            if (!grava(saida.data(), expandidos))
                return;
            progresso(nome);
        }
    } else {
        throw ArquivoBackupInvalido(kTipoInvalido);
    }
}

namespace {

// A restored file, written beside its target and put in place when all of it was read.
struct Pendente {
    std::unique_ptr<DurableFile> arquivo;
    quint32 data = 0;

    bool conclui()
    {
        if (!arquivo)
            return true;
        const QString nome = arquivo->fileName();
        const bool ok = arquivo->commit();
        arquivo.reset();
        if (!ok)
            return false;
        // A stored date the file system cannot take (a damaged or foreign archive) leaves the file's own.
        const QDateTime momento = DeDataDos(data);
        if (!momento.isValid())
            return true;
        QFile f(nome);
        return f.open(QIODevice::Append) && f.setFileTime(momento, QFileDevice::FileModificationTime);
    }
};

bool maisAntigo(const QString &alvo, quint32 data)
{
    return DataDos(QFileInfo(alvo).lastModified()) < data;
}

} // namespace

bool TBackupFile::Restore(const QString &arquivo, const QString &pastaDestino)
{
    QString pasta = pastaDestino;
    if (!pasta.isEmpty() && !pasta.endsWith(QLatin1Char('/')))
        pasta += QLatin1Char('/');
    m_erro = 0;
    m_continua = true;
    const bool emStream = arquivo == kNomeStream;
    if (!emStream && !QFileInfo::exists(arquivo))
        return false;
    Leitor r;
    if (emStream) {
        r.dispositivo = RestoreStream;
        if (!r.dispositivo || !r.dispositivo->isReadable())
            return false;
    } else if (!r.abre(arquivo)) {
        falha(beLeituraArquivo);
        relata();
        return false;
    }
    m_busy = true;
    m_processado = 0;
    try {
        const qint32 t = r.inteiro();
        if (t < 0 || t > kMaiorTitulo)
            throw FalhaLeitura{};
        r.bytes(t);
        m_total = r.inteiro();
        m_quantidade = r.inteiro();
        if (m_total < 0 || m_quantidade < 0)
            throw FalhaLeitura{};
    } catch (const FalhaLeitura &) {
        m_busy = false;
        throw ArquivoBackupInvalido(kLeituraArquivo);
    }

    Pendente pendente;
    int volumeAtual = 1;
    try {
        while (m_continua) {
            const qint32 tamanho = r.inteiro();
            if (tamanho == 0)
                break;
            if (tamanho < 0 || tamanho > kMaiorNome)
                throw ArquivoBackupInvalido(kTipoInvalido);
            const QString nome = QString::fromUtf8(r.bytes(tamanho));
            if (nome.startsWith(kProximoVolume)) {
                if (emStream)
                    throw ArquivoBackupInvalido(kTipoInvalido);
                r.fecha();
                bool ok = false;
                const int numero = nome.mid(9, 3).toInt(&ok);
                // A volume that names itself or an earlier one as the next would be read forever.
                if (!ok || numero <= volumeAtual)
                    throw ArquivoBackupInvalido(kTipoInvalido);
                volumeAtual = numero;
                QString volume;
                do {
                    if (!pedeVolume(numero))
                        break;
                    volume = NomeVolume(arquivo, numero);
                } while (!QFileInfo::exists(volume));
                if (!m_continua)
                    break;
                if (!r.abre(volume)) {
                    falha(beLeituraArquivo);
                    break;
                }
                leBlocos(r, pendente.arquivo.get(), pendente.arquivo ? pendente.arquivo->fileName() : nome);
                continue;
            }
            if (!pendente.conclui()) {
                falha(beSobrescrita);
                break;
            }
            const quint32 data = quint32(r.inteiro());
            if (nome == kListaArquivos) {
                leBlocos(r, nullptr, nome);
                continue;
            }
            QString destino = alvo(nome, pasta);
            const bool existe = QFileInfo::exists(destino);
            bool restaura = false;
            switch (RestoreMode) {
            case rmAll: restaura = true; break;
            case rmNoOverwrite: restaura = !existe; break;
            case rmNewer: restaura = !existe || maisAntigo(destino, data); break;
            case rmExisting: restaura = existe; break;
            case rmExistingNewer: restaura = existe && maisAntigo(destino, data); break;
            }
            if (OnRestoreFile)
                OnRestoreFile(destino, restaura, data);
            if (restaura && !QDir().mkpath(QFileInfo(destino).absolutePath()))
                restaura = false;
            if (restaura) {
                pendente.arquivo = std::make_unique<DurableFile>(destino);
                pendente.data = data;
                if (!pendente.arquivo->open(QIODevice::WriteOnly)) {
                    pendente.arquivo.reset();
                    falha(beSobrescrita);
                    break;
                }
            }
            leBlocos(r, pendente.arquivo.get(), destino);
        }
        if (m_continua && !pendente.conclui())
            falha(beSobrescrita);
    } catch (const FalhaLeitura &) {
        falha(beLeituraArquivo);
    } catch (const ArquivoBackupInvalido &) {
        m_busy = false;
        throw;
    }
    r.fecha();
    const bool ok = m_erro == 0 && m_continua;
    m_processado = m_total;
    progresso(QString());
    m_busy = false;
    relata();
    return ok;
}

void TBackupFile::ReadArchiveInfo(const QString &arquivo, QStringList *listaArquivos, QString &titulo)
{
    titulo.clear();
    m_total = 0;
    m_quantidade = 0;
    m_erro = 0;
    const bool emStream = arquivo == kNomeStream;
    if (!emStream && !QFileInfo::exists(arquivo))
        return;
    Leitor r;
    if (emStream) {
        r.dispositivo = RestoreStream;
        if (!r.dispositivo)
            return;
    } else if (!r.abre(arquivo)) {
        falha(beLeituraArquivo);
        relata();
        return;
    }
    const bool continua = m_continua;
    m_continua = true;
    try {
        const qint32 t = r.inteiro();
        if (t < 0 || t > kMaiorTitulo)
            throw FalhaLeitura{};
        titulo = QString::fromUtf8(r.bytes(t));
        m_total = r.inteiro();
        m_quantidade = r.inteiro();
        if (listaArquivos) {
            listaArquivos->clear();
            const qint32 n = r.inteiro();
            if (n == kListaArquivos.size() && QString::fromLatin1(r.bytes(n)) == kListaArquivos) {
                r.inteiro();
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                const auto OnProgressGuardado = std::move(OnProgress);
                OnProgress = nullptr;
                leBlocos(r, &buffer, kListaArquivos);
                OnProgress = OnProgressGuardado;
                if (m_erro != 0)
                    throw FalhaLeitura{};
                for (const QByteArray &linha : buffer.data().split('\n'))
                    if (!linha.trimmed().isEmpty())
                        *listaArquivos << QString::fromUtf8(linha).trimmed();
            }
        }
    } catch (const FalhaLeitura &) {
        m_erro = 0;
        falha(beTipoInvalido);
    } catch (const ArquivoBackupInvalido &) {
        falha(beTipoInvalido);
    }
    m_continua = continua;
    relata();
}

} // namespace gdvorn
