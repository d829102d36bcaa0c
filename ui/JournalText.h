#pragma once

#include "model/HotelJournal.h"

#include <QDate>
#include <QString>
#include <QStringList>

// How the journal's reports read on the screen.
namespace JournalText {

// The calendar day of a day number (whole days since 1899-12-30).
QDate DayDate(int day);
// "Morning of 2026-03-12", in the program's short date form.
QString DayHeading(int day);
// The heading and the lines of one report.
QStringList ReportLines(const TJournalDay &report);
// Every report, oldest first, then what happened since the last one.
QString WholeJournal(const THotelJournal &journal);

} // namespace JournalText
