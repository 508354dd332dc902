// Texts from outside in every text value of the PJL header: the user and
// document names the spooler and the application give, the phone-book
// numbers and fax texts of the fax block, and the texts of the document
// settings.  Every template of the sample model's command file is expanded,
// and the start-command table walked, once with plain texts and once with
// the fuzzer's; the header must keep its structure: the same lines, each a
// PJL command ending in CR LF, no control byte inside, and every value
// between its own quotes.
//
// Input: texts one after the other, each a length byte and that many bytes
// (UTF-16 texts take pairs), for the slots of kSlots in order.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_templates.h"
#include "fuzz/pjl_job_input.h"

namespace {

enum class Slot { UserName, JobName, DriverJobId, HostName, Doc, DocWide, SubAddress, SenderId, Number0, Number1 };

struct SlotInfo {
  Slot slot;
  uint32_t at;     // settings offset of a Doc or DocWide text
  uint32_t bytes;  // room of the field, terminator included
};

constexpr uint32_t kHostNameAt = 1181, kHostNameUnits = 17;  // inside the device settings

const SlotInfo kSlots[] = {
    {Slot::UserName, 0, 0},
    {Slot::JobName, 0, 0},
    {Slot::DriverJobId, 0, 0},
    {Slot::HostName, 0, 0},
    {Slot::Doc, DOC_FIELD_AT(szEmailAddress), sizeof(DocFields::szEmailAddress)},
    {Slot::Doc, DOC_FIELD_AT(szAccessNumber), sizeof(DocFields::szAccessNumber)},
    {Slot::Doc, DOC_FIELD_AT(szBoxNumber), sizeof(DocFields::szBoxNumber)},
    {Slot::DocWide, DOC_FIELD_AT(szBoxFileName), sizeof(DocFields::szBoxFileName)},
    {Slot::Doc, DOC_FIELD_AT(szSecurePrintId), sizeof(DocFields::szSecurePrintId)},
    {Slot::DocWide, DOC_FIELD_AT(szAuthUserName), sizeof(DocFields::szAuthUserName)},
    {Slot::Doc, DOC_FIELD_AT(szDeptName), sizeof(DocFields::szDeptName)},
    {Slot::Doc, kDocTreeDomainNameAt, 81},
    {Slot::Doc, kDocExpenseCodeAt, 9},
    {Slot::SubAddress, 0, 0},
    {Slot::SenderId, 0, 0},
    {Slot::Number0, 0, 0},
    {Slot::Number1, 0, 0},
};
constexpr size_t kSlotCount = sizeof kSlots / sizeof kSlots[0];

// One job: the same settings, texts as given.  Every text starts with a
// letter, so that none is empty (an empty UTF-16 text drops its line in
// both jobs alike, which would say nothing).
struct Job {
  FuzzPjlJob f;
  std::u16string user, document, host;
  std::string jobId;

  explicit Job(const std::vector<std::string>& texts) {
    InitFuzzPjlJob(&f, SampleStartCommands());
    uint8_t* doc = reinterpret_cast<uint8_t*>(&f.work->devmode.doc);
    f.fax->wRecipientCount = 2;
    f.job.fax = f.fax.get();
    for (size_t i = 0; i < kSlotCount; ++i) {
      const std::string narrow = "a" + texts[i];
      std::u16string wide = u"a";
      for (size_t k = 0; k + 1 < texts[i].size(); k += 2) {
        wide.push_back(static_cast<char16_t>(static_cast<uint8_t>(texts[i][k]) |
                                             static_cast<uint8_t>(texts[i][k + 1]) << 8));
      }
      // Fields of the settings need not be aligned: copied as bytes.
      auto putWide = [&](void* field, size_t units) {
        std::vector<char16_t> text(units, u'\0');
        for (size_t k = 0; k + 1 < units && k < wide.size(); ++k) text[k] = wide[k];
        std::memcpy(field, text.data(), units * sizeof(char16_t));
      };
      switch (kSlots[i].slot) {
        case Slot::UserName: user = wide; break;
        case Slot::JobName: document = wide; break;
        case Slot::DriverJobId: jobId = narrow; break;
        case Slot::HostName:
          putWide(reinterpret_cast<uint8_t*>(&f.work->device) + kHostNameAt, kHostNameUnits);
          break;
        case Slot::Doc:
          for (uint32_t k = 0; k < kSlots[i].bytes; ++k) {
            doc[kSlots[i].at + k] = k + 1 < kSlots[i].bytes && k < narrow.size() ? narrow[k] : '\0';
          }
          break;
        case Slot::DocWide: putWide(doc + kSlots[i].at, kSlots[i].bytes / 2); break;
        case Slot::SubAddress: putWide(f.fax->faxSetting.szSubAddress, 21); break;
        case Slot::SenderId: putWide(f.fax->faxSetting.szSendID, 21); break;
        case Slot::Number0: putWide(f.fax->recipients[0].szFaxNumber, 81); break;
        case Slot::Number1: putWide(f.fax->recipients[1].szFaxNumber, 81); break;
      }
    }
    // Texts cut at a zero unit stay texts of what comes before it.
    user = user.c_str();
    document = document.c_str();
    jobId = jobId.c_str();
    f.job.userName = user.c_str();
    f.job.jobName = document.c_str();
    f.job.driverJobId = jobId.c_str();
  }
};

[[noreturn]] void Fail(const char* what, const std::string& output) {
  std::fprintf(stderr, "%s\n", what);
  for (unsigned char c : output) std::fprintf(stderr, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
  std::fprintf(stderr, "\n");
  std::abort();
}

constexpr char kExit[] = "\x1B%-12345X";

// The lines of an output with the bytes between each pair of quotes left
// out, the unfinished rest last; fails unless every line is a PJL command
// without control bytes (the universal exit may open it).
std::vector<std::string> Skeleton(const std::string& output) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t end = output.find("\r\n"); end != std::string::npos; end = output.find("\r\n", at)) {
    size_t start = output.compare(at, sizeof kExit - 1, kExit) == 0 ? at + sizeof kExit - 1 : at;
    if (output.compare(start, 4, "@PJL") != 0) Fail("a line that is not a PJL command", output);
    std::string line;
    bool quoted = false;
    for (size_t i = start; i < end; ++i) {
      const unsigned char c = static_cast<unsigned char>(output[i]);
      if (c < 0x20 || c == 0x7F) Fail("a control byte inside a line", output);
      if (c == '"') quoted = !quoted;
      if (!quoted || c == '"') line.push_back(static_cast<char>(c));
    }
    lines.push_back(line);
    at = end + 2;
  }
  const std::string rest = output.substr(at);
  if (!rest.empty() && rest != kExit) Fail("an unfinished line", output);
  lines.push_back(rest);
  return lines;
}

void Compare(const std::string& plain, const std::string& fuzzed) {
  if (Skeleton(plain) != Skeleton(fuzzed)) Fail("the header's lines differ from those of plain texts", fuzzed);
}

// Every entry of every row of a section, expanded for both jobs.
void ExpandSection(const CommandTemplateList* list, Job& plain, Job& fuzzed) {
  if (list == nullptr || list->rows == nullptr) return;
  for (uint32_t r = 0; list->rows[r].name[0] != '\0'; ++r) {
    const CommandTemplateRow& row = list->rows[r];
    for (uint32_t e = 0; row.entries != nullptr && row.entries[e].name[0] != '\0'; ++e) {
      // A bare word (the tray and paper rows of "BeginPage") names a
      // BeginPage attribute value and is never expanded into PJL.
      if (row.entries[e].text[0] != '"') continue;
      plain.f.out.clear();
      fuzzed.f.out.clear();
      Pjl_ExpandTemplate(&plain.f.job, row.entries[e].text);
      Pjl_ExpandTemplate(&fuzzed.f.job, row.entries[e].text);
      Compare(plain.f.out, fuzzed.f.out);
    }
  }
}

const PjlTemplateSet& SampleSet() {
  static PjlTemplateSet* set = [] {
    auto* s = new PjlTemplateSet{};
    const std::vector<uint8_t>& bytes = SampleModelFile("VELDRANP.QXD");
    QxdContext* file = QxdOpenImage(bytes.data(), bytes.size());
    Pjl_LoadTemplateSet(file, s);
    QxdClose(file);
    return s;
  }();
  return *set;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  std::vector<std::string> texts(kSlotCount), plainTexts(kSlotCount);
  for (size_t i = 0; i < kSlotCount; ++i) {
    size_t n = in.Take<uint8_t>();
    if (n > in.size()) n = in.size();
    texts[i].assign(reinterpret_cast<const char*>(in.data()), n);
    for (size_t k = 0; k < n; ++k) in.Take<uint8_t>();
    plainTexts[i] = "bc";  // also a UTF-16 text: one unit
  }
  Job plain(plainTexts);
  Job fuzzed(texts);
  const PjlTemplateSet& set = SampleSet();
  ExpandSection(set.beginPage, plain, fuzzed);
  ExpandSection(set.startCommands, plain, fuzzed);
  ExpandSection(set.endCommands, plain, fuzzed);
  plain.f.out.clear();
  fuzzed.f.out.clear();
  Pjl_WalkStartCommands(&plain.f.job);
  Pjl_WalkStartCommands(&fuzzed.f.job);
  Compare(plain.f.out, fuzzed.f.out);
  return 0;
}
