#include "ui/HotelListModel.h"

#include "model/HotelRecord.h"
#include "model/TableFields.h"
#include "store/MemTable.h"
#include "ui/TableText.h"

#include <algorithm>
#include <variant>

namespace {

int IntegerOf(const TFieldValue &value)
{
    if (const auto *i = std::get_if<std::int32_t>(&value))
        return *i;
    return 0;
}

} // namespace

THotelListModel::THotelListModel(TDataSource &dsHotel, QObject *parent)
    : QAbstractTableModel(parent), dsHotel_(dsHotel)
{
    Reload();
}

TvekMemTable *THotelListModel::Table() const
{
    return dynamic_cast<TvekMemTable *>(dsHotel_.DataSet());
}

void THotelListModel::Reload()
{
    std::vector<Row> rows;
    TvekMemTable *table = Table();
    if (table && table->Active()) {
        // The rows are read without moving the table's cursor, so by field rather
        // than through the record view of the current record.
        const TField *fHotelId = table->FindField(HotelField::HotelId);
        const TField *fName = table->FindField(HotelField::Name);
        const TField *fDate = table->FindField(HotelField::Date);
        const TField *fMoney = table->FindField(HotelField::Money);
        const TField *fId = table->FindField(HotelField::Counter);
        const TField *fTime = table->FindField(HotelField::Time);
        auto value = [&](std::size_t record, const TField *field) {
            return field ? table->RawValue(record, field->Index()) : TFieldValue{};
        };
        for (std::size_t r = 0; r < table->RawRecordCount(); ++r) {
            if (!table->RawRecordVisible(r))
                continue;
            Row row;
            row.hotelId = IntegerOf(value(r, fHotelId));
            const TFieldValue name = value(r, fName);
            if (const auto *text = std::get_if<std::string>(&name))
                row.name = FromTableText(*text);
            const TFieldValue date = value(r, fDate);
            if (const auto *day = std::get_if<double>(&date))
                row.date = QString::fromStdString(FormatShortDate(*day));
            row.money = IntegerOf(value(r, fMoney));
            row.id = IntegerOf(value(r, fId));
            row.time = IntegerOf(value(r, fTime));
            rows.push_back(std::move(row));
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row &a, const Row &b) { return a.money < b.money; });

    const bool sameRows =
        rows.size() == rows_.size() &&
        std::equal(rows.begin(), rows.end(), rows_.begin(),
                   [](const Row &a, const Row &b) { return a.hotelId == b.hotelId; });
    if (!sameRows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    } else {
        rows_ = std::move(rows);
        if (!rows_.empty())
            emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
}

int THotelListModel::CurrentRow() const
{
    TvekMemTable *table = Table();
    if (!table || !table->Active() || table->IsEmpty())
        return -1;
    const int current = THotelRecord(*table).HotelId();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].hotelId == current)
            return static_cast<int>(i);
    return -1;
}

int THotelListModel::HotelIdAt(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].hotelId : -1;
}

int THotelListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int THotelListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant THotelListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const Row &row = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case Hotel:
        return row.name;
    case Date:
        return row.date;
    case Money:
        return row.money;
    case HotelId:
        return row.hotelId;
    case Id:
        return row.id;
    case Time:
        return row.time;
    default:
        return {};
    }
}

QVariant THotelListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    // The hidden columns are captioned with their field's name.
    static const char *titles[] = {
        "Hotel", "Date", "Money", HotelField::HotelId, HotelField::Counter, HotelField::Time};
    return section >= 0 && section < ColumnCount ? QString(titles[section]) : QVariant();
}
