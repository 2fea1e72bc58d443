#include "screens/statistics.h"

#include "progress/store.h"
#include "screens/window.h"
#include "session/statistics.h"
#include "texts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCategoryAxis>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStackedBarSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace tirages::screens {
namespace {

namespace say = texts::statistics;

constexpr int kChartHeight = 220;

QChartView* chartView(QWidget* parent, const QString& title) {
    auto* view = new QChartView(new QChart, parent);
    view->chart()->setTitle(title);
    view->chart()->legend()->setAlignment(Qt::AlignBottom);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(kChartHeight);
    view->setAccessibleName(title);
    return view;
}

// A new chart in the view, the old one (and its series and axes) let go.
QChart* freshChart(QChartView* view) {
    auto* chart = new QChart;
    chart->setTitle(view->chart()->title());
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Numbers on the axes in French: 0,5.
    chart->setLocale(QLocale(QLocale::French, QLocale::France));
    chart->setLocalizeNumbers(true);
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    return chart;
}

// Bars against days, today and one day in seven from it named. A bar axis
// names every bar, in the width of a bar: the bars keep a hidden one, and a
// second axis beside it names the days.
void setBars(QChartView* view, QAbstractBarSeries* series, const QList<QDate>& days,
             const QDate& today, const QString& unit, bool legend) {
    QChart* chart = freshChart(view);
    chart->addSeries(series);
    auto* bars = new QBarCategoryAxis;
    auto* named = new QCategoryAxis;
    named->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    named->setRange(-0.5, static_cast<double>(days.size()) - 0.5);
    for (qsizetype i = 0; i < days.size(); ++i) {
        bars->append(QString::number(i));
        if (days[i].daysTo(today) % 7 == 0)
            named->append(session::shortDay(days[i]), static_cast<double>(i));
    }
    bars->setVisible(false);
    chart->addAxis(bars, Qt::AlignBottom);
    series->attachAxis(bars);
    chart->addAxis(named, Qt::AlignBottom);
    auto* y = new QValueAxis;
    y->setTitleText(unit);
    y->setLabelFormat(QStringLiteral("%.3g")); // a precision, or the locale is not used
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    y->applyNiceNumbers();
    chart->legend()->setVisible(legend);
}

// Days along the bottom, in French; counts up the side, from 0 to `top` (0:
// as the values go).
void setTimeAxes(QChart* chart, QLineSeries* line, double top) {
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("d MMM"));
    x->setTickCount(9);
    chart->addAxis(x, Qt::AlignBottom);
    line->attachAxis(x);
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    line->attachAxis(y);
    if (top > 0)
        y->setRange(0, top);
    else
        y->setMin(0);
}

QTableWidget* table(QWidget* parent, const QStringList& columns) {
    auto* t = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    t->setHorizontalHeaderLabels(columns);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void setRows(QTableWidget* t, const QList<QStringList>& rows) {
    t->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            t->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
}

} // namespace

StatisticsWindow::StatisticsWindow(const progress::Store& store, Clock now, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_now(std::move(now)) {
    setUpWindow(this, say::title);
    resize(760, 620);
    auto* layout = new QVBoxLayout(this);
    tabs = new QTabWidget(this);
    layout->addWidget(tabs);

    auto* daily = new QWidget(tabs);
    auto* dailyLayout = new QVBoxLayout(daily);
    week = new QLabel(daily);
    m_minutes = chartView(daily, say::minutes);
    m_answers = chartView(daily, say::answersAxis);
    for (QWidget* w : {static_cast<QWidget*>(week), static_cast<QWidget*>(m_minutes),
                       static_cast<QWidget*>(m_answers)})
        dailyLayout->addWidget(w);
    tabs->addTab(daily, say::dailyTab);

    auto* listsTab = new QWidget(tabs);
    auto* listsLayout = new QVBoxLayout(listsTab);
    lists = table(listsTab, say::listColumns);
    m_listCurve = chartView(listsTab, say::wordsLeftAxis);
    listsLayout->addWidget(lists);
    listsLayout->addWidget(m_listCurve);
    tabs->addTab(listsTab, say::listsTab);
    connect(lists, &QTableWidget::itemSelectionChanged, this, &StatisticsWindow::fillListCurve);

    auto* memoryTab = new QWidget(tabs);
    auto* memoryLayout = new QVBoxLayout(memoryTab);
    known = new QLabel(memoryTab);
    m_known = chartView(memoryTab, say::knownAxis);
    m_due = chartView(memoryTab, say::dueAxis);
    m_right = chartView(memoryTab, say::rightAxis);
    for (QWidget* w : {static_cast<QWidget*>(known), static_cast<QWidget*>(m_known),
                       static_cast<QWidget*>(m_due), static_cast<QWidget*>(m_right)})
        memoryLayout->addWidget(w);
    tabs->addTab(memoryTab, say::memoryTab);

    auto* hardestTab = new QWidget(tabs);
    auto* hardestLayout = new QVBoxLayout(hardestTab);
    hardest = table(hardestTab, say::hardestColumns);
    trainHardest = new QPushButton(say::trainHardest, hardestTab);
    hardestLayout->addWidget(hardest);
    hardestLayout->addWidget(trainHardest, 0, Qt::AlignRight);
    tabs->addTab(hardestTab, say::hardestTab);
    connect(trainHardest, &QPushButton::clicked, this,
            [this] { emit trainRequested(m_hardest); });

    exporter = new QPushButton(say::exportButton, this);
    layout->addWidget(exporter, 0, Qt::AlignRight);
    connect(exporter, &QPushButton::clicked, this, &StatisticsWindow::exportClicked);

    // Escape closes it, as a dialog would.
    new QShortcut(QKeySequence::Cancel, this, this, &QWidget::close);

    m_filled = QList<bool>(tabs->count(), false);
    connect(tabs, &QTabWidget::currentChanged, this, &StatisticsWindow::fill);
}

QList<QChartView*> StatisticsWindow::charts() const {
    return {m_minutes, m_answers, m_listCurve, m_known, m_due, m_right};
}

void StatisticsWindow::open() {
    m_filled.fill(false);
    fill(tabs->currentIndex());
    show();
    raise();
    activateWindow();
}

void StatisticsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fill(tabs->currentIndex());
}

// A tab is worked out when it is first shown after the window was opened.
void StatisticsWindow::fill(int tab) {
    if (tab < 0 || tab >= m_filled.size() || m_filled[tab])
        return;
    m_filled[tab] = true;
    switch (tab) {
    case 0:
        return fillDaily();
    case 1:
        return fillLists();
    case 2:
        return fillMemory();
    default:
        return fillHardest();
    }
}

void StatisticsWindow::fillDaily() {
    const session::Daily d = session::daily(m_store.history(), m_now());
    week->setText(d.week);
    QList<QDate> days;
    auto* minutes = new QBarSet(say::minutes);
    auto* right = new QBarSet(say::right);
    auto* wrong = new QBarSet(say::wrong);
    for (const session::DayBar& bar : d.days) {
        days << bar.day;
        *minutes << bar.minutes;
        *right << bar.right;
        *wrong << bar.wrong;
    }
    auto* minuteBars = new QBarSeries;
    minuteBars->append(minutes);
    setBars(m_minutes, minuteBars, days, days.last(), say::minutes, false);
    auto* answerBars = new QStackedBarSeries;
    answerBars->append(right);
    answerBars->append(wrong);
    right->setColor(QColor(0x4C, 0xAF, 0x50));
    wrong->setColor(QColor(0xE5, 0x73, 0x73));
    setBars(m_answers, answerBars, days, days.last(), say::answersAxis, true);
    m_minutes->setAccessibleDescription(d.spoken);
    m_answers->setAccessibleDescription(d.spoken);
}

void StatisticsWindow::fillLists() {
    const QList<session::ListRow> rows = session::listRows(m_store.history());
    m_listKeys.clear();
    QList<QStringList> cells;
    for (const session::ListRow& row : rows) {
        m_listKeys << row.list;
        cells << row.cells;
    }
    setRows(lists, cells);
    if (!rows.isEmpty())
        lists->selectRow(0);
    fillListCurve();
}

void StatisticsWindow::fillListCurve() {
    const int row = lists->currentRow();
    QChart* chart = freshChart(m_listCurve);
    if (row < 0 || row >= m_listKeys.size()) {
        m_listCurve->setAccessibleDescription({});
        return;
    }
    const session::ListCurve curve = session::listCurve(m_store.history(), m_listKeys[row]);
    auto* line = new QLineSeries;
    line->setName(say::wordsLeftAxis);
    for (qsizetype i = 0; i < curve.points.size(); ++i)
        line->append(static_cast<double>(i + 1), curve.points[i].wordsLeft);
    chart->addSeries(line);
    chart->createDefaultAxes();
    chart->legend()->hide();
    m_listCurve->setAccessibleDescription(curve.spoken);
}

void StatisticsWindow::fillMemory() {
    const QDateTime now = m_now();
    const session::Memory m = session::memory(m_store.history(), now);
    known->setText(say::known.arg(QLocale(QLocale::French, QLocale::France).toString(m.knownToday)));

    QChart* chart = freshChart(m_known);
    auto* line = new QLineSeries;
    const QDate first = now.date().addDays(1 - m.known.size());
    for (qsizetype i = 0; i < m.known.size(); ++i)
        line->append(static_cast<double>(first.addDays(i).startOfDay().toMSecsSinceEpoch()),
                     m.known[i]);
    chart->addSeries(line);
    setTimeAxes(chart, line, 0);
    chart->legend()->hide();
    m_known->setAccessibleDescription(m.knownSpoken);

    QList<QDate> days;
    auto* due = new QBarSet(say::dueAxis);
    for (qsizetype i = 0; i < m.due.size(); ++i) {
        days << now.date().addDays(i);
        *due << m.due[i];
    }
    auto* dueBars = new QBarSeries;
    dueBars->append(due);
    setBars(m_due, dueBars, days, now.date(), say::dueAxis, false);
    m_due->setAccessibleDescription(m.dueSpoken);

    chart = freshChart(m_right);
    auto* share = new QLineSeries;
    share->setName(say::rightAxis);
    share->setPointsVisible(true);
    auto* aim = new QLineSeries;
    aim->setName(say::aim);
    for (qsizetype i = 0; i < m.right.size(); ++i) {
        // Each week at its first day; a week alone shows as a point.
        const auto weekStart = static_cast<double>(
            first.addDays(7 * i).startOfDay().toMSecsSinceEpoch());
        if (m.right[i])
            share->append(weekStart, 100 * *m.right[i]);
        aim->append(weekStart, 100 * session::kKnownRecall);
    }
    chart->addSeries(share);
    chart->addSeries(aim);
    setTimeAxes(chart, aim, 100);
    share->attachAxis(chart->axes(Qt::Horizontal).first());
    share->attachAxis(chart->axes(Qt::Vertical).first());
    m_right->setAccessibleDescription(m.rightSpoken);
}

void StatisticsWindow::fillHardest() {
    const session::Hardest h = session::hardest(m_store.history());
    m_hardest = h.entries();
    setRows(hardest, h.cells);
    trainHardest->setEnabled(!m_hardest.isEmpty());
}

void StatisticsWindow::exportClicked() {
    auto* dialog = new QFileDialog(this, say::exportTitle,
                                   QDir::home().filePath(say::exportName), say::exportFilter);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("csv"));
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        setCursor(Qt::WaitCursor);
        const Result<Done> written = session::exportHistory(m_store, path);
        unsetCursor();
        QMessageBox box(written ? QMessageBox::Information : QMessageBox::Warning, say::title,
                        written ? say::exported.arg(QDir::toNativeSeparators(path)) : written.why(),
                        QMessageBox::Ok, this);
        box.exec();
    });
    dialog->open();
}

} // namespace tirages::screens
