#pragma once
// Discovery: the probe broadcast and the replies that controllers send back
// (root TROV), matched to the machines already known.
//
// The main window and its two machine lists are reached through
// CDiscoveryView and CDiscoveryLog, so that discovery is driven and checked
// without windows.
#include <cstdint>
#include <deque>
#include <string>

#include "support/BroadcastRoutes.h"

class CMachine;
class CMachineMap;

enum {
    kDiscoveryProbePort = 38255, // probe and broadcast commands
    kDiscoveryReplyPort = 38256, // replies, on the reply socket
    kDiscoveryBufferSize = 1024, // a datagram that fills it is dropped
    kDiscoveryMaxPerTick = 256,  // datagrams read per timer tick at most
    kDiscoveryReceiveMilliseconds = 300, // period of the receive timer
};

// The log pane: each line is appended and followed by one "\r\n".
class CDiscoveryLog {
public:
    virtual ~CDiscoveryLog() {}
    virtual void AppendLine(const char* text) = 0;
};

// What discovery needs of the main window's two machine lists.
class CDiscoveryView {
public:
    virtual ~CDiscoveryView() {}
    // The discovered list's map, and the saved list's (or none).
    virtual CMachineMap& DiscoveredMap() = 0;
    virtual CMachineMap* SavedMap() = 0;
    // Updates (or inserts) the machine's row in the discovered list and
    // re-marks duplicate addresses in both lists.
    virtual void ShowDiscovered(CMachine* machine) = 0;
    // A machine that left the discovered map but keeps its row (so both rows
    // show the address as duplicates); the view now owns it and deletes it
    // with its row.
    virtual void KeepDisplaced(CMachine* machine) = 0;
    // Updates the saved machine's row and rewrites machines.xml.
    virtual void ShowSaved(CMachine* machine) = 0;
};

// What became of one datagram.
enum DiscoveryOutcome {
    kDatagramTaken = 0,      // a machine was created or updated
    kDatagramOversize = 1,   // 1024 bytes or more: dropped unread
    kDatagramUnparsable = 2, // not XML, or root not TROV: dropped
    kDatagramNoMachine = 3,  // no usable address or MAC: dropped
};

class CDiscovery {
public:
    CDiscovery(CDiscoveryView& view, CDiscoveryLog* log) : m_view(view), m_log(log) {}

    // With the debug flag set, the log pane receives the sender and the
    // text of every datagram and whether it could be parsed.
    void SetDebug(bool debug) { m_debug = debug; }
    bool GetDebug() const { return m_debug; }

    // One datagram from the reply socket, as read (at most 1024 bytes).
    DiscoveryOutcome ProcessDatagram(const char* data, int length, uint32_t sender);

private:
    void Log(const char* text);

    CDiscoveryView& m_view;
    CDiscoveryLog* m_log;
    bool m_debug = false;
};

// Datagrams taken off the reply socket and not yet processed.  The socket
// is emptied as soon as it signals data (its buffer holds far fewer replies
// than a network sends at once); the processing follows in short slices so
// that the window keeps answering.
class CDiscoveryQueue {
public:
    // A flood beyond this waits in the socket.
    enum { kMaxWaiting = 4096 };

    bool IsFull() const { return m_waiting.size() >= kMaxWaiting; }
    bool IsEmpty() const { return m_waiting.empty(); }
    size_t GetCount() const { return m_waiting.size(); }
    void Push(const char* data, int length, uint32_t sender);
    // Processes at most count datagrams, oldest first; returns how many.
    int Process(CDiscovery& discovery, int count);

private:
    struct Datagram {
        std::string bytes;
        uint32_t sender = 0;
    };
    std::deque<Datagram> m_waiting;
};

// The lines BroadcastAndLog writes after the broadcast: "Broadcast failed"
// for -1, otherwise one "Interface %s : %s" line per result pair.
void LogBroadcastResults(CDiscoveryLog* log, int result, const CDRBBroadcastResults& results);

#ifdef _WIN32
class CDRBSocketUDP;
struct HWND__;

// The probe at start-up: message boxes on failure ("Network broadcast
// failed.", "Broadcast error %d").
void BroadcastAndAlert(const char* text);
// The probe on refresh and the XML commands of machines that answered a
// broadcast; progress lines go to the log pane when one is given.
void BroadcastAndLog(const char* text, CDiscoveryLog* log);
// Timer 1: reads the replies waiting on the reply socket (at most
// maxDatagrams); returns the number of datagrams read.
int ReceiveDiscoveryReplies(CDRBSocketUDP& socket, CDiscovery& discovery, int maxDatagrams = kDiscoveryMaxPerTick);
// Moves every datagram waiting on the reply socket into the queue (until
// the socket has none or the queue is full); returns how many were read.
int DrainReplySocket(CDRBSocketUDP& socket, CDiscoveryQueue& queue);
// Asks the socket layer to post message to window whenever the reply socket
// has data, and gives the socket room for a burst of replies.
bool NotifyRepliesTo(CDRBSocketUDP& socket, HWND__* window, unsigned message);

// The start-up probe's alert: the framework's message box (OK button),
// captioned with the application's name.
void DiscoveryAlertBox(const char* text);
#endif
