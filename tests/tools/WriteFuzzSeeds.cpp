// trov_write_fuzz_seeds: writes the seed files of a fuzz target's corpus.
//
//   trov_write_fuzz_seeds appdb tests/fuzz/corpus/appdb
//   trov_write_fuzz_seeds install tests/fuzz/corpus/install
//   trov_write_fuzz_seeds container tests/fuzz/corpus/container
//   trov_write_fuzz_seeds planner tests/fuzz/corpus/planner_archive
//   trov_write_fuzz_seeds planner-stream tests/fuzz/corpus/planner_stream
//
// Every seed is also read back the way its target reads it (the model
// parses, the install file builds, the container opens, the appointment
// reads); a seed that does
// not is reported and the program ends with status 1, so a changed format
// or generator shows when the seeds are written again.
#include "app/AppInstall.h"
#include "app/GDB.h"
#include "support/AppContainer.h"
#include "tests/app/DrbText.h"
#include "tests/support/ContainerFixture.h"
#include "tests/ui/planner/PlannerArchiveFixture.h"
#include "framework/Archive.h"
#include "ui/planner/AppointmentStream.h"
#include "framework/File.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Seed {
    const char* name;
    std::string bytes;
};

std::string SeedPath(const char* folder, const char* name)
{
    return std::string(folder) + "/" + name;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), (std::streamsize)bytes.size());
    return (bool)out;
}

int Fail(const char* name, const char* what)
{
    fprintf(stderr, "seed %s: %s\n", name, what);
    return 1;
}

int WriteAppDbSeeds(const char* folder)
{
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
    const Seed seeds[] = {
        {"sample", trovtest::DrbText(trovtest::SampleApplication())},
        {"nested", trovtest::NestedDrbText(12)},
        {"repeated-ids", trovtest::DrbText(repeated)},
        {"formats", trovtest::DrbText(formats)},
        {"display-menu", menu},
    };
    int status = 0;
    for (const Seed& seed : seeds) {
        if (!WriteBytes(SeedPath(folder, seed.name), seed.bytes)) {
            status = Fail(seed.name, "cannot be written");
            continue;
        }
        CGDB model;
        char error[256] = "";
        if (model.ParseText("seed", seed.bytes.c_str(), error, sizeof error, "DRBv1") != kXmlOk)
            status = Fail(seed.name, error);
        else if (model.Parse() != 1)
            status = Fail(seed.name, model.GetError());
    }
    return status;
}

struct Section {
    std::string name;
    std::string content;
    bool packed;
};

int WriteInstallSeeds(const char* folder)
{
    const char kId[] = "6f2d0c1e-8a4b-4c3d-9e5f-0123456789ab";
    const std::string setups = "<SETUPS>"
                               "<SETUP><NAME>Base</NAME><INPUTS>"
                               "<ENTRY><ID>10</ID><VALUE>1.5</VALUE></ENTRY>"
                               "<ENTRY><ID>20</ID><AI>1</AI><VALUE>7</VALUE></ENTRY>"
                               "</INPUTS></SETUP>"
                               "<SETUP><NAME>Line2</NAME><INPUTS>"
                               "<ENTRY><ID>10</ID><VALUE>2.5</VALUE></ENTRY>"
                               "<ENTRY><ID>30</ID><VALUE>9</VALUE></ENTRY>"
                               "</INPUTS></SETUP>"
                               "</SETUPS>";
    const std::vector<Section> standard = {{"id", kId, false},
                                           {"setup", setups, false},
                                           {"app", trovtest::DrbText(trovtest::SampleApplication(), "4.2.1"), true},
                                           {"info", "<INFO>x</INFO>", true}};
    std::vector<Section> lateId = standard;
    std::rotate(lateId.begin(), lateId.begin() + 1, lateId.end());
    std::vector<Section> oneSet = standard;
    oneSet[1].content =
        "<SETUPS><SETUP><INPUTS><ENTRY><DB>2:1</DB><ID>5</ID><VALUE>1</VALUE></ENTRY></INPUTS></SETUP></SETUPS>";
    const struct {
        const char* name;
        const std::vector<Section>* sections;
    } seeds[] = {{"standard", &standard}, {"late-id", &lateId}, {"one-data-set", &oneSet}};

    int status = 0;
    for (const auto& seed : seeds) {
        std::string path = SeedPath(folder, seed.name);
        CGAppContainer container;
        bool written = container.Create(path.c_str()) != 0;
        for (const Section& s : *seed.sections) {
            if (!written)
                break;
            written = (s.packed ? container.WritePackedSection(s.name.c_str(), s.content.c_str(),
                                                               s.content.size() + 1, kId, 1)
                                : container.WriteSection(s.name.c_str(), s.content.c_str(), s.content.size() + 1)) == 1;
        }
        written = container.Close() != 0 && written;
        if (!written) {
            status = Fail(seed.name, "cannot be written");
            continue;
        }
        std::string built = path + ".built";
        if (BuildInstallFile(built.c_str(), path.c_str(), "Line2", true) != 1)
            status = Fail(seed.name, "does not build an install file");
        remove(built.c_str());
    }
    return status;
}

int WriteContainerSeeds(const char* folder)
{
    using trovtest::ContainerFixture;
    const std::string id = "4e1c2b7a-seed";
    std::string app = "<DRBv1>";
    for (int i = 0; i < 40; ++i)
        app += "<BLOCK ID=\"" + std::to_string(i) + "\"><PIN>IN" + std::to_string(i % 5) + "</PIN></BLOCK>";
    app += "</DRBv1>";
    const std::string setup = "<SETUPS><SETUP NAME=\"Default\"><V DB=\"1\" ID=\"2\">5</V></SETUP></SETUPS>";
    const Seed seeds[] = {
        {"install", ContainerFixture()
                        .Plain("id", id)
                        .Plain("setup", setup)
                        .Packed("app", app, id)
                        .Packed("info", "<INFO>seed</INFO>", id)
                        .Bytes()},
        {"packed-uncompressed", ContainerFixture().Plain("id", id).Packed("app", app, id, false).Bytes()},
        {"packed-unencrypted", ContainerFixture().Plain("id", id).Packed("app", app, id, true, false).Bytes()},
        {"plain-sections", ContainerFixture("\n<ablmx>").Plain("id", id).Plain("app", app).Plain("", "").Bytes()},
        {"single-text", app},
        {"single-text-encrypted", ContainerFixture::EncryptWholeFile(app)},
    };
    int status = 0;
    for (const Seed& seed : seeds) {
        std::string path = SeedPath(folder, seed.name);
        if (!WriteBytes(path, seed.bytes)) {
            status = Fail(seed.name, "cannot be written");
            continue;
        }
        CGAppContainer container;
        if (container.Open(path.c_str()) == 0)
            status = Fail(seed.name, "does not open");
    }
    return status;
}

int WritePlannerSeeds(const char* folder)
{
    for (auto& seed : plannertest::PlannerArchiveSeeds()) {
        std::vector<unsigned char> bytes(seed.bytes);
        try {
            CMemFile file(bytes.data(), UINT(bytes.size()));
            CArchive ar(&file, CArchive::load);
            CZUDPAppointment* app = nullptr;
            ar >> app;
            delete app;
        } catch (CException* e) {
            e->Delete();
            return Fail(seed.name.c_str(), "does not read back");
        }
        if (!WriteBytes(SeedPath(folder, seed.name.c_str()), std::string(seed.bytes.begin(), seed.bytes.end())))
            return Fail(seed.name.c_str(), "cannot be written");
    }
    return 0;
}

int WritePlannerStreamSeeds(const char* folder)
{
    for (auto& seed : plannertest::PlannerStreamSeeds()) {
        std::vector<unsigned char> bytes(seed.bytes);
        CMemFile file(bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CZUDPAppointmentArray apps;
        BOOL ok = AppointmentStream::Read(ar, apps);
        AppointmentStream::DeleteAll(apps);
        if (!ok)
            return Fail(seed.name.c_str(), "does not read back");
        if (!WriteBytes(SeedPath(folder, seed.name.c_str()), std::string(seed.bytes.begin(), seed.bytes.end())))
            return Fail(seed.name.c_str(), "cannot be written");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "appdb") == 0)
        return WriteAppDbSeeds(argv[2]);
    if (argc == 3 && strcmp(argv[1], "install") == 0)
        return WriteInstallSeeds(argv[2]);
    if (argc == 3 && strcmp(argv[1], "container") == 0)
        return WriteContainerSeeds(argv[2]);
    if (argc == 3 && strcmp(argv[1], "planner") == 0)
        return WritePlannerSeeds(argv[2]);
    if (argc == 3 && strcmp(argv[1], "planner-stream") == 0)
        return WritePlannerStreamSeeds(argv[2]);
    fprintf(stderr, "usage: %s appdb|install|container|planner|planner-stream FOLDER\n", argv[0]);
    return 2;
}
