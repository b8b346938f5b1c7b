#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "markup/ToolInfo.h"
#include "markup/core/EffectSurface.h"
#include "markup/core/MarkupRenderer.h"
#include "markup/core/TexturedEffect.h"
#include "markup/core/TipGeometry.h"

namespace velmora {

// The pop-up window that shows one markup tip at a time: for the tool under
// the cursor (driven by the events its owner relays) or at once at a point
// (a help tip). It is shaped as a balloon with an anchor or as a rectangle,
// with a shadow that darkens what lies under it.
class MarkupTooltip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowTimerId = 256;
    static constexpr int kHideTimerId = 257;
    static constexpr int kDelayAutoPop = 2;  // SetDelayTime kinds
    static constexpr int kDelayInitial = 3;
    static constexpr int kHelpTip = -2;  // tool index of a help tip

    MarkupTooltip();
    ~MarkupTooltip() override;

    // Makes the window, owned by `parent`, with the balloon or rectangle
    // metrics; false without a parent.
    virtual bool Create(QWidget* parent, bool balloon);
    void SetNotify(bool on);
    void SetDelayTime(int kind, int milliseconds);
    // With an index that is no tool's (-1), these change the defaults.
    void SetStyles(std::uint32_t add, std::uint32_t remove, int tool = -1);
    void SetEffect(int effect, int granularity, int tool = -1);
    void SetDirection(int direction, int tool = -1);
    void SetBehaviour(std::uint32_t flags, int tool = -1);
    int AddTool(const ToolInfo& tool);

    // Every event of the owner's windows passes here first.
    void RelayEvent(QEvent* event);
    void Pop();
    // The point is in the parent's coordinates. Asked again at the same
    // point while the tip shows, only a changed text repaints it. A given
    // behaviour is the tip's own instead of the default's.
    void ShowHelpTooltip(QPoint point, int iconId, const std::string& text,
                         std::optional<std::uint32_t> behaviour = std::nullopt);
    void ShowHelpTooltip(QPoint point, const std::string& text, const QPixmap& icon,
                         std::optional<std::uint32_t> behaviour = std::nullopt);

    int PendingTool() const { return pendingTool_; }
    const ToolInfo& CurrentTip() const { return current_; }
    int DisplayedTool() const { return displayedTool_; }
    int PlacementDirection() const { return placementDirection_; }
    MarkupSize TextSize() const { return textSize_; }
    MarkupColourTable& Colours() { return markup_.colours; }
    void SetRandomSource(RandomSource random) { random_ = std::move(random); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ValidTool(int index) const;
    TipOptions& OptionsOf(int tool, std::uint32_t maskBit);
    void OnMouseMove(QPoint screenPoint);
    void ShowTool(int index, bool delayed);
    int FindTool(QPoint screenPoint) const;
    bool OverTip(QPoint screenPoint) const;
    void ShowStep();
    void HideStep();
    void ShowTip(QPoint cursor);
    void RefreshHelpText(const std::string& text);
    void Notify(QPoint cursor);
    MarkupSize Measure(const std::string& text);
    MarkupSize MeasureTip(const std::string& text);
    void BuildEffect(MarkupSize size);
    void Shape(MarkupSize size, QPoint anchorInWindow);
    // Painting (MarkupTooltipPaint.cpp)
    void CaptureBackground(const QRect& geometry);
    void Compose();
    void PaintTip(QPainter& painter, MarkupRect rect);
    void PaintShadow(QPainter& painter);
    void PaintBackground(QPainter& painter, MarkupRect rect);

    QPointer<QWidget> parent_;
    bool notify_ = false;
    std::vector<ToolInfo> tools_;
    ToolInfo current_;
    int pendingTool_ = -1;
    int displayedTool_ = -1;
    QPoint lastCursor_{-1, -1};
    int initialDelay_ = 500;
    int hideDelay_ = 5000;
    TipOptions defaults_;
    TipMetrics metrics_ = BalloonMetrics();
    int placementDirection_ = 3;
    MarkupSize tipSize_;
    MarkupSize textSize_;
    MarkupSize iconSize_;
    QRegion windowRegion_;
    QRegion shadowRegion_;
    QFont font_;
    MarkupSettings markup_;
    MarkupLines lines_;
    std::vector<QPixmap> imageList_;
    EffectSurface effect_;
    QImage effectImage_;
    RandomSource random_ = StandardRandom;
    QTimer showTimer_;
    QTimer hideTimer_;
    // What lay under the window when it was shown, where that is known.
    bool translucent_ = false;
    QImage background_;
    QRect backgroundRect_;
    QRegion backgroundKnown_;
    QRegion shownRegion_;  // screen coordinates
    QElapsedTimer hiddenFor_;
    QImage composed_;
};

}  // namespace velmora
