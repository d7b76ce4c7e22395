// Loading the airport database's airport file and the altitude list.

#include <gtest/gtest.h>

#include "navdata/AirportDatabaseFiles.h"
#include "TestSupport.h"

using namespace tarnwell;
using namespace tarnwell::testing;

TEST(AirportDatabaseFiles, FaultsNameTheLineOrTheFile) {
    TempProgramFolder dir;
    EXPECT_NE(ErrorOf([&] { LoadAltitudes(dir.Data()); }).find("the altitude list is missing"), std::string::npos);
    std::string full;
    for (int k = 0; k < AltitudeCapacity; ++k) full += "EGLL,1\r\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"EGLL,100\r\nEGKK,high\r\n", "line 2, field 2 (Altitude)"}, {"EGLL,100,5\r\n", "line 1, field 3"},
        {"EGLL,100\r\nEGKK\r\nEGSS,1\r\n", "line 2, field 2"}, {"EGLL,3000000000\r\n", "line 1"}, {full, "no error"},
        {full + "\r\nEGKK,2\r\n", "line 22003, field 1 (ICAO)"},
    };
    for (const auto& [text, place] : cases) {
        dir.Write("Data/Altitudes.txt", text);
        EXPECT_NE(ErrorOf([&] { LoadAltitudes(dir.Data()); }).find(place), std::string::npos) << place;
    }
    // The airport file must hold whole records, and at least one.
    EXPECT_NE(ErrorOf([&] { LoadNavennaAirports(dir.Data()); }).find("missing"), std::string::npos);
    const std::vector<std::pair<std::size_t, std::string>> sizes = {
        {0, "holds no airport"}, {24, "holds no airport"}, {26, "nv_apt1.nv2"}, {50, "no error"}};
    for (const auto& [length, error] : sizes) {
        WriteFileBytes(dir.Data() / "nv_apt1.nv2", Bytes(length, ' '));
        EXPECT_NE(ErrorOf([&] { LoadNavennaAirports(dir.Data()); }).find(error), std::string::npos) << length;
    }
}
