// The work done ahead at start-up: which display plugin is loaded before the
// application, and the font thread ending on every path.
#include <QFontDatabase>
#include <QtTest>

#include "app/StartupWarmup.h"

using namespace velmora;

class StartupWarmupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheX11PluginOnlyWhenTheApplicationPicksIt() {
        QVERIFY(PicksX11Plugin("xcb", "wayland-0", "wayland", ""));
        QVERIFY(PicksX11Plugin("xcb:nograb", "", "", ""));
        QVERIFY(PicksX11Plugin("xcb;wayland", "", "", ":0"));
        QVERIFY(!PicksX11Plugin("wayland;xcb", "", "", ":0"));
        QVERIFY(!PicksX11Plugin("offscreen", "", "x11", ":0"));
        QVERIFY(!PicksX11Plugin("xcbx", "", "", ":0"));
        QVERIFY(PicksX11Plugin("", "", "", ":0"));
        QVERIFY(PicksX11Plugin("", "", "x11", ":0"));
        QVERIFY(!PicksX11Plugin("", "wayland-0", "x11", ":0"));
        QVERIFY(!PicksX11Plugin("", "", "wayland", ":0"));
        QVERIFY(!PicksX11Plugin("", "", "", ""));

        QVERIFY(!DisplayPluginPreload().Loaded());  // offscreen here
        qputenv("QT_QPA_PLATFORM", "xcb");
        QVERIFY(DisplayPluginPreload().Loaded());
        qputenv("QT_PLUGIN_PATH", "/nonexistent");
        QVERIFY(!DisplayPluginPreload().Loaded());
        qunsetenv("QT_PLUGIN_PATH");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // The thread ends whether or not the application came up, whether it
    // is already waiting or not, and whether it is waited for once or more;
    // the window's font is there after it.
    void theFontThreadEndsOnEveryPath() {
        {
            FontWarmup neverUp;
            QTest::qSleep(200);  // long enough for the thread to be waiting
        }
        FontWarmup fonts;
        fonts.ApplicationUp();
        fonts.Finish();
        fonts.Finish();
        fonts.ApplicationUp();
        QVERIFY(!QFontDatabase::families().isEmpty());
        QVERIFY(QFontMetrics(QApplication::font()).height() > 0);
    }
};

QTEST_MAIN(StartupWarmupTest)
#include "StartupWarmupTest.moc"
