#include "ui/Tooltips.h"

#include "model/GuestThresholds.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/FloorPanel.h"
#include "ui/RoomPanel.h"
#include "ui/TableText.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <algorithm>
#include <tuple>

namespace {

const int kFloorId = 10;
const int kStationIdBase = 10;
const int kItemIdBase = 20;
const int kMostWorkers = 5;
const int kMostFloors = 10;
const int kItemComfortPoints = 25; // added to the comfort sum, which is divided by 4

// What differs between the three stations.
struct TStationKind
{
    const char *Station; // "Police station"
    const char *Level;   // "police"
    const char *Worker;  // "policeman"
    const char *Workers; // "policemen"
    const char *Every;   // "every 4th hour"
    int Gain;            // level points per paid worker
    const char *Falls;
};

const TStationKind kKinds[] = {
    {"Cleaning station", "clean", "cleaner", "cleaners", "every 3rd hour", 4,
     "falls every 3rd hour by the floor's load: the occupied rooms' types added up "
     "(a type 1 room weighs 1, a type 5 room 5)"},
    {"Police station", "police", "policeman", "policemen", "every 4th hour", 2,
     "falls every 4th hour by chance, by less than the floor's load (the occupied rooms' "
     "types added up)"},
    {"Fire station", "fire", "fireman", "firemen", "every 5th hour", 2,
     "falls every 5th hour by chance, by less than the floor's load (the occupied rooms' "
     "types added up)"},
};

const TStationKind &Kind(int kind)
{
    return kKinds[std::clamp(kind, 1, 3) - 1];
}

QString Para(const QString &title, const QString &text)
{
    return "<b>" + title + "</b><br>" + text;
}

QString Thresholds()
{
    using namespace GuestThresholds;
    return QString("Guests come while comfort is above %2 and clean, police and fire are each "
                   "above %1; they leave when comfort falls below %2 or a level below %1.")
        .arg(GuestLevel)
        .arg(GuestComfort);
}

QString Workers(int workers, const TStationKind &kind)
{
    return QString::number(workers) + " " + (workers == 1 ? kind.Worker : kind.Workers);
}

TShadowLabel *LabelWithCaption(QWidget *parent, const QString &caption)
{
    for (TShadowLabel *label : parent->findChildren<TShadowLabel *>())
        if (label->Caption() == caption)
            return label;
    return nullptr;
}

} // namespace

TTooltips::TTooltips(TBuildingTools &tools, TFloorPanel &floor, TRoomPanel &room)
    : tools_(tools), floor_(floor), room_(room)
{
    // The room page's texts do not depend on the catalog.
    QWidget *page = room_.edRoomIncome->parentWidget();
    for (auto [caption, value, text] :
         {std::tuple{"Price", room_.edRoomIncome, RoomPriceText()},
          std::tuple{"Days left", room_.edRoomWear, DaysLeftText()},
          std::tuple{"Status", room_.edRoomStatus, RoomStatusText()}}) {
        value->setToolTip(text);
        if (TShadowLabel *label = LabelWithCaption(page, caption))
            label->setToolTip(text);
    }
}

QString TTooltips::LevelText(TLevel level, int value, int stationWorkers, const TCatalog &catalog)
{
    if (level == TLevel::Comfort) {
        QString text =
            Para("Comfort " + QString::number(value) + " of 100",
                 "(clean + police + fire + 25 for each comfort item) / 4. It rises with the three "
                 "levels and with each item bought, and falls when they fall or an item wears out. "
                 "Each morning a room pays its income times comfort / 100.<br>" +
                     Thresholds() + "<br>This floor has " + QString::number(stationWorkers) +
                     (stationWorkers == 1 ? " comfort item." : " comfort items."));
        return text;
    }
    const int kind = static_cast<int>(level);
    const TStationKind &k = Kind(kind);
    const auto row = catalog.find(kStationIdBase + kind);
    const int wage = row != catalog.end() ? row->second.Income : 0;
    QString here;
    if (stationWorkers < 0)
        here = QString("This floor has no ") + k.Station + "; buy one on the " + k.Level +
               " page to hire workers.";
    else
        here = "This floor's " + QString(k.Station).toLower() + " has " +
               Workers(stationWorkers, k) + " of " + QString::number(kMostWorkers) + ", paid " +
               QString::number(wage * stationWorkers) + " " + k.Every + ".";
    QString title = QString(k.Level);
    title[0] = title[0].toUpper();
    return Para(title + " " + QString::number(value) + " of 100",
                QString("It ") + k.Falls + ". Each paid " + k.Worker + " raises it by " +
                    QString::number(k.Gain) + " " + k.Every +
                    "; a wage is paid only while "
                    "it is below the money.<br>" +
                    Thresholds() + "<br>" + here);
}

QString TTooltips::RoomToolText(const TRow &row)
{
    return Para(row.Name,
                QString("%1 cell%2 wide, price %3.<br>Earns %4 a night while occupied (at "
                        "comfort 100, paid at 08:00).<br>Built in %5 working hours (09:00 to "
                        "18:00); breaks after %6 nights occupied.")
                    .arg(row.Width)
                    .arg(row.Width == 1 ? "" : "s")
                    .arg(row.Price)
                    .arg(row.Income)
                    .arg(row.Build)
                    .arg(row.Wear));
}

QString TTooltips::FloorToolText(const TRow &row)
{
    return Para(row.Name, QString("Price %1. Adds the next floor on top, ten cells wide; at "
                                  "most %2 floors.")
                              .arg(row.Price)
                              .arg(kMostFloors));
}

QString TTooltips::StationText(int kind, const TRow &row)
{
    const TStationKind &k = Kind(kind);
    return Para(row.Name, QString("Price %1, for this floor. Then hire up to %2 %3, each paid "
                                  "%4 %5 and raising %6 by %7 when paid.")
                              .arg(row.Price)
                              .arg(kMostWorkers)
                              .arg(k.Workers)
                              .arg(row.Income)
                              .arg(k.Every)
                              .arg(k.Level)
                              .arg(k.Gain));
}

QString TTooltips::HireText(int kind, const TRow &row)
{
    const TStationKind &k = Kind(kind);
    return Para(QString("Hire a ") + k.Worker,
                QString("Wage %1 %2 (hiring itself is free); raises %3 by %4 each time it is "
                        "paid. At most %5.")
                    .arg(row.Income)
                    .arg(k.Every)
                    .arg(k.Level)
                    .arg(k.Gain)
                    .arg(kMostWorkers));
}

QString TTooltips::DismissText(int kind)
{
    const TStationKind &k = Kind(kind);
    return Para(QString("Dismiss a ") + k.Worker, "The wage stops; the station stays.");
}

QString TTooltips::ComfortItemText(const TRow &row)
{
    return Para(row.Name, QString("Price %1, lasts %2 days. Adds %3 to the floor's comfort sum "
                                  "(about %4 comfort points); it wears out at 15:00 when no day "
                                  "is left, and can then be bought again.")
                              .arg(row.Price)
                              .arg(row.Wear)
                              .arg(kItemComfortPoints)
                              .arg(kItemComfortPoints / 4));
}

QString TTooltips::RoomPriceText()
{
    return Para("Price", "What this room earns a night while occupied, at comfort 100. It is "
                         "paid at 08:00, times the floor's comfort / 100 (comfort 75 pays three "
                         "quarters).");
}

QString TTooltips::DaysLeftText()
{
    return Para("Days left", "The nights of occupancy this room has left. It counts down at "
                             "22:00 while a guest stays; at 0 the room breaks and can only be "
                             "demolished.");
}

QString TTooltips::RoomStatusText()
{
    return Para("Status", "Building: under construction (09:00 to 18:00).<br>Free: waits for a "
                          "guest at 10:00.<br>Ocupied: a guest stays and the room earns.<br>"
                          "Broken: worn out; demolish it to build again.");
}

void TTooltips::ApplyCatalog(TvekMemTable &tRooms)
{
    catalog_.clear();
    for (tRooms.First(); !tRooms.AtEnd(); tRooms.Next()) {
        auto number = [&](const char *field) { return tRooms.FieldNamed(field).AsInteger(); };
        catalog_[number("ID")] = {FromTableText(tRooms.FieldNamed("NAME").AsString()),
                                  number("WIDTH"),
                                  number("PRICE"),
                                  number("INCOME"),
                                  number("WEAR"),
                                  number("BUILD")};
    }
    auto row = [&](int id) {
        const auto found = catalog_.find(id);
        return found != catalog_.end() ? found->second : TRow{};
    };
    for (int type = 1; type <= 5; ++type)
        if (TOvalButton *tool = tools_.ToolButton(type))
            tool->setToolTip(RoomToolText(row(type)));
    tools_.btFloor->setToolTip(FloorToolText(row(kFloorId)));
    tools_.edFloorPrice->setToolTip(FloorToolText(row(kFloorId)));
    for (int kind = 1; kind <= 3; ++kind) {
        const TRow station = row(kStationIdBase + kind);
        TFloorPanel::Station &s = floor_.stations[static_cast<std::size_t>(kind - 1)];
        s.stationSwitch->setToolTip(StationText(kind, station));
        s.price->setToolTip(StationText(kind, station));
        s.plus->setToolTip(HireText(kind, station));
        s.minus->setToolTip(DismissText(kind));
        s.workers->setToolTip(HireText(kind, station));
        if (TShadowLabel *heading = LabelWithCaption(s.price->parentWidget(), "Price"))
            heading->setToolTip(StationText(kind, station));
    }
    for (int item = 1; item <= 4; ++item) {
        const QString text = ComfortItemText(row(kItemIdBase + item));
        const auto k = static_cast<std::size_t>(item - 1);
        floor_.btStuff[k]->setToolTip(text);
        floor_.edFeaturePrice[k]->setToolTip(text);
        // The item's name label sits just left of its price on the same row.
        for (TShadowLabel *label :
             floor_.edFeaturePrice[k]->parentWidget()->findChildren<TShadowLabel *>())
            if (label != floor_.edFeaturePrice[k] &&
                label->geometry().top() == floor_.btStuff[k]->geometry().top() + 1)
                label->setToolTip(text);
    }
}

void TTooltips::ApplyFloor(TvekMemTable &tCurrFloor)
{
    if (!tCurrFloor.Active() || tCurrFloor.IsEmpty() || tCurrFloor.State() != tsBrowse)
        return;
    auto number = [&](const char *field) { return tCurrFloor.FieldNamed(field).AsInteger(); };
    const std::string stuff = tCurrFloor.FieldNamed("STUFF").AsString();
    const int items = static_cast<int>(std::count(stuff.begin(), stuff.end(), '1'));
    QWidget *panel = floor_.edDirty->parentWidget();
    const struct
    {
        TLevel Level;
        TShadowLabel *Value;
        const char *Caption;
        int Figure;
        int Workers;
    } levels[] = {
        {TLevel::Clean, floor_.edDirty, "Clean", number("DIRTY"), number("DIRTY_STATION")},
        {TLevel::Police, floor_.edPolice, "Police", number("POLICY"), number("POLICY_STATION")},
        {TLevel::Fire, floor_.edFire, "Fire", number("FIRE"), number("FIRE_STATION")},
        {TLevel::Comfort, floor_.edComfort, "Owerall", number("COMFORT"), items},
    };
    for (const auto &level : levels) {
        const QString text = LevelText(level.Level, level.Figure, level.Workers, catalog_);
        level.Value->setToolTip(text);
        if (TShadowLabel *label = LabelWithCaption(panel, level.Caption))
            label->setToolTip(text);
    }
}
