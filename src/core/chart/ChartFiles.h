#pragma once

#include <string>

#include "core/chart/Chart.h"
#include "core/util/Prompter.h"

namespace brv3 {

// Message texts of the chart files, as written in the code; shown with Tr("ChartFiles", text).
extern const char* const kMsgCannotKeep;    // "It can't be kept in the designated place"
extern const char* const kMsgFileUnusable;  // "The designated file can't be used"
extern const char* const kMsgDiscardData;   // "Do you prepared for the disappearance of ..."

// What a file turned out to be when classified for opening.
enum class ChartFileKind { MotionChart, ScenarioChart, CsvMotion, Unusable };

enum class OpenStatus {
  Opened,      // read into the chart
  Unusable,    // neither a chart file nor a CSV motion file; the chart is untouched
  Cancelled,   // the user kept the present chart
  CannotRead,  // the file could not be read at all (message holds the reason)
  ReadError,   // reading stopped at a bad value; what was read before it stays
};
struct OpenResult {
  OpenStatus status = OpenStatus::Opened;
  std::string message;
};

// The name a chart is saved under: with the QVB filter (index 1) any extension is replaced by
// ".QVB"; with any other filter the name stays as chosen.
std::string ChartFileName(const std::string& chosen, int filterIndex);
// The file dialogs' filters for chart files: chart files first (filter index 1), then any file.
// The constant holds them as written in the code, ChartFileFilters() in the user's language.
extern const char* const kChartFileFilters;
std::string ChartFileFilters();

// Writes the chart as a chart file named exactly `path`. On failure shows "It can't be kept in
// the designated place" and leaves any existing file intact.
bool SaveChartFile(const Chart& chart, const std::string& path, Prompter& prompter);

// Classifies `path` and reads it into the chart (appending when the kinds match, asking before
// discarding the chart when they differ).
OpenResult OpenChartFile(Chart& chart, const std::string& path, Prompter& prompter);
// The same for a file's raw bytes already in memory.
OpenResult OpenChartBytes(Chart& chart, const std::string& rawBytes, Prompter& prompter);

// Saves the selected objects and the selected wires between them as an item file. Existing
// sections of the file that this save does not write stay. False when nothing is selected or the
// file cannot be written (after showing the message).
bool SaveItemFile(const Chart& chart, const std::string& path, Prompter& prompter);

// Reads an item file into the chart at the canvas point (offsetX, offsetY).
OpenResult OpenItemFile(Chart& chart, const std::string& path, int32_t offsetX, int32_t offsetY,
                        Prompter& prompter);
OpenResult OpenItemBytes(Chart& chart, const std::string& rawBytes, int32_t offsetX,
                         int32_t offsetY, Prompter& prompter);

}  // namespace brv3
