#include "app/window_main.h"

int main(int argc, char *argv[])
{
    return talviro6::runWindow(argc, argv);
}
