#pragma once

namespace velmora {

// A priority class of the process manager's "Set Priority" menu: its command,
// its caption and the nice value it stands for.
struct PriorityClass {
    int command;
    const char* caption;
    int nice;
};

// In the menu's order, highest priority first.
inline constexpr PriorityClass kPriorityClasses[] = {
    {32807, "Realtime", -20}, {32806, "High", -10},       {32805, "AboveNormal", -5},
    {32804, "Normal", 0},     {32803, "BelowNormal", 10}, {32802, "Low", 19},
};

// The class that asks before it is set.
inline constexpr int kRealtimeCommand = 32807;

// The class of a priority command; nullptr for any other command.
const PriorityClass* PriorityClassOfCommand(int command);

// The class whose nice value is nearest to `nice`; of two as near, the one
// nearer Normal.
const PriorityClass& PriorityClassOfNice(int nice);

}  // namespace velmora
