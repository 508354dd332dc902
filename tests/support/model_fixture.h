// Description files for the model tests, compiled from text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/qxd/qxd_reader.h"
#include "tools/qxd/qxd_document.h"

namespace modeltest {

inline std::vector<uint8_t> Compile(const std::string& text, qxd::Placement* placement = nullptr) {
  qxd::Document doc;
  std::string error;
  EXPECT_TRUE(qxd::ParseText(text, &doc, &error)) << error;
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(qxd::Build(doc, &bytes, &error, placement)) << error;
  return bytes;
}

// An open description file that closes itself.
class File {
 public:
  explicit File(const std::vector<uint8_t>& bytes) : ctx_(QxdOpenImage(bytes.data(), bytes.size())) {}
  explicit File(const std::string& text) : File(Compile(text)) {}
  ~File() { QxdClose(ctx_); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  QxdContext* get() const { return ctx_; }

 private:
  QxdContext* ctx_;
};

// Layouts of the model's item records, as the text form writes them.
inline const char kPaperLayout[] =
    "  layout id:u32@16 width:u32@24 length:u32@28 maxWidth:u32@32 maxLength:u32@36 "
    "marginLeft:u32@136 marginTop:u32@140 marginRight:u32@144 marginBottom:u32@148 "
    "marginsFlag:u32@288 rotated:u32@440 twoUpKey:str32@448 twoUpValue:u32@480 "
    "halfWidth:u32@484 halfLength:u32@488 twoUpText:str128@492\n";
inline const char kTrayLayout[] = "  layout present:u32@24 note:str128@28\n";

}  // namespace modeltest
