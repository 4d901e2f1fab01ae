#pragma once
// The program's modal message boxes. Each runs its own event loop until the
// person closes it, so timer ticks go on being delivered meanwhile; the
// windows of the program take no input while it is open.

#include <string_view>

// One OK button, no icon. The text's CR LF pairs are its line breaks.
void showMessageBox(std::string_view text, std::string_view caption);

// The box shown when the main window cannot be built.
void showLoadFailure();
