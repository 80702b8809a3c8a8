// The lalrgen program as the build runs it: a grammar in, five files out; a faulty grammar stops
// the build with its message and leaves no file behind.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/process.h"

namespace {

namespace fs = std::filesystem;

class LalrgenCommand : public ::testing::Test {
protected:
  void SetUp() override {
    std::string Template = (fs::temp_directory_path() / "lalrgen-XXXXXX").string();
    ASSERT_NE(mkdtemp(Template.data()), nullptr);
    Directory = Template;
  }
  void TearDown() override { fs::remove_all(Directory); }

  ProcessResult Run(const std::string& GrammarText) {
    std::ofstream(Directory / "calc.grammar") << GrammarText;
    fs::create_directory(Directory / "out");
    return RunProcess({LALRGEN, (Directory / "calc.grammar").string(), (Directory / "out").string()});
  }

  fs::path Directory;
};

TEST_F(LalrgenCommand, WritesTheTokensTablesActionsAndReport) {
  const ProcessResult R = Run("%token NUM 300\n%%\ne : NUM {} ;\n");
  EXPECT_EQ(R.Stderr, "");
  EXPECT_EQ(R.ExitCode, 0);
  for (const char* Name : {"calc_tokens.h", "calc_tables.h", "calc_tables.inc", "calc_actions.inc", "calc.output"}) {
    EXPECT_TRUE(fs::exists(Directory / "out" / Name)) << Name;
  }
}

TEST_F(LalrgenCommand, AFaultyGrammarFailsWithItsMessageAndWritesNothing) {
  const ProcessResult R = Run("%token NUM abc\n%%\ne : NUM ;\n");
  EXPECT_EQ(R.Stderr, (Directory / "calc.grammar").string() + ":1: token code of NUM is not a number: abc\n" +
                          (Directory / "calc.grammar").string() + ":3: undefined symbol NUM\n" +
                          (Directory / "calc.grammar").string() + ":3: rule 1 (e :) has no action\n");
  EXPECT_EQ(R.ExitCode, 1);
  EXPECT_TRUE(fs::is_empty(Directory / "out"));
}

TEST_F(LalrgenCommand, AMissingGrammarOrArgumentIsReported) {
  ProcessResult R = RunProcess({LALRGEN, (Directory / "none.grammar").string(), Directory.string()});
  EXPECT_EQ(R.Stderr, (Directory / "none.grammar").string() + ": cannot open\n");
  EXPECT_EQ(R.ExitCode, 1);
  R = RunProcess({LALRGEN});
  EXPECT_EQ(R.Stderr, "usage: lalrgen GRAMMAR OUTPUT_DIRECTORY\n");
  EXPECT_EQ(R.ExitCode, 2);
}

}  // namespace
