// The program's one printer: the printer set-up dialog configures it, and the
// chart and report windows print on it, so the user's choices are kept for the
// whole run.
#pragma once

#include <QList>
#include <functional>

#include "draw/pictures.h"

class QImage;
class QPrinter;

namespace ui {
QPrinter& SharedPrinter();

// Prints `picture` `copies` times, each copy a print job of its own (none for 0
// or fewer), scaled to fit the page's printable area with its proportions kept
// and centred. Raises veltor::Error when a job cannot be started.
void PrintPicture(QPrinter& printer, const QImage& picture, int copies);
// The same for a document of several pages: each copy is one job holding every
// page in order, each page fitted and centred on a sheet of its own. No pages
// print nothing.
// With `vectorPages` (the same pages painted by code) those are printed, sharp
// at the printer's resolution.
void PrintPages(QPrinter& printer, const QList<QImage>& pages, int copies,
                const QList<VectorPage>& vectorPages = {});

// `copies` jobs, each painted by `paintJob` on `printer` (which begins and ends
// the job by its own painter): a document of flowing pages printed whole per job.
void PrintJobs(QPrinter& printer, int copies, const std::function<void(QPrinter& printer)>& paintJob);

// Told at the start of every print job (tests count the jobs); empty by default.
using PrintJobObserver = std::function<void(QPrinter& printer)>;
void SetPrintJobObserver(PrintJobObserver observer);
}  // namespace ui
