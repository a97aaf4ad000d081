// The menu structure file (.gms): the bare skeleton of a menu, five fields
// per item (level, caption, link, target, status bar message).

#include "document/applet_agent.h"
#include "document/errors.h"
#include "document/field_labels.h"
#include "document/file_io.h"
#include "document/line_reader.h"
#include "document/text.h"
#include "document/tree_rebuild.h"
#include "document/unicode.h"

namespace velmora {

namespace {

constexpr const char* kStructureHeader[] = {
    "<Generator_Name>",
    "Velmora",
    "</Generator_Name>",
    "<Generator_Version>",
    "1.0",
    "</Generator_Version>",
    "<Product_Name>",
    "General Menu Structure Description Format",
    "</Product_Name>",
    "<Product_Version>",
    "1.0",
    "</Product_Version>",
};

// The item fields a structure line carries, in line order.
constexpr ItemField kStructureFields[] = {ILevel, ICaption, ILink, ITarget, IStatusBarMsg};
constexpr int kStructureFieldCount = 5;

}  // namespace

void TvornAppletAgent::ExportStructure(const std::string& fileName, const DesignTree& tree) {
  const int n = ItemCount();
  StatusSink& status = Status();
  status.SetProgressMax(n * kItemFieldCount + 15);
  StatusGuard guard(status, "Saving Data ... ...");

  std::string out;
  for (const char* line : kStructureHeader) AppendLine(out, line);
  out += FormatExtensionsBlock(Encoding, {});  // a structure carries the encoding only
  status.StepProgress(10);
  status.StepProgress(5);
  AppendLine(out, "<Structure_Description>");

  for (int node = 1; node < tree.NodeCount() && node <= n; ++node) {
    Items[static_cast<size_t>(node - 1)][ILevel] = std::to_string(tree.Depth(node) - 1);
  }
  for (int i = 0; i < n; ++i) {
    const TItemData& item = Items[static_cast<size_t>(i)];
    for (ItemField field : kStructureFields) {
      CheckStorableValue(item[field], DescribeItem(i, item[ICaption]), ItemFieldLabel(field), Encoding);
      out += item[field];
      out += kSeparator;
    }
    out += kLineEnd;
  }
  AppendLine(out, "</Structure_Description>");
  WriteFileAtomically(fileName, out);
}

ReadResult TvornAppletAgent::ImportStructure(const std::string& fileName, DesignTree& tree) {
  return ImportStructureText(ReadWholeFile(fileName), fileName, tree);
}

ReadResult TvornAppletAgent::ImportStructureText(const std::string& content, const std::string& sourceName,
                                                 DesignTree& tree) {
  ReadResult result = ReadStructureText(content, sourceName, tree);
  if (result.outcome == ReadOutcome::Loaded) TellReset();
  return result;
}

ReadResult TvornAppletAgent::ReadStructureText(const std::string& content, const std::string& sourceName,
                                               DesignTree& tree) {
  if (content.empty()) return {};
  LineReader reader(content);
  if (!reader.Read() || !reader.Seek("<Product_Name>") || !reader.Read()) return {};
  if (reader.Line() != "General Menu Structure Description Format") {
    return {ReadOutcome::WrongProduct, 0, ""};
  }
  if (!reader.Read() || !reader.Seek("<Product_Version>") || !reader.Read()) {
    return TruncatedAt(reader, "<Product_Version>");
  }
  std::string version(reader.Line());
  FileFormat format;
  if (!reader.Read() || !SeekPastExtensions(reader, "<Structure_Description>", sourceName, format)) {
    return TruncatedAt(reader, "<Structure_Description>");
  }
  if (format.encoding == TextEncoding::Utf8) CheckUtf8Content(content, sourceName);

  StatusGuard guard(Status(), "Loading Data ... ...");
  const TItemData defaults = MakeDefaultItem();
  TItemArray items;
  ReadItemOutline outline;
  outline.firstLine = reader.LineNumber() + 1;
  for (;;) {
    if (!reader.Read()) return TruncatedAt(reader, "</Structure_Description>");
    if (reader.Line() == "</Structure_Description>") break;
    TItemData& item = items.emplace_back(defaults);
    const TStringArray fields = SplitFields(reader.Line(), kStructureFieldCount);
    for (int k = 0; k < kStructureFieldCount; ++k) item[kStructureFields[k]] = fields[static_cast<size_t>(k)];
  }
  // Views into the items; they stay valid until an item changes.
  for (const TItemData& item : items) outline.levels.push_back(item[ILevel]);
  const LevelPlan plan = PlanItemLevels(items, outline, sourceName);
  for (const TItemData& item : items) outline.captions.push_back(item[ICaption]);

  FileVersion = std::move(version);
  ResetDocument();
  // A new design from a skeleton: of the block only the encoding applies.
  Encoding = format.encoding;
  Items = std::move(items);
  RebuildTree(tree, outline.captions, plan);
  return {ReadOutcome::Loaded, plan.repairs, ""};
}

}  // namespace velmora
