#include "platform/console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif

namespace ui {

void PrepareBatchStreams() {
#ifdef _WIN32
  // Redirected output (a file, a pipe) is inherited as it is; only output
  // with nowhere to go is sent to the console.
  const auto nowhere = [](DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h == nullptr || h == INVALID_HANDLE_VALUE;
  };
  const bool out = nowhere(STD_OUTPUT_HANDLE);
  const bool err = nowhere(STD_ERROR_HANDLE);
  if ((out || err) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (out) std::freopen("CONOUT$", "w", stdout);
    if (err) std::freopen("CONOUT$", "w", stderr);
  }
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace ui
