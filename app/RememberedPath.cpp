#include "app/RememberedPath.h"

void CRememberedPath::MakeFolder()
{
    if (m_isFolder)
        return;
    CutAtLast('\\');
    m_isFolder = 1;
}

CString CRememberedPath::GetFileNamePart() const
{
    if (m_isFolder)
        return CString();
    int last = m_path.ReverseFind('\\');
    if (last < 0)
        return CString();
    return m_path.Mid(last + 1);
}

void CRememberedPath::CutAtLast(char character)
{
    int last = m_path.ReverseFind(character);
    if (last >= 0)
        m_path = m_path.Left(last);
}
