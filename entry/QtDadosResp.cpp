#include "entry/QtDadosResp.h"

#include "app/base/Abort.h"
#include "app/udmDadosResp.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugMensagens.h"
#include "app/FormBinder.h"
#include "app/ugHtmlHelpAPI.h"
#include "entry/FormEdits.h"
#include "entry/QtMaiusculas.h"
#include "entry/ufmSeletores.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

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

// What the user typed into `edit`: a masked edit's value without the literals it shows even when empty.
QString valorDigitado(const QLineEdit *edit)
{
    if (const auto *mascarada = qobject_cast<const MaskEdit *>(edit))
        return mascarada->textoArmazenado().trimmed();
    return edit->text().trimmed();
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

void CriaEditsResp(EditsResp &e, QWidget *pai, const AjustesResp &ajustes)
{
    auto *maiusculas = new Maiusculas(pai);
    auto edit = [&](const char *nome, int ajuda, bool caixaAlta = true) {
        auto *ed = new QLineEdit(pai);
        ed->setObjectName(QLatin1String(nome));
        setContextoAjuda(ed, ajuda);
        if (caixaAlta)
            ed->setValidator(maiusculas);
        return ed;
    };
    auto mascarada = [&](const char *nome, int ajuda, const QString &mascara) {
        auto *ed = new MaskEdit(pai, mascara);
        ed->setObjectName(QLatin1String(nome));
        setContextoAjuda(ed, ajuda);
        return ed;
    };
    e.dbrTipoInscr = new RadioGroup(QStringLiteral("Tipo"), pai);
    e.dbrTipoInscr->setObjectName(QStringLiteral("dbrTipoInscr"));
    e.dbrTipoInscr->adiciona(QStringLiteral("rbCNPJ"), QStringLiteral("CNPJ"), QStringLiteral("1"));
    e.dbrTipoInscr->adiciona(QStringLiteral("rbCEI"), QStringLiteral("CEI"), QStringLiteral("3"));
    e.dbrTipoInscr->adiciona(QStringLiteral("rbCPF"), QStringLiteral("CPF"), QStringLiteral("4"));
    setContextoAjuda(e.dbrTipoInscr, ajustes.ajudaTipo);
    e.mdInscricao = new MaskEdit(pai, kMascaraEntradaInscricao);
    e.mdInscricao->setObjectName(QStringLiteral("mdInscricao"));
    setContextoAjuda(e.mdInscricao, 46);
    e.edTipodeInscricao = new QLineEdit(pai);
    e.edTipodeInscricao->setObjectName(QStringLiteral("edTipodeInscricao"));
    e.edTipodeInscricao->setReadOnly(true);
    e.edTipodeInscricao->hide();
    e.deNome = edit("deNome", 117);
    e.deLogradouro = edit("deLogradouro", 35);
    e.deNumero = edit("deNumero", 36);
    e.deComplemento = edit("deComplemento", 37);
    e.deBairro = edit("deBairro", 38);
    e.deCep = mascarada("deCep", 39, QStringLiteral("99999-999;0;"));
    e.deCodMunicipio = mascarada("deCodMunicipio", 42, QStringLiteral("99-99999;0;"));
    e.botaoMunicipio = new QToolButton(pai);
    e.botaoMunicipio->setObjectName(QLatin1String(ajustes.nomeBotaoMunicipio));
    e.botaoMunicipio->setText(QStringLiteral("..."));
    e.botaoMunicipio->setFocusPolicy(Qt::ClickFocus);
    e.deNomeMunicipio = edit("deNomeMunicipio", ajustes.ajudaNomeMunicipio);
    e.deUF = edit("deUF", ajustes.ajudaUF);
    for (QLineEdit *travado : {e.deNomeMunicipio, e.deUF}) {
        Trava(travado, true);
        travado->setFocusPolicy(Qt::NoFocus);
    }
    e.deDDD = edit("deDDD", 45);
    e.deTelefone = edit("deTelefone", 45);
    e.deCpfResponsavel = new MaskEdit(pai);
    e.deCpfResponsavel->setObjectName(QStringLiteral("deCpfResponsavel"));
    setContextoAjuda(e.deCpfResponsavel, 204);
    e.deNomeResp = edit("deNomeResp", 170);
    e.edNascimento = mascarada(ajustes.nomeNascimento, 209, QStringLiteral("99/99/9999;0;"));
    e.deEmail = edit("deEmail", 205, false);
}

namespace {

// A row of widgets in which `estica` takes the spare width.
QHBoxLayout *linha(const QList<QWidget *> &itens, const QWidget *estica)
{
    auto *l = new QHBoxLayout;
    for (QWidget *w : itens)
        l->addWidget(w, w == estica ? 1 : 0);
    return l;
}

QLabel *legenda(QWidget *pai, const char *texto) { return new QLabel(QString::fromUtf8(texto), pai); }

} // namespace

QHBoxLayout *LinhaInscricaoResp(const EditsResp &e, QWidget *pai)
{
    return linha({e.dbrTipoInscr, legenda(pai, "Número"), e.mdInscricao, e.edTipodeInscricao}, e.mdInscricao);
}

QHBoxLayout *LinhaNumeroResp(const EditsResp &e, QWidget *pai)
{
    return linha({e.deNumero, legenda(pai, "Complemento"), e.deComplemento}, e.deComplemento);
}

QHBoxLayout *LinhaBairroResp(const EditsResp &e, QWidget *pai)
{
    return linha({e.deBairro, legenda(pai, "CEP"), e.deCep}, e.deBairro);
}

QHBoxLayout *LinhaTelefoneResp(const EditsResp &e, QWidget *pai)
{
    return linha({legenda(pai, "DDD"), e.deDDD, legenda(pai, "Número"), e.deTelefone}, e.deTelefone);
}

void LigaEditsResp(FormBinder &binder, const EditsResp &e)
{
    const QList<QPair<QWidget *, const char *>> campos{
        {e.dbrTipoInscr, "InInscrResponsavel"},       {e.deNome, "NoResponsavelArquivo"},
        {e.deLogradouro, "EdLogradouroRespArquivo"},  {e.deNumero, "NuLogradouroRespArquivo"},
        {e.deComplemento, "TxComplementoRespArquivo"}, {e.deBairro, "NoBairroRespArquivo"},
        {e.deCep, "CoCepRespArquivo"},                {e.deCodMunicipio, "CoMunicipioRespArquivo"},
        {e.deNomeMunicipio, "NoMunicipioRespArquivo"}, {e.deUF, "SgUfRespArquivo"},
        {e.deDDD, "NuFoneDDD"},                       {e.deTelefone, "NuFoneAssinante"},
        {e.deNomeResp, "NoResponsavelDeclaracao"},    {e.edNascimento, "DaNascimentoRespArquivo"},
        {e.deEmail, "TxEMailRespArquivo"}};
    for (const auto &[controle, campo] : campos)
        binder.liga(controle, QLatin1String(campo));
}

Controles ControlesResp(const EditsResp &e)
{
    Controles c;
    c.tipo = e.dbrTipoInscr;
    c.inscricao = e.mdInscricao;
    c.tipoInscricao = e.edTipodeInscricao;
    c.cep = e.deCep;
    c.municipio = e.deCodMunicipio;
    c.nomeMunicipio = e.deNomeMunicipio;
    c.uf = e.deUF;
    c.ddd = e.deDDD;
    c.telefone = e.deTelefone;
    c.complemento = e.deComplemento;
    c.cpf = e.deCpfResponsavel;
    return c;
}

QList<CriticaSaidaResp> CriticasSaidaResp(const EditsResp &e, FormBinder &binder)
{
    // Checks that run only on a filled edit (a masked edit by its value, not the literals it shows), and
    // those that run on a blank one too.
    auto seNaoVazio = [](QLineEdit *edit, void (*critica)(QLineEdit *)) {
        return [edit, critica] {
            if (PodeValidarResp() && !valorDigitado(edit).isEmpty())
                critica(edit);
        };
    };
    auto sempre = [](QLineEdit *edit, void (*critica)(QLineEdit *)) {
        return [edit, critica] {
            if (PodeValidarResp())
                critica(edit);
        };
    };
    const Controles c = ControlesResp(e);
    return {
        {e.deNome, seNaoVazio(e.deNome, ConfereRazaoSocialResp)},
        {e.deLogradouro, seNaoVazio(e.deLogradouro, ConfereLogradouroResp)},
        {e.deNumero, sempre(e.deNumero, ConfereNumeroResp)},
        {e.deComplemento, seNaoVazio(e.deComplemento, ConfereComplementoResp)},
        {e.deBairro, sempre(e.deBairro, ConfereBairroResp)},
        {e.deCep, seNaoVazio(e.deCep, ConfereCepResp)},
        {e.deDDD, sempre(e.deDDD, ConfereDDDResp)},
        {e.deTelefone,
         [c] {
             if (PodeValidarResp())
                 ConfereTelefoneResp(c);
         }},
        {e.deEmail, sempre(e.deEmail, ConfereEmailResp)},
        {e.deNomeResp, seNaoVazio(e.deNomeResp, ConfereNomeResp)},
        {e.edNascimento, seNaoVazio(e.edNascimento, ConfereNascimentoResp)},
        {e.deCpfResponsavel,
         [cpf = e.deCpfResponsavel] {
             if (PodeValidarResp() && !cpf->textoArmazenado().trimmed().isEmpty())
                 ConfereCpfResp(cpf);
         }},
        {e.mdInscricao,
         [e, c] {
             if (!PodeValidarResp())
                 return;
             if (e.mdInscricao->textoArmazenado().trimmed().isEmpty()) {
                 e.edTipodeInscricao->clear();
                 return;
             }
             ConfereInscricaoResp(c);
             if (e.edTipodeInscricao->text() == QLatin1String("CPF")) {
                 e.deCpfResponsavel->setMascara(kMascaraCpf);
                 e.deCpfResponsavel->mostraArmazenado(e.mdInscricao->textoArmazenado());
             }
         }},
        {e.deCodMunicipio,
         [e, c, &binder] {
             if (!PodeValidarResp())
                 return;
             if (e.deCodMunicipio->textoArmazenado().trimmed().isEmpty()) {
                 e.deNomeMunicipio->clear();
                 e.deUF->clear();
                 binder.grava(e.deNomeMunicipio);
                 binder.grava(e.deUF);
             } else if (!focoEm(e.botaoMunicipio->objectName().toLatin1().constData())) {
                 ConfereMunicipioResp(c);
             }
         }},
    };
}

QList<CriticaSaidaResp> EntradasResp(const EditsResp &e, std::function<void()> aoEntrarInscricao)
{
    auto mascaraDeEntrada = [](MaskEdit *edit, const QString &mascara) {
        const QString digitos = edit->textoArmazenado();
        edit->setMascara(mascara);
        edit->mostraArmazenado(digitos);
        edit->setCursorPosition(int(digitos.size()));
    };
    return {
        {e.mdInscricao,
         [edit = e.mdInscricao, mascaraDeEntrada, aoEntrarInscricao = std::move(aoEntrarInscricao)] {
             mascaraDeEntrada(edit, kMascaraEntradaInscricao);
             if (aoEntrarInscricao)
                 aoEntrarInscricao();
         }},
        {e.deCpfResponsavel, [edit = e.deCpfResponsavel, mascaraDeEntrada] { mascaraDeEntrada(edit, kMascaraEntradaCpf); }},
    };
}

void MostraResp(const EditsResp &e, FormBinder &binder, QWidget *painel)
{
    LimpaEdits(painel);
    Table &t = resp();
    if (!t.Active())
        t.Open();
    t.First();
    t.Edit();
    binder.setTabela(&t);
    Field numero = t.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    if (!numero.AsString().trimmed().isEmpty())
        numero.setAsString(NumeroMostradoResp(numero.AsString()));
    binder.carrega();
    ExibeInscricaoResp(e.mdInscricao, e.edTipodeInscricao);
    ExibeCpfResp(e.deCpfResponsavel);
}

void EscolheMunicipioResp(const EditsResp &e, FormBinder &binder)
{
    TfrmT8Munic::SelecionaMunicipio(resp().FieldByName(QStringLiteral("CoMunicipioRespArquivo")));
    binder.carrega(e.deCodMunicipio);
    ConfereMunicipioResp(ControlesResp(e));
}

void ConfereEGravaResp(const EditsResp &e, const QList<CriticaResp> &ordem)
{
    const Controles c = ControlesResp(e);
    for (const CriticaResp critica : ordem) {
        switch (critica) {
        case CriticaResp::TipoPreenchido: ConfereTipoPreenchidoResp(e.dbrTipoInscr); break;
        case CriticaResp::Inscricao: ConfereInscricaoResp(c); break;
        case CriticaResp::RazaoSocial: ConfereRazaoSocialResp(e.deNome); break;
        case CriticaResp::Logradouro: ConfereLogradouroResp(e.deLogradouro); break;
        case CriticaResp::Numero: ConfereNumeroResp(e.deNumero); break;
        case CriticaResp::Complemento: ConfereComplementoResp(e.deComplemento); break;
        case CriticaResp::Bairro: ConfereBairroResp(e.deBairro); break;
        case CriticaResp::Cep: ConfereCepResp(e.deCep); break;
        case CriticaResp::Municipio: ConfereMunicipioResp(c); break;
        case CriticaResp::DDD: ConfereDDDResp(e.deDDD); break;
        case CriticaResp::Telefone: ConfereTelefoneResp(c); break;
        case CriticaResp::Email: ConfereEmailResp(e.deEmail); break;
        case CriticaResp::Nome: ConfereNomeResp(e.deNomeResp); break;
        case CriticaResp::Cpf: ConfereCpfResp(e.deCpfResponsavel); break;
        case CriticaResp::CpfInscricao: ConfereCpfInscricaoResp(e.mdInscricao, e.deCpfResponsavel); break;
        case CriticaResp::Nascimento: ConfereNascimentoResp(e.edNascimento); break;
        }
    }
    Table &t = resp();
    Field numero = t.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    numero.setAsString(NumeroGravadoResp(numero.AsString()));
    for (const char *campo : {"NuFoneDDD", "NuFoneAssinante"}) {
        Field f = t.FieldByName(QLatin1String(campo));
        f.setAsString(f.AsString().trimmed());
    }
    t.Post();
}

void ConfereTipoPreenchidoResp(RadioGroup *tipo)
{
    if (!tipo->valor().isEmpty())
        return;
    MostraMensagem(QStringLiteral("0049"));
    tipo->botoes().first()->setFocus();
    Abort();
}

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
    const ResultadoResp r =
        gdvorn::ConfereComplementoResp(resp(), resp().FieldByName(QStringLiteral("NuLogradouroRespArquivo")).AsString());
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
