#include "workflows/ufmPesq.h"

#include "app/QtModal.h"
#include "app/ufmGDVORN.h"
#include "app/ugExcecao.h"
#include "entry/FormEdits.h"
#include "workflows/ugPesq.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

struct Pergunta {
    const char *legenda;
    const char *dica;
};

const Pergunta perguntas[QtdPerguntasPesquisa] = {
    {"Presteza", "É esperado que uma resposta não ultrapasse o prazo fornecido pelo KUVELD."},
    {"Cordialidade", "Avaliar o quanto o funcionário do KUVELD foi solícito em atender o seu chamado."},
    {"Conclusividade", "O atendimento prestado levou-o a solução definitiva do seu chamado."},
    {"Conhecimento do serviço", "Avaliar o quanto o funcionário domina os assuntos relativos ao serviço. "},
    {"Confiabilidade nas informações prestadas", "Avaliar o quanto são precisas as informações prestadas."},
    {"Comunicação", "O quanto é clara e objetiva a comunicação do funcionário do KUVELD."},
    {"Assessoramento Técnico", "Esclarecimento de dúvidas técnicas."},
    {"Acesso ao atendimento do KUVELD", "Facilidade de contato."},
    {"Respostas sobre preenchimento da VORN",
     "Esclarecimento sobre as informações solicitadas  referentes ao empregador e a cada empregado."},
    {"Respostas sobre instalação do GDVORN", "Esclarecimentos específicos sobre a instalação do produto."},
    {"Respostas sobre o uso do GDVORN", "Esclarecimentos específicos sobre a utilização do produto."},
    {"Clareza das mensagens de erro",
     "Ajudam você a identificar o problema ocorrido, de tal forma que possa fazer a correção devida."},
    {"Documentação de orientação no uso do sistema",
     "As explicações de ajuda são claras para oferecer um eficaz entendimento do contexto."},
    {"Facilidade na utilização", "Os comandos são de rápida assimilação."},
    {"Correção dos comandos do sistema", "Grau de confiança de que os comandos são executados corretamente'."},
    {"Providências para correção de erros",
     "Facilidade que você dispõe para resolver sozinho os problemas que surgem durante o uso do sistema."},
    {"Quantidade de opções disponíveis",
     "Avaliação do quanto esta quantidade e casos especiais prejudicam a sua compreensão e uso do sistema."},
    {"Tempo de resposta", "Rapidez na operação do sistema."},
    {"Adequação às necessidades do serviço", "O produto cumpre a finalidade de facilitar a declaração da VORN."},
    {"Evolução do sistema corresponde à realidade",
     "As modificações introduzidas no produto estão alinhadas com a tecnologia disponível no mercado."},
    {"Entradas do sistema",
     "Telas para a captação de dados, importação de arquivos e restauração de cópias de segurança."},
    {"Saídas do sistema", "Relatórios, arquivos, mensagens e ajuda do sistema."},
};

// The first question of the second tab, from 0.
constexpr int PrimeiraDoSegundoTab = 11;

} // namespace

TfmPesq::TfmPesq(QWidget *parent) : EntryForm(parent)
{
    setObjectName(QStringLiteral("fmPesq"));
    setWindowTitle(QStringLiteral("Pesquisa de Satisfação"));
    pcPesquisa = new EntryTabWidget(this);
    pcPesquisa->setObjectName(QStringLiteral("pcPesquisa"));
    tsAtendimento = new QWidget;
    tsAtendimento->setObjectName(QStringLiteral("tsAtendimento"));
    tsGdvorn = new QWidget;
    tsGdvorn->setObjectName(QStringLiteral("tsGdvorn"));
    pcPesquisa->addTab(tsAtendimento, QStringLiteral("Atendimento"));
    pcPesquisa->addTab(tsGdvorn, QStringLiteral("GDVorn"));
    protegeAbas(pcPesquisa);

    auto *gradeAtendimento = new QGridLayout(tsAtendimento);
    auto *gradeGdvorn = new QGridLayout(tsGdvorn);
    for (int n = 0; n < QtdPerguntasPesquisa; ++n) {
        const bool segundo = n >= PrimeiraDoSegundoTab;
        QWidget *aba = segundo ? tsGdvorn : tsAtendimento;
        QGridLayout *grade = segundo ? gradeGdvorn : gradeAtendimento;
        // Questions 1-6 (12-17) on the left, 7-11 (18-22) on the right.
        const int naAba = segundo ? n - PrimeiraDoSegundoTab : n;
        const int coluna = naAba < 6 ? 0 : 2;
        const int linha = naAba < 6 ? naAba : naAba - 6;
        auto *edit = new MaskEdit(aba, QStringLiteral("99;0;"));
        edit->setObjectName(QStringLiteral("R%1").arg(n + 1));
        edit->setMaxLength(2);
        edit->setProperty("tag", n + 1);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
        edit->installEventFilter(this);
        auto *rotulo = new QLabel(QString::number(n + 1) + QStringLiteral(" - ") + QString::fromUtf8(perguntas[n].legenda), aba);
        rotulo->setToolTip(QString::fromUtf8(perguntas[n].dica));
        rotulo->setBuddy(edit);
        grade->addWidget(edit, linha, coluna);
        grade->addWidget(rotulo, linha, coluna + 1);
        R << edit;
    }
    for (QGridLayout *grade : {gradeAtendimento, gradeGdvorn}) {
        grade->setColumnStretch(1, 1);
        grade->setColumnStretch(3, 1);
        grade->setRowStretch(6, 1);
    }
    auto *obrigado = new QLabel(QStringLiteral("Obrigado pela Contribuição."), tsGdvorn);
    obrigado->setObjectName(QStringLiteral("lbObrigado"));
    gradeGdvorn->addWidget(obrigado, 7, 2, 1, 2);

    auto *escala = new QGroupBox(QStringLiteral("Nível de Satisfação"), this);
    escala->setObjectName(QStringLiteral("gbNivel"));
    auto *linhaEscala = new QHBoxLayout(escala);
    const QList<QPair<QString, QString>> niveis{{QStringLiteral("Insatisfatório"), QStringLiteral("1 - 2")},
                                                {QStringLiteral("Fraco"), QStringLiteral("3 - 4")},
                                                {QStringLiteral("Regular"), QStringLiteral("5 - 6")},
                                                {QStringLiteral("Bom"), QStringLiteral("7 - 8")},
                                                {QStringLiteral("Muito Bom"), QStringLiteral("9 ")},
                                                {QStringLiteral("Excelente"), QStringLiteral("10")},
                                                {QStringLiteral("Não se aplica"), QStringLiteral("77")}};
    for (const auto &[nome, valores] : niveis) {
        auto *nivel = new QLabel(QStringLiteral("<b>") + nome + QStringLiteral("</b><br>") + valores, escala);
        nivel->setAlignment(Qt::AlignCenter);
        linhaEscala->addWidget(nivel);
    }

    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    setBotaoCancelar(BtCancel);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(BtOk);
    botoes->addWidget(BtCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(escala);
    layout->addWidget(pcPesquisa, 1);
    layout->addLayout(botoes);
    resize(850, 520);

    for (MaskEdit *edit : R)
        aoSair(edit, [this, edit] { RespostaExit(edit); });
    connect(BtOk, &QPushButton::clicked, this, Protegido([this] { BtOkClick(); }));
    connect(BtCancel, &QPushButton::clicked, this, Protegido([this] { reject(); }));
}

void TfmPesq::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    Protege([this] {
        pcPesquisa->setCurrentIndex(0);
        Inicializa_Campos();
        m_respostas = LeRespostasPesquisa();
        for (int n = 0; n < QtdPerguntasPesquisa; ++n)
            R[n]->mostraArmazenado(MostraResposta(m_respostas.at(n)));
        pcPesquisa->setCurrentIndex(0);
        R[0]->setFocus();
    });
}

void TfmPesq::Inicializa_Campos()
{
    m_respostas = RespostasEmBranco();
    for (MaskEdit *edit : R) {
        edit->clear();
        edit->setEnabled(true);
    }
}

void TfmPesq::RespostaExit(MaskEdit *edit)
{
    const int n = edit->property("tag").toInt() - 1;
    QChar codigo;
    if (!CodificaResposta(edit->textoArmazenado(), codigo))
        falha(MessageKind::Information, QStringLiteral("Valor Inválido. Consulte régua de valores."), edit);
    edit->mostraArmazenado(MostraResposta(codigo).isEmpty() ? QStringLiteral("00") : MostraResposta(codigo));
    m_respostas[n] = codigo;
    // Leaving question 11 goes on to the second tab, unless the focus went back to an earlier question.
    QWidget *agora = QApplication::focusWidget();
    if (n == PrimeiraDoSegundoTab - 1 && agora != BtCancel && !R.mid(0, n).contains(agora)) {
        pcPesquisa->setCurrentWidget(tsGdvorn);
        R[PrimeiraDoSegundoTab]->setFocus();
    }
}

void TfmPesq::BtOkClick()
{
    // An answer typed in the edit that still has the focus counts too (a shortcut presses OK without
    // leaving it).
    if (auto *edit = qobject_cast<MaskEdit *>(QApplication::focusWidget()); edit && R.contains(edit))
        RespostaExit(edit);
    GravaRespostasPesquisa(m_respostas);
    accept();
}

bool TfmPesq::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && R.contains(qobject_cast<MaskEdit *>(objeto))) {
        const auto *tecla = static_cast<QKeyEvent *>(event);
        if (tecla->modifiers() == Qt::NoModifier || tecla->modifiers() == Qt::KeypadModifier) {
            switch (tecla->key()) {
            case Qt::Key_PageDown:
            case Qt::Key_Down:
                focusNextChild();
                return true;
            case Qt::Key_PageUp:
            case Qt::Key_Up:
                focusPreviousChild();
                return true;
            default:
                break;
            }
        }
    }
    return EntryForm::eventFilter(objeto, event);
}

void RegistraPesquisa()
{
    RegistraJanela(QStringLiteral("MenuItem3"), [](QWidget *pai) {
        TfmPesq pesquisa(pai);
        ExecutaModal(pesquisa);
    });
}

} // namespace gdvorn
