// The form's program-wide records: built before any test runs, fields first, the canvas last.
#include <gtest/gtest.h>

#include <string>

#include "app/form_records.h"

namespace zephyrion {
namespace {

TEST(FormRecordsTest, TheCanvasStandsInFrontOfFieldsFourteenDownToZero) {
  EXPECT_TRUE(formCanvas.next.refersTo(&formFields[14]));
  for (std::size_t i = 14; i > 0; --i)
    EXPECT_TRUE(formFields[i].next.refersTo(&formFields[i - 1])) << "field " << i;
  EXPECT_FALSE(formFields[0].next);
}

TEST(FormRecordsTest, TheRecordsStartWithTheirDefaults) {
  for (const xEdit& field : formFields) {
    EXPECT_EQ(field.typeName, "xEdit");
    EXPECT_EQ(field.width, 50);
    EXPECT_EQ(field.height, 17);
    EXPECT_EQ(field.enabled, 1);
    EXPECT_EQ(field.caretCol, -1);
    EXPECT_EQ(field.textMode, 0);
  }
  EXPECT_EQ(formCanvas.typeName, "xCanvas");
  EXPECT_EQ(formCanvas.backColor, 0xD4D0C8);
  EXPECT_EQ(formCanvas.frameColor, 0);
}

}  // namespace
}  // namespace zephyrion
