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
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
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
    layout->setSpacing(0);
    auto *menus = new QMenuBar(this);
    auto *barra = new QToolBar(this);
    barra->setObjectName(QStringLiteral("BarraVisualizacao"));
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barra->setIconSize(QSize(16, 16));
    const auto acao = [this](QMenu *menu, const char *nome, const QString &legenda, QStyle::StandardPixmap figura,
                             const QList<QKeySequence> &teclas) {
        QAction *a = menu->addAction(style()->standardIcon(figura), legenda);
        a->setObjectName(QLatin1String(nome));
        a->setShortcuts(teclas);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a); // the keys work wherever the focus stands in the window
        return a;
    };
    QMenu *arquivo = menus->addMenu(QStringLiteral("&Arquivo"));
    arquivo->setObjectName(QStringLiteral("Arquivo"));
    if (sistema.ImprimeDaVisualizacao) {
        Imprimir = acao(arquivo, "Imprimir", QStringLiteral("&Imprimir..."), QStyle::SP_DialogSaveButton,
                        {QKeySequence::Print});
        Imprimir->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), Imprimir->icon()));
        connect(Imprimir, &QAction::triggered, this, [this] { Protege([this] { ImprimirClick(); }); });
    }
    SalvarComo = acao(arquivo, "SalvarComo", QStringLiteral("&Salvar Como..."), QStyle::SP_DialogSaveButton,
                      {QKeySequence::Save});
    connect(SalvarComo, &QAction::triggered, this, [this] { Protege([this] { SalvarComoClick(); }); });
    arquivo->addSeparator();
    Fechar = acao(arquivo, "Fechar", QStringLiteral("&Fechar"), QStyle::SP_DialogCloseButton, {Qt::Key_Escape});
    connect(Fechar, &QAction::triggered, this, &QDialog::reject);

    QMenu *exibir = menus->addMenu(QStringLiteral("&Exibir"));
    exibir->setObjectName(QStringLiteral("Exibir"));
    Primeira = acao(exibir, "Primeira", QStringLiteral("P&rimeira Página"), QStyle::SP_MediaSkipBackward,
                    {Qt::CTRL | Qt::Key_Home});
    Anterior = acao(exibir, "Anterior", QStringLiteral("Página &Anterior"), QStyle::SP_MediaSeekBackward,
                    {Qt::Key_PageUp});
    Proxima = acao(exibir, "Proxima", QStringLiteral("&Próxima Página"), QStyle::SP_MediaSeekForward,
                   {Qt::Key_PageDown});
    Ultima = acao(exibir, "Ultima", QStringLiteral("Ú&ltima Página"), QStyle::SP_MediaSkipForward,
                  {Qt::CTRL | Qt::Key_End});
    exibir->addSeparator();
    Ampliar = acao(exibir, "Ampliar", QStringLiteral("A&mpliar"), QStyle::SP_ArrowUp,
                   {QKeySequence::ZoomIn, Qt::Key_Plus});
    Reduzir = acao(exibir, "Reduzir", QStringLiteral("&Reduzir"), QStyle::SP_ArrowDown,
                   {QKeySequence::ZoomOut, Qt::Key_Minus});
    PaginaInteira = acao(exibir, "PaginaInteira", QStringLiteral("Página &Inteira"), QStyle::SP_FileDialogContentsView,
                         {Qt::CTRL | Qt::Key_0});
    LarguraPagina = acao(exibir, "LarguraPagina", QStringLiteral("Largura da Pá&gina"), QStyle::SP_FileDialogDetailedView,
                         {Qt::CTRL | Qt::Key_1});
    layout->setMenuBar(menus);
    // Short captions on the tool bar, so that every button shows on a 1024-pixel screen.
    const QList<QPair<QAction *, QString>> curtas{
        {Primeira, QStringLiteral("Primeira")}, {Anterior, QStringLiteral("Anterior")}, {Proxima, QStringLiteral("Próxima")},
        {Ultima, QStringLiteral("Última")},     {Ampliar, QStringLiteral("Ampliar")},   {Reduzir, QStringLiteral("Reduzir")},
        {PaginaInteira, QStringLiteral("Inteira")}, {LarguraPagina, QStringLiteral("Largura")},
        {SalvarComo, QStringLiteral("Salvar")}, {Fechar, QStringLiteral("Fechar")}};
    for (const auto &[a, texto] : curtas)
        a->setIconText(texto);
    if (Imprimir)
        Imprimir->setIconText(QStringLiteral("Imprimir"));

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
    const auto vai = [this](int pagina) {
        Visualizador->setCurrentPage(std::clamp(pagina, 1, std::max(1, Visualizador->pageCount())));
        atualizaPagina();
    };
    connect(Primeira, &QAction::triggered, this, [vai] { vai(1); });
    connect(Anterior, &QAction::triggered, this, [this, vai] { vai(Visualizador->currentPage() - 1); });
    connect(Proxima, &QAction::triggered, this, [this, vai] { vai(Visualizador->currentPage() + 1); });
    connect(Ultima, &QAction::triggered, this, [this, vai] { vai(Visualizador->pageCount()); });
    connect(Ampliar, &QAction::triggered, Visualizador, [this] { Visualizador->zoomIn(); });
    connect(Reduzir, &QAction::triggered, Visualizador, [this] { Visualizador->zoomOut(); });
    connect(PaginaInteira, &QAction::triggered, Visualizador, &QPrintPreviewWidget::fitInView);
    connect(LarguraPagina, &QAction::triggered, Visualizador, &QPrintPreviewWidget::fitToWidth);
    connect(Visualizador, &QPrintPreviewWidget::previewChanged, this, &TfmVisualizacao::atualizaPagina);

    for (QAction *a : {Primeira, Anterior})
        barra->addAction(a);
    lbPagina = new QLabel(this);
    lbPagina->setObjectName(QStringLiteral("lbPagina"));
    lbPagina->setContentsMargins(8, 0, 8, 0);
    barra->addWidget(lbPagina);
    for (QAction *a : {Proxima, Ultima})
        barra->addAction(a);
    barra->addSeparator();
    for (QAction *a : {Reduzir, Ampliar, PaginaInteira, LarguraPagina})
        barra->addAction(a);
    barra->addSeparator();
    if (Imprimir)
        barra->addAction(Imprimir);
    barra->addAction(SalvarComo);
    barra->addAction(Fechar);
    layout->addWidget(barra);
    layout->addWidget(Visualizador);
    atualizaPagina();
    resize(1000, 740);
}

void TfmVisualizacao::atualizaPagina()
{
    const int pagina = Visualizador->currentPage(), total = Visualizador->pageCount();
    lbPagina->setText(QStringLiteral("Página %1 de %2").arg(total ? pagina : 0).arg(total));
    Primeira->setEnabled(pagina > 1);
    Anterior->setEnabled(pagina > 1);
    Proxima->setEnabled(pagina < total);
    Ultima->setEnabled(pagina < total);
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
