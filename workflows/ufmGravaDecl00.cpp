// The recording wizard's frame and first pages: the base year (00) and the establishment list (02).

#include "workflows/ufmGravaDecl.h"

#include "app/QtModal.h"
#include "app/udmDadosResp.h"
#include "app/ufmDrives.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "workflows/ugGravaDecl.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kTituloGravacao = QStringLiteral("Assistente para Gravação");

} // namespace

TPaginaGravacao::TPaginaGravacao(const char *nomeObjeto, int contextoAjuda) : TPaginaAssistente(nomeObjeto)
{
    setContextoAjuda(this, contextoAjuda);
}

void TPaginaGravacao::criaBotoesPadrao(std::function<void()> voltar, std::function<void()> avancar,
                                       std::function<void()> cancelar)
{
    bbVoltar = criaBotao("bbVoltar", QStringLiteral("< &Voltar"), std::move(voltar));
    bbAvancar = criaBotao("bbAvancar", QStringLiteral("&Avançar >"), std::move(avancar));
    bbCancelar = criaBotao("bbCancelar", QStringLiteral("&Cancelar"), std::move(cancelar));
}

QPlainTextEdit *TPaginaGravacao::TextoFixo(QWidget *pai, const char *nome, const QString &texto)
{
    auto *t = new QPlainTextEdit(texto, pai);
    t->setObjectName(QLatin1String(nome));
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);
    t->setFrameShape(QFrame::NoFrame);
    t->viewport()->setAutoFillBackground(false);
    return t;
}

void TPaginaGravacao::Avanca(TPaginaAssistente *pagina) { Assistente()->mostra(pagina); }

void TPaginaGravacao::Encerra()
{
    if (dmDadosResp)
        dmDadosResp->EncerraAssistente = true;
    Assistente()->fecha();
}

bool TeclaDaPagina(QWidget *janela, QKeyEvent *event, const std::function<void()> &avanca,
                   const std::function<bool(QWidget *foco)> &abreLinha)
{
    QWidget *foco = QApplication::focusWidget();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        if (auto *b = qobject_cast<QPushButton *>(foco); b && b->isEnabled())
            b->click();
        else if (!(abreLinha && abreLinha(foco)))
            avanca();
        return true;
    }
    if (event->key() == Qt::Key_F1) {
        event->accept();
        MostraAjudaContexto(ContextoAjuda(foco ? foco : janela));
        return true;
    }
    return false;
}

void TPaginaGravacao::keyPressEvent(QKeyEvent *event)
{
    if (!TeclaDaPagina(this, event, [this] { focusNextChild(); }))
        TPaginaAssistente::keyPressEvent(event);
}

TPaginaInicial::TPaginaInicial(const char *nomeObjeto, int contextoAjuda, const QString &titulo, bool retificacao,
                               const char *nomeTexto, const QString &texto)
    : TPaginaGravacao(nomeObjeto, contextoAjuda), m_titulo(titulo)
{
    m_dados = std::make_unique<TdmDadosResp>();
    dmDadosResp = m_dados.get();
    dmDadosResp->Retificacao = retificacao;
    m_texto = TextoFixo(this, nomeTexto, texto);
    lblAno = new QLabel(QStringLiteral("Declaração Ano-Base ") + QString::number(Configuracao().AnoBase), this);
    lblAno->setObjectName(QStringLiteral("lblAno"));
    QFont negrito = lblAno->font();
    negrito.setBold(true);
    lblAno->setFont(negrito);
    Corpo->addWidget(m_texto, 1);
    Corpo->addWidget(lblAno);
    criaBotoesPadrao([] {}, [] {}, [this] { Assistente()->fecha(); });
    bbVoltar->setEnabled(false);
    pGuardaPosicao();
}

TPaginaInicial::~TPaginaInicial()
{
    if (dmDadosResp == m_dados.get())
        dmDadosResp = nullptr;
}

void TPaginaInicial::pGuardaPosicao() { dmDadosResp->TituloAssistente = m_titulo; }

void TPaginaInicial::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    bbAvancar->setFocus();
}

void TPaginaInicial::aoCancelar() { Assistente()->fecha(); }

QList<EstabelecimentoNaLista> TPaginaInicial::EstabelecimentosDoExercicio()
{
    dmDadosResp->AnoExercicio = QString::number(Configuracao().AnoBase);
    QList<EstabelecimentoNaLista> lista = EstabelecimentosDoAno(*dmDadosResp, dmDadosResp->AnoExercicio);
    if (lista.isEmpty()) {
        MostraMensagem(QStringLiteral("1700"));
        bbCancelar->setFocus();
    }
    return lista;
}

TfmGravaDecl00::TfmGravaDecl00(TfmGravaDecl02 *seguinte)
    : TPaginaInicial("fmGravaDecl00", 891, kTituloGravacao, false, "meDecl00",
                     QStringLiteral("Este assistente vai auxiliá-lo na Gravação da Declaração Vorn.")),
      m_seguinte(seguinte)
{
    meDecl00 = m_texto;
    connect(bbAvancar, &QPushButton::clicked, this, Protegido([this] { Avancar(); }));
}

void TfmGravaDecl00::Avancar()
{
    const QList<EstabelecimentoNaLista> lista = EstabelecimentosDoExercicio();
    if (lista.isEmpty())
        return;
    QList<ChaveEstabelecimento> chaves;
    QStringList linhas;
    for (const EstabelecimentoNaLista &e : lista) {
        chaves << e.Chave;
        linhas << e.Linha;
    }
    Selecao.clear();
    m_seguinte->Preenche(chaves, linhas);
    Avanca(m_seguinte);
}

TfmGravaDecl02::TfmGravaDecl02(TfmGravaDecl01 *seguinte) : TPaginaGravacao("fmGravaDecl02", 891), m_seguinte(seguinte)
{
    meDecl02 = TextoFixo(this, "meDecl02",
                         QStringLiteral("Selecione as empresas que devem ser gravadas no disquete ou drive C:"));
    meDecl02->setMaximumHeight(meDecl02->fontMetrics().height() * 3);
    clEmpresas = new TListaMarcada(this);
    clEmpresas->setObjectName(QStringLiteral("clEmpresas"));
    clEmpresas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    clEmpresas->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ckSelecionarTudo = new QCheckBox(QStringLiteral("Seleciona / Desmarca todas as empresas."), this);
    ckSelecionarTudo->setObjectName(QStringLiteral("ckSelecionarTudo"));
    connect(ckSelecionarTudo, &QCheckBox::clicked, this, [this](bool marcado) { clEmpresas->marcaTodos(marcado); });
    Corpo->addWidget(meDecl02);
    Corpo->addWidget(clEmpresas, 1);
    Corpo->addWidget(ckSelecionarTudo);
    criaBotoesPadrao([this] { Assistente()->mostra(Anterior); }, [this] { Avancar(); }, [this] { Encerra(); });
}

void TfmGravaDecl02::Preenche(const QList<ChaveEstabelecimento> &chaves, const QStringList &linhas)
{
    m_chaves = chaves;
    clEmpresas->clear();
    for (const QString &l : linhas) {
        auto *item = new QListWidgetItem(l, clEmpresas);
        item->setCheckState(Qt::Unchecked);
    }
    ckSelecionarTudo->setChecked(false);
}

void TfmGravaDecl02::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    bbVoltar->setEnabled(true);
    bbAvancar->setEnabled(true);
    bbAvancar->setFocus();
}

void TfmGravaDecl02::aoCancelar() { Encerra(); }

void TfmGravaDecl02::Avancar()
{
    if (QtdMarcados(clEmpresas) == 0) {
        MostraMensagem(QStringLiteral("1301"));
        clEmpresas->setFocus();
        return;
    }
    QList<ChaveEstabelecimento> &selecao = Anterior->Selecao;
    selecao.clear();
    for (int i = 0; i < clEmpresas->count(); ++i)
        if (clEmpresas->item(i)->checkState() == Qt::Checked)
            selecao << m_chaves.value(i);
    Avanca(m_seguinte);
}

std::unique_ptr<TfmAssistente> CriaGravacao(QWidget *parent)
{
    auto assistente = std::make_unique<TfmAssistente>(kTituloGravacao, parent);
    assistente->setObjectName(QStringLiteral("fmGravaDecl"));
    assistente->setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto *p04 = new TfmGravaDecl04;
    auto *p03 = new TfmGravaDecl03(p04);
    auto *p01 = new TfmGravaDecl01(p03);
    auto *p02 = new TfmGravaDecl02(p01);
    auto *p00 = new TfmGravaDecl00(p02);
    // Page 02 goes back to page 00, page 01 to page 02; 01 and 03 work on the selection kept by page 00.
    p02->Anterior = p00;
    p01->Anterior = p02;
    p01->Selecao = &p00->Selecao;
    p03->Selecao = &p00->Selecao;
    for (TPaginaAssistente *p : {static_cast<TPaginaAssistente *>(p00), static_cast<TPaginaAssistente *>(p02),
                                 static_cast<TPaginaAssistente *>(p01), static_cast<TPaginaAssistente *>(p03),
                                 static_cast<TPaginaAssistente *>(p04)})
        assistente->adiciona(p);
    return assistente;
}

} // namespace gdvorn
