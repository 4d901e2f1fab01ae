#include "clock_refresh.h"

#include <chrono>
#include <ctime>
#include <utility>

#include "http_client.h"
#include "time_page.h"
#include "timestamp_conversion.h"

namespace {

constexpr char kCaptionPrefix[] = "当前北京时间为：";

// A time that arrives after the next tick is of no use, and a fetch that
// outlives the period would keep the label from changing every second; past
// this the refresh ends and shows the machine's own time.
constexpr std::chrono::milliseconds kFetchTimeLimit{900};

DateTime localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace

void FetchTimestampText(std::string_view host, std::function<void(std::string)> done) {
    HttpReadBytes(
        TimePageUrl(host),
        [done = std::move(done)](std::string body) { done(TimestampTextFromPage(body)); },
        kFetchTimeLimit);
}

void FetchNetworkTime(std::string_view host, std::function<void(std::optional<DateTime>)> done) {
    FetchTimestampText(host, [done = std::move(done)](std::string timestamp) {
        // An empty timestamp means the page said nothing; only a real 0 is 1970.
        if (IsBlankTimestamp(timestamp)) return done(std::nullopt);
        const std::optional<std::string> dateText = TimestampToDateText(timestamp);
        if (!dateText) return done(std::nullopt);
        const DateTime networkTime = TextToDateTime(*dateText);
        if (networkTime == DateTime{}) return done(std::nullopt);
        done(networkTime);
    });
}

ClockRefresh::ClockRefresh(ShowCaption showCaption)
    : ClockRefresh(TIME_PAGE_HOST, std::move(showCaption)) {}

ClockRefresh::ClockRefresh(std::string host, ShowCaption showCaption)
    : m_host(std::move(host)), m_showCaption(std::move(showCaption)) {}

ClockRefresh::~ClockRefresh() {
    *m_self = nullptr;
}

void ClockRefresh::RefreshClock() {
    if (m_running)
        m_waiting = true;
    else
        start();
}

void ClockRefresh::start() {
    m_running = true;
    FetchNetworkTime(m_host, [self = m_self](std::optional<DateTime> networkTime) {
        if (ClockRefresh* refresh = *self) refresh->finish(networkTime);
    });
}

void ClockRefresh::finish(std::optional<DateTime> networkTime) {
    m_running = false;
    // The caption may start the waiting refresh at once (a click handler),
    // so the state is settled before it is shown.
    const bool another = std::exchange(m_waiting, false);
    if (another) start();
    if (m_showCaption)
        m_showCaption(kCaptionPrefix + DateTimeToText(networkTime.value_or(localTimeNow())));
}
