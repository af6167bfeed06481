#include "ui/robot/RobotScene.h"

#include <QColor>
#include <QQuaternion>
#include <QQuickItem>
#include <QUrl>
#include <QVariant>
#include <QVector3D>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>

#include "core/robot/StlMesh.h"
#include "ui/robot/MeshGeometry.h"

namespace brv3 {
namespace {

// Metres in the robot's description become centimetres in the scene, the unit the built-in
// shapes (100 units across) are made for.
constexpr float kUnitsPerMetre = 100;

QVector3D ToScene(const robot::Vec3& v) {
  return QVector3D(float(v.x), float(v.y), float(v.z)) * kUnitsPerMetre;
}

QQuaternion ToQuaternion(const std::array<double, 4>& q) {
  return QQuaternion(float(q[0]), float(q[1]), float(q[2]), float(q[3]));
}

// The built-in shape standing for a geometry, with its scale and the turn that lines it up with
// the description's axes (the built-in cylinder stands along y, a described one along z).
struct ShapeLook {
  const char* source;
  QVector3D scale;
  QQuaternion turn;
};

ShapeLook LookOf(const robot::Geometry& g) {
  switch (g.kind) {
    case robot::GeometryKind::Box:
      return {"#Cube", QVector3D(float(g.size.x), float(g.size.y), float(g.size.z)), {}};
    case robot::GeometryKind::Cylinder: {
      const float d = float(2 * g.radius);
      return {"#Cylinder", QVector3D(d, float(g.length), d),
              QQuaternion::fromAxisAndAngle(1, 0, 0, 90)};
    }
    case robot::GeometryKind::Sphere: {
      const float d = float(2 * g.radius);
      return {"#Sphere", QVector3D(d, d, d), {}};
    }
    case robot::GeometryKind::Mesh:
      break;
  }
  // A mesh that cannot be read: a small box marks where it sits.
  return {"#Cube", QVector3D(0.04f, 0.04f, 0.04f), {}};
}

// How far a mesh reaches from its origin, in metres (0 when it cannot be read). Meshes are read
// once per file and scale: fitting the camera asks again on every change of view.
double MeshReach(const robot::RobotModel& model, const robot::Geometry& g) {
  static std::map<std::string, double> reach;
  const std::string key = model.sourcePath + "\n" + g.mesh + "\n" + std::to_string(g.scale.x) +
                          "," + std::to_string(g.scale.y) + "," + std::to_string(g.scale.z);
  if (auto it = reach.find(key); it != reach.end()) return it->second;
  if (reach.size() > 512) reach.clear();
  double r = 0;
  if (const robot::StlReadResult read = robot::ReadShapeMesh(model, g); read.mesh)
    for (const auto& t : read.mesh->triangles)
      for (const robot::Vec3& v : t) r = std::max(r, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
  return reach[key] = r;
}

// The reach of the shapes of `model` placed at `links`, in the description's z-up frame.
struct Bounds {
  robot::Vec3 low{1e9, 1e9, 1e9};
  robot::Vec3 high{-1e9, -1e9, -1e9};
  bool any = false;
};

Bounds ShapeBounds(const robot::RobotModel& model, const std::vector<robot::Transform>& links) {
  Bounds b;
  for (size_t i = 0; i < links.size() && i < model.links.size(); ++i) {
    for (const robot::Shape& shape : model.links[i].visuals) {
      const robot::Vec3 p = links[i].Apply(robot::Transform::FromOrigin(shape.origin).position);
      const robot::Geometry& g = shape.geometry;
      const double r = g.kind == robot::GeometryKind::Box
                           ? std::max({g.size.x, g.size.y, g.size.z}) / 2
                       : g.kind == robot::GeometryKind::Mesh ? std::max(MeshReach(model, g), 0.02)
                                                             : std::max(g.radius, g.length / 2);
      b.low = {std::min(b.low.x, p.x - r), std::min(b.low.y, p.y - r), std::min(b.low.z, p.z - r)};
      b.high = {std::max(b.high.x, p.x + r), std::max(b.high.y, p.y + r),
                std::max(b.high.z, p.z + r)};
      b.any = true;
    }
  }
  return b;
}

}  // namespace

QUrl RobotScene::Source() {
  return QUrl("qrc:/robot/RobotScene.qml");
}

void RobotScene::SetStage(QQuickItem* stage) {
  stage_ = stage;
  links_.clear();
  shapes_.clear();
}

void RobotScene::Clear() {
  meshes_ = 0;
  for (QPointer<QObject>& link : links_)
    if (link) delete link.data();
  links_.clear();
  shapes_.clear();
}

void RobotScene::Build(const robot::RobotModel& model, double lift) {
  Clear();
  if (!stage_) return;
  if (QObject* robotNode = stage_->findChild<QObject*>("robot"))
    robotNode->setProperty("position", QVector3D(0, float(lift) * kUnitsPerMetre, 0));
  for (const robot::Link& link : model.links) {
    QVariant node;
    QMetaObject::invokeMethod(stage_, "addLink", Q_RETURN_ARG(QVariant, node));
    auto* linkNode = node.value<QObject*>();
    links_.emplace_back(linkNode);
    shapes_.emplace_back();
    if (!linkNode) continue;
    for (const robot::Shape& shape : link.visuals) {
      // A mesh that can be read is drawn as it is; any other stays a small marker box.
      std::optional<robot::StlMesh> mesh;
      if (shape.geometry.kind == robot::GeometryKind::Mesh) {
        robot::StlReadResult read = robot::ReadShapeMesh(model, shape.geometry);
        mesh = std::move(read.mesh);
      }
      ShapeLook look = LookOf(shape.geometry);
      if (mesh) look = {"", QVector3D(1, 1, 1), {}};
      QVariant made;
      QMetaObject::invokeMethod(stage_, "addShape", Q_RETURN_ARG(QVariant, made),
                                Q_ARG(QVariant, QVariant::fromValue(linkNode)),
                                Q_ARG(QVariant, QString::fromLatin1(look.source)));
      auto* model3d = made.value<QObject*>();
      if (!model3d) continue;
      if (mesh) {
        auto* geometry =
            new MeshGeometry(*mesh, kUnitsPerMetre, qobject_cast<QQuick3DObject*>(model3d));
        model3d->setProperty("geometry",
                             QVariant::fromValue(static_cast<QQuick3DGeometry*>(geometry)));
        ++meshes_;
      }
      const robot::Transform origin = robot::Transform::FromOrigin(shape.origin);
      model3d->setProperty("position", ToScene(origin.position));
      model3d->setProperty("rotation", ToQuaternion(origin.rotation) * look.turn);
      model3d->setProperty("scale", look.scale);
      if (shape.hasColor)
        model3d->setProperty("color", QColor::fromRgbF(float(shape.rgba[0]), float(shape.rgba[1]),
                                                       float(shape.rgba[2]), 1.0f));
      shapes_.back().push_back({model3d, model3d->property("color").value<QColor>()});
    }
  }
}

void RobotScene::Place(const std::vector<robot::Transform>& links) {
  const size_t n = std::min(links.size(), links_.size());
  for (size_t i = 0; i < n; ++i) {
    QObject* node = links_[i];
    if (!node) continue;
    node->setProperty("position", ToScene(links[i].position));
    node->setProperty("rotation", ToQuaternion(links[i].rotation));
  }
}

void RobotScene::SetRed(const std::vector<bool>& red) {
  for (size_t l = 0; l < shapes_.size(); ++l) {
    const bool isRed = l < red.size() && red[l];
    for (const ShapeNode& shape : shapes_[l])
      if (shape.node) shape.node->setProperty("color", isRed ? RedColor() : shape.color);
  }
}

void RobotScene::SetCamera(const OrbitCamera& camera) {
  if (!stage_) return;
  QObject* node = stage_->findChild<QObject*>("camera");
  if (!node) return;
  node->setProperty("position", camera.Position());
  node->setProperty("rotation", camera.Rotation());
}

double RobotScene::FloorLift(const robot::RobotModel& model,
                             const std::vector<robot::Transform>& links) {
  const Bounds b = ShapeBounds(model, links);
  return b.any ? -b.low.z : 0;
}

OrbitCamera RobotScene::FitCamera(const robot::RobotModel& model,
                                  const std::vector<robot::Transform>& links, RobotViewAngle angle,
                                  double lift) {
  const Bounds b = ShapeBounds(model, links);
  OrbitCamera camera;
  camera.LookFrom(angle);
  if (!b.any) return camera;
  const robot::Vec3& low = b.low;
  const robot::Vec3& high = b.high;
  // z-up metres to y-up centimetres: (x, y, z) -> (x, z, -y).
  const QVector3D centre(float(low.x + high.x) / 2, float(low.z + high.z) / 2 + float(lift),
                         -float(low.y + high.y) / 2);
  camera.target = centre * kUnitsPerMetre;
  const double extent =
      std::max({high.x - low.x, high.y - low.y, high.z - low.z, 0.05}) * kUnitsPerMetre;
  // The whole extent fits in the 40 degree field of view with a margin.
  camera.distance = float(extent / (2 * std::tan(20.0 * M_PI / 180)) * 1.25);
  return camera;
}

}  // namespace brv3
