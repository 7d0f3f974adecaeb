#include "entry/ufmAltVinculo.h"

#include "entry/ugDadosEmpreg.h"

#include "app/QtPortaoSaida.h"
#include "app/base/Abort.h"
#include "app/base/Table.h"
#include "app/ugExcecao.h"
#include "app/ugMensagens.h"
#include "rules/ugRegrasContrato.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kLegenda = QStringLiteral("Assistente para Alterar Código de Vínculo de todos Empregados/Servidores");
const char *const kCaixas[3] = {"EdMostraCGC", "EdMostraPrefixo", "EdMostraNome"};
const QStringList kLegendas{QStringLiteral("Inscrição CNPJ/CEI"), QStringLiteral("Prefixo"),
                            QStringLiteral("Nome/Firma/Razão Social do Estabelecimento")};

} // namespace

TfmAltVinculo00::TfmAltVinculo00()
    : TPaginaIntroducaoVinculos("fmAltVinculo00",
                                {QStringLiteral("Este assistente permite que você altere o código de vínculo "),
                                 QStringLiteral("de TODOS os empregados/servidor de um estabelecimento "),
                                 QStringLiteral("(inscrição/prefixo). "),
                                 QStringLiteral("Caso os empregados/servidores a alterar estejam em prefixos "),
                                 QStringLiteral("diferentes, o procedimento deverá ser executado novamente "),
                                 QStringLiteral("para o "), QStringLiteral("outro prefixo.")},
                                QStringLiteral("< &Voltar"), QStringLiteral("&Avançar >"))
{
}

TfmAltVinculo02::TfmAltVinculo02(EstadoAltVinculo &estado)
    : TPaginaAssistente("fmAltVinculo02"), m_estado(estado), m_execucao(nullptr)
{
    Corpo->addWidget(RotuloAssistente(this, QStringLiteral("Selecione o código do vínculo que deverá constar para todos os "
                                                 "empregados/servidores.")));
    Corpo->addWidget(GrupoEstabelecimento(this, kCaixas, kLegendas, EdMostraCGC, EdMostraPrefixo, EdMostraNome));
    auto *grupo = new QGroupBox(QStringLiteral("Código do Vínculo do Empregado/Servidor"), this);
    auto *lg = new QHBoxLayout(grupo);
    llVinculo = new QListWidget(grupo);
    llVinculo->setObjectName(QStringLiteral("llVinculo"));
    llVinculo->setMaximumWidth(80);
    dbcdDescrVinculo = CaixaSoLeitura(grupo, "dbcdDescrVinculo");
    lg->addWidget(llVinculo);
    lg->addWidget(dbcdDescrVinculo, 1, Qt::AlignTop);
    Corpo->addWidget(grupo, 1);
    {
        Table tipos(QStringLiteral("tb8vinc"));
        tipos.Open();
        for (tipos.First(); !tipos.Eof(); tipos.Next()) {
            auto *item = new QListWidgetItem(tipos.FieldByName(QStringLiteral("CoVinculo")).AsString(), llVinculo);
            item->setData(Qt::UserRole, tipos.FieldByName(QStringLiteral("NoVinculo")).AsString());
        }
    }
    connect(llVinculo, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        dbcdDescrVinculo->setText(item ? item->data(Qt::UserRole).toString() : QString());
        CodigoAceito.clear();
    });
    connect(llVinculo, &QListWidget::itemClicked, this, [this] {
        if (!m_criticando)
            Protege([this] { ConfereCodigo(); });
    });
    pbAlteracao = new QProgressBar(this);
    pbAlteracao->setObjectName(QStringLiteral("pbAlteracao"));
    pbAlteracao->setVisible(false);
    Corpo->addWidget(pbAlteracao);
    m_execucao = ExecucaoComBarra(pbAlteracao);
    btVoltar = criaBotao("btVoltar", QStringLiteral("< &Voltar"), [this] { Assistente()->mostra(Anterior); });
    btConcluir = criaBotao("btConcluir", QStringLiteral("&Concluir"), [this] { Concluir(); });
    btCancelar = criaBotao("btCancelar", QStringLiteral("C&ancelar"), [this] { aoCancelar(); });
    Portao().aoSair(
        llVinculo,
        [this] {
            const Sinalizando criticando(m_criticando);
            if (!ConfereCodigo())
                Abort();
        },
        [this] { return !m_criticando && !m_execucao.emCurso() && QApplication::focusWidget() != btCancelar; });
}

void TfmAltVinculo02::aoMostrar()
{
    m_criticando = true;
    llVinculo->setCurrentRow(-1);
    llVinculo->clearSelection();
    dbcdDescrVinculo->clear();
    CodigoAceito.clear();
    pbAlteracao->setVisible(false);
    btConcluir->setDefault(true);
    llVinculo->setFocus();
    m_criticando = false;
}

bool TfmAltVinculo02::ConfereCodigo()
{
    const QListWidgetItem *item = llVinculo->currentItem();
    const QString codigo = item ? item->text().trimmed() : QString();
    // A code valid for both kinds of number follows the type stored with the establishment.
    QString tipo;
    if (m_estado.Classe == QLatin1String("0051"))
        tipo = QStringLiteral("1");
    else if (m_estado.Classe == QLatin1String("0052"))
        tipo = QStringLiteral("3");
    else
        tipo = CampoEstabelecimento(m_estado.Estab, QStringLiteral("InInscrEstabelecimento")).value_or(QString());
    if (CriticaTipoVinculo(codigo, tipo) != QLatin1String("0000")) {
        CodigoAceito.clear();
        MostraMensagem(QStringLiteral("1307"));
        llVinculo->setFocus();
        return false;
    }
    CodigoAceito = codigo;
    return true;
}

void TfmAltVinculo02::aoCancelar()
{
    if (m_execucao.emCurso()) {
        m_execucao.cancela();
        return;
    }
    Assistente()->fecha();
}

void TfmAltVinculo02::Concluir()
{
    if (m_execucao.emCurso())
        return;
    if (CodigoAceito.isEmpty()) {
        if (!llVinculo->currentItem()) {
            MostraMensagem(QStringLiteral("1306"));
            llVinculo->setFocus();
            return;
        }
        if (!ConfereCodigo())
            return;
    }
    if (ContaVinculosEstab(m_estado.Estab).vinculos == 0) {
        MostraMensagem(QStringLiteral("1304"));
        return;
    }
    btVoltar->setEnabled(false);
    btConcluir->setEnabled(false);
    const QString codigo = CodigoAceito;
    const std::optional<int> alterados =
        m_execucao.executa([this, &codigo](Progresso &p) { return AlteraCodigoVinculo(m_estado.Estab, codigo, p); });
    btVoltar->setEnabled(true);
    btConcluir->setEnabled(true);
    if (alterados)
        MostraMensagem(QStringLiteral("1305"));
    Assistente()->fecha();
}

std::unique_ptr<TfmAssistente> CriaAltVinculo(QWidget *parent)
{
    auto assistente = std::make_unique<TfmAssistente>(kLegenda, parent);
    assistente->setObjectName(QStringLiteral("fmAltVinculo"));
    auto *p00 = new TfmAltVinculo00;
    auto *p02 = new TfmAltVinculo02(p00->Estado);
    auto *p01 = new TPaginaEscolhaEstab(
        "fmAltVinculo01", "cbSelecaoEstab",
        {QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que você deseja alterar o código de vínculo "
                        "para todos os empregados."),
         {}, QStringLiteral("< &Voltar"), QStringLiteral("&Avançar >")},
        {}, [&estado = p00->Estado, p02](const ChaveEstabelecimento &estab, const QString &classe, const QString &linha) {
            estado = {estab, classe};
            p02->EdMostraCGC->setText(InscricaoListada(linha));
            p02->EdMostraPrefixo->setText(estab.Prefixo);
            p02->EdMostraNome->setText(
                CampoEstabelecimento(estab, QStringLiteral("NoRazaoEstabelecimento")).value_or(QString()));
        });
    p00->Seguinte = p01;
    p01->Anterior = p00;
    p01->Seguinte = p02;
    p02->Anterior = p01;
    for (TPaginaAssistente *p : std::initializer_list<TPaginaAssistente *>{p00, p01, p02})
        assistente->adiciona(p);
    return assistente;
}

} // namespace gdvorn
