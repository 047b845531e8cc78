// Writes the seed texts of the application-model fuzz target (tests/fuzz/
// corpus/appdb/) when TROV_WRITE_APPDB_SEEDS names a folder:
//   TROV_WRITE_APPDB_SEEDS=tests/fuzz/corpus/appdb
//   build/native/tests/app_tests --gtest_filter='AppDbSeeds.*'
// Every seed also has to parse, so a changed generator shows here.
#include "app/GDB.h"

#include "tests/app/DrbText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

TEST(AppDbSeeds, WriteWhenAsked)
{
    const char* folder = getenv("TROV_WRITE_APPDB_SEEDS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "set TROV_WRITE_APPDB_SEEDS to write the seeds";

    using trovtest::DrbBlock;
    using trovtest::DrbPin;
    DrbBlock repeated("Top");
    repeated.In(DrbPin("A", 1)).Out(DrbPin("B", 1)).Add(DrbBlock("K", true).In(DrbPin("C", 1, 3)));
    DrbBlock formats("Top");
    formats.In(DrbPin("Text", 1, 1, "<FORMAT>int</FORMAT><STRING/><TEXTLEN>8</TEXTLEN>"))
        .In(DrbPin("Ip", 2, 4, "<FORMAT>int</FORMAT><IPADDRESS/>"))
        .In(DrbPin("When", 3, 1, "<DATETIME/><DB>2:4</DB><ADP><VALUE>2</VALUE></ADP><RESET/>"));
    std::string menu = trovtest::DrbText(trovtest::SampleApplication());
    menu.insert(menu.size() - 8,
                "<DISPLAYMENU><NAME>Top[Menu]</NAME><ATTRIBUTES>id=iv</ATTRIBUTES><MENU><NAME>Sub</NAME>"
                "<ITEM><NAME>n</NAME><PATH>A.B.Count</PATH><IDENTPATH>Speed</IDENTPATH></ITEM></MENU>"
                "<ACTIVE><PATH>C.Limit</PATH><VALUE>1</VALUE></ACTIVE></DISPLAYMENU>");
    struct Seed {
        const char* name;
        std::string text;
    } seeds[] = {
        {"sample", trovtest::DrbText(trovtest::SampleApplication())},
        {"nested", trovtest::NestedDrbText(12)},
        {"repeated-ids", trovtest::DrbText(repeated)},
        {"formats", trovtest::DrbText(formats)},
        {"display-menu", menu},
    };
    for (const Seed& seed : seeds) {
        std::string path = std::string(folder) + "/" + seed.name;
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(seed.text.data(), (std::streamsize)seed.text.size());
        CGDB model;
        char error[256] = "";
        ASSERT_EQ(kXmlOk, model.ParseText("seed", seed.text.c_str(), error, sizeof error, "DRBv1")) << seed.name;
        EXPECT_EQ(1, model.Parse()) << seed.name << ": " << model.GetError();
    }
}
