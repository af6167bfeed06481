#include "core/robot/SelfCollision.h"

#include <fcl/geometry/bvh/BVH_model.h>
#include <fcl/geometry/shape/box.h>
#include <fcl/geometry/shape/cylinder.h>
#include <fcl/geometry/shape/sphere.h>
#include <fcl/narrowphase/collision.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/robot/StlMesh.h"
#include "core/util/Translate.h"

namespace brv3::robot {

struct SelfCollision::Impl {
  struct ShapeEntry {
    int link = 0;
    Transform local;
    double radius = 0;  // of a sphere about the shape's centre holding the whole shape
    bool mesh = false;
    std::shared_ptr<fcl::CollisionGeometryd> geometry;
  };
  struct ShapePair {
    size_t a = 0;
    size_t b = 0;
  };
  std::vector<ShapeEntry> shapes;
  std::vector<ShapePair> pairs;
  size_t linkPairs = 0;
  int skippedMeshes = 0;
  std::vector<std::string> meshProblems;
  // Scratch for one call.
  mutable std::vector<fcl::Transform3d> world;
  mutable std::vector<Vec3> centres;
};

namespace {

// Triangle contacts looked at between a mesh and another shape.
constexpr size_t kMeshContacts = 64;

fcl::Transform3d ToFcl(const Transform& t) {
  const std::array<double, 9> m = t.Matrix();
  fcl::Transform3d out = fcl::Transform3d::Identity();
  out.linear() << m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8];
  out.translation() << t.position.x, t.position.y, t.position.z;
  return out;
}

struct MeshShape {
  std::shared_ptr<fcl::CollisionGeometryd> geometry;
  double radius = 0;
  std::string problem;  // why there is no geometry
};

// The collision mesh of a shape as a bounding-volume tree.
MeshShape LoadMesh(const RobotModel& model, const Geometry& g) {
  MeshShape out;
  const StlReadResult read = ReadShapeMesh(model, g);
  if (!read.mesh) {
    out.problem = read.error;
    return out;
  }
  std::vector<fcl::Vector3d> points;
  std::vector<fcl::Triangle> triangles;
  points.reserve(read.mesh->triangles.size() * 3);
  triangles.reserve(read.mesh->triangles.size());
  for (const auto& t : read.mesh->triangles) {
    const size_t first = points.size();
    for (const Vec3& v : t) {
      points.emplace_back(v.x, v.y, v.z);
      out.radius = std::max(out.radius, points.back().norm());
    }
    triangles.emplace_back(first, first + 1, first + 2);
  }
  auto bvh = std::make_shared<fcl::BVHModel<fcl::OBBRSSd>>();
  bvh->beginModel(static_cast<int>(triangles.size()), static_cast<int>(points.size()));
  bvh->addSubModel(points, triangles);
  bvh->endModel();
  out.geometry = std::move(bvh);
  return out;
}

}  // namespace

SelfCollision::SelfCollision(const RobotModel& model, const LinkPairSet& disabled)
    : impl_(std::make_unique<Impl>()) {
  for (size_t l = 0; l < model.links.size(); ++l) {
    for (const Shape& shape : model.links[l].collisions) {
      Impl::ShapeEntry entry;
      entry.link = static_cast<int>(l);
      entry.local = Transform::FromOrigin(shape.origin);
      const Geometry& g = shape.geometry;
      switch (g.kind) {
        case GeometryKind::Box:
          entry.geometry = std::make_shared<fcl::Boxd>(g.size.x, g.size.y, g.size.z);
          entry.radius =
              0.5 * std::sqrt(g.size.x * g.size.x + g.size.y * g.size.y + g.size.z * g.size.z);
          break;
        case GeometryKind::Cylinder:
          entry.geometry = std::make_shared<fcl::Cylinderd>(g.radius, g.length);
          entry.radius = std::hypot(g.radius, 0.5 * g.length);
          break;
        case GeometryKind::Sphere:
          entry.geometry = std::make_shared<fcl::Sphered>(g.radius);
          entry.radius = g.radius;
          break;
        case GeometryKind::Mesh: {
          MeshShape mesh = LoadMesh(model, g);
          if (!mesh.geometry) {
            ++impl_->skippedMeshes;
            impl_->meshProblems.push_back(std::move(mesh.problem));
            continue;
          }
          entry.geometry = std::move(mesh.geometry);
          entry.radius = mesh.radius;
          entry.mesh = true;
          break;
        }
      }
      impl_->shapes.push_back(std::move(entry));
    }
  }
  std::set<std::pair<int, int>> skip;
  for (const Joint& joint : model.joints) {
    const int p = model.LinkIndex(joint.parent);
    const int c = model.LinkIndex(joint.child);
    skip.emplace(std::min(p, c), std::max(p, c));
  }
  for (const auto& [a, b] : disabled) {
    const int i = model.LinkIndex(a);
    const int j = model.LinkIndex(b);
    skip.emplace(std::min(i, j), std::max(i, j));
  }
  std::set<std::pair<int, int>> linkPairs;
  const auto& shapes = impl_->shapes;
  for (size_t a = 0; a < shapes.size(); ++a) {
    for (size_t b = a + 1; b < shapes.size(); ++b) {
      const int i = std::min(shapes[a].link, shapes[b].link);
      const int j = std::max(shapes[a].link, shapes[b].link);
      if (i == j || skip.count({i, j})) continue;
      impl_->pairs.push_back({a, b});
      linkPairs.emplace(i, j);
    }
  }
  impl_->linkPairs = linkPairs.size();
}

SelfCollision::~SelfCollision() = default;

size_t SelfCollision::LinkPairCount() const {
  return impl_->linkPairs;
}

int SelfCollision::SkippedMeshes() const {
  return impl_->skippedMeshes;
}

const std::vector<std::string>& SelfCollision::MeshProblems() const {
  return impl_->meshProblems;
}

void SelfCollision::Contacts(const std::vector<Transform>& links,
                             std::vector<LinkContact>& out) const {
  out.clear();
  Impl& d = *impl_;
  d.world.resize(d.shapes.size());
  d.centres.resize(d.shapes.size());
  for (size_t s = 0; s < d.shapes.size(); ++s) {
    const auto link = static_cast<size_t>(d.shapes[s].link);
    if (link >= links.size()) return;
    const Transform placed = links[link].Compose(d.shapes[s].local);
    d.centres[s] = placed.position;
    d.world[s] = ToFcl(placed);
  }
  const fcl::CollisionRequestd request(1, true);
  const fcl::CollisionRequestd meshRequest(kMeshContacts, true);
  for (const Impl::ShapePair& pair : d.pairs) {
    // Shapes whose bounding spheres are apart cannot touch; most pairs end here.
    const Vec3& p = d.centres[pair.a];
    const Vec3& q = d.centres[pair.b];
    const double reach = d.shapes[pair.a].radius + d.shapes[pair.b].radius;
    const double dx = p.x - q.x;
    const double dy = p.y - q.y;
    const double dz = p.z - q.z;
    if (dx * dx + dy * dy + dz * dz >= reach * reach) continue;
    // A mesh meets another shape triangle by triangle: one contact per triangle, its depth of
    // either sign; the deepest is the overlap.
    const bool mesh = d.shapes[pair.a].mesh || d.shapes[pair.b].mesh;
    fcl::CollisionResultd result;
    fcl::collide(d.shapes[pair.a].geometry.get(), d.world[pair.a], d.shapes[pair.b].geometry.get(),
                 d.world[pair.b], mesh ? meshRequest : request, result);
    if (!result.isCollision() || result.numContacts() == 0) continue;
    double depth = result.getContact(0).penetration_depth;
    if (mesh) {
      depth = 0;
      for (size_t c = 0; c < result.numContacts(); ++c)
        depth = std::max(depth, std::abs(result.getContact(c).penetration_depth));
    }
    if (!(depth >= kTouchDepth)) continue;
    const int first = std::max(d.shapes[pair.a].link, d.shapes[pair.b].link);
    const int second = std::min(d.shapes[pair.a].link, d.shapes[pair.b].link);
    auto it = std::find_if(out.begin(), out.end(), [&](const LinkContact& c) {
      return c.first == first && c.second == second;
    });
    if (it == out.end())
      out.push_back({first, second, depth});
    else
      it->depth = std::max(it->depth, depth);
  }
}

}  // namespace brv3::robot
