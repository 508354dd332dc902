// qxdtool: compiles description-file text into the binary .QXD form and
// dumps a .QXD file back to text.
//
//   qxdtool compile <text> <qxd>
//   qxdtool compile <text> <overlay text> <qxd>
//                                     (a model that differs from <text> in
//                                     the sections of <overlay text>)
//   qxdtool dump <qxd>                (text to standard output)
//   qxdtool dump-constraints <qxd>    (a constraint file, VELDRANK.QXD)
//   qxdtool check <text>              (compiles, dumps, and compares)
//   qxdtool template-facts <res> <cpp>
//                                     (the control table's facts from the
//                                     compiled dialog templates)
//
// A text whose first line is "constraints" is a constraint file; any other
// is a description file.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"
#include "tools/qxdtool/template_facts.h"

namespace {

bool ReadFile(const char* path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

int Fail(const std::string& message) {
  std::cerr << "qxdtool: " << message << "\n";
  return 1;
}

int Compile(const char* source, std::vector<uint8_t>* bytes, const char* overlaySource = nullptr) {
  std::string text, error;
  if (!ReadFile(source, &text)) return Fail(std::string("cannot read ") + source);
  if (qxd::IsConstraintText(text)) {
    qxd::ConstraintDocument doc;
    if (!qxd::ParseConstraintText(text, &doc, &error)) return Fail(std::string(source) + ": " + error);
    if (!qxd::BuildConstraints(doc, bytes, &error)) return Fail(std::string(source) + ": " + error);
    return 0;
  }
  qxd::Document doc;
  if (!qxd::ParseText(text, &doc, &error)) return Fail(std::string(source) + ": " + error);
  if (overlaySource != nullptr) {
    std::string overlayText;
    qxd::Document overlay;
    if (!ReadFile(overlaySource, &overlayText)) return Fail(std::string("cannot read ") + overlaySource);
    if (!qxd::ParseText(overlayText, &overlay, &error)) return Fail(std::string(overlaySource) + ": " + error);
    qxd::OverlayDocument(&doc, overlay);
  }
  if (!qxd::Build(doc, bytes, &error)) return Fail(std::string(source) + ": " + error);
  return 0;
}

int Dump(const std::vector<uint8_t>& bytes, const char* name, bool constraints, std::string* text) {
  std::string error;
  if (constraints) {
    qxd::ConstraintDocument doc;
    if (!qxd::DecodeConstraints(bytes, &doc, &error)) return Fail(std::string(name) + ": " + error);
    *text = qxd::FormatConstraintText(doc);
    return 0;
  }
  qxd::Document doc;
  if (!qxd::Decode(bytes, &doc, &error)) return Fail(std::string(name) + ": " + error);
  *text = qxd::FormatText(doc);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "compile" && (argc == 4 || argc == 5)) {
    std::vector<uint8_t> bytes;
    if (int rc = Compile(argv[2], &bytes, argc == 5 ? argv[3] : nullptr)) return rc;
    const char* target = argv[argc - 1];
    std::string tmp = std::string(target) + ".tmp";
    {
      std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out) return Fail(std::string("cannot write ") + target);
    }
    if (std::rename(tmp.c_str(), target) != 0) return Fail(std::string("cannot write ") + target);
    return 0;
  }
  if ((command == "dump" || command == "dump-constraints") && argc == 3) {
    std::string raw, text;
    if (!ReadFile(argv[2], &raw)) return Fail(std::string("cannot read ") + argv[2]);
    std::vector<uint8_t> bytes(raw.begin(), raw.end());
    if (int rc = Dump(bytes, argv[2], command == "dump-constraints", &text)) return rc;
    std::cout << text;
    return 0;
  }
  if (command == "check" && argc == 3) {
    std::vector<uint8_t> bytes;
    std::string source, text;
    if (int rc = Compile(argv[2], &bytes)) return rc;
    ReadFile(argv[2], &source);
    bool constraints = qxd::IsConstraintText(source);
    if (int rc = Dump(bytes, argv[2], constraints, &text)) return rc;
    // Notes of a constraint text are for its reader; the file has no room for them.
    if (constraints) source = qxd::WithoutNotes(source);
    if (source != text) {
      // Name the first line that differs.
      std::istringstream a(source), b(text);
      std::string la, lb;
      for (int line = 1;; ++line) {
        bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        if (!ga && !gb) break;
        if (la != lb || ga != gb) {
          return Fail(std::string(argv[2]) + ":" + std::to_string(line) + ": the text is not in its written form\n  source: " +
                      (ga ? la : "<end>") + "\n  dumped: " + (gb ? lb : "<end>"));
        }
      }
    }
    return 0;
  }
  if (command == "template-facts" && argc == 4) {
    std::string raw, error;
    if (!ReadFile(argv[2], &raw)) return Fail(std::string("cannot read ") + argv[2]);
    std::vector<TemplateFactRow> rows;
    if (!ReadTemplateFacts(std::vector<uint8_t>(raw.begin(), raw.end()), &rows, &error)) {
      return Fail(std::string(argv[2]) + ": " + error);
    }
    std::ofstream out(argv[3], std::ios::binary);
    out << FormatTemplateFacts(rows);
    if (!out) return Fail(std::string("cannot write ") + argv[3]);
    return 0;
  }
  std::cerr << "usage: qxdtool compile <text> [<overlay text>] <qxd> | dump <qxd> | dump-constraints <qxd> | check <text> | "
               "template-facts <res> <cpp>\n";
  return 2;
}
