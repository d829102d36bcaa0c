// The shipped price catalog: every row the game reads, with the values the
// rules and the pictures need, and the economy it was designed for.
#include "ModelFixture.h"

#include <set>

namespace {

const std::set<int> kCatalogIds{1, 2, 3, 4, 5, 10, 11, 12, 13, 21, 22, 23, 24};
// The room pictures "Room01" to "Room05" are this many 50-pixel cells wide.
const int kPictureCells[] = {0, 1, 2, 3, 1, 2};

} // namespace

TEST(ShippedCatalogTest, EveryRowHoldsWhatTheGameNeeds)
{
    const auto rows = ShippedCatalog();
    std::set<int> ids;
    for (const TCatalogRow &row : rows) {
        SCOPED_TRACE("catalog row " + std::to_string(row.ID));
        EXPECT_TRUE(ids.insert(row.ID).second) << "row given twice";
        EXPECT_TRUE(kCatalogIds.count(row.ID)) << "a row the game does not read";
        EXPECT_FALSE(row.NAME.empty());
        EXPECT_LE(row.NAME.size(), 50u);
        for (int value : {row.WIDTH, row.PRICE, row.INCOME, row.WEAR, row.BUILD})
            EXPECT_GE(value, 0);
        EXPECT_GT(row.PRICE, 0);
        if (row.ID <= 5) {
            EXPECT_EQ(row.WIDTH, kPictureCells[row.ID]);
            EXPECT_GT(row.BUILD, 0);
            EXPECT_LE(row.BUILD, 20) << "built within two working days";
            // Occupied at a comfort of 75 to 100, a room pays for itself in one to two weeks
            // and lives longer than that.
            const double fastest = double(row.PRICE) / row.INCOME;
            const double slowest = row.PRICE / (0.75 * row.INCOME);
            EXPECT_GE(fastest, 7.0);
            EXPECT_LE(slowest, 14.0);
            EXPECT_GT(row.WEAR, slowest * 1.2);
        } else if (row.ID >= 11 && row.ID <= 13) {
            EXPECT_GT(row.INCOME, 0) << "workers earn a wage";
        } else if (row.ID >= 21) {
            EXPECT_GT(row.WEAR, 0);
            EXPECT_LT(row.WEAR, 100) << "an item's life is kept in two digits";
        }
    }
    EXPECT_EQ(ids, kCatalogIds);
}

TEST(ShippedCatalogTest, StartingMoneyBuysAFloorItsStationsAndAFewRooms)
{
    std::map<int, TCatalogRow> rows;
    for (const TCatalogRow &row : ShippedCatalog())
        rows[row.ID] = row;
    const int start = rows[10].PRICE + rows[11].PRICE + rows[12].PRICE + rows[13].PRICE;
    EXPECT_LE(start + 3 * rows[3].PRICE + rows[1].PRICE, 50000);
}

// The file the build puts beside the executable holds the same rows, and the
// model accepts it.
TEST(ShippedCatalogTest, BuiltCatalogFileMatchesItsSource)
{
    const std::string built = TD_Data::ExecutableDirectory() + "tRooms.dht";
#ifndef TAMSEL_CATALOG_BUILT
    if (!std::filesystem::exists(built))
        GTEST_SKIP() << "no " << built << " (the catalog is built with hotel-tables)";
#endif
    ASSERT_TRUE(std::filesystem::exists(built));
    TempDir dir;
    std::filesystem::copy_file(built, dir.Path + "tRooms.dht");
    TD_Data data(dir.Path);
    EXPECT_TRUE(data.LoadErrors().empty()) << data.LoadErrorText();
    EXPECT_TRUE(data.CatalogReady()) << data.CatalogProblem();
    EXPECT_EQ(data.tRooms.RawRecordCount(), kCatalogIds.size());
    for (const TCatalogRow &row : ShippedCatalog()) {
        SCOPED_TRACE(row.ID);
        EXPECT_EQ(data.CatalogName(row.ID), row.NAME);
        EXPECT_EQ(data.CatalogPrice(row.ID), row.PRICE);
        EXPECT_EQ(data.CatalogIncome(row.ID), row.INCOME);
        EXPECT_EQ(data.CatalogWear(row.ID), row.WEAR);
        ASSERT_TRUE(data.tRooms.Locate("ID", row.ID));
        EXPECT_EQ(data.tRooms.FieldNamed("WIDTH").AsInteger(), row.WIDTH);
        EXPECT_EQ(data.tRooms.FieldNamed("BUILD").AsInteger(), row.BUILD);
    }
}
