// startwatch: starts a program under X and times it from exec to the mapping of its
// windows, found by title, then reads its memory and, optionally, its idle CPU.
//
//   startwatch [--game] [--idle SECONDS] [--idle-delay SECONDS] [--name TEXT] -- PROGRAM [ARGS...]
//
// Without --game it waits for the first window titled "Velmora" (the name prompt).
// With --game it then types the name and Return, waits for the greeting (a second
// "Velmora" window), presses Return on it and waits for the main window "Tarvino ".
// It prints key=value lines: start_ms, ok_to_main_ms, rss_kb, pss_kb, idle_cpu_pct.
// The idle CPU is watched from 1 s after the main window, or --idle-delay seconds later
// (the first note plays for about 6 s, and streaming it is not idle time).
//
// Timing is done here, in one process, because the gap between a shell loop's polls
// (several ms) would be as large as the differences to be measured. Keys go through
// XTest like a real keyboard; it is loaded at run time since only its runtime library is
// on the machine.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

Display *display = nullptr;
pid_t child = 0;
Atom netWmName = None;
Atom utf8String = None;

using FakeKeyEvent = int (*)(Display *, unsigned int, int, unsigned long);
FakeKeyEvent fakeKeyEvent = nullptr;

// A window may be gone by the time it is looked at; that is no reason to stop.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string &why)
{
    std::fprintf(stderr, "startwatch: %s\n", why.c_str());
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::exit(2);
}

std::string titleOf(Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8String, &type, &format,
                           &count, &after, &data) == Success && data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
        return title;
    }
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

bool childAlive()
{
    int status = 0;
    return waitpid(child, &status, WNOHANG) == 0;
}

// Every top-level mapped so far, with when it was seen mapped. Events are read only
// through handle(), so none is lost while the program waits for something else.
std::vector<std::pair<Window, Clock::time_point>> mappedWindows;

// Top-levels are created as children of the root, so creation is seen there; their own
// MapNotify comes once the window manager has mapped them.
void handle(const XEvent &event)
{
    if (event.type == CreateNotify && event.xcreatewindow.parent == DefaultRootWindow(display)) {
        const Window window = event.xcreatewindow.window;
        XSelectInput(display, window, StructureNotifyMask);
        // It may have been mapped before the selection took hold.
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state != IsUnmapped)
            mappedWindows.emplace_back(window, Clock::now());
    } else if (event.type == MapNotify && event.xmap.event == event.xmap.window) {
        mappedWindows.emplace_back(event.xmap.window, Clock::now());
    }
}

void drain()
{
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
}

// Waits for a top-level window with this title, not one of `seen`, to be mapped.
Window waitMapped(const std::string &title, const std::set<Window> &seen, double timeoutMs,
                  Clock::time_point &mappedAt)
{
    const Clock::time_point start = Clock::now();
    std::size_t checked = 0;
    for (;;) {
        drain();
        for (; checked < mappedWindows.size(); ++checked) {
            const auto &[window, at] = mappedWindows[checked];
            if (!seen.count(window) && titleOf(window) == title) {
                mappedAt = at;
                return window;
            }
        }
        if (msSince(start) > timeoutMs)
            fail("no window \"" + title + "\" within " + std::to_string(int(timeoutMs)) + " ms");
        if (!childAlive())
            fail("the program ended before showing \"" + title + "\"");
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 5); // wakes on the next event; the 5 ms only bounds the checks above
    }
}

// Keys go to the focused window: wait until the window manager has given it focus, and a
// moment more so that the dialog has taken it in, as a person would.
void waitFocused(Window window)
{
    const Clock::time_point start = Clock::now();
    for (;;) {
        Window focus = None;
        int revert = 0;
        XGetInputFocus(display, &focus, &revert);
        if (focus == window || msSince(start) > 2000)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    drain();
}

void pressKey(KeySym symbol, bool shift = false)
{
    const KeyCode shiftCode = XKeysymToKeycode(display, XK_Shift_L);
    const KeyCode code = XKeysymToKeycode(display, symbol);
    if (shift)
        fakeKeyEvent(display, shiftCode, True, CurrentTime);
    fakeKeyEvent(display, code, True, CurrentTime);
    fakeKeyEvent(display, code, False, CurrentTime);
    if (shift)
        fakeKeyEvent(display, shiftCode, False, CurrentTime);
    XFlush(display);
}

void typeText(const std::string &text)
{
    for (const char c : text) {
        const char lower[2] = {char(std::tolower(static_cast<unsigned char>(c))), 0};
        pressKey(XStringToKeysym(lower), std::isupper(static_cast<unsigned char>(c)));
    }
}

// Rss and Pss of the whole process, in kB.
void printMemory()
{
    std::ifstream rollup("/proc/" + std::to_string(child) + "/smaps_rollup");
    std::string line;
    while (std::getline(rollup, line)) {
        std::istringstream fields(line);
        std::string key;
        long value = 0;
        fields >> key >> value;
        if (key == "Rss:")
            std::printf("rss_kb=%ld\n", value);
        else if (key == "Pss:")
            std::printf("pss_kb=%ld\n", value);
    }
}

// utime + stime of all the process's threads, in clock ticks.
long long cpuTicks()
{
    std::ifstream file("/proc/" + std::to_string(child) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name may hold blanks: the fields counted from after its ')'.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14)
            utime = std::stoll(field);
        else if (index == 15) {
            stime = std::stoll(field);
            break;
        }
    }
    return utime + stime;
}

// CPU time of all the threads in ns, from the scheduler: finer than the 10 ms ticks.
long long cpuNanoseconds()
{
    const std::string tasks = "/proc/" + std::to_string(child) + "/task";
    long long total = 0;
    if (DIR *dir = opendir(tasks.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream file(tasks + "/" + entry->d_name + "/schedstat");
            long long ns = 0;
            if (file >> ns)
                total += ns;
        }
        closedir(dir);
    }
    return total;
}

void sleepDraining(double ms)
{
    const Clock::time_point start = Clock::now();
    while (msSince(start) < ms) {
        drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    drain();
}

} // namespace

int main(int argc, char *argv[])
{
    bool game = false;
    double idleSeconds = 0;
    double idleDelay = 0;
    std::string name = "Ada";
    int first = 1;
    for (; first < argc; ++first) {
        const std::string arg = argv[first];
        if (arg == "--game")
            game = true;
        else if (arg == "--idle" && first + 1 < argc)
            idleSeconds = std::atof(argv[++first]);
        else if (arg == "--idle-delay" && first + 1 < argc)
            idleDelay = std::atof(argv[++first]);
        else if (arg == "--name" && first + 1 < argc)
            name = argv[++first];
        else if (arg == "--") {
            ++first;
            break;
        } else
            fail("unknown argument " + arg);
    }
    if (first >= argc)
        fail("usage: startwatch [--game] [--idle SECONDS] [--idle-delay SECONDS] [--name TEXT] "
             "-- PROGRAM [ARGS...]");

    display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the display");
    XSetErrorHandler(ignoreError);
    netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    utf8String = XInternAtom(display, "UTF8_STRING", False);
    if (game) {
        void *xtest = dlopen("libXtst.so.6", RTLD_NOW);
        if (xtest)
            fakeKeyEvent = reinterpret_cast<FakeKeyEvent>(dlsym(xtest, "XTestFakeKeyEvent"));
        if (!fakeKeyEvent)
            fail("libXtst.so.6 is needed to press keys");
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    child = fork();
    if (child < 0)
        fail("fork failed");
    if (child == 0) {
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    std::set<Window> seen;
    Clock::time_point mapped;
    // The exec instant on the monotonic clock, for lining up timestamps the program prints.
    std::printf("exec_monotonic_ms=%.3f\n",
                std::chrono::duration<double, std::milli>(start.time_since_epoch()).count());
    const Window prompt = waitMapped("Velmora", seen, 20000, mapped);
    std::printf("start_ms=%.2f\n", std::chrono::duration<double, std::milli>(mapped - start).count());
    std::fflush(stdout);
    seen.insert(prompt);

    if (game) {
        waitFocused(prompt);
        typeText(name);
        pressKey(XK_Return);
        const Window greeting = waitMapped("Velmora", seen, 10000, mapped);
        seen.insert(greeting);
        waitFocused(greeting);
        const Clock::time_point pressed = Clock::now();
        pressKey(XK_Return);
        waitMapped("Tarvino ", seen, 10000, mapped);
        std::printf("ok_to_main_ms=%.2f\n",
                    std::chrono::duration<double, std::milli>(mapped - pressed).count());
    }

    sleepDraining(1000);
    printMemory();

    if (idleSeconds > 0) {
        sleepDraining(idleDelay * 1000);
        const long long before = cpuTicks();
        const long long beforeNs = cpuNanoseconds();
        const Clock::time_point from = Clock::now();
        sleepDraining(idleSeconds * 1000);
        const long long after = cpuTicks();
        const long long afterNs = cpuNanoseconds();
        const double wall = msSince(from) / 1000;
        std::printf("idle_cpu_pct=%.3f\n", 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / wall);
        std::printf("idle_cpu_sched_pct=%.4f\n", 100.0 * double(afterNs - beforeNs) / 1e9 / wall);
    }
    if (!childAlive())
        fail("the program ended on its own");

    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
