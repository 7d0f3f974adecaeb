// The file browser's summary page and establishment list, and the builders of the pages.

#include "workflows/ufmConsulta.h"

#include "app/QtModal.h"
#include "app/base/Table.h"
#include "app/ugConfiguracao.h"
#include "entry/FormEdits.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ugConsulta.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace gdvorn {

namespace consulta {

QLineEdit *Campo(QGridLayout *grade, int linha, int coluna, const char *nome, const QString &legenda, int colunas,
                 QLineEdit *edit)
{
    QWidget *pai = grade->parentWidget();
    if (!edit)
        edit = new QLineEdit(pai);
    edit->setParent(pai);
    edit->setObjectName(QLatin1String(nome));
    edit->setReadOnly(true);
    auto *rotulo = new QLabel(legenda, pai);
    rotulo->setBuddy(edit);
    grade->addWidget(rotulo, linha * 2, coluna, 1, colunas);
    grade->addWidget(edit, linha * 2 + 1, coluna, 1, colunas);
    return edit;
}

void PreparaGrade(QTreeView *g, const char *nome, const QList<int> &larguras)
{
    g->setObjectName(QLatin1String(nome));
    g->setRootIsDecorated(false);
    g->setUniformRowHeights(true);
    g->setAllColumnsShowFocus(true);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < larguras.size(); ++i)
        if (larguras.at(i) > 0)
            g->setColumnWidth(i, larguras.at(i));
    g->header()->setStretchLastSection(true);
}

QTreeWidget *Grade(QWidget *pai, const char *nome, const QList<QPair<QString, int>> &colunas)
{
    auto *g = new QTreeWidget(pai);
    g->setColumnCount(int(colunas.size()));
    QStringList titulos;
    QList<int> larguras;
    for (const auto &c : colunas) {
        titulos << c.first;
        larguras << c.second;
    }
    g->setHeaderLabels(titulos);
    PreparaGrade(g, nome, larguras);
    return g;
}

QGridLayout *Grupo(QWidget *pai, const char *nome, const QString &titulo, QGroupBox **grupo)
{
    auto *g = new QGroupBox(titulo, pai);
    g->setObjectName(QLatin1String(nome));
    if (grupo)
        *grupo = g;
    return new QGridLayout(g);
}

QGroupBox *ParSimNao(QWidget *pai, const char *nome, const QString &titulo, const QString &rotulo)
{
    auto *g = new QGroupBox(titulo, pai);
    auto *l = new QHBoxLayout(g);
    if (!rotulo.isEmpty())
        l->addWidget(new QLabel(rotulo, g));
    for (const auto &[sufixo, legenda] : {std::pair{"Sim", "Sim"}, {"Nao", "Não"}}) {
        auto *b = new QRadioButton(QString::fromUtf8(legenda), g);
        b->setObjectName(QLatin1String(nome) + QLatin1String(sufixo));
        l->addWidget(b);
    }
    l->addStretch();
    return g;
}

} // namespace consulta

namespace {

// Enter on a list opens its row (the window's Enter rule asks the page), a double click too.
void AbreComDuploClique(TPaginaConsulta *pagina, QTreeWidget *grade)
{
    QObject::connect(grade, &QTreeWidget::itemDoubleClicked, pagina, [pagina] { pagina->abreLinha(); });
}

} // namespace

// --- summary -------------------------------------------------------------------------------------------

TfmConsulta01::TfmConsulta01()
    : TPaginaConsulta("fmConsulta01", QStringLiteral("Consulta Arquivo VORN"), QSize(860, 550)),
      taResponsavel(std::make_unique<Table>(QStringLiteral("te8resp")))
{
    using consulta::Campo;
    QGridLayout *r = consulta::Grupo(this, "grResponsavel", QStringLiteral("Dados do Responsável"), &grResponsavel);
    Campo(r, 0, 0, "edInscricao", QStringLiteral("Inscrição CNPJ/CEI/CPF"));
    Campo(r, 0, 1, "edNomeRazaoSocialResponsavel", QStringLiteral("Razão Social/Nome"), 3);
    Campo(r, 1, 0, "edTelefoneContato", QStringLiteral("Telefone p/contato"));
    Campo(r, 1, 1, "edLogradouroResponsavel", QStringLiteral("Logradouro (rua,avenida, praça,...)"), 2);
    Campo(r, 1, 3, "edNumeroResponsavel", QStringLiteral("Número"));
    Campo(r, 2, 0, "edComplementoResponsavel", QStringLiteral("Complemento"));
    Campo(r, 2, 1, "edBairro", QStringLiteral("Bairro"));
    Campo(r, 2, 2, "mdCep", QStringLiteral("CEP"), 1, new MaskEdit(nullptr, QStringLiteral("99999-999;0;_")));
    Campo(r, 2, 3, "mdCodigoMunicipio", QStringLiteral("Cód. munic."), 1, new MaskEdit(nullptr, QStringLiteral("99-99999;0;_")));
    Campo(r, 3, 0, "edNomeMunicipio", QStringLiteral("Nome do município"), 2);
    Campo(r, 3, 2, "edUF", QStringLiteral("UF"));
    Campo(r, 3, 3, "edEmail", QStringLiteral("E-mail"));
    Campo(r, 4, 0, "edNomeResponsavel", QStringLiteral("Nome Responsável"), 2);
    Campo(r, 4, 2, "edCpfResponsavel", QStringLiteral("CPF Responsável"));
    Campo(r, 4, 3, "mdDataNasc", QStringLiteral("Data de Nascimento"), 1, new MaskEdit(nullptr, QStringLiteral("99/99/9999;0;_")));
    for (int c = 0; c < 4; ++c)
        r->setColumnStretch(c, 1);
    grResponsavel->setEnabled(false);

    QGridLayout *e = consulta::Grupo(this, "grEstabelecimentos", QStringLiteral("Dados dos Estabelecimentos "), &grEstabelecimentos);
    QGroupBox *retificacao = nullptr;
    QGridLayout *rt = consulta::Grupo(grEstabelecimentos, "grRetificacao", QStringLiteral("Retificação de declaração"), &retificacao);
    e->addWidget(retificacao, 0, 0);
    ckRetificacao = new QCheckBox(QStringLiteral("Estabelecimentos no arquivo  estão sendo retificados."), retificacao);
    ckRetificacao->setObjectName(QStringLiteral("ckRetificacao"));
    rt->addWidget(ckRetificacao, 0, 0, 2, 1);
    Campo(rt, 0, 1, "mdDataRetificacao", QStringLiteral("Data da retificação"), 1,
          new MaskEdit(nullptr, QStringLiteral("99/99/9999;0;_")));
    Campo(rt, 0, 2, "edCoCrea", QStringLiteral("CREA Retificado"));
    grEstabelecimentos->setEnabled(false);

    bbDisquete = criaBotao("bbDisquete", QStringLiteral("&Conteúdo do arquivo"), [this] { MostraSobre(Janela()->fmConsulta02); });
    bbRelatorio = criaBotao("bbRelatorio", QStringLiteral("&Relatório"), [this] { RelatorioClick(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Fechar(); });
    m_padrao = bbDisquete;
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {bbDisquete, bbRelatorio, bbFechar})
        botoes->addWidget(b);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(grResponsavel);
    corpo->addWidget(grEstabelecimentos);
    corpo->addStretch();
    corpo->addLayout(botoes);
    setTabOrder(bbDisquete, bbRelatorio);
    setTabOrder(bbRelatorio, bbFechar);
}

TfmConsulta01::~TfmConsulta01() = default;

void TfmConsulta01::aoMostrar()
{
    Table &t = *taResponsavel;
    if (!t.Active())
        t.Open();
    t.First();
    const bool vazia = t.Eof();
    Preenche(MostraResponsavel([&](const QString &campo) { return vazia ? QString() : t.FieldByName(campo).AsString(); }));
    bbDisquete->setFocus();
}

void TfmConsulta01::RelatorioClick()
{
    {
        OcultaEnquanto oculta(*Janela());
        ImprimeArquivoConsultado(Janela());
    }
    aoMostrar();
}

// --- establishment list --------------------------------------------------------------------------------

TfmConsulta02::TfmConsulta02()
    : TPaginaConsulta("fmConsulta02", QStringLiteral("Consulta Arquivo Vorn - Seleção de Estabelecimento"), QSize(850, 550)),
      taEmpresa(std::make_unique<Table>(QStringLiteral("te8emp")))
{
    paInfo = new QLabel(this);
    paInfo->setObjectName(QStringLiteral("paInfo"));
    paInfo->setAlignment(Qt::AlignCenter);
    paInfo->setFrameShape(QFrame::Panel);
    paInfo->setFrameShadow(QFrame::Raised);
    QFont f = paInfo->font();
    f.setBold(true);
    paInfo->setFont(f);
    grEmp = consulta::Grade(this, "grEmp", {{QStringLiteral("CNPJ/CEI"), 130}, {QStringLiteral("Prefixo"), 0},
                                            {QStringLiteral("Razão Social"), 350}, {QStringLiteral("CEI Vinculado"), 130},
                                            {QStringLiteral("Núm. Vínculos"), 102}});
    AbreComDuploClique(this, grEmp);
    bbConsultar = criaBotao("bbConsultar", QStringLiteral("&Consultar"), [this] { abreLinha(); });
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("&Voltar"), [this] { Voltar(); });
    bbFechar = criaBotao("bbFechar", QStringLiteral("&Fechar"), [this] { Fechar(); });
    m_padrao = bbConsultar;
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton *b : {bbConsultar, bbVoltar, bbFechar})
        botoes->addWidget(b);
    auto *corpo = new QVBoxLayout(this);
    corpo->addWidget(paInfo);
    corpo->addWidget(grEmp, 1);
    corpo->addLayout(botoes);
    setTabOrder(grEmp, bbConsultar);
    setTabOrder(bbConsultar, bbVoltar);
    setTabOrder(bbVoltar, bbFechar);
}

TfmConsulta02::~TfmConsulta02() = default;

void TfmConsulta02::aoMostrar()
{
    paInfo->setText(QStringLiteral("Declaração do Ano-Base ") + QString::number(Configuracao().AnoBase));
    // The file does not change while it is browsed: the rows are read once; coming back from the view the
    // list stands on the row the view paged to.
    if (!m_carregada) {
        m_carregada = true;
        Table &t = *taEmpresa;
        if (!t.Active())
            t.Open();
        const QStringList chave = t.definition().primaryIndex()->fields;
        for (t.First(); !t.Eof(); t.Next()) {
            auto *item = new QTreeWidgetItem(grEmp);
            int coluna = 0;
            for (const char *campo : {"CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "NoRazaoEstabelecimento",
                                      "CoCgcVinculado", "NuVinculosEstabelecimento"})
                item->setText(coluna++, t.FieldByName(QLatin1String(campo)).AsString());
            QStringList valores;
            for (const QString &c : chave)
                valores << t.FieldByName(c).AsString();
            item->setData(0, Qt::UserRole, valores);
        }
        if (grEmp->topLevelItemCount() > 0)
            grEmp->setCurrentItem(grEmp->topLevelItem(0));
    }
    grEmp->setFocus();
}

bool TfmConsulta02::abreLinha()
{
    if (!grEmp->currentItem())
        return false;
    MostraSobre(Janela()->fmConsulta03);
    return true;
}

QStringList TfmConsulta02::ChaveAtual() const
{
    return grEmp->currentItem() ? grEmp->currentItem()->data(0, Qt::UserRole).toStringList() : QStringList();
}

} // namespace gdvorn
