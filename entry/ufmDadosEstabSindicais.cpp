// The establishment form's union tab: what its controls do when entered and left, the union checks of the
// save and the entity questions.

#include "entry/ufmDadosEstab.h"

#include "app/base/Abort.h"
#include "app/udmEntradaDados.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ugDadosEstabEconomicas.h"
#include "rules/ugRegrasSindicais.h"

#include <QRadioButton>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");

void ajudaDosBotoes(RadioGroup *grupo, int contexto)
{
    for (QRadioButton *b : grupo->botoes())
        setContextoAjuda(b, contexto);
}

} // namespace

// ---- handlers ----

void TfmDadosEstab::ligaSaidasSindicais()
{
    aoEntrar(dbrCentralizada, [this] { entraCentralizada(); });
    aoSair(dbrCentralizada, [this] { saiCentralizada(); }, false);
    aoEntrar(dbeCNPJCentralizada, [this] {
        const QString cnpj = campo(QStringLiteral("CoCNPJCentralizada"));
        if (cnpj.size() >= 8 && cnpj.left(8) == InscricaoEstab.left(8))
            dbeCNPJCentralizada->setSelection(11, 7); // the branch and check digits of "NN.NNN.NNN/NNNN-NN"
    });
    aoSair(dbeCNPJCentralizada, [this] {
        if (campo(QStringLiteral("CoCNPJCentralizada")).isEmpty())
            return;
        ValidaCnpjCentralizada();
        ValidaCentralizada();
    });
    saida(deSindical, [this] {
        ValidaCnpjSindicalEstab();
        ConfereEntidadeSindicalEstab();
    });
    const auto temValor = [](QLineEdit *e) {
        const QString t = e->text().trimmed();
        return !t.isEmpty() && t != QLatin1String("0,00");
    };
    aoSair(deValorSindical, [this, temValor] {
        if (temValor(deValorSindical))
            ValidaValorGlobalSindical();
        dbrSindicato->setFocus(Qt::TabFocusReason);
        ajudaDosBotoes(dbrSindicato, 200);
    });
    aoSair(deValorAssociativa, [this, temValor] {
        if (temValor(deValorAssociativa))
            ValidaValorGlobalAssociativa();
    });
    aoSair(deValorAssistencial, [this, temValor] {
        if (temValor(deValorAssistencial))
            ValidaValorGlobalAssistencial();
    });
    aoSair(deValorConfederativa, [this, temValor] {
        if (temValor(deValorConfederativa))
            ValidaValorGlobalConfederativa();
    });
    aoEntrar(dbrSindicato, [this] { ajudaDosBotoes(dbrSindicato, 200); });
    aoSair(dbrSindicato, [this] { saiSindicato(); }, false);
    saida(deAssociativa, [this] {
        ValidaCnpjAssociativaEstab();
        ValidaSindicalizada();
        ConfereEntidadeAssociativaEstab();
    });
    saida(deAssistencial, [this] {
        ValidaCnpjAssistencialEstab();
        ConfereEntidadeAssistencialEstab();
    });
    saida(deConfederativa, [this] {
        ValidaCnpjConfederativaEstab();
        ConfereEntidadeConfederativaEstab();
    });
}

void TfmDadosEstab::entraCentralizada()
{
    ajudaDosBotoes(dbrCentralizada, 125);
    if (dbrCentralizada->valor().isEmpty())
        gravaCampo(QStringLiteral("InCentralizada"), QString());
}

void TfmDadosEstab::travaSindical(bool travado)
{
    Trava(deSindical, travado, CorTrava::Menu);
    Trava(deValorSindical, travado, CorTrava::Menu);
}

void TfmDadosEstab::saiCentralizada()
{
    const QString valor = dbrCentralizada->valor();
    if (valor == QLatin1String("2")) {
        gravaCampo(QStringLiteral("CoCNPJCentralizada"), QString());
        Trava(dbeCNPJCentralizada, true, CorTrava::Menu);
        travaSindical(false);
        deSindical->setFocus(Qt::TabFocusReason);
        return;
    }
    if (valor.isEmpty()) {
        Trava(dbeCNPJCentralizada, false, CorTrava::Menu);
        gravaCampo(QStringLiteral("InCentralizada"), QString());
        dbeCNPJCentralizada->setFocus(Qt::TabFocusReason);
        return;
    }
    // "centralizado" stands for a CNPJ given: only the inscription type and the answer are judged here.
    UltimoCodigo = CriticaCentralizacao(campo(QStringLiteral("InInscrEstabelecimento")),
                                        QStringLiteral("centralizado"), valor, false);
    if (UltimoCodigo != kOk) {
        MostraMensagem(UltimoCodigo);
        TrocaAbaPermitida = false;
        gravaCampo(QStringLiteral("CoCNPJCentralizada"), QString());
        Trava(dbeCNPJCentralizada, true, CorTrava::Menu);
        gravaCampo(QStringLiteral("InCentralizada"), QStringLiteral("2"));
        travaSindical(false);
        deSindical->setFocus(Qt::OtherFocusReason);
        Abort();
    }
    Trava(dbeCNPJCentralizada, false, CorTrava::Menu);
    gravaCampo(QStringLiteral("CoCNPJSindical"), QString());
    deValorSindical->setText(QStringLiteral("0,00"));
    travaSindical(true);
    if (campo(QStringLiteral("InInscrEstabelecimento")) == QLatin1String("1") &&
        campo(QStringLiteral("CoCNPJCentralizada")).isEmpty()) {
        // The company's root: only the branch and its check digits are left to type.
        gravaCampo(QStringLiteral("CoCNPJCentralizada"), InscricaoEstab.left(8));
        return;
    }
    dbeCNPJCentralizada->setFocus(Qt::TabFocusReason);
}

void TfmDadosEstab::travaAssociativa(bool travada)
{
    for (QLineEdit *e : {static_cast<QLineEdit *>(deAssociativa), static_cast<QLineEdit *>(deValorAssociativa)}) {
        Trava(e, travada);
        e->setFocusPolicy(travada ? Qt::NoFocus : Qt::StrongFocus);
    }
}

void TfmDadosEstab::saiSindicato()
{
    const QString valor = dbrSindicato->valor();
    if (valor.isEmpty()) {
        gravaCampo(QStringLiteral("InSindicalizada"), QString());
    } else if (valor == QLatin1String("2")) {
        gravaCampo(QStringLiteral("CoCNPJAssociativa"), QString());
        deValorAssociativa->setText(QStringLiteral("0,00"));
        travaAssociativa(true);
        deAssistencial->setFocus(Qt::TabFocusReason);
    } else {
        travaAssociativa(false);
        deAssociativa->setFocus(Qt::TabFocusReason);
    }
}

void TfmDadosEstab::MostraValoresSindicais()
{
    deValorSindical->setText(MostraValorSindical(campo(QStringLiteral("VaGlobalSindical"))));
    deValorAssociativa->setText(MostraValorSindical(campo(QStringLiteral("VaGlobalAssociativa"))));
    deValorAssistencial->setText(MostraValorSindical(campo(QStringLiteral("VaGlobalAssistencial"))));
    deValorConfederativa->setText(MostraValorSindical(campo(QStringLiteral("VaGlobalConfederativa"))));
}

// ---- unions ----

void TfmDadosEstab::ValidaCentralizada()
{
    const QString indicador = campo(QStringLiteral("InCentralizada"));
    const bool temCnpj = !campo(QStringLiteral("CoCNPJCentralizada")).isEmpty();
    if (indicador == QLatin1String("1")) {
        Trava(dbeCNPJCentralizada, false, CorTrava::Menu);
        if (!temCnpj)
            erro(QStringLiteral("3707"), dbrCentralizada);
    } else if (indicador == QLatin1String("2")) {
        Trava(dbeCNPJCentralizada, true, CorTrava::Menu);
        if (temCnpj) {
            Trava(dbeCNPJCentralizada, false, CorTrava::Menu);
            erro(QStringLiteral("3719"), dbrCentralizada);
        }
    } else if (indicador.isEmpty()) {
        erro(QStringLiteral("3720"), dbrCentralizada);
    }
}

void TfmDadosEstab::validaCnpjEntidade(MaskEdit *edit, const QString &tipo, bool vedadoPrimeiro)
{
    const QString cnpj = edit->textoArmazenado();
    if (cnpj.isEmpty())
        return;
    if (vedadoPrimeiro)
        erro(CriticaCnpjEntidadeVedado(cnpj, InscricaoEstab, 0), edit);
    const QString codigo = CriticaCnpjEntidade(cnpj, tipo, 0, false);
    if (codigo != QLatin1String("0050") && codigo != QLatin1String("0051"))
        erro(codigo, edit);
    if (!vedadoPrimeiro)
        erro(CriticaCnpjEntidadeVedado(cnpj, InscricaoEstab, 0), edit);
}

void TfmDadosEstab::ValidaCnpjSindicalEstab() { validaCnpjEntidade(deSindical, QStringLiteral("sindical"), true); }
void TfmDadosEstab::ValidaCnpjAssociativaEstab() { validaCnpjEntidade(deAssociativa, QStringLiteral("associativa"), false); }
void TfmDadosEstab::ValidaCnpjAssistencialEstab() { validaCnpjEntidade(deAssistencial, QStringLiteral("assistencial"), true); }
void TfmDadosEstab::ValidaCnpjConfederativaEstab() { validaCnpjEntidade(deConfederativa, QStringLiteral("confederativa"), true); }

void TfmDadosEstab::validaValorSindical(QLineEdit *valor, MaskEdit *cnpj)
{
    if (valor->text().trimmed().isEmpty())
        valor->setText(QStringLiteral("0,00"));
    const ValorDigitado p = CriticaValorSindical(valor->text());
    UltimoCodigo = p.Codigo;
    if (p.Codigo == QLatin1String("0040") || p.Codigo == QLatin1String("0315"))
        falha(p.Codigo, valor);
    if (p.Codigo != kOk) {
        // A value the rule refuses stops here like every failing check: it is never stored.
        valor->setText(RetiraPontos(p.Formatado).trimmed());
        falha(p.Codigo, valor);
    }
    valor->setText(p.Formatado);
    if (cnpj->textoArmazenado().isEmpty() && valor->text().trimmed() != QLatin1String("0,00"))
        erro(QStringLiteral("3744"), cnpj);
}

void TfmDadosEstab::ValidaValorGlobalSindical() { validaValorSindical(deValorSindical, deSindical); }
void TfmDadosEstab::ValidaValorGlobalAssociativa() { validaValorSindical(deValorAssociativa, deAssociativa); }
void TfmDadosEstab::ValidaValorGlobalAssistencial() { validaValorSindical(deValorAssistencial, deAssistencial); }
void TfmDadosEstab::ValidaValorGlobalConfederativa() { validaValorSindical(deValorConfederativa, deConfederativa); }

void TfmDadosEstab::ValidaSindicalizada()
{
    const QString indicador = campo(QStringLiteral("InSindicalizada"));
    const bool temCnpj = !campo(QStringLiteral("CoCNPJAssociativa")).isEmpty();
    if (indicador == QLatin1String("1")) {
        travaAssociativa(false);
        if (!temCnpj)
            erro(QStringLiteral("3713"), deAssociativa);
    } else if (indicador == QLatin1String("2")) {
        travaAssociativa(true);
        if (temCnpj) {
            travaAssociativa(false);
            erro(QStringLiteral("3756"), deAssociativa);
        }
    } else if (indicador.isEmpty()) {
        erro(QStringLiteral("3721"), dbrSindicato->botoes().first());
    }
}

void TfmDadosEstab::ValidaCnpjCentralizada()
{
    const QString cnpj = campo(QStringLiteral("CoCNPJCentralizada"));
    if (cnpj.isEmpty())
        return;
    UltimoCodigo = CriticaCnpjCentralizador(cnpj, InscricaoEstab, false);
    if (UltimoCodigo != kOk && UltimoCodigo != QLatin1String("0050") && UltimoCodigo != QLatin1String("0051") &&
        UltimoCodigo != QLatin1String("3740"))
        falha(UltimoCodigo, dbeCNPJCentralizada);
    if (!campo(QStringLiteral("CoCNPJSindical")).isEmpty())
        erro(QStringLiteral("3695"), deSindical);
    UltimoCodigo = CriticaCentralizacao(campo(QStringLiteral("InInscrEstabelecimento")), cnpj,
                                        campo(QStringLiteral("InCentralizada")), false);
    if (UltimoCodigo != kOk) {
        Trava(dbeCNPJCentralizada, false, CorTrava::Menu);
        falha(UltimoCodigo, dbeCNPJCentralizada);
    }
    // The centralising establishment belongs to the same company.
    if (cnpj.left(8) != InscricaoEstab.left(8))
        erro(QStringLiteral("3740"), dbeCNPJCentralizada);
}

void TfmDadosEstab::AvisaContribuicaoAusente()
{
    const QString natureza = campo(QStringLiteral("CoNaturezaJuridica")).left(1);
    if (campo(QStringLiteral("CoCNPJSindical")).isEmpty() && campo(QStringLiteral("CoCNPJCentralizada")).isEmpty() &&
        dgTipoVorn->valor() != QLatin1String("1") &&
        (natureza == QLatin1String("2") || natureza == QLatin1String("4") || natureza == QLatin1String("5")) &&
        campo(QStringLiteral("InOptanteSimples")) != QLatin1String("1"))
        MostraMensagem(QStringLiteral("3687"));
}

void TfmDadosEstab::confereEntidade(int tipo, MaskEdit *edit, bool bloqueiaAba)
{
    pcInformacoes->setCurrentWidget(tSindicais);
    if (ConfereEntidadeEstab(EntidadeEstab(tipo), edit->textoArmazenado()))
        return;
    if (bloqueiaAba)
        TrocaAbaPermitida = false;
    edit->setFocus(Qt::OtherFocusReason);
    Abort();
}

void TfmDadosEstab::ConfereEntidadeSindicalEstab() { confereEntidade(int(EntidadeEstab::Sindical), deSindical, true); }
void TfmDadosEstab::ConfereEntidadeAssociativaEstab()
{
    confereEntidade(int(EntidadeEstab::Associativa), deAssociativa, true);
}
void TfmDadosEstab::ConfereEntidadeAssistencialEstab()
{
    confereEntidade(int(EntidadeEstab::Assistencial), deAssistencial, false);
}
void TfmDadosEstab::ConfereEntidadeConfederativaEstab()
{
    confereEntidade(int(EntidadeEstab::Confederativa), deConfederativa, false);
}

} // namespace gdvorn
