#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <map>
#include <optional>

// Changes environment variables for one test; puts back the private values the test program
// runs with. A null value unsets the variable.
class AppDataFolderTest : public testing::Test {
  protected:
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            value ? qputenv(name.constData(), *value) : qunsetenv(name.constData());
        }
    }

    void Set(const char* name, const char* value) {
        // The value before the test's first change of it.
        if (!m_saved.count(name)) {
            m_saved.emplace(name, qEnvironmentVariableIsSet(name)
                                      ? std::optional<QByteArray>(qgetenv(name))
                                      : std::nullopt);
        }
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }

  private:
    std::map<QByteArray, std::optional<QByteArray>> m_saved;
};
