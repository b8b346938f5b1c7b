#include "scheduler/StatisticsRow.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

namespace velmora {

namespace {

// Room for the label's own rendering beyond the text's advance, and the
// least space between two texts.
constexpr int kPadding = 2;
constexpr int kSpacing = 6;
constexpr int kSmallestPointSize = 5;

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

bool OnlyDigitsChanged(const QString& before, const QString& after, const QFont& font) {
    if (before.size() != after.size()) {
        return false;
    }
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] != after[i] && !(IsDigit(before[i]) && IsDigit(after[i]))) {
            return false;
        }
    }
    const QFontMetrics metrics(font);
    const int zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) != zero) {
            return false;
        }
    }
    return true;
}

void FitStatisticsRow(QLabel* left, QLabel* middle, QLabel* right) {
    const QRect row(left->geometry().topLeft(), right->geometry().bottomRight());
    QLabel* const labels[] = {left, middle, right};
    QFont font = left->parentWidget()->font();
    int widths[3] = {};
    for (;;) {
        const QFontMetrics metrics(font);
        int total = 2 * kSpacing;
        for (int i = 0; i < 3; ++i) {
            widths[i] = metrics.horizontalAdvance(labels[i]->text()) + kPadding;
            total += widths[i];
        }
        if (total <= row.width() || font.pointSize() <= kSmallestPointSize) {
            break;
        }
        font.setPointSize(font.pointSize() - 1);
    }
    const int rightX = row.right() + 1 - widths[2];
    const int centred = row.center().x() - widths[1] / 2;
    const int middleX = std::max(row.left() + widths[0] + kSpacing,
                                 std::min(centred, rightX - kSpacing - widths[1]));
    const int xs[3] = {row.left(), middleX, rightX};
    for (int i = 0; i < 3; ++i) {
        // Fixed in size, as the window's other labels are.
        labels[i]->setFixedSize(widths[i], row.height());
        labels[i]->move(xs[i], row.top());
    }
    for (QLabel* label : labels) {
        if (label->font() != font) {
            label->setFont(font);
        }
    }
}

}  // namespace velmora
