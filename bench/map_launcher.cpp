// Starts a start-up probe as a player's desktop would and watches the X server from outside:
// prints the milliseconds from the spawn to the moment its main window is mapped, followed by
// the probe's own line, which it prints at its first frame ("wall-ms cpu-ms peak-MB"). The
// launch time goes to the probe in PELIO_LAUNCH_US, so both times count from the same instant.
// Usage: map_launcher PROGRAM [ARGUMENTS...]   (DISPLAY names the X server)
#include "startup_clock.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

extern char** environ;

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

// The first window that a client maps at the top level, menus and tool tips aside. No other
// client maps one while the probe runs, so it is the probe's.
bool waitForTopLevelMap(xcb_connection_t* connection) {
    while (XcbReply<xcb_generic_event_t> event{xcb_wait_for_event(connection)}) {
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
            continue;
        const auto* mapped = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (!mapped->override_redirect)
            return true;
    }
    return false; // the connection broke
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
    // Told of every window mapped on the root, from before the spawn: a round trip makes sure
    // the server has taken the request.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    startup::roundTrip(connection);

    const long long launched = startup::nowMicroseconds();
    setenv("PELIO_LAUNCH_US", std::to_string(launched).c_str(), 1);
    // The probe writes its line into a pipe, read once it has quit.
    int pipeEnds[2];
    posix_spawn_file_actions_t actions;
    if (pipe(pipeEnds) != 0 || posix_spawn_file_actions_init(&actions) != 0) {
        std::perror("pipe");
        return 1;
    }
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t probe = 0;
    const int spawned = posix_spawn(&probe, argv[1], &actions, nullptr, argv + 1, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    const bool mapped = waitForTopLevelMap(connection);
    const long long mappedAt = startup::nowMicroseconds();
    xcb_disconnect(connection);

    std::string line;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, static_cast<std::size_t>(n));
    int status = 0;
    waitpid(probe, &status, 0);
    if (!mapped || line.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 1;
    std::printf("%.1f %s", static_cast<double>(mappedAt - launched) / 1000.0, line.c_str());
    return 0;
}
