// Readable dump of a dissected PCL XL stream: one operator per line.
#include <cstdio>

#include "tests/pclxl/xl_dissector.h"

namespace xl {

namespace {

constexpr size_t kMaxItems = 32;      // array items shown before "..."
constexpr size_t kMaxDataBytes = 16;  // embedded bytes shown in hex

std::string Number(const Value& v, double d) {
  char text[40];
  if (v.base == Base::Real32) {
    std::snprintf(text, sizeof(text), "%.9g", d);
  } else {
    std::snprintf(text, sizeof(text), "%.0f", d);
  }
  return text;
}

bool Printable(const Value& v) {
  if (v.base != Base::UByte || v.shape != Shape::Array || v.items.empty()) return false;
  for (double d : v.items) {
    if (d < 32 || d > 126 || d == '"' || d == '\\') return false;
  }
  return true;
}

std::string FormatValue(const Value& v) {
  switch (v.shape) {
    case Shape::Scalar:
      return Number(v, v.items[0]);
    case Shape::XY:
      return "(" + Number(v, v.items[0]) + "," + Number(v, v.items[1]) + ")";
    case Shape::Box:
      return "(" + Number(v, v.items[0]) + "," + Number(v, v.items[1]) + "," +
             Number(v, v.items[2]) + "," + Number(v, v.items[3]) + ")";
    case Shape::Array:
      break;
  }
  if (Printable(v)) return "\"" + v.Text() + "\"";
  std::string s = "[";
  for (size_t i = 0; i < v.items.size() && i < kMaxItems; ++i) {
    if (i) s += ",";
    s += Number(v, v.items[i]);
  }
  if (v.items.size() > kMaxItems) s += ",...(" + std::to_string(v.items.size()) + ")";
  return s + "]";
}

void DumpInto(const Operator& op, const std::string& indent, std::string* out) {
  *out += indent + DumpOperator(op) + "\n";
  for (const Operator& inner : op.streamOps) DumpInto(inner, indent + "  ", out);
}

}  // namespace

std::string DumpOperator(const Operator& op) {
  std::string line = op.name;
  for (const Attribute& a : op.attributes) {
    const char* name = AttributeName(a.id);
    line += " ";
    line += name ? name : "#" + std::to_string(a.id);
    line += ":" + a.value.TypeName() + "=" + FormatValue(a.value);
  }
  if (op.hasData) {
    char text[48];
    std::snprintf(text, sizeof(text), " <data%s %zu", op.dataTag == 0xFA ? "32" : "8",
                  op.data.size());
    line += text;
    if (op.data.size() <= kMaxDataBytes && !op.data.empty()) {
      line += ":";
      for (uint8_t b : op.data) {
        std::snprintf(text, sizeof(text), " %02X", b);
        line += text;
      }
    }
    line += ">";
  }
  if (op.rowBytes != 0) {
    line += " rows=" + std::to_string(op.rowCount) + "x" + std::to_string(op.rowBytes);
  }
  return line;
}

std::string Dump(const Dissection& dissection) {
  std::string out;
  if (!dissection.header.empty()) out += "# " + dissection.header + "\n";
  for (const Operator& op : dissection.ops) DumpInto(op, "", &out);
  if (!dissection.ok) out += "! " + dissection.error + "\n";
  return out;
}

}  // namespace xl
