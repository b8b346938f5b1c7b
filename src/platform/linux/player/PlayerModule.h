#pragma once

namespace velmora {
class AlarmPlayer;
class MessagePrompt;
}  // namespace velmora

// The name of the player library and of the function in it that makes a
// player reporting through the prompt; the caller owns the player.
#define VELMORA_PLAYER_LIBRARY "libvelmora-player.so"
#define VELMORA_PLAYER_FACTORY "velmora_create_alarm_player"
extern "C" velmora::AlarmPlayer* velmora_create_alarm_player(velmora::MessagePrompt* prompt);
using VelmoraPlayerFactory = decltype(&velmora_create_alarm_player);
