// The collection of spaces: indexed access, lookup by handle, sorting by
// handle value, replacement and ownership, and the spaces of a drawing.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "CException.h"
#include "spaces/Block.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "support/ZelphExceptions.h"

namespace {

// Counts the spaces alive, to see each freed exactly once.
int g_alive = 0;

class CountedSpace : public CBlockDWG {
 public:
  explicit CountedSpace(const std::wstring& handle) {
    setHandle(handle);
    ++g_alive;
  }
  ~CountedSpace() override { --g_alive; }
};

std::wstring handles(const CBlocks& blocks) {
  std::wstring text;
  for (int index = 0; index < blocks.getCount(); ++index) text += blocks.getAt(index)->getHandle() + L" ";
  return text;
}

void fill(CBlocks& blocks, std::initializer_list<const wchar_t*> handleTexts) {
  for (const wchar_t* handle : handleTexts) blocks.addBlock(std::make_unique<CountedSpace>(handle));
}

TEST(SpaceCollection, SortsByHandleValueKeepingEqualHandlesInOrder) {
  CBlocks blocks;
  fill(blocks, {L"1A", L"B", L"2F", L"b"});
  CBlock* firstB = blocks.getAt(1);
  blocks.sortBlocksByHandle(true);
  EXPECT_EQ(handles(blocks), L"B b 1A 2F ");
  EXPECT_EQ(blocks.getAt(0), firstB);
  blocks.sortBlocksByHandle(false);
  EXPECT_EQ(handles(blocks), L"2F 1A B b ");
}

TEST(SpaceCollection, LooksUpTheFirstEntryOfAHandleExactly) {
  CBlocks blocks;
  fill(blocks, {L"2A7", L"2B0", L"2A7"});
  EXPECT_EQ(blocks.getAt(L"2A7"), blocks.getAt(0));
  EXPECT_EQ(blocks.getAt(L"2b0"), nullptr);  // case-sensitive
  EXPECT_EQ(blocks.getAt(L"2B0"), blocks.getAt(1));
  blocks.sortBlocksByHandle(false);
  EXPECT_EQ(blocks.getAt(L"2A7"), blocks.getAt(1));
  blocks.getAt(1)->setHandle(L"FF");  // a handle changed after it was indexed
  EXPECT_EQ(blocks.getAt(L"2A7"), blocks.getAt(2));
  EXPECT_EQ(blocks.getAt(L"FF"), blocks.getAt(1));
}

TEST(SpaceCollection, OwnsEveryEntryOnce) {
  {
    CBlocks blocks;
    fill(blocks, {L"1", L"2", L"3"});
    EXPECT_EQ(g_alive, 3);
    blocks.replaceAt(1, std::make_unique<CountedSpace>(L"4"));
    EXPECT_EQ(g_alive, 3);
    EXPECT_EQ(blocks.getAt(L"4"), blocks.getAt(1));
    EXPECT_EQ(blocks.getAt(L"2"), nullptr);
    blocks.addBlock(std::make_unique<CBlock>());
    blocks.deleteObjects();
    EXPECT_EQ(blocks.getCount(), 0);
    EXPECT_EQ(g_alive, 0);
    fill(blocks, {L"5"});
  }
  EXPECT_EQ(g_alive, 0);
}

// The framework exception arrives wrapped in the method's record, which the
// catcher owns.
template <typename Body>
bool raisesRecord(Body body) {
  try {
    body();
  } catch (CEXZelph* record) {
    record->deleteChain();
    return true;
  }
  return false;
}

TEST(SpaceCollection, ABadIndexRaisesTheInvalidArgumentException) {
  CBlocks blocks;
  fill(blocks, {L"1"});
  for (const int index : {-1, 1}) {
    EXPECT_TRUE(raisesRecord([&] { blocks.getAt(index); })) << index;
  }
  EXPECT_TRUE(raisesRecord([&] { blocks.replaceAt(3, std::make_unique<CBlock>()); }));
}

TEST(SpaceCollection, TenThousandSpacesSortAndLookUpInLinearishTime) {
  CBlocks blocks;
  constexpr int kCount = 20000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = kCount; i > 0; --i) {
    wchar_t text[17];
    swprintf(text, 17, L"%X", i * 7 + 0x100);
    blocks.addBlock(std::make_unique<CountedSpace>(text));
  }
  blocks.sortBlocksByHandle(true);
  int found = 0;
  for (int index = 0; index < kCount; ++index) found += blocks.getAt(blocks.getAt(index)->getHandle()) != nullptr;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(found, kCount);
  EXPECT_EQ(blocks.getAt(0)->getHandle(), L"107");
  EXPECT_LT(seconds, 2.0);  // a scan per lookup takes far longer
}

}  // namespace
