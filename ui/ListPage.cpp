#include "ui/ListPage.h"

#include "model/TableFields.h"
#include "store/MemTable.h"
#include "ui/Controls.h"
#include "ui/EventGuard.h"
#include "ui/HotelListModel.h"
#include "ui/widgets/GameFont.h"
#include "ui/widgets/OvalButton.h"
#include "ui/widgets/ShadowLabel.h"
#include "ui/widgets/SystemColors.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>

using TA = TShadowLabel::TAlignment;

namespace {

// Column headers drawn flat: yellow text on RGB (100,100,100). Painting them
// here keeps a style sheet, slow to set up at start, out of the window.
class TFlatHeader : public QHeaderView
{
public:
    explicit TFlatHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->fillRect(rect, QColor(100, 100, 100));
        painter->setPen(clYellow);
        painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          model()->headerData(section, orientation()).toString());
    }
};

} // namespace

TListPage::TListPage(QWidget *page, THotelListModel &model, TvekMemTable &tHotel,
                     const TEventGuard &guard)
    : model_(model), tHotel_(tHotel), guard_(guard)
{
    DataGrid1 = new QTableView(page);
    DataGrid1->setObjectName("DataGrid1");
    DataGrid1->setGeometry(8, 8, 337, 273);
    DataGrid1->setModel(&model);
    DataGrid1->setFrameShape(QFrame::NoFrame);
    DataGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DataGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DataGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DataGrid1->setFont(GameFont(12));
    DataGrid1->verticalHeader()->hide();
    DataGrid1->verticalHeader()->setDefaultSectionSize(18);
    QPalette palette = DataGrid1->palette();
    palette.setColor(QPalette::Base, clGray);
    palette.setColor(QPalette::Window, clGray);
    palette.setColor(QPalette::Text, clYellow);
    DataGrid1->setPalette(palette);
    auto *header = new TFlatHeader(DataGrid1);
    DataGrid1->setHorizontalHeader(header);
    header->setFont(GameFont(13, true));
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The columns share the grid's width: the name column takes what the date and money
    // columns leave (186 of 337 pixels while every row fits), so a vertical scroll bar
    // narrows it and no horizontal one is needed.
    DataGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DataGrid1->setColumnWidth(THotelListModel::Date, 76);
    DataGrid1->setColumnWidth(THotelListModel::Money, 75);
    header->setSectionResizeMode(THotelListModel::Hotel, QHeaderView::Stretch);
    header->setSectionResizeMode(THotelListModel::Date, QHeaderView::Fixed);
    header->setSectionResizeMode(THotelListModel::Money, QHeaderView::Fixed);
    for (int hidden : {THotelListModel::HotelId, THotelListModel::Id, THotelListModel::Time})
        DataGrid1->setColumnHidden(hidden, true);
    QObject::connect(DataGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged,
                     DataGrid1, [this] { RowSelected(); });

    OvalButton1 = Controls::Button(page, {16, 304, 100, 33}, "Load", clBlue);
    OvalButton1->setObjectName("OvalButton1");
    OvalButton2 = Controls::Button(page, {128, 304, 100, 33}, "New", clBlue);
    OvalButton2->setObjectName("OvalButton2");
    OvalButton8 = Controls::Button(page, {240, 304, 100, 33}, "Delete", clBlue);
    OvalButton8->setObjectName("OvalButton8");
    btRestore = Controls::Button(page, {16, 346, 100, 33}, "Restore", clBlue);
    btRestore->setObjectName("btRestore");
    btRestore->setToolTip("Go back to an earlier save of your hotels. The hotels you have now "
                          "are kept among the backups, so a restore can be undone.");

    auto *title = new TShadowLabel(page);
    title->setGeometry(560, 8, 164, 39);
    title->setFont(GameFont(32));
    title->SetFontColor(clRed);
    title->SetShadowColor(clBtnHighlight);
    title->SetShadowSize(2);
    title->SetShadowPos(TShadowLabel::TShadowPos::spBottomRight);
    title->SetTransparent(true);
    title->SetAutoSize(true);
    title->SetCaption("TAMSEL HOTEL");
    // The game font is wider than the one the page was drawn for: the title
    // keeps its right edge, so that it stays on the page.
    title->move(560 + 164 - title->width(), 8);

    edBuildVersion = new TShadowLabel(page);
    edBuildVersion->setObjectName("edBuildVersion");
    edBuildVersion->setGeometry(656, 600, 121, 13);
    edBuildVersion->SetAlignment(TA::taRightJustify);
    edBuildVersion->SetTransparent(true);
    edBuildVersion->SetCaption("Build:");

    const char *credits[] = {"Tamsel Hotel, a hotel-building game", "Pictures drawn for this game",
                             "Built with C++ and Qt"};
    for (int i = 0; i < 3; ++i) {
        auto *line = new TShadowLabel(page);
        line->setGeometry(480, 624 + 16 * i, 300, 13);
        line->SetAlignment(TA::taRightJustify);
        line->SetTransparent(true);
        line->SetCaption(credits[i]);
    }
}

void TListPage::dsHotelDataChange()
{
    following_ = true;
    model_.Reload();
    const int row = model_.CurrentRow();
    if (row >= 0)
        DataGrid1->selectRow(row);
    else
        DataGrid1->clearSelection();
    following_ = false;
}

void TListPage::RowSelected()
{
    if (following_)
        return;
    const int hotelId = model_.HotelIdAt(DataGrid1->currentIndex().row());
    if (hotelId >= 0 && tHotel_.Active())
        guard_.Run([&] { tHotel_.Locate(HotelField::HotelId, hotelId); });
}
