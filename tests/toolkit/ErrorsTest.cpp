// The line an ignored failure leaves on the debugger output.

#include "toolkit/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pastimo {
namespace {

std::vector<std::string> lines;
void Collect(const std::string& line) { lines.push_back(line); }

class IgnoredFailures : public ::testing::Test {
protected:
    IgnoredFailures() {
        lines.clear();
        previous = SetIgnoredFailureSink(&Collect);
    }
    ~IgnoredFailures() override { SetIgnoredFailureSink(previous); }
    IgnoredFailureSink previous = nullptr;
};

TEST_F(IgnoredFailures, OneLineWithTheFailureAndWhyItWasIgnored) {
    try {
        throw EFOpenError("C:\\Pastimo\\data\\categories.dat");
    } catch (const std::exception&) {
        IgnoreFailure("a group list that cannot be read starts empty");
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
              "Pastimo: ignored failure \"Cannot open file C:\\Pastimo\\data\\categories.dat\": a group list that "
              "cannot be read starts empty\n");
}

TEST_F(IgnoredFailures, AFailureOfNoKnownKindStillSaysWhy) {
    try {
        throw 42;
    } catch (...) {
        IgnoreFailure("the slot is emptied");
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("the slot is emptied"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find('\n'), lines[0].size() - 1) << "one line";
}

}  // namespace
}  // namespace pastimo
