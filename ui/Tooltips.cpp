#include "ui/Tooltips.h"

#include "common/ComfortItems.h"
#include "common/HotelCodes.h"
#include "model/CatalogRecord.h"
#include "model/FloorRecord.h"
#include "model/HotelRules.h"
#include "store/MemTable.h"
#include "ui/BuildingTools.h"
#include "ui/FloorPanel.h"
#include "ui/RoomPanel.h"
#include "ui/RuleText.h"
#include "ui/TableText.h"
#include "ui/widgets/GlyphCheckBox.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/RockerSwitch.h"
#include "ui/widgets/ShadowLabel.h"

#include <algorithm>
#include <tuple>

namespace {

using namespace HotelRules;
using RuleText::Hour;

// What differs between the three stations.
struct TStationKind
{
    const char *Station; // "Police station"
    const char *Level;   // "police"
    const char *Worker;  // "policeman"
    const char *Workers; // "policemen"
    QString Every;       // "every 4th hour"
    int Gain;            // level points per paid worker
    QString Falls;
};

TStationKind Kind(int kind)
{
    const QString load = "the occupied rooms' types added up";
    const auto byChance = [&](int period) {
        return "falls " + RuleText::EveryHour(period) +
               " by chance, by less than the floor's load (" + load + ")";
    };
    switch (std::clamp(kind, StationKind::Clean, StationKind::Fire)) {
    case StationKind::Clean:
        return {"Cleaning station",
                "clean",
                "cleaner",
                "cleaners",
                RuleText::EveryHour(CleanPeriod),
                CleanGainPerWorker,
                QString("falls %1 by the floor's load: %2 (a type %3 room weighs %3, a type %4 "
                        "room %4)")
                    .arg(RuleText::EveryHour(CleanPeriod), load)
                    .arg(CatalogRow::FirstRoomType)
                    .arg(CatalogRow::LastRoomType)};
    case StationKind::Police:
        return {"Police station",
                "police",
                "policeman",
                "policemen",
                RuleText::EveryHour(PolicePeriod),
                PoliceGainPerWorker,
                byChance(PolicePeriod)};
    default:
        return {"Fire station",
                "fire",
                "fireman",
                "firemen",
                RuleText::EveryHour(FirePeriod),
                FireGainPerWorker,
                byChance(FirePeriod)};
    }
}

// "(clean + police + fire + 25 for each comfort item) / 4".
QString ComfortSum(const char *perItem)
{
    return QString("(clean + police + fire + %1 %2 comfort item) / %3")
        .arg(ComfortPerItem)
        .arg(perItem)
        .arg(ComfortParts);
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
            Para("Comfort " + QString::number(value) + " of " + QString::number(LevelMax),
                 ComfortSum("for each") +
                     ". It rises with the three "
                     "levels and with each item bought, and falls when they fall or an item wears "
                     "out. Each morning a room pays its income times comfort / " +
                     QString::number(LevelMax) + ".<br>" + Thresholds() + "<br>This floor has " +
                     QString::number(stationWorkers) +
                     (stationWorkers == 1 ? " comfort item." : " comfort items."));
        return text;
    }
    const int kind = static_cast<int>(level);
    const TStationKind k = Kind(kind);
    const auto row = catalog.find(CatalogRow::Station(kind));
    const int wage = row != catalog.end() ? row->second.Income : 0;
    QString here;
    if (stationWorkers < 0)
        here = QString("This floor has no ") + k.Station + "; buy one on the " + k.Level +
               " page to hire workers.";
    else
        here = "This floor's " + QString(k.Station).toLower() + " has " +
               Workers(stationWorkers, k) + " of " + QString::number(MaxWorkers) + ", paid " +
               QString::number(wage * stationWorkers) + " " + k.Every + ".";
    QString title = QString(k.Level);
    title[0] = title[0].toUpper();
    return Para(title + " " + QString::number(value) + " of " + QString::number(LevelMax),
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
                        "comfort %7, paid at %8).<br>Built in %5 working hours (%9 to "
                        "%10); breaks after %6 nights occupied.")
                    .arg(row.Width)
                    .arg(row.Width == 1 ? "" : "s")
                    .arg(row.Price)
                    .arg(row.Income)
                    .arg(row.Build)
                    .arg(row.Wear)
                    .arg(LevelMax)
                    .arg(Hour(IncomeHour), Hour(FirstWorkingHour), Hour(LastWorkingHour)));
}

QString TTooltips::FloorToolText(const TRow &row)
{
    return Para(row.Name, QString("Price %1. Adds the next floor on top, %3 cells wide; at "
                                  "most %2 floors.")
                              .arg(row.Price)
                              .arg(MaxStoreys)
                              .arg(RuleText::NumberWord(CellsPerFloor)));
}

QString TTooltips::StationText(int kind, const TRow &row)
{
    const TStationKind k = Kind(kind);
    return Para(row.Name, QString("Price %1, for this floor. Then hire up to %2 %3, each paid "
                                  "%4 %5 and raising %6 by %7 when paid.")
                              .arg(row.Price)
                              .arg(MaxWorkers)
                              .arg(k.Workers)
                              .arg(row.Income)
                              .arg(k.Every)
                              .arg(k.Level)
                              .arg(k.Gain));
}

QString TTooltips::HireText(int kind, const TRow &row)
{
    const TStationKind k = Kind(kind);
    return Para(QString("Hire a ") + k.Worker,
                QString("Wage %1 %2 (hiring itself is free); raises %3 by %4 each time it is "
                        "paid. At most %5.")
                    .arg(row.Income)
                    .arg(k.Every)
                    .arg(k.Level)
                    .arg(k.Gain)
                    .arg(MaxWorkers));
}

QString TTooltips::DismissText(int kind)
{
    const TStationKind k = Kind(kind);
    return Para(QString("Dismiss a ") + k.Worker, "The wage stops; the station stays.");
}

QString TTooltips::ComfortItemText(const TRow &row)
{
    return Para(row.Name, QString("Price %1, lasts %2 days. Adds %3 to the floor's comfort sum "
                                  "(about %4 comfort points); it wears out at %5 when no day "
                                  "is left, and can then be bought again.")
                              .arg(row.Price)
                              .arg(row.Wear)
                              .arg(ComfortPerItem)
                              .arg(ComfortPerItem / ComfortParts)
                              .arg(Hour(ItemWearHour)));
}

QString TTooltips::RoomPriceText()
{
    // The example is three quarters of the full level.
    return Para("Price", QString("What this room earns a night while occupied, at comfort %1. It "
                                 "is paid at %2, times the floor's comfort / %1 (comfort %3 pays "
                                 "three quarters).")
                             .arg(LevelMax)
                             .arg(Hour(IncomeHour))
                             .arg(LevelMax * 3 / 4));
}

QString TTooltips::DaysLeftText()
{
    return Para("Days left", QString("The nights of occupancy this room has left. It counts down "
                                     "at %1 while a guest stays; at 0 the room breaks and can "
                                     "only be demolished.")
                                 .arg(Hour(RoomWearHour)));
}

QString TTooltips::RoomStatusText()
{
    return Para("Status", QString("Building: under construction (%1 to %2).<br>Free: waits for "
                                  "a guest at %3.<br>Ocupied: a guest stays and the room earns."
                                  "<br>Broken: worn out; demolish it to build again.")
                              .arg(Hour(FirstWorkingHour), Hour(LastWorkingHour), Hour(GuestHour)));
}

void TTooltips::ApplyCatalog(TvekMemTable &tRooms)
{
    catalog_.clear();
    for (tRooms.First(); !tRooms.AtEnd(); tRooms.Next()) {
        const TCatalogRecord row(tRooms);
        catalog_[row.Id()] = {FromTableText(row.Name()),
                              row.Width(),
                              row.Price(),
                              row.Income(),
                              row.Wear(),
                              row.Build()};
    }
    auto row = [&](int id) {
        const auto found = catalog_.find(id);
        return found != catalog_.end() ? found->second : TRow{};
    };
    for (int type = CatalogRow::FirstRoomType; type <= CatalogRow::LastRoomType; ++type)
        if (TOvalButton *tool = tools_.ToolButton(type))
            tool->setToolTip(RoomToolText(row(type)));
    tools_.btFloor->setToolTip(FloorToolText(row(CatalogRow::Floor)));
    tools_.edFloorPrice->setToolTip(FloorToolText(row(CatalogRow::Floor)));
    for (int kind = StationKind::Clean; kind <= StationKind::Fire; ++kind) {
        const TRow station = row(CatalogRow::Station(kind));
        TFloorPanel::Station &s = floor_.stations[static_cast<std::size_t>(kind - 1)];
        s.stationSwitch->setToolTip(StationText(kind, station));
        s.price->setToolTip(StationText(kind, station));
        s.plus->setToolTip(HireText(kind, station));
        s.minus->setToolTip(DismissText(kind));
        s.workers->setToolTip(HireText(kind, station));
        if (TShadowLabel *heading = LabelWithCaption(s.price->parentWidget(), "Price"))
            heading->setToolTip(StationText(kind, station));
    }
    for (int item = 1; item <= TComfortItems::Count; ++item) {
        const QString text = ComfortItemText(row(CatalogRow::Item(item)));
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
    const TFloorRecord floor(tCurrFloor);
    QWidget *panel = floor_.edDirty->parentWidget();
    const struct
    {
        TLevel Level;
        TShadowLabel *Value;
        const char *Caption;
        int Figure;
        int Workers;
    } levels[] = {
        {TLevel::Clean, floor_.edDirty, "Clean", floor.Level(StationKind::Clean),
         floor.Station(StationKind::Clean)},
        {TLevel::Police, floor_.edPolice, "Police", floor.Level(StationKind::Police),
         floor.Station(StationKind::Police)},
        {TLevel::Fire, floor_.edFire, "Fire", floor.Level(StationKind::Fire),
         floor.Station(StationKind::Fire)},
        {TLevel::Comfort, floor_.edComfort, "Owerall", floor.Comfort(),
         floor.Items().InstalledCount()},
    };
    for (const auto &level : levels) {
        const QString text = LevelText(level.Level, level.Figure, level.Workers, catalog_);
        level.Value->setToolTip(text);
        if (TShadowLabel *label = LabelWithCaption(panel, level.Caption))
            label->setToolTip(text);
    }
}
