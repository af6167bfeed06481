#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/chart/CanvasEditor.h"
#include "support/ScriptedPrompter.h"

namespace brv3::test {

// A canvas host that records what the editor asks for and answers from a script.
class FakeCanvasHost : public CanvasHost {
 public:
  int redraws = 0;
  std::vector<CanvasTool> tools;
  std::vector<PopupMenuModel> menus;
  std::deque<std::optional<PopupChoice>> popupAnswers;
  std::deque<std::optional<uint32_t>> colorAnswers;
  std::vector<uint32_t> colorPresets;
  std::deque<std::optional<FileChoice>> fileAnswers;
  std::vector<std::pair<int32_t, uint8_t>> objectDialogs;
  int dataDialogs = 0;
  std::vector<int32_t> propertyDialogs;
  int convertDialogs = 0;
  int32_t nameCharWidth = 0;  // pixels per character of a name; 0 = width unknown

  void Redraw() override { ++redraws; }
  void ToolChanged(CanvasTool tool) override { tools.push_back(tool); }
  std::optional<PopupChoice> ShowPopupMenu(const PopupMenuModel& menu, int32_t, int32_t) override {
    menus.push_back(menu);
    if (popupAnswers.empty()) return std::nullopt;
    auto answer = popupAnswers.front();
    popupAnswers.pop_front();
    return answer;
  }
  std::optional<uint32_t> ChooseColor(uint32_t current) override {
    colorPresets.push_back(current);
    if (colorAnswers.empty()) return std::nullopt;
    auto answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }
  std::optional<FileChoice> ChooseItemFile(bool) override {
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  void OpenObjectDialog(int32_t index, uint8_t type) override {
    objectDialogs.emplace_back(index, type);
  }
  void OpenDataDialog() override { ++dataDialogs; }
  void OpenPropertyDialog(int32_t index) override { propertyDialogs.push_back(index); }
  void OpenConvertDialog() override { ++convertDialogs; }
  int32_t NameWidth(const std::string& text) const override {
    return nameCharWidth * static_cast<int32_t>(text.size());
  }
};

class PanelPrompter : public ScriptedPrompter {
 public:
  std::vector<std::string> panel0;
  void SetStatusPanel(int panel, const std::string& text) override {
    if (panel == 0) panel0.push_back(text);
  }
};

// A chart, its history, an editor over it and the fakes it talks to.
struct CanvasFixture {
  Chart chart;
  ChartHistory history{chart};
  PanelPrompter prompter;
  FakeCanvasHost host;
  CanvasEditor editor{history, prompter, host};

  void Click(int32_t x, int32_t y, unsigned modifiers = 0) {
    editor.MousePress(MouseButton::Left, x, y, modifiers);
    editor.MouseRelease(MouseButton::Left, x, y, modifiers);
  }
  void Drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps = 1) {
    editor.MousePress(MouseButton::Left, fromX, fromY, 0);
    for (int s = 1; s <= steps; ++s)
      editor.MouseMove(fromX + (toX - fromX) * s / steps, fromY + (toY - fromY) * s / steps,
                       kButtonLeft, 0);
    editor.MouseRelease(MouseButton::Left, toX, toY, 0);
  }
  int Place(int32_t x, int32_t y, uint8_t type = kPosition) {
    return chart.PlaceObject(x, y, type);
  }
  int Wire(int32_t origin, int32_t final, std::vector<LinkPoint> points = {},
           uint8_t main = kFlowWiring) {
    int j = chart.AppendLinks(1);
    ChartLink& l = chart.Links[static_cast<size_t>(j)];
    l.Origin = origin;
    l.Final = final;
    l.Main = main;
    l.Point = std::move(points);
    return j;
  }
};

}  // namespace brv3::test
