#include "tally.h"

// Placeholder until the tally is written.
void Tally(ControlTexts&) {}
