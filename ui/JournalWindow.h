#pragma once

#include <QWidget>

class QChart;
class QChartView;
class QLineSeries;
class QPlainTextEdit;
class THotelJournal;

// The whole journal of the open hotel beside a chart of the money and the
// occupied rooms of each morning over the last 30 game days. A window of its
// own that never blocks the game.
class TJournalWindow : public QWidget
{
    Q_OBJECT
public:
    // The days the chart covers.
    static constexpr int ChartDays = 30;

    explicit TJournalWindow(QWidget *parent = nullptr);

    // The journal to show (null for none) and the hotel's name for the title.
    void SetJournal(const THotelJournal *journal, const QString &hotelName);
    // Reads the journal again; the chart is redrawn when a report was added.
    void Refresh();

    QPlainTextEdit *Text() const { return text_; }
    QLineSeries *MoneySeries() const { return money_; }
    QLineSeries *RoomsSeries() const { return rooms_; }
    QChartView *ChartView() const { return chartView_; }

private:
    void RefreshChart();

    const THotelJournal *journal_ = nullptr;
    std::size_t chartedDays_ = 0;
    QPlainTextEdit *text_;
    QChartView *chartView_;
    QLineSeries *money_;
    QLineSeries *rooms_;
};
