#pragma once

#include <condition_variable>
#include <mutex>
#include <string_view>
#include <thread>

namespace velmora {

// Work done ahead at start-up so the main window shows sooner. Loading a
// library maps and relocates it; loading fonts reads files and fills memory.
// Done at once on two threads, the two wait on each other's changes to the
// address space; so the display plugin is loaded first, and the fonts on a
// thread of their own while the application connects to the display.

// Whether the application will pick the X11 display plugin: when named
// first in QT_QPA_PLATFORM ("xcb", "xcb:options", "xcb;wayland"), or, with
// that unset, on a display with no Wayland compositor or Wayland session.
bool PicksX11Plugin(std::string_view platformVariable, std::string_view waylandDisplay,
                    std::string_view sessionType, std::string_view display);

// The X11 display plugin, loaded before the application when it is the one
// the application will pick, and not when a plugin path is set, which may
// hold another copy of it. The application then finds it loaded. Released
// once the application is up: a plugin it did not pick goes again.
class DisplayPluginPreload {
public:
    DisplayPluginPreload();
    ~DisplayPluginPreload();
    DisplayPluginPreload(const DisplayPluginPreload&) = delete;
    DisplayPluginPreload& operator=(const DisplayPluginPreload&) = delete;

    bool Loaded() const { return handle_ != nullptr; }

private:
    void* handle_ = nullptr;
};

// The fonts, loaded on a thread of its own: first the font configuration,
// which needs nothing of Qt (its files read and parsed: the longest single
// step before the window can show text); then, once the application is up,
// the application's font database and the stand-ins of its font, which the
// first text of the window would otherwise load on the main thread.
class FontWarmup {
public:
    FontWarmup();
    // Finish().
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

    // The application object exists: the thread may go on to its fonts.
    void ApplicationUp();
    // Waits for the thread to end. One whose application never came up
    // ends after the font configuration. Must come before the application
    // object ends.
    void Finish();

private:
    enum class Next { Wait, Application, End };
    void Release(Next next);
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    Next next_ = Next::Wait;
    std::thread thread_;
};

}  // namespace velmora
