#include "ui/foundation/ZUDPPngImage.h"

IMPLEMENT_DYNAMIC(CZUDPPngImage, CBitmap)

BOOL CZUDPPngImage::LoadFromResource(LPCTSTR, HINSTANCE) { return FALSE; }
BOOL CZUDPPngImage::LoadFromBuffer(const BYTE*, UINT) { return FALSE; }
BOOL CZUDPPngImage::LoadFromFile(LPCTSTR) { return FALSE; }
BOOL CZUDPGdiplusSession::AddRef() { return FALSE; }
void CZUDPGdiplusSession::Release() {}
BOOL CZUDPGdiplusSession::IsRunning() { return FALSE; }
int CZUDPGdiplusSession::GetReferenceCount() { return 0; }
