#pragma once

// The credits label's vertical place is kept in twips (15 to a pixel), the unit its loop is
// drawn in: a 50-twip step is not a whole number of pixels, so pixels are only worked out when
// the label is placed, and rounding never accumulates.
constexpr int kCreditsStartTop = 3600;   // where each opening of the window puts the credits
constexpr int kCreditsRestartTop = 3480; // where the loop starts over
constexpr int kCreditsLowestTop = -4330; // the last top that still moves up
constexpr int kCreditsStep = 50;

// The top after one tick of the scroll timer: a top from kCreditsLowestTop to
// kCreditsRestartTop (both included) moves up one step, any other starts the loop over.
int nextCreditsTop(int topTwips);

// Twips to the nearest pixel. 15 is odd, so a whole number of twips never lies half-way.
int twipsToPixels(int twips);
