// The entry point the program looks up when it loads the player library.
#include "platform/linux/player/PlayerModule.h"

#include "platform/linux/player/QtAlarmPlayer.h"

extern "C" velmora::AlarmPlayer* velmora_create_alarm_player(velmora::MessagePrompt* prompt) {
    return new velmora::QtAlarmPlayer(*prompt);
}
