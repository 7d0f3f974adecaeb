#pragma once
// Help: HTML pages in the folder Ajuda-GDVORN beside the program, and the map from help-context number to
// page in that folder's "contextos.tsv" (one line per context: the number, a tab, the page with an
// optional "#anchor"; lines starting with "#" are comments). The contents page is "index.html".
//
// Controls carry their help-context number in the property "contextoAjuda" (set with setContextoAjuda,
// read with ContextoAjuda; a control without one takes its nearest parent's).
//
// The pages are shown by the help viewer installed with setVisorAjuda (the program's help window; the
// tests install one that records the pages asked for). Without a viewer nothing is shown.

#include <QString>

class QObject;

namespace gdvorn {

class VisorAjuda {
public:
    virtual ~VisorAjuda() = default;
    // Shows `arquivo` (a full path) at `ancora` (empty: the top of the page).
    virtual void mostra(const QString &arquivo, const QString &ancora) = 0;
};

// Installs `visor` (not owned); nullptr for none. Returns the one installed before.
VisorAjuda *setVisorAjuda(VisorAjuda *visor);

// The help folder with a trailing "/": the folder given to setPastaAjuda, otherwise DiretorioPrograma() +
// "Ajuda-GDVORN/". The map is read again when the folder changes.
QString PastaAjuda();
void setPastaAjuda(const QString &pasta);

// The page of a help context as the map gives it ("estabelecimento.html#deLogradouro"); empty when the
// map has no such context.
QString PaginaAjuda(int contexto);

// The help file's contents.
void MostraAjuda();
// The topic of a help context; a context that the map does not hold shows the contents.
void MostraAjudaContexto(int contexto);

// The help context of a control (0 when neither it nor a parent has one).
int ContextoAjuda(const QObject *controle);
void setContextoAjuda(QObject *controle, int contexto);

} // namespace gdvorn
