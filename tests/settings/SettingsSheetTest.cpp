// The settings sheet over a settings file and an autostart folder
// ($XDG_CONFIG_HOME) in fresh temporary directories.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
    int Int(const char* key) const {
        IniFile ini(dir.File("Velmora.ini"));
        ini.Load();
        return ini.GetInt("General Settings", key, -99);
    }
    std::string Sound() const {
        IniFile ini(dir.File("Velmora.ini"));
        ini.Load();
        return ini.GetString("General Settings", "AlarmSound", "?");
    }
    void Choose(int index) const {
        Find<QComboBox>(152)->setCurrentIndex(index);
        Q_EMIT Find<QComboBox>(152)->activated(index);
    }
    QString Enabled() const {  // edit, ". . .", "&Select processes"
        QString s;
        for (int id : {158, 173, 183}) {
            s += Find<QWidget>(id)->isEnabled() ? '1' : '0';
        }
        return s;
    }

    test::TempDir dir;
    bool configHomeSet = qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("config")));
    XdgAutostartEntry autostart{AutostartEntryPath()};
    int processManagerRuns = 0;
    QString filter;
    std::string nextFile;
    CSettingsSheet sheet{
        SettingsSheetServices{dir.File("Velmora.ini"), "/usr/share/velmora/Sound/Wake up.mp3",
                              ExecutablePath(), autostart, [this] { ++processManagerRuns; },
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
    void strangeAutostartEntriesAreLeftAlone();
};

void SettingsSheetTest::actionPageStoresEachChangeAndReloads() {
    Sheet s("Action=1\nAlarmSound=\n");
    QCOMPARE(s.sheet.windowTitle(), QStringLiteral("General Settings"));
    QCOMPARE(s.sheet.Tabs()->tabText(0), QStringLiteral("Settings (Action)"));
    QVERIFY(!s.Find(12321)->isEnabled());
    QCOMPARE(s.Enabled(), QStringLiteral("000"));
    s.Choose(0);
    QCOMPARE(s.Sound(), std::string("/usr/share/velmora/Sound/Wake up.mp3"));
    QCOMPARE(s.Int("Action"), 0);
    QCOMPARE(s.Enabled(), QStringLiteral("110"));

    s.nextFile = s.dir.File("missing.wav");
    s.Find(173)->click();
    QCOMPARE(s.filter, QStringLiteral("Supported Files (*.mp3;*.wav*)"));
    s.nextFile = s.dir.File("Velmora.ini");  // exists
    s.Find(173)->click();
    QCOMPARE(s.Sound(), s.dir.File("Velmora.ini"));

    s.Choose(6);
    QCOMPARE(s.Enabled(), QStringLiteral("001"));
    s.Find(183)->click();
    QCOMPARE(s.processManagerRuns, 1);

    test::WriteFile(s.dir.File("Velmora.ini"), "[General Settings]\nAction=9\n");
    s.sheet.Tabs()->setCurrentIndex(1);
    s.sheet.Tabs()->setCurrentIndex(0);
    QCOMPARE(s.Find<QComboBox>(152)->currentIndex(), -1);
    QCOMPARE(s.Enabled(), QStringLiteral("000"));
    s.Find(156)->click();
    QCOMPARE(s.Int("Action"), -1);
    QCOMPARE(s.Int("AlternateOption"), 1);
}

void SettingsSheetTest::trayPairAndTypedText() {
    Sheet s("UseSystemTray=1\nAlarmSound=old.mp3\n");
    QVERIFY(s.Find(172)->isChecked() && !s.Find(154)->isChecked());
    s.Find(172)->click();
    QCOMPARE(s.Int("UseSystemTray"), 0);
    QVERIFY(!s.Find(172)->isChecked() && s.Find(154)->isChecked());
    s.Find(172)->click();
    QCOMPARE(s.Int("UseSystemTray"), 1);

    s.Find<QLineEdit>(158)->selectAll();
    QTest::keyClicks(s.Find<QLineEdit>(158), QStringLiteral("new.mp3"));
    QCOMPARE(s.Sound(), std::string("old.mp3"));
    s.Find(154)->click();
    QCOMPARE(s.Sound(), std::string("new.mp3"));
    QVERIFY(!s.Find(172)->isChecked() && s.Find(154)->isChecked());
}

void SettingsSheetTest::pageKeysSwitchPagesBothWays() {
    Sheet s;
    s.sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.sheet));
    const QList<QPair<Qt::Key, int>> steps = {
        {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 0}, {Qt::Key_PageUp, 1}, {Qt::Key_PageUp, 0}};
    for (const auto& [key, page] : steps) {
        QWidget* control = s.Find<QWidget>(s.sheet.Tabs()->currentIndex() == 0 ? 152 : 194);
        control->setFocus();
        QTest::keyRelease(control, key);
        QCOMPARE(s.sheet.Tabs()->currentIndex(), page);
    }
}

void SettingsSheetTest::startWithSessionIsTheAutostartEntry() {
    Sheet s;
    s.sheet.Tabs()->setCurrentIndex(1);
    const std::string entry = s.dir.File("config/autostart/Velmora.desktop");
    QAbstractButton* box = s.Find(191);
    QVERIFY(!box->isChecked());
    box->click();
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
    QVERIFY(test::ReadFile(entry).find("\nExec=\"" + exe + "\" -tray\n") != std::string::npos);
    box->click();
    QVERIFY(!std::filesystem::exists(entry));

    test::WriteFile(entry, "anything");
    s.sheet.Tabs()->setCurrentIndex(0);
    s.sheet.Tabs()->setCurrentIndex(1);
    QVERIFY(box->isChecked());

    s.Find(194)->click();
    QCOMPARE(s.Int("StartMinimized"), 1);
    s.sheet.reject();
    QCOMPARE(s.Int("StartMinimized"), 1);
}

void SettingsSheetTest::strangeAutostartEntriesAreLeftAlone() {
    Sheet s;
    const std::string entry = s.dir.File("config/autostart/Velmora.desktop");
    std::filesystem::create_directories(s.dir.File("config/autostart"));
    QCOMPARE(mkfifo(entry.c_str(), 0600), 0);
    QCOMPARE(s.autostart.Exists(), std::optional<bool>(true));  // never opened, so never blocks
    QVERIFY(!s.autostart.Write("x"));
    QVERIFY(std::filesystem::is_fifo(entry));
    QVERIFY(s.autostart.Remove() && !std::filesystem::exists(entry));

    // A folder that cannot be written: the box stays as the click left it.
    std::filesystem::remove_all(s.dir.File("config"));
    test::WriteFile(s.dir.File("config"), "");
    s.sheet.Tabs()->setCurrentIndex(1);
    s.Find(191)->click();
    QVERIFY(s.Find(191)->isChecked());
}

}  // namespace velmora

QTEST_MAIN(velmora::SettingsSheetTest)
#include "SettingsSheetTest.moc"
