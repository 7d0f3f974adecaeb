// The program GDVORN. It takes no arguments.

#include "app/QtAplicacao.h"
#include "app/QtModal.h"
#include "app/QtPrograma.h"
#include "backup/ufmRestore00.h"
#include "backup/QtComandosCopia.h"
#include "app/QtDialogoArquivo.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmSeletores.h"
#include "Relatorio/ugRelatorios.h"
#include "rules/ufmVerInco.h"
#include "entry/QtComandosEntrada.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmConsulta.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ufmPesq.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ufmTransmite.h"

#include <QApplication>

int main(int argc, char **argv)
{
    gdvorn::TAplicacao app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("GDVORN"));
    gdvorn::InstalaTermino();
    gdvorn::QtDialogoArquivo dialogoArquivo;
    gdvorn::setDialogoArquivo(&dialogoArquivo);
    gdvorn::RegistraJanelasCopiaSeguranca();
    gdvorn::registraRestauracaoInicial([](QWidget *parent) {
        gdvorn::TfmRestore00 janela(parent);
        gdvorn::ExecutaModal(janela);
    });
    gdvorn::RegistraNovaDeclaracao();
    gdvorn::registraPassoInicial(gdvorn::CriaSeletoresIniciais);
    gdvorn::RegistraVerInco();
    gdvorn::setRegistroRelatorios(gdvorn::RegistraRelatorios);
    gdvorn::RegistraJanelasEntrada();
    gdvorn::RegistraGravacao();
    gdvorn::RegistraImportacao();
    gdvorn::RegistraTransmissao();
    gdvorn::RegistraAnalise();
    gdvorn::RegistraPesquisa();
    gdvorn::RegistraImpressao();
    gdvorn::RegistraConsulta();
    const int codigo = gdvorn::ExecutaGDVORN();
    gdvorn::setDialogoArquivo(nullptr);
    return codigo;
}
