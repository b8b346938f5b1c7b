#include "controls/SkinButton.h"

#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "controls/Pictures.h"

namespace velmora {

namespace {

PixelRect ToPixelRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect ToQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Inset of the focus rectangle inside the face.
constexpr int kFocusInset = 3;

// A one-pixel frame just inside the rectangle.
void FrameRect(QPainter& painter, const QRect& r, const QColor& color) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

}  // namespace

SkinButton::SkinButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    connect(this, &QAbstractButton::clicked, this, &SkinButton::OnClicked);
}

int SkinButton::SetIconResource(int iconId) {
    return SetIcon(IconPicture(iconId));
}

int SkinButton::SetIcon(const QPixmap& icon) {
    icon_ = icon;
    update();
    return icon_.isNull() ? 1 : 0;
}

int SkinButton::SetHandCursor(int cursorId, bool repaint) {
    unsetCursor();
    if (cursorId == 0) {
        return 0;
    }
    QCursor hand;
    if (!LoadCursorPicture(cursorId, hand)) {
        return 1;
    }
    setCursor(hand);
    if (repaint) {
        update();
    }
    return 0;
}

int SkinButton::SetDropMenu(QMenu* menu, QObject* owner, CommandSink sink, bool repaint) {
    menu_ = menu;
    menuOwner_ = menu != nullptr ? owner : nullptr;
    sink_ = menu != nullptr ? std::move(sink) : CommandSink();
    menuOpen_ = false;
    if (menu != nullptr && repaint) {
        update();
    }
    return 0;
}

int SkinButton::SetDrawBorder(bool drawBorder, bool repaint) {
    drawBorder_ = drawBorder;
    if (repaint) {
        update();
    }
    return 0;
}

void SkinButton::paintEvent(QPaintEvent*) {
    pressed_ = isDown() || (menu_ != nullptr && menuOpen_);
    focused_ = hasFocus();
    disabled_ = !isEnabled();

    QPainter painter(this);
    QRect item = rect();
    DrawBackground(painter, item);
    DrawBorder(painter, item);

    const QString caption = text();
    QRect captionRect = rect();
    if (!icon_.isNull()) {
        DrawIcon(painter, !caption.isEmpty(), rect(), captionRect);
    }
    if (!caption.isEmpty()) {
        DrawCaption(painter, caption, captionRect);
    }
    if (focused_) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = item.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
        option.backgroundColor = palette().color(QPalette::Active, QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void SkinButton::DrawBackground(QPainter& painter, QRect& item) {
    if (focused_ || isDefault()) {
        FrameRect(painter, item, Qt::black);
        item.adjust(1, 1, -1, -1);
    }
    // Pressed, focused and normal faces all take the system button colour.
    painter.fillRect(item, palette().color(QPalette::Active, QPalette::Button));
}

void SkinButton::DrawBorder(QPainter& painter, const QRect& item) {
    const QPalette& pal = palette();
    auto color = [&pal](QPalette::ColorRole role) { return pal.color(QPalette::Active, role); };
    const int l = item.left();
    const int t = item.top();
    const int r = item.left() + item.width();  // just outside, like b
    const int b = item.top() + item.height();
    auto hline = [&painter](int x1, int x2, int y, const QColor& c) {
        painter.fillRect(QRect(QPoint(x1, y), QPoint(x2, y)), c);
    };
    auto vline = [&painter](int x, int y1, int y2, const QColor& c) {
        painter.fillRect(QRect(QPoint(x, y1), QPoint(x, y2)), c);
    };
    if (pressed_) {
        FrameRect(painter, item, color(QPalette::Dark));
        return;
    }
    // A raised edge: light above and left, shadow below and right, each
    // two pixels deep.
    vline(l, t, b - 1, color(QPalette::Light));
    hline(l, r - 1, t, color(QPalette::Light));
    vline(l + 1, t + 1, b - 1, color(QPalette::Midlight));
    hline(l + 1, r - 1, t + 1, color(QPalette::Midlight));
    hline(l, r - 2, b - 1, color(QPalette::Shadow));
    vline(r - 1, t, b - 1, color(QPalette::Shadow));
    hline(l + 1, r - 3, b - 2, color(QPalette::Dark));
    vline(r - 2, t + 1, b - 2, color(QPalette::Dark));
}

void SkinButton::DrawIcon(QPainter& painter, bool hasCaption, const QRect& item, QRect& caption) {
    const QSize size = icon_.deviceIndependentSize().toSize();
    PixelRect captionEdges = ToPixelRect(caption);
    const PixelRect place = PlaceIcon(hasCaption, ToPixelRect(item), captionEdges, pressed_,
                                      size.width(), size.height());
    caption = ToQRect(captionEdges);
    if (disabled_) {
        QStyleOption option;
        option.initFrom(this);
        painter.drawPixmap(place.left, place.top,
                           style()->generatedIconPixmap(QIcon::Disabled, icon_, &option));
    } else {
        painter.drawPixmap(place.left, place.top, icon_);
    }
}

void SkinButton::DrawCaption(QPainter& painter, const QString& text, QRect caption) {
    if (pressed_) {
        caption.translate(kPressOffset, kPressOffset);
    }
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    const QSize measured = painter.fontMetrics().boundingRect(caption, flags, text).size();
    const QRect centred =
        ToQRect(CentreBlock(ToPixelRect(caption), measured.width(), measured.height()));
    // The text is wrapped again when drawn, so it gets the width it was
    // measured in (a rectangle just as wide as the measured block may break
    // a line the measurement kept); centring it across keeps it in place.
    const QRect block(std::min(centred.left(), caption.left()), centred.top(),
                      std::max(centred.width(), caption.width()), centred.height());
    const QPalette& pal = palette();
    painter.save();
    if (disabled_) {
        // Engraved: a light copy one pixel down and right under a shadow copy.
        painter.setPen(pal.color(QPalette::Active, QPalette::Light));
        painter.drawText(block.translated(1, 1), flags, text);
        painter.setPen(pal.color(QPalette::Active, QPalette::Dark));
    } else {
        painter.setPen(pal.color(QPalette::Active, QPalette::ButtonText));
    }
    painter.drawText(block, flags, text);
    painter.restore();
}

void SkinButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        MoveFocusOn();
    }
}

void SkinButton::MoveFocusOn() {
    // A disabled button passes the keyboard focus to the next tab stop of
    // its window, whether or not it held the focus, or to the window itself.
    QWidget* top = window();
    for (QWidget* next = nextInFocusChain(); next != this; next = next->nextInFocusChain()) {
        if (next != top && next->window() == top && (next->focusPolicy() & Qt::TabFocus) &&
            next->isEnabled() && next->isVisibleTo(top)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (top != this) {
        top->setFocus(Qt::OtherFocusReason);
    }
}

void SkinButton::OnClicked() {
    setFocus(Qt::OtherFocusReason);
    if (menu_ == nullptr) {
        return;
    }
    // The menu opens with its top-left corner at the button's bottom-left.
    const QPoint screenPos = mapToGlobal(QPoint(0, height()));
    menuOpen_ = true;
    repaint();
    QAction* chosen = menuRunner_ ? menuRunner_(*menu_, screenPos) : menu_->exec(screenPos);
    menuOpen_ = false;
    repaint();
    bool isCommand = false;
    const int commandId = chosen != nullptr ? chosen->data().toInt(&isCommand) : 0;
    if (isCommand && commandId != 0 && menuOwner_ != nullptr && sink_) {
        QMetaObject::invokeMethod(
            menuOwner_, [sink = sink_, commandId] { sink(commandId); }, Qt::QueuedConnection);
    }
}

}  // namespace velmora
