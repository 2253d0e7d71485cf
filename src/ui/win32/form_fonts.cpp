// A form's fonts: the face and height it asks for, at its window's DPI. A face that is not
// installed would make the system pick one by its own rules (the bitmap System font, say):
// the system's message font takes its place.

#include <windows.h>

#include "ui/win32/dpi.h"
#include "ui/win32/internal.h"

namespace dactyra::ui::detail {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

// Whether a font family of that name is installed (its English or its localized name).
bool FaceInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  const WindowDc screen(nullptr);
  bool found = false;
  EnumFontFamiliesExW(screen.get(), &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

LOGFONTW MessageFontAt(int dpi) {
  LOGFONTW font{};
  if (!DpiFunctions::System().MessageFont(font, dpi)) {
    font.lfHeight = -MulDiv(9, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Segoe UI", LF_FACESIZE);
  }
  return font;
}

}  // namespace

FormFonts CreateFormFonts(const FontSpec& spec, int dpi) {
  LOGFONTW font = MessageFontAt(dpi);
  if (!spec.face.empty() && spec.pixel_height > 0) {
    font.lfHeight = -MulDiv(spec.pixel_height, dpi, 96);
    font.lfWidth = 0;
    if (FaceInstalled(Wide(spec.face))) {
      font.lfCharSet = DEFAULT_CHARSET;
      lstrcpynW(font.lfFaceName, Wide(spec.face), LF_FACESIZE);
    }
  }
  FormFonts fonts;
  fonts.normal.reset(CreateFontIndirectW(&font));
  font.lfWeight = FW_BOLD;
  fonts.bold.reset(CreateFontIndirectW(&font));
  return fonts;
}

}  // namespace dactyra::ui::detail
