#include "entry/ufmAssistentesVinculos.h"

#include "app/QtProgresso.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "entry/ufmAltVinculo.h"
#include "entry/ugDadosEmpreg.h"
#include "entry/ugInscricaoEstab.h"
#include "entry/ufmCopEstab.h"
#include "entry/ufmExclMult.h"

#include "rules/ugRegrasInscricao.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

QString AnoBaseAssistente() { return QString::number(Configuracao().AnoBase); }

QLabel *PainelAnoBase(QWidget *pai)
{
    auto *l = new QLabel(QStringLiteral("Informações do Ano-Base ") + AnoBaseAssistente(), pai);
    l->setObjectName(QStringLiteral("paInfo"));
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    return l;
}

QPlainTextEdit *MemoDicas(QWidget *pai, const char *nome, const QStringList &linhas)
{
    auto *m = new QPlainTextEdit(linhas.join(QLatin1Char('\n')), pai);
    m->setObjectName(QLatin1String(nome));
    m->setReadOnly(true);
    m->setFocusPolicy(Qt::NoFocus);
    m->setFrameShape(QFrame::NoFrame);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

QComboBox *ComboEstabelecimentos(QWidget *pai, const char *nome)
{
    auto *c = new QComboBox(pai);
    c->setObjectName(QLatin1String(nome));
    c->setEditable(false);
    c->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    QObject::connect(c, &QComboBox::currentTextChanged, c, [c](const QString &t) { c->setToolTip(t); });
    return c;
}

void CarregaEstabelecimentosChave(QComboBox *combo, const QString &ano)
{
    combo->clear();
    for (const EstabelecimentoListado &e : ListaEstabelecimentosComVinculos(ano))
        combo->addItem(e.Linha, QStringList{e.Chave.AnBase, e.Chave.Inscricao, e.Chave.Prefixo});
    combo->setCurrentIndex(-1);
    combo->setToolTip(QString());
}

bool EstabelecimentoEscolhido(const QComboBox *combo, ChaveEstabelecimento &chave)
{
    if (combo->currentIndex() < 0 || combo->currentText().trimmed().isEmpty())
        return false;
    const QStringList c = combo->currentData().toStringList();
    chave = {c.value(0), c.value(1), c.value(2)};
    return true;
}

TListaMarcada *ListaVinculosMarcada(QWidget *pai, const char *nome)
{
    auto *l = new TListaMarcada(pai);
    l->setObjectName(QLatin1String(nome));
    l->setFont(QFont(QStringLiteral("DejaVu Sans Mono")));
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return l;
}

void CarregaVinculosChave(TListaMarcada *lista, const ChaveEstabelecimento &estab, const QString &ordem)
{
    lista->clear();
    for (const VinculoMarcavel &v : ListaVinculos(estab, ordem)) {
        auto *item = new QListWidgetItem(v.Linha, lista);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, v.Chave);
    }
}

QList<ChaveVinculo> VinculosMarcados(const TListaMarcada *lista)
{
    QList<ChaveVinculo> r;
    for (int i = 0; i < lista->count(); ++i)
        if (lista->item(i)->checkState() == Qt::Checked)
            r << lista->item(i)->data(Qt::UserRole).toStringList();
    return r;
}

void AvisaOperacaoAbertaEstab(const ChaveEstabelecimento &estab)
{
    Table &empresa = dmEntradaDados->ta8Empresa;
    const bool aberta = empresa.Active();
    AvisaOperacaoAberta(estab.AnBase, estab.Inscricao, estab.Prefixo);
    if (!aberta)
        empresa.Close();
}

QGroupBox *GrupoEstabelecimento(QWidget *pai, const char *const nomes[3], const QStringList &legendas,
                                QLineEdit *&inscricao, QLineEdit *&prefixo, QLineEdit *&nome)
{
    auto *g = new QGroupBox(QStringLiteral("Estabelecimento selecionado "), pai);
    auto *f = new QFormLayout(g);
    QLineEdit **caixas[3] = {&inscricao, &prefixo, &nome};
    for (int i = 0; i < 3; ++i) {
        QLineEdit *e = CaixaSoLeitura(g, nomes[i]);
        f->addRow(legendas.value(i), e);
        *caixas[i] = e;
    }
    return g;
}

QString InscricaoListada(const QString &linha) { return linha.left(18).trimmed(); }
QString NomeListado(const QString &linha) { return linha.mid(24).trimmed(); }

bool PassaMarcados(const TListaMarcada *lista, QList<ChaveVinculo> &destino)
{
    const QList<ChaveVinculo> marcados = VinculosMarcados(lista);
    if (marcados.isEmpty()) {
        MostraMensagem(QStringLiteral("1310"));
        return false;
    }
    destino = marcados;
    return true;
}

QString ConfereEstabelecimento(QComboBox *combo, ChaveEstabelecimento &estab, const RegrasEscolha &regras)
{
    if (!EstabelecimentoEscolhido(combo, estab)) {
        MostraMensagem(QStringLiteral("1301"));
        combo->setFocus();
        return QString();
    }
    const QString digitos = TiraMascara(estab.Inscricao.trimmed());
    const QString classe = regras.aceitaCpf && digitos.size() == 11
                               ? CriticaInscricaoResponsavel(QStringLiteral("000") + digitos, 11)
                               : ClasseInscricaoEstab(digitos);
    if (regras.avisaAntes)
        AvisaOperacaoAbertaEstab(estab);
    const bool aceita = classe == QLatin1String("0050") || classe == QLatin1String("0051") ||
                        classe == QLatin1String("0052") || (regras.aceitaCpf && classe == QLatin1String("0056"));
    if (!aceita) {
        MostraMensagem(classe);
        return QString();
    }
    if (!regras.avisaAntes)
        AvisaOperacaoAbertaEstab(estab);
    if (regras.extra && !regras.extra(estab))
        return QString();
    if (ContaVinculosEstab(estab).vinculos == 0) {
        MostraMensagem(QStringLiteral("1302"));
        combo->setFocus();
        return QString();
    }
    return classe;
}

TPaginaEscolhaEstab::TPaginaEscolhaEstab(const char *nomeObjeto, const char *nomeCombo, const Textos &textos,
                                         RegrasEscolha regras, Escolhido escolhido)
    : TPaginaAssistente(nomeObjeto), m_regras(std::move(regras)), m_escolhido(std::move(escolhido))
{
    if (!textos.rotulo.isEmpty())
        Corpo->addWidget(RotuloAssistente(this, textos.rotulo));
    Corpo->addWidget(PainelAnoBase(this));
    if (!textos.instrucoes.isEmpty())
        Corpo->addWidget(MemoDicas(this, "meInstrucoes", textos.instrucoes), 1);
    cbEstabelecimento = ComboEstabelecimentos(this, nomeCombo);
    Corpo->addWidget(cbEstabelecimento);
    if (textos.instrucoes.isEmpty())
        Corpo->addStretch();
    btVoltar = criaBotao("btVoltar", textos.voltar, [this] { Assistente()->mostra(Anterior); });
    btAvancar = criaBotao("btAvancar", textos.avancar, [this] { Avancar(); });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Assistente()->fecha(); });
}

void TPaginaEscolhaEstab::aoMostrar()
{
    CarregaEstabelecimentosChave(cbEstabelecimento, AnoBaseAssistente());
    btAvancar->setDefault(true);
    cbEstabelecimento->setFocus();
}

void TPaginaEscolhaEstab::Avancar()
{
    ChaveEstabelecimento estab;
    const QString classe = ConfereEstabelecimento(cbEstabelecimento, estab, m_regras);
    if (classe.isEmpty())
        return;
    m_escolhido(estab, classe, cbEstabelecimento->currentText());
    Assistente()->mostra(Seguinte);
}

QLabel *RotuloAssistente(QWidget *pai, const QString &texto)
{
    auto *l = new QLabel(texto, pai);
    l->setWordWrap(true);
    return l;
}

QLineEdit *CaixaSoLeitura(QWidget *pai, const char *nome)
{
    auto *e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setBackgroundRole(QPalette::Button);
    QObject::connect(e, &QLineEdit::textChanged, e, [e](const QString &t) { e->setToolTip(t); });
    return e;
}

void ExecucaoComBarra::cancela()
{
    if (m_progresso)
        m_progresso->solicitaCancelamento();
}

std::optional<int> ExecucaoComBarra::executa(const std::function<std::optional<int>(Progresso &)> &operacao)
{
    QtProgresso progresso(m_barra);
    m_barra->setVisible(true);
    m_progresso = &progresso;
    struct Fim {
        ExecucaoComBarra *e;
        ~Fim() { e->m_progresso = nullptr; }
    } fim{this};
    return operacao(progresso);
}

QProgressBar *TPaginaConclusaoVinculos::montaConclusao(const QString &legendaTotal, const char *nomeBarra,
                                                       const QString &legendaVoltar)
{
    auto *total = new QHBoxLayout;
    total->addWidget(new QLabel(legendaTotal, this));
    edTotalEmpregados = CaixaSoLeitura(this, "edTotalEmpregados");
    total->addWidget(edTotalEmpregados);
    Corpo->addLayout(total);
    m_barra = new QProgressBar(this);
    m_barra->setObjectName(QLatin1String(nomeBarra));
    m_barra->setVisible(false);
    Corpo->addWidget(m_barra);
    Corpo->addStretch();
    m_execucao = ExecucaoComBarra(m_barra);
    btVoltar = criaBotao("btVoltar", legendaVoltar, [this] {
        Marcados.clear();
        Assistente()->mostra(paginaAnterior());
    });
    btConcluir = criaBotao("btConcluir", QStringLiteral("&Concluir"), [this] { Concluir(); });
    btCancelar = criaBotao("btCancelar", QStringLiteral("C&ancelar"), [this] { aoCancelar(); });
    return m_barra;
}

void TPaginaConclusaoVinculos::mostraConclusao()
{
    edTotalEmpregados->setText(QString::number(Marcados.size()));
    m_barra->setVisible(false);
    btConcluir->setDefault(true);
}

void TPaginaConclusaoVinculos::aoCancelar()
{
    if (m_execucao.emCurso()) {
        m_execucao.cancela();
        return;
    }
    Marcados.clear();
    Assistente()->fecha();
}

std::unique_ptr<TfmAssistente> CriaAssistenteVinculos(AssistenteVinculos qual, QWidget *parent,
                                                      EscolhaTipoInscricao escolha)
{
    switch (qual) {
    case AssistenteVinculos::Transferencia:
        return CriaCopEstab(parent, std::move(escolha));
    case AssistenteVinculos::Exclusao:
        return CriaExclMult(parent);
    case AssistenteVinculos::CodigoVinculo:
        break;
    }
    return CriaAltVinculo(parent);
}

} // namespace gdvorn
