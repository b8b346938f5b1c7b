#include "app/StartupWarmup.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <cstdlib>

#include "app/core/Environment.h"

namespace velmora {

bool PicksX11Plugin(std::string_view platformVariable, std::string_view waylandDisplay,
                    std::string_view sessionType, std::string_view display) {
    if (!platformVariable.empty()) {
        return platformVariable.substr(0, platformVariable.find_first_of(":;")) == "xcb";
    }
    return waylandDisplay.empty() && sessionType != "wayland" && !display.empty();
}

DisplayPluginPreload::DisplayPluginPreload() {
    if (!PicksX11Plugin(EnvironmentValue("QT_QPA_PLATFORM"), EnvironmentValue("WAYLAND_DISPLAY"),
                        EnvironmentValue("XDG_SESSION_TYPE"), EnvironmentValue("DISPLAY")) ||
        std::getenv("QT_PLUGIN_PATH") != nullptr ||
        std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH") != nullptr) {
        return;
    }
    const QString path =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so");
    handle_ = ::dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
}

DisplayPluginPreload::~DisplayPluginPreload() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
    }
}

FontWarmup::FontWarmup() : thread_([this] { Run(); }) {}

FontWarmup::~FontWarmup() {
    Finish();
}

void FontWarmup::ApplicationUp() {
    Release(Next::Application);
}

void FontWarmup::Finish() {
    Release(Next::End);
    if (thread_.joinable()) {
        thread_.join();
    }
}

// The first word to a waiting thread is the one it goes by.
void FontWarmup::Release(Next next) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (next_ == Next::Wait) {
            next_ = next;
        }
    }
    changed_.notify_one();
}

void FontWarmup::Run() {
    if (FcInit() == FcFalse) {
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return next_ != Next::Wait; });
    if (next_ != Next::Application) {
        return;
    }
    lock.unlock();
    // Measuring a font of the application's families fills the font
    // database and finds the stand-ins of those families, both kept for
    // every thread. The font itself is loaded again by the thread that draws
    // with it; this one is a font of its own, so nothing the window uses
    // holds what this thread loaded.
    const QFont font(QGuiApplication::font().families());
    (void)QFontMetrics(font).height();
}

}  // namespace velmora
