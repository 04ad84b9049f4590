// A library that loads but has no charts window to give.
extern "C" int talviro6_charts_hollow()
{
    return 0;
}
