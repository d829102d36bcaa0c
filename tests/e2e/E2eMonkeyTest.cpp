// A seeded monkey plays the real window for a bounded time: clicks on the
// controls and anywhere, random buttons, random keys and names. The game must
// not crash, show no error box besides its own messages, and leave table
// files that read back and keep the model's rules.
#include "support/x/GameDriver.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace std::chrono_literals;
using Records = std::vector<std::map<std::string, std::string>>;

namespace {

int Env(const char *name, int fallback)
{
    const char *value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

int Int(const std::map<std::string, std::string> &record, const std::string &field)
{
    const auto it = record.find(field);
    return it == record.end() || it->second.empty() ? 0 : std::stoi(it->second);
}

// Every rule of the model that the saved tables must keep; one line per breach.
std::vector<std::string> Breaches(const Records &hotels, const Records &floors,
                                  const Records &rooms, const Records &catalog)
{
    std::vector<std::string> out;
    auto breach = [&](const std::string &what) { out.push_back(what); };
    std::map<int, int> width;
    for (const auto &row : catalog)
        width[Int(row, "ID")] = Int(row, "WIDTH");
    std::set<int> hotelIds;
    for (const auto &h : hotels) {
        if (!hotelIds.insert(Int(h, "HOTEL_ID")).second)
            breach("two hotels share HOTEL_ID " + h.at("HOTEL_ID"));
        if (Int(h, "MONEY") < 0)
            breach("negative money in hotel " + h.at("HOTEL_ID"));
        if (Int(h, "TIME") < 0 || Int(h, "TIME") > 23)
            breach("hour out of range in hotel " + h.at("HOTEL_ID"));
    }
    std::map<int, std::set<int>> storeys;
    for (const auto &f : floors) {
        const int hotel = Int(f, "HOTEL_ID"), storey = Int(f, "FLOOR_ID");
        const std::string where = "floor " + f.at("ID") + " of hotel " + f.at("HOTEL_ID");
        if (!hotelIds.count(hotel))
            breach(where + " has no hotel");
        if (storey < 0 || storey > 9 || !storeys[hotel].insert(storey).second)
            breach(where + ": storey " + std::to_string(storey) + " out of range or twice");
        for (const char *station : {"DIRTY_STATION", "POLICY_STATION", "FIRE_STATION"})
            if (Int(f, station) < -1 || Int(f, station) > 5)
                breach(where + ": " + station + " " + f.at(station));
        for (const char *level : {"DIRTY", "POLICY", "FIRE"})
            if (Int(f, level) < 0 || Int(f, level) > 100)
                breach(where + ": " + level + " " + f.at(level));
        const std::string stuff = f.at("STUFF");
        if (stuff.size() != 4 || stuff.find_first_not_of("01") != std::string::npos)
            breach(where + ": STUFF \"" + stuff + "\"");
        const std::string wear = f.at("STUF_WEAR");
        if (wear.size() != 8 || wear.find_first_not_of("0123456789") != std::string::npos)
            breach(where + ": STUF_WEAR \"" + wear + "\"");
    }
    for (const auto &[hotel, set] : storeys)
        if (!set.empty() && *set.rbegin() != static_cast<int>(set.size()) - 1)
            breach("hotel " + std::to_string(hotel) + " has a gap between its storeys");
    std::map<std::pair<int, int>, std::vector<int>> cells; // (hotel, storey) -> owner per cell
    for (const auto &r : rooms) {
        const int hotel = Int(r, "HOTEL_ID"), storey = Int(r, "FLOOR_ID");
        const int type = Int(r, "TYPE"), posit = Int(r, "POSIT"), status = Int(r, "STATUS");
        const std::string where = "room " + r.at("ID") + " of hotel " + r.at("HOTEL_ID");
        if (!storeys[hotel].count(storey))
            breach(where + " stands on no floor");
        if (type < 1 || type > 5) {
            breach(where + ": type " + std::to_string(type));
            continue;
        }
        if (posit < 0 || posit + width[type] > 10)
            breach(where + ": does not fit at cell " + std::to_string(posit));
        if (status > 2)
            breach(where + ": status " + std::to_string(status));
        if (status < 0 && (Int(r, "ALPHA") < 55 || Int(r, "ALPHA") > 255))
            breach(where + ": alpha " + r.at("ALPHA"));
        auto &row = cells[{hotel, storey}];
        row.resize(10, 0);
        for (int c = posit; c < posit + width[type] && c < 10; ++c) {
            if (c >= 0 && row[c] != 0)
                breach(where + " shares cell " + std::to_string(c) + " with room " +
                       std::to_string(row[c]));
            if (c >= 0)
                row[c] = Int(r, "ID");
        }
    }
    return out;
}

} // namespace

TEST(e2eMonkey, RandomPlayLeavesReadableTablesThatKeepTheRules)
{
    const int seconds = Env("TAMSEL_MONKEY_SECONDS", 60);
    const unsigned seed = static_cast<unsigned>(Env("TAMSEL_MONKEY_SEED", 20261209));
    std::printf("monkey: seed %u, %d s\n", seed, seconds);
    std::mt19937 rng(seed);
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    GameDriver game("monkey");
    ASSERT_TRUE(game.Start()) << "see " << game.Log();
    const std::vector<QPoint> controls = {
        GameDriver::Load(),     GameDriver::New(),         GameDriver::Delete(),
        GameDriver::MainMenu(), GameDriver::FloorButton(), GameDriver::Tool(1),
        GameDriver::Tool(2),    GameDriver::Tool(3),       GameDriver::Tool(4),
        GameDriver::Tool(5),    GameDriver::Info(1),       GameDriver::Info(2),
        GameDriver::Info(3),    GameDriver::Info(4),       GameDriver::StationSwitch(),
        GameDriver::Plus(),     GameDriver::Minus(),       GameDriver::Comfort(1),
        GameDriver::Comfort(2), GameDriver::Comfort(3),    GameDriver::Comfort(4),
        GameDriver::Demolish(), GameDriver::ListRow(0),    GameDriver::ListRow(1),
        GameDriver::ListRow(2)};
    const std::vector<std::string> keys = {"a",   "Z",    "space", "Return",    "Escape",
                                           "Tab", "Down", "Up",    "BackSpace", "eacute"};
    const std::vector<std::string> names = {"", "Ritz", "Hôtel du Lac",
                                            "A very long hotel name "
                                            "that goes on past fifty characters at least"};

    // A warm start, so that the monkey finds a hotel to play with.
    ASSERT_TRUE(game.NewHotel("Monkey Business"));
    game.Click(GameDriver::Load());

    int actions = 0, messages = 0, newHotels = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        ASSERT_TRUE(game.Running())
            << "the game ended after " << actions << " actions; see " << game.Log();
        XSession::TopWindow box;
        if (game.ErrorBox(box)) {
            game.X().SaveScreenshot(box.geometry,
                                    std::string(TAMSEL_BINARY_DIR) + "/e2e-shots/monkey-error.png");
            FAIL() << "an error box after " << actions << " actions (seed " << seed << ")";
        }
        if (game.MessageWindow(box)) {
            ++messages;
            game.CloseMessage(box);
            game.X().WaitUntil([&] { return !game.MessageWindow(box); }, 5s);
            continue;
        }
        bool asked = false;
        for (const auto &w : game.X().Windows())
            if (w.title == "New hotel") {
                asked = true;
                game.X().Focus(w);
                const std::string &name = names[pick(static_cast<int>(names.size()))];
                if (!name.empty())
                    game.X().Type(name);
                game.X().Key(chance(80) ? "Return" : "Escape");
                ++newHotels;
                game.X().WaitNoWindow("New hotel", 5s);
                game.X().Focus(game.Main());
            }
        // The questions before Delete and Demolish, and a refused hotel name: Tab moves from Cancel
        // to the action or back, Space answers with the button that has the focus.
        for (const auto &w : game.X().Windows())
            if (w.title == "Delete" || w.title == "Demolish" || w.title == "Hotel name") {
                asked = true;
                game.X().Focus(w);
                if (chance(50))
                    game.X().Key("Tab");
                game.X().Key(chance(80) ? "space" : "Escape");
                game.X().WaitNoWindow(w.title, 5s);
                game.X().Focus(game.Main());
            }
        if (asked)
            continue;

        ++actions;
        const int button = chance(80) ? 1 : chance(60) ? 3 : 2;
        const bool onList = (game.PixelAt({600, 400}) & 0xffffff) == 0x808080;
        if (onList && chance(40)) {
            game.Click(chance(50) ? GameDriver::Load() : GameDriver::New());
        } else if (chance(55)) {
            game.Click(controls[pick(static_cast<int>(controls.size()))], chance(90) ? 1 : button);
        } else if (chance(50)) {
            game.Click(GameDriver::Cell(pick(4), pick(10)) + QPoint(pick(50) - 25, pick(50) - 25),
                       button);
        } else if (chance(70)) {
            game.Click({pick(979), pick(679)}, button);
        } else if (chance(50)) {
            game.X().Key(keys[pick(static_cast<int>(keys.size()))]);
        } else {
            game.Move(GameDriver::Scene(pick(761), pick(535)));
        }
    }
    // Leave any box the last action opened, then close as a window manager would.
    XSession::TopWindow box;
    if (game.MessageWindow(box))
        game.CloseMessage(box);
    for (const auto &w : game.X().Windows())
        if (w.title == "New hotel") {
            game.X().Focus(w);
            game.X().Key("Escape");
        }
    for (const auto &w : game.X().Windows())
        if (w.title == "Delete" || w.title == "Demolish") {
            game.X().Focus(w);
            game.X().Key("Escape");
        }
    game.X().WaitUntil([&] { return !game.MessageWindow(box); }, 5s);
    game.X().WaitNoWindow("New hotel", 5s);
    std::printf("monkey: %d actions, %d game messages, %d new-hotel boxes\n", actions, messages,
                newHotels);
    ASSERT_EQ(game.Quit(), 0) << "see " << game.Log();

    const Records hotels = game.Dump("tHotel");
    const Records floors = game.Dump("tFloor");
    const Records rooms = game.Dump("tRoom");
    const Records catalog = game.Dump("tRooms");
    std::printf("monkey: saved %zu hotels, %zu floors, %zu rooms\n", hotels.size(), floors.size(),
                rooms.size());
    EXPECT_EQ(catalog.size(), 13u);
    for (const std::string &breach : Breaches(hotels, floors, rooms, catalog))
        ADD_FAILURE() << breach;
}
