#include "model/TD_Data.h"

#include "store/CodePage.h"

#include <filesystem>

TD_Data::TD_Data() : TD_Data(ExecutableDirectory()) {}

TD_Data::TD_Data(const std::string &appPath)
    : TD_Data(TDataPlaces{THotelSaves::WithSlash(appPath),
                          THotelSaves::WithSlash(appPath) + "tRooms.dht", true})
{
}

TD_Data::TD_Data(const TDataPlaces &places)
    : tables_(seams_), catalog_(tables_.tRooms), saves_(tables_, catalog_, places),
      purchases_(tables_, catalog_, seams_), hourly_(tables_, catalog_, seams_)
{
    DataModuleCreate();
}

TD_Data::~TD_Data()
{
    try {
        DataModuleDestroy();
    } catch (...) {
        // A destructor cannot report; DataModuleDestroy collects its errors itself.
    }
}

std::string TD_Data::ExecutableDirectory()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return THotelSaves::WithSlash(exe.parent_path().string());
}

void TD_Data::DataModuleCreate()
{
    seams_.ReseedOwnRandom();
    saves_.LoadTables();
    tables_.tCurrFloor.Open();
}

void TD_Data::DataModuleDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    saves_.SaveTables();
}

void TD_Data::RefuseHeldHotel(int hotelId, const std::string &done)
{
    for (const THeldHotel &hotel : saves_.HeldHotels())
        if (hotel.HotelId == hotelId)
            GameError("\"" + TCodePage::ToUtf8(hotel.Name) + "\" cannot be " + done +
                      " until its saved records are mended: " + hotel.Reason +
                      ". Its records are kept as they are.");
}
