#include "ui/JournalWindow.h"

#include "model/HotelJournal.h"
#include "ui/JournalText.h"
#include "ui/widgets/GameFont.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

const QColor kMoneyColor(0, 128, 0);
const QColor kRoomsColor(0, 64, 192);
const int kMostDayLabels = 10;
const int kRoomSteps = 4;

QValueAxis *ValueAxis(const QString &title, const QColor &color)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat("%.0f");
    axis->setLabelsColor(color);
    axis->setTitleBrush(color);
    return axis;
}

} // namespace

TJournalWindow::TJournalWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName("JournalWindow");
    setWindowTitle("Hotel journal");
    resize(820, 560);

    text_ = new QPlainTextEdit;
    text_->setObjectName("JournalText");
    text_->setReadOnly(true);
    text_->setFont(GameFont(13));

    auto *chart = new QChart;
    chart->setTitle(QString("Money and occupied rooms each morning, last %1 days").arg(ChartDays));
    chart->legend()->setAlignment(Qt::AlignBottom);
    money_ = new QLineSeries;
    money_->setName("Money");
    money_->setPen(QPen(kMoneyColor, 2));
    money_->setPointsVisible(true);
    rooms_ = new QLineSeries;
    rooms_->setName("Occupied rooms");
    rooms_->setPen(QPen(kRoomsColor, 2));
    rooms_->setPointsVisible(true);
    chart->addSeries(money_);
    chart->addSeries(rooms_);
    auto *days = new QCategoryAxis;
    days->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    days->setTitleText("Morning");
    chart->addAxis(days, Qt::AlignBottom);
    auto *moneyAxis = ValueAxis("Money", kMoneyColor);
    auto *roomsAxis = ValueAxis("Rooms", kRoomsColor);
    chart->addAxis(moneyAxis, Qt::AlignLeft);
    chart->addAxis(roomsAxis, Qt::AlignRight);
    money_->attachAxis(days);
    money_->attachAxis(moneyAxis);
    rooms_->attachAxis(days);
    rooms_->attachAxis(roomsAxis);
    chartView_ = new QChartView(chart);
    chartView_->setObjectName("JournalChart");
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumHeight(260);

    auto *split = new QSplitter(Qt::Vertical);
    split->addWidget(text_);
    split->addWidget(chartView_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(split);
    RefreshChart();
}

void TJournalWindow::SetJournal(const THotelJournal *journal, const QString &hotelName)
{
    journal_ = journal;
    chartedDays_ = static_cast<std::size_t>(-1);
    setWindowTitle(hotelName.isEmpty() ? QString("Hotel journal")
                                       : "Hotel journal \u2013 " + hotelName);
    Refresh();
}

void TJournalWindow::Refresh()
{
    const QString text = journal_ ? JournalText::WholeJournal(*journal_) : QString();
    if (text != text_->toPlainText()) {
        // Keep the reader's place unless they were following the newest lines.
        QScrollBar *bar = text_->verticalScrollBar();
        const bool atEnd = bar->value() == bar->maximum();
        const int place = bar->value();
        text_->setPlainText(text);
        bar->setValue(atEnd ? bar->maximum() : place);
    }
    const std::size_t days = journal_ ? journal_->Days().size() : 0;
    if (days != chartedDays_)
        RefreshChart();
}

void TJournalWindow::RefreshChart()
{
    QList<QPointF> money, rooms;
    int firstDay = 0, lastDay = 0;
    int maxMoney = 0, minMoney = 0, maxRooms = 0;
    if (journal_) {
        const std::vector<TJournalDay> &all = journal_->Days();
        const std::size_t from = all.size() > ChartDays ? all.size() - ChartDays : 0;
        for (std::size_t k = from; k < all.size(); ++k) {
            const TJournalDay &day = all[k];
            const qreal x = day.Day;
            money << QPointF(x, day.Money);
            rooms << QPointF(x, day.OccupiedRooms);
            if (k == from) {
                firstDay = day.Day;
                minMoney = maxMoney = day.Money;
            }
            lastDay = day.Day;
            minMoney = std::min(minMoney, day.Money);
            maxMoney = std::max(maxMoney, day.Money);
            maxRooms = std::max(maxRooms, day.OccupiedRooms);
        }
    }
    money_->replace(money);
    rooms_->replace(rooms);
    chartedDays_ = journal_ ? journal_->Days().size() : 0;

    QChart *chart = chartView_->chart();
    auto *days = qobject_cast<QCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *moneyAxis = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical, money_).value(0));
    auto *roomsAxis = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical, rooms_).value(0));
    if (money.isEmpty())
        firstDay = lastDay = static_cast<int>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    // A label on every morning, or on every few when they would crowd; half a
    // day of room at either end, so that a single morning shows too.
    for (const QString &label : days->categoriesLabels())
        days->remove(label);
    const int step = (lastDay - firstDay) / kMostDayLabels + 1;
    for (int day = firstDay; day <= lastDay; day += step)
        days->append(JournalText::DayDate(day).toString("MM-dd"), day);
    days->setRange(firstDay - 0.5, lastDay + 0.5);
    moneyAxis->setRange(std::min(0, minMoney), std::max(maxMoney, 10));
    moneyAxis->applyNiceNumbers();
    // Whole rooms on every tick: the top is a multiple of the steps between ticks.
    const int steps = kRoomSteps;
    const int roomsTop = std::max((maxRooms + steps) / steps * steps, steps);
    roomsAxis->setRange(0, roomsTop);
    roomsAxis->setTickCount(steps + 1);
}
