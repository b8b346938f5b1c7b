#pragma once

#include <map>
#include <set>
#include <string>

#include "Journal.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora::test {

// The main window as the schedule sees it, starting as the window does: the
// Enable button enabled, the Disable button disabled, no timer running.
// Every call is journalled ("SetText 186 00:00:29:59", "SetEnabled 159 0",
// "SetProgressRange 0 30", "SetProgressPos 20", "StartTimer 1",
// "StopTimer 2", "SetPickedDate ...", "SetPickedTime ...").
class FakeView : public ScheduleView {
public:
    FakeView() { enabled[IDC_DISABLE] = false; }

    void SetText(int id, const std::string& text) override {
        texts[id] = text;
        journal.Record("SetText " + std::to_string(id) + " " + text);
    }
    void SetEnabled(int id, bool on) override {
        enabled[id] = on;
        journal.Record("SetEnabled " + std::to_string(id) + " " + (on ? "1" : "0"));
    }
    bool IsEnabled(int id) const override {
        const auto it = enabled.find(id);
        return it == enabled.end() || it->second;
    }
    void SetProgressRange(int low, int high) override {
        rangeLow = low;
        rangeHigh = high;
        journal.Record("SetProgressRange " + std::to_string(low) + " " + std::to_string(high));
    }
    void SetProgressPos(int p) override {
        pos = p;
        journal.Record("SetProgressPos " + std::to_string(p));
    }
    DateTime PickedDate() const override { return date; }
    DateTime PickedTime() const override { return time; }
    void SetPickedDate(const DateTime& value) override {
        journal.Record("SetPickedDate " + FormatDateText(value, true));
        if (value.IsValid()) {
            date = value;
        }
    }
    void SetPickedTime(const DateTime& value) override {
        journal.Record("SetPickedTime " + FormatDateText(value, true));
        if (value.IsValid()) {
            time = value;
        }
    }
    void StartTimer(int id) override {
        timers.insert(id);
        journal.Record("StartTimer " + std::to_string(id));
    }
    void StopTimer(int id) override {
        timers.erase(id);
        journal.Record("StopTimer " + std::to_string(id));
    }

    // Sets both pickers to one local calendar time.
    void Pick(int year, int month, int day, int hour, int minute, int second) {
        date = DateTime::FromFields(year, month, day, 0, 0, 0);
        time = DateTime::FromFields(year, month, day, hour, minute, second);
    }
    std::string Text(int id) const {
        const auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    bool TimerRunning(int id) const { return timers.count(id) != 0; }

    std::map<int, std::string> texts;
    std::map<int, bool> enabled;
    int rangeLow = 0;
    int rangeHigh = 100;
    int pos = 0;
    DateTime date;
    DateTime time;
    std::set<int> timers;
    Journal journal;
};

}  // namespace velmora::test
