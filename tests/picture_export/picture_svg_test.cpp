// A picture's drawing as SVG: one path per colour in the order the colours first appear, in
// twips, clipped like the raster; past the history's bound, the raster instead. A file is written
// whole, or not at all with the system's reason.
#include <sys/stat.h>
#include <unistd.h>

#include "batch/script_run.h"
#include "form/picture_box.h"
#include "picture_export/file_output.h"
#include "picture_export/picture_svg.h"

namespace linklab {
namespace {

PictureBox picture(int width, int height) {
  PictureBox p;
  p.Width = width;
  p.Height = height;
  return p;
}

// Lines are centred half a pen (7.5 twips) right and below their points, where the raster's
// pen-sized squares lie.
TEST(PictureSvg, EachColourIsOnePathAndAJoinedTraceOneRunOfLines) {
  PictureBox p = picture(1500, 750);
  p.setForeColor(0xC000);
  p.Line(0, 100, 100, 200);
  p.Line(100, 200, 200, 100);
  p.Line(200, 100, 200, 100);  // a dot on the trace's own end adds nothing
  p.setForeColor(0xC0);
  p.Line(0, 0, 50, 0);
  p.setForeColor(0xC000);
  p.Line(300, 300, 400, 300);
  p.Circle(750, 375, 40, 0xC00000);  // a circle is two arcs of its radius around its centre
  p.Circle(100, 100, 0, 0xC00000);
  const std::string svg = pictureSvg(drawingOf(p), {});
  EXPECT_NE(svg.find("width=\"100\" height=\"50\" viewBox=\"0 0 1500 750\""), std::string::npos) << svg;
  const auto green = svg.find("<path stroke=\"#00c000\" d=\"M7.5 107.5L107.5 207.5L207.5 107.5M307.5 307.5L407.5 307.5\"/>");
  const auto red = svg.find("<path stroke=\"#c00000\" d=\"M7.5 7.5L57.5 7.5\"/>");
  ASSERT_NE(green, std::string::npos) << svg;
  ASSERT_NE(red, std::string::npos) << svg;
  EXPECT_LT(green, red);  // drawn later, on top
  EXPECT_GT(svg.find("<path stroke=\"#0000c0\" d=\"M710 375a40 40 0 1 0 80 0a40 40 0 1 0 -80 0M100 100h0\"/>"), red) << svg;
  EXPECT_EQ(svg.find("<line"), std::string::npos);
}

TEST(PictureSvg, SegmentsAreClippedToThePictureAndNonFiniteOnesDropped) {
  PictureBox p = picture(1500, 750);
  p.setForeColor(0xFF0000);
  p.Line(-3000, 300, 3000, 300);  // crosses the whole picture: kept from one pen left to one pen right
  p.setForeColor(0x123456);
  p.Line(5000, 5000, 6000, 6000);  // wholly outside
  p.Line(NAN, 0, 10, 10);
  p.Line(0, 0, INFINITY, 10);
  p.Circle(1e300, 0, 10, 0x123456);
  const std::string svg = pictureSvg(drawingOf(p), {});
  EXPECT_NE(svg.find("<path stroke=\"#0000ff\" d=\"M-7.5 307.5L1522.5 307.5\""), std::string::npos) << svg;
  EXPECT_EQ(svg.find("#563412"), std::string::npos) << svg;  // nothing of it reaches the picture
}

TEST(PictureSvg, PastTheBoundTheRasterIsEmbeddedAndTheFileSaysSo) {
  PictureBox p = picture(1500, 750);
  for (std::size_t i = 0; i <= PictureBox::kHistoryLimit; ++i) p.Line(0, 0, 10, 10);
  EXPECT_FALSE(p.historyComplete());
  EXPECT_EQ(p.history().size(), PictureBox::kHistoryLimit);
  for (const auto& [bytes, encoded] : {std::pair{"abc", "YWJj"}, {"ab", "YWI="}, {"a", "YQ=="}}) {
    const std::string svg = pictureSvg(drawingOf(p), bytes);
    EXPECT_NE(svg.find("<!-- This picture was drawn with more than 65536 lines"), std::string::npos);
    EXPECT_NE(svg.find(std::string("data:image/png;base64,") + encoded + "\""), std::string::npos) << svg;
    EXPECT_EQ(svg.find("<path"), std::string::npos);
  }
}

TEST(PictureBoxHistory, StartsOverAtEachClearWithoutAllocatingAgain) {
  PictureBox p = picture(1500, 750);
  p.Line(0, 0, 1, 1);
  const DrawOp* storage = p.history().data();
  for (std::size_t i = 0; i < PictureBox::kHistoryLimit + 10; ++i) p.Circle(1, 2, 3, 4);
  p.Cls();
  EXPECT_TRUE(p.historyComplete());
  EXPECT_TRUE(p.history().empty());
  p.setForeColor(0xFF);
  p.Line(1, 2, 3, 4);
  ASSERT_EQ(p.history().size(), 1u);
  EXPECT_EQ(p.history().data(), storage);
  EXPECT_EQ(p.history()[0].colour, 0xFFu);
  EXPECT_EQ(p.history()[0].x2, 3);
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(FileOutput, ReplacesAFileWholeAndKeepsItsPermissions) {
  const std::string path = ::testing::TempDir() + "linklab_output_test.bin";
  ASSERT_EQ(writeWholeFile(path, "old contents, longer than the new"), "");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const std::string bytes("new\0bytes", 9);
  ASSERT_EQ(writeWholeFile(path, bytes), "");
  EXPECT_EQ(contents(path), bytes);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_EQ(writeWholeFile(path, "x"), "");  // a single byte is a whole file too
  EXPECT_EQ(contents(path), "x");
  ::unlink(path.c_str());
}

TEST(FileOutput, ReportsTheSystemsReason) {
  for (const auto& [path, reason] : {std::pair{"/no-such-folder-for-linklab/x.png", "No such file or directory"},
                                     {"/dev/full", "No space left on device"}, {"/", "Is a directory"}})
    if (std::string(path) != "/dev/full" || ::access(path, W_OK) == 0) {
      EXPECT_EQ(writeWholeFile(path, std::string(100000, 'x')), reason);
    }
}

}  // namespace
}  // namespace linklab
