#include "controls/QuietStartStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace velmora {

namespace {

// An icon that asks the style for its pictures when they are first needed.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    // The style has this picture; knowing so needs no reading.
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }
    QString key() const override { return QStringLiteral("DeferredStandardIcon"); }

private:
    const QIcon& Icon() {
        if (!read_) {
            read_ = true;
            if (style_) {
                icon_ = style_->standardIcon(which_);
            }
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    bool read_ = false;
    QIcon icon_;
};

}  // namespace

QuietStartStyle::QuietStartStyle(QStyle* base) : QProxyStyle(base) {}

QIcon QuietStartStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                    const QWidget* widget) const {
    if (option == nullptr && (standardIcon == SP_ToolBarHorizontalExtensionButton ||
                              standardIcon == SP_ToolBarVerticalExtensionButton)) {
        return QIcon(new DeferredStandardIcon(baseStyle(), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

const QStyle* QuietStartStyle::Drawing(const QStyle* style) {
    const auto* proxy = qobject_cast<const QProxyStyle*>(style);
    return proxy != nullptr ? proxy->baseStyle() : style;
}

}  // namespace velmora
