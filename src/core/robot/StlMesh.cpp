#include "core/robot/StlMesh.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "core/util/SafeFile.h"
#include "core/util/Translate.h"

namespace brv3::robot {
namespace {

constexpr size_t kBinaryHeader = 84;    // 80 bytes of header, then the triangle count
constexpr size_t kBinaryTriangle = 50;  // normal, three corners, attribute word

StlReadResult Failure(const std::string& name, const std::string& what) {
  StlReadResult result;
  result.error = name + ": " + what;
  return result;
}

uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
         static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
}

float LeFloat(const char* p) {
  return std::bit_cast<float>(Le32(p));
}

bool Finite(const Vec3& v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

StlReadResult ReadBinary(std::string_view bytes, const std::string& name, uint64_t count) {
  StlMesh mesh;
  mesh.triangles.reserve(static_cast<size_t>(count));
  for (uint64_t t = 0; t < count; ++t) {
    const char* p = bytes.data() + kBinaryHeader + t * kBinaryTriangle + 12;  // past the normal
    std::array<Vec3, 3> corners;
    for (int c = 0; c < 3; ++c, p += 12)
      corners[static_cast<size_t>(c)] = {LeFloat(p), LeFloat(p + 4), LeFloat(p + 8)};
    for (const Vec3& v : corners)
      if (!Finite(v))
        return Failure(name, Args(Tr("StlMesh", "triangle %1 has a corner that is not a number"),
                                  {std::to_string(t + 1)}));
    mesh.triangles.push_back(corners);
  }
  StlReadResult result;
  result.mesh = std::move(mesh);
  return result;
}

// The words of an ASCII file, one at a time.
class Words {
 public:
  explicit Words(std::string_view text) : text_(text) {}
  std::string_view Next() {
    while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
    const size_t start = at_;
    while (at_ < text_.size() && !IsSpace(text_[at_])) ++at_;
    return text_.substr(start, at_ - start);
  }
  // The rest of the line (a solid's name).
  void SkipLine() {
    while (at_ < text_.size() && text_[at_] != '\n') ++at_;
  }
  size_t Line() const {
    return static_cast<size_t>(
               std::count(text_.begin(), text_.begin() + static_cast<long>(at_), '\n')) +
           1;
  }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
  }
  std::string_view text_;
  size_t at_ = 0;
};

bool Number(std::string_view word, double& out) {
  if (word.empty()) return false;
  if (word.front() == '+') word.remove_prefix(1);
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out);
  return ec == std::errc() && end == word.data() + word.size() && std::isfinite(out);
}

StlReadResult ReadAscii(std::string_view text, const std::string& name) {
  Words words(text);
  words.Next();  // "solid"
  words.SkipLine();
  StlMesh mesh;
  const auto expected = [&](std::string_view what) {
    return Failure(
        name, Args(Tr("StlMesh", "line %1: '%2' expected"), {std::to_string(words.Line()), what}));
  };
  for (;;) {
    std::string_view word = words.Next();
    if (word == "endsolid") break;
    if (word.empty()) return expected("endsolid");
    if (word != "facet") return expected("facet");
    if (words.Next() != "normal") return expected("normal");
    double ignored = 0;
    for (int i = 0; i < 3; ++i)
      if (!Number(words.Next(), ignored)) return expected(Tr("StlMesh", "a number"));
    if (words.Next() != "outer") return expected("outer");
    if (words.Next() != "loop") return expected("loop");
    std::array<Vec3, 3> corners;
    for (Vec3& v : corners) {
      if (words.Next() != "vertex") return expected("vertex");
      if (!Number(words.Next(), v.x) || !Number(words.Next(), v.y) || !Number(words.Next(), v.z))
        return expected(Tr("StlMesh", "a number"));
    }
    if (words.Next() != "endloop") return expected("endloop");
    if (words.Next() != "endfacet") return expected("endfacet");
    if (mesh.triangles.size() >= kMaxStlTriangles)
      return Failure(name, Args(Tr("StlMesh", "more than %1 triangles; a collision mesh never has"),
                                {std::to_string(kMaxStlTriangles)}));
    mesh.triangles.push_back(corners);
  }
  if (mesh.triangles.empty()) return Failure(name, Tr("StlMesh", "the mesh has no triangles"));
  StlReadResult result;
  result.mesh = std::move(mesh);
  return result;
}

bool StartsWithSolid(std::string_view bytes) {
  size_t at = 0;
  while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t')) ++at;
  return bytes.substr(at, 5) == "solid";
}

}  // namespace

StlReadResult ReadStl(std::string_view bytes, const std::string& sourceName) {
  if (bytes.size() > kMaxStlFileSize)
    return Failure(sourceName, Args(Tr("StlMesh", "the file is larger than %1 MB"),
                                    {std::to_string(kMaxStlFileSize >> 20)}));
  // A binary file's size follows from its triangle count; an ASCII file starts with "solid" (so
  // may a binary one's header, hence the size first).
  if (bytes.size() >= kBinaryHeader) {
    const uint64_t count = Le32(bytes.data() + 80);
    const uint64_t size = kBinaryHeader + count * kBinaryTriangle;
    if (size == bytes.size()) {
      if (count == 0) return Failure(sourceName, Tr("StlMesh", "the mesh has no triangles"));
      if (count > kMaxStlTriangles)
        return Failure(sourceName,
                       Args(Tr("StlMesh", "more than %1 triangles; a collision mesh never has"),
                            {std::to_string(kMaxStlTriangles)}));
      return ReadBinary(bytes, sourceName, count);
    }
    if (!StartsWithSolid(bytes))
      return Failure(sourceName, Args(Tr("StlMesh",
                                         "the file claims %1 triangles, which take "
                                         "%2 bytes, but has %3"),
                                      {std::to_string(count), std::to_string(size),
                                       std::to_string(bytes.size())}));
  }
  if (!StartsWithSolid(bytes))
    return Failure(sourceName, Tr("StlMesh", "not an STL file (too short, no 'solid')"));
  return ReadAscii(bytes, sourceName);
}

StlReadResult ReadStlFile(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > kMaxStlFileSize)
    return Failure(path, Args(Tr("StlMesh", "the file is larger than %1 MB"),
                              {std::to_string(kMaxStlFileSize >> 20)}));
  std::string error;
  const std::optional<std::string> bytes = ReadWholeFile(path, &error);
  if (!bytes) return Failure(path, Args(Tr("StlMesh", "cannot read the file (%1)"), {error}));
  return ReadStl(*bytes, path);
}

namespace {

bool EndsWithStl(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".stl";
}

}  // namespace

StlReadResult ReadShapeMesh(const RobotModel& model, const Geometry& g) {
  StlReadResult out;
  std::string name = g.mesh;
  if (name.rfind("package://", 0) == 0) {
    out.error = Args(Tr("SelfCollision", "%1: package paths are not looked up"), {name});
    return out;
  }
  if (name.rfind("file://", 0) == 0) name.erase(0, 7);
  if (!EndsWithStl(name)) {
    out.error = Args(Tr("SelfCollision", "%1: only STL meshes are read"), {g.mesh});
    return out;
  }
  std::filesystem::path path(name);
  if (path.is_relative()) {
    if (model.sourcePath.empty()) {
      out.error =
          Args(Tr("SelfCollision", "%1: not read, the robot was not read from a file"), {g.mesh});
      return out;
    }
    path = std::filesystem::path(model.sourcePath).parent_path() / path;
  }
  out = ReadStlFile(path.string());
  if (out.mesh)
    for (auto& triangle : out.mesh->triangles)
      for (Vec3& v : triangle) v = {v.x * g.scale.x, v.y * g.scale.y, v.z * g.scale.z};
  return out;
}

}  // namespace brv3::robot
