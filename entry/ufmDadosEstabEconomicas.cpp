// The establishment form's economic, PAT and union tabs: the activity (CNAE), legal nature, owners and
// data-base month (tEconomicas), size, Simples and the PAT question (tEconomicas2), the PAT counts and
// percentages (tEconomicas3) and the union contributions (tSindicais). Here: the controls of the four
// tabs, their opening steps, the economic and PAT handlers and checks, and the checks the save appends
// (positions 15 to 42 of its list); the union handlers and checks are in ufmDadosEstabSindicais.cpp.

#include "entry/ufmDadosEstab.h"

#include "app/QtModal.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "app/ugValores.h"
#include "entry/FormEdits.h"
#include "entry/ufmSeletores.h"
#include "entry/ugDadosEstabEconomicas.h"
#include "rules/ugRegrasAtividade.h"
#include "rules/ugRegrasPat.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");
const QString kMascaraCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;");
const QString kZeros14 = QStringLiteral("00000000000000");

Table &linha() { return dmEntradaDados->ta8Empresa; }

// The PAT count and percentage fields, in tab order of their edits.
const char *const kPercentuais[] = {"PoServicoProprio",   "PoAdmCozinha",    "PoRefeicaoTransportadora",
                                    "PoRefeicaoConvenio", "PoCestaAlimento", "PoAlimentacaoConvenio"};

// The description of `codigo` in a code table (empty when the code is not there).
QString descricao(Table &tabela, const QString &codigo, const QString &campo)
{
    if (!tabela.Active())
        tabela.Open();
    return tabela.FindKey({codigo}) ? tabela.FieldByName(campo).AsString().trimmed() : QString();
}

// A number typed with leading zeros, shown as its decimal value; any other text stays as it is.
QString valorDecimal(const QString &texto)
{
    return EhNumerico(texto) ? QString::number(texto.toLongLong()) : texto;
}

void ajudaDosBotoes(RadioGroup *grupo, int contexto)
{
    for (QRadioButton *b : grupo->botoes())
        setContextoAjuda(b, contexto);
}

} // namespace

// ---- layout ----

void TfmDadosEstab::MontaAbasEconomicas()
{
    auto edit = [this](QWidget *pai, const char *nome, const QString &campo, int ajuda, const QString &dica,
                       bool maiusculas = false) {
        MaskEdit *e = criaEdit(pai, nome, campo, ajuda, maiusculas);
        e->setToolTip(dica);
        return e;
    };
    auto descricaoEdit = [](QWidget *pai, const char *nome, int ajuda) {
        auto *e = new QLineEdit(pai);
        e->setObjectName(QLatin1String(nome));
        e->setFocusPolicy(Qt::NoFocus);
        Trava(e, true);
        setContextoAjuda(e, ajuda);
        return e;
    };
    auto seta = [](QWidget *pai, const char *nome, const QString &dica) {
        auto *b = new QToolButton(pai);
        b->setObjectName(QLatin1String(nome));
        b->setText(QStringLiteral("..."));
        b->setToolTip(dica);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto simNao = [](QWidget *pai, const char *nome, const QString &titulo, const QString &campo,
                     FormBinder &binder) {
        auto *g = new RadioGroup(titulo, pai);
        g->setObjectName(QLatin1String(nome));
        g->adiciona(QLatin1String(nome) + QStringLiteral("Sim"), QStringLiteral("Sim"), QStringLiteral("1"));
        g->adiciona(QLatin1String(nome) + QStringLiteral("Nao"), QStringLiteral("Não"), QStringLiteral("2"));
        static_cast<QBoxLayout *>(g->layout())->setDirection(QBoxLayout::LeftToRight);
        binder.liga(g, campo);
        return g;
    };
    // The tab traps: plain edits of one pixel that take a tab stop (the exit handler of the control
    // before them moves the focus on).
    auto armadilha = [this](QWidget *pai, const char *nome) {
        auto *e = new QLineEdit(pai);
        e->setObjectName(QLatin1String(nome));
        e->setFixedSize(1, 1);
        naoRegistraComoAtual(e);
        return e;
    };

    // ---- tEconomicas ----
    auto *v = new QVBoxLayout(tEconomicas);
    // A code group: the instruction, the code edit with its picker button, the description below.
    auto grupoCodigo = [&](const QString &titulo, const QString &instrucao, MaskEdit *&codigo, const char *nomeCodigo,
                           const QString &campo, int ajuda, const QString &dica, const QString &mascara,
                           QToolButton *&botao, const char *nomeBotao, const QString &dicaBotao, QLineEdit *&texto,
                           const char *nomeTexto, int ajudaTexto, const QString &rotuloTexto) {
        auto *grupo = new QGroupBox(titulo, tEconomicas);
        auto *l = new QGridLayout(grupo);
        l->addWidget(new QLabel(instrucao, grupo), 0, 0, 1, 4);
        codigo = edit(grupo, nomeCodigo, campo, ajuda, dica, true);
        codigo->setMascara(mascara);
        botao = seta(grupo, nomeBotao, dicaBotao);
        texto = descricaoEdit(grupo, nomeTexto, ajudaTexto);
        l->addWidget(new QLabel(QStringLiteral("Código"), grupo), 1, 0);
        l->addWidget(codigo, 1, 1);
        l->addWidget(botao, 1, 2);
        l->addWidget(new QLabel(rotuloTexto, grupo), 2, 0);
        l->addWidget(texto, 2, 1, 1, 3);
        l->setColumnStretch(3, 1);
        v->addWidget(grupo);
    };
    grupoCodigo(QStringLiteral("Atividade Econômica (CNAE)"),
                QStringLiteral("Informe a principal atividade econômica do estabelecimento."), deCNAE, "deCNAE",
                QStringLiteral("CoCnae2"), 193,
                QStringLiteral("Informe o Código da Atividade Econômica ou selecione-o clicando no botão ao lado"),
                QStringLiteral("99.99-9/99;0;"), sbCNAE, "sbCNAE",
                QStringLiteral("Selecione o Código da Atividade Econômica."), edTxCNAE, "edTxCNAE", 193,
                QStringLiteral("Classificação "));
    grupoCodigo(QStringLiteral("Natureza Jurídica"),
                QStringLiteral("Informe a Natureza Jurídica que caracteriza o estabelecimento."), deNatJuridica,
                "deNatJuridica", QStringLiteral("CoNaturezaJuridica"), 47,
                QStringLiteral("Informe o Código da Natureza Jurídica do estabelecimento ou selecione-o clicando no "
                               "botão ao lado"),
                QStringLiteral("999-9;0;"), sbNatJuridica, "sbNatJuridica",
                QStringLiteral("Selecione o Código da Natureza Jurídica."), edTxNatJuridica, "edTxNatJuridica", 47,
                QStringLiteral("Descrição"));

    auto *baixo = new QHBoxLayout;
    auto *gProp = new QGroupBox(QStringLiteral("Proprietários"), tEconomicas);
    auto *h = new QHBoxLayout(gProp);
    h->addWidget(new QLabel(QStringLiteral("Informe o número de proprietários"), gProp));
    deProprietarios = edit(gProp, "deProprietarios", QStringLiteral("NuProprietEstabelecimento"), 53,
                           QStringLiteral("Informar o número de proprietários/sócios que exercem atividade no "
                                          "estabelecimento."));
    deProprietarios->setMaximumWidth(60);
    h->addWidget(deProprietarios);
    baixo->addWidget(gProp);
    auto *gData = new QGroupBox(QStringLiteral("Data-Base"), tEconomicas);
    h = new QHBoxLayout(gData);
    h->addWidget(new QLabel(QStringLiteral("Informe a Data-Base da maioria dos empregados"), gData));
    h->addWidget(new QLabel(QStringLiteral("Mês"), gData));
    deDataBase = edit(gData, "deDataBase", QStringLiteral("MeDataBase"), 54,
                      QStringLiteral("Obrigatório somente para VORN com empregados."));
    deDataBase->setMaximumWidth(60);
    h->addWidget(deDataBase);
    baixo->addWidget(gData);
    v->addLayout(baixo);
    v->addStretch();

    // ---- tEconomicas2: size, Simples, PAT question ----
    v = new QVBoxLayout(tEconomicas2);
    dgPorte = new RadioGroup(QStringLiteral("Porte do Estabelecimento"), tEconomicas2);
    dgPorte->setObjectName(QStringLiteral("dgPorte"));
    dgPorte->adiciona(QStringLiteral("dgPorteMicro"), QStringLiteral("Microempresa"), QStringLiteral("1"));
    dgPorte->adiciona(QStringLiteral("dgPortePequena"), QStringLiteral("Empresa de Pequeno Porte"), QStringLiteral("2"));
    dgPorte->adiciona(QStringLiteral("dgPorteOutros"),
                      QStringLiteral("Empresa/orgão não classificados nos ítens anteriores"), QStringLiteral("3"));
    dgPorte->setToolTip(QStringLiteral("Informe o Porte do estabelecimento"));
    m_binder.liga(dgPorte, QStringLiteral("InPorte"));
    setContextoAjuda(dgPorte, 55);
    dgOptanteSimples = simNao(tEconomicas2, "dgOptanteSimples", QStringLiteral("Optante pelo Simples"),
                              QStringLiteral("InOptanteSimples"), m_binder);
    dgOptanteSimples->setToolTip(QStringLiteral("Informe se Opta pelo Simples"));
    setContextoAjuda(dgOptanteSimples, 56);
    // The size and Simples buttons in regular type.
    for (RadioGroup *g : {dgPorte, dgOptanteSimples})
        for (QRadioButton *b : g->botoes()) {
            QFont f = b->font();
            f.setBold(false);
            b->setFont(f);
        }
    auto *porteSimples = new QHBoxLayout;
    porteSimples->addWidget(dgPorte, 2);
    porteSimples->addWidget(dgOptanteSimples, 1);
    v->addLayout(porteSimples);

    auto *patParent = new QGroupBox(QStringLiteral("Programa de Alimentação do Trabalhador (PAT)"), tEconomicas2);
    dgPATParent = patParent;
    dgPATParent->setObjectName(QStringLiteral("dgPATParent"));
    dgPATParent->setToolTip(QStringLiteral("Informe se a empresa participa do PAT"));
    setContextoAjuda(dgPATParent, 57);
    auto *pv = new QHBoxLayout(patParent);
    tabDummy = armadilha(patParent, "tabDummy");
    pv->addWidget(tabDummy);
    pv->addWidget(new QLabel(QStringLiteral(" Informe se a empresa participa do PAT."), patParent));
    dgPat = simNao(patParent, "dgPat", QString(), QStringLiteral("InParticipaPAT"), m_binder);
    setContextoAjuda(dgPat, 58);
    pv->addWidget(dgPat, 1);
    Dummy = armadilha(patParent, "Dummy");
    pv->addWidget(Dummy);
    v->addWidget(patParent);
    v->addStretch();

    // ---- tEconomicas3: PAT counts and percentages ----
    v = new QVBoxLayout(tEconomicas3);
    auto *gPat = new QGroupBox(QStringLiteral("Número de Trabalhadores Beneficiados pelo PAT"), tEconomicas3);
    auto *gv = new QVBoxLayout(gPat);
    paPAT = new QWidget(gPat);
    paPAT->setObjectName(QStringLiteral("paPAT"));
    paPAT->setEnabled(false);
    gv->addWidget(paPAT);
    auto *g = new QGridLayout(paPAT);
    const QString dicaQtd = QStringLiteral("Informe o número de trabalhadores por estabelecimento(CNPJ) beneficiados "
                                           "pelo PAT de acordo com a faixa salarial.");
    dePATVincMaior5 = edit(paPAT, "dePATVincMaior5", QStringLiteral("NuVinculoPatMaior5"), 58, dicaQtd);
    dePATVincMenor5 = edit(paPAT, "dePATVincMenor5", QStringLiteral("NuVinculoPatMenor5"), 58, dicaQtd);
    g->addWidget(new QLabel(QStringLiteral("Trabalhadores com mais\r\nde 5 salários mínimos"), paPAT), 0, 0);
    g->addWidget(dePATVincMaior5, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Trabalhadores com menos/igual\r\na 5 salários mínimos"), paPAT), 0, 2);
    g->addWidget(dePATVincMenor5, 0, 3);
    const QString dicaPo = QStringLiteral("Informe o percentual de utilização desta modalidade");
    const std::pair<const char *, const char *> percentuais[] = {
        {"deServProprio", "Serviço Próprio (%)"},
        {"deAdmCozinha", "Administração de Cozinhas (%)"},
        {"deRefeicaoTransportadora", "Refeições Transportadas (%)"},
        {"deRefeicaoConvenio", "Refeição Convênio (%)"},
        {"deCestaAlimento", "Cesta de Alimentos (%)"},
        {"deAlimentacaoConvenio", "Alimentação Convênio (%)"},
    };
    MaskEdit **destinos[] = {&deServProprio,      &deAdmCozinha,    &deRefeicaoTransportadora,
                             &deRefeicaoConvenio, &deCestaAlimento, &deAlimentacaoConvenio};
    for (int i = 0; i < 6; ++i) {
        *destinos[i] = edit(paPAT, percentuais[i].first, QLatin1String(kPercentuais[i]), 58, dicaPo);
        g->addWidget(new QLabel(QString::fromUtf8(percentuais[i].second), paPAT), 1 + i / 2, (i % 2) * 2);
        g->addWidget(*destinos[i], 1 + i / 2, (i % 2) * 2 + 1);
    }
    tabDummy2 = armadilha(gPat, "tabDummy2");
    gv->addWidget(tabDummy2);
    v->addWidget(gPat);
    v->addStretch();

    // ---- tSindicais ----
    v = new QVBoxLayout(tSindicais);
    auto *gSind = new QGroupBox(QStringLiteral("Informações Sindicais Patronais"), tSindicais);
    v->addWidget(gSind);
    v->addStretch();
    g = new QGridLayout(gSind);
    auto *pergunta = new QLabel(QStringLiteral("O recolhimento da Contribuição Sindical foi centralizado em outro "
                                               "estabelecimento (matriz/filial)?"),
                                gSind);
    pergunta->setWordWrap(true);
    g->addWidget(pergunta, 0, 0, 1, 3);
    dbrCentralizada = simNao(gSind, "dbrCentralizada", QString(), QStringLiteral("InCentralizada"), m_binder);
    dbrCentralizada->setToolTip(
        QStringLiteral("Selecione se o Estabelecimento teve pagamento da Contribuição Sindical Centralizada."));
    setContextoAjuda(dbrCentralizada, 125);
    g->addWidget(dbrCentralizada, 1, 0);
    dbeCNPJCentralizada = edit(gSind, "dbeCNPJCentralizada", QStringLiteral("CoCNPJCentralizada"), 175,
                               QStringLiteral("Informe o CNPJ da matriz ou filial que centralizou o pagamento da "
                                              "contribuição sindical."));
    auto *centralizador = new QGridLayout;
    centralizador->addWidget(new QLabel(QStringLiteral("Estabelecimento Centralizador"), gSind), 0, 0);
    centralizador->addWidget(new QLabel(QStringLiteral("CNPJ"), gSind), 0, 1);
    centralizador->addWidget(dbeCNPJCentralizada, 1, 1);
    centralizador->addWidget(new QLabel(QStringLiteral("da Contribuição (Tributo) Sindical"), gSind), 1, 0);
    g->addLayout(centralizador, 1, 1, 1, 2);

    auto contribuicao = [&](int r, const QString &titulo, const char *nomeCnpj, const QString &campoCnpj,
                            const QString &dicaCnpj, const char *nomeValor, const QString &dicaValor, MaskEdit *&cnpj,
                            QLineEdit *&valor) {
        g->addWidget(new QLabel(titulo, gSind), r, 0);
        cnpj = edit(gSind, nomeCnpj, campoCnpj, 175, dicaCnpj);
        valor = new MoneyEdit(gSind, 9, ZeroMostrado::Simples, true, 12);
        valor->setObjectName(QLatin1String(nomeValor));
        valor->setToolTip(dicaValor);
        setContextoAjuda(valor, 175);
        g->addWidget(cnpj, r, 1);
        g->addWidget(valor, r, 2);
    };
    g->addWidget(new QLabel(QStringLiteral("CNPJ da entidade sindical beneficiária"), gSind), 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Valor Total Recolhido (R$)"), gSind), 2, 2);
    contribuicao(3, QStringLiteral("Contribuição (Tributo) Sindical"), "deSindical", QStringLiteral("CoCNPJSindical"),
                 QStringLiteral("Informe o CNPJ da entidade sindical patronal beneficiada pela contribuição sindical."),
                 "deValorSindical",
                 QStringLiteral("Informe o valor total pago pelo estabelecimento a título de contribuição sindical "
                                "patronal."),
                 deSindical, deValorSindical);
    dbrSindicato = simNao(gSind, "dbrSindicato", QStringLiteral("Empresa é Filiada a Sindicato?"),
                          QStringLiteral("InSindicalizada"), m_binder);
    dbrSindicato->setToolTip(QStringLiteral("Selecione se Empresa é filiada a sindicato."));
    setContextoAjuda(dbrSindicato, 200);
    g->addWidget(dbrSindicato, 4, 0, 1, 3);
    contribuicao(5,
                 QString(13, QLatin1Char(' ')) + QStringLiteral("Contribuição Associativa\r\n") +
                     QStringLiteral("(Mensalidade Sindical do Filiado)"),
                 "deAssociativa", QStringLiteral("CoCNPJAssociativa"),
                 QStringLiteral("Informe o CNPJ da entidade sindical patronal beneficiada pela contribuição "
                                "associativa."),
                 "deValorAssociativa",
                 QStringLiteral("Informe o valor total pago pelo estabelecimento a título de contribuição associativa "
                                "patronal."),
                 deAssociativa, deValorAssociativa);
    contribuicao(6, QStringLiteral("Contribuição Assistencial"), "deAssistencial", QStringLiteral("CoCNPJAssistencial"),
                 QStringLiteral("Informe o CNPJ da entidade sindical patronal beneficiada na contribuição "
                                "assistencial."),
                 "deValorAssistencial",
                 QStringLiteral("Informe o valor total pago pelo estabelecimento a título de contribuição "
                                "assistencial patronal."),
                 deAssistencial, deValorAssistencial);
    contribuicao(7, QStringLiteral("Contribuição Confederativa"), "deConfederativa",
                 QStringLiteral("CoCNPJConfederativa"),
                 QStringLiteral("Informe o CNPJ da entidade sindical patronal beneficiada pela contribuição "
                                "confederativa."),
                 "deValorConfederativa",
                 QStringLiteral("Informe o valor total pago pelo estabelecimento a título de contribuição "
                                "confederativa patronal."),
                 deConfederativa, deValorConfederativa);
    for (MaskEdit *e : {dbeCNPJCentralizada, deSindical, deAssociativa, deAssistencial, deConfederativa})
        e->setMascara(kMascaraCnpj);

    PercentuaisPreparados = QStringList(6, QStringLiteral("000"));
    ligaSaidasEconomicas();
}

// ---- handlers ----

void TfmDadosEstab::ligaSaidasEconomicas()
{
    // Economic data.
    saida(deCNAE, [this] { ValidaCnae(true); });
    aoSair(deNatJuridica, [this] {
        if (deNatJuridica->textoArmazenado().isEmpty()) {
            edTxNatJuridica->clear();
            return;
        }
        ValidaNaturezaJuridica(true);
    });
    saida(deProprietarios, [this] { ValidaProprietarios(); });
    // Leaving the month always goes on to the size, whatever the gate.
    aoSair(deDataBase, [this] {
        if (PodeCriticar() && !deDataBase->text().trimmed().isEmpty())
            ValidaDataBase();
        pcInformacoes->setCurrentWidget(tEconomicas2);
        dgPorte->setFocus(Qt::TabFocusReason);
        entraPorte();
    }, false);
    connect(sbCNAE, &QToolButton::clicked, this, Protegido([this] {
                deCNAE->setFocus(Qt::OtherFocusReason);
                if (fmTb8Cnae) {
                    ExecutaModal(*fmTb8Cnae);
                } else {
                    TfmTb8Cnae seletor(this);
                    ExecutaModal(seletor);
                }
                m_binder.carrega(deCNAE);
                ValidaCnae(true);
            }));
    connect(sbNatJuridica, &QToolButton::clicked, this, Protegido([this] {
                deNatJuridica->setFocus(Qt::OtherFocusReason);
                {
                    TfmTb8NatJu seletor(this);
                    ExecutaModal(seletor);
                }
                m_binder.carrega(deNatJuridica);
                if (deNatJuridica->textoArmazenado().isEmpty())
                    edTxNatJuridica->clear();
                else
                    ValidaNaturezaJuridica(true);
            }));

    // Size and Simples.
    connect(dgPorte, &RadioGroup::valorAlterado, this, [this] {
        if (!m_carregando && !m_ajustandoEconomicas)
            Protege([this] { AjustaOptanteSimples(); });
    });
    aoEntrar(dgPorte, [this] { entraPorte(); });
    aoSair(dgPorte, [this] {
        if (!FocoForaDasAbas())
            return;
        if (dgOptanteSimples->isEnabled()) {
            dgOptanteSimples->setFocus(Qt::TabFocusReason);
            ajudaDosBotoes(dgOptanteSimples, 56);
        } else {
            dgPat->setFocus(Qt::TabFocusReason);
            entraPat();
        }
    });
    aoEntrar(dgOptanteSimples, [this] { ajudaDosBotoes(dgOptanteSimples, 56); });
    aoSair(dgOptanteSimples, [this] {
        if (!FocoForaDasAbas())
            return;
        dgPat->setFocus(Qt::TabFocusReason);
        entraPat();
    });

    // PAT.
    aoEntrar(dgPat, [this] { entraPat(); });
    connect(dgPat, &RadioGroup::valorAlterado, this, [this](const QString &valor) {
        if (m_carregando || m_ajustandoEconomicas || valor == QLatin1String("1"))
            return;
        Protege([this] {
            paPAT->setEnabled(false);
            for (const char *nome : {"NuVinculoPatMaior5", "NuVinculoPatMenor5"})
                gravaCampo(QLatin1String(nome), QString());
            for (const char *nome : kPercentuais)
                gravaCampo(QLatin1String(nome), QString());
        });
    });
    aoSair(dgPat, [this] {
        if (FocoForaDasAbas())
            saiPat();
    });
    aoEntrar(dePATVincMaior5, [this] { dePATVincMaior5->setCursorPosition(2); });
    saida(dePATVincMaior5, [this] { ValidaPATMaior5(); });
    saida(dePATVincMenor5, [this] { ValidaPATMenor5(); });
    saida(deServProprio, [this] { ValidaServicoProprio(true); });
    saida(deAdmCozinha, [this] { ValidaAdmCozinha(true); });
    saida(deRefeicaoTransportadora, [this] { ValidaRefeicaoTransportadora(true); });
    saida(deRefeicaoConvenio, [this] { ValidaRefeicaoConvenio(true); });
    saida(deCestaAlimento, [this] { ValidaCestaAlimento(true); });
    aoSair(deAlimentacaoConvenio, [this] {
        ValidaAlimentacaoConvenio(true);
        ValidaPercentuaisPAT(true);
        pcInformacoes->setCurrentWidget(tSindicais);
        dbrCentralizada->setFocus(Qt::TabFocusReason);
        entraCentralizada();
    });

    ligaSaidasSindicais();
}

void TfmDadosEstab::entraPorte()
{
    ajudaDosBotoes(dgPorte, 55);
    if (!dgPorte->valor().isEmpty())
        return;
    // Nothing chosen: the size is marked as not informed (the save refuses it) and Simples waits.
    const QScopedValueRollback<bool> ajustando(m_ajustandoEconomicas, true);
    gravaCampo(QStringLiteral("InPorte"), QStringLiteral("5"));
    gravaCampo(QStringLiteral("InOptanteSimples"), QStringLiteral("2"));
    dgOptanteSimples->setValor(QString());
    dgOptanteSimples->setEnabled(false);
}

void TfmDadosEstab::entraPat()
{
    ajudaDosBotoes(dgPat, 58);
    if (dgPat->valor().isEmpty())
        gravaCampo(QStringLiteral("InParticipaPAT"), QString());
}

void TfmDadosEstab::saiPat()
{
    QString valor = dgPat->valor();
    if (valor.isEmpty()) {
        const bool sim = presenter().show(MessageKind::Confirmation, QStringLiteral("A empresa participa do PAT ?"),
                                          {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
        valor = sim ? QStringLiteral("1") : QStringLiteral("2");
        gravaCampo(QStringLiteral("InParticipaPAT"), valor);
    }
    if (valor == QLatin1String("1")) {
        pcInformacoes->setCurrentWidget(tEconomicas3);
        paPAT->setEnabled(true);
        dePATVincMaior5->setFocus(Qt::TabFocusReason);
    } else {
        pcInformacoes->setCurrentWidget(tSindicais);
        dbrCentralizada->setFocus(Qt::TabFocusReason);
        entraCentralizada();
    }
}

// ---- opening ----

void TfmDadosEstab::AbreAbasEconomicas()
{
    const QScopedValueRollback<bool> ajustando(m_ajustandoEconomicas, true);

    // Descriptions of the activity and the legal nature.
    const QString cnae = campo(QStringLiteral("CoCnae2"));
    edTxCNAE->setText(cnae.isEmpty() || SoZeros(cnae) ? QString()
                                                      : descricao(dmGDVorn->taCNAE, cnae, QStringLiteral("NoCnae")));
    const QString natureza = campo(QStringLiteral("CoNaturezaJuridica"));
    edTxNatJuridica->setText(natureza.isEmpty()
                                 ? QString()
                                 : descricao(dmGDVorn->taNatJu, natureza, QStringLiteral("NoNaturezaJuridica")));

    // Simples open (the size below may lock it); the PAT panel by the answer.
    dgOptanteSimples->setEnabled(true);
    const QString pat = campo(QStringLiteral("InParticipaPAT"));
    if (pat != QLatin1String("1") && pat != QLatin1String("2"))
        gravaCampo(QStringLiteral("InParticipaPAT"), QString());
    paPAT->setEnabled(pat == QLatin1String("1"));

    // Counts and percentages without leading zeros; the save writes them back zero-filled.
    auto semZeros = [this](const QString &nome, int largura) {
        const QString valor = campo(nome);
        gravaCampo(nome, NumeroSemZeros(valor, Zeros(largura)));
        return CompletaZeros(valor, largura);
    };
    PatMaior5Preparado = semZeros(QStringLiteral("NuVinculoPatMaior5"), 6);
    PatMenor5Preparado = semZeros(QStringLiteral("NuVinculoPatMenor5"), 6);
    for (int i = 0; i < 6; ++i)
        PercentuaisPreparados[i] = semZeros(QLatin1String(kPercentuais[i]), 3);

    // Union tab: zero CNPJs are empty; the edits open or locked by centralisation and membership.
    for (const char *nome : {"CoCNPJCentralizada", "CoCNPJSindical", "CoCNPJAssociativa", "CoCNPJAssistencial",
                             "CoCNPJConfederativa"})
        if (campo(QLatin1String(nome)) == kZeros14)
            gravaCampo(QLatin1String(nome), QString());
    const QString centralizada = campo(QStringLiteral("InCentralizada"));
    Trava(dbeCNPJCentralizada,
          centralizada == QLatin1String("2") && campo(QStringLiteral("CoCNPJCentralizada")).isEmpty(), CorTrava::Menu);
    travaSindical(centralizada == QLatin1String("1") && campo(QStringLiteral("CoCNPJSindical")).isEmpty());
    travaAssociativa(campo(QStringLiteral("InSindicalizada")) == QLatin1String("2"));

    MostraValoresSindicais();
    AjustaOptanteSimples();
}

// ---- economic data ----

void TfmDadosEstab::ValidaCnae(bool naSaida)
{
    const QString cnae = deCNAE->textoArmazenado();
    erro(CriticaCnae(cnae), deCNAE);
    const QString nome = CriticaCnaeNome(cnae, campo(QStringLiteral("NoRazaoEstabelecimento")));
    if (nome != QLatin1String("0363"))
        erro(nome, deCNAE);
    const QString texto = descricao(dmGDVorn->taCNAE, cnae, QStringLiteral("NoCnae"));
    edTxCNAE->setText(texto);
    linha().FieldByName(QStringLiteral("TxtCnae")).setAsString(texto);
    UltimoCodigo = nome;
    if (naSaida && nome == QLatin1String("0363"))
        MostraMensagem(nome);
}

void TfmDadosEstab::ValidaNaturezaJuridica(bool naSaida)
{
    const QString natureza = deNatJuridica->textoArmazenado();
    erro(CriticaNaturezaJuridica(natureza), deNatJuridica);
    const QString texto = descricao(dmGDVorn->taNatJu, natureza, QStringLiteral("NoNaturezaJuridica"));
    edTxNatJuridica->setText(texto);
    linha().FieldByName(QStringLiteral("TxtNatJur")).setAsString(texto);
    UltimoCodigo = CriticaNaturezaNome(natureza, campo(QStringLiteral("NoRazaoEstabelecimento")));
    if (naSaida && UltimoCodigo != kOk)
        MostraMensagem(UltimoCodigo);
}

void TfmDadosEstab::ConfereOutrosPrefixos()
{
    EstabelecimentoSalvo e;
    e.Ano = AnoEstab;
    e.Inscricao = campo(QStringLiteral("CoCgcCeiEstabelecimento"));
    e.Tipo = TipoInscricaoAbertura;
    e.CeiVinculado = campo(QStringLiteral("CoCgcVinculado"));
    e.Prefixo = campo(QStringLiteral("NuPrefixoEstabelecimento"));
    e.RazaoSocial = campo(QStringLiteral("NoRazaoEstabelecimento"));
    e.NaturezaJuridica = campo(QStringLiteral("CoNaturezaJuridica"));
    e.Cnae = campo(QStringLiteral("CoCnae2"));
    for (DivergenciaPrefixo d : DivergenciasOutrosPrefixos(e)) {
        if (d != DivergenciaPrefixo::RazaoSocial)
            pcInformacoes->setCurrentWidget(tEconomicas);
        presenter().show(MessageKind::Warning, TextoDivergencia(d), {MessageButton::Ok});
        TrocaAbaPermitida = false;
    }
}

void TfmDadosEstab::ValidaProprietarios()
{
    const QString texto = deProprietarios->text().trimmed();
    erro(CriticaNumerico(CompletaZeros(texto, 2), QStringLiteral("2")), deProprietarios);
    if (!texto.isEmpty())
        gravaCampo(QStringLiteral("NuProprietEstabelecimento"), valorDecimal(texto));
}

void TfmDadosEstab::ValidaDataBase()
{
    // The month as typed, blanks included: a blank inside it is refused.
    const QString mes = CompletaZeros(deDataBase->text(), 2);
    erro(CriticaMesDataBase(mes), deDataBase);
    erro(CriticaDataBaseNegativa(mes, campo(QStringLiteral("InVornNegEstabelecimento"))), deDataBase);
}

void TfmDadosEstab::ValidaPorte() { erro(CriticaPorte(campo(QStringLiteral("InPorte"))), dgPorte, false); }

void TfmDadosEstab::ValidaOptanteSimples()
{
    if (!dgOptanteSimples->isEnabled())
        return;
    const QString simples = campo(QStringLiteral("InOptanteSimples"));
    erro(CriticaOptanteSimples(simples), dgOptanteSimples, false);
    erro(CriticaSimplesPorte(simples, campo(QStringLiteral("InPorte"))), dgOptanteSimples, false);
}

void TfmDadosEstab::AjustaOptanteSimples()
{
    const QScopedValueRollback<bool> ajustando(m_ajustandoEconomicas, true);
    const QString porte = dgPorte->valor();
    if (porte == QLatin1String("3")) {
        gravaCampo(QStringLiteral("InOptanteSimples"), QStringLiteral("2"));
        dgOptanteSimples->setValor(QString());
        dgOptanteSimples->setEnabled(false);
    } else if (porte.isEmpty()) {
        dgOptanteSimples->setEnabled(true);
        gravaCampo(QStringLiteral("InOptanteSimples"), QString());
    } else {
        dgOptanteSimples->setEnabled(true);
    }
}

// ---- PAT ----

QWidget *TfmDadosEstab::respostaPat(const QString &preferido)
{
    pcInformacoes->setCurrentWidget(tEconomicas2);
    const QList<QRadioButton *> botoes = dgPat->botoes(); // "Sim", "Não"
    const int i = preferido == QLatin1String("1") ? 0 : 1;
    return botoes[i]->isChecked() ? botoes[i] : botoes[1 - i];
}

void TfmDadosEstab::ValidaParticipaPAT()
{
    erro(CriticaParticipaPAT(campo(QStringLiteral("InParticipaPAT"))), dgPat);
}

void TfmDadosEstab::ValidaPATMaior5()
{
    const QString texto = dePATVincMaior5->text().trimmed();
    PatMaior5Preparado = CompletaZeros(texto, 6);
    const QString codigo = CriticaQtdPATNumerica(PatMaior5Preparado);
    if (codigo != kOk)
        erro(codigo, paPAT->isEnabled() ? static_cast<QWidget *>(dePATVincMaior5) : respostaPat(QStringLiteral("1")));
    if (!texto.isEmpty())
        gravaCampo(QStringLiteral("NuVinculoPatMaior5"), valorDecimal(texto));
}

void TfmDadosEstab::ValidaPATMenor5()
{
    const QString texto = dePATVincMenor5->text().trimmed();
    PatMenor5Preparado = CompletaZeros(texto, 6);
    const QString codigo = PatMenor5Preparado == Zeros(6) && PatMaior5Preparado == Zeros(6) &&
                                   campo(QStringLiteral("InParticipaPAT")) == QLatin1String("1")
                               ? QStringLiteral("3626")
                               : CriticaQtdPATNumerica(PatMenor5Preparado);
    if (codigo != kOk)
        erro(codigo, paPAT->isEnabled() ? static_cast<QWidget *>(dePATVincMenor5) : respostaPat(QStringLiteral("2")));
    if (!texto.isEmpty())
        gravaCampo(QStringLiteral("NuVinculoPatMenor5"), valorDecimal(texto));
}

void TfmDadosEstab::ValidaQtdPAT(bool naSaida)
{
    const QString participa = campo(QStringLiteral("InParticipaPAT"));
    ValidaPATMaior5();
    ValidaPATMenor5();
    UltimoCodigo = CriticaQtdPAT(participa, PatMenor5Preparado, PatMaior5Preparado);
    if (UltimoCodigo == QLatin1String("3522") || UltimoCodigo == QLatin1String("3525")) {
        if (naSaida)
            MostraMensagem(UltimoCodigo);
        return;
    }
    if (UltimoCodigo != kOk)
        erro(UltimoCodigo, respostaPat(QStringLiteral("2")));
}

void TfmDadosEstab::validaPercentual(int indice, MaskEdit *edit, bool naSaida)
{
    const QString texto = edit->text().trimmed();
    PercentuaisPreparados[indice] = CompletaZeros(texto, 3);
    const QString codigo = CriticaPercentualPAT(PercentuaisPreparados[indice]);
    UltimoCodigo = codigo;
    if (codigo == QLatin1String("3521")) {
        // Above 100: it keeps the focus only while the counts can be typed.
        if (naSaida && paPAT->isEnabled())
            falha(codigo, edit, false);
        if (naSaida)
            MostraMensagem(codigo);
    } else if (codigo != kOk) {
        erro(codigo, paPAT->isEnabled() ? static_cast<QWidget *>(edit) : respostaPat(QStringLiteral("2")));
    }
    if (!texto.isEmpty())
        gravaCampo(QLatin1String(kPercentuais[indice]), valorDecimal(texto));
}

void TfmDadosEstab::ValidaServicoProprio(bool naSaida) { validaPercentual(0, deServProprio, naSaida); }
void TfmDadosEstab::ValidaAdmCozinha(bool naSaida) { validaPercentual(1, deAdmCozinha, naSaida); }
void TfmDadosEstab::ValidaRefeicaoTransportadora(bool naSaida) { validaPercentual(2, deRefeicaoTransportadora, naSaida); }
void TfmDadosEstab::ValidaRefeicaoConvenio(bool naSaida) { validaPercentual(3, deRefeicaoConvenio, naSaida); }
void TfmDadosEstab::ValidaCestaAlimento(bool naSaida) { validaPercentual(4, deCestaAlimento, naSaida); }
void TfmDadosEstab::ValidaAlimentacaoConvenio(bool naSaida) { validaPercentual(5, deAlimentacaoConvenio, naSaida); }

void TfmDadosEstab::ValidaPercentuaisPAT(bool naSaida)
{
    for (int i = 0; i < 6; ++i)
        PercentuaisPreparados[i] = CompletaZeros(campo(QLatin1String(kPercentuais[i])), 3);
    const QStringList &p = PercentuaisPreparados;
    UltimoCodigo = CriticaPercentuaisPAT(campo(QStringLiteral("InParticipaPAT")), p[0], p[1], p[2], p[3], p[4], p[5]);
    if (UltimoCodigo == kOk)
        return;
    if (UltimoCodigo == QLatin1String("3600") || UltimoCodigo == QLatin1String("3601")) {
        if (naSaida)
            falha(UltimoCodigo, deServProprio, false);
        return;
    }
    erro(UltimoCodigo, paPAT->isEnabled() ? static_cast<QWidget *>(deServProprio) : respostaPat(QStringLiteral("2")));
}

// ---- saving ----

void TfmDadosEstab::AcrescentaCriticasEconomicas()
{
    const std::pair<const char *, std::function<void()>> criticas[] = {
        {"ValidaCnae", [this] { ValidaCnae(false); }},
        {"ValidaNaturezaJuridica", [this] { ValidaNaturezaJuridica(false); }},
        {"ConfereOutrosPrefixos", [this] { ConfereOutrosPrefixos(); }},
        {"ValidaProprietarios", [this] { ValidaProprietarios(); }},
        {"ValidaDataBase", [this] { ValidaDataBase(); }},
        {"ValidaPorte", [this] { ValidaPorte(); }},
        {"ValidaOptanteSimples", [this] { ValidaOptanteSimples(); }},
        {"ValidaParticipaPAT", [this] { ValidaParticipaPAT(); }},
        {"ValidaQtdPAT", [this] { ValidaQtdPAT(true); }},
        {"ValidaServicoProprio", [this] { ValidaServicoProprio(true); }},
        {"ValidaAdmCozinha", [this] { ValidaAdmCozinha(true); }},
        {"ValidaRefeicaoTransportadora", [this] { ValidaRefeicaoTransportadora(true); }},
        {"ValidaRefeicaoConvenio", [this] { ValidaRefeicaoConvenio(true); }},
        {"ValidaCestaAlimento", [this] { ValidaCestaAlimento(true); }},
        {"ValidaAlimentacaoConvenio", [this] { ValidaAlimentacaoConvenio(true); }},
        {"ValidaPercentuaisPAT", [this] { ValidaPercentuaisPAT(true); }},
        {"ValidaCentralizada", [this] { ValidaCentralizada(); }},
        {"ValidaCnpjSindicalEstab", [this] { ValidaCnpjSindicalEstab(); }},
        {"ValidaValorGlobalSindical", [this] { ValidaValorGlobalSindical(); }},
        {"ValidaSindicalizada", [this] { ValidaSindicalizada(); }},
        {"ValidaCnpjAssociativaEstab", [this] { ValidaCnpjAssociativaEstab(); }},
        {"ValidaValorGlobalAssociativa", [this] { ValidaValorGlobalAssociativa(); }},
        {"ValidaValorGlobalAssistencial", [this] { ValidaValorGlobalAssistencial(); }},
        {"ValidaValorGlobalConfederativa", [this] { ValidaValorGlobalConfederativa(); }},
        {"ValidaCnpjAssistencialEstab", [this] { ValidaCnpjAssistencialEstab(); }},
        {"ValidaCnpjConfederativaEstab", [this] { ValidaCnpjConfederativaEstab(); }},
        {"ValidaCnpjCentralizada", [this] { ValidaCnpjCentralizada(); }},
        {"AvisaContribuicaoAusente", [this] { AvisaContribuicaoAusente(); }},
    };
    for (const auto &[nome, critica] : criticas)
        AcrescentaCritica(QLatin1String(nome), critica);
}

void TfmDadosEstab::PreparaGravacaoEconomicas()
{
    Table &t = linha();
    auto grava = [&t](const char *nome, const QString &valor) { t.FieldByName(QLatin1String(nome)).setAsString(valor); };
    grava("NuVinculoPatMaior5", PatMaior5Preparado);
    grava("NuVinculoPatMenor5", PatMenor5Preparado);
    for (int i = 0; i < 6; ++i)
        grava(kPercentuais[i], PercentuaisPreparados[i]);
    const auto doisDigitos = [this](const char *nome) {
        const QString v = campo(QLatin1String(nome));
        return v.isEmpty() ? QStringLiteral("00") : CompletaZeros(v, 2);
    };
    grava("NuProprietEstabelecimento", doisDigitos("NuProprietEstabelecimento"));
    grava("MeDataBase", doisDigitos("MeDataBase"));
    grava("VaGlobalSindical", ValorEmCentavos(deValorSindical->text()));
    grava("VaGlobalAssociativa", ValorEmCentavos(deValorAssociativa->text()));
    grava("VaGlobalAssistencial", ValorEmCentavos(deValorAssistencial->text()));
    grava("VaGlobalConfederativa", ValorEmCentavos(deValorConfederativa->text()));
    if (campo(QStringLiteral("InSindicalizada")) != QLatin1String("1"))
        grava("InSindicalizada", QStringLiteral("2"));
}

} // namespace gdvorn
