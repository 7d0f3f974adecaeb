// The list view against Qt's own view (QTreeView + QStandardItemModel), offscreen at 800 × 600:
//   fill    100,000 items of nine 12-character captions with a check box, in report view, inside one
//           BeginUpdate/EndUpdate(true) (Qt: uniform rows, checkable column 0);
//   page    page down through all of them with the vertical bar's page action, rendering the viewport
//           into a QImage at each step (time per step);
//   hittest 100,000 points of the last page: item and hit set (Qt: indexAt, visualRect and the
//           caption's width).
// Each reports its time and, for the fill, the heap and resident memory the filled list adds.
//
//   bench_listview [--items=N] [Google Benchmark options]

#include "listview/QtLvListview.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>

using namespace gdvorn::lv;

namespace {

int g_items = 100000;
constexpr int kColumns = 9;

QString Caption(int row, int column) { return QString("%1-%2").arg(row, 9, 10, QChar('0')).arg(column, 2, 10, QChar('0')); }

std::size_t HeapInUse() { return mallinfo2().uordblks; }

std::size_t Resident()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return std::size_t(resident) * 4096;
}

std::unique_ptr<QtLvListview> FilledListview()
{
    auto lv = std::make_unique<QtLvListview>();
    lv->SetView(TLvListStyle::elsReport);
    lv->Header().SetHeight(25);
    lv->Header().SetVisible(true);
    for (int c = 0; c < kColumns; ++c)
        lv->Header().Columns().Add()->SetWidth(c == 0 ? 120 : 90);
    lv->PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
    lv->PaintInfoItem().SetCheckFlat(true);
    lv->PaintInfoItem().SetCheckSize(10);
    lv->Selection().SetFullRowSelect(true);
    lv->Selection().SetMultiSelect(true);
    lv->resize(800, 600);
    lv->show();
    lv->BeginUpdate();
    for (int i = 0; i < g_items; ++i) {
        TLvItem *item = lv->Items().Add();
        for (int c = 0; c < kColumns; ++c)
            item->SetCaptions(c, Caption(i, c));
    }
    lv->EndUpdate(true);
    return lv;
}

struct QtView {
    std::unique_ptr<QStandardItemModel> model = std::make_unique<QStandardItemModel>();
    std::unique_ptr<QTreeView> view = std::make_unique<QTreeView>();
};

std::unique_ptr<QtView> FilledTreeView()
{
    auto q = std::make_unique<QtView>();
    q->model->setColumnCount(kColumns);
    q->model->setRowCount(g_items);
    for (int i = 0; i < g_items; ++i)
        for (int c = 0; c < kColumns; ++c) {
            auto *item = new QStandardItem(Caption(i, c));
            if (c == 0) {
                item->setCheckable(true);
                item->setCheckState(Qt::Unchecked);
            }
            q->model->setItem(i, c, item);
        }
    q->view->setUniformRowHeights(true);
    q->view->setRootIsDecorated(false);
    q->view->setModel(q->model.get());
    for (int c = 0; c < kColumns; ++c)
        q->view->setColumnWidth(c, c == 0 ? 120 : 90);
    q->view->resize(800, 600);
    q->view->show();
    return q;
}

template <class F> void Fill(benchmark::State &state, F fill)
{
    for (auto _ : state) {
        const std::size_t heap0 = HeapInUse(), rss0 = Resident();
        auto filled = fill();
        QCoreApplication::processEvents();
        state.counters["heap_MB"] = double(HeapInUse() - heap0) / 1e6;
        state.counters["rss_MB"] = double(Resident() - rss0) / 1e6;
        state.PauseTiming();
        filled.reset();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

void BM_Fill_Listview(benchmark::State &state) { Fill(state, FilledListview); }
void BM_Fill_QTreeView(benchmark::State &state) { Fill(state, FilledTreeView); }

template <class Bar, class Render> void PageThrough(benchmark::State &state, QScrollBar *bar, QWidget *viewport, Render render)
{
    QImage image(viewport->size(), QImage::Format_ARGB32_Premultiplied);
    long steps = 0;
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        while (bar->value() < bar->maximum()) {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            render(image);
            ++steps;
        }
    }
    state.counters["steps"] = double(steps);
    state.counters["time_per_step"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_Page_Listview(benchmark::State &state)
{
    auto lv = FilledListview(); // before the timed loop
    PageThrough<QScrollBar>(state, lv->verticalScrollBar(), lv->viewport(),
                            [&](QImage &image) { lv->viewport()->render(&image); });
}

void BM_Page_QTreeView(benchmark::State &state)
{
    auto q = FilledTreeView();
    PageThrough<QScrollBar>(state, q->view->verticalScrollBar(), q->view->viewport(),
                            [&](QImage &image) { q->view->viewport()->render(&image); });
}

void BM_HitTest_Listview(benchmark::State &state)
{
    auto lv = FilledListview();
    lv->Scrollbars().VertScroll(SB_BOTTOM, 0);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> xs(0, lv->ClientWidth() - 1), ys(lv->Header().RuntimeHeight(), lv->ClientHeight() - 1);
    long found = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) {
            TLvItemHitTestInfoSet hit = 0;
            if (lv->ItemAt({xs(random), ys(random)}, nullptr, hit))
                found += hit != 0;
        }
    }
    state.counters["hits"] = double(found);
}

void BM_HitTest_QTreeView(benchmark::State &state)
{
    auto q = FilledTreeView();
    q->view->verticalScrollBar()->setValue(q->view->verticalScrollBar()->maximum());
    QWidget *vp = q->view->viewport();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> xs(0, vp->width() - 1), ys(0, vp->height() - 1);
    const QFontMetrics metrics(q->view->font());
    long found = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100000; ++i) {
            const QModelIndex index = q->view->indexAt({xs(random), ys(random)});
            if (index.isValid()) {
                const QRect r = q->view->visualRect(index);
                found += r.isValid() && metrics.horizontalAdvance(index.data().toString()) > 0;
            }
        }
    }
    state.counters["hits"] = double(found);
}

// The sort step: column 1 holds mixed-case, partly accented words with a number, in random order, and
// is sorted ascending with the default comparison (case ignored, Portuguese collation); Qt sorts the same
// captions through a QSortFilterProxyModel, locale-aware and case-insensitive. Both times include the
// layout that follows.
QStringList SortCaptions()
{
    static const char *const words[] = {"água", "Abacate", "ameixa", "Banana", "éden", "Eco", "ótimo", "Óleo",
                                        "uva", "Ímpar", "caju", "Çedilha", "limão", "Laranja", "pêra", "Zebra"};
    std::mt19937 random(5);
    QStringList captions;
    captions.reserve(g_items);
    for (int i = 0; i < g_items; ++i)
        captions << QString("%1 %2").arg(QString::fromUtf8(words[random() % 16])).arg(random() % 100000);
    return captions;
}

void BM_Sort_Listview(benchmark::State &state)
{
    auto lv = FilledListview();
    const QStringList captions = SortCaptions();
    for (int i = 0; i < g_items; ++i)
        lv->Items()[i]->SetCaptions(1, captions[i]);
    TLvColumn *column = lv->Header().Columns()[1];
    column->SetSortDirection(TLvSortDirection::esdAscending); // the focused column; AutoSort is off
    for (auto _ : state) {
        lv->Sort().SortAll(true);
        QCoreApplication::processEvents();
    }
    state.counters["first_is_lowest"] =
        TLvSortManager::DefaultSortCompare(column, lv->Items()[0], lv->Items()[g_items - 1]) <= 0;
}

void BM_Sort_QTreeView(benchmark::State &state)
{
    auto q = FilledTreeView();
    const QStringList captions = SortCaptions();
    for (int i = 0; i < g_items; ++i)
        q->model->item(i, 1)->setText(captions[i]);
    QSortFilterProxyModel proxy;
    proxy.setSortLocaleAware(true);
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy.setSourceModel(q->model.get());
    q->view->setModel(&proxy);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        q->view->sortByColumn(1, Qt::AscendingOrder);
        QCoreApplication::processEvents();
    }
    q->view->setModel(q->model.get());
}

} // namespace

BENCHMARK(BM_Fill_Listview)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill_QTreeView)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Page_Listview)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Page_QTreeView)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest_Listview)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTest_QTreeView)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_Listview)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_QTreeView)->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]).startsWith("--items="))
            g_items = QByteArray(argv[i]).mid(8).toInt();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
