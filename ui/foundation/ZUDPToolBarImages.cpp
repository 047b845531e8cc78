#include "ui/foundation/ZUDPToolBarImages.h"

IMPLEMENT_DYNAMIC(CZUDPToolBarImages, CObject)

CZUDPToolBarImages::AlphaBlendFn CZUDPToolBarImages::s_alphaBlend = nullptr;
CZUDPToolBarImages::TransparentBltFn CZUDPToolBarImages::s_transparentBlt = nullptr;
BYTE CZUDPToolBarImages::s_disabledAlpha = 127;
BYTE CZUDPToolBarImages::s_fadedAlpha = 150;
BOOL CZUDPToolBarImages::s_classicColors = TRUE;
BOOL CZUDPToolBarImages::s_multithreaded = FALSE;
HDC CZUDPToolBarImages::s_imageDC = nullptr;
HDC CZUDPToolBarImages::s_maskDC = nullptr;
BOOL CZUDPToolBarImages::s_sharedDCsExist = FALSE;
HMODULE CZUDPToolBarImages::s_msimg32 = nullptr;
BOOL CZUDPToolBarImages::s_mirror = FALSE;

CZUDPToolBarImages::CZUDPToolBarImages() {}
CZUDPToolBarImages::~CZUDPToolBarImages() {}
void CZUDPToolBarImages::ReleaseSharedResources() {}
void CZUDPToolBarImages::RemoveAllImages() {}
BOOL CZUDPToolBarImages::AliasInto(CZUDPToolBarImages&) { return FALSE; }
BOOL CZUDPToolBarImages::DuplicateInto(CZUDPToolBarImages&) const { return FALSE; }
HBITMAP CZUDPToolBarImages::CloneBitmap(HBITMAP) { return nullptr; }
BOOL CZUDPToolBarImages::LoadFromResourceId(UINT, HINSTANCE, BOOL) { return FALSE; }
BOOL CZUDPToolBarImages::LoadFromResourceName(LPCTSTR, HINSTANCE, BOOL) { return FALSE; }
BOOL CZUDPToolBarImages::LoadFromFile(LPCTSTR) { return FALSE; }
BOOL CZUDPToolBarImages::ReloadForColorChange() { return FALSE; }
int CZUDPToolBarImages::AppendBitmap(HBITMAP, BOOL) { return -1; }
int CZUDPToolBarImages::AppendIcon(HICON, BOOL) { return -1; }
BOOL CZUDPToolBarImages::ReplaceImage(int, HBITMAP) { return FALSE; }
void CZUDPToolBarImages::UseWholeBitmapAsImage() {}
void CZUDPToolBarImages::RecountImages() {}
HICON CZUDPToolBarImages::MakeIcon(int) { return nullptr; }
BOOL CZUDPToolBarImages::PutImageOnClipboard(int) { return FALSE; }
BOOL CZUDPToolBarImages::SaveUserImages(LPCTSTR) { return FALSE; }
HGLOBAL CZUDPToolBarImages::BitmapToPackedDIB(HBITMAP, DWORD) { return nullptr; }
BOOL CZUDPToolBarImages::WriteBitmapFile(LPCTSTR, HGLOBAL) { return FALSE; }
HRGN CZUDPToolBarImages::RegionFromBitmap(HBITMAP, COLORREF) { return nullptr; }
BOOL CZUDPToolBarImages::OSSupportsAlpha() { return FALSE; }
COLORREF CZUDPToolBarImages::SysColorToStdColor(COLORREF c, BOOL) { return c; }
COLORREF CZUDPToolBarImages::StdColorToSysColor(COLORREF c, BOOL) { return c; }
BOOL CZUDPToolBarImages::MapBitmapColors(HBITMAP&, BOOL, COLORREF, COLORREF) { return FALSE; }
BOOL CZUDPToolBarImages::MapColors(COLORREF, COLORREF) { return FALSE; }
COLORREF CZUDPToolBarImages::TintGreyFrom3DFace(COLORREF c) { return c; }
BOOL CZUDPToolBarImages::RetintByHue(COLORREF, COLORREF) { return FALSE; }
BOOL CZUDPToolBarImages::ConvertToGray(int) { return FALSE; }
BOOL CZUDPToolBarImages::RebuildDerivedImage(BOOL) { return FALSE; }
BOOL CZUDPToolBarImages::ApplyAlphaToColors(HBITMAP, BOOL) { return FALSE; }
BOOL CZUDPToolBarImages::PremultiplyLoaded() { return FALSE; }
void CZUDPToolBarImages::FillLightRect(CDC*, const CRect&) {}
void CZUDPToolBarImages::SetMirrorImages(BOOL b) { s_mirror = b; }
BOOL CZUDPToolBarImages::MirrorBitmap(HBITMAP&, int) { return FALSE; }
BOOL CZUDPToolBarImages::MirrorAll() { return FALSE; }
BOOL CZUDPToolBarImages::FlipBitmapVertically(HBITMAP&, int) { return FALSE; }
BOOL CZUDPToolBarImages::FlipAllVertically() { return FALSE; }
BOOL CZUDPToolBarImages::BeginDrawing(CZUDPImageDrawState&, int, int, BOOL) { return FALSE; }
BOOL CZUDPToolBarImages::RenderImage(CDC*, int, int, int, BOOL, BOOL, BOOL, BOOL, BOOL, BYTE) { return FALSE; }
void CZUDPToolBarImages::FinishDrawing(CZUDPImageDrawState&) {}
BOOL CZUDPToolBarImages::DrawAligned(CDC*, const CRect&, int, int, int, CRect, BYTE) { return FALSE; }
BOOL CZUDPToolBarImages::BlitTransparent(HDC, int, int, int, int, HDC, int, int, COLORREF, int, int) { return FALSE; }
void CZUDPToolBarImages::BuildMonoMask(int, BOOL, BOOL) {}
void CZUDPToolBarImages::SetImageSize(CSize size) { m_imageSize = size; }
COLORREF CZUDPToolBarImages::SetTransparentColor(COLORREF c) { COLORREF o = m_transparentColor; m_transparentColor = c; return o; }
int CZUDPToolBarImages::GetResourceOffset(UINT) const { return -1; }
void CZUDPToolBarImages::ReplaceImageBitmap(HBITMAP) {}
void CZUDPToolBarImages::DropDerivedImages() {}
void CZUDPToolBarImages::RefreshAliases() {}
void CZUDPToolBarImages::DetachFromSource() {}
HBITMAP CZUDPToolBarImages::LoadResourceImage(LPCTSTR, HINSTANCE, BOOL, int&) { return nullptr; }
HBITMAP CZUDPToolBarImages::LoadFileImage(LPCTSTR, int&, BOOL&) const { return nullptr; }
void CZUDPToolBarImages::ResetScale() {}
BOOL CZUDPToolBarImages::CreateSharedResources() { return FALSE; }
COLORREF CZUDPToolBarImages::EffectiveTransparentColor() const { return m_transparentColor; }
