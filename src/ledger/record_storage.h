#pragma once
// The starting total from 文本.ini and the saved record in 文本.txt, both in
// the program's directory (a path in the file system's encoding, UTF-8). The
// files' format is the profile layer's; the window runs these two on its
// created event and on "保存".

#include <string>

#include "control_texts.h"

// Shows the value of 数据 in [保存] of 文本.ini as the caption of 透明标签1,
// unchanged (no number conversion); empty when the file, section or key is
// missing. Touches no other control.
void LoadTotal(ControlTexts& window, const std::string& programDirectory);

// Writes the text of 编辑框2 as 金额消费 in [金额消费记录] of 文本.txt and
// confirms with "数据已保存！". When the file cannot be written, says so in a
// box captioned "错误" with the file's path and the system's reason; the
// notebook keeps its text either way.
void SaveRecord(ControlTexts& window, const std::string& programDirectory);
