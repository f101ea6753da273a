// The dimension-value dialog run from this library's template with the modal
// driver acting as the user: its settings, the deviation lookup, the zone
// sheets by size, the symbols pasted where the caret was, and OK.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "draft/framework/ModalDialogScope.h"
#include "draft/host/FitSheetDlg.h"
#include "draft/host/Settings.h"
#include "draft/host/SymbolMenuDlg.h"
#include "draft/tables/DimValueDlg.h"
#include "draft/testsupport/MessageBoxAnswers.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/WindowApi.h"

namespace {

using DimSession = std::function<void(platform::ModalSession&)>;

class DimValueDlgTest : public ::testing::Test, protected drafttest::MessageBoxAnswers {
 protected:
  void SetUp() override { previous_ = SetSettingsBacking(std::make_unique<CMemorySettings>()); }
  void TearDown() override { SetSettingsBacking(std::move(previous_)); }

  // Runs the dialog: `act` answers it, `nested` every dialog it opens (the
  // captions of those are kept); a session still running is cancelled.
  INT_PTR Run(CDimValueDlg& dlg, const DimSession& act, const DimSession& nested = {}) {
    platform::ScopedModalDriver driver([&](platform::ModalSession& s) {
      if (s.As<CDimValueDlg>()) {
        act(s);
      } else {
        nestedCaptions.push_back(CStringA(s.Caption()));
        if (nested) nested(s);
      }
      if (s.IsRunning()) s.Click(IDCANCEL);
    });
    CModalDialogScope scope(nullptr);
    return dlg.DoModal();
  }
  static CStringA Text(platform::ModalSession& s, int id) { return CStringA(s.Text(id)); }
  static void Select(platform::ModalSession& s, int id, int start, int end) {
    ::SetFocus(s.Control(id));
    ::SendMessageW(s.Control(id), EM_SETSEL, start, end);
  }

  std::vector<CStringA> nestedCaptions;
  std::unique_ptr<CSettingsBacking> previous_;
};

}  // namespace

TEST_F(DimValueDlgTest, NullPartsComeFromTheDimTextSettings) {
  WriteProfileStringSetting("DimText", "PrevString", "Φ");
  WriteProfileStringSetting("DimText", "Code", "H7");
  WriteProfileStringSetting("DimText", "UpError", "+0.025");
  WriteProfileStringSetting("DimText", "LowError", "0");
  WriteProfileIntSetting("DimText", "OutCode", 1);
  WriteProfileIntSetting("DimText", "SameOut", 1);
  CDimValueDlg fromSettings(nullptr, "50", nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(fromSettings.m_prefix, "Φ");
  EXPECT_EQ(fromSettings.m_basicSize, "50");  // no "BaseSize": the whole text
  EXPECT_EQ(fromSettings.m_code, "H7");
  EXPECT_EQ(fromSettings.m_upper, "+0.025");
  EXPECT_EQ(fromSettings.m_lower, "0");
  EXPECT_EQ(fromSettings.m_showCode, 1);
  EXPECT_EQ(fromSettings.m_showDeviations, 0);
  EXPECT_EQ(fromSettings.m_sameFormat, 1);

  CDimValueDlg given(nullptr, "R8", "R", "8", "", "", "");
  EXPECT_EQ(given.m_prefix, "R");
  EXPECT_EQ(given.m_code, "");
  EXPECT_EQ(given.m_upper, "");
}

TEST_F(DimValueDlgTest, TheCodeLooksItsDeviationsUpAndAFitEmptiesThem) {
  CDimValueDlg dlg(nullptr, "50", "", "50", "", "", "");
  struct Step {
    const char* code;
    const char* upper;
    const char* lower;
  };
  const Step steps[] = {{"H7", "+0.025", "0"}, {"H7/g6", "", ""}, {"k6", "+0.018", "+0.002"}, {"X9", "", ""}};
  Run(dlg, [&](platform::ModalSession& s) {
    for (const Step& step : steps) {
      s.EnterText(CDimValueDlg::kCodeEdit, CStringA(step.code));
      EXPECT_EQ(Text(s, CDimValueDlg::kUpperEdit), step.upper) << step.code;
      EXPECT_EQ(Text(s, CDimValueDlg::kLowerEdit), step.lower) << step.code;
    }
    // A new basic size with a code present looks up again.
    s.EnterText(CDimValueDlg::kCodeEdit, CStringA("h6"));
    s.EnterText(CDimValueDlg::kBasicSizeEdit, CStringA("10"));
    EXPECT_EQ(Text(s, CDimValueDlg::kLowerEdit), "-0.009");
  });
}

TEST_F(DimValueDlgTest, TheGivenDeviationsStayWhenTheDialogOpens) {
  CDimValueDlg dlg(nullptr, "Φ50H7(+0.1/0)", "Φ", "50", "H7", "+0.1", "0");
  Run(dlg, [&](platform::ModalSession& s) {
    EXPECT_EQ(Text(s, CDimValueDlg::kUpperEdit), "+0.1");
    EXPECT_EQ(Text(s, CDimValueDlg::kPrefixCombo), "Φ");
  });
}

TEST_F(DimValueDlgTest, TheZoneSheetFollowsTheBasicSize) {
  struct Case {
    const char* size;
    const char* caption;  // the sheet opened, or null
    const char* message;  // the message shown, or null
  };
  const Case cases[] = {
      {"0", nullptr, "基本尺寸不对!"},
      {"18", "常用公差带(≤18)", nullptr},
      {"18.5", "常用公差带(≤500)", nullptr},
      {"3150", "常用公差带(≤3150)", nullptr},
      {"3151", nullptr, "此尺寸无常用公差带规定!"},
  };
  for (const Case& c : cases) {
    nestedCaptions.clear();
    boxes.clear();
    CDimValueDlg dlg(nullptr, c.size, "", c.size, "", "", "");
    Run(dlg, [&](platform::ModalSession& s) { s.Click(CDimValueDlg::kZoneButton); });
    EXPECT_EQ(nestedCaptions.size(), c.caption ? 1u : 0u) << c.size;
    if (c.caption && !nestedCaptions.empty()) {
      EXPECT_EQ(nestedCaptions[0], c.caption);
    }
    EXPECT_EQ(boxes.size(), c.message ? 1u : 0u) << c.size;
    if (c.message && !boxes.empty()) {
      EXPECT_EQ(boxes[0], c.message);
    }
  }
}

TEST_F(DimValueDlgTest, AChosenZoneOrFitGoesIntoTheCode) {
  CDimValueDlg dlg(nullptr, "50", "", "50", "", "", "");
  const auto chooseFirst = [](platform::ModalSession& s) {
    s.Choose(CFitSheetDlg::kCodeList, 1);
    s.Click(IDOK);
  };
  Run(
      dlg,
      [&](platform::ModalSession& s) {
        s.Click(CDimValueDlg::kZoneButton);
        EXPECT_EQ(Text(s, CDimValueDlg::kCodeEdit), "H7");
        EXPECT_EQ(Text(s, CDimValueDlg::kUpperEdit), "+0.025");
        s.Click(CDimValueDlg::kFitButton);
        EXPECT_EQ(Text(s, CDimValueDlg::kCodeEdit), "H7/h6");
        EXPECT_EQ(Text(s, CDimValueDlg::kUpperEdit), "");
      },
      chooseFirst);
}

TEST_F(DimValueDlgTest, ASymbolIsPastedAtTheSavedSelection) {
  CDimValueDlg dlg(nullptr, "50", "", "50", "", "", "");
  const auto chooseDiameter = [](platform::ModalSession& s) {
    s.Choose(CSymbolMenuDlg::kSymbolList, 0);  // "Φ"
    s.Click(IDOK);
  };
  Run(
      dlg,
      [&](platform::ModalSession& s) {
        Select(s, CDimValueDlg::kBasicSizeEdit, 0, 0);
        ::SetFocus(s.Control(CDimValueDlg::kCodeEdit));  // the code edit had the focus last
        s.Click(CDimValueDlg::kSymbolButton);
        EXPECT_EQ(Text(s, CDimValueDlg::kBasicSizeEdit), "50");
        EXPECT_EQ(Text(s, CDimValueDlg::kCodeEdit), "Φ");
        Select(s, CDimValueDlg::kBasicSizeEdit, 1, 2);
        s.Click(CDimValueDlg::kSymbolButton);
        EXPECT_EQ(Text(s, CDimValueDlg::kBasicSizeEdit), "5Φ");
        // The prefix combo gets the paste posted.
        s.EnterText(CDimValueDlg::kPrefixCombo, CStringA("SR"));
        ::SendMessageW(s.Control(CDimValueDlg::kPrefixCombo), CB_SETEDITSEL, 0, MAKELPARAM(1, 1));
        s.Click(CDimValueDlg::kSymbolButton);
        s.Pump();
        EXPECT_EQ(Text(s, CDimValueDlg::kPrefixCombo), "SΦR");
      },
      chooseDiameter);
}

TEST_F(DimValueDlgTest, OkComposesTheTextAndKeepsTheValues) {
  CDimValueDlg dlg(nullptr, "50", "", "50", "", "", "");
  dlg.m_showCode = 1;
  dlg.m_showDeviations = 1;
  const INT_PTR result = Run(dlg, [&](platform::ModalSession& s) {
    s.Choose(CDimValueDlg::kPrefixCombo, 1);  // "Φ"
    s.EnterText(CDimValueDlg::kCodeEdit, CStringA("H7"));
    s.Click(IDOK);
  });
  ASSERT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_text, "Φ50H7(+0.025/0)");
  EXPECT_EQ(GetProfileStringSetting("DimText", "AllString", ""), "Φ50H7(+0.025/0)");
  EXPECT_EQ(GetProfileStringSetting("DimText", "Code", ""), "H7");
  EXPECT_EQ(GetProfileStringSetting("DimText", "UpError", ""), "+0.025");
  EXPECT_EQ(GetProfileIntSetting("DimText", "OutPianCha", 0), 1);
}

TEST_F(DimValueDlgTest, TheSymbolButtonBeforeAnyFocusDoesNothing) {
  CDimValueDlg dlg(nullptr, "50", "", "50", "", "", "");
  Run(dlg, [&](platform::ModalSession& s) {
    dlg.m_focusId = 0;  // as before any field had the focus
    s.Click(CDimValueDlg::kSymbolButton);
    EXPECT_EQ(Text(s, CDimValueDlg::kBasicSizeEdit), "50");
  });
  EXPECT_TRUE(nestedCaptions.empty());
}
