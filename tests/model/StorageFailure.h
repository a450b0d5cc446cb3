#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <exception>
#include <functional>

#include "model/StorageErrors.h"

// The failure code of `action` (-1 when it succeeds); fails the test when anything but the
// storage family escapes.
inline int failureCode(const std::function<void()>& action)
{
    try {
        action();
    } catch (const mEPrivBase& e) {
        return e.Code;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "not a storage failure: " << e.what();
        return -2;
    }
    return -1;
}

// `action` must raise an exception of the storage family with these codes.
template <typename Exception, typename Action>
void expectStorageFailure(Action&& action, std::uint16_t code, std::uint16_t outerCode)
{
    try {
        action();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Code, code) << e.what();
        EXPECT_EQ(e.OuterCode, outerCode) << e.what();
    }
}
