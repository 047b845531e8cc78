#include "app/win/DlgSocketTrov.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDlgSocketTrov, CZUDPDialog)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSocketTrov::CDlgSocketTrov(const CMachineList& machines, LPCTSTR password, CWnd* parent)
    : CZUDPDialog(IDD_SOCKET_TROV, parent), m_password(password ? password : "")
{
    SetVisualManagerLook(TRUE, FALSE);
    m_socket = new CSocketTrov();
    for (POSITION pos = machines.GetHeadPosition(); pos;)
        m_socket->GetMachineList().AddTail(machines.GetNext(pos));
    m_socket->SetControls(&m_statusList, &m_progress);
}

CDlgSocketTrov::~CDlgSocketTrov()
{
    // Destroying the connection closes it.
    delete m_socket;
    m_socket = nullptr;
}

void CDlgSocketTrov::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOCKET_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_SOCKET_STATUS, m_statusList);
    DDX_Control(pDX, IDCANCEL, m_button);
}

BOOL CDlgSocketTrov::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    m_socket->Start(m_password);
    RecordClientRect(this);
    RegisterControl(&m_statusList, kAnchorGrowWidth | kAnchorGrowHeight);
    RegisterControl(&m_progress, kAnchorGrowWidth | kAnchorMoveDown);
    RegisterControl(&m_button, kAnchorMoveRight | kAnchorMoveDown);
    m_layoutRecorded = TRUE;
    SetTimer(kTimerTimeout, kTimeoutPeriodMs, nullptr);
    return TRUE;
}

void CDlgSocketTrov::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerTimeout || m_finished || !m_socket) {
        CZUDPDialog::OnTimer(nIDEvent);
        return;
    }
    m_socket->CheckTimeout();
    // The button changes on the first tick after the last machine is done.
    if (m_socket->IsRunOver()) {
        m_button.SetWindowText("OK");
        KillTimer(kTimerTimeout);
        m_finished = TRUE;
    }
}

void CDlgSocketTrov::OnSize(UINT nType, int cx, int cy)
{
    CZUDPDialog::OnSize(nType, cx, cy);
    if (m_layoutRecorded && nType != SIZE_MINIMIZED)
        ApplyClientSize(cx, cy);
}

void CDlgSocketTrov::CloseWindow()
{
    // Nothing more goes out once the user ends the window: the connection
    // is closed now, not only when the window object goes.
    KillTimer(kTimerTimeout);
    if (m_socket)
        m_socket->Abandon();
    EndDialog(m_finished ? IDOK : IDCANCEL);
}

void CDlgSocketTrov::OnCancel() { CloseWindow(); }

// Enter has no button of its own here: it ends the window like the button.
void CDlgSocketTrov::OnOK() { CloseWindow(); }

void CDlgSocketTrov::OnDestroy()
{
    m_layoutRecorded = FALSE;
    RemoveAllControls();
    CZUDPDialog::OnDestroy();
}
