#pragma once
// The employee list's data: the context of the establishment whose links are listed, the query of its
// links with the list's filters, the caption of the year, and the deletion of a link stored with a blank
// PIS together with the recount of the establishment's link and foreign-worker counts.

#include "app/base/Query.h"
#include "app/ugListas.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

#include <optional>

namespace gdvorn {

// The establishment of the list, as the establishment form leaves it before showing the list.
struct ContextoConsulta {
    QString AnoBaseConsulta;
    QString PrefixoConsulta;
    QString RazaoSocialConsulta;
    QString TipoInscricaoConsulta; // "1" CNPJ, "3" CEI
    QString InscricaoConsulta;     // 14 characters (a CEI as "00" + 12 digits)
    QString CeiVinculadoConsulta;
    bool EncerradoAnoSeguinteConsulta = false;
    // DaEncerramentoAtividade of the row, for the caption of the year, and the row's link count.
    QString DaEncerramentoAtividade;
    QString NuVinculosEstabelecimento;
};

// The context of the stored establishment `chave`; false (and `contexto` untouched) when it is not stored.
// EncerradoAnoSeguinteConsulta: InEncerramentoAtividade "1" with a closing date in the year after the
// program's base year.
bool LeContextoConsulta(const ChaveEstabelecimento &chave, ContextoConsulta &contexto);

// "Encerramento de Atividades - " and the next year when the closing date (DDMMYYYY) falls in the year
// after `anoBase`; "Declaração Ano-Base " and `anoBase` otherwise.
QString LegendaAnoConsulta(const QString &daEncerramento, int anoBase);

// The inscription as the list shows it: a CNPJ ("1") from its 14 digits, anything else as a CEI from its
// last 12 characters.
QString InscricaoMostradaConsulta(const ContextoConsulta &contexto);

// The filters of the list: the start of a PIS, the start of a name, or up to two initial letters (the
// name wins over the letters; the PIS and the name combine).
struct FiltroVinculo {
    QString pis;
    QString nome;
    QString letra1; // "" or a letter
    QString letra2;
};

// The links of the establishment with the filters, in key order (PIS, admission, name). Only links that
// carry the establishment's type and CEI vinculado are listed.
void MontaQueryVinculos(Query &q, const ContextoConsulta &contexto, const FiltroVinculo &filtro);

// A link as the list holds it (stored values).
struct VinculoListado {
    QString pis, nome, admissao, desligamento, cbo;
};

// The rows of the list, read from the query of MontaQueryVinculos (which it closes), shown in the columns
// PIS/PASEP (999.99999.99.9), "Nome do Empregado/Servidor", "Data Admissão" (DD/MM/YYYY) and "CBO"
// (quConVinculoCoCboGetText). Rows are plain values, not items, so that a large establishment lists fast.
class ModeloVinculos : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void carrega(Query &q);
    // The links of `contexto` that pass `filtro`, as MontaQueryVinculos on `q` and carrega give them. While
    // the filter only narrows what was read last (the PIS or the name typed further, or the same filter;
    // the letters the same) for the same establishment, with no write to the links since, the rows held
    // are narrowed without reading; otherwise the rows are read again.
    void filtra(Query &q, const ContextoConsulta &contexto, const FiltroVinculo &filtro);
    // The next filtra reads again.
    void esquece() { m_lido.reset(); }
    const VinculoListado &linha(int i) const { return m_linhas.at(i); }

    int rowCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : int(m_linhas.size()); }
    int columnCount(const QModelIndex &pai = {}) const override { return pai.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex &indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

private:
    // What the rows held were read for.
    struct Leitura {
        ContextoConsulta contexto;
        FiltroVinculo filtro;
        quint64 versao = 0; // the links' change counter at the reading
    };
    bool estreita(const ContextoConsulta &contexto, const FiltroVinculo &filtro) const;

    QVector<VinculoListado> m_linhas;
    std::optional<Leitura> m_lido;
};

// The establishment has a link stored with a blank PIS.
bool ExisteVinculoSemPis(const ContextoConsulta &contexto);

// Deletes the establishment's first link with a blank PIS and stores the new counts, in one transaction.
// False when there is no such link (nothing changes).
bool ExcluiVinculoSemPis(const ContextoConsulta &contexto);

} // namespace gdvorn
