// One libFuzzer binary per target; FUZZ_TARGET_FUNCTION names the entry point.
#include "targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::FUZZ_TARGET_FUNCTION(data, size);
}
