#include "credits_scroll.h"

int nextCreditsTop(int topTwips)
{
    if (topTwips <= kCreditsRestartTop && topTwips >= kCreditsLowestTop)
        return topTwips - kCreditsStep;
    return kCreditsRestartTop;
}

int twipsToPixels(int twips)
{
    // Integer division truncates toward zero; shift by half a pixel away from zero first.
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}
