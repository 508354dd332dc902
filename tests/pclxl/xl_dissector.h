// PCL XL stream dissector for tests.
//
// Parses a binary PCL XL stream (little-endian binding) into its operators
// with their typed attributes and embedded data, and checks it on the way:
// the framing of every tag and value, the data types that each attribute
// may take, the required attributes of the operators, the embedded-data
// lengths that the attributes announce (characters, font headers, streams,
// point lists, image blocks), and the nesting of session, data source,
// page, font header, character, image, raster pattern and stream blocks.
// Image and pattern blocks in run-length (PackBits) and delta-row form are
// decoded back to rows; the content of a user stream is dissected as a
// stream of its own.
//
// Written from the published PCL XL format, independently of the encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xl {

enum class Base : uint8_t { UByte, UInt16, UInt32, SInt16, SInt32, Real32 };
enum class Shape : uint8_t { Scalar, XY, Box, Array };

struct Value {
  uint8_t tag = 0;
  Base base = Base::UByte;
  Shape shape = Shape::Scalar;
  std::vector<double> items;  // 1, 2, 4 or the array's count; exact for every type

  std::string TypeName() const;  // "ubyte", "sint16_xy", "uint16_array", ...
  std::string Text() const;      // the items as characters (ubyte arrays)
};

struct Attribute {
  uint16_t id = 0;
  Value value;
};

struct Operator {
  size_t offset = 0;  // of the operator tag
  uint8_t tag = 0;
  std::string name;
  std::vector<Attribute> attributes;
  bool hasData = false;
  uint8_t dataTag = 0;  // 0xFB (one-byte length) or 0xFA (four-byte length)
  std::vector<uint8_t> data;
  // ReadImage and ReadRastPattern: the block's rows, decoded and without
  // padding (JPEG blocks are not decoded: rowBytes 0).
  uint32_t rowBytes = 0;
  uint32_t rowCount = 0;
  std::vector<uint8_t> rows;
  // EndStream: the operators of the stream that it ends.
  std::vector<Operator> streamOps;

  const Attribute* Find(uint16_t id) const;
  // Item i of an attribute's value; NaN when the attribute is absent.
  double Number(uint16_t id, size_t i = 0) const;
};

// Where a stream or fragment starts.
enum class Context : uint8_t {
  Outside,  // before BeginSession: a whole stream
  Session,  // inside a session, no page open
  Page,     // inside a page (a captured page, the content of a user stream)
};

struct Options {
  bool header = true;          // the stream begins with its header line
  bool skipToHeader = false;   // text before the header line is kept as prefix
  Context start = Context::Outside;
  std::optional<Context> end;  // where it must end; by default where it started
  bool dataSourceOpen = false;  // for fragments that start inside a session
  bool allowWhitespace = false;  // accept the format's white-space bytes
  bool decodeJpeg = false;       // decode JPEG image blocks (libjpeg-turbo's djpeg)
};

struct Dissection {
  bool ok = false;
  std::string error;  // "offset 0x...: what is wrong"
  size_t errorOffset = 0;
  std::string prefix;  // bytes before the header line (skipToHeader)
  std::string header;  // the header line without its line feed
  std::vector<Operator> ops;  // every operator read, up to an error
  std::string suffix;  // bytes after the stream's end (a universal exit)

  size_t Count(const std::string& name) const;
  // The operators with that name, in order.
  std::vector<const Operator*> All(const std::string& name) const;
  // The names of all operators, in order.
  std::vector<std::string> Names() const;
  // The operators of each page: its BeginPage and what lies up to its
  // EndPage.
  std::vector<std::vector<const Operator*>> Pages() const;
};

Dissection Dissect(const uint8_t* data, size_t size, const Options& options = Options());
Dissection Dissect(const std::vector<uint8_t>& bytes, const Options& options = Options());

// One line per operator: its name, then each attribute as
// Name:type=value, then the embedded data; user-stream content indented.
std::string Dump(const Dissection& dissection);
std::string DumpOperator(const Operator& op);

const char* OperatorName(uint8_t tag);    // null for a byte that is no operator
const char* AttributeName(uint16_t id);   // null for an unknown identifier

// Row decoders of the image compression methods.  Both fail (false, with a
// message) on data that does not describe exactly the rows asked for.
// PackBits: `rows` rows of `paddedBytes` bytes each, of which `rowBytes`
// are kept.
bool DecodePackBits(const uint8_t* data, size_t size, uint32_t rowBytes, uint32_t paddedBytes,
                    uint32_t rows, std::vector<uint8_t>* out, std::string* error);
// Delta row: each row is a two-byte length (low byte first) and its
// commands, applied to the seed row (the previous row; all zero before the
// first row of an image).  `seed` holds rowBytes bytes and is updated.
bool DecodeDeltaRows(const uint8_t* data, size_t size, uint32_t rowBytes, uint32_t rows,
                     std::vector<uint8_t>* seed, std::vector<uint8_t>* out, std::string* error);

// Decodes a baseline JPEG image with libjpeg-turbo's djpeg (a program of
// the host system, also run from Windows programs under Wine): its size,
// components (1 gray, 3 RGB) and pixels, top row first.
bool DecodeJpeg(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height, uint32_t* components,
                std::vector<uint8_t>* pixels, std::string* error);

}  // namespace xl
