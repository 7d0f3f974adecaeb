#pragma once
// The report module: the report system RvSystem1 (where a report goes: preview, printer, PDF or text
// file), the three report projects (reports by name and their parameters), the datasets the reports
// walk, and the display handlers that turn stored values into printed text.
//
// The reports themselves are registered into the projects by the report definitions (Relatorio/) at
// start-up; each is a function that walks its datasets with cursors and builds its pages through a
// MontadorRelatorio. Painting to PDF, printer and preview is done by the output that the forms install
// (SaidaRelatorio); without one, only text files can be written.

#include "app/base/Progresso.h"
#include "app/base/Query.h"
#include "app/ugPaginas.h"

#include <QMap>
#include <QString>

#include <functional>

namespace gdvorn {

// Makes a report's pages into a destination; it may be run more than once (the preview repaints).
using GeraPaginas = std::function<void(DestinoPaginas &)>;

class TRvSystem;

// What shows, prints and saves reports: the forms install one (QtRelatorio), tests a recorder.
class SaidaRelatorio {
public:
    virtual ~SaidaRelatorio() = default;
    // True when at least one printer is installed.
    virtual bool haImpressora() = 0;
    // Sends the report named `nome` to the system's destination.
    virtual void executa(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera) = 0;
};
SaidaRelatorio *saidaRelatorio();
// Installs `s` (not owned); nullptr: none. Returns the one installed before.
SaidaRelatorio *setSaidaRelatorio(SaidaRelatorio *s);

enum class DestinoRelatorio { Visualizacao, Impressora, Arquivo };

class TRvSystem {
public:
    const QString TituloPreparacao = QStringLiteral("Output Options");
    const QString TituloEstado = QStringLiteral("Report Status");
    const QString TituloVisualizacao = QStringLiteral("Visualização do Relatório");
    const QString TituloTrabalho = QStringLiteral("ReportPrinter Report");
    // The status window's text while the pages are made and while they are printed (TextoEstado).
    const QString EstadoGerando = QStringLiteral("Gerando página %p");
    const QString EstadoImprimindo = QStringLiteral("Imprimindo página %p");

    DestinoRelatorio Destino = DestinoRelatorio::Visualizacao;
    // With DestinoRelatorio::Arquivo: a name ending in ".txt" is written as text, any other as PDF.
    QString ArquivoSaida;
    // Printing from the preview; switched off for the rest of the run once no printer was found.
    bool ImprimeDaVisualizacao = true;

    // True when a printer is installed (false without an installed output).
    bool HaImpressora() const;
    // How a window says that no printer is installed: its text, and whether its screen gives it as an error
    // box ("Atenção") rather than a warning.
    struct SemImpressora {
        QString texto;
        bool erro = false;
    };
    static const SemImpressora kImpossivelImprimir; // "Não é possível imprimir: …" as a warning
    static const SemImpressora kNaoHaImpressoras;   // "Não há impressoras instaladas." as a warning
    static const SemImpressora kErroImpossivelImprimir; // "Não é possível imprimir: …" as an error box
    // The one test of the printers before a report: with none installed, printing from the preview is
    // switched off for the rest of the run and `aviso` is shown. Returns HaImpressora(); a report to the
    // preview goes on either way.
    bool VerificaImpressora(const SemImpressora &aviso = kImpossivelImprimir);
    // Runs the report to the destination. A text file is written here; everything else goes through the
    // installed output (std::runtime_error when there is none).
    void Executa(const QString &nome, const GeraPaginas &gera);
};

// A status text with the page number in place of "%p".
QString TextoEstado(const QString &modelo, int pagina);

// Hands each page on to `destino`, then moves `estado` to the page's number and lets events run (at most
// every 50 ms): the status window of a run follows the pages as they are made.
class PaginasComEstado : public DestinoPaginas {
public:
    PaginasComEstado(DestinoPaginas &destino, Progresso &estado) : m_destino(destino), m_estado(estado) {}
    void pagina(const Pagina &p) override;

private:
    DestinoPaginas &m_destino;
    Progresso &m_estado;
    int m_paginas = 0;
};

class TdmRaveRelatorios;

// A report project: its reports by name and the parameters set before a run.
class TRvProject {
public:
    using Relatorio = std::function<void(TdmRaveRelatorios &, const TRvProject &, DestinoPaginas &)>;

    TRvProject(TdmRaveRelatorios &modulo, QString nome) : m_modulo(modulo), m_nome(std::move(nome)) {}

    QString Nome() const { return m_nome; }
    void Registra(const QString &relatorio, Relatorio fn) { m_relatorios.insert(relatorio, std::move(fn)); }
    bool Tem(const QString &relatorio) const { return m_relatorios.contains(relatorio); }

    void SetParam(const QString &nome, const QString &valor) { m_parametros.insert(nome, valor); }
    QString GetParam(const QString &nome) const { return m_parametros.value(nome); }

    // The pages of a report to `destino` (std::invalid_argument for an unknown name).
    void Gera(const QString &relatorio, DestinoPaginas &destino);
    // Runs the report to RvSystem1's destination.
    void ExecuteReport(const QString &relatorio);
    // Forgets the parameters.
    void Close() { m_parametros.clear(); }

private:
    TdmRaveRelatorios &m_modulo;
    QString m_nome;
    QMap<QString, Relatorio> m_relatorios;
    QMap<QString, QString> m_parametros;
};

// The declaration statement the reports "RelatorioCompleto" and "RelatorioResumido" walk: one row per
// link of each establishment (one row with blank link columns for an establishment without links), with
// the first responsible row (blank when there is none). `vinculoOn` adds to the links' join condition,
// `onde` filters the establishments, `ordem` sorts the links within an establishment; the tables are
// named Empresa, Vinculo and Responsavel.
QString ConsultaDeclaracao(const QString &tabelaResponsavel, const QString &tabelaEmpresa,
                           const QString &tabelaVinculo, const QString &vinculoOn, const QString &onde,
                           const QString &ordem);
// The column of the declaration statement that holds `campo` of "bd8emp", "bd8vinc" or "bd8resp": the
// field's own name, or "Vinculo" + the name for a link field that the establishment also has.
QString ColunaDeclaracao(const QString &tabela, const QString &campo);

class TdmRaveRelatorios {
public:
    explicit TdmRaveRelatorios(const QString &conexao = kAlias);

    TRvSystem RvSystem1;
    TRvProject RvProtocolo{*this, QStringLiteral("rptProtocolo")};
    TRvProject RvProject2{*this, QStringLiteral("Project3")};
    TRvProject rvprjErro{*this, QStringLiteral("Erros")};

    // The datasets. Each report opens the ones it walks; parameters are bound.
    Query quProtocolo;   // one row per establishment of each written volume, volumes in number order
    Query qrConsulta;    // ConsultaDeclaracao over the stored declaration of :AnBase; the print
                         // wizard replaces its text
    Query quContavinc;   // the links of one establishment: :AnBase, :sCgcCei, :sPrefixo
    Query quErros;       // findings of one kind: :ErrWar ("err" or "war"), by Sequencial
    Query ta8Msg;        // message texts and field labels
    Query quErroStru;    // structure errors by sequence
    Query ta8importacao; // import statistics
    Query quSequencias;  // the distinct notes of the import
    Query quTodos;       // every import row

    // quErros for "err" or "war"; ErrWar keeps the kind chosen.
    void SelecionaErros(const QString &errWar);
    QString ErrWar;

    // Previews "rptErros" for "err" or "war" of the base year, after RvSystem1.VerificaImpressora(aviso).
    void VisualizaErros(const QString &errWar, const TRvSystem::SemImpressora &aviso);

    QString Conexao() const { return m_conexao; }

private:
    QString m_conexao;
};

// The program-wide instance, from start-up to the end of the program.
extern TdmRaveRelatorios *dmRaveRelatorios;

// The report definitions lie in a library the module does not link: the program's start-up sets the
// function that registers them, and every module created afterwards runs it.
void setRegistroRelatorios(std::function<void(TdmRaveRelatorios &)> registra);

// "2010,V.01" from "2010.01.03": the version's first four characters, ",V", its characters 5-7.
QString VersaoEditada(const QString &versao);

// The display handlers: the printed text of one stored value, given what of its own row it needs.
QString TextoInscricao(const QString &inscricao, const QString &tipo); // DisplayCGCCei
QString TextoCPF(const QString &cpf);                                  // DisplayCPF
QString TextoCeiVinculado(const QString &cei);                         // DisplayCeiVinculado
QString TextoCNPJ(const QString &cnpj);                                // DisplayCNPJ
QString TextoMunicipio(const QString &codigo);                         // DisplayCodMunicipio
QString TextoTrim(const QString &numero);                              // DisplayTrim
QString TextoPAT(const QString &percentual);                           // DisplayTrimPAT
QString TextoRemuneracao(const QString &valor9);                       // DisplayRemuneracao
QString TextoValorTotal(const QString &valor8);                        // DisplayValorTotal
QString TextoDatas(const QString &ddmm);                               // DisplayDatas
// DisplayDataDeslig: the year is the closure's when that is the base year + 1, else the base year.
QString TextoDataDeslig(const QString &ddmm, int anoBase, const QString &encerramento);
QString TextoEncerramento(const QString &data);          // GetAnoEncerramento
QString TextoEncerramentoProtocolo(const QString &data); // the protocol's closure dates
QString TextoRazao(const QString &razao);                // DisplayBranco

} // namespace gdvorn
