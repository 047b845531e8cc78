#include "ui/foundation/ZUDPPngImage.h"

#include "framework/String.h"

#include <objidl.h>

#include <cstring>
#include <mutex>
#include <vector>

IMPLEMENT_DYNAMIC(CZUDPPngImage, CBitmap)

namespace {

// The part of GDI+'s flat interface the decoder uses, looked up by name so
// that nothing of GDI+'s headers is needed and a system without it only
// loses PNG images.
typedef int GpStatus;
struct GpBitmap;
struct GpStartupInput {
    UINT32 version;
    void* debugEventCallback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};
struct GpRect {
    INT x, y, width, height;
};
struct GpBitmapData {
    UINT width;
    UINT height;
    INT stride;
    INT pixelFormat;
    void* scan0;
    UINT_PTR reserved;
};

const INT kFormat24bppRGB = 0x00021808;
const INT kFormat32bppARGB = 0x0026200A;
const INT kFormatHasAlpha = 0x00040000;
const UINT kLockRead = 1;
// Larger images are refused before anything is allocated for them.
const unsigned long long kMaxPixels = 1ull << 26;
const DWORD kMaxFileBytes = 64u << 20;

struct GdiplusApi {
    HMODULE module = nullptr;
    GpStatus(WINAPI* startup)(ULONG_PTR*, const GpStartupInput*, void*) = nullptr;
    void(WINAPI* shutdown)(ULONG_PTR) = nullptr;
    GpStatus(WINAPI* createFromStream)(IStream*, GpBitmap**) = nullptr;
    GpStatus(WINAPI* getWidth)(GpBitmap*, UINT*) = nullptr;
    GpStatus(WINAPI* getHeight)(GpBitmap*, UINT*) = nullptr;
    GpStatus(WINAPI* getPixelFormat)(GpBitmap*, INT*) = nullptr;
    GpStatus(WINAPI* lockBits)(GpBitmap*, const GpRect*, UINT, INT, GpBitmapData*) = nullptr;
    GpStatus(WINAPI* unlockBits)(GpBitmap*, GpBitmapData*) = nullptr;
    GpStatus(WINAPI* dispose)(GpBitmap*) = nullptr;
};

struct GdiplusState {
    std::recursive_mutex lock;
    int references = 0;
    ULONG_PTR token = 0;
    BOOL running = FALSE;
    BOOL failed = FALSE;  // gdiplus.dll missing or refused: not tried again
    GdiplusApi api;
};

GdiplusState& State()
{
    static GdiplusState state;
    return state;
}

template <class T>
bool Find(HMODULE module, const char* name, T& entry)
{
    entry = reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return entry != nullptr;
}

// Starts GDI+ when it is not running.  Called with the lock held.
BOOL StartLocked(GdiplusState& state)
{
    if (state.running)
        return TRUE;
    if (state.failed)
        return FALSE;
    GdiplusApi& api = state.api;
    api.module = ::LoadLibraryA("gdiplus.dll");
    bool found = api.module != nullptr && Find(api.module, "GdiplusStartup", api.startup) &&
                 Find(api.module, "GdiplusShutdown", api.shutdown) &&
                 Find(api.module, "GdipCreateBitmapFromStream", api.createFromStream) &&
                 Find(api.module, "GdipGetImageWidth", api.getWidth) &&
                 Find(api.module, "GdipGetImageHeight", api.getHeight) &&
                 Find(api.module, "GdipGetImagePixelFormat", api.getPixelFormat) &&
                 Find(api.module, "GdipBitmapLockBits", api.lockBits) &&
                 Find(api.module, "GdipBitmapUnlockBits", api.unlockBits) &&
                 Find(api.module, "GdipDisposeImage", api.dispose);
    GpStartupInput input = {1, nullptr, FALSE, FALSE};
    if (!found || api.startup(&state.token, &input, nullptr) != 0) {
        if (api.module != nullptr)
            ::FreeLibrary(api.module);
        api = GdiplusApi();
        state.failed = TRUE;
        return FALSE;
    }
    state.running = TRUE;
    return TRUE;
}

void StopLocked(GdiplusState& state)
{
    if (!state.running)
        return;
    state.api.shutdown(state.token);
    ::FreeLibrary(state.api.module);
    state.api = GdiplusApi();
    state.token = 0;
    state.running = FALSE;
}

// Decodes PNG bytes into a DIB section (bottom-up, like the bitmaps the
// system loads): 32 bits with straight alpha when the image has alpha, 24
// bits otherwise.  Null for anything that does not decode.
HBITMAP Decode(const BYTE* bytes, UINT count)
{
    if (bytes == nullptr || count == 0)
        return nullptr;
    GdiplusState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    // A decode outside any reference (no strip, start-up unit gone) still
    // works: it holds a reference of its own for its duration.
    ++state.references;
    struct Unref {
        GdiplusState& s;
        ~Unref()
        {
            if (--s.references == 0)
                StopLocked(s);
        }
    } unref{state};
    if (!StartLocked(state))
        return nullptr;
    const GdiplusApi& api = state.api;

    // The stream owns the block and frees it when released.
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, count);
    if (block == nullptr)
        return nullptr;
    void* target = ::GlobalLock(block);
    if (target == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, bytes, count);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    GpBitmap* image = nullptr;
    GpStatus status = api.createFromStream(stream, &image);
    stream->Release();
    if (status != 0 || image == nullptr)
        return nullptr;

    HBITMAP result = nullptr;
    UINT width = 0, height = 0;
    INT format = 0;
    if (api.getWidth(image, &width) == 0 && api.getHeight(image, &height) == 0 &&
        api.getPixelFormat(image, &format) == 0 && width > 0 && height > 0 && width <= 0x7FFF &&
        height <= 0x7FFF && (unsigned long long)width * height <= kMaxPixels) {
        bool alpha = (format & kFormatHasAlpha) != 0;
        int bytesPerPixel = alpha ? 4 : 3;
        GpRect rect = {0, 0, INT(width), INT(height)};
        GpBitmapData data = {};
        if (api.lockBits(image, &rect, kLockRead, alpha ? kFormat32bppARGB : kFormat24bppRGB, &data) == 0) {
            BITMAPINFO info = {};
            info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            info.bmiHeader.biWidth = LONG(width);
            info.bmiHeader.biHeight = LONG(height);
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = WORD(bytesPerPixel * 8);
            info.bmiHeader.biCompression = BI_RGB;
            void* bits = nullptr;
            result = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (result != nullptr && bits != nullptr) {
                size_t rowBytes = size_t(width) * bytesPerPixel;
                size_t dibStride = (rowBytes + 3) & ~size_t(3);
                for (UINT y = 0; y < height; ++y) {
                    const BYTE* from = static_cast<const BYTE*>(data.scan0) + ptrdiff_t(y) * data.stride;
                    BYTE* to = static_cast<BYTE*>(bits) + size_t(height - 1 - y) * dibStride;
                    std::memcpy(to, from, rowBytes);
                }
            } else if (result != nullptr) {
                ::DeleteObject(result);
                result = nullptr;
            }
            api.unlockBits(image, &data);
        }
    }
    api.dispose(image);
    return result;
}

} // namespace

BOOL CZUDPGdiplusSession::AddRef()
{
    GdiplusState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    ++state.references;
    return TRUE;
}

void CZUDPGdiplusSession::Release()
{
    GdiplusState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    if (state.references > 0 && --state.references == 0)
        StopLocked(state);
}

BOOL CZUDPGdiplusSession::IsRunning()
{
    GdiplusState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return state.running;
}

int CZUDPGdiplusSession::GetReferenceCount()
{
    GdiplusState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return state.references;
}

BOOL CZUDPPngImage::LoadFromResource(LPCTSTR lpszName, HINSTANCE hModule)
{
    if (lpszName == nullptr)
        return FALSE;
    if (hModule == nullptr)
        hModule = g_hStringResourceModule != nullptr ? static_cast<HINSTANCE>(g_hStringResourceModule)
                                                     : ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(hModule, lpszName, "PNG");
    if (found == nullptr)
        return FALSE;
    DWORD size = ::SizeofResource(hModule, found);
    HGLOBAL loaded = ::LoadResource(hModule, found);
    if (loaded == nullptr || size == 0)
        return FALSE;
    const BYTE* bytes = static_cast<const BYTE*>(::LockResource(loaded));
    if (bytes == nullptr)
        return FALSE;
    BOOL result = LoadFromBuffer(bytes, size);
    ::FreeResource(loaded);
    return result;
}

BOOL CZUDPPngImage::LoadFromBuffer(const BYTE* pBytes, UINT nByteCount)
{
    HBITMAP decoded = Decode(pBytes, nByteCount);
    if (decoded == nullptr)
        return FALSE;
    DeleteObject();
    return Attach(decoded);
}

BOOL CZUDPPngImage::LoadFromFile(LPCTSTR lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == '\0')
        return FALSE;
    HANDLE file = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    std::vector<BYTE> bytes;
    BOOL ok = ::GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxFileBytes;
    if (ok) {
        bytes.resize(size_t(size.QuadPart));
        DWORD read = 0;
        ok = ::ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size();
    }
    ::CloseHandle(file);
    return ok && LoadFromBuffer(bytes.data(), UINT(bytes.size()));
}
