#include "ui/HotelInfoPanel.h"

#include "model/HotelRecord.h"
#include "store/MemTable.h"
#include "ui/Controls.h"
#include "ui/TableText.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

using Controls::TextStyle;
using TA = TShadowLabel::TAlignment;

namespace {
const int kSpeedLeft = 147;
const char *const kNoHotelName = "Name";
} // namespace

THotelInfoPanel::THotelInfoPanel(QWidget *panel1)
{
    Controls::Label(panel1, {2, 4, 129, 21}, "Hotel information", TextStyle::Heading);
    edHotelName =
        Controls::Label(panel1, {16, 24, 161, 25}, kNoHotelName, TextStyle::Name, TA::taCenter);
    edHotelName->setObjectName("edHotelName");
    const char *names[] = {"Date", "Time", "Money"};
    TShadowLabel **values[] = {&edCurrentDate, &edCurrentTime, &edHotelMoney};
    const char *valueNames[] = {"edCurrentDate", "edCurrentTime", "edHotelMoney"};
    for (int i = 0; i < 3; ++i) {
        Controls::Label(panel1, {8, 56 + 24 * i, 57, 25}, names[i], TextStyle::Name);
        *values[i] =
            Controls::Label(panel1, {72, 56 + 24 * i, 105, 25}, "", TextStyle::Name, TA::taCenter);
        (*values[i])->setObjectName(valueNames[i]);
    }
    // The speed sits at the right end of the time's row, clear of the centred hour.
    edClockSpeed = Controls::Label(panel1, {kSpeedLeft, 82, 177 - kSpeedLeft, 21}, "",
                                   TextStyle::Heading, TA::taRightJustify);
    edClockSpeed->setObjectName("edClockSpeed");
    edPaused = Controls::Label(panel1, {16, 136, 161, 25}, "Paused", TextStyle::Name, TA::taCenter);
    edPaused->SetFontColor(clYellow);
    edPaused->setObjectName("edPaused");
    ShowPace(false, false, 1);
    OvalButton9 = Controls::Button(panel1, {8, 176, 161, 40}, "Main menu", clWhite);
    OvalButton9->setObjectName("OvalButton9");
    OvalButton9->hide();
}

void THotelInfoPanel::dsHotelDataChange(TvekMemTable &tHotel)
{
    if (!tHotel.Active())
        return;
    // With no hotel left in the list the block shows none, as at start.
    if (tHotel.IsEmpty()) {
        edHotelName->SetCaption(kNoHotelName);
        for (TShadowLabel *value : {edCurrentDate, edCurrentTime, edHotelMoney})
            value->SetCaption("");
        return;
    }
    const THotelRecord hotel(tHotel);
    edHotelName->SetCaption(FromTableText(hotel.Name()));
    edCurrentDate->SetCaption(FromTableText(hotel.DateText()));
    edCurrentTime->SetCaption(FromTableText(hotel.TimeText()));
    edHotelMoney->SetCaption(FromTableText(hotel.MoneyText()));
}

void THotelInfoPanel::ShowPace(bool playing, bool paused, int hoursPerSecond)
{
    edClockSpeed->SetCaption(QStringLiteral("x%1").arg(hoursPerSecond));
    edClockSpeed->setVisible(playing);
    edPaused->setVisible(playing && paused);
}
