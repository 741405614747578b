#ifndef DK_COMMANDS_UNINSTANCER_DKROUNDTOPLACES_H
#define DK_COMMANDS_UNINSTANCER_DKROUNDTOPLACES_H

// The value rounded to the given number of decimal places; counts below 0
// are taken as 0. The bias is 0.499999, not one half, so an exact half is
// rounded toward zero (0.0025 at 3 places gives 0.002). Values whose scaled
// form no int holds are clamped to the int range.
double roundToPlaces(double value, int places);

#endif
