#pragma once
// The file browser's employee list without its window: every link of one establishment as a table model
// of four columns (PIS/PASEP, admission, name, birth date, as stored), in the list's order.
//
// What the model promises:
// - No cap on the rows: the count comes first (one count over the establishment's key range), and rows are
//   read only when the view asks for them, a page at a time, so a list of 200,000 links is painted after
//   reading one page and holds at most a few pages.
// - A page next to one already read is read by keyset paging (the rows after the last, or before the
//   first, in the order's fields); a page far from any read one (a jump to the end) by its position.
// - The order is total: after the order's first field come the rest of the link's key, so the same
//   rows come back in the same places on every read.
// - Chave(row) is the link's 11-field key (CamposChaveVinculo), as stored.

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

namespace gdvorn {

class Query;

class TModeloEmpregados : public QAbstractTableModel {
public:
    // Order "1": by PIS/PASEP; "2": by name.
    explicit TModeloEmpregados(QObject *pai = nullptr, int linhasPorPagina = 256);

    // The links of (anoBase, inscricao, prefixo) in `tabelaVinculo` (a table of BD8VINC's layout); a
    // blank prefix matches the blank ones. Resets the model; the first page is read when asked for.
    void Monta(const QString &tabelaVinculo, const QString &anoBase, const QString &inscricao, const QString &prefixo,
               const QString &ordem);

    int rowCount(const QModelIndex &pai = QModelIndex()) const override;
    int columnCount(const QModelIndex &pai = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

    // The 11-field key of row `linha`; empty outside the rows.
    QStringList Chave(int linha) const;
    // Pages read since Monta (how the list reached its rows).
    int PaginasLidas() const { return m_lidas; }

private:
    using Linha = QStringList; // the key fields, then the birth date
    void filtra(Query &q) const;
    const Linha *linha(int n) const;
    QList<Linha> lePagina(int pagina) const;
    QList<Linha> le(const Linha *limite, bool adiante, int quantas, int deslocamento) const;

    int m_porPagina;
    QString m_tabela, m_ano, m_inscricao, m_prefixo;
    QStringList m_campos;    // read: the key fields, then the birth date
    QList<int> m_ordem;      // positions in m_campos of the order's fields
    QList<int> m_colunas;    // positions in m_campos of the four columns
    int m_total = 0;
    mutable QHash<int, QList<Linha>> m_paginas;
    mutable int m_lidas = 0;
};

} // namespace gdvorn
