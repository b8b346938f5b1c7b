// The real program on a virtual X display whose notification area is the
// tray host trayer, driven by xdotool: the icon's menu opens on the right
// button's release, a double-click brings the window back, and the close box
// ends the program with code 1 when "UseSystemTray" is 0.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "fakes/TempDir.h"
#include "support/VelmoraProcess.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;

std::string Xdo(const std::string& args) {
    std::string out;
    FILE* pipe = ::popen(("xdotool " + args + " 2>/dev/null").c_str(), "r");
    for (int c; pipe && (c = std::fgetc(pipe)) != EOF;) {
        out += static_cast<char>(c);
    }
    return pipe ? (::pclose(pipe), out) : out;
}

// The program's visible windows: the small ones (the icon, a tooltip) or the
// tall ones (the menu, a message box, the main window).
std::vector<unsigned> Windows(bool tall = false) {
    std::vector<unsigned> found;
    unsigned id = 0, height = 0;
    std::istringstream in(Xdo("search --onlyvisible --class velmora getwindowgeometry --shell %@"));
    for (std::string line; std::getline(in, line);) {
        if (!std::sscanf(line.c_str(), "WINDOW=%u", &id) &&
            std::sscanf(line.c_str(), "HEIGHT=%u", &height) && (height >= 60) == tall) {
            found.push_back(id);
        }
    }
    return found;
}

unsigned MainWindow() {
    return std::atol(Xdo("search --onlyvisible --name '^Velmora \\(Beta 2\\)$'").c_str());
}

bool Eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        std::this_thread::sleep_for(50ms);
    }
    return done();
}

bool Answers(const std::string& display) {
    return std::system(("xdpyinfo -display " + display + " >/dev/null 2>&1").c_str()) == 0;
}

// What a window manager sends when the close box is pressed. The answer is
// awaited: a request still in flight when the connection closes may be lost.
void PressCloseBox(unsigned window) {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    auto atom = [x](const char* name) {
        auto* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), 0);
        const xcb_atom_t value = reply ? reply->atom : 0;
        std::free(reply);
        return value;
    };
    xcb_client_message_event_t message{XCB_CLIENT_MESSAGE, 32, 0, window, atom("WM_PROTOCOLS"), {}};
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    std::free(xcb_request_check(
        x, xcb_send_event_checked(x, 0, window, 0, reinterpret_cast<const char*>(&message))));
    xcb_disconnect(x);
}

TEST(TrayUnderXvfb, IconMenuDoubleClickAndCloseBox) {
    if (std::system(
            "for t in Xvfb trayer xdotool xdpyinfo; do command -v $t >/dev/null || exit 1; done")) {
        GTEST_SKIP()
            << "Xvfb, trayer, xdotool or xdpyinfo is missing (tools/deps.sh installs them)";
    }
    std::mt19937 random(std::random_device{}());
    std::string display;
    do {  // a display no other server answers on
        display = ":" + std::to_string(400 + random() % 600);
    } while (Answers(display));
    test::Subprocess xvfb({"Xvfb", display, "-noreset", "-screen", "0", "1024x768x24"});
    ASSERT_TRUE(Eventually([&] { return Answers(display); })) << "Xvfb did not start";
    ::setenv("DISPLAY", display.c_str(), 1);
    test::Subprocess trayer({"trayer", "--edge", "top", "--height", "32"});
    ASSERT_TRUE(Eventually([] { return !Xdo("search --onlyvisible --class trayer").empty(); }));

    test::TempDir dir;
    test::WriteFile(dir.File("Velmora.ini"),
                    "[General Settings]\nUseSystemTray=1\nStartMinimized=1\n");
    auto app = test::StartVelmora({test::InstallVelmoraCopy(dir.Path())}, dir.Path(),
                                  {{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", display}});
    const auto onlyIcon = [] { return Windows().size() == 1 && Windows(true).empty(); };
    const auto oneTall = [] { return Windows(true).size() == 1 && !MainWindow(); };
    ASSERT_TRUE(Eventually(onlyIcon)) << "started hidden, with its icon in the tray";
    const std::string icon = "mousemove --window " + std::to_string(Windows()[0]) + " 8 8 ";

    Xdo(icon + "mousedown 3 sleep 0.4");
    EXPECT_TRUE(Windows(true).empty()) << "the press alone opens nothing";
    Xdo("mouseup 3");
    EXPECT_TRUE(Eventually(oneTall)) << "the menu";
    Xdo("key Escape mousemove 300 300");
    EXPECT_TRUE(Eventually(onlyIcon)) << "dismissing the menu sends nothing";
    // "ShutDown Now" asks while the window is hidden; answering No leaves the
    // program running in the tray.
    Xdo(icon + "click 3 sleep 0.3 key Down Down Return mousemove 300 300");
    EXPECT_TRUE(Eventually(oneTall)) << "the question";
    Xdo("key Escape");
    EXPECT_TRUE(Eventually(onlyIcon) && !app->WaitFor(0ms));

    Xdo(icon + "click --repeat 2 --delay 80 1 mousemove 300 300");
    ASSERT_TRUE(Eventually([] { return MainWindow() && Windows().empty(); }));
    test::WriteFile(dir.File("Velmora.ini"), "[General Settings]\nUseSystemTray=0\n");
    PressCloseBox(MainWindow());
    ASSERT_TRUE(app->WaitFor(5s));
    EXPECT_TRUE(WIFEXITED(app->Status()) && WEXITSTATUS(app->Status()) == 1);
}

}  // namespace
}  // namespace velmora
