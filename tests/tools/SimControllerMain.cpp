// trov_sim_controller: simulated Trov controllers as a standalone program,
// for the discovery test that runs inside network namespaces.
//
//   trov_sim_controller [--netns [--outside-netns INODE]] [--listen ADDR] [--probe-port N]
//                       [--reply-port N] [--seconds N]
//                       --controller ip=A,mac=M[,from=A][,if=N][,host=H]...
//                       [--burst COUNT --burst-from ADDR [--burst-net A.B] [--burst-on N,N...]]
//
// Keys of --controller: ip (IF1 IP), netmask, gateway, dhcp, if2ip, if2mask,
// if (the IF text; "-" leaves it out), from (address replies leave from;
// default the ip), mac, host, comment, config, setup, appversion, guid,
// version, altera, board, ident (1: IDENTBUTTON), tcp (1: the controller also
// answers the TCP protocol on port 38254 of its own address), password (the
// login password of the TCP side).
// --burst adds a whole network that answers at once: on the listed probes
// (counted from 1; default the first) COUNT replies of controllers A.B.x.y
// (default 198.19) leave from ADDR as fast as the socket takes them, and the
// time the last one left is printed ("burst ... last sent at" microseconds
// of the real-time clock, which the program under test reads too).
// Without --netns every address must be a loopback address; with it the
// program refuses to run in the machine's own network namespace (the inode
// of the namespace it was started from, given by --outside-netns, tells it
// where it must not be when process 1's cannot be seen).
#include <sys/stat.h>
#include <time.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <atomic>
#include <memory>
#include <set>
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

// Microseconds of the real-time clock.
long long RealTimeMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

// A network of COUNT controllers answering together on chosen probes.
struct BurstOptions {
    int count = 0;
    uint32_t from = 0;
    std::string net = "198.19";
    std::set<int> onProbes;
};

class BurstSender {
public:
    bool Start(const BurstOptions& options, uint32_t listen, int probePort, int replyPort, bool netns,
               std::string* error)
    {
        m_options = options;
        m_replyPort = (uint16_t)replyPort;
        bool loopback = (listen >> 24) == 127 && (options.from >> 24) == 127;
        if (!netns && !loopback) {
            *error = "burst addresses must be loopback addresses outside a test namespace";
            return false;
        }
        m_netns = netns;
        if (!m_listen.Open(listen, (uint16_t)probePort, true) || !m_reply.Open(options.from, 0, false)) {
            *error = "cannot bind the burst's sockets";
            return false;
        }
        for (int i = 0; i < options.count; ++i) {
            char ip[64], mac[32], host[32];
            snprintf(ip, sizeof ip, "%s.%d.%d", options.net.c_str(), i / 250, i % 250 + 1);
            snprintf(mac, sizeof mac, "00:50:C2:B0:%02X:%02X", (i >> 8) & 255, i & 255);
            snprintf(host, sizeof host, "Line-%03d", i);
            trovtest::SimControllerIdentity id;
            id.if1Ip = ip;
            id.mac = mac;
            id.hostName = host;
            id.config = "dosing.lmx";
            id.appVersion = "2v1r4";
            id.version = "4v2r11-b3";
            id.altera = "HW 1.2 SW 3.4";
            m_replies.push_back(trovtest::BuildSimReply(id));
        }
        m_thread = std::thread([this] { Serve(); });
        return true;
    }

    void Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }

    int Probes() const { return m_probes.load(); }

private:
    void Serve()
    {
        char buffer[2048];
        while (!m_stop) {
            uint32_t sender = 0;
            uint16_t port = 0;
            int n = m_listen.ReceiveFrom(buffer, sizeof buffer, &sender, &port, 50);
            if (n != (int)strlen("Trov:KnockKnock") || memcmp(buffer, "Trov:KnockKnock", (size_t)n) != 0)
                continue;
            int probe = ++m_probes;
            if (!m_options.onProbes.count(probe) || (!m_netns && (sender >> 24) != 127))
                continue;
            int sent = 0;
            for (const std::string& reply : m_replies)
                if (m_reply.SendTo(sender, m_replyPort, reply.data(), (int)reply.size()) == (int)reply.size())
                    ++sent;
            printf("burst on probe %d: %d replies sent, last sent at %lld\n", probe, sent, RealTimeMicroseconds());
            fflush(stdout);
        }
    }

    BurstOptions m_options;
    uint16_t m_replyPort = 0;
    bool m_netns = false;
    trovtest::SimUdpSocket m_listen, m_reply;
    std::vector<std::string> m_replies;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_probes{0};
};

} // namespace

int main(int argc, char** argv)
{
    bool netns = false;
    unsigned long long outside = 0;
    uint32_t listen = 0x7F000001;
    int probePort = 38255, replyPort = 38256, seconds = 60;
    std::vector<Controller> controllers;
    BurstOptions burst;
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
        else if (arg == "--burst") burst.count = atoi(next("--burst").c_str());
        else if (arg == "--burst-from") { if (!ParseAddress(next("--burst-from"), &burst.from)) { fprintf(stderr, "bad address\n"); return 2; } }
        else if (arg == "--burst-net") burst.net = next("--burst-net");
        else if (arg == "--burst-on") {
            std::string list = next("--burst-on");
            for (size_t pos = 0; pos < list.size();) {
                size_t comma = list.find(',', pos);
                burst.onProbes.insert(atoi(list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos).c_str()));
                pos = comma == std::string::npos ? list.size() : comma + 1;
            }
        }
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
    if (burst.count > 0 && !burst.from) {
        fprintf(stderr, "trov_sim_controller: --burst needs --burst-from\n");
        return 2;
    }
    if (burst.onProbes.empty())
        burst.onProbes.insert(1);
    if (controllers.empty() && burst.count <= 0) {
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
    BurstSender burstSender;
    if (burst.count > 0) {
        std::string error;
        if (!burstSender.Start(burst, listen, probePort, replyPort, netns, &error)) {
            fprintf(stderr, "trov_sim_controller: %s\n", error.c_str());
            return 1;
        }
    }
    printf("ready %zu\n", running.size());
    fflush(stdout);
    for (int tick = 0; tick < seconds * 10 && !g_stop; ++tick)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (burst.count > 0) {
        burstSender.Stop();
        printf("burst: %d probes\n", burstSender.Probes());
    }
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
