// Every committed input of every fuzz target runs through the target's entry, with the
// target's own checks: the seeds, and the inputs that once crashed a parser, kept so that
// the fault cannot come back unnoticed.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <ostream>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "FuzzTargets.h"

// Test names and failure messages show a target by its name.
void PrintTo(const FuzzTarget& target, std::ostream* out) { *out << target.name; }

namespace {

// A failed check ends the input with an exception, reported below with the input's name.
struct CheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class FuzzReplay : public testing::TestWithParam<FuzzTarget> {
  protected:
    void SetUp() override {
        previous_ =
            SetFuzzFailureHandler([](const std::string& message) { throw CheckFailed(message); });
    }
    void TearDown() override { SetFuzzFailureHandler(previous_); }

    // Runs every file of fuzz/<kind>/<target>; returns how many there were.
    int Replay(const QString& kind) {
        const QString folder = QStringLiteral(MOVIRA_FUZZ_INPUTS "/%1/%2")
                                   .arg(kind, QString::fromUtf8(GetParam().name));
        int count = 0;
        for (const QFileInfo& info :
             QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
            QFile file(info.filePath());
            if (!file.open(QIODevice::ReadOnly)) {
                ADD_FAILURE() << "cannot read " << info.filePath().toStdString();
                continue;
            }
            const QByteArray bytes = file.readAll();
            ++count;
            try {
                GetParam().run(bytes);
            } catch (const CheckFailed& failure) {
                ADD_FAILURE() << info.filePath().toStdString() << ": " << failure.what();
            }
        }
        return count;
    }

  private:
    FuzzFailureHandler previous_;
};

// The seeds, then the inputs that once made a parser crash or break a promise. A target
// without a regressions folder simply has had none.
TEST_P(FuzzReplay, CommittedInputsPassTheChecks) {
    // An empty or missing seed folder would let this test pass without running anything.
    EXPECT_GT(Replay(QStringLiteral("corpus")), 0) << "no seeds for " << GetParam().name;
    Replay(QStringLiteral("regressions"));
}

std::string TargetName(const testing::TestParamInfo<FuzzTarget>& info) {
    return std::string(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         testing::ValuesIn(FuzzTargets().begin(), FuzzTargets().end()), TargetName);

// A failed check must reach the handler, or every replay above would pass whatever the
// parsers did.
TEST(FuzzChecks, ReachTheHandler) {
    std::string reported;
    const FuzzFailureHandler previous =
        SetFuzzFailureHandler([&reported](const std::string& message) {
            reported = message;
            throw CheckFailed(message);
        });
    EXPECT_THROW(FUZZ_CHECK(1 + 1 == 3, "arithmetic"), CheckFailed);
    SetFuzzFailureHandler(previous);
    EXPECT_NE(reported.find("arithmetic"), std::string::npos) << reported;
}

}  // namespace
