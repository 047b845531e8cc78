#pragma once
// Builds a dialog template in memory (the plain DLGTEMPLATE form, with the
// dialog font), so that tests, benchmarks and the gallery make dialogs with
// chosen controls without resource scripts.
#include "framework/win/WinSdk.h"

#include <cstring>
#include <string>
#include <vector>

namespace trovtest {

class DialogTemplate {
public:
    // Size and position in dialog units.
    DialogTemplate(DWORD style, short cx, short cy, const char* title = "", DWORD exStyle = 0)
    {
        AppendDword(style | DS_SETFONT);
        AppendDword(exStyle);
        m_countOffset = m_bytes.size();
        AppendWord(0);   // cdit
        AppendWord(0);   // x
        AppendWord(0);   // y
        AppendWord((WORD)cx);
        AppendWord((WORD)cy);
        AppendWord(0);   // no menu
        AppendWord(0);   // standard class
        AppendText(title);
        AppendWord(8);
        AppendText("MS Shell Dlg");
    }

    // A control of a window class (by name) with a text and an id.
    void AddControl(const char* windowClass, const char* text, DWORD style, short x, short y, short cx, short cy,
                    WORD id, DWORD exStyle = 0)
    {
        Align(4);
        AppendDword(style | WS_CHILD | WS_VISIBLE);
        AppendDword(exStyle);
        AppendWord((WORD)x);
        AppendWord((WORD)y);
        AppendWord((WORD)cx);
        AppendWord((WORD)cy);
        AppendWord(id);
        AppendText(windowClass);
        AppendText(text);
        AppendWord(0);   // no creation data
        WORD count = 0;
        std::memcpy(&count, m_bytes.data() + m_countOffset, sizeof(count));
        ++count;
        std::memcpy(m_bytes.data() + m_countOffset, &count, sizeof(count));
    }

    LPCDLGTEMPLATE Get()
    {
        Align(4);
        return reinterpret_cast<LPCDLGTEMPLATE>(m_bytes.data());
    }

private:
    void AppendWord(WORD w)
    {
        m_bytes.push_back(BYTE(w & 0xFF));
        m_bytes.push_back(BYTE(w >> 8));
    }
    void AppendDword(DWORD d)
    {
        AppendWord(WORD(d & 0xFFFF));
        AppendWord(WORD(d >> 16));
    }
    void AppendText(const char* text)
    {
        int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
        std::vector<wchar_t> wide(size_t(n > 0 ? n : 1), L'\0');
        if (n > 0)
            ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
        for (wchar_t c : wide)
            AppendWord(WORD(c));
    }
    void Align(size_t n)
    {
        while (m_bytes.size() % n != 0)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;
    size_t m_countOffset = 0;
};

} // namespace trovtest
