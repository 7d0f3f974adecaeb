#pragma once
// The report output of the tests: stands in for the preview, the printer and the PDF file, and records
// each report run (its name, destination, whether the preview could print, and its pages as text).
// Installed for its lifetime.

#include "app/udmRaveRelatorios.h"

namespace gdvorn::test {

struct RelatorioGravado {
    QString nome;
    DestinoRelatorio destino;
    bool imprimeDaVisualizacao;
    QStringList paginas;
};

class GravadorRelatorios : public SaidaRelatorio {
public:
    GravadorRelatorios() { m_anterior = setSaidaRelatorio(this); }
    ~GravadorRelatorios() override { setSaidaRelatorio(m_anterior); }

    bool impressora = true;
    QList<RelatorioGravado> relatorios;

    bool haImpressora() override { return impressora; }
    void executa(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera) override
    {
        GravadorPaginas g;
        gera(g);
        relatorios << RelatorioGravado{nome, sistema.Destino, sistema.ImprimeDaVisualizacao, g.textos};
    }

private:
    SaidaRelatorio *m_anterior = nullptr;
};

} // namespace gdvorn::test
