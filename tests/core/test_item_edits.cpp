// The edits an undo history replays: random runs of them, taken back one by
// one and done again, must pass through exactly the designs they made.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <variant>

#include "document/item_edits.h"
#include "document/text_encoding.h"

namespace velmora {
namespace {

struct Put {  // items put in at `first`; undone by taking them out again
  int first;
  int count;
  std::vector<TItemData> items;  // held while out of the design
};
struct Take {
  int first;
  int count;
  std::vector<TItemData> items;  // held while out of the design
};
using Step = std::variant<Put, Take, BlockMove, std::vector<ValueChange>>;

struct Design {
  TAppletData applet;
  TItemArray items;
  bool operator==(const Design&) const = default;
};

Design Snapshot(const TvornAppletAgent& doc) {
  return {doc.AppletData, doc.Items};
}

void Do(TvornAppletAgent& doc, Step& step) {
  if (auto* put = std::get_if<Put>(&step)) {
    PutItems(doc, put->first, put->items);
  } else if (auto* take = std::get_if<Take>(&step)) {
    take->items = TakeItems(doc, take->first, take->count);
  } else if (auto* move = std::get_if<BlockMove>(&step)) {
    move->Apply(doc);
  } else {
    SwapValues(doc, std::get<std::vector<ValueChange>>(step));
  }
}

void Undo(TvornAppletAgent& doc, Step& step) {
  if (auto* put = std::get_if<Put>(&step)) {
    put->items = TakeItems(doc, put->first, put->count);
  } else if (auto* take = std::get_if<Take>(&step)) {
    PutItems(doc, take->first, take->items);
  } else if (auto* move = std::get_if<BlockMove>(&step)) {
    move->Inverse().Apply(doc);
  } else {
    SwapValues(doc, std::get<std::vector<ValueChange>>(step));
  }
}

// A view that knows the design only from its notifications: the captions
// in order and the menu-wide record.
class Mirror final : public DesignObserver {
 public:
  explicit Mirror(TvornAppletAgent& doc) : doc_(doc) {
    DesignReset();
    doc_.AddObserver(this);
  }
  ~Mirror() override { doc_.RemoveObserver(this); }
  bool Follows() const {
    std::vector<std::string> captions;
    for (const TItemData& item : doc_.Items) captions.emplace_back(item[ICaption]);
    return captions == captions_ && applet_ == doc_.AppletData;
  }

  void ItemsInserted(int first, int count) override {
    for (int k = 0; k < count; ++k)
      captions_.insert(captions_.begin() + first + k, std::string(doc_.Items[size_t(first + k)][ICaption]));
  }
  void ItemsRemoved(int first, int count) override {
    captions_.erase(captions_.begin() + first, captions_.begin() + first + count);
  }
  void ItemsMoved(int first, int count, int distance) override {
    std::rotate(captions_.begin() + first - distance, captions_.begin() + first,
                captions_.begin() + first + count);
  }
  void ValuesChanged(const std::vector<ValueSlot>& changed) override {
    for (const ValueSlot& slot : changed) {
      if (slot.item == kMenuWide) {
        applet_.at(slot.field) = doc_.AppletData.at(slot.field);
      } else if (slot.field == ICaption) {
        captions_[size_t(slot.item)] = doc_.Items[size_t(slot.item)][ICaption];
      }
    }
  }
  void ExtensionsChanged() override {}
  void DesignReset() override {
    captions_.clear();
    for (const TItemData& item : doc_.Items) captions_.emplace_back(item[ICaption]);
    applet_ = doc_.AppletData;
  }

 private:
  TvornAppletAgent& doc_;
  std::vector<std::string> captions_;
  TAppletData applet_;
};

TItemData Numbered(int n) {
  TItemData item = TvornAppletAgent::MakeDefaultItem();
  item[ICaption] = "item " + std::to_string(n);
  return item;
}

Step RandomStep(const TvornAppletAgent& doc, std::mt19937& random, int& made) {
  auto pick = [&random](int below) { return below <= 0 ? 0 : static_cast<int>(random() % below); };
  const int n = doc.ItemCount();
  switch (pick(4)) {
    case 0: {
      Put put{pick(n + 1), 1 + pick(3), {}};
      for (int k = 0; k < put.count; ++k) put.items.push_back(Numbered(made++));
      return put;
    }
    case 1:
      if (n > 0) {
        const int first = pick(n);
        return Take{first, 1 + pick(std::min(5, n - first)), {}};
      }
      break;
    case 2:
      if (n > 1) {
        const int first = 1 + pick(n - 1);
        return BlockMove{first, 1 + pick(n - first), 1 + pick(first)};
      }
      break;
  }
  // Distinct slots: several fields of one item, or menu-wide ones.
  std::vector<ValueChange> changes;
  const int item = n == 0 || pick(4) == 0 ? kMenuWide : pick(n);
  const int fields = item == kMenuWide ? kAppletFieldCount : kItemFieldCount;
  const int start = pick(fields);
  for (int k = 0; k < 1 + pick(3) && start + k < fields; ++k)
    changes.push_back({{item, start + k}, "v" + std::to_string(made++)});
  return changes;
}

TEST(ItemEdits, RandomStepsUndoAndRedoThroughTheSameDesigns) {
  for (unsigned seed : {1u, 2u, 3u}) {
    std::mt19937 random(seed);
    TvornAppletAgent doc;
    doc.ResetDocument();
    int made = 0;
    for (int i = 0; i < 50; ++i) doc.InsertItem(i, Numbered(made++));
    // A view following the notifications alone stays in step throughout.
    const Mirror mirror(doc);
    std::vector<Design> designs{Snapshot(doc)};
    std::vector<Step> steps;
    for (int s = 0; s < 300; ++s) {
      steps.push_back(RandomStep(doc, random, made));
      Do(doc, steps.back());
      designs.push_back(Snapshot(doc));
      ASSERT_TRUE(mirror.Follows()) << "seed " << seed << ", step " << s << " kind " << steps[s].index();
    }
    for (size_t s = steps.size(); s-- > 0;) {
      Undo(doc, steps[s]);
      ASSERT_TRUE(Snapshot(doc) == designs[s])
          << "seed " << seed << ", undoing step " << s << " kind " << steps[s].index();
      ASSERT_TRUE(mirror.Follows()) << "seed " << seed << ", undoing step " << s;
    }
    for (size_t s = 0; s < steps.size(); ++s) {
      Do(doc, steps[s]);
      ASSERT_TRUE(Snapshot(doc) == designs[s + 1]) << "seed " << seed << ", redoing step " << s;
    }
    ASSERT_TRUE(mirror.Follows());
  }
}

TEST(ItemEdits, ValuesSwapBothWaysAndRunsStayWhole) {
  TvornAppletAgent doc;
  doc.ResetDocument();
  for (int i = 0; i < 4; ++i) doc.InsertItem(i, Numbered(i));
  std::vector<ValueChange> changes{{{2, ICaption}, "renamed"}, {{kMenuWide, pOpenDelay}, "900"}};
  SwapValues(doc, changes);
  EXPECT_EQ(ValueAt(doc, {2, ICaption}), "renamed");
  EXPECT_EQ(ValueAt(doc, {kMenuWide, pOpenDelay}), "900");
  EXPECT_EQ(changes[0].value, "item 2");
  EXPECT_EQ(changes[1].value, "0");

  std::vector<TItemData> taken = TakeItems(doc, 1, 2);
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[1][ICaption], "renamed");
  EXPECT_EQ(doc.ItemCount(), 2);
  EXPECT_THROW(TakeItems(doc, 1, 2), std::out_of_range);
  EXPECT_THROW(PutItems(doc, 3, taken), std::out_of_range);
  PutItems(doc, 2, taken);  // at the end
  EXPECT_TRUE(taken.empty());
  EXPECT_EQ(doc.Items[3][ICaption], "renamed");
}

TEST(ItemEdits, SwitchToUtf8IsTakenBackToTheSameBytes) {
  TvornAppletAgent doc;
  doc.ResetDocument();
  for (int i = 0; i < 3; ++i) doc.InsertItem(i, Numbered(i));
  // Code page letters, and bytes the code page leaves undefined.
  doc.Items[1][ICaption] = "Cr\xE8me \x81\x8D\x9D";
  doc.Items[2][IToolTip] = "\x93quoted\x94";
  doc.AppletData[pOpenDelay] = "caf\xE9";
  const Design before = Snapshot(doc);

  std::vector<ValueChange> converted = SwitchToUtf8Undoably(doc);
  EXPECT_EQ(doc.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(converted.size(), 3u) << "only the values the switch changed";
  EXPECT_EQ(doc.Items[2][IToolTip], "\u201Cquoted\u201D");
  EXPECT_EQ(doc.AppletData[pOpenDelay], "caf\u00E9");
  EXPECT_TRUE(SwitchToUtf8Undoably(doc).empty()) << "a UTF-8 design stays as it is";

  UndoSwitchToUtf8(doc, converted);
  EXPECT_EQ(doc.Encoding, TextEncoding::Windows1252);
  EXPECT_TRUE(Snapshot(doc) == before);
}

TEST(ItemEdits, TheDocumentsOwnOperationsAreReportedToo) {
  TvornAppletAgent doc;
  doc.ResetDocument();
  Mirror mirror(doc);
  for (int i = 0; i < 6; ++i) doc.InsertItem(i, Numbered(i));
  doc.DeleteItem(2);
  doc.MoveItemUp(3);
  doc.MoveBlockUp(3, 2, 2);
  TItemData renamed = doc.GetItem(1);
  renamed[ICaption] = "Crème";
  doc.SetItem(1, renamed);
  TAppletData applet = doc.GetAppletData();
  applet[pOpenDelay] = "é";
  doc.SetAppletData(applet);
  EXPECT_TRUE(mirror.Follows());
  SwitchToUtf8(doc);
  EXPECT_TRUE(mirror.Follows()) << "the converted bytes are reported";
  TvornAppletAgent other;
  other.ResetDocument();
  other.InsertItem(0, Numbered(9));
  doc.CopyDesignFrom(other);
  EXPECT_TRUE(mirror.Follows());
  ItemTree tree;
  EXPECT_EQ(doc.LoadProjectText("<Product_Name>\r\nVelmora\r\n", "x.velm", tree).outcome,
            ReadOutcome::Truncated);
  EXPECT_TRUE(mirror.Follows());
}

}  // namespace
}  // namespace velmora
