#include "markup/MarkupTooltip.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <algorithm>

#include "markup/QtMarkupCanvas.h"
#include "markup/TipRegion.h"
#include "markup/core/TipBackground.h"

namespace velmora {

namespace {

// A tip is never larger than this each way; markup asking for more is cut.
constexpr int kMaxTipSide = 4096;

MarkupRect ScreenRectAt(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect r = screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The default font in pixels, so that measuring and drawing agree whatever
// the resolution of the device.
QFont PixelFont(QFont font, const QWidget& widget) {
    if (font.pixelSize() <= 0) {
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * widget.logicalDpiY() / 72.0)));
    }
    return font;
}

}  // namespace

MarkupTooltip::MarkupTooltip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("VelmoraTipWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    const QPalette palette = QApplication::palette();
    markup_.colours = StandardColourTable(FromQColor(palette.color(QPalette::ToolTipText)),
                                          FromQColor(palette.color(QPalette::ToolTipBase)),
                                          FromQColor(palette.color(QPalette::Dark)));
    font_ = PixelFont(QApplication::font(), *this);
    markup_.font.weight = font_.weight();
    showTimer_.setParent(this);  // found by their names, e.g. "timer257"
    hideTimer_.setParent(this);
    showTimer_.setObjectName(QStringLiteral("timer%1").arg(kShowTimerId));
    hideTimer_.setObjectName(QStringLiteral("timer%1").arg(kHideTimerId));
    connect(&showTimer_, &QTimer::timeout, this, &MarkupTooltip::ShowStep);
    connect(&hideTimer_, &QTimer::timeout, this, &MarkupTooltip::HideStep);
}

MarkupTooltip::~MarkupTooltip() {
    showTimer_.stop();
    hideTimer_.stop();
}

bool MarkupTooltip::Create(QWidget* parent, bool balloon) {
    if (parent == nullptr) {
        return false;
    }
    parent_ = parent;
    setParent(parent->window(), windowFlags());
    translucent_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    font_ = PixelFont(QApplication::font("QStatusBar"), *this);
    markup_.font.weight = font_.weight();
    metrics_ = balloon ? BalloonMetrics() : RectangleMetrics();
    return true;
}

void MarkupTooltip::SetNotify(bool on) {
    notify_ = on && parent_ != nullptr;
}

void MarkupTooltip::SetDelayTime(int kind, int milliseconds) {
    if (kind == kDelayAutoPop) {
        hideDelay_ = milliseconds;
    } else if (kind == kDelayInitial) {
        initialDelay_ = milliseconds;
    }
}

bool MarkupTooltip::ValidTool(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < tools_.size();
}

TipOptions& MarkupTooltip::OptionsOf(int tool, std::uint32_t maskBit) {
    if (!ValidTool(tool)) {
        return defaults_;
    }
    TipOptions& own = tools_[static_cast<std::size_t>(tool)].options;
    own.mask |= maskBit;
    return own;
}

void MarkupTooltip::SetStyles(std::uint32_t add, std::uint32_t remove, int tool) {
    if (ValidTool(tool)) {
        ChangeToolStyles(tools_[static_cast<std::size_t>(tool)].options, defaults_, add, remove);
    } else {
        defaults_.styles = add | (defaults_.styles & ~remove);
    }
}

void MarkupTooltip::SetEffect(int effect, int granularity, int tool) {
    TipOptions& options = OptionsOf(tool, MaskEffect);
    options.effect = static_cast<std::uint32_t>(effect);
    options.granularity = static_cast<std::uint8_t>(granularity & 0xFF);
}

void MarkupTooltip::SetDirection(int direction, int tool) {
    if (direction >= 0 && direction < 4) {
        OptionsOf(tool, MaskDirection).direction = static_cast<std::uint32_t>(direction);
    }
}

void MarkupTooltip::SetBehaviour(std::uint32_t flags, int tool) {
    OptionsOf(tool, MaskBehaviour).behaviour = flags;
}

int MarkupTooltip::AddTool(const ToolInfo& tool) {
    if (tool.widget != nullptr) {
        tool.widget->setMouseTracking(true);  // its moves are relayed without a button held
    }
    tools_.push_back(tool);
    return static_cast<int>(tools_.size()) - 1;
}

void MarkupTooltip::Pop() {
    if (displayedTool_ == kHelpTip) {
        displayedTool_ = -1;
    }
    showTimer_.stop();
    hideTimer_.stop();
    if (isVisible()) {
        hiddenFor_.start();
        hide();
    }
}

void MarkupTooltip::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    Pop();
}

void MarkupTooltip::ShowHelpTooltip(QPoint point, int iconId, const std::string& text,
                                    std::optional<std::uint32_t> behaviour) {
    ShowHelpTooltip(point, text, LoadTipPicture("icons", iconId), behaviour);
}

void MarkupTooltip::ShowHelpTooltip(QPoint point, const std::string& text, const QPixmap& icon,
                                    std::optional<std::uint32_t> behaviour) {
    if (parent_ == nullptr) {
        return;
    }
    const QPoint screenPoint = parent_->mapToGlobal(point);
    const bool showing = isVisible() && (displayedTool_ == kHelpTip || pendingTool_ == kHelpTip);
    if (showing && screenPoint == lastCursor_ && icon.cacheKey() == current_.icon.cacheKey()) {
        // The same help tip asked again, as a countdown does every second.
        if (text != current_.text) {
            RefreshHelpText(text);
        }
        return;
    }
    ToolInfo tip;
    tip.widget = parent_;
    tip.icon = icon;
    tip.text = text;
    if (behaviour) {
        tip.options.mask |= MaskBehaviour;
        tip.options.behaviour = *behaviour;
    }
    displayedTool_ = -1;
    pendingTool_ = kHelpTip;
    current_ = tip;
    lastCursor_ = screenPoint;
    ShowStep();
}

void MarkupTooltip::RefreshHelpText(const std::string& text) {
    current_.text = text;
    const MarkupSize size = MeasureTip(text);
    pendingTool_ = kHelpTip;
    if (size == tipSize_) {
        update();  // same place and shape: only the text is painted anew
    } else {
        displayedTool_ = -1;
        ShowTip(lastCursor_);  // moved and reshaped while staying on screen
    }
}

void MarkupTooltip::ShowStep() {
    Pop();
    int found = kHelpTip;
    QPoint cursor = lastCursor_;
    if (pendingTool_ != kHelpTip) {
        cursor = QCursor::pos();
        found = FindTool(cursor);
    }
    if (found != pendingTool_ || cursor != lastCursor_ ||
        !(ValidTool(found) || found == kHelpTip)) {
        return;
    }
    ShowTip(cursor);
    if (hideDelay_ != 0 && (current_.options.behaviour & BehaviourNoAutoPop) == 0) {
        hideTimer_.start(hideDelay_);
    }
}

void MarkupTooltip::HideStep() {
    const bool keep = (current_.options.behaviour & BehaviourHoverKeep) != 0;
    if (!(keep && isVisible() && OverTip(QCursor::pos()))) {
        Pop();
    }
}

void MarkupTooltip::ShowTip(QPoint cursor) {
    const MarkupColourTable& colours = markup_.colours;
    defaults_.colourBegin = colours[SlotBackgroundBegin];
    defaults_.colourMid = colours[SlotBackgroundMid];
    defaults_.colourEnd = colours[SlotBackgroundEnd];
    FillFromDefaults(current_.options, defaults_);
    if (notify_ && parent_ != nullptr) {
        Notify(cursor);
    }
    if (current_.icon.isNull() && current_.text.empty()) {
        return;
    }
    const MarkupSize size = MeasureTip(current_.text);
    tipSize_ = size;
    if (IsTexturedEffect(static_cast<int>(current_.options.effect))) {
        BuildEffect(size);
    }
    const TipPlacement placed =
        PlaceTip({cursor.x(), cursor.y()}, size, static_cast<int>(current_.options.direction),
                 current_.options.styles, metrics_, ScreenRectAt(cursor));
    placementDirection_ = placed.direction;
    const QRect geometry(placed.rect.left, placed.rect.top, size.width + 2, size.height + 2);
    CaptureBackground(geometry);
    setGeometry(geometry);
    Shape(size, cursor - geometry.topLeft());
    shownRegion_ = mask().translated(geometry.topLeft());
    show();
    update();
}

void MarkupTooltip::Notify(QPoint cursor) {
    ToolInfo copy = current_;
    if (copy.widget != nullptr) {
        copy.rect.translate(parent_->mapFromGlobal(copy.widget->mapToGlobal(QPoint(0, 0))));
    }
    TipNotifyEvent event(this, &cursor, &copy);
    QCoreApplication::sendEvent(parent_, &event);
    copy.rect = current_.rect;
    current_ = copy;
}

MarkupSize MarkupTooltip::Measure(const std::string& text) {
    QtMarkupCanvas canvas(font_, nullptr, imageList_);
    return RenderMarkup(canvas, markup_, lines_, {}, text, true).size;
}

MarkupSize MarkupTooltip::MeasureTip(const std::string& text) {
    textSize_ = Measure(text);
    iconSize_ = {current_.icon.width(), current_.icon.height()};
    const MarkupSize size = TipWindowSize(textSize_, iconSize_, current_.options.styles, metrics_);
    return {std::min(size.width, kMaxTipSide), std::min(size.height, kMaxTipSide)};
}

void MarkupTooltip::BuildEffect(MarkupSize size) {
    const TipOptions& o = current_.options;
    BuildTexturedEffect(effect_, size.width, size.height, static_cast<int>(o.effect),
                        defaults_.granularity, 5, o.colourBegin,
                        {o.colourBegin, o.colourMid, o.colourEnd}, random_);
    effectImage_ = QImage();
    if (effect_.IsEmpty()) {
        return;
    }
    QImage image(effect_.Bits(), effect_.Width(), effect_.Height(), effect_.Stride(),
                 QImage::Format_Indexed8);
    QList<QRgb> table;
    for (ColourRef c : effect_.Palette()) {
        table.append(qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
    }
    image.setColorTable(table);
    effectImage_ = image.copy();  // owns its pixels
}

void MarkupTooltip::Shape(MarkupSize size, QPoint anchorInWindow) {
    const TipShape shape = ShapeTip(size, {anchorInWindow.x(), anchorInWindow.y()},
                                    placementDirection_, current_.options.styles, metrics_);
    windowRegion_ = TipWindowRegion(shape);
    shadowRegion_ = QRegion();
    if (shape.hasShadow) {
        // Only where it is known what lies under the window can it be darkened.
        shadowRegion_ =
            windowRegion_.translated(shape.shadowOffset.x, shape.shadowOffset.y) & backgroundKnown_;
    }
    setMask(windowRegion_ | shadowRegion_);
}

}  // namespace velmora
