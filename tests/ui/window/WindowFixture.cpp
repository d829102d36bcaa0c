#include "WindowFixture.h"

#include "model/TableSchemas.h"
#include "scene/GeneralSprite.h"
#include "scene/HotelScene.h"
#include "store/MemTable.h"
#include "support/WaitUntil.h"
#include "ui/DisplaySettings.h"

#include <QCoreApplication>
#include <fstream>
#include <nlohmann/json.hpp>

WindowTest::WindowTest()
{
    WriteCatalog(dir.path().toStdString());
    StartWindow();
}

void WindowTest::Restart(const std::function<void()> &betweenRuns)
{
    driver.reset();
    window.reset();
    data->SetMessageWindow(nullptr);
    data->SetRandom(nullptr);
    data.reset();
    betweenRuns();
    StartWindow();
}

void WindowTest::StartWindow()
{
    data = std::make_unique<TD_Data>(dir.path().toStdString());
    data->SetMessageWindow(&messages);
    data->SetRandom(&random);
    // The display choices live in the test's own directory, never the user's,
    // so every window starts in the standard colours.
    TDisplaySettings::UseFile(dir.path() + "/settings.ini");
    window = std::make_unique<TF_Main>(*data);
    driver = std::make_unique<TWindowDriver>(*window);
    driver->OnError([this](const QString &text) { errors.push_back(text); });
    // No modal question in a headless test: the player agrees unless a test says otherwise.
    driver->AnswerQuestions([](const QString &, const QString &) { return true; });
    window->show();
    // The drawing surface is made after the window's first paint.
    EXPECT_TRUE(WaitUntil([&] { return driver->Arena() != nullptr; }, std::chrono::seconds(5),
                          [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); }));
}

WindowTest::~WindowTest()
{
    driver.reset();
    window.reset();
    TDisplaySettings::UseFile(QString());
    data->SetMessageWindow(nullptr);
    data->SetRandom(nullptr);
}

void WindowTest::WriteCatalog(const std::string &directory)
{
    TvekMemTable catalog("tRooms");
    DefineGameTableFields(catalog, "tRooms");
    catalog.Open();
    std::ifstream rows(std::string(TAMSEL_SOURCE_DIR) + "/assets/catalog/tRooms.jsonl");
    std::string line;
    while (std::getline(rows, line)) {
        if (line.empty())
            continue;
        const nlohmann::json row = nlohmann::json::parse(line);
        catalog.Append();
        for (const auto &[name, value] : row.items()) {
            if (value.is_string())
                catalog.FieldNamed(name).SetAsString(value.get<std::string>());
            else
                catalog.FieldNamed(name).SetAsInteger(value.get<int>());
        }
        catalog.Post();
    }
    catalog.WriteTableFile(directory + "/tRooms.dht");
}

void WindowTest::AddHotel(const std::string &name)
{
    driver->AnswerHotelName(QString::fromStdString(name));
    driver->New();
}

void WindowTest::LoadWithMoney(int money)
{
    driver->Load();
    data->AddMoney(money - data->GetMoney());
}

int WindowTest::SpriteCount()
{
    return driver->Scene().Engine.Root().ChildCount();
}

std::vector<TGeneralSprite *> WindowTest::SpritesWithID(int id)
{
    std::vector<TGeneralSprite *> found;
    TSpriteEngine &root = driver->Scene().Engine.Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (auto *sprite = dynamic_cast<TGeneralSprite *>(root.Child(i));
            sprite && sprite->ID == id)
            found.push_back(sprite);
    return found;
}
