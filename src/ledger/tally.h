#pragma once
// The tally: adds up the five categories and writes the summary.

#include "control_texts.h"

void Tally(ControlTexts& window);
