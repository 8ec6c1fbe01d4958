#include "bench.h"

void benchDriverEditor()
{
}
