#pragma once
// The data module of the recording and rectification wizards and of the responsible-person form: the
// single row of BD8RESP (the person responsible for the declaration and the user's persistent choices),
// the permanent tables and their te8 work copies as the wizards read them, and the state that the pages
// of one wizard run share. Created by the window that needs it and freed by the same command; reached
// through dmDadosResp.

#include "app/base/Query.h"
#include "app/base/Table.h"

#include <QByteArray>
#include <array>

namespace gdvorn {

// Slots of TdmDadosResp::PosicaoAssistente: the first slot of each rectangle, whose four integers are
// Top, Left, Height and Width (the text has only Top and Left).
enum SlotPosicao : int {
    PosFormulario = 0,
    PosImagem = 4,
    PosDivisor = 8,
    PosPainel = 12,
    PosLista = 16, // saved by the first page, read by none
    PosTexto = 20,
    PosVoltar = 22,
    PosAvancar = 26,
    PosCancelar = 30,
    QtdPosicoes = 34
};

class TdmDadosResp {
public:
    explicit TdmDadosResp(const QString &connection = kAlias);
    ~TdmDadosResp();
    TdmDadosResp(const TdmDadosResp &) = delete;
    TdmDadosResp &operator=(const TdmDadosResp &) = delete;

    // Creation: Retificacao and EncerraAssistente false, ImagemAssistente the picture "DEF".
    void dmDadosRespCreate();

    Table ta8Resp;     // bd8resp, 27 fields: the one row (an Edit on an empty table creates it)
    Table te8Resp;     // te8resp, 27 fields: header of a rectification or of a loaded file
    Table ta8Emp;      // bd8emp, the first 54 fields (all but TxtCnae and TxtNatJur)
    Table ta8Vinc;     // bd8vinc, all 100 fields
    Table te8Emp;      // te8emp, the first 54 fields of BD8EMP
    Table te8Vinc;     // te8vinc, all 100 fields of BD8VINC
    Query quEmpresas;  // no text of its own: the wizards list the year's establishments
    Query quVinculos;  // no text of its own: the links of a chosen establishment

    // Wizard state shared by the pages of one run.
    std::array<int, QtdPosicoes> PosicaoAssistente{}; // geometry of the first page, slots above
    QString TituloAssistente;       // caption of every page
    QString AnoExercicio;           // base year chosen on the first page, 4 digits
    bool Retificacao = false;       // the run records a rectification
    bool EncerraAssistente = false; // a page asked the whole wizard to end
    quint8 ResultadoConsistencia = 0; // consistency bits: 4 interrupted, 2 errors, 1 warnings
    QByteArray ImagemAssistente;    // the picture of the pages (PNG bytes of the resource "DEF")

    // The fields that ta8Emp and te8Emp declare: BD8EMP's first 54.
    static QList<FieldDef> camposEstabelecimento();
};

// The instance of the running wizard or responsible-person form; nullptr when none runs.
extern TdmDadosResp *dmDadosResp;

} // namespace gdvorn
