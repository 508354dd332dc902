// emfcorpus: writes the corpus of spooled pages as enhanced-metafile files
// (<folder>\<n>-<name>.emf), for the sample tool and the benchmark.
//
// usage: emfcorpus <folder>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/ddi_host/emf_corpus.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fwprintf(stderr, L"usage: emfcorpus <folder>\n");
    return 2;
  }
  for (int p = 0; p < EmfCorpus_Pages(); ++p) {
    const std::vector<uint8_t> bytes = EmfCorpus_Page(p);
    const std::string name = std::to_string(p + 1) + "-" + EmfCorpus_Name(p) + ".emf";
    const std::wstring path = std::wstring(argv[1]) + L"\\" + std::wstring(name.begin(), name.end());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    const bool ok = !bytes.empty() && file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), DWORD(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) {
      std::fwprintf(stderr, L"cannot write %ls\n", path.c_str());
      return 1;
    }
    std::fwprintf(stdout, L"%ls\n", path.c_str());
  }
  return 0;
}
