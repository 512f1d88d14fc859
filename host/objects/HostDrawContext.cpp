#include "host/objects/HostDrawContext.h"

#include "host/Faults.h"

namespace host {
namespace {
// Serves one value of a context, after the planted faults had their say.
template <class T> HRESULT Serve(Faults& faults, const char* operation, T* out, T value) noexcept try {
    if (!out) return E_POINTER;
    *out = T();
    if (const auto planted = faults.Enter(operation)) return *planted;
    *out = value;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT ServeRect(Faults& faults, const char* operation, const std::shared_ptr<Faults>& shared, RECT rect,
                  ZeltCore::IHostRect** out) noexcept try {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (const auto planted = faults.Enter(operation)) return *planted;
    *out = zsys::Make<HostRect>(shared, rect).detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace

HostRect::HostRect(std::shared_ptr<Faults> faults, RECT rect) : faults_(std::move(faults)), rect_(rect) {}
HostRect::~HostRect() = default;

HRESULT HostRect::Edge(const char* operation, LONG RECT::*edge, LONG* value) noexcept {
    return Serve(*faults_, operation, value, rect_.*edge);
}
HRESULT HostRect::Left(LONG* left) noexcept {
    return Edge("IHostRect.Left", &RECT::left, left);
}
HRESULT HostRect::Top(LONG* top) noexcept {
    return Edge("IHostRect.Top", &RECT::top, top);
}
HRESULT HostRect::Right(LONG* right) noexcept {
    return Edge("IHostRect.Right", &RECT::right, right);
}
HRESULT HostRect::Bottom(LONG* bottom) noexcept {
    return Edge("IHostRect.Bottom", &RECT::bottom, bottom);
}

HostDrawContext::HostDrawContext(std::shared_ptr<Faults> faults, HDC dc, RECT rect, LONG selected)
    : faults_(std::move(faults)), dc_(dc), rect_(rect), selected_(selected) {}
HostDrawContext::~HostDrawContext() = default;

HRESULT HostDrawContext::DeviceContext(HDC* dc) noexcept {
    return Serve(*faults_, "IHostDrawContext.DeviceContext", dc, dc_);
}
HRESULT HostDrawContext::Rect(ZeltCore::IHostRect** rect) noexcept {
    return ServeRect(*faults_, "IHostDrawContext.Rect", faults_, rect_, rect);
}
HRESULT HostDrawContext::SelectedIndex(LONG* index) noexcept {
    return Serve(*faults_, "IHostDrawContext.SelectedIndex", index, selected_);
}

HostItemDrawContext::HostItemDrawContext(std::shared_ptr<Faults> faults, HDC dc, RECT rect, LONG index,
                                         UINT state, UINT action)
    : faults_(std::move(faults)), dc_(dc), rect_(rect), index_(index), state_(state), action_(action) {}
HostItemDrawContext::~HostItemDrawContext() = default;

HRESULT HostItemDrawContext::DeviceContext(HDC* dc) noexcept {
    return Serve(*faults_, "IHostItemDrawContext.DeviceContext", dc, dc_);
}
HRESULT HostItemDrawContext::Rect(ZeltCore::IHostRect** rect) noexcept {
    return ServeRect(*faults_, "IHostItemDrawContext.Rect", faults_, rect_, rect);
}
HRESULT HostItemDrawContext::ItemIndex(LONG* index) noexcept {
    return Serve(*faults_, "IHostItemDrawContext.ItemIndex", index, index_);
}
HRESULT HostItemDrawContext::ItemState(UINT* state) noexcept {
    return Serve(*faults_, "IHostItemDrawContext.ItemState", state, state_);
}
HRESULT HostItemDrawContext::ItemAction(UINT* action) noexcept {
    return Serve(*faults_, "IHostItemDrawContext.ItemAction", action, action_);
}
} // namespace host
