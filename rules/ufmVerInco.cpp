#include "rules/ufmVerInco.h"

#include "app/QtModal.h"
#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ufmListas.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "rules/ugConsistencia.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kLegenda = QStringLiteral("Assistente para Verificar Inconsistências das Declarações");

QString anoBase() { return QString::number(Configuracao().AnoBase); }

// F1 anywhere in the wizard: the topic of the control with the focus, which is its page's unless the
// control has its own.
class AjudaDoAssistente : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->key() != Qt::Key_F1)
            return QObject::eventFilter(objeto, event);
        auto *janela = static_cast<QWidget *>(objeto);
        const QObject *controle = janela->focusWidget() ? janela->focusWidget() : objeto;
        const int contexto = ContextoAjuda(controle);
        Protege([contexto] { contexto ? MostraAjudaContexto(contexto) : MostraAjuda(); });
        return true;
    }
};

} // namespace

TfmVerInco00::TfmVerInco00(TfmVerInco01 *seguinte) : TPaginaAssistente("fmVerInco00"), m_seguinte(seguinte)
{
    setContextoAjuda(this, ContextoAjudaVerInco00);
    Corpo->addWidget(TextoAssistente(this, "Label1",
                           QStringLiteral("Este assistente possibilita a você avaliar as informações digitadas relativas ao "
                                          "estabelecimento e seus empregados/servidores.")));
    lbAno = TextoAssistente(this, "lbAno", QStringLiteral("Declaração Ano-Base ") + anoBase());
    Corpo->addWidget(lbAno);
    Corpo->addStretch();
    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [] {});
    btVoltar->setEnabled(false);
    btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] { Assistente()->mostra(m_seguinte); });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Assistente()->fecha(); });
    // Enter goes on ("&Avançar >" is the default), or presses the button that has the focus.
    for (QPushButton *b : {btVoltar, btAvancar, btCancelar})
        b->setAutoDefault(true);
}

void TfmVerInco00::aoMostrar()
{
    // The wizard's default button (set here, where the page stands in the wizard's dialog).
    btAvancar->setDefault(true);
    m_seguinte->CarregaLista(anoBase());
    if (m_seguinte->LEmpresas->count() == 0) {
        btAvancar->setEnabled(false);
        MostraMensagem(QStringLiteral("1700"));
        btCancelar->setFocus();
    } else {
        btAvancar->setEnabled(true);
        btAvancar->setFocus();
    }
}

TfmVerInco01::TfmVerInco01(TfmVerInco02 *seguinte) : TPaginaAssistente("fmVerInco01"), m_seguinte(seguinte)
{
    setContextoAjuda(this, ContextoAjudaVerInco01);
    paSelecao = new QWidget(this);
    paSelecao->setObjectName(QStringLiteral("paSelecao"));
    auto *sel = new QVBoxLayout(paSelecao);
    sel->setContentsMargins(0, 0, 0, 0);
    sel->addWidget(TextoAssistente(paSelecao, "Label1",
                         QStringLiteral("Selecione as empresas que você deseja verificar as informações digitadas:")));
    LEmpresas = new TListaMarcada(paSelecao);
    LEmpresas->setObjectName(QStringLiteral("LEmpresas"));
    LEmpresas->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    sel->addWidget(LEmpresas, 1);
    cbTodas = new QCheckBox(QStringLiteral("Seleciona / Desmarca todas as empresas."), paSelecao);
    cbTodas->setObjectName(QStringLiteral("cbTodas"));
    connect(cbTodas, &QCheckBox::clicked, this, [this](bool marcado) { LEmpresas->marcaTodos(marcado); });
    sel->addWidget(cbTodas);
    Corpo->addWidget(paSelecao, 1);

    paProgresso = new QWidget(this);
    paProgresso->setObjectName(QStringLiteral("paProgresso"));
    auto *prog = new QVBoxLayout(paProgresso);
    prog->addStretch();
    prog->addWidget(TextoAssistente(paProgresso, "Label2", QStringLiteral("Verificando Informações ...")));
    ProgressBar1 = new QProgressBar(paProgresso);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    prog->addWidget(ProgressBar1);
    prog->addStretch();
    Corpo->addWidget(paProgresso, 1);

    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [this] { Assistente()->mostra(Anterior); });
    btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] { Avancar(); });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Cancelar(); });

    Analisa = [](Progresso *p, const QList<ChaveEstabelecimento> &chaves, const QString &ano) {
        return AnalisaDeclaracao(p, QString(), false, &chaves, ano, false, false, false);
    };
}

void TfmVerInco01::CarregaLista(const QString &ano)
{
    CarregaEstabelecimentosLista(LEmpresas, ano, QString(), QStringLiteral("0"));
    for (int i = 0; i < LEmpresas->count(); ++i) {
        const ChaveEstabelecimento c = ChaveDaLinha(ano, LEmpresas->item(i)->text());
        LEmpresas->item(i)->setData(Qt::UserRole, QStringList{c.AnBase, c.Inscricao, c.Prefixo});
    }
    cbTodas->setChecked(false);
}

void TfmVerInco01::mostraSelecao()
{
    paSelecao->setVisible(true);
    paProgresso->setVisible(false);
    ProgressBar1->setVisible(false);
    btVoltar->setEnabled(true);
    btAvancar->setEnabled(true);
    Executando = false;
    btAvancar->setFocus();
}

void TfmVerInco01::aoMostrar() { mostraSelecao(); }

void TfmVerInco01::Avancar()
{
    QList<ChaveEstabelecimento> chaves;
    for (int i = 0; i < LEmpresas->count(); ++i) {
        const QListWidgetItem *it = LEmpresas->item(i);
        if (it->checkState() != Qt::Checked)
            continue;
        const QStringList c = it->data(Qt::UserRole).toStringList();
        chaves << ChaveEstabelecimento{c.value(0), c.value(1), c.value(2)};
    }
    if (chaves.isEmpty()) {
        MostraMensagem(QStringLiteral("1301"));
        return;
    }
    paSelecao->setVisible(false);
    ProgressBar1->setRange(0, LEmpresas->count());
    ProgressBar1->setValue(0);
    paProgresso->setVisible(true);
    ProgressBar1->setVisible(true);
    btVoltar->setEnabled(false);
    btAvancar->setEnabled(false);
    Executando = true;
    quint8 resultado = 0;
    {
        QtProgresso progresso(ProgressBar1);
        // Whatever ends the analysis, the page goes back to its selection state unless it moves on.
        struct Restaura {
            TfmVerInco01 *p;
            bool ativo = true;
            ~Restaura()
            {
                if (ativo)
                    p->mostraSelecao();
            }
        } restaura{this};
        resultado = Analisa(&progresso, chaves, anoBase());
        if (resultado == Consistencia::AnaliseInterrompida) {
            presenter().show(MessageKind::Information, QStringLiteral("Consistência interrompida pelo usuário"),
                             {MessageButton::Ok});
            return;
        }
        restaura.ativo = false;
    }
    Executando = false;
    ProgressBar1->setVisible(false);
    if (resultado == 0)
        m_seguinte->Modo = QStringLiteral("3");
    else if ((resultado & Consistencia::HaErros) && (resultado & Consistencia::HaAvisos))
        m_seguinte->Modo = QStringLiteral("2");
    else if (resultado & Consistencia::HaErros)
        m_seguinte->Modo = QStringLiteral("1");
    else
        m_seguinte->Modo = QStringLiteral("0");
    Assistente()->mostra(m_seguinte);
}

void TfmVerInco01::Cancelar()
{
    if (Executando)
        InterrompeAnalise();
    else
        Assistente()->fecha();
}

void TfmVerInco01::aoCancelar() { Cancelar(); }

TfmVerInco02::TfmVerInco02() : TPaginaAssistente("fmVerInco02")
{
    setContextoAjuda(this, ContextoAjudaVerInco02);
    lbAvisos = TextoAssistente(this, "lbAvisos",
                     QStringLiteral("Não foram encontrados erros nas declarações selecionadas, foram gerados apenas AVISOS.\n\n"
                                    "Os avisos não impedem a gravação da declaração, são alertas para que o empregador "
                                    "fique atento as informações que extrapolam limites como valores muito altos.\n"
                                    "As ocorrências que geram avisos estão descritas na Ajuda do Sistema.\n\n"
                                    "- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."));
    lbErros = TextoAssistente(this, "lbErros",
                    QStringLiteral("Houveram erros nas declarações selecionadas.\n\n"
                                   "   - Para visualizar e imprimir os erros encontrados, clique no botão <Relatório Erros>. "));
    lbLinhaAvisos = TextoAssistente(this, "lbLinhaAvisos",
                          QStringLiteral("- Para visualizar e imprimir os avisos encontrados, clique no botão <Relatório Avisos>."));
    auto *correcao = TextoAssistente(this, "lbCorrecao",
                           QStringLiteral("\n\nCorrija as informações erradas através da opção Declaração ... Abrir"));
    lbSemErros = TextoAssistente(this, "lbSemErros", QStringLiteral("As declarações selecionadas não apresentaram erros ou avisos."));
    for (QLabel *l : {lbAvisos, lbErros, lbLinhaAvisos, correcao, lbSemErros})
        Corpo->addWidget(l);
    Corpo->addStretch();
    btAvisos = criaBotao("btAvisos", QStringLiteral("Relatório &Avisos"), [this] { Relatorio(btAvisos, QStringLiteral("war")); });
    btErros = criaBotao("btErros", QStringLiteral("Relatório &Erros"), [this] { Relatorio(btErros, QStringLiteral("err")); });
    btFechar = criaBotao("btFechar", QStringLiteral("&Fechar"), [this] { Assistente()->fecha(); });
}

void TfmVerInco02::aoMostrar()
{
    const bool avisos = Modo == QLatin1String("0");
    const bool erros = Modo == QLatin1String("1") || Modo == QLatin1String("2");
    lbAvisos->setVisible(avisos);
    lbErros->setVisible(erros);
    findChild<QLabel *>(QStringLiteral("lbCorrecao"))->setVisible(erros);
    lbLinhaAvisos->setVisible(Modo == QLatin1String("2"));
    lbSemErros->setVisible(!avisos && !erros);
    btAvisos->setVisible(avisos || erros);
    btAvisos->setEnabled(Modo != QLatin1String("1"));
    btErros->setVisible(erros);
    if (avisos)
        btAvisos->setFocus();
    else if (erros)
        btErros->setFocus();
    else
        btFechar->setFocus();
}

void TfmVerInco02::Relatorio(QPushButton *botao, const QString &errWar)
{
    botao->setEnabled(false);
    struct Reabilita {
        QPushButton *b;
        ~Reabilita() { b->setEnabled(true); }
    } reabilita{botao};
    dmRaveRelatorios->VisualizaErros(errWar, TRvSystem::kImpossivelImprimir);
}

std::unique_ptr<TfmAssistente> CriaVerInco(QWidget *parent)
{
    auto assistente = std::make_unique<TfmAssistente>(kLegenda, parent);
    assistente->setObjectName(QStringLiteral("fmVerInco"));
    assistente->installEventFilter(new AjudaDoAssistente(assistente.get()));
    auto *p02 = new TfmVerInco02;
    auto *p01 = new TfmVerInco01(p02);
    auto *p00 = new TfmVerInco00(p01);
    p01->Anterior = p00;
    assistente->adiciona(p00);
    assistente->adiciona(p01);
    assistente->adiciona(p02);
    return assistente;
}

} // namespace gdvorn

namespace gdvorn {

void RegistraVerInco()
{
    RegistraJanela(QStringLiteral("Verificar1"), [](QWidget *pai) {
        const std::unique_ptr<TfmAssistente> assistente = CriaVerInco(pai);
        assistente->inicia();
        ExecutaModal(*assistente);
    });
}

} // namespace gdvorn
