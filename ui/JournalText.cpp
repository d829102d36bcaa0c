#include "ui/JournalText.h"

#include "model/HotelRules.h"
#include "store/DateTime.h"
#include "ui/RuleText.h"

namespace JournalText {

QDate DayDate(int day)
{
    return QDate(1899, 12, 30).addDays(day);
}

QString DayHeading(int day)
{
    return "Morning of " + QString::fromStdString(FormatShortDate(day));
}

QStringList ReportLines(const TJournalDay &report)
{
    QStringList lines{DayHeading(report.Day)};
    for (const std::string &line : report.Lines)
        lines << QString::fromStdString(line);
    return lines;
}

QString WholeJournal(const THotelJournal &journal)
{
    QStringList blocks;
    for (const TJournalDay &report : journal.Days())
        blocks << ReportLines(report).join('\n');
    const std::vector<std::string> pending = journal.PendingLines();
    QStringList today{"Since the last report"};
    for (const std::string &line : pending)
        today << QString::fromStdString(line);
    if (pending.empty())
        today << "Nothing yet.";
    blocks << today.join('\n');
    if (journal.Days().empty())
        blocks.prepend("The first report comes at " + RuleText::Hour(HotelRules::IncomeHour) +
                       ", when the income is counted.");
    return blocks.join("\n\n");
}

} // namespace JournalText
