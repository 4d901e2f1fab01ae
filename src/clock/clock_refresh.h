#pragma once
// RefreshClock: fetches the network time and hands the clock caption
// ("当前北京时间为：" and the date-time) to the window. It knows nothing of
// widgets or of the event loop; the HTTP client in platform/ drives the fetch.

#include <functional>
#include <string>

class ClockRefresh {
public:
    using ShowCaption = std::function<void(const std::string& caption)>;

    explicit ClockRefresh(ShowCaption showCaption);

    // Starts a refresh; while one runs, at most one more waits.
    void RefreshClock();
    // True while a refresh is under way.
    bool busy() const;

private:
    ShowCaption m_showCaption;
};
