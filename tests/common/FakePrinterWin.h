#pragma once
// A printer for tests: the framework's printer seams answer a memory DC
// (a page the size of the screen at the screen's resolution) or no
// printer at all, and the document calls are recorded in order.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"

#include <string>
#include <vector>

namespace trovtest {

struct FakePrinter {
    std::vector<std::string> calls;
    bool noPrinter = false;
    ScopedSeam<HDC(CPrintInfo*)> dialog;
    ScopedSeam<int(HDC, const DOCINFOA*)> startDoc;
    ScopedSeam<int(HDC)> startPage, endPage, endDoc, abortDoc;
    // Message boxes are counted, not shown.
    int messageBoxes = 0;
    ScopedSeam<int(HWND, const char*, const char*, UINT)> messageBox;

    FakePrinter()
        : dialog(g_frameworkSeams.printerDC,
                 [this](CPrintInfo*) -> HDC {
                     calls.push_back("printer");
                     return noPrinter ? nullptr : ::CreateCompatibleDC(nullptr);
                 }),
          startDoc(g_frameworkSeams.startDoc, [this](HDC, const DOCINFOA*) { return calls.push_back("start doc"), 1; }),
          startPage(g_frameworkSeams.startPage, [this](HDC) { return calls.push_back("start page"), 1; }),
          endPage(g_frameworkSeams.endPage, [this](HDC) { return calls.push_back("end page"), 1; }),
          endDoc(g_frameworkSeams.endDoc, [this](HDC) { return calls.push_back("end doc"), 1; }),
          abortDoc(g_frameworkSeams.abortDoc, [this](HDC) { return calls.push_back("abort doc"), 1; }),
          messageBox(g_frameworkSeams.messageBox, [this](HWND, const char*, const char*, UINT) {
              ++messageBoxes;
              return IDOK;
          })
    {
    }
};

} // namespace trovtest
