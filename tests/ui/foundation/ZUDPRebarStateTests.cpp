// The saved band layout of a frame's rebars: the stored table, bands
// matched by their child's id, and slots that are damaged.
#include "ui/foundation/ZUDPRebarState.h"

#include "tests/common/MessagePumpWin.h"
#include "tests/ui/foundation/RegistryTestKey.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

UINT Dword(const Bytes& bytes, size_t offset)
{
    return UINT(bytes[offset]) | UINT(bytes[offset + 1]) << 8 | UINT(bytes[offset + 2]) << 16 |
           UINT(bytes[offset + 3]) << 24;
}

class ZUDPRebarStateTest : public trovtest::RegistryTestKey {
protected:
    void SetUp() override
    {
        RegistryTestKey::SetUp();
        trovtest::InitFrameworkForTests();
        HWND hFrame = ::CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 800, 200, nullptr, nullptr,
                                        nullptr, nullptr);
        ASSERT_NE(nullptr, hFrame);
        m_frame.Attach(hFrame);
    }
    void TearDown() override
    {
        m_rebar.reset();
        ::DestroyWindow(m_frame.Detach());
        RegistryTestKey::TearDown();
    }

    // A new rebar (id 0xE81A) with one band per child id, in that order.
    CZUDPReBar& MakeRebar(std::initializer_list<UINT> childIds, UINT fixedId = 0)
    {
        if (m_rebar)
            m_rebar->DestroyWindow();
        m_rebar = std::make_unique<CZUDPReBar>();
        EXPECT_TRUE(m_rebar->Create(&m_frame));
        for (UINT id : childIds) {
            HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                            m_rebar->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(id)), nullptr,
                                            nullptr);
            REBARBANDINFOA band = {};
            band.cbSize = REBARBANDINFOA_V6_SIZE;
            band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_STYLE | RBBIM_ID;
            band.fStyle = id == fixedId ? RBBS_FIXEDSIZE : 0;
            band.hwndChild = hChild;
            band.cxMinChild = 30;
            band.cyMinChild = 20;
            band.cx = 100;
            band.wID = id;
            EXPECT_TRUE(m_rebar->GetReBarCtrl().InsertBand(UINT(-1), &band));
        }
        return *m_rebar;
    }

    std::vector<UINT> ChildIds() const
    {
        std::vector<UINT> ids;
        CReBarCtrl& ctrl = m_rebar->GetReBarCtrl();
        for (UINT i = 0; i < ctrl.GetBandCount(); ++i) {
            REBARBANDINFOA info = {};
            info.cbSize = REBARBANDINFOA_V6_SIZE;
            info.fMask = RBBIM_CHILD;
            ctrl.GetBandInfo(i, &info);
            ids.push_back(UINT(::GetDlgCtrlID(info.hwndChild)));
        }
        return ids;
    }
    UINT BandWidth(UINT band) const
    {
        REBARBANDINFOA info = {};
        info.cbSize = REBARBANDINFOA_V6_SIZE;
        info.fMask = RBBIM_SIZE;
        m_rebar->GetReBarCtrl().GetBandInfo(band, &info);
        return info.cx;
    }
    void SetBandWidth(UINT band, UINT cx)
    {
        REBARBANDINFOA info = {};
        info.cbSize = REBARBANDINFOA_V6_SIZE;
        info.fMask = RBBIM_SIZE;
        info.cx = cx;
        m_rebar->GetReBarCtrl().SetBandInfo(band, &info);
    }

    CString Profile() const { return Path() + "\\"; }
    static constexpr const char* kKey = "ZUDRebar-59418";   // 0xE81A

    CWnd m_frame;
    std::unique_ptr<CZUDPReBar> m_rebar;
};

TEST_F(ZUDPRebarStateTest, SavesOneSlotAndIdPerBandWithoutHandles)
{
    CZUDPReBar& rebar = MakeRebar({101, 102}, 102);
    rebar.SetLocked(TRUE);
    REBARBANDINFOA reported = {};
    reported.cbSize = REBARBANDINFOA_V6_SIZE;
    reported.fMask = RBBIM_CHILDSIZE;
    rebar.GetReBarCtrl().GetBandInfo(1, &reported);
    SaveRebarStates(Profile(), &m_frame);

    EXPECT_EQ(Bytes({101, 0, 0, 0, 102, 0, 0, 0}), ReadRaw(kKey, "IDs"));
    EXPECT_EQ(Bytes({1, 0, 0, 0}), ReadRaw(kKey, "Locked"));
    const Bytes slots = ReadRaw(kKey, "RBI");
    ASSERT_EQ(200u, slots.size());
    for (size_t slot = 0; slot < 2; ++slot) {
        const size_t at = slot * 100;
        EXPECT_EQ(0xB61u, Dword(slots, at + 4));   // the child bit is not stored
        EXPECT_EQ(0u, Dword(slots, at + 20));      // text
        EXPECT_EQ(0u, Dword(slots, at + 32));      // child window
        EXPECT_EQ(0u, Dword(slots, at + 48));      // background bitmap
        EXPECT_EQ(101u + slot, Dword(slots, at + 52));
        EXPECT_EQ(0u, Dword(slots, at + 72));      // application data
    }
    EXPECT_EQ(UINT(RBBS_FIXEDSIZE), Dword(slots, 100 + 8) & RBBS_FIXEDSIZE);
    EXPECT_EQ(reported.cxMinChild + 4, Dword(slots, 100 + 36));
}

// The slot's size field follows the common controls' version as the global
// UI data reports it: the older record (80 bytes) before 6.1, the full one
// (100) from 6.1 on, which every current system has.  The rest of the slot
// is the same for both, byte for byte.
TEST_F(ZUDPRebarStateTest, SlotRecordSizeFollowsTheCommonControlsVersion)
{
    MakeRebar({101, 102}, 102);
    struct Case {
        DWORD version;
        UINT recordSize;
    } cases[] = {{0x50051, 80}, {0x60000, 80}, {0x60001, 100}, {0x6000A, 100}, {0x70000, 100}};
    const int savedVersion = g_uiEnvironment.m_comCtlVersion;
    for (const Case& c : cases) {
        g_uiEnvironment.m_comCtlVersion = int(c.version);
        SaveRebarStates(Profile(), &m_frame);
        g_uiEnvironment.m_comCtlVersion = savedVersion;

        const Bytes slots = ReadRaw(kKey, "RBI");
        ASSERT_EQ(200u, slots.size()) << std::hex << c.version;
        for (UINT band = 0; band < 2; ++band) {
            REBARBANDINFOA info = {};
            info.cbSize = REBARBANDINFOA_V6_SIZE;
            info.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE | RBBIM_HEADERSIZE;
            m_rebar->GetReBarCtrl().GetBandInfo(band, &info);
            Bytes expected(100, 0);
            auto put = [&](size_t offset, UINT value) {
                for (int b = 0; b < 4; ++b)
                    expected[offset + b] = BYTE(value >> (8 * b));
            };
            put(0, c.recordSize);
            put(4, 0xB61);
            put(8, info.fStyle);
            put(36, info.cxMinChild + ((info.fStyle & RBBS_FIXEDSIZE) ? 4 : 0));
            put(40, info.cyMinChild);
            put(44, info.cx);
            put(52, info.wID);
            put(56, info.cyChild);
            put(60, info.cyMaxChild);
            put(64, info.cyIntegral);
            put(68, info.cxIdeal);
            put(76, info.cxHeader);
            EXPECT_EQ(expected, Bytes(slots.begin() + band * 100, slots.begin() + band * 100 + 100))
                << "version " << std::hex << c.version << ", band " << band;
        }
    }
}

TEST_F(ZUDPRebarStateTest, LoadingPutsBandsBackInTheSavedOrderAndSizes)
{
    CZUDPReBar& saved = MakeRebar({101, 102, 103});
    SetBandWidth(0, 140);
    saved.SetLocked(TRUE);
    const UINT width0 = BandWidth(0);
    SaveRebarStates(Profile(), &m_frame);

    CZUDPReBar& reloaded = MakeRebar({103, 101, 102});
    LoadRebarStates(Profile(), &m_frame);
    EXPECT_EQ(std::vector<UINT>({101, 102, 103}), ChildIds());
    EXPECT_EQ(width0, BandWidth(0));
    EXPECT_TRUE(reloaded.IsLocked());

    // One band more than was saved: the layout stays as it is.
    CZUDPReBar& grown = MakeRebar({103, 101, 102, 104});
    LoadRebarStates(Profile(), &m_frame);
    EXPECT_EQ(std::vector<UINT>({103, 101, 102, 104}), ChildIds());
    EXPECT_FALSE(grown.IsLocked());
}

TEST_F(ZUDPRebarStateTest, DamagedSlotsAreNotApplied)
{
    MakeRebar({101, 102});
    SaveRebarStates(Profile(), &m_frame);
    Bytes slots = ReadRaw(kKey, "RBI");
    ASSERT_EQ(200u, slots.size());

    // Fewer slots than ids: nothing is applied, not even the order.
    WriteRaw(kKey, "RBI", REG_BINARY, Bytes(slots.begin(), slots.begin() + 150));
    MakeRebar({102, 101});
    LoadRebarStates(Profile(), &m_frame);
    EXPECT_EQ(std::vector<UINT>({102, 101}), ChildIds());

    // A slot with an impossible width keeps the band's own; a stored child
    // handle and record size are never used.
    slots[44] = 0xFF, slots[45] = 0xFF, slots[46] = 0xFF, slots[47] = 0x7F;
    slots[32] = 0x78, slots[33] = 0x56, slots[34] = 0x34, slots[35] = 0x12;
    slots[0] = 0xFF;
    WriteRaw(kKey, "RBI", REG_BINARY, slots);
    MakeRebar({102, 101});
    const UINT width = BandWidth(1);
    LoadRebarStates(Profile(), &m_frame);
    EXPECT_EQ(std::vector<UINT>({101, 102}), ChildIds());
    EXPECT_EQ(width, BandWidth(0));
}

} // namespace
