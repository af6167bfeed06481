#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/chart/CanvasMenus.h"
#include "core/chart/CanvasTool.h"

namespace brv3 {

// A file chosen in the platform's open or save dialog.
struct FileChoice {
  std::string name;
  int filterIndex = 1;  // 1 = "QVB file", 2 = "AllFiles"
};

// What only the user interface can do for the canvas editor. Every call is synchronous.
class CanvasHost {
 public:
  virtual ~CanvasHost() = default;

  // Repaint the canvas from the chart (build the display list and paint it).
  virtual void Redraw() = 0;
  // The tool changed; the tool button with this tag goes down.
  virtual void ToolChanged(CanvasTool tool) { (void)tool; }
  // Width in pixels of `text` drawn as an object's name on the canvas (0 when unknown).
  virtual int32_t NameWidth(const std::string& text) const {
    (void)text;
    return 0;
  }

  // Shows the pop-up menu at the mouse cursor (canvas point x, y) and returns the chosen entry,
  // or nothing when the menu was dismissed.
  virtual std::optional<PopupChoice> ShowPopupMenu(const PopupMenuModel& menu, int32_t x,
                                                   int32_t y) = 0;
  // The platform colour dialog preset with `current`; nothing on cancel.
  virtual std::optional<uint32_t> ChooseColor(uint32_t current) = 0;
  // The platform open (forSave false) or save dialog for an item file; nothing on cancel.
  virtual std::optional<FileChoice> ChooseItemFile(bool forSave) = 0;

  // Double click on an object of type 0, 1, 2 or 6: position editor, Set, Compare or mixing
  // dialog for the object at `index` (modeless).
  virtual void OpenObjectDialog(int32_t index, uint8_t type) = 0;
  // Double click on empty space: the data dialog for the chart, modal, with the board's remote
  // input switched on before and off after it.
  virtual void OpenDataDialog() = 0;
  // Pop-up Properties: the object property dialog for the object at `index`.
  virtual void OpenPropertyDialog(int32_t index) = 0;
  // Pop-up Convert: the link/convert dialog, modal.
  virtual void OpenConvertDialog() = 0;
};

}  // namespace brv3
