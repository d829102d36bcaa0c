#include "MemTableRecorder.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class FieldTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        table.AddField<TIntegerField>("NUMBER");
        table.AddField<TStringField>("NAME", 50);
        table.AddField<TDateField>("DATE");
        table.Open();
        table.Append();
    }

    TvekMemTable table{"tTest"};
};

TEST_F(FieldTest, IntegerTextForms)
{
    struct Case
    {
        const char *text;
        bool null;
        int value;
        const char *readBack;
    };
    const Case cases[] = {
        {"42", false, 42, "42"},
        {"-1", false, -1, "-1"},
        {"+7", false, 7, "7"},
        {"2147483647", false, 2147483647, "2147483647"},
        {"-2147483648", false, -2147483647 - 1, "-2147483648"},
        {"", true, 0, ""},
    };
    TField &field = table.FieldNamed("NUMBER");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        field.SetAsString(c.text);
        EXPECT_EQ(field.IsNull(), c.null);
        EXPECT_EQ(field.AsInteger(), c.value);
        EXPECT_EQ(field.AsString(), c.readBack);
    }
}

TEST_F(FieldTest, IntegerTextThatIsNoNumberFails)
{
    TField &field = table.FieldNamed("NUMBER");
    field.SetAsInteger(5);
    for (const char *text : {"abc", "12x", " 12", "1.5", "-", "2147483648", "-2147483649"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorOf([&] { field.SetAsString(text); }),
                  std::string("'") + text + "' is not a valid integer value for field 'NUMBER'");
        EXPECT_EQ(field.AsInteger(), 5);
    }
}

TEST_F(FieldTest, StringKeepsItsSizeAndEndsAtNul)
{
    TField &field = table.FieldNamed("NAME");
    field.SetAsString(std::string(60, 'x') + "");
    EXPECT_EQ(field.AsString(), std::string(50, 'x'));
    field.SetAsString(std::string("Sea\0View", 8));
    EXPECT_EQ(field.AsString(), "Sea");
    field.SetAsString("");
    EXPECT_FALSE(field.IsNull()) << "an empty text is a value";
    field.Clear();
    EXPECT_TRUE(field.IsNull());
    field.SetAsInteger(-12);
    EXPECT_EQ(field.AsString(), "-12");
}

TEST_F(FieldTest, DateKeepsTheWholeDayTowardZero)
{
    struct Case
    {
        double assigned;
        double kept;
    };
    const double lastMsOfDay = 38353.0 + (86400000.0 - 1.0) / 86400000.0;
    const Case cases[] = {
        {38353.0, 38353.0},
        {38353.75, 38353.0},
        {lastMsOfDay, 38353.0},
        // Less than half a millisecond before midnight rounds to the next day.
        {38354.0 - 0.4 / 86400000.0, 38354.0},
        {38354.0 - 0.6 / 86400000.0, 38353.0},
        {-1.5, -1.0},
        {-0.25, 0.0},
        {0.0, 0.0},
    };
    TField &field = table.FieldNamed("DATE");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.assigned);
        field.SetAsDateTime(c.assigned);
        EXPECT_EQ(field.AsDateTime(), c.kept);
        EXPECT_FALSE(std::signbit(field.AsDateTime()) && c.kept == 0.0);
    }
}

TEST_F(FieldTest, DateText)
{
    TField &field = table.FieldNamed("DATE");
    field.SetAsDateTime(38353.5);
    EXPECT_EQ(field.AsString(), "2005-01-01");
    field.SetAsString("1899-12-30");
    EXPECT_EQ(field.AsDateTime(), 0.0);
    EXPECT_FALSE(field.IsNull());
    field.SetAsString("");
    EXPECT_TRUE(field.IsNull());
    EXPECT_EQ(field.AsDateTime(), 0.0);
    EXPECT_EQ(field.AsString(), "");
    for (const char *text : {"2005-02-30", "01.01.2005", "yesterday", "2005-1-1x"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ErrorOf([&] { field.SetAsString(text); }), "Invalid value for field 'DATE'");
    }
    EXPECT_THROW(field.SetAsDateTime(NAN), EDatabaseError);
    EXPECT_THROW(field.SetAsDateTime(1e12), EDatabaseError);
}

TEST_F(FieldTest, NamesCompareWithoutRegardToCase)
{
    EXPECT_EQ(&table.FieldNamed("number"), &table.FieldNamed("NUMBER"));
    EXPECT_EQ(&table.FieldNamed("Name"), &table.Fields(1));
    EXPECT_EQ(table.FindField("MISSING"), nullptr);
    EXPECT_EQ(ErrorOf([&] { table.FieldNamed("MISSING"); }), "tTest: Field 'MISSING' not found");
}

TEST(FieldDefinitionTest, DuplicateNamesAndOpenTablesAreRefused)
{
    TvekMemTable table{"tTest"};
    table.AddField<TIntegerField>("ID");
    EXPECT_THROW(table.AddField<TStringField>("id", 4), EDatabaseError);
    table.Open();
    EXPECT_THROW(table.AddField<TIntegerField>("OTHER"), EDatabaseError);
    EXPECT_THROW(table.ClearFields(), EDatabaseError);
    EXPECT_EQ(table.FieldCount(), 1);
}

TEST(FieldDefinitionTest, ATableWithoutFieldsDoesNotOpen)
{
    TvekMemTable table{"tTest"};
    EXPECT_EQ(ErrorOf<EMemTableError>([&] { table.Open(); }), "There must be at least one field");
    EXPECT_FALSE(table.Active());
}

TEST(FieldDefinitionTest, FieldsOfAClosedTableReadAsNull)
{
    TvekMemTable table{"tHotel"};
    AddHotelFields(table);
    EXPECT_TRUE(table.FieldNamed("MONEY").IsNull());
    EXPECT_EQ(table.FieldNamed("MONEY").AsInteger(), 0);
    EXPECT_EQ(table.FieldNamed("NAME").AsString(), "");
    EXPECT_EQ(table.FieldNamed("DATE").AsDateTime(), 0.0);
}

} // namespace
