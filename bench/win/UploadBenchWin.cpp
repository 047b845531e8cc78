// trov_upload_bench: the controller connection's upload throughput against
// a bare stop-and-wait client, in the same run, on the same data and the
// same simulated controller on loopback.  Run under Wine:
//
//   trov_upload_bench [MEBIBYTES] [ROUNDS]      (default 16 MiB, 3 rounds)
//
// Both send the file in 4000-byte chunks (a controller of a board other
// than K410/K420/K430), each chunk waiting for its reply.  Prints each
// round's times and the ratio baseline time / CSocketTrov time (throughput
// of CSocketTrov relative to the baseline; the goal is at least 0.8).
#include "framework/win/WinApp.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/win/SocketTrov.h"
#include "tests/common/Loopback.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/TempDir.h"
#include "tests/common/TrovTestClient.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    int mebibytes = argc > 1 ? std::atoi(argv[1]) : 16;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (mebibytes < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: trov_upload_bench [MEBIBYTES] [ROUNDS]\n");
        return 2;
    }
    trovtest::InitFrameworkForTests();
    AfxSocketInit();

    uint32_t address = trovtest::RandomLoopbackBlock() | 2;
    trovtest::SimTcpController sim;
    trovtest::SimTcpBehaviour behaviour;
    behaviour.password = "bench";
    sim.SetBehaviour(behaviour);
    trovtest::SimTcpOptions options;
    options.address = address;
    std::string error;
    if (!sim.Start(options, &error)) {
        std::fprintf(stderr, "trov_upload_bench: %s\n", error.c_str());
        return 1;
    }
    trovtest::TempDir dir;
    std::string data((size_t)mebibytes << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = (char)(i * 131 + (i >> 12));
    std::string path = dir.Write("upload.rbf", data);

    double totalBaseline = 0, totalSocket = 0;
    for (int round = 1; round <= rounds; ++round) {
        LARGE_INTEGER t0, t1, t2;
        ::QueryPerformanceCounter(&t0);
        {
            trovtest::TrovTestClient client;
            if (!client.Connect(address) || !client.Login("bench", nullptr) ||
                !client.Upload("IOFIRMWARE", data, 4000).finished) {
                std::fprintf(stderr, "trov_upload_bench: the baseline upload failed (%s)\n", client.LastError().c_str());
                return 1;
            }
        }
        ::QueryPerformanceCounter(&t1);
        {
            CSocketTrov socket;
            CMachine machine(CIpAddress(address), 0, CMachine::kNoGuid);
            socket.GetMachineList().AddTail(&machine);
            socket.SetIoFirmwareFile(path.c_str());
            socket.Start("bench");
            if (!trovtest::PumpUntil([&] { return socket.IsRunOver(); }, 600000) ||
                sim.UploadedFile("IOFIRMWARE") != data) {
                std::fprintf(stderr, "trov_upload_bench: the upload through CSocketTrov failed\n");
                return 1;
            }
        }
        ::QueryPerformanceCounter(&t2);
        double baseline = Seconds(t0, t1), socketTime = Seconds(t1, t2);
        totalBaseline += baseline;
        totalSocket += socketTime;
        std::printf("round %d: baseline %.3f s (%.2f MiB/s), CSocketTrov %.3f s (%.2f MiB/s), ratio %.2f\n", round,
                    baseline, mebibytes / baseline, socketTime, mebibytes / socketTime, baseline / socketTime);
    }
    std::printf("all rounds: ratio %.2f (CSocketTrov throughput / baseline throughput)\n", totalBaseline / totalSocket);
    return 0;
}
