#include "ui/HelpWindow.h"

#include "model/HotelRules.h"
#include "ui/GamePace.h"
#include "ui/RuleText.h"
#include "ui/widgets/GameFont.h"

#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QShortcut>
#include <QStringList>
#include <QVBoxLayout>

namespace {

using namespace HotelRules;
using RuleText::Hour;

// "each paid policeman or fireman 2", or each with its own gain.
QString PoliceAndFireGain()
{
    if (PoliceGainPerWorker == FireGainPerWorker)
        return "each paid policeman or fireman " + QString::number(PoliceGainPerWorker);
    return QString("each paid policeman %1, each paid fireman %2")
        .arg(PoliceGainPerWorker)
        .arg(FireGainPerWorker);
}

// "one, two or four" game hours a second.
QString Speeds()
{
    const auto &speeds = TGamePace::kHoursPerSecond;
    QStringList words;
    for (int hours : speeds)
        words << RuleText::NumberWord(hours);
    const QString last = words.takeLast();
    return words.join(", ") + " or " + last;
}

} // namespace

QString THelpWindow::HelpText()
{
    const QString level = QString::number(GuestLevel);
    const QString comfort = QString::number(GuestComfort);
    const QString clean = RuleText::Ordinal(CleanPeriod);
    return QString("<h2>How to play</h2>"
                   "<p>Buy floors, build rooms on them, and give each floor stations and comfort "
                   "items. Guests fill the rooms and pay every morning; the floor panel shows how "
                   "clean, safe and comfortable each floor is. Hover over anything for more.</p>"
                   "<h3>The day</h3>"
                   "<table cellspacing='4'>"
                   "<tr><td><b>" +
                   Hour(IncomeHour) +
                   "</b></td><td>Income: each occupied room pays its nightly "
                   "income times its floor's comfort / " +
                   QString::number(LevelMax) +
                   ". The journal reports the day.</td></tr>"
                   "<tr><td><b>" +
                   Hour(GuestHour) +
                   "</b></td><td>Guests: free rooms fill, and guests leave, by the "
                   "levels below.</td></tr>"
                   "<tr><td><b>Wages</b></td><td>Cleaners are paid every " +
                   clean + " hour, police every " + RuleText::Ordinal(PolicePeriod) +
                   ", firemen every " + RuleText::Ordinal(FirePeriod) +
                   "; only while the wage is below the money. Unpaid workers "
                   "do nothing.</td></tr>"
                   "<tr><td><b>Levels</b></td><td>Clean falls every " +
                   clean +
                   " hour by the floor's load "
                   "(its occupied rooms), police and fire by chance; each paid cleaner adds " +
                   QString::number(CleanGainPerWorker) + ", " + PoliceAndFireGain() +
                   ".</td></tr>"
                   "<tr><td><b>" +
                   Hour(ItemWearHour) +
                   "</b></td><td>Wear: comfort items lose a day of life and wear "
                   "out when none is left.</td></tr>"
                   "<tr><td><b>" +
                   Hour(RoomWearHour) +
                   "</b></td><td>Wear: each occupied room loses a day; at 0 it "
                   "breaks and can only be demolished.</td></tr>"
                   "<tr><td><b>" +
                   Hour(FirstWorkingHour) + "&ndash;" + Hour(LastWorkingHour) +
                   "</b></td><td>Construction: rooms are built over "
                   "working hours only.</td></tr>"
                   "</table>"
                   "<h3>Thresholds</h3>"
                   "<p>A free room fills while comfort is above %2 and clean, police and fire are "
                   "each above %1. Guests stay while comfort is at least %2 and each level at "
                   "least %1; they leave when one falls below. Comfort is (clean + police + fire "
                   "+ %3 per comfort item) / %4.</p>"
                   "<h3>Keys</h3>"
                   "<table cellspacing='4'>"
                   "<tr><td><b>Space</b> or <b>P</b></td><td>pause and resume the clock</td></tr>"
                   "<tr><td><b>1</b>, <b>2</b>, <b>3</b></td><td>" +
                   Speeds() +
                   " game hours a "
                   "second</td></tr>"
                   "<tr><td><b>Escape</b></td><td>release the building tool (as a right "
                   "click does); close a message</td></tr>"
                   "<tr><td><b>Return</b></td><td>close a message</td></tr>"
                   "<tr><td><b>H</b></td><td>high contrast on and off</td></tr>"
                   "<tr><td><b>J</b></td><td>the hotel journal and its chart</td></tr>"
                   "<tr><td><b>R</b></td><td>rebuild the chosen broken room (Rebuild on the "
                   "room page)</td></tr>"
                   "<tr><td><b>F1</b></td><td>this help</td></tr>"
                   "<tr><td><b>Mouse</b></td><td>left click: build with the chosen tool, or "
                   "choose a floor or room; Shift with a left click that builds keeps the tool "
                   "for the next room; right click: release the tool</td></tr>"
                   "</table>")
        .arg(level, comfort, QString::number(ComfortPerItem), QString::number(ComfortParts));
}

THelpWindow::THelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle("How to play");
    body_ = new QLabel(HelpText());
    body_->setObjectName("HelpText");
    body_->setTextFormat(Qt::RichText);
    body_->setWordWrap(true);
    body_->setFont(GameFont(13));
    body_->setMargin(10);
    body_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *scroll = new QScrollArea;
    scroll->setWidget(body_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(560, 640);
    // Escape closes the help as it closes a message.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}
