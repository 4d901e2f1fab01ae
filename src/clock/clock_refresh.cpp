#include "clock_refresh.h"

// Stand-in until the network clock is written: shows nothing.
ClockRefresh::ClockRefresh(ShowCaption showCaption) : m_showCaption(std::move(showCaption)) {}
void ClockRefresh::RefreshClock() {}
bool ClockRefresh::busy() const { return false; }
