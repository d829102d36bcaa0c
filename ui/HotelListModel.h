#pragma once

#include "store/DataSource.h"

#include <QAbstractTableModel>
#include <vector>

class TvekMemTable;

// The hotel list: every visible record of tHotel, ordered by money, smallest
// first (ties in table order). It listens to tHotel through its data source
// and reads the records without moving the table's cursor. Columns: "Hotel",
// "Date", "Money", then the hidden HOTEL_ID, ID and TIME.
class THotelListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        Hotel,
        Date,
        Money,
        HotelId,
        Id,
        Time,
        ColumnCount
    };

    explicit THotelListModel(TDataSource &dsHotel, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Re-reads the table; the data source's change handler calls it.
    void Reload();
    // The row of the table's current record, or -1.
    int CurrentRow() const;
    // HOTEL_ID shown in a row.
    int HotelIdAt(int row) const;

private:
    struct Row
    {
        int hotelId = 0;
        QString name;
        QString date;
        int money = 0;
        int id = 0;
        int time = 0;
    };

    TvekMemTable *Table() const;

    TDataSource &dsHotel_;
    std::vector<Row> rows_;
};
