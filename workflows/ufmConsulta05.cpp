// The file browser's employee list and employee view.

#include "workflows/ufmConsulta.h"

#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ufmLimpaEdits.h"
#include "workflows/ugConsulta.h"
#include "workflows/ugConsultaEmpregados.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace gdvorn {

// --- employee list -------------------------------------------------------------------------------------

TfmConsulta04::TfmConsulta04()
    : TPaginaConsulta("fmConsulta04", QStringLiteral("Consulta Arquivo Vorn - Seleção de Empregados/Servidores"), QSize(860, 550))
{
    auto *selecione = new QGroupBox(QStringLiteral(" Selecione o Empregado/Servidor para Consulta"), this);
    selecione->setObjectName(QStringLiteral("grSelecione"));
    auto *classificacao = new QGroupBox(QStringLiteral("Classificação"), selecione);
    classificacao->setObjectName(QStringLiteral("grClassificacao"));
    rbCodPisPasep = new QRadioButton(QStringLiteral("Código PIS/PASEP"), classificacao);
    rbCodPisPasep->setObjectName(QStringLiteral("rbCodPisPasep"));
    rbNome = new QRadioButton(QStringLiteral("Nome do empregado/servidor"), classificacao);
    rbNome->setObjectName(QStringLiteral("rbNome"));
    auto *c = new QHBoxLayout(classificacao);
    c->addWidget(rbCodPisPasep);
    c->addWidget(rbNome);
    c->addStretch();
    Empregados = new TModeloEmpregados(this);
    grEmpregados = new QTreeView(selecione);
    grEmpregados->setModel(Empregados);
    consulta::PreparaGrade(grEmpregados, "grEmpregados", {98, 94, 272, 104});
    connect(grEmpregados, &QTreeView::doubleClicked, this, [this] { abreLinha(); });
    auto *s = new QVBoxLayout(selecione);
    s->addWidget(classificacao);
    s->addWidget(grEmpregados, 1);
    connect(rbCodPisPasep, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            MontaConsultaEmpregados(QStringLiteral("1"));
    });
    connect(rbNome, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            MontaConsultaEmpregados(QStringLiteral("2"));
    });

    bbConsultar = criaBotao("bbConsultar", QStringLiteral("&Consultar"), [this] { abreLinha(); });
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("&Voltar"), [this] { Voltar(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Fechar(); });
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {bbConsultar, bbVoltar, bbFechar})
        botoes->addWidget(b);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(selecione, 1);
    corpo->addLayout(botoes);
    setTabOrder(rbCodPisPasep, rbNome);
    setTabOrder(rbNome, grEmpregados);
    setTabOrder(grEmpregados, bbConsultar);
    setTabOrder(bbConsultar, bbVoltar);
    setTabOrder(bbVoltar, bbFechar);
}

void TfmConsulta04::aoMostrar()
{
    {
        const QSignalBlocker bloqueio(rbCodPisPasep);
        rbCodPisPasep->setChecked(true);
    }
    MontaConsultaEmpregados(QStringLiteral("1"));
    grEmpregados->setFocus();
}

void TfmConsulta04::MontaConsultaEmpregados(const QString &ordem)
{
    const QStringList e = Janela()->fmConsulta02->ChaveAtual(); // empty without a current establishment
    Empregados->Monta(QStringLiteral("te8vinc"), e.value(0), e.value(1), e.value(2), ordem);
    if (Empregados->rowCount() > 0)
        grEmpregados->setCurrentIndex(Empregados->index(0, 0));
}

bool TfmConsulta04::abreLinha()
{
    if (!grEmpregados->currentIndex().isValid())
        return false;
    MostraSobre(Janela()->fmConsulta05);
    return true;
}

QStringList TfmConsulta04::ChaveAtual() const
{
    return Empregados->Chave(grEmpregados->currentIndex().row());
}

// --- employee view -------------------------------------------------------------------------------------

namespace {

QWidget *Aba(QTabWidget *abas, const char *nome, const QString &titulo, QGridLayout **grade)
{
    auto *w = new QWidget;
    w->setObjectName(QLatin1String(nome));
    *grade = new QGridLayout(w);
    abas->addTab(w, titulo);
    w->setEnabled(false);
    return w;
}

// A read-only edit without a caption of its own (the rows and columns of a table carry them).
QLineEdit *Leitura(QWidget *pai, const QString &nome, bool valor)
{
    auto *e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setReadOnly(true);
    if (valor)
        e->setAlignment(Qt::AlignRight);
    return e;
}

QLineEdit *Valor(QGridLayout *g, int linha, int coluna, const char *nome, const QString &legenda, int colunas = 1)
{
    QLineEdit *e = consulta::Campo(g, linha, coluna, nome, legenda, colunas);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

TfmConsulta05::TfmConsulta05()
    : TPaginaConsulta("fmConsulta05", QStringLiteral("Consulta Empregados/Servidores"), QSize(860, 590)),
      taVinculo(std::make_unique<Table>(QStringLiteral("te8vinc")))
{
    using consulta::Campo;
    QGridLayout *c = consulta::Grupo(this, "grpCadastro", QString(), &grpCadastro);
    Campo(c, 0, 0, "edPISPASEP", QStringLiteral("Cód. PIS/PASEP"));
    Campo(c, 0, 1, "edNomeEmpregado", QStringLiteral("Nome do empregado/servidor"), 4);
    Campo(c, 0, 5, "edDataNascimento", QStringLiteral("Data nasc."));
    Campo(c, 1, 0, "ednacionalidade", QStringLiteral("Nacionalidade"), 2);
    Campo(c, 1, 2, "edAnoChegada", QStringLiteral("Ano Cheg."));
    Campo(c, 1, 3, "edGrauInstrucao", QStringLiteral("Grau de instrução"), 3);
    Campo(c, 2, 0, "edTipoRaca", QStringLiteral("Raça/Cor"), 2);
    Campo(c, 2, 2, "edDeficienteFisico", QStringLiteral("Deficiente"), 3);
    Campo(c, 2, 5, "edSexo", QStringLiteral("Sexo"));
    Campo(c, 3, 0, "edCPF", QStringLiteral("CPF"));
    Campo(c, 3, 1, "edCarteiraTrab", QStringLiteral("CTPS - Num"));
    Campo(c, 3, 2, "edCTPSSerie", QStringLiteral("CTPS - Ser"));
    for (int i = 0; i < 6; ++i)
        c->setColumnStretch(i, 1);
    grpCadastro->setEnabled(false);

    pcEmpregado = new QTabWidget(this);
    pcEmpregado->setObjectName(QStringLiteral("pcEmpregado"));
    QGridLayout *g = nullptr;
    Aba(pcEmpregado, "tsVinculo", QStringLiteral("Vínculo Empregatício"), &g);
    Campo(g, 0, 0, "edDataAdmissao", QStringLiteral("Data  "));
    Campo(g, 0, 1, "edTipoAdmissao", QStringLiteral("Tipo de admissão/transferência/movimentação"), 3);
    Valor(g, 1, 0, "edSalarioContratual", QStringLiteral("Sal. contratual"));
    Campo(g, 1, 1, "edTipoSalario", QStringLiteral("Tipo sal contr."));
    Campo(g, 1, 2, "edHoras", QStringLiteral("Horas"));
    Campo(g, 1, 3, "edAlvara", QStringLiteral("Alvará "));
    Campo(g, 2, 0, "edCBO", QStringLiteral("CBO"), 4);
    Campo(g, 3, 0, "edVinculo", QStringLiteral("Vínculo"), 4);
    Campo(g, 4, 0, "edDesligamento", QStringLiteral("Causa do desligamento"), 3);
    Campo(g, 4, 3, "edDataDesligamento", QStringLiteral("Data "));
    Valor(g, 5, 0, "edAvisoPrevio", QStringLiteral("Aviso Prévio ($)"));
    Campo(g, 5, 1, "edLocalTrabalho", QStringLiteral("Local de Trabalho"));
    g->setRowStretch(12, 1);
    for (int i = 0; i < 4; ++i)
        g->setColumnStretch(i, 1);

    Aba(pcEmpregado, "tsAfastamento", QStringLiteral("Afastamento"), &g);
    int linha = 0;
    for (const auto &[titulo, codigo, texto, inicio, fim] :
         {std::tuple{"Primeiro Afastamento", "dePrimCod", "edTxPrimAfast", "dePrimInicio", "dePrimFinal"},
          {"Segundo Afastamento", "deSegCod", "edTxSegAfas", "deSegInicio", "deSegFinal"},
          {"Terceiro Afastamento", "deTerCod", "EdTxTerAfas", "deTerInicio", "deTerFinal"}}) {
        Campo(g, linha, 0, codigo, QStringLiteral("Cód."));
        Campo(g, linha, 1, texto, QLatin1String(titulo));
        Campo(g, linha, 2, inicio, QStringLiteral("Data Início"));
        Campo(g, linha++, 3, fim, QStringLiteral("Data Final"));
    }
    Campo(g, linha, 3, "deAfastQtDias", QStringLiteral("Total de Dias"));
    g->setRowStretch(12, 1);
    g->setColumnStretch(1, 4);
    for (int i : {0, 2, 3})
        g->setColumnStretch(i, 1);

    Aba(pcEmpregado, "tsSindicais", QStringLiteral("Informações Sindicais"), &g);
    linha = 0;
    for (const auto &[cnpj, valor, nome] :
         {std::tuple{"edCNPJSindical", "edValorSindical", "Contribuição Sindical"},
          {"edCNPJPrimAssociativa", "edValorPrimAssociativa", "1ª Contribuição Associativa"},
          {"edCNPJSegAssociativa", "edValorSegAssociativa", "2ª Contribuição Associativa"},
          {"edCNPJAssistencial", "edValorAssistencial", "Contribuição Assistencial"},
          {"edCNPJConfederativa", "edValorConfederativa", "Contribuição Confederativa"}}) {
        Campo(g, linha, 0, cnpj, QStringLiteral("CNPJ ") + QString::fromUtf8(nome));
        Valor(g, linha++, 1, valor, QStringLiteral("Valor ") + QString::fromUtf8(nome));
    }
    g->addWidget(consulta::ParSimNao(g->parentWidget(), "rbSindicalizado", QStringLiteral("Sindicalizado")), 0, 2, 4, 1);
    g->setRowStretch(12, 1);

    Aba(pcEmpregado, "tsRemuneracoes", QStringLiteral("Remunerações Mensais"), &g);
    QGroupBox *mensais = nullptr;
    QGridLayout *m = consulta::Grupo(g->parentWidget(), "grMensais", QStringLiteral("Remunerações mensais  (R$)  e Horas Extras mensais"), &mensais);
    static const char *const meses[12][2] = {{"Janeiro", "Janeiro"}, {"Fevereiro", "Fevereiro"}, {"Marco", "Março"},
                                             {"Abril", "Abril"},     {"Maio", "Maio"},           {"Junho", "Junho"},
                                             {"Julho", "Julho"},     {"Agosto", "Agosto"},       {"Setembro", "Setembro"},
                                             {"Outubro", "Outubro"}, {"Novembro", "Novembro"},   {"Dezembro", "Dezembro"}};
    for (int i = 0; i < 12; ++i) {
        const int coluna = (i / 6) * 3, l = i % 6 + 1;
        auto *rotulo = new QLabel(QString::fromUtf8(meses[i][1]), mensais);
        QLineEdit *valor = Leitura(mensais, QStringLiteral("ed") + QLatin1String(meses[i][0]), true);
        QLineEdit *horas = Leitura(mensais, QStringLiteral("edHoras") + QLatin1String(meses[i][0]), true);
        rotulo->setBuddy(valor);
        m->addWidget(rotulo, l, coluna);
        m->addWidget(valor, l, coluna + 1);
        m->addWidget(horas, l, coluna + 2);
    }
    for (int coluna : {0, 3}) {
        m->addWidget(new QLabel(QStringLiteral("Valor"), mensais), 0, coluna + 1);
        m->addWidget(new QLabel(QStringLiteral("Horas Extras"), mensais), 0, coluna + 2);
    }
    g->addWidget(mensais, 0, 0, 1, 2);
    QGroupBox *adiantamento = nullptr, *final = nullptr;
    QGridLayout *a = consulta::Grupo(g->parentWidget(), "grAdiantamento", QStringLiteral("13 Salário Adiantamento"), &adiantamento);
    Campo(a, 0, 0, "edAdiantamento", QStringLiteral("Mês"));
    Valor(a, 0, 1, "edValorAdiantamento", QStringLiteral("Valor"));
    QGridLayout *f = consulta::Grupo(g->parentWidget(), "grFinal", QStringLiteral("13 Salário Parcela Final"), &final);
    Campo(f, 0, 0, "edFinal", QStringLiteral("Mês"));
    Valor(f, 0, 1, "edValorFinal", QStringLiteral("Valor"));
    g->addWidget(adiantamento, 1, 0);
    g->addWidget(final, 1, 1);
    g->setRowStretch(2, 1);

    Aba(pcEmpregado, "tsRescisao", QStringLiteral("Verbas Pagas na Rescisão"), &g);
    g->addWidget(new QLabel(QStringLiteral("VALOR TOTAL"), g->parentWidget()), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("QTDE MESES"), g->parentWidget()), 0, 2);
    linha = 1;
    for (const auto &[valor, meses, legenda] :
         {std::tuple{"edValorGlobalFerias", "", "Férias Indenizadas"}, {"edValorGlobalMultas", "", "Multas Rescisórias do FGTS"},
          {"edValorGlobalBcoHoras", "edCompetenciaHoras", "Banco de Horas"},
          {"edValorGlobalDissidio", "edCompetenciaDissidio", "Reajuste Coletivo"},
          {"edValorGlobalGratificacoes", "edCompetenciaGratificacoes", "Gratificações"}}) {
        auto *rotulo = new QLabel(QString::fromUtf8(legenda), g->parentWidget());
        QLineEdit *v = Leitura(g->parentWidget(), QLatin1String(valor), true);
        rotulo->setBuddy(v);
        g->addWidget(rotulo, linha, 0);
        g->addWidget(v, linha, 1);
        if (*meses)
            g->addWidget(Leitura(g->parentWidget(), QLatin1String(meses), false), linha, 2);
        ++linha;
    }
    g->setRowStretch(linha, 1);
    g->setColumnStretch(3, 1);

    bbAnterior = criaBotao("bbAnterior", QStringLiteral("< &Anterior"), [this] { Move(-1); });
    bbProximo = criaBotao("bbProximo", QStringLiteral("&Próximo >"), [this] { Move(1); });
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("&Voltar"), [this] { Voltar(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Fechar(); });
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {bbAnterior, bbProximo, bbVoltar, bbFechar})
        botoes->addWidget(b);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(grpCadastro);
    corpo->addWidget(pcEmpregado, 1);
    corpo->addLayout(botoes);
    setTabOrder(pcEmpregado, bbAnterior);
    setTabOrder(bbAnterior, bbProximo);
    setTabOrder(bbProximo, bbVoltar);
    setTabOrder(bbVoltar, bbFechar);
}

TfmConsulta05::~TfmConsulta05() = default;

void TfmConsulta05::aoMostrar()
{
    pcEmpregado->setCurrentIndex(0);
    MostraEmpregado();
    AtualizaNavegacao();
    pcEmpregado->setFocus();
}

void TfmConsulta05::MostraEmpregado()
{
    LimpaEdits(this);
    Table &t = *taVinculo;
    if (!t.Active())
        t.Open();
    const bool achou = t.FindKey(Janela()->fmConsulta04->ChaveAtual());
    Preenche(gdvorn::MostraEmpregado([&](const QString &campo) { return achou ? t.FieldByName(campo).AsString() : QString(); },
                                     *dmGDVorn));
}

void TfmConsulta05::AtualizaNavegacao()
{
    const QTreeView *grade = Janela()->fmConsulta04->grEmpregados;
    bbAnterior->setEnabled(HaLinha(grade, -1));
    bbProximo->setEnabled(HaLinha(grade, 1));
}

void TfmConsulta05::Move(int passo)
{
    if (!MoveLinha(Janela()->fmConsulta04->grEmpregados, passo))
        return;
    MostraEmpregado();
    AtualizaNavegacao();
    pcEmpregado->setCurrentIndex(0);
    if (QWidget *foco = focusWidget(); !foco || !foco->isEnabled())
        (bbAnterior->isEnabled() ? bbAnterior : bbProximo->isEnabled() ? bbProximo : bbVoltar)->setFocus();
}

} // namespace gdvorn
