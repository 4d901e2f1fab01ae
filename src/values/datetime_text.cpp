#include "datetime_text.h"

// Placeholder until the rules are written.
DateTime TextToDateTime(std::string_view) { return {}; }
std::string DateTimeToText(const DateTime&) { return {}; }
