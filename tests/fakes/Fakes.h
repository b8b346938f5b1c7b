#pragma once

// The platform interfaces as tests drive them. Each fake journals the calls it
// receives as "Name arg ..." (flags as 0/1), also into `shared` when set, so a
// test can check the order of calls across fakes.
#include <ctime>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fakes/TempDir.h"
#include "platform/AlarmPlayer.h"
#include "platform/Clock.h"
#include "platform/DesktopNotifier.h"
#include "platform/MessagePrompt.h"
#include "platform/ProcessTable.h"
#include "platform/SessionControl.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleView.h"

namespace velmora::test {

struct Journal {
    template <typename... Args>
    void Record(const char* name, const Args&... args) {
        std::ostringstream entry;
        entry << name;
        ((entry << ' ' << args), ...);
        calls.push_back(entry.str());
        if (shared != nullptr) {
            shared->push_back(calls.back());
        }
    }
    // Records the call and returns `result`.
    template <typename R, typename... Args>
    R Log(R result, const char* name, const Args&... args) {
        Record(name, args...);
        return result;
    }
    std::vector<std::string> calls;
    std::vector<std::string>* shared = nullptr;
};

// A clock that stands still until the test sets it.
struct FakeClock : Clock {
    std::int64_t NowMilliseconds() const override { return ms; }
    void Set(std::int64_t value) { ms = value; }
    void AdvanceSeconds(std::int64_t seconds) { ms += seconds * 1000; }
    void SetLocal(int y, int mo, int d, int h, int mi, int s, int msec = 0) {
        ms = LocalToEpochSeconds(y, mo, d, h, mi, s) * 1000 + msec;
    }
    // A local time of the process's time zone, daylight saving as the zone decides.
    static std::int64_t LocalToEpochSeconds(int y, int mo, int d, int h, int mi, int s) {
        std::tm t{};
        t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d;
        t.tm_hour = h, t.tm_min = mi, t.tm_sec = s, t.tm_isdst = -1;
        return std::mktime(&t);
    }
    std::int64_t ms = 0;
};

// Every message box, in `shown` and journalled as "<Kind> <text>". A question
// takes one of the Yes answers given beforehand, else it is No.
struct FakePrompt : MessagePrompt {
    enum class Kind { Information, Stop, Question, Notice };
    struct Shown {
        Kind kind;
        std::string text;
    };
    void Information(std::string_view text) override { Show(Kind::Information, text); }
    void Stop(std::string_view text) override { Show(Kind::Stop, text); }
    bool Question(std::string_view text) override {
        Show(Kind::Question, text);
        return yesAnswers > 0 && yesAnswers-- > 0;
    }
    void Notice(std::string_view text) override { Show(Kind::Notice, text); }
    void AnswerYes() { ++yesAnswers; }
    std::string LastText() const { return shown.empty() ? std::string() : shown.back().text; }

    std::vector<Shown> shown;
    int yesAnswers = 0;
    Journal journal;
    void Show(Kind kind, std::string_view text) {
        shown.push_back({kind, std::string(text)});
        static constexpr const char* kNames[] = {"Information", "Stop", "Question", "Notice"};
        journal.Record(kNames[static_cast<int>(kind)], text);
    }
};

// Journals "CanExit 1 0", "Exit 2 1", "ForcePowerOff 0", "SetSystemPowerState
// 1 1 0" and answers as set. Nothing is ever ended.
struct FakeSession : SessionControl {
    SessionOutcome CanExit(ExitRequest r, bool interactive) override {
        return journal.Log(canExit, "CanExit", static_cast<int>(r), interactive);
    }
    SessionOutcome Exit(ExitRequest r, bool interactive) override {
        return journal.Log(exit, "Exit", static_cast<int>(r), interactive);
    }
    SessionOutcome ForcePowerOff(bool interactive) override {
        return journal.Log(powerOff, "ForcePowerOff", interactive);
    }
    SessionOutcome SetSystemPowerState(bool suspend, bool force, bool interactive) override {
        return journal.Log(sleep, "SetSystemPowerState", suspend, force, interactive);
    }
    SessionOutcome canExit, exit, powerOff, sleep;
    Journal journal;
};

// Made-up processes after the idle task (pid 0) as entry 0, like the real
// table. A terminated process leaves the table.
struct FakeProcessTable : ProcessTable {
    FakeProcessTable() { Add(0, "idle"); }
    void Add(int pid, const std::string& name, int threads = 1, const std::string& path = "") {
        entries.push_back({pid, 1, name, threads, path});
    }
    std::vector<ProcessEntry> Snapshot() const override {
        if (onSnapshot) {
            onSnapshot();  // lets a test act between the list's reading and the snapshot
        }
        return entries;
    }
    bool Terminate(const ProcessEntry& target) override {
        ended.push_back(target.pid);
        return std::erase_if(entries, [&](const ProcessEntry& e) {
                   return e.pid == target.pid && e.startTime == target.startTime;
               }) > 0;
    }
    ProcessCounts Counts() const override {
        ++countsAsked;
        ProcessCounts counts{static_cast<int>(entries.size()), 0};
        for (const ProcessEntry& e : entries) {
            counts.threads += e.threads;
        }
        return counts;
    }
    bool ReadNice(const ProcessEntry&, int&) const override { return false; }
    bool SetNice(const ProcessEntry&, int) override { return false; }
    std::vector<ProcessEntry> entries;
    std::vector<int> ended;  // pids asked to end, in order
    std::function<void()> onSnapshot;
    mutable int countsAsked = 0;
};

// Journals "Play <path>", "Stop" and "Close"; a played file stays open until Close.
struct FakeAlarm : AlarmPlayer {
    void Play(const std::string& path) override { open = journal.Log(true, "Play", path); }
    void Stop() override { journal.Record("Stop"); }
    void Close() override { open = journal.Log(false, "Close"); }
    bool IsOpen() const override { return open; }
    bool open = false;
    Journal journal;
};

// The main window as the schedule sees it, starting as the window does: the
// Disable button disabled, no timer running. Timer calls are journalled.
struct FakeView : ScheduleView {
    void SetText(int id, const std::string& text) override { texts[id] = text; }
    void SetEnabled(int id, bool on) override { enabled[id] = on; }
    bool IsEnabled(int id) const override { return !enabled.contains(id) || enabled.at(id); }
    void SetProgressRange(int low, int high) override { range = {low, high}; }
    void SetProgressPos(int p) override { pos = p; }
    DateTime PickedDate() const override { return date; }
    DateTime PickedTime() const override { return time; }
    void SetPickedDate(const DateTime& v) override { date = v.IsValid() ? v : date; }
    void SetPickedTime(const DateTime& v) override { time = v.IsValid() ? v : time; }
    void StartTimer(int id) override { timers.insert(journal.Log(id, "StartTimer", id)); }
    void StopTimer(int id) override { timers.erase(journal.Log(id, "StopTimer", id)); }
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

// Journals "Show <title> <body>" and "Close"; `onDisable` is what the notice's
// "Disable" runs.
struct FakeNotifier : DesktopNotifier {
    void Show(const std::string& title, const std::string& body) override {
        journal.Record("Show", title, body);
    }
    void Close() override { journal.Record("Close"); }
    void SetOnDisable(std::function<void()> f) override { onDisable = std::move(f); }
    std::function<void()> onDisable;
    Journal journal;
};

// A schedule over fakes with its settings files in a fresh directory. The
// timers, message boxes, session requests and alarm calls are also journalled
// into `events`, in order.
struct FakeScheduleEnv {
    FakeScheduleEnv() {
        for (Journal* j : {&view.journal, &prompt.journal, &session.journal, &alarm.journal}) {
            j->shared = &events;
        }
    }
    std::string SettingsFile() const { return dir.File("Velmora.ini"); }
    std::string ProcessListFile() const { return dir.File("Process.ini"); }
    void Settings(const std::string& lines) const {
        WriteFile(SettingsFile(), "[General Settings]\n" + lines);
    }
    // Sets the clock to a local time on 14 May 2024 and lets one timer tick.
    void TickAt(int hour, int minute, int second, int ms = 0, int timerId = kClockTimer) {
        clock.SetLocal(2024, 5, 14, hour, minute, second, ms);
        core.OnTick(timerId);
    }

    TempDir dir;
    FakeView view;
    FakeClock clock;
    FakePrompt prompt;
    FakeSession session;
    FakeProcessTable processes;
    FakeAlarm alarm;
    FakeNotifier notifier;
    std::vector<std::string> events;
    ScheduleCore core{ScheduleServices{view, clock, prompt, session, processes, alarm, &notifier},
                      SchedulePaths{SettingsFile(), ProcessListFile()}};
};

}  // namespace velmora::test
