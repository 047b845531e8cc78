#include "support/DRNetwork.h"

#include <cstring>
#ifdef _WIN32
#include <io.h>
#define TROV_CLOSE_DESCRIPTOR _close
#else
#include <unistd.h>
#define TROV_CLOSE_DESCRIPTOR close
#endif

#include "support/Utilities.h"

CDRNetwork::CDRNetwork()
{
    memset(m_record, 0, sizeof m_record);
    m_hash = ComputeHash64(m_record, kHashSeed, sizeof m_record);
}

CDRNetwork::~CDRNetwork()
{
    if (m_descriptor >= 1)
        TROV_CLOSE_DESCRIPTOR(m_descriptor);
}
