#pragma once

#include <optional>

#include "core/chart/CanvasMenus.h"

class QAction;
class QMenu;
class QWidget;

namespace brv3 {

// The canvas pop-up menu `PopupMenu` as a QMenu: the visible entries of `model` in order, each
// action named after its control and carrying its entry, the colour entries in the `ColorMenu`
// sub-menu with a swatch and their tag. The caller owns the menu.
QMenu* BuildCanvasPopupMenu(const PopupMenuModel& model, QWidget* parent);

// The choice an action of that menu stands for; nothing for a foreign or null action.
std::optional<PopupChoice> PopupChoiceOf(const QAction* action);

}  // namespace brv3
