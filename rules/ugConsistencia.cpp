#include "rules/ugConsistencia.h"

#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/base/Progresso.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

namespace gdvorn {

namespace {

// The progress of the running analysis, for InterrompeAnalise.
Progresso *g_progressoEmCurso = nullptr;

QString campo(Table &t, const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString().trimmed(); }

QString textoChave(const QString &ano, const QString &inscricao, const QString &prefixo)
{
    return TextoAparado(ano) + QLatin1Char('\x1f') + TextoAparado(inscricao) + QLatin1Char('\x1f') + TextoAparado(prefixo);
}

// A whole number of digits, or 0.
int inteiroOuZero(const QString &texto)
{
    bool ok = false;
    const int n = TextoAparado(texto).toInt(&ok);
    return ok && EhNumerico(texto) ? n : 0;
}

// One run: the walk over the tables, the progress and the interrupt points.
class Execucao {
public:
    Execucao(AnaliseConsistencia &a, Progresso &barra, const SequenciasConsistencia &seq,
             const QList<ChaveEstabelecimento> *selecao, const QString &anoFiltro)
        : m_a(a), m_barra(barra), m_seq(seq), m_verificacoesVinculo(seq.Vinculo.cbegin(), seq.Vinculo.cend()),
          m_temSelecao(selecao != nullptr), m_anoFiltro(TextoAparado(anoFiltro))
    {
        if (selecao)
            for (const ChaveEstabelecimento &c : *selecao)
                m_selecao.insert(textoChave(c.AnBase, c.Inscricao, c.Prefixo));
    }

    void executa(bool criticaResponsavel);
    bool interrompida() const { return m_interrompida; }

private:
    bool escolhido();
    void avanca();
    bool parar();
    void analisaResponsavel();
    void analisaEstabelecimento();
    void analisaVinculo();
    bool mesmoEstabelecimento();
    void verificacoesCruzadasEstabelecimento(int qtdVinculos);

    AnaliseConsistencia &m_a;
    Progresso &m_barra;
    const SequenciasConsistencia &m_seq;
    // The link checks in number order, walked for every link without the map's tree.
    const std::vector<Verificacao> m_verificacoesVinculo;
    const bool m_temSelecao;
    QSet<QString> m_selecao;
    const QString m_anoFiltro;
    // The current establishment's key (trimmed) and reference year, read once for all its links.
    QString m_anBase, m_inscricao, m_prefixo;
    int m_anoReferencia = 0;
    qint64 m_total = 0;
    qint64 m_feitos = 0;
    int m_posicao = 0;
    bool m_interrompida = false;
};

// The establishment on which the table stands passes the year filter and the selection.
bool Execucao::escolhido()
{
    Table &e = m_a.Estabelecimentos;
    const QString ano = campo(e, "AnBase");
    if (!m_anoFiltro.isEmpty() && ano != m_anoFiltro)
        return false;
    return !m_temSelecao ||
           m_selecao.contains(textoChave(ano, campo(e, "CoCgcCeiEstabelecimento"), campo(e, "NuPrefixoEstabelecimento")));
}

// One unit of work done: the bar moves in whole percents, and never past 100.
void Execucao::avanca()
{
    ++m_feitos;
    const int posicao = int(std::min<qint64>(100, m_feitos * 100 / std::max<qint64>(1, m_total)));
    if (posicao == m_posicao)
        return;
    m_posicao = posicao;
    m_barra.setPosition(posicao);
    m_barra.processaEventos();
}

// The interrupt point and the limit test: true when the run must stop.
bool Execucao::parar()
{
    if (m_barra.Interrompido()) {
        m_interrompida = true;
        return true;
    }
    return m_a.LimiteExcedido();
}

void Execucao::executa(bool criticaResponsavel)
{
    Table &e = m_a.Estabelecimentos;
    // The work: one unit per chosen establishment and one per declared link.
    for (e.First(); !e.Eof(); e.Next()) {
        if (!escolhido())
            continue;
        bool ok = false;
        const int vinculos = campo(e, "NuVinculosEstabelecimento").toInt(&ok);
        m_total += 1 + (ok && vinculos > 0 ? vinculos : 0);
    }

    m_barra.limpaCancelamento();
    m_barra.setRange(0, 100);
    m_barra.setPosition(0);

    if (criticaResponsavel)
        analisaResponsavel();

    for (e.First(); !e.Eof(); e.Next()) {
        if (!escolhido())
            continue;
        analisaEstabelecimento();
        m_a.QtdEstrangeiros = 0;
        m_anBase = campo(e, "AnBase");
        m_inscricao = campo(e, "CoCgcCeiEstabelecimento");
        m_prefixo = campo(e, "NuPrefixoEstabelecimento");
        const int anoBase = contextoRegras().AnoBase();
        const bool encerradoDepois = campo(e, "InEncerramentoAtividade") == QLatin1String("1") &&
                                     campo(e, "DaEncerramentoAtividade").mid(4, 4) != QString::number(anoBase);
        m_anoReferencia = encerradoDepois ? anoBase + 1 : anoBase;
        avanca();
        if (parar())
            return;

        int qtdVinculos = 0;
        Table &v = m_a.Vinculos;
        if (v.FindKey({m_a.AnBaseEstabelecimento, m_inscricao, m_prefixo})) {
            for (; !v.Eof() && mesmoEstabelecimento(); v.Next()) {
                analisaVinculo();
                ++qtdVinculos;
                avanca();
                if (parar())
                    return;
            }
        }
        verificacoesCruzadasEstabelecimento(qtdVinculos);
    }
    m_barra.setPosition(100);
    m_barra.processaEventos(true);
}

void Execucao::analisaResponsavel()
{
    for (const Verificacao &verificacao : m_seq.Responsavel)
        verificacao(m_a);
}

void Execucao::analisaEstabelecimento()
{
    m_a.CamposEstabelecimento.NovoRegistro();
    m_a.AnBaseEstabelecimento = campo(m_a.Estabelecimentos, "AnBase").left(4);
    for (const Verificacao &verificacao : m_seq.Estabelecimento) {
        if (m_a.LimiteExcedido())
            return;
        verificacao(m_a);
    }
}

void Execucao::analisaVinculo()
{
    m_a.PisVinculo = m_a.CamposVinculo.Aparado("CoPisPasepEmpregado");
    m_a.AdmissaoVinculo = m_a.CamposVinculo.Aparado("DaAdmissaoEmpregado");
    m_a.Ocorrencias.defineVinculo(&m_a.Vinculos, m_a.PisVinculo, m_a.AdmissaoVinculo);
    m_a.AnoReferencia = m_anoReferencia;
    for (const Verificacao &verificacao : m_verificacoesVinculo) {
        if (m_a.LimiteExcedido())
            return;
        verificacao(m_a);
    }
}

// The link on which the table stands belongs to the current establishment.
bool Execucao::mesmoEstabelecimento()
{
    // Called on every record the walk reaches, before any check reads it.
    CamposDaTabela &v = m_a.CamposVinculo;
    v.NovoRegistro();
    return v.Aparado("AnBase") == m_anBase && v.Aparado("CoCgcCeiEstabelecimento") == m_inscricao &&
           v.Aparado("NuPrefixoEstabelecimento") == m_prefixo;
}

// After the links of an establishment: a declaration with employees but no link, and many foreign
// employees for the number of links. Neither counts as an occurrence.
void Execucao::verificacoesCruzadasEstabelecimento(int qtdVinculos)
{
    Table &e = m_a.Estabelecimentos;
    const QString semEmpregados = campo(e, "InVornNegEstabelecimento");
    if (qtdVinculos == 0 && semEmpregados == QLatin1String("0"))
        m_a.Ocorrencias.RegistraOcorrencia(OcorrenciaErro, RegistroEstabelecimento, QStringLiteral("1673"),
                                           {{Rotulo::QuantidadeVinculos, QStringLiteral("0")},
                                            {Rotulo::SemEmpregados, semEmpregados}});
    // A count that is not a number of digits counts as none.
    const QString estrangeiros = campo(e, "NuEstrangeirosEstabelec");
    const int qtdEstrangeiros = inteiroOuZero(estrangeiros);
    if (qtdVinculos > 4 && qtdEstrangeiros > 0 && qtdVinculos / 3 < qtdEstrangeiros)
        m_a.Ocorrencias.RegistraOcorrencia(OcorrenciaAviso, RegistroEstabelecimento, QStringLiteral("1670"),
                                           {{Rotulo::QuantidadeVinculos, QString::number(qtdVinculos)},
                                            {Rotulo::Estrangeiros, estrangeiros}});
}

// The connection's folder must be the one the caller names.
void confereDiretorio(const QString &diretorio, const QString &connection)
{
    if (diretorio.isEmpty())
        return;
    const QString pasta = QDir::cleanPath(QFileInfo(diretorio).absoluteFilePath());
    if (pasta != databaseFolder(connection))
        throw DatabaseError(QStringLiteral("The analysis folder %1 is not the folder of the open database %2.")
                                .arg(diretorio, databaseFolder(connection)));
}

// `texto` into `destino`. A text of ASCII characters is widened into the buffer `destino` owns alone
// when it fits, as the same field of the record before left it, else into a new buffer (the old one
// still held by a copy, or too small); any other text is decoded as UTF-8.
void copiaTexto(QUtf8StringView texto, QString &destino)
{
    const qsizetype n = texto.size();
    if (n == 0) {
        if (destino.isDetached())
            destino.resize(0);
        else
            destino = QStringLiteral("");
        return;
    }
    if (!destino.isDetached() || destino.capacity() < n)
        destino = QString(n, Qt::Uninitialized);
    else if (destino.size() != n)
        destino.resize(n);
    // Widened in one pass; a byte above 0x7F (UTF-8 beyond ASCII) sends the text the long way after.
    const auto *origem = reinterpret_cast<const unsigned char *>(texto.data());
    char16_t *d = reinterpret_cast<char16_t *>(destino.data());
    unsigned char bits = 0;
    for (qsizetype i = 0; i < n; ++i) {
        d[i] = origem[i];
        bits |= origem[i];
    }
    if (bits >= 0x80)
        destino = QString::fromUtf8(texto);
}

} // namespace

const QString &CamposDaTabela::le(size_t i, const char *nome)
{
    Posicao &p = m_posicoes[i];
    if (p.endereco != nome || std::strcmp(p.nome.constData(), nome) != 0) {
        // A free slot, another text at the address, or with every slot taken the one the name hashes to:
        // the name is looked up. FieldByName knows the names in any case and says which one is missing.
        const QString procurado = m_tabela.FieldByName(QLatin1String(nome)).FieldName();
        p.indice = int(m_tabela.FieldNames().indexOf(procurado));
        p.tipo = m_tabela.fieldDef(p.indice).type;
        p.nome = nome;
        p.endereco = nome;
        p.registro = 0;
    } else if (m_registro != 0 && p.registro == m_registro) {
        return p.valor;
    }
    // A text field's value is its text, copied from the row's bytes into the slot's own buffer; a
    // Boolean reads as Field::AsString gives it, a number as its value's text.
    switch (p.tipo) {
    case FieldType::Text: copiaTexto(m_tabela.Fields(p.indice).AsUtf8(m_bytes), p.valor); break;
    case FieldType::Boolean: p.valor = m_tabela.Fields(p.indice).AsString(); break;
    default: p.valor = m_tabela.fieldValue(p.indice).toString(); break;
    }
    p.registro = m_registro;
    return p.valor;
}

QString CamposDaTabela::Aparado(const char *nome)
{
    // Stored text has no blanks around it: the library's trim is called only for a value that has some.
    const QString &gravado = Gravado(nome);
    if (VistaAparada(gravado).size() == gravado.size())
        return gravado;
    return TextoAparado(gravado);
}

AnaliseConsistencia::AnaliseConsistencia(bool tabelasTrabalho, bool origemArquivo, const QString &connection)
    : Responsavel(tabelasTrabalho ? QStringLiteral("te8resp") : QStringLiteral("bd8resp"), connection),
      Estabelecimentos(tabelasTrabalho ? QStringLiteral("te8emp") : QStringLiteral("bd8emp"), connection),
      Vinculos(tabelasTrabalho ? QStringLiteral("te8vinc") : QStringLiteral("bd8vinc"), connection),
      Uf(QStringLiteral("tbuf"), connection),
      Ocorrencias(connection),
      TabelasTrabalho(tabelasTrabalho),
      OrigemArquivo(origemArquivo)
{
    Uf.setIndexFieldNames(QStringLiteral("SgUf"));
}

void AnaliseConsistencia::Inicia()
{
    Ocorrencias.IniciaExecucao();
    Responsavel.Open();
    Estabelecimentos.Open();
    Vinculos.Open();
    Uf.Open();
    Ocorrencias.defineEstabelecimento(&Estabelecimentos);
}

void AnaliseConsistencia::Encerra()
{
    Ocorrencias.EncerraExecucao();
    Responsavel.Close();
    Estabelecimentos.Close();
    Vinculos.Close();
    Uf.Close();
}

const QString &AnaliseConsistencia::AnoEmTexto::de(int valor)
{
    if (valor != ano) {
        ano = valor;
        texto = QString::number(valor);
    }
    return texto;
}

const QString &AnaliseConsistencia::TextoAnoReferencia() { return m_anoReferencia.de(AnoReferencia); }

const QString &AnaliseConsistencia::TextoAnoBase() { return m_anoBase.de(contextoRegras().AnoBase()); }

const std::array<AnaliseConsistencia::NumerosDoMes, 12> &AnaliseConsistencia::NumerosDosMeses()
{
    const quint64 registro = CamposVinculo.Registro();
    if (registro != 0 && registro == m_registroDosMeses)
        return m_numerosDosMeses;
    for (size_t m = 0; m < 12; ++m) {
        NumerosDoMes &n = m_numerosDosMeses[m];
        const QString &valor = CamposVinculo.Gravado(kValorMes[m]);
        const QStringView aparado = VistaAparada(valor);
        n.valorDigitos = SoDigitos(aparado);
        n.centavos = n.valorDigitos ? ValorDigitos(aparado) : 0;
        n.valorNoveDigitos = n.valorDigitos && aparado.size() == 9;
        n.centavosGravados = aparado.size() == valor.size() ? n.centavos : 0;
        const QStringView horas = VistaAparada(CamposVinculo.Gravado(kHorasMes[m]));
        n.horasDigitos = SoDigitos(horas);
        n.horas = n.horasDigitos ? ValorDigitos(horas) : 0;
    }
    m_registroDosMeses = registro;
    return m_numerosDosMeses;
}

QString AvisoLimiteOcorrencias()
{
    return QStringLiteral("Quantidade de erros excede o valor máximo permitido. Será exibido aproximadamente "
                          "as %1 primeiras ocorrências\nVisualize/Imprima os erros e após a correção, inicie "
                          "novamente a análise da declaração.")
        .arg(AnaliseConsistencia::LimiteOcorrencias);
}

void AnaliseConsistencia::ContaOcorrencia()
{
    ++QtdOcorrencias;
    if (LimiteExcedido() && !m_avisoLimiteMostrado) {
        m_avisoLimiteMostrado = true;
        presenter().show(MessageKind::Warning, AvisoLimiteOcorrencias(), {MessageButton::Ok});
    }
}

void AnaliseConsistencia::RegistraErro(int tipoRegistro, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    Ocorrencias.RegistraOcorrencia(OcorrenciaErro, tipoRegistro, codigo, campos);
    ContaOcorrencia();
}

void AnaliseConsistencia::RegistraAviso(int tipoRegistro, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    Ocorrencias.RegistraOcorrencia(OcorrenciaAviso, tipoRegistro, codigo, campos);
}

AnaliseConsistencia::UltimoCodigo *AnaliseConsistencia::ultimoCodigo(quintptr regra)
{
    for (UltimoCodigo &u : m_ultimosCodigos) {
        if (u.regra == regra)
            return &u;
        if (u.regra == 0) {
            u.regra = regra;
            return &u;
        }
    }
    return nullptr; // more rules than places: each goes to the hash
}

QString AnaliseConsistencia::CodigoDeTabela(RegraDeTabela regra, const QString &valor)
{
    UltimoCodigo *ultimo = ultimoCodigo(reinterpret_cast<quintptr>(regra));
    if (ultimo && !ultimo->codigo.isNull() && ultimo->valor1 == valor)
        return ultimo->codigo;
    const QPair<quintptr, QString> chave(reinterpret_cast<quintptr>(regra), valor);
    auto it = m_codigosDeTabela.constFind(chave);
    if (it == m_codigosDeTabela.constEnd())
        it = m_codigosDeTabela.insert(chave, regra(valor));
    if (ultimo) {
        ultimo->valor1 = valor;
        ultimo->codigo = it.value();
    }
    return it.value();
}

QString AnaliseConsistencia::CodigoDeTabela(RegraDeTabela2 regra, const QString &valor1, const QString &valor2)
{
    UltimoCodigo *ultimo = ultimoCodigo(reinterpret_cast<quintptr>(regra));
    if (ultimo && !ultimo->codigo.isNull() && ultimo->valor1 == valor1 && ultimo->valor2 == valor2)
        return ultimo->codigo;
    const QPair<quintptr, QString> chave(reinterpret_cast<quintptr>(regra), valor1 + QChar(0x1f) + valor2);
    auto it = m_codigosDeTabela.constFind(chave);
    if (it == m_codigosDeTabela.constEnd())
        it = m_codigosDeTabela.insert(chave, regra(valor1, valor2));
    if (ultimo) {
        ultimo->valor1 = valor1;
        ultimo->valor2 = valor2;
        ultimo->codigo = it.value();
    }
    return it.value();
}

SequenciasConsistencia SequenciasPadrao()
{
    SequenciasConsistencia s;
    VerificacoesResponsavel(s);
    VerificacoesIdentificacaoEstabelecimento(s);
    VerificacoesDadosEstabelecimento(s);
    VerificacoesCruzadas(s);
    VerificacoesPessoaVinculo(s);
    VerificacoesContratoVinculo(s);
    VerificacoesRemuneracaoVinculo(s);
    VerificacoesAfastamentosVinculo(s);
    VerificacoesSindicaisVinculo(s);
    VerificacoesHorasVinculo(s);
    return s;
}

quint8 AnalisaDeclaracao(Progresso *BarraProgresso, const QString &Diretorio, bool TabelasTrabalho,
                         const QList<ChaveEstabelecimento> *Selecao, const QString &AnoBaseFiltro,
                         bool CriticaResponsavel, bool Reservado, bool OrigemArquivo,
                         const SequenciasConsistencia *sequencias)
{
    Q_UNUSED(Reservado);
    confereDiretorio(Diretorio, kAlias);
    const SequenciasConsistencia padrao = sequencias ? SequenciasConsistencia{} : SequenciasPadrao();
    Progresso semBarra;
    Progresso &barra = BarraProgresso ? *BarraProgresso : semBarra;
    ProgressoEmCurso emCurso(g_progressoEmCurso, &barra);

    AnaliseConsistencia a(TabelasTrabalho, OrigemArquivo);
    Transaction transacao;
    a.Inicia();

    Execucao execucao(a, barra, sequencias ? *sequencias : padrao, Selecao, AnoBaseFiltro);
    execucao.executa(CriticaResponsavel);

    a.Encerra();
    transacao.commit();

    if (execucao.interrompida())
        return Consistencia::AnaliseInterrompida;
    return (a.Ocorrencias.HaErros() ? Consistencia::HaErros : 0) |
           (a.Ocorrencias.HaAvisos() ? Consistencia::HaAvisos : 0);
}

void InterrompeAnalise()
{
    if (g_progressoEmCurso)
        g_progressoEmCurso->solicitaCancelamento();
}

} // namespace gdvorn
