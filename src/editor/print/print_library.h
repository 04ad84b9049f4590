#pragma once

#include "editor/window_services.h"

namespace talviro6 {

/// The printers live in a library of their own (on_demand_printer.h), so that the
/// program loads Qt Print Support only when the tuner first prints, not at every
/// start. The program exports no symbol: the library hands back a PagePrinter,
/// whose calls are virtual.

/// The library's one exported function, by this name: the desktop's default printer
/// when `pdfPath` is empty, else one that writes the pages into that PDF file. The
/// caller deletes it.
using MakePagePrinter = PagePrinter *(*)(const QString &pdfPath);
inline constexpr char MakePagePrinterName[] = "talviro6_make_page_printer";

} // namespace talviro6
