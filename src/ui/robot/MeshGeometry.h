#pragma once

#include <QQuick3DGeometry>
#include <QVector3D>

#include "core/robot/StlMesh.h"

namespace brv3 {

// A triangle mesh as a Qt Quick 3D geometry: each triangle with its own (flat) normal, corners in
// the scene's units (`unitsPerMetre` times the mesh's metres).
class MeshGeometry : public QQuick3DGeometry {
  Q_OBJECT
 public:
  MeshGeometry(const robot::StlMesh& mesh, float unitsPerMetre, QQuick3DObject* parent = nullptr);
  int Triangles() const { return triangles_; }

 private:
  int triangles_ = 0;
};

}  // namespace brv3
