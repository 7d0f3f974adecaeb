#include "app/ufmCriticaEdit.h"

#include "app/base/Abort.h"
#include "app/ugCriticas.h"
#include "app/ugMensagens.h"

#include <QLineEdit>

namespace gdvorn {

void CriticaEditTexto(QLineEdit *edit)
{
    const QString codigo = CriticaTexto(edit->text());
    if (codigo == QLatin1String("0000"))
        return;
    MostraMensagem(codigo);
    edit->setFocus();
    Abort();
}

} // namespace gdvorn
