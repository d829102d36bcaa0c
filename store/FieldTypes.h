#pragma once

#include <cstdint>
#include <string>
#include <variant>

// A stored field value. std::monostate is "no value" (null); an integer or
// autoincrement field holds std::int32_t, a string field std::string (8-bit
// Windows-1252 text, one byte per character), a date field double (the
// date-time number of the day: days since 1899-12-30, a whole number).
using TFieldValue = std::variant<std::monostate, std::int32_t, double, std::string>;

// Field types, in the order of the type names that table files use
// ("Unknown", "String", "SmallInt", ...). The table stores ftString,
// ftInteger, ftDate and ftAutoInc; the others exist so that a file reader can
// name what it met.
enum TFieldType
{
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftOraBlob,
    ftOraClob,
    ftVariant,
    ftInterface,
    ftIDispatch,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd
};

// Every field of the program is a data field; the other kinds exist for field
// definitions read from files and cannot be searched by Locate.
enum TFieldKind
{
    fkData,
    fkCalculated,
    fkLookup,
    fkInternalCalc,
    fkAggregate
};

// The state of a table.
enum TDataSetState
{
    tsInactive, // closed
    tsBrowse,
    tsEdit,   // the current record is being changed
    tsInsert, // a new record is being made
};

// The kinds of change notice a table sends to its data sources.
enum TNoticeKind
{
    nkFieldChange,     // a field value of the edit buffer was set
    nkRecordChange,    // Edit began
    nkDataSetChange,   // the view was re-read
    nkDataSetScroll,   // Next moved
    nkLayoutChange,    // the field layout changed
    nkUpdateRecord,    // Post is about to store
    nkUpdateState,     // the state changed
    nkCheckBrowseMode, // the edit state is about to end
};
