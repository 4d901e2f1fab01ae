#pragma once
// The network clock: fetches the time page, reads its timestamp as a local
// date-time, and hands the clock caption ("当前北京时间为：" and the date-time)
// to the window. It knows nothing of widgets; the HTTP client in platform/
// runs the fetch from the event loop and calls back when it has ended.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "datetime_text.h"

// Fetches the time page of host ("host" or "host:port") and hands its
// timestamp text to done; "" when there is no page, no marker or nothing
// between the markers.
void FetchTimestampText(std::string_view host, std::function<void(std::string)> done);

// Fetches, converts and reads the network time and hands it to done; no value
// when the timestamp text is empty or blank, gives no date text, or reads as
// the failure date-time. A page that says 0 gives 1970-01-01 in local time.
void FetchNetworkTime(std::string_view host, std::function<void(std::optional<DateTime>)> done);

class ClockRefresh {
public:
    using ShowCaption = std::function<void(const std::string& caption)>;

    // Uses the time page host fixed at build time.
    explicit ClockRefresh(ShowCaption showCaption);
    ClockRefresh(std::string host, ShowCaption showCaption);
    ~ClockRefresh();
    ClockRefresh(const ClockRefresh&) = delete;
    ClockRefresh& operator=(const ClockRefresh&) = delete;

    // Starts a refresh; while one runs, one more waits (never more than one)
    // and starts when the running one ends. The caption is shown when a
    // refresh ends: the network time, or the machine's local time when the
    // network gave no valid date-time.
    void RefreshClock();
    // True while a refresh runs or waits.
    bool busy() const { return m_running || m_waiting; }

private:
    void start();
    void finish(std::optional<DateTime> networkTime);

    std::string m_host;
    ShowCaption m_showCaption;
    bool m_running = false;
    bool m_waiting = false;
    // Lets a fetch that ends after this object is gone find that out.
    std::shared_ptr<ClockRefresh*> m_self = std::make_shared<ClockRefresh*>(this);
};
