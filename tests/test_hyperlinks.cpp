// Hyperlink lists and hatch settings: unique addresses, copies that add
// only what is missing.
#include <gtest/gtest.h>

#include <memory>

#include "spaces/Hatch.h"
#include "spaces/Hyperlinks.h"

namespace {

std::unique_ptr<CHyperlink> link(const std::wstring& address, const std::wstring& description = L"") {
  return std::make_unique<CHyperlink>(address, description);
}

TEST(Hyperlinks, AddressesAreUniqueExactly) {
  CHyperlinks links;
  EXPECT_TRUE(links.add(link(L"http://plans/a", L"first")));
  EXPECT_FALSE(links.add(link(L"http://plans/a", L"second")));
  EXPECT_TRUE(links.add(link(L"HTTP://PLANS/A")));
  ASSERT_EQ(links.getCount(), 2);
  EXPECT_EQ(links.getAt(0)->getDescription(), L"first");
  EXPECT_EQ(links.getAt(2), nullptr);
  links.deleteObjects();
  EXPECT_EQ(links.getCount(), 0);
  EXPECT_TRUE(links.add(link(L"http://plans/a"))) << "emptied lists forget their addresses";
}

TEST(Hyperlinks, CopyAddsOnlyMissingAddressesInOrder) {
  CHyperlinks source;
  source.add(link(L"a", L"A"));
  source.add(link(L"b", L"B"));
  source.add(link(L"c", L"C"));
  CHyperlinks target;
  target.add(link(L"b", L"held"));
  source.copyTo(target);
  ASSERT_EQ(target.getCount(), 3);
  EXPECT_EQ(target.getAt(0)->getDescription(), L"held");
  EXPECT_EQ(target.getAt(1)->getAddress(), L"a");
  EXPECT_EQ(target.getAt(2)->getAddress(), L"c");
}

TEST(Hatch, CopyTakesEverySetting) {
  CHatch source;
  source.setPattern(L"ANSI31");
  source.setAngle(45);
  source.setScale(20);
  source.setLayer(L"HATCH-OFFICE");
  AcCmColor red;
  red.setColorIndex(1);
  source.setColour(red);
  CHatch target;
  source.copyTo(target);
  EXPECT_EQ(target.getPattern(), L"ANSI31");
  EXPECT_EQ(target.getAngle(), 45);
  EXPECT_EQ(target.getScale(), 20);
  EXPECT_EQ(target.getLayer(), L"HATCH-OFFICE");
  EXPECT_EQ(target.getColour(), red);
}

}  // namespace
