#pragma once

// The menu document: the menu-wide record, the items in pre-order of the
// design tree, and the operations on them. The generator's operations on
// the same document live in generator/.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/design_observer.h"
#include "document/design_tree.h"
#include "document/format_extensions.h"
#include "document/records.h"
#include "document/status_sink.h"

namespace velmora {

// How a reader ended. Anything but Loaded leaves the document and the tree
// exactly as they were.
enum class ReadOutcome {
  Loaded,
  NothingRead,   // empty file, or no product name line
  WrongProduct,  // the product name is not ours
  Truncated,     // the file ended before its closing tag
};

struct ReadResult {
  ReadOutcome outcome = ReadOutcome::NothingRead;
  int repairedItems = 0;  // items moved under the nearest possible parent
  std::string detail;     // where a truncated file ended
};

// Fixed texts the front ends show for the outcomes.
inline constexpr const char* kWrongProjectMessage = "This file wasn't saved by Velmora 1.0, open failed!";
inline constexpr const char* kWrongStructureMessage =
    "This file wasn't saved by specified format, open failed!";

class AtomicFileWriter;
class StagedFiles;

class TvornAppletAgent {
 public:
  // `programFolder` holds the runtime script and receives the generated
  // files and the preview folder; the front end resolves it.
  explicit TvornAppletAgent(std::string programFolder = "");
  TvornAppletAgent(const TvornAppletAgent&) = delete;
  TvornAppletAgent& operator=(const TvornAppletAgent&) = delete;

  TAppletData GetAppletData() const { return AppletData; }
  void SetAppletData(const TAppletData& data);
  TItemData GetItem(int index) const { return Items.at(static_cast<size_t>(index)); }
  void SetItem(int index, const TItemData& item);
  int ItemCount() const { return static_cast<int>(Items.size()); }

  static TStringArray AppletDataToStrings(const TAppletData& data);
  static TAppletData StringsToAppletData(const TStringArray& strings);
  static TStringArray ItemToStrings(const TItemData& item);
  static TItemData StringsToItem(const TStringArray& strings, const std::string& version);

  // A new design: menu-wide defaults, no items, classic format.
  void ResetDocument();
  // Takes over another document's design: every record (only the first
  // `itemCount` items when it is not negative), the script names, the
  // encoding and the extensions; not its program folder, preview files or
  // status area. Keep it in step with the members below.
  void CopyDesignFrom(const TvornAppletAgent& other, int itemCount = -1);
  static TItemData MakeDefaultItem();
  void InsertItem(int index, const TItemData& item);
  void DeleteItem(int index);
  void MoveItemUp(int index);
  // Carries the `count` items starting at `first` up past the `distance`
  // items before them, each block keeping its order: the result of moving
  // each item up one place at a time, in linear time. Out-of-range
  // arguments change nothing.
  void MoveBlockUp(int first, int count, int distance);

  // Project file (.velm).
  void SaveProject(const std::string& fileName);
  // Refuses (ValueError) a design the project file cannot store: a value
  // holding the separator or a line break. Saving checks the same while it
  // writes; a save of many files checks first, before any of them.
  void CheckProjectValues() const;
  // Writes the project file as one of a group that replaces its files together.
  void StageProject(StagedFiles& files, const std::string& fileName);
  ReadResult LoadProject(const std::string& fileName, DesignTree& tree);
  // Reads project file content; `sourceName` names it in messages.
  ReadResult LoadProjectText(std::string content, const std::string& sourceName, DesignTree& tree);
  // Menu structure file (.gms).
  void ExportStructure(const std::string& fileName, const DesignTree& tree);
  ReadResult ImportStructure(const std::string& fileName, DesignTree& tree);
  ReadResult ImportStructureText(const std::string& content, const std::string& sourceName, DesignTree& tree);

  // Observers hear of every change the operations above and the item
  // edits (item_edits.h) make; they must stay registered no longer than
  // they live. Code that changes the public members directly reports it.
  void AddObserver(DesignObserver* observer);
  void RemoveObserver(DesignObserver* observer);
  template <typename Report>
  void Tell(Report&& report) const {
    for (DesignObserver* observer : observers_) report(*observer);
  }
  void TellReset() const {
    Tell([](DesignObserver& o) { o.DesignReset(); });
  }
  void TellValuesChanged(const std::vector<ValueSlot>& changed) const {
    if (!changed.empty()) Tell([&changed](DesignObserver& o) { o.ValuesChanged(changed); });
  }

  void SetStatusSink(StatusSink* sink) { status_ = sink ? sink : &nullSink_; }
  StatusSink& Status() const { return *status_; }
  const std::string& ProgramFolder() const { return programFolder_; }

  TAppletData AppletData;
  TItemArray Items;
  std::array<std::string, 3> RuntimeFiles;
  std::vector<std::string> PreviewFiles;
  std::string Separator;
  std::string FileVersion;
  // The <Format_Extensions> block's keys other than the encoding, in order.
  FormatExtensions Extensions;
  // How every value above is stored as bytes.
  TextEncoding Encoding = TextEncoding::Windows1252;

 private:
  void WriteProject(AtomicFileWriter& out);
  ReadResult ReadProjectText(std::string content, const std::string& sourceName, DesignTree& tree);
  ReadResult ReadStructureText(const std::string& content, const std::string& sourceName, DesignTree& tree);

  std::string programFolder_;
  mutable NullStatusSink nullSink_;
  StatusSink* status_;
  std::vector<DesignObserver*> observers_;
};

// Names an item for messages: its position counting from 1 and its caption.
std::string DescribeItem(int index, std::string_view caption);

// Refuses a record value that would not read back as written. `owner` names
// the record ("the menu-wide settings" or DescribeItem).
void CheckStorableValue(std::string_view value, const std::string& owner, std::string_view fieldName,
                        TextEncoding encoding = TextEncoding::Windows1252);

}  // namespace velmora
