#include "platform/printing.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "calc/errors.h"

namespace ui {

namespace {
PrintJobObserver& observer() {
  static PrintJobObserver o;
  return o;
}
}  // namespace

QPrinter& SharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

void PrintPicture(QPrinter& printer, const QImage& picture, int copies) {
  PrintPages(printer, {picture}, copies);
}

void PrintPages(QPrinter& printer, const QList<QImage>& pages, int copies) {
  if (pages.isEmpty()) return;
  // Each copy is a job of its own; the driver must not multiply them again.
  printer.setCopyCount(1);
  for (int copy = 0; copy < copies; ++copy) {
    if (observer()) observer()(printer);
    QPainter painter;
    if (!painter.begin(&printer)) throw veltor::Error(QStringLiteral("Printing failed"));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (qsizetype page = 0; page < pages.size(); ++page) {
      if (page > 0 && !printer.newPage()) throw veltor::Error(QStringLiteral("Printing failed"));
      painter.drawImage(FittedRect(pages[page].size(), painter.viewport()), pages[page]);
    }
    painter.end();
  }
}

void PrintJobs(QPrinter& printer, int copies, const std::function<void(QPrinter& printer)>& paintJob) {
  printer.setCopyCount(1);
  for (int copy = 0; copy < copies; ++copy) {
    if (observer()) observer()(printer);
    paintJob(printer);
  }
}

void SetPrintJobObserver(PrintJobObserver observer_) {
  observer() = std::move(observer_);
}

}  // namespace ui
