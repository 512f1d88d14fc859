#pragma once

#include "platform/com/Types.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace host {
// Failures planted in the host's operations so that a plug-in's failure paths run for
// real. An operation is named by its interface, a dot and the operation
// ("IHostView.Database", "IHostTable.ObjectByStableId"). Every host operation asks
// Enter right after checking its arguments and clearing its out arguments. One plan per
// operation; calls are counted from the moment the plan is made.
class Faults {
public:
    // From the `fromCall`-th call on (1: the next one) the operation fails with `hr`,
    // for `times` calls (0: for good).
    void Fail(std::string_view operation, HRESULT hr, unsigned fromCall = 1, unsigned times = 0);
    // The same calls succeed but hand out nothing: a null object, an empty value.
    void YieldNothing(std::string_view operation, unsigned fromCall = 1, unsigned times = 0);
    // Counts the operation's calls from now on and serves every one of them.
    void Watch(std::string_view operation);
    // Drops the plan of one operation.
    void Clear(std::string_view operation);
    // Drops every plan.
    void Clear();

    // Counts a call of the operation: the result to return instead of serving it (the
    // failure, or S_OK for nothing), none when the call is to be served.
    std::optional<HRESULT> Enter(std::string_view operation);
    // The calls of a planned or watched operation since the plan was made; 0 without a plan.
    unsigned Calls(std::string_view operation) const;

private:
    struct Plan {
        std::optional<HRESULT> result; // none: the calls are only counted
        unsigned fromCall;
        unsigned times;
        unsigned calls = 0;
    };
    void Set(std::string_view operation, Plan plan);

    std::map<std::string, Plan, std::less<>> plans_;
};
} // namespace host
