#include "ui/JournalPanel.h"

#include "model/HotelJournal.h"
#include "model/HotelRules.h"
#include "ui/Controls.h"
#include "ui/JournalText.h"
#include "ui/JournalWindow.h"
#include "ui/RuleText.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/SystemColors.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>
#include <climits>

namespace {
const int kMargin = 8;
const int kHeadingHeight = 21;
const char *const kMore = "\u2026 J: the whole journal";
} // namespace

TJournalPanel::TJournalPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName("JournalPanel");
    Controls::Label(this, {2, 0, 129, kHeadingHeight}, "Journal", Controls::TextStyle::Heading);
    body_ = new QLabel(this);
    body_->setObjectName("JournalLines");
    body_->setFont(GameFont(11));
    body_->setWordWrap(true);
    body_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body_->setTextFormat(Qt::PlainText);
    QPalette palette = body_->palette();
    palette.setColor(QPalette::WindowText, clWhite);
    body_->setPalette(palette);
    setToolTip(QString("The latest morning report: income, wages, guests, wear and construction "
                       "since the previous morning. J opens the whole journal with a chart of the "
                       "last %1 days.")
                   .arg(TJournalWindow::ChartDays));
    Refresh();
}

void TJournalPanel::SetJournal(const THotelJournal *journal)
{
    journal_ = journal;
    Refresh();
}

QString TJournalPanel::Text() const
{
    return body_->text();
}

void TJournalPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Refresh();
}

void TJournalPanel::Refresh()
{
    const QRect area(kMargin, kHeadingHeight + 2, width() - 2 * kMargin,
                     height() - kHeadingHeight - 4);
    body_->setGeometry(area);
    QStringList lines;
    if (journal_ && !journal_->Days().empty())
        lines = JournalText::ReportLines(journal_->Days().back());
    else
        lines << "Each morning at " + RuleText::Hour(HotelRules::IncomeHour) +
                     " the day's report shows here.";
    // Whole lines only: what does not fit gives way to a pointer to the window.
    const QFontMetrics metrics(body_->font());
    auto height = [&](const QString &text) {
        return metrics.boundingRect(QRect(0, 0, area.width(), INT_MAX), Qt::TextWordWrap, text)
            .height();
    };
    QString text = lines.join('\n');
    while (lines.size() > 1 && height(text) > area.height()) {
        lines.removeLast();
        text = lines.join('\n') + '\n' + kMore;
        if (height(text) <= area.height())
            break;
    }
    body_->setText(text);
}
