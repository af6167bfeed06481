#pragma once

#include <string>

#include "core/chart/Chart.h"
#include "core/chart/ChartFiles.h"
#include "core/chart/ChartHistory.h"

namespace brv3 {

class Prompter;

// The open chart as a document: the chart, its undo history, the file it belongs to, and whether
// it holds changes not yet saved. Edits go through History(); only New and Open replace the chart
// outside it, and they start a new history.
class ChartDocument {
 public:
  ChartDocument() = default;
  ChartDocument(const ChartDocument&) = delete;
  ChartDocument& operator=(const ChartDocument&) = delete;

  const Chart& Get() const { return chart_; }
  // For views: subscriptions to Changes() and the selection, which is not an undoable edit.
  Chart& ForViews() { return chart_; }
  ChartHistory& History() { return history_; }
  const ChartHistory& History() const { return history_; }

  // The chart file the document was opened from or last saved to; empty for a new chart.
  const std::string& Path() const { return path_; }
  bool IsModified() const { return !history_.IsClean(); }

  // A new, empty chart with a fresh header and no file.
  void New();
  // Reads `path`. Into a chart that has objects (and no `clearFirst`) the file is merged as one
  // undoable edit and the document keeps its file; otherwise the opened chart replaces the old
  // one with a new history and becomes the document's file. A refused file changes nothing.
  OpenResult Open(const std::string& path, Prompter& prompter, bool clearFirst);
  // Writes the chart to `path`, which becomes the document's file, now without unsaved changes.
  bool SaveAs(const std::string& path, Prompter& prompter);
  // The chart was written to `path` by other means (the save dialog's own writer).
  void Saved(const std::string& path);

 private:
  Chart chart_;
  ChartHistory history_{chart_};
  std::string path_;
};

}  // namespace brv3
