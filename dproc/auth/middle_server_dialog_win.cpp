#include "dproc/auth/middle_server_dialog_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/disp_string_table.h"
#include "common/records/doc_fields.h"
#include "common/records/middle_server_values.h"
#include "common/text/utf8_text.h"
#include "common/win/ui_services.h"
#include "dproc/auth/middle_server_rules.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/message_text.h"
#include "dproc/openapi/middle_server_cache_win.h"
#include "dproc/sheets/message_box.h"

struct MiddleServerDlgContext {
  HANDLE printer;
  DocDMode* doc;
  std::unique_ptr<DocDMode> backup;
  const MiddleServerSetting* setting;
  bool hasOwner;
  uint32_t number;
  bool keep;
  std::vector<ms::Node> nodes;
};

namespace {

using Ctx = MiddleServerDlgContext;

constexpr int kPublicUser = ms::kPublicUserId;
constexpr uint32_t kValuesBytes = sizeof(DocFields::MiddleServerValues);
constexpr uint32_t kItemsOffset = kDocMiddleServerItemsAt - kDocMiddleServerAt;
constexpr uint32_t kCountOffset = kDocMiddleServerItemCountAt - kDocMiddleServerAt;
constexpr uint32_t kTailOffset = kDocMiddleServerTailTextAt - kDocMiddleServerAt;
// The message table's row 424 says the device could not be reached (the
// authentication answers use it); an entry that breaks its rules has a row
// of its own.
constexpr int kNoSettingMessage = 423, kBadAnswerMessage = 444, kTooManyItemsMessage = 443;
constexpr int kErrorTitle = 1, kNoSettingTitle = 7;

Ctx* ContextOf(HWND dialog) { return reinterpret_cast<Ctx*>(GetWindowLongPtrW(dialog, DWLP_USER)); }
uint8_t* Values(DocDMode* doc) { return reinterpret_cast<uint8_t*>(doc) + kDocMiddleServerAt; }
const uint8_t* ItemOf(const Ctx* c, const ms::Node& n) {
  return reinterpret_cast<const uint8_t*>(&c->setting->items[n.index]);
}
uint8_t* ValueItem(uint8_t* values, int k) { return values + kItemsOffset + k * kMiddleServerItemSize; }

std::wstring Wide(const std::string& utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}
std::string Utf8(const std::wstring& w) { return Utf16ToUtf8(std::u16string(w.begin(), w.end())); }

std::wstring ItemTextW(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr) return {};
  const int n = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(control, text.data(), n + 1);
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}
// The text in the system code page, as the rules count its characters.
std::string ItemTextA(HWND dialog, int id) {
  const std::wstring w = ItemTextW(dialog, id);
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void PutU16(uint8_t* at, uint16_t v) { std::memcpy(at, &v, 2); }

// Field `f` of a value item takes `utf8`, enciphered so it fits.
void PutValue(HANDLE printer, uint8_t* item, const MiddleServerValueField& f, const std::string& utf8) {
  PutU16(item + f.lengthAt, EncipherTextField(printer, utf8.c_str(), f.size - 1, item + f.at, f.size));
}

std::string StoredValue(HANDLE printer, const uint8_t* item, const MiddleServerValueField& f) {
  uint16_t length;
  std::memcpy(&length, item + f.lengthAt, 2);
  if (length == 0 || length > f.size) return {};
  uint8_t work[128] = {};
  std::memcpy(work, item + f.at, f.size);
  DecryptPasswordAes(printer, work, length, f.size);
  work[f.size] = 0;
  return std::string(reinterpret_cast<const char*>(work), strnlen(reinterpret_cast<const char*>(work), f.size));
}

// The stored answer of an item: the first value item of the same kind and
// key.
const uint8_t* FindStoredMiddleServerValue(const uint8_t* item, uint8_t* values) {
  int16_t count;
  std::memcpy(&count, values + kCountOffset, 2);
  const int n = std::clamp<int>(count, 0, kMiddleServerItemMax);
  for (int k = 0; k < n; ++k) {
    const uint8_t* v = ValueItem(values, k);
    if (v[kMiddleServerItemKindAt] == item[ms::kKindAt] &&
        std::memcmp(v, item + ms::kKeyAt, kMiddleServerValueKeyBytes) == 0) {
      return v;
    }
  }
  return nullptr;
}

void CopyHeadAndTail(const Ctx* c, uint8_t* values) {
  std::memset(values + 4, 0, 32);
  std::memcpy(values + 4, c->setting->head, strnlen(c->setting->head, 31));
  std::memset(values + kTailOffset, 0, 32);
  std::memcpy(values + kTailOffset, c->setting->tail, strnlen(c->setting->tail, 32));
}

// A value item cleared with the item's kind and key.
uint8_t* StartValue(uint8_t* values, int k, const uint8_t* item) {
  uint8_t* v = ValueItem(values, k);
  std::memset(v, 0, kMiddleServerItemSize);
  std::memcpy(v, item + ms::kKeyAt, kMiddleServerValueKeyBytes);
  v[kMiddleServerItemKindAt] = item[ms::kKindAt];
  return v;
}

std::string Printf(long v) {
  char text[24];
  std::snprintf(text, sizeof text, "%ld", v);
  return text;
}

// The choice of a list whose value equals `value` (ignoring case), else -1.
int ChoiceOf(const uint8_t* item, const std::string& value) {
  for (int i = 0; i < ms::ListCount(item); ++i) {
    const std::string v = ms::ListValue(item, i);
    if (v.size() == value.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, v.c_str(), -1, value.c_str(),
                                                   -1) == CSTR_EQUAL) {
      return i;
    }
  }
  return -1;
}

void ResetMiddleServerValues(Ctx* c) {
  uint8_t* values = Values(c->doc);
  CopyHeadAndTail(c, values);
  int k = 0;
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    uint8_t* v = StartValue(values, k++, item);
    MiddleServerValueField f[7];
    MiddleServerValueFields(n.kind, f);
    switch (n.kind) {
      case 1: case 9: case 10:
        PutValue(c->printer, v, f[0], ms::ItemText(item, ms::TextPartAt(n.kind), ms::kExtraTextBytes));
        break;
      case 2: PutValue(c->printer, v, f[0], Printf(ms::ItemI32(item, ms::kNumberDefaultAt))); break;
      case 3: PutValue(c->printer, v, f[0], Printf(item[ms::kChoiceDefaultAt])); break;
      case 4: {
        v[kMiddleServerValueSubKindAt] = item[ms::kDateSubKindAt];
        const int year = ms::ItemI16(item, ms::kDateYearAt);
        for (int i = 0; i < 7; ++i) {
          const std::string def = i == 0 ? std::string() : ms::ItemText(item, ms::kDateTextsAt + (i - 1) * 8, 8);
          PutValue(c->printer, v, f[i], ms::DateFieldDefault(i, year, def));
        }
        break;
      }
      case 5: PutValue(c->printer, v, f[0], ms::ItemText(item, ms::kFixedTextAt, 33)); break;
      case 6: {
        int choice = ChoiceOf(item, ms::ItemText(item, ms::kListDefaultAt, 32));
        if (choice < 0 && ms::ListCount(item) > 0) choice = 0;
        if (choice >= 0) PutValue(c->printer, v, f[0], ms::ListValue(item, choice));
        break;
      }
      default: break;
    }
  }
  const int16_t count = static_cast<int16_t>(k);
  std::memcpy(values + kCountOffset, &count, 2);
}

void ShowMiddleServerItemError(HWND dialog, const Ctx* c, const ms::Node* node) {
  char16_t title[kMessageRowUnits], text[kMessageRowUnits];
  LoadMessageText(kErrorTitle, title, kMessageRowUnits);
  LoadMessageText(kBadAnswerMessage, text, kMessageRowUnits);
  std::u16string body = text;
  if (node != nullptr) {
    std::u16string label = Utf8ToUtf16(ms::ItemText(ItemOf(c, *node), ms::kLabelAt, ms::kLabelBytes));
    if (label.size() > 128) label.resize(128);
    body += u"\n[" + label + u"]";
  }
  CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(body.c_str()),
                                 reinterpret_cast<const wchar_t*>(title), MB_ICONWARNING);
}

bool Fail(HWND dialog, const Ctx* c, const ms::Node& n) {
  if (HWND first = GetDlgItem(dialog, n.first != 0 ? n.first : n.label)) SetFocus(first);
  ShowMiddleServerItemError(dialog, c, &n);
  return false;
}

bool Skipped(const uint8_t* item) {
  return item[ms::kDisplayAt] == ms::kHidden || item[ms::kInputAt] == ms::kHidden ||
         item[ms::kInputAt] == ms::kDisabled;
}

bool CheckMiddleServerText(HWND dialog, const Ctx* c, const ms::Node& n, int id) {
  const uint8_t* item = ItemOf(c, n);
  const std::string text = ItemTextA(dialog, id);
  const uint8_t input = item[ms::kInputAt];
  switch (n.kind) {
    case 2:
      return ms::NumberAnswerOk(text, input, ms::ItemI32(item, ms::kNumberMinAt), ms::ItemI32(item, ms::kNumberMaxAt));
    case 4: return ms::DateAnswerOk(text, input, id - n.boxes[0]);
    case 1: case 9: case 10: return ms::TextAnswerOk(text, input, ms::TextMinLength(item), ms::TextClass(item));
    default: return true;
  }
}

bool CheckMiddleServerTexts(HWND dialog, const Ctx* c) {
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    if (Skipped(item)) continue;
    bool ok = true;
    if (n.kind == 1 || n.kind == 2 || n.kind == 9 || n.kind == 10) {
      ok = n.first == 0 || CheckMiddleServerText(dialog, c, n, n.first);
    } else if (n.kind == 4) {
      const int subKind = item[ms::kDateSubKindAt];
      int empty = 0;
      for (int i = 0; i < 7; ++i) empty += ms::DateFieldUsed(subKind, i) && ItemTextW(dialog, n.boxes[i]).empty();
      if (empty > 0) {
        ok = item[ms::kInputAt] != ms::kRequired;
      } else {
        for (int i = 0; i < 7 && ok; ++i) {
          ok = !ms::DateFieldUsed(subKind, i) || CheckMiddleServerText(dialog, c, n, n.boxes[i]);
        }
      }
    }
    if (!ok) return Fail(dialog, c, n);
  }
  return true;
}

bool CheckMiddleServerLists(HWND dialog, const Ctx* c) {
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    const uint8_t input = item[ms::kInputAt];
    if (input == ms::kHidden || input == ms::kDisabled || n.kind != 6) continue;
    if (input == ms::kRequired && SendDlgItemMessageW(dialog, n.first, CB_GETCURSEL, 0, 0) == CB_ERR) {
      return Fail(dialog, c, n);
    }
  }
  return true;
}

// Pass 0 checks, pass 1 checks and writes the answers.
bool StoreMiddleServerValues(HWND dialog, Ctx* c, int pass) {
  auto values = std::make_unique<uint8_t[]>(kValuesBytes);
  std::memcpy(values.get(), Values(c->doc), kValuesBytes);
  uint8_t* out = values.get();
  std::memcpy(out, &c->number, 4);
  CopyHeadAndTail(c, out);
  int k = 0;
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    const uint8_t input = item[ms::kInputAt];
    uint8_t* v = StartValue(out, k++, item);
    MiddleServerValueField f[7];
    MiddleServerValueFields(n.kind, f);
    bool failed = false;
    switch (n.kind) {
      case 1: case 9: case 10:
        PutValue(c->printer, v, f[0], n.first != 0 ? Utf8(ItemTextW(dialog, n.first)) : std::string());
        break;
      case 2: {
        std::string text = n.first != 0 ? Utf8(ItemTextW(dialog, n.first)) : std::string();
        if (text.empty() && input != ms::kRequired) {
          text = Printf(ms::ItemI32(item, ms::kNumberDefaultAt));
          failed = input == ms::kNeeded;
        }
        PutValue(c->printer, v, f[0], text);
        break;
      }
      case 3: PutValue(c->printer, v, f[0], IsDlgButtonChecked(dialog, n.first) == BST_CHECKED ? "1" : "0"); break;
      case 4: {
        const int subKind = item[ms::kDateSubKindAt];
        v[kMiddleServerValueSubKindAt] = static_cast<uint8_t>(subKind);
        const int year = ms::ItemI16(item, ms::kDateYearAt);
        for (int i = 0; i < 7; ++i) {
          if (!ms::DateFieldUsed(subKind, i)) continue;
          const std::string def = i == 0 ? std::string() : ms::ItemText(item, ms::kDateTextsAt + (i - 1) * 8, 8);
          PutValue(c->printer, v, f[i],
                   ms::DateFieldAnswer(i, Utf8(ItemTextW(dialog, n.boxes[i])), input, year, def, &failed));
        }
        break;
      }
      case 5: PutValue(c->printer, v, f[0], ms::ItemText(item, ms::kFixedTextAt, 33)); break;
      case 6: {
        const LRESULT sel = SendDlgItemMessageW(dialog, n.first, CB_GETCURSEL, 0, 0);
        int choice = -1;
        if (sel != CB_ERR) {
          choice = static_cast<int>(SendDlgItemMessageW(dialog, n.first, CB_GETITEMDATA, sel, 0));
        } else if (input != ms::kRequired) {
          const std::string def = ms::ItemText(item, ms::kListDefaultAt, 32);
          for (int i = 0; i < ms::ListCount(item) && choice < 0; ++i) {
            if (ms::ListValue(item, i) == def) choice = i;
          }
          if (choice < 0 && ms::ListCount(item) > 0) choice = 0;
          failed = input == ms::kNeeded;
        }
        if (choice >= 0 && choice < ms::ListCount(item)) PutValue(c->printer, v, f[0], ms::ListValue(item, choice));
        break;
      }
      default: break;
    }
    if (failed) {
      SecureZeroMemory(out, kValuesBytes);
      return Fail(dialog, c, n);
    }
  }
  const int16_t count = static_cast<int16_t>(k);
  std::memcpy(out + kCountOffset, &count, 2);
  if (pass == 1) {
    std::memcpy(Values(c->doc), out, kValuesBytes);
    Fields(*c->doc).byUserType = IsDlgButtonChecked(dialog, kPublicUser) == BST_CHECKED ? 0 : 1;
  }
  SecureZeroMemory(out, kValuesBytes);
  return true;
}

// The controls of an item that its state applies to.
std::vector<int> ItemControls(const ms::Node& n, const uint8_t* item) {
  std::vector<int> ids;
  switch (n.kind) {
    case 3: ids = {n.first, n.first + 1, n.label, n.group}; break;
    case 4: {
      const int subKind = item[ms::kDateSubKindAt];
      for (int i = 0; i < 7; ++i) {
        if (ms::DateFieldUsed(subKind, i)) ids.push_back(n.boxes[i]);
      }
      if (ms::DateFieldUsed(subKind, 0)) ids.insert(ids.end(), {n.separators[0], n.separators[1]});
      if (ms::DateFieldUsed(subKind, 3)) ids.push_back(n.separators[2]);
      ids.insert(ids.end(), {n.label, n.group});
      break;
    }
    case 5: ids = {n.label}; break;
    default:
      if (n.first != 0) ids.push_back(n.first);
      if (n.label != 0) ids.push_back(n.label);
      break;
  }
  return ids;
}

void EnableMiddleServerItems(HWND dialog, const Ctx* c, bool publicUser) {
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    const int state = item[ms::kDisplayAt] == ms::kHidden ? ms::kHidden : item[ms::kInputAt];
    if (n.kind == 4) {  // the boxes the sub-kind does not use stay hidden
      for (uint16_t id : n.boxes) ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
      for (uint16_t id : n.separators) ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
    }
    for (int id : ItemControls(n, item)) {
      HWND control = GetDlgItem(dialog, id);
      if (control == nullptr) continue;
      ShowWindow(control, state == ms::kHidden ? SW_HIDE : SW_SHOW);
      EnableWindow(control, state != ms::kHidden && state != ms::kDisabled && !publicUser);
    }
  }
}

// The items laid out in pixels, in columns that fit the desktop's height.
void LayOut(HWND dialog, const Ctx* c) {
  auto place = [&](int id, int x, int y, int w, int h) {
    if (HWND control = GetDlgItem(dialog, id)) MoveWindow(control, x, y, w, h, FALSE);
  };
  auto len = [&](const ms::Node& n) { return static_cast<int>(ItemTextW(dialog, n.label).size()); };
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int desktopHeight = std::max<int>(work.bottom - work.top, 200);
  const int buttonRow = 19 + 5 + 40;  // the buttons, their gap and the frame
  place(kPublicUser, 10, 17, 260, 15);
  int x = 10, y = 37, right = 270, bottom = 52;
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    int w = 0, h = 0;
    switch (n.kind) {
      case 1: case 2: case 9: case 10: case 6: w = std::max(13 * len(n) + 10, 118); h = n.kind == 6 ? 37 : 35; break;
      case 3: {
        const int c1 = static_cast<int>(ItemTextW(dialog, n.first).size()) + 1;
        const int c2 = static_cast<int>(ItemTextW(dialog, n.first + 1).size()) + 1;
        w = 13 * std::max({c1, c2, len(n)}) + 24;
        h = 83;
        break;
      }
      case 4: w = std::max(236, 13 * len(n) + 10); h = 85; break;
      case 5: w = 13 * (len(n) + 1) + 10; h = 15; break;
      default: continue;
    }
    if (y > 37 && y + h + buttonRow > desktopHeight) {
      x = right + 20;
      y = 37;
    }
    switch (n.kind) {
      case 1: case 2: case 9: case 10: case 6: {
        place(n.label, x, y, 13 * len(n) + 10, 15);
        const int lines = n.kind == 6 ? std::min(ms::ListCount(item), 5) : 0;
        place(n.first, x, y + 16, 118, n.kind == 6 ? 21 + lines * 100 : 19);
        break;
      }
      case 3: {
        place(n.group, x, y, w, 83);
        place(n.label, x + 6, y + 15, 13 * len(n) + 5, 17);
        for (int r = 0; r < 2; ++r) {
          const int caption = static_cast<int>(ItemTextW(dialog, n.first + r).size()) + 1;
          place(n.first + r, x + 15, y + 34 + 19 * r, 13 * caption + 5, 17);
        }
        break;
      }
      case 4: {
        place(n.label, x + 6, y + 15, 13 * len(n) + 4, 15);
        int bx = x + 6;
        const int row1 = y + 32, row2 = row1 + 21;
        place(n.boxes[0], bx, row1, 54, 19);
        place(n.separators[0], bx + 56, row1, 14, 19);
        place(n.boxes[1], bx + 70, row1, 28, 19);
        place(n.separators[1], bx + 100, row1, 14, 19);
        place(n.boxes[2], bx + 114, row1, 28, 19);
        place(n.boxes[5], bx + 158, row1, 28, 19);
        place(n.boxes[6], bx + 192, row1, 28, 19);
        place(n.boxes[3], bx, row2, 28, 19);
        place(n.separators[2], bx + 30, row2, 14, 19);
        place(n.boxes[4], bx + 44, row2, 28, 19);
        place(n.group, x, y, w, h);
        break;
      }
      case 5: place(n.label, x, y, w, 15); break;
      default: break;
    }
    right = std::max(right, x + w);
    bottom = std::max(bottom, y + h);
    y += h + 5;
  }
  const int width = std::max(right + 20, 250);
  const int buttons = bottom + 5;
  place(IDOK, width - 185, buttons, 80, 19);
  place(IDCANCEL, width - 95, buttons, 80, 19);
  RECT frame = {0, 0, width, buttons + 19 + 10};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - fw) / 2,
               work.top + std::max<int>((work.bottom - work.top - fh) / 2, 0), fw, fh, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowTexts(HWND dialog) {
  const DispStringItem* table = DialogTextTable("Dlg_InterimAuthenticSetting");
  if (table == nullptr) return;
  auto put = [&](HWND window, const char* key) {
    const char16_t* text = DispStringText(table, key);
    if (window != nullptr && text != nullptr && text[0] != u'\0') {
      SetWindowTextW(window, reinterpret_cast<const wchar_t*>(text));
    }
  };
  put(dialog, "Dlg_InterimAuthenticSetting");
  put(GetDlgItem(dialog, kPublicUser), "InterimPublicUser");
  put(GetDlgItem(dialog, IDOK), "InterimAuthentic_OK");
  put(GetDlgItem(dialog, IDCANCEL), "InterimAuthentic_Cancel");
}

DWORD ReadResetFlag(HANDLE printer) {
  HKEY key;
  if (!OpenMiddleServerKey(printer, &key)) return 0;
  DWORD type = 0, value = 0, size = sizeof value;
  const LONG r = RegQueryValueExW(key, L"ResetFlag", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : 0;
}

void FillItems(HWND dialog, Ctx* c) {
  uint8_t* values = Values(c->doc);
  for (const ms::Node& n : c->nodes) {
    const uint8_t* item = ItemOf(c, n);
    const uint8_t* stored = FindStoredMiddleServerValue(item, values);
    MiddleServerValueField f[7];
    MiddleServerValueFields(n.kind, f);
    auto answer = [&](int i) { return stored != nullptr ? StoredValue(c->printer, stored, f[i]) : std::string(); };
    switch (n.kind) {
      case 1: case 2: case 9: case 10: {
        if (n.first == 0) break;
        SendDlgItemMessageW(dialog, n.first, EM_LIMITTEXT, n.kind == 2 ? 11 : 64, 0);
        const auto both = [](uint8_t a) { return a == 1 || a == 3; };
        const bool password = (n.kind == 1 || n.kind == 2) && ms::InputStyle(item) == 2;
        if (password && !c->hasOwner && both(item[ms::kInputAt]) && both(item[ms::kDisplayAt])) break;
        SetDlgItemTextW(dialog, n.first, Wide(answer(0)).c_str());
        break;
      }
      case 3: {
        const bool second = stored != nullptr && answer(0) == "0";
        CheckDlgButton(dialog, n.first, second ? BST_UNCHECKED : BST_CHECKED);
        CheckDlgButton(dialog, n.first + 1, second ? BST_CHECKED : BST_UNCHECKED);
        break;
      }
      case 4:
        for (int i = 0; i < 7; ++i) {
          SendDlgItemMessageW(dialog, n.boxes[i], EM_LIMITTEXT, ms::kDateFields[i].chars, 0);
          if (item[ms::kDateKeepAt] == 1 && stored == nullptr) {
            SetDlgItemTextW(dialog, n.boxes[i], L"--");
          } else if (stored != nullptr) {
            SetDlgItemTextW(dialog, n.boxes[i], Wide(answer(i)).c_str());
          }
        }
        break;
      case 6: {
        HWND combo = GetDlgItem(dialog, n.first);
        for (int i = 0; i < ms::ListCount(item); ++i) {
          const LRESULT at =
              SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(ms::ListText(item, i)).c_str()));
          if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, at, i);
        }
        const int choice = stored != nullptr ? ChoiceOf(item, answer(0)) : -1;
        for (int at = 0; choice >= 0 && at < ms::ListCount(item); ++at) {
          if (SendMessageW(combo, CB_GETITEMDATA, at, 0) == choice) SendMessageW(combo, CB_SETCURSEL, at, 0);
        }
        break;
      }
      default: break;
    }
  }
}

void Init(HWND dialog, Ctx* c) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(c));
  uint32_t storedNumber;
  std::memcpy(&storedNumber, Values(c->doc), 4);
  c->keep = storedNumber == c->number && ReadResetFlag(c->printer) != 0;
  if (!c->keep) ResetMiddleServerValues(c);
  ShowTexts(dialog);
  LayOut(dialog, c);
  const bool publicUser = Fields(*c->doc).byUserType == 0;
  CheckDlgButton(dialog, kPublicUser, publicUser ? BST_CHECKED : BST_UNCHECKED);
  FillItems(dialog, c);
  EnableMiddleServerItems(dialog, c, publicUser);
  EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
}

void Command(HWND dialog, Ctx* c, int id, int code) {
  const bool publicUser = IsDlgButtonChecked(dialog, kPublicUser) == BST_CHECKED;
  switch (id) {
    case IDOK:
      if (!publicUser && (!CheckMiddleServerTexts(dialog, c) || !CheckMiddleServerLists(dialog, c))) return;
      if (!StoreMiddleServerValues(dialog, c, 0) || !StoreMiddleServerValues(dialog, c, 1)) return;
      EndDialog(dialog, 1);
      return;
    case IDCANCEL:
      *c->doc = *c->backup;
      EndDialog(dialog, 2);
      return;
    case kPublicUser:
      if (code != BN_CLICKED) return;
      if (publicUser && (!CheckMiddleServerTexts(dialog, c) || !CheckMiddleServerLists(dialog, c) ||
                         !StoreMiddleServerValues(dialog, c, 0))) {
        CheckDlgButton(dialog, kPublicUser, BST_UNCHECKED);
        return;
      }
      EnableMiddleServerItems(dialog, c, publicUser);
      EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
      return;
    default: break;
  }
  if (id >= ms::kRadioBase && id < 3000 && code == BN_CLICKED) {
    const int partner = (id % 2 == 0) ? id + 1 : id - 1;
    CheckDlgButton(dialog, id, BST_CHECKED);
    CheckDlgButton(dialog, partner, BST_UNCHECKED);
  }
  if (code == EN_CHANGE || code == CBN_SELCHANGE) EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
}

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&MiddleServerAuthDlgProc), &module);
  return module;
}

}  // namespace

HGLOBAL BuildMiddleServerDlgTemplate(HWND, MiddleServerDlgContext* context) {
  if (context == nullptr || context->setting == nullptr) return nullptr;
  std::vector<ms::Control> controls;
  const int count = std::clamp<int>(context->setting->itemCount, 0, ms::kMaxItems);
  ms::PlanControls(reinterpret_cast<const uint8_t*>(context->setting->items), count, &controls, &context->nodes);
  const std::vector<uint8_t> bytes = ms::TemplateBytes(controls, u"MS Shell Dlg", 9);
  if (bytes.empty()) return nullptr;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
  if (block == nullptr) return nullptr;
  std::memcpy(block, bytes.data(), bytes.size());
  return block;
}

INT_PTR CALLBACK MiddleServerAuthDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* c = reinterpret_cast<Ctx*>(lParam);
    if (c == nullptr) {
      EndDialog(dialog, 2);
      return TRUE;
    }
    Init(dialog, c);
    return TRUE;
  }
  Ctx* c = ContextOf(dialog);
  if (c == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      Command(dialog, c, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      Command(dialog, c, IDCANCEL, BN_CLICKED);
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        ShowWindow(dialog, SW_SHOW);
        EnableWindow(dialog, TRUE);
      }
      return FALSE;
    default: return FALSE;
  }
}

int RunMiddleServerAuthDlg(HWND owner, bool hasOwner, HANDLE printer, uint32_t number, DocDMode* doc,
                           const MiddleServerSetting* setting) {
  if (doc == nullptr || setting == nullptr || setting->itemCount <= 0) return 2;
  Ctx context{};
  context.printer = printer;
  context.doc = doc;
  context.setting = setting;
  context.hasOwner = hasOwner;
  context.number = number;
  context.backup.reset(new (std::nothrow) DocDMode(*doc));
  if (!context.backup) return 2;
  HGLOBAL block = BuildMiddleServerDlgTemplate(owner, &context);
  if (block == nullptr) return 2;
  const INT_PTR result = DialogBoxIndirectParamW(ThisModule(), static_cast<const DLGTEMPLATE*>(block), owner,
                                                 MiddleServerAuthDlgProc, reinterpret_cast<LPARAM>(&context));
  GlobalFree(block);
  return result == 1 ? 1 : 2;
}

int ShowMiddleServerAuthDlg(HWND owner, DocDMode* doc, const DevOption*, HANDLE printer) {
  if (doc == nullptr) return 2;
  std::unique_ptr<MiddleServerSetting> setting(new (std::nothrow) MiddleServerSetting());
  if (!setting) return 2;
  uint32_t number = 0;
  if (!LoadMiddleServerCache(printer, &number, setting.get())) {
    ShowMessageBox(owner, kNoSettingTitle, kNoSettingMessage, 0, MB_ICONWARNING, 0, 0);
    return 2;
  }
  // The answers hold ten items: a longer setting cannot be answered, and
  // the user is told so instead of the job being refused later.
  if (setting->itemCount > static_cast<int16_t>(ms::kMaxItems)) {
    ShowMessageBox(owner, kNoSettingTitle, kTooManyItemsMessage, 0, MB_ICONWARNING, 0, 0);
    return 2;
  }
  const int result = RunMiddleServerAuthDlg(owner, owner != nullptr, printer, number, doc, setting.get());
  if (result == 1) SetMiddleServerResetFlag(printer, 1);
  return result;
}

int RunMiddleServerPopup(AuthPopupArgs* args) {
  if (args == nullptr || args->doc == nullptr || args->printer == nullptr) return 2;
  return ShowMiddleServerAuthDlg(nullptr, args->doc, args->option, *args->printer);
}
