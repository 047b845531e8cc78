// trov_sim_controller: simulated Trov controllers as a standalone program,
// for the discovery test that runs inside network namespaces.
//
//   trov_sim_controller [--netns [--outside-netns INODE]] [--listen ADDR] [--probe-port N]
//                       [--reply-port N] [--seconds N]
//                       --controller ip=A,mac=M[,from=A][,if=N][,host=H]...
//
// Keys of --controller: ip (IF1 IP), netmask, gateway, dhcp, if2ip, if2mask,
// if (the IF text; "-" leaves it out), from (address replies leave from;
// default the ip), mac, host, comment, config, setup, appversion, guid,
// version, altera, board, ident (1: IDENTBUTTON), tcp (1: the controller also
// answers the TCP protocol on port 38254 of its own address), password (the
// login password of the TCP side).
// Without --netns every address must be a loopback address; with it the
// program refuses to run in the machine's own network namespace (the inode
// of the namespace it was started from, given by --outside-netns, tells it
// where it must not be when process 1's cannot be seen).
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/SimController.h"
#include "tests/common/SimTcpController.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

bool ParseAddress(const std::string& text, uint32_t* out)
{
    unsigned a, b, c, d;
    char tail;
    if (sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 || b > 255 || c > 255 || d > 255)
        return false;
    *out = (a << 24) | (b << 16) | (c << 8) | d;
    return true;
}

// True when this process runs in a network namespace other than the
// machine's: other than that of process 1 when that can be seen, and other
// than the one the caller says it started from (`outside`, an inode number).
bool InOwnNetworkNamespace(unsigned long long outside)
{
    struct stat self, init;
    if (stat("/proc/self/ns/net", &self) != 0)
        return false;
    bool checked = false;
    if (stat("/proc/1/ns/net", &init) == 0) {
        if (self.st_ino == init.st_ino && self.st_dev == init.st_dev)
            return false;
        checked = true;
    }
    if (outside) {
        if ((unsigned long long)self.st_ino == outside)
            return false;
        checked = true;
    }
    return checked;
}

struct Controller {
    trovtest::SimControllerIdentity identity;
    uint32_t from = 0;
    bool tcp = false;
    std::string password;
};

bool ParseController(const std::string& description, Controller* c)
{
    size_t pos = 0;
    while (pos <= description.size()) {
        size_t comma = description.find(',', pos);
        std::string item = description.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        pos = comma == std::string::npos ? description.size() + 1 : comma + 1;
        if (item.empty())
            continue;
        size_t eq = item.find('=');
        if (eq == std::string::npos)
            return false;
        std::string key = item.substr(0, eq), value = item.substr(eq + 1);
        trovtest::SimControllerIdentity& id = c->identity;
        if (key == "ip") id.if1Ip = value;
        else if (key == "netmask") id.if1Netmask = value;
        else if (key == "gateway") id.if1Gateway = value;
        else if (key == "dhcp") id.if1Dhcp = value;
        else if (key == "if2ip") id.if2Ip = value;
        else if (key == "if2mask") id.if2Netmask = value;
        else if (key == "if") id.ifNumber = value == "-" ? std::string() : value;
        else if (key == "from") { if (!ParseAddress(value, &c->from)) return false; }
        else if (key == "mac") id.mac = value;
        else if (key == "host") id.hostName = value;
        else if (key == "comment") id.comment = value;
        else if (key == "config") id.config = value;
        else if (key == "setup") id.setup = value;
        else if (key == "appversion") id.appVersion = value;
        else if (key == "guid") id.appGuid = value;
        else if (key == "version") id.version = value;
        else if (key == "altera") id.altera = value;
        else if (key == "board") id.board = value;
        else if (key == "ident") id.identButton = value == "1";
        else if (key == "tcp") c->tcp = value == "1";
        else if (key == "password") c->password = value;
        else return false;
    }
    if (!c->from) {
        std::string own = c->identity.ifNumber == "2" ? c->identity.if2Ip : c->identity.if1Ip;
        if (!ParseAddress(own, &c->from))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    bool netns = false;
    unsigned long long outside = 0;
    uint32_t listen = 0x7F000001;
    int probePort = 38255, replyPort = 38256, seconds = 60;
    std::vector<Controller> controllers;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto next = [&](const char* what) -> std::string {
            if (i + 1 >= argc) {
                fprintf(stderr, "trov_sim_controller: %s needs a value\n", what);
                exit(2);
            }
            return argv[++i];
        };
        if (arg == "--netns") netns = true;
        else if (arg == "--outside-netns") outside = strtoull(next("--outside-netns").c_str(), nullptr, 10);
        else if (arg == "--listen") { if (!ParseAddress(next("--listen"), &listen)) { fprintf(stderr, "bad address\n"); return 2; } }
        else if (arg == "--probe-port") probePort = atoi(next("--probe-port").c_str());
        else if (arg == "--reply-port") replyPort = atoi(next("--reply-port").c_str());
        else if (arg == "--seconds") seconds = atoi(next("--seconds").c_str());
        else if (arg == "--controller") {
            Controller c;
            if (!ParseController(next("--controller"), &c)) {
                fprintf(stderr, "trov_sim_controller: bad controller description\n");
                return 2;
            }
            controllers.push_back(c);
        } else {
            fprintf(stderr, "trov_sim_controller: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (controllers.empty()) {
        fprintf(stderr, "trov_sim_controller: no --controller given\n");
        return 2;
    }
    if (netns && !InOwnNetworkNamespace(outside)) {
        fprintf(stderr, "trov_sim_controller: --netns given but this is not a namespace of its own "
                        "(or --outside-netns is needed to tell)\n");
        return 3;
    }
    signal(SIGTERM, OnSignal);
    signal(SIGINT, OnSignal);

    std::vector<std::unique_ptr<trovtest::SimController>> running;
    std::vector<std::unique_ptr<trovtest::SimTcpController>> tcpRunning;
    for (const Controller& c : controllers) {
        trovtest::SimControllerOptions options;
        options.listenAddress = listen;
        options.replyFromAddress = c.from;
        options.probePort = (uint16_t)probePort;
        options.replyPort = (uint16_t)replyPort;
        options.reuseAddress = true;
        options.insideTestNamespace = netns;
        std::unique_ptr<trovtest::SimController> sim(new trovtest::SimController());
        sim->SetIdentity(c.identity);
        std::string error;
        if (!sim->Start(options, &error)) {
            fprintf(stderr, "trov_sim_controller: %s\n", error.c_str());
            return 1;
        }
        running.push_back(std::move(sim));
        if (c.tcp) {
            std::unique_ptr<trovtest::SimTcpController> tcp(new trovtest::SimTcpController());
            trovtest::SimTcpBehaviour behaviour;
            behaviour.identity = c.identity;
            behaviour.password = c.password;
            tcp->SetBehaviour(behaviour);
            trovtest::SimTcpOptions tcpOptions;
            tcpOptions.address = c.from;
            tcpOptions.insideTestNamespace = netns;
            if (!tcp->Start(tcpOptions, &error)) {
                fprintf(stderr, "trov_sim_controller: %s\n", error.c_str());
                return 1;
            }
            tcpRunning.push_back(std::move(tcp));
        }
    }
    printf("ready %zu\n", running.size());
    fflush(stdout);
    for (int tick = 0; tick < seconds * 10 && !g_stop; ++tick)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (auto& tcp : tcpRunning) {
        printf("controller %s (TCP): %d connections, %zu messages, %zu uploads, %zu violations\n",
               tcp->Behaviour().identity.mac.c_str(), tcp->Connections(), tcp->Messages().size(),
               tcp->Uploads().size(), tcp->Violations().size());
        for (const std::string& v : tcp->Violations())
            printf("  violation: %s\n", v.c_str());
        tcp->Stop();
    }
    for (auto& sim : running) {
        printf("controller %s: %d probes, %d replies, %zu commands\n", sim->GetIdentity().mac.c_str(),
               sim->ProbeCount(), sim->ReplyCount(), sim->Commands().size());
        for (const auto& cmd : sim->Commands())
            printf("  command %s for %s\n", cmd.command.c_str(), cmd.mac.c_str());
        sim->Stop();
    }
    return 0;
}
