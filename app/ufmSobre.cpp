#include "app/ufmSobre.h"

#include "app/ufmGDVORN.h"
#include "app/ufmSplash.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

// The letters that reveal the credits while Ctrl is held.
constexpr int kSequencia[] = {Qt::Key_P, Qt::Key_Z, Qt::Key_K, Qt::Key_X, Qt::Key_M, Qt::Key_Q};
constexpr int kTamanhoSequencia = 6;

} // namespace

TfmSobre::TfmSobre(QWidget *parent, const QString &arquivoPrograma)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("fmSobre"));
    setWindowTitle(QStringLiteral("Sobre o GDVORN"));
    resize(512, 325);

    Imagem1 = new QLabel(this);
    Imagem1->setObjectName(QStringLiteral("Imagem1"));
    Imagem1->setPixmap(FiguraPrograma(161, 209));
    Imagem1->setFixedSize(161, 209); // the picture's own size: the layout never crops it
    Imagem2 = new QLabel(this);
    Imagem2->setObjectName(QStringLiteral("Imagem2"));
    Imagem2->setPixmap(FiguraPrograma(161, 209).transformed(QTransform().scale(-1, 1)));
    Imagem2->setFixedSize(161, 209);
    Imagem2->hide();

    auto *titulo = new QLabel(QStringLiteral("Programa de Declaração da VORN"), this);
    titulo->setObjectName(QStringLiteral("paTitulo"));
    titulo->setFrameShape(QFrame::Panel);
    titulo->setFrameShadow(QFrame::Sunken);
    titulo->setAlignment(Qt::AlignCenter);
    QFont fonte = titulo->font();
    fonte.setBold(true);
    fonte.setPointSizeF(fonte.pointSizeF() * 1.3);
    titulo->setFont(fonte);

    const QString programa =
        arquivoPrograma.isEmpty() ? QCoreApplication::applicationFilePath() : arquivoPrograma;
    lbBuild = new QLabel(QStringLiteral("Build ") +
                             QFileInfo(programa).lastModified().toString(QStringLiteral("dd/MM/yyyy")),
                         this);
    lbBuild->setObjectName(QStringLiteral("lbBuild"));
    const QString ambiente = Configuracao().Ambiente;
    lbAmbiente = new QLabel(ambiente == QLatin1String("Desenvolvimento") || ambiente == QStringLiteral("Homologação")
                                ? ambiente
                                : QStringLiteral(" "),
                            this);
    lbAmbiente->setObjectName(QStringLiteral("lbAmbiente"));
    lbVersao = new QLabel(this);
    lbVersao->setObjectName(QStringLiteral("lbVersao"));

    URLLabel = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kEnderecoServico), this);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    URLLabel->setTextFormat(Qt::RichText);
    URLLabel->setCursor(Qt::PointingHandCursor);
    connect(URLLabel, &QLabel::linkActivated, this,
            [](const QString &endereco) { Protege([&] { TfmGDVORN::AbreLink(endereco); }); });

    lbLetreiro = new QLabel(this);
    lbLetreiro->setObjectName(QStringLiteral("lbLetreiro"));
    lbLetreiro->setMinimumWidth(300);

    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    BtOk->setDefault(true);
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *textos = new QVBoxLayout;
    textos->addWidget(titulo);
    textos->addSpacing(8);
    textos->addWidget(new QLabel(QStringLiteral("Programa Desenvolvido pelo KUVELD"), this));
    textos->addWidget(new QLabel(QStringLiteral("Distribuição Gratuita"), this));
    auto *internet = new QHBoxLayout;
    internet->addWidget(new QLabel(QStringLiteral("Internet:"), this));
    internet->addWidget(URLLabel);
    internet->addStretch();
    textos->addLayout(internet);
    textos->addSpacing(8);
    textos->addWidget(lbVersao);
    textos->addWidget(lbBuild);
    textos->addWidget(lbAmbiente);
    textos->addStretch();
    auto *imagens = new QVBoxLayout;
    imagens->addWidget(Imagem1);
    imagens->addWidget(Imagem2);
    imagens->addStretch();
    auto *corpo = new QHBoxLayout;
    corpo->addLayout(imagens);
    corpo->addLayout(textos, 1);
    auto *base = new QHBoxLayout;
    base->addWidget(lbLetreiro, 1);
    base->addWidget(BtOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(corpo, 1);
    layout->addLayout(base);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, Protegido([this] { Timer1Timer(); }));
    Timer1->start();
}

void TfmSobre::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    lbVersao->setText(QStringLiteral("Versão ") + Configuracao().Versao);
    if (const QScreen *tela = screen())
        move(tela->geometry().center() - rect().center());
}

void TfmSobre::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int tecla = event->key();
        if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z && m_posicao < kTamanhoSequencia) {
            if (tecla == kSequencia[m_posicao]) {
                if (++m_posicao == kTamanhoSequencia)
                    mostraCreditos();
            } else {
                // A wrong key starts again; the first letter itself counts as the start.
                m_posicao = tecla == kSequencia[0] ? 1 : 0;
            }
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TfmSobre::mostraCreditos()
{
    Imagem1->hide();
    Imagem2->show();
    lbLetreiro->setText(QString(63, QLatin1Char(' ')) + QStringLiteral("GDVORN - Gerador de Declaração VORN - Versão ") +
                        Configuracao().Versao + QStringLiteral(" - Programa Desenvolvido pelo KUVELD"));
}

void TfmSobre::Timer1Timer()
{
    const QString texto = lbLetreiro->text();
    if (texto.size() > 1)
        lbLetreiro->setText(texto.mid(1) + texto.left(1));
}

} // namespace gdvorn
