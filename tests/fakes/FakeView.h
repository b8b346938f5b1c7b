#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "Journal.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora::test {

// The main window as the schedule sees it, starting as the window does: the
// Disable button disabled, no timer running. Texts, the bar position and the
// timer calls are journalled ("SetText 186 00:00:29:59", "StopTimer 2", ...).
class FakeView : public ScheduleView {
public:
    void SetText(int id, const std::string& text) override {
        texts[id] = text;
        journal.Record("SetText", id, text);
    }
    void SetEnabled(int id, bool on) override { enabled[id] = on; }
    bool IsEnabled(int id) const override { return enabled.count(id) == 0 || enabled.at(id); }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPos(int p) override {
        pos = p;
        journal.Record("SetProgressPos", p);
    }
    DateTime PickedDate() const override { return date; }
    DateTime PickedTime() const override { return time; }
    void SetPickedDate(const DateTime& v) override { date = v.IsValid() ? v : date; }
    void SetPickedTime(const DateTime& v) override { time = v.IsValid() ? v : time; }
    void StartTimer(int id) override {
        timers.insert(id);
        journal.Record("StartTimer", id);
    }
    void StopTimer(int id) override {
        timers.erase(id);
        journal.Record("StopTimer", id);
    }
    // The reminder's markup while it shows, empty otherwise. A user who
    // closed it makes the next show fail, as the window's tip does.
    bool ShowReminder(const std::string& markup) override {
        reminder = userClosed ? std::string() : markup;
        return !std::exchange(userClosed, false);
    }
    void HideReminder() override { reminder.clear(); }
    void Pick(int year, int month, int day, int hour, int minute, int second) {
        date = DateTime::FromFields(year, month, day, 0, 0, 0);
        time = DateTime::FromFields(year, month, day, hour, minute, second);
    }

    std::map<int, std::string> texts;
    std::map<int, bool> enabled{{IDC_DISABLE, false}};
    std::pair<int, int> range{0, 100};
    int pos = 0;
    DateTime date, time;
    std::set<int> timers;
    std::string reminder;
    bool userClosed = false;
    Journal journal;
};

}  // namespace velmora::test
