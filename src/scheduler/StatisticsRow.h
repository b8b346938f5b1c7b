#pragma once

class QFont;
class QLabel;
class QString;

namespace velmora {

// Lays out the row of the three process statistics so that every text shows
// whole, however many digits its numbers have: the first text at the row's
// left end, the last at its right end, the middle one centred in the row
// when it fits there and otherwise centred between the two. When the three
// texts cannot stand side by side in the row, their font shrinks until they
// can. The row is where the first label starts and the last one ends, which
// this layout keeps.
void FitStatisticsRow(QLabel* left, QLabel* middle, QLabel* right);

// Whether a text changed into another that is bound to take the same room:
// only digits changed, into other digits, and the font gives every digit
// the same advance (as most fonts do). The row then needs no new layout.
bool OnlyDigitsChanged(const QString& before, const QString& after, const QFont& font);

}  // namespace velmora
