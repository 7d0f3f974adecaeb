// The findings of the consistency analysis (errors or warnings, by Sequencial, grouped by record), the
// structure errors of a file and the result of an import.

#include "Relatorio/ugRelatorios.h"

#include "app/ugFuncoes.h"

namespace gdvorn {

namespace {

QString campo(Query &q, const char *nome) { return q.FieldByName(QLatin1String(nome)).AsString().trimmed(); }

// Message texts by code, one prepared statement for the whole report.
class Mensagens {
public:
    explicit Mensagens(const QString &conexao) : m_q(conexao)
    {
        m_q.setSql(QStringLiteral("select TxMensagem from tb8msg where NuMensagem = :Codigo"));
    }
    QString texto(const QString &codigo)
    {
        m_q.Close();
        m_q.ParamByName(QStringLiteral("Codigo")).setAsStored(QStringLiteral("tb8msg"), QStringLiteral("NuMensagem"), codigo);
        m_q.Open();
        const QString t = m_q.Eof() ? QString() : m_q.FieldByName(QStringLiteral("TxMensagem")).AsString().trimmed();
        m_q.Close();
        return t;
    }

private:
    Query m_q;
};

QString registro(const QString &tipo)
{
    if (tipo == QLatin1String("0"))
        return QStringLiteral("Responsável");
    if (tipo == QLatin1String("1"))
        return QStringLiteral("Estabelecimento");
    return QStringLiteral("Vínculo");
}

} // namespace

void rptErros(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d)
{
    const bool avisos = m.ErrWar == QLatin1String("war");
    MontadorRelatorio r(d, avisos ? QStringLiteral("Relatório de Avisos") : QStringLiteral("Relatório de Erros"),
                        p.GetParam(QStringLiteral("AnoBase1")), p.GetParam(QStringLiteral("Versao")));
    Mensagens mensagens(m.Conexao());
    Query &q = m.quErros;
    q.Close();
    q.Open();
    QString registroAtual, sequencial;
    int ocorrencias = 0;
    while (!q.Eof()) {
        const QString tipoRegistro = campo(q, "tiporegistro");
        const QString inscricao = TextoInscricao(campo(q, "inscricao"), campo(q, "tipoinscricao"));
        QString cabecalho = registro(tipoRegistro) + QStringLiteral(" ") + inscricao;
        if (tipoRegistro != QLatin1String("0"))
            cabecalho += QStringLiteral("  Prefixo ") + campo(q, "prefixo") + QStringLiteral("  ") + campo(q, "razaosocial");
        if (tipoRegistro == QLatin1String("2"))
            cabecalho += QStringLiteral("\nPIS/PASEP ") + FormataPisPasep(campo(q, "copispasep")) + QStringLiteral("  ") +
                         campo(q, "noempregado") + QStringLiteral("  Admissão ") + FormataData(campo(q, "DaAdmissao"));
        if (cabecalho != registroAtual) {
            registroAtual = cabecalho;
            const QStringList linhas = cabecalho.split(QLatin1Char('\n'));
            r.grupo(linhas.first(), false);
            for (int i = 1; i < linhas.size(); ++i)
                r.texto(linhas.at(i), true);
            sequencial.clear();
        }
        const QString seq = campo(q, "Sequencial");
        if (seq != sequencial) {
            // A rule closes the finding before: its field lines stay with it, under its own message.
            if (!sequencial.isEmpty())
                r.separador();
            sequencial = seq;
            ++ocorrencias;
            const QString codigo = campo(q, "retorno");
            r.semColunas();
            r.texto(codigo + QStringLiteral(" - ") + mensagens.texto(codigo), true);
            r.colunas({{QStringLiteral("Campo"), 45, 0}, {QStringLiteral("Conteúdo"), 54, 0}});
        }
        const QString lbl = campo(q, "lbl");
        if (!lbl.isEmpty())
            r.linha({mensagens.texto(lbl), campo(q, "Conteudo")});
        q.Next();
    }
    q.Close();
    r.semColunas();
    r.total(avisos ? QStringLiteral("Total de avisos") : QStringLiteral("Total de erros"), QString::number(ocorrencias));
    r.termina();
}

void rptErrosEstrutura(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d)
{
    MontadorRelatorio r(d, QStringLiteral("Erros de Estrutura do Arquivo"), p.GetParam(QStringLiteral("anobase")),
                        p.GetParam(QStringLiteral("Versao")));
    Mensagens mensagens(m.Conexao());
    r.colunas({{QStringLiteral("Registro"), 8, Qt::AlignRight},
               {QStringLiteral("Inscrição/Prefixo"), 17, 0},
               {QStringLiteral("Posição"), 7, Qt::AlignRight},
               {QStringLiteral("Mensagem"), 45, 0},
               {QStringLiteral("Conteúdo"), 20, 0}});
    Query &q = m.quErroStru;
    q.Close();
    q.Open();
    int erros = 0;
    while (!q.Eof()) {
        const QString codigo = campo(q, "CoMsg");
        r.linha({TextoTrim(campo(q, "Sequencia")), campo(q, "InscricaoPrefixo"), TextoTrim(campo(q, "PosicaoInicial")),
                 codigo + QStringLiteral(" - ") + mensagens.texto(codigo), campo(q, "Conteudo")});
        ++erros;
        q.Next();
    }
    q.Close();
    r.semColunas();
    r.total(QStringLiteral("Total de erros"), QString::number(erros));
    r.termina();
}

void rptImportacao(TdmRaveRelatorios &m, const TRvProject &p, DestinoPaginas &d)
{
    MontadorRelatorio r(d, QStringLiteral("Resultado da Importação"), p.GetParam(QStringLiteral("anobase")),
                        p.GetParam(QStringLiteral("Versao")));
    Mensagens mensagens(m.Conexao());
    r.colunas({{QStringLiteral("Inscrição"), 18, 0},
               {QStringLiteral("Pref."), 5, 0},
               {QStringLiteral("CEI vinculado"), 15, 0},
               {QStringLiteral("Vínculos"), 9, Qt::AlignRight},
               {QStringLiteral("Deslig."), 9, Qt::AlignRight},
               {QStringLiteral("Duplic."), 9, Qt::AlignRight},
               {QStringLiteral("Importados"), 11, Qt::AlignRight},
               {QStringLiteral("Nota"), 5, Qt::AlignRight}});
    Query &q = m.ta8importacao;
    q.Close();
    q.Open();
    int totais[4] = {0, 0, 0, 0};
    const char *contagens[4] = {"NuVinculosEstabelecimento", "NuTotalDesligados", "NuTotalDuplicados", "NuTotalImportados"};
    while (!q.Eof()) {
        QStringList linha{TextoInscricao(campo(q, "CoCgcCeiEstabelecimento"), campo(q, "InInscrEstabelecimento")),
                          campo(q, "NuPrefixoEstabelecimento"), TextoCeiVinculado(campo(q, "CoCgcVinculado"))};
        for (int i = 0; i < 4; ++i) {
            totais[i] += campo(q, contagens[i]).toInt();
            linha << TextoTrim(campo(q, contagens[i]));
        }
        linha << (campo(q, "CoImp") == QLatin1String("0000") ? QString() : TextoTrim(campo(q, "Seq")));
        r.linha(linha);
        q.Next();
    }
    q.Close();
    r.semColunas();
    r.total(QStringLiteral("Total de vínculos"), QString::number(totais[0]));
    r.total(QStringLiteral("Total de desligados"), QString::number(totais[1]));
    r.total(QStringLiteral("Total de duplicados"), QString::number(totais[2]));
    r.total(QStringLiteral("Total de importados"), QString::number(totais[3]));

    Query &n = m.quSequencias;
    n.Close();
    n.Open();
    bool primeira = true;
    while (!n.Eof()) {
        if (primeira) {
            r.linhaEmBranco();
            r.texto(QStringLiteral("Notas"), true);
            primeira = false;
        }
        const QString codigo = campo(n, "coimp");
        r.texto(TextoTrim(campo(n, "seq")) + QStringLiteral(" - ") + mensagens.texto(codigo));
        n.Next();
    }
    n.Close();
    r.termina();
}

} // namespace gdvorn
