#include "core/robot/StlMesh.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace brv3::robot {
namespace {

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

// A binary file of `triangles`, its count field saying `claimed` (by default the true count).
std::string Binary(const std::vector<std::array<Vec3, 3>>& triangles,
                   std::optional<uint32_t> claimed = std::nullopt, const char* header = "") {
  std::string out(80, '\0');
  std::memcpy(out.data(), header, std::strlen(header));
  PutLe32(out, claimed ? *claimed : static_cast<uint32_t>(triangles.size()));
  for (const auto& t : triangles) {
    for (int i = 0; i < 3; ++i) PutLe32(out, 0);  // normal
    for (const Vec3& v : t)
      for (double c : {v.x, v.y, v.z}) PutLe32(out, std::bit_cast<uint32_t>(static_cast<float>(c)));
    out += std::string(2, '\0');
  }
  return out;
}

const std::vector<std::array<Vec3, 3>> kTwo = {
    {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
    {{{0, 0, 1}, {1, 0, 1}, {0, 1, 1}}},
};

TEST(StlMesh, BinaryAndAsciiFilesGiveTheirTriangles) {
  StlReadResult read = ReadStl(Binary(kTwo), "two.stl");
  ASSERT_TRUE(read.mesh) << read.error;
  EXPECT_EQ(read.mesh->triangles, kTwo);
  // A binary header may begin with "solid" too: its size tells it apart.
  read = ReadStl(Binary(kTwo, std::nullopt, "solid made by a tool"), "two.stl");
  ASSERT_TRUE(read.mesh) << read.error;
  EXPECT_EQ(read.mesh->triangles.size(), 2u);

  read = ReadStl(R"(solid two
  facet normal 0 0 1
    outer loop
      vertex 0 0 0
      vertex 1e0 0 0
      vertex 0 +1 0
    endloop
  endfacet
  facet normal 0 0 1
    outer loop
      vertex 0 0 1
      vertex 1 0 1
      vertex 0 1 1.0
    endloop
  endfacet
endsolid two
)",
                 "two.stl");
  ASSERT_TRUE(read.mesh) << read.error;
  EXPECT_EQ(read.mesh->triangles, kTwo);
}

TEST(StlMesh, BadFilesAreRefusedWithTheReason) {
  // More triangles claimed than the file holds: refused before anything is made of it.
  StlReadResult read = ReadStl(Binary(kTwo, 0xFFFFFFFFu), "big.stl");
  EXPECT_FALSE(read.mesh);
  EXPECT_EQ(read.error,
            "big.stl: the file claims 4294967295 triangles, which take 214748364834 bytes, but "
            "has 184");
  // A true count beyond the cap.
  const std::string many =
      Binary({}, kMaxStlTriangles + 1) + std::string((kMaxStlTriangles + 1) * 50, '\0');
  read = ReadStl(many, "many.stl");
  EXPECT_FALSE(read.mesh);
  EXPECT_EQ(read.error, "many.stl: more than 500000 triangles; a collision mesh never has");
  EXPECT_FALSE(ReadStl(Binary({}), "empty.stl").mesh);
  // Not numbers, a facet cut short, no "solid", nothing at all.
  std::array<Vec3, 3> nan = kTwo[0];
  nan[1].y = std::numeric_limits<double>::quiet_NaN();
  read = ReadStl(Binary({nan}), "nan.stl");
  EXPECT_EQ(read.error, "nan.stl: triangle 1 has a corner that is not a number");
  read = ReadStl("solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 zero\n", "word.stl");
  EXPECT_EQ(read.error, "word.stl: line 4: 'a number' expected");
  read = ReadStl("solid x\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\n", "short.stl");
  EXPECT_EQ(read.error, "short.stl: line 5: 'vertex' expected");
  EXPECT_FALSE(ReadStl("solid x\nendsolid x\n", "none.stl").mesh);
  EXPECT_FALSE(ReadStl("hello", "hello.stl").mesh);
  EXPECT_FALSE(ReadStl("", "nothing.stl").mesh);
}

}  // namespace
}  // namespace brv3::robot
