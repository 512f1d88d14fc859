#include "host/Faults.h"

#include <stdexcept>

namespace host {
void Faults::Set(std::string_view operation, Plan plan) {
    if (plan.fromCall == 0) throw std::invalid_argument("calls are counted from 1");
    plans_.insert_or_assign(std::string(operation), plan);
}

void Faults::Fail(std::string_view operation, HRESULT hr, unsigned fromCall, unsigned times) {
    // A success here would be indistinguishable from yielding nothing or from no plan.
    if (SUCCEEDED(hr)) throw std::invalid_argument("a planted failure must be a failing HRESULT");
    Set(operation, {hr, fromCall, times});
}

void Faults::YieldNothing(std::string_view operation, unsigned fromCall, unsigned times) {
    Set(operation, {S_OK, fromCall, times});
}

void Faults::Watch(std::string_view operation) {
    Set(operation, {std::nullopt, 1, 0});
}

void Faults::Clear(std::string_view operation) {
    if (const auto it = plans_.find(operation); it != plans_.end()) plans_.erase(it);
}

void Faults::Clear() {
    plans_.clear();
}

std::optional<HRESULT> Faults::Enter(std::string_view operation) {
    // The usual case, a run without plans, costs one test.
    if (plans_.empty()) return std::nullopt;
    const auto it = plans_.find(operation);
    if (it == plans_.end()) return std::nullopt;
    Plan& plan = it->second;
    const unsigned call = ++plan.calls;
    if (!plan.result || call < plan.fromCall) return std::nullopt;
    if (plan.times != 0 && call - plan.fromCall >= plan.times) return std::nullopt;
    return plan.result;
}

unsigned Faults::Calls(std::string_view operation) const {
    const auto it = plans_.find(operation);
    return it == plans_.end() ? 0 : it->second.calls;
}
} // namespace host
