#pragma once

#include <QSlider>
#include <vector>

namespace brv3 {

// A horizontal slider with stretches of its range marked in red under the groove: the moments
// of a motion with a warning, on a slider of milliseconds.
class MarkedSlider : public QSlider {
  Q_OBJECT
 public:
  struct Mark {
    int from = 0;  // slider values, both ends included
    int to = 0;
    bool operator==(const Mark&) const = default;
  };

  explicit MarkedSlider(QWidget* parent = nullptr);

  void SetMarks(std::vector<Mark> marks);
  const std::vector<Mark>& Marks() const { return marks_; }
  // True when a mark covers `value`.
  bool MarkedAt(int value) const;
  // The horizontal pixel of `value` on the groove.
  int PixelOf(int value) const;

  static QColor MarkColor() { return QColor(0xD0, 0x20, 0x20); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<Mark> marks_;
};

}  // namespace brv3
