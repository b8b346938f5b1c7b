// The settings sheet over a settings file and an autostart folder
// ($XDG_CONFIG_HOME) in fresh temporary directories.
#include <sys/stat.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>

#include "app/core/AppPaths.h"
#include "fakes/TempDir.h"
#include "platform/linux/XdgAutostartEntry.h"
#include "settings/CSettingsSheet.h"
#include "storage/IniFile.h"

namespace velmora {

namespace {

struct Sheet {
    explicit Sheet(const std::string& settings = "") {
        test::WriteFile(dir.File("Velmora.ini"), "[General Settings]\n" + settings);
        sheet.show();
    }
    template <typename T = QAbstractButton>
    T* Find(int id) const {
        return sheet.findChild<T*>(QStringLiteral("id%1").arg(id));
    }
    std::string Stored(const char* key) const {
        IniFile ini(dir.File("Velmora.ini"));
        ini.Load();
        return ini.GetString("General Settings", key, "none");
    }
    void Choose(int index) const {
        Find<QComboBox>(152)->setCurrentIndex(index);
        Q_EMIT Find<QComboBox>(152)->activated(index);
    }
    QString Enabled() const {  // edit, ". . .", "&Select processes"
        return QStringLiteral("%1%2%3")
            .arg(Find<QWidget>(158)->isEnabled())
            .arg(Find<QWidget>(173)->isEnabled())
            .arg(Find<QWidget>(183)->isEnabled());
    }
    QString Tray() const {
        return Find(172)->isChecked() ? "Yes" : Find(154)->isChecked() ? "No" : "";
    }
    void ShowPage(int page) const {
        sheet.Tabs()->setCurrentIndex(1 - page);  // each show reloads the page
        sheet.Tabs()->setCurrentIndex(page);
    }

    test::TempDir dir;
    bool configHomeSet = qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("config")));
    std::string entry = dir.File("config/autostart/Velmora.desktop");
    XdgAutostartEntry autostart{AutostartEntryPath()};
    int processManagerRuns = 0;
    QString filter;
    std::string nextFile;
    CSettingsSheet sheet{SettingsSheetServices{dir.File("Velmora.ini"), "/share/Wake up.mp3",
                                               ExecutablePath(), autostart,
                                               [this] { ++processManagerRuns; },
                                               [this](QWidget*, const QString& f) {
                                                   filter = f;
                                                   return nextFile;
                                               }}};
};

}  // namespace

class SettingsSheetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void actionPageStoresEachChangeAndReloads();
    void trayPairAndTypedText();
    void pageKeysSwitchPagesBothWays();
    void startWithSessionIsTheAutostartEntry();
};

void SettingsSheetTest::actionPageStoresEachChangeAndReloads() {
    Sheet s("Action=1\nAlarmSound=\n");
    QCOMPARE(s.sheet.windowTitle(), QStringLiteral("General Settings"));
    QCOMPARE(s.sheet.Tabs()->tabText(0), QStringLiteral("Settings (Action)"));
    QVERIFY(!s.Find(12321)->isEnabled());
    QCOMPARE(s.Enabled(), QStringLiteral("000"));
    s.Choose(0);
    QCOMPARE(s.Stored("AlarmSound") + s.Stored("Action"), "/share/Wake up.mp30");
    QCOMPARE(s.Enabled(), QStringLiteral("110"));

    s.nextFile = s.dir.File("missing.wav");
    s.Find(173)->click();
    QCOMPARE(s.filter, QStringLiteral("Supported Files (*.mp3;*.wav*)"));
    QCOMPARE(s.Stored("AlarmSound"), "/share/Wake up.mp3");
    s.nextFile = s.dir.File("Velmora.ini");  // exists
    s.Find(173)->click();
    QCOMPARE(s.Stored("AlarmSound"), s.nextFile);

    s.Choose(6);
    QCOMPARE(s.Enabled(), QStringLiteral("001"));
    s.Find(183)->click();
    QCOMPARE(s.processManagerRuns, 1);

    test::WriteFile(s.dir.File("Velmora.ini"), "[General Settings]\nAction=9\n");
    s.ShowPage(0);
    QCOMPARE(s.Find<QComboBox>(152)->currentIndex(), -1);
    QCOMPARE(s.Enabled(), QStringLiteral("000"));
    s.Find(156)->click();
    QCOMPARE(s.Stored("Action") + s.Stored("AlternateOption"), "-11");
    s.Find(156)->click();
    QCOMPARE(s.Stored("AlternateOption"), "0");
}

void SettingsSheetTest::trayPairAndTypedText() {
    Sheet s("UseSystemTray=1\nAlarmSound=old.mp3\n");
    QCOMPARE(s.Tray(), "Yes");
    s.Find(172)->click();
    QCOMPARE(s.Stored("UseSystemTray") + s.Tray().toStdString(), "0No");
    s.Find(172)->click();
    QCOMPARE(s.Stored("UseSystemTray") + s.Tray().toStdString(), "1Yes");

    s.Find<QLineEdit>(158)->selectAll();
    QTest::keyClicks(s.Find<QLineEdit>(158), QStringLiteral("new.mp3"));
    QCOMPARE(s.Stored("AlarmSound"), "old.mp3");
    s.Find(154)->click();
    QCOMPARE(s.Stored("AlarmSound") + s.Tray().toStdString(), "new.mp3No");
}

void SettingsSheetTest::pageKeysSwitchPagesBothWays() {
    Sheet s;
    s.sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.sheet));
    const QList<QPair<Qt::Key, int>> steps = {
        {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 0}, {Qt::Key_PageUp, 1}, {Qt::Key_PageUp, 0}};
    for (const auto& [key, page] : steps) {
        QWidget* control = s.Find<QWidget>(s.sheet.Tabs()->currentIndex() == 0 ? 152 : 194);
        control->setFocus();  // the keys count where the focus is
        QTest::keyRelease(control, key);
        QCOMPARE(s.sheet.Tabs()->currentIndex(), page);
    }
}

void SettingsSheetTest::startWithSessionIsTheAutostartEntry() {
    Sheet s;
    s.ShowPage(1);
    QAbstractButton* box = s.Find(191);
    QVERIFY(!box->isChecked());
    box->click();
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    QVERIFY(test::ReadFile(s.entry).find("\nExec=\"" + exe + "\" -tray\n") != std::string::npos);
    box->click();
    QVERIFY(!std::filesystem::exists(s.entry));
    test::WriteFile(s.entry, "anything");
    s.ShowPage(1);
    QVERIFY(box->isChecked());
    std::filesystem::remove(s.entry);
    QCOMPARE(mkfifo(s.entry.c_str(), 0600), 0);
    QCOMPARE(s.autostart.Exists(), std::optional<bool>(true));  // never opened, so never blocks
    QVERIFY(!s.autostart.Write("x") && std::filesystem::is_fifo(s.entry));
    QVERIFY(s.autostart.Remove() && !std::filesystem::exists(s.entry));

    // A folder that cannot be written: the box stays as the click left it.
    std::filesystem::remove_all(s.dir.File("config"));
    test::WriteFile(s.dir.File("config"), "");
    s.ShowPage(1);
    box->click();
    QVERIFY(box->isChecked());

    s.Find(194)->click();
    s.sheet.reject();
    QCOMPARE(s.Stored("StartMinimized"), "1");
}

}  // namespace velmora

QTEST_MAIN(velmora::SettingsSheetTest)
#include "SettingsSheetTest.moc"
