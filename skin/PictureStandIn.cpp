// Stand-in for picture loading and regions until the OLE loader and the
// run-based region maker land: GDI file loading, a pixel-by-pixel region.
#include "Picture.h"
#include "Region.h"
#include <olectl.h>
#include <vector>
void LoadPicture(const std::string& path, CBitmap& bitmap, SIZE& size) {
  size = SIZE{0,0};
  HBITMAP b = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  bitmap.Attach(b); size = bitmap.GetSize();
}
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect) {
  if (!bitmap) return; HDC m = CreateCompatibleDC(dc); HGDIOBJ o = SelectObject(m, bitmap);
  BitBlt(dc, rect.left, rect.top, rect.right-rect.left, rect.bottom-rect.top, m, 0,0,SRCCOPY); SelectObject(m,o); DeleteDC(m);
}
void CropBitmap(HDC dc, CBitmap& target, const CBitmap& source, int left, int top, int right, int bottom) {
  if (!source) return;
  target.CreateCompatibleBitmap(dc, right-left, bottom-top);
  HDC a = CreateCompatibleDC(dc), b = CreateCompatibleDC(dc);
  HGDIOBJ oa = SelectObject(a, target.GetSafeHandle()), ob = SelectObject(b, source.GetSafeHandle());
  BitBlt(a, 0, 0, right-left, bottom-top, b, left, top, SRCCOPY);
  SelectObject(a, oa); SelectObject(b, ob); DeleteDC(a); DeleteDC(b);
}
void ApplyMaskRegion(HWND window, const CBitmap* mask, const char* caption) {
  if (!window || !IsWindow(window)) return;
  if (!mask || !*mask) { MessageBoxA(window, "Resimden Region Oluurulamad", caption, MB_OK); InvalidateRect(window,nullptr,TRUE); return; }
  SIZE s = mask->GetSize();
  HDC dc = CreateCompatibleDC(nullptr); HGDIOBJ o = SelectObject(dc, mask->GetSafeHandle());
  HRGN r = CreateRectRgn(0,0,0,0);
  for (int y=0;y<s.cy;y++) for(int x=0;x<s.cx;x++){ COLORREF c=GetPixel(dc,x,y); if (c!=RGB(255,0,255)) { HRGN p=CreateRectRgn(x,y,x+1,y+1); CombineRgn(r,r,p,RGN_OR); DeleteObject(p);} }
  SelectObject(dc,o); DeleteDC(dc);
  if (!SetWindowRgn(window, r, TRUE)) DeleteObject(r);
  InvalidateRect(window,nullptr,TRUE);
}
