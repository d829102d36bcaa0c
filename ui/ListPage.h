#pragma once

#include <QTableView>
#include <QWidget>

class THotelListModel;
class TOvalButton;
class TShadowLabel;
class TvekMemTable;
class TEventGuard;

// The hotel list page (page 1 of ntMain): the list grid DataGrid1, the Load,
// New and Delete buttons, the title and the build label. Selecting a row
// moves the current record of tHotel to that hotel.
class TListPage
{
public:
    TListPage(QWidget *page, THotelListModel &model, TvekMemTable &tHotel,
              const TEventGuard &guard);

    // Follows a change of tHotel: re-reads the rows and selects the current one.
    void dsHotelDataChange();

    QTableView *DataGrid1;
    TOvalButton *OvalButton1; // Load
    TOvalButton *OvalButton2; // New
    TOvalButton *OvalButton8; // Delete
    // Goes back to a backup of the saved hotels.
    TOvalButton *btRestore;
    TShadowLabel *edBuildVersion;

private:
    void RowSelected();

    THotelListModel &model_;
    TvekMemTable &tHotel_;
    const TEventGuard &guard_;
    bool following_ = false; // the selection is being set from the table
};
