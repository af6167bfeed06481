#include "ui/app/Glyphs.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace brv3 {

namespace {

constexpr int kSize = 16;

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  QLineF line(to, from);
  QLineF wing1 = line;
  wing1.setLength(4);
  wing1.setAngle(line.angle() + 30);
  QLineF wing2 = line;
  wing2.setLength(4);
  wing2.setAngle(line.angle() - 30);
  p.drawLine(wing1);
  p.drawLine(wing2);
}

void Draw(QPainter& p, GlyphKind kind, const QString& text) {
  const QColor navy(0, 0, 128);
  const QColor green(0, 140, 0);
  const QColor red(200, 0, 0);
  QPen pen(navy, 1.5);
  p.setPen(pen);
  switch (kind) {
    case GlyphKind::Open:
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(QRectF(1.5, 4.5, 13, 9));
      p.drawLine(QPointF(1.5, 4.5), QPointF(5, 2.5));
      p.drawLine(QPointF(5, 2.5), QPointF(8, 4.5));
      break;
    case GlyphKind::Save:
      p.setBrush(QColor(90, 110, 200));
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 2.5, 6, 4));
      break;
    case GlyphKind::Properties:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      for (int y : {5, 8, 11}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
      break;
    case GlyphKind::Information:
      p.setBrush(QColor(60, 120, 230));
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.setPen(QPen(Qt::white, 2));
      p.drawLine(QPointF(8, 7), QPointF(8, 12));
      p.drawPoint(QPointF(8, 4.5));
      break;
    case GlyphKind::Exit:
      p.setPen(QPen(red, 2));
      p.drawLine(QPointF(3, 3), QPointF(13, 13));
      p.drawLine(QPointF(13, 3), QPointF(3, 13));
      break;
    case GlyphKind::Table:
      p.setBrush(Qt::white);
      p.drawRect(QRectF(1.5, 2.5, 13, 11));
      p.drawLine(QPointF(1.5, 6), QPointF(14.5, 6));
      p.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
      p.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
      break;
    case GlyphKind::Select: {
      QPolygonF pointer;
      pointer << QPointF(4, 2) << QPointF(4, 14) << QPointF(7, 11) << QPointF(10, 15)
              << QPointF(12, 14) << QPointF(9, 10) << QPointF(13, 10);
      p.setBrush(Qt::white);
      p.drawPolygon(pointer);
      break;
    }
    case GlyphKind::StartFlag:
      p.drawLine(QPointF(4, 2), QPointF(4, 15));
      p.setBrush(red);
      p.setPen(QPen(red, 1));
      p.drawPolygon(QPolygonF() << QPointF(4.5, 2) << QPointF(13, 5) << QPointF(4.5, 8));
      break;
    case GlyphKind::Compare:
      p.setBrush(QColor(255, 230, 150));
      p.drawPolygon(QPolygonF() << QPointF(8, 1.5) << QPointF(14.5, 8) << QPointF(8, 14.5)
                                << QPointF(1.5, 8));
      break;
    case GlyphKind::FlowWire:
      Arrow(p, QPointF(3, 3), QPointF(13, 13));
      break;
    case GlyphKind::BranchWire:
      p.setPen(QPen(red, 1.5));
      Arrow(p, QPointF(3, 13), QPointF(13, 3));
      break;
    case GlyphKind::Compile:
      p.setPen(QPen(green, 2));
      p.drawLine(QPointF(2, 8), QPointF(6, 12));
      p.drawLine(QPointF(6, 12), QPointF(14, 3));
      break;
    case GlyphKind::Home:
      p.setBrush(QColor(255, 230, 150));
      p.drawPolygon(QPolygonF() << QPointF(8, 2) << QPointF(14.5, 8) << QPointF(12.5, 8)
                                << QPointF(12.5, 14) << QPointF(3.5, 14) << QPointF(3.5, 8)
                                << QPointF(1.5, 8));
      break;
    case GlyphKind::Write:
      Arrow(p, QPointF(8, 2), QPointF(8, 12));
      p.drawLine(QPointF(2, 14.5), QPointF(14, 14.5));
      break;
    case GlyphKind::Read:
      Arrow(p, QPointF(8, 13), QPointF(8, 3));
      p.drawLine(QPointF(2, 14.5), QPointF(14, 14.5));
      break;
    case GlyphKind::Delete:
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(4.5, 4.5, 7, 10));
      p.drawLine(QPointF(3, 3.5), QPointF(13, 3.5));
      p.drawLine(QPointF(6.5, 1.5), QPointF(9.5, 1.5));
      break;
    case GlyphKind::Stop:
      p.setBrush(red);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(3, 3, 10, 10));
      break;
    case GlyphKind::Pause:
      p.setBrush(navy);
      p.setPen(Qt::NoPen);
      p.drawRect(QRectF(3.5, 3, 3, 10));
      p.drawRect(QRectF(9.5, 3, 3, 10));
      break;
    case GlyphKind::Play:
      p.setBrush(green);
      p.setPen(Qt::NoPen);
      p.drawPolygon(QPolygonF() << QPointF(4, 2.5) << QPointF(13.5, 8) << QPointF(4, 13.5));
      break;
    case GlyphKind::Trim:
    case GlyphKind::Option:
    case GlyphKind::Analog:
    case GlyphKind::ServoList:
    case GlyphKind::Receiver:
    case GlyphKind::Position:
    case GlyphKind::SetValue:
    case GlyphKind::Mix:
    case GlyphKind::TrimPosition:
      // Without SVG support: the picture's initial.
      p.drawRect(QRectF(2.5, 2.5, 11, 11));
      [[fallthrough]];
    case GlyphKind::Text: {
      QFont font = p.font();
      font.setPixelSize(text.size() > 2 ? 7 : 11);
      font.setBold(true);
      p.setFont(font);
      p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
      break;
    }
  }
}

}  // namespace

const char* GlyphThemeName(GlyphKind kind) {
  switch (kind) {
    case GlyphKind::Open:
      return "document-open";
    case GlyphKind::Save:
      return "document-save";
    case GlyphKind::Properties:
      return "document-properties";
    case GlyphKind::Information:
      return "help-about";
    case GlyphKind::Exit:
      return "application-exit";
    case GlyphKind::Home:
      return "go-home";
    case GlyphKind::Delete:
      return "edit-delete";
    case GlyphKind::Stop:
      return "media-playback-stop";
    case GlyphKind::Pause:
      return "media-playback-pause";
    case GlyphKind::Play:
      return "media-playback-start";
    case GlyphKind::Option:
      return "preferences-system";
    default:
      return nullptr;
  }
}

QString GlyphResource(GlyphKind kind) {
  switch (kind) {
    case GlyphKind::Trim:
      return ":/icons/trim.svg";
    case GlyphKind::Option:
      return ":/icons/option.svg";
    case GlyphKind::Analog:
      return ":/icons/analog.svg";
    case GlyphKind::ServoList:
      return ":/icons/servolist.svg";
    case GlyphKind::Receiver:
      return ":/icons/receiver.svg";
    case GlyphKind::Position:
      return ":/icons/position.svg";
    case GlyphKind::SetValue:
      return ":/icons/setvalue.svg";
    case GlyphKind::Mix:
      return ":/icons/mix.svg";
    case GlyphKind::TrimPosition:
      return ":/icons/trimposition.svg";
    default:
      return QString();
  }
}

QIcon Glyph(GlyphKind kind, const QString& text) {
  if (const char* name = GlyphThemeName(kind); name && QIcon::hasThemeIcon(name))
    return QIcon::fromTheme(name);
  static const bool svg = QImageReader::supportedImageFormats().contains("svg");
  if (const QString resource = GlyphResource(kind); svg && QFile::exists(resource))
    return QIcon(resource);
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  Draw(painter, kind, text);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace brv3
