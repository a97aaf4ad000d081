#pragma once

// Designs for window tests, written and read back with the core so that a
// test can start from a saved project and check what a command wrote.

#include <QString>
#include <string>
#include <vector>

namespace velmora::test {

struct DesignItem {
  DesignItem(std::string caption, int level, std::string image = {})
      : caption(std::move(caption)), level(level), image(std::move(image)) {}
  std::string caption;
  int level;
  std::string image;  // the item's normal image, empty for none
};

// `count` items "item 0", "item 1", ... nested at random (seeded by `seed`)
// down to level `deepest`.
std::vector<DesignItem> NestedDesign(int count, int deepest, unsigned seed);

// Writes a project file holding these items (defaults elsewhere).
void WriteProject(const QString& path, const std::vector<DesignItem>& items);
// Writes a menu structure file holding these items.
void WriteStructure(const QString& path, const std::vector<DesignItem>& items);
// The item captions of a project file, in order.
std::vector<std::string> ProjectCaptions(const QString& path);

}  // namespace velmora::test
