#include "fileformat/ugRegistrosVorn.h"

#include "app/base/Table.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugLayoutVorn.h"

#include <QStringView>

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
void paraCadaCaractere(const QString &texto, Fn f)
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

QString seisDigitos(int n) { return CompletaZeros(QString::number(n), 6); }

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
        if (c >= U'a' && c <= U'z')
            r.append(QChar(char16_t(c - U'a' + U'A')));
        else if (ByteCp1252(c) < 0)
            r.append(QLatin1Char('?'));
        else
            r.append(QChar(char16_t(c)));
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

QString TMontadorRegistro::Monta(const RecordSource &linha, const TContextoRegistro &ctx) const
{
    const QList<ItemLayout> &layout = LayoutRegistro(m_tipo);
    QString r;
    r.reserve(TamanhoRegistroVorn);
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const ItemLayout &item = layout.at(i);
        const int k = m_indices.at(i);
        const QString valor = k >= 0 ? linha.fieldValue(k).toString() : QString();
        QString parte;
        switch (item.Origem) {
        case OrigemCampo::Campo:
            parte = !item.Padrao.isEmpty() && valor.trimmed().isEmpty() ? item.Padrao : valor;
            break;
        case OrigemCampo::Constante: parte = item.Valor; break;
        case OrigemCampo::Brancos: break;
        case OrigemCampo::Sequencial: parte = seisDigitos(ctx.Sequencial); break;
        case OrigemCampo::Inscricao: parte = ctx.Inscricao; break;
        case OrigemCampo::Prefixo: parte = ctx.Prefixo; break;
        case OrigemCampo::IndicadorRetificacao: parte = ctx.Retificacao ? QStringLiteral("1") : QStringLiteral("2"); break;
        case OrigemCampo::DataRetificacao: parte = ctx.DataRetificacao; break;
        case OrigemCampo::DataGeracao: parte = ctx.DataGeracao; break;
        case OrigemCampo::Crea:
            parte = ctx.Crea.trimmed().isEmpty() ? QStringLiteral("000000000000") : ctx.Crea.left(12);
            break;
        case OrigemCampo::MarcaVersao:
            parte = QLatin1Char('V') + ctx.Versao.mid(5, 2) + ctx.Versao.mid(8, 2);
            break;
        case OrigemCampo::MarcaModo: parte = ctx.ModoParticao ? QStringLiteral(" P") : QStringLiteral("A "); break;
        case OrigemCampo::VinculadoInicio: parte = FormataCampo(valor, 14).left(2); break;
        case OrigemCampo::VinculadoFim: parte = FormataCampo(valor, 14).mid(2); break;
        case OrigemCampo::AnoBase: parte = CompletaZeros(QString::number(ctx.AnoBase), 4); break;
        case OrigemCampo::IndicadorEncerramento:
            parte = valor.trimmed() == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("2");
            break;
        case OrigemCampo::TotalTipoUm: parte = seisDigitos(ctx.TotalTipoUm); break;
        case OrigemCampo::TotalTipoDois: parte = seisDigitos(ctx.TotalTipoDois); break;
        case OrigemCampo::Estatistica:
            parte = ctx.CodigoSO.left(1) + (ctx.TabelasTrabalho ? QLatin1Char('2') : QLatin1Char('1'));
            break;
        case OrigemCampo::Hash: parte = ctx.Hash; break;
        }
        r += FormataCampo(parte, item.Tamanho);
    }
    return r;
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
