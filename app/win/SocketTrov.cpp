#include "app/win/SocketTrov.h"

#include "app/MachineCommands.h"

#include "framework/win/ListCtrl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/win/AppSeams.h"
#include "app/AppInstall.h"
#include "app/win/AppDialogs.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

// Chunk size of an upload: the small boards take 1024 bytes at a time.
size_t ChunkSizeFor(const CMachine* machine)
{
    int board = machine ? machine->m_boardType : kBoardNone;
    return IsHexImageBoard(board) ? 1024 : 4000;
}

} // namespace

CString ConnectionErrorText(int code)
{
    const char* known = SocketErrorText(code);
    if (*known)
        return known;
    // Any other code (host unreachable, network down, ...) shows what the
    // system says of it, so that a failed row never stays without a reason.
    char* system = nullptr;
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, (DWORD)code, 0, (LPSTR)&system, 0, nullptr);
    CString text;
    if (n > 0 && system)
        text = system;
    if (system)
        ::LocalFree(system);
    text.TrimRight(" \r\n\t.");
    if (text.IsEmpty())
        text.Format("Connection failed (error %d)", code);
    else
        text.AppendFormat(" (error %d)", code);
    return text;
}

CSocketTrov::CSocketTrov() = default;

CSocketTrov::~CSocketTrov()
{
    DropPartialDownload();
    FreeImage();
    std::free(m_xmlCommand);
    m_xmlCommand = nullptr;
    delete m_installFile;
    m_installFile = nullptr;
    Close();
}

void CSocketTrov::SetControls(CListCtrl* statusList, CProgressCtrl* progress)
{
    m_statusList = statusList;
    m_progress = progress;
}

void CSocketTrov::SetFirmwareFile(LPCTSTR path)
{
    m_operation = OP_FIRMWARE;
    m_sourcePath = path;
}

void CSocketTrov::SetIoFirmwareFile(LPCTSTR path)
{
    m_operation = OP_IO_FIRMWARE;
    m_sourcePath = path;
}

void CSocketTrov::SetXmlCommand(LPCTSTR text)
{
    m_operation = OP_SEND_COMMAND;
    std::free(m_xmlCommand);
    m_xmlCommand = nullptr;
    if (text) {
        size_t length = std::strlen(text) + 1;
        m_xmlCommand = static_cast<char*>(std::malloc(length));
        if (m_xmlCommand)
            std::memcpy(m_xmlCommand, text, length);
    }
}

void CSocketTrov::SetXmlCommandBuilder(const CommandBuilder& build)
{
    m_operation = OP_SEND_COMMAND;
    std::free(m_xmlCommand);
    m_xmlCommand = nullptr;
    m_buildCommand = build;
}

void CSocketTrov::SetInstallParameters(LPCTSTR appPath, LPCTSTR dataSetName, BOOL keepValues)
{
    m_operation = OP_INSTALL_APP;
    m_sourcePath = appPath;
    m_dataSetName = dataSetName;
    m_installKeep = keepValues;
}

void CSocketTrov::FreeImage()
{
    std::free(m_image);
    m_image = nullptr;
}

void CSocketTrov::Close()
{
    m_unsent.clear();
    CAsyncSocket::Close();
}

// ---------------------------------------------------------------------------
// The run

void CSocketTrov::Start(LPCTSTR password)
{
    m_password = password ? password : "";
    m_machineCount = (int)m_machines.GetCount();
    if (m_statusList) {
        m_statusList->InsertColumn(0, "Machine", LVCFMT_LEFT, 100);
        m_statusList->InsertColumn(1, "Status", LVCFMT_LEFT, 350);
        int row = 0;
        for (POSITION pos = m_machines.GetHeadPosition(); pos;) {
            CMachine* machine = m_machines.GetNext(pos);
            int item = m_statusList->InsertItem(row++, CIpAddressText(machine->m_address));
            m_statusList->SetItemData(item, (DWORD_PTR)machine);
        }
    }
    if (m_progress)
        m_progress->SetRange32(0, 2 * m_machineCount);
    ConnectNext(0);
}

void CSocketTrov::ConnectNext(int step)
{
    DropPartialDownload();
    if (m_progress)
        m_progress->OffsetPos(step);
    Close();
    m_waiting = FALSE;
    m_receive.Stop();
    ++m_connection;
    while (!m_machines.IsEmpty()) {
        CMachine* machine = m_machines.GetHead();
        int error = 0;
        if (Socket(SOCK_STREAM, FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE)) {
            SetRowStatus(machine, "Connecting", FALSE);
            if (Connect(CIpAddressText(machine->m_address), kTrovTcpPort))
                return;
            error = GetLastError();
            if (error == WSAEWOULDBLOCK)
                return;
        } else {
            error = GetLastError();
        }
        SetRowStatus(machine, ConnectionErrorText(error), TRUE);
        machine->m_state = kMachineNotAnswered;
        if (m_progress)
            m_progress->OffsetPos(2);
        m_machines.RemoveHead();
        Close();
    }
    m_state = SESSION_DONE;
    if (m_progress) {
        int lower = 0, upper = 0;
        m_progress->GetRange(lower, upper);
        m_progress->SetPos(upper);
    }
}

void CSocketTrov::Abandon()
{
    DropPartialDownload();
    Close();
    m_waiting = FALSE;
    m_receive.Stop();
    ++m_connection;
    m_machines.RemoveAll();
}

void CSocketTrov::EndMachineStep(int value)
{
    if (!m_machines.IsEmpty())
        m_machines.RemoveHead();
    ConnectNext(value);
}

void CSocketTrov::SetRowStatus(CMachine* machine, LPCTSTR text, BOOL final)
{
    if (!m_statusList || !machine)
        return;
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = (LPARAM)machine;
    int row = m_statusList->FindItem(&find);
    if (row < 0)
        return;
    m_statusList->SetItemText(row, 1, text ? text : "");
    if (final)
        m_statusList->SetItemData(row, 0);
    m_statusList->Update(row);
}

int CSocketTrov::CheckTimeout()
{
    if (m_waiting && ReplyTimedOut(m_lastSendTick, AppTickCount())) {
        SetRowStatus(Head(), DropPartialDownload() ? "Timeout. Incomplete file removed." : "Timeout", TRUE);
        m_waiting = FALSE;
        EndMachineStep(0);
        return 0;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Sending

bool CSocketTrov::Transmit(const std::vector<unsigned char>& message)
{
    // A message the socket cannot take at once goes out as room comes
    // (OnSend); one that cannot be sent at all is caught by the timeout.
    m_unsent.clear();
    int sent = Send(message.data(), (int)message.size());
    if (sent == SOCKET_ERROR) {
        if (GetLastError() != WSAEWOULDBLOCK)
            return false;
        sent = 0;
    }
    if ((size_t)sent < message.size())
        m_unsent.assign(message.begin() + sent, message.end());
    return true;
}

void CSocketTrov::OnSend(int nErrorCode)
{
    if (nErrorCode != 0 || m_unsent.empty())
        return;
    int sent = Send(m_unsent.data(), (int)m_unsent.size());
    if (sent > 0)
        m_unsent.erase(m_unsent.begin(), m_unsent.begin() + sent);
}

void CSocketTrov::AwaitReply()
{
    m_lastSendTick = AppTickCount();
    m_waiting = TRUE;
    m_receive.Expect((SessionState)m_state, (uint16_t)m_sequence, m_lastCommand);
}

BOOL CSocketTrov::SendCommand(uint16_t command, uint16_t parameter, SessionState nextState, const void* payload,
                              int payloadLength)
{
    ++m_sequence;
    std::vector<unsigned char> message =
        FrameCommand((uint16_t)m_sequence, command, parameter, payload, payloadLength > 0 ? (size_t)payloadLength : 0);
    bool sent = Transmit(message);
    m_lastCommand = command;
    m_state = nextState;
    AwaitReply();
    if (nextState == SESSION_DONE)
        m_receive.Stop(); // nothing is awaited: what may come is read and dropped
    return sent ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------
// Notifications

void CSocketTrov::OnConnect(int nErrorCode)
{
    CMachine* machine = Head();
    if (!machine)
        return;
    if (nErrorCode != 0) {
        SetRowStatus(machine, ConnectionErrorText(nErrorCode), TRUE);
        machine->m_state = kMachineNotAnswered;
        EndMachineStep(2);
        return;
    }
    if (m_progress)
        m_progress->OffsetPos(1);
    SendCommand(CMD_IDENTIFY, 0, SESSION_IDENTITY, nullptr, 0);
}

void CSocketTrov::OnReceive(int nErrorCode)
{
    ReceiveOnce();
}

void CSocketTrov::OnClose(int nErrorCode)
{
    // What arrived before the close is still read; the step then ends when
    // its reply does not come (timeout).
    for (int i = 0; i < 1024 && ReceiveOnce(); ++i) {
    }
    // A download cut off by the close can never end: what came of it is
    // not left under the chosen name as if it were the whole file.
    if (m_waiting && m_state == SESSION_DOWNLOAD && DropPartialDownload()) {
        SetRowStatus(Head(), "Connection closed. Incomplete file removed.", TRUE);
        m_waiting = FALSE;
        EndMachineStep(0);
    }
}

bool CSocketTrov::ReceiveOnce()
{
    if (m_hSocket == INVALID_SOCKET)
        return false;
    unsigned connection = m_connection;
    size_t wanted = m_receive.Wanted();
    if (wanted == 0) {
        // Nothing awaited: read and drop, so that later notifications come.
        unsigned char discard[4096];
        return Receive(discard, sizeof discard) > 0;
    }
    int n = Receive(m_receive.WritePointer(), (int)wanted);
    if (n <= 0)
        return false;
    switch (m_receive.Received((size_t)n)) {
    case CTrovReplyAssembler::kNeedMore:
    case CTrovReplyAssembler::kDropped:
        // A reply to something else stays unanswered: the timeout ends the step.
        break;
    case CTrovReplyAssembler::kDownloadPiece:
        if (!WriteDownloadPiece(m_receive.PieceData(), m_receive.PieceLength(), m_receive.PieceIsFirst()))
            return false;
        m_remaining = m_receive.DownloadRemaining();
        m_lastSendTick = AppTickCount();
        break;
    case CTrovReplyAssembler::kComplete:
        if (m_receive.IsDownload()) {
            if (!WriteDownloadPiece(m_receive.PieceData(), m_receive.PieceLength(), m_receive.PieceIsFirst()))
                return false;
            m_remaining = 0;
            if (!FinishDownload())
                return false;
        }
        m_waiting = FALSE;
        ReplyComplete();
        break;
    }
    return connection == m_connection;
}

void CSocketTrov::ReplyComplete()
{
    switch (m_state) {
    case SESSION_IDENTITY: IdentityReply(); break;
    case SESSION_LOGIN: LoginReply(); break;
    case SESSION_UPLOAD: UploadReply(); break;
    case SESSION_STOP_RESULT: ResultReply("Runtime stopped", "Couldn't stop runtime"); break;
    case SESSION_RESTART_RESULT: ResultReply("Restart Sent Successfully", "Restart Failed"); break;
    case SESSION_INSTALL_RESULT: ResultReply("App Installed Successfully", "App Install Failed"); break;
    case SESSION_COMMAND_RESULT: ResultReply("Reconfigured", "Reconfigure Failed"); break;
    case SESSION_DOWNLOAD: RunOperationStep(); break;
    default: break; // SESSION_DONE: nothing is awaited
    }
}

void CSocketTrov::IdentityReply()
{
    CMachine* machine = Head();
    // The text is parsed only within this reply's bytes, up to its
    // terminator or the reply's end.
    const char* text = reinterpret_cast<const char*>(m_receive.Reply()) + kMessageHeaderSize;
    size_t length = m_receive.ReplyLength() - kMessageHeaderSize;
    std::string xml(text, strnlen(text, length));
    CGXml document(CGXml::kOwnsNodes | CGXml::kNoIncludeExpansion);
    char error[256] = {};
    if (!machine || document.ParseText("identity", xml.c_str(), error, sizeof error, "TROV") != kXmlOk ||
        !document.GetRoot()) {
        m_waiting = TRUE; // as if nothing came: the timeout ends the step
        return;
    }
    machine->ReadXml(document.GetRoot());
    machine->m_state = kMachineAnswered;
    SetRowStatus(machine, "Up", FALSE);
    if (m_operation == OP_IDENTIFY) {
        EndMachineStep(1);
        return;
    }
    char digest[33] = {};
    Md5Hex(digest, 32, m_password, -1);
    SendCommand(CMD_LOGIN, 0, SESSION_LOGIN, digest, 32);
}

void CSocketTrov::LoginReply()
{
    m_loginReplySize = m_receive.LoginReplySize();
    const MessageHeader& h = m_receive.Header();
    if (h.command != 0 && m_loginReplySize > 16) {
        RunOperationStep();
        return;
    }
    SetRowStatus(Head(), h.command != 0 ? "Connection failed. Only v4+ firmware supported" : "Bad password", TRUE);
    EndMachineStep(2);
}

void CSocketTrov::UploadReply()
{
    const MessageHeader& h = m_receive.Header();
    if (h.length == 0) {
        SetRowStatus(Head(), DeviceErrorText(h.parameter).c_str(), TRUE);
        EndMachineStep(1);
        return;
    }
    if (h.length == 2) {
        RunOperationStep();
        return;
    }
    SendNextChunk();
}

void CSocketTrov::ResultReply(const char* success, const char* failure)
{
    if (m_receive.Header().command == 0) {
        SetRowStatus(Head(), failure, TRUE);
        EndMachineStep(1);
        return;
    }
    SetRowStatus(Head(), success, FALSE);
    RunOperationStep();
}

// ---------------------------------------------------------------------------
// Uploads and downloads

void CSocketTrov::SendNextChunk()
{
    CMachine* machine = Head();
    size_t chunkSize = ChunkSizeFor(machine);
    std::vector<unsigned char> chunk;
    if (m_remaining > 0) {
        size_t want = m_remaining < chunkSize ? m_remaining : chunkSize;
        chunk.resize(want);
        if (m_image) {
            std::memcpy(chunk.data(), m_image + (m_total - m_remaining), want);
        } else {
            FILE* file = std::fopen(m_uploadPath, "rb");
            if (!file) {
                SetRowStatus(machine, "Can't open local file", TRUE);
                EndMachineStep(1);
                return;
            }
            size_t got = 0;
            if (std::fseek(file, -(long)m_remaining, SEEK_END) == 0)
                got = std::fread(chunk.data(), 1, want, file);
            std::fclose(file);
            // A file that shrank or cannot be read must not end the data
            // early: the controller would take a cut file as complete.
            if (got == 0) {
                SetRowStatus(machine, "Data read error", TRUE);
                EndMachineStep(1);
                return;
            }
            chunk.resize(got);
        }
    } else {
        FreeImage(); // the empty chunk tells the controller the data is complete
    }
    // The row changes only when the percentage does: thousands of chunks
    // would otherwise each redraw it.
    int percent = TransferPercent(m_total, m_remaining);
    if (percent != m_shownPercent) {
        char text[32];
        std::snprintf(text, sizeof text, "Sending %02d%%", percent);
        SetRowStatus(machine, text, FALSE);
        m_shownPercent = percent;
    }
    ++m_sequence;
    Transmit(FrameDataChunk((uint16_t)m_sequence, chunk.data(), (uint16_t)chunk.size()));
    // A chunk is no command: the last command stays the upload's begin, so
    // a chunk's reply is recognised by its sequence number.
    m_state = SESSION_UPLOAD;
    AwaitReply();
    m_remaining -= (uint32_t)chunk.size();
}

CString CSocketTrov::MachineOutputPath(const CString& path) const
{
    // With several machines in one run each log gets its own file: the
    // machine's address goes before the extension.
    CMachine* machine = Head();
    if (m_machineCount <= 1 || !machine)
        return path;
    int slash = path.ReverseFind('\\');
    int slash2 = path.ReverseFind('/');
    if (slash2 > slash)
        slash = slash2;
    int dot = path.ReverseFind('.');
    CString result;
    if (dot > slash && dot > 0)
        result.Format("%s_%s%s", static_cast<LPCSTR>(path.Left(dot)), static_cast<const char*>(CIpAddressText(machine->m_address)),
                      static_cast<LPCSTR>(path.Mid(dot)));
    else
        result.Format("%s_%s", static_cast<LPCSTR>(path), static_cast<const char*>(CIpAddressText(machine->m_address)));
    return result;
}

bool CSocketTrov::WriteDownloadPiece(const unsigned char* data, size_t length, bool first)
{
    if (first) {
        DropPartialDownload();
        // The first free name of the chosen file's name + ".part",
        // ".part2", ...: a file of the user's is never written over.
        m_partPath.Empty();
        for (int i = 1; i < 100 && m_partPath.IsEmpty(); ++i) {
            CString candidate = m_downloadPath + ".part";
            if (i > 1)
                candidate.AppendFormat("%d", i);
            if (::GetFileAttributesA(candidate) == INVALID_FILE_ATTRIBUTES)
                m_partPath = candidate;
        }
    }
    FILE* file = m_partPath.IsEmpty() ? nullptr : std::fopen(m_partPath, first ? "wb" : "ab");
    bool written = file != nullptr;
    if (file) {
        m_downloadOpen = true;
        if (length && std::fwrite(data, 1, length, file) != length)
            written = false;
        if (std::fclose(file) != 0)
            written = false;
    }
    if (!written) {
        // Never a partial file reported as complete, and the chosen file
        // stays as it was.
        DropPartialDownload();
        SetRowStatus(Head(), "Can't write local file", TRUE);
        m_waiting = FALSE;
        m_receive.Stop();
        EndMachineStep(1);
        return false;
    }
    int percent = TransferPercent(m_receive.DownloadTotal(), m_receive.DownloadRemaining());
    if (first || percent != m_shownPercent) {
        char text[32];
        std::snprintf(text, sizeof text, "Got %02d%%", percent);
        SetRowStatus(Head(), text, FALSE);
        m_shownPercent = percent;
    }
    return true;
}

bool CSocketTrov::FinishDownload()
{
    if (!m_downloadOpen)
        return true;
    if (::MoveFileExA(m_partPath, m_downloadPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        m_downloadOpen = false;
        return true;
    }
    DropPartialDownload();
    SetRowStatus(Head(), "Can't write local file", TRUE);
    m_waiting = FALSE;
    m_receive.Stop();
    EndMachineStep(1);
    return false;
}

bool CSocketTrov::DropPartialDownload()
{
    if (!m_downloadOpen)
        return false;
    m_downloadOpen = false;
    std::remove(m_partPath);
    return true;
}

int CSocketTrov::BeginUpload(const char* kind)
{
    SendCommand(CMD_BEGIN_UPLOAD, 0, SESSION_UPLOAD, kind, (int)std::strlen(kind) + 1);
    return 0;
}

// ---------------------------------------------------------------------------
// Operation steps

void CSocketTrov::RunOperationStep()
{
    int result = OperationStep(m_state);
    if (result >= 1)
        EndMachineStep(result);
}

int CSocketTrov::OperationStep(int state)
{
    CMachine* machine = Head();
    if (!machine)
        return 2;
    switch (m_operation) {
    case OP_RESTART:
        if (state == SESSION_LOGIN) {
            SetRowStatus(machine, "Stopping runtime", FALSE);
            SendCommand(CMD_RUNTIME, RUNTIME_STOP, SESSION_STOP_RESULT, nullptr, 0);
            return 0;
        }
        if (state == SESSION_STOP_RESULT) {
            SetRowStatus(machine, "Restarting runtime", FALSE);
            SendCommand(CMD_RUNTIME, (uint16_t)m_restartValue, SESSION_RESTART_RESULT, nullptr, 0);
            return 0;
        }
        if (state == SESSION_RESTART_RESULT) {
            SetRowStatus(machine, "Ok.", FALSE);
            return 1;
        }
        return 2;

    case OP_FIRMWARE:
    case OP_IO_FIRMWARE: {
        bool io = m_operation == OP_IO_FIRMWARE;
        if (state == SESSION_LOGIN) {
            FreeImage();
            std::string failure;
            bool zipped = false;
            if (!PrepareFirmwareUpload(machine->m_boardType, m_sourcePath, io, &m_image, &m_total, &failure,
                                       &zipped)) {
                if (zipped)
                    AppMessageBox(failure.c_str());
                return 2;
            }
            m_uploadPath = m_sourcePath;
            m_remaining = m_total;
            m_shownPercent = -1;
            return BeginUpload(io ? "IOFIRMWARE" : "UPDATE");
        }
        if (state == SESSION_UPLOAD) {
            SendCommand(CMD_RUNTIME, io ? RUNTIME_START_IO_UPGRADE : RUNTIME_RESTART_FIRMWARE, SESSION_DONE, nullptr, 0);
            SetRowStatus(machine, io ? "Ok. IO Upgrade Started." : "Ok. Restarted.", FALSE);
            return 1;
        }
        return 2;
    }

    case OP_INSTALL_APP:
        if (state == SESSION_LOGIN) {
            SetRowStatus(machine, "Sending App.", FALSE);
            delete m_installFile;
            m_installFile = new CInstallTempFile();
            CString failure;
            if (!BuildMachineInstallFile(*machine, m_sourcePath, m_dataSetName, *m_installFile, &failure)) {
                if (!failure.IsEmpty())
                    SetRowStatus(machine, failure, TRUE);
                return 1;
            }
            m_uploadPath = m_installFile->GetPath();
            FILE* file = std::fopen(m_uploadPath, "rb");
            long size = -1;
            if (file) {
                if (std::fseek(file, 0, SEEK_END) == 0)
                    size = std::ftell(file);
                std::fclose(file);
            }
            if (size < 0) {
                m_installFile->Remove();
                return 1;
            }
            m_total = m_remaining = (uint32_t)size;
            m_shownPercent = -1;
            return BeginUpload("APPLICATION");
        }
        if (state == SESSION_UPLOAD) {
            if (m_installFile)
                m_installFile->Remove();
            SendCommand(CMD_RUNTIME, RUNTIME_INSTALL_APP, SESSION_INSTALL_RESULT, nullptr, 0);
            SetRowStatus(machine, "Installing App.", FALSE);
            return 0;
        }
        if (state == SESSION_INSTALL_RESULT) {
            SendCommand(CMD_RUNTIME, RUNTIME_STOP, SESSION_STOP_RESULT, nullptr, 0);
            return 0;
        }
        if (state == SESSION_STOP_RESULT) {
            if (m_installKeep) {
                SendCommand(CMD_RUNTIME, RUNTIME_RESTART_KEEP, SESSION_DONE, nullptr, 0);
                SetRowStatus(machine, "App Installed. Restarted.", FALSE);
            } else {
                SendCommand(CMD_RUNTIME, RUNTIME_RESTART_CLEAR, SESSION_DONE, nullptr, 0);
                SetRowStatus(machine, "App Installed. Restarted and cleared totals.", FALSE);
            }
            return 1;
        }
        return 2;

    case OP_BACKUP:
        if (state == SESSION_LOGIN) {
            SetRowStatus(machine, "Requesting Backup.", FALSE);
            CTime now = CTime::GetCurrentTime();
            // The MAC and configuration name come from the controller: only
            // safe characters reach the file name, so it stays in the folder.
            m_outputPath = BuildBackupPath(m_backupFolder, machine->m_mac, machine->m_config, now.GetYear(),
                                           now.GetMonth(), now.GetDay(), now.GetHour(), now.GetMinute(),
                                           now.GetSecond());
            m_downloadPath = m_outputPath;
            std::vector<unsigned char> request = BackupRequestPayload();
            SendCommand(CMD_GET_FILE, 0, SESSION_DOWNLOAD, request.data(), (int)request.size());
            return 0;
        }
        if (state == SESSION_DOWNLOAD) {
            SetRowStatus(machine, "Backup Complete.", FALSE);
            return 1;
        }
        return 2;

    case OP_EVENT_LOG:
        if (state == SESSION_LOGIN) {
            SetRowStatus(machine, "Requesting Event Log.", FALSE);
            m_downloadPath = MachineOutputPath(m_outputPath);
            std::vector<unsigned char> request = EventLogRequestPayload();
            SendCommand(CMD_GET_LOG, 0, SESSION_DOWNLOAD, request.data(), (int)request.size());
            return 0;
        }
        if (state == SESSION_DOWNLOAD) {
            SetRowStatus(machine, "Event Log Retrieved.", FALSE);
            return 1;
        }
        return 2;

    case OP_SEND_COMMAND:
        if (state == SESSION_LOGIN) {
            SetRowStatus(machine, "Sending Command.", FALSE);
            if (m_buildCommand) {
                // The identity of this run is in the machine now.
                std::string text = m_buildCommand(*machine);
                m_buildCommand = nullptr;
                if (text.empty())
                    return 2;
                SetXmlCommand(text.c_str());
            }
            if (!m_xmlCommand)
                return 2;
            SendCommand(CMD_XML_COMMAND, 0, SESSION_COMMAND_RESULT, m_xmlCommand, (int)std::strlen(m_xmlCommand) + 1);
            std::free(m_xmlCommand);
            m_xmlCommand = nullptr;
            return 0;
        }
        if (state == SESSION_COMMAND_RESULT)
            return 1;
        return 2;

    default:
        return 2;
    }
}
