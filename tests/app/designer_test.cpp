// The designer on the in-memory screen, played like a user: the form as laid out, Calculate with
// its files, preview and result lines, the failure paths, and the ways to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/form_records.h"
#include "app/main_form.h"
#include "blade/form_fields.h"
#include "captured_screen_text.h"
#include "gfx/input.h"
#include "gfx/memory_screen.h"
#include "output/design_run.h"
#include "temp_folder.h"
#include "widgets/chain.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempFolder;

constexpr int kEscape = 27;
constexpr int kBackspace = 8;
constexpr std::int32_t kInk = 0x000000;
constexpr std::int32_t kPreviewInk = 7;

// Window places of the form.
constexpr int kCalculateX = 175, kCalculateY = 525;
constexpr int kExitX = 175, kExitY = 565;
constexpr int kFirstResultTextY = 422;  // the first result line's text; 18 pixels between lines

int fieldTop(FormField field) {
  return field == kFieldOutputName ? 318 : 20 + 21 * field;
}

class DesignerTest : public ::testing::Test {
 protected:
  // The form's records live for the whole test program: each test leaves them as constructed.
  void TearDown() override {
    for (xEdit& field : formFields) {
      field.y = field.x = 0;
      field.width = 50;
      field.height = 17;
      field.backColor = 0xD4D0C8;
      field.textColor = field.focused = field.captionMode = field.blinkMs = field.textMode = 0;
      field.text.clear();
      field.caption.clear();
      field.enabled = 1;
      field.caretCol = field.anchorCol = -1;
    }
    formCanvas.y = formCanvas.x = formCanvas.width = formCanvas.height = 0;
    formCanvas.backColor = 0xD4D0C8;
    formCanvas.spareColor = formCanvas.frameColor = 0;
    lastWidgetY = 0;
  }

  // A left press at (x, y) `at` ms after the start, released 5 ms later.
  void clickAt(int at, int x, int y) {
    screen.after(at, [this, x, y] {
      screen.moveMouse(x, y);
      screen.setButtons(kLeftButton);
    });
    screen.after(at + 5, [this] { screen.setButtons(0); });
  }
  // The keys from `at` ms on, one a millisecond (the key buffer holds 15).
  void typeAt(int at, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      int code = static_cast<unsigned char>(text[i]);
      screen.after(at + static_cast<int>(i), [this, code] { screen.pressKey(code); });
    }
  }
  // Clicks the field (the caret goes to the end), clears its text and types the new one.
  void setFieldAt(int at, FormField field, const std::string& text) {
    clickAt(at, 320, fieldTop(field) + 8);
    typeAt(at + 10,
           std::string(formFields[field].text.size() + defaultFormTexts()[field].size(), kBackspace));
    typeAt(at + 60, text);
  }
  void checkAt(int at, std::function<void()> check) { screen.after(at, std::move(check)); }

  // Runs the designer until it ends (Escape at `escapeAt` ms at the latest); its status.
  int runDesigner(int escapeAt = 2000) {
    screen.after(escapeAt, [this] { screen.pressKey(kEscape); });
    try {
      startRoutine();
    } catch (const ProgramEnded& ended) {
      return ended.status;
    }
    ADD_FAILURE() << "the designer returned instead of ending the program";
    return -1;
  }

  std::string textAt(int x, int y, std::size_t length) const {
    return screen.textAt(x, y, static_cast<int>(length), kInk);
  }
  // Canvas y (0 at the canvas top) of every preview point on screen row y.
  std::vector<int> previewPointsInRow(int canvasY) const {
    std::vector<int> xs;
    for (int px = 0; px <= 430; ++px) {
      if (screen.pixel(350 + px, 20 + canvasY) == kPreviewInk) xs.push_back(px);
    }
    return xs;
  }
  int previewPointCount() const { return screen.countPixels(350, 20, 780, 580, kPreviewInk); }

  TempFolder folder;
  MemoryScreen screen{{{800, 600, 32}}};
};

TEST_F(DesignerTest, LaysOutTheFormAsItsTable) {
  checkAt(5, [this] {
    for (int i = 0; i < kFormFieldCount; ++i) {
      auto field = static_cast<FormField>(i);
      const FormFieldLayout& row = formFieldLayout(field);
      std::string_view caption = formFieldEntry(field).caption;
      int top = fieldTop(field);
      EXPECT_EQ(formFields[i].y, top) << "field " << i;
      EXPECT_EQ(textAt(20, top + 2, caption.size()), caption) << "field " << i;
      EXPECT_EQ(textAt(row.x + 4, top + 2, defaultFormTexts()[i].size()), defaultFormTexts()[i]);
      EXPECT_EQ(screen.pixel(330, top + 5), 0xEEEEEE) << "the box ends at x 330";
      EXPECT_EQ(screen.pixel(331, top + 5), kInk) << "its border";
    }
    EXPECT_EQ(formFields[kFieldOutputName].textMode, 1);
    EXPECT_EQ(formFields[kFieldRadius].textMode, 0);
    EXPECT_EQ(textAt(139, 517, 9), "Calculate");
    EXPECT_EQ(textAt(159, 557, 4), "Exit");
    EXPECT_EQ(screen.pixel(10, 510), 0xFFFFFF);
    EXPECT_EQ(screen.pixel(340, 580), 0xFFFFFF);
    EXPECT_EQ(screen.countPixels(351, 21, 779, 579, 0xFFFFFF), 429 * 559);
    EXPECT_EQ(screen.pixel(350, 20), kInk);
    EXPECT_EQ(screen.pixel(780, 580), kInk);
  });
  EXPECT_EQ(runDesigner(10), 0);
}

TEST_F(DesignerTest, LockedFieldsTakeNoFocusAndNoKeys) {
  clickAt(5, 320, fieldTop(kFieldProfile) + 8);
  typeAt(15, "99");
  clickAt(30, 320, fieldTop(kFieldTipSpeedRatio) + 8);
  typeAt(40, "7");
  checkAt(60, [this] {
    EXPECT_EQ(formFields[kFieldProfile].text, "4412");
    EXPECT_EQ(formFields[kFieldTipSpeedRatio].text, "5");
    EXPECT_EQ(formFields[kFieldProfile].focused, 0);
    EXPECT_EQ(formFields[kFieldTipSpeedRatio].focused, 0);
  });
  EXPECT_EQ(runDesigner(70), 0);
}

TEST_F(DesignerTest, CalculateWritesTheFilesPlotsTheBladeAndShowsTheResults) {
  clickAt(5, kCalculateX, kCalculateY);
  RunResult reference;
  checkAt(20, [&] {
    fs::create_directory("reference");
    fs::current_path("reference");
    reference = runDesign(defaultFormTexts());
    fs::current_path("..");
    for (const char* name : {"xx/Blade.stl", "xx/Blade.xls", "xx/Blade.txt"}) {
      EXPECT_TRUE(fs::exists(name)) << name;
      EXPECT_EQ(readFile(name), readFile(fs::path("reference") / name)) << name;
    }
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(textAt(22, kFirstResultTextY + 18 * i, reference.resultLines[i].size()),
                reference.resultLines[i]);
    }
    // The span down the canvas at 1.08 pixels a millimetre: the tip row at y 550, row 2 at y 12;
    // row 2, a hub block, lies symmetric about the span axis at x 215.
    EXPECT_FALSE(previewPointsInRow(550).empty());
    std::vector<int> row2 = previewPointsInRow(12);
    ASSERT_FALSE(row2.empty());
    EXPECT_EQ(row2.front() + row2.back(), 2 * 215);
    int inBetween = screen.countPixels(350, 20 + 12, 780, 20 + 550, kPreviewInk);
    EXPECT_EQ(previewPointCount(), inBetween) << "no point beyond the tip and row 2";
  });
  EXPECT_EQ(runDesigner(30), 0);
  EXPECT_EQ(reference.status, RunStatus::kCompleted);
}

TEST_F(DesignerTest, AnEditedFieldChangesTheNextRun) {
  setFieldAt(5, kFieldRadius, "300");
  clickAt(100, kCalculateX, kCalculateY);
  checkAt(120, [this] {
    EXPECT_EQ(formFields[kFieldRadius].text, "300");
    std::string stl = readFile("xx/Blade.stl");
    EXPECT_EQ(stl.substr(0, stl.find('\r')), "solid Zephyrion NACA4412 Radius=300 TSR=5 Blades=3");
  });
  EXPECT_EQ(runDesigner(130), 0);
}

TEST_F(DesignerTest, ANameInAMissingFolderShowsBadFileNameAndTheNextRunUsesIt) {
  setFieldAt(5, kFieldOutputName, "d:\\missing\\deeper\\Blade");
  clickAt(100, kCalculateX, kCalculateY);
  checkAt(120, [this] {
    EXPECT_EQ(formFields[kFieldOutputName].text, "Bad file name");
    EXPECT_EQ(textAt(132, fieldTop(kFieldOutputName) + 2, 13), "Bad file name");
    EXPECT_EQ(screen.beepCount(), 1);
    EXPECT_TRUE(fs::is_empty(folder.path()));
    EXPECT_EQ(previewPointCount(), 0);
  });
  clickAt(130, kCalculateX, kCalculateY);
  checkAt(150, [] {
    for (const char* name : {"Bad file name.stl", "Bad file name.xls", "Bad file name.txt"}) {
      EXPECT_TRUE(fs::exists(name)) << name;
    }
  });
  EXPECT_EQ(runDesigner(160), 0);
}

TEST_F(DesignerTest, AValueOutOfRangeShowsWhyWritesNothingAndBeeps) {
  clickAt(5, kCalculateX, kCalculateY);  // a first run leaves a preview and result lines
  setFieldAt(20, kFieldBlades, "0");
  clickAt(100, kCalculateX, kCalculateY);
  checkAt(120, [this] {
    EXPECT_EQ(textAt(22, kFirstResultTextY, 38), "Number of blades must be from 1 to 20:");
    EXPECT_EQ(screen.countPixels(22 + 8 * 38, kFirstResultTextY, 338, kFirstResultTextY + 15, kInk), 0)
        << "the older, longer result line is painted over";
    EXPECT_EQ(textAt(22, kFirstResultTextY + 18, 37), "more would leave each blade a sliver.");
    EXPECT_EQ(screen.countPixels(18, kFirstResultTextY + 2 * 18, 338, kFirstResultTextY + 3 * 18 + 15, kInk),
              0)
        << "the older result lines under the message are painted over";
    EXPECT_EQ(screen.beepCount(), 1);
    EXPECT_EQ(previewPointCount(), 0) << "the preview is cleared";
    fs::remove_all("xx");
  });
  setFieldAt(130, kFieldBlades, "2");
  clickAt(230, kCalculateX, kCalculateY);
  checkAt(250, [this] {
    EXPECT_EQ(textAt(22, kFirstResultTextY, 34), "Rotor speed 955 RPM at 10 m/s wind");
    EXPECT_EQ(screen.countPixels(22 + 8 * 34, kFirstResultTextY, 338, kFirstResultTextY + 15, kInk), 0)
        << "no part of the message is left beside the result line";
    EXPECT_TRUE(fs::exists("xx/Blade.stl"));
  });
  EXPECT_EQ(runDesigner(260), 0);
}

TEST_F(DesignerTest, AResultLineShowsTheResultAndNothingOfALongerOneBeforeIt) {
  setFieldAt(5, kFieldWindSpeed, "10.123456789012345");
  clickAt(120, kCalculateX, kCalculateY);
  checkAt(140, [this] {
    EXPECT_EQ(textAt(22, kFirstResultTextY, 12), "Rotor speed ");
    EXPECT_EQ(screen.countPixels(339, kFirstResultTextY - 2, 349, kFirstResultTextY + 15, 0xD4D0C8), 11 * 18)
        << "the line, longer than the panel, stops at its edge";
    EXPECT_EQ(screen.countPixels(350, 20, 350, 580, kInk), 561) << "the preview's frame is whole";
  });
  clickAt(150, 320, fieldTop(kFieldWindSpeed) + 8);
  typeAt(160, std::string(20, kBackspace));
  typeAt(190, "10");
  clickAt(200, kCalculateX, kCalculateY);
  checkAt(220, [this] {
    EXPECT_EQ(textAt(22, kFirstResultTextY, 34), "Rotor speed 955 RPM at 10 m/s wind");
    EXPECT_EQ(
        screen.countPixels(18 + 8 * 34 + 9, kFirstResultTextY - 2, 349, kFirstResultTextY + 15, 0xD4D0C8),
        (349 - (18 + 8 * 34 + 9) + 1) * 18)
        << "nothing of the longer line stands beside the shorter one";
  });
  EXPECT_EQ(runDesigner(230), 0);
}

TEST_F(DesignerTest, EscapeBeforeAnythingEndsWithStatusZeroAndWritesNothing) {
  EXPECT_EQ(runDesigner(3), 0);
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(DesignerTest, TheExitButtonEndsWithStatusZero) {
  clickAt(5, kExitX, kExitY);
  EXPECT_EQ(runDesigner(), 0);
  EXPECT_LT(screen.now(), 1.0) << "the Exit button, not the late Escape, ended it";
}

TEST_F(DesignerTest, ClosingTheWindowEndsWithStatusZero) {
  screen.after(5, [this] { screen.requestClose(); });
  EXPECT_EQ(runDesigner(), 0);
  EXPECT_LT(screen.now(), 1.0);
}

TEST(DesignerWithoutScreen, SaysItCannotSetAGraphicModeAndEnds) {
  MemoryScreen noDisplay{std::vector<DisplayMode>{}};
  CapturedScreenText printed;
  int status = -1;
  try {
    startRoutine();
  } catch (const ProgramEnded& ended) {
    status = ended.status;
  }
  EXPECT_EQ(status, 0);
  EXPECT_EQ(printed.text(), "Can't set graphic mode\r\n");
}

}  // namespace
}  // namespace zephyrion
