// The record loaders of the structure analyser: each record accepted by the record loop goes into the
// work table of its type, after the checks that need the records before it (order of types, duplicates,
// counts).

#include "app/base/EngineError.h"
#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ugConfiguracao.h"
#include "app/ugEstrutura.h"
#include "app/ugFuncoes.h"
#include "fileformat/ugAnaliseEstruturaExecucao.h"
#include "fileformat/ugRegistrosVorn.h"

#include <sqlite3.h>

#include <array>
#include <cstring>

namespace gdvorn {

namespace {

struct Mapa {
    const char *campo;
    int slot;
};

// Link fields copied from their slot as read.
constexpr Mapa VinculoDireto[] = {
    {"NuSequencialRegistro", 1},  {"CoPisPasepEmpregado", 5},     {"DaNascimentoEmpregado", 7},
    {"CoNacionalidade", 8},       {"AnChegadaEmpregado", 9},      {"CoInstrucao", 10},
    {"CoCpfEmpregado", 11},       {"NuCartTrabEmpregado", 12},    {"SeCartTrabEmpregado", 13},
    {"DaAdmissaoEmpregado", 14},  {"CoTipoAdmissao", 15},         {"CoTipoSalarioContratual", 17},
    {"HoSemanaisEmpregado", 18},  {"CoCbo", 19},                  {"CoVinculo", 20},
    {"CoCausaDesligamento", 21},  {"DaDesligamentoEmpregado", 22}, {"CoTipoRaca", 39},
    {"TxUsoEmpregado", 41},       {"InAlvaraEmpregado", 43},      {"InSexo", 44},
    {"CoMunicipioTrabalho", 73},  {"NoEmpregado", 6},
};

// Link values: loaded from their slot, or zeroed when a previous-year file is imported.
struct Valor {
    const char *campo;
    int slot;
    const char *zerado; // nullptr: left empty
};
constexpr Valor VinculoValores[] = {
    {"VaSalContratualEmpregado", 16, "000000000"}, {"VaJaneiroEmpregado", 23, "000000000"},
    {"VaFevereiroEmpregado", 24, "000000000"},     {"VaMarcoEmpregado", 25, "000000000"},
    {"VaAbrilEmpregado", 26, "000000000"},         {"VaMaioEmpregado", 27, "000000000"},
    {"VaJunhoEmpregado", 28, "000000000"},         {"VaJulhoEmpregado", 29, "000000000"},
    {"VaAgostoEmpregado", 30, "000000000"},        {"VaSetembroEmpregado", 31, "000000000"},
    {"VaOutubroEmpregado", 32, "000000000"},       {"VaNovembroEmpregado", 33, "000000000"},
    {"VaDezembroEmpregado", 34, "000000000"},      {"Va13AdiantamentoEmpregado", 35, "000000000"},
    {"Me13AdiantamentoEmpregado", 36, "00"},       {"Va13ParcelaFinalEmpregado", 37, "000000000"},
    {"Me13ParcelaFinalEmpregado", 38, "00"},       {"InDeficienteFisico", 40, ""},
    {"VaAvisoPrevioEmpregado", 42, "000000000"},   {"CoMotivoPrimAfas", 45, nullptr},
    {"DaInicioPrimeiroAfas", 46, nullptr},         {"DaFinalPrimeiroAfas", 47, nullptr},
    {"CoMotivoSeguAfas", 48, nullptr},             {"DaInicioSegundoAfas", 49, nullptr},
    {"DaFinalSegundoAfas", 50, nullptr},           {"CoMotivoTercAfas", 51, nullptr},
    {"DaInicioTerceiroAfas", 52, nullptr},         {"DaFinalTerceiroAfas", 53, nullptr},
    {"QtDiasAfas", 54, nullptr},                   {"VaGlobalFerias", 55, "00000000"},
    {"VaGlobalBcoHoras", 56, "00000000"},          {"QtCompBcoHoras", 57, nullptr},
    {"VaGlobalDissidio", 58, "00000000"},          {"QtCompDissidio", 59, nullptr},
    {"VaGlobalGratificacoes", 60, "00000000"},     {"QtCompGratificacoes", 61, nullptr},
    {"VaGlobalMultas", 62, "00000000"},            {"CoCNPJPrimAssociativa", 63, nullptr},
    {"VaGlobalPrimAssociativa", 64, "00000000"},   {"CoCNPJSegAssociativa", 65, nullptr},
    {"VaGlobalSegAssociativa", 66, "00000000"},    {"CoCNPJSindical", 67, nullptr},
    {"VaGlobalSindical", 68, "00000000"},          {"CoCNPJAssistencial", 69, nullptr},
    {"VaGlobalAssistencial", 70, "00000000"},      {"CoCNPJConfederativa", 71, nullptr},
    {"VaGlobalConfederativa", 72, "00000000"},     {"HoTrabalhadasJaneiro", 74, nullptr},
    {"HoTrabalhadasFevereiro", 75, nullptr},       {"HoTrabalhadasMarco", 76, nullptr},
    {"HoTrabalhadasAbril", 77, nullptr},           {"HoTrabalhadasMaio", 78, nullptr},
    {"HoTrabalhadasJunho", 79, nullptr},           {"HoTrabalhadasJulho", 80, nullptr},
    {"HoTrabalhadasAgosto", 81, nullptr},          {"HoTrabalhadasSetembro", 82, nullptr},
    {"HoTrabalhadasOutubro", 83, nullptr},         {"HoTrabalhadasNovembro", 84, nullptr},
    {"HoTrabalhadasDezembro", 85, nullptr},        {"InSindicalizadoVinculo", 86, "2"},
    {"CoDeficienteFisico", 87, ""},
};

// Link fields filled from a code table: the code's slot, the text field.
struct Nome {
    int slot;
    const char *campo;
};
constexpr Nome VinculoNomes[] = {
    {8, "TxtNacionalidade"}, {10, "TxtInstrucao"}, {39, "TxtRaca"},     {15, "TxtAdmisao"},
    {19, "TxtCBO"},          {73, "NoMunicipioTrabalho"}, {17, "TxtSalario"}, {20, "TxtVinculo"},
    {21, "TxtDesligamento"},
};

// Establishment fields of the current layout set that the previous one does not carry: slot, the value
// a previous-year file gets (nullptr: left empty).
constexpr Valor EstabelecimentoAtual[] = {
    {"CoCNPJCentralizada", 50, "00000000000000"}, {"NuVinculoPatMenor5", 29, "000000"},
    {"NuVinculoPatMaior5", 30, "000000"},         {"PoServicoProprio", 31, "000"},
    {"PoAdmCozinha", 32, "000"},                  {"PoRefeicaoConvenio", 33, "000"},
    {"PoRefeicaoTransportadora", 34, "000"},      {"PoCestaAlimento", 35, "000"},
    {"PoAlimentacaoConvenio", 36, "000"},         {"CoCNPJAssociativa", 41, "00000000000000"},
    {"VaGlobalAssociativa", 42, "000000000"},     {"CoCNPJSindical", 43, "00000000000000"},
    {"VaGlobalSindical", 44, "000000000"},        {"CoCNPJAssistencial", 45, "00000000000000"},
    {"VaGlobalAssistencial", 46, "000000000"},    {"CoCNPJConfederativa", 47, "00000000000000"},
    {"VaGlobalConfederativa", 48, "000000000"},   {"InAtividadeAnoBase", 49, nullptr},
    {"InCentralizada", 52, " "},
};

bool umOuX(const QString &s)
{
    const QString t = s.toUpper();
    return t == QLatin1String("1") || t == QLatin1String("X");
}

void poe(Table &t, const char *campo, const QString &valor)
{
    t.FieldByName(QLatin1String(campo)).setAsString(valor);
}

// The positions of the record that the loaders store: every slot of the type's descriptors.
template <int N>
std::array<bool, TamanhoRegistroVorn + 1> posicoesCarregadas(const TArquivoVornTipo<N> &descritores)
{
    std::array<bool, TamanhoRegistroVorn + 1> m{};
    for (int k = 1; k <= N; ++k) {
        const TArquivo &c = descritores.Campos(k);
        for (int p = c.Inicio; p > 0 && p < c.Inicio + c.Tamanho && p <= TamanhoRegistroVorn; ++p)
            m[std::size_t(p)] = true;
    }
    return m;
}

// Code page 1252 text without the bytes that read as blanks at either end, as QString::trimmed leaves it.
QByteArrayView aparado(QByteArrayView bytes)
{
    static const std::array<bool, 256> branco = [] {
        std::array<bool, 256> b{};
        for (int i = 0; i < 256; ++i)
            b[std::size_t(i)] = CaractereCp1252(static_cast<unsigned char>(i)).isSpace();
        return b;
    }();
    while (!bytes.isEmpty() && branco[uchar(bytes.front())])
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && branco[uchar(bytes.back())])
        bytes.chop(1);
    return bytes;
}

// The link fields the loader fills, in the order of its INSERT's parameters: VinculoDireto, VinculoValores,
// VinculoNomes, then these.
constexpr const char *VinculoRegistro[] = {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento",
                                           "CoCgcVinculado", "InInscrEstabelecimento", "SgUfTrabalho"};

} // namespace

const QString &TextoCodigo::texto(QByteArrayView codigo)
{
    const QByteArrayView chave = aparado(codigo);
    if (m_temUltimo && chave == m_ultimoCodigo)
        return m_ultimoTexto;
    m_ultimoCodigo = chave.toByteArray();
    m_temUltimo = true;
    m_larguraGravado = -1;
    const auto it = m_memoria.constFind(m_ultimoCodigo);
    if (it != m_memoria.constEnd()) {
        m_ultimoTexto = it.value();
        return m_ultimoTexto;
    }
    if (!m_tabela->Active())
        m_tabela->Open();
    QString t = m_tabela->FindKey({DecodificaCp1252(m_ultimoCodigo)}) ? m_tabela->FieldByName(m_campo).AsString()
                                                                      : QString();
    if (m_maiusculas)
        t = t.toUpper();
    m_memoria.insert(m_ultimoCodigo, t);
    m_ultimoTexto = t;
    return m_ultimoTexto;
}

QByteArrayView TextoCodigo::gravado(QByteArrayView codigo, int largura)
{
    const QString &t = texto(codigo);
    if (m_larguraGravado != largura) {
        m_ultimoGravado = storedText(t, largura).toUtf8();
        m_larguraGravado = largura;
    }
    return m_ultimoGravado;
}

void TAnaliseEstrutura::Execucao::ligaUtf8(int posicao, QByteArrayView utf8)
{
    // An empty text is '' (a null pointer would bind NULL).
    sqlite3_bind_text(insereVinculo->handle(), posicao, utf8.isEmpty() ? "" : utf8.data(), int(utf8.size()),
                      SQLITE_STATIC);
}

void TAnaliseEstrutura::Execucao::ligaTexto(int posicao, QByteArrayView bytes, int largura)
{
    // Printable ASCII and the Latin-1 letters and signs are one character per byte, and only the blank
    // is a blank among them: the stored-text rule is then a cut of the bytes, bound without a copy when
    // they are ASCII. Anything else goes through the rule itself.
    bool latin = true;
    bool ascii = true;
    for (const char c : bytes) {
        const uchar b = uchar(c);
        latin = latin && ((b >= 0x20 && b <= 0x7F) || b >= 0xA1);
        ascii = ascii && b < 0x80;
    }
    if (!latin) {
        insereVinculo->bindStored(posicao, DecodificaCp1252(bytes.toByteArray()), largura);
        return;
    }
    const auto semBrancos = [](QByteArrayView b) {
        while (!b.isEmpty() && b.front() == ' ')
            b = b.sliced(1);
        while (!b.isEmpty() && b.back() == ' ')
            b.chop(1);
        return b;
    };
    bytes = semBrancos(bytes);
    if (largura > 0 && bytes.size() > largura)
        bytes = semBrancos(bytes.first(largura));
    if (ascii) {
        ligaUtf8(posicao, bytes);
        return;
    }
    char utf8[2 * TamanhoRegistroVorn];
    char *d = utf8;
    for (const char c : bytes) {
        const uchar b = uchar(c);
        if (b < 0x80) {
            *d++ = c;
        } else {
            *d++ = char(0xC0 | (b >> 6));
            *d++ = char(0x80 | (b & 0x3F));
        }
    }
    sqlite3_bind_text(insereVinculo->handle(), posicao, utf8, int(d - utf8), SQLITE_TRANSIENT);
}

void TAnaliseEstrutura::Execucao::abreTabelas()
{
    CriaTabelaComEstrutura(QStringLiteral("bd8resp"), QStringLiteral("te8resp"), conexao, false);
    CriaTabelaComEstrutura(QStringLiteral("bd8emp"), QStringLiteral("te8emp"), conexao, true);
    // The links' key index is built once the rows are in (at the end of AnalisaArquivo), faster than row by row.
    CriaTabelaComEstrutura(QStringLiteral("bd8vinc"), QStringLiteral("te8vinc"), conexao, false);
    te8resp = std::make_unique<Table>(QStringLiteral("te8resp"), conexao);
    te8emp = std::make_unique<Table>(QStringLiteral("te8emp"), conexao);
    te8resp->Open();
    te8emp->Open();

    const auto tabelaCodigo = [this](Table TdmGDVorn::*membro, const char *nome) -> Table * {
        if (dmGDVorn && conexao == kAlias)
            return &(dmGDVorn->*membro);
        tabelasProprias.push_back(std::make_unique<Table>(QString::fromLatin1(nome), conexao));
        return tabelasProprias.back().get();
    };
    const auto nome = [&](Table TdmGDVorn::*membro, const char *tabela, const char *campo, bool maiusculas = false) {
        return std::make_unique<TextoCodigo>(tabelaCodigo(membro, tabela), QString::fromLatin1(campo), maiusculas);
    };
    cnae = nome(&TdmGDVorn::taCNAE, "tb8cnae", "NoCnae");
    natJur = nome(&TdmGDVorn::taNatJu, "tb8natju", "NoNaturezaJuridica");
    nacionalidade = nome(&TdmGDVorn::taNacionalidade, "tb8nacio", "NoNacionalidade");
    instrucao = nome(&TdmGDVorn::taInstrucao, "tb8instr", "NoInstrucao");
    raca = nome(&TdmGDVorn::taRaca, "tb8raca", "NoRaca");
    admissao = nome(&TdmGDVorn::taAdmissao, "tb8tpadm", "NoTipoAdmissao");
    cbo = nome(&TdmGDVorn::taCBO, "tb8cbo", "NoCbo");
    municipio = nome(&TdmGDVorn::taMunicipio, "tb8munic", "NoMunicipio");
    uf = nome(&TdmGDVorn::taUF, "tbuf", "SgUf", true);
    salario = nome(&TdmGDVorn::taSalario, "tb8tpsal", "NoTipoSalarioContratual");
    vinculo = nome(&TdmGDVorn::taTpVinc, "tb8vinc", "NoVinculo");
    desligamento = nome(&TdmGDVorn::taDesl, "tb8desl", "NoCausaDesligamento");

    // The link loader runs once per link: its statement and the widths of its fields are made here, once.
    // The fields it does not name take their defaults, as a row appended through the table layer does.
    const TableDef &vinculos = Schema::require(QStringLiteral("te8vinc"));
    QStringList colunas, marcas;
    largurasVinc.clear();
    const auto acrescenta = [&](const char *nome) {
        const FieldDef *f = vinculos.field(QLatin1String(nome));
        if (!f)
            throw DatabaseError(QStringLiteral("Field not found.\nTable: te8vinc"));
        colunas << quotedIdentifier(f->name);
        marcas << QStringLiteral("?");
        largurasVinc << f->width;
    };
    for (const Mapa &m : VinculoDireto)
        acrescenta(m.campo);
    for (const Valor &v : VinculoValores)
        acrescenta(v.campo);
    for (const Nome &n : VinculoNomes)
        acrescenta(n.campo);
    for (const char *c : VinculoRegistro)
        acrescenta(c);
    insereVinculo.emplace(insercoes,
                          QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(vinculos.qualifiedName(), colunas.join(QStringLiteral(", ")),
                                   marcas.join(QStringLiteral(", "))),
                          conexao, vinculos.name);
}

void TAnaliseEstrutura::Execucao::fechaTabelas()
{
    for (auto *t : {te8resp.get(), te8emp.get()})
        if (t)
            t->Close();
    insereVinculo.reset();
    insercoes.clear();
    noteDataChanged(conexao, QStringLiteral("te8vinc"));
    for (auto &t : tabelasProprias)
        t->Close();
}

bool TAnaliseEstrutura::Execucao::caracteresValidos(int tipoRegistro, int inicioZona, int tamanhoZona)
{
    if (const int p = tamanhoZona > 0 ? primeiroNaoImprimivel(inicioZona, tamanhoZona) : 0) {
        ocorrencia(1901, {{false, QStringLiteral("5"), QString::number(p), mostra(byte(p))}});
        return false;
    }
    if (!mascarasProntas) {
        mascaras = {posicoesCarregadas(a.m_layout.TipoZero), posicoesCarregadas(a.m_layout.TipoUm),
                    posicoesCarregadas(a.m_layout.TipoDois), posicoesCarregadas(a.m_layout.TipoNove)};
        mascarasProntas = true;
    }
    // The bytes that code page 1252 reads as control characters (the five unassigned ones among them).
    static const std::array<bool, 256> controle = [] {
        std::array<bool, 256> c{};
        for (int b = 0; b < 256; ++b)
            c[std::size_t(b)] = CaractereCp1252(static_cast<unsigned char>(b)).category() == QChar::Other_Control;
        return c;
    }();
    const auto &m = mascaras[std::size_t(tipoRegistro == 9 ? 3 : tipoRegistro)];
    for (int p = 1; p <= TamanhoRegistroVorn; ++p) {
        if (m[std::size_t(p)] && controle[registro[p - 1]]) {
            ocorrencia(1901, {{false, QStringLiteral("5"), QString::number(p), mostra(registro[p - 1])}});
            return false;
        }
    }
    return true;
}

// Header.
bool TAnaliseEstrutura::Execucao::carregaTipo0()
{
    if (!caracteresValidos(0, 271, 10))
        return false;
    if (bytes(1, 6) != QLatin1String("000001") || tipoAnterior != '4' || registrosLidos != 1) {
        ocorrencia(1906, {{false, QStringLiteral("1"), QString(), QStringLiteral("0")}});
        return false;
    }
    Table &t = *te8resp;
    t.Append();
    t.FieldByName(QStringLiteral("InReciboParaRespArquivo")).setAsBoolean(umOuX(campoZero(5)));
    poe(t, "CoCgcCeiResponsavel", campoZero(6));
    poe(t, "InInscrResponsavel", campoZero(7));
    poe(t, "NoResponsavelArquivo", campoZero(8));
    poe(t, "EdLogradouroRespArquivo", campoZero(9));
    poe(t, "NuLogradouroRespArquivo", campoZero(10));
    poe(t, "TxComplementoRespArquivo", campoZero(11));
    poe(t, "NoBairroRespArquivo", campoZero(12));
    poe(t, "CoCepRespArquivo", campoZero(13));
    poe(t, "CoMunicipioRespArquivo", campoZero(14));
    poe(t, "NoMunicipioRespArquivo", campoZero(15));
    poe(t, "SgUfRespArquivo", campoZero(16));
    poe(t, "NuFoneDDD", campoZero(17));
    poe(t, "NuFoneAssinante", campoZero(18));
    retificacao = umOuX(campoZero(19));
    t.FieldByName(QStringLiteral("InRetificacao")).setAsBoolean(retificacao);
    poe(t, "DaRetificacao", campoZero(20));
    poe(t, "DaGeracao", campoZero(21));
    poe(t, "TxEMailRespArquivo", campoZero(22));
    poe(t, "NoResponsavelDeclaracao", campoZero(23));
    poe(t, "CoCpfResponsavel", campoZero(24));
    poe(t, "CoCrea", campoZero(25));
    poe(t, "DaNascimentoRespArquivo", campoZero(26));
    t.Post();
    Configuracao().Crea = campoZero(25);
    return true;
}

void TAnaliseEstrutura::Execucao::fechaEstabelecimento()
{
    if (!estabelecimentoCarregado)
        return;
    te8emp->Edit();
    poe(*te8emp, "NuVinculosEstabelecimento", CompletaZeros(QString::number(vinculosEstabelecimento), 6));
    poe(*te8emp, "NuEstrangeirosEstabelec", CompletaZeros(QString::number(estrangeirosEstabelecimento), 5));
    te8emp->Post();
    vinculosEstabelecimento = 0;
    estrangeirosEstabelecimento = 0;
}

// Establishment.
bool TAnaliseEstrutura::Execucao::carregaTipo1()
{
    if (byte(280) < '0' || byte(280) > '9') {
        ocorrencia(1922, {{false, QStringLiteral("2"), QStringLiteral("280"), mostra(byte(280))}});
        return false;
    }
    if (!caracteresValidos(1, 228, 38))
        return false;
    fechaEstabelecimento();

    const QByteArray chave(reinterpret_cast<const char *>(registro) + 6, 16);
    const QByteArray chaveAnterior = anterior.mid(6, 16);
    if (tipoAnterior == '0' && (chave != chaveAnterior || registrosLidos != 2)) {
        ocorrenciaOrdem(1908);
        return false;
    }
    if (tipoAnterior == '1') {
        if (!semEmpregados) {
            ocorrenciaIndicador(1909);
            return false;
        }
        if (chave == chaveAnterior) {
            ocorrenciaOrdem(1910);
            return false;
        }
    }

    // A previous-year file carries the set's year (the caption of the year field); the rows take it.
    const TArquivo &campoAno = a.m_layout.TipoUm.Campos(23);
    const bool anoAnterior = campoAno.Descricao != anoBase;
    const QString anoArquivo = campo(campoAno);
    const QString esperado = anoAnterior ? campoAno.Descricao : anoBase;
    if (!tudoDigitos(campoAno.Inicio, campoAno.Tamanho) || anoArquivo != esperado) {
        const int p = primeiroNaoImprimivel(campoAno.Inicio, campoAno.Tamanho);
        ocorrencia(1911, {{false, QStringLiteral("5"), QString::number(campoAno.Inicio),
                           p == 0 ? anoArquivo : mostra(byte(p))}});
        return false;
    }
    anoEstabelecimento = anoAnterior ? campoAno.Descricao : anoArquivo;
    const TArquivo &vinculado = a.m_layout.TipoUm.Campos(22);
    ceiVinculado = vinculado.Tamanho == 14 ? campo(vinculado) : QStringLiteral("00") + campo(vinculado);

    if (te8emp->FindKey({anoEstabelecimento, inscricao(), prefixo()})) {
        const QByteArray seq = CompletaZeros(te8emp->FieldByName(QStringLiteral("NuSequencialRegistro")).AsString(), 6)
                                   .toLatin1();
        std::memcpy(anterior.data(), seq.constData(), 6);
        std::memcpy(anterior.data() + 6, chave.constData(), 16);
        anterior[22] = '1';
        tipoAnterior = '1';
        ocorrenciaOrdem(1910);
        return false;
    }
    const QString indicador = campoUm(21);
    if (indicador != QLatin1String("0") && indicador != QLatin1String("1")) {
        ocorrencia(1912, {{false, QStringLiteral("2"), QString(), mostra(byte(280))}});
        return false;
    }
    semEmpregados = indicador == QLatin1String("1");
    tipoInscricao = campoUm(20);

    Table &t = *te8emp;
    t.Append();
    poe(t, "NuSequencialRegistro", campoUm(1));
    poe(t, "AnBase", anoEstabelecimento);
    poe(t, "CoCgcCeiEstabelecimento", inscricao());
    poe(t, "NuPrefixoEstabelecimento", prefixo());
    poe(t, "NoRazaoEstabelecimento", campoUm(5));
    poe(t, "EdEstabelecimento", campoUm(6));
    poe(t, "NuEnderecoEstabelecimento", campoUm(7));
    poe(t, "TxComplemEstabelecimento", campoUm(8));
    poe(t, "NoBairroEstabelecimento", campoUm(9));
    poe(t, "CoCepEstabelecimento", campoUm(10));
    poe(t, "CoMunicipio", campoUm(11));
    poe(t, "NoMunicEstabelecimento", campoUm(12));
    poe(t, "SgUf", campoUm(13));
    poe(t, "NuDDD", campoUm(14));
    poe(t, "NuTelefone", campoUm(15));
    poe(t, "CoCnae2", campoUm(16));
    poe(t, "TxtCnae", cnae->texto(vista(a.m_layout.TipoUm.Campos(16))));
    poe(t, "CoNaturezaJuridica", campoUm(17));
    poe(t, "TxtNatJur", natJur->texto(vista(a.m_layout.TipoUm.Campos(17))));
    poe(t, "NuProprietEstabelecimento", campoUm(18));
    poe(t, "MeDataBase", campoUm(19));
    poe(t, "InInscrEstabelecimento", tipoInscricao);
    poe(t, "InVornNegEstabelecimento", indicador);
    const QString encerramento = umOuX(campoUm(37)) ? QStringLiteral("1") : QStringLiteral("2");
    poe(t, "InEncerramentoAtividade", encerramento);
    poe(t, "DaEncerramentoAtividade", campoUm(38));
    poe(t, "TxEmailEstabelecimento", campoUm(40));
    const QString pat = campoUm(24).toUpper();
    poe(t, "InParticipaPAT", umOuX(pat) ? QStringLiteral("1") : (pat.trimmed().isEmpty() || pat == QLatin1String("2") ? QStringLiteral("2") : pat));
    poe(t, "InOptanteSimples", umOuX(campoUm(27)) ? QStringLiteral("1") : QStringLiteral("2"));
    const QString porte = campoUm(39).toUpper();
    poe(t, "InPorte", QStringLiteral("1234").contains(porte) && porte.size() == 1 ? porte : QStringLiteral(" "));
    poe(t, "InSindicalizada", campoUm(51));
    for (const Valor &v : EstabelecimentoAtual) {
        if (!anoAnterior)
            poe(t, v.campo, campoUm(v.slot));
        else if (v.zerado)
            poe(t, v.campo, QString::fromLatin1(v.zerado));
    }
    poe(t, "CoCgcVinculado", ceiVinculado);
    poe(t, "TxUsoEstabelecimento", campoUm(28));
    t.Post();

    estabelecimentoCarregado = true;
    ++estabelecimentos;
    const QString dataEncerramento = campoUm(38);
    todosAntecipados = todosAntecipados && encerramento == QLatin1String("1") &&
                       dataEncerramento.mid(4, 4) == QString::number(anoEstabelecimento.toInt() + 1);
    return true;
}

// Employment link.
bool TAnaliseEstrutura::Execucao::carregaTipo2()
{
    const QByteArrayView chave(registro + 6, 16);
    const QByteArrayView chaveAnterior = QByteArrayView(anterior).sliced(6, 16);
    if (tipoAnterior == '0') {
        ocorrencia(1913, {{false, QStringLiteral("1"), QString(), QStringLiteral("2")}});
        return false;
    }
    if (tipoAnterior == '1') {
        if (chave != chaveAnterior) {
            if (semEmpregados)
                ocorrencia(1913, {{false, QStringLiteral("1"), QString(), QStringLiteral("2")}});
            else
                ocorrenciaIndicador(1915);
            return false;
        }
        if (semEmpregados) {
            ocorrenciaIndicador(1914);
            return false;
        }
    } else if (tipoAnterior == '2' && chave != chaveAnterior) {
        ocorrenciaOrdem(1916);
        return false;
    }
    if (!caracteresValidos(2, 0, 0))
        return false;

    const TArquivoVornTipoDois &d = a.m_layout.TipoDois;
    if (vista(d.Campos(8)) != QByteArrayView("10"))
        ++estrangeirosEstabelecimento;

    // Each field as the table layer would store it (a blank field stays blank); the parameters in the
    // order of abreTabelas.
    int i = 0;
    const auto liga = [&](QByteArrayView bytes) {
        ligaTexto(i + 1, bytes, largurasVinc[i]);
        ++i;
    };
    const auto ligaTextoQt = [&](const QString &texto) {
        insereVinculo->bindStored(i + 1, texto, largurasVinc[i]);
        ++i;
    };
    for (const Mapa &m : VinculoDireto)
        liga(vista(d.Campos(m.slot)));
    const bool zera = modoImportacao && anoEstabelecimento != anoBase;
    for (const Valor &v : VinculoValores)
        liga(!zera ? vista(d.Campos(v.slot)) : QByteArrayView(v.zerado ? v.zerado : ""));
    TextoCodigo *nomes[] = {nacionalidade.get(), instrucao.get(), raca.get(),    admissao.get(),   cbo.get(),
                            municipio.get(),     salario.get(),   vinculo.get(), desligamento.get()};
    int n = 0;
    for (const Nome &nome : VinculoNomes) {
        ligaUtf8(i + 1, nomes[n++]->gravado(vista(d.Campos(nome.slot)), largurasVinc[i]));
        ++i;
    }
    ligaTextoQt(anoEstabelecimento);
    liga(QByteArrayView(registro + 6, 14)); // inscription
    liga(QByteArrayView(registro + 20, 2)); // prefix
    ligaTextoQt(ceiVinculado);
    ligaTextoQt(tipoInscricao);
    ligaUtf8(i + 1, uf->gravado(vista(d.Campos(73)).first(2), largurasVinc[i]));
    insereVinculo->exec();
    ++vinculos;
    ++vinculosEstabelecimento;
    return true;
}

// Trailer.
bool TAnaliseEstrutura::Execucao::carregaTipo9()
{
    if (!caracteresValidos(9, 36, 245))
        return false;
    fechaEstabelecimento();
    if (tipoAnterior == '0') {
        ocorrenciaOrdem(1917);
        return false;
    }
    if (tipoAnterior == '1' && !semEmpregados) {
        ocorrenciaIndicador(1915);
        return false;
    }
    if (QByteArray(reinterpret_cast<const char *>(registro) + 6, 16) != anterior.mid(6, 16)) {
        ocorrenciaOrdem(1918);
        return false;
    }
    const auto contagem = [this](int slot, int carregados, int codigo, const char *tipoCampo) {
        const TArquivo &c = a.m_layout.TipoNove.Campos(slot);
        const QString campoContagem = campo(c);
        const int informado = tudoDigitos(c.Inicio, c.Tamanho) ? campoContagem.toInt() : 0;
        if (informado == carregados)
            return true;
        const int p = primeiroNaoImprimivel(c.Inicio, c.Tamanho);
        ocorrencia(codigo, {{false, QStringLiteral("1"), QString(), QStringLiteral("9")},
                            {false, QStringLiteral("3"), QString(), p == 0 ? campoContagem : mostra(byte(p))},
                            {false, QString::fromLatin1(tipoCampo), QString(), QString::number(carregados)}});
        return false;
    };
    if (!contagem(5, estabelecimentos, 1919, "6") || !contagem(6, vinculos, 1920, "7"))
        return false;
    te8resp->First();
    te8resp->Edit();
    poe(*te8resp, "NuRespostaPesquisa", campoNove(9));
    te8resp->FieldByName(QStringLiteral("InAntecipacao")).setAsBoolean(estabelecimentos > 0 && todosAntecipados);
    te8resp->Post();
    return true;
}

} // namespace gdvorn
