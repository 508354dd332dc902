// PCL XL stream dissector for tests.
#include "tests/pclxl/xl_dissector.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

// mingw's printf checking needs the GNU flavour named; clang knows only printf.
#if defined(__clang__)
#define XL_PRINTF_FORMAT printf
#else
#define XL_PRINTF_FORMAT gnu_printf
#endif

namespace xl {

namespace {

// ---------------------------------------------------------------------
// Format tables

struct OpName {
  uint8_t tag;
  const char* name;
};

const OpName kOperators[] = {
    {0x41, "BeginSession"}, {0x42, "EndSession"}, {0x43, "BeginPage"}, {0x44, "EndPage"},
    {0x46, "VendorUnique"}, {0x47, "Comment"}, {0x48, "OpenDataSource"},
    {0x49, "CloseDataSource"}, {0x4A, "EchoComment"}, {0x4B, "Query"}, {0x4C, "Diagnostic3"},
    {0x4F, "BeginFontHeader"}, {0x50, "ReadFontHeader"}, {0x51, "EndFontHeader"},
    {0x52, "BeginChar"}, {0x53, "ReadChar"}, {0x54, "EndChar"}, {0x55, "RemoveFont"},
    {0x56, "SetCharAttributes"}, {0x57, "SetDefaultGS"}, {0x58, "SetColorTreatment"},
    {0x5B, "BeginStream"}, {0x5C, "ReadStream"}, {0x5D, "EndStream"}, {0x5E, "ExecStream"},
    {0x5F, "RemoveStream"}, {0x60, "PopGS"}, {0x61, "PushGS"}, {0x62, "SetClipReplace"},
    {0x63, "SetBrushSource"}, {0x64, "SetCharAngle"}, {0x65, "SetCharScale"},
    {0x66, "SetCharShear"}, {0x67, "SetClipIntersect"}, {0x68, "SetClipRectangle"},
    {0x69, "SetClipToPage"}, {0x6A, "SetColorSpace"}, {0x6B, "SetCursor"}, {0x6C, "SetCursorRel"},
    {0x6D, "SetHalftoneMethod"}, {0x6E, "SetFillMode"}, {0x6F, "SetFont"}, {0x70, "SetLineDash"},
    {0x71, "SetLineCap"}, {0x72, "SetLineJoin"}, {0x73, "SetMiterLimit"},
    {0x74, "SetPageDefaultCTM"}, {0x75, "SetPageOrigin"}, {0x76, "SetPageRotation"},
    {0x77, "SetPageScale"}, {0x78, "SetPaintTxMode"}, {0x79, "SetPenSource"},
    {0x7A, "SetPenWidth"}, {0x7B, "SetROP"}, {0x7C, "SetSourceTxMode"},
    {0x7D, "SetCharBoldValue"}, {0x7E, "SetNeutralAxis"}, {0x7F, "SetClipMode"},
    {0x80, "SetPathToClip"}, {0x81, "SetCharSubMode"}, {0x82, "BeginUserDefinedLineCap"},
    {0x83, "EndUserDefinedLineCap"}, {0x84, "CloseSubPath"}, {0x85, "NewPath"},
    {0x86, "PaintPath"}, {0x91, "ArcPath"}, {0x92, "SetColorTrapping"}, {0x93, "BezierPath"},
    {0x94, "SetAdaptiveHalftoning"}, {0x95, "BezierRelPath"}, {0x96, "Chord"},
    {0x97, "ChordPath"}, {0x98, "Ellipse"}, {0x99, "EllipsePath"}, {0x9B, "LinePath"},
    {0x9D, "LineRelPath"}, {0x9E, "Pie"}, {0x9F, "PiePath"}, {0xA0, "Rectangle"},
    {0xA1, "RectanglePath"}, {0xA2, "RoundRectangle"}, {0xA3, "RoundRectanglePath"},
    {0xA8, "Text"}, {0xA9, "TextPath"}, {0xAA, "Op_AA"}, {0xB0, "BeginImage"},
    {0xB1, "ReadImage"}, {0xB2, "EndImage"}, {0xB3, "BeginRastPattern"},
    {0xB4, "ReadRastPattern"}, {0xB5, "EndRastPattern"}, {0xB6, "BeginScan"}, {0xB8, "EndScan"},
    {0xB9, "ScanLineRel"},
};

const char* FindOperatorName(uint8_t tag) {
  for (const OpName& o : kOperators) {
    if (o.tag == tag) return o.name;
  }
  return nullptr;
}

// Attribute identifiers with the shapes and base types their values may take.
enum : uint8_t { S = 1, X = 2, B = 4, A = 8 };
enum : uint8_t { UB = 1, US = 2, UL = 4, SS = 8, SL = 16, RL = 32 };

struct AttrSpec {
  uint16_t id;
  const char* name;
  uint8_t shapes;
  uint8_t bases;
};

const AttrSpec kAttributes[] = {
    {2, "PaletteDepth", S, UB},
    {3, "ColorSpace", S, UB},
    {4, "NullBrush", S, UB},
    {5, "NullPen", S, UB},
    {6, "PaletteData", A, UB | US},
    {8, "PatternSelectID", S, SS},
    {9, "GrayLevel", S, UB | RL},
    {11, "RGBColor", A, UB | RL},
    {12, "PatternOrigin", X, SS},
    {13, "NewDestinationSize", X, US},
    {36, "MediaDestination", S | A, UB},
    {37, "MediaSize", S | A, UB},
    {38, "MediaSource", S, UB},
    {39, "MediaType", A, UB},
    {40, "Orientation", S, UB},
    {41, "PageAngle", S, SS | US | RL},
    {42, "PageOrigin", X, UB | US | SS | RL},
    {43, "PageScale", X, UB | US | RL},
    {44, "ROP3", S, UB},
    {45, "TxMode", S, UB},
    {47, "CustomMediaSize", X, US | RL},
    {48, "CustomMediaSizeUnits", S, UB},
    {49, "PageCopies", S, US},
    {52, "SimplexPageMode", S, UB},
    {53, "DuplexPageMode", S, UB},
    {54, "DuplexPageSide", S, UB},
    {65, "ArcDirection", S, UB},
    {66, "BoundingBox", B, UB | US | SS | RL},
    {67, "DashOffset", S, UB | US | SS | RL},
    {68, "EllipseDimension", X, UB | US | RL},
    {69, "EndPoint", X, UB | US | SS | RL},
    {70, "FillMode", S, UB},
    {71, "LineCapStyle", S, UB},
    {72, "LineJoinStyle", S, UB},
    {73, "MiterLength", S, UB | US | RL},
    {74, "LineDashStyle", A, UB | US | SS | RL},
    {75, "PenWidth", S, UB | US | RL},
    {76, "Point", X, UB | US | SS | RL},
    {77, "NumberOfPoints", S, UB | US},
    {78, "SolidLine", S, UB},
    {79, "StartPoint", X, UB | US | SS | RL},
    {80, "PointType", S, UB},
    {81, "ControlPoint1", X, UB | US | SS | RL},
    {82, "ControlPoint2", X, UB | US | SS | RL},
    {83, "ClipRegion", S, UB},
    {84, "ClipMode", S, UB},
    {98, "ColorDepth", S, UB},
    {99, "BlockHeight", S, US},
    {100, "ColorMapping", S, UB},
    {101, "CompressMode", S, UB},
    {102, "DestinationBox", B, US},
    {103, "DestinationSize", X, US},
    {104, "PatternPersistence", S, UB},
    {105, "PatternDefineID", S, SS},
    {107, "SourceHeight", S, US},
    {108, "SourceWidth", S, US},
    {109, "StartLine", S, US},
    {110, "PadBytesMultiple", S, UB},
    {111, "BlockByteLength", S, UL},
    {115, "NumberOfScanLines", S, US},
    {129, "CommentData", A, UB | US},
    {130, "DataOrg", S, UB},
    {134, "Measure", S, UB},
    {136, "SourceType", S, UB},
    {137, "UnitsPerMeasure", X, US | RL},
    {139, "StreamName", A, UB | US},
    {140, "StreamDataLength", S, UL},
    {143, "ErrorReport", S, UB},
    {145, "VUExtension", S, UL},
    {161, "CharAngle", S, SS | US | RL},
    {162, "CharCode", S, UB | US},
    {163, "CharDataSize", S, UB | US | UL},
    {164, "CharScale", X, UB | US | RL},
    {165, "CharShear", X, UB | US | SS | RL},
    {166, "CharSize", S, UB | US | RL},
    {167, "FontHeaderLength", S, UB | US},
    {168, "FontName", A, UB | US},
    {169, "FontFormat", S, UB},
    {170, "SymbolSet", S, US},
    {171, "TextData", A, UB | US},
    {172, "CharSubModeArray", A, UB},
    {173, "WritingMode", S, UB},
    {175, "XSpacingData", A, UB | US | SS},
    {176, "YSpacingData", A, UB | US | SS},
    {177, "CharBoldValue", S, RL},
};

const AttrSpec* FindAttr(uint16_t id) {
  for (const AttrSpec& a : kAttributes) {
    if (a.id == id) return &a;
  }
  return nullptr;
}

// Attribute ids used below.
enum : uint16_t {
  kColorSpace = 3, kNullBrush = 4, kNullPen = 5, kPatternSelectID = 8, kGrayLevel = 9,
  kRGBColor = 11, kMediaSize = 37, kOrientation = 40, kPageAngle = 41, kPageOrigin = 42,
  kPageScale = 43, kROP3 = 44, kTxMode = 45, kCustomMediaSize = 47, kBoundingBox = 66,
  kEndPoint = 69, kFillMode = 70, kLineCapStyle = 71, kLineJoinStyle = 72,
  kLineDashStyle = 74, kPenWidth = 75, kPoint = 76, kNumberOfPoints = 77, kSolidLine = 78,
  kPointType = 80, kClipRegion = 83, kClipMode = 84, kColorDepth = 98, kBlockHeight = 99,
  kColorMapping = 100, kCompressMode = 101, kDestinationSize = 103,
  kPatternPersistence = 104, kPatternDefineID = 105, kSourceHeight = 107,
  kSourceWidth = 108, kStartLine = 109, kPadBytesMultiple = 110, kDataOrg = 130,
  kMeasure = 134, kSourceType = 136, kUnitsPerMeasure = 137, kStreamName = 139,
  kStreamDataLength = 140, kCharAngle = 161, kCharCode = 162, kCharDataSize = 163,
  kCharScale = 164, kCharShear = 165, kCharSize = 166, kFontHeaderLength = 167,
  kFontName = 168, kFontFormat = 169, kSymbolSet = 170, kTextData = 171,
  kXSpacingData = 175, kYSpacingData = 176, kCharBoldValue = 177,
};

struct Required {
  uint8_t tag;
  uint16_t ids[7];
};

// Attributes an operator cannot do without (alternatives are checked in
// the operator's own rule).
const Required kRequired[] = {
    {0x41, {kMeasure, kUnitsPerMeasure}},
    {0x43, {kOrientation}},
    {0x48, {kSourceType, kDataOrg}},
    {0x4F, {kFontName, kFontFormat}},
    {0x50, {kFontHeaderLength}},
    {0x52, {kFontName}},
    {0x53, {kCharCode, kCharDataSize}},
    {0x55, {kFontName}},
    {0x5B, {kStreamName}},
    {0x5C, {kStreamDataLength}},
    {0x5E, {kStreamName}},
    {0x5F, {kStreamName}},
    {0x62, {kClipRegion}},
    {0x64, {kCharAngle}},
    {0x65, {kCharScale}},
    {0x66, {kCharShear}},
    {0x67, {kClipRegion}},
    {0x68, {kClipRegion, kBoundingBox}},
    {0x6A, {kColorSpace}},
    {0x6B, {kPoint}},
    {0x6C, {kPoint}},
    {0x6E, {kFillMode}},
    {0x6F, {kFontName, kCharSize, kSymbolSet}},
    {0x71, {kLineCapStyle}},
    {0x72, {kLineJoinStyle}},
    {0x75, {kPageOrigin}},
    {0x76, {kPageAngle}},
    {0x77, {kPageScale}},
    {0x78, {kTxMode}},
    {0x7A, {kPenWidth}},
    {0x7B, {kROP3}},
    {0x7C, {kTxMode}},
    {0x7D, {kCharBoldValue}},
    {0x7F, {kClipMode}},
    {0xA0, {kBoundingBox}},
    {0xA1, {kBoundingBox}},
    {0xA8, {kTextData}},
    {0xB0, {kColorMapping, kColorDepth, kSourceWidth, kSourceHeight, kDestinationSize}},
    {0xB1, {kStartLine, kBlockHeight, kCompressMode}},
    {0xB3, {kColorMapping, kColorDepth, kSourceWidth, kSourceHeight, kDestinationSize,
            kPatternDefineID, kPatternPersistence}},
    {0xB4, {kStartLine, kBlockHeight, kCompressMode}},
};

struct TypeInfo {
  Base base;
  Shape shape;
  uint32_t elementSize;
  bool valid;
};

TypeInfo TypeOfTag(uint8_t tag) {
  static const Base kBases[6] = {Base::UByte, Base::UInt16, Base::UInt32,
                                 Base::SInt16, Base::SInt32, Base::Real32};
  static const uint32_t kSizes[6] = {1, 2, 4, 2, 4, 4};
  uint32_t low = tag & 0x0F;
  Shape shape;
  switch (tag & 0xF8) {
    case 0xC0: shape = Shape::Scalar; break;
    case 0xC8: shape = Shape::Array; low -= 8; break;
    case 0xD0: shape = Shape::XY; break;
    case 0xE0: shape = Shape::Box; break;
    default: return {Base::UByte, Shape::Scalar, 0, false};
  }
  if (low > 5) return {Base::UByte, Shape::Scalar, 0, false};
  return {kBases[low], shape, kSizes[low], true};
}

uint8_t BaseBit(Base b) { return static_cast<uint8_t>(1u << static_cast<uint32_t>(b)); }
uint8_t ShapeBit(Shape s) { return static_cast<uint8_t>(1u << static_cast<uint32_t>(s)); }

bool IsWhitespace(uint8_t b) { return b == 0 || (b >= 9 && b <= 13) || b == 32; }

constexpr char kUel[] = "\x1B%-12345X";
constexpr size_t kUelLength = 9;
constexpr char kHeaderStart[] = ") HP-PCL XL;";
constexpr int kMaxStreamDepth = 4;  // user streams defined inside user streams

enum class Block { None, FontHeader, Char, Image, Pattern, Stream, Scan };

const char* BlockName(Block b) {
  switch (b) {
    case Block::FontHeader: return "font header";
    case Block::Char: return "character";
    case Block::Image: return "image";
    case Block::Pattern: return "raster pattern";
    case Block::Stream: return "stream";
    case Block::Scan: return "scan";
    default: return "no";
  }
}

// The block an operator reads into or ends, or None.
Block BlockOf(uint8_t tag) {
  switch (tag) {
    case 0x50: case 0x51: return Block::FontHeader;
    case 0x53: case 0x54: return Block::Char;
    case 0x5C: case 0x5D: return Block::Stream;
    case 0xB1: case 0xB2: return Block::Image;
    case 0xB4: case 0xB5: return Block::Pattern;
    case 0xB8: case 0xB9: return Block::Scan;
    default: return Block::None;
  }
}

// ---------------------------------------------------------------------
// Parser

class Parser {
 public:
  Parser(const uint8_t* data, size_t size, const Options& options, Dissection* out, int depth)
      : p_(data), size_(size), options_(options), out_(out), depth_(depth) {
    session_ = options.start != Context::Outside;
    page_ = options.start == Context::Page;
    dataSource_ = options.dataSourceOpen;
  }

  void Run() {
    if (!ReadHeader()) return;
    while (pos_ < size_) {
      uint8_t b = p_[pos_];
      if (IsWhitespace(b) && options_.allowWhitespace) {
        ++pos_;
        continue;
      }
      if (b == 0x1B) {
        if (!ReadExit()) return;
        break;
      }
      TypeInfo type = TypeOfTag(b);
      if (type.valid) {
        if (!ReadValue(type)) return;
      } else if (b == 0xF8 || b == 0xF9) {
        if (!ReadAttributeId()) return;
      } else if (b == 0xFA || b == 0xFB) {
        Error(pos_, "embedded data that follows no operator");
        return;
      } else if (FindOperatorName(b) != nullptr) {
        if (!ReadOperator()) return;
      } else {
        Error(pos_, "bad tag 0x%02X", b);
        return;
      }
    }
    if (!CheckEnd()) return;
    out_->ok = true;
  }

 private:
  bool Error(size_t offset, const char* format, ...) __attribute__((format(XL_PRINTF_FORMAT, 3, 4))) {
    char text[300];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    char prefix[40];
    std::snprintf(prefix, sizeof(prefix), "offset 0x%zX: ", offset);
    out_->error = std::string(prefix) + text;
    out_->errorOffset = offset;
    out_->ok = false;
    return false;
  }

  bool ReadHeader() {
    if (options_.skipToHeader) {
      const char* found = nullptr;
      size_t n = std::strlen(kHeaderStart);
      for (size_t i = 0; i + n <= size_; ++i) {
        if (std::memcmp(p_ + i, kHeaderStart, n) == 0) {
          found = reinterpret_cast<const char*>(p_ + i);
          break;
        }
      }
      if (found == nullptr) return Error(0, "no stream header line");
      pos_ = reinterpret_cast<const uint8_t*>(found) - p_;
      out_->prefix.assign(reinterpret_cast<const char*>(p_), pos_);
    }
    if (!options_.header) return true;
    size_t start = pos_;
    size_t end = start;
    while (end < size_ && end - start < 256 && p_[end] != '\n') ++end;
    if (end >= size_ || p_[end] != '\n') return Error(start, "stream header line not ended");
    std::string line(reinterpret_cast<const char*>(p_ + start), end - start);
    if (line.size() >= 1 && line[0] == '(') {
      return Error(start, "big-endian binding is not supported: \"%s\"", line.c_str());
    }
    if (line.compare(0, std::strlen(kHeaderStart), kHeaderStart) != 0) {
      return Error(start, "not a binary low-byte-first stream header: \"%s\"", line.c_str());
    }
    // protocol ";" revision, then an optional ";" and comment
    size_t i = std::strlen(kHeaderStart);
    size_t digits = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i, ++digits;
    bool good = digits > 0 && i < line.size() && line[i] == ';';
    if (good) {
      ++i;
      digits = 0;
      while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i, ++digits;
      good = digits > 0 && (i == line.size() || line[i] == ';');
    }
    if (!good) return Error(start, "malformed stream header \"%s\"", line.c_str());
    out_->header = line;
    pos_ = end + 1;
    return true;
  }

  bool ReadExit() {
    if (size_ - pos_ < kUelLength || std::memcmp(p_ + pos_, kUel, kUelLength) != 0) {
      return Error(pos_, "bad tag 0x1B");
    }
    if (options_.start != Context::Outside || session_ || havePending_ || !attrs_.empty()) {
      return Error(pos_, "universal exit inside an open session");
    }
    out_->suffix.assign(reinterpret_cast<const char*>(p_ + pos_), size_ - pos_);
    pos_ = size_;
    return true;
  }

  bool Need(size_t n, size_t at, const char* what) {
    if (size_ - pos_ < n) {
      return Error(at, "%s needs %zu bytes, %zu left", what, n, size_ - pos_);
    }
    return true;
  }

  uint32_t U16(size_t at) const { return p_[at] | (p_[at + 1] << 8); }
  uint32_t U32(size_t at) const {
    return p_[at] | (p_[at + 1] << 8) | (p_[at + 2] << 16) |
           (static_cast<uint32_t>(p_[at + 3]) << 24);
  }

  double Element(Base base, size_t at) const {
    switch (base) {
      case Base::UByte: return p_[at];
      case Base::UInt16: return U16(at);
      case Base::UInt32: return U32(at);
      case Base::SInt16: return static_cast<int16_t>(U16(at));
      case Base::SInt32: return static_cast<int32_t>(U32(at));
      case Base::Real32: {
        uint32_t bits = U32(at);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
      }
    }
    return 0;
  }

  bool ReadValue(const TypeInfo& type) {
    size_t at = pos_;
    if (havePending_) {
      return Error(at, "a value follows a value that has no attribute identifier");
    }
    Value v;
    v.tag = p_[pos_++];
    v.base = type.base;
    v.shape = type.shape;
    size_t count = 1;
    if (type.shape == Shape::XY) count = 2;
    if (type.shape == Shape::Box) count = 4;
    if (type.shape == Shape::Array) {
      if (!Need(1, at, "array length")) return false;
      uint8_t lengthTag = p_[pos_++];
      if (lengthTag == 0xC0) {
        if (!Need(1, at, "array length")) return false;
        count = p_[pos_++];
      } else if (lengthTag == 0xC1) {
        if (!Need(2, at, "array length")) return false;
        count = U16(pos_);
        pos_ += 2;
      } else {
        return Error(at, "array length has type tag 0x%02X (ubyte or uint16 expected)",
                     lengthTag);
      }
    }
    size_t bytes = count * type.elementSize;
    if (!Need(bytes, at, ("value " + v.TypeName()).c_str())) return false;
    for (size_t i = 0; i < count; ++i) {
      v.items.push_back(Element(type.base, pos_ + i * type.elementSize));
    }
    pos_ += bytes;
    pending_ = std::move(v);
    pendingOffset_ = at;
    havePending_ = true;
    return true;
  }

  bool ReadAttributeId() {
    size_t at = pos_;
    uint16_t id;
    if (p_[pos_] == 0xF8) {
      if (!Need(2, at, "attribute identifier")) return false;
      id = p_[pos_ + 1];
      pos_ += 2;
    } else {
      if (!Need(3, at, "attribute identifier")) return false;
      id = static_cast<uint16_t>(U16(pos_ + 1));
      pos_ += 3;
    }
    if (!havePending_) return Error(at, "attribute identifier %u has no value", id);
    for (const Attribute& a : attrs_) {
      if (a.id == id) return Error(at, "attribute %s given twice", AttrLabel(id).c_str());
    }
    Attribute a;
    a.id = id;
    a.value = std::move(pending_);
    attrs_.push_back(std::move(a));
    havePending_ = false;
    return true;
  }

  static std::string AttrLabel(uint16_t id) {
    const char* name = AttributeName(id);
    return name ? std::string(name) : "#" + std::to_string(id);
  }

  bool ReadOperator() {
    size_t at = pos_;
    Operator op;
    op.offset = at;
    op.tag = p_[pos_++];
    op.name = FindOperatorName(op.tag);
    if (havePending_) {
      return Error(pendingOffset_, "a value before %s has no attribute identifier",
                   op.name.c_str());
    }
    op.attributes = std::move(attrs_);
    attrs_.clear();
    if (pos_ < size_ && (p_[pos_] == 0xFA || p_[pos_] == 0xFB)) {
      size_t dataAt = pos_;
      size_t length;
      op.dataTag = p_[pos_];
      if (op.dataTag == 0xFB) {
        if (!Need(2, dataAt, "embedded data length")) return false;
        length = p_[pos_ + 1];
        pos_ += 2;
      } else {
        if (!Need(5, dataAt, "embedded data length")) return false;
        length = U32(pos_ + 1);
        pos_ += 5;
      }
      if (size_ - pos_ < length) {
        return Error(dataAt, "embedded data of %zu bytes after %s, only %zu left", length,
                     op.name.c_str(), size_ - pos_);
      }
      op.hasData = true;
      op.data.assign(p_ + pos_, p_ + pos_ + length);
      pos_ += length;
    }
    if (!CheckOperator(op)) return false;
    out_->ops.push_back(std::move(op));
    return true;
  }

  // --- operator rules ---------------------------------------------------

  bool CheckTypes(const Operator& op) {
    for (const Attribute& a : op.attributes) {
      const AttrSpec* spec = FindAttr(a.id);
      if (spec == nullptr) {
        if (op.tag == 0x46) continue;  // vendor operators carry their own attributes
        return Error(op.offset, "%s carries unknown attribute %u", op.name.c_str(), a.id);
      }
      if (!(spec->shapes & ShapeBit(a.value.shape)) || !(spec->bases & BaseBit(a.value.base))) {
        return Error(op.offset, "attribute %s of %s has the wrong type %s", spec->name,
                     op.name.c_str(), a.value.TypeName().c_str());
      }
    }
    for (const Required& r : kRequired) {
      if (r.tag != op.tag) continue;
      for (uint16_t id : r.ids) {
        if (id != 0 && op.Find(id) == nullptr) {
          return Error(op.offset, "%s lacks attribute %s", op.name.c_str(), AttrLabel(id).c_str());
        }
      }
    }
    return true;
  }

  bool CheckContext(const Operator& op) {
    const char* name = op.name.c_str();
    Block own = BlockOf(op.tag);
    if (block_ != Block::None && own != block_) {
      return Error(op.offset, "%s inside a %s block", name, BlockName(block_));
    }
    if (block_ == Block::None && own != Block::None) {
      return Error(op.offset, "%s outside a %s block", name, BlockName(own));
    }
    if (own != Block::None) return true;
    switch (op.tag) {
      case 0x41:
        if (session_) return Error(op.offset, "BeginSession inside a session");
        return true;
      case 0x42:
        if (!session_) return Error(op.offset, "EndSession outside a session");
        if (page_) return Error(op.offset, "EndSession inside a page");
        if (dataSource_) return Error(op.offset, "EndSession with the data source open");
        return true;
      case 0x43:
        if (!session_) return Error(op.offset, "BeginPage outside a session");
        if (page_) return Error(op.offset, "BeginPage inside a page");
        if (!dataSource_) return Error(op.offset, "BeginPage without an open data source");
        return true;
      case 0x44:
        if (!page_) return Error(op.offset, "EndPage outside a page");
        return true;
      case 0x48:
        if (!session_) return Error(op.offset, "OpenDataSource outside a session");
        if (dataSource_) return Error(op.offset, "OpenDataSource with the data source open");
        if (page_) return Error(op.offset, "OpenDataSource inside a page");
        return true;
      case 0x49:
        if (!dataSource_) return Error(op.offset, "CloseDataSource without an open data source");
        if (page_) return Error(op.offset, "CloseDataSource inside a page");
        return true;
      // Operators of the session, inside or outside a page.
      case 0x46: case 0x47: case 0x4A: case 0x4B: case 0x4C: case 0x4F: case 0x52:
      case 0x55: case 0x5B: case 0x5F: case 0xB3:
        if (!session_) return Error(op.offset, "%s outside a session", name);
        return true;
      default:
        if (!page_) return Error(op.offset, "%s outside a page", name);
        return true;
    }
  }

  // The data that an operator must or may carry, and its length.
  bool CheckData(const Operator& op) {
    const char* name = op.name.c_str();
    bool needs = false;
    bool may = false;
    switch (op.tag) {
      case 0x50: case 0x53: case 0x5C: case 0xB1: case 0xB4: case 0xB9:
        needs = true;
        break;
      case 0x93: case 0x95: case 0x9B: case 0x9D:
        needs = op.Find(kNumberOfPoints) != nullptr;
        break;
      case 0x46: case 0x47:
        may = true;
        break;
      default:
        break;
    }
    if (needs && !op.hasData) return Error(op.offset, "%s lacks its embedded data", name);
    if (!needs && !may && op.hasData) {
      return Error(op.offset, "%s is followed by embedded data it does not take", name);
    }
    if (op.hasData && !dataSource_) {
      return Error(op.offset, "%s reads embedded data with no open data source", name);
    }
    size_t length = op.data.size();
    auto expect = [&](double announced, const char* attr) {
      if (announced != static_cast<double>(length)) {
        return Error(op.offset, "%s announces %s %.0f but carries %zu bytes", name, attr,
                     announced, length);
      }
      return true;
    };
    switch (op.tag) {
      case 0x50: return expect(op.Number(kFontHeaderLength), "FontHeaderLength");
      case 0x53: return expect(op.Number(kCharDataSize), "CharDataSize");
      case 0x5C: return expect(op.Number(kStreamDataLength), "StreamDataLength");
      case 0x93: case 0x95: case 0x9B: case 0x9D: {
        if (!needs) {
          if (op.tag == 0x9B && op.Find(kEndPoint) == nullptr) {
            return Error(op.offset, "LinePath has neither EndPoint nor NumberOfPoints");
          }
          return true;
        }
        const Attribute* type = op.Find(kPointType);
        if (type == nullptr) return Error(op.offset, "%s lacks attribute PointType", name);
        double t = type->value.items[0];
        size_t bytes = (t == 0 || t == 1) ? 1 : (t == 2 || t == 3) ? 2 : 0;
        if (bytes == 0) return Error(op.offset, "%s has PointType %.0f", name, t);
        double n = op.Number(kNumberOfPoints);
        if ((op.tag == 0x93 || op.tag == 0x95) && std::fmod(n, 3) != 0) {
          return Error(op.offset, "%s has %.0f points, not whole curves", name, n);
        }
        return expect(n * 2 * bytes, "NumberOfPoints x point size");
      }
      default:
        return true;
    }
  }

  uint32_t ComponentsOf(double mapping) const {
    if (mapping == 1) return 1;  // indexed: one palette index per pixel
    return (colorSpace_ == 2 || colorSpace_ == 6) ? 3 : 1;
  }

  bool BeginBitmap(const Operator& op, Block kind) {
    double mapping = op.Number(kColorMapping);
    double depth = op.Number(kColorDepth);
    if (mapping != 0 && mapping != 1) {
      return Error(op.offset, "%s has ColorMapping %.0f", op.name.c_str(), mapping);
    }
    uint32_t bits = depth == 0 ? 1 : depth == 1 ? 4 : depth == 2 ? 8 : 0;
    if (bits == 0) return Error(op.offset, "%s has ColorDepth %.0f", op.name.c_str(), depth);
    uint64_t width = static_cast<uint64_t>(op.Number(kSourceWidth));
    uint64_t height = static_cast<uint64_t>(op.Number(kSourceHeight));
    if (width == 0 || height == 0) {
      return Error(op.offset, "%s of %llu x %llu pixels", op.name.c_str(),
                   static_cast<unsigned long long>(width), static_cast<unsigned long long>(height));
    }
    rowBytes_ = static_cast<uint32_t>((width * bits * ComponentsOf(mapping) + 7) / 8);
    height_ = static_cast<uint32_t>(height);
    rowsDone_ = 0;
    seed_.assign(rowBytes_, 0);
    block_ = kind;
    return true;
  }

  bool ReadBitmap(Operator& op) {
    const char* name = op.name.c_str();
    double start = op.Number(kStartLine);
    double block = op.Number(kBlockHeight);
    double mode = op.Number(kCompressMode);
    if (start != rowsDone_) {
      return Error(op.offset, "%s starts at line %.0f after %u rows", name, start, rowsDone_);
    }
    if (start + block > height_) {
      return Error(op.offset, "%s reaches line %.0f of %u", name, start + block, height_);
    }
    uint32_t rows = static_cast<uint32_t>(block);
    double padMultiple = op.Find(kPadBytesMultiple) ? op.Number(kPadBytesMultiple) : 4;
    if (padMultiple < 1 || padMultiple > 4) {
      return Error(op.offset, "%s has PadBytesMultiple %.0f", name, padMultiple);
    }
    uint32_t pad = static_cast<uint32_t>(padMultiple);
    uint32_t padded = (rowBytes_ + pad - 1) / pad * pad;
    std::string error;
    bool good = true;
    if (mode == 0) {
      size_t want = static_cast<size_t>(padded) * rows;
      if (op.data.size() != want) {
        return Error(op.offset, "%s of %u uncompressed rows carries %zu bytes, %zu expected",
                     name, rows, op.data.size(), want);
      }
      op.rows.clear();
      for (uint32_t r = 0; r < rows; ++r) {
        const uint8_t* row = op.data.data() + static_cast<size_t>(r) * padded;
        op.rows.insert(op.rows.end(), row, row + rowBytes_);
      }
    } else if (mode == 1) {
      good = DecodePackBits(op.data.data(), op.data.size(), rowBytes_, padded, rows, &op.rows,
                            &error);
    } else if (mode == 3) {
      good = DecodeDeltaRows(op.data.data(), op.data.size(), rowBytes_, rows, &seed_, &op.rows,
                             &error);
    } else if (mode == 2) {
      if (op.data.size() < 4 || op.data[0] != 0xFF || op.data[1] != 0xD8) {
        return Error(op.offset, "%s with JPEG compression does not start a JPEG image", name);
      }
      if (options_.decodeJpeg) {
        // A JPEG block holds whole images: decoded by an outside decoder.
        uint32_t w = 0, h = 0, components = 0;
        std::vector<uint8_t> pixels;
        if (!DecodeJpeg(op.data.data(), op.data.size(), &w, &h, &components, &pixels, &error)) {
          return Error(op.offset, "%s: JPEG block does not decode: %s", name, error.c_str());
        }
        if (w * components != rowBytes_ || h != rows) {
          return Error(op.offset, "%s: JPEG image of %u x %u x %u for rows of %u bytes, %u rows", name, w, h,
                       components, rowBytes_, rows);
        }
        op.rows = std::move(pixels);
        op.rowBytes = rowBytes_;
        op.rowCount = rows;
      }
      rowsDone_ += rows;
      return true;
    } else {
      return Error(op.offset, "%s has CompressMode %.0f", name, mode);
    }
    if (!good) return Error(op.offset, "%s: %s", name, error.c_str());
    op.rowBytes = rowBytes_;
    op.rowCount = rows;
    if (rows != 0) seed_.assign(op.rows.end() - rowBytes_, op.rows.end());
    rowsDone_ += rows;
    return true;
  }

  bool EndBitmap(const Operator& op) {
    if (rowsDone_ != height_) {
      return Error(op.offset, "%s after %u of %u rows", op.name.c_str(), rowsDone_, height_);
    }
    block_ = Block::None;
    return true;
  }

  bool CheckOperator(Operator& op) {
    if (!CheckContext(op) || !CheckTypes(op) || !CheckData(op)) return false;
    const char* name = op.name.c_str();
    switch (op.tag) {
      case 0x41:
        session_ = true;
        return true;
      case 0x42:
        session_ = false;
        return true;
      case 0x43:
        if (op.Find(kMediaSize) == nullptr && op.Find(kCustomMediaSize) == nullptr) {
          return Error(op.offset, "BeginPage has neither MediaSize nor CustomMediaSize");
        }
        page_ = true;
        colorSpace_ = 1;  // gray until the page sets a colour space
        gsStack_.clear();
        return true;
      case 0x44:
        page_ = false;
        return true;
      case 0x48:
        dataSource_ = true;
        return true;
      case 0x49:
        dataSource_ = false;
        return true;
      case 0x4F: block_ = Block::FontHeader; return true;
      case 0x51: block_ = Block::None; return true;
      case 0x52: block_ = Block::Char; return true;
      case 0x54: block_ = Block::None; return true;
      case 0x5B:
        block_ = Block::Stream;
        streamName_ = op.Find(kStreamName)->value.Text();
        streamData_.clear();
        return true;
      case 0x5C:
        streamData_.insert(streamData_.end(), op.data.begin(), op.data.end());
        return true;
      case 0x5D: {
        block_ = Block::None;
        Options nested;
        nested.start = Context::Page;
        nested.dataSourceOpen = true;
        nested.allowWhitespace = options_.allowWhitespace;
        if (depth_ >= kMaxStreamDepth) {
          return Error(op.offset, "stream \"%s\" defined inside %d levels of streams",
                       streamName_.c_str(), depth_);
        }
        Dissection d;
        Parser inner(streamData_.data(), streamData_.size(), nested, &d, depth_ + 1);
        inner.Run();
        if (!d.ok) {
          return Error(op.offset, "in stream \"%s\": %s", streamName_.c_str(), d.error.c_str());
        }
        op.streamOps = std::move(d.ops);
        definedStreams_.push_back(streamName_);
        return true;
      }
      case 0x5E: case 0x5F: {
        if (options_.start != Context::Outside) return true;  // defined elsewhere
        std::string stream = op.Find(kStreamName)->value.Text();
        auto found = std::find(definedStreams_.begin(), definedStreams_.end(), stream);
        if (found == definedStreams_.end()) {
          return Error(op.offset, "%s of undefined stream \"%s\"", name, stream.c_str());
        }
        if (op.tag == 0x5F) definedStreams_.erase(found);
        return true;
      }
      case 0x60:
        if (gsStack_.empty()) return Error(op.offset, "PopGS without PushGS");
        colorSpace_ = gsStack_.back();
        gsStack_.pop_back();
        return true;
      case 0x61:
        gsStack_.push_back(colorSpace_);
        return true;
      case 0x63: case 0x79: {
        uint16_t nullId = op.tag == 0x63 ? kNullBrush : kNullPen;
        int sources = 0;
        const uint16_t ids[] = {nullId, kGrayLevel, kRGBColor, kPatternSelectID};
        for (uint16_t id : ids) {
          sources += op.Find(id) != nullptr;
        }
        if (sources != 1) {
          return Error(op.offset, "%s names %d sources, one expected", name, sources);
        }
        const Attribute* rgb = op.Find(kRGBColor);
        if (rgb && rgb->value.items.size() != 3) {
          return Error(op.offset, "%s has an RGBColor of %zu items", name, rgb->value.items.size());
        }
        return true;
      }
      case 0x6A:
        colorSpace_ = static_cast<uint8_t>(op.Number(kColorSpace));
        return true;
      case 0x70:
        if ((op.Find(kLineDashStyle) != nullptr) == (op.Find(kSolidLine) != nullptr)) {
          return Error(op.offset, "SetLineDash needs exactly one of LineDashStyle and SolidLine");
        }
        return true;
      case 0xA8: {
        size_t count = op.Find(kTextData)->value.items.size();
        for (uint16_t id : {kXSpacingData, kYSpacingData}) {
          const Attribute* a = op.Find(id);
          if (a && a->value.items.size() != count) {
            return Error(op.offset, "Text of %zu characters has %s of %zu items", count,
                         AttributeName(id), a->value.items.size());
          }
        }
        return true;
      }
      case 0xB0: return BeginBitmap(op, Block::Image);
      case 0xB3: return BeginBitmap(op, Block::Pattern);
      case 0xB1: case 0xB4: return ReadBitmap(op);
      case 0xB2: case 0xB5: return EndBitmap(op);
      case 0xB6: block_ = Block::Scan; return true;
      case 0xB8: block_ = Block::None; return true;
      default:
        return true;
    }
  }

  bool CheckEnd() {
    if (havePending_ || !attrs_.empty()) {
      return Error(havePending_ ? pendingOffset_ : size_,
                   "attributes at the end without an operator");
    }
    if (block_ != Block::None) {
      return Error(size_, "stream ends inside a %s block", BlockName(block_));
    }
    Context now = !session_ ? Context::Outside : page_ ? Context::Page : Context::Session;
    Context end = options_.end ? *options_.end : options_.start;
    if (now != end) {
      static const char* const kWhere[] = {"outside a session", "inside a session",
                                           "inside a page"};
      return Error(size_, "stream ends %s, expected %s", kWhere[static_cast<int>(now)],
                   kWhere[static_cast<int>(end)]);
    }
    return true;
  }

  const uint8_t* p_;
  size_t size_;
  size_t pos_ = 0;
  Options options_;
  Dissection* out_;
  int depth_;  // user streams around this one
  bool session_ = false;
  bool page_ = false;
  bool dataSource_ = false;
  Block block_ = Block::None;
  std::vector<Attribute> attrs_;
  Value pending_;
  bool havePending_ = false;
  size_t pendingOffset_ = 0;
  uint8_t colorSpace_ = 1;
  std::vector<uint8_t> gsStack_;
  uint32_t rowBytes_ = 0;
  uint32_t height_ = 0;
  uint32_t rowsDone_ = 0;
  std::vector<uint8_t> seed_;
  std::string streamName_;
  std::vector<uint8_t> streamData_;
  std::vector<std::string> definedStreams_;
};

}  // namespace

std::string Value::TypeName() const {
  static const char* const kBase[] = {"ubyte", "uint16", "uint32", "sint16", "sint32", "real32"};
  static const char* const kShape[] = {"", "_xy", "_box", "_array"};
  return std::string(kBase[static_cast<int>(base)]) + kShape[static_cast<int>(shape)];
}

std::string Value::Text() const {
  std::string s;
  for (double d : items) s.push_back(static_cast<char>(static_cast<uint32_t>(d)));
  return s;
}

const Attribute* Operator::Find(uint16_t id) const {
  for (const Attribute& a : attributes) {
    if (a.id == id) return &a;
  }
  return nullptr;
}

double Operator::Number(uint16_t id, size_t i) const {
  const Attribute* a = Find(id);
  if (a == nullptr || i >= a->value.items.size()) return std::nan("");
  return a->value.items[i];
}

size_t Dissection::Count(const std::string& name) const { return All(name).size(); }

std::vector<const Operator*> Dissection::All(const std::string& name) const {
  std::vector<const Operator*> found;
  for (const Operator& op : ops) {
    if (op.name == name) found.push_back(&op);
  }
  return found;
}

std::vector<std::vector<const Operator*>> Dissection::Pages() const {
  std::vector<std::vector<const Operator*>> pages;
  bool open = false;
  for (const Operator& op : ops) {
    if (op.name == "BeginPage") {
      pages.emplace_back();
      open = true;
    }
    if (open) pages.back().push_back(&op);
    if (op.name == "EndPage") open = false;
  }
  return pages;
}

std::vector<std::string> Dissection::Names() const {
  std::vector<std::string> names;
  for (const Operator& op : ops) names.push_back(op.name);
  return names;
}

Dissection Dissect(const uint8_t* data, size_t size, const Options& options) {
  Dissection d;
  static const uint8_t kEmpty[1] = {0};
  Parser parser(data ? data : kEmpty, data ? size : 0, options, &d, 0);
  parser.Run();
  return d;
}

Dissection Dissect(const std::vector<uint8_t>& bytes, const Options& options) {
  return Dissect(bytes.data(), bytes.size(), options);
}

const char* OperatorName(uint8_t tag) { return FindOperatorName(tag); }

const char* AttributeName(uint16_t id) {
  const AttrSpec* spec = FindAttr(id);
  return spec ? spec->name : nullptr;
}

}  // namespace xl
