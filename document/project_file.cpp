// The project file (.velm): tagged lines holding the menu-wide record and
// every item record, each field ended by the separator.

#include "document/applet_agent.h"
#include "document/errors.h"
#include "document/file_io.h"
#include "document/line_reader.h"
#include "document/text.h"
#include "document/tree_rebuild.h"

namespace velmora {

namespace {

constexpr const char* kProjectHeader[] = {
    "<Warning_Info>",
    "Note: This file was created and maintained by Velmora 1.0.",
    "Do not modify it or script project may not be opened again!",
    "</Warning_Info>",
    "<Product_Name>",
    "Velmora",
    "</Product_Name>",
    "<Product_Version>",
    "1.0",
    "</Product_Version>",
};

// A quick look for the bytes that start a separator or a line break.
bool MayBreakTheFormat(const std::string& value) {
  for (char c : value) {
    if (c == '#' || c == '\r' || c == '\n') return true;
  }
  return false;
}

}  // namespace

void TvornAppletAgent::SaveProject(const std::string& fileName) {
  const int n = ItemCount();
  StatusSink& status = Status();
  status.SetProgressMax(n * kItemFieldCount + 15);
  StatusGuard guard(status, "Saving Data ... ...");

  std::string out;
  out.reserve(512 + Items.size() * 700);
  for (const char* line : kProjectHeader) AppendLine(out, line);
  status.StepProgress(10);

  AppendLine(out, "<Applet_Parameters>");
  for (int k = 0; k < kAppletFieldCount; ++k) {
    CheckStorableValue(AppletData.at(k), "the menu-wide settings", kAppletFieldNames[static_cast<size_t>(k)]);
    out += AppletData.at(k);
    out += kSeparator;
  }
  out += kLineEnd;
  AppendLine(out, "</Applet_Parameters>");
  status.StepProgress(5);

  AppendLine(out, "<Item_Parameters>");
  for (int i = 0; i < n; ++i) {
    const TItemData& item = Items[static_cast<size_t>(i)];
    for (int k = 0; k < kItemFieldCount; ++k) {
      const std::string& value = item.at(k);
      if (MayBreakTheFormat(value)) {
        CheckStorableValue(value, DescribeItem(i, item[ICaption]), kItemFieldNames[static_cast<size_t>(k)]);
      }
      out += value;
      out += kSeparator;
      status.StepProgress(1);
    }
    out += kLineEnd;
  }
  AppendLine(out, "</Item_Parameters>");
  WriteFileAtomically(fileName, out);
}

ReadResult TvornAppletAgent::LoadProject(const std::string& fileName, DesignTree& tree) {
  return LoadProjectText(ReadWholeFile(fileName), fileName, tree);
}

ReadResult TvornAppletAgent::LoadProjectText(const std::string& content, const std::string& sourceName,
                                             DesignTree& tree) {
  if (content.empty()) return {};
  LineReader reader(content);
  if (!reader.Read() || !reader.Seek("<Product_Name>") || !reader.Read()) return {};
  if (reader.Line() != "Velmora") return {ReadOutcome::WrongProduct, 0, ""};

  if (!reader.Read() || !reader.Seek("<Product_Version>") || !reader.Read()) {
    return TruncatedAt(reader, "<Product_Version>");
  }
  std::string version(reader.Line());
  if (!reader.Read() || !reader.Seek("<Applet_Parameters>") || !reader.Read()) {
    return TruncatedAt(reader, "<Applet_Parameters>");
  }
  const TStringArray appletFields = SplitFields(reader.Line(), kAppletFieldCount);
  if (!reader.Seek("<Item_Parameters>")) return TruncatedAt(reader, "<Item_Parameters>");

  StatusGuard guard(Status(), "Loading Data ... ...");
  TItemArray items;
  items.reserve(reader.LinesLeft());
  std::vector<int> lineNumbers;
  lineNumbers.reserve(reader.LinesLeft());
  for (;;) {
    if (!reader.Read()) return TruncatedAt(reader, "</Item_Parameters>");
    if (reader.Line() == "</Item_Parameters>") break;
    SplitFieldsInto(reader.Line(), items.emplace_back().f.data(), kItemFieldCount);
    lineNumbers.push_back(reader.LineNumber());
  }

  const LevelPlan plan = PlanItemLevels(items, lineNumbers, sourceName);
  FileVersion = std::move(version);
  AppletData = StringsToAppletData(appletFields);
  Items = std::move(items);
  RebuildTree(tree, Items, plan);
  return {ReadOutcome::Loaded, plan.repairs, ""};
}

}  // namespace velmora
