#include "core/robot/SelfCollision.h"

#include <fcl/geometry/shape/box.h>
#include <fcl/geometry/shape/cylinder.h>
#include <fcl/geometry/shape/sphere.h>
#include <fcl/narrowphase/collision.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace brv3::robot {

struct SelfCollision::Impl {
  struct ShapeEntry {
    int link = 0;
    Transform local;
    double radius = 0;  // of a sphere about the shape's centre holding the whole shape
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
  // Scratch for one call.
  mutable std::vector<fcl::Transform3d> world;
  mutable std::vector<Vec3> centres;
};

namespace {

fcl::Transform3d ToFcl(const Transform& t) {
  const std::array<double, 9> m = t.Matrix();
  fcl::Transform3d out = fcl::Transform3d::Identity();
  out.linear() << m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8];
  out.translation() << t.position.x, t.position.y, t.position.z;
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
        case GeometryKind::Mesh:
          ++impl_->skippedMeshes;
          continue;
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
  for (const Impl::ShapePair& pair : d.pairs) {
    // Shapes whose bounding spheres are apart cannot touch; most pairs end here.
    const Vec3& p = d.centres[pair.a];
    const Vec3& q = d.centres[pair.b];
    const double reach = d.shapes[pair.a].radius + d.shapes[pair.b].radius;
    const double dx = p.x - q.x;
    const double dy = p.y - q.y;
    const double dz = p.z - q.z;
    if (dx * dx + dy * dy + dz * dz >= reach * reach) continue;
    fcl::CollisionResultd result;
    fcl::collide(d.shapes[pair.a].geometry.get(), d.world[pair.a], d.shapes[pair.b].geometry.get(),
                 d.world[pair.b], request, result);
    if (!result.isCollision() || result.numContacts() == 0) continue;
    const double depth = result.getContact(0).penetration_depth;
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
