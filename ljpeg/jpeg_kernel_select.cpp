#include "ljpeg/jpeg_kernels.h"

namespace {

const JpegKernelTable* const kTables[] = {
    &kJpegKernelsGeneric,
#if defined(JPEG_HAVE_AVX2_KERNELS)
    &kJpegKernelsAvx2,
#endif
};

}  // namespace

const JpegKernelTable* const* JpegKernelTables(int* count) {
  *count = int(sizeof(kTables) / sizeof(kTables[0]));
  return kTables;
}

bool JpegKernelsRun(const JpegKernelTable* table) {
#if defined(JPEG_HAVE_AVX2_KERNELS)
  if (table == &kJpegKernelsAvx2) {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
  }
#endif
  return table == &kJpegKernelsGeneric;
}

const JpegKernelTable* JpegSelectKernels() {
  int count = 0;
  const JpegKernelTable* const* tables = JpegKernelTables(&count);
  for (int i = count - 1; i > 0; --i)
    if (JpegKernelsRun(tables[i])) return tables[i];
  return tables[0];
}
