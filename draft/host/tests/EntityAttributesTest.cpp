// Attribute items carried by entities: looked up by name and copied with
// the entity.
#include <gtest/gtest.h>

#include <memory>

#include "draft/host/Entity.h"
#include "draft/host/LineEntity.h"

TEST(EntityAttributes, ItemsAreFoundByNameAndTravelWithACopy) {
  std::unique_ptr<CEntity> line(ConstructLineEntity(0, nullptr, 0, 0, 1, 0));
  CStringA value = "stale";
  EXPECT_FALSE(line->HasAttributes());
  EXPECT_FALSE(GetEntityAttribute(line.get(), "钢筋标注", value));
  EXPECT_TRUE(value.IsEmpty());
  line->GetEntityAttributes();  // an empty list carries nothing
  EXPECT_FALSE(line->HasAttributes());

  AddAttributeItem(line->GetEntityAttributes(), "钢筋标注", "字符串", "1", 1, 1);
  EXPECT_TRUE(line->HasAttributes());
  ASSERT_TRUE(GetEntityAttribute(line.get(), "钢筋标注", value));
  EXPECT_EQ(value, "1");

  std::unique_ptr<CEntity> copy(line->Clone());
  AddAttributeItem(line->GetEntityAttributes(), "钢筋标注", "字符串", "0", 1, 1);
  ASSERT_TRUE(GetEntityAttribute(copy.get(), "钢筋标注", value));
  EXPECT_EQ(value, "1");  // the copy has its own items
  EXPECT_FALSE(GetEntityAttribute(nullptr, "钢筋标注", value));
}
