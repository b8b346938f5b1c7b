// The tooltip window: a help tip's size, place and shape, its shadow over
// what lies under it, how it is hidden, and a text that changes in place.
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "markup/MarkupTooltip.h"
#include "markup/QtMarkupCanvas.h"
#include "scheduler/core/ControlIds.h"
#include "support/DialogFixture.h"

namespace velmora {

namespace {

// Counts the times a widget is hidden.
struct HideCounter : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        hides += event->type() == QEvent::Hide ? 1 : 0;
        return false;
    }
    int hides = 0;
};

// A plain window in one colour for the tip to lie over.
struct Backdrop {
    explicit Backdrop(QColor colour) {
        window.setGeometry(100, 100, 400, 300);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colour);
        window.setPalette(palette);
        window.show();
    }
    QWidget window;
};

}  // namespace

class MarkupTooltipTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpTipHasItsComputedSizePlaceAndShape();
    void shadowDarkensWhatLiesUnderTheTip();
    void mainWindowTipHidesOnRelayedClickAndTimer();
    void changedTextRepaintsInPlace();
};

void MarkupTooltipTest::helpTipHasItsComputedSizePlaceAndShape() {
    Backdrop under(Qt::white);
    MarkupTooltip tip;
    QVERIFY(!tip.Create(nullptr, true));
    QVERIFY(tip.Create(&under.window, true));
    tip.ShowHelpTooltip(QPoint(50, 60), "<b>Hello</b><br>world", QPixmap());
    QVERIFY(tip.isVisible());
    QCOMPARE(tip.objectName(), QStringLiteral("VelmoraTipWnd"));
    QVERIFY(tip.isWindow() && tip.windowType() == Qt::ToolTip);
    // Text, margins 12, shadow 4 and anchor 16, then 2 more each way.
    const int w = tip.TextSize().width + 28, h = tip.TextSize().height + 44;
    QCOMPARE(tip.size(), QSize(w + 2, h + 2));
    QCOMPARE(tip.pos(), QPoint(150 - 16, 160));  // below and right of the point
    QCOMPARE(tip.PlacementDirection(), 3);

    const QRegion mask = tip.mask();
    QVERIFY(mask.contains(QPoint(16, 3)));     // the anchor
    QVERIFY(!mask.contains(QPoint(30, 3)));    // beside it
    QVERIFY(!mask.contains(QPoint(0, 16)));    // a rounded corner
    QVERIFY(mask.contains(QPoint(0, 30)));     // the body's edge
    QVERIFY(mask.contains(QPoint(w / 2, h)));  // the shadow below the body
    QVERIFY(!mask.contains(QPoint(w / 2, h + 1)));
}

void MarkupTooltipTest::shadowDarkensWhatLiesUnderTheTip() {
    const QColor colour(0x40, 0xC0, 0xFF);
    Backdrop under(colour);
    QVERIFY(QTest::qWaitForWindowExposed(&under.window));
    MarkupTooltip tip;
    tip.Create(&under.window, true);
    tip.ShowHelpTooltip(QPoint(50, 60), "Tip", QPixmap());
    QTRY_COMPARE(tip.DisplayedTool(), MarkupTooltip::kHelpTip);

    const QImage picture = tip.grab().toImage();
    const int w = tip.width() - 2, h = tip.height() - 2;
    const QColor shadow = ToQColor(tip.Colours()[24]);
    const QColor darkened(0x40 & shadow.red(), 0xC0 & shadow.green(), 0xFF & shadow.blue());
    QCOMPARE(picture.pixelColor(w / 2, h), darkened);
    QCOMPARE(picture.pixelColor(4, h / 2), ToQColor(tip.Colours()[18]));  // background
    QCOMPARE(picture.pixelColor(0, h / 2), ToQColor(tip.Colours()[25]));  // border
}

void MarkupTooltipTest::mainWindowTipHidesOnRelayedClickAndTimer() {
    test::DialogFixture f;
    f.dialog->show();
    auto* tip = f.dialog->findChild<MarkupTooltip*>(QStringLiteral("VelmoraTipWnd"));
    QVERIFY(tip != nullptr);
    auto* hideTimer = tip->findChild<QTimer*>(QStringLiteral("timer257"));
    tip->ShowHelpTooltip(QPoint(30, 30), "<b>Reminder</b>", QPixmap());
    QVERIFY(tip->isVisible());
    QVERIFY(hideTimer->isActive());
    QCOMPARE(hideTimer->interval(), 10000);

    // A control that takes the click itself: the press never reaches the window.
    QTest::mouseClick(f.dialog->findChild<QPushButton*>(QStringLiteral("id%1").arg(IDC_HELP)),
                      Qt::LeftButton);
    QCOMPARE(f.helpOpened, 1);
    QVERIFY(!tip->isVisible());
    QCOMPARE(tip->DisplayedTool(), -1);

    tip->SetDelayTime(MarkupTooltip::kDelayAutoPop, 30);
    tip->ShowHelpTooltip(QPoint(30, 30), "<b>Reminder</b>", QPixmap());
    QVERIFY(tip->isVisible());
    QTRY_VERIFY(!tip->isVisible());
}

void MarkupTooltipTest::changedTextRepaintsInPlace() {
    Backdrop under(Qt::white);
    MarkupTooltip tip;
    tip.Create(&under.window, true);
    HideCounter counter;
    tip.installEventFilter(&counter);
    tip.ShowHelpTooltip(QPoint(50, 60), "ab", QPixmap());
    QTRY_COMPARE(tip.DisplayedTool(), MarkupTooltip::kHelpTip);
    const QRect shown = tip.geometry();

    tip.ShowHelpTooltip(QPoint(50, 60), "ab", QPixmap());
    QCOMPARE(tip.PendingTool(), -1);  // the same text is not painted again
    tip.ShowHelpTooltip(QPoint(50, 60), "ba", QPixmap());
    QCOMPARE(tip.PendingTool(), MarkupTooltip::kHelpTip);
    QTRY_COMPARE(tip.DisplayedTool(), MarkupTooltip::kHelpTip);
    QCOMPARE(tip.geometry(), shown);

    tip.ShowHelpTooltip(QPoint(50, 60), "ab<br>cd", QPixmap());
    QTRY_COMPARE(tip.DisplayedTool(), MarkupTooltip::kHelpTip);
    QVERIFY(tip.height() > shown.height());
    QCOMPARE(tip.pos(), shown.topLeft());
    QCOMPARE(counter.hides, 0);
}

}  // namespace velmora

QTEST_MAIN(velmora::MarkupTooltipTest)
#include "MarkupTooltipTest.moc"
