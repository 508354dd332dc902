#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "common/qxd/paper_tables.h"

const ModelBuildEnv kFuzzBuildEnv = {true, 81, true};

std::u16string WideTextOf(const uint8_t* data, size_t size) {
  std::u16string text(size / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return text;
}

std::string NarrowTextOf(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

const std::vector<uint8_t>& SampleModelFile(const char* name) {
  static std::map<std::string, std::vector<uint8_t>> files;
  auto found = files.find(name);
  if (found != files.end()) return found->second;
  const std::string path = std::string(FUZZ_MODEL_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::abort();
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return files.emplace(name, std::move(bytes)).first->second;
}

QxdContext* SampleModelContext() {
  static QxdContext* ctx = [] {
    const std::vector<uint8_t>& bytes = SampleModelFile("VELDRANH.QXD");
    return QxdOpenImage(bytes.data(), bytes.size());
  }();
  return ctx;
}

ModelInfo* SampleModel() {
  static ModelInfo* model = [] {
    ResetInputTrayTable();
    ModelInfo* m = BuildModelInfo(SampleModelContext(), kFuzzBuildEnv);
    if (m == nullptr) std::abort();
    return m;
  }();
  return model;
}
