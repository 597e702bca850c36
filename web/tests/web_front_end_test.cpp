#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "control_json.h"
#include "pixel_raster.h"
#include "web_app.h"

namespace linklab::web {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;

uint32_t at(const PixelRaster& r, int x, int y) { return r.pixels()[static_cast<std::size_t>(y) * r.columns() + x]; }

int inked(const PixelRaster& r) {
  int n = 0;
  for (int i = 0; i < r.columns() * r.rows(); ++i) n += r.pixels()[i] != kWhite;
  return n;
}

TEST(PixelRaster, ALineCoversItsPixelsInTheModelsColourAndNothingElse) {
  PixelRaster r;
  r.fitTo(1500, 600);  // 100 x 40 pixels at 100 %
  ASSERT_EQ(r.columns(), 100);
  ASSERT_EQ(r.rows(), 40);
  r.setForeColor(0x00C000);  // green, 0x00BBGGRR
  r.Line(0, 30, 300, 30);    // row 2, columns 0 to 20
  for (int x = 0; x <= 20; ++x) EXPECT_EQ(at(r, x, 2), 0xFF00C000u) << x;
  EXPECT_EQ(inked(r), 21);
  // RGBA bytes in memory: red, green, blue, alpha
  const auto* bytes = reinterpret_cast<const uint8_t*>(r.pixels() + 2 * 100);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0xC0);
  EXPECT_EQ(bytes[3], 0xFF);
  r.Cls();
  EXPECT_EQ(inked(r), 0);
}

// A trace is drawn twice, 15 twips apart: at any zoom the two strokes close into one line.
class TwoStrokeTrace : public testing::TestWithParam<double> {};

TEST_P(TwoStrokeTrace, HasNoGapAtAnyZoom) {
  const double zoom = GetParam();
  PixelRaster r;
  r.setScale(zoom / 15);
  r.fitTo(3000, 1500);
  r.setForeColor(0xC0);
  for (double y : {300.0, 315.0}) r.Line(0, y + 7.3, 3000, y + 97.1);  // a slight slope
  for (int x = 0; x < r.columns() - 1; ++x) {
    int first = -1, last = -1, count = 0;
    for (int y = 0; y < r.rows(); ++y)
      if (at(r, x, y) != kWhite) {
        if (first < 0) first = y;
        last = y;
        ++count;
      }
    ASSERT_GE(first, 0) << "column " << x;
    EXPECT_EQ(count, last - first + 1) << "gap in column " << x << " at zoom " << zoom;
  }
}

INSTANTIATE_TEST_SUITE_P(Zooms, TwoStrokeTrace, testing::Values(0.5, 1.0, 1.25, 1.5, 2.0, 2.75));

TEST(PixelRaster, ACircleIsARingAroundItsCentre) {
  PixelRaster r;
  r.fitTo(1500, 1500);  // 100 x 100
  r.Circle(750, 750, 450, 0xFF0000);  // radius 30 pixels about (50, 50)
  EXPECT_EQ(at(r, 50, 50), kWhite);
  for (double angle = 0; angle < 6.28; angle += 0.1) {
    const int x = static_cast<int>(std::floor(50 + 30 * std::cos(angle)));
    const int y = static_cast<int>(std::floor(50 + 30 * std::sin(angle)));
    bool near = false;  // the ring passes within a pixel of the exact circle
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) near |= at(r, x + dx, y + dy) == 0xFFFF0000u;
    EXPECT_TRUE(near) << angle;
  }
  const int ring = inked(r);
  EXPECT_NEAR(ring, 2 * 3.14159 * 30, 0.25 * 2 * 3.14159 * 30);
}

TEST(PixelRaster, ResizingKeepsWhatStillFitsAndAZoomStretchesIt) {
  PixelRaster r;
  r.fitTo(1500, 1500);
  r.setForeColor(0);
  r.Line(150, 150, 150, 150);  // pixel (10, 10)
  r.fitTo(3000, 750);          // wider and lower: (10, 10) still inside
  EXPECT_EQ(r.columns(), 200);
  EXPECT_EQ(r.rows(), 50);
  EXPECT_EQ(at(r, 10, 10), 0xFF000000u);
  EXPECT_EQ(inked(r), 1);
  r.setScale(2 / 15.0);  // twice the pixels: the dot is stretched to (20..21, 20..21)
  EXPECT_EQ(r.columns(), 400);
  for (int x : {20, 21})
    for (int y : {20, 21}) EXPECT_EQ(at(r, x, y), 0xFF000000u);
  EXPECT_EQ(inked(r), 4);
}

TEST(PixelRaster, SegmentsOutsideOrNotFiniteDrawNothing) {
  PixelRaster r;
  r.fitTo(1500, 1500);
  r.Line(-5000, -5000, -4000, -100);
  r.Line(NAN, 0, 100, 100);
  r.Line(0, 0, INFINITY, 100);
  r.Circle(1e12, 5, 10, 0);
  r.Circle(750, 750, NAN, 0);
  EXPECT_EQ(inked(r), 0);
  r.Line(-1e9, 750, 1e9, 750);  // a huge segment is clipped, not walked
  EXPECT_EQ(inked(r), 100);
}

TEST(Json, StringsAreEscaped) {
  EXPECT_EQ(jsonString("a\"b\\c\r\n\t\x01 \xC3\xA9"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001 \xC3\xA9\"");
}

// ---- WebApp: the page's calls reach the model's handlers; changes report what changed ------

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class WebAppTest : public testing::Test {
 protected:
  WebAppTest() {
    app.load();
    app.changes();
  }
  WebApp app;
};

TEST_F(WebAppTest, TheFirstChangesHoldEveryControlAndThenOnlyWhatChanged) {
  WebApp fresh;
  fresh.load();
  const std::string all = fresh.changes();
  EXPECT_EQ(countOf(all, "\"kind\":"), static_cast<int>(fresh.model().controls().size()));
  EXPECT_EQ(countOf(all, "\"tip\":"), 7);  // each readout's tip, sent once: they never change
  const std::string none = fresh.changes();
  EXPECT_EQ(countOf(none, "\"kind\":"), 0) << none;
}

TEST_F(WebAppTest, PickingAModulationRunsTheRuleThatSetsTheReceiver) {
  ASSERT_TRUE(app.setText("cmbMod(0)", "QPSK"));
  EXPECT_EQ(app.model().cmbMod[1].Text(), "QPSK");
  const std::string changed = app.changes();
  EXPECT_NE(changed.find("\"name\":\"cmbMod(0)\""), std::string::npos);
  EXPECT_NE(changed.find("\"name\":\"cmbMod(1)\""), std::string::npos);
  EXPECT_EQ(changed.find("\"name\":\"cmbScene\""), std::string::npos);
  EXPECT_FALSE(app.setText("cmbNoSuchList", "QPSK"));
  EXPECT_FALSE(app.setValue("cmbMod(0)", 1));  // a list has no value
}

TEST_F(WebAppTest, TicksRunOnlyWhileTheTimerRuns) {
  EXPECT_TRUE(app.tick());
  EXPECT_EQ(app.model().lTick, 1);
  ASSERT_TRUE(app.click("cmdPause"));
  EXPECT_EQ(app.model().cmdPause.Caption, "Cont");
  EXPECT_FALSE(app.tick());
  EXPECT_EQ(app.model().lTick, 1);
  ASSERT_TRUE(app.click("cmdPause"));
  EXPECT_TRUE(app.tick());
  EXPECT_EQ(app.model().lTick, 2);
}

TEST_F(WebAppTest, AMessageStopsTheTicksAndComesAgainOnlyAfterTheUserActs) {
  ASSERT_TRUE(app.setText("cmbScene", "Full"));
  app.tick();
  app.tick();
  const std::string filter = app.model().cmbFilter[1].Text();
  ASSERT_TRUE(app.setText("cmbFilter(1)", "Bessel"));
  app.tick();
  EXPECT_EQ(app.takeMessage(), "Internal Error: Unknown Filter Type.");
  EXPECT_EQ(app.takeMessage(), "");  // one at a time
  EXPECT_EQ(app.model().cmbFilter[1].Text(), filter);  // the list went back to its filter
  const int ticks = app.model().lTick;
  EXPECT_FALSE(app.tick());
  EXPECT_EQ(app.model().lTick, ticks);
  app.messageClosed();
  EXPECT_TRUE(app.tick());
  EXPECT_EQ(app.takeMessage(), "");
  app.setText("cmbFilter(1)", "Bessel");  // the user types it again: the same message again
  EXPECT_EQ(app.takeMessage(), "Internal Error: Unknown Filter Type.");
}

TEST_F(WebAppTest, DrawnPicturesAreReportedAtTheirSizeInDevicePixels) {
  app.setPixelScale(1.5 / 15);
  app.changes();  // a new zoom repaints every picture
  app.tick();
  app.tick();
  const std::string changed = app.changes();
  const PictureBox& data = app.model().picData;
  const std::string expected = "\"name\":\"picData\",\"columns\":" + std::to_string(std::lround(data.Width * 0.1)) +
                               ",\"rows\":" + std::to_string(std::lround(data.Height * 0.1));
  EXPECT_NE(changed.find(expected), std::string::npos) << changed;
  EXPECT_EQ(app.changes().find("picData"), std::string::npos);  // nothing new drawn
}

// A built-up picture redrawn at a new zoom is the picture drawn at that zoom from the start.
TEST(WebAppRescale, RedrawsBuiltUpPicturesFromTheirRecord) {
  WebApp resized, direct;
  direct.setPixelScale(2.5 / 15);
  for (WebApp* app : {&resized, &direct}) {
    app->load();
    app->setText("cmbScene", "Full");
    app->setText("cmbNoise", "0.3");
    for (int i = 0; i < 4; ++i) app->tick();
  }
  resized.setPixelScale(2.5 / 15);
  for (const char* name : {"picEye(0)", "picScatter(2)"}) ASSERT_TRUE(resized.pictureComplete(name)) << name;
  for (int i = 0; i < resized.pictureCount(); ++i) {
    const PixelRaster& a = *resized.raster(i);
    const PixelRaster& b = *direct.raster(i);
    ASSERT_EQ(a.columns(), b.columns());
    ASSERT_EQ(a.rows(), b.rows());
    EXPECT_TRUE(std::equal(a.pixels(), a.pixels() + a.columns() * a.rows(), b.pixels())) << "picture " << i;
  }
}

// Past its bound the record keeps the latest drawing: redrawn, it is those operations drawn afresh.
TEST(DrawingRecord, PastItsBoundRedrawsTheLatestOperations) {
  PixelRaster raster, fresh;
  DrawingRecord record(raster);
  for (PixelRaster* r : {&raster, &fresh}) r->fitTo(3000, 3000);
  fresh.setScale(3 / 15.0);
  const std::size_t total = DrawingRecord::kLimit + 5000;
  auto segment = [](std::size_t i, Surface& s) {
    s.setForeColor(static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF);
    const double a = static_cast<double>(i % 997) * 3, b = static_cast<double>(i % 991) * 3;
    s.Line(a, b, 3000 - b, a);
  };
  for (std::size_t i = 0; i < total; ++i) {
    segment(i, record);
    if (i >= total - DrawingRecord::kLimit) segment(i, fresh);
  }
  EXPECT_TRUE(record.dropped());
  raster.setScale(3 / 15.0);
  record.redraw();
  ASSERT_EQ(raster.columns(), fresh.columns());
  EXPECT_TRUE(std::equal(raster.pixels(), raster.pixels() + raster.columns() * raster.rows(), fresh.pixels()));
}

TEST_F(WebAppTest, SavedPicturesAreSvgDrawingsNamedByWhatTheyShow) {
  app.tick();
  app.tick();
  EXPECT_EQ(app.fileStem("picData").rfind("LinkLab data", 0), 0u) << app.fileStem("picData");
  EXPECT_EQ(app.fileStem("window").rfind("LinkLab Modulation", 0), 0u) << app.fileStem("window");
  ASSERT_TRUE(app.pictureComplete("picData"));
  const std::string svg = app.pictureSvg("picData", "");
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_GT(countOf(svg, "<path"), 0) << svg;
  EXPECT_EQ(app.pictureSvg("picNoSuchPicture", ""), "");
}

TEST_F(WebAppTest, TheWindowsMouseDragsThePhasor) {
  ASSERT_TRUE(app.setText("cmbScene", "Baseband Demo"));
  const Shape& drag = app.model().shpDrag;
  app.mouse(true, 1, 0, 4200 + 1000, 3000 - 500);
  EXPECT_EQ(drag.Left + drag.Width / 2, 4200 + 1000);
  EXPECT_EQ(drag.Top + drag.Height / 2, 3000 - 500);
  app.mouse(false, 2, 0, 0, 0);  // right button: back to 0.5 + j0
  EXPECT_EQ(drag.Left + drag.Width / 2, 4200 + 1180);
  EXPECT_NE(app.changes().find("\"name\":\"shpDrag\""), std::string::npos);
}

TEST_F(WebAppTest, TheReadoutsFollowTheSceneAndAreSentOnlyWhenTheyChange) {
  ASSERT_TRUE(app.setText("cmbScene", "Full"));
  const std::string full = app.changes();
  EXPECT_EQ(countOf(full, "\"shown\":true"), 5) << full;  // the receiver's five figures
  EXPECT_NE(full.find("\"reset\":true"), std::string::npos);
  EXPECT_EQ(full.find("\"tip\":"), std::string::npos);
  EXPECT_NE(app.changes().find("\"readouts\":null"), std::string::npos);
  ASSERT_TRUE(app.setText("cmbScene", "Modulation"));
  EXPECT_EQ(countOf(app.changes(), "\"shown\":true"), 2);  // the transmitter's two
}

TEST_F(WebAppTest, HelpWindowsOpenAndCloseThroughTheModel) {
  app.showHelp(1);
  EXPECT_TRUE(app.model().Instructions.Visible);
  std::string changed = app.changes();
  EXPECT_NE(changed.find("\"which\":1,\"caption\":\"LinkLab Instructions\",\"visible\":true"), std::string::npos);
  app.closeHelp(1);
  EXPECT_FALSE(app.model().Instructions.Visible);
  EXPECT_NE(app.changes().find("\"visible\":false"), std::string::npos);
}

// Changes are told from the values themselves: a text of the same length is a change too, and
// what is sent once is not sent again.
TEST_F(WebAppTest, ATextChangedToAnotherOfTheSameLengthIsSentOnce) {
  app.showHelp(0);
  app.changes();
  std::string help = app.model().HelpText.Text1.Text();
  ASSERT_FALSE(help.empty());
  help[help.size() / 2] = help[help.size() / 2] == 'x' ? 'y' : 'x';
  app.model().HelpText.Text1.setText(help);
  std::string caption = app.model().Label1.Caption + "ab";
  app.model().Label1.Caption = caption;
  app.changes();
  caption.replace(caption.size() - 2, 2, "ba");
  app.model().Label1.Caption = caption;
  std::string changed = app.changes();
  EXPECT_EQ(changed.find(jsonString(help)), std::string::npos);  // sent with the label's first change
  EXPECT_NE(changed.find("\"caption\":" + jsonString(caption)), std::string::npos) << changed;
  help[help.size() / 2] = help[help.size() / 2] == 'x' ? 'y' : 'x';
  app.model().HelpText.Text1.setText(help);
  changed = app.changes();
  EXPECT_NE(changed.find("\"text\":" + jsonString(help)), std::string::npos);
  EXPECT_EQ(changed.find("Label1"), std::string::npos);
  EXPECT_EQ(app.changes().find("\"which\":0"), std::string::npos);
}

// The page asks for the sliders' texts in real units only when changes says they may differ.
TEST_F(WebAppTest, ValueTextsAreFlaggedWheneverASlidersTextChanged) {
  auto texts = [&] {
    std::string all;
    for (const Control* c : app.model().controls()) all += app.sliderText(c->name) + '|';
    return all;
  };
  const std::pair<const char*, const char*> events[] = {{"cmbMod(0)", "16-QAM"}, {"", ""}, {"", ""},
                                                         {"cmbMod(0)", "BPSK"},  {"", ""}, {"cmbScene", "Full"}};
  int flagged = 0, quiet = 0;
  for (const auto& [name, text] : events) {
    const std::string before = texts();
    if (*name) ASSERT_TRUE(app.setText(name, text));
    else app.tick();
    const bool flag = app.changes().find("\"valueTexts\":true") != std::string::npos;
    if (texts() != before) {
      EXPECT_TRUE(flag) << name << " " << text;
    }
    (flag ? flagged : quiet) += 1;
  }
  EXPECT_GT(flagged, 0);
  EXPECT_GT(quiet, 0);
  // The texts follow the model's bits per symbol too, which no control shows.
  app.model().dBitsPerSymbol *= 2;
  EXPECT_NE(app.changes().find("\"valueTexts\":true"), std::string::npos);
}

TEST_F(WebAppTest, ScalesAreSentWhenTheyChangeAndEmptyWhenSwitchedOff) {
  ASSERT_TRUE(app.setText("cmbScene", "Full"));
  app.tick();
  app.tick();
  std::string changed = app.changes();
  // The eye's time axis ends in ms (the spectrum's, sent at the start, in kHz).
  const auto eye = changed.find("{\"name\":\"picEye(0)\",\"width\":4335,");
  ASSERT_NE(eye, std::string::npos) << changed;
  EXPECT_NE(changed.find(" ms\"]", eye), std::string::npos);
  WebApp fresh;
  fresh.load();
  EXPECT_NE(fresh.changes().find(" kHz\"]"), std::string::npos);
  app.tick();
  EXPECT_EQ(app.changes().find("\"name\":\"picEye(0)\",\"width\""), std::string::npos);  // unchanged
  ASSERT_TRUE(app.setValue("vscTxEyeScale", 30));  // zoom x1.6: new amplitude ticks
  EXPECT_NE(app.changes().find("\"name\":\"picEye(0)\",\"width\""), std::string::npos);
  app.setScalesShown(false);
  changed = app.changes();
  EXPECT_NE(changed.find("{\"name\":\"picEye(0)\",\"width\":4335,\"height\":3855,\"lines\":[],\"labels\":[]}"),
            std::string::npos)
      << changed;
}

TEST_F(WebAppTest, SlidersSayTheirValueInRealUnits) {
  ASSERT_TRUE(app.setText("cmbScene", "Full"));
  ASSERT_TRUE(app.setValue("vscFreq", 3));
  EXPECT_EQ(app.sliderText("vscFreq"), "+3\u00b0 a run = +0.0833 Hz offset");
  EXPECT_EQ(app.sliderText("cmbMod(0)"), "");
  EXPECT_EQ(app.sliderText("hscXThreshold"), "");
}

// The page's lesson calls: a step's lock holds against the page, solve passes the check, and
// each lesson keeps its place while another is taken or a broken file is refused.
TEST_F(WebAppTest, ALessonKeepsItsPlaceWhileAnotherIsTaken) {
  ASSERT_TRUE(app.openLesson("noise-and-matched-filter"));
  ASSERT_TRUE(app.lessonGo(+1));
  EXPECT_FALSE(app.setText("cmbScene", "Scatter"));
  ASSERT_TRUE(app.lessonSolve());
  for (int i = 0; i < 3; ++i) app.tick();
  EXPECT_NE(app.lessonCheck().find("\"verdict\":\"pass\""), std::string::npos);
  ASSERT_TRUE(app.openLesson("pulse-shaping-and-the-eye"));
  EXPECT_NE(app.lessonState().find("\"step\":1,"), std::string::npos);
  ASSERT_TRUE(app.openLesson("noise-and-matched-filter"));
  EXPECT_FALSE(app.openLessonText("linklab lesson 1\n# Broken\n## Step\ncheck: dBER <\n", "broken.lesson"));
  EXPECT_NE(app.takeMessage().find("line 4"), std::string::npos);
  EXPECT_NE(app.lessonState().find("\"step\":2,"), std::string::npos);
}

TEST(WebAppTooltips, ComeFromTheCoreByControlName) {
  EXPECT_FALSE(WebApp::tooltip("cmbMod(0)").empty());
  EXPECT_FALSE(WebApp::tooltip("picScatter(2)").empty());
  EXPECT_TRUE(WebApp::tooltip("cmbNoSuchList").empty());
}

}  // namespace
}  // namespace linklab::web
