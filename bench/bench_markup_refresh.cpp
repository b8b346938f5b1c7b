// The reminder tip refreshed with a new countdown text again and again, as
// it would be once a second: prints the time per refresh (measure, compose
// and paint), how often the tip was hidden (0: no flicker) and how much the
// process grew between the first and the last thousand refreshes.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string>

#include "markup/MarkupTooltip.h"
#include "markup/core/TipBackground.h"

namespace {

long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

struct HideCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide ? 1 : 0;
        return false;
    }
    int hides = 0;
};

std::string Reminder(int seconds) {
    char countdown[32];
    std::snprintf(countdown, sizeof countdown, "00:00:%02d:%02d", seconds / 60 % 60, seconds % 60);
    return std::string("<b><ct=0x0000FF><al_c>Velmora Reminder</b><br><ct=0x00AA00><hr=100%>") +
           "</ct><br><br>Your computer will Hibernate in <br>" + countdown + "<br><br><br>";
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int refreshes = argc > 1 ? std::max(2000, std::atoi(argv[1])) : 20000;
    QWidget window;
    window.setGeometry(100, 100, 480, 327);
    window.show();
    velmora::MarkupTooltip tip;
    tip.Create(&window, true);
    tip.SetEffect(velmora::EffectBrushed, 2);
    tip.SetDelayTime(velmora::MarkupTooltip::kDelayAutoPop, 0);  // shown until the end
    HideCounter counter;
    tip.installEventFilter(&counter);

    long afterFirst = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < refreshes; ++i) {
        tip.ShowHelpTooltip(QPoint(50, 40), Reminder(refreshes - i), QPixmap());
        app.processEvents();
        if (i == 999) {
            afterFirst = ResidentKb();
        }
    }
    const double perRefreshUs = static_cast<double>(timer.nsecsElapsed()) / 1000.0 / refreshes;
    std::printf(
        "refreshes %d: %.1f us each, tip hidden %d times, growth after the first 1000: "
        "%ld kB\n",
        refreshes, perRefreshUs, counter.hides, ResidentKb() - afterFirst);
    return 0;
}
