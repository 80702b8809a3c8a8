// Which docking the strip gets, and what it asks of a compositor as a layer surface.
#include <gtest/gtest.h>

#include "docking/layer_surface_settings.h"
#include "docking/strip_docking.h"

namespace {

TEST(StripDockingTest, ALayerSurfaceOnlyOnWaylandWhereLayerShellIsOffered) {
  const struct {
    const char* Platform;
    bool Offered;
    TDockingKind Expected;
  } Cases[] = {
      {"wayland", true, TDockingKind::LayerSurface},
      {"wayland-egl", true, TDockingKind::LayerSurface},
      {"wayland", false, TDockingKind::X11},
      {"xcb", true, TDockingKind::X11},
      {"offscreen", true, TDockingKind::X11},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(DockingKindFor(QString::fromLatin1(C.Platform), C.Offered), C.Expected) << C.Platform << " " << C.Offered;
}

TEST(StripDockingTest, TheLayerSurfaceSpansItsEdgeAndKeepsItsHeightFree) {
  using A = TLayerSurfaceSettings::TAnchor;
  EXPECT_EQ(LayerSurfaceSettings(TDockEdge::Top, 38), (TLayerSurfaceSettings{A::Top | A::Left | A::Right, 38, 38}));
  EXPECT_EQ(LayerSurfaceSettings(TDockEdge::Bottom, 38),
            (TLayerSurfaceSettings{A::Bottom | A::Left | A::Right, 38, 38}));
}

}  // namespace
