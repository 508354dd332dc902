#include "tests/support/text_fit_win.h"

#include <commctrl.h>

#include <algorithm>

#include "dproc/constraints/stop_icon_ids.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/dialog_template.h"
#include "dproc/dialogs/template_controls.h"

namespace testsupport {

const int kPictureTextButtons[] = {1949, 2041, 2042, 2043, 0};

namespace {

constexpr uint16_t kButtonClass = 0x80, kStaticClass = 0x82, kListBoxClass = 0x83, kComboBoxClass = 0x85;

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::wstring TextOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return text;
}

std::wstring WithoutMnemonics(const std::wstring& text) {
  std::u16string in(text.begin(), text.end()), out(in.size() + 1, u'\0');
  StripMnemonics(in.c_str(), out.data(), out.size());
  return std::wstring(out.begin(), out.begin() + static_cast<long>(std::char_traits<char16_t>::length(out.c_str())));
}

// The control's font selected into a screen DC.
class Measure {
 public:
  explicit Measure(HWND control) : dc_(GetDC(nullptr)) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    old_ = SelectObject(dc_, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  }
  ~Measure() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
  }
  int Width(const std::wstring& text) {
    SIZE size = {};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  // The text wrapped into `width` pixels: its extent.
  SIZE Wrapped(const std::wstring& text, int width, bool prefix) {
    RECT r = {0, 0, width, 0};
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (prefix ? 0 : DT_NOPREFIX));
    return {r.right - r.left, r.bottom - r.top};
  }
  int LineHeight() {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

bool IsIn(const int* list, uint32_t id) {
  for (; list != nullptr && *list != 0; ++list) {
    if (static_cast<uint32_t>(*list) == id) return true;
  }
  return false;
}

bool IsClass(const DialogItemFacts& item, uint16_t ordinal, const wchar_t* name) {
  if (item.classOrdinal != 0) return item.classOrdinal == ordinal;
  std::wstring cls(item.className.begin(), item.className.end());
  return lstrcmpiW(cls.c_str(), name) == 0;
}

bool IsStopIcon(const DialogItemFacts& item) {
  if (!IsClass(item, kButtonClass, L"Button") || (item.style & 0x0F) != BS_OWNERDRAW || !item.text.empty()) {
    return false;
  }
  return IsStopIconId(item.id) || (item.cx <= 12 && item.cy <= 12);
}

struct Placed {
  const DialogItemFacts* item;
  HWND window;
  RECT rect;  // in the dialog's client coordinates
  RECT ink;   // what the control paints that an icon must not cover (empty: nothing)
};

RECT Rect(HWND dialog, HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Gap(LONG aFrom, LONG aTo, LONG bFrom, LONG bTo) {
  if (aTo <= bFrom) return static_cast<int>(bFrom - aTo);
  if (bTo <= aFrom) return static_cast<int>(aFrom - bTo);
  return 0;
}

class Checker {
 public:
  Checker(HWND dialog, uint16_t templateId, const int* iconButtons)
      : dialog_(dialog), templateId_(templateId), iconButtons_(iconButtons) {}
  std::vector<std::string> problems;
  std::vector<Placed> placed;

  void Control(const DialogItemFacts& item) {
    HWND control = GetDlgItem(dialog_, static_cast<int>(item.id));
    if (control == nullptr || (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0) return;
    Placed p = {&item, control, Rect(dialog_, control), {}};
    RECT client;
    GetClientRect(control, &client);
    const int width = client.right, height = client.bottom;
    const std::wstring raw = TextOf(control);
    Measure measure(control);
    const uint32_t style = static_cast<uint32_t>(GetWindowLongW(control, GWL_STYLE));
    if (IsClass(item, kButtonClass, L"Button")) {
      const std::wstring text = WithoutMnemonics(raw);
      const int textWidth = measure.Width(text);
      switch (style & 0x0F) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
          p.ink = p.rect;
          if (!text.empty()) Judge(item, kClipPushButton, width, height, text, measure, (style & BS_MULTILINE) != 0);
          break;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: {
          const bool radio = (style & 0x0F) == BS_RADIOBUTTON || (style & 0x0F) == BS_AUTORADIOBUTTON;
          p.ink = p.rect;
          p.ink.right = p.rect.left + ClipKindMargin(kClipCheckBox) + textWidth;
          if (p.ink.right > p.rect.right) p.ink.right = p.rect.right;
          if (!text.empty()) {
            Judge(item, radio ? kClipRadio : kClipCheckBox, width, height, text, measure, (style & BS_MULTILINE) != 0);
          }
          break;
        }
        case BS_GROUPBOX:
          if (!text.empty()) {
            p.ink = {p.rect.left, p.rect.top, p.rect.left + ClipKindMargin(kClipGroupBox) + textWidth,
                     p.rect.top + measure.LineHeight()};
            Judge(item, kClipGroupBox, width, height, text, measure, false);
          }
          break;
        case BS_OWNERDRAW:
          if (IsStopIcon(item)) break;
          p.ink = p.rect;
          if (IsIn(iconButtons_, item.id) && !text.empty()) {
            // The picture is as high as the button less 3 pixels at each
            // edge, 5 pixels before the text, and the pair is centred.
            const int picture = height - 6;
            const int need = 3 + picture + 5 + textWidth + 3;
            if (need > width) Report(item, text, "picture and text", need, width);
          }
          break;
        default: break;
      }
    } else if (IsClass(item, kStaticClass, L"Static")) {
      const uint32_t kind = style & SS_TYPEMASK;
      const bool prefix = (style & SS_NOPREFIX) == 0;
      const std::wstring text = prefix ? WithoutMnemonics(raw) : raw;
      if (!text.empty() && (kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT)) {
        const SIZE wrapped = measure.Wrapped(raw, width, prefix);
        LONG left = p.rect.left;
        if (kind == SS_CENTER) left += (width - wrapped.cx) / 2;
        if (kind == SS_RIGHT) left += width - wrapped.cx;
        p.ink = {left, p.rect.top, left + wrapped.cx, p.rect.top + wrapped.cy};
        if (wrapped.cx > width) Report(item, text, "static, widest word", wrapped.cx, width);
        if (wrapped.cy > height) Report(item, text, "static, wrapped height", wrapped.cy, height);
      } else if (!text.empty() && (kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE)) {
        const int textWidth = measure.Width(text);
        p.ink = {p.rect.left, p.rect.top, p.rect.left + textWidth, p.rect.top + measure.LineHeight()};
        if (textWidth > width) Report(item, text, "static", textWidth, width);
      }
    } else if (IsClass(item, kComboBoxClass, L"ComboBox") || IsClass(item, kListBoxClass, L"ListBox")) {
      const bool combo = IsClass(item, kComboBoxClass, L"ComboBox");
      p.ink = p.rect;
      Rows(item, control, combo, width, measure, style);
    } else if (IsClass(item, 0, L"SysTabControl32")) {
      Tabs(item, control);
    } else if (item.classOrdinal != 0 || !item.className.empty()) {
      if (!IsClass(item, 0, L"msctls_updown32")) p.ink = p.rect;
    }
    placed.push_back(p);
  }

  // Every stop icon beside a control of the template and on none of the
  // controls shown.  An icon stands where the template puts it whenever it
  // is shown (between times the sheets shrink it to nothing).
  void Icons(const std::vector<DialogItemFacts>& items) {
    for (const DialogItemFacts& item : items) {
      if (!IsStopIcon(item)) continue;
      HWND icon = GetDlgItem(dialog_, static_cast<int>(item.id));
      if (icon == nullptr || (GetWindowLongW(icon, GWL_STYLE) & WS_VISIBLE) == 0) continue;
      RECT r = {item.x, item.y, item.x + item.cx, item.y + item.cy};
      MapDialogRect(dialog_, &r);
      for (const Placed& other : placed) {
        RECT overlap;
        if (other.window == icon || IsRectEmpty(&other.ink) || !IntersectRect(&overlap, &r, &other.ink)) continue;
        problems.push_back(Name(item) + " (stop icon) lies on control " + std::to_string(other.item->id) + " \"" +
                           Narrow(TextOf(other.window)) + "\"");
      }
      int nearest = kStopIconReach + 1;
      for (const DialogItemFacts& other : items) {
        if (&other == &item || IsStopIcon(other) || (other.text.empty() && ControlKindOf(other) == kKindNone)) continue;
        const int gap = std::max(Gap(item.x, item.x + item.cx, other.x, other.x + other.cx),
                                 Gap(item.y, item.y + item.cy, other.y, other.y + other.cy));
        nearest = std::min(nearest, gap);
      }
      if (nearest > kStopIconReach) problems.push_back(Name(item) + " (stop icon) is beside no control");
    }
  }

 private:
  std::string Name(const DialogItemFacts& item) const {
    return "template " + std::to_string(templateId_) + " control " + std::to_string(item.id);
  }

  void Report(const DialogItemFacts& item, const std::wstring& text, const char* what, int need, int room) {
    problems.push_back(Name(item) + " \"" + Narrow(text) + "\": " + what + " needs " + std::to_string(need) +
                       " pixels, has " + std::to_string(room));
  }

  // A text of a button kind: on one line within the room its kind leaves,
  // or wrapped within the height when the button wraps.
  void Judge(const DialogItemFacts& item, int32_t kind, int width, int height, const std::wstring& text,
             Measure& measure, bool multiline) {
    const int32_t margin = ClipKindMargin(kind);
    const int room = ClipShownWidth(width - margin);
    if (multiline) {
      const SIZE wrapped = measure.Wrapped(text, room, false);
      if (wrapped.cx > room) Report(item, text, "widest word", wrapped.cx, room);
      if (wrapped.cy > height) Report(item, text, "wrapped height", wrapped.cy, height);
      return;
    }
    const int textWidth = measure.Width(text);
    if (textWidth > room) Report(item, text, "text", textWidth, room);
  }

  // The tabs' texts stay in sight: no page or other window of the dialog
  // lies over a tab.
  void Tabs(const DialogItemFacts& item, HWND tabs) {
    const LRESULT count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < 64; ++i) {
      RECT tab = {};
      if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab))) continue;
      MapWindowPoints(tabs, dialog_, reinterpret_cast<POINT*>(&tab), 2);
      for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT over;
        const RECT r = Rect(dialog_, child);
        if (child == tabs || !IsWindowVisible(child) || !IntersectRect(&over, &r, &tab)) continue;
        problems.push_back(Name(item) + " tab " + std::to_string(i) + " lies under control " +
                           std::to_string(GetDlgCtrlID(child)));
      }
    }
  }

  void Rows(const DialogItemFacts& item, HWND control, bool combo, int width, Measure& measure, uint32_t style) {
    const bool ownerDrawn = combo ? (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0
                                  : (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    const bool strings = combo ? (style & CBS_HASSTRINGS) != 0 : (style & LBS_HASSTRINGS) != 0;
    if (ownerDrawn && !strings) return;  // the rows are the owner's data, not texts
    if (combo && (style & 0x3) != CBS_DROPDOWNLIST) return;  // an edit field: the user's text
    const LRESULT count = SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    const int32_t kind = combo ? kClipComboItem : kClipListItem;
    const int room = ClipShownWidth(width - ClipKindMargin(kind));
    for (LRESULT i = 0; i < count && i < 256; ++i) {
      const LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
      if (length <= 0 || length > 1024) continue;
      std::wstring row(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data()));
      row.resize(static_cast<size_t>(length));
      const int textWidth = measure.Width(row);
      if (textWidth > room) Report(item, row, combo ? "list row" : "box row", textWidth, room);
    }
  }

  HWND dialog_;
  uint16_t templateId_;
  const int* iconButtons_;
};

}  // namespace

std::vector<std::string> CheckTextsFit(HWND window, const uint8_t* dialogTemplate, size_t size, uint16_t templateId,
                                       const int* iconButtons) {
  std::vector<DialogItemFacts> items;
  if (!ReadDialogItems(dialogTemplate, size, &items)) {
    return {"template " + std::to_string(templateId) + " cannot be read"};
  }
  Checker checker(window, templateId, iconButtons);
  for (const DialogItemFacts& item : items) checker.Control(item);
  checker.Icons(items);
  return checker.problems;
}

}  // namespace testsupport
