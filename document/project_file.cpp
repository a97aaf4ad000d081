// The project file (.velm): tagged lines holding the menu-wide record and
// every item record, each field ended by the separator.

#include <cstring>

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

// A quick look at a record's line: more separators than values, a line
// break, or broken text in a UTF-8 design means some value cannot be stored.
bool MayBreakTheFormat(std::string_view line, TextEncoding encoding) {
  if (std::memchr(line.data(), '\r', line.size()) || std::memchr(line.data(), '\n', line.size())) return true;
  if (encoding == TextEncoding::Utf8 && !IsValidUtf8(line)) return true;
  return NthSeparatorInLine(line, 0, kItemFieldCount) != std::string_view::npos;
}

void CheckItemValues(int index, const TItemData& item, TextEncoding encoding) {
  for (int k = 0; k < kItemFieldCount; ++k) {
    CheckStorableValue(item.at(k), DescribeItem(index, item[ICaption]), ItemFieldLabel(k), encoding);
  }
}

}  // namespace

void TvornAppletAgent::CheckProjectValues() const {
  for (int k = 0; k < kAppletFieldCount; ++k) {
    CheckStorableValue(AppletData.at(k), "the menu-wide settings", AppletFieldLabel(k), Encoding);
  }
  std::string values;
  for (int i = 0; i < ItemCount(); ++i) {
    const TItemData& item = Items[static_cast<size_t>(i)];
    values.clear();
    item.AppendLine(values);
    if (MayBreakTheFormat(values, Encoding)) CheckItemValues(i, item, Encoding);
  }
}

void TvornAppletAgent::SaveProject(const std::string& fileName) {
  AtomicFileWriter out(fileName);
  WriteProject(out);
  out.Commit();
}

void TvornAppletAgent::StageProject(StagedFiles& files, const std::string& fileName) {
  AtomicFileWriter out(fileName);
  WriteProject(out);
  files.Adopt(fileName, out.Finish());
}

void TvornAppletAgent::WriteProject(AtomicFileWriter& out) {
  const int n = ItemCount();
  StatusSink& status = Status();
  status.SetProgressMax(n * kItemFieldCount + 15);
  StatusGuard guard(status, "Saving Data ... ...");

  for (int k = 0; k < kAppletFieldCount; ++k) {
    CheckStorableValue(AppletData.at(k), "the menu-wide settings", AppletFieldLabel(k), Encoding);
  }
  // Written as it is made; a refused value drops the unfinished file.
  auto line = [&out](std::string_view text) {
    out.Append(text);
    out.Append(kLineEnd);
  };
  for (const char* header : kProjectHeader) line(header);
  out.Append(FormatExtensionsBlock(Encoding, Extensions));
  status.StepProgress(10);

  line("<Applet_Parameters>");
  line(AppletData.Line());
  line("</Applet_Parameters>");
  status.StepProgress(5);

  line("<Item_Parameters>");
  std::string values;  // one item's line at a time, so the items stay as they are
  for (int i = 0; i < n; ++i) {
    const TItemData& item = Items[static_cast<size_t>(i)];
    values.clear();
    item.AppendLine(values);
    if (MayBreakTheFormat(values, Encoding)) CheckItemValues(i, item, Encoding);
    line(values);
    status.StepProgressTimes(1, kItemFieldCount);  // one step per field written
  }
  line("</Item_Parameters>");
}

ReadResult TvornAppletAgent::LoadProject(const std::string& fileName, DesignTree& tree) {
  return LoadProjectText(ReadWholeFile(fileName), fileName, tree);
}

ReadResult TvornAppletAgent::LoadProjectText(std::string content, const std::string& sourceName,
                                             DesignTree& tree) {
  ReadResult result = ReadProjectText(std::move(content), sourceName, tree);
  if (result.outcome == ReadOutcome::Loaded) TellReset();
  return result;
}

ReadResult TvornAppletAgent::ReadProjectText(std::string content, const std::string& sourceName,
                                             DesignTree& tree) {
  if (content.empty()) return {};
  // The items keep pointing into the file's text until they are first used.
  const auto text = std::make_shared<const std::string>(std::move(content));
  LineReader reader(*text);
  if (!reader.Read() || !reader.Seek("<Product_Name>") || !reader.Read()) return {};
  if (reader.Line() != "Velmora") return {ReadOutcome::WrongProduct, 0, ""};

  if (!reader.Read() || !reader.Seek("<Product_Version>") || !reader.Read()) {
    return TruncatedAt(reader, "<Product_Version>");
  }
  std::string version(reader.Line());
  FileFormat format;
  if (!reader.Read() || !SeekPastExtensions(reader, "<Applet_Parameters>", sourceName, format) ||
      !reader.Read()) {
    return TruncatedAt(reader, "<Applet_Parameters>");
  }
  if (format.encoding == TextEncoding::Utf8) CheckUtf8Content(*text, sourceName);
  TAppletData appletData(text, reader.Line());
  if (!reader.Seek("<Item_Parameters>")) return TruncatedAt(reader, "<Item_Parameters>");

  StatusGuard guard(Status(), "Loading Data ... ...");
  // A well-formed item line holds at least its separators.
  const size_t expected = reader.BytesLeft() / (kItemFieldCount * kSeparator.size()) + 1;
  TItemArray items;
  items.reserve(expected);
  ReadItemOutline outline;
  outline.levels.reserve(expected);
  outline.captions.reserve(expected);
  outline.firstLine = reader.LineNumber() + 1;
  for (;;) {
    LineMarks marks;
    if (!reader.ReadMarking(ILevel - 1, marks)) return TruncatedAt(reader, "</Item_Parameters>");
    const std::string_view line = reader.Line();
    if (line == "</Item_Parameters>") break;
    items.emplace_back(text, line);
    // A value without its separator is empty. The views are made from pointer
    // and length so they never take a trip through memory.
    const bool hasLevel = marks.afterNth != std::string_view::npos;
    const size_t levelStart = hasLevel ? marks.nth + kSeparator.size() : 0;
    outline.levels.emplace_back(line.data() + levelStart, hasLevel ? marks.afterNth - levelStart : 0);
    outline.captions.emplace_back(line.data(), marks.first == std::string_view::npos ? 0 : marks.first);
  }

  const LevelPlan plan = PlanItemLevels(items, outline, sourceName);
  FileVersion = std::move(version);
  Extensions = std::move(format.extensions);
  Encoding = format.encoding;
  AppletData = std::move(appletData);
  Items = std::move(items);
  RebuildTree(tree, outline.captions, plan);
  return {ReadOutcome::Loaded, plan.repairs, ""};
}

}  // namespace velmora
