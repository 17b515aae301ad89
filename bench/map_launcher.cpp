// Starts a program as a player's desktop would and watches it from outside, through the X
// server: prints the milliseconds from the spawn to the moment its main window is mapped and to
// its first frame (the first drawing into that window that the server reports), and its peak
// resident memory in megabytes at that frame; then ends it. Nothing of ours runs inside it, so
// the program itself, as installed, and a bare toolkit program are measured alike.
// Usage: map_launcher PROGRAM [ARGUMENTS...]   (DISPLAY names the X server)
#include "startup_clock.h"

#include <xcb/damage.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

extern char** environ;

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

struct Moments {
    long long mapped = 0;
    long long drawn = 0;
};

// Every top-level window the program creates, menus and tool tips aside, is watched for drawing
// from its creation, before anything can be drawn into it; the first of them to be mapped is
// its main window (a toolkit also makes windows it never maps). No other client makes one while
// the program starts.
bool watch(xcb_connection_t* connection, std::uint8_t damageEvents, Moments& moments) {
    xcb_window_t shown = XCB_NONE;
    while (XcbReply<xcb_generic_event_t> event{xcb_wait_for_event(connection)}) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event.get());
            if (created->override_redirect)
                continue;
            xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
        } else if (type == XCB_MAP_NOTIFY && shown == XCB_NONE) {
            const auto* mapped = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (mapped->override_redirect)
                continue;
            shown = mapped->window;
            moments.mapped = startup::nowMicroseconds();
        } else if (type == damageEvents + XCB_DAMAGE_NOTIFY) {
            if (reinterpret_cast<const xcb_damage_notify_event_t*>(event.get())->drawable != shown)
                continue;
            moments.drawn = startup::nowMicroseconds();
            return true;
        }
    }
    return false; // the connection broke
}

// The most memory the process has held resident, from the kernel's count.
double peakMegabytes(pid_t process) {
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot connect to the X server named by DISPLAY\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, 0), nullptr));
    // Told of every window made and mapped on the root, from before the spawn: a round trip
    // makes sure the server has taken the request.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    startup::roundTrip(connection);

    const long long launched = startup::nowMicroseconds();
    setenv("PELIO_LAUNCH_US", std::to_string(launched).c_str(), 1);
    pid_t program = 0;
    if (posix_spawn(&program, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    Moments moments;
    const bool drawn = watch(connection, damage->first_event, moments);
    // Held still while its memory is read, then ended.
    kill(program, SIGSTOP);
    const double peak = peakMegabytes(program);
    kill(program, SIGTERM);
    kill(program, SIGCONT);
    xcb_disconnect(connection);
    waitpid(program, nullptr, 0);
    if (!drawn)
        return 1;
    const auto since = [&](long long at) { return static_cast<double>(at - launched) / 1000.0; };
    std::printf("%.1f %.1f %.1f\n", since(moments.mapped), since(moments.drawn), peak);
    return 0;
}
