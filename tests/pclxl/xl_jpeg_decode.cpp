// JPEG blocks decoded by libjpeg-turbo's djpeg, an independent decoder.
// Native programs run it directly; Windows programs under Wine start the
// host's program through CreateProcess (Wine runs host executables), with
// files in the host's /tmp, which Wine shows as drive Z:.
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

// Runs djpeg on the host's files `in` and `out` (host paths); true when it
// exits with 0.
bool RunDjpeg(const std::string& in, const std::string& out) {
#ifdef _WIN32
  std::string command = "/usr/bin/djpeg -pnm -outfile " + out + " " + in;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return code == 0;
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

// The files as this program opens them.
std::string Local(const std::string& hostPath) {
#ifdef _WIN32
  std::string p = "Z:" + hostPath;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
#else
  return hostPath;
#endif
}

unsigned ProcessId() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned>(getpid());
#endif
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height, uint32_t* components,
                std::vector<uint8_t>* pixels, std::string* error) {
  const std::string base = "/tmp/xl_jpeg_" + std::to_string(ProcessId()) + "_" + std::to_string(g_serial++);
  const std::string in = base + ".jpg", out = base + ".pnm";
  if (!WriteAll(Local(in), data, size)) {
    if (error) *error = "cannot write " + in;
    return false;
  }
  const bool ran = RunDjpeg(in, out);
  std::vector<uint8_t> pnm;
  const bool read = ran && ReadAll(Local(out), &pnm);
  std::remove(Local(in).c_str());
  std::remove(Local(out).c_str());
  if (!read) {
    if (error) *error = ran ? "djpeg wrote nothing" : "djpeg failed";
    return false;
  }
  std::string header(pnm.begin(), pnm.begin() + std::min<size_t>(pnm.size(), 64));
  std::istringstream text(header);
  std::string magic;
  uint32_t w = 0, h = 0, maxval = 0;
  text >> magic >> w >> h >> maxval;
  const uint32_t c = magic == "P6" ? 3 : magic == "P5" ? 1 : 0;
  const size_t start = static_cast<size_t>(text.tellg()) + 1;
  if (c == 0 || maxval != 255 || pnm.size() != start + size_t{w} * h * c) {
    if (error) *error = "djpeg output is no 8-bit PNM image";
    return false;
  }
  *width = w;
  *height = h;
  *components = c;
  pixels->assign(pnm.begin() + static_cast<std::ptrdiff_t>(start), pnm.end());
  return true;
}

}  // namespace xl
