#pragma once
// Printing the log on a QPrinter: the page and resolution the paper size is
// taken from, and the pages drawn one by one through the view's printing hooks.

#include "render/paging.h"

#include <functional>

class QPrinter;

namespace qc {

class ViewController;
class Prompter;

// The printer's physical page in device units and its resolution.
PrinterPage printerPageOf(const QPrinter& printer);

// Keeps a PDF printer's resolution within the device coordinate range for its paper.
void limitPdfResolution(QPrinter& printer);

struct PrintOutcome
{
    bool started = false; // the printer could be opened
    int pagesPrinted = 0;
    bool cancelled = false;
};

// Prints pages first to last (the controller's PrintPage for each). progress,
// when given, is told (pages done, pages in all) before each page and returns
// false to cancel. The caller runs EndPrinting.
PrintOutcome printLogPages(ViewController& controller, QPrinter& printer, int first, int last,
                           Prompter* prompter, const std::function<bool(int, int)>& progress = {});

} // namespace qc
