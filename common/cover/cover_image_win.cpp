// Cover image files: the quick check of the image page and the loading of
// the image stamp, which reads only what the checked headers describe.
#include <windows.h>

#include <cwchar>

#include "common/cover/cover_bmp.h"
#include "common/cover/cover_page_win.h"

namespace {

// Bitmaps larger than this are not drawn on a fax page.
constexpr uint64_t kCoverImageMaxBits = 128ull * 1024 * 1024;
// Enough for the largest information header and a 256-colour table.
constexpr DWORD kCoverImageHeadRead = 4096;

class File {
 public:
  explicit File(const wchar_t* path)
      : h_(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~File() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
  // Reads `size` bytes at `offset`; true only for the full count.
  bool ReadAt(uint64_t offset, void* to, DWORD size) const {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(h_, at, nullptr, FILE_BEGIN)) return false;
    DWORD got = 0;
    return ReadFile(h_, to, size, &got, nullptr) && got == size;
  }
  uint64_t Size() const {
    LARGE_INTEGER size{};
    return GetFileSizeEx(h_, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }

 private:
  HANDLE h_;
};

bool HasImageSuffix(const wchar_t* path, size_t length) {
  if (length < 4) return false;
  const wchar_t* ext = path + length - 4;
  return _wcsnicmp(ext, L".BMP", 4) == 0 || _wcsnicmp(ext, L".DIB", 4) == 0;
}

}  // namespace

bool IsCoverImageFile(const wchar_t* path, size_t length) {
  if (path == nullptr || !HasImageSuffix(path, length) || wcsnlen(path, length + 1) != length) return false;
  File file(path);
  uint8_t head[kBmpFileHeaderSize];
  return file.ok() && file.ReadAt(0, head, sizeof(head)) && head[0] == 'B' && head[1] == 'M';
}

bool LoadCoverImage(const FcsImagePart& image, CoverImage* out) {
  const wchar_t* path = reinterpret_cast<const wchar_t*>(image.szImageFile);
  const size_t length = wcsnlen(path, sizeof(image.szImageFile) / sizeof(image.szImageFile[0]));
  if (length <= 4 || length >= sizeof(image.szImageFile) / sizeof(image.szImageFile[0])) return false;
  if (!IsCoverImageFile(path, length)) return false;
  File file(path);
  if (!file.ok()) return false;
  const uint64_t fileSize = file.Size();
  const DWORD headSize = static_cast<DWORD>(fileSize < kCoverImageHeadRead ? fileSize : kCoverImageHeadRead);
  std::vector<uint8_t> head(headSize);
  if (headSize == 0 || !file.ReadAt(0, head.data(), headSize)) return false;
  CoverBmpLayout layout{};
  if (CheckCoverBmp(head.data(), head.size(), fileSize, &layout) != kCoverBmpOk) return false;
  if (layout.bitsSize == 0 || layout.bitsSize > kCoverImageMaxBits) return false;
  if (static_cast<uint64_t>(kBmpFileHeaderSize) + layout.infoSize > head.size()) return false;
  out->info.assign(head.begin() + kBmpFileHeaderSize, head.begin() + kBmpFileHeaderSize + layout.infoSize);
  out->bits.resize(layout.bitsSize);
  if (!file.ReadAt(layout.bitsOffset, out->bits.data(), layout.bitsSize)) return false;
  out->width = layout.width;
  out->height = layout.height;
  return true;
}
