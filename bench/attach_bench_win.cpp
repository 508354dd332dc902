// The procedure library's attach and detach against the part of it no
// library can avoid: loading its three siblings (VELDRANW, VELDRANG,
// VELDRANH) and reading the model's description files.  Prints both
// figures per round and their ratio.
//
// usage: attach_bench <driver folder> [rounds]
//
// Run it under Wine from an optimised tree, on a driver package (out/x64).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Reads every description file of the folder whole; the bytes read.
uint64_t ReadDescriptions(const std::wstring& folder) {
  uint64_t total = 0;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*.QXD").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  std::vector<char> buffer(1 << 16);
  do {
    HANDLE file = CreateFileW((folder + L"\\" + found.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD got = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got) total += got;
    CloseHandle(file);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return total;
}

bool Unavoidable(const std::wstring& folder) {
  HMODULE w = LoadLibraryW((folder + L"\\VELDRANW.DLL").c_str());
  HMODULE g = LoadLibraryW((folder + L"\\VELDRANG.DLL").c_str());
  HMODULE h = LoadLibraryW((folder + L"\\VELDRANH.DLL").c_str());
  const bool ok = w && g && h && ReadDescriptions(folder) > 0;
  if (h) FreeLibrary(h);
  if (g) FreeLibrary(g);
  if (w) FreeLibrary(w);
  return ok;
}

bool AttachDetach(const std::wstring& folder) {
  HMODULE a = LoadLibraryW((folder + L"\\VELDRANA.DLL").c_str());
  if (!a) return false;
  FreeLibrary(a);
  return true;
}

template <typename Fn>
double MillisecondsPerRound(int rounds, Fn fn) {
  const auto start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    if (!fn()) return -1;
  }
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: attach_bench <driver folder> [rounds]\n");
    return 2;
  }
  const std::wstring folder = argv[1];
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
  // One round of each first, so that both run from the file cache.
  if (!Unavoidable(folder) || !AttachDetach(folder)) {
    std::fprintf(stderr, "the driver's libraries or description files cannot be loaded from that folder\n");
    return 1;
  }
  const double unavoidable = MillisecondsPerRound(rounds, [&] { return Unavoidable(folder); });
  const double attach = MillisecondsPerRound(rounds, [&] { return AttachDetach(folder); });
  std::printf("siblings loaded and description files read: %8.3f ms per round\n", unavoidable);
  std::printf("VELDRANA attached and detached:              %8.3f ms per round\n", attach);
  std::printf("ratio:                                       %8.2f\n", unavoidable > 0 ? attach / unavoidable : 0.0);
  return 0;
}
