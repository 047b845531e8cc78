#include <windows.h>

#include <cstdlib>

#include "support/DRBComms.h"
#include "support/DRBShareMem.h"

CDRBShareMem::CDRBShareMem(int mode) : m_mode(mode) {}

CDRBShareMem::~CDRBShareMem()
{
    if (m_data) {
        if (m_mode)
            UnmapViewOfFile(m_data);
        else
            free(m_data);
        m_data = nullptr;
    }
    if (m_handle) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
}

CDRSTCPLog::CDRSTCPLog() : CDRBShareMem(996) {}

CDRSTCPLog::~CDRSTCPLog()
{
    free(m_text);
    delete m_connection;
    delete m_listener;
}
