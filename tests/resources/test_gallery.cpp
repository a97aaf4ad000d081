// The samples gallery the build makes: a live menu for every template,
// published with this build's runtime script under the menu name and in the
// frame height the catalog gives.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "document/applet_agent.h"
#include "document/design_tree.h"
#include "resource_support.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

struct CatalogEntry {
  std::string menuName;
  std::string height;
};

// Template base name -> its catalog line.
std::map<std::string, CatalogEntry> ReadCatalog() {
  std::map<std::string, CatalogEntry> entries;
  std::istringstream lines(ReadFile(kResources + "/samples/catalog.txt"));
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '|');) fields.push_back(field);
    if (fields.size() != 5) ADD_FAILURE() << "catalog line with " << fields.size() << " fields: " << line;
    if (fields.size() < 3 || !fields[0].ends_with(".velm")) continue;
    entries[fields[0].substr(0, fields[0].size() - 5)] = {fields[1], fields[2]};
  }
  return entries;
}

// The items of a project, without the style class names that follow the
// menu name.
std::vector<TItemData> ItemsOf(const std::string& project) {
  TvornAppletAgent doc;
  ItemTree tree;
  tree.ClearToRoot("Velmora");
  EXPECT_EQ(doc.LoadProject(project, tree).outcome, ReadOutcome::Loaded) << project;
  for (TItemData& item : doc.Items) item[IClassNormal] = item[IClassOver] = item[IClassClicked] = "";
  return doc.Items;
}

TEST(Gallery, ShowsEveryTemplateLiveWithThisBuildsRuntime) {
  const std::string samples = kProgramDir + "/samples";
  ASSERT_TRUE(fs::is_regular_file(samples + "/index.html")) << "the build made no samples gallery";
  const std::string gallery = ReadFile(samples + "/index.html");
  const std::string runtime = ReadFile(kProgramDir + "/jsmenu0.js");
  const auto catalog = ReadCatalog();

  const auto templates = FilesIn(kTemplates, ".velm");
  EXPECT_EQ(catalog.size(), templates.size()) << "one catalog line per template";
  for (const std::string& file : templates) {
    const std::string base = file.substr(0, file.size() - 5);
    SCOPED_TRACE(base);
    ASSERT_TRUE(catalog.count(base)) << "the template has no catalog line";
    const CatalogEntry& entry = catalog.at(base);

    const std::string frame =
        "<iframe src=\"" + base + "/" + base + ".html\" height=\"" + entry.height + "\"";
    EXPECT_NE(gallery.find(frame), std::string::npos) << "no frame " << frame;
    const std::string page = samples + "/" + base + "/" + base + ".html";
    ASSERT_TRUE(fs::is_regular_file(page));
    EXPECT_TRUE(HoldsMenuContainer(ReadFile(page), entry.menuName)) << page;
    EXPECT_NE(ReadFile(samples + "/" + base + "/jsmenu01cfg.js").find("bbae('" + entry.menuName + "'"),
              std::string::npos);
    EXPECT_TRUE(ReadFile(samples + "/" + base + "/jsmenu0.js") == runtime)
        << "the sample runs another runtime script than the program's";
    EXPECT_EQ(ItemsOf(samples + "/" + base + "/" + base + ".velm"), ItemsOf(kTemplates + "/" + file))
        << "the sample is older than its template";
  }
}

}  // namespace
}  // namespace velmora::test
