#include "entry/ufmDadosEmpreg.h"

#include "app/QtModal.h"
#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/base/Query.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmSeletores.h"
#include "entry/ugDadosEmpreg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QProxyStyle>
#include <QScreen>
#include <QTabBar>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

QString AnoBaseVinculo;
QString InscricaoVinculo;
QString PrefixoVinculo;
QString TipoInscricaoVinculo;
QString RazaoSocialVinculo;
QString CeiVinculado;
bool EncerradoAnoSeguinte = false;
QString PisVinculo;
QString AdmissaoVinculo;
QString NomeEmpregadoVinculo;
QString DesligamentoVinculo;
QString CboVinculo;
QString NascimentoVinculo;
QString AlvaraAtual;
QString TipoVinculoAtual;

namespace {

const char *const kMeses[12] = {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho",
                                "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};
const char *const kRotulosMes[12] = {"Janeiro", "Fevereiro", "Março", "Abril", "Maio", "Junho",
                                     "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};

const QString kOk = QStringLiteral("0000");

// Tells how the sex box's choice was made: with the keys or the wheel on the closed box (the focus stays,
// only Enter or Tab leave), or in its open list, by mouse or keys there (the form moves on).
class EscolhaDoSexo : public QObject {
public:
    explicit EscolhaDoSexo(QComboBox *caixa) : QObject(caixa), m_caixa(caixa)
    {
        caixa->installEventFilter(this);
        caixa->view()->installEventFilter(this);
        caixa->view()->viewport()->installEventFilter(this);
    }
    bool naLista() const { return !m_porTecla; }

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override
    {
        const bool naCaixa = objeto == m_caixa;
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::Wheel:
            m_porTecla = naCaixa;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            m_porTecla = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    QComboBox *m_caixa;
    bool m_porTecla = false;
};


bool todosZeros(const QString &s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && t.count(QLatin1Char('0')) == t.size();
}

// A row of a page: a caption and the controls beside it.
void linha(QGridLayout *grade, const QString &legenda, std::initializer_list<QWidget *> controles)
{
    const int r = grade->rowCount();
    grade->addWidget(new QLabel(legenda), r, 0);
    auto *h = new QHBoxLayout;
    for (QWidget *w : controles)
        h->addWidget(w);
    h->addStretch();
    grade->addLayout(h, r, 1);
}

} // namespace

TfmDadosEmpreg::TfmDadosEmpreg(QWidget *parent) : EntryForm(parent)
{
    setObjectName(QStringLiteral("fmDadosEmpreg"));
    criaControles();
    ligaSaidas();
    ligaSeletores();
    TrocaAbaPermitida = true;
    // Room for the seven tab captions on a 1024 x 768 screen.
    const QSize tela = screen()->availableGeometry().size();
    resize(std::min(1000, tela.width()), std::min(550, tela.height()));
}

TfmDadosEmpreg::~TfmDadosEmpreg() = default;

Table &TfmDadosEmpreg::vinculo() { return dmEntradaDados->ta8Empreg; }
Table &TfmDadosEmpreg::empresa() { return dmEntradaDados->ta8Empresa; }
ChaveEstabelecimento TfmDadosEmpreg::chaveEstab() { return {AnoBaseVinculo, InscricaoVinculo, PrefixoVinculo}; }

// ---- layout ----

namespace {

// The tabs' style with room for the second line's descenders.
class AbasDeDuasLinhas : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metrica, const QStyleOption *opcao, const QWidget *widget) const override
    {
        const int valor = QProxyStyle::pixelMetric(metrica, opcao, widget);
        return metrica == PM_TabBarTabVSpace ? valor + 6 : valor;
    }
};

} // namespace

void TfmDadosEmpreg::criaControles()
{
    m_binder.setTabela(&vinculo());
    // The buttons in a row above the tabs, so that the seven tabs have the whole width for their captions.
    auto *raiz = new QVBoxLayout(this);
    auto *painel = new QHBoxLayout;
    auto botao = [this, painel](const char *nome, const QString &legenda) {
        auto *b = new QPushButton(legenda, this);
        b->setObjectName(QLatin1String(nome));
        b->setAutoDefault(false);
        painel->addWidget(b);
        return b;
    };
    BtOk = botao("BtOk", QStringLiteral("&Ok"));
    BtExcluir = botao("BtExcluir", QStringLiteral("&Excluir"));
    BtCancelar = botao("BtCancelar", QStringLiteral("&Cancelar"));
    BtAjuda = botao("BtAjuda", QStringLiteral("&Ajuda"));
    BtAjuda->setToolTip(QStringLiteral("Selecione o campo e clique aqui para obter o Ajuda"));
    painel->addStretch();
    raiz->addLayout(painel);
    pcEmpregados = new EntryTabWidget(this);
    pcEmpregados->setObjectName(QStringLiteral("pcEmpregados"));
    auto *estiloAbas = new AbasDeDuasLinhas;
    estiloAbas->setParent(this);
    pcEmpregados->tabBar()->setStyle(estiloAbas);
    raiz->addWidget(pcEmpregados, 1);

    auto pagina = [this](const char *nome, const QString &legenda, QGridLayout *&grade) {
        auto *p = new QWidget;
        p->setObjectName(QLatin1String(nome));
        grade = new QGridLayout(p);
        // Seven captions side by side need more than a 1024-pixel screen: a long one takes two lines.
        QString duasLinhas = legenda;
        if (legenda.size() > 12) {
            const int meio = int(legenda.size()) / 2;
            const int antes = int(legenda.lastIndexOf(QLatin1Char(' '), meio)), depois = int(legenda.indexOf(QLatin1Char(' '), meio));
            const int quebra = antes < 0 ? depois : depois < 0 ? antes : (meio - antes <= depois - meio ? antes : depois);
            if (quebra > 0)
                duasLinhas[quebra] = QLatin1Char('\n');
        }
        pcEmpregados->addTab(p, duasLinhas);
        pcEmpregados->setTabToolTip(pcEmpregados->indexOf(p), legenda);
        return p;
    };
    auto de = [this](const char *nome, const QString &nomeCampo, int ajuda, bool maiusculas = false) {
        auto *e = new MaskEdit(this);
        e->setObjectName(QLatin1String(nome));
        if (dmEntradaDados)
            e->setMaxLength(vinculo().FieldByName(nomeCampo).Size());
        if (maiusculas)
            connect(e, &QLineEdit::textEdited, e, [e](const QString &t) {
                const int pos = e->cursorPosition();
                e->setText(t.toUpper());
                e->setCursorPosition(pos);
            });
        m_binder.liga(e, nomeCampo);
        setContextoAjuda(e, ajuda);
        return e;
    };
    auto texto = [this](const char *nome, int ajuda = 0) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setMinimumWidth(240);
        // A long description shows its start, and the whole text as its tool tip (queued: setText puts the
        // cursor at the end after it has told the change).
        connect(
            e, &QLineEdit::textChanged, e,
            [e](const QString &t) {
                e->setCursorPosition(0);
                e->setToolTip(t);
            },
            Qt::QueuedConnection);
        if (ajuda)
            setContextoAjuda(e, ajuda);
        return e;
    };
    auto seta = [this](const char *nome) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(nome));
        b->setText(QStringLiteral("..."));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto dinheiro = [this](const char *nome, int largura, int ajuda) {
        auto *e = new MoneyEdit(this, largura, ZeroMostrado::Alinhado, false, 10);
        e->setObjectName(QLatin1String(nome));
        e->setMinimumWidth(110);
        setContextoAjuda(e, ajuda);
        return e;
    };
    auto radio = [this](const char *nome, const QString &titulo, const QString &sim, const QString &campo,
                        int ajuda) {
        auto *g = new RadioGroup(titulo, this);
        g->setObjectName(QLatin1String(nome));
        g->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed); // its natural size, not the row's
        g->adiciona(QLatin1String(nome) + QStringLiteral("Sim"), sim, QStringLiteral("1"));
        g->adiciona(QLatin1String(nome) + QStringLiteral("Nao"), QStringLiteral("Não"), QStringLiteral("2"));
        m_binder.liga(g, campo);
        setContextoAjuda(g, ajuda);
        return g;
    };
    auto armadilha = [this](const char *nome) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setFixedSize(1, 1);
        naoRegistraComoAtual(e);
        return e;
    };

    QGridLayout *g = nullptr;
    tDadosPessoais = pagina("tDadosPessoais", QStringLiteral("Dados Pessoais do Empregado/Servidor"), g);
    dePisPasep = de("dePisPasep", QStringLiteral("CoPisPasepEmpregado"), 63);
    deNomeEmpregado = de("deNomeEmpregado", QStringLiteral("NoEmpregado"), 64, true);
    deNomeEmpregado->setMinimumWidth(380);
    deNascimento = de("deNascimento", QStringLiteral("DaNascimentoEmpregado"), 65);
    deRaca = de("deRaca", QStringLiteral("CoTipoRaca"), 66);
    sbRaca = seta("sbRaca");
    edTxRaca = texto("edTxRaca");
    dgDeficiencia = radio("dgDeficiencia", QStringLiteral("Deficiente"), QStringLiteral("Sim "),
                          QStringLiteral("InDeficienteFisico"), 176);
    deDeficiente = de("deDeficiente", QStringLiteral("CoDeficienteFisico"), 194);
    sbDeficiente = seta("sbDeficiente");
    edTxDeficiente = texto("edTxDeficiente");
    cbSexo = new QComboBox(this);
    cbSexo->setObjectName(QStringLiteral("cbSexo"));
    cbSexo->addItems({QStringLiteral("1-Masculino"), QStringLiteral("2-Feminino")});
    setContextoAjuda(cbSexo, 68);
    connect(cbSexo, &QComboBox::activated, this, [this](int i) {
        if (vinculo().State() == DataSetState::Edit || vinculo().State() == DataSetState::Insert)
            vinculo().FieldByName(QStringLiteral("InSexo")).setAsString(QString::number(i + 1));
    });
    deNacionalidade = de("deNacionalidade", QStringLiteral("CoNacionalidade"), 69);
    sbNacionalidade = seta("sbNacionalidade");
    edTxNacionalidade = texto("edTxNacionalidade");
    deAnoChegada = de("deAnoChegada", QStringLiteral("AnChegadaEmpregado"), 70);
    // Closed, and passed by the focus, until a foreign nationality opens it.
    Trava(deAnoChegada, true, CorTrava::Menu);
    deAnoChegada->setFocusPolicy(Qt::NoFocus);
    deInstrucao = de("deInstrucao", QStringLiteral("CoInstrucao"), 71);
    sbInstrucao = seta("sbInstrucao");
    edTxInstrucao = texto("edTxInstrucao");
    deCarteiraTrab = de("deCarteiraTrab", QStringLiteral("NuCartTrabEmpregado"), 72);
    deCarteiraTrabSerie = de("deCarteiraTrabSerie", QStringLiteral("SeCartTrabEmpregado"), 72, true);
    deCPF = de("deCPF", QStringLiteral("CoCpfEmpregado"), 73);
    deUsoEmpregado = de("deUsoEmpregado", QStringLiteral("TxUsoEmpregado"), 74, true);
    linha(g, QStringLiteral("PIS/PASEP"), {dePisPasep});
    linha(g, QStringLiteral("Nome"), {deNomeEmpregado});
    linha(g, QStringLiteral("Data de Nascimento"), {deNascimento});
    linha(g, QStringLiteral("Raça/Cor"), {deRaca, sbRaca, edTxRaca});
    linha(g, QString(), {dgDeficiencia});
    linha(g, QStringLiteral("Tipo de Deficiência"), {deDeficiente, sbDeficiente, edTxDeficiente});
    linha(g, QStringLiteral("Sexo"), {cbSexo});
    linha(g, QStringLiteral("Nacionalidade"), {deNacionalidade, sbNacionalidade, edTxNacionalidade});
    linha(g, QStringLiteral("Ano de Chegada"), {deAnoChegada});
    linha(g, QStringLiteral("Grau de Instrução"), {deInstrucao, sbInstrucao, edTxInstrucao});
    linha(g, QStringLiteral("CTPS - Número / Série"), {deCarteiraTrab, deCarteiraTrabSerie});
    linha(g, QStringLiteral("CPF"), {deCPF});
    linha(g, QStringLiteral("Uso da Empresa"), {deUsoEmpregado});

    tAdmissao = pagina("tAdmissao", QStringLiteral("Informações Admissão"), g);
    deAdmissao = de("deAdmissao", QStringLiteral("DaAdmissaoEmpregado"), 75);
    deTipoAdmissao = de("deTipoAdmissao", QStringLiteral("CoTipoAdmissao"), 76);
    sbAdmissao = seta("sbAdmissao");
    edTxAdmissao = texto("edTxAdmissao");
    edSalario = dinheiro("edSalario", 9, 124);
    deHoras = de("deHoras", QStringLiteral("HoSemanaisEmpregado"), 78);
    deTipoSalContratual = de("deTipoSalContratual", QStringLiteral("CoTipoSalarioContratual"), 79);
    sbSalarioContratual = seta("sbSalarioContratual");
    edTxSalContratual = texto("edTxSalContratual");
    deCBO = de("deCBO", QStringLiteral("CoCbo"), 80);
    sbCBO = seta("sbCBO");
    edTxCBO = texto("edTxCBO");
    tabInnerAd = armadilha("tabInnerAd");
    linha(g, QStringLiteral("Data de Admissão"), {deAdmissao});
    linha(g, QStringLiteral("Tipo de Admissão"), {deTipoAdmissao, sbAdmissao, edTxAdmissao});
    linha(g, QStringLiteral("Salário Contratual"), {edSalario});
    linha(g, QStringLiteral("Horas Semanais"), {deHoras});
    linha(g, QStringLiteral("Tipo de Salário"), {deTipoSalContratual, sbSalarioContratual, edTxSalContratual});
    linha(g, QStringLiteral("CBO"), {deCBO, sbCBO, edTxCBO, tabInnerAd});

    tVinculo = pagina("tVinculo", QStringLiteral("Vínculo Empregatício"), g);
    deVinculo = de("deVinculo", QStringLiteral("CoVinculo"), 81);
    sbVinculo = seta("sbVinculo");
    edTxVinculo = texto("edTxVinculo");
    dgAlvara = radio("dgAlvara", QStringLiteral("Alvará"), QStringLiteral("Sim"), QStringLiteral("InAlvaraEmpregado"),
                     82);
    deCodDeslig = de("deCodDeslig", QStringLiteral("CoCausaDesligamento"), 90);
    sbDesligamento = seta("sbDesligamento");
    edTxDesligamento = texto("edTxDesligamento");
    deDataDeslig = de("deDataDeslig", QStringLiteral("DaDesligamentoEmpregado"), 89);
    deAnoDeslig = texto("deAnoDeslig", 89);
    deAnoDeslig->setMinimumWidth(50);
    edAvisoPrevio = dinheiro("edAvisoPrevio", 9, 94);
    deMunicipioTrabalho = de("deMunicipioTrabalho", QStringLiteral("CoMunicipioTrabalho"), 166);
    bbCodMunicipio = seta("bbCodMunicipio");
    deNomeMunicipioTrabalho = texto("deNomeMunicipioTrabalho");
    deSiglaUFTrabalho = texto("deSiglaUFTrabalho");
    deSiglaUFTrabalho->setMinimumWidth(40);
    tabInnerVinc = armadilha("tabInnerVinc");
    linha(g, QStringLiteral("Tipo de Vínculo"), {deVinculo, sbVinculo, edTxVinculo});
    linha(g, QString(), {dgAlvara});
    linha(g, QStringLiteral("Causa do Desligamento"), {deCodDeslig, sbDesligamento, edTxDesligamento});
    linha(g, QStringLiteral("Data do Desligamento"), {deDataDeslig, deAnoDeslig});
    linha(g, QStringLiteral("Aviso Prévio Indenizado"), {edAvisoPrevio});
    linha(g, QStringLiteral("Município Local de Trabalho"),
          {deMunicipioTrabalho, bbCodMunicipio, deNomeMunicipioTrabalho, deSiglaUFTrabalho, tabInnerVinc});

    tAfastamento = pagina("tAfastamento", QStringLiteral("Afastamento"), g);
    auto afastamento = [&](const char *cod, const char *campoCod, const char *bt, const char *tx, const char *ini,
                           const char *campoIni, const char *fim, const char *campoFim, MaskEdit *&c,
                           QToolButton *&b, QLineEdit *&t, MaskEdit *&i, MaskEdit *&f, const QString &legenda) {
        c = de(cod, QLatin1String(campoCod), 85);
        b = seta(bt);
        t = texto(tx);
        i = de(ini, QLatin1String(campoIni), 86);
        f = de(fim, QLatin1String(campoFim), 86);
        linha(g, legenda, {c, b, t, new QLabel(QStringLiteral("Início")), i, new QLabel(QStringLiteral("Fim")), f});
    };
    afastamento("dePrimCod", "CoMotivoPrimAfas", "sbPrimAfastamento", "edTxPrimAfast", "dePrimInicio",
                "DaInicioprimeiroAfas", "dePrimFinal", "DaFinalPrimeiroAfas", dePrimCod, sbPrimAfastamento,
                edTxPrimAfast, dePrimInicio, dePrimFinal, QStringLiteral("1º Afastamento"));
    afastamento("deSegCod", "CoMotivoSeguAfas", "sbSegAfastamento", "edTxSegAfas", "deSegInicio",
                "DaInicioSegundoAfas", "deSegFinal", "DaFinalSegundoAfas", deSegCod, sbSegAfastamento, edTxSegAfas,
                deSegInicio, deSegFinal, QStringLiteral("2º Afastamento"));
    afastamento("deTerCod", "CoMotivoTercAfas", "sbTerAfastamento", "EdTxTerAfas", "deTerInicio",
                "DaInicioTerceiroAfas", "deTerFinal", "DaFinalTerceiroAfas", deTerCod, sbTerAfastamento, EdTxTerAfas,
                deTerInicio, deTerFinal, QStringLiteral("3º Afastamento"));
    deAfastQtDias = de("deAfastQtDias", QStringLiteral("QtDiasAfas"), 87);
    linha(g, QStringLiteral("Quantidade de Dias"), {deAfastQtDias});

    tSindicais = pagina("tSindicais", QStringLiteral("Informações Sindicais"), g);
    auto contribuicao = [&](const char *cnpj, const char *campoCnpj, const char *valor, MaskEdit *&c, MoneyEdit *&v,
                            QWidget *legenda) {
        c = de(cnpj, QLatin1String(campoCnpj), 167);
        v = dinheiro(valor, 8, 167);
        const int r = g->rowCount();
        g->addWidget(legenda, r, 0);
        auto *h = new QHBoxLayout;
        h->addWidget(new QLabel(QStringLiteral("CNPJ")));
        h->addWidget(c);
        h->addWidget(new QLabel(QStringLiteral("Valor")));
        h->addWidget(v);
        h->addStretch();
        g->addLayout(h, r, 1);
    };
    contribuicao("deCNPJSindical", "CoCNPJSindical", "deValorSindical", deCNPJSindical, deValorSindical,
                 new QLabel(QStringLiteral("Contribuição Sindical")));
    lbAssociativa = new QLabel(QString(13, QLatin1Char(' ')) + QStringLiteral("Contribuição Associativa\r\n") +
                               QStringLiteral("(Mensalidade Sindical do Filiado)"));
    lbAssociativa->setObjectName(QStringLiteral("lbAssociativa"));
    contribuicao("deCNPJPrimeiroAssociativa", "CoCNPJPrimAssociativa", "devalorPrimeiroAssociativa",
                 deCNPJPrimeiroAssociativa, devalorPrimeiroAssociativa, lbAssociativa);
    contribuicao("deCNPJSegundoAssociativa", "CoCNPJSegAssociativa", "deValorSegundoAssociativa",
                 deCNPJSegundoAssociativa, deValorSegundoAssociativa, new QLabel);
    contribuicao("deCNPJAssistencial", "CoCNPJAssistencial", "deValorAssistencial", deCNPJAssistencial,
                 deValorAssistencial, new QLabel(QStringLiteral("Contribuição Assistencial")));
    contribuicao("deCNPJConfederativa", "CoCNPJConfederativa", "deValorConfederativa", deCNPJConfederativa,
                 deValorConfederativa, new QLabel(QStringLiteral("Contribuição Confederativa")));
    dbrSindicalizado = radio("dbrSindicalizado", QStringLiteral("Sindicalizado"), QStringLiteral("Sim"),
                             QStringLiteral("InSindicalizadoVinculo"), 199);
    linha(g, QString(), {dbrSindicalizado});

    tRemuneracoes = pagina("tRemuneracoes", QStringLiteral("Remunerações Mensais"), g);
    // Headers over the two columns of each half: the amount and the overtime hours of the month.
    for (int c : {0, 3}) {
        auto *valor = new QLabel(QStringLiteral("Remuneração"));
        valor->setObjectName(QStringLiteral("lbRemuneracao%1").arg(c / 3 + 1));
        auto *horas = new QLabel(QStringLiteral("Horas Extras"));
        horas->setObjectName(QStringLiteral("lbHorasExtras%1").arg(c / 3 + 1));
        g->addWidget(valor, 0, c + 1);
        g->addWidget(horas, 0, c + 2);
    }
    for (int m = 0; m < 12; ++m) {
        edMes[m] = dinheiro(QStringLiteral("ed%1").arg(QLatin1String(kMeses[m])).toLatin1().constData(), 9, 91);
        deHorasMes[m] = de(QStringLiteral("deHoras%1").arg(QLatin1String(kMeses[m])).toLatin1().constData(),
                           QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(kMeses[m])), 178);
        const int r = m % 6 + 1, c = (m / 6) * 3;
        g->addWidget(new QLabel(QString::fromUtf8(kRotulosMes[m])), r, c);
        g->addWidget(edMes[m], r, c + 1);
        g->addWidget(deHorasMes[m], r, c + 2);
    }
    deMesAdiantamento = de("deMesAdiantamento", QStringLiteral("Me13AdiantamentoEmpregado"), 95);
    sbMesAdiantamento = seta("sbMesAdiantamento");
    edTxAdiantamento = texto("edTxAdiantamento");
    edAdiantamento = dinheiro("edAdiantamento", 9, 95);
    deMesParcelaFinal = de("deMesParcelaFinal", QStringLiteral("Me13ParcelaFinalEmpregado"), 96);
    sbMesParcelaFinal = seta("sbMesParcelaFinal");
    edTxParcelaFinal = texto("edTxParcelaFinal");
    edParcelaFinal = dinheiro("edParcelaFinal", 9, 96);
    naoRegistraComoAtual(edParcelaFinal);
    {
        auto *h = new QHBoxLayout;
        for (QWidget *w : std::initializer_list<QWidget *>{new QLabel(QStringLiteral("13º Adiantamento")),
                                                            deMesAdiantamento, sbMesAdiantamento, edTxAdiantamento,
                                                            edAdiantamento})
            h->addWidget(w);
        g->addLayout(h, 7, 0, 1, 6);
        auto *h2 = new QHBoxLayout;
        for (QWidget *w : std::initializer_list<QWidget *>{new QLabel(QStringLiteral("13º Parcela Final")),
                                                            deMesParcelaFinal, sbMesParcelaFinal, edTxParcelaFinal,
                                                            edParcelaFinal})
            h2->addWidget(w);
        g->addLayout(h2, 8, 0, 1, 6);
    }

    tVerbas = pagina("tVerbas", QStringLiteral("Verbas Pagas na Rescisão"), g);
    deValorGlobalFerias = dinheiro("deValorGlobalFerias", 8, 168);
    deValorGlobalMultas = dinheiro("deValorGlobalMultas", 8, 168);
    deValorGlobalBcoHoras = dinheiro("deValorGlobalBcoHoras", 8, 168);
    deCompetenciaHoras = de("deCompetenciaHoras", QStringLiteral("QtCompBcoHoras"), 168);
    deValorGlobalDissidio = dinheiro("deValorGlobalDissidio", 8, 168);
    deCompetenciaDissidio = de("deCompetenciaDissidio", QStringLiteral("QtCompDissidio"), 168);
    deValorGlobalGratificacoes = dinheiro("deValorGlobalGratificacoes", 8, 168);
    deCompetenciaGratificacoes = de("deCompetenciaGratificacoes", QStringLiteral("QtCompGratificacoes"), 168);
    linha(g, QStringLiteral("Férias Indenizadas"), {deValorGlobalFerias});
    linha(g, QStringLiteral("Multa Rescisória FGTS"), {deValorGlobalMultas});
    linha(g, QStringLiteral("Banco de Horas / Meses"), {deValorGlobalBcoHoras, deCompetenciaHoras});
    linha(g, QStringLiteral("Dissídio Coletivo / Meses"), {deValorGlobalDissidio, deCompetenciaDissidio});
    linha(g, QStringLiteral("Gratificações / Meses"), {deValorGlobalGratificacoes, deCompetenciaGratificacoes});

    setBotaoCancelar(BtCancelar);
    setBotaoAjuda(BtAjuda);
    setBotoesSaida({BtExcluir});
    protegeAbas(pcEmpregados);
    connect(BtCancelar, &QPushButton::clicked, this, Protegido([this] { BtCancelarClick(); }));
    connect(BtOk, &QPushButton::clicked, this, Protegido([this] { BtOkClick(); }));
    connect(BtExcluir, &QPushButton::clicked, this, Protegido([this] { BtExcluirClick(); }));
    // Choosing a sex in the box's list moves on to the nationality; the arrow keys on the box only change it.
    auto *escolha = new EscolhaDoSexo(cbSexo);
    connect(cbSexo, &QComboBox::activated, this, [this, escolha] {
        if (escolha->naLista())
            deNacionalidade->setFocus(Qt::OtherFocusReason);
    });
    for (RadioGroup *g : {dgDeficiencia, dgAlvara, dbrSindicalizado})
        for (QRadioButton *b : g->botoes())
            setContextoAjuda(b, g == dgDeficiencia ? 176 : g == dgAlvara ? 82 : 199);
    for (QRadioButton *b : dgDeficiencia->botoes())
        b->setToolTip(QStringLiteral("Informe se o empregado é portador de deficiência habilitado"));
    // The dismissal year is only passed through: Tab from the date goes on to the notice pay (when it may
    // be typed) or the work place; Shift+Tab goes back to the date.
    deAnoDeslig->setFocusPolicy(Qt::StrongFocus);
    deAnoDeslig->installEventFilter(this);
    aoEntrar(deAnoDeslig, [this] {
        if (m_anoPorTras)
            deDataDeslig->setFocus(Qt::BacktabFocusReason);
        else if (!edAvisoPrevio->isReadOnly())
            edAvisoPrevio->setFocus(Qt::TabFocusReason);
        else
            deMunicipioTrabalho->setFocus(Qt::TabFocusReason);
    });
    aoEntrar(deDataDeslig, [this] {
        const QString causa = deCodDeslig->text().trimmed();
        if (!causa.isEmpty() && causa != QLatin1String("78") && causa != QLatin1String("80"))
            MostraAnoDesligamento();
        else
            deAnoDeslig->clear();
    });
    aoEntrar(deDeficiente, [this] {
        const QString tipo = campo(QStringLiteral("CoDeficienteFisico"));
        if (!tipo.isEmpty() && tipo.count(QLatin1Char('0')) == tipo.size())
            gravaCampo(QStringLiteral("CoDeficienteFisico"), QString());
    });

    // Enter handlers that do more than record the control: the PIS as opened, the two tab traps (tabbing
    // out of the last field of the admission and link tabs carries on into the next tab).
    aoEntrar(dePisPasep, [this] { PisAbertura = dePisPasep->text().trimmed(); });
    // The traps act only when tabbed into: a tab brought forward by a check may hand them the focus too.
    tabInnerAd->installEventFilter(this);
    tabInnerVinc->installEventFilter(this);
    aoEntrar(tabInnerAd, [this] {
        if (!m_armadilhaPorTab)
            return;
        pcEmpregados->setCurrentWidget(tVinculo);
        deVinculo->setFocus(Qt::TabFocusReason);
    });
    aoEntrar(tabInnerVinc, [this] {
        if (!m_armadilhaPorTab)
            return;
        pcEmpregados->setCurrentWidget(tAfastamento);
        dePrimCod->setFocus(Qt::TabFocusReason);
    });
}

QString TfmDadosEmpreg::rotuloMes(int mes) const { return QStringLiteral("%1").arg(mes, 2, 10, QLatin1Char('0')); }

// ---- row access ----

QString TfmDadosEmpreg::campo(const QString &nome) const { return vinculo().FieldByName(nome).AsString().trimmed(); }

void TfmDadosEmpreg::gravaCampo(const QString &nome, const QString &valor)
{
    vinculo().FieldByName(nome).setAsString(valor);
    for (QWidget *w : findChildren<QWidget *>())
        if (m_binder.campo(w) == nome)
            m_binder.carrega(w);
}

void TfmDadosEmpreg::erro(const QString &codigo, QWidget *foco)
{
    if (codigo != kOk)
        falha(codigo, foco);
}

void TfmDadosEmpreg::aviso(const QString &codigo, QWidget *aba)
{
    if (codigo == kOk)
        return;
    if (aba)
        mostraAba(aba);
    MostraMensagem(codigo);
}

void TfmDadosEmpreg::descricao(const QString &tabela, const QString &chave, const QString &campoNome,
                               QLineEdit *destino, const QString &campoTxt, int corte)
{
    if (chave.isEmpty())
        return;
    static const QHash<QString, QString> chaves{
        {QStringLiteral("tb8nacio"), QStringLiteral("CoNacionalidade")},
        {QStringLiteral("tb8raca"), QStringLiteral("CoRaca")},
        {QStringLiteral("tb8instr"), QStringLiteral("CoInstrucao")},
        {QStringLiteral("tb8tpadm"), QStringLiteral("CoTipoAdmissao")},
        {QStringLiteral("tb8tpsal"), QStringLiteral("CoTipoSalarioContratual")},
        {QStringLiteral("tb8cbo"), QStringLiteral("CoCbo")},
        {QStringLiteral("tb8vinc"), QStringLiteral("CoVinculo")},
        {QStringLiteral("tb8desl"), QStringLiteral("CoCausaDesligamento")},
        {QStringLiteral("tb8afast"), QStringLiteral("CoAfastamento")},
        {QStringLiteral("tb8munic"), QStringLiteral("CoMunicipio")},
        {QStringLiteral("tbuf"), QStringLiteral("CoUf")},
        {QStringLiteral("tbdefi"), QStringLiteral("CoTipoDeficiencia")}};
    Query q;
    q.setSql(QStringLiteral("select %1 from %2 where %3 = :chave").arg(campoNome, tabela, chaves.value(tabela)));
    q.ParamByName(QStringLiteral("chave")).setAsStored(tabela, chaves.value(tabela), chave);
    q.Open();
    if (q.IsEmpty())
        return;
    const QString nome = q.Fields(0).AsString();
    destino->setText(nome);
    if (!campoTxt.isEmpty() && vinculo().State() != DataSetState::Browse)
        vinculo().FieldByName(campoTxt).setAsString(corte > 0 ? nome.left(corte) : nome);
}

// ---- gates ----

namespace {
using Pares = QList<QPair<QString, QString>>;
QPair<QString, QString> P(const char *a, const char *b) { return {QLatin1String(a), QLatin1String(b)}; }
} // namespace

bool TfmDadosEmpreg::AvancouDadosPessoais(const QString &deixado) const
{
    static const Pares pares{P("deNomeEmpregado", "dePisPasep"),     P("deNascimento", "deNomeEmpregado"),
                             P("deRaca", "deNascimento"),            P("dgDeficiencia", "deRaca"),
                             P("deDeficiente", "deRaca"),            P("cbSexo", "deDeficiente"),
                             P("deNacionalidade", "cbSexo"),         P("deInstrucao", "deNacionalidade"),
                             P("deCarteiraTrab", "deInstrucao"),     P("deCarteiraTrabSerie", "deCarteiraTrab"),
                             P("deCPF", "deCarteiraTrabSerie"),      P("deUsoEmpregado", "deCPF")};
    return Avancou(QStringLiteral("dePisPasep"), pares, deixado);
}

bool TfmDadosEmpreg::AvancouAdmissao(const QString &deixado) const
{
    static const Pares pares{P("deTipoAdmissao", "deAdmissao"), P("edSalario", "deTipoAdmissao"),
                             P("deHoras", "edSalario"), P("deTipoSalContratual", "deHoras"),
                             P("deCBO", "deTipoSalContratual")};
    return Avancou(QStringLiteral("deAdmissao"), pares, deixado);
}

bool TfmDadosEmpreg::AvancouVinculo(const QString &deixado) const
{
    static const Pares pares{P("dgAlvara", "deVinculo"), P("deCodDeslig", "dgAlvara"),
                             P("deDataDeslig", "deCodDeslig"), P("deAnoDeslig", "deDataDeslig"),
                             P("edAvisoPrevio", "deDataDeslig"),
                             P("deMunicipioTrabalho", "edAvisoPrevio")};
    return Avancou(QStringLiteral("deVinculo"), pares, deixado);
}

bool TfmDadosEmpreg::AvancouAfastamento(const QString &deixado) const
{
    static const Pares pares{P("dePrimInicio", "dePrimCod"), P("dePrimFinal", "dePrimInicio"),
                             P("deSegCod", "dePrimFinal"),   P("deSegInicio", "deSegCod"),
                             P("deSegFinal", "deSegInicio"), P("deTerCod", "deSegFinal"),
                             P("deTerInicio", "deTerCod"),   P("deTerFinal", "deTerInicio"),
                             P("deAfastQtDias", "deTerFinal")};
    return Avancou(QStringLiteral("dePrimCod"), pares, deixado);
}

// ---- exit handlers ----

void TfmDadosEmpreg::saida(QWidget *campo, std::function<bool()> portao, std::function<void()> validador,
                           std::function<void()> vazio)
{
    auto acao = [campo, validador = std::move(validador), vazio = std::move(vazio)] {
        QString texto;
        if (auto *e = qobject_cast<QLineEdit *>(campo))
            texto = e->text().trimmed();
        else if (auto *c = qobject_cast<QComboBox *>(campo))
            texto = c->currentText();
        else
            texto = QStringLiteral("x");
        if (!texto.isEmpty() && validador)
            validador();
        else if (texto.isEmpty() && vazio)
            vazio();
    };
    sempre(campo, std::move(portao), acao);
}

void TfmDadosEmpreg::sempre(QWidget *campo, std::function<bool()> portao, std::function<void()> acao)
{
    m_saidas.insert(campo, Saida{portao, acao});
    aoSair(campo, std::move(acao), false, std::move(portao));
}

void TfmDadosEmpreg::executaSaida(QWidget *campo)
{
    // After a pick: the value was given to this very field, so its handler runs (and fills the description
    // beside the code) wherever the focus stood before the picker, unless it stands on an exit button.
    const Saida s = m_saidas.value(campo);
    if (s.acao && PodeValidar())
        s.acao();
}

void TfmDadosEmpreg::ligaSaidas()
{
    auto pessoal = [this](QWidget *w) {
        return [this, w] { return PodeValidar() && AvancouDadosPessoais(w->objectName()); };
    };
    auto admissao = [this](QWidget *w) {
        return [this, w] { return PodeValidar() && AvancouAdmissao(w->objectName()); };
    };
    auto vinc = [this](QWidget *w) { return [this, w] { return PodeValidar() && AvancouVinculo(w->objectName()); }; };
    auto afast = [this](QWidget *w) {
        return [this, w] { return PodeValidar() && AvancouAfastamento(w->objectName()); };
    };
    auto pode = [this] { return PodeValidar(); };
    auto pagamento = [this] { return PodeValidar() && SaiuParaAbas(); };
    auto limpa = [](QLineEdit *e) { return [e] { e->clear(); }; };
    // A money edit left empty shows zero before its gates are asked.
    auto zeroAntes = [](MoneyEdit *e, std::function<bool()> portao) {
        return [e, portao = std::move(portao)] {
            if (e->text().trimmed().isEmpty())
                e->setText(QStringLiteral("0,00"));
            return portao();
        };
    };
    auto informado = [](QLineEdit *e) {
        const QString t = e->text().trimmed();
        return !t.isEmpty() && t != QLatin1String("0,00");
    };

    // Personal data. The PIS of a stored link cannot change (no gate: also when left for Cancelar); a new
    // link's PIS is checked and looked up among the other links of the year.
    aoSair(dePisPasep, [this] { saidaPis(); }, false,
           [this] { return ModoEdicao != QLatin1String("I") || PodeValidar(); });
    saida(deNomeEmpregado, pessoal(deNomeEmpregado), [this] { ValidaNomeEmpregado(); });
    saida(deNascimento, pessoal(deNascimento), [this] { ValidaNascimento(true); });
    saida(deRaca, pessoal(deRaca), [this] {
        ValidaRaca();
        entraGrupo(dgDeficiencia);
    }, [this] {
        edTxRaca->clear();
        entraGrupo(dgDeficiencia);
    });
    sempre(dgDeficiencia, pode, [this] { passosDeficiencia(); });
    sempre(deDeficiente, pessoal(deDeficiente), [this] { ValidaTipoDeficiencia(); });
    sempre(cbSexo, pessoal(cbSexo), [this] {
        const QString texto = cbSexo->currentText();
        gravaCampo(QStringLiteral("InSexo"), texto.left(1));
        if (!texto.isEmpty())
            ValidaSexo(true);
    });
    saida(deNacionalidade, pessoal(deNacionalidade), [this] { ValidaNacionalidade(true); }, limpa(edTxNacionalidade));
    saida(deAnoChegada, pode, [this] { ValidaAnoChegada(); });
    saida(deInstrucao, pessoal(deInstrucao), [this] { passosInstrucao(); }, limpa(edTxInstrucao));
    sempre(deCarteiraTrab, pessoal(deCarteiraTrab), [this] { ValidaCarteiraTrabalho(); });
    sempre(deCarteiraTrabSerie, pessoal(deCarteiraTrabSerie), [this] { ValidaSerieCarteira(); });
    saida(deCPF, pessoal(deCPF), [this] { ValidaCpf(); });
    sempre(deUsoEmpregado, pessoal(deUsoEmpregado), [this] {
        if (!campo(QStringLiteral("TxUsoEmpregado")).isEmpty())
            ValidaUsoEmpresa();
        pcEmpregados->setCurrentWidget(tAdmissao);
        deAdmissao->setFocus(Qt::OtherFocusReason);
    });

    // Admission.
    saida(deAdmissao, admissao(deAdmissao), [this] { ValidaAdmissao(true); });
    saida(deTipoAdmissao, admissao(deTipoAdmissao), [this] { ValidaTipoAdmissao(); }, limpa(edTxAdmissao));
    sempre(edSalario, zeroAntes(edSalario, admissao(edSalario)), [this, informado] {
        if (informado(edSalario))
            ValidaSalarioContratual();
    });
    saida(deHoras, admissao(deHoras), [this] { ValidaHorasSemanais(); });
    saida(deTipoSalContratual, admissao(deTipoSalContratual), [this] { ValidaTipoSalario(true); },
          limpa(edTxSalContratual));
    sempre(deCBO, admissao(deCBO), [this] { ValidaCbo(true); });

    // Link type, permit, dismissal, notice pay, work place.
    saida(deVinculo, pode, [this] {
        ValidaTipoVinculo(true);
        ValidaAlvara();
    }, limpa(edTxVinculo));
    sempre(dgAlvara, vinc(dgAlvara), [this] { saidaAlvara(); });
    sempre(deCodDeslig, vinc(deCodDeslig), [this] { saidaCausaDesligamento(); });
    // The date's own check has its gates; what follows it runs on every exit.
    sempre(deDataDeslig, {}, [this] { saidaDataDesligamento(); });
    sempre(edAvisoPrevio, vinc(edAvisoPrevio), [this] { saidaAvisoPrevio(); });
    saida(deMunicipioTrabalho, vinc(deMunicipioTrabalho), [this] { ValidaMunicipioTrabalho(); });

    // Leaves.
    saida(dePrimCod, afast(dePrimCod), [this] { ValidaMotivoPrimeiroAfastamento(true); }, limpa(edTxPrimAfast));
    saida(deSegCod, afast(deSegCod), [this] {
        ValidaMotivoSegundoAfastamento();
        ValidaAfastamentos();
    }, limpa(edTxSegAfas));
    saida(deTerCod, afast(deTerCod), [this] {
        ValidaMotivoTerceiroAfastamento();
        ValidaAfastamentos();
    }, limpa(EdTxTerAfas));
    sempre(dePrimInicio, afast(dePrimInicio), [this] { ValidaInicioPrimeiroAfastamento(); });
    sempre(deSegInicio, afast(deSegInicio), [this] { ValidaInicioSegundoAfastamento(); });
    sempre(deTerInicio, afast(deTerInicio), [this] { ValidaInicioTerceiroAfastamento(); });
    sempre(dePrimFinal, afast(dePrimFinal), [this] { ValidaFimPrimeiroAfastamento(); });
    sempre(deSegFinal, afast(deSegFinal), [this] { ValidaFimSegundoAfastamento(); });
    sempre(deTerFinal, afast(deTerFinal), [this] { ValidaFimTerceiroAfastamento(); });
    sempre(deAfastQtDias, afast(deAfastQtDias), [this] {
        ValidaDiasAfastamento();
        erro(CriticaNumerico(CompletaZeros(campo(QStringLiteral("QtDiasAfas")), 3), QStringLiteral("3")), deAfastQtDias);
        pcEmpregados->setCurrentWidget(tSindicais);
        deCNPJSindical->setFocus(Qt::OtherFocusReason);
    });

    // Unions.
    saida(deCNPJSindical, pode, [this] {
        ValidaCnpjSindical();
        ConfereEntidadeSindical();
    });
    // Leaving the union-tax value always leads into the membership group, unless an exit button was chosen.
    sempre(deValorSindical, {}, [this] {
        const bool pode = PodeValidar();
        if (pode)
            ValidaValorSindical(true);
        if (pode)
            entraGrupo(dbrSindicalizado);
    });
    sempre(dbrSindicalizado, pode, [this] { passosSindicalizado(); });
    saida(deCNPJPrimeiroAssociativa, pode, [this] {
        ValidaSindicalizado();
        ValidaCnpjPrimeiraAssociativa();
        ConfereEntidadeAssociativa(false);
    });
    sempre(devalorPrimeiroAssociativa, pode, [this, informado] {
        if (informado(devalorPrimeiroAssociativa))
            ValidaValorPrimeiraAssociativa();
    });
    saida(deCNPJSegundoAssociativa, pode, [this] {
        ConfereSegundaAssociativa();
        ValidaCnpjSegundaAssociativa();
        ConfereEntidadeAssociativa(true);
    });
    sempre(deValorSegundoAssociativa, pode, [this, informado] {
        if (informado(deValorSegundoAssociativa))
            ValidaValorSegundaAssociativa();
    });
    saida(deCNPJAssistencial, pode, [this] {
        ValidaCnpjAssistencial();
        ConfereEntidadeAssistencial();
    });
    sempre(deValorAssistencial, pode, [this] { ValidaValorAssistencial(); });
    saida(deCNPJConfederativa, pode, [this] {
        ValidaCnpjConfederativa();
        ConfereEntidadeConfederativa();
    });
    sempre(deValorConfederativa, pode, [this, informado] {
        if (informado(deValorConfederativa))
            ValidaValorConfederativa();
        pcEmpregados->setCurrentWidget(tRemuneracoes);
        edMes[0]->setFocus(Qt::OtherFocusReason);
    });

    // Termination payments.
    saida(deValorGlobalFerias, pode, [this] { ValidaValorFerias(); });
    saida(deValorGlobalMultas, pode, [this] { ValidaValorMultas(); });
    saida(deValorGlobalBcoHoras, pode, [this] { ValidaValorBancoHoras(); });
    saida(deValorGlobalDissidio, pode, [this] { ValidaValorDissidio(); });
    saida(deValorGlobalGratificacoes, pode, [this] { ValidaValorGratificacoes(); });
    sempre(deCompetenciaHoras, pode, [this] { saidaCompetencia(deCompetenciaHoras, &TfmDadosEmpreg::ValidaBancoHoras); });
    sempre(deCompetenciaDissidio, pode,
           [this] { saidaCompetencia(deCompetenciaDissidio, &TfmDadosEmpreg::ValidaDissidio); });
    sempre(deCompetenciaGratificacoes, pode,
           [this] { saidaCompetencia(deCompetenciaGratificacoes, &TfmDadosEmpreg::ValidaGratificacoes); });

    // Monthly pay, hours, 13th salary.
    for (int m = 0; m < 12; ++m) {
        sempre(edMes[m], zeroAntes(edMes[m], pagamento), [this, m] {
            // The comparison value is the month before (January compares with itself).
            ValidaRemuneracaoMes(edMes[m]->text(), rotuloMes(m + 1), edMes[m > 0 ? m - 1 : 0]->text());
            if (m == 11)
                saidaDezembro();
        });
        sempre(deHorasMes[m], pagamento, [this, m] { ValidaHorasMes(m + 1, true); });
    }
    saida(deMesAdiantamento, pagamento, [this] { ValidaMesAdiantamento(true); },
          [this] { edTxAdiantamento->setText(NomeMes(QStringLiteral("00"))); });
    sempre(edAdiantamento, pagamento, [this, informado] {
        if (informado(edAdiantamento))
            ValidaValorAdiantamento(true);
        else
            edAdiantamento->setText(FormataValor(QStringLiteral("000000000")));
    });
    saida(deMesParcelaFinal, pagamento, [this] { ValidaMesParcelaFinal(true); },
          [this] { edTxParcelaFinal->setText(NomeMes(QStringLiteral("00"))); });
    sempre(edParcelaFinal, pagamento, [this] { saidaParcelaFinal(); });
}

// ---- pickers ----

void TfmDadosEmpreg::seletor(QToolButton *botao, const std::function<void()> &mostra, QWidget *campo, QWidget *aba,
                             const std::function<QWidget *()> &foco)
{
    connect(botao, &QToolButton::clicked, this, Protegido([this, mostra, campo, aba, foco] {
                mostra();
                m_binder.carrega(campo);
                executaSaida(campo);
                if (aba)
                    pcEmpregados->setCurrentWidget(aba);
                if (QWidget *f = foco ? foco() : nullptr)
                    f->setFocus(Qt::OtherFocusReason);
            }));
}

void TfmDadosEmpreg::ligaSeletores()
{
    auto lista = [](auto *dummy) {
        using T = std::remove_pointer_t<decltype(dummy)>;
        return [] {
            T picker;
            ExecutaModal(picker);
        };
    };
    auto fixo = [](QWidget *w) { return [w] { return w; }; };
    seletor(sbRaca, lista(static_cast<TfmTb8Raca *>(nullptr)), deRaca, tDadosPessoais, {});
    connect(sbDeficiente, &QToolButton::clicked, this, Protegido([this] {
                TfmTb8Deficiente picker;
                picker.edTxDeficiente = edTxDeficiente;
                ExecutaModal(picker);
                m_binder.carrega(deDeficiente);
                pcEmpregados->setCurrentWidget(tDadosPessoais);
                cbSexo->setFocus(Qt::OtherFocusReason);
            }));
    seletor(sbNacionalidade, lista(static_cast<TfmTb8Nacio *>(nullptr)), deNacionalidade, tDadosPessoais, [this] {
        if (campo(QStringLiteral("CoNacionalidade")) == QLatin1String("10"))
            return static_cast<QWidget *>(deInstrucao);
        Trava(deAnoChegada, false);
        deAnoChegada->setFocusPolicy(Qt::StrongFocus);
        return static_cast<QWidget *>(deAnoChegada);
    });
    seletor(sbInstrucao, lista(static_cast<TfmTb8Instr *>(nullptr)), deInstrucao, tDadosPessoais,
            fixo(deCarteiraTrab));
    seletor(sbAdmissao, lista(static_cast<TfmTp8adm *>(nullptr)), deTipoAdmissao, tAdmissao, fixo(edSalario));
    seletor(sbSalarioContratual, lista(static_cast<TfmTb8TpSal *>(nullptr)), deTipoSalContratual, tAdmissao,
            fixo(deCBO));
    seletor(sbCBO, lista(static_cast<TfmTb8CBO *>(nullptr)), deCBO, nullptr, fixo(deCBO));
    seletor(sbVinculo, lista(static_cast<TfmTb8Vinc *>(nullptr)), deVinculo, tVinculo, fixo(deCodDeslig));
    connect(sbDesligamento, &QToolButton::clicked, this, Protegido([this] {
                TfmTb8Desl picker;
                ExecutaModal(picker);
                m_binder.carrega(deDataDeslig);
                m_binder.carrega(deCodDeslig);
                executaSaida(deCodDeslig);
            }));
    seletor(bbCodMunicipio, [] { TfrmT8Munic::SelecionaMunicipio(vinculo().FieldByName(QStringLiteral("CoMunicipioTrabalho"))); },
            deMunicipioTrabalho, nullptr, fixo(deMunicipioTrabalho));
    auto afastamento = [](int n) {
        return [n] {
            NumeroAfastamento = n;
            TfmTb8Afast picker;
            ExecutaModal(picker);
        };
    };
    seletor(sbPrimAfastamento, afastamento(1), dePrimCod, tAfastamento, fixo(dePrimInicio));
    seletor(sbSegAfastamento, afastamento(2), deSegCod, tAfastamento, fixo(deSegInicio));
    seletor(sbTerAfastamento, afastamento(3), deTerCod, tAfastamento, fixo(deTerInicio));
    auto meses = [](bool adiantamento) {
        return [adiantamento] {
            MesAdiantamento = adiantamento;
            TfmMesesAno picker;
            ExecutaModal(picker);
        };
    };
    seletor(sbMesAdiantamento, meses(true), deMesAdiantamento, tRemuneracoes, fixo(edAdiantamento));
    seletor(sbMesParcelaFinal, meses(false), deMesParcelaFinal, tRemuneracoes, fixo(edParcelaFinal));
}

// ---- showing, opening, closing ----

bool TfmDadosEmpreg::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == deAnoDeslig && event->type() == QEvent::FocusIn)
        m_anoPorTras = static_cast<QFocusEvent *>(event)->reason() == Qt::BacktabFocusReason;
    if ((objeto == tabInnerAd || objeto == tabInnerVinc) && event->type() == QEvent::FocusIn)
        m_armadilhaPorTab = static_cast<QFocusEvent *>(event)->reason() == Qt::TabFocusReason;
    return EntryForm::eventFilter(objeto, event);
}

void TfmDadosEmpreg::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    if (!event->spontaneous())
        Protege([this] { FormShow(); });
}

void TfmDadosEmpreg::FormShow()
{
    LimpaEdits(this);
    if (!vinculo().Active())
        vinculo().Open();
    if (!empresa().Active())
        empresa().Open();
    bool numero = false;
    const int ano = AnoBaseVinculo.toInt(&numero);
    AnoEfetivo = numero ? ano + (EncerradoAnoSeguinte ? 1 : 0) : Configuracao().AnoBase;
    if (!empresa().FindKey({AnoBaseVinculo, InscricaoVinculo, PrefixoVinculo})) {
        // Never work on another establishment's row: say so and leave.
        MostraMensagem(QStringLiteral("1006"));
        QMetaObject::invokeMethod(this, [this] { QDialog::done(QDialog::Rejected); }, Qt::QueuedConnection);
        return;
    }
    CarregaVinculo();
}

void TfmDadosEmpreg::CarregaVinculo()
{
    AvisoSalarioMostrado = false;
    const QString inscricao =
        TipoInscricaoVinculo == QLatin1String("1")
            ? QStringLiteral("CNPJ: %1.%2.%3/%4-%5")
                  .arg(InscricaoVinculo.mid(0, 2), InscricaoVinculo.mid(2, 3), InscricaoVinculo.mid(5, 3),
                       InscricaoVinculo.mid(8, 4), InscricaoVinculo.mid(12, 2))
            : QStringLiteral("CEI: %1.%2-%3")
                  .arg(InscricaoVinculo.mid(2, 5), InscricaoVinculo.mid(7, 5), InscricaoVinculo.mid(12, 2));
    setWindowTitle(RazaoSocialVinculo + QStringLiteral(" - ") + inscricao + QStringLiteral(" | Prefixo: ") +
                   PrefixoVinculo + QStringLiteral(" - Informações Referentes ao Empregado / Servidor"));
    PisConsultado = PisVinculo;

    Table &t = vinculo();
    if (!PisVinculo.isEmpty()) {
        if (!t.FindKey({AnoBaseVinculo, InscricaoVinculo, PrefixoVinculo, PisVinculo, AdmissaoVinculo,
                        NomeEmpregadoVinculo, QString(), CeiVinculado, TipoInscricaoVinculo, DesligamentoVinculo,
                        CboVinculo})) {
            presenter().show(MessageKind::Error, QStringLiteral("Vínculo não encontrado."), {MessageButton::Ok});
            QMetaObject::invokeMethod(this, [this] { QDialog::done(QDialog::Rejected); }, Qt::QueuedConnection);
            return;
        }
        PisOriginal = campo(QStringLiteral("CoPisPasepEmpregado"));
        AdmissaoOriginal = campo(QStringLiteral("DaAdmissaoEmpregado"));
        DesligamentoOriginal = campo(QStringLiteral("DaDesligamentoEmpregado"));
        CboOriginal = campo(QStringLiteral("CoCbo"));
        t.Edit();
        ModoEdicao = QStringLiteral("A");
        BtExcluir->setEnabled(true);
    } else {
        t.Append();
        ModoEdicao = QStringLiteral("I");
        BtExcluir->setEnabled(false);
        PisOriginal = QStringLiteral("000000000");
        AdmissaoOriginal = QStringLiteral("00000000");
        DesligamentoOriginal = QStringLiteral("0000");
        CboOriginal = QStringLiteral("000000");
    }

    const bool alvaraAberto = PreparaParaEdicao(t, Configuracao().AnoBase);
    m_binder.carrega();

    auto valor = [this](MoneyEdit *e, const char *nome) {
        e->setText(MostraValor(campo(QLatin1String(nome))));
    };
    valor(edSalario, "VaSalContratualEmpregado");
    valor(edAvisoPrevio, "VaAvisoPrevioEmpregado");
    for (int m = 0; m < 12; ++m)
        edMes[m]->setText(MostraValor(campo(QStringLiteral("Va%1Empregado").arg(QLatin1String(kMeses[m])))));
    valor(edAdiantamento, "Va13AdiantamentoEmpregado");
    valor(edParcelaFinal, "Va13ParcelaFinalEmpregado");
    valor(deValorSindical, "VaGlobalSindical");
    valor(devalorPrimeiroAssociativa, "VaGlobalPrimAssociativa");
    valor(deValorSegundoAssociativa, "VaGlobalSegAssociativa");
    valor(deValorAssistencial, "VaGlobalAssistencial");
    valor(deValorConfederativa, "VaGlobalConfederativa");
    valor(deValorGlobalFerias, "VaGlobalFerias");
    valor(deValorGlobalMultas, "VaGlobalMultas");
    valor(deValorGlobalBcoHoras, "VaGlobalBcoHoras");
    valor(deValorGlobalDissidio, "VaGlobalDissidio");
    valor(deValorGlobalGratificacoes, "VaGlobalGratificacoes");

    // Dismissal cause: a date only for the causes that take one; notice pay only for "11" and "21".
    const QString causa = campo(QStringLiteral("CoCausaDesligamento"));
    auto zeraAvisoPrevio = [this] {
        edAvisoPrevio->setText(MostraValor(QString()));
        Trava(edAvisoPrevio, true);
    };
    if (!QStringList{QString(), QStringLiteral("00"), QStringLiteral("71"), QStringLiteral("78"),
                     QStringLiteral("80")}
             .contains(causa)) {
        Trava(deDataDeslig, false);
        if (causa == QLatin1String("11") || causa == QLatin1String("21"))
            Trava(edAvisoPrevio, false);
        else
            zeraAvisoPrevio();
    } else {
        if (!deDataDeslig->isReadOnly())
            gravaCampo(QStringLiteral("DaDesligamentoEmpregado"), QString());
        Trava(deDataDeslig, true);
        Trava(deAnoDeslig, true);
        zeraAvisoPrevio();
    }

    descricao(QStringLiteral("tb8nacio"), campo(QStringLiteral("CoNacionalidade")), QStringLiteral("NoNacionalidade"),
              edTxNacionalidade);
    descricao(QStringLiteral("tb8raca"), campo(QStringLiteral("CoTipoRaca")), QStringLiteral("NoRaca"), edTxRaca);
    descricao(QStringLiteral("tb8instr"), campo(QStringLiteral("CoInstrucao")), QStringLiteral("NoInstrucao"),
              edTxInstrucao);
    descricao(QStringLiteral("tb8tpadm"), campo(QStringLiteral("CoTipoAdmissao")), QStringLiteral("NoTipoAdmissao"),
              edTxAdmissao);
    descricao(QStringLiteral("tb8tpsal"), campo(QStringLiteral("CoTipoSalarioContratual")),
              QStringLiteral("NoTipoSalarioContratual"), edTxSalContratual);
    descricao(QStringLiteral("tb8cbo"), campo(QStringLiteral("CoCbo")), QStringLiteral("NoCbo"), edTxCBO);
    descricao(QStringLiteral("tb8vinc"), campo(QStringLiteral("CoVinculo")), QStringLiteral("NoVinculo"), edTxVinculo);
    descricao(QStringLiteral("tb8desl"), campo(QStringLiteral("CoCausaDesligamento")),
              QStringLiteral("NoCausaDesligamento"), edTxDesligamento);
    descricao(QStringLiteral("tb8afast"), campo(QStringLiteral("CoMotivoPrimAfas")), QStringLiteral("NoAfastamento"),
              edTxPrimAfast);
    descricao(QStringLiteral("tb8afast"), campo(QStringLiteral("CoMotivoSeguAfas")), QStringLiteral("NoAfastamento"),
              edTxSegAfas);
    descricao(QStringLiteral("tb8afast"), campo(QStringLiteral("CoMotivoTercAfas")), QStringLiteral("NoAfastamento"),
              EdTxTerAfas);
    const QString municipio = campo(QStringLiteral("CoMunicipioTrabalho"));
    descricao(QStringLiteral("tb8munic"), municipio, QStringLiteral("NoMunicipio"), deNomeMunicipioTrabalho);
    descricao(QStringLiteral("tbuf"), municipio.left(2), QStringLiteral("SgUf"), deSiglaUFTrabalho);

    // Arrival year: open for a foreigner (or a Brazilian with a year stored).
    const QString nacionalidade = campo(QStringLiteral("CoNacionalidade"));
    if (!nacionalidade.isEmpty()) {
        const bool trava = campo(QStringLiteral("AnChegadaEmpregado")).isEmpty() && nacionalidade == QLatin1String("10");
        Trava(deAnoChegada, trava, CorTrava::Menu);
        deAnoChegada->setFocusPolicy(trava ? Qt::NoFocus : Qt::StrongFocus);
    }

    if (campo(QStringLiteral("InDeficienteFisico")) != QLatin1String("1")) {
        Trava(deDeficiente, true, CorTrava::Menu);
        sbDeficiente->setEnabled(false);
        edTxDeficiente->clear();
    } else {
        descricao(QStringLiteral("tbdefi"), campo(QStringLiteral("CoDeficienteFisico")),
                  QStringLiteral("NoTipoDeficiencia"), edTxDeficiente);
        dgDeficiencia->setValor(QStringLiteral("1"));
        Trava(deDeficiente, false);
        sbDeficiente->setEnabled(true);
    }

    const QString sexo = campo(QStringLiteral("InSexo"));
    cbSexo->setCurrentIndex(sexo == QLatin1String("1") ? 0 : sexo == QLatin1String("2") ? 1 : -1);

    dgAlvara->setEnabled(alvaraAberto);
    dgAlvara->setValor(campo(QStringLiteral("InAlvaraEmpregado")));

    const bool desligado = !campo(QStringLiteral("DaDesligamentoEmpregado")).isEmpty();
    if (desligado)
        MostraAnoDesligamento();

    edTxAdiantamento->setText(NomeMes(campo(QStringLiteral("Me13AdiantamentoEmpregado"))));
    edTxParcelaFinal->setText(NomeMes(campo(QStringLiteral("Me13ParcelaFinalEmpregado"))));

    auto preenchido = [](const QString &v) { return !v.isEmpty() && v != QLatin1String("0,00"); };
    const bool associacao = preenchido(devalorPrimeiroAssociativa->text().trimmed()) ||
                            preenchido(deValorSegundoAssociativa->text().trimmed()) ||
                            campo(QStringLiteral("InSindicalizadoVinculo")) == QLatin1String("1") ||
                            !campo(QStringLiteral("CoCNPJPrimAssociativa")).isEmpty() ||
                            !campo(QStringLiteral("CoCNPJSegAssociativa")).isEmpty();
    for (QLineEdit *e : std::initializer_list<QLineEdit *>{devalorPrimeiroAssociativa, deValorSegundoAssociativa,
                                                            deCNPJPrimeiroAssociativa, deCNPJSegundoAssociativa})
        Trava(e, !associacao, CorTrava::Menu);

    bool verbas = false;
    for (const char *nome : {"VaGlobalFerias", "VaGlobalMultas", "VaGlobalBcoHoras", "VaGlobalDissidio",
                             "VaGlobalGratificacoes", "QtCompBcoHoras", "QtCompDissidio", "QtCompGratificacoes"}) {
        const QString v = campo(QLatin1String(nome));
        verbas = verbas || (!v.isEmpty() && !todosZeros(v));
    }
    const QList<QLineEdit *> controlesVerbas{deValorGlobalFerias, deValorGlobalMultas, deValorGlobalBcoHoras,
                                             deValorGlobalDissidio, deValorGlobalGratificacoes, deCompetenciaHoras,
                                             deCompetenciaDissidio, deCompetenciaGratificacoes};
    if (verbas || !desligado) {
        for (QLineEdit *e : controlesVerbas)
            Trava(e, !verbas);
        pcEmpregados->setTabEnabled(pcEmpregados->indexOf(tVerbas), verbas);
    }

    pcEmpregados->setCurrentWidget(tDadosPessoais);
    if (ModoEdicao == QLatin1String("A")) {
        PisAbertura = PisVinculo;
        deNomeEmpregado->setFocus(Qt::OtherFocusReason);
    } else {
        dePisPasep->setFocus(Qt::OtherFocusReason);
    }
}

QString TfmDadosEmpreg::BuscaDadosPis()
{
    const std::optional<DadosPessoaisPis> dados = DadosDoPis(AnoBaseVinculo, PisVinculo);
    if (!dados)
        return QStringLiteral("3");
    if (MostraMensagem(QStringLiteral("1050")) == QLatin1String("mrNo"))
        return QStringLiteral("1");
    for (const auto &[nome, valor] : *dados)
        gravaCampo(nome, valor);
    m_binder.carrega(dgDeficiencia);
    const QString sexo = campo(QStringLiteral("InSexo"));
    cbSexo->setCurrentIndex(sexo == QLatin1String("1") ? 0 : sexo == QLatin1String("2") ? 1 : -1);
    descricao(QStringLiteral("tb8nacio"), campo(QStringLiteral("CoNacionalidade")), QStringLiteral("NoNacionalidade"),
              edTxNacionalidade);
    descricao(QStringLiteral("tb8raca"), campo(QStringLiteral("CoTipoRaca")), QStringLiteral("NoRaca"), edTxRaca);
    descricao(QStringLiteral("tbdefi"), campo(QStringLiteral("CoDeficienteFisico")),
              QStringLiteral("NoTipoDeficiencia"), edTxDeficiente);
    descricao(QStringLiteral("tb8instr"), campo(QStringLiteral("CoInstrucao")), QStringLiteral("NoInstrucao"),
              edTxInstrucao);
    return QStringLiteral("2");
}

void TfmDadosEmpreg::ContaVinculos()
{
    const ContagemVinculos contagem = ContaVinculosEstab(chaveEstab());
    QtdVinculos = contagem.vinculos;
    QtdEstrangeiros = contagem.estrangeiros;
}

void TfmDadosEmpreg::BtCancelarClick()
{
    if (!campo(QStringLiteral("CoPisPasepEmpregado")).isEmpty() &&
        presenter().show(MessageKind::Confirmation,
                         QStringLiteral("As informações não salvas serão perdidas. Deseja sair ?"),
                         {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes) {
        pcEmpregados->setCurrentWidget(tDadosPessoais);
        deNomeEmpregado->setFocus(Qt::OtherFocusReason);
        return;
    }
    vinculo().Cancel();
    QDialog::done(QDialog::Rejected);
    ContaVinculos();
    SemVinculos = QtdVinculos <= 0;
}

void TfmDadosEmpreg::done(int resultado)
{
    QDialog::done(resultado);
    Table &t = vinculo();
    if (t.State() == DataSetState::Edit || t.State() == DataSetState::Insert)
        t.Cancel();
    if (t.Active())
        t.Close();
}

} // namespace gdvorn
