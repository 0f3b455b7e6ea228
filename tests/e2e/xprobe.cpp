// xprobe: how long until a rectangle of a window changes on the screen.
//
//   xprobe WINDOW X Y WIDTH HEIGHT TIMEOUT_MS
//
// Takes the rectangle as it is now and prints "ready". At the next line on standard input
// (the moment the caller acts) it starts the clock and reads the rectangle back every quarter
// millisecond; it prints the milliseconds until the first changed pixel, or "timeout".
// Used by measure.sh for "Analyze to grid repainted"; the program draws each repaint of the
// grid in one piece, so the first change is the finished picture.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<char> grab(Display* display, Window window, int x, int y, unsigned w, unsigned h) {
    XImage* image = XGetImage(display, window, x, y, w, h, AllPlanes, ZPixmap);
    if (!image) return {};
    std::vector<char> pixels(image->data,
                             image->data + static_cast<size_t>(image->bytes_per_line) * h);
    XDestroyImage(image);
    return pixels;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fprintf(stderr, "usage: xprobe WINDOW X Y WIDTH HEIGHT TIMEOUT_MS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xprobe: cannot open the display\n");
        return 2;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int x = std::atoi(argv[2]);
    const int y = std::atoi(argv[3]);
    const unsigned w = static_cast<unsigned>(std::atoi(argv[4]));
    const unsigned h = static_cast<unsigned>(std::atoi(argv[5]));
    const auto timeout = std::chrono::milliseconds(std::atoi(argv[6]));

    const std::vector<char> before = grab(display, window, x, y, w, h);
    if (before.empty()) {
        std::fprintf(stderr, "xprobe: cannot read the window\n");
        return 2;
    }
    std::cout << "ready" << std::endl;
    std::string line;
    std::getline(std::cin, line);

    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < timeout) {
        if (grab(display, window, x, y, w, h) != before) {
            const std::chrono::duration<double, std::milli> elapsed =
                std::chrono::steady_clock::now() - start;
            std::cout << elapsed.count() << std::endl;
            XCloseDisplay(display);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    std::cout << "timeout" << std::endl;
    XCloseDisplay(display);
    return 1;
}
