// The file browser's establishment view.

#include "workflows/ufmConsulta.h"

#include "app/base/Table.h"
#include "app/udmGDVorn.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "workflows/ugConsulta.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

QLabel *Painel(QWidget *pai, const char *nome)
{
    auto *p = new QLabel(pai);
    p->setObjectName(QLatin1String(nome));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Sunken);
    p->setAlignment(Qt::AlignCenter);
    p->setMinimumHeight(p->fontMetrics().height() + 8);
    return p;
}

} // namespace

TfmConsulta03::TfmConsulta03()
    : TPaginaConsulta("fmConsulta03", QStringLiteral("Consulta Estabelecimento"), QSize(860, 550))
{
    using consulta::Campo;
    QGroupBox *identificacao = nullptr;
    QGridLayout *id = consulta::Grupo(this, "grIdentificacao", QStringLiteral("Identificação do Estabelecimento"), &identificacao);
    auto *paineis = new QHBoxLayout;
    for (const char *nome : {"paInfo", "paVorn", "paTipoEmpresa", "paEncerrou", "paPAT"})
        paineis->addWidget(Painel(identificacao, nome), 1);
    id->addLayout(paineis, 0, 0, 1, 8);
    // Rows from 1 (grid rows 2 on): row 0 holds the panels.
    Campo(id, 1, 0, "edInscricao", QStringLiteral("Inscrição CNPJ/CEI"), 2);
    Campo(id, 1, 2, "edPrefixo", QStringLiteral("Prefixo"));
    Campo(id, 1, 3, "edCGCVinculado", QStringLiteral("CEI vinculado "), 2);
    Campo(id, 1, 5, "edUsoEmpresa", QStringLiteral("Para uso da empresa"), 3);
    Campo(id, 2, 0, "edRazao", QStringLiteral("Razão Social"), 5);
    Campo(id, 2, 5, "edTotalVinculos", QStringLiteral("Total Empregados"));
    Campo(id, 2, 6, "edTelefone", QStringLiteral("Telefone(DDD - Número)"), 2);
    int coluna = 0;
    for (const auto &[nome, legenda] :
         {std::pair{"edVinculoMaior5", "Vínc>5 SM"}, {"edVinculoMenor5", "Vínc<5 SM"}, {"edServicoProprio", "Serv.Prop."},
          {"edAdministracaoCozinha", "Adm.Coz."}, {"edRefeicaoConvenio", "Ref.Conv."}, {"edRefeicaoTransportadora", "Ref.Trans."},
          {"edCestaAlimento", "Cesta"}, {"edAlimentacaoConvenio", "Alim.Conv."}})
        Campo(id, 3, coluna++, nome, QString::fromUtf8(legenda));
    for (int c = 0; c < 8; ++c)
        id->setColumnStretch(c, 1);
    identificacao->setEnabled(false);

    pcEstabelecimento = new QTabWidget(this);
    pcEstabelecimento->setObjectName(QStringLiteral("pcEstabelecimento"));
    auto *dados = new QWidget;
    dados->setObjectName(QStringLiteral("tsDados"));
    auto *d = new QGridLayout(dados);
    Campo(d, 0, 0, "edLogradouro", QStringLiteral("Logradouro (rua,avenida, praça,...)"), 3);
    Campo(d, 0, 3, "edNumero", QStringLiteral("Número"));
    Campo(d, 1, 0, "edComplemento", QStringLiteral("Complemento"));
    Campo(d, 1, 1, "edBairro", QStringLiteral("Bairro/Distrito"));
    Campo(d, 1, 2, "edCEP", QStringLiteral("CEP"));
    Campo(d, 1, 3, "edCodMunicipio", QStringLiteral("Cód.munic."));
    Campo(d, 2, 0, "edNomeMunicipio", QStringLiteral("Nome município"), 2);
    Campo(d, 2, 2, "edUF", QStringLiteral("UF"));
    Campo(d, 2, 3, "edDataBase", QStringLiteral("Data-base"));
    Campo(d, 3, 0, "edCNAE", QStringLiteral("Código Nacional de Atividade Econômica - CNAE"), 4);
    Campo(d, 4, 0, "edNatJuridica", QStringLiteral("Natureza Jurídica"), 3);
    Campo(d, 4, 3, "edNumeroProp", QStringLiteral("Núm. Prop."));
    Campo(d, 5, 0, "deEmail", QStringLiteral("E-mail do estabelecimento"), 4);
    d->setRowStretch(12, 1);
    for (int c = 0; c < 4; ++c)
        d->setColumnStretch(c, 1);
    dados->setEnabled(false);
    pcEstabelecimento->addTab(dados, QStringLiteral("Dados do Estabelecimento"));

    auto *sindicais = new QWidget;
    sindicais->setObjectName(QStringLiteral("tsSindicais"));
    auto *s = new QGridLayout(sindicais);
    int linha = 0;
    for (const auto &[cnpj, valor, nome] :
         {std::tuple{"edCNPJSindicalE", "edValorSindicalE", "Contribuição Sindical"},
          {"edCNPJAssociativaE", "edValorPrimAssociativaE", "Contribuição Associativa"},
          {"edCNPJAssistencialE", "edValorAssistencialE", "Contribuição Assistencial"},
          {"edCNPJConfederativaE", "edValorConfederativaE", "Contribuição Confederativa"}}) {
        Campo(s, linha, 0, cnpj, QStringLiteral("CNPJ ") + QString::fromUtf8(nome));
        Campo(s, linha++, 1, valor, QStringLiteral("Valor ") + QString::fromUtf8(nome));
    }
    Campo(s, linha, 0, "edCNPJCentralizadaE", QStringLiteral("CNPJ Centralizada"));
    s->addWidget(consulta::ParSimNao(sindicais, "rbCentralizada", QStringLiteral("Contribuição Sindical"),
                                     QStringLiteral("Centralizada")),
                 0, 2, 4, 1);
    s->addWidget(consulta::ParSimNao(sindicais, "rbSindicalizada", QStringLiteral("Sindicalizada")), 4, 2, 4, 1);
    s->setRowStretch(10, 1);
    sindicais->setEnabled(false);
    pcEstabelecimento->addTab(sindicais, QStringLiteral("Informações Sindicais"));

    bbAnterior = criaBotao("bbAnterior", QStringLiteral("< &Anterior"), [this] { Move(-1, false); });
    bbProximo = criaBotao("bbProximo", QStringLiteral("&Próximo >"), [this] { Move(1, true); });
    bbEmpregados = criaBotao("bbEmpregados", QStringLiteral("&Empregados"), [this] { MostraSobre(Janela()->fmConsulta04); });
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("&Voltar"), [this] { Voltar(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Fechar(); });
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {bbAnterior, bbProximo, bbEmpregados, bbVoltar, bbFechar})
        botoes->addWidget(b);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(identificacao);
    corpo->addWidget(pcEstabelecimento, 1);
    corpo->addLayout(botoes);
    setTabOrder(pcEstabelecimento, bbAnterior);
    setTabOrder(bbAnterior, bbProximo);
    setTabOrder(bbProximo, bbEmpregados);
    setTabOrder(bbEmpregados, bbVoltar);
    setTabOrder(bbVoltar, bbFechar);
}

void TfmConsulta03::aoMostrar()
{
    pcEstabelecimento->setCurrentIndex(0);
    MostraEstabelecimento();
    AtualizaNavegacao();
    pcEstabelecimento->setFocus();
}

void TfmConsulta03::MostraEstabelecimento()
{
    LimpaEdits(this);
    TfmConsulta02 &lista = *Janela()->fmConsulta02;
    Table &t = *lista.taEmpresa;
    const bool achou = t.FindKey(lista.ChaveAtual());
    Preenche(gdvorn::MostraEstabelecimento([&](const QString &campo) { return achou ? t.FieldByName(campo).AsString() : QString(); },
                                           *dmGDVorn, Configuracao().AnoBase));
}

void TfmConsulta03::AtualizaNavegacao()
{
    const QTreeWidget *grade = Janela()->fmConsulta02->grEmp;
    bbAnterior->setEnabled(HaLinha(grade, -1));
    bbProximo->setEnabled(HaLinha(grade, 1));
}

void TfmConsulta03::Move(int passo, bool primeiraAba)
{
    if (!MoveLinha(Janela()->fmConsulta02->grEmp, passo))
        return;
    MostraEstabelecimento();
    AtualizaNavegacao();
    if (primeiraAba)
        pcEstabelecimento->setCurrentIndex(0);
    // A button disabled at the end of the rows leaves the focus on its neighbour.
    if (QWidget *f = focusWidget(); !f || !f->isEnabled())
        (bbAnterior->isEnabled() ? bbAnterior : bbProximo->isEnabled() ? bbProximo : bbVoltar)->setFocus();
}

} // namespace gdvorn
