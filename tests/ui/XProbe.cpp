// SPDX-FileCopyrightText: 2026 Kvantelo developers <developers@kvantelo.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What the real-window test asks of the X server beyond xdotool's reach:
//
//   x-probe ping WINDOW COUNT
//     Sends the window manager's liveness ping (_NET_WM_PING) to WINDOW
//     COUNT times, one after the other, and prints how many milliseconds
//     each answer took. Exits 1 if one is not answered within a second.
//   x-probe cover X Y WIDTH HEIGHT MILLISECONDS
//     Maps a plain window over the given part of the screen, past the window
//     manager, and unmaps it after the given time, leaving the windows below
//     to draw what it covered.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include <poll.h>
#include <xcb/xcb.h>

namespace {

constexpr int AnswerMilliseconds = 1000;
constexpr int PauseBetweenPingsMilliseconds = 100;
constexpr uint32_t CoverColour = 0xff00ff;

using Clock = std::chrono::steady_clock;

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Waits for the answer to the ping stamped with stamp: the same message, sent
// back to the root window. Returns the milliseconds it took, or -1.
int AwaitAnswer(xcb_connection_t* connection, xcb_atom_t protocols, xcb_atom_t ping, uint32_t stamp,
                Clock::time_point sent)
{
    const Clock::time_point deadline = sent + std::chrono::milliseconds(AnswerMilliseconds);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const Owned<xcb_generic_event_t> owned(event, &std::free);
            if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) continue;
            const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
            if (message->type == protocols && message->data.data32[0] == ping && message->data.data32[1] == stamp)
                return static_cast<int>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return -1;
        pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(left));
    }
}

int Ping(xcb_connection_t* connection, xcb_screen_t* screen, xcb_window_t window, int count)
{
    // The answer goes to the root window, to whoever listens to its
    // structure or substructure notifications.
    const uint32_t listen = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &listen);
    const xcb_atom_t protocols = Atom(connection, "WM_PROTOCOLS");
    const xcb_atom_t ping = Atom(connection, "_NET_WM_PING");
    int unanswered = 0;
    for (int i = 0; i < count; ++i) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols;
        message.data.data32[0] = ping;
        message.data.data32[1] = static_cast<uint32_t>(0x4b560000u + i);
        message.data.data32[2] = window;
        const Clock::time_point sent = Clock::now();
        xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        xcb_flush(connection);
        const int milliseconds = AwaitAnswer(connection, protocols, ping, message.data.data32[1], sent);
        if (milliseconds < 0) {
            std::printf("ping %d: no answer within %d ms\n", i + 1, AnswerMilliseconds);
            ++unanswered;
        } else {
            std::printf("ping %d: answered in %d ms\n", i + 1, milliseconds);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(PauseBetweenPingsMilliseconds));
    }
    return unanswered == 0 ? 0 : 1;
}

void Cover(xcb_connection_t* connection, xcb_screen_t* screen, int16_t x, int16_t y, uint16_t width,
           uint16_t height, int milliseconds)
{
    const xcb_window_t cover = xcb_generate_id(connection);
    const uint32_t values[] = {CoverColour, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, cover, screen->root, x, y, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, cover);
    xcb_flush(connection);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    xcb_destroy_window(connection, cover);
    xcb_flush(connection);
}

int Usage()
{
    std::fputs("usage: x-probe ping WINDOW COUNT | x-probe cover X Y WIDTH HEIGHT MILLISECONDS\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "ping" && argc == 4) || (command == "cover" && argc == 7))) return Usage();
    int preferred = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &preferred);
    if (xcb_connection_has_error(connection)) {
        std::fputs("x-probe: cannot connect to the X server\n", stderr);
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < preferred; ++i) xcb_screen_next(&screens);
    int status = 0;
    if (command == "ping") {
        status = Ping(connection, screens.data, static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)),
                      std::atoi(argv[3]));
    } else {
        Cover(connection, screens.data, static_cast<int16_t>(std::atoi(argv[2])),
                       static_cast<int16_t>(std::atoi(argv[3])), static_cast<uint16_t>(std::atoi(argv[4])),
                       static_cast<uint16_t>(std::atoi(argv[5])), std::atoi(argv[6]));
    }
    xcb_disconnect(connection);
    return status;
}
