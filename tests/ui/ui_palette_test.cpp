// The colours of every look under the palettes the strip meets, as the strip derives them.
#include <QApplication>
#include <QTest>

#include "speed_button.h"
#include "ui_fixture.h"
#include "ui_palette.h"

namespace {

struct PaletteRow {
  const char* Name;
  const char *Window, *WindowText, *Base, *Text, *Button, *ButtonText;
};
// The Active group as Qt 6.4 on Debian 12 gives it: Fusion's own light palette; qt6ct's Fusion
// with its "darker" scheme; adwaita-qt6's Adwaita-Dark; GTK's Adwaita:dark through
// qt6-gtk-platformtheme.
const PaletteRow kPalettes[] = {
    {"light", "#efefef", "#000000", "#ffffff", "#000000", "#efefef", "#000000"},
    {"qt6ct darker", "#222020", "#ffffff", "#3d3d3d", "#ffffff", "#424245", "#ffffff"},
    {"Adwaita-Dark", "#353535", "#eeeeec", "#2d2d2d", "#eeeeec", "#373737", "#eeeeec"},
    {"GTK Adwaita:dark", "#323232", "#f0f0f0", "#242424", "#f0f0f0", "#323232", "#f0f0f0"},
};

QPalette MakePalette(const PaletteRow& Row) {
  QPalette P;
  P.setColor(QPalette::Window, QColor(Row.Window));
  P.setColor(QPalette::WindowText, QColor(Row.WindowText));
  P.setColor(QPalette::Base, QColor(Row.Base));
  P.setColor(QPalette::Text, QColor(Row.Text));
  P.setColor(QPalette::Button, QColor(Row.Button));
  P.setColor(QPalette::ButtonText, QColor(Row.ButtonText));
  return P;
}

bool IsRed(const QColor& C) { return C.hslHue() == 0 && C.hslSaturation() > 200; }

TEST(UiPaletteTest, EveryTextReadsOnItsOwnBackgroundUnderEveryPalette) {
  for (const PaletteRow& Row : kPalettes) {
    const TUiColours C = UiColours(MakePalette(Row));
    const struct {
      const char* Look;
      QColor Text, Background;
    } Pairs[] = {
        {"expression, result", C.FieldText, C.FieldBackground},
        {"message, stale value", C.GreyedText, C.NoResultBackground},
        {"unassigned mark", C.MarkText, C.FieldBackground},
        {"stale unassigned mark", C.MarkText, C.NoResultBackground},
        {"caption on the strip", C.CaptionText, C.PanelBackground},
        {"caption on a button", C.CaptionText, C.ButtonBackground},
        {"red caption on the strip", C.CaptionRed, C.PanelBackground},
        {"red caption on a button", C.CaptionRed, C.ButtonBackground},
        {"caption on a raised button", C.CaptionText, C.RaisedFace},
        {"red caption on a raised button", C.CaptionRed, C.RaisedFace},
    };
    for (const auto& P : Pairs) {
      EXPECT_GE(Contrast(P.Text, P.Background), kMinContrast)
          << Row.Name << ", " << P.Look << ": " << P.Text.name().toStdString() << " on "
          << P.Background.name().toStdString();
    }
    // No result is a box of its own beside a result, the mark and the captions stay red.
    EXPECT_GE(Contrast(C.NoResultBackground, C.FieldBackground), 1.3) << Row.Name;
    EXPECT_TRUE(IsRed(C.MarkText) && IsRed(C.CaptionRed)) << Row.Name;
  }
  // The light palette keeps the looks that read well there.
  const TUiColours Light = UiColours(MakePalette(kPalettes[0]));
  EXPECT_EQ(Light.NoResultBackground, kClSilver);
  EXPECT_EQ(Light.MarkText, QColor(0xA0, 0x00, 0x00));
  EXPECT_EQ(Light.GreyedText, QColor(0x48, 0x48, 0x48));
}

TEST_F(UiTest, TheStripAndTheKeypadFollowAPaletteChange) {
  Start();
  const QPalette Before = QApplication::palette();
  QApplication::setPalette(MakePalette(kPalettes[2]));
  Pump();
  const TUiColours Dark = UiColours(Strip->palette());
  EXPECT_EQ(Dark.FieldBackground, QColor("#2d2d2d"));
  EXPECT_EQ(Strip->Edit2->palette().color(QPalette::Base), Dark.NoResultBackground);
  EXPECT_EQ(Strip->Edit2->palette().color(QPalette::Text), Dark.GreyedText);
  EXPECT_EQ(Strip->SpeedButton1->palette().color(QPalette::ButtonText), Dark.CaptionRed);
  EXPECT_EQ(Pad->SpeedButtons[11]->palette().color(QPalette::ButtonText), Dark.CaptionRed);
  EXPECT_EQ(Pad->SpeedButtons[0]->palette().color(QPalette::ButtonText), Dark.CaptionText);
  QApplication::setPalette(Before);
  Pump();
  EXPECT_EQ(Strip->Edit2->palette().color(QPalette::Base), kClSilver);
}

}  // namespace
