#include "editor/charts/charts_loader.h"

#include "editor/charts/charts_window.h"
#include "platform/library_loader.h"

namespace talviro6 {

ChartsWindow *loadChartsWindow(const ChartsLibrary &library, QWidget *parent, QString *reason)
{
    const auto make = reinterpret_cast<MakeChartsWindow>(
        loadLibraryFactory(library.name, library.folders, MakeChartsWindowName, reason));
    return make ? make(parent) : nullptr;
}

} // namespace talviro6
