#include "ddproc/view/printer_view.h"

#include "common/qxd/qxd_reader.h"
#include "ddproc/caps/device_caps.h"

namespace {

// The selected value of a device option, or "" when there is none.
const char* Value(const PrinterViewOptions& r, const char* keyword) {
  const char* v = SelectedOptionValue(r.deviceOptions, r.deviceOption, keyword);
  return v != nullptr ? v : "";
}

int Numbered(const char* value, const char* stem, int last) {
  char name[40];
  for (int n = 1; n <= last; ++n) {
    int i = 0;
    for (; stem[i] != '\0'; ++i) name[i] = stem[i];
    name[i++] = static_cast<char>('0' + n);
    name[i] = '\0';
    if (QxdNameEquals(value, name)) return n;
  }
  return 0;
}

// Flags 1 to 12 are the output trays, 13 the centre staple.
bool Flag(const PrinterViewOptions& r, int n) {
  const size_t at = n <= 12 ? offsetof(PrinterViewOptions, outputTrays) + static_cast<size_t>(n - 1) * 4
                            : offsetof(PrinterViewOptions, centreStaple);
  uint32_t v;
  __builtin_memcpy(&v, reinterpret_cast<const uint8_t*>(&r) + at, sizeof v);
  return v != 0;
}

// The output-bin highlight of the first flag set among 3 to 11 (0: none).
int OutputHighlight(const PrinterViewOptions& r, const PrinterViewUnits& o) {
  const int u = o.outputUnit, m = o.mailBin, s = o.saddle;
  for (int flag = 3; flag <= 11; ++flag) {
    if (!Flag(r, flag)) continue;
    switch (flag) {
      case 3:
        if ((u == 4 || u == 5) && s == 1 && m == 0) return 178;
        if ((u == 4 || u == 5) && m == 0 && s == 0) return 176;
        if (u == 1 || u == 2) return 165;
        return 0;
      case 4:
        if (u == 4) return 181;
        if (u == 5 && m == 0) return 180;
        return 0;
      case 5:
        if (u == 5) return 181;
        if (u == 2) return 166;
        return 0;
      case 6: return (u == 4 || u == 5) && m == 1 ? 177 : 0;
      case 7: return u == 5 && m == 1 ? 180 : 0;
      case 8: return m == 1 ? 182 : 0;
      case 9: return m == 1 ? 183 : 0;
      case 10: return m == 1 ? 184 : 0;
      default: return m == 1 ? 185 : 0;
    }
  }
  return 0;
}

}  // namespace

PrinterViewUnits ParsePrinterViewOptions(const PrinterViewOptions& r) {
  PrinterViewUnits o{};
  o.machine = QxdNameEquals(Value(r, "OpMachine"), "OpMachine1") ? 1 : 0;
  o.inputUnit = Numbered(Value(r, "OpInTrayUnit"), "OpInTrayUnit", 3);
  o.outputUnit = Numbered(Value(r, "OpOutTrayUnit"), "OpOutTrayUnit", 5);
  o.hardDisk = QxdNameEquals(Value(r, "OpHDD"), "EnaOpHDD") ? 1 : 0;
  o.duplex = QxdNameEquals(Value(r, "OpDuplex"), "EnaOpDuplex") ? 1 : 0;
  o.mailBin = QxdNameEquals(Value(r, "OpMailBinKit"), "EnaOpMailBinKit") ? 1 : 0;
  o.saddle = QxdNameEquals(Value(r, "OpSaddleKit"), "EnaSaddleKit") ? 1 : 0;
  return o;
}

std::vector<int> PrinterViewLayers(const PrinterViewOptions& r) {
  const PrinterViewUnits o = ParsePrinterViewOptions(r);
  std::vector<int> layers;
  layers.push_back(o.machine == 1 ? 102 : 101);
  layers.push_back(105);
  if (o.inputUnit == 1) layers.push_back(106);
  if (o.inputUnit == 2) layers.push_back(103);
  if (o.inputUnit == 3) layers.push_back(104);
  switch (o.outputUnit) {
    case 1: layers.push_back(161); break;
    case 2: layers.push_back(161); layers.push_back(162); break;
    case 3: layers.push_back(163); break;
    case 4: layers.push_back(o.mailBin ? 172 : o.saddle ? 174 : 170); break;
    case 5: layers.push_back(o.mailBin ? 173 : o.saddle ? 175 : 171); break;
    default: break;
  }
  if (o.duplex) layers.push_back(107);
  if (r.documentSheet == 0) return layers;
  char tray[33] = {};
  __builtin_memcpy(tray, r.inTrayKeyword, sizeof r.inTrayKeyword);
  struct TrayLayer {
    const char* keyword;
    int bitmap;
  };
  static constexpr TrayLayer kTrays[] = {{"InTray1", 111}, {"InTray2", 113},      {"InTray3", 115},
                                         {"InTray4", 117}, {"InTrayManual", 119}, {"InTrayLCT", 121}};
  for (const TrayLayer& t : kTrays) {
    if (QxdNameEquals(tray, t.keyword)) layers.push_back(t.bitmap);
  }
  if (const int bin = OutputHighlight(r, o); bin != 0) layers.push_back(bin);
  if (Flag(r, 13) && o.saddle == 1) layers.push_back(179);
  return layers;
}

int PrinterViewDiskMark(const PrinterViewOptions& r) { return ParsePrinterViewOptions(r).hardDisk ? 202 : 201; }
