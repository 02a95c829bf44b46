#include "platform/printing.h"

#include <QPrinter>

namespace ui {

QPrinter& SharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

}  // namespace ui
