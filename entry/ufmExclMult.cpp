#include "entry/ufmExclMult.h"

#include "app/base/Presenter.h"
#include "app/ugMensagens.h"

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

const QString kLegenda = QStringLiteral("Assistente para Exclusão de Múltiplos Empregados/Servidores");
const char *const kCaixas[3] = {"edInscricao", "edPrefixo", "edNomeEstabelecimento"};
const QStringList kLegendas{QStringLiteral("Inscrição CNPJ/CEI"), QStringLiteral("Prefixo"),
                            QStringLiteral("Nome/Firma/Razão Social do Estabelecimento")};

void mostraEstab(const EstadoExclMult &e, QLineEdit *inscricao, QLineEdit *prefixo, QLineEdit *nome)
{
    inscricao->setText(e.InscricaoListada);
    prefixo->setText(e.Prefixo);
    nome->setText(e.Nome);
}

} // namespace

TfmExclMult00::TfmExclMult00()
    : TPaginaIntroducaoVinculos("fmExclMult00",
                                {QStringLiteral("Este assistente permite que você exclua mais de um "),
                                 QStringLiteral("empregado/servidor  de  um  estabelecimento"),
                                 QStringLiteral("(inscrição/prefixo). "),
                                 QStringLiteral("Você deve ter certeza que deseja excluir os "),
                                 QStringLiteral("empregados/servidores."),
                                 QStringLiteral("Se você tem certeza que deseja  excluir vários "),
                                 QStringLiteral("empregados/servidores,  clique em <Avançar>.")},
                                QStringLiteral("< &Voltar"), QStringLiteral("&Avançar >"))
{
}

TfmExclMult02::TfmExclMult02(EstadoExclMult &estado) : TPaginaAssistente("fmExclMult02"), m_estado(estado)
{
    Corpo->addWidget(GrupoEstabelecimento(this, kCaixas, kLegendas, edInscricao, edPrefixo, edNomeEstabelecimento));
    auto *rgOrdem = new QGroupBox(QStringLiteral("Ordenar Empregados/Servidores por"), this);
    rgOrdem->setObjectName(QStringLiteral("rgOrdem"));
    auto *l = new QVBoxLayout(rgOrdem);
    rbPis = new QRadioButton(QStringLiteral("Código Pis/Pasep"), rgOrdem);
    rbPis->setObjectName(QStringLiteral("rbPis"));
    rbNome = new QRadioButton(QStringLiteral("Nome Empregado/Servidor"), rgOrdem);
    rbNome->setObjectName(QStringLiteral("rbNome"));
    rbPis->setChecked(true);
    l->addWidget(rbPis);
    l->addWidget(rbNome);
    Corpo->addWidget(rgOrdem);
    Corpo->addStretch();
    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [this] { Assistente()->mostra(Anterior); });
    btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] {
        CarregaVinculosChave(Seguinte->clVinculos, m_estado.Estab,
                             rbPis->isChecked() ? QStringLiteral("0") : QStringLiteral("1"));
        Assistente()->mostra(Seguinte);
    });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Assistente()->fecha(); });
}

void TfmExclMult02::aoMostrar()
{
    mostraEstab(m_estado, edInscricao, edPrefixo, edNomeEstabelecimento);
    btAvancar->setDefault(true);
    (rbPis->isChecked() ? rbPis : rbNome)->setFocus();
}

TfmExclMult03::TfmExclMult03(EstadoExclMult &estado) : TPaginaAssistente("fmExclMult03"), m_estado(estado)
{
    Corpo->addWidget(MemoDicas(this, "meInstrucoes",
                               {QStringLiteral("Selecione os empregados/servidores que deseja "),
                                QStringLiteral("excluir e clique no botão Avançar.")}));
    clVinculos = ListaVinculosMarcada(this, "clVinculos");
    Corpo->addWidget(clVinculos, 1);
    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [this] { Assistente()->mostra(Anterior); });
    btAvancar = criaBotao("btAvancar", QStringLiteral("&Avançar >"), [this] {
        if (PassaMarcados(clVinculos, Seguinte->Marcados))
            Assistente()->mostra(Seguinte);
    });
    btCancelar = criaBotao("btCancelar", QStringLiteral("&Cancelar"), [this] { Assistente()->fecha(); });
}

void TfmExclMult03::aoMostrar()
{
    clVinculos->setFocus();
    if (clVinculos->count() > 0 && !clVinculos->currentItem())
        clVinculos->setCurrentRow(0);
}

TfmExclMult04::TfmExclMult04(EstadoExclMult &estado)
    : TPaginaConclusaoVinculos("fmExclMult04"), m_estado(estado)
{
    Corpo->addWidget(GrupoEstabelecimento(this, kCaixas, kLegendas, edInscricao, edPrefixo, edNomeEstabelecimento));
    pbExclusao = montaConclusao(QStringLiteral("Total de empregados/servidores para exclusão:"), "pbExclusao",
                                QStringLiteral("< &Voltar"));
}

void TfmExclMult04::aoMostrar()
{
    mostraEstab(m_estado, edInscricao, edPrefixo, edNomeEstabelecimento);
    mostraConclusao();
    btConcluir->setFocus();
}

void TfmExclMult04::Concluir()
{
    if (m_execucao.emCurso())
        return;
    btVoltar->setEnabled(false);
    btConcluir->setEnabled(false);
    const std::optional<int> excluidos = m_execucao.executa(
        [this](Progresso &p) { return ExcluiVinculosMarcados(m_estado.Estab, Marcados, p); });
    Marcados.clear();
    btVoltar->setEnabled(true);
    btConcluir->setEnabled(true);
    if (excluidos)
        presenter().show(MessageKind::Information,
                         QString::number(*excluidos) + QStringLiteral(" Empregado(s) excluído(s) com sucesso."),
                         {MessageButton::Ok});
    Assistente()->fecha();
}

std::unique_ptr<TfmAssistente> CriaExclMult(QWidget *parent)
{
    auto assistente = std::make_unique<TfmAssistente>(kLegenda, parent);
    assistente->setObjectName(QStringLiteral("fmExclMult"));
    auto *p00 = new TfmExclMult00;
    auto *p01 = new TPaginaEscolhaEstab(
        "fmExclMult01", "cbEstabelecimentos",
        {{},
         {QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui "),
          QStringLiteral("os empregados/servidores a serem excluídos. "),
          QStringLiteral("Caso os empregados/servidores estiverem em prefixos "),
          QStringLiteral("diferentes você deverá repetir o procedimento para "), QStringLiteral("cada identificação.")},
         QStringLiteral("< &Voltar"), QStringLiteral("&Avançar >")},
        {}, [&estado = p00->Estado](const ChaveEstabelecimento &estab, const QString &, const QString &linha) {
            estado = {estab, InscricaoListada(linha), estab.Prefixo, NomeListado(linha)};
        });
    auto *p02 = new TfmExclMult02(p00->Estado);
    auto *p03 = new TfmExclMult03(p00->Estado);
    auto *p04 = new TfmExclMult04(p00->Estado);
    p00->Seguinte = p01;
    p01->Anterior = p00;
    p01->Seguinte = p02;
    p02->Anterior = p01;
    p02->Seguinte = p03;
    p03->Anterior = p02;
    p03->Seguinte = p04;
    p04->Anterior = p03;
    for (TPaginaAssistente *p : {static_cast<TPaginaAssistente *>(p00), static_cast<TPaginaAssistente *>(p01),
                                 static_cast<TPaginaAssistente *>(p02), static_cast<TPaginaAssistente *>(p03),
                                 static_cast<TPaginaAssistente *>(p04)})
        assistente->adiciona(p);
    return assistente;
}

} // namespace gdvorn
