#include "ui/HotelInfoPanel.h"

#include "store/MemTable.h"
#include "ui/Controls.h"
#include "ui/TableText.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

using Controls::TextStyle;
using TA = TShadowLabel::TAlignment;

THotelInfoPanel::THotelInfoPanel(QWidget *panel1)
{
    Controls::Label(panel1, {2, 4, 129, 21}, "Hotel information", TextStyle::Heading);
    edHotelName = Controls::Label(panel1, {16, 24, 161, 25}, "Name", TextStyle::Name, TA::taCenter);
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
    OvalButton9 = Controls::Button(panel1, {8, 176, 161, 40}, "Main menu", clWhite);
    OvalButton9->setObjectName("OvalButton9");
    OvalButton9->hide();
}

void THotelInfoPanel::dsHotelDataChange(TvekMemTable &tHotel)
{
    if (!tHotel.Active() || tHotel.IsEmpty())
        return;
    edHotelName->SetCaption(FromTableText(tHotel.FieldNamed("NAME").AsString()));
    edCurrentDate->SetCaption(FromTableText(tHotel.FieldNamed("DATE").AsString()));
    edCurrentTime->SetCaption(FromTableText(tHotel.FieldNamed("TIME").AsString()));
    edHotelMoney->SetCaption(FromTableText(tHotel.FieldNamed("MONEY").AsString()));
}
