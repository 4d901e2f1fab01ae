#pragma once
// The starting total from 文本.ini and the saved record in 文本.txt, both in
// the program's directory (a path in the file system's encoding).

#include <string>

#include "control_texts.h"

void LoadTotal(ControlTexts& window, const std::string& programDirectory);
void SaveRecord(ControlTexts& window, const std::string& programDirectory);
