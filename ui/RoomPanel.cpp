#include "ui/RoomPanel.h"

#include "common/HotelCodes.h"
#include "model/RoomRecord.h"
#include "model/TD_Data.h"
#include "ui/Controls.h"
#include "ui/TableText.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

using Controls::TextStyle;
using TA = TShadowLabel::TAlignment;

namespace {

const char *const DaysLeft = "Days left";
const char *const WorkHours = "Work hours";

} // namespace

TRoomPanel::TRoomPanel(QWidget *parent, TD_Data &data) : data_(data)
{
    ntRoom = Controls::Notebook(parent, 2);
    ntRoom->setObjectName("ntRoom");
    ntRoom->setFixedSize(200, 142);
    QWidget *page = ntRoom->widget(1);
    Controls::Label(page, {8, 4, 129, 21}, "Room information", TextStyle::Heading);
    edRoomName = Controls::Label(page, {18, 20, 175, 21}, "-", TextStyle::Heading, TA::taCenter);
    edRoomName->setObjectName("edRoomName");
    Controls::Label(page, {18, 44, 55, 21}, "Status", TextStyle::Heading);
    edRoomStatus = Controls::Label(page, {88, 44, 89, 19}, "", TextStyle::Status);
    edRoomStatus->setObjectName("edRoomStatus");
    Controls::Label(page, {18, 65, 55, 21}, "Price", TextStyle::Heading);
    edRoomIncome = Controls::Label(page, {88, 65, 89, 19}, "", TextStyle::Status);
    edRoomIncome->SetFontColor(clAqua);
    edRoomIncome->setObjectName("edRoomIncome");
    edRoomWearHeading = Controls::Label(page, {18, 86, 71, 21}, DaysLeft, TextStyle::Heading);
    edRoomWearHeading->setObjectName("edRoomWearHeading");
    edRoomWear = Controls::Label(page, {88, 86, 89, 19}, "", TextStyle::Status);
    edRoomWear->SetFontColor(clAqua);
    edRoomWear->setObjectName("edRoomWear");
    OvalButton7 = Controls::Button(page, {112, 112, 81, 25}, "Demolish", QColor(255, 128, 0), 13,
                                   true, clBlue);
    OvalButton7->setObjectName("OvalButton7");
    btRebuild =
        Controls::Button(page, {24, 112, 81, 25}, "Rebuild", QColor(255, 128, 0), 13, true, clBlue);
    btRebuild->setObjectName("btRebuild");
    btRebuild->setToolTip("Demolish this broken room and build the same room on the same cells, "
                          "for the price and building time of a new one (key R).");
    btRebuild->hide();
    ntRoom->setCurrentIndex(1);
}

void TRoomPanel::dsCurrRoomDataChange()
{
    TvekMemTable &room = data_.tCurrRoom;
    // A record being appended is still empty; the post that completes it refreshes again.
    if (!room.Active() || room.IsEmpty() || room.State() != tsBrowse)
        return;
    const TRoomRecord record(room);
    const int type = record.Type();
    // Without a usable catalog the room shows what its own record holds.
    const bool catalog = data_.CatalogReady();
    edRoomName->SetCaption(catalog ? FromTableText(data_.CatalogName(type)) : QString());
    edRoomIncome->SetCaption(catalog ? QString::number(data_.CatalogIncome(type)) : QString());
    const int status = record.Status();
    if (RoomStatus::UnderConstruction(status)) {
        edRoomStatus->SetCaption("Building");
        edRoomStatus->SetFontColor(clAqua);
    } else if (status == RoomStatus::Free) {
        edRoomStatus->SetCaption("Free");
        edRoomStatus->SetFontColor(clRed);
    } else if (status == RoomStatus::Occupied) {
        edRoomStatus->SetCaption("Ocupied");
        edRoomStatus->SetFontColor(clLime);
    } else {
        edRoomStatus->SetCaption("Broken");
        edRoomStatus->SetFontColor(clMaroon);
    }
    // The two counts are told apart by their heading: a room being built has hours of work
    // left, not days of life.
    const bool building = RoomStatus::UnderConstruction(status);
    edRoomWearHeading->SetCaption(building ? WorkHours : DaysLeft);
    edRoomWear->SetCaption(QString::number(building ? -status : record.Wear()));
    btRebuild->setVisible(status == RoomStatus::Broken);
}

void TRoomPanel::Clear()
{
    edRoomName->SetCaption("-");
    edRoomStatus->SetCaption("");
    edRoomIncome->SetCaption("");
    edRoomWear->SetCaption("");
    edRoomWearHeading->SetCaption(DaysLeft);
    btRebuild->hide();
}
