#pragma once

#include <memory>

class QWidget;

namespace velmora {

class MarkupTooltip;

// The main window's tooltip: a balloon with notification on, every tool
// shown again after a move within it, 100 ms before a tip shows and 10 s
// before it hides. Every event for the window or one of its controls (and
// for the tip itself) is passed to the tooltip before it is delivered.
std::unique_ptr<MarkupTooltip> CreateMainWindowTooltip(QWidget* window);

}  // namespace velmora
