#include "app/QtRelatorio.h"

#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"

#include "app/base/DialogoArquivo.h"
#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include <limits>
#include <stdexcept>

namespace gdvorn {

namespace {

// The font of the reports; the scripts install it so that every machine prints the same pages.
const QString kFonte = QStringLiteral("DejaVu Sans");

QRectF emPixels(const QRectF &mm, const QPaintDevice &d)
{
    const double x = d.logicalDpiX() / 25.4, y = d.logicalDpiY() / 25.4;
    return QRectF(mm.left() * x, mm.top() * y, mm.width() * x, mm.height() * y);
}

void preparaA4(QPagedPaintDevice &d)
{
    d.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

// The pages of `gera` into `destino` under a status window with `modelo`.
void geraComEstado(const QString &modelo, const GeraPaginas &gera, DestinoPaginas &destino)
{
    TfmEstadoRelatorio estado(modelo, QApplication::activeWindow());
    estado.show();
    PaginasComEstado paginas(destino, estado);
    gera(paginas);
}

// The status texts, from the report system's.
const TRvSystem &textos()
{
    static const TRvSystem s;
    return s;
}

} // namespace

void PintorPaginas::pagina(const Pagina &p)
{
    if (m_paginas++ > 0)
        m_dispositivo.newPage();
    for (const ItemPagina &i : p.itens) {
        const QRectF r = emPixels(i.retanguloMm(), m_dispositivo);
        switch (i.tipo) {
        case ItemPagina::Linha: {
            m_pintor.setPen(QPen(Qt::black, m_dispositivo.logicalDpiX() / 254.0));
            const double y = r.center().y();
            m_pintor.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
            break;
        }
        case ItemPagina::Caixa:
            m_pintor.setPen(QPen(Qt::black, m_dispositivo.logicalDpiX() / 254.0));
            m_pintor.drawRect(r);
            break;
        case ItemPagina::Texto: {
            QFont f(kFonte);
            f.setPointSizeF(i.tamanhoFonte);
            f.setBold(i.negrito);
            // A proportional font may need more room than the characters' cells: shrink rather than cut.
            const double largura = QFontMetricsF(f, &m_dispositivo).horizontalAdvance(i.texto);
            if (largura > r.width() && largura > 0)
                f.setPointSizeF(std::max(4.0, i.tamanhoFonte * r.width() / largura));
            m_pintor.setFont(f);
            m_pintor.setPen(Qt::black);
            const int alinhamento = (i.alinhamento ? i.alinhamento : int(Qt::AlignLeft)) | Qt::AlignVCenter;
            m_pintor.drawText(r, alinhamento | Qt::TextSingleLine, i.texto);
            break;
        }
        }
    }
}

int GravaPdf(const QString &arquivo, const QString &titulo, const GeraPaginas &gera)
{
    QPdfWriter pdf(arquivo);
    pdf.setResolution(300);
    pdf.setTitle(titulo);
    preparaA4(pdf);
    QPainter pintor;
    if (!pintor.begin(&pdf))
        throw std::runtime_error(("Não foi possível criar o arquivo " + arquivo).toStdString());
    PintorPaginas p(pintor, pdf);
    geraComEstado(textos().EstadoGerando, gera, p);
    pintor.end();
    return p.paginas();
}

void Imprime(QPrinter &impressora, const GeraPaginas &gera)
{
    impressora.setFullPage(true);
    QPainter pintor;
    if (!pintor.begin(&impressora))
        throw std::runtime_error("Não foi possível iniciar a impressão.");
    PintorPaginas p(pintor, impressora);
    geraComEstado(textos().EstadoImprimindo, gera, p);
    pintor.end();
}

TfmEstadoRelatorio::TfmEstadoRelatorio(const QString &modelo, QWidget *parent) : QDialog(parent), m_modelo(modelo)
{
    setObjectName(QStringLiteral("fmEstadoRelatorio"));
    setWindowTitle(textos().TituloEstado);
    auto *layout = new QVBoxLayout(this);
    lbEstado = new QLabel(TextoEstado(m_modelo, 0), this);
    lbEstado->setObjectName(QStringLiteral("lbEstado"));
    lbEstado->setMinimumWidth(240);
    layout->addWidget(lbEstado);
    // The page count has no end known beforehand.
    setRange(0, std::numeric_limits<int>::max());
}

void TfmEstadoRelatorio::mostraPosicao(int posicao) { lbEstado->setText(TextoEstado(m_modelo, posicao)); }

bool TfmEstadoRelatorio::aceitaEntrada(QObject *receptor) const
{
    auto *w = qobject_cast<QWidget *>(receptor);
    return w && w->window() == this;
}

bool QtSaidaRelatorio::haImpressora() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

bool QtSaidaRelatorio::escolheImpressora(QPrinter &impressora)
{
    QPrintDialog d(&impressora);
    d.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                 QAbstractPrintDialog::PrintShowPageSize);
    return d.exec() == QDialog::Accepted;
}

QString QtSaidaRelatorio::escolheArquivo(QWidget *pai)
{
    PedidoArquivo pedido;
    pedido.tipo = PedidoArquivo::Salvar;
    pedido.titulo = QStringLiteral("Salvar Como");
    pedido.filtro = QStringLiteral("Adobe Acrobat (PDF)|*.pdf|Plain Text (TXT)|*.txt");
    pedido.extensaoPadrao = QStringLiteral("pdf");
    pedido.confirmaSobrescrita = true;
    return dialogoArquivo().escolhe(pai, pedido);
}

void QtSaidaRelatorio::visualiza(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera)
{
    TfmVisualizacao v(*this, sistema, nome, gera);
    v.setWindowState(Qt::WindowMaximized);
    v.exec();
}

void QtSaidaRelatorio::executa(TRvSystem &sistema, const QString &nome, const GeraPaginas &gera)
{
    switch (sistema.Destino) {
    case DestinoRelatorio::Arquivo:
        GravaPdf(sistema.ArquivoSaida, nome, gera);
        break;
    case DestinoRelatorio::Impressora: {
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setDocName(sistema.TituloTrabalho);
        impressora.setPageSize(QPageSize(QPageSize::A4));
        if (escolheImpressora(impressora))
            Imprime(impressora, gera);
        break;
    }
    case DestinoRelatorio::Visualizacao:
        visualiza(sistema, nome, gera);
        break;
    }
}

TfmVisualizacao::TfmVisualizacao(QtSaidaRelatorio &saida, TRvSystem &sistema, const QString &nome,
                                 GeraPaginas gera, QWidget *parent)
    : QDialog(parent), m_saida(saida), m_nome(nome), m_gera(std::move(gera))
{
    setObjectName(QStringLiteral("fmVisualizacao"));
    setWindowTitle(sistema.TituloVisualizacao);
    setContextoAjuda(this, ContextoAjudaVisualizacao);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *menus = new QMenuBar(this);
    QMenu *arquivo = menus->addMenu(QStringLiteral("&Arquivo"));
    arquivo->setObjectName(QStringLiteral("Arquivo"));
    if (sistema.ImprimeDaVisualizacao) {
        Imprimir = arquivo->addAction(QStringLiteral("&Imprimir"));
        Imprimir->setObjectName(QStringLiteral("Imprimir"));
        connect(Imprimir, &QAction::triggered, this, [this] { Protege([this] { ImprimirClick(); }); });
    }
    SalvarComo = arquivo->addAction(QStringLiteral("&Salvar Como..."));
    SalvarComo->setObjectName(QStringLiteral("SalvarComo"));
    connect(SalvarComo, &QAction::triggered, this, [this] { Protege([this] { SalvarComoClick(); }); });
    layout->setMenuBar(menus);

    auto *impressora = new QPrinter(QPrinter::HighResolution);
    impressora->setPageSize(QPageSize(QPageSize::A4));
    impressora->setFullPage(true);
    Visualizador = new QPrintPreviewWidget(impressora, this);
    Visualizador->setObjectName(QStringLiteral("Visualizador"));
    connect(Visualizador, &QPrintPreviewWidget::destroyed, [impressora] { delete impressora; });
    connect(Visualizador, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *p) {
        Protege([&] {
            QPainter pintor(p);
            PintorPaginas pp(pintor, *p);
            geraComEstado(textos().EstadoGerando, m_gera, pp);
        });
    });
    layout->addWidget(Visualizador);
    resize(1000, 740);
}

void TfmVisualizacao::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        Protege([this] { MostraAjudaContexto(ContextoAjuda(this)); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmVisualizacao::ImprimirClick()
{
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setPageSize(QPageSize(QPageSize::A4));
    if (m_saida.escolheImpressora(impressora))
        Imprime(impressora, m_gera);
}

void TfmVisualizacao::SalvarComoClick()
{
    const QString arquivo = m_saida.escolheArquivo(this);
    if (arquivo.isEmpty())
        return;
    if (arquivo.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
        TRvSystem texto;
        texto.Destino = DestinoRelatorio::Arquivo;
        texto.ArquivoSaida = arquivo;
        texto.Executa(m_nome, m_gera);
    } else {
        GravaPdf(arquivo, m_nome, m_gera);
    }
}

} // namespace gdvorn
