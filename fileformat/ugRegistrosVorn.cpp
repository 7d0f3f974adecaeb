#include "fileformat/ugRegistrosVorn.h"

#include "app/base/Table.h"
#include "fileformat/ugLayoutVorn.h"

#include <QStringView>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace gdvorn {

namespace {

// Bytes 0x80-0x9F; the unassigned ones keep their own number.
constexpr std::array<char16_t, 32> kFaixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TabelaInversa {
    QHash<char32_t, unsigned char> bytes;
    TabelaInversa()
    {
        for (int i = 0; i < 32; ++i)
            bytes.insert(kFaixa80[std::size_t(i)], static_cast<unsigned char>(0x80 + i));
    }
};

const TabelaInversa &inversa()
{
    static const TabelaInversa t;
    return t;
}

// Calls `f(char32_t)` for each character of `texto`, a surrogate pair being one character.
template <typename Fn>
void paraCadaCaractere(QStringView texto, Fn f)
{
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto.at(i);
        if (c.isHighSurrogate() && i + 1 < n && texto.at(i + 1).isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, texto.at(i + 1)));
            ++i;
        } else {
            f(char32_t(c.unicode()));
        }
    }
}

// A character as the file holds it: a-z upper-cased, what the code page cannot hold as "?".
char32_t noArquivo(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return c - U'a' + U'A';
    return ByteCp1252(c) < 0 ? U'?' : c;
}

// A byte of the file that stands for itself, but for a-z, written upper-cased.
char maiuscula(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Writes `texto` as FormataCampo lays it out, straight as code page 1252 bytes, and moves `d` past it.
void escreveCampo(char *&d, QStringView texto, int tamanho)
{
    char *const fim = d + tamanho;
    // ASCII, most of what records hold, needs no look-up; the rest goes character by character.
    qsizetype i = 0;
    for (; i < texto.size() && d < fim && texto[i].unicode() < 0x80; ++i)
        *d++ = maiuscula(char(texto[i].unicode()));
    paraCadaCaractere(texto.sliced(i), [&](char32_t c) {
        if (d < fim)
            *d++ = char(ByteCp1252(noArquivo(c)));
    });
    while (d < fim)
        *d++ = ' ';
}

// `n` zero-filled to `tamanho` digits (its last digits when longer).
void escreveNumero(char *&d, qint64 n, int tamanho)
{
    for (int i = tamanho - 1; i >= 0; --i) {
        d[i] = char('0' + n % 10);
        n /= 10;
    }
    d += tamanho;
}

bool emBranco(QStringView s) { return s.trimmed().isEmpty(); }

} // namespace

QChar CaractereCp1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kFaixa80[std::size_t(byte - 0x80)]);
    return QChar(char16_t(byte));
}

int ByteCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    const auto it = inversa().bytes.constFind(c);
    return it == inversa().bytes.constEnd() ? -1 : int(it.value());
}

QByteArray CodificaCp1252(const QString &texto)
{
    QByteArray bytes;
    bytes.reserve(texto.size());
    paraCadaCaractere(texto, [&](char32_t c) {
        const int b = ByteCp1252(c);
        bytes.append(b < 0 ? '?' : char(b));
    });
    return bytes;
}

QString DecodificaCp1252(const QByteArray &bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *d = texto.data();
    for (const char b : bytes)
        *d++ = CaractereCp1252(static_cast<unsigned char>(b));
    return texto;
}

QString FormataCampo(const QString &texto, int tamanho)
{
    QString r;
    r.reserve(tamanho);
    paraCadaCaractere(texto, [&](char32_t c) {
        if (r.size() >= tamanho)
            return;
        r.append(QChar(char16_t(noArquivo(c))));
    });
    if (r.size() < tamanho)
        r.append(QString(tamanho - r.size(), QLatin1Char(' ')));
    return r;
}

TMontadorRegistro::TMontadorRegistro(int tipo, const QStringList &campos) : m_tipo(tipo)
{
    for (const ItemLayout &item : LayoutRegistro(tipo)) {
        int indice = -1;
        if (!item.Valor.isEmpty() && item.Origem != OrigemCampo::Constante) {
            for (int i = 0; i < campos.size(); ++i)
                if (campos.at(i).compare(item.Valor, Qt::CaseInsensitive) == 0) {
                    indice = i;
                    break;
                }
            if (indice < 0)
                throw std::invalid_argument(("record field missing from the row: " + item.Valor).toStdString());
        }
        m_indices << indice;
    }
}

namespace {

// A field's value as a record takes it: bytes that the file holds as they are but for a-z (the engine's
// text when it is plain ASCII, as most values are), or else the text.
struct Valor {
    QByteArrayView ascii;
    QString texto;
    bool emAscii = false;
};

Valor deUtf8(QByteArrayView utf8)
{
    Valor v;
    v.emAscii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return uchar(c) < 0x80; });
    if (v.emAscii)
        v.ascii = utf8;
    else
        v.texto = QString::fromUtf8(utf8);
    return v;
}

bool espacoAscii(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

QByteArrayView aparadoAscii(QByteArrayView b)
{
    while (!b.isEmpty() && espacoAscii(b.front()))
        b = b.sliced(1);
    while (!b.isEmpty() && espacoAscii(b.back()))
        b.chop(1);
    return b;
}

bool emBranco(const Valor &v) { return v.emAscii ? aparadoAscii(v.ascii).isEmpty() : emBranco(v.texto); }

bool ehUm(const Valor &v)
{
    return v.emAscii ? aparadoAscii(v.ascii) == "1" : QStringView(v.texto).trimmed() == QLatin1String("1");
}

void escreveCampo(char *&d, const Valor &v, int tamanho)
{
    if (!v.emAscii) {
        escreveCampo(d, v.texto, tamanho);
        return;
    }
    const qsizetype n = std::min<qsizetype>(v.ascii.size(), tamanho);
    for (qsizetype i = 0; i < n; ++i)
        *d++ = maiuscula(v.ascii[i]);
    for (qsizetype i = n; i < tamanho; ++i)
        *d++ = ' ';
}

// Lays out a record of `tipo`; `valor(k)` is the Valor of field k of the row.
template <typename Campo>
void monta(int tipo, const QList<int> &indices, Campo valor, const TContextoRegistro &ctx, char *destino)
{
    const QList<ItemLayout> &layout = LayoutRegistro(tipo);
    char *d = destino;
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const ItemLayout &item = layout.at(i);
        const int k = indices.at(i);
        const Valor v = k >= 0 ? valor(k) : Valor();
        const int n = item.Tamanho;
        switch (item.Origem) {
        case OrigemCampo::Campo:
            if (!item.Padrao.isEmpty() && emBranco(v))
                escreveCampo(d, item.Padrao, n);
            else
                escreveCampo(d, v, n);
            break;
        case OrigemCampo::Constante: escreveCampo(d, item.Valor, n); break;
        case OrigemCampo::Brancos:
        case OrigemCampo::Hash:
            escreveCampo(d, item.Origem == OrigemCampo::Hash ? QStringView(ctx.Hash) : QStringView(), n);
            break;
        case OrigemCampo::Sequencial: escreveNumero(d, ctx.Sequencial, n); break;
        case OrigemCampo::Inscricao: escreveCampo(d, ctx.Inscricao, n); break;
        case OrigemCampo::Prefixo: escreveCampo(d, ctx.Prefixo, n); break;
        case OrigemCampo::IndicadorRetificacao: escreveCampo(d, ctx.Retificacao ? u"1" : u"2", n); break;
        case OrigemCampo::DataRetificacao: escreveCampo(d, ctx.DataRetificacao, n); break;
        case OrigemCampo::DataGeracao: escreveCampo(d, ctx.DataGeracao, n); break;
        case OrigemCampo::Crea:
            escreveCampo(d, emBranco(ctx.Crea) ? QStringView(u"000000000000") : QStringView(ctx.Crea).left(12), n);
            break;
        case OrigemCampo::MarcaVersao:
            escreveCampo(d, QLatin1Char('V') + ctx.Versao.mid(5, 2) + ctx.Versao.mid(8, 2), n);
            break;
        case OrigemCampo::MarcaModo: escreveCampo(d, ctx.ModoParticao ? u" P" : u"A ", n); break;
        case OrigemCampo::VinculadoInicio:
        case OrigemCampo::VinculadoFim: {
            // The field laid out at its 14 characters, then cut in two.
            char inteiro[14];
            char *p = inteiro;
            escreveCampo(p, v, 14);
            const Valor parte{item.Origem == OrigemCampo::VinculadoInicio ? QByteArrayView(inteiro, 2)
                                                                          : QByteArrayView(inteiro + 2, 12),
                              QString(), true};
            escreveCampo(d, parte, n);
            break;
        }
        case OrigemCampo::AnoBase: escreveNumero(d, ctx.AnoBase, n); break;
        case OrigemCampo::IndicadorEncerramento: escreveCampo(d, ehUm(v) ? u"1" : u"2", n); break;
        case OrigemCampo::TotalTipoUm: escreveNumero(d, ctx.TotalTipoUm, n); break;
        case OrigemCampo::TotalTipoDois: escreveNumero(d, ctx.TotalTipoDois, n); break;
        case OrigemCampo::Estatistica:
            escreveCampo(d, QStringView(ctx.CodigoSO).left(1), 1);
            escreveCampo(d, ctx.TabelasTrabalho ? u"2" : u"1", n - 1);
            break;
        }
    }
}

} // namespace

void TMontadorRegistro::MontaBytes(const RecordSource &linha, const TContextoRegistro &ctx, char *destino) const
{
    monta(m_tipo, m_indices, [&](int k) { return Valor{{}, linha.fieldValue(k).toString(), false}; }, ctx, destino);
}

void TMontadorRegistro::MontaBytes(const QByteArrayView *campos, const TContextoRegistro &ctx, char *destino) const
{
    monta(m_tipo, m_indices, [&](int k) { return deUtf8(campos[k]); }, ctx, destino);
}

QString TMontadorRegistro::Monta(const RecordSource &linha, const TContextoRegistro &contexto) const
{
    char bytes[TamanhoRegistroVorn];
    MontaBytes(linha, contexto, bytes);
    return DecodificaCp1252(QByteArray::fromRawData(bytes, TamanhoRegistroVorn));
}

QList<FieldDef> CamposDoRegistro(int tipo, const TableDef &tabela, const QStringList &chave)
{
    QList<FieldDef> campos;
    for (const FieldDef &f : tabela.fields) {
        bool usado = chave.contains(f.name, Qt::CaseInsensitive);
        for (const ItemLayout &item : LayoutRegistro(tipo))
            usado = usado || (item.Origem != OrigemCampo::Constante &&
                              item.Valor.compare(f.name, Qt::CaseInsensitive) == 0);
        if (usado)
            campos << f;
    }
    return campos;
}

namespace {
QString registro(int tipo, Table &t, const TContextoRegistro &ctx)
{
    return TMontadorRegistro(tipo, t.FieldNames()).Monta(t, ctx);
}
} // namespace

QString RegistroTipoZero(Table &responsavel, const TContextoRegistro &ctx) { return registro(0, responsavel, ctx); }
QString RegistroTipoUm(Table &estabelecimento, const TContextoRegistro &ctx) { return registro(1, estabelecimento, ctx); }
QString RegistroTipoDois(Table &vinculo, const TContextoRegistro &ctx) { return registro(2, vinculo, ctx); }
QString RegistroTipoNove(Table &responsavel, const TContextoRegistro &ctx) { return registro(9, responsavel, ctx); }

} // namespace gdvorn
