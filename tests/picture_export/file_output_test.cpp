// A file is written whole, or not at all with the system's reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "picture_export/file_output.h"

namespace linklab {
namespace {

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
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

struct Failure {
  const char* path;
  const char* reason;
};

class FileOutputFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(FileOutputFailure, ReportsTheSystemsReason) {
  if (std::string(GetParam().path) == "/dev/full" && ::access("/dev/full", W_OK) != 0) GTEST_SKIP();
  EXPECT_EQ(writeWholeFile(GetParam().path, std::string(100000, 'x')), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileOutputFailure,
                         ::testing::ValuesIn(std::vector<Failure>{
                             {"/no-such-folder-for-linklab/x.png", "No such file or directory"},
                             {"/dev/full", "No space left on device"}, {"/", "Is a directory"}}));

}  // namespace
}  // namespace linklab
