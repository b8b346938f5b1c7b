#include "platform/linux/LazyAlarmPlayer.h"

#include <dlfcn.h>
#include <unistd.h>

#include "app/core/AppPaths.h"
#include "platform/MessagePrompt.h"
#include "platform/linux/player/PlayerModule.h"

namespace velmora {

LazyAlarmPlayer::LazyAlarmPlayer(MessagePrompt& prompt, std::string libraryPath)
    : prompt_(prompt), libraryPath_(std::move(libraryPath)) {}

// The library is never unloaded: the media libraries it brought in keep
// threads and registrations of their own until the process ends.
LazyAlarmPlayer::~LazyAlarmPlayer() = default;

std::string LazyAlarmPlayer::LibraryPath() {
    const std::string appDir = GetAppDirectory();
    const std::string beside = appDir + VELMORA_PLAYER_LIBRARY;
    if (::access(beside.c_str(), F_OK) == 0) {
        return beside;
    }
    return appDir + "../" VELMORA_LIBDIR "/velmora/" VELMORA_PLAYER_LIBRARY;
}

bool LazyAlarmPlayer::Load() {
    if (player_) {
        return true;
    }
    void* library = ::dlopen(libraryPath_.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto* factory =
        library ? reinterpret_cast<VelmoraPlayerFactory>(::dlsym(library, VELMORA_PLAYER_FACTORY))
                : nullptr;
    if (factory != nullptr) {
        player_.reset(factory(&prompt_));
    }
    return player_ != nullptr;
}

void LazyAlarmPlayer::Prepare(const std::string& path) {
    if (Load()) {
        player_->Prepare(path);
    }
}

void LazyAlarmPlayer::Play(const std::string& path) {
    if (Load()) {
        player_->Play(path);
        return;
    }
    const char* why = ::dlerror();
    prompt_.Stop("The alarm sound cannot be played: " +
                 std::string(why ? why : "the player library is missing") + ".");
}

void LazyAlarmPlayer::Stop() {
    if (player_) {
        player_->Stop();
    }
}

void LazyAlarmPlayer::Close() {
    if (player_) {
        player_->Close();
    }
}

}  // namespace velmora
