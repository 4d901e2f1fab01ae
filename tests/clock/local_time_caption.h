#pragma once
// Telling a clock caption that shows the machine's own time: the caption is
// written when a refresh ends, so it may lag the test's clock by a second.

#include <QByteArray>

#include <ctime>

#include "datetime_text.h"

inline const QByteArray kCaptionPrefix("当前北京时间为：");

inline DateTime localDateTime(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// True when caption shows the machine's clock within a second of [from, to].
inline bool showsLocalTime(const QByteArray& caption, std::time_t from, std::time_t to) {
    for (std::time_t t = from - 1; t <= to + 1; ++t)
        if (caption == kCaptionPrefix + QByteArray::fromStdString(DateTimeToText(localDateTime(t))))
            return true;
    return false;
}
