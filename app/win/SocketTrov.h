#pragma once
// CSocketTrov: the program's TCP client of the controllers.  One instance
// carries out one operation over a list of machines, machine after machine:
// connect to port 38254, identity, login when the operation needs it, the
// operation's exchange, then the next machine.  Everything runs on the UI
// thread: connect, receive and close arrive as notifications of the
// asynchronous socket, and the owner calls CheckTimeout every 500 ms.
// Progress shows in a two-column status list (one row per machine) and a
// progress bar that the owner hands over.
#include "framework/win/ListCtrl.h"
#include "framework/win/AsyncSocket.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/MachineMap.h"
#include "app/TrovProtocol.h"

class CListCtrl;
class CProgressCtrl;
class CInstallTempFile;

// The row text of a failed connection: the program's own text for the codes
// it knows, otherwise the system's text of the code.
CString ConnectionErrorText(int code);

class CSocketTrov : public CAsyncSocket {
public:
    CSocketTrov();
    ~CSocketTrov() override;

    // The progress window's controls (not owned).
    void SetControls(CListCtrl* statusList, CProgressCtrl* progress);
    // The run's own list of machines (not owning them); machines leave its
    // head as their step ends.
    CMachineList& GetMachineList() { return m_machines; }

    // Columns, one row per machine, progress range, first connection.
    void Start(LPCTSTR password);
    void ConnectNext(int step);
    BOOL SendCommand(uint16_t command, uint16_t parameter, SessionState nextState, const void* payload,
                     int payloadLength);
    // 0 when it ended a machine's step for want of a reply, 1 otherwise.
    int CheckTimeout();
    void SetRowStatus(CMachine* machine, LPCTSTR text, BOOL final);
    void RunOperationStep();
    // The user ended the run: the connection closes now and nothing more is
    // sent; the machines not yet done leave the run with their rows as they are.
    void Abandon();

    // Set before the run.
    void SetOperation(int operation) { m_operation = operation; }
    void SetRestartValue(int value) { m_restartValue = value; }
    void SetFirmwareFile(LPCTSTR path);   // operation 3
    void SetIoFirmwareFile(LPCTSTR path); // operation 4
    void SetXmlCommand(LPCTSTR text);     // operation 10; a copy is kept until sent
    // Operation 10 with a command made for the machine once its identity
    // has been read in this run (a machine known only by its address has
    // its MAC from then on); made and sent once.
    typedef std::function<std::string(const CMachine& machine)> CommandBuilder;
    void SetXmlCommandBuilder(const CommandBuilder& build);
    void SetOutputPath(LPCTSTR path) { m_outputPath = path; }
    void SetBackupFolder(LPCTSTR folder) { m_backupFolder = folder; }
    // Operation 5: the chosen application file and data set, and whether
    // "Update" (keep the values) was chosen.
    void SetInstallParameters(LPCTSTR appPath, LPCTSTR dataSetName, BOOL keepValues);

    int GetOperation() const { return m_operation; }
    int GetState() const { return m_state; }
    BOOL IsWaiting() const { return m_waiting; }
    int GetSequence() const { return m_sequence; }
    BOOL IsRunOver() const { return m_machines.IsEmpty() && m_state == SESSION_DONE; }
    const CString& GetOutputPath() const { return m_outputPath; }

    void Close() override;

protected:
    void OnConnect(int nErrorCode) override;
    void OnReceive(int nErrorCode) override;
    void OnSend(int nErrorCode) override;
    void OnClose(int nErrorCode) override;

private:
    CMachine* Head() const { return m_machines.IsEmpty() ? nullptr : m_machines.GetHead(); }
    void EndMachineStep(int value);
    // One receive into the assembler; false when nothing more can be read now
    // or the connection changed.
    bool ReceiveOnce();
    void ReplyComplete();
    void IdentityReply();
    void LoginReply();
    void UploadReply();
    void ResultReply(const char* success, const char* failure);
    void SendNextChunk();
    bool Transmit(const std::vector<unsigned char>& message);
    void AwaitReply();
    // Writes one piece of a download into its temporary file; false (with
    // the step ended) when that file cannot be opened or written.
    bool WriteDownloadPiece(const unsigned char* data, size_t length, bool first);
    // Puts the whole download in the place of the chosen file; false (with
    // the step ended) when it cannot.
    bool FinishDownload();
    // Removes the temporary file of a download that was cut off before its
    // end (the chosen file is as it was); true when there was one.
    bool DropPartialDownload();
    int OperationStep(int state);
    int BeginUpload(const char* kind);
    CString MachineOutputPath(const CString& path) const;
    void FreeImage();

    BOOL m_installKeep = FALSE;
    CMachineList m_machines;
    int m_operation = OP_IDENTIFY;
    int m_state = SESSION_DONE;
    int m_restartValue = RUNTIME_RESTART_KEEP;
    int32_t m_sequence = 0;
    uint16_t m_loginReplySize = 0;
    CListCtrl* m_statusList = nullptr;
    CProgressCtrl* m_progress = nullptr;
    CTrovReplyAssembler m_receive; // the 16384-byte receive buffer and its bookkeeping
    CString m_password;
    CString m_sourcePath;
    CString m_uploadPath;
    unsigned char* m_image = nullptr; // firmware image of a K4x0 board
    char* m_xmlCommand = nullptr;
    CommandBuilder m_buildCommand;
    CString m_outputPath;
    CString m_dataSetName;
    uint32_t m_remaining = 0;
    uint32_t m_total = 0;
    CString m_backupFolder;
    uint16_t m_lastCommand = 0;
    uint32_t m_lastSendTick = 0;
    BOOL m_waiting = FALSE;
    CInstallTempFile* m_installFile = nullptr;
    BOOL m_compress = FALSE;

    int m_machineCount = 0;          // machines at the start of the run
    int m_shownPercent = -1;         // the percentage the row shows of the current transfer
    CString m_downloadPath;          // the file the current download is for
    // The download arrives in a file of its own next to m_downloadPath,
    // which it replaces only once complete: a file that is there already is
    // never lost to a transfer cut off half-way.
    CString m_partPath;
    bool m_downloadOpen = false;     // m_partPath holds the first part of an unfinished download
    std::vector<unsigned char> m_unsent; // the part of the last message the socket had no room for
    unsigned m_connection = 0;       // counts connections, so a handler sees when the step moved on
};

// What a firmware or I/O-firmware upload sends to a machine of a board type:
// for K410, K420 and K430 firmware the image built from the HEX file
// (*image, malloc'd kFirmwareImageSize bytes, with *total its used size),
// otherwise the file itself (*total its size).  false with the reason when
// the file cannot be read or built, *zipped when an I/O-firmware file is a
// zipped image that the board cannot take.
bool PrepareFirmwareUpload(int boardType, const char* path, bool ioFirmware, unsigned char** image,
                           uint32_t* total, std::string* failure, bool* zipped);

