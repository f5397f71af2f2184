#pragma once

#include <gtest/gtest.h>

#include <string>

namespace e2e {

// Names each instance of a parameterised test after its case's `name`: the last argument
// of INSTANTIATE_TEST_SUITE_P.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

}  // namespace e2e
