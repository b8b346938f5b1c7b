// What the skinned controls draw, tell screen readers and do with focus,
// and how the main window and the About box wear them.
#include <QAccessible>
#include <QColorSpace>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QResource>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>
#include <memory>
#include <tuple>

#include "controls/BakedPicture.h"
#include "controls/CAboutDlg.h"
#include "controls/ColorLabel.h"
#include "controls/Pictures.h"
#include "controls/QuietStartStyle.h"
#include "controls/SkinBackground.h"
#include "controls/ThemeApi.h"
#include "controls/ThemedSkinButton.h"
#include "scheduler/core/ControlIds.h"
#include "scheduler/core/RemainingTime.h"
#include "scheduler/core/ScheduleCore.h"
#include "scheduler/core/ScheduleTexts.h"
#include "support/DialogFixture.h"

namespace velmora {

namespace {

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

QRgb Sys(const QWidget& w, QPalette::ColorRole role) {
    return w.palette().color(QPalette::Active, role).rgb();
}

// The box around every pixel inside the edges that is not the face.
QRect InkBox(const QImage& image, QRgb face) {
    QRect box;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            if (image.pixel(x, y) != face) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// Counts the paints each watched widget receives.
struct PaintCounter : QObject {
    QHash<QObject*, int> paints;
    QHash<QObject*, QRect> areas;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
            areas[watched] = static_cast<QPaintEvent*>(event)->rect();
        }
        return false;
    }
};

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class SkinControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frameFocusEngravingAndScreenReaders();
    void pressedMovesIconAndCaptionOnePixel();
    void themedFaceLetsThePictureThroughClassicDrawsTheEdge();
    void labelRepaintsOnlyOnChangeAndLeavesNoRemnant();
    void changedAreaHoldsEveryChangedPixel();
    void changedTextsShowAsAWholeRepaintShowsThem();
    void quietStartStyleDrawsAsItsBase();
    void picturesHaveTheirSizes();
    void mainWindowIsDressedAndTicksRepaintOnlyWhatChanged();
    void aboutToggleTwiceRestoresTitleAndCaption();
};

void SkinControlsTest::frameFocusEngravingAndScreenReaders() {
    QWidget window;
    auto* button = new SkinButton(QStringLiteral("&Go MMM"), &window);
    auto* next = new SkinButton(QStringLiteral("&Next"), &window);
    auto* edit = new QLineEdit(&window);
    button->resize(80, 26);
    next->move(0, 30);
    edit->move(0, 60);
    QFont font = button->font();
    font.setStyleStrategy(QFont::NoAntialias);
    button->setFont(font);
    ShowActive(window);
    const QRgb black = qRgb(0, 0, 0);
    edit->setFocus();
    QCOMPARE(Render(*button).pixel(0, 0), Sys(*button, QPalette::Light));  // the raised edge
    button->setFocus();
    const QImage focused = Render(*button);
    QCOMPARE(focused.pixel(0, 0), black);
    QCOMPARE(focused.pixel(79, 25), black);
    QCOMPARE(focused.pixel(1, 1), Sys(*button, QPalette::Light));
    edit->setFocus();
    button->setDefault(true);
    QCOMPARE(Render(*button).pixel(0, 0), black);

    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(button);
    QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Go MMM"));
    button->setEnabled(false);
    QVERIFY(reader->state().disabled);
    QVERIFY(next->hasFocus());  // though the button did not hold the focus
    QSet<QRgb> colours;
    const QImage image = Render(*button);
    for (int y = 3; y < 23; ++y) {
        for (int x = 3; x < 77; ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    QVERIFY(colours.contains(Sys(*button, QPalette::Light)));
    QVERIFY(colours.contains(Sys(*button, QPalette::Dark)));
    QVERIFY(!colours.contains(Sys(*button, QPalette::ButtonText)));

    // A double-click counts as two presses.
    QSignalSpy clicks(next, &QAbstractButton::clicked);
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseDClick(next, Qt::LeftButton);
    QTest::mouseRelease(next, Qt::LeftButton);
    QCOMPARE(clicks.count(), 2);
}

void SkinControlsTest::pressedMovesIconAndCaptionOnePixel() {
    SkinButton button(QStringLiteral("&Test shutdown"));
    button.resize(150, 28);
    QCOMPARE(button.SetIconResource(25), 0);
    const QRgb face = Sys(button, QPalette::Button);
    const QRect up = InkBox(Render(button), face);
    QVERIFY(up.left() == 3 && up.width() > 60);  // the icon at the margin, then the caption
    button.setDown(true);
    QImage down = Render(button);
    QCOMPARE(InkBox(down, face), up.translated(1, 1));
    QCOMPARE(down.pixel(0, 0), Sys(button, QPalette::Dark));  // the flat pressed frame
    QCOMPARE(button.SetIconResource(9999), 1);                // a missing icon
}

void SkinControlsTest::themedFaceLetsThePictureThroughClassicDrawsTheEdge() {
    QWidget window;
    window.resize(300, 200);
    const QImage skin = SkinBackground::Attach(&window, 31)->Picture().toImage();
    auto* button = new ThemedSkinButton(QStringLiteral("&Go"), &window);
    button->setGeometry(100, 100, 80, 28);
    button->setDefault(true);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    std::unique_ptr<QStyle> classic(QStyleFactory::create(QStringLiteral("Windows")));
    ThemeApi themed(fusion.get());
    ThemeApi plain(classic.get());
    QVERIFY(themed.IsAppThemed() && !plain.IsAppThemed());

    button->AttachTheme(&plain);
    QVERIFY(button->DrawsBorder());  // the classic style alone sets it
    button->Dress(&themed, 27);
    QVERIFY(Render(*button).pixel(0, 0) != qRgb(0, 0, 0));  // no frame of its own
    button->setEnabled(false);  // a disabled toolbar button has no face: the picture shows
    QCOMPARE(Render(*button).pixel(40, 1), skin.pixel(140, 101));

    button->setEnabled(true);
    button->AttachTheme(&plain);
    const QImage classicLook = Render(*button);
    QCOMPARE(classicLook.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(classicLook.pixel(78, 26), Sys(*button, QPalette::Shadow));
}

void SkinControlsTest::labelRepaintsOnlyOnChangeAndLeavesNoRemnant() {
    QWidget window;
    window.resize(320, 60);
    const QImage skin = SkinBackground::Attach(&window, 31)->Picture().toImage();
    auto* label = new ColorLabel(QStringLiteral("Waiting for a rather long command..."), &window);
    label->setGeometry(10, 10, 300, 16);
    ShowActive(window);
    PaintCounter counter;
    label->installEventFilter(&counter);
    window.installEventFilter(&counter);
    QCoreApplication::processEvents();

    counter.paints.clear();
    label->setText(label->text());
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints.value(label) + counter.paints.value(&window), 0);

    label->setText(QStringLiteral("Go"));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints.value(label), 1);
    QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), "Go");
    // On screen the old text is gone: the picture shows past the new one.
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
    for (int x = 60; x < 300; x += 3) {
        for (int y = 10; y < 26; ++y) {
            QCOMPARE(shown.pixel(x, y), skin.pixel(x, y));
        }
    }
    // The text is black over the light picture, whatever the desktop's colours.
    int black = 0;
    for (int x = 10; x < 40; ++x) {
        for (int y = 10; y < 26; ++y) {
            black += shown.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    QVERIFY(black > 0);
}

void SkinControlsTest::changedAreaHoldsEveryChangedPixel() {
    ColorLabel label;  // with the font it was made with: no font change yet
    label.setGeometry(0, 0, 400, 32);
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto shown = [&label](const QString& text) {
        label.setText(text);
        QImage image(label.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        label.render(&image);
        return image;
    };
    const QString clock = QStringLiteral("Monday 07 December 2026 06:15:");
    // {before, after, whether only a small part at the end may change}
    const QList<std::tuple<QString, QString, bool>> pairs = {
        {clock + "09", clock + "10", true},
        {QStringLiteral("00:00:59:59"), QStringLiteral("00:00:59:58"), true},
        {QStringLiteral("AVAVAVAV WAVE To"), QStringLiteral("AVAVAVAV WAVE Ta"), true},
        {QStringLiteral("Resume 1"), QStringLiteral("Resume\u0301 1"), true},
        {QStringLiteral("Remaining 123456789"), QStringLiteral("Remaining 1"), false},
        {QStringLiteral("fix ffi 11"), QStringLiteral("fix ffl 11"), false},
        {QStringLiteral("\u05d0\u05d1 12"), QStringLiteral("\u05d0\u05d1 13"), false},
    };
    auto check = [&](const QString& before, const QString& after, bool small) {
        const QImage a = shown(before);
        const QImage b = shown(after);
        const QRect area = label.AreaChangedBy(before, after);
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                QVERIFY2(a.pixel(x, y) == b.pixel(x, y) || area.contains(x, y),
                         qPrintable(
                             QStringLiteral("%1 -> %2 at %3,%4").arg(before, after).arg(x).arg(y)));
            }
        }
        QVERIFY2(!small || area.width() < label.width() / 4, qPrintable(after));
    };
    for (const auto& [before, after, small] : pairs) {
        check(before, after, small);
    }
    // A countdown that once changed far ahead then ticks at its end: each
    // tick repaints past all that stayed the same.
    check(QStringLiteral("00:00:00:00"), QStringLiteral("00:00:58:09"), false);
    check(QStringLiteral("00:00:58:09"), QStringLiteral("00:00:58:08"), true);
    QVERIFY(
        label.AreaChangedBy(QStringLiteral("00:00:58:08"), QStringLiteral("00:00:58:07")).left() >
        label.fontMetrics().horizontalAdvance(QStringLiteral("00:00:5")));
    // A new font is measured anew.
    check(clock + "09", clock + "10", true);
    QFont font = label.font();
    font.setPointSize(font.pointSize() * 2);
    label.setFont(font);
    check(QStringLiteral("abc1"), QStringLiteral("abc2"), false);
    check(clock + "10", clock + "11", false);
    check(QStringLiteral("Remaining 123456789"), QStringLiteral("Remaining 1"), false);
    // Where the start of the text may move, the whole label is repainted.
    QCOMPARE(
        label.AreaChangedBy(QStringLiteral("\u05d0\u05d1 12"), QStringLiteral("\u05d0\u05d1 13")),
        label.rect());
    for (Qt::Alignment align : {Qt::AlignRight, Qt::AlignHCenter}) {
        label.setAlignment(align | Qt::AlignVCenter);
        QCOMPARE(label.AreaChangedBy(clock + "09", clock + "10"), label.rect());
    }
    label.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label.setFrameShape(QFrame::Box);
    QCOMPARE(label.AreaChangedBy(clock + "09", clock + "10"), label.contentsRect());
}

void SkinControlsTest::changedTextsShowAsAWholeRepaintShowsThem() {
    // Two alike windows on the main window's picture, each with a label over
    // the picture alone, one over a framed box and one reaching past the
    // picture: one window's labels take their texts as the clock's ticks
    // give them, the other's are set and repainted whole.
    struct Sheet {
        QWidget window;
        ColorLabel* free = nullptr;
        ColorLabel* boxed = nullptr;
        ColorLabel* edge = nullptr;
        Sheet() {
            window.resize(600, 120);
            SkinBackground::Attach(&window, 31);
            auto* box = new QFrame(&window);
            box->setFrameShape(QFrame::Box);
            box->setGeometry(10, 60, 220, 30);
            free = new ColorLabel(QString(), &window);
            free->setGeometry(10, 20, 400, 17);
            boxed = new ColorLabel(QString(), &window);
            boxed->setGeometry(20, 67, 300, 16);
            edge = new ColorLabel(QString(), &window);
            edge->setGeometry(300, 95, 290, 16);
            window.show();
        }
        QImage Shown() { return window.screen()->grabWindow(window.winId()).toImage(); }
    };
    Sheet ticked;
    Sheet whole;
    QVERIFY(QTest::qWaitForWindowExposed(&ticked.window));
    QVERIFY(QTest::qWaitForWindowExposed(&whole.window));
    const std::int64_t start = test::FakeClock::LocalToEpochSeconds(2026, 12, 31, 23, 58, 50);
    const DateTime target = DateTime::FromEpochSeconds(start + 100000);
    for (std::int64_t second = start; second < start + 140; ++second) {
        const DateTime now = DateTime::FromEpochSeconds(second);
        const QString texts[] = {QString::fromStdString(DateAndTimeText(now, now)),
                                 QString::fromStdString(FormatRemainingTime(
                                     SplitRemainingTime(SpanInDays(target, now))))};
        ticked.free->ChangeText(texts[0]);
        ticked.boxed->ChangeText(texts[1]);
        ticked.edge->ChangeText(texts[0]);
        whole.free->setText(texts[0]);
        whole.boxed->setText(texts[1]);
        whole.edge->setText(texts[0]);
        QCoreApplication::processEvents();
        whole.window.repaint();
        QVERIFY2(ticked.Shown() == whole.Shown(), qPrintable(texts[0]));
    }
    // Ligatures and kerned pairs just ahead of a change.
    for (const char* end : {"fi 1", "fi 2", "2 ffi", "2 ffl", "2 fl", "AV 5", "To 6", "Yo 7"}) {
        const QString changed = QStringLiteral("Saved the file as draft ") + QLatin1String(end);
        ticked.free->ChangeText(changed);
        whole.free->setText(changed);
        QCoreApplication::processEvents();
        whole.window.repaint();
        QVERIFY2(ticked.Shown() == whole.Shown(), end);
    }
    // Over the picture alone the label paints the picture itself; elsewhere
    // it leaves the window to paint what lies under it.
    QVERIFY(ticked.free->testAttribute(Qt::WA_OpaquePaintEvent));
    ticked.window.repaint();
    QCOMPARE(ticked.Shown(), whole.Shown());
}

void SkinControlsTest::quietStartStyleDrawsAsItsBase() {
    const QSize size(16, 16);
    for (const char* name : {"fusion", "windows"}) {
        QStyle* base = QStyleFactory::create(QLatin1String(name));
        QuietStartStyle style(base);
        QCOMPARE(QuietStartStyle::Drawing(&style), base);
        QCOMPARE(ThemeApi(&style).IsAppThemed(), QLatin1String(name) == "fusion");
        // The overflow arrow is read late but is the base style's own, and
        // every other picture passes straight through.
        for (auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                           QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_DialogOkButton}) {
            const QIcon icon = style.standardIcon(which);
            QVERIFY(!icon.isNull());
            QCOMPARE(icon.pixmap(size).toImage(), base->standardIcon(which).pixmap(size).toImage());
        }
    }
}

void SkinControlsTest::picturesHaveTheirSizes() {
    for (int id : {25, 26, 27, 28, 29, 33, 34, 43, 48}) {
        QCOMPARE(IconPicture(id).size(), QSize(16, 16));
    }
    for (int id : {36, 37, 40, 44, 45, 49}) {
        QCOMPARE(IconPicture(id).size(), QSize(32, 32));
    }
    QCOMPARE(SkinPicture(31).size(), QSize(485, 351));
    QCOMPARE(SkinPicture(19).size(), QSize(416, 301));
    // Each is painted straight from its pixels baked at build time, the
    // same as its PNG's.
    for (const auto& [folder, id] : {std::pair{"bitmaps", 31}, {"icons", 49}, {"cursors", 144}}) {
        const QResource baked(QStringLiteral(":/baked/%1/%2.raw").arg(folder).arg(id));
        const QPixmap shown =
            QLatin1String(folder) == "bitmaps" ? SkinPicture(id) : IconPicture(id);
        QVERIFY(baked.isValid());
        if (QLatin1String(folder) != "cursors") {
            QCOMPARE(shown.toImage().constBits(), baked.data() + 16);
        }
        const QImage png(QStringLiteral(":/%1/%2.png").arg(folder).arg(id));
        const QImage pixels = BakedPicture(baked.data(), baked.size());
        // (the PNG's colour space is a label that painting does not use)
        QImage expected = png.convertToFormat(pixels.format());
        expected.setColorSpace(QColorSpace());
        QCOMPARE(pixels, expected);
        QCOMPARE(pixels.hasAlphaChannel(), png.hasAlphaChannel());
        // Anything but a whole baked picture is refused.
        QVERIFY(BakedPicture(baked.data(), baked.size() - 4).isNull());
        QByteArray damaged(reinterpret_cast<const char*>(baked.data()), baked.size());
        damaged[8] = 0x7f;  // a height beyond any picture's
        QVERIFY(BakedPicture(reinterpret_cast<const uchar*>(damaged.constData()), damaged.size())
                    .isNull());
    }
    // Without its picture a window keeps its plain background.
    QWidget window;
    window.resize(40, 40);
    SkinBackground::Attach(&window, 30);
    QCOMPARE(Render(window).pixel(20, 20), Sys(window, QPalette::Window));
}

void SkinControlsTest::mainWindowIsDressedAndTicksRepaintOnlyWhatChanged() {
    test::DialogFixture f(test::FakeClock::LocalToEpochSeconds(2026, 12, 6, 10, 0, 0) * 1000);
    SchedulerDialog& dialog = *f.dialog;
    const QList<QPair<int, int>> icons = {{159, 27}, {160, 28}, {57670, 26}, {2, 25},  {171, 33},
                                          {147, 29}, {170, 25}, {151, 34},   {153, 43}};
    for (const auto& [id, icon] : icons) {
        auto* button = dialog.findChild<ThemedSkinButton*>(QStringLiteral("id%1").arg(id));
        QVERIFY2(button && button->cursor().hotSpot() == QPoint(5, 0), qPrintable(button->text()));
        QCOMPARE(button->Icon().cacheKey(), IconPicture(icon).cacheKey());
    }
    QCOMPARE(dialog.findChildren<ColorLabel*>().size(), 14);
    QVERIFY(dialog.OnCommand(ID_ABOUT));
    QCOMPARE(f.opened, std::vector<std::string>{"about"});

    ShowActive(dialog);
    PaintCounter counter;
    for (ColorLabel* label : dialog.findChildren<ColorLabel*>()) {
        label->installEventFilter(&counter);
    }
    auto tick = [&] {
        counter.paints.clear();
        f.clock.AdvanceSeconds(1);
        dialog.Core().OnTick(kClockTimer);
        QCoreApplication::processEvents();
    };
    tick();  // the first tick fills in the process statistics
    tick();
    QCOMPARE(counter.paints.keys(), {dialog.findChild<QObject*>("id163")});  // the clock only
    QObject* clock = dialog.findChild<QObject*>("id163");
    QCOMPARE(counter.paints.value(clock), 1);
    // and only its last figures
    QVERIFY(counter.areas.value(clock).left() > static_cast<QWidget*>(clock)->width() / 3);
    QCOMPARE(static_cast<QLabel*>(clock)->text(),
             QStringLiteral("Sunday 06 December 2026 10:00:02"));
}

void SkinControlsTest::aboutToggleTwiceRestoresTitleAndCaption() {
    CAboutDlg about;
    auto* history = about.findChild<QPlainTextEdit*>(QStringLiteral("id193"));
    auto* toggle = about.findChild<QPushButton*>(QStringLiteral("id183"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("id149"))->text(),
             QStringLiteral(" extend possible under the law."));
    QVERIFY(about.findChild<QPushButton*>(QStringLiteral("id1"))->isDefault());
    const QStringList titles = {"Version History", "About Velmora", "Version History"};
    const QStringList captions = {"&About Velmora", "&Version History", "&About Velmora"};
    for (int press = 0; press < 3; ++press) {
        toggle->click();
        QCOMPARE(about.windowTitle(), titles[press]);
        QCOMPARE(toggle->text(), captions[press]);
        QCOMPARE(history->isVisibleTo(&about), press != 1);
    }
    QVERIFY(history->isReadOnly());
    QCOMPARE(history->toPlainText().split('\n').size(), 11);
    QCOMPARE(history->toPlainText().split('\n').last(), "Thank you for using Velmora :-);");
}

}  // namespace velmora

QTEST_MAIN(velmora::SkinControlsTest)
#include "SkinControlsTest.moc"
