#pragma once

#include "platform/com/ComError.h"

#include <gtest/gtest.h>

namespace testsupport {
// Whether running `operation` raises a COM error with the result `hr` on the interface
// `iid`: EXPECT_TRUE(RaisesComError([&] { ... }, E_FAIL, IHostTable::iid)).
template <class Operation>
testing::AssertionResult RaisesComError(Operation&& operation, HRESULT hr, const IID& iid) {
    try {
        operation();
    } catch (const zsys::ComError& error) {
        if (error.code() == hr && error.iid() == iid) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "a COM error 0x" << std::hex << error.code() << " on another "
                                           << (error.iid() == iid ? "result" : "interface");
    }
    return testing::AssertionFailure() << "no COM error was raised";
}
} // namespace testsupport
