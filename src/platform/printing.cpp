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

void PrintPages(QPrinter& printer, const QList<QImage>& pages, int copies,
                const QList<VectorPage>& vectorPages) {
  if (pages.isEmpty()) return;
  PrintJobs(printer, copies, [&](QPrinter& job) {
    QPainter painter;
    if (!painter.begin(&job)) throw veltor::Error(QStringLiteral("Printing failed"));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qsizetype count = vectorPages.isEmpty() ? pages.size() : vectorPages.size();
    for (qsizetype page = 0; page < count; ++page) {
      if (page > 0 && !job.newPage()) throw veltor::Error(QStringLiteral("Printing failed"));
      if (vectorPages.isEmpty())
        painter.drawImage(FittedRect(pages[page].size(), painter.viewport()), pages[page]);
      else
        PaintFitted(painter, vectorPages[page], painter.viewport());
    }
    painter.end();
  });
}

void PrintJobs(QPrinter& printer, int copies, const std::function<void(QPrinter& printer)>& paintJob) {
  // Each copy is a job of its own; the driver must not multiply them again.
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
