#include "ui/robot/MeshGeometry.h"

#include <QByteArray>
#include <cstring>

namespace brv3 {
namespace {

QVector3D ToVector(const robot::Vec3& v, float scale) {
  return QVector3D(float(v.x), float(v.y), float(v.z)) * scale;
}

}  // namespace

MeshGeometry::MeshGeometry(const robot::StlMesh& mesh, float unitsPerMetre, QQuick3DObject* parent)
    : QQuick3DGeometry(parent), triangles_(static_cast<int>(mesh.triangles.size())) {
  constexpr int kFloats = 6;  // position, normal
  constexpr int kStride = kFloats * int(sizeof(float));
  QByteArray data(static_cast<qsizetype>(mesh.triangles.size()) * 3 * kStride, Qt::Uninitialized);
  auto* out = reinterpret_cast<float*>(data.data());
  QVector3D low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
  for (const auto& t : mesh.triangles) {
    const QVector3D a = ToVector(t[0], unitsPerMetre), b = ToVector(t[1], unitsPerMetre),
                    c = ToVector(t[2], unitsPerMetre);
    const QVector3D normal = QVector3D::normal(a, b, c);
    for (const QVector3D& p : {a, b, c}) {
      const float values[kFloats] = {p.x(), p.y(), p.z(), normal.x(), normal.y(), normal.z()};
      std::memcpy(out, values, sizeof(values));
      out += kFloats;
      low = QVector3D(std::min(low.x(), p.x()), std::min(low.y(), p.y()), std::min(low.z(), p.z()));
      high = QVector3D(std::max(high.x(), p.x()), std::max(high.y(), p.y()),
                       std::max(high.z(), p.z()));
    }
  }
  setVertexData(data);
  setStride(kStride);
  setPrimitiveType(PrimitiveType::Triangles);
  addAttribute(Attribute::PositionSemantic, 0, Attribute::F32Type);
  addAttribute(Attribute::NormalSemantic, 3 * int(sizeof(float)), Attribute::F32Type);
  if (!mesh.triangles.empty()) setBounds(low, high);
}

}  // namespace brv3
