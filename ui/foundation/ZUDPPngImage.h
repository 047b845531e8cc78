#pragma once
// PNG images: a bitmap loaded from PNG data in the program's resources
// (type "PNG"), in memory or in a file.  Decoding goes through the
// system's GDI+ flat interface (gdiplus.dll, loaded on first use); the
// result is a DIB section: 32 bits with straight (not premultiplied) alpha
// for images that carry alpha, 24 bits otherwise.  Nothing else decodes.
//
// GDI+ is started once for the process by the library's start-up unit,
// which holds one reference on the session; every image strip holds one
// more, so GDI+ is shut down only after the start-up unit lets go and the
// last strip is gone.
//
// CZUDPLocalResource marks the places where the library loads its own
// resources.  The library's resources are part of the program's module, so
// the scope changes nothing.
#include "framework/win/GdiObject.h"

class CZUDPPngImage : public CBitmap {
    DECLARE_DYNAMIC(CZUDPPngImage)
public:
    CZUDPPngImage() = default;

    // A resource of type "PNG" from the module (the current resource module
    // when none is given).  FALSE when it is missing or undecodable.
    BOOL LoadFromResource(LPCTSTR lpszName, HINSTANCE hModule = nullptr);
    BOOL LoadFromResource(UINT nId, HINSTANCE hModule = nullptr)
    { return LoadFromResource(MAKEINTRESOURCEA(nId), hModule); }
    BOOL LoadFromBuffer(const BYTE* pBytes, UINT nByteCount);
    BOOL LoadFromFile(LPCTSTR lpszPath);
};

// The process's GDI+ session, counted.  AddRef starts GDI+ when needed
// (FALSE when gdiplus.dll is missing or refuses to start); Release shuts it
// down with the last reference.
class CZUDPGdiplusSession {
public:
    static BOOL AddRef();
    static void Release();
    static BOOL IsRunning();
    static int GetReferenceCount();
};

class CZUDPLocalResource {
public:
    CZUDPLocalResource() {}
    ~CZUDPLocalResource() {}
    CZUDPLocalResource(const CZUDPLocalResource&) = delete;
    CZUDPLocalResource& operator=(const CZUDPLocalResource&) = delete;
};
