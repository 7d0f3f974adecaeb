#include "entry/ufmCopEstab.h"

#include "app/QtModal.h"
#include "app/QtPortaoSaida.h"
#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "rules/ugRegrasInscricao.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>


namespace gdvorn {

namespace {

const QString kLegenda = QStringLiteral("Assistente - Transferir empregados para outra inscrição");
const QString kMascaraDigitos = QStringLiteral("99999999999999;0;_");
const QString kMascaraCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
const QString kMascaraCei = QStringLiteral("99\\-999\\-99\\.999\\-9\\/9;0;_");

} // namespace

TfmCopEstabRegras::TfmCopEstabRegras(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmCopEstabRegras"));
    setWindowTitle(QStringLiteral("Regras de transferência"));
    auto *l = new QVBoxLayout(this);
    meRegras = MemoDicas(
        this, "meRegras",
        {QStringLiteral("Quanto ao empregador de destino:"),
         QStringLiteral("1) Estabelecimento de destino não existe na base:"),
         QStringLiteral("Será gerado automaticamente um estabelecimento com a inscrição e prefixo informado. "),
         QStringLiteral("As informações referentes ao cadastramento (Nome/ Firma/ Razão Social, Logradouro,....) "),
         QStringLiteral("NÃO serão copiadas do estabelecimento de origem. Todos os empregados serão "),
         QStringLiteral("transferidos para o novo estabelecimento (inscrição/prefixo)."),
         QStringLiteral("2) Estabelecimento de destino existe na base:"), QStringLiteral("Não será efetuada a cópia. ")});
    l->addWidget(meRegras, 1);
    BtFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    BtFechar->setObjectName(QStringLiteral("BtFechar"));
    BtFechar->setDefault(true);
    connect(BtFechar, &QPushButton::clicked, this, &QDialog::accept);
    auto *b = new QHBoxLayout;
    b->addStretch();
    b->addWidget(BtFechar);
    l->addLayout(b);
    resize(620, 300);
}

TfmCopEstab00::TfmCopEstab00()
    : TPaginaIntroducaoVinculos("fmCopEstab00",
                                {QStringLiteral("Este   assistente  permite  que  você  transfira  TODOS os "),
                                 QStringLiteral("empregados   de  um   estabelecimento   (inscrição/prefixo)"),
                                 QStringLiteral("para outro estabelecimento (inscrição/prefixo)."),
                                 QStringLiteral("O  estabelecimento de  origem  permanece  na base, ficando "),
                                 QStringLiteral("a critério do usuário a sua exclusão. Todos  os empregados "),
                                 QStringLiteral("serão transferidos para o estabelecimento de destino. "),
                                 QStringLiteral("A transferência de informações possui regras bem definidas "),
                                 QStringLiteral("que você deve conhecer.")},
                                QStringLiteral("<&Voltar"), QStringLiteral("&Avançar>"), [this] {
                                    TfmCopEstabRegras regras(this);
                                    ExecutaModal(regras);
                                })
{
}

TfmCopEstab02::TfmCopEstab02(ChaveEstabelecimento &origem) : TPaginaAssistente("fmCopEstab02"), m_origem(origem)
{
    Corpo->addWidget(MemoDicas(this, "meInstrucoes",
                               {QStringLiteral("Selecione os empregados que serão transferidos e clique no "),
                                QStringLiteral("botão Avançar.")}));
    clVinculos = ListaVinculosMarcada(this, "clVinculos");
    Corpo->addWidget(clVinculos, 1);
    auto *selecao = new QGroupBox(QStringLiteral("Seleção  "), this);
    auto *ls = new QHBoxLayout(selecao);
    rbSelecaoTodos = new QRadioButton(QStringLiteral("Todos empregados"), selecao);
    rbSelecaoTodos->setObjectName(QStringLiteral("rbSelecaoTodos"));
    rbSelecaoLimpar = new QRadioButton(QStringLiteral("Limpar"), selecao);
    rbSelecaoLimpar->setObjectName(QStringLiteral("rbSelecaoLimpar"));
    ls->addWidget(rbSelecaoTodos);
    ls->addWidget(rbSelecaoLimpar);
    connect(rbSelecaoTodos, &QRadioButton::clicked, this, [this] { clVinculos->marcaTodos(true); });
    connect(rbSelecaoLimpar, &QRadioButton::clicked, this, [this] { clVinculos->marcaTodos(false); });
    Corpo->addWidget(selecao);
    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [this] { Assistente()->mostra(Anterior); });
    btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] {
        if (PassaMarcados(clVinculos, Seguinte->Marcados) && SemColisao(Seguinte->Marcados))
            Assistente()->mostra(Seguinte);
    });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Assistente()->fecha(); });
}

void TfmCopEstab02::aoMostrar()
{
    CarregaVinculosChave(clVinculos, m_origem, QStringLiteral("0"));
    for (QRadioButton *rb : {rbSelecaoTodos, rbSelecaoLimpar}) {
        rb->setAutoExclusive(false);
        rb->setChecked(false);
        rb->setAutoExclusive(true);
    }
    btAvancar->setDefault(true);
    clVinculos->setFocus();
    if (clVinculos->count() > 0)
        clVinculos->setCurrentRow(0);
}

bool TfmCopEstab02::SemColisao(const QList<ChaveVinculo> &marcados)
{
    const std::optional<std::pair<int, int>> colisao = ColisaoNaTransferencia(marcados);
    if (!colisao)
        return true;
    // The ticked lines, in the order of `marcados`; the two lines may read the same, so each is told with
    // what tells them apart.
    QList<QListWidgetItem *> itens;
    for (int i = 0; i < clVinculos->count(); ++i)
        if (clVinculos->item(i)->checkState() == Qt::Checked)
            itens << clVinculos->item(i);
    const auto descreve = [&](int i) {
        const auto campo = [&](const char *nome) {
            return marcados.at(i).value(int(CamposChaveVinculo().indexOf(QLatin1String(nome))));
        };
        const QString tipo = campo("InInscrEstabelecimento");
        return QStringLiteral("%1 (CEI vinculado %2, inscrição %3)")
            .arg(itens.value(i) ? itens.value(i)->text().trimmed() : campo("CoPisPasepEmpregado"), campo("CoCgcVinculado"),
                 tipo == QLatin1String("1") ? QStringLiteral("CNPJ") : tipo == QLatin1String("3") ? QStringLiteral("CEI") : tipo);
    };
    presenter().show(MessageKind::Warning,
                     QStringLiteral("Os empregados abaixo ficariam iguais no estabelecimento de destino, pois "
                                    "diferem apenas no CEI vinculado ou no tipo de inscrição, que a transferência "
                                    "substitui:\n\n%1\n%2\n\nDesmarque um deles para continuar.")
                         .arg(descreve(colisao->first), descreve(colisao->second)),
                     {MessageButton::Ok});
    clVinculos->setCurrentItem(itens.value(colisao->second));
    clVinculos->setFocus();
    return false;
}

TfmCopEstab03::TfmCopEstab03(ChaveEstabelecimento &origem, EscolhaTipoInscricao escolha)
    : TPaginaConclusaoVinculos("fmCopEstab03"), m_origem(origem), m_escolha(std::move(escolha))
{
    Corpo->addWidget(RotuloAssistente(this, QStringLiteral("Informe o estabelecimento de destino (inscrição/prefixo), isto é, "
                                                 "o correto estabelecimento destes empregados.")));
    auto *grupo = new QGroupBox(QStringLiteral("Identificação do estabelecimento destino "), this);
    auto *f = new QFormLayout(grupo);
    mdCGCCEI = new MaskEdit(grupo, kMascaraDigitos);
    mdCGCCEI->setObjectName(QStringLiteral("mdCGCCEI"));
    edTipoCGCCEI = CaixaSoLeitura(grupo, "edTipoCGCCEI");
    edPrefixo = new QLineEdit(grupo);
    edPrefixo->setObjectName(QStringLiteral("edPrefixo"));
    edPrefixo->setMaxLength(2);
    auto *linha = new QHBoxLayout;
    linha->addWidget(mdCGCCEI, 1);
    linha->addWidget(edTipoCGCCEI);
    f->addRow(QStringLiteral("Inscrição CNPJ/CEI"), linha);
    f->addRow(QStringLiteral("Prefixo"), edPrefixo);
    Corpo->addWidget(grupo);
    pbTransferencia = montaConclusao(QStringLiteral("Total de empregados para transferencia:"), "pbTransferencia",
                                     QStringLiteral("<&Voltar"));
    Portao().aoEntrar(mdCGCCEI, [this] {
        if (m_criticando || m_execucao.emCurso())
            return;
        // While it has the focus the box takes the 14 digits without a mask.
        const QString digitos = TiraMascara(mdCGCCEI->text());
        mdCGCCEI->setMascara(kMascaraDigitos);
        mdCGCCEI->setText(InscricaoDestino.isEmpty() ? digitos : InscricaoDestino);
    });
    auto checa = [this] {
        const QWidget *agora = QApplication::focusWidget();
        return !m_criticando && !m_execucao.emCurso() && agora != btVoltar && agora != btCancelar;
    };
    auto critica = [this](bool (TfmCopEstab03::*sai)()) {
        return [this, sai] {
            const Sinalizando criticando(m_criticando);
            if (!(this->*sai)())
                Abort();
        };
    };
    Portao().aoSair(mdCGCCEI, critica(&TfmCopEstab03::SaiInscricao), checa);
    Portao().aoSair(edPrefixo, critica(&TfmCopEstab03::SaiPrefixo), checa);
}

void TfmCopEstab03::esquece()
{
    InscricaoDestino.clear();
    TipoDestino.clear();
    mdCGCCEI->setMascara(kMascaraDigitos);
    mdCGCCEI->clear();
    edTipoCGCCEI->clear();
    edPrefixo->clear();
}

void TfmCopEstab03::aoMostrar()
{
    esquece();
    mostraConclusao();
    m_criticando = true;
    mdCGCCEI->setFocus();
    m_criticando = false;
}

bool TfmCopEstab03::SaiInscricao()
{
    QString inscricao = TiraMascara(mdCGCCEI->text()).trimmed();
    if (inscricao.size() == 12)
        inscricao.prepend(QStringLiteral("00"));
    QString classe = CriticaInscricao(inscricao);
    if (classe == QLatin1String("0050")) {
        const QString tipo = m_escolha ? m_escolha() : QString();
        classe = tipo == QLatin1String("CEI") ? QStringLiteral("0052") : QStringLiteral("0051");
    }
    InscricaoDestino.clear();
    TipoDestino.clear();
    edTipoCGCCEI->clear();
    if (classe == QLatin1String("0051")) {
        InscricaoDestino = inscricao;
        TipoDestino = QStringLiteral("1");
        edTipoCGCCEI->setText(QStringLiteral("CNPJ"));
        mdCGCCEI->setMascara(kMascaraCnpj);
        mdCGCCEI->mostraArmazenado(inscricao);
    } else if (classe == QLatin1String("0052")) {
        InscricaoDestino = inscricao;
        TipoDestino = QStringLiteral("3");
        edTipoCGCCEI->setText(QStringLiteral("CEI"));
        mdCGCCEI->setMascara(kMascaraCei);
        mdCGCCEI->mostraArmazenado(inscricao.right(12));
    } else {
        MostraMensagem(classe);
        mdCGCCEI->setFocus();
        return false;
    }
    edPrefixo->setFocus();
    return true;
}

bool TfmCopEstab03::SaiPrefixo()
{
    const QString prefixo = edPrefixo->text().trimmed();
    if (prefixo.isEmpty()) {
        edPrefixo->setText(QStringLiteral("00"));
        return true;
    }
    const QString codigo = CriticaPrefixo(prefixo);
    if (codigo != QLatin1String("0000")) {
        MostraMensagem(codigo);
        edPrefixo->setFocus();
        return false;
    }
    return true;
}

void TfmCopEstab03::Concluir()
{
    if (m_execucao.emCurso())
        return;
    const Sinalizando criticando(m_criticando);
    // The destination is checked again as a whole (inscription and its type, then the prefix), whatever
    // box the focus came from; the first failure stops.
    if (InscricaoDestino.isEmpty() || CriticaInscricaoPorTipo(InscricaoDestino, TipoDestino) != QLatin1String("0000")) {
        if (!SaiInscricao())
            return;
    }
    if (!SaiPrefixo())
        return;
    const ChaveEstabelecimento destino{AnoBaseAssistente(), InscricaoDestino, edPrefixo->text().trimmed()};
    if (CampoEstabelecimento(destino, QStringLiteral("AnBase"))) {
        MostraMensagem(QStringLiteral("1308"));
        mdCGCCEI->setFocus();
        return;
    }
    btVoltar->setEnabled(false);
    btConcluir->setEnabled(false);
    const DestinoTransferencia d{destino, TipoDestino};
    const std::optional<int> movidos =
        m_execucao.executa([this, &d](Progresso &p) { return TransfereVinculos(m_origem, d, Marcados, p); });
    btVoltar->setEnabled(true);
    btConcluir->setEnabled(true);
    Marcados.clear();
    esquece();
    if (movidos)
        MostraMensagem(QStringLiteral("1309"));
    Assistente()->fecha();
}

std::unique_ptr<TfmAssistente> CriaCopEstab(QWidget *parent, EscolhaTipoInscricao escolha)
{
    auto assistente = std::make_unique<TfmAssistente>(kLegenda, parent);
    assistente->setObjectName(QStringLiteral("fmCopEstab"));
    auto *p00 = new TfmCopEstab00;
    RegrasEscolha regras;
    regras.aceitaCpf = true;
    regras.avisaAntes = true;
    // The source's linked CEI must be zeros or a valid CEI.
    regras.extra = [](const ChaveEstabelecimento &e) {
        const QString cei = CampoEstabelecimento(e, QStringLiteral("CoCgcVinculado")).value_or(QString());
        if (CriticaCeiVinculado(cei) == QLatin1String("0000"))
            return true;
        MostraMensagem(QStringLiteral("1311"));
        return false;
    };
    auto *p01 = new TPaginaEscolhaEstab(
        "fmCopEstab01", "cbEstabelecimento",
        {QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui os empregados que deseja "
                        "transferir."),
         {}, QStringLiteral("<&Voltar"), QStringLiteral("&Avançar>")},
        std::move(regras), [&origem = p00->Origem](const ChaveEstabelecimento &estab, const QString &, const QString &) {
            origem = estab;
        });
    auto *p02 = new TfmCopEstab02(p00->Origem);
    auto *p03 = new TfmCopEstab03(p00->Origem, std::move(escolha));
    p00->Seguinte = p01;
    p01->Anterior = p00;
    p01->Seguinte = p02;
    p02->Anterior = p01;
    p02->Seguinte = p03;
    p03->Anterior = p02;
    for (TPaginaAssistente *p : std::initializer_list<TPaginaAssistente *>{p00, p01, p02, p03})
        assistente->adiciona(p);
    return assistente;
}

} // namespace gdvorn
