#include "ui/LiveRedraw.h"

void LiveRedraw::Start()
{
    clock.start();
    nextDue = IntervalMilliseconds;
    calls = 0;
}
