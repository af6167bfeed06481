#pragma once

#include <QIcon>
#include <QString>

namespace brv3 {

enum class GlyphKind {
  Open,
  Save,
  Properties,
  Information,
  Exit,
  Table,
  Select,
  StartFlag,
  Compare,
  FlowWire,
  BranchWire,
  Compile,
  Home,
  Write,
  Read,
  Delete,
  Stop,
  Pause,
  Play,
  Text,  // up to three letters
};

// The small pictures of the toolbar buttons, drawn at run time.
QIcon Glyph(GlyphKind kind, const QString& text = QString());

}  // namespace brv3
