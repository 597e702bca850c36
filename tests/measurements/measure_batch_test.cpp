// The readouts through the batch protocol: new names only, nan where not applicable, and the
// error-rate sweep's one line per point.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "batch/batch_runner.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result run(const std::string& script) {
  auto form = std::make_unique<Form1>();
  std::istringstream in(script);
  std::ostringstream out, err;
  PrintingHost host(out);
  form->setHost(&host);
  form->Form_Load();
  BatchRunner runner(*form, out, err);
  const int status = runner.run(in);
  form->setHost(nullptr);
  return {status, out.str(), err.str()};
}

// Counts print as whole numbers; readouts that do not apply (MSK decides nothing) as nan.
TEST(MeasureBatch, CountsPrintWholeAndReadoutsNanWhereTheyDoNotApply) {
  const Result r = run("set cmbScene Scatter\ntick 3\nprint lSymbols\nprint lBits\nprint lSymbolErrors\n"
                       "call restartCounts\nprint lSymbols\nset cmbMod(0) MSK\ntick 3\nprint dSER\n"
                       "print lSymbols\nprint dEVMPercent\nprint dEyeOpeningPercent\nprint dEbN0EffectivedB\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "lSymbols = 256\nlBits = 256\nlSymbolErrors = 0\nlSymbols = 0\ndSER = nan\nlSymbols = 0\n"
                   "dEVMPercent = nan\ndEyeOpeningPercent = nan\ndEbN0EffectivedB = nan\n");
}

TEST(MeasureBatch, ErrorRateSweepPrintsOneLineAPoint) {
  const Result r = run("set cmbScene Full\ntick 2\ncall measureErrorRate 0 2 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    std::istringstream fields(line);
    double ebN0, symbols, symbolErrors, bits, bitErrors, ser, ber, serTheory, berTheory;
    ASSERT_TRUE(fields >> ebN0 >> symbols >> symbolErrors >> bits >> bitErrors >> ser >> ber >> serTheory >> berTheory)
        << line;
    EXPECT_EQ(ebN0, count);
    EXPECT_GE(symbolErrors, 100);
    EXPECT_DOUBLE_EQ(ser, symbolErrors / symbols);
  }
  EXPECT_EQ(count, 3);
}

TEST(MeasureBatch, SweepArgumentsAreChecked) {
  EXPECT_NE(run("call measureErrorRate 0 14\n").err.find("FROM TO STEP"), std::string::npos);
  EXPECT_NE(run("call measureErrorRate 0 14 0\n").err.find("step"), std::string::npos);
  EXPECT_NE(run("call measureErrorRate 5 1 1\n").err.find("FROM"), std::string::npos);
  EXPECT_NE(run("set cmbMod(0) FSK\ncall measureErrorRate 0 1 1\n").err.find("no symbol decisions"),
            std::string::npos);
}

}  // namespace
}  // namespace linklab
