// The window program exactly as `talviro6` runs it, ending at its first paint.
#include "app/window_main.h"
#include "first_paint.h"

#include <memory>

int main(int argc, char *argv[])
{
    std::unique_ptr<talviro6::bench::FirstPaint> watcher;
    return talviro6::runWindow(argc, argv,
                               [&](QWidget &) { watcher = std::make_unique<talviro6::bench::FirstPaint>(); });
}
