#include "app/udmDadosResp.h"

#include <QFile>

// Brings the program's resources in when the library is linked statically.
static void iniciaRecursos() { Q_INIT_RESOURCE(gdvorn_recursos); }

namespace gdvorn {

TdmDadosResp *dmDadosResp = nullptr;

TdmDadosResp::TdmDadosResp(const QString &connection)
    : ta8Resp(QStringLiteral("bd8resp"), connection),
      te8Resp(QStringLiteral("te8resp"), connection),
      ta8Emp(QStringLiteral("bd8emp"), connection),
      ta8Vinc(QStringLiteral("bd8vinc"), connection),
      te8Emp(QStringLiteral("te8emp"), connection),
      te8Vinc(QStringLiteral("te8vinc"), connection),
      quEmpresas(connection),
      quVinculos(connection)
{
    ta8Emp.setFieldDeclarations(camposEstabelecimento());
    te8Emp.setFieldDeclarations(camposEstabelecimento());
    dmDadosRespCreate();
}

TdmDadosResp::~TdmDadosResp()
{
    if (dmDadosResp == this)
        dmDadosResp = nullptr;
}

void TdmDadosResp::dmDadosRespCreate()
{
    Retificacao = false;
    EncerraAssistente = false;
    iniciaRecursos();
    QFile imagem(QStringLiteral(":/DEF"));
    ImagemAssistente = imagem.open(QIODevice::ReadOnly) ? imagem.readAll() : QByteArray();
}

QList<FieldDef> TdmDadosResp::camposEstabelecimento()
{
    return Schema::require(QStringLiteral("bd8emp")).fields.mid(0, 54);
}

} // namespace gdvorn
