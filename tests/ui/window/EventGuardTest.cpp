// Every window handler runs through the guard: a refusal's silent abort ends
// it quietly, any other error is shown once, and nothing escapes to Qt.
#include "ui/EventGuard.h"

#include "model/EAbort.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

TEST(EventGuard, DiscardsTheSilentAbortAndShowsEveryOtherError)
{
    TEventGuard guard;
    std::vector<QString> shown;
    guard.ShowError = [&](const QString &text) { shown.push_back(text); };

    EXPECT_TRUE(guard.Run([] {}));
    EXPECT_FALSE(guard.Run([] { throw EAbort(); }));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(guard.Run([] { throw std::runtime_error("tHotel: Field 'X' not found"); }));
    EXPECT_FALSE(guard.Run([] { throw 42; }));
    EXPECT_EQ(shown, (std::vector<QString>{"tHotel: Field 'X' not found", "Unknown error"}));

    // An error while showing an error goes no further either.
    guard.ShowError = [](const QString &) { throw std::runtime_error("no screen"); };
    EXPECT_FALSE(guard.Run([] { throw std::runtime_error("first"); }));
}

// The clock's hour stops the clock before its error is shown, so the error is shown once; a
// refusal stops nothing.
TEST(EventGuard, ARepeatingHandlerIsStoppedBeforeItsErrorIsShown)
{
    TEventGuard guard;
    std::vector<QString> events;
    guard.ShowError = [&](const QString &text) { events.push_back("shown: " + text); };
    const auto stop = [&] { events.push_back("stopped"); };

    EXPECT_TRUE(guard.RunRepeating([] {}, stop));
    EXPECT_FALSE(guard.RunRepeating([] { throw EAbort(); }, stop));
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(guard.RunRepeating(
        [] { throw std::runtime_error("Invalid value for field 'DATE'"); }, stop));
    EXPECT_EQ(events, (std::vector<QString>{"stopped", "shown: Invalid value for field 'DATE'"}));
}
