#pragma once
// Controller operations in a test: simulated controllers at .last of a
// random loopback block, the machines that stand for them, and the
// program's clock on a test clock that moves only when the test moves it.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/Seam.h"
#include "app/Machine.h"
#include "tests/common/SimTcpController.h"

namespace trovtest {

// The test clock: the program's tick count while a run fixture is set up.
extern uint32_t g_fakeTick;

// For fixtures to derive from.
class ControllerRunFixture {
protected:
    // The framework, sockets, list-view and progress classes, a fresh
    // loopback block and the test clock at 1000.
    void SetUpControllerRun();
    // The program's own clock again; every controller stopped.
    void TearDownControllerRun();

    uint32_t Address(int last) const { return m_block | (uint32_t)last; }
    // A controller at .last; K420 unless told otherwise.
    SimTcpController& Controller(int last, const char* board = "K420");
    // A controller at .last without a board whose replies come 4 bytes at a
    // time, pauseMs apart, so that an upload to it is surely under way for
    // a while.
    SimTcpController& SlowController(int last, int pauseMs);
    // A machine for the address .last, kept by the fixture.
    CMachine* NewMachine(int last);

    // The clock (and what a test adds) answered by the test until it ends.
    ScopedSeams m_seams;
    uint32_t m_block = 0;
    std::vector<std::unique_ptr<SimTcpController>> m_sims;
    std::vector<std::unique_ptr<CMachine>> m_machines;
};

} // namespace trovtest
