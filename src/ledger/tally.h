#pragma once
// The tally ("统计"): after its notice has been closed, adds up the five
// categories (meals as a real, the other four by the integer rule) strictly
// left to right, writes the sum into 编辑框9, the summary into the notebook
// 编辑框2 and the balance into 编辑框10. The summary lists each category's
// caption and box text as they stand, then the total spending, the balance
// and the clock caption, with an empty line between them:
//   吃饭：120 / / 逛街：80 / / ... / / 消费：590 / / ↓当前余额↓ / 2410 / / 当前北京时间为：...
// (" / " standing for CR LF).

#include "control_texts.h"

void Tally(ControlTexts& window);
