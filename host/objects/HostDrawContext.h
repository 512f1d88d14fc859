#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// What the host hands a plug-in that draws part of a combo box: the device context to draw
// on, the rectangle, and which item. One class per kind of drawing, each made for one call.

// A rectangle of a drawing.
class HostRect : public zsys::ComObject<HostRect, ZeltCore::IHostRect> {
public:
    HostRect(std::shared_ptr<Faults> faults, RECT rect);

    HRESULT Left(LONG* left) noexcept override;
    HRESULT Top(LONG* top) noexcept override;
    HRESULT Right(LONG* right) noexcept override;
    HRESULT Bottom(LONG* bottom) noexcept override;

private:
    ~HostRect() override;
    HRESULT Edge(const char* operation, LONG RECT::*edge, LONG* value) noexcept;

    std::shared_ptr<Faults> faults_;
    RECT rect_;
};

// The drawing of a combo's closed face.
class HostDrawContext : public zsys::ComObject<HostDrawContext, ZeltCore::IHostDrawContext> {
public:
    HostDrawContext(std::shared_ptr<Faults> faults, HDC dc, RECT rect, LONG selected);

    HRESULT DeviceContext(HDC* dc) noexcept override;
    HRESULT Rect(ZeltCore::IHostRect** rect) noexcept override;
    HRESULT SelectedIndex(LONG* index) noexcept override;

private:
    ~HostDrawContext() override;

    std::shared_ptr<Faults> faults_;
    HDC dc_;
    RECT rect_;
    LONG selected_;
};

// The drawing of one item of a combo's open list.
class HostItemDrawContext : public zsys::ComObject<HostItemDrawContext, ZeltCore::IHostItemDrawContext> {
public:
    HostItemDrawContext(std::shared_ptr<Faults> faults, HDC dc, RECT rect, LONG index, UINT state,
                        UINT action);

    HRESULT DeviceContext(HDC* dc) noexcept override;
    HRESULT Rect(ZeltCore::IHostRect** rect) noexcept override;
    HRESULT ItemIndex(LONG* index) noexcept override;
    HRESULT ItemState(UINT* state) noexcept override;
    HRESULT ItemAction(UINT* action) noexcept override;

private:
    ~HostItemDrawContext() override;

    std::shared_ptr<Faults> faults_;
    HDC dc_;
    RECT rect_;
    LONG index_;
    UINT state_, action_;
};
} // namespace host
