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
  Trim,
  Option,
  Analog,
  ServoList,
  Receiver,
  Position,
  SetValue,
  Mix,
  TrimPosition,
  Text,  // up to three letters
};

// The small pictures of the toolbar buttons: the desktop's icon theme where a standard icon
// fits, else our own picture (compiled in as SVG), else one drawn at run time.
QIcon Glyph(GlyphKind kind, const QString& text = QString());

// The standard icon-theme name for `kind`, or null where none fits.
const char* GlyphThemeName(GlyphKind kind);
// The resource path of our own picture for `kind`, empty where it is drawn.
QString GlyphResource(GlyphKind kind);

}  // namespace brv3
