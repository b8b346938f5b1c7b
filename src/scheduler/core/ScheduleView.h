#pragma once

#include <string>

#include "app/core/DateTime.h"

namespace velmora {

// What the schedule logic sees of the main window: its labels, buttons,
// progress bar, date and time pickers, its two timers, addressed by the
// control and timer ids of ControlIds.h, and its reminder tip.
class ScheduleView {
public:
    virtual ~ScheduleView() = default;

    virtual void SetText(int controlId, const std::string& text) = 0;
    virtual void SetEnabled(int controlId, bool enabled) = 0;
    virtual bool IsEnabled(int controlId) const = 0;

    // The progress bar clamps the position into its range.
    virtual void SetProgressRange(int low, int high) = 0;
    virtual void SetProgressPos(int pos) = 0;

    // The date picker's value (its time part is not used) and the time
    // picker's value (its date part is not used), as local calendar times.
    virtual DateTime PickedDate() const = 0;
    virtual DateTime PickedTime() const = 0;
    // An invalid value leaves the picker unchanged.
    virtual void SetPickedDate(const DateTime& value) = 0;
    virtual void SetPickedTime(const DateTime& value) = 0;

    // Starts (or restarts) a one-second timer whose ticks come at the start
    // of each wall-clock second and call ScheduleCore::OnTick; stops it.
    virtual void StartTimer(int timerId) = 0;
    virtual void StopTimer(int timerId) = 0;

    // The reminder before a destructive action, a tip at the bottom-right
    // corner of the desktop: shown with this markup, or changed to it in
    // place. False, with nothing shown, when the user closed the tip since it
    // was last shown.
    virtual bool ShowReminder(const std::string& markup) = 0;
    virtual void HideReminder() = 0;
};

}  // namespace velmora
