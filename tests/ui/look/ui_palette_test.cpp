// The colours of every look under the palettes the strip meets, as the strip derives them.
#include <QApplication>

#include "look/desktop_palette.h"
#include "look/speed_button.h"
#include "look/ui_palette.h"
#include "ui_fixture.h"

namespace {

// Window, WindowText, Base, Text, Button, ButtonText, as Qt 6.4 on Debian 12 gives them: Fusion's
// light palette; qt6ct's Fusion with its "darker" scheme; adwaita-qt6's Adwaita-Dark; GTK's
// Adwaita:dark through qt6-gtk-platformtheme.
const std::array<const char*, 6> kPalettes[] = {
    {"#efefef", "#000000", "#ffffff", "#000000", "#efefef", "#000000"},
    {"#222020", "#ffffff", "#3d3d3d", "#ffffff", "#424245", "#ffffff"},
    {"#353535", "#eeeeec", "#2d2d2d", "#eeeeec", "#373737", "#eeeeec"},
    {"#323232", "#f0f0f0", "#242424", "#f0f0f0", "#323232", "#f0f0f0"},
};

QPalette MakePalette(const std::array<const char*, 6>& Colours) {
  QPalette P;
  int I = 0;
  for (auto Role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text, QPalette::Button,
                    QPalette::ButtonText})
    P.setColor(Role, QColor(Colours[I++]));
  return P;
}

TEST(UiPaletteTest, EveryTextReadsOnItsOwnBackgroundUnderEveryPalette) {
  // Those palettes, and the program's own for a dark desktop.
  std::vector<QPalette> Palettes{DarkPalette()};
  for (const auto& Row : kPalettes) Palettes.push_back(MakePalette(Row));
  for (const QPalette& Palette : Palettes) {
    const TUiColours C = UiColours(Palette);
    const std::string Base = Palette.color(QPalette::Base).name().toStdString();
    // Expression and result; message and stale value; the unassigned mark, fresh and stale; the
    // captions on the strip, on a flat button under the mouse and on a raised one.
    const std::pair<QColor, QColor> Looks[] = {
        {C.FieldText, C.FieldBackground}, {C.GreyedText, C.NoResultBackground}, {C.MarkText, C.FieldBackground},
        {C.MarkText, C.NoResultBackground}, {C.CaptionText, C.PanelBackground}, {C.CaptionText, C.ButtonBackground},
        {C.CaptionText, C.RaisedFace}, {C.CaptionRed, C.PanelBackground}, {C.CaptionRed, C.ButtonBackground},
        {C.CaptionRed, C.RaisedFace}};
    for (const auto& [Text, Background] : Looks)
      EXPECT_GE(Contrast(Text, Background), kMinContrast)
          << Base << ": " << Text.name().toStdString() << " on " << Background.name().toStdString();
    // No result is a box of its own beside a result; the mark and the captions stay red.
    EXPECT_GE(Contrast(C.NoResultBackground, C.FieldBackground), 1.3) << Base;
    for (const QColor& Red : {C.MarkText, C.CaptionRed}) EXPECT_TRUE(Red.hslHue() == 0 && Red.hslSaturation() > 200);
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
  const TUiColours Dark = UiColours(QApplication::palette());
  EXPECT_EQ(Strip->Edit2->palette().color(QPalette::Base), Dark.NoResultBackground);
  EXPECT_EQ(Strip->SpeedButton1->palette().color(QPalette::ButtonText), Dark.CaptionRed);
  EXPECT_EQ(Pad->SpeedButtons[11]->palette().color(QPalette::ButtonText), Dark.CaptionRed);
  QApplication::setPalette(Before);
  Pump();
  EXPECT_EQ(Strip->Edit2->palette().color(QPalette::Base), kClSilver);
}

}  // namespace
