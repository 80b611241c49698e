// The real program in its window on a real X server (Xvfb): the screen shows
// the same panel as a headless run, a click on a key types, so does the
// desktop's keyboard, a right click opens the menu drawn over the text, and
// the menu's "Exit", the window's close button and vim's own end all end the
// program with status 0.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <png.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/sandbox.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

int constexpr screen_width = 600, screen_height = 800;

// vim as the build's sandbox has it, with the shipped editor profile; no swap
// or viminfo file, so that every run starts alike.
std::string const build_sandbox = TARN_BINARY_DIR "/sandbox/mnt/ext1";
std::vector<std::string> const vim_arguments{"-n", "-i", "NONE"};

struct Grey_Image {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    unsigned char at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

std::optional<Grey_Image> read_png(std::string const& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return std::nullopt;
    image.format = PNG_FORMAT_GRAY;
    Grey_Image out{int(image.width), int(image.height), std::vector<unsigned char>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        return std::nullopt;
    return out;
}

// Windows come and go while the test looks for the program's: errors about
// vanished ones are expected.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

std::string read_text(std::string const& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A process started by the test, killed if the test ends before it does.
class Child {
public:
    Child(std::vector<std::string> args, std::map<std::string, std::string> const& env, std::string const& log)
    {
        pid = fork();
        if (pid == 0) {
            for (auto const& [name, value] : env) {
                if (value.empty())
                    unsetenv(name.c_str());
                else
                    setenv(name.c_str(), value.c_str(), 1);
            }
            int const fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                dup2(fd, 1);
                dup2(fd, 2);
            }
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
    }
    ~Child()
    {
        if (pid > 0 && !status) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Child(Child const&) = delete;
    Child& operator=(Child const&) = delete;

    // The wait status once it has ended, within the time given.
    std::optional<int> wait_for(Clock::duration limit)
    {
        auto const end = Clock::now() + limit;
        while (!status) {
            int s = 0;
            if (waitpid(pid, &s, WNOHANG) == pid)
                status = s;
            else if (Clock::now() >= end)
                break;
            else
                std::this_thread::sleep_for(20ms);
        }
        return status;
    }
    bool running() { return !wait_for(0s); }

    pid_t pid = -1;
    std::optional<int> status;
};

// Xvfb on a display number it picks itself, ready once it has said which.
class Xvfb {
public:
    Xvfb()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            int const quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, 1);
            dup2(quiet, 2);
            std::string const fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x900x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        auto const end = Clock::now() + 10s;
        pollfd p{fds[0], POLLIN, 0};
        while (Clock::now() < end && poll(&p, 1, 100) >= 0) {
            char c;
            if (!(p.revents & (POLLIN | POLLHUP)))
                continue;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (!number.empty())
            name = ":" + number;
    }
    ~Xvfb()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    Xvfb(Xvfb const&) = delete;
    Xvfb& operator=(Xvfb const&) = delete;

    pid_t pid = -1;
    std::string name;  // empty when it did not start
};

class WindowOnXvfb : public ::testing::Test {
protected:
    // One server for the suite, started only when the tests run.
    static void SetUpTestSuite() { server = std::make_unique<Xvfb>(); }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override
    {
        if (server->name.empty())
            GTEST_SKIP() << "Xvfb cannot start here";
        display = XOpenDisplay(server->name.c_str());
        ASSERT_NE(display, nullptr);
        XSetErrorHandler(ignore_x_error);
        int event_base, error_base, major, minor;
        ASSERT_TRUE(XTestQueryExtension(display, &event_base, &error_base, &major, &minor));
        sandbox.write_config("editor: " + build_sandbox + "/system/bin/vim\n");
        sandbox.write_file("system/share/vim/etc/vimfiles/plugin/tarn.vim",
                           read_text(TARN_SOURCE_DIR "/data/vim/tarn.vim"));
        ASSERT_EQ(symlink((build_sandbox + "/system/share/vim/runtime").c_str(),
                          sandbox.path("system/share/vim/runtime").c_str()),
                  0);
        sandbox.write_file("system/share/cobble/tarn.kbd", read_text(TARN_SOURCE_DIR "/data/tarn.kbd"));
        sandbox.write_file("sample.txt", read_text(TARN_SOURCE_DIR "/data/sample.txt"));
    }
    void TearDown() override
    {
        if (display)
            XCloseDisplay(display);
    }

    std::map<std::string, std::string> environment(bool windowed) const
    {
        return {{"DISPLAY", windowed ? server->name : ""},
                {"HOME", sandbox.root()},
                {"WAYLAND_DISPLAY", ""},
                {"TARN_HOST_EVENTS", ""},
                {"TARN_HOST_SCREEN", "600x800"},
                {"TARN_HOST_FLASH", "0"}};
    }

    // The panel after the script, from a headless run of the same program.
    Grey_Image headless_panel(std::string const& script)
    {
        std::string const out = sandbox.path("headless");
        sandbox.write_file("script.events", script + "snapshot panel\n");
        auto env = environment(false);
        env["TARN_HOST_EVENTS"] = sandbox.path("script.events");
        env["TARN_HOST_OUT"] = out;
        Child run(program_arguments(), env, sandbox.path("headless.log"));
        auto const status = run.wait_for(15s);
        EXPECT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << read_text(sandbox.path("headless.log"));
        auto image = read_png(out + "/panel.png");
        EXPECT_TRUE(image);
        return image ? *image : Grey_Image{};
    }

    std::unique_ptr<Child> start_window()
    {
        return std::make_unique<Child>(program_arguments(), environment(true), sandbox.path("window.log"));
    }

    std::vector<std::string> program_arguments() const
    {
        std::vector<std::string> arguments{TARN_BINARY_DIR "/tarn"};
        arguments.insert(arguments.end(), vim_arguments.begin(), vim_arguments.end());
        arguments.push_back(sandbox.path("sample.txt"));
        return arguments;
    }

    // The program's window once it is mapped; its top-left on the X screen.
    std::optional<Window> find_window(Child& program)
    {
        auto const end = Clock::now() + 8s;
        while (Clock::now() < end && program.running()) {
            Window root_back, parent, *children = nullptr;
            unsigned count = 0;
            std::optional<Window> found;
            if (XQueryTree(display, DefaultRootWindow(display), &root_back, &parent, &children, &count)) {
                for (unsigned i = 0; i < count && !found; ++i) {
                    XTextProperty name{};
                    XWindowAttributes attributes;
                    if (XGetWMName(display, children[i], &name) && name.value &&
                        std::string(reinterpret_cast<char*>(name.value), name.nitems) == "Tarn" &&
                        XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                        found = children[i];
                    if (name.value)
                        XFree(name.value);
                }
                if (children)
                    XFree(children);
            }
            if (found) {
                int x = 0, y = 0;
                Window child;
                XTranslateCoordinates(display, *found, DefaultRootWindow(display), 0, 0, &x, &y, &child);
                origin_x = x;
                origin_y = y;
                return found;
            }
            std::this_thread::sleep_for(50ms);
        }
        return std::nullopt;
    }

    // The window's area of the X screen, taken from the root window.
    Grey_Image screenshot()
    {
        XImage* image = XGetImage(display, DefaultRootWindow(display), origin_x, origin_y, screen_width,
                                  screen_height, AllPlanes, ZPixmap);
        Grey_Image out{screen_width, screen_height, {}};
        if (!image)
            return out;
        out.pixels.resize(std::size_t(screen_width) * screen_height);
        for (int y = 0; y < screen_height; ++y)
            for (int x = 0; x < screen_width; ++x) {
                unsigned long const pixel = XGetPixel(image, x, y);
                out.pixels[std::size_t(y) * screen_width + x] =
                    static_cast<unsigned char>(((pixel >> 16 & 255) + (pixel >> 8 & 255) + (pixel & 255)) / 3);
            }
        XDestroyImage(image);
        return out;
    }

    static double agreement(Grey_Image const& a, Grey_Image const& b)
    {
        if (a.pixels.size() != b.pixels.size() || a.pixels.empty())
            return 0;
        long same = 0;
        for (std::size_t i = 0; i < a.pixels.size(); ++i)
            same += std::abs(int(a.pixels[i]) - int(b.pixels[i])) <= 8;
        return double(same) / double(a.pixels.size());
    }

    // Screenshots until one agrees with the panel, within a time limit.
    double wait_until_shown(Grey_Image const& panel)
    {
        double best = 0;
        auto const end = Clock::now() + 8s;
        while (Clock::now() < end) {
            best = std::max(best, agreement(screenshot(), panel));
            if (best > 0.999)
                break;
            std::this_thread::sleep_for(100ms);
        }
        return best;
    }

    void click(int button, int x, int y)
    {
        XTestFakeMotionEvent(display, -1, origin_x + x, origin_y + y, CurrentTime);
        XTestFakeButtonEvent(display, unsigned(button), True, CurrentTime);
        XSync(display, False);
        std::this_thread::sleep_for(60ms);
        XTestFakeButtonEvent(display, unsigned(button), False, CurrentTime);
        XSync(display, False);
    }

    // Desktop keys pressed and let go one after another, each with shift held when asked.
    void type_keys(std::vector<std::pair<KeySym, bool>> const& keys)
    {
        for (auto const& [symbol, shifted] : keys) {
            KeyCode const shift = XKeysymToKeycode(display, XK_Shift_L);
            KeyCode const code = XKeysymToKeycode(display, symbol);
            if (shifted)
                XTestFakeKeyEvent(display, shift, True, CurrentTime);
            XTestFakeKeyEvent(display, code, True, CurrentTime);
            XTestFakeKeyEvent(display, code, False, CurrentTime);
            if (shifted)
                XTestFakeKeyEvent(display, shift, False, CurrentTime);
            XSync(display, False);
            std::this_thread::sleep_for(30ms);
        }
    }

    static inline std::unique_ptr<Xvfb> server;
    Display* display = nullptr;
    Sandbox sandbox;
    int origin_x = 0, origin_y = 0;
};

std::string log_of(Sandbox const& s) { return read_text(s.path("window.log")); }

TEST_F(WindowOnXvfb, ShowsThePanelAndEndsWithStatusZeroWhenClosed)
{
    Grey_Image const panel = headless_panel("settle 300 5000\n");
    ASSERT_EQ(panel.width, screen_width);
    // It is vim's screen: the rows past the file's end show vim's "~".
    EXPECT_NE(read_text(sandbox.path("headless/panel.txt")).find(" ~\n"), std::string::npos);
    auto program = start_window();
    auto const window = find_window(*program);
    ASSERT_TRUE(window) << log_of(sandbox);

    EXPECT_GT(wait_until_shown(panel), 0.999);
    Grey_Image const shot = screenshot();
    // The keyboard: a dark separator line across the top of its band, and key frames below it.
    int separator = -1;
    for (int y = screen_height / 2; y < screen_height && separator < 0; ++y) {
        int dark = 0;
        for (int x = 0; x < screen_width; ++x)
            dark += shot.at(x, y) < 64;
        if (dark > screen_width * 9 / 10)
            separator = y;
    }
    ASSERT_GT(separator, screen_height / 2);
    int frames = 0;
    int const middle_of_first_row = separator + 20;
    for (int x = 1; x < screen_width; ++x)
        frames += shot.at(x, middle_of_first_row) < 64 && shot.at(x - 1, middle_of_first_row) >= 64;
    EXPECT_GE(frames, 8);
    // The file's text above it.
    long text = 0;
    for (int y = 10; y < 60; ++y)
        for (int x = 10; x < 400; ++x)
            text += shot.at(x, y) < 64;
    EXPECT_GT(text, 300);

    // The window manager's close button sends this.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = *window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, *window, False, NoEventMask, &close);
    XSync(display, False);
    auto const status = program->wait_for(5s);
    ASSERT_TRUE(status) << "still running after the close button";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << log_of(sandbox);
}

TEST_F(WindowOnXvfb, ClicksTypeOpenTheMenuAndItsExitEndsTheProgram)
{
    Grey_Image const typed = headless_panel("settle 300 5000\ntype q\nsettle 300 3000\n");
    // Where the headless run found the key, from its text layer.
    std::istringstream layer(read_text(sandbox.path("headless/panel.txt")));
    std::string line;
    int key_x = -1, key_y = -1;
    while (std::getline(layer, line)) {
        std::istringstream words(line);
        std::string kind, label;
        int x, y, w, h;
        if (words >> kind >> x >> y >> w >> h >> label && kind == "rect" && label == "q") {
            key_x = x + w / 2;
            key_y = y + h / 2;
        }
    }
    ASSERT_GE(key_x, 0);

    auto program = start_window();
    ASSERT_TRUE(find_window(*program)) << log_of(sandbox);
    std::this_thread::sleep_for(500ms);
    click(Button1, key_x, key_y);
    EXPECT_GT(wait_until_shown(typed), 0.999) << "the typed key does not show as in the headless run";

    // A right click is a long press: the menu opens centred on it, over the text.
    int const at_x = 300, at_y = 200;
    click(Button3, at_x, at_y);
    int const menu_width = 2 * 16 + 14 * 12, menu_height = 5 * 40;  // as GetMenuRect reports it
    int const left = at_x - menu_width / 2, top = at_y - menu_height / 2;
    bool drawn = false;
    auto const end = Clock::now() + 5s;
    while (!drawn && Clock::now() < end) {
        Grey_Image const shot = screenshot();
        int frame = 0;
        for (int y = top + 5; y < top + menu_height - 5; ++y)
            frame += shot.at(left, y) < 64 && shot.at(left + menu_width - 1, y) < 64;
        drawn = frame == menu_height - 10;
        if (!drawn)
            std::this_thread::sleep_for(100ms);
    }
    ASSERT_TRUE(drawn) << "no menu frame where GetMenuRect says";

    click(Button1, at_x, top + 4 * 40 + 20);  // "Exit"
    auto const status = program->wait_for(5s);
    ASSERT_TRUE(status) << "still running after Exit";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << log_of(sandbox);
}

TEST_F(WindowOnXvfb, TheDesktopKeyboardTypesIntoTheEditor)
{
    Grey_Image const typed = headless_panel("settle 300 5000\ntype ihello\ntapkey Enter\nsettle 300 3000\n");
    auto program = start_window();
    auto const window = find_window(*program);
    ASSERT_TRUE(window) << log_of(sandbox);
    std::this_thread::sleep_for(500ms);
    XTestFakeMotionEvent(display, -1, origin_x + 300, origin_y + 200, CurrentTime);
    XSetInputFocus(display, *window, RevertToParent, CurrentTime);
    XSync(display, False);

    // Letters come as the desktop's text, Enter as a key.
    type_keys({{XK_i, false}, {XK_h, false}, {XK_e, false}, {XK_l, false}, {XK_l, false}, {XK_o, false},
               {XK_Return, false}});
    EXPECT_GT(wait_until_shown(typed), 0.999) << "the typed text does not show as in the headless run";

    // Escape reaches vim too, and ":" the shifted layout: vim saves the file and ends.
    type_keys({{XK_Escape, false}, {XK_colon, true}, {XK_w, false}, {XK_q, false}, {XK_Return, false}});
    auto const status = program->wait_for(5s);
    ASSERT_TRUE(status) << "still running after :wq";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << log_of(sandbox);
    EXPECT_EQ(read_text(sandbox.path("sample.txt")).rfind("hello\n" + read_text(TARN_SOURCE_DIR "/data/sample.txt"), 0),
              0u);
}

}
