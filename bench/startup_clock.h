#pragma once

// What the start-up launcher and its probes share: the clock of the launch stamp the launcher
// hands each probe in PELIO_LAUNCH_US, and a round trip to the X server.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>

namespace startup {

// Microseconds since the epoch: the launcher stamps the spawn with it, a probe its first frame.
inline long long nowMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

// Returns once the X server has handled every request sent before this one.
inline void roundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace startup
