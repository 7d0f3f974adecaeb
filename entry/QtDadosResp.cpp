#include "entry/QtDadosResp.h"

#include "app/base/Abort.h"
#include "app/udmDadosResp.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

namespace gdvorn::UgDadosResp {

namespace {

Table &resp() { return dmDadosResp->ta8Resp; }

bool focoEm(const char *nome)
{
    QCoreApplication::processEvents();
    const QWidget *w = QApplication::focusWidget();
    return w && w->objectName() == QLatin1String(nome);
}

void focaTipo(RadioGroup *grupo)
{
    if (!grupo)
        return;
    // As entering the group does: the selected button, or the first one left unselected.
    QRadioButton *alvo = nullptr;
    for (QRadioButton *b : grupo->botoes())
        if (b->isChecked())
            alvo = b;
    if (!alvo && !grupo->botoes().isEmpty())
        alvo = grupo->botoes().first();
    if (alvo)
        alvo->setFocus();
}

// Shows the refreshed value of the field that `edit` shows.
void refresca(QLineEdit *edit, const char *campo)
{
    if (edit)
        edit->setText(resp().FieldByName(QLatin1String(campo)).AsString());
}

QWidget *alvo(const Controles &c, FocoResp foco, QWidget *campo)
{
    switch (foco) {
    case FocoResp::Inscricao: return c.inscricao;
    case FocoResp::Municipio: return c.municipio;
    case FocoResp::Cep: return c.cep;
    case FocoResp::DDD: return c.ddd;
    case FocoResp::Telefone: return c.telefone;
    case FocoResp::Complemento: return c.complemento;
    case FocoResp::Cpf: return c.cpf;
    case FocoResp::TipoInscricao:
    case FocoResp::Campo: break;
    }
    return campo;
}

// A failed check: its code, the focus, the silent abort.
void conclui(const ResultadoResp &r, QWidget *foco, const Controles &c = {})
{
    if (r.passou())
        return;
    if (r.codigo != CodigoValido)
        MostraMensagem(r.codigo);
    if (r.foco == FocoResp::TipoInscricao)
        focaTipo(c.tipo);
    else if (QWidget *w = alvo(c, r.foco, foco))
        w->setFocus();
    Abort();
}

void mostra(MaskEdit *edit, QLineEdit *tipo, const InscricaoMostrada &m)
{
    if (m.limpaTipo && tipo)
        tipo->clear();
    if (!m.muda)
        return;
    if (edit) {
        edit->setMascara(m.mascara);
        edit->mostraArmazenado(m.texto);
    }
    if (tipo)
        tipo->setText(m.tipo);
}

// A check that may rewrite the field its edit shows.
void reescrita(ResultadoResp (*rotina)(Table &), QLineEdit *edit, const char *campo)
{
    const ResultadoResp r = rotina(resp());
    if (r.passou())
        refresca(edit, campo);
    conclui(r, edit);
}

} // namespace

bool PodeValidarResp() { return !focoEm("bbCancelar"); }
bool FocoEmAvancar() { return focoEm("bbAvancar"); }
bool FocoEmMunicipios() { return focoEm("bbMunicipios"); }
bool FocoEmCodMunicipio() { return focoEm("bbCodMunicipio"); }

void ExibeInscricaoResp(MaskEdit *edit, QLineEdit *tipo) { mostra(edit, tipo, gdvorn::ExibeInscricaoResp(resp())); }

void ExibeCpfResp(MaskEdit *edit)
{
    const QString cpf = resp().FieldByName(QStringLiteral("CoCpfResponsavel")).AsString().trimmed();
    edit->setMascara(cpf.size() == 11 ? kMascaraCpf : QString());
    edit->mostraArmazenado(cpf);
}

void ConfereInscricaoResp(const Controles &c)
{
    InscricaoMostrada m;
    const ResultadoResp r = gdvorn::ConfereInscricaoResp(c.inscricao->textoArmazenado(), resp(), m);
    mostra(c.inscricao, c.tipoInscricao, m);
    conclui(r, c.inscricao, c);
}

void ConfereCpfResp(MaskEdit *edit)
{
    const ResultadoResp r = gdvorn::ConfereCpfResp(edit->textoArmazenado(), resp());
    if (r.passou()) {
        edit->setMascara(kMascaraCpf);
        edit->mostraArmazenado(resp().FieldByName(QStringLiteral("CoCpfResponsavel")).AsString());
    }
    conclui(r, edit);
}

void ConfereCpfInscricaoResp(MaskEdit *inscricao, MaskEdit *cpf)
{
    Controles c;
    c.cpf = cpf;
    conclui(gdvorn::ConfereCpfInscricaoResp(inscricao->textoArmazenado(), cpf->textoArmazenado(), resp()), cpf, c);
}

void ConfereRazaoSocialResp(QLineEdit *edit) { reescrita(gdvorn::ConfereRazaoSocialResp, edit, "NoResponsavelArquivo"); }
void ConfereNomeResp(QLineEdit *edit) { reescrita(gdvorn::ConfereNomeResp, edit, "NoResponsavelDeclaracao"); }
void ConfereLogradouroResp(QLineEdit *edit) { reescrita(gdvorn::ConfereLogradouroResp, edit, "EdLogradouroRespArquivo"); }
void ConfereNumeroResp(QLineEdit *edit) { reescrita(gdvorn::ConfereNumeroResp, edit, "NuLogradouroRespArquivo"); }
void ConfereBairroResp(QLineEdit *edit) { reescrita(gdvorn::ConfereBairroResp, edit, "NoBairroRespArquivo"); }
void ConfereEmailResp(QLineEdit *edit) { reescrita(gdvorn::ConfereEmailResp, edit, "TxEMailRespArquivo"); }

void ConfereComplementoResp(QLineEdit *edit)
{
    const ResultadoResp r = gdvorn::ConfereComplementoResp(resp());
    refresca(edit, "TxComplementoRespArquivo");
    Controles c;
    c.complemento = edit;
    conclui(r, edit, c);
}

void ConfereCepResp(QLineEdit *edit) { conclui(gdvorn::ConfereCepResp(resp()), edit); }

void ConfereMunicipioResp(const Controles &c)
{
    const ResultadoResp r = gdvorn::ConfereMunicipioResp(resp());
    refresca(c.nomeMunicipio, "NoMunicipioRespArquivo");
    refresca(c.uf, "SgUfRespArquivo");
    conclui(r, c.municipio, c);
}

void ConfereDDDResp(QLineEdit *edit)
{
    conclui(gdvorn::ConfereDDDResp(resp()), edit);
    if (!FocoEmAvancar())
        ConfereDDDUfResp();
}

void ConfereDDDUfResp()
{
    const ResultadoResp r = gdvorn::ConfereDDDUfResp(resp());
    if (r.codigo != CodigoValido)
        MostraMensagem(r.codigo);
}

void ConfereTelefoneResp(const Controles &c) { conclui(gdvorn::ConfereTelefoneResp(resp()), c.telefone, c); }
void ConfereNascimentoResp(QLineEdit *edit) { conclui(gdvorn::ConfereNascimentoResp(resp()), edit); }

} // namespace gdvorn::UgDadosResp
