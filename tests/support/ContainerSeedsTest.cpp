// Writes the seed files of the container fuzz target (tests/fuzz/corpus/
// container/) when TROV_WRITE_CONTAINER_SEEDS names a folder:
//   TROV_WRITE_CONTAINER_SEEDS=tests/fuzz/corpus/container
//   build/native/tests/support_tests --gtest_filter='ContainerSeeds.*'
// Every seed also has to open, so a changed format shows here.
#include "support/AppContainer.h"

#include "tests/common/TempDir.h"
#include "tests/support/ContainerFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using trovtest::ContainerFixture;

TEST(ContainerSeeds, WriteWhenAsked)
{
    const char* folder = getenv("TROV_WRITE_CONTAINER_SEEDS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "set TROV_WRITE_CONTAINER_SEEDS to write the seeds";

    const std::string id = "4e1c2b7a-seed";
    std::string app = "<DRBv1>";
    for (int i = 0; i < 40; ++i)
        app += "<BLOCK ID=\"" + std::to_string(i) + "\"><PIN>IN" + std::to_string(i % 5) + "</PIN></BLOCK>";
    app += "</DRBv1>";
    const std::string setup =
        "<SETUPS><SETUP NAME=\"Default\"><V DB=\"1\" ID=\"2\">5</V></SETUP></SETUPS>";
    struct Seed {
        const char* name;
        std::string bytes;
    } seeds[] = {
        {"install", ContainerFixture().Plain("id", id).Plain("setup", setup).Packed("app", app, id)
                        .Packed("info", "<INFO>seed</INFO>", id).Bytes()},
        {"packed-uncompressed", ContainerFixture().Plain("id", id).Packed("app", app, id, false).Bytes()},
        {"packed-unencrypted", ContainerFixture().Plain("id", id).Packed("app", app, id, true, false).Bytes()},
        {"plain-sections", ContainerFixture("\n<ablmx>").Plain("id", id).Plain("app", app).Plain("", "").Bytes()},
        {"single-text", app},
        {"single-text-encrypted", ContainerFixture::EncryptWholeFile(app)},
    };
    trovtest::TempDir scratch;
    for (const Seed& seed : seeds) {
        std::string path = std::string(folder) + "/" + seed.name;
        std::ofstream(path, std::ios::binary | std::ios::trunc).write(seed.bytes.data(), (std::streamsize)seed.bytes.size());
        CGAppContainer container;
        EXPECT_NE(0, container.Open(path.c_str())) << seed.name;
    }
}

} // namespace
