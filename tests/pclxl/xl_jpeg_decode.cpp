// JPEG blocks decoded by libjpeg-turbo's djpeg, an independent decoder.
// Native programs run it directly; Windows programs under Wine start the
// host's program through CreateProcess (Wine runs host executables), with
// files in the temporary directory, named for djpeg by Wine's translation
// of the path.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

#include "tests/pclxl/xl_dissector.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace xl {

namespace {

std::atomic<unsigned> g_serial{0};

bool WriteAll(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

bool ReadAll(const std::string& path, std::vector<uint8_t>* out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) out->insert(out->end(), buffer, buffer + n);
  std::fclose(f);
  return true;
}

// Runs djpeg on the host's files `in` and `out` (host paths): natively to
// its end (true when it exited with 0); under Wine it is only started.
bool RunDjpeg(const std::string& in, const std::string& out) {
#ifdef _WIN32
  std::string command = "/usr/bin/djpeg -pnm -outfile " + out + " " + in;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    std::fprintf(stderr, "djpeg: CreateProcess failed with %lu\n", GetLastError());
    return false;
  }
  // Wine cannot wait for a host program: the caller waits for its output.
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
#else
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    execl("/usr/bin/djpeg", "djpeg", "-pnm", "-outfile", out.c_str(), in.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

#ifdef _WIN32
// Wine's own translation of a Windows path to the host's.
using UnixNameFn = char*(__cdecl*)(const wchar_t* dosName);
#endif

// A directory for the files that both this program and djpeg open: the
// host's path (for djpeg) and this program's path of it.
struct Place {
  std::string host;
  std::string local;
};

Place TempPlace() {
#ifdef _WIN32
  wchar_t temp[MAX_PATH];
  const DWORD n = GetTempPathW(MAX_PATH, temp);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto unixName = kernel ? reinterpret_cast<UnixNameFn>(
                               reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")))
                         : nullptr;
  if (n > 0 && n < MAX_PATH && unixName) {
    if (char* name = unixName(temp)) {
      std::string host = name;
      HeapFree(GetProcessHeap(), 0, name);
      std::string local;
      for (DWORD i = 0; i < n; ++i) local.push_back(static_cast<char>(temp[i]));
      if (!host.empty() && host.back() != '/') host.push_back('/');
      return Place{host, local};
    }
  }
  return Place{"/tmp/", "Z:\\tmp\\"};
#else
  return Place{"/tmp/", "/tmp/"};
#endif
}

unsigned ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned>(getpid());
#endif
}

// A whole binary PGM or PPM of 8-bit samples.
bool ParsePnm(const std::vector<uint8_t>& pnm, uint32_t* w, uint32_t* h, uint32_t* c, size_t* start) {
  std::string header(pnm.begin(), pnm.begin() + std::min<size_t>(pnm.size(), 64));
  std::istringstream text(header);
  std::string magic;
  uint32_t maxval = 0;
  if (!(text >> magic >> *w >> *h >> maxval)) return false;
  *c = magic == "P6" ? 3 : magic == "P5" ? 1 : 0;
  *start = static_cast<size_t>(text.tellg()) + 1;
  return *c != 0 && maxval == 255 && pnm.size() == *start + size_t{*w} * *h * *c;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height, uint32_t* components,
                std::vector<uint8_t>* pixels, std::string* error) {
  const Place place = TempPlace();
  const std::string name = "xl_jpeg_" + std::to_string(ProcessId()) + "_" + std::to_string(g_serial++);
  const std::string in = place.host + name + ".jpg", out = place.host + name + ".pnm";
  const std::string localIn = place.local + name + ".jpg", localOut = place.local + name + ".pnm";
  if (!WriteAll(localIn, data, size)) {
    if (error) *error = "cannot write " + in;
    return false;
  }
  const bool ran = RunDjpeg(in, out);
  std::vector<uint8_t> pnm;
  uint32_t w = 0, h = 0, c = 0;
  size_t start = 0;
  bool whole = false;
#ifdef _WIN32
  // Until the output is a whole image (or a minute has passed).
  for (int i = 0; ran && i < 6000 && !whole; ++i) {
    pnm.clear();
    whole = ReadAll(localOut, &pnm) && ParsePnm(pnm, &w, &h, &c, &start);
    if (!whole) Sleep(10);
  }
#else
  whole = ran && ReadAll(localOut, &pnm) && ParsePnm(pnm, &w, &h, &c, &start);
#endif
  std::remove(localIn.c_str());
  std::remove(localOut.c_str());
  if (!whole) {
    if (error) *error = ran ? "djpeg gave no 8-bit PNM image" : "djpeg failed";
    return false;
  }
  *width = w;
  *height = h;
  *components = c;
  pixels->assign(pnm.begin() + static_cast<std::ptrdiff_t>(start), pnm.end());
  return true;
}

}  // namespace xl
