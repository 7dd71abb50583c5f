// Space attributes as records: kinds fix tags, the collection keeps one item
// a tag unless forced, copies keep kinds or drop them.
#include <gtest/gtest.h>

#include <memory>

#include "spaces/Attributes.h"
#include "spaces/ZelphAttribute.h"

namespace {

std::unique_ptr<CZelphAttribute> spaceAttribute(int kind, const std::wstring& value) {
  return std::make_unique<CZelphAttribute>(kind, value, L"ATT-" + CZelphAttribute::tagOfKind(kind));
}

TEST(SpaceAttributes, KindsFixTagsAndOtherNumbersLeaveThem) {
  CZelphAttribute attribute;
  attribute.setKind(2);
  EXPECT_EQ(attribute.getTag(), L"AUX");
  attribute.setKind(7);
  EXPECT_EQ(attribute.getKind(), 7);
  EXPECT_EQ(attribute.getTag(), L"AUX");
  EXPECT_EQ(CZelphAttribute(0, L"Office", L"").getTag(), L"NAME");
  EXPECT_EQ(CZelphAttribute(1, L"", L"").getTag(), L"AREA");
}

TEST(SpaceAttributes, SameTagIsAddedOnlyWhenForced) {
  CAttributes attributes;
  EXPECT_TRUE(attributes.add(spaceAttribute(0, L"first"), false));
  EXPECT_FALSE(attributes.add(spaceAttribute(0, L"second"), false));
  EXPECT_EQ(attributes.getCount(), 1);
  EXPECT_EQ(attributes.getAtAttribute(0)->getValue(), L"first");
  EXPECT_TRUE(attributes.add(spaceAttribute(0, L"forced"), true));
  EXPECT_EQ(attributes.getCount(), 2);
  EXPECT_TRUE(attributes.add(std::make_unique<CAttribute>(L"name", L"lower", L""), false))
      << "tags compare exactly";
  EXPECT_EQ(attributes.getAtAttribute(L"NAME")->getValue(), L"first");
  EXPECT_EQ(attributes.getAtAttribute(L"name")->getValue(), L"lower");
  EXPECT_EQ(attributes.getAtAttribute(1), nullptr);
  EXPECT_EQ(attributes.getAtAttribute(L"AREA"), nullptr);
  attributes.deleteObjects();
  EXPECT_EQ(attributes.getCount(), 0);
  EXPECT_FALSE(attributes.add(nullptr, true));
}

TEST(SpaceAttributes, CopiesKeepSettingsAndKindsOnlyWhenAsked) {
  CAttributes source;
  source.setTextHeight(100.0);
  source.setWidthFactor(0.8);
  source.setRotation(90.0);
  source.add(spaceAttribute(0, L"Office 12"), false);
  source.add(spaceAttribute(1, L"24.50sq.m."), false);

  CAttributes kinds;
  source.copyZelphAttributesTo(kinds);
  ASSERT_EQ(kinds.getCount(), 2);
  EXPECT_EQ(kinds.getAtAttribute(1)->getValue(), L"24.50sq.m.");
  EXPECT_EQ(kinds.getAtAttribute(0)->getLayer(), L"ATT-NAME");
  EXPECT_DOUBLE_EQ(kinds.getTextHeight(), 100.0);
  EXPECT_DOUBLE_EQ(kinds.getWidthFactor(), 0.8);
  EXPECT_DOUBLE_EQ(kinds.getRotation(), 90.0);

  CAttributes plain;
  plain.add(std::make_unique<CAttribute>(L"AREA", L"kept", L""), false);
  source.copyAttributesTo(plain);
  ASSERT_EQ(plain.getCount(), 2) << "a tag held already is not copied";
  EXPECT_EQ(plain.getAtAttribute(L"AREA")->getValue(), L"kept");
  EXPECT_EQ(plain.getAtAttribute(0), nullptr) << "plain copies have no kind";
  EXPECT_EQ(plain.getAtAttribute(L"NAME")->getValue(), L"Office 12");
  EXPECT_DOUBLE_EQ(plain.getTextHeight(), 100.0);
}

}  // namespace
