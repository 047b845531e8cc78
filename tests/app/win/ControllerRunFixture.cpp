#include "tests/app/win/ControllerRunFixture.h"

#include "framework/win/FrameworkWin.h"

#include "framework/win/ListCtrl.h"

#include "app/win/AppSeams.h"
#include "tests/common/Loopback.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimTcpFixture.h"

namespace trovtest {

uint32_t g_fakeTick = 1000;

namespace {
uint32_t FakeTick() { return g_fakeTick; }
} // namespace

void ControllerRunFixture::SetUpControllerRun()
{
    InitFrameworkForTests();
    AfxSocketInit();
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    m_block = RandomLoopbackBlock();
    g_fakeTick = 1000;
    m_seams.Replace(g_appSeams.tickCount, &FakeTick);
}

void ControllerRunFixture::TearDownControllerRun()
{
    m_sims.clear();
}

SimTcpController& ControllerRunFixture::Controller(int last, const char* board)
{
    return StartSimTcp(m_sims, Address(last), LineBehaviour(Address(last), last, board));
}

SimTcpController& ControllerRunFixture::SlowController(int last, int pauseMs)
{
    SimTcpController& sim = Controller(last, "");
    sim.Change([pauseMs](SimTcpBehaviour& b) {
        b.segmentation.sizes = {4, 4};
        b.segmentation.pauseMs = pauseMs;
    });
    return sim;
}

CMachine* ControllerRunFixture::NewMachine(int last)
{
    m_machines.emplace_back(new CMachine(CIpAddress(Address(last)), 0, CMachine::kNoGuid));
    return m_machines.back().get();
}

} // namespace trovtest
