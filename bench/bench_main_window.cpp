#include "bench.h"

void benchMainWindow()
{
}
