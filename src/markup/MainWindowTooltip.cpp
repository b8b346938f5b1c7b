#include "markup/MainWindowTooltip.h"

#include <QCoreApplication>
#include <QPointer>

#include "markup/MarkupTooltip.h"

namespace velmora {

namespace {

class TooltipRelay : public QObject {
public:
    TooltipRelay(MarkupTooltip* tooltip, QWidget* window)
        : QObject(tooltip), tooltip_(tooltip), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget == tooltip_ || (window_ != nullptr && widget->window() == window_)) {
                tooltip_->RelayEvent(event);
            }
        }
        return false;
    }

private:
    MarkupTooltip* tooltip_;
    QPointer<QWidget> window_;
};

}  // namespace

std::unique_ptr<MarkupTooltip> CreateMainWindowTooltip(QWidget* window) {
    auto tooltip = std::make_unique<MarkupTooltip>();
    tooltip->Create(window, true);
    tooltip->SetNotify(true);
    tooltip->SetBehaviour(BehaviourReshow, -1);
    tooltip->SetDelayTime(MarkupTooltip::kDelayInitial, 100);
    tooltip->SetDelayTime(MarkupTooltip::kDelayAutoPop, 10000);
    QCoreApplication::instance()->installEventFilter(new TooltipRelay(tooltip.get(), window));
    return tooltip;
}

}  // namespace velmora
