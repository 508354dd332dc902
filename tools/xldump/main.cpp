// xldump: shows a printer job file as the driver wrote it: each PJL job
// header as text (escape characters shown as <ESC>), the operator listing
// of its PCL XL stream (the project's stream dissector), and the text
// after the stream.
//
// usage: xldump <job file>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/pclxl/xl_dissector.h"

namespace {

void ShowText(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\x1B') {
      line += "<ESC>";
    } else if (c == '\r') {
      continue;
    } else if (c == '\n') {
      std::printf("  %s\n", line.c_str());
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) std::printf("  %s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: xldump <job file>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string start = "\x1B%-12345X@PJL JOB";
  size_t at = all.find(start);
  if (at == std::string::npos) {
    std::printf("no PJL job in %s (%zu bytes)\n", argv[1], all.size());
    return 1;
  }
  int number = 0;
  int failures = 0;
  while (at != std::string::npos) {
    const size_t next = all.find(start, at + 1);
    const std::string part = all.substr(at, next == std::string::npos ? std::string::npos : next - at);
    xl::Options options;
    options.skipToHeader = true;
    const xl::Dissection d = xl::Dissect(reinterpret_cast<const uint8_t*>(part.data()), part.size(), options);
    std::printf("Job %d: %zu bytes\nPJL job header:\n", ++number, part.size());
    ShowText(d.prefix);
    std::printf("PCL XL stream \"%s\":\n", d.header.c_str());
    std::string listing = xl::Dump(d);
    std::printf("%s", listing.c_str());
    if (!d.ok) {
      std::printf("  error: %s\n", d.error.c_str());
      ++failures;
    }
    std::printf("After the stream:\n");
    ShowText(d.suffix);
    at = next;
  }
  return failures ? 1 : 0;
}
